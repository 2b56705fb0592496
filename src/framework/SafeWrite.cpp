#include "framework/SafeWrite.h"

#include <QFileInfo>
#include <QSaveFile>

namespace SafeWrite {

namespace {

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
                   strError == QLatin1String("Unknown error")
               ? QStringLiteral("not every byte could be written (is the disk full, or the file "
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
    return bRestored ? strReason + QStringLiteral("; the file still holds its previous content")
                     : strReason + QStringLiteral("; its previous content could not be put back");
}

QString WriteFile(const QString& strPath, QByteArrayView bytes, const LastCheck& lastCheck) {
    QSaveFile file(strPath);
    bool bWritten = false;
    QString strReason;
    const bool bOpened = file.open(QIODevice::WriteOnly);
    if (bOpened) {
        strReason = WriteAll(file, bytes);
        bWritten = strReason.isEmpty();
        if (bWritten && lastCheck) {
            if (QString strProblem = lastCheck(); !strProblem.isEmpty()) {
                file.cancelWriting();
                return strProblem;
            }
        }
        if (bWritten && file.commit()) {
            return {};
        }
    }
    if (strReason.isEmpty()) {
        strReason = file.errorString();
    }
    file.cancelWriting();
    // Every byte fitted but no new file could take the old one's place: the folder refuses new
    // names. The file itself may still be writable, so rewrite it where it is.
    const bool bFolderRefused = !bOpened || bWritten;
    QFile existing(strPath);
    if (!bFolderRefused || !QFileInfo(strPath).isFile() || !existing.open(QIODevice::ReadWrite)) {
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
               : QStringLiteral("no new file can be made in %1 (%2), and rewriting the file "
                                "in place failed: %3")
                     .arg(QFileInfo(strPath).absolutePath(), strReason, strInPlace);
}

} // namespace SafeWrite
