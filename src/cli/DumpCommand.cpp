#include "cli/DumpCommand.h"

#include "cli/CommandArgs.h"
#include "cli/CommandFiles.h"
#include "cli/DeedJson.h"

#include <iostream>

int RunDumpCommand(const std::vector<std::string>& args) {
    const CCommandArgs commandArgs(args, {});
    const BodFile::Contents document = LoadBodDocument(commandArgs.Positionals(1, 1).front());

    std::string out = "{\"reserved2\":" + std::to_string(document.nReserved2) +
                      ",\"reserved1\":" + std::to_string(document.nReserved1) + ",";
    DeedJson::AppendDeedsMember(out, document.bods);
    out += "}\n";
    std::cout << out << std::flush;
    return 0;
}
