#pragma once

#include <QByteArray>
#include <QStringList>
#include <chrono>
#include <functional>

// The test program's private X display (see DesktopTestMain.cpp) is the one in DISPLAY.

// Runs an X tool (xdotool, xprop, wmctrl) on that display; its standard output, or nothing
// when it fails.
QByteArray RunXTool(const QString& strProgram, const QStringList& args);

// Polls until bDone() holds or the guard (against hangs only) runs out, running the event loop
// when there is one.
bool WaitFor(const std::function<bool()>& bDone,
             std::chrono::milliseconds guard = std::chrono::minutes(2));
