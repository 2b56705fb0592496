#pragma once

#include <QString>
#include <string>

class QPlainTextEdit;

// Notes are kept with CR LF line breaks, as the Windows program wrote them, so files stay the
// same on both. An edit box shows every kind of stored line break as one.
QString NotesForEditing(const std::string& strNotes);

// The box's raw text: its plain text would turn no-break spaces into plain ones.
std::string NotesForStoring(const QPlainTextEdit& edit);
