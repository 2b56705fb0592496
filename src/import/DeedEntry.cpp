#include "import/DeedEntry.h"

#include "import/TooltipReader.h"
#include "model/BodCatalogue.h"
#include "model/CraftItems.h"
#include "model/DeedCombining.h"
#include "model/TextUtil.h"

#include <algorithm>
#include <array>

namespace {

using Names = std::string_view;

constexpr std::array<Names, 8> kTrades{"Smithy",    "Tailor",  "Alchemy",     "Bowcraft",
                                       "Carpentry", "Cooking", "Inscription", "Tinkering"};
constexpr std::array<Names, 9> kIngots{"iron", "dull copper", "shadow iron", "copper",  "bronze",
                                       "gold", "agapite",     "verite",      "valorite"};
constexpr std::array<Names, 4> kLeathers{"normal leather", "spined leather", "horned leather",
                                         "barbed leather"};
constexpr std::array<Names, 7> kWoods{"wood",      "oak",       "ash",      "yew",
                                      "heartwood", "bloodwood", "frostwood"};
template <typename Names> bool Has(const Names& names, std::string_view name) {
    return std::find(names.begin(), names.end(), name) != names.end();
}

const CraftItemGroup* GroupOf(std::string_view trade, std::string_view item) {
    const CraftItemGroup* group = CraftItems::FindGroup(item);
    return group != nullptr && group->trade == trade ? group : nullptr;
}

// Scripts/Services/BulkOrders/BulkOrderSystem.cs:527 (CanUseMaterial): a bribe to the NPC
// (MutateBOD, :553) raises a deed's material one step at a time, up to valorite, barbed or
// frostwood, on any smith's or carpenter's deed, on a tailor's leather and on the tinker's and
// bowyer's deeds but those never raised. Cloth, potions, food and scrolls never name one.
std::vector<Names> SmallMaterials(const CraftItemGroup& group) {
    const Names plain = CraftItems::PlainMaterial(group.material);
    if (group.bNeverRaised) {
        return {plain};
    }
    switch (group.material) {
    case MaterialKind::Ingots:
        return {kIngots.begin(), kIngots.end()};
    case MaterialKind::Leather:
        return {kLeathers.begin(), kLeathers.end()};
    case MaterialKind::Wood:
        return {kWoods.begin(), kWoods.end()};
    case MaterialKind::Cloth:
    case MaterialKind::None:
        break;
    }
    return {plain};
}

// BulkOrderSystem.cs:503 (CanBeExceptional); a bribe adds it wherever that allows.
bool SmallExceptional(const CraftItemGroup& group) {
    return group.trade != "Alchemy" && group.trade != "Inscription" && !group.bNeverRaised;
}

const BodCatalogueRow* SetOf(std::string_view trade, std::string_view key) {
    const BodCatalogueRow* row = BodCatalogue::Find(key);
    return row != nullptr && row->trade == trade ? row : nullptr;
}

// BulkOrderSystem.cs:487 (GetTypeFromBOD): the game judges a large deed by its first part.
std::string_view Representative(std::string_view trade, bool bLarge, std::string_view item) {
    if (!bLarge) {
        return item;
    }
    const BodCatalogueRow* row = SetOf(trade, item);
    return row != nullptr ? row->parts.front() : std::string_view();
}

std::string WrongGem(const DeedChoice& choice, std::string_view item, const std::string& strGem) {
    const bool bNeedsGem = DeedEntry::NeedsGem(choice.strTrade, choice.bLarge, item);
    if (!bNeedsGem && !strGem.empty()) {
        return std::string("'").append(item).append("' has no gem");
    }
    if (bNeedsGem && !Has(CraftItems::Gems(), strGem)) {
        std::string strGems;
        for (const std::string_view gem : CraftItems::Gems()) {
            strGems.append(strGems.empty() ? "" : ", ").append(gem);
        }
        // Appended, not added: GCC 12 at -O3 takes "literal" + a temporary for an overlapping
        // copy (-Wrestrict, a known false warning) and warnings are errors.
        std::string strWrong = strGem.empty()
                                   ? std::string("'").append(item).append("' needs a gem")
                                   : std::string("unknown gem '").append(strGem).append("'");
        return strWrong.append(": ").append(strGems);
    }
    return {};
}

// A filled part may name its jewel's gem ("amber ring" fills "ring").
bool IsPartFilled(const DeedChoice& choice, std::string_view part) {
    return std::any_of(choice.filledParts.begin(), choice.filledParts.end(),
                       [part](const std::string& filled) {
                           return DeedCombining::FillsPart(CraftItems::WithoutGem(filled), part);
                       });
}

} // namespace

namespace DeedEntry {

std::vector<std::string_view> Trades() {
    return {kTrades.begin(), kTrades.end()};
}

std::vector<std::string_view> Items(std::string_view trade) {
    std::vector<std::string_view> items;
    for (const CraftItemGroup& group : CraftItems::Groups()) {
        if (group.trade == trade) {
            items.insert(items.end(), group.items.begin(), group.items.end());
        }
    }
    return items;
}

std::vector<std::string_view> Sets(std::string_view trade) {
    std::vector<std::string_view> sets;
    for (const BodCatalogueRow& row : BodCatalogue::Rows()) {
        if (row.trade == trade) {
            sets.push_back(row.key);
        }
    }
    return sets;
}

std::vector<std::string_view> Materials(std::string_view trade, bool bLarge,
                                        std::string_view item) {
    const CraftItemGroup* group = GroupOf(trade, Representative(trade, bLarge, item));
    return group != nullptr ? SmallMaterials(*group) : std::vector<std::string_view>{};
}

bool CanBeExceptional(std::string_view trade, bool bLarge, std::string_view item) {
    const CraftItemGroup* group = GroupOf(trade, Representative(trade, bLarge, item));
    return group != nullptr && SmallExceptional(*group);
}

// Jewelry deeds get a gem as they are made (LargeTinkerBOD.cs:87, SmallTinkerBOD.cs:84).
bool NeedsGem(std::string_view trade, bool bLarge, std::string_view item) {
    return trade == "Tinkering" && CraftItems::IsJewel(Representative(trade, bLarge, item));
}

DeedChoice ChoiceOf(const CBodItem& bod) {
    DeedChoice choice;
    choice.strTrade = bod.m_strTrade;
    choice.bLarge = bod.IsLarge();
    choice.strItem =
        choice.bLarge ? TextUtil::Trim(std::string_view(bod.m_strItem)
                                           .substr(std::min<std::size_t>(5, bod.m_strItem.size())))
                      : std::string_view(bod.m_strItem);
    choice.strMaterial = bod.m_strMaterial;
    choice.nAmount = TextUtil::Atoi(bod.m_strAmount);
    choice.bExceptional = bod.m_strQuality == "Exceptional";
    choice.nMade = TextUtil::Atoi(bod.m_strCount);
    // An imported part may carry the export's capitals; the catalogue's names are lower case.
    for (const CBodItemDetail& part : bod.m_arrParts) {
        if (part.m_bFilled) {
            choice.filledParts.push_back(TextUtil::AsciiLower(part.m_strName));
        }
    }
    if (choice.bLarge) {
        // Progress recorded without a record of its parts stays with the deed.
        const auto nFilled = static_cast<int>(choice.filledParts.size());
        choice.nMade = std::max(0, choice.nMade - nFilled * choice.nAmount);
    }
    // A jewel's gem, from its name or from the set's first part.
    const std::string named = TextUtil::AsciiLower(
        choice.bLarge ? (bod.m_arrParts.empty() ? std::string() : bod.m_arrParts.front().m_strName)
                      : choice.strItem);
    if (const std::string_view plain = CraftItems::WithoutGem(named); plain != named) {
        choice.strGem = named.substr(0, named.size() - plain.size() - 1);
        choice.strItem = choice.bLarge ? choice.strItem : std::string(plain);
    }
    return choice;
}

std::pair<int, int> LargeProgress(const DeedChoice& choice) {
    const BodCatalogueRow* row = SetOf(choice.strTrade, choice.strItem);
    if (row == nullptr) {
        return {0, 0};
    }
    const auto parts = row->Parts();
    const auto nFilled = std::count_if(
        parts.begin(), parts.end(), [&choice](Names part) { return IsPartFilled(choice, part); });
    const int nTotal = static_cast<int>(parts.size()) * choice.nAmount;
    return {
        std::min(static_cast<int>(nFilled) * choice.nAmount + std::max(0, choice.nMade), nTotal),
        nTotal};
}

std::string Make(const DeedChoice& choice, std::unique_ptr<CBodItem>& pItem) {
    pItem.reset();
    if (!Has(kTrades, choice.strTrade)) {
        return "unknown trade '" + choice.strTrade + "'";
    }
    const std::string strKey = TextUtil::NameKey(choice.strItem);
    std::string_view item = CraftItems::ListedName(strKey);
    std::string strGem = TextUtil::NameKey(choice.strGem);
    if (const std::string_view plain = CraftItems::WithoutGem(item); plain != item) {
        strGem =
            strGem.empty() ? std::string(item.substr(0, item.size() - plain.size() - 1)) : strGem;
        item = plain;
    }
    const std::vector<std::string_view> materials = Materials(choice.strTrade, choice.bLarge, item);
    if (materials.empty()) {
        return choice.strTrade + " has no " + (choice.bLarge ? "large set '" : "item '") +
               choice.strItem + "'";
    }
    const std::string_view material =
        choice.strMaterial.empty() ? materials.front() : std::string_view(choice.strMaterial);
    if (!Has(materials, material)) {
        return "'" + std::string(item) + "' is never asked for in " + std::string(material);
    }
    if (choice.nAmount != 10 && choice.nAmount != 15 && choice.nAmount != 20) {
        return "the amount must be 10, 15 or 20";
    }
    if (choice.bExceptional && !CanBeExceptional(choice.strTrade, choice.bLarge, item)) {
        return "'" + std::string(item) + "' is never asked for exceptional";
    }
    if (const std::string strWrong = WrongGem(choice, item, strGem); !strWrong.empty()) {
        return strWrong;
    }
    if (!choice.bLarge && (choice.nMade < 0 || choice.nMade > choice.nAmount)) {
        return "the number made must be between 0 and the amount";
    }
    const std::string strPrefix = strGem.empty() ? "" : strGem + ' ';
    TooltipReader::Tooltip tip;
    tip.nSize = choice.bLarge ? 2 : 1;
    tip.bExceptional = choice.bExceptional;
    tip.strMaterial = material;
    tip.strAmount = std::to_string(choice.nAmount);
    std::int64_t nFilled = 0;
    if (choice.bLarge) {
        for (const std::string_view part : SetOf(choice.strTrade, item)->Parts()) {
            const bool bFilled = IsPartFilled(choice, part);
            nFilled += bFilled ? 1 : 0;
            tip.items.push_back({strPrefix + std::string(part), bFilled ? choice.nAmount : 0});
        }
    } else {
        tip.items.push_back({strPrefix + std::string(item), choice.nMade});
    }
    TooltipReader::Fill(tip, pItem);
    if (choice.bLarge) {
        const std::int64_t nTotal = std::int64_t{choice.nAmount} * std::ssize(tip.items);
        const std::int64_t nMade = nFilled * choice.nAmount + std::max(0, choice.nMade);
        pItem->m_strCount = std::to_string(std::min(nMade, nTotal)) + '/' + std::to_string(nTotal);
    }
    return {};
}

} // namespace DeedEntry
