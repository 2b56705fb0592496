#include "import/DeedEntry.h"

#include "import/TooltipReader.h"
#include "model/BodCatalogue.h"
#include "model/CraftItems.h"
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
// A tinker's tools, which the game never asks for in a special material, nor its jewels.
constexpr std::array<Names, 11> kTinkerTools{"mortar and pestle",
                                             "smith's hammer",
                                             "skillet",
                                             "sewing kit",
                                             "clippers",
                                             "tongs",
                                             "sledge hammer",
                                             "saw",
                                             "froe",
                                             "flour sifter",
                                             "arrow fletching"};
// The cook's list that is never exceptional.
constexpr std::array<Names, 9> kCookingRegular{
    "enchanted apple", "savage kin paint", "grapes of wrath", "smoke bomb", "cooked bird",
    "fish steak",      "fried eggs",       "leg of lamb",     "cut of ribs"};

template <typename Names> bool Has(const Names& names, std::string_view name) {
    return std::find(names.begin(), names.end(), name) != names.end();
}

const CraftItemGroup* GroupOf(std::string_view trade, std::string_view item) {
    const CraftItemGroup* group = CraftItems::FindGroup(item);
    return group != nullptr && group->trade == trade ? group : nullptr;
}

// A smith's helmets and shields file with the weapons but are armour: the first ten of the list.
bool IsSmithWeapon(const CraftItemGroup& group, std::string_view item) {
    if (group.category != "Weapon") {
        return false;
    }
    const auto found = std::find(group.items.begin(), group.items.end(), item);
    return found - group.items.begin() >= 10;
}

std::vector<Names> SmallMaterials(const CraftItemGroup& group, std::string_view item) {
    const Names plain = CraftItems::PlainMaterial(group.material);
    if (Has(kTinkerTools, item) || IsSmithWeapon(group, item) || group.category == "Jewelry" ||
        group.category == "Clockwork" || group.category == "Ammunition") {
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

bool SmallExceptional(const CraftItemGroup& group, std::string_view item) {
    return group.material != MaterialKind::None
               ? group.category != "Clockwork" && group.category != "Ammunition"
               : group.trade == "Cooking" && !Has(kCookingRegular, item);
}

const BodCatalogueRow* SetOf(std::string_view trade, std::string_view key) {
    const BodCatalogueRow* row = BodCatalogue::Find(key);
    return row != nullptr && row->trade == trade ? row : nullptr;
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

// A set asks for what every one of its parts may be asked for.
std::vector<std::string_view> Materials(std::string_view trade, bool bLarge,
                                        std::string_view item) {
    if (!bLarge) {
        const CraftItemGroup* group = GroupOf(trade, item);
        return group != nullptr ? SmallMaterials(*group, item) : std::vector<std::string_view>{};
    }
    const BodCatalogueRow* row = SetOf(trade, item);
    if (row == nullptr) {
        return {};
    }
    std::vector<std::string_view> materials;
    for (const std::string_view part : row->Parts()) {
        const std::vector<std::string_view> own = Materials(trade, false, part);
        if (materials.empty() || own.size() < materials.size()) {
            materials = own;
        }
    }
    return materials;
}

bool CanBeExceptional(std::string_view trade, bool bLarge, std::string_view item) {
    if (!bLarge) {
        const CraftItemGroup* group = GroupOf(trade, item);
        return group != nullptr && SmallExceptional(*group, item);
    }
    const BodCatalogueRow* row = SetOf(trade, item);
    return row != nullptr &&
           std::all_of(row->Parts().begin(), row->Parts().end(), [trade](std::string_view part) {
               return CanBeExceptional(trade, false, part);
           });
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
    return choice;
}

std::pair<int, int> LargeProgress(const DeedChoice& choice) {
    const BodCatalogueRow* row = SetOf(choice.strTrade, choice.strItem);
    if (row == nullptr) {
        return {0, 0};
    }
    const auto parts = row->Parts();
    const auto nFilled = std::count_if(parts.begin(), parts.end(), [&choice](Names part) {
        return Has(choice.filledParts, part);
    });
    return {static_cast<int>(nFilled) * choice.nAmount,
            static_cast<int>(parts.size()) * choice.nAmount};
}

std::string Make(const DeedChoice& choice, std::unique_ptr<CBodItem>& pItem) {
    pItem.reset();
    if (!Has(kTrades, choice.strTrade)) {
        return "unknown trade '" + choice.strTrade + "'";
    }
    const std::vector<std::string_view> materials =
        Materials(choice.strTrade, choice.bLarge, choice.strItem);
    if (materials.empty()) {
        return choice.strTrade + " has no " + (choice.bLarge ? "large set '" : "item '") +
               choice.strItem + "'";
    }
    const std::string_view material =
        choice.strMaterial.empty() ? materials.front() : std::string_view(choice.strMaterial);
    if (!Has(materials, material)) {
        return "'" + choice.strItem + "' is never asked for in " + std::string(material);
    }
    if (choice.nAmount != 10 && choice.nAmount != 15 && choice.nAmount != 20) {
        return "the amount must be 10, 15 or 20";
    }
    if (choice.bExceptional && !CanBeExceptional(choice.strTrade, choice.bLarge, choice.strItem)) {
        return "'" + choice.strItem + "' is never asked for exceptional";
    }
    if (choice.nMade < 0 || choice.nMade > choice.nAmount) {
        return "the number made must be between 0 and the amount";
    }
    TooltipReader::Tooltip tip;
    tip.nSize = choice.bLarge ? 2 : 1;
    tip.bExceptional = choice.bExceptional;
    tip.strMaterial = material;
    tip.strAmount = std::to_string(choice.nAmount);
    if (choice.bLarge) {
        for (const std::string_view part : SetOf(choice.strTrade, choice.strItem)->Parts()) {
            const bool bFilled = Has(choice.filledParts, part);
            tip.items.push_back({std::string(part), bFilled ? choice.nAmount : 0});
        }
    } else {
        tip.items.push_back({choice.strItem, choice.nMade});
    }
    TooltipReader::Fill(tip, pItem);
    return {};
}

} // namespace DeedEntry
