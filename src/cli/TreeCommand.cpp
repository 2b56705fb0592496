#include "cli/TreeCommand.h"

#include "cli/CommandArgs.h"
#include "cli/CommandFiles.h"
#include "framework/CollatorTextOrder.h"
#include "model/BodHierarchy.h"
#include "model/ShoppingList.h"

#include <iostream>

int RunTreeCommand(const std::vector<std::string>& args) {
    const CCommandArgs commandArgs(args, {}, {"--shopping"});
    const std::string& strPath = commandArgs.Positionals(1, 1).front();
    const BodFile::Contents document = LoadBodDocument(strPath);
    const bool bShoppingList = commandArgs.Switch("--shopping");

    const CCollatorTextOrder order;
    CBodHierarchy hierarchy(order);
    if (bShoppingList) {
        std::size_t nLeftOut = 0;
        hierarchy.Rebuild(ShoppingList::Build(document.bods, &nLeftOut), true);
        ReportPartsLeftOut(strPath, nLeftOut);
    } else {
        hierarchy.Rebuild(document.bods, false);
    }
    std::cout << hierarchy.Outline() << std::flush;
    return 0;
}
