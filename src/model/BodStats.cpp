#include "model/BodStats.h"

#include "model/TextUtil.h"

namespace BodStats {

namespace {

// A small deed is finished when its count text says at least as many were made as it asks for.
bool IsSmallComplete(const CBodItem& bod) {
    const std::size_t nSlash = bod.m_strCount.find('/');
    if (nSlash == std::string::npos) {
        return false;
    }
    const std::int32_t nMade = TextUtil::Atoi(std::string_view(bod.m_strCount).substr(0, nSlash));
    const std::int32_t nTotal = TextUtil::Atoi(std::string_view(bod.m_strCount).substr(nSlash + 1));
    return nTotal > 0 && nMade >= nTotal;
}

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
    if (parts.GetPartCount() > 0 && nOpen == 0) {
        ++stats.nLargeComplete;
    }
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
            stats.nSmallComplete += IsSmallComplete(*pBod) ? 1 : 0;
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
