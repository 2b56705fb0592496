#include "framework/SafeWrite.h"

#include <QCoreApplication>
#include <QFile>
#include <QRandomGenerator>
#include <cerrno>
#include <cstring>
#include <system_error>

namespace SafeWrite {

namespace {

// Qt's own text, which Qt translates: not one of ours for the translation tools to collect.
const char* const kQtUnknownError = "Unknown error";

DeviceWrapper& Wrapper() {
    static DeviceWrapper wrapper;
    return wrapper;
}

// Writes every byte through the wrapper (if any) and flushes the file: a full disk or a size
// limit often shows only when the buffer is flushed, so a write that returned is not enough.
// Returns why it failed, or an empty string.
QString WriteAll(QFileDevice& file, QByteArrayView bytes) {
    std::unique_ptr<QIODevice> pFront = Wrapper() ? Wrapper()(file) : nullptr;
    QIODevice& device = pFront ? *pFront : file;
    const qint64 nSize = bytes.size();
    if (device.write(bytes.data(), nSize) == nSize && file.flush() &&
        file.error() == QFileDevice::NoError) {
        return {};
    }
    // A write cut short by a full disk or a size limit comes with no error text.
    const QString strError = file.errorString();
    return strError.isEmpty() || file.error() == QFileDevice::NoError ||
                   strError == QLatin1String("Unknown error") ||
                   // The same text, in the user's language.
                   strError == QCoreApplication::translate("QIODevice", kQtUnknownError)
               ? QCoreApplication::translate(
                     "SafeWrite", "not every byte could be written (is the disk full, or the file "
                                  "over a size limit?)")
               : strError;
}

} // namespace

void SetDeviceWrapper(DeviceWrapper wrapper) {
    Wrapper() = std::move(wrapper);
}

QString RewriteInPlace(QFileDevice& file, QByteArrayView bytes) {
    const QByteArray previous = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        return file.errorString();
    }
    QString strReason = file.seek(0) ? WriteAll(file, bytes) : file.errorString();
    if (strReason.isEmpty() && !(file.resize(bytes.size()) && file.flush())) {
        strReason = file.errorString();
    }
    if (strReason.isEmpty()) {
        return {};
    }
    file.unsetError();
    // Put back without the wrapper: the previous bytes fitted before, so they fit again.
    const bool bRestored = file.seek(0) && file.write(previous) == previous.size() &&
                           file.resize(previous.size()) && file.flush();
    return bRestored ? strReason + QCoreApplication::translate(
                                       "SafeWrite", "; the file still holds its previous content")
                     : strReason + QCoreApplication::translate(
                                       "SafeWrite", "; its previous content could not be put back");
}

namespace {

// A link is written through to the file it names, as an editor does, so the link stays a link.
NativeFile::Name LinkTarget(NativeFile::Name path) {
    std::error_code error;
    for (int nDepth = 0; nDepth < 40 && std::filesystem::is_symlink(path, error); ++nDepth) {
        const NativeFile::Name target = std::filesystem::read_symlink(path, error);
        if (error) {
            break;
        }
        path = target.is_absolute() ? target : path.parent_path() / target;
    }
    return path;
}

// Makes a new file next to target, named after it, and opens it in file.
QString CreateBeside(QFile& file, const NativeFile::Name& target, NativeFile::Name& temp) {
    QString strReason;
    std::error_code error;
    for (int nTry = 0; nTry < 16; ++nTry) {
        temp = target;
        temp += "." + QByteArray::number(QRandomGenerator::global()->generate(), 36).toStdString();
        strReason = NativeFile::Open(file, temp, NativeFile::Mode::CreateNew);
        // Only a name taken by another file is worth another try.
        if (strReason.isEmpty() || !std::filesystem::exists(temp, error)) {
            return strReason;
        }
    }
    return strReason;
}

// Writes bytes into a new file beside target and renames it over target. bOpened tells
// whether that file could be made, bWritten whether every byte reached it.
QString WriteBeside(const NativeFile::Name& target, QByteArrayView bytes,
                    const LastCheck& lastCheck, bool& bOpened, bool& bWritten) {
    QFile file;
    NativeFile::Name temp;
    QString strReason = CreateBeside(file, target, temp);
    bOpened = strReason.isEmpty();
    if (!bOpened) {
        return strReason;
    }
    std::error_code error;
    // The new file takes the old one's place, and with it who may read it.
    if (const auto status = std::filesystem::status(target, error); !error) {
        std::filesystem::permissions(temp, status.permissions(), error);
    }
    strReason = WriteAll(file, bytes);
    if (strReason.isEmpty() && !NativeFile::SyncToDisk(file)) {
        strReason = QString::fromLocal8Bit(std::strerror(errno));
    }
    file.close();
    if (strReason.isEmpty() && file.error() != QFileDevice::NoError) {
        strReason = file.errorString();
    }
    bWritten = strReason.isEmpty();
    if (bWritten && lastCheck) {
        strReason = lastCheck();
        if (!strReason.isEmpty()) {
            bWritten = false;
            std::filesystem::remove(temp, error);
            return strReason;
        }
    }
    if (bWritten) {
        std::filesystem::rename(temp, target, error);
        if (!error) {
            return {};
        }
        strReason = QString::fromStdString(error.message());
    }
    std::filesystem::remove(temp, error);
    return strReason;
}

} // namespace

QString WriteFile(const NativeFile::Name& path, QByteArrayView bytes, const LastCheck& lastCheck) {
    const NativeFile::Name target = LinkTarget(path);
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(target, error);
    const bool bExists = std::filesystem::exists(status);
    if (bExists && !std::filesystem::is_regular_file(status)) {
        return QCoreApplication::translate("SafeWrite", "not a regular file");
    }
    // Renaming over a read-only file would succeed; its owner made it read-only to keep it.
    if (bExists && !NativeFile::IsWritable(target)) {
        return QCoreApplication::translate("SafeWrite", "the file is read-only");
    }
    bool bOpened = false;
    bool bWritten = false;
    const QString strReason = WriteBeside(target, bytes, lastCheck, bOpened, bWritten);
    if (strReason.isEmpty()) {
        return {};
    }
    // Every byte fitted but no new file could take the old one's place, or none could be made:
    // the folder refuses new names. The file itself may still be writable, so rewrite it where
    // it is.
    const bool bFolderRefused = !bOpened || bWritten;
    QFile existing;
    if (!bFolderRefused || !bExists ||
        !NativeFile::Open(existing, target, NativeFile::Mode::ReadWrite).isEmpty()) {
        return strReason;
    }
    if (lastCheck) {
        if (QString strProblem = lastCheck(); !strProblem.isEmpty()) {
            return strProblem;
        }
    }
    const QString strInPlace = RewriteInPlace(existing, bytes);
    return strInPlace.isEmpty()
               ? QString()
               : QCoreApplication::translate(
                     "SafeWrite", "no new file can be made in %1 (%2), and rewriting the file "
                                  "in place failed: %3")
                     .arg(NativeFile::ToDisplay(
                              std::filesystem::absolute(target, error).parent_path()),
                          strReason, strInPlace);
}

QString WriteFile(const QString& strPath, QByteArrayView bytes, const LastCheck& lastCheck) {
    return WriteFile(NativeFile::FromQt(strPath), bytes, lastCheck);
}

} // namespace SafeWrite
