#include "cli/AddCommand.h"

#include "cli/CommandArgs.h"
#include "cli/CommandFiles.h"
#include "import/DeedEntry.h"
#include "model/CraftItems.h"
#include "model/TextUtil.h"
#include "model/Windows1252.h"

#include <algorithm>
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
    choice.strGem = commandArgs.Value("--gem").value_or("");
    const std::string strAmount = commandArgs.Value("--amount").value_or("20");
    choice.nAmount =
        strAmount == "10" || strAmount == "15" || strAmount == "20" ? TextUtil::Atoi(strAmount) : 0;
    choice.bExceptional = commandArgs.Switch("--exceptional");
    return choice;
}

void AppendNames(std::string& out, const char* pszTitle,
                 const std::vector<std::string_view>& names) {
    out.append(pszTitle).append(":\n");
    for (const std::string_view name : names) {
        out.append("  ").append(name).append("\n");
    }
}

// The items, sets and gems a trade's deeds name, as --item, --set and --gem take them.
int ListNames(const std::string& strTrade) {
    const std::vector<std::string_view> trades = DeedEntry::Trades();
    if (std::find(trades.begin(), trades.end(), strTrade) == trades.end()) {
        std::string strTrades;
        for (const std::string_view trade : trades) {
            strTrades.append(strTrades.empty() ? "" : ", ").append(trade);
        }
        throw CUsageError("unknown trade '" + strTrade + "'; the trades are " + strTrades);
    }
    std::string out;
    AppendNames(out, "items", DeedEntry::Items(strTrade));
    AppendNames(out, "sets", DeedEntry::Sets(strTrade));
    if (strTrade == "Tinkering") {
        AppendNames(out, "gems", {CraftItems::Gems().begin(), CraftItems::Gems().end()});
    }
    std::cout << out << std::flush;
    return 0;
}

} // namespace

int RunAddCommand(const std::vector<std::string>& args) {
    const CCommandArgs commandArgs(
        args, {"--trade", "--item", "--set", "--gem", "--material", "--amount", "--note", "--list"},
        {"--exceptional"});
    if (const std::optional<std::string> trade = commandArgs.Value("--list")) {
        commandArgs.Positionals(0, 0);
        return ListNames(*trade);
    }
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
