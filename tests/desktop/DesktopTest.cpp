#include "document/QuillmarDoc.h"
#include "frames/ChildFrame.h"
#include "frames/QuillmarAppFixture.h"
#include "support/BodToolRunner.h"
#include "support/TestDeeds.h"
#include "support/TestEnvironment.h"
#include "support/TreeNodes.h"
#include "views/DragImage.h"
#include "views/FilterBar.h"
#include "views/LeftView.h"
#include "views/QuillmarView.h"
#include "widgets/AboutDlg.h"
#include "widgets/LinkLabel.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QDeadlineTimer>
#include <QImage>
#include <QLineEdit>
#include <QProcess>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <chrono>

namespace {

using namespace TestDeeds;

// An X tool's (xdotool, xprop, wmctrl) standard output, or nothing when it fails.
QByteArray RunXTool(const QString& strProgram, const QStringList& args) {
    QProcess process;
    process.start(strProgram, args);
    // Only the X server hears the tools: the program under test need not run meanwhile.
    const bool bDone = process.waitForFinished(60000) &&
                       process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
    return bDone ? process.readAllStandardOutput() : QByteArray();
}

// Polls bDone() until it holds or the guard (against hangs only) runs out.
bool WaitFor(const std::function<bool()>& bDone,
             std::chrono::milliseconds guard = std::chrono::minutes(2)) {
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

// Moves the real pointer to pt and then does what follows, in xdotool's words.
void Pointer(const QPoint& pt, const QStringList& then = {}) {
    RunXTool("xdotool",
             QStringList{"mousemove", "--sync", QString::number(pt.x()), QString::number(pt.y())} +
                 then);
    QApplication::processEvents();
}

void Stop(QProcess& process) {
    process.terminate();
    if (!process.waitForFinished(10000)) {
        process.kill();
        process.waitForFinished();
    }
}

int Fail(const QString& strWhy) {
    fprintf(stderr, "%s\n", qPrintable(strWhy));
    return 1;
}

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

class DesktopTest : public QuillmarAppFixture {};

// A small deed dragged with the real pointer through the X server over the large deed that
// needs it, then beside the tree in a real window, and let go there.
TEST_F(DesktopTest, ReleasedBesideTheTreeDropsNothing) {
    ASSERT_TRUE(Start());
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&Frame(), 120000));
    CBodArray bods;
    bods.push_back(
        MakeLargeDeed({"Smithy", "Platemail", "iron", "20", "Normal", "LBOD/platemail", "0/40"},
                      {"platemail gloves", "platemail arms"}));
    bods.push_back(
        MakeDeed({"Smithy", "Platemail", "iron", "20", "Normal", "platemail gloves", "20/20"}));
    Frame().GetActiveDocument()->ImportDeeds(std::move(bods));
    CLeftView& tree = *Frame().GetActiveChildFrame()->GetLeftView();
    CQuillmarDoc& doc = *Frame().GetActiveDocument();
    tree.expandAll();
    QApplication::processEvents();
    const auto nodeOf = [&](std::size_t nBod) {
        return NodeOf(tree, doc.GetBods()[nBod]);
    };
    const auto iconOf = [&](std::size_t nBod) {
        const QRect rc = tree.visualRect(nodeOf(nBod));
        return tree.viewport()->mapToGlobal(QPoint(rc.left() + 8, rc.center().y()));
    };
    // Level with the large deed's row, over the form.
    const QPoint ptBeside(
        tree.viewport()->mapToGlobal(QPoint(tree.viewport()->width(), 0)).x() + 60, iconOf(0).y());

    Pointer(iconOf(1), {"mousedown", "1"});
    Pointer(iconOf(1) + QPoint(8, 8));
    Pointer(iconOf(0));
    ASSERT_TRUE(WaitFor([&] { return tree.DropHighlight() == nodeOf(0); }));

    // Without a compositor a see-through picture turns black: the label must still show.
    CDragImage* pImage = nullptr;
    for (QWidget* pWidget : QApplication::topLevelWidgets()) {
        if (auto* pShown = qobject_cast<CDragImage*>(pWidget); pShown && pShown->isVisible()) {
            pImage = pShown;
        }
    }
    ASSERT_NE(nullptr, pImage);
    const auto legible = [pImage] {
        const QImage shot =
            QGuiApplication::primaryScreen()
                ->grabWindow(0, pImage->x(), pImage->y(), pImage->width(), pImage->height())
                .toImage();
        int nLight = 0;
        int nDark = 0;
        for (int y = 0; y < shot.height(); ++y) {
            for (int x = 0; x < shot.width(); ++x) {
                const int nLightness = QColor(shot.pixel(x, y)).lightness();
                nLight += nLightness > 160 ? 1 : 0;
                nDark += nLightness < 96 ? 1 : 0;
            }
        }
        return nLight > shot.width() * shot.height() / 2 && nDark > 0;
    };
    // The picture is painted when the program gets to it; the guard only stops a hang.
    EXPECT_TRUE(WaitFor(legible, std::chrono::seconds(20)));

    Pointer(ptBeside);
    EXPECT_TRUE(WaitFor([&] { return !tree.DropHighlight().isValid(); }, std::chrono::seconds(20)));
    EXPECT_EQ(Qt::ForbiddenCursor, QGuiApplication::overrideCursor()->shape());
    RunXTool("xdotool", {"mouseup", "1"});
    ASSERT_TRUE(WaitFor([&] { return !tree.IsDragging(); }));
    EXPECT_EQ("2 0/40", std::to_string(doc.GetBods().size()) + ' ' + doc.GetBods()[0]->m_strCount);
}

// Real keys through the X server: Ctrl+Z in the form's price undoes the typing there, not the
// import; Delete in the tree asks about the form's edits, then deletes; Escape in an open Find list
// closes the list only, a second Escape the bar.
TEST_F(DesktopTest, UndoInAFieldDeleteInTheTreeAndEscapeInAFindList) {
    ASSERT_TRUE(Start());
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&Frame(), 120000));
    RunXTool("xdotool", {"windowactivate", "--sync", QString::number(Frame().winId())});
    ASSERT_TRUE(WaitFor([&] { return Frame().isActiveWindow(); }));
    CQuillmarDoc& doc = *Frame().GetActiveDocument();
    doc.ImportDeeds(MakeDeeds({{"Smithy", "Weapon", "iron", "10", "Normal", "axe", "0/10"},
                               {"Smithy", "Weapon", "iron", "10", "Normal", "cutlass", "0/10"}}));
    CChildFrame& frame = *Frame().GetActiveChildFrame();
    CLeftView& tree = *frame.GetLeftView();
    tree.setCurrentIndex(NodeOf(tree, doc.GetBods()[0]));
    auto* pPrice = frame.GetFormView()->findChild<QLineEdit*>("editPrice");
    const auto focus = [](QWidget* pWidget) {
        pWidget->setFocus(Qt::OtherFocusReason);
        return WaitFor([pWidget] { return pWidget->hasFocus(); });
    };
    ASSERT_TRUE(focus(pPrice));
    RunXTool("xdotool", {"type", "7"});
    ASSERT_TRUE(WaitFor([&] { return pPrice->text() == "7"; }));
    RunXTool("xdotool", {"key", "ctrl+z"});
    EXPECT_TRUE(WaitFor([&] { return pPrice->text().isEmpty(); }));
    EXPECT_EQ(std::size_t(2), doc.GetBods().size());

    ASSERT_TRUE(focus(&tree));
    m_prompt.QueueAnswer(IPrompt::Answer::No);
    m_prompt.QueueAnswer(IPrompt::Answer::Yes);
    RunXTool("xdotool", {"key", "Delete"});
    EXPECT_TRUE(WaitFor([&] { return doc.GetBods().size() == 1; }));
    EXPECT_EQ(QString("The changes to axe are not applied yet. Apply them?|Are you sure you want "
                      "to delete this BOD?"),
              m_prompt.m_messages.mid(1).join('|'));

    RunXTool("xdotool", {"key", "ctrl+f", "type", "cut"});
    CFilterBar& bar = *frame.GetFilterBar();
    ASSERT_TRUE(WaitFor([&] { return bar.GetTextEdit()->text() == "cut"; }));
    QComboBox& size = *bar.GetSizeChoice();
    ASSERT_TRUE(focus(&size));
    RunXTool("xdotool", {"key", "alt+Down"});
    ASSERT_TRUE(WaitFor([&] { return size.view()->isVisible(); }));
    RunXTool("xdotool", {"key", "Escape"});
    EXPECT_TRUE(WaitFor([&] { return !size.view()->isVisible(); }));
    EXPECT_EQ("cut shown",
              (bar.GetTextEdit()->text() + (bar.isHidden() ? "" : " shown")).toStdString());
    RunXTool("xdotool", {"key", "Escape"});
    EXPECT_TRUE(WaitFor([&] { return bar.isHidden(); }));
}

// A real click gives a widget the focus (offscreen it does not): after the link was clicked,
// Enter must still press OK instead of opening the mail program again.
TEST(DesktopFocusTest, EnterInTheAboutBoxPressesOkAfterTheLinkWasClicked) {
    CAboutDlg dlg;
    int nOpened = 0;
    dlg.GetLink()->SetOpener([&nOpened](const QUrl&) { return ++nOpened > 0; });
    dlg.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dlg, 120000));
    // As a click on the taskbar would: the window manager ignores a program's own request.
    RunXTool("xdotool", {"windowactivate", "--sync", QString::number(dlg.winId())});
    ASSERT_TRUE(WaitFor([&] { return dlg.isActiveWindow(); }));
    const QPoint pt = dlg.GetLink()->mapToGlobal(dlg.GetLink()->rect().center());
    Pointer(pt, {"click", "1"});
    ASSERT_TRUE(WaitFor([&] { return nOpened == 1; }));
    RunXTool("xdotool", {"key", "Return"});
    ASSERT_TRUE(WaitFor([&] { return !dlg.isVisible(); }));
    EXPECT_EQ(std::pair(int(QDialog::Accepted), 1), std::pair(dlg.result(), nOpened));
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
        // As the close box does: the window manager asks the program to close.
        RunXTool("wmctrl", {"-i", "-c", strWindow});
        EXPECT_EQ(0, WaitForExit(program));
        if (nStart == 0) {
            const QString strDocument = qEnvironmentVariable("HOME") + "/deeds.bod";
            WriteFileBytes(strDocument, {});
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

// CTest runs each test as a process of its own, with a private X display: Xvfb on a display
// number it picks itself (so programs side by side never clash), openbox managing its windows,
// and a home and settings of its own. Listing the tests needs none of it.
int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (GTEST_FLAG_GET(list_tests)) {
        return RUN_ALL_TESTS();
    }
    // Config and cache go under the home, which is its owner's alone, as a runtime folder must be.
    const QTemporaryDir home;
    qputenv("HOME", home.path().toLocal8Bit());
    qputenv("XDG_RUNTIME_DIR", home.path().toLocal8Bit());
    qputenv("QT_QPA_PLATFORM", "xcb");
    PinFontsAndLook(home.path());
    for (const char* pszName :
         {"XDG_CONFIG_HOME", "XDG_CACHE_HOME", "XDG_DATA_HOME", "WAYLAND_DISPLAY", "XAUTHORITY"}) {
        qunsetenv(pszName);
    }
    // Nobody reads their chatter: a full pipe would stop them.
    QProcess server;
    QProcess windowManager;
    server.setStandardErrorFile(QProcess::nullDevice());
    windowManager.setStandardOutputFile(QProcess::nullDevice());
    windowManager.setStandardErrorFile(QProcess::nullDevice());
    // The server writes the display number it chose once it accepts clients.
    server.start("Xvfb", {"-displayfd", "1", "-screen", "0", "1280x1024x24", "-nolisten", "tcp"});
    QByteArray number;
    while (!number.contains('\n') && server.waitForReadyRead(60000)) {
        number += server.readAllStandardOutput();
    }
    if (number.trimmed().isEmpty()) {
        return Fail("Xvfb did not start: " + server.errorString());
    }
    qputenv("DISPLAY", ":" + number.trimmed());
    // A window manager announces itself on the root window once it manages the screen. On a
    // loaded machine a start has been seen to come to nothing: the next try gets a fresh one.
    const auto managed = [] {
        return RunXTool("xprop", {"-root", "_NET_SUPPORTING_WM_CHECK"}).contains("window id");
    };
    bool bManaged = false;
    for (int nTry = 0; nTry < 3 && !bManaged; ++nTry) {
        Stop(windowManager);
        windowManager.start("openbox", {"--sm-disable"});
        bManaged = WaitFor(managed, std::chrono::seconds(40));
    }
    if (!bManaged) {
        return Fail("openbox did not start: " + windowManager.errorString());
    }
    int nResult = 1;
    {
        QApplication app(argc, argv);
        // A window asked for just after the window manager announced itself has been seen never
        // to appear: a first window that shows proves it ready.
        bool bExposed = false;
        for (int nTry = 0; nTry < 6 && !bExposed; ++nTry) {
            QWidget probe;
            probe.show();
            bExposed = QTest::qWaitForWindowExposed(&probe, 10000);
        }
        nResult = bExposed ? RUN_ALL_TESTS() : Fail("the window manager maps no window");
    }
    Stop(windowManager);
    Stop(server);
    return nResult;
}
