#include "XSession.h"
#include "model/BodFile.h"
#include "support/BodToolRunner.h"
#include "support/TestDeeds.h"

#include <QProcess>
#include <gtest/gtest.h>

namespace {

// Starts the program; its first visible top-level window, once the window manager shows it.
QString Start(QProcess& program, const QStringList& args) {
    program.start(QStringLiteral(QUILLMAR_PROGRAM), args);
    QString strWindow;
    WaitFor([&] {
        const QByteArray ids = RunXTool(
            "xdotool", {"search", "--onlyvisible", "--pid", QString::number(program.processId())});
        strWindow = QString::fromLatin1(ids.split('\n').value(0));
        return !strWindow.isEmpty() || program.state() == QProcess::NotRunning;
    });
    return strWindow;
}

// The exit code once the program ends; -1 when it crashed or did not end.
int WaitForExit(const QProcess& program) {
    const bool bEnded = WaitFor([&] { return program.state() == QProcess::NotRunning; });
    return bEnded && program.exitStatus() == QProcess::NormalExit ? program.exitCode() : -1;
}

// Where the window's inside lies on the screen, as "X=..\nY=..\nWIDTH=..\nHEIGHT=..\n...".
std::string ClientRect(const QString& strWindow) {
    const QByteArray out = RunXTool("xdotool", {"getwindowgeometry", "--shell", strWindow});
    return out.mid(out.indexOf("\nX=") + 1).toStdString();
}

bool IsMaximized(const QString& strWindow) {
    return RunXTool("xprop", {"-id", strWindow, "_NET_WM_STATE"}).contains("MAXIMIZED_HORZ");
}

void Close(const QProcess& program, const QString& strWindow) {
    // As the close box does: the window manager asks the program to close.
    RunXTool("wmctrl", {"-i", "-c", strWindow});
    EXPECT_EQ(0, WaitForExit(program));
}

// Restarting puts the main window back where the user left it, frame and all, however often.
// Printing from the command line opens a window nobody sees: it must leave the stored places
// alone, and without a printer it must say so, with the focus on the message, before exit 1.
TEST(DesktopProgramTest, MainWindowComesBackWhereItWasAndPrintingLeavesThePlacesAlone) {
    const QString strConf = qEnvironmentVariable("HOME") + "/.config/Larkfield/Quillmar.conf";
    std::string strPlaced;
    for (int nStart = 0; nStart <= 3; ++nStart) {
        SCOPED_TRACE(nStart);
        QProcess program;
        const QString strWindow = Start(program, {});
        ASSERT_FALSE(strWindow.isEmpty());
        if (nStart == 0) {
            RunXTool("wmctrl", {"-i", "-r", strWindow, "-e", "0,143,171,702,455"});
            ASSERT_TRUE(WaitFor([&] {
                return ClientRect(strWindow).find("\nWIDTH=702\nHEIGHT=455\n") != std::string::npos;
            }));
            strPlaced = ClientRect(strWindow);
        } else if (nStart == 3) {
            ASSERT_TRUE(WaitFor([&] { return IsMaximized(strWindow); }));
            RunXTool("wmctrl",
                     {"-i", "-r", strWindow, "-b", "remove,maximized_vert,maximized_horz"});
        }
        // The window manager may settle the window after it maps; the guard only stops a hang.
        WaitFor([&] { return ClientRect(strWindow) == strPlaced; }, std::chrono::seconds(20));
        EXPECT_EQ(strPlaced, ClientRect(strWindow));
        if (nStart == 2) {
            RunXTool("wmctrl", {"-i", "-r", strWindow, "-b", "add,maximized_vert,maximized_horz"});
            ASSERT_TRUE(WaitFor([&] { return IsMaximized(strWindow); }));
        }
        Close(program, strWindow);
        if (nStart == 0) {
            const QString strDocument = qEnvironmentVariable("HOME") + "/deeds.bod";
            WriteFileBytes(strDocument, QByteArray::fromStdString(BodFile::Write(
                                            TestDeeds::MakeDeeds(TestDeeds::MixedDeeds()), 0, 0)));
            const QByteArray stored = ReadFileBytes(strConf);
            ASSERT_TRUE(stored.contains("[ChildFrame]"));
            QProcess print;
            const QString strBox = Start(print, {"--print", strDocument});
            ASSERT_FALSE(strBox.isEmpty()) << "no message box";
            RunXTool("xdotool", {"windowactivate", "--sync", strBox, "key", "Return"});
            EXPECT_EQ(1, WaitForExit(print));
            EXPECT_TRUE(print.readAllStandardError().contains(" could not be printed."));
            // The document goes to the recent files, after the places.
            EXPECT_EQ(stored.toStdString(),
                      ReadFileBytes(strConf).left(stored.size()).toStdString());
        }
    }
}

} // namespace
