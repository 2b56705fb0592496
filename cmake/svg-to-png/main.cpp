// svg-to-png SCALE SOURCE_DIR OUTPUT_DIR NAME...: draws each SOURCE_DIR/NAME (an SVG image)
// SCALE times its own size into OUTPUT_DIR/NAME.png. Exits 1, naming the image, when one
// cannot be read or written.
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <cstdio>

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fputs("usage: svg-to-png SCALE SOURCE_DIR OUTPUT_DIR NAME...\n", stderr);
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    const QGuiApplication app(argc, argv);
    const QStringList args = QGuiApplication::arguments();
    const int nScale = args[1].toInt();
    const QDir source(args[2]);
    const QDir output(args[3]);
    for (const QString& strName : args.mid(4)) {
        QSvgRenderer renderer(source.filePath(strName));
        const QString strPng = output.filePath(strName + QStringLiteral(".png"));
        QImage image(renderer.defaultSize() * nScale, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        if (renderer.isValid() && !image.isNull()) {
            QPainter painter(&image);
            renderer.render(&painter);
        }
        if (!renderer.isValid() || image.isNull() || !QDir().mkpath(QFileInfo(strPng).path()) ||
            !image.save(strPng, "PNG")) {
            std::fprintf(stderr, "svg-to-png: %s could not be drawn into %s\n",
                         qPrintable(source.filePath(strName)), qPrintable(strPng));
            return 1;
        }
    }
    return 0;
}
