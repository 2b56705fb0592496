#include "cli/AddCommand.h"

#include "cli/CommandArgs.h"
#include "cli/CommandFiles.h"
#include "import/DeedEntry.h"
#include "model/TextUtil.h"
#include "model/Windows1252.h"

#include <iostream>

namespace {

// A large deed is named by its set, the key the tree shows after "LBOD/": a set's first part is
// also an item of its own, so the item alone cannot say which of the two is meant.
DeedChoice ChoiceFrom(const CCommandArgs& commandArgs) {
    DeedChoice choice;
    choice.strTrade = commandArgs.Value("--trade").value_or("");
    const std::optional<std::string> item = commandArgs.Value("--item");
    const std::optional<std::string> set = commandArgs.Value("--set");
    if (choice.strTrade.empty() || item.has_value() == set.has_value()) {
        throw CUsageError("add needs --trade and either --item or --set");
    }
    choice.bLarge = set.has_value();
    choice.strItem = choice.bLarge ? *set : *item;
    choice.strMaterial = commandArgs.Value("--material").value_or("");
    const std::string strAmount = commandArgs.Value("--amount").value_or("20");
    choice.nAmount =
        strAmount == "10" || strAmount == "15" || strAmount == "20" ? TextUtil::Atoi(strAmount) : 0;
    choice.bExceptional = commandArgs.Switch("--exceptional");
    return choice;
}

} // namespace

int RunAddCommand(const std::vector<std::string>& args) {
    const CCommandArgs commandArgs(
        args, {"--trade", "--item", "--set", "--material", "--amount", "--note"},
        {"--exceptional"});
    const std::string& strBodPath = commandArgs.Positionals(1, 1)[0];
    std::unique_ptr<CBodItem> pBod;
    if (const std::string strWrong = DeedEntry::Make(ChoiceFrom(commandArgs), pBod);
        !strWrong.empty()) {
        throw CUsageError(strWrong);
    }
    pBod->SetNotes(Windows1252::DecodeIncoming(commandArgs.Value("--note").value_or("")));
    COpenedDocument document = OpenOrStartBodDocument(strBodPath);
    document.contents.bods.push_back(std::move(pBod));
    SaveBodDocument(strBodPath, document, "adding; nothing was added");
    std::cout << "1 BOD was added.\n" << std::flush;
    return 0;
}
