#include "model/BodStats.h"

#include "model/DeedCombining.h"

namespace BodStats {

namespace {

void CountLarge(const CBodItem& bod, CBodStats& stats) {
    ++stats.nLarge;
    // Parts as the form and the shopping list see them: from the catalogue when none are stored.
    CBodItem parts(bod);
    parts.BuildPartsIfNeeded();
    std::int64_t nOpen = 0;
    for (const CBodItemDetail& part : parts.m_arrParts) {
        nOpen += part.IsFilled() ? 0 : 1;
    }
    stats.nLargeOpenParts += nOpen;
    stats.nLargeFilledParts += parts.GetPartCount() - nOpen;
    // Complete by its count, as Fill Large Deeds and the filter see it: progress recorded
    // without its parts counts too.
    stats.nLargeComplete += DeedCombining::IsComplete(bod) ? 1 : 0;
}

} // namespace

CBodStats Collect(const CBodArray& bods) {
    CBodStats stats;
    for (const std::unique_ptr<CBodItem>& pBod : bods) {
        ++stats.nDeeds;
        const CBodPoints points = BodPoints::Of(*pBod);
        if (pBod->IsLarge()) {
            CountLarge(*pBod, stats);
            stats.largePoints += points;
        } else {
            ++stats.nSmall;
            stats.nSmallComplete += DeedCombining::IsComplete(*pBod) ? 1 : 0;
            stats.smallPoints += points;
        }
        stats.pointsByTrade[pBod->m_strTrade] += points;
        stats.nValid += pBod->IsValid() ? 1 : 0;
        ++stats.byTrade[pBod->m_strTrade];
        ++stats.byCategory[pBod->m_strCategory];
        ++stats.byMaterial[pBod->m_strMaterial];
    }
    return stats;
}

} // namespace BodStats
