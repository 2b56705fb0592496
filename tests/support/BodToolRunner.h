#pragma once

#include "model/BodArray.h"
#include "support/Platform.h"

#include <QByteArray>
#include <QStringList>
#include <functional>

struct BodToolResult {
    int nExitCode = -1;
    QByteArray out;
    QByteArray err;
};

// Runs bodtool with args and input on its standard input, started as setup says. No start, a
// crash or 30 s fail the test.
BodToolResult RunBodTool(const QStringList& args, const QByteArray& input = {},
                         TestPlatform::ChildSetup setup = TestPlatform::ChildSetup::None);
#ifndef Q_OS_WIN
// The same, with childSetup run in the child before bodtool starts (another account, say).
BodToolResult RunBodTool(const QStringList& args, const QByteArray& input,
                         const std::function<void()>& childSetup);
#endif

QByteArray ReadFileBytes(const QString& strPath);
void WriteFileBytes(const QString& strPath, const QByteArray& bytes);
void WriteBodFile(const QString& strPath, const CBodArray& bods, int nReserved2 = 0,
                  int nReserved1 = 0);

// Read-only for as long as it lives, also for root, whom only chattr +i stops.
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
