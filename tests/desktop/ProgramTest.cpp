#include "XSession.h"
#include "model/BodFile.h"
#include "support/BodToolRunner.h"
#include "support/TestDeeds.h"

#include <QDir>
#include <QMap>
#include <QRect>
#include <gtest/gtest.h>

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
    QMap<QByteArray, int> values;
    for (const QByteArray& line :
         RunXTool("xdotool", {"getwindowgeometry", "--shell", strWindow}).split('\n')) {
        values[line.split('=').value(0)] = line.split('=').value(1).toInt();
    }
    return {values["X"], values["Y"], values["WIDTH"], values["HEIGHT"]};
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
// Printing from the command line opens a window nobody sees: it must leave the stored places
// alone, and without a printer it must say so, with the focus on the message, before exit 1.
TEST(DesktopProgramTest, MainWindowComesBackWhereItWasAndPrintingLeavesThePlacesAlone) {
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
    {
        const QTemporaryDir dir;
        const QString strDocument = dir.filePath("deeds.bod");
        WriteFileBytes(strDocument, QByteArray::fromStdString(BodFile::Write(
                                        TestDeeds::MakeDeeds(TestDeeds::MixedDeeds()), 0, 0)));
        const QString strConf =
            QDir(qEnvironmentVariable("XDG_CONFIG_HOME")).filePath("Larkfield/Quillmar.conf");
        const QByteArray stored = ReadFileBytes(strConf);
        ASSERT_TRUE(stored.contains("[ChildFrame]"));
        Program print({"--print", strDocument});
        const QString strBox = print.WaitForWindow();
        ASSERT_FALSE(strBox.isEmpty()) << "no message box";
        RunXTool("xdotool", {"windowactivate", "--sync", strBox, "key", "Return"});
        EXPECT_EQ(1, print.WaitForExit());
        EXPECT_TRUE(print.Errors().contains(" could not be printed."));
        // The document goes to the recent files, after the places.
        EXPECT_EQ(stored.toStdString(), ReadFileBytes(strConf).left(stored.size()).toStdString());
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

} // namespace
