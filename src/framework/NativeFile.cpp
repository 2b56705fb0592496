#include "framework/NativeFile.h"

#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstring>

#ifdef Q_OS_WIN
#include <io.h>
#else
#include <fcntl.h>
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

QString Open(QFile& file, const Name& name, Mode mode) {
    const QIODevice::OpenMode qtMode =
        mode == Mode::Read ? QIODevice::ReadOnly : QIODevice::ReadWrite;
#ifdef Q_OS_WIN
    // Qt takes Windows names whole, since they are wide text.
    file.setFileName(QString::fromStdWString(name.native()));
    return file.open(mode == Mode::CreateNew ? qtMode | QIODevice::NewOnly : qtMode)
               ? QString()
               : file.errorString();
#else
    int nFlags = O_CLOEXEC | O_NOCTTY | O_NONBLOCK;
    nFlags |= mode == Mode::Read ? O_RDONLY : O_RDWR;
    if (mode == Mode::CreateNew) {
        nFlags |= O_CREAT | O_EXCL;
    }
    const int nFd = ::open(name.c_str(), nFlags, 0666);
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

bool SyncToDisk(QFile& file) {
#ifdef Q_OS_WIN
    // A file Qt opened by name may have no C runtime descriptor; Qt has flushed it already.
    return file.handle() < 0 || ::_commit(file.handle()) == 0;
#else
    return ::fsync(file.handle()) == 0;
#endif
}

} // namespace NativeFile
