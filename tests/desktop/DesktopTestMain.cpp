#include "XSession.h"

#include <QApplication>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

// Each test runs as its own process (CTest starts one per test), and each process brings up
// its own X display with a window manager, home and settings; listing the tests needs none.
int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (GTEST_FLAG_GET(list_tests)) {
        return RUN_ALL_TESTS();
    }
    XSession session;
    if (!session.Error().isEmpty()) {
        fprintf(stderr, "%s\n", qPrintable(session.Error()));
        return 1;
    }
    QApplication app(argc, argv);
    // The window manager announces itself a moment before it maps windows, and a window asked
    // for in that moment has been seen never to appear: a first window that shows proves it
    // ready.
    bool bExposed = false;
    for (int nTry = 0; nTry < 6 && !bExposed; ++nTry) {
        QWidget probe;
        probe.show();
        bExposed = QTest::qWaitForWindowExposed(&probe, 10000);
    }
    if (!bExposed) {
        fprintf(stderr, "the window manager maps no window\n");
        return 1;
    }
    return RUN_ALL_TESTS();
}
