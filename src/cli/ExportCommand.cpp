#include "cli/ExportCommand.h"

#include "cli/CommandArgs.h"
#include "cli/CommandFiles.h"
#include "cli/DeedJson.h"
#include "model/DeedCsv.h"

#include <iostream>

int RunExportCommand(const std::vector<std::string>& args) {
    const CCommandArgs commandArgs(args, {"--format"});
    const std::string& strPath = commandArgs.Positionals(1, 1).front();
    const std::string strFormat = commandArgs.Value("--format").value_or("csv");
    if (strFormat != "csv" && strFormat != "json") {
        throw CUsageError("--format takes csv or json, not " + strFormat);
    }
    const BodFile::Contents document = LoadBodDocument(strPath);

    std::string out;
    if (strFormat == "csv") {
        std::vector<const CBodItem*> deeds;
        deeds.reserve(document.bods.size());
        for (const std::unique_ptr<CBodItem>& pBod : document.bods) {
            deeds.push_back(pBod.get());
        }
        out = DeedCsv::Write(deeds);
    } else {
        out = "{";
        DeedJson::AppendDeedsMember(out, document.bods);
        out += "}\n";
    }
    std::cout << out << std::flush;
    return 0;
}
