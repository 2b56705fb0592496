#include "framework/Profile.h"

#include <QSettings>
#include <QStringList>

namespace {

// One store for the whole run: a QSettings made per call would write the file and wait for the
// disk at every change, and a document window reports a change at every move. This one writes
// when the event loop next runs and when the program ends.
// In the system's own store (the registry on Windows) unless the application chose another
// default format.
QSettings& AppSettings() {
    static QSettings settings(QSettings::defaultFormat(), QSettings::UserScope,
                              QStringLiteral("Larkfield"), QStringLiteral("Quillmar"));
    return settings;
}

QString Key(const QString& strSection, const QString& strEntry) {
    return strSection + QLatin1Char('/') + strEntry;
}

} // namespace

int GetProfileInt(const QString& strSection, const QString& strEntry, int nDefault) {
    const QVariant value = AppSettings().value(Key(strSection, strEntry));
    bool bOk = false;
    const int nValue = value.toInt(&bOk);
    return bOk ? nValue : nDefault;
}

void WriteProfileInt(const QString& strSection, const QString& strEntry, int nValue) {
    AppSettings().setValue(Key(strSection, strEntry), nValue);
}

QString GetProfileString(const QString& strSection, const QString& strEntry,
                         const QString& strDefault) {
    const QVariant value = AppSettings().value(Key(strSection, strEntry), strDefault);
    // A hand-edited INI value with an unquoted comma reads back as a list; it was one text.
    if (value.typeId() == QMetaType::QStringList) {
        return value.toStringList().join(QLatin1Char(','));
    }
    return value.toString();
}

void WriteProfileString(const QString& strSection, const QString& strEntry,
                        const QString& strValue) {
    AppSettings().setValue(Key(strSection, strEntry), strValue);
}
