#include "app/SingleInstance.h"
#include "support/Platform.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLocalSocket>
#include <QProcess>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <array>
#include <gtest/gtest.h>
#include <memory>
#ifdef Q_OS_LINUX
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <grp.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#endif

namespace {

constexpr int kGuardMs = 120'000;

// Real programs with a home, settings and temporary folder of their own: they meet nobody else.
// On Windows their settings are the user's registry, which only Wine gives each build of its own.
class RunningProgramTest : public ::testing::Test {
protected:
    RunningProgramTest() : m_environment(QProcessEnvironment::systemEnvironment()) {
        for (const char* pszName : {"HOME", "XDG_CONFIG_HOME", "TMPDIR", "TMP", "TEMP"}) {
            m_environment.insert(pszName, m_home.path());
        }
        QDir(m_home.path()).mkdir("run", QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        m_environment.insert("XDG_RUNTIME_DIR", m_home.filePath("run"));
    }

    std::unique_ptr<QProcess> Start(const QStringList& args,
                                    TestPlatform::ChildSetup setup = {}) const {
        auto pProgram = std::make_unique<QProcess>();
        TestPlatform::Prepare(*pProgram, setup);
        pProgram->setProcessEnvironment(m_environment);
        pProgram->setWorkingDirectory(m_strWorkingDir);
        pProgram->start(QStringLiteral(QUILLMAR_PROGRAM), args);
        return pProgram;
    }
    // Every file that opened goes first in the recent-file list.
    bool RecentFilesBecome(QStringList files) const {
        files.resize(4);
#ifndef Q_OS_WIN
        const QByteArray expected = QString("File1=%1\nFile2=%2\nFile3=%3\nFile4=%4\n")
                                        .arg(files[0], files[1], files[2], files[3])
                                        .toUtf8();
#endif
        return QTest::qWaitFor(
            [&] {
#ifdef Q_OS_WIN
                QSettings settings(QSettings::NativeFormat, QSettings::UserScope, "Larkfield",
                                   "Quillmar");
                settings.beginGroup("Recent File List");
                QStringList recent;
                for (const char* pszKey : {"File1", "File2", "File3", "File4"}) {
                    recent << settings.value(pszKey).toString();
                }
                return recent == files;
#else
                QFile conf(m_home.filePath("Larkfield/Quillmar.conf"));
                return conf.open(QIODevice::ReadOnly) && conf.readAll().contains(expected);
#endif
            },
            kGuardMs);
    }
    static bool EndsWithSuccess(QProcess& program) {
        return (program.state() == QProcess::NotRunning || program.waitForFinished(kGuardMs)) &&
               program.exitStatus() == QProcess::NormalExit && program.exitCode() == 0;
    }

    QTemporaryDir m_home;
    QString m_strWorkingDir = m_home.path();
    QProcessEnvironment m_environment;
};

TEST_F(RunningProgramTest, LaterStartsHandTheirFilesToTheRunningOneAndADeadOneIsReplaced) {
#ifdef Q_OS_WIN
    if (!TestPlatform::IsWine()) {
        GTEST_SKIP() << "the programs would share the user's registry and running Quillmar";
    }
    QSettings(QSettings::NativeFormat, QSettings::UserScope, "Larkfield", "Quillmar").clear();
#endif
    const QString a = m_home.filePath("a.bod");
    const QString b = m_home.filePath("b.bod");
    const QString c = m_home.filePath("later/c.bod");
    const QString d = m_home.filePath("d.bod");
    QDir(m_home.path()).mkdir("later");
    // An empty file opens as an empty document.
    for (const QString& strPath : {a, b, c, d}) {
        QFile(strPath).open(QIODevice::WriteOnly);
    }
    // Two started at once, as a file manager does: one runs, the other hands its file over.
    std::array programs{Start({a}), Start({b})};
    const auto ended = [&](int n) {
        return programs[n]->state() == QProcess::NotRunning;
    };
    ASSERT_TRUE(QTest::qWaitFor([&] { return ended(0) || ended(1); }, kGuardMs));
    const bool bFirstEnded = ended(0);
    EXPECT_TRUE(EndsWithSuccess(*programs[bFirstEnded ? 0 : 1]));
    // The one that runs opened its own file first.
    QStringList recent = bFirstEnded ? QStringList{a, b} : QStringList{b, a};
    EXPECT_TRUE(RecentFilesBecome(recent));

    // A relative path means the later start's folder; no file just comes to the front.
    m_strWorkingDir = m_home.filePath("later");
    EXPECT_TRUE(EndsWithSuccess(*Start({"c.bod"})));
    recent.prepend(c);
    EXPECT_TRUE(RecentFilesBecome(recent));
    EXPECT_TRUE(EndsWithSuccess(*Start({})));

    // A crash leaves the socket behind (in the user's runtime folder; a named pipe on Windows ends
    // with its program); the next start serves in its place.
    programs[bFirstEnded ? 1 : 0]->kill();
    ASSERT_TRUE(programs[bFirstEnded ? 1 : 0]->waitForFinished(kGuardMs));
#ifndef Q_OS_WIN
    ASSERT_FALSE(QDir(m_home.filePath("run")).entryList({"quillmar-*"}, QDir::System).isEmpty());
#endif
    const std::unique_ptr<QProcess> pNext = Start({d});
    recent.prepend(d);
    ASSERT_TRUE(RecentFilesBecome(recent));
    EXPECT_TRUE(EndsWithSuccess(*Start({a})));
    EXPECT_TRUE(RecentFilesBecome({a, d, c, b}));
}

// Help and the version need no display (here there is none) and are checked writes.
TEST_F(RunningProgramTest, HelpAndVersionAnswerWithoutAWindow) {
    for (const char* pszName :
         {"DISPLAY", "WAYLAND_DISPLAY", "LANGUAGE", "LC_ALL", "LC_MESSAGES"}) {
        m_environment.remove(pszName);
    }
    m_environment.insert("QT_QPA_PLATFORM", "xcb");
    // The exit code 1 is expected where standard output fails.
    const std::tuple<QStringList, int, QByteArray, const char*> cases[] = {
        {{"--help"}, 0, "[FILE]", "C.UTF-8"},
        {{"deeds.bod", "--version"}, 0, "Quillmar 1.", "C.UTF-8"},
        {{"--help"}, 1, {}, "C.UTF-8"},
        {{"--version"}, 1, {}, "C.UTF-8"},
#ifndef Q_OS_WIN // where the language is the user's setting, not the environment's
        {{"-h"}, 0, "Zeigt diese Hilfe an und beendet das Programm.", "de_DE.UTF-8"},
        {{"--help"}, 0, "Druckt FILE und beendet das Programm", "de_DE.UTF-8"},
        {{"-?"}, 0, "FILE            Das *.bod-Dokument", "de_DE.UTF-8"},
#endif
    };
    for (const auto& [args, nExitCode, out, pszLang] : cases) {
        SCOPED_TRACE(QString("%1 %2 %3").arg(args.join(' '), pszLang).arg(nExitCode).toStdString());
        m_environment.insert("LANG", pszLang);
        const auto pProgram = Start(args, nExitCode == 1 ? TestPlatform::ChildSetup::OutputFails
                                                         : TestPlatform::ChildSetup::None);
        ASSERT_TRUE(pProgram->waitForFinished(kGuardMs));
        EXPECT_EQ(std::pair(QProcess::NormalExit, nExitCode),
                  std::pair(pProgram->exitStatus(), pProgram->exitCode()));
        // Each answer is whole lines, the last one ended too.
        const QByteArray written = pProgram->readAllStandardOutput();
        EXPECT_TRUE(written.contains(out) && (out.isEmpty() || written.endsWith('\n')))
            << written.toStdString();
    }
}

// The running side takes only whole requests in its own words, however they arrive, and hangs
// up on anything else without opening anything.
TEST_F(RunningProgramTest, ServerTakesWholeRequestsAndHangsUpOnAnythingElse) {
    // A full path keeps the socket and its lock in the test's own folder.
    CSingleInstance instance(m_home.filePath("server"));
    ASSERT_EQ(CSingleInstance::Start::Run, instance.ForwardOrServe({}));
    QSignalSpy opened(&instance, &CSingleInstance::OpenRequested);
    // What a peer sends, in chunks; the answer; the files that open.
    const std::tuple<QList<QByteArray>, QByteArray, QStringList> table[] = {
        {{"quillmar-op", "en\n%2Fa%0Ab%25.bod\n/c", ".bod\n", "\n"},
         "taken\n",
         {"/a\nb%.bod", "/c.bod"}},
        {{"quillmar-open\n\n"}, "taken\n", {}},
        {{"GET / HTTP/1.0\r\n\r\n"}, {}, {}},
        {{"quillmar-open\n" + QByteArray(2 << 20, 'x')}, {}, {}},
        {{"quillmar-open\n" + QByteArray("%2Fa\n").repeated(65) + "\n"}, {}, {}},
    };
    for (const auto& [chunks, answer, files] : table) {
        SCOPED_TRACE(chunks.front().left(20).toStdString());
        opened.clear();
        QLocalSocket peer;
        peer.connectToServer(m_home.filePath("server"));
        ASSERT_TRUE(peer.waitForConnected(kGuardMs));
        for (const QByteArray& chunk : chunks) {
            peer.write(chunk);
            peer.flush();
            QTest::qWait(0);
        }
        ASSERT_TRUE(QTest::qWaitFor([&] { return peer.state() == QLocalSocket::UnconnectedState; },
                                    kGuardMs));
        EXPECT_EQ(answer, peer.readAll());
        QTest::qWait(0);
        const QList<QVariantList> taken{{QVariant(files)}};
        EXPECT_EQ(answer.isEmpty() ? QList<QVariantList>() : taken, QList<QVariantList>(opened));
    }
}

#ifdef Q_OS_LINUX
// Another account that made the name first is told nothing, and one that holds the lock holds up
// a start for a moment only: this program then runs on its own.
TEST_F(RunningProgramTest, ANameOrLockOfAnotherAccountIsNeitherToldNorWaitedFor) {
    const passwd* pNobody = getpwnam("nobody");
    if (geteuid() != 0 || pNobody == nullptr) {
        GTEST_SKIP() << "only root can act as another account";
    }
    chmod(QFile::encodeName(m_home.path()), 0777);
    sockaddr_un address{AF_UNIX, {}};
    const QByteArray taken = QFile::encodeName(m_home.filePath("taken"));
    std::strncpy(address.sun_path, taken.constData(), sizeof address.sun_path - 1);
    const QByteArray lock = QFile::encodeName(m_home.filePath("locked.lock"));
    const pid_t squatter = fork();
    if (squatter == 0) {
        // Only system calls after a fork.
        setgroups(0, nullptr);
        setresgid(pNobody->pw_gid, pNobody->pw_gid, pNobody->pw_gid);
        setresuid(pNobody->pw_uid, pNobody->pw_uid, pNobody->pw_uid);
        const int nSocket = socket(AF_UNIX, SOCK_STREAM, 0);
        bind(nSocket, reinterpret_cast<sockaddr*>(&address), sizeof address);
        listen(nSocket, 8);
        flock(open(lock.constData(), O_CREAT | O_WRONLY, 0644), LOCK_EX);
        pause();
    }
    EXPECT_TRUE(
        QTest::qWaitFor([&lock] { return QFile::exists(QFile::decodeName(lock)); }, kGuardMs));
    for (const char* pszName : {"taken", "locked"}) {
        QElapsedTimer timer;
        timer.start();
        CSingleInstance instance(m_home.filePath(pszName));
        EXPECT_EQ(CSingleInstance::Start::Run, instance.ForwardOrServe({"/a.bod"})) << pszName;
        EXPECT_LT(timer.elapsed(), 10'000) << pszName;
    }
    kill(squatter, SIGKILL);
    waitpid(squatter, nullptr, 0);
}
#endif

} // namespace
