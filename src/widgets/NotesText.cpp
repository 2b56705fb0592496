#include "widgets/NotesText.h"

#include "framework/DisplayText.h"

#include <QPlainTextEdit>
#include <QTextDocument>

QString NotesForEditing(const std::string& strNotes) {
    return DisplayText(strNotes)
        .replace(QStringLiteral("\r\n"), QStringLiteral("\n"))
        .replace(QLatin1Char('\r'), QLatin1Char('\n'));
}

std::string NotesForStoring(const QPlainTextEdit& edit) {
    QString strText = edit.document()->toRawText();
    strText.replace(QChar::ParagraphSeparator, QStringLiteral("\r\n"))
        .replace(QChar::LineSeparator, QStringLiteral("\r\n"));
    return strText.toStdString();
}
