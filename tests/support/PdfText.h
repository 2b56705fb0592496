#pragma once

#include "support/Platform.h"

#include <QProcess>
#include <QStringList>

// The text of each page of a PDF file, read with pdftotext; empty when the file cannot be read.
inline QStringList PdfPageTexts(const QString& strPath) {
    QProcess pdftotext;
    pdftotext.start(QStringLiteral(QUILLMAR_PDFTOTEXT),
                    {QStringLiteral("-layout"), TestPlatform::HostPath(strPath), "-"});
    if (!pdftotext.waitForFinished(30000) || pdftotext.exitCode() != 0) {
        return {};
    }
    // pdftotext ends every page with a form feed.
    QStringList pages = QString::fromUtf8(pdftotext.readAllStandardOutput()).split(QChar('\f'));
    pages.removeLast();
    return pages;
}
