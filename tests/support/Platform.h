#pragma once

#include <QString>
#include <memory>

class QProcess;

// What the tests do differently on POSIX and on Windows, in one place; docs/windows.md lists
// what the Windows build of the tests leaves out, and why.
namespace TestPlatform {

// How a test starts a program. A failing output is a full disk on POSIX, a pipe nobody reads
// on Windows; a closed stream there is no handle at all.
enum class ChildSetup { None, OutputFails, OutputClosed, InputClosed, FileSizeLimit, MemoryLimit };

// Windows has no file size limit; a job's memory limit would do for the address space, but Wine
// does not enforce it, so it could not be checked here. A test leaves such cases out.
constexpr bool Supports([[maybe_unused]] ChildSetup setup) {
#ifdef Q_OS_WIN
    return setup != ChildSetup::FileSizeLimit && setup != ChildSetup::MemoryLimit;
#else
    return true;
#endif
}

// Sets process up to start so (a file limit of 1000 bytes, an address space of 256 MiB).
void Prepare(QProcess& process, ChildSetup setup);

// A pipe at a path that no program writes to: a FIFO, or a named pipe of one instance, which the
// first program to open it takes, so that every later open finds it busy.
class NamedPipe {
public:
    NamedPipe();
    ~NamedPipe();
    const QString& Path() const { return m_strPath; }

private:
    struct Impl;
    std::unique_ptr<Impl> m_pImpl;
    QString m_strPath;
};

// True under Wine, whose differences from Windows are not the program's.
bool IsWine();

// strPath as a program of the machine reads it: under Wine, a Linux program such as pdftotext
// needs the Unix name.
QString HostPath(const QString& strPath);

} // namespace TestPlatform
