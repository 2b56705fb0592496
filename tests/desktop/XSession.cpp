#include "XSession.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QThread>

namespace {

void Stop(QProcess& process) {
    process.terminate();
    if (!process.waitForFinished(10000)) {
        process.kill();
        process.waitForFinished();
    }
}

} // namespace

XSession::XSession() {
    // The configuration and cache go under the home; a temporary folder is its owner's alone,
    // as the runtime folder must be.
    qputenv("HOME", m_home.path().toLocal8Bit());
    qputenv("XDG_RUNTIME_DIR", m_home.path().toLocal8Bit());
    qputenv("QT_QPA_PLATFORM", "xcb");
    for (const char* pszName :
         {"XDG_CONFIG_HOME", "XDG_CACHE_HOME", "XDG_DATA_HOME", "WAYLAND_DISPLAY", "XAUTHORITY"}) {
        qunsetenv(pszName);
    }

    // Nobody reads their chatter: a full pipe would stop them.
    m_server.setStandardErrorFile(QProcess::nullDevice());
    m_windowManager.setStandardOutputFile(QProcess::nullDevice());
    m_windowManager.setStandardErrorFile(QProcess::nullDevice());
    // The server writes the display number it chose once it accepts clients.
    m_server.start("Xvfb", {"-displayfd", "1", "-screen", "0", "1280x1024x24", "-nolisten", "tcp"});
    QByteArray number;
    while (!number.contains('\n') && m_server.waitForReadyRead(60000)) {
        number += m_server.readAllStandardOutput();
    }
    if (number.trimmed().isEmpty()) {
        m_strError = "Xvfb did not start: " + m_server.errorString();
        return;
    }
    qputenv("DISPLAY", ":" + number.trimmed());

    // A window manager announces itself on the root window once it manages the screen. On a
    // loaded machine a start has been seen to come to nothing: the next try gets a fresh one.
    for (int nTry = 0; nTry < 3; ++nTry) {
        Stop(m_windowManager);
        m_windowManager.start("openbox", {"--sm-disable"});
        if (WaitFor(
                [] {
                    return RunXTool("xprop", {"-root", "_NET_SUPPORTING_WM_CHECK"})
                        .contains("window id");
                },
                std::chrono::seconds(40))) {
            return;
        }
    }
    m_strError = "openbox did not start: " + m_windowManager.errorString();
}

XSession::~XSession() {
    Stop(m_windowManager);
    Stop(m_server);
}

QByteArray RunXTool(const QString& strProgram, const QStringList& args) {
    QProcess process;
    process.start(strProgram, args);
    // The tools only talk to the X server, so the program under test need not run meanwhile:
    // what they send waits in its queue.
    if (!process.waitForFinished(60000)) {
        Stop(process);
        return {};
    }
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        return {};
    }
    return process.readAllStandardOutput();
}

bool WaitFor(const std::function<bool()>& bDone, std::chrono::milliseconds guard) {
    const QDeadlineTimer deadline(guard);
    while (!bDone()) {
        if (deadline.hasExpired()) {
            return false;
        }
        if (QCoreApplication::instance() != nullptr) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        }
        QThread::msleep(10);
    }
    return true;
}
