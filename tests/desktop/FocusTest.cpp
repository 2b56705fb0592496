#include "XSession.h"
#include "widgets/AboutDlg.h"
#include "widgets/LinkLabel.h"

#include <QTest>
#include <gtest/gtest.h>

namespace {

// A real click gives a widget the focus (offscreen it does not): after the link was clicked,
// Enter must still press OK instead of opening the mail program again.
TEST(DesktopFocusTest, EnterInTheAboutBoxPressesOkAfterTheLinkWasClicked) {
    CAboutDlg dlg;
    int nOpened = 0;
    dlg.GetLink()->SetOpener([&nOpened](const QUrl&) {
        ++nOpened;
        return true;
    });
    dlg.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dlg, 120000));
    // As a click on the taskbar would: the window manager gives a program's own request for
    // the focus no such weight.
    RunXTool("xdotool", {"windowactivate", "--sync", QString::number(dlg.winId())});
    ASSERT_TRUE(WaitFor([&] { return dlg.isActiveWindow(); }));
    const QPoint pt = dlg.GetLink()->mapToGlobal(dlg.GetLink()->rect().center());
    RunXTool("xdotool", {"mousemove", "--sync", QString::number(pt.x()), QString::number(pt.y()),
                         "click", "1"});
    ASSERT_TRUE(WaitFor([&] { return nOpened == 1; }));
    RunXTool("xdotool", {"key", "Return"});
    ASSERT_TRUE(WaitFor([&] { return !dlg.isVisible(); }));
    EXPECT_EQ(QDialog::Accepted, dlg.result());
    EXPECT_EQ(1, nOpened);
}

} // namespace
