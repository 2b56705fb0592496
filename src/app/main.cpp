#include "app/ExceptionReport.h"
#include "app/QuillmarApp.h"

#include <QApplication>
#include <optional>

int main(int argc, char** argv) {
    // Outlives the guarded part, so that a failure can still be shown in a message box.
    std::optional<QApplication> app;
    return RunReportingExceptions([&] {
        app.emplace(argc, argv);
        CQuillmarApp quillmar(QApplication::arguments().mid(1));
        if (!quillmar.InitInstance()) {
            return quillmar.GetExitCode();
        }
        return QApplication::exec();
    });
}
