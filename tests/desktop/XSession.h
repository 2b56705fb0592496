#pragma once

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <chrono>
#include <functional>

// A private X display for one test program: an Xvfb server on a display number the server
// picks itself (so programs side by side never clash) with openbox managing its windows, and a
// home and configuration directory of its own, so nothing touches the user's settings. The
// process environment points at them while the session lives.
class XSession {
public:
    XSession();
    ~XSession();
    XSession(const XSession&) = delete;
    XSession& operator=(const XSession&) = delete;

    // Empty when the display and its window manager came up; otherwise what went wrong.
    const QString& Error() const { return m_strError; }
    QString Home() const { return m_home.path(); }

private:
    QTemporaryDir m_home;
    QProcess m_server;
    QProcess m_windowManager;
    QString m_strError;
};

// Runs an X tool (xdotool, xprop, wmctrl) on the session's display and returns its standard
// output; empty when it fails.
QByteArray RunXTool(const QString& strProgram, const QStringList& args);

// Polls until bDone() holds or the guard runs out (it only guards against hangs); the event loop
// runs between polls when there is one.
bool WaitFor(const std::function<bool()>& bDone,
             std::chrono::milliseconds guard = std::chrono::minutes(2));
