#include "cli/ParseCommand.h"

#include "cli/CommandArgs.h"
#include "cli/CommandFiles.h"
#include "cli/DeedJson.h"
#include "import/BodLineParser.h"
#include "import/BodLineSplitter.h"
#include "model/Windows1252.h"

#include <iostream>

int RunParseCommand(const std::vector<std::string>& args) {
    const CCommandArgs commandArgs(args, {"--mode"});
    CBodLineParser parser;
    parser.m_nPasteMode = commandArgs.PasteMode();
    const std::vector<std::string>& files = commandArgs.Positionals(0, 1);
    const std::string text =
        Windows1252::DecodeIncoming(ReadInputBytes(files.empty() ? "-" : files.front()));

    std::vector<std::string> blocks;
    const std::vector<std::string_view> lines = SplitPaste(text, parser.m_nPasteMode, blocks);

    std::string out;
    for (const std::string_view line : lines) {
        std::unique_ptr<CBodItem> pBod;
        const bool bValid = parser.ParseLine(line, pBod);
        out += '{';
        DeedJson::AppendMembers(out, *pBod);
        out += ",\"line\":";
        DeedJson::AppendString(out, line);
        out += bValid ? ",\"valid\":true}\n" : ",\"valid\":false}\n";
    }
    std::cout << out << std::flush;
    return 0;
}
