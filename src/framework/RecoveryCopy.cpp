#include "framework/RecoveryCopy.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <system_error>

namespace RecoveryCopy {

namespace {

QString Folder() {
    const QSettings settings(QSettings::IniFormat, QSettings::UserScope,
                             QStringLiteral("Larkfield"), QStringLiteral("Quillmar"));
    return QFileInfo(settings.fileName()).absolutePath() + QStringLiteral("/Quillmar-recovery");
}

NativeFile::Name InFolder(const QString& strFolder, const NativeFile::Name& path) {
    return NativeFile::FromQt(strFolder + QLatin1Char('/') + NativeFile::Digest(path) +
                              QStringLiteral(".bod"));
}

} // namespace

NativeFile::Name PathFor(const NativeFile::Name& path) {
    const QString strFolder = Folder();
    // The copies hold the documents' bytes: no other account may read them.
    if (!QDir().mkpath(strFolder) ||
        !QFile::setPermissions(strFolder, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                              QFileDevice::ExeOwner)) {
        return {};
    }
    return InFolder(strFolder, path);
}

NativeFile::Name Find(const NativeFile::Name& path) {
    const NativeFile::Name copy = InFolder(Folder(), path);
    std::error_code error;
    return std::filesystem::is_regular_file(copy, error) ? copy : NativeFile::Name();
}

} // namespace RecoveryCopy
