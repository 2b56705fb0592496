#include "XSession.h"

#include <QApplication>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

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

} // namespace

// Each test runs as its own process (CTest starts one per test), and each process brings up a
// private X display: an Xvfb server on a display number it picks itself (so programs side by
// side never clash), openbox managing its windows, and a home and settings of its own.
// Listing the tests needs none of it.
int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (GTEST_FLAG_GET(list_tests)) {
        return RUN_ALL_TESTS();
    }
    // The configuration and cache go under the home; a temporary folder is its owner's alone,
    // as the runtime folder must be.
    const QTemporaryDir home;
    qputenv("HOME", home.path().toLocal8Bit());
    qputenv("XDG_RUNTIME_DIR", home.path().toLocal8Bit());
    qputenv("QT_QPA_PLATFORM", "xcb");
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
        // The window manager announces itself a moment before it maps windows, and a window
        // asked for in that moment has been seen never to appear: a first window that shows
        // proves it ready.
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
