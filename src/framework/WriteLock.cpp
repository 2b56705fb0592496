#include "framework/WriteLock.h"

#include "framework/SafeWrite.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QThread>

#ifdef Q_OS_WIN
#include <QDir>
#include <qt_windows.h>
#include <string>
#else
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

enum class LockResult { Held, Busy, Refused };

#ifdef Q_OS_WIN
// A file opened for nobody else to open, which goes with its last handle: the system lets go of
// it when its process ends, however it ends, and one left behind by a program that is gone (or a
// crash of the machine) simply opens. (Qt's QLockFile judges a lock file by the process number
// written in it, and waits out an empty one for half a minute.)
class CLockFile {
public:
    explicit CLockFile(const QString& strPath)
        : m_strPath(QDir::toNativeSeparators(strPath).toStdWString()) {}
    ~CLockFile() {
        if (m_handle != INVALID_HANDLE_VALUE) {
            CloseHandle(m_handle);
        }
    }
    CLockFile(const CLockFile&) = delete;
    CLockFile& operator=(const CLockFile&) = delete;

    LockResult TryLock() {
        // Twice: a lock file let go between the open and the look at it is gone, and opens now.
        // A link put in its place is opened itself, never followed: deleting on close must not
        // reach a file it points to.
        for (int nTry = 0; nTry < 2; ++nTry) {
            m_handle = CreateFileW(
                m_strPath.c_str(), GENERIC_READ | DELETE, 0, nullptr, OPEN_ALWAYS,
                FILE_ATTRIBUTE_NORMAL | FILE_FLAG_DELETE_ON_CLOSE | FILE_FLAG_OPEN_REPARSE_POINT,
                nullptr);
            if (m_handle != INVALID_HANDLE_VALUE) {
                return LockResult::Held;
            }
            if (GetLastError() == ERROR_SHARING_VIOLATION) {
                return LockResult::Busy;
            }
            // A file that is being deleted, while a program that looked at it still has it open,
            // refuses every open as access denied; so does a folder that takes no new file.
            if (GetLastError() != ERROR_ACCESS_DENIED) {
                return LockResult::Refused;
            }
            if (GetFileAttributesW(m_strPath.c_str()) != INVALID_FILE_ATTRIBUTES) {
                return LockResult::Refused;
            }
            if (GetLastError() == ERROR_ACCESS_DENIED) {
                return LockResult::Busy;
            }
        }
        return LockResult::Refused;
    }

private:
    std::wstring m_strPath;
    HANDLE m_handle = INVALID_HANDLE_VALUE;
};
#else
// A file held with flock(), which the system lets go when its process ends: one left by a program
// that is gone is simply taken over. (Qt's QLockFile syncs its file to the disk, which costs more
// than the save it guards.)
class CLockFile {
public:
    explicit CLockFile(const QString& strPath) : m_path(QFile::encodeName(strPath)) {}
    ~CLockFile() {
        if (m_nFd >= 0) {
            ::unlink(m_path.constData());
            ::close(m_nFd);
        }
    }
    CLockFile(const CLockFile&) = delete;
    CLockFile& operator=(const CLockFile&) = delete;

    LockResult TryLock() {
        // Read-only is enough to hold it, and lets a lock file made by another account be used.
        const int nFd =
            ::open(m_path.constData(), O_RDONLY | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0644);
        if (nFd < 0) {
            return LockResult::Refused;
        }
        // The holder before removes the name as it lets go: a file no longer under the name is
        // a lock nobody else sees.
        struct stat held {};
        struct stat named {};
        if (::flock(nFd, LOCK_EX | LOCK_NB) == 0 && ::fstat(nFd, &held) == 0 &&
            ::stat(m_path.constData(), &named) == 0 && held.st_dev == named.st_dev &&
            held.st_ino == named.st_ino) {
            m_nFd = nFd;
            return LockResult::Held;
        }
        ::close(nFd);
        return LockResult::Busy;
    }

private:
    QByteArray m_path;
    int m_nFd = -1;
};
#endif

namespace {

// A save takes milliseconds; this is how often a waiting writer looks again.
constexpr unsigned long kPollMs = 20;

} // namespace

CWriteLock::CWriteLock() = default;
CWriteLock::CWriteLock(NativeFile::Name document) : m_document(std::move(document)) {}
CWriteLock::~CWriteLock() = default;
CWriteLock::CWriteLock(CWriteLock&& other) noexcept = default;
CWriteLock& CWriteLock::operator=(CWriteLock&& other) noexcept = default;

QString CWriteLock::Acquire(int nWaitMs) {
    // Every name of the file takes the same lock: the one beside the file the links lead to. A
    // link that is not followed is never written through, so its own name will do.
    NativeFile::Name target = m_document;
    SafeWrite::FollowLinks(target);
    QString strLockPath = NativeFile::ToDisplay(target) + QStringLiteral(".lock");
    bool bBeside = true;
    const QDeadlineTimer deadline(nWaitMs);
    for (;;) {
        m_pLock = std::make_unique<CLockFile>(strLockPath);
        const LockResult result = m_pLock->TryLock();
        if (result == LockResult::Held) {
            return {};
        }
        m_pLock.reset();
        if (result == LockResult::Refused) {
            const QString strFolder = NativeFile::PrivateFolder();
            if (!bBeside || strFolder.isEmpty()) {
                return QCoreApplication::translate("CWriteLock", "its lock file %1 cannot be made")
                    .arg(strLockPath);
            }
            bBeside = false;
            strLockPath =
                strFolder + QLatin1Char('/') + NativeFile::Digest(target) + QStringLiteral(".lock");
            continue;
        }
        if (deadline.hasExpired()) {
            return QCoreApplication::translate("CWriteLock", "another program is saving it; "
                                                             "gave up after %1 seconds")
                .arg(nWaitMs / 1000);
        }
        QThread::msleep(kPollMs);
    }
}
