#include "support/TestEnvironment.h"

#include <QFile>
#include <QtGlobal>

void PinFontsAndLook(const QString& strRoot) {
    // The generic families are named, else a window would take the first face it meets (a
    // maths font).
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
    // Windows' offscreen platform reads the faces of one folder, with no fontconfig.
    qputenv("QT_QPA_FONTDIR", QUILLMAR_TEST_FONT_DIR);
    // A desktop's platform theme or style would change the palette and the metrics the tests
    // read.
    qunsetenv("QT_QPA_PLATFORMTHEME");
    qunsetenv("QT_STYLE_OVERRIDE");
}
