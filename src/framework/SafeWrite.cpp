#include "framework/SafeWrite.h"

#include "framework/RecoveryCopy.h"

#include <QCoreApplication>
#include <QFile>
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

QString SystemError() {
    return QString::fromLocal8Bit(std::strerror(errno));
}

// Writes every byte through the wrapper (if any), flushes the file and syncs it to the disk: a
// full disk or a size limit often shows only when the buffer is flushed, so a write that
// returned is not enough. Returns why it failed, or an empty string.
QString WriteAll(QFile& file, QByteArrayView bytes) {
    std::unique_ptr<QIODevice> pFront = Wrapper() ? Wrapper()(file) : nullptr;
    QIODevice& device = pFront ? *pFront : file;
    const qint64 nSize = bytes.size();
    if (device.write(bytes.data(), nSize) == nSize && file.flush() &&
        file.error() == QFileDevice::NoError) {
        return NativeFile::SyncToDisk(file) ? QString() : SystemError();
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

enum class Outcome { Done, Failed, TryInPlace };

// Who may read the new file: whom the umask allows (a new document), only the user (a recovery
// copy), or whoever may read the file it replaces, given only once every byte is in.
enum class Access { Default, Private, Original };

// The one name of the new file beside target: a save stopped by a kill or a full disk leaves at
// most this file behind, and the next save replaces it.
NativeFile::Name BesideName(const NativeFile::Name& target) {
    NativeFile::Name name = target;
    name += ".saving";
    return name;
}

// Writes bytes into a new file beside target and renames it over target. TryInPlace tells that
// the folder takes no new file or the new file could not be given the old one's owner and group.
Outcome WriteBeside(const NativeFile::Name& target, Access access, QByteArrayView bytes,
                    const LastCheck& lastCheck, QString& strReason) {
    const NativeFile::Name temp = BesideName(target);
    const NativeFile::Mode mode =
        access == Access::Default ? NativeFile::Mode::CreateNew : NativeFile::Mode::CreatePrivate;
    QFile file;
    std::error_code error;
    strReason = NativeFile::Open(file, temp, mode);
    if (!strReason.isEmpty() && std::filesystem::remove(temp, error)) {
        strReason = NativeFile::Open(file, temp, mode);
    }
    if (!strReason.isEmpty()) {
        return Outcome::TryInPlace;
    }
    const auto fail = [&](Outcome outcome) {
        file.close();
        std::filesystem::remove(temp, error);
        return outcome;
    };
    strReason = WriteAll(file, bytes);
    if (!strReason.isEmpty()) {
        return fail(Outcome::Failed);
    }
    if (access == Access::Original) {
        strReason = NativeFile::TakeAccessOf(file, target);
        if (!strReason.isEmpty()) {
            return fail(Outcome::TryInPlace);
        }
    }
    file.close();
    if (file.error() != QFileDevice::NoError) {
        strReason = file.errorString();
        return fail(Outcome::Failed);
    }
    if (lastCheck) {
        strReason = lastCheck();
        if (!strReason.isEmpty()) {
            return fail(Outcome::Failed);
        }
    }
    std::filesystem::rename(temp, target, error);
    if (error) {
        strReason = QString::fromStdString(error.message());
        return fail(Outcome::TryInPlace);
    }
    return Outcome::Done;
}

// Rewrites target where it is, its previous bytes first copied to its recovery copy, so that a
// kill at any moment leaves the new file whole, or the copy and a file that is empty or cut
// short. A failure puts the previous bytes back. Returns why it failed, or an empty string.
QString WriteInPlace(const NativeFile::Name& target, QByteArrayView bytes) {
    QFile file;
    if (QString strReason = NativeFile::Open(file, target, NativeFile::Mode::ReadWrite);
        !strReason.isEmpty()) {
        return strReason;
    }
    const QByteArray previous = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        return file.errorString();
    }
    const NativeFile::Name copy = RecoveryCopy::PathFor(target);
    QString strReason;
    if (copy.empty() ||
        WriteBeside(copy, Access::Private, previous, {}, strReason) != Outcome::Done) {
        return QCoreApplication::translate("SafeWrite", "its content could not be copied to "
                                                        "the recovery folder first (%1)")
            .arg(strReason);
    }
    // Emptied first, so that until it is whole the file is a part of the new bytes, which never
    // reads as a document, and never a mix of old and new, which might.
    strReason = file.resize(0) && file.seek(0) ? WriteAll(file, bytes) : file.errorString();
    std::error_code error;
    if (strReason.isEmpty()) {
        std::filesystem::remove(copy, error);
        return {};
    }
    file.unsetError();
    // Put back without the wrapper: the previous bytes fitted before, so they fit again.
    if (file.resize(0) && file.seek(0) && file.write(previous) == previous.size() && file.flush() &&
        NativeFile::SyncToDisk(file)) {
        std::filesystem::remove(copy, error);
        return strReason + QCoreApplication::translate(
                               "SafeWrite", "; the file still holds its previous content");
    }
    return strReason + QCoreApplication::translate("SafeWrite",
                                                   "; its previous content could not be put "
                                                   "back, and a copy of it is kept at %1")
                           .arg(NativeFile::ToDisplay(copy));
}

} // namespace

void SetDeviceWrapper(DeviceWrapper wrapper) {
    Wrapper() = std::move(wrapper);
}

QString FollowLinks(NativeFile::Name& path) {
    std::error_code error;
    for (int nDepth = 0; nDepth < 40 && std::filesystem::is_symlink(path, error); ++nDepth) {
        // In a temporary folder another account may have put a link where a file was expected.
        if (!NativeFile::MayFollowLink(path)) {
            return QCoreApplication::translate("SafeWrite",
                                               "%1 is a link that another account put in a "
                                               "shared folder, and it is not followed")
                .arg(NativeFile::ToDisplay(path));
        }
        const NativeFile::Name target = std::filesystem::read_symlink(path, error);
        if (error) {
            break;
        }
        path = target.is_absolute() ? target : path.parent_path() / target;
    }
    return {};
}

QString WriteFile(const NativeFile::Name& path, QByteArrayView bytes, const LastCheck& lastCheck) {
    NativeFile::Name target = path;
    if (QString strRefused = FollowLinks(target); !strRefused.isEmpty()) {
        return strRefused;
    }
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
    // A new file would take only this name: every other name of the file would keep the old bytes.
    const bool bLinked = bExists && NativeFile::HasOtherNames(target);
    QString strBeside;
    if (!bLinked) {
        const Outcome outcome = WriteBeside(target, bExists ? Access::Original : Access::Default,
                                            bytes, lastCheck, strBeside);
        if (outcome == Outcome::Done) {
            return {};
        }
        if (outcome == Outcome::Failed || !bExists) {
            return strBeside;
        }
    }
    if (lastCheck) {
        if (QString strProblem = lastCheck(); !strProblem.isEmpty()) {
            return strProblem;
        }
    }
    const QString strInPlace = WriteInPlace(target, bytes);
    if (strInPlace.isEmpty()) {
        return {};
    }
    return bLinked ? QCoreApplication::translate("SafeWrite",
                                                 "the file has more than one name, so it is "
                                                 "rewritten in place, and that failed: %1")
                         .arg(strInPlace)
                   : QCoreApplication::translate(
                         "SafeWrite", "no new file can be made in %1 (%2), and rewriting the file "
                                      "in place failed: %3")
                         .arg(NativeFile::ToDisplay(
                                  std::filesystem::absolute(target, error).parent_path()),
                              strBeside, strInPlace);
}

QString WriteFile(const QString& strPath, QByteArrayView bytes, const LastCheck& lastCheck) {
    return WriteFile(NativeFile::FromQt(strPath), bytes, lastCheck);
}

} // namespace SafeWrite
