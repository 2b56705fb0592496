#include "cli/FillCommand.h"

#include "cli/CommandArgs.h"
#include "cli/CommandFiles.h"
#include "model/LargeDeedFilling.h"

#include <iostream>

int RunFillCommand(const std::vector<std::string>& args) {
    const CCommandArgs commandArgs(args, {});
    const std::string& strPath = commandArgs.Positionals(1, 1)[0];
    COpenedDocument document = OpenBodDocument(strPath);
    const CFillCounts counts = CLargeDeedFilling::Run(document.contents.bods).Counts();
    if (counts.nSmallUsed == 0) {
        std::cout << "No large deed could be filled: no complete small deed in this document fits "
                     "an open part.\n"
                  << std::flush;
        return 0;
    }
    SaveBodDocument(strPath, document, "filling; nothing was filled");
    std::cout << "Large deeds filled: " << counts.nLargeFilled
              << ". Small deeds used: " << counts.nSmallUsed
              << ". Large deeds now complete: " << counts.nCompleted << ".\n"
              << std::flush;
    return 0;
}
