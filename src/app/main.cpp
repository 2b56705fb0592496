#include "app/ExceptionReport.h"
#include "app/QuillmarApp.h"

#include <QApplication>
#include <QByteArray>
#include <cstdio>
#include <optional>

namespace {

// An answer on standard output; exit 1 when it could not be written in full.
int Answer(const QByteArray& text) {
    return std::fwrite(text.constData(), 1, static_cast<std::size_t>(text.size()), stdout) ==
                       static_cast<std::size_t>(text.size()) &&
                   std::fflush(stdout) == 0
               ? 0
               : 1;
}

} // namespace

int main(int argc, char** argv) {
    // Answered before the windowing part of Qt starts, so that they need no display and open no
    // window. Qt's own options are still on this command line; they do not look like ours.
    QStringList arguments;
    for (int i = 1; i < argc; ++i) {
        arguments.append(QString::fromLocal8Bit(argv[i]));
    }
    if (const auto info = CQuillmarApp::CCommandLineInfo::Parse(arguments); info.bShowHelp) {
        const QCoreApplication core(argc, argv);
        return Answer(CQuillmarApp::CCommandLineInfo::HelpText().toLocal8Bit());
    } else if (info.bShowVersion) {
        return Answer("Quillmar " QUILLMAR_VERSION "\n");
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
