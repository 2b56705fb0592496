#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>

struct BodToolResult {
    int nExitCode = -1;
    QByteArray out;
    QByteArray err;
};

// Runs the bodtool program with args, feeding input on its standard input; a program that does
// not start, crashes or runs past 30 s fails the calling test.
// childSetup runs in the child before bodtool starts: it may close or redirect a standard
// descriptor or lower a limit.
BodToolResult RunBodTool(const QStringList& args, const QByteArray& input = {},
                         const std::function<void()>& childSetup = {});

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
