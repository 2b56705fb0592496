#include <QApplication>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// Without the system's configuration fontconfig knows no family names, and a window's font
// would fall to whichever face it meets first (a maths font), which no desktop shows: name the
// generic families, and let every other name fall back to the sans face.
QString GenericFamilies() {
    return QStringLiteral(
        "<alias><family>monospace</family><prefer><family>DejaVu Sans Mono</family></prefer>"
        "</alias><alias><family>serif</family><prefer><family>DejaVu Serif</family></prefer>"
        "</alias><match><edit name=\"family\" mode=\"append_last\"><string>DejaVu Sans</string>"
        "</edit></match>");
}

// Programs a test starts (bodtool, pdftotext) inherit this environment: a home and settings
// of their own in the run's throw-away folder, and a font configuration that knows one font
// folder only, so what the tests draw and print does not depend on the machine's fonts.
void IsolateEnvironment(const QString& strRoot) {
    for (const char* name : {"HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME"}) {
        const QString strDir = strRoot + '/' + name;
        QDir().mkpath(strDir);
        qputenv(name, QFile::encodeName(strDir));
    }
    const QString strFontConfig = strRoot + "/fonts.conf";
    QFile fontConfig(strFontConfig);
    if (!fontConfig.open(QIODevice::WriteOnly) ||
        fontConfig.write(
            QStringLiteral("<?xml version=\"1.0\"?>\n<fontconfig><dir>%1</dir>"
                           "<cachedir>%2/fontconfig</cachedir>%3</fontconfig>\n")
                .arg(QStringLiteral(QUILLMAR_TEST_FONT_DIR), strRoot, GenericFamilies())
                .toUtf8()) < 0 ||
        !fontConfig.flush()) {
        qFatal("cannot write %s", qPrintable(strFontConfig));
    }
    qputenv("FONTCONFIG_FILE", QFile::encodeName(strFontConfig));
}

} // namespace

// Every window test runs offscreen, with settings in a throw-away test location, so no test
// opens a window that waits for a person or touches the user's own settings.
int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QTemporaryDir settingsDir;
    IsolateEnvironment(settingsDir.path());
    QStandardPaths::setTestModeEnabled(true);
    QApplication app(argc, argv);
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsDir.path());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settingsDir.path());
    QApplication::setOrganizationName("Larkfield");
    QApplication::setApplicationName("QuillmarTests");
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
