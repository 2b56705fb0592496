#include "import/TooltipReader.h"

#include "import/BodLineSplitter.h"
#include "import/DeedEntry.h"
#include "model/BodCatalogue.h"
#include "model/CraftItems.h"
#include "model/TextUtil.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <utility>

namespace {

constexpr std::string_view kDeedName = "a bulk order deed";
constexpr std::string_view kMadeWith = "all items must be made with ";
constexpr std::string_view kAmount = "amount to make:";
constexpr std::array<std::string_view, 6> kWoods{"oak",       "ash",       "yew",
                                                 "heartwood", "bloodwood", "frostwood"};

std::string_view WithoutSuffix(std::string_view text, std::string_view suffix) {
    if (text.ends_with(suffix)) {
        text.remove_suffix(suffix.size());
    }
    return text;
}

bool IsWood(std::string_view text) {
    return std::find(kWoods.begin(), kWoods.end(), text) != kWoods.end();
}

// The material that a requirement names: "valorite ingots" gives "valorite", "spined leather"
// stays, and a wood is accepted as "oak" or "oak wood".
std::string MaterialFrom(std::string_view text) {
    text = WithoutSuffix(text, ".");
    if (text.ends_with(" ingots")) {
        return std::string(WithoutSuffix(text, " ingots"));
    }
    if (IsWood(WithoutSuffix(text, " wood"))) {
        return std::string(WithoutSuffix(text, " wood"));
    }
    return std::string(text);
}

bool IsAllDigits(std::string_view text) {
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

using TooltipReader::ItemLine;
using TooltipReader::Tooltip;

Tooltip Read(std::string_view block) {
    Tooltip tip;
    std::size_t start = 0;
    while (start <= block.size()) {
        const std::size_t end = std::min(block.find('/', start), block.size());
        const std::string line = TextUtil::NameKey(block.substr(start, end - start));
        start = end + 1;
        if (line == "small bulk order") {
            tip.nSize = 1;
        } else if (line == "large bulk order") {
            tip.nSize = 2;
        } else if (WithoutSuffix(line, ".") == "all items must be exceptional") {
            tip.bExceptional = true;
        } else if (line.starts_with(kMadeWith)) {
            tip.strMaterial = MaterialFrom(std::string_view(line).substr(kMadeWith.size()));
        } else if (line.starts_with(kAmount)) {
            tip.strAmount = TextUtil::Trim(std::string_view(line).substr(kAmount.size()));
        } else if (IsWood(MaterialFrom(line))) {
            // A wood requirement may print as its short name alone.
            tip.strMaterial = MaterialFrom(line);
        } else if (const std::size_t colon = line.rfind(':'); colon != std::string::npos) {
            const std::string_view name = TextUtil::Trim(std::string_view(line).substr(0, colon));
            const std::string_view done = TextUtil::Trim(std::string_view(line).substr(colon + 1));
            if (!name.empty() && name != "weight" && IsAllDigits(done)) {
                // Newer clients print some names with an article ("a three tiered cake").
                tip.items.push_back(
                    {std::string(CraftItems::ListedName(name)), TextUtil::Atoi(done)});
            }
        }
    }
    return tip;
}

std::optional<std::size_t> PartIndex(const BodCatalogueRow& row, std::string_view name) {
    const std::string_view wanted = CraftItems::WithoutGem(name);
    const auto parts = row.Parts();
    const auto found = std::find(parts.begin(), parts.end(), wanted);
    if (found == parts.end()) {
        return std::nullopt;
    }
    return static_cast<std::size_t>(found - parts.begin());
}

// Which of the row's parts the items name, each once; empty when one of them is no part.
std::vector<bool> PrintedParts(const BodCatalogueRow& row, const std::vector<ItemLine>& items) {
    std::vector<bool> printed(row.partCount);
    for (const ItemLine& item : items) {
        const std::optional<std::size_t> nIndex = PartIndex(row, item.strName);
        if (!nIndex || printed[*nIndex]) {
            return {};
        }
        printed[*nIndex] = true;
    }
    return printed;
}

// The set whose parts are exactly the listed items, in any order; failing that, the one set
// that has them and one part more. A server's fault leaves such a part out: the Fruits set of
// Data/Bulk Orders/Cooking/LargeFruits.cfg:5 names its grapes of wrath by a type that does not
// load, and the deed comes out with three parts.
const BodCatalogueRow* FindSet(const std::vector<ItemLine>& items) {
    const BodCatalogueRow* pShort = nullptr;
    int nShort = 0;
    for (const BodCatalogueRow& row : BodCatalogue::Rows()) {
        if (PrintedParts(row, items).empty()) {
            continue;
        }
        if (row.partCount == items.size()) {
            return &row;
        }
        if (row.partCount == items.size() + 1 && items.size() >= 2) {
            pShort = &row;
            ++nShort;
        }
    }
    return nShort == 1 ? pShort : nullptr;
}

void FillLarge(const Tooltip& tip, CBodItem& bod) {
    const BodCatalogueRow* row = FindSet(tip.items);
    if (row == nullptr) {
        bod.m_strItem = "LBOD/" + tip.items.front().strName;
        return;
    }
    bod.m_strItem = "LBOD/" + std::string(row->key);
    bod.BuildParts();
    const std::int64_t nAmount = TextUtil::Atoi(tip.strAmount);
    std::int64_t nFilled = 0;
    for (const ItemLine& item : tip.items) {
        bod.SetPart(static_cast<int>(*PartIndex(*row, item.strName)), item.nDone != 0,
                    item.strName);
        nFilled += item.nDone;
    }
    // The deed asks only for the parts it prints.
    const std::vector<bool> printed = PrintedParts(*row, tip.items);
    for (std::size_t i = printed.size(); i-- > 0;) {
        if (!printed[i]) {
            bod.m_arrParts.erase(bod.m_arrParts.begin() + static_cast<std::ptrdiff_t>(i));
        }
    }
    bod.m_strCount = std::to_string(nFilled) + '/' +
                     std::to_string(nAmount * static_cast<std::int64_t>(tip.items.size()));
}

// What the game prints: an amount of 10, 15 or 20 and a material the deed's item (or set) can
// ask for. New Deed and bodtool add accept no other deed either.
bool IsGameDeed(const Tooltip& tip, const CBodItem& bod) {
    if (tip.strAmount != "10" && tip.strAmount != "15" && tip.strAmount != "20") {
        return false;
    }
    const bool bLarge = tip.nSize == 2;
    const std::string_view item = std::string_view(bod.m_strItem).substr(bLarge ? 5 : 0);
    const std::vector<std::string_view> materials =
        DeedEntry::Materials(bod.m_strTrade, bLarge, item);
    return std::find(materials.begin(), materials.end(), bod.m_strMaterial) != materials.end();
}

} // namespace

namespace TooltipReader {

std::vector<std::string> SplitBlocks(std::string_view text) {
    std::vector<std::string> blocks;
    std::string current;
    // Whether the block being read names a deed's size, and whether the last one kept did not.
    bool bDeed = false;
    bool bLastNoDeed = false;
    const auto flush = [&] {
        if (current.empty()) {
            return;
        }
        // Blocks that are no deed, one after the other, make one invalid row: a paste of
        // millions of stray lines would otherwise take a row, many times its size, for each.
        if (!bDeed && bLastNoDeed) {
            blocks.back().append(" / ").append(current);
        } else {
            blocks.push_back(std::move(current));
        }
        bLastNoDeed = !bDeed;
        bDeed = false;
        current.clear();
    };
    ForEachLine(text, [&](std::string_view line) {
        line = TextUtil::Trim(line);
        if (line.empty()) {
            flush();
            return;
        }
        const std::string normalised = TextUtil::NameKey(line);
        if (normalised.starts_with(kDeedName)) {
            flush();
        }
        bDeed = bDeed || normalised.find("small bulk order") != std::string::npos ||
                normalised.find("large bulk order") != std::string::npos;
        current.append(current.empty() ? "" : " / ").append(line);
    });
    flush();
    return blocks;
}

bool ReadBlock(std::string_view block, std::unique_ptr<CBodItem>& pItem) {
    const Tooltip tip = Read(block);
    return Fill(tip, pItem) && IsGameDeed(tip, *pItem);
}

bool Fill(const Tooltip& tip, std::unique_ptr<CBodItem>& pItem) {
    pItem = std::make_unique<CBodItem>();
    CBodItem& bod = *pItem;
    if (tip.nSize == 0 || tip.items.empty()) {
        return false;
    }
    const CraftItemGroup* group = nullptr;
    for (const ItemLine& item : tip.items) {
        group = group != nullptr ? group : CraftItems::FindGroup(item.strName);
    }
    if (group != nullptr) {
        bod.m_strTrade = group->trade;
        bod.m_strCategory = group->category;
        bod.m_strMaterial = tip.strMaterial.empty() ? CraftItems::PlainMaterial(group->material)
                                                    : std::string_view(tip.strMaterial);
    }
    bod.m_strQuality = tip.bExceptional ? "Exceptional" : "Normal";
    bod.m_strAmount = tip.strAmount;
    if (tip.nSize == 1) {
        bod.m_strItem = tip.items.front().strName;
        bod.m_strCount = std::to_string(tip.items.front().nDone) + '/' + tip.strAmount;
    } else {
        FillLarge(tip, bod);
    }
    return bod.IsValid();
}

} // namespace TooltipReader
