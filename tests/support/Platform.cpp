#include "support/Platform.h"

#include <QProcess>

#ifdef Q_OS_WIN
#include <QDir>
#include <QUuid>
#include <qt_windows.h>
#include <string>
#else
#include <QTemporaryDir>
#include <csignal>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#ifdef Q_OS_LINUX
#include <sys/prctl.h>
#endif
#endif

namespace TestPlatform {

#ifdef Q_OS_WIN

// The program gets other standard handles than QProcess's pipes.
void Prepare(QProcess& process, ChildSetup setup) {
    HANDLE output = nullptr;
    if (setup == ChildSetup::OutputFails) {
        SECURITY_ATTRIBUTES inherited{sizeof inherited, nullptr, TRUE};
        HANDLE read = nullptr;
        if (CreatePipe(&read, &output, &inherited, 0)) {
            CloseHandle(read);
            QObject::connect(&process, &QObject::destroyed, [output] { CloseHandle(output); });
        }
    }
    process.setCreateProcessArgumentsModifier([setup, output](auto* pArgs) {
        if (setup == ChildSetup::OutputFails || setup == ChildSetup::OutputClosed) {
            pArgs->startupInfo->hStdOutput = output;
        } else if (setup == ChildSetup::InputClosed) {
            pArgs->startupInfo->hStdInput = nullptr;
        }
        if (setup == ChildSetup::OutputClosed || setup == ChildSetup::InputClosed) {
            // Wine gives a program with a console of its own that console's streams in place of
            // missing ones; detached from every console, it keeps them missing, as Windows does.
            pArgs->flags = (pArgs->flags & ~DWORD{CREATE_NO_WINDOW}) | DETACHED_PROCESS;
        }
    });
}

struct NamedPipe::Impl {
    HANDLE pipe = INVALID_HANDLE_VALUE;
    ~Impl() {
        if (pipe != INVALID_HANDLE_VALUE) {
            CloseHandle(pipe);
        }
    }
};

NamedPipe::NamedPipe() : m_pImpl(std::make_unique<Impl>()) {
    m_strPath = "\\\\.\\pipe\\quillmar-test-" + QUuid::createUuid().toString(QUuid::Id128);
    m_pImpl->pipe = CreateNamedPipeW(m_strPath.toStdWString().c_str(), PIPE_ACCESS_DUPLEX,
                                     PIPE_TYPE_BYTE | PIPE_WAIT, 1, 0, 0, 0, nullptr);
}

bool IsWine() {
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

QString HostPath(const QString& strPath) {
    // Wine's kernel32 alone has it; the name comes from Wine's heap.
    using ToUnix = char*(__cdecl*)(const wchar_t*);
    const auto toUnix = reinterpret_cast<ToUnix>(reinterpret_cast<void (*)()>(
        GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
    if (toUnix == nullptr) {
        return strPath;
    }
    char* pszUnix = toUnix(QDir::toNativeSeparators(strPath).toStdWString().c_str());
    const QString strUnix = pszUnix != nullptr ? QString::fromUtf8(pszUnix) : strPath;
    HeapFree(GetProcessHeap(), 0, pszUnix);
    return strUnix;
}

#else

// Runs in the program's process before it starts: only calls that are safe there.
void Prepare(QProcess& process, ChildSetup setup) {
    process.setChildProcessModifier([setup] {
#ifdef Q_OS_LINUX
        // A test stopped at its guard must not leave its programs running.
        ::prctl(PR_SET_PDEATHSIG, SIGKILL);
#endif
        if (setup == ChildSetup::OutputFails) {
            ::dup2(::open("/dev/full", O_WRONLY), 1);
        } else if (setup == ChildSetup::OutputClosed || setup == ChildSetup::InputClosed) {
            ::close(setup == ChildSetup::InputClosed ? 0 : 1);
        } else if (setup == ChildSetup::FileSizeLimit) {
            std::signal(SIGXFSZ, SIG_IGN);
            const rlimit limit{1000, 1000};
            ::setrlimit(RLIMIT_FSIZE, &limit);
        } else if (setup == ChildSetup::MemoryLimit) {
            const rlimit limit{rlim_t{256} << 20, rlim_t{256} << 20};
            ::setrlimit(RLIMIT_AS, &limit);
        }
    });
}

struct NamedPipe::Impl {
    QTemporaryDir dir;
};

NamedPipe::NamedPipe() : m_pImpl(std::make_unique<Impl>()) {
    m_strPath = m_pImpl->dir.filePath("pipe");
    ::mkfifo(QFile::encodeName(m_strPath).constData(), 0600);
}

bool IsWine() {
    return false;
}

QString HostPath(const QString& strPath) {
    return strPath;
}

#endif

NamedPipe::~NamedPipe() = default;

} // namespace TestPlatform
