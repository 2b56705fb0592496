#include "cli/CommandFiles.h"

#include "cli/StdStreams.h"
#include "framework/NativeFile.h"
#include "framework/RecoveryCopy.h"
#include "framework/SafeWrite.h"
#include "model/Archive.h"
#include "model/BodCatalogue.h"

#include <QFile>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <system_error>

namespace {

// Reads through read (bytes into a buffer, 0 at the end; it throws on an error) to the end,
// refusing more than kMaxTextBytes.
template <typename Read> std::string ReadBounded(Read read, const std::string& strName) {
    std::string bytes;
    char buffer[1 << 16];
    for (;;) {
        const std::int64_t nRead = read(buffer, std::int64_t{sizeof buffer});
        if (nRead == 0) {
            return bytes;
        }
        if (static_cast<std::int64_t>(bytes.size()) + nRead > kMaxTextBytes) {
            throw CDocumentError(strName + ": longer than the " +
                                 std::to_string(kMaxTextBytes >> 20) +
                                 " MiB that bodtool reads as text");
        }
        bytes.append(buffer, static_cast<std::size_t>(nRead));
    }
}

std::string ReadBounded(QFile& file, const std::string& strName) {
    return ReadBounded(
        [&](char* pBuffer, std::int64_t nSize) {
            const qint64 nRead = file.read(pBuffer, nSize);
            if (nRead < 0 || file.error() != QFileDevice::NoError) {
                throw CDocumentError(strName + ": " + file.errorString().toStdString());
            }
            return std::int64_t{nRead};
        },
        strName);
}

// Standard input through the C library: a QFile on the stream of a pipe reports an error at
// the pipe's end under Windows, where the C library sees the end.
std::string ReadStandardInput() {
    return ReadBounded(
        [](char* pBuffer, std::int64_t nSize) {
            const std::size_t nRead =
                std::fread(pBuffer, 1, static_cast<std::size_t>(nSize), stdin);
            if (nRead == 0 && std::ferror(stdin)) {
                throw CDocumentError("standard input: " + std::string(std::strerror(errno)));
            }
            return static_cast<std::int64_t>(nRead);
        },
        "standard input");
}

void OpenForReading(QFile& file, const NativeFile::Name& name, const std::string& strPath) {
    if (const QString strReason = NativeFile::Open(file, name, NativeFile::Mode::Read);
        !strReason.isEmpty()) {
        throw CDocumentError(strPath + ": " + strReason.toStdString());
    }
}

void RefuseIfNoDocumentFile(const NativeFile::Name& name, const std::string& strPath) {
    if (NativeFile::KindOf(name) == NativeFile::Kind::Other) {
        throw CDocumentError(strPath + ": not a document file (a folder, device or pipe)");
    }
}

} // namespace

std::string ReadInputBytes(const std::string& strPath) {
    if (strPath == "-") {
        if (StdStreams::IsInputClosed()) {
            throw CDocumentError("no input was given: standard input is closed");
        }
        return ReadStandardInput();
    }
    const NativeFile::Name name = NativeFile::FromArgument(strPath);
    std::error_code error;
    if (std::filesystem::is_directory(name, error)) {
        throw CDocumentError(strPath + ": is a folder");
    }
    QFile file;
    OpenForReading(file, name, strPath);
    return ReadBounded(file, strPath);
}

std::string ReadDocumentBytes(const std::string& strPath) {
    const NativeFile::Name name = NativeFile::FromArgument(strPath);
    RefuseIfNoDocumentFile(name, strPath);
    QFile file;
    OpenForReading(file, name, strPath);
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        throw CDocumentError(strPath + ": " + file.errorString().toStdString());
    }
    return bytes.toStdString();
}

BodFile::Contents ParseBodDocument(const std::string& bytes, const std::string& strPath) {
    const NativeFile::Name copy = RecoveryCopy::Find(NativeFile::FromArgument(strPath));
    try {
        // An empty file that has a recovery copy is a rewrite stopped before its first byte.
        if (bytes.empty() && !copy.empty()) {
            throw CArchiveException();
        }
        return BodFile::Read(bytes);
    } catch (const CArchiveException& e) {
        throw CDocumentError(strPath + ": " + e.what() +
                             (copy.empty() ? std::string()
                                           : " A save of it did not finish; what it held before "
                                             "is kept in " +
                                                 NativeFile::ToDisplay(copy).toStdString()));
    }
}

BodFile::Contents LoadBodDocument(const std::string& strPath) {
    return ParseBodDocument(ReadDocumentBytes(strPath), strPath);
}

void ReportPartsLeftOut(const std::string& strPath, std::size_t nLeftOut) {
    if (nLeftOut > 0) {
        std::cerr << "bodtool: " << strPath << ": " << nLeftOut
                  << " parts were left out of the shopping list: a large deed has at most "
                  << BodCatalogue::kMaxParts << " parts, and some deeds claim more\n";
    }
}

namespace {

// The document at strPath under its write lock; read when bMustExist or when a file is there.
COpenedDocument OpenUnderLock(const std::string& strPath, bool bMustExist) {
    COpenedDocument document;
    const NativeFile::Name name = NativeFile::FromArgument(strPath);
    // Checked first, so that no lock file is made beside a device.
    RefuseIfNoDocumentFile(name, strPath);
    document.lock = CWriteLock(name);
    if (const QString strBusy = document.lock.Acquire(kLockWaitMs); !strBusy.isEmpty()) {
        throw CDocumentError(strPath + ": " + strBusy.toStdString());
    }
    if (std::error_code error; bMustExist || std::filesystem::exists(name, error)) {
        const std::string bytes = ReadDocumentBytes(strPath);
        document.read = CDiskStamp(name, QByteArray::fromStdString(bytes));
        document.contents = ParseBodDocument(bytes, strPath);
    }
    return document;
}

} // namespace

COpenedDocument OpenBodDocument(const std::string& strPath) {
    return OpenUnderLock(strPath, true);
}

COpenedDocument OpenOrStartBodDocument(const std::string& strPath) {
    return OpenUnderLock(strPath, false);
}

void SaveBodDocument(const std::string& strPath, const COpenedDocument& document,
                     const char* during) {
    const std::string bytes = BodFile::Write(document.contents.bods, document.contents.nReserved2,
                                             document.contents.nReserved1);
    const NativeFile::Name name = NativeFile::FromArgument(strPath);
    const QString strReason = SafeWrite::WriteFile(
        name, QByteArrayView(bytes.data(), qsizetype(bytes.size())), [&name, &document, during] {
            return CDiskStamp::Of(name) == document.read
                       ? QString()
                       : QStringLiteral("changed by another program while ") +
                             QString::fromUtf8(during);
        });
    if (!strReason.isEmpty()) {
        throw CDocumentError(strPath + ": " + strReason.toStdString());
    }
}
