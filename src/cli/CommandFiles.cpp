#include "cli/CommandFiles.h"

#include "cli/StdStreams.h"
#include "model/Archive.h"
#include "model/BodCatalogue.h"

#include <QFile>
#include <QFileInfo>
#include <cstdio>
#include <iostream>

namespace {

std::string ReadBounded(QFile& file, const std::string& strName) {
    QByteArray bytes;
    char buffer[1 << 16];
    for (;;) {
        const qint64 nRead = file.read(buffer, sizeof buffer);
        if (nRead < 0 || file.error() != QFileDevice::NoError) {
            throw CDocumentError(strName + ": " + file.errorString().toStdString());
        }
        if (nRead == 0) {
            return bytes.toStdString();
        }
        if (bytes.size() + nRead > kMaxTextBytes) {
            throw CDocumentError(strName + ": longer than the " +
                                 std::to_string(kMaxTextBytes >> 20) +
                                 " MiB that bodtool reads as text");
        }
        bytes.append(buffer, nRead);
    }
}

} // namespace

QString QtFileName(const std::string& strPath) {
    const QByteArray bytes = QByteArray::fromStdString(strPath);
    QString strName = QFile::decodeName(bytes);
    if (QFile::encodeName(strName) != bytes) {
        throw CDocumentError(strPath + ": a file name that is not UTF-8 cannot be used");
    }
    return strName;
}

std::string ReadInputBytes(const std::string& strPath) {
    QFile file;
    if (strPath == "-") {
        if (StdStreams::IsInputClosed()) {
            throw CDocumentError("no input was given: standard input is closed");
        }
        if (!file.open(stdin, QIODevice::ReadOnly)) {
            throw CDocumentError("standard input: " + file.errorString().toStdString());
        }
        return ReadBounded(file, "standard input");
    }
    file.setFileName(QtFileName(strPath));
    if (QFileInfo(file.fileName()).isDir()) {
        throw CDocumentError(strPath + ": is a folder");
    }
    if (!file.open(QIODevice::ReadOnly)) {
        throw CDocumentError(strPath + ": " + file.errorString().toStdString());
    }
    return ReadBounded(file, strPath);
}

std::string ReadDocumentBytes(const std::string& strPath) {
    const QFileInfo info(QtFileName(strPath));
    if (info.exists() && !info.isFile()) {
        // A device or a pipe would be read without end, or wait forever for a writer.
        throw CDocumentError(strPath + ": not a document file (a folder, device or pipe)");
    }
    QFile file(info.filePath());
    if (!file.open(QIODevice::ReadOnly)) {
        throw CDocumentError(strPath + ": " + file.errorString().toStdString());
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        throw CDocumentError(strPath + ": " + file.errorString().toStdString());
    }
    return bytes.toStdString();
}

BodFile::Contents ParseBodDocument(const std::string& bytes) {
    try {
        return BodFile::Read(bytes);
    } catch (const CArchiveException& e) {
        throw CDocumentError(e.what());
    }
}

BodFile::Contents LoadBodDocument(const std::string& strPath) {
    return ParseBodDocument(ReadDocumentBytes(strPath));
}

void ReportPartsLeftOut(const char* pszCommand, std::size_t nLeftOut) {
    if (nLeftOut > 0) {
        std::cerr << "bodtool " << pszCommand << ": " << nLeftOut
                  << " parts were left out of the shopping list: a large deed has at most "
                  << BodCatalogue::kMaxParts << " parts, and some deeds claim more\n";
    }
}
