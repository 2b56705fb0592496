#include "framework/NativeFile.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstring>
#include <system_error>

#ifdef Q_OS_WIN
#include <io.h>
#include <qt_windows.h>
#else
#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace NativeFile {

Name FromArgument(const std::string& strArgument) {
#ifdef Q_OS_WIN
    // bodtool takes its arguments from the wide command line, as UTF-8.
    return Name(QString::fromUtf8(strArgument).toStdWString());
#else
    return Name(strArgument);
#endif
}

Name FromQt(const QString& strName) {
    return QFileInfo(strName).filesystemFilePath();
}

QString ToDisplay(const Name& name) {
#ifdef Q_OS_WIN
    return QString::fromStdWString(name.native());
#else
    return QFile::decodeName(QByteArray::fromStdString(name.native()));
#endif
}

QString Digest(const Name& name) {
    std::error_code error;
    const Name absolute = std::filesystem::absolute(name, error);
    const Name::string_type& native = (error ? name : absolute).native();
    const QByteArrayView bytes(reinterpret_cast<const char*>(native.data()),
                               static_cast<qsizetype>(native.size() * sizeof(native[0])));
    return QString::fromLatin1(
        QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex().left(32));
}

QString Open(QFile& file, const Name& name, Mode mode) {
    const QIODevice::OpenMode qtMode =
        mode == Mode::Read ? QIODevice::ReadOnly : QIODevice::ReadWrite;
#ifdef Q_OS_WIN
    // Qt takes Windows names whole, since they are wide text.
    file.setFileName(QString::fromStdWString(name.native()));
    // A new file takes the folder's access rules, which keep other accounts out of a profile.
    return file.open(mode == Mode::Read || mode == Mode::ReadWrite ? qtMode
                                                                   : qtMode | QIODevice::NewOnly)
               ? QString()
               : file.errorString();
#else
    int nFlags = O_CLOEXEC | O_NOCTTY | O_NONBLOCK;
    nFlags |= mode == Mode::Read ? O_RDONLY : O_RDWR;
    if (mode == Mode::CreateNew || mode == Mode::CreatePrivate) {
        nFlags |= O_CREAT | O_EXCL;
    }
    const int nFd = ::open(name.c_str(), nFlags, mode == Mode::CreatePrivate ? 0600 : 0666);
    if (nFd < 0) {
        return QString::fromLocal8Bit(std::strerror(errno));
    }
    // The descriptor was opened without blocking only so that a pipe cannot hang the opening.
    ::fcntl(nFd, F_SETFL, ::fcntl(nFd, F_GETFL) & ~O_NONBLOCK);
    if (!file.open(nFd, qtMode, QFileDevice::AutoCloseHandle)) {
        ::close(nFd);
        return file.errorString();
    }
    return {};
#endif
}

bool IsWritable(const Name& name) {
#ifdef Q_OS_WIN
    return ::_waccess(name.c_str(), 2) == 0;
#else
    return ::access(name.c_str(), W_OK) == 0;
#endif
}

#ifdef Q_OS_WIN
namespace {

// A handle to what is at name that reads nothing and keeps nobody out (a folder too), or
// INVALID_HANDLE_VALUE with GetLastError() saying why not.
HANDLE OpenToInspect(const Name& name) {
    return CreateFileW(name.c_str(), FILE_READ_ATTRIBUTES,
                       FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                       OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
}

} // namespace
#endif

Kind KindOf(const Name& name) {
#ifdef Q_OS_WIN
    // The C runtime's stat and Qt see no pipe at all, and a file of them opens and reads as any
    // other, until it waits forever.
    const HANDLE handle = OpenToInspect(name);
    if (handle == INVALID_HANDLE_VALUE) {
        switch (GetLastError()) {
        case ERROR_PIPE_BUSY:
            return Kind::Other;
        case ERROR_ACCESS_DENIED:
        case ERROR_SHARING_VIOLATION:
            return Kind::File; // opening it will say why not
        default:
            return Kind::Missing;
        }
    }
    BY_HANDLE_FILE_INFORMATION information{};
    const bool bFile = GetFileType(handle) == FILE_TYPE_DISK &&
                       GetFileInformationByHandle(handle, &information) &&
                       (information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
    CloseHandle(handle);
    return bFile ? Kind::File : Kind::Other;
#else
    struct stat status {};
    if (::stat(name.c_str(), &status) != 0) {
        return Kind::Missing;
    }
    return S_ISREG(status.st_mode) ? Kind::File : Kind::Other;
#endif
}

bool HasOtherNames(const Name& name) {
#ifdef Q_OS_WIN
    // The C runtime's stat, which MinGW's std::filesystem asks, counts one name always.
    const HANDLE handle = OpenToInspect(name);
    if (handle == INVALID_HANDLE_VALUE) {
        return false;
    }
    BY_HANDLE_FILE_INFORMATION information{};
    const bool bOthers =
        GetFileInformationByHandle(handle, &information) && information.nNumberOfLinks > 1;
    CloseHandle(handle);
    return bOthers;
#else
    std::error_code error;
    return std::filesystem::hard_link_count(name, error) > 1 && !error;
#endif
}

bool SyncToDisk(QFile& file) {
#ifdef Q_OS_WIN
    // A file Qt opened by name may have no C runtime descriptor; Qt has flushed it already.
    return file.handle() < 0 || ::_commit(file.handle()) == 0;
#else
    return ::fsync(file.handle()) == 0;
#endif
}

#ifndef Q_OS_WIN
namespace {

QString ErrorText() {
    return QString::fromLocal8Bit(std::strerror(errno));
}

} // namespace
#endif

bool MayFollowLink(const Name& link) {
#ifdef Q_OS_WIN
    Q_UNUSED(link);
    return true;
#else
    struct stat linkStat {};
    struct stat folderStat {};
    const Name folder = link.has_parent_path() ? link.parent_path() : Name(".");
    if (::lstat(link.c_str(), &linkStat) != 0 || ::stat(folder.c_str(), &folderStat) != 0) {
        return false;
    }
    const bool bShared = (folderStat.st_mode & S_ISVTX) != 0 && (folderStat.st_mode & S_IWOTH) != 0;
    return !bShared || linkStat.st_uid == ::geteuid() || linkStat.st_uid == folderStat.st_uid;
#endif
}

QString TakeAccessOf(QFile& file, const Name& original) {
#ifdef Q_OS_WIN
    // A new file inherits the folder's access list, as the file it replaces did.
    Q_UNUSED(file);
    Q_UNUSED(original);
    return {};
#else
    struct stat wanted {};
    struct stat now {};
    if (::stat(original.c_str(), &wanted) != 0 || ::fstat(file.handle(), &now) != 0) {
        return ErrorText();
    }
    // The mode goes last: a change of owner clears the set-user and set-group bits.
    if ((now.st_uid != wanted.st_uid || now.st_gid != wanted.st_gid) &&
        ::fchown(file.handle(), wanted.st_uid, wanted.st_gid) != 0) {
        return ErrorText();
    }
    return ::fchmod(file.handle(), wanted.st_mode & 07777) == 0 ? QString() : ErrorText();
#endif
}

QString PrivateFolder() {
#ifdef Q_OS_WIN
    // The temporary folder lies in the user's profile, which other accounts cannot enter.
    return QDir::tempPath();
#else
    const QString strOwn = QDir::tempPath() + QStringLiteral("/quillmar-") +
                           QString::number(static_cast<qulonglong>(::geteuid()));
    for (const QString& strFolder : {qEnvironmentVariable("XDG_RUNTIME_DIR"), strOwn}) {
        if (strFolder.isEmpty()) {
            continue;
        }
        const QByteArray folder = QFile::encodeName(strFolder);
        if (strFolder == strOwn) {
            ::mkdir(folder.constData(), 0700);
        }
        // Whoever made it must be this user, and nobody else may add or take a name in it.
        struct stat status {};
        if (::lstat(folder.constData(), &status) == 0 && S_ISDIR(status.st_mode) &&
            status.st_uid == ::geteuid() && (status.st_mode & 077) == 0) {
            return strFolder;
        }
    }
    return {};
#endif
}

bool IsPeerThisUser(qintptr nSocketDescriptor) {
#if defined(Q_OS_WIN)
    // Not asked on Windows, where the pipe's name is made from the user's own profile.
    Q_UNUSED(nSocketDescriptor);
    return true;
#elif defined(Q_OS_LINUX)
    ucred credentials{};
    socklen_t nSize = sizeof credentials;
    return ::getsockopt(static_cast<int>(nSocketDescriptor), SOL_SOCKET, SO_PEERCRED, &credentials,
                        &nSize) == 0 &&
           credentials.uid == ::geteuid();
#else
    uid_t nUid = 0;
    gid_t nGid = 0;
    return ::getpeereid(static_cast<int>(nSocketDescriptor), &nUid, &nGid) == 0 &&
           nUid == ::geteuid();
#endif
}

} // namespace NativeFile
