#include "XSession.h"
#include "model/BodFile.h"
#include "support/BodToolRunner.h"
#include "support/TestDeeds.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRect>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

// Failures name the rectangle, not its bytes.
void PrintTo(const QRect& rc, std::ostream* pOut) {
    *pOut << rc.x() << ',' << rc.y() << ' ' << rc.width() << 'x' << rc.height();
}

namespace {

// The real program in the test's display, with the session's home and settings.
class Program {
public:
    explicit Program(const QStringList& args) {
        m_process.start(QStringLiteral(QUILLMAR_PROGRAM), args);
    }
    ~Program() {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.kill();
            m_process.waitForFinished();
        }
    }

    // The program's first visible top-level window, once the window manager shows it.
    QString WaitForWindow() {
        QString strWindow;
        WaitFor([&] {
            const QByteArray ids = RunXTool("xdotool", {"search", "--onlyvisible", "--pid",
                                                        QString::number(m_process.processId())});
            strWindow = QString::fromLatin1(ids.split('\n').value(0));
            return !strWindow.isEmpty() || m_process.state() == QProcess::NotRunning;
        });
        return strWindow;
    }
    // The exit code once the program ends; -1 when it crashed or did not end.
    int WaitForExit() {
        if (!WaitFor([&] { return m_process.state() == QProcess::NotRunning; })) {
            return -1;
        }
        return m_process.exitStatus() == QProcess::NormalExit ? m_process.exitCode() : -1;
    }
    QByteArray Errors() { return m_process.readAllStandardError(); }

private:
    QProcess m_process;
};

// Where the window's inside lies on the screen.
QRect ClientRect(const QString& strWindow) {
    const QByteArray out = RunXTool("xdotool", {"getwindowgeometry", "--shell", strWindow});
    QRect rc;
    for (const QByteArray& line : out.split('\n')) {
        const QList<QByteArray> pair = line.split('=');
        const int nValue = pair.value(1).toInt();
        if (pair[0] == "X") {
            rc.moveLeft(nValue);
        } else if (pair[0] == "Y") {
            rc.moveTop(nValue);
        } else if (pair[0] == "WIDTH") {
            rc.setWidth(nValue);
        } else if (pair[0] == "HEIGHT") {
            rc.setHeight(nValue);
        }
    }
    return rc;
}

bool IsMaximized(const QString& strWindow) {
    return RunXTool("xprop", {"-id", strWindow, "_NET_WM_STATE"}).contains("MAXIMIZED_HORZ");
}

void Close(Program& program, const QString& strWindow) {
    // As the close box does: the window manager asks the program to close.
    RunXTool("wmctrl", {"-i", "-c", strWindow});
    EXPECT_EQ(0, program.WaitForExit());
}

// Restarting puts the main window back where the user left it, frame and all, however often.
TEST(DesktopPlacementTest, MainWindowComesBackWhereItWasOverThreeRestarts) {
    QRect rcPlaced;
    {
        Program first({});
        const QString strWindow = first.WaitForWindow();
        ASSERT_FALSE(strWindow.isEmpty());
        RunXTool("wmctrl", {"-i", "-r", strWindow, "-e", "0,143,171,702,455"});
        ASSERT_TRUE(WaitFor([&] { return ClientRect(strWindow).size() == QSize(702, 455); }));
        rcPlaced = ClientRect(strWindow);
        Close(first, strWindow);
    }
    for (int nRestart = 1; nRestart <= 3; ++nRestart) {
        SCOPED_TRACE(nRestart);
        Program again({});
        const QString strWindow = again.WaitForWindow();
        ASSERT_FALSE(strWindow.isEmpty());
        if (nRestart == 3) {
            ASSERT_TRUE(WaitFor([&] { return IsMaximized(strWindow); }));
            RunXTool("wmctrl",
                     {"-i", "-r", strWindow, "-b", "remove,maximized_vert,maximized_horz"});
        }
        // The window manager may settle the window after it maps; the guard only stops a hang.
        WaitFor([&] { return ClientRect(strWindow) == rcPlaced; }, std::chrono::seconds(20));
        EXPECT_EQ(rcPlaced, ClientRect(strWindow));
        if (nRestart == 2) {
            RunXTool("wmctrl", {"-i", "-r", strWindow, "-b", "add,maximized_vert,maximized_horz"});
            ASSERT_TRUE(WaitFor([&] { return IsMaximized(strWindow); }));
        }
        Close(again, strWindow);
    }
}

// Printing from the command line opens a window nobody sees: it must leave the stored places
// alone, and without a printer it must say so, with the focus on the message, before exit 1.
TEST(DesktopProgramTest, PrintSwitchWithoutAPrinterSaysSoAndKeepsThePlacement) {
    QTemporaryDir dir;
    const QString strDocument = dir.filePath("deeds.bod");
    WriteFileBytes(strDocument, QByteArray::fromStdString(BodFile::Write(
                                    TestDeeds::MakeDeeds(TestDeeds::MixedDeeds()), 0, 0)));
    const QString strConf =
        QDir(qEnvironmentVariable("XDG_CONFIG_HOME")).filePath("Larkfield/Quillmar.conf");
    QDir().mkpath(QFileInfo(strConf).path());
    const QByteArray placement = "[ChildFrame]\nBottom=300\nLeft=10\nRight=500\nSplit=300\n"
                                 "State=1\nTop=20\n\n[Frame]\nAlwaysOnTop=0\nBottom=500\n"
                                 "Left=40\nRight=700\nState=1\nTop=50\n";
    WriteFileBytes(strConf, placement);

    Program print({"--print", strDocument});
    const QString strBox = print.WaitForWindow();
    ASSERT_FALSE(strBox.isEmpty()) << "no message box";
    RunXTool("xdotool", {"windowactivate", "--sync", strBox, "key", "Return"});
    EXPECT_EQ(1, print.WaitForExit());
    EXPECT_TRUE(print.Errors().contains(" could not be printed."));
    QSettings stored(strConf, QSettings::IniFormat);
    WriteFileBytes(dir.filePath("seeded.conf"), placement);
    const QSettings seeded(dir.filePath("seeded.conf"), QSettings::IniFormat);
    ASSERT_EQ(12, seeded.allKeys().size());
    for (const QString& strKey : seeded.allKeys()) {
        EXPECT_EQ(seeded.value(strKey).toString(), stored.value(strKey).toString())
            << strKey.toStdString();
    }
}

} // namespace
