#include "XSession.h"

#include <QApplication>
#include <QSettings>
#include <QStandardPaths>
#include <QTest>
#include <QWidget>
#include <cstring>
#include <gtest/gtest.h>
#include <memory>

// Each test runs as its own process (CTest starts one per test), and each process brings up
// its own X display with a window manager; listing the tests needs no display.
int main(int argc, char** argv) {
    bool bListOnly = false;
    for (int i = 1; i < argc; ++i) {
        bListOnly = bListOnly || std::strcmp(argv[i], "--gtest_list_tests") == 0;
    }
    ::testing::InitGoogleTest(&argc, argv);
    if (bListOnly) {
        return RUN_ALL_TESTS();
    }
    XSession session;
    if (!session.Error().isEmpty()) {
        fprintf(stderr, "%s\n", qPrintable(session.Error()));
        return 1;
    }
    QStandardPaths::setTestModeEnabled(true);
    QApplication app(argc, argv);
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, session.Home());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, session.Home());
    QApplication::setOrganizationName("Larkfield");
    QApplication::setApplicationName("QuillmarTests");
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
