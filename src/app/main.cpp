#include "app/QuillmarApp.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    CQuillmarApp quillmar(QApplication::arguments().mid(1));
    if (!quillmar.InitInstance()) {
        return quillmar.GetExitCode();
    }
    return QApplication::exec();
}
