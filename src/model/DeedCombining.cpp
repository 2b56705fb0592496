#include "model/DeedCombining.h"

#include "model/BodItem.h"
#include "model/TextUtil.h"

#include <cstdint>
#include <string>

namespace DeedCombining {

bool CanDropOn(const CBodItem& small, const CBodItem& large) {
    if (!large.IsLarge()) {
        return false;
    }
    if (small.m_strQuality == "Normal" && large.m_strQuality != small.m_strQuality) {
        return false;
    }
    if (small.m_strMaterial != large.m_strMaterial || small.m_strAmount != large.m_strAmount) {
        return false;
    }
    // Asking changes nothing: a deed without its parts yet is asked about the parts it would get.
    if (!large.m_bPartsBuilt) {
        CBodItem built(large);
        built.BuildPartsIfNeeded();
        if (built.m_bPartsBuilt) {
            return CanDropOn(small, built);
        }
    }
    const std::string strName = TextUtil::AsciiLower(small.m_strItem);
    for (const CBodItemDetail& part : large.m_arrParts) {
        if (!part.IsFilled() && TextUtil::AsciiLower(part.m_strName) == strName) {
            return true;
        }
    }
    return false;
}

bool CombineBods(const CBodItem& small, CBodItem& large) {
    const std::string strName = TextUtil::AsciiLower(small.m_strItem);
    if (!large.m_bPartsBuilt) {
        large.BuildPartsIfNeeded();
    }
    // Totals of pasted amounts are summed in 64 bits, so a huge amount cannot wrap negative.
    const std::int64_t nAmount = TextUtil::Atoi(large.m_strAmount);
    bool bFound = false;
    std::int64_t nTotal = 0;
    std::int64_t nFilled = 0;
    for (CBodItemDetail& part : large.m_arrParts) {
        if (TextUtil::AsciiLower(part.m_strName) == strName) {
            part.m_bFilled = 1;
            bFound = true;
        }
        nTotal += nAmount;
        if (part.IsFilled()) {
            nFilled += nAmount;
        }
    }
    if (bFound) {
        large.SetCount(std::to_string(nFilled) + "/" + std::to_string(nTotal));
    }
    return bFound;
}

} // namespace DeedCombining
