#include "cli/ShoppingCommand.h"

#include "cli/CommandArgs.h"
#include "cli/CommandFiles.h"
#include "cli/DeedJson.h"
#include "model/ShoppingList.h"

#include <iostream>

int RunShoppingCommand(const std::vector<std::string>& args) {
    const CCommandArgs commandArgs(args, {});
    const std::string& strPath = commandArgs.Positionals(1, 1).front();
    const BodFile::Contents document = LoadBodDocument(strPath);
    std::size_t nLeftOut = 0;
    const CBodArray shoppingList = ShoppingList::Build(document.bods, &nLeftOut);
    ReportPartsLeftOut(strPath, nLeftOut);

    std::string out = "{";
    DeedJson::AppendDeedsMember(out, shoppingList);
    out += "}\n";
    std::cout << out << std::flush;
    return 0;
}
