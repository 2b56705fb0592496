#pragma once

#include <QByteArray>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <chrono>
#include <functional>
#include <sys/types.h>

// A private X display for one test program: an Xvfb server on a display number the server
// picks itself (so programs side by side never clash) with openbox managing its windows, and a
// home and configuration directory of its own, so nothing touches the user's settings.
class XSession {
public:
    XSession();
    ~XSession();
    XSession(const XSession&) = delete;
    XSession& operator=(const XSession&) = delete;

    // Empty when the display and its window manager came up; otherwise what went wrong.
    const QString& Error() const { return m_strError; }
    const QString& Display() const { return m_strDisplay; }
    const QTemporaryDir& Home() const { return m_home; }
    // DISPLAY, HOME and the XDG directories of this session, for a program started in it.
    QProcessEnvironment Environment() const;

private:
    bool StartServer();
    bool StartWindowManager();

    QTemporaryDir m_home;
    QString m_strDisplay;
    QString m_strError;
    pid_t m_serverPid = -1;
    pid_t m_wmPid = -1;
};

// Runs an X tool (xdotool, xprop, xwininfo) in the session's display and returns its standard
// output; an empty result when it fails.
QByteArray RunXTool(const QString& strProgram, const QStringList& args);

// Polls until bDone() holds or the guard runs out (it only guards against hangs); the event loop
// runs between polls.
bool WaitFor(const std::function<bool()>& bDone,
             std::chrono::milliseconds guard = std::chrono::minutes(2));
