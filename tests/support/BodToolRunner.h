#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <sys/resource.h>

struct BodToolResult {
    int nExitCode = -1;
    QByteArray out;
    QByteArray err;
};

// Runs the bodtool program with args, feeding input on its standard input; a program that does
// not start, crashes or runs past 30 s fails the calling test. nFileSizeLimit >= 0 caps the size
// of every file the program writes (RLIMIT_FSIZE, with SIGXFSZ ignored), so its writes fail.
BodToolResult RunBodTool(const QStringList& args, const QByteArray& input = {},
                         long nFileSizeLimit = -1);

QByteArray ReadFileBytes(const QString& strPath);
void WriteFileBytes(const QString& strPath, const QByteArray& bytes);

// Makes a file read-only for as long as it lives, also for root: permission bits do not stop
// root, so there the file is made immutable instead (chattr +i), and mutable again afterwards.
class ReadOnlyFile {
public:
    explicit ReadOnlyFile(const QString& strPath);
    ~ReadOnlyFile();
    ReadOnlyFile(const ReadOnlyFile&) = delete;
    ReadOnlyFile& operator=(const ReadOnlyFile&) = delete;

private:
    QString m_strPath;
    bool m_bImmutable = false;
};

// Lowers this process's file size limit (RLIMIT_FSIZE, SIGXFSZ ignored) while it lives, so a
// write past nBytes fails as on a full disk, whoever runs the test.
class FileSizeLimit {
public:
    explicit FileSizeLimit(long nBytes);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit m_old{};
    void (*m_oldHandler)(int) = nullptr;
};
