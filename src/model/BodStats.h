#pragma once

#include "model/BodArray.h"
#include "model/BodPoints.h"

#include <cstdint>
#include <map>
#include <string>

// What a player wants to know about a document at a glance: how many deeds of each kind, how
// far they are, and how they spread over trades, categories and materials.
struct CBodStats {
    std::int64_t nDeeds = 0;
    std::int64_t nLarge = 0;
    std::int64_t nSmall = 0;
    std::int64_t nValid = 0;
    std::int64_t nLargeComplete = 0;
    std::int64_t nLargeFilledParts = 0;
    std::int64_t nLargeOpenParts = 0;
    std::int64_t nSmallComplete = 0;
    std::map<std::string, std::int64_t> byTrade;
    std::map<std::string, std::int64_t> byCategory;
    std::map<std::string, std::int64_t> byMaterial;
    CBodPoints largePoints;
    CBodPoints smallPoints;
    std::map<std::string, CBodPoints> pointsByTrade;
};

namespace BodStats {

CBodStats Collect(const CBodArray& bods);

} // namespace BodStats
