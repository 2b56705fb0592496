#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

struct BodToolResult {
    int nExitCode = -1;
    QByteArray out;
    QByteArray err;
};

// Runs the bodtool program with args, feeding input on its standard input; a program that does
// not start, crashes or runs past 30 s fails the calling test.
BodToolResult RunBodTool(const QStringList& args, const QByteArray& input = {});

QByteArray ReadFileBytes(const QString& strPath);
void WriteFileBytes(const QString& strPath, const QByteArray& bytes);
