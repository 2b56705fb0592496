#pragma once

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <chrono>
#include <functional>

// A private X display for one test program: Xvfb on a display number it picks itself (so
// programs side by side never clash), openbox managing its windows, and a home and settings of
// its own. The process environment points at them while the session lives.
class XSession {
public:
    XSession();
    ~XSession();

    // Empty when the display and its window manager came up; otherwise what went wrong.
    const QString& Error() const { return m_strError; }

private:
    QTemporaryDir m_home;
    QProcess m_server;
    QProcess m_windowManager;
    QString m_strError;
};

// Runs an X tool (xdotool, xprop, wmctrl) on the session's display; its standard output, or
// nothing when it fails.
QByteArray RunXTool(const QString& strProgram, const QStringList& args);

// Polls until bDone() holds or the guard (against hangs only) runs out, running the event loop.
bool WaitFor(const std::function<bool()>& bDone,
             std::chrono::milliseconds guard = std::chrono::minutes(2));
