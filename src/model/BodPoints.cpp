#include "model/BodPoints.h"

#include "model/BodCatalogue.h"
#include "model/BodItem.h"
#include "model/TextUtil.h"

#include <array>
#include <span>
#include <string_view>
#include <utility>

namespace {

using MaterialPoints = std::pair<std::string_view, int>;

constexpr MaterialPoints kIngots[] = {{"dull copper", 200}, {"shadow iron", 250}, {"copper", 300},
                                      {"bronze", 350},      {"gold", 400},        {"agapite", 450},
                                      {"verite", 500},      {"valorite", 550}};
constexpr MaterialPoints kLeather[] = {
    {"spined leather", 50}, {"horned leather", 100}, {"barbed leather", 150}};
constexpr MaterialPoints kWood[] = {{"oak", 300},       {"ash", 350},       {"yew", 400},
                                    {"heartwood", 450}, {"bloodwood", 500}, {"frostwood", 550}};

// Each craft's own reward rules; Alchemy and Inscription deeds are never exceptional and never
// ask for a material, so neither adds anything there.
struct CraftRule {
    std::string_view trade;
    int nExceptional;
    std::span<const MaterialPoints> materials;
};

constexpr std::array<CraftRule, 8> kCrafts{{
    {"Smithy", 200, kIngots},
    {"Tailor", 100, kLeather},
    {"Tinkering", 200, kIngots},
    {"Carpentry", 200, kWood},
    {"Bowcraft", 200, kWood},
    {"Cooking", 200, {}},
    {"Alchemy", 0, {}},
    {"Inscription", 0, {}},
}};

int AmountPoints(std::int32_t nAmount) {
    switch (nAmount) {
    case 10:
        return 10;
    case 15:
        return 25;
    case 20:
        return 50;
    default:
        return 0;
    }
}

int SetPoints(const CBodItem& bod) {
    const std::string key =
        TextUtil::AsciiLower(TextUtil::Trim(TextUtil::DropCodePoints(bod.m_strItem, 5)));
    const BodCatalogueRow* row = BodCatalogue::Find(key);
    return row == nullptr ? 0 : row->nSetPoints;
}

} // namespace

namespace BodPoints {

CBodPoints Of(const CBodItem& bod) {
    CBodPoints points;
    points.nTurnIn = AmountPoints(TextUtil::Atoi(bod.m_strAmount));
    for (const CraftRule& craft : kCrafts) {
        if (craft.trade != bod.m_strTrade) {
            continue;
        }
        if (bod.m_strQuality == "Exceptional") {
            points.nTurnIn += craft.nExceptional;
        }
        for (const auto& [strMaterial, nPoints] : craft.materials) {
            if (strMaterial == bod.m_strMaterial) {
                points.nTurnIn += nPoints;
            }
        }
    }
    if (bod.IsLarge()) {
        points.nTurnIn += SetPoints(bod);
        points.nBankHundredths = points.nTurnIn * 20;
    } else {
        points.nBankHundredths = points.nTurnIn * 2;
    }
    return points;
}

std::string FormatBank(std::int64_t nBankHundredths) {
    std::string text = std::to_string(nBankHundredths / 100);
    const std::int64_t nFraction = nBankHundredths % 100;
    if (nFraction != 0) {
        text += '.';
        text += static_cast<char>('0' + nFraction / 10);
        if (nFraction % 10 != 0) {
            text += static_cast<char>('0' + nFraction % 10);
        }
    }
    return text;
}

} // namespace BodPoints
