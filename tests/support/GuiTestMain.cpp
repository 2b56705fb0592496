#include <QApplication>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// Offscreen, with throw-away settings, home and XDG folders, also for the programs a test starts
// (bodtool, pdftotext), and fonts from one folder, so nothing waits for a person, touches the
// user's settings or depends on the machine's fonts; the generic families are named, else a
// window would take the first face it meets (a maths font).
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
    QFile fontConfig(strRoot + "/fonts.conf");
    const QByteArray config =
        QStringLiteral(
            "<?xml version=\"1.0\"?>\n<fontconfig><dir>%1</dir><cachedir>%2/fontconfig</cachedir>"
            "<alias><family>monospace</family><prefer><family>DejaVu Sans Mono</family></prefer>"
            "</alias><alias><family>serif</family><prefer><family>DejaVu Serif</family></prefer>"
            "</alias><match><edit name=\"family\" mode=\"append_last\"><string>DejaVu Sans</string>"
            "</edit></match></fontconfig>\n")
            .arg(QStringLiteral(QUILLMAR_TEST_FONT_DIR), strRoot)
            .toUtf8();
    if (!fontConfig.open(QIODevice::WriteOnly) || fontConfig.write(config) != config.size() ||
        !fontConfig.flush()) {
        qFatal("cannot write %s", qPrintable(fontConfig.fileName()));
    }
    qputenv("FONTCONFIG_FILE", QFile::encodeName(fontConfig.fileName()));
    QStandardPaths::setTestModeEnabled(true);
    QApplication app(argc, argv);
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
