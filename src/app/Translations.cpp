#include "app/Translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>

CTranslations::CTranslations() {
    // Qt's translations come with Qt (qt6-translations-l10n on Debian, the deployed folder
    // elsewhere) and may be missing; the program's own are built in.
    if (m_qt.load(QLocale(), QStringLiteral("qtbase"), QStringLiteral("_"),
                  QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(&m_qt);
    }
    if (m_quillmar.load(QLocale(), QStringLiteral("quillmar"), QStringLiteral("_"),
                        QStringLiteral(":/i18n"))) {
        QCoreApplication::installTranslator(&m_quillmar);
    }
}
