#include <QApplication>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// Every window test runs offscreen, with settings in a throw-away test location, so no test
// opens a window that waits for a person or touches the user's own settings. Programs a test starts
// (bodtool, pdftotext) get a home and settings of their own there too, and a font configuration
// with one font folder, so what the tests draw and print does not depend on the machine's fonts;
// it names the generic families, else a window would take the first face it meets (a maths font).
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
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, strRoot);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, strRoot);
    QApplication::setOrganizationName("Larkfield");
    QApplication::setApplicationName("QuillmarTests");
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
