#include "cli/AddCommand.h"
#include "cli/CommandArgs.h"
#include "cli/CommandFiles.h"
#include "cli/DumpCommand.h"
#include "cli/ExportCommand.h"
#include "cli/FillCommand.h"
#include "cli/ImportCommand.h"
#include "cli/ParseCommand.h"
#include "cli/PrintCommand.h"
#include "cli/ShoppingCommand.h"
#include "cli/StatsCommand.h"
#include "cli/StdStreams.h"
#include "cli/TreeCommand.h"

#include <QGuiApplication>
#include <QString>
#include <iostream>
#include <memory>
#include <new>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#ifdef _WIN32
// windows.h first: shellapi.h builds on its declarations.
// clang-format off
#include <windows.h>
#include <shellapi.h>
// clang-format on
#endif

namespace {

// One bodtool command. `run` gets the arguments after the command's name and writes its result
// to standard output (UTF-8). It returns the exit status, 0 on success. A command does not
// print its own errors: it throws CUsageError for arguments it cannot use (exit 2, with the
// usage below) and CDocumentError for a file it cannot read or write (exit 1, with the message).
// `bGui` asks for a QGuiApplication (fonts, images, printing) instead of a QCoreApplication; it
// runs on the offscreen platform unless QT_QPA_PLATFORM says otherwise.
// A new command is one line in kCommands plus its own Run...Command file pair.
struct Command {
    const char* name;
    const char* usage;
    bool bGui;
    int (*run)(const std::vector<std::string>& args);
};

constexpr Command kCommands[] = {
    {"parse", "parse [--mode aos|pre-aos|tooltip] [TEXTFILE]", false, RunParseCommand},
    {"dump", "dump FILE.bod", false, RunDumpCommand},
    {"import", "import [--mode aos|pre-aos|tooltip] [--note TEXT] FILE.bod [TEXTFILE]", false,
     RunImportCommand},
    {"add",
     "add FILE.bod --trade TRADE (--item ITEM | --set SET) [--gem GEM] [--material M] "
     "[--amount 10|15|20] [--exceptional] [--note TEXT]\n"
     "  bodtool add --list TRADE",
     false, RunAddCommand},
    {"fill", "fill FILE.bod", false, RunFillCommand},
    {"shopping", "shopping FILE.bod", false, RunShoppingCommand},
    {"stats", "stats FILE.bod", false, RunStatsCommand},
    {"tree", "tree [--shopping] FILE.bod", false, RunTreeCommand},
    {"print", "print [--expand all|root] FILE.bod OUT.pdf", true, RunPrintCommand},
    {"export", "export [--format csv|json] FILE.bod", false, RunExportCommand},
};

void PrintUsage(std::ostream& out, std::span<const Command> commands) {
    out << "usage:\n";
    for (const Command& command : commands) {
        out << "  bodtool " << command.usage << '\n';
    }
}

const Command* FindCommand(std::string_view name) {
    for (const Command& command : kCommands) {
        if (name == command.name) {
            return &command;
        }
    }
    return nullptr;
}

std::unique_ptr<QCoreApplication> MakeApplication(const Command& command, int& argc, char** argv) {
    if (!command.bGui) {
        return std::make_unique<QCoreApplication>(argc, argv);
    }
    // A command-line program has no display to count on.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    return std::make_unique<QGuiApplication>(argc, argv);
}

// Every line bodtool writes to standard error begins with its name, so that a script running
// several programs can tell whose complaint it is.
std::ostream& Error() {
    return std::cerr << "bodtool: ";
}

// Qt's own warnings (a missing runtime folder, a font it cannot find) go to standard error too,
// and carry the same name.
void ReportQtMessage(QtMsgType, const QMessageLogContext&, const QString& strMessage) {
    Error() << strMessage.toStdString() << '\n';
}

int RunCommand(const Command& command, const std::vector<std::string>& args) {
    // Refused before anything is done, so no file changes for a result nobody can see.
    if (StdStreams::IsOutputClosed()) {
        Error() << command.name << ": standard output is closed\n";
        return 1;
    }
    int nExitCode = 1;
    try {
        nExitCode = command.run(args);
    } catch (const CUsageError& e) {
        Error() << command.name << ": " << e.what() << '\n';
        PrintUsage(std::cerr, {&command, 1});
        return 2;
    } catch (const CDocumentError& e) {
        // Its message begins with the file it concerns.
        Error() << e.what() << '\n';
        return 1;
    } catch (const std::bad_alloc&) {
        Error() << command.name << ": out of memory\n";
        return 1;
    } catch (const std::exception& e) {
        Error() << command.name << ": " << e.what() << '\n';
        return 1;
    }
    if (const std::string strProblem = StdStreams::Finish(); !strProblem.empty()) {
        Error() << command.name << ": " << strProblem << '\n';
        return 1;
    }
    return nExitCode;
}

// "bodtool help [COMMAND]": all usages, or the one of COMMAND.
int RunHelp(std::span<const std::string> topics) {
    if (topics.empty()) {
        PrintUsage(std::cout, kCommands);
    } else if (topics.size() > 1) {
        Error() << "help: unexpected argument " << topics[1] << '\n';
        return 2;
    } else if (const Command* command = FindCommand(topics.front())) {
        PrintUsage(std::cout, {command, 1});
    } else {
        Error() << "help: unknown command " << topics.front() << '\n';
        PrintUsage(std::cerr, kCommands);
        return 2;
    }
    std::cout << std::flush;
    return std::cout ? 0 : 1;
}

// The arguments after the program's name, each as the system gave it: bytes on POSIX, UTF-8 on
// Windows, where a narrow main() gets them in the ANSI code page, which cannot hold every
// character a file name may have.
std::vector<std::string> Arguments([[maybe_unused]] int argc, [[maybe_unused]] char** argv) {
#ifdef _WIN32
    int nCount = 0;
    wchar_t** ppArgs = CommandLineToArgvW(GetCommandLineW(), &nCount);
    std::vector<std::string> args;
    for (int i = 1; ppArgs != nullptr && i < nCount; ++i) {
        args.push_back(QString::fromWCharArray(ppArgs[i]).toStdString());
    }
    LocalFree(ppArgs);
    return args;
#else
    return {argv + 1, argv + argc};
#endif
}

} // namespace

int main(int argc, char** argv) {
    StdStreams::Guard();
    qInstallMessageHandler(ReportQtMessage);
    // Taken before Qt sees the command line, so that an argument such as "-style" stays ours.
    const std::vector<std::string> args = Arguments(argc, argv);

    if (args.empty()) {
        Error() << "no command given\n";
        PrintUsage(std::cerr, kCommands);
        return 2;
    }
    if (args.front() == "--version") {
        std::cout << "bodtool " QUILLMAR_VERSION "\n" << std::flush;
        return std::cout ? 0 : 1;
    }
    if (args.front() == "--help" || args.front() == "-h" || args.front() == "help") {
        return RunHelp(std::span(args).subspan(1));
    }
    const Command* command = FindCommand(args.front());
    if (command == nullptr) {
        Error() << "unknown command " << args.front() << '\n';
        PrintUsage(std::cerr, kCommands);
        return 2;
    }
    // No command takes an option of that name, so "bodtool dump --help" can only mean this.
    if (args.size() > 1 && args[1] == "--help") {
        return RunHelp(std::span(args).subspan(0, 1));
    }
    int qtArgc = 1;
    const std::unique_ptr<QCoreApplication> app = MakeApplication(*command, qtArgc, argv);
    return RunCommand(*command, {args.begin() + 1, args.end()});
}
