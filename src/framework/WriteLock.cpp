#include "framework/WriteLock.h"

#include "framework/SafeWrite.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QThread>

#ifdef Q_OS_WIN
#include <QLockFile>
#else
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

enum class LockResult { Held, Busy, Refused };

#ifdef Q_OS_WIN
// Qt's lock file, which finds a program that is gone by its process number.
class CLockFile {
public:
    explicit CLockFile(const QString& strPath) : m_lock(strPath) {}
    LockResult TryLock() {
        if (m_lock.tryLock(0)) {
            return LockResult::Held;
        }
        return m_lock.error() == QLockFile::LockFailedError ? LockResult::Busy
                                                            : LockResult::Refused;
    }

private:
    QLockFile m_lock;
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
