#pragma once

#include "model/BodArray.h"

#include <string>
#include <vector>

// Deeds for tests, written as the fields the tree groups by.
namespace TestDeeds {

struct DeedFields {
    std::string strTrade;
    std::string strCategory;
    std::string strMaterial;
    std::string strAmount;
    std::string strQuality;
    std::string strItem;
    std::string strCount;
};

std::unique_ptr<CBodItem> MakeDeed(const DeedFields& fields);
CBodArray MakeDeeds(const std::vector<DeedFields>& deeds);
// A large deed whose parts are exactly partNames, all open, with no catalogue involved.
std::unique_ptr<CBodItem> MakeLargeDeed(const DeedFields& fields,
                                        const std::vector<std::string>& partNames);

// word with the letters whose bit is set in upperBits upper-cased: texts that differ in case only.
std::string CaseVariant(std::string word, unsigned upperBits);

// Both trades, every kind of node, labels that only sort right by text, an empty category.
std::vector<DeedFields> MixedDeeds();
// The outline MixedDeeds() gives.
std::string MixedOutline();

} // namespace TestDeeds
