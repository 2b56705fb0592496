#include "framework/DiskStamp.h"

#include <QCryptographicHash>
#include <QFile>
#include <system_error>

namespace {

std::filesystem::file_time_type ModifiedTime(const NativeFile::Name& path) {
    std::error_code error;
    const std::filesystem::file_time_type modified = std::filesystem::last_write_time(path, error);
    return error ? std::filesystem::file_time_type() : modified;
}

} // namespace

CFileAttributes CFileAttributes::Of(const NativeFile::Name& path) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) {
        return {};
    }
    const std::uintmax_t nSize = std::filesystem::file_size(path, error);
    const std::filesystem::file_time_type modified = ModifiedTime(path);
    return error ? CFileAttributes() : CFileAttributes{static_cast<qint64>(nSize), modified};
}

CDiskStamp::CDiskStamp(const NativeFile::Name& path, const QByteArray& bytes)
    : m_bValid(true), m_nSize(bytes.size()), m_modified(ModifiedTime(path)),
      m_hash(QCryptographicHash::hash(bytes, QCryptographicHash::Sha256)) {}

CDiskStamp::CDiskStamp(const QString& strPath, const QByteArray& bytes)
    : CDiskStamp(NativeFile::FromQt(strPath), bytes) {}

CDiskStamp CDiskStamp::Of(const NativeFile::Name& path) {
    std::error_code error;
    QFile file;
    if (!std::filesystem::is_regular_file(path, error) ||
        !NativeFile::Open(file, path, NativeFile::Mode::Read).isEmpty()) {
        return {};
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        return {};
    }
    return {path, bytes};
}

CDiskStamp CDiskStamp::Of(const QString& strPath) {
    return Of(NativeFile::FromQt(strPath));
}
