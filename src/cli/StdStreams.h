#pragma once

#include <string>

// The standard streams of bodtool. A parent may start it with a standard descriptor closed;
// the first file bodtool opened would then take that number, and output meant for the
// terminal would land in a document.
namespace StdStreams {

// Call first in main: gives each closed standard descriptor to the null device and remembers
// that it was closed.
void Guard();
bool IsInputClosed();
bool IsOutputClosed();

// Flushes standard output; returns an empty string when everything written reached it, else
// why not.
std::string Finish();

} // namespace StdStreams
