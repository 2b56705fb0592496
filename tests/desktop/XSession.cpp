#include "XSession.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QProcess>
#include <QThread>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// Starts argv with fdKeep left open in the child; returns its process id, or -1.
pid_t Spawn(const std::vector<std::string>& argv, int fdKeep,
            const QProcessEnvironment& environment) {
    std::vector<std::string> envStrings;
    for (const QString& strKey : environment.keys()) {
        envStrings.push_back((strKey + '=' + environment.value(strKey)).toStdString());
    }
    std::vector<char*> args;
    for (const std::string& str : argv) {
        args.push_back(const_cast<char*>(str.c_str()));
    }
    args.push_back(nullptr);
    std::vector<char*> env;
    for (std::string& str : envStrings) {
        env.push_back(str.data());
    }
    env.push_back(nullptr);
    const pid_t pid = fork();
    if (pid == 0) {
        // Its own process group, so that ending it ends whatever it started.
        setpgid(0, 0);
        const int fdNull = open("/dev/null", O_RDWR);
        dup2(fdNull, STDIN_FILENO);
        dup2(fdNull, STDOUT_FILENO);
        for (int fd = 3; fd < 1024; ++fd) {
            if (fd != fdKeep) {
                close(fd);
            }
        }
        execve(args[0], args.data(), env.data());
        _exit(127);
    }
    return pid;
}

void Stop(pid_t& pid) {
    if (pid <= 0) {
        return;
    }
    kill(-pid, SIGTERM);
    kill(pid, SIGTERM);
    waitpid(pid, nullptr, 0);
    pid = -1;
}

} // namespace

XSession::XSession() {
    if (!m_home.isValid()) {
        m_strError = QStringLiteral("no temporary directory");
        return;
    }
    QDir(m_home.path()).mkpath(QStringLiteral(".config"));
    QDir(m_home.path()).mkpath(QStringLiteral(".cache"));
    QDir(m_home.path()).mkpath(QStringLiteral("runtime"));
    QFile::setPermissions(m_home.filePath(QStringLiteral("runtime")),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    if (StartServer() && StartWindowManager()) {
        const QProcessEnvironment environment = Environment();
        for (const QString& strKey : environment.keys()) {
            qputenv(strKey.toLocal8Bit().constData(), environment.value(strKey).toLocal8Bit());
        }
    }
}

XSession::~XSession() {
    Stop(m_wmPid);
    Stop(m_serverPid);
}

QProcessEnvironment XSession::Environment() const {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DISPLAY"), m_strDisplay);
    environment.insert(QStringLiteral("HOME"), m_home.path());
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"),
                       m_home.filePath(QStringLiteral(".config")));
    environment.insert(QStringLiteral("XDG_CACHE_HOME"), m_home.filePath(QStringLiteral(".cache")));
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"),
                       m_home.filePath(QStringLiteral("runtime")));
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    environment.remove(QStringLiteral("XAUTHORITY"));
    return environment;
}

bool XSession::StartServer() {
    int fds[2];
    if (pipe(fds) != 0) {
        m_strError = QStringLiteral("no pipe for Xvfb");
        return false;
    }
    // The server writes the display number it chose to the pipe once it accepts clients.
    m_serverPid = Spawn({"/usr/bin/Xvfb", "-displayfd", std::to_string(fds[1]), "-screen", "0",
                         "1280x1024x24", "-nolisten", "tcp", "-noreset"},
                        fds[1], QProcessEnvironment::systemEnvironment());
    close(fds[1]);
    std::string strNumber;
    QDeadlineTimer guard(std::chrono::minutes(1));
    while (!guard.hasExpired()) {
        pollfd pfd{fds[0], POLLIN, 0};
        if (poll(&pfd, 1, 1000) <= 0) {
            continue;
        }
        char ch = 0;
        const ssize_t nRead = read(fds[0], &ch, 1);
        if (nRead <= 0 || ch == '\n') {
            break;
        }
        strNumber += ch;
    }
    close(fds[0]);
    if (m_serverPid < 0 || strNumber.empty()) {
        m_strError = QStringLiteral("Xvfb did not start");
        return false;
    }
    m_strDisplay = QStringLiteral(":") + QString::fromStdString(strNumber);
    return true;
}

bool XSession::StartWindowManager() {
    m_wmPid = Spawn({"/usr/bin/openbox", "--sm-disable"}, -1, Environment());
    // A window manager announces itself on the root window once it manages the screen.
    qputenv("DISPLAY", m_strDisplay.toLocal8Bit());
    if (m_wmPid < 0 || !WaitFor([] {
            return RunXTool(QStringLiteral("xprop"), {"-root", "_NET_SUPPORTING_WM_CHECK"})
                .contains("window id");
        })) {
        m_strError = QStringLiteral("openbox did not start");
        return false;
    }
    return true;
}

QByteArray RunXTool(const QString& strProgram, const QStringList& args) {
    QProcess process;
    process.start(strProgram, args);
    // The tools only talk to the X server, so the program under test need not run meanwhile:
    // what they send waits in its queue.
    if (!process.waitForFinished(60000)) {
        process.kill();
        process.waitForFinished();
        return {};
    }
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        return {};
    }
    return process.readAllStandardOutput();
}

bool WaitFor(const std::function<bool()>& bDone, std::chrono::milliseconds guard) {
    QDeadlineTimer deadline(guard);
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
