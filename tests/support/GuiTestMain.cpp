#include "support/TestEnvironment.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFont>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// Offscreen, with throw-away settings, home and XDG folders, also for the programs a test starts
// (bodtool, pdftotext), fonts from one folder and no desktop theme, so nothing waits for a
// person, touches the user's settings or depends on the machine's fonts or desktop.
int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    const QTemporaryDir settingsDir;
    const QString strRoot = settingsDir.path();
    for (const char* name : {"HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME"}) {
        QDir().mkpath(strRoot + '/' + name);
        qputenv(name, QFile::encodeName(strRoot + '/' + name));
    }
    PinFontsAndLook(strRoot);
    QStandardPaths::setTestModeEnabled(true);
    QApplication app(argc, argv);
#ifdef Q_OS_WIN
    // No fontconfig there to name the generic families as fonts.conf does: "Sans Serif" would
    // be the first face found, a maths font.
    QFont::insertSubstitution(QStringLiteral("Sans Serif"), QStringLiteral("DejaVu Sans"));
    QFont::insertSubstitution(QStringLiteral("Monospace"), QStringLiteral("DejaVu Sans Mono"));
    QFont::insertSubstitution(QStringLiteral("Serif"), QStringLiteral("DejaVu Serif"));
#endif
    // QSettings() is the program's store, an INI file in the folder above on every system:
    // Windows' registry would be one store for every test and run.
    QSettings::setDefaultFormat(QSettings::IniFormat);
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, strRoot);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, strRoot);
    QApplication::setOrganizationName("Larkfield");
    QApplication::setApplicationName("Quillmar");
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
