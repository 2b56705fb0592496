#include "framework/DiskStamp.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>

CDiskStamp::CDiskStamp(const QString& strPath, const QByteArray& bytes)
    : m_bValid(true), m_nSize(bytes.size()), m_modified(QFileInfo(strPath).lastModified()),
      m_hash(QCryptographicHash::hash(bytes, QCryptographicHash::Sha256)) {}

CDiskStamp CDiskStamp::Of(const QString& strPath) {
    const QFileInfo info(strPath);
    QFile file(strPath);
    if (!info.isFile() || !file.open(QIODevice::ReadOnly)) {
        return {};
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        return {};
    }
    return {strPath, bytes};
}
