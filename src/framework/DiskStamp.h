#pragma once

#include "framework/NativeFile.h"

#include <QByteArray>
#include <QString>
#include <filesystem>

// A file's size and modification time: what a look at its folder entry tells, without reading
// the file, so it is cheap enough to take whenever the window comes to the front.
struct CFileAttributes {
    // -1: no regular file there, or it cannot be looked at.
    qint64 nSize = -1;
    std::filesystem::file_time_type modified;

    static CFileAttributes Of(const NativeFile::Name& path);
    bool operator==(const CFileAttributes& other) const = default;
};

// What a file was when the program last read or wrote it: its size, modification time and a
// hash of its bytes, so that a change by another program is noticed even within the clock's
// resolution.
class CDiskStamp {
public:
    CDiskStamp() = default;
    // The stamp of path holding bytes (just read or written).
    CDiskStamp(const NativeFile::Name& path, const QByteArray& bytes);
    CDiskStamp(const QString& strPath, const QByteArray& bytes);
    // The file as it is now; an invalid stamp when it is missing or cannot be read.
    static CDiskStamp Of(const NativeFile::Name& path);
    static CDiskStamp Of(const QString& strPath);

    bool IsValid() const { return m_bValid; }
    CFileAttributes Attributes() const {
        return m_bValid ? CFileAttributes{m_nSize, m_modified} : CFileAttributes();
    }
    bool operator==(const CDiskStamp& other) const = default;

private:
    bool m_bValid = false;
    qint64 m_nSize = 0;
    std::filesystem::file_time_type m_modified;
    QByteArray m_hash;
};
