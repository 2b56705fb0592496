#pragma once

#include "support/Platform.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>
#include <QThread>

// The text of each page of a PDF file, read with pdftotext; empty when the file cannot be read.
// Under Wine, pdftotext is a program of the machine beneath: it gets no Windows pipe, names files
// as that machine does, and runs on its own, since Wine ends its Windows process at once. There
// a shell writes its exit status to a file when it ends, which is waited for.
inline QStringList PdfPageTexts(const QString& strPath) {
    const QTemporaryDir dir;
    QFile text(dir.filePath(QStringLiteral("pages.txt")));
    QFile status(dir.filePath(QStringLiteral("status")));
    QProcess pdftotext;
    if (TestPlatform::IsWine()) {
        pdftotext.start(QStringLiteral("/bin/sh"),
                        {QStringLiteral("-c"),
                         QStringLiteral("\"$0\" -layout \"$1\" \"$2\"; echo $? >\"$3.part\"; "
                                        "mv \"$3.part\" \"$3\""),
                         QStringLiteral(QUILLMAR_PDFTOTEXT), TestPlatform::HostPath(strPath),
                         TestPlatform::HostPath(text.fileName()),
                         TestPlatform::HostPath(status.fileName())});
        const QDeadlineTimer guard(std::chrono::minutes(2));
        while (!status.exists() && !guard.hasExpired()) {
            QThread::msleep(20);
        }
        if (!status.open(QIODevice::ReadOnly) || status.readAll().trimmed() != "0") {
            return {};
        }
    } else {
        pdftotext.start(QStringLiteral(QUILLMAR_PDFTOTEXT),
                        {QStringLiteral("-layout"), strPath, text.fileName()});
        if (!pdftotext.waitForFinished(30000) || pdftotext.exitCode() != 0) {
            return {};
        }
    }
    if (!text.open(QIODevice::ReadOnly)) {
        return {};
    }
    // pdftotext ends every page with a form feed.
    QStringList pages = QString::fromUtf8(text.readAll()).split(QChar('\f'));
    pages.removeLast();
    return pages;
}
