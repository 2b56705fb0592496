#pragma once

#include <QString>
#include <QStringList>

// The text of each page of a PDF file, read with pdftotext; empty when the file cannot be read.
QStringList PdfPageTexts(const QString& strPath);
