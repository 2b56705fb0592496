#include "cli/StdStreams.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace {

bool g_bInputClosed = false;
bool g_bOutputClosed = false;

// True when descriptor nFd was closed and now refers to the null device.
bool TakeIfClosed(int nFd) {
#ifdef _WIN32
    // Windows gives no descriptor of a closed stream to the next file opened. -2 is the
    // Universal CRT's mark for a standard stream that has no handle; msvcrt's is -1.
    const intptr_t handle = _get_osfhandle(nFd);
    if (handle == -1 || handle == -2) {
        return true;
    }
    // Bytes as written: text mode would make each "\n" of a CSV's "\r\n" a second "\r\n", and
    // end a pasted input at the first Ctrl+Z.
    _setmode(nFd, _O_BINARY);
    return false;
#else
    if (fcntl(nFd, F_GETFD) != -1 || errno != EBADF) {
        return false;
    }
    const int nNull = open("/dev/null", nFd == 0 ? O_RDONLY : O_WRONLY);
    if (nNull != -1 && nNull != nFd) {
        dup2(nNull, nFd);
        close(nNull);
    }
    return true;
#endif
}

} // namespace

namespace StdStreams {

void Guard() {
    g_bInputClosed = TakeIfClosed(0);
    g_bOutputClosed = TakeIfClosed(1);
    TakeIfClosed(2);
}

bool IsInputClosed() {
    return g_bInputClosed;
}

bool IsOutputClosed() {
    return g_bOutputClosed;
}

std::string Finish() {
    if (g_bOutputClosed) {
        return "standard output is closed";
    }
    // A write that failed while the command ran left its cause here, and a failure at the end
    // leaves its own.
    const int nEarlierError = errno;
    errno = 0;
    std::cout.flush();
    const bool bFailed = !std::cout || std::fflush(stdout) != 0 || std::ferror(stdout) != 0;
    if (!bFailed) {
        return {};
    }
    const int nError = errno != 0 ? errno : nEarlierError;
    return std::string("standard output could not be written") +
           (nError != 0 ? std::string(": ") + std::strerror(nError) : std::string());
}

} // namespace StdStreams
