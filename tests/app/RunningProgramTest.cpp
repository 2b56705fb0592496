#include "app/SingleInstance.h"

#include <QDir>
#include <QFile>
#include <QLocalSocket>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <array>
#include <gtest/gtest.h>
#include <memory>
#ifdef Q_OS_LINUX
#include <csignal>
#include <sys/prctl.h>
#endif

namespace {

constexpr int kGuardMs = 120'000;

// Real programs with a home, settings and temporary folder of their own, so they meet each
// other and nobody else.
class RunningProgramTest : public ::testing::Test {
protected:
    RunningProgramTest() : m_environment(QProcessEnvironment::systemEnvironment()) {
        for (const char* pszName : {"HOME", "XDG_CONFIG_HOME", "TMPDIR"}) {
            m_environment.insert(pszName, m_home.path());
        }
    }

    std::unique_ptr<QProcess> Start(const QStringList& args, const QString& strOutput = {}) const {
        auto pProgram = std::make_unique<QProcess>();
        pProgram->setProcessEnvironment(m_environment);
        if (!strOutput.isEmpty()) {
            pProgram->setStandardOutputFile(strOutput);
        }
        pProgram->setWorkingDirectory(m_home.path());
#ifdef Q_OS_LINUX
        // A test stopped at its guard must not leave its programs running.
        pProgram->setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGKILL); });
#endif
        pProgram->start(QStringLiteral(QUILLMAR_PROGRAM), args);
        return pProgram;
    }
    // An empty file opens as an empty document.
    QString Document(const QString& strName) const {
        QFile(m_home.filePath(strName)).open(QIODevice::WriteOnly);
        return m_home.filePath(strName);
    }
    // Every file that opened goes first in the recent-file list.
    bool RecentFilesBecome(const QStringList& files) const {
        QByteArray expected;
        for (int i = 0; i < 4; ++i) {
            expected += QString("File%1=%2\n").arg(i + 1).arg(files.value(i)).toUtf8();
        }
        return QTest::qWaitFor(
            [&] {
                QFile conf(m_home.filePath("Larkfield/Quillmar.conf"));
                return conf.open(QIODevice::ReadOnly) && conf.readAll().contains(expected);
            },
            kGuardMs);
    }
    static bool EndsWithSuccess(QProcess& program) {
        return (program.state() == QProcess::NotRunning || program.waitForFinished(kGuardMs)) &&
               program.exitStatus() == QProcess::NormalExit && program.exitCode() == 0;
    }

    QTemporaryDir m_home;
    QProcessEnvironment m_environment;
};

TEST_F(RunningProgramTest, LaterStartsHandTheirFilesToTheRunningOneAndADeadOneIsReplaced) {
    const QString a = Document("a.bod");
    const QString b = Document("b.bod");
    const QString c = Document("c.bod");
    const QString d = Document("d.bod");
    // Two started together, as a file manager does for two files: one runs, the other hands
    // its file over and ends.
    std::array programs{Start({a}), Start({b})};
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            return programs[0]->state() == QProcess::NotRunning ||
                   programs[1]->state() == QProcess::NotRunning;
        },
        kGuardMs));
    const bool bFirstEnded = programs[0]->state() == QProcess::NotRunning;
    EXPECT_TRUE(EndsWithSuccess(*programs[bFirstEnded ? 0 : 1]));
    // The one that runs opened its own file first.
    QStringList recent = bFirstEnded ? QStringList{a, b} : QStringList{b, a};
    EXPECT_TRUE(RecentFilesBecome(recent));

    // A relative path means the later start's folder; no file just comes to the front.
    EXPECT_TRUE(EndsWithSuccess(*Start({"c.bod"})));
    recent.prepend(c);
    EXPECT_TRUE(RecentFilesBecome(recent));
    EXPECT_TRUE(EndsWithSuccess(*Start({})));
    QProcess& running = *programs[bFirstEnded ? 1 : 0];
    EXPECT_EQ(QProcess::Running, running.state());

    // A crash leaves the socket behind; the next start serves in its place.
    running.kill();
    ASSERT_TRUE(running.waitForFinished(kGuardMs));
    ASSERT_FALSE(QDir(m_home.path()).entryList({"quillmar-*"}, QDir::System).isEmpty());
    const std::unique_ptr<QProcess> pNext = Start({d});
    recent.prepend(d);
    ASSERT_TRUE(RecentFilesBecome(recent));
    EXPECT_TRUE(EndsWithSuccess(*Start({a})));
    EXPECT_TRUE(RecentFilesBecome({a, d, c, b}));
    EXPECT_EQ(QProcess::Running, pNext->state());
}

// Help and the version need no display: here the program could not open a window if it tried.
// Both are checked writes, like every other output. A German desktop reads the help in German.
TEST_F(RunningProgramTest, HelpAndVersionAnswerWithoutAWindow) {
    for (const char* pszName :
         {"DISPLAY", "WAYLAND_DISPLAY", "LANGUAGE", "LC_ALL", "LC_MESSAGES"}) {
        m_environment.remove(pszName);
    }
    m_environment.insert("QT_QPA_PLATFORM", "xcb");
    const struct {
        QStringList args;
        int nExitCode; // 1: standard output is a full disk
        QByteArray out;
        const char* pszLang = "C.UTF-8";
    } cases[] = {
        {{"--help"}, 0, "  -p, --print "},
        {{"-h"}, 0, "[FILE]"},
        {{"deeds.bod", "--version"}, 0, "Quillmar 1."},
        {{"--help"}, 1, {}},
        {{"--version"}, 1, {}},
        {{"--help"}, 0, "Zeigt diese Hilfe an und beendet das Programm.", "de_DE.UTF-8"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(
            QString("%1 %2 %3").arg(c.args.join(' '), c.pszLang).arg(c.nExitCode).toStdString());
        m_environment.insert("LANG", c.pszLang);
        const auto pProgram = Start(c.args, c.nExitCode == 1 ? "/dev/full" : "");
        ASSERT_TRUE(pProgram->waitForFinished(kGuardMs));
        EXPECT_EQ(std::pair(QProcess::NormalExit, c.nExitCode),
                  std::pair(pProgram->exitStatus(), pProgram->exitCode()));
        EXPECT_TRUE(pProgram->readAllStandardOutput().contains(c.out));
    }
}

// The running side takes only whole requests in its own words, however they arrive, and hangs
// up on anything else without opening anything.
TEST_F(RunningProgramTest, ServerTakesWholeRequestsAndHangsUpOnAnythingElse) {
    // A full path keeps the socket and its lock in the test's own folder.
    CSingleInstance instance(m_home.filePath("server"));
    ASSERT_EQ(CSingleInstance::Start::Run, instance.ForwardOrServe({}));
    QSignalSpy opened(&instance, &CSingleInstance::OpenRequested);
    const struct {
        QList<QByteArray> chunks;
        QByteArray answer;
        QStringList files;
    } table[] = {
        {{"quillmar-op", "en\n%2Fa%0Ab%25.bod\n/c", ".bod\n", "\n"},
         "taken\n",
         {"/a\nb%.bod", "/c.bod"}},
        {{"quillmar-open\n\n"}, "taken\n", {}},
        {{"GET / HTTP/1.0\r\n\r\n"}, {}, {}},
        {{"quillmar-open\n" + QByteArray(2 << 20, 'x')}, {}, {}},
    };
    for (const auto& row : table) {
        SCOPED_TRACE(row.chunks.front().left(20).toStdString());
        opened.clear();
        QLocalSocket peer;
        peer.connectToServer(m_home.filePath("server"));
        ASSERT_TRUE(peer.waitForConnected(kGuardMs));
        for (const QByteArray& chunk : row.chunks) {
            peer.write(chunk);
            peer.flush();
            QTest::qWait(0);
        }
        ASSERT_TRUE(QTest::qWaitFor([&] { return peer.state() == QLocalSocket::UnconnectedState; },
                                    kGuardMs));
        EXPECT_EQ(row.answer, peer.readAll());
        QTest::qWait(0);
        const QList<QVariantList> taken{{QVariant(row.files)}};
        EXPECT_EQ(row.answer.isEmpty() ? QList<QVariantList>() : taken,
                  QList<QVariantList>(opened));
    }
}

} // namespace
