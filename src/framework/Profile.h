#pragma once

#include <QString>

// The application's settings under "Larkfield"/"Quillmar" (QSettings). Sections and entries are
// the program's registry names; integers go through as 32-bit values, negatives unchanged.
int GetProfileInt(const QString& strSection, const QString& strEntry, int nDefault);
void WriteProfileInt(const QString& strSection, const QString& strEntry, int nValue);
QString GetProfileString(const QString& strSection, const QString& strEntry,
                         const QString& strDefault);
void WriteProfileString(const QString& strSection, const QString& strEntry,
                        const QString& strValue);
