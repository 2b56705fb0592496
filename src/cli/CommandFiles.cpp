#include "cli/CommandFiles.h"

#include "model/Archive.h"

#include <QFile>
#include <cstdio>

std::string ReadInputBytes(const std::string& strPath) {
    QFile file(QString::fromStdString(strPath));
    const bool bOpened =
        strPath.empty() ? file.open(stdin, QIODevice::ReadOnly) : file.open(QIODevice::ReadOnly);
    const QByteArray bytes = bOpened ? file.readAll() : QByteArray();
    if (!bOpened || file.error() != QFileDevice::NoError) {
        const std::string name = strPath.empty() ? "standard input" : strPath;
        throw CDocumentError(name + ": " + file.errorString().toStdString());
    }
    return bytes.toStdString();
}

BodFile::Contents LoadBodDocument(const std::string& strPath) {
    const std::string bytes = ReadInputBytes(strPath);
    try {
        return BodFile::Read(bytes);
    } catch (const CArchiveException& e) {
        throw CDocumentError(e.what());
    }
}
