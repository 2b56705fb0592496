#include "app/ExceptionReport.h"
#include "app/QuillmarApp.h"

#include <QApplication>
#include <cstdio>
#include <optional>
#include <string_view>

int main(int argc, char** argv) {
    // Answered before Qt starts, so that it needs no display and opens no window.
    if (argc == 2 && std::string_view(argv[1]) == "--version") {
        return std::puts("Quillmar " QUILLMAR_VERSION) >= 0 && std::fflush(stdout) == 0 ? 0 : 1;
    }
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
