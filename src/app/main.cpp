#include "app/ExceptionReport.h"
#include "app/QuillmarApp.h"
#include "app/SingleInstance.h"
#include "app/Translations.h"
#include "widgets/QtPrompt.h"

#include <QApplication>
#include <QByteArray>
#include <cstdio>
#include <optional>

namespace {

using ShellCommand = CQuillmarApp::CCommandLineInfo::ShellCommand;

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
        const CTranslations translations;
        return Answer(CQuillmarApp::CCommandLineInfo::HelpText().toLocal8Bit());
    } else if (info.bShowVersion) {
        return Answer("Quillmar " QUILLMAR_VERSION "\n");
    }
    // Outlive the guarded part, so that a failure can still be shown in a message box, in the
    // user's language.
    CQtPrompt prompt;
    SetAppPrompt(&prompt);
    std::optional<QApplication> app;
    std::optional<CTranslations> translations;
    return RunReportingExceptions([&] {
        app.emplace(argc, argv);
        translations.emplace();
        const QStringList qtFreeArguments = QApplication::arguments().mid(1);
        const auto info = CQuillmarApp::CCommandLineInfo::Parse(qtFreeArguments);
        CSingleInstance instance;
        // Printing is a job of its own, not a file for the window that runs.
        if (info.nShellCommand != ShellCommand::FilePrint) {
            const QStringList files =
                info.strFileName.isEmpty() ? QStringList() : QStringList{info.strFileName};
            switch (instance.ForwardOrServe(files)) {
            case CSingleInstance::Start::Forwarded:
                return 0;
            case CSingleInstance::Start::NotAnswered:
                return CQuillmarApp::ReportNotAnswered(info.strFileName);
            case CSingleInstance::Start::Run:
                break;
            }
        }
        CQuillmarApp quillmar(qtFreeArguments);
        QObject::connect(&instance, &CSingleInstance::OpenRequested,
                         [&quillmar](const QStringList& files) { quillmar.OpenFiles(files); });
        if (!quillmar.InitInstance()) {
            return quillmar.GetExitCode();
        }
        return QApplication::exec();
    });
}
