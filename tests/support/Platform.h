#pragma once

#include <QByteArray>
#include <QString>
#include <memory>

class QProcess;

// What the tests do differently on POSIX and on Windows, in one place. What the Windows build
// of the tests leaves out, and why, is listed in docs/windows.md.
namespace TestPlatform {

// How a test starts a program: with a stream that fails or is missing, or under a limit.
enum class ChildSetup {
    None,
    // Standard output fails at the first write: a full disk (POSIX), a pipe nobody reads
    // (Windows).
    OutputFails,
    OutputClosed,
    InputClosed,
    // Writing a file beyond 1000 bytes fails. POSIX only: Windows has no such limit.
    FileSizeLimit,
    // 256 MiB of address space. POSIX only: a Windows job's limit would be the counterpart,
    // but Wine does not enforce it, so it could not be checked here.
    MemoryLimit,
};

// Whether this system can start a program so; a test leaves out the cases it cannot.
bool Supports(ChildSetup setup);

// Sets process up to start so; keep it until the process has started.
class PreparedChild {
public:
    PreparedChild(QProcess& process, ChildSetup setup);
    ~PreparedChild();
    PreparedChild(const PreparedChild&) = delete;
    PreparedChild& operator=(const PreparedChild&) = delete;

private:
    // Windows: the write end of the pipe nobody reads, handed to the program.
    void* m_pPipe = nullptr;
};

// A pipe at a path, which a program opens as a file and reads to its end: a FIFO (POSIX) or a
// named pipe (Windows).
class NamedPipe {
public:
    NamedPipe();
    ~NamedPipe();
    NamedPipe(const NamedPipe&) = delete;
    NamedPipe& operator=(const NamedPipe&) = delete;

    const QString& Path() const { return m_strPath; }
    // Waits until a program has opened it; false when none did within a minute.
    bool WaitForReader();
    // Gives the reader bytes and then the end; false when they did not all go through.
    bool WriteAndClose(const QByteArray& bytes);

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

// Skips the rest of a test that differs under Wine only because Wine is not Windows.
#define SKIP_UNDER_WINE(reason)                                                                    \
    if (TestPlatform::IsWine())                                                                    \
    GTEST_SKIP() << "Wine is not Windows here: " reason
