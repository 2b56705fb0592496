#include "XSession.h"

#include <QApplication>
#include <QSettings>
#include <QStandardPaths>
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
    return RUN_ALL_TESTS();
}
