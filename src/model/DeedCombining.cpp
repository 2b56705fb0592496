#include "model/DeedCombining.h"

#include "model/BodCatalogue.h"
#include "model/BodItem.h"
#include "model/CraftItems.h"
#include "model/TextUtil.h"

#include <algorithm>
#include <cstdint>

namespace {

struct Count {
    std::int64_t nMade = 0;
    std::int64_t nTotal = 0;
};

// "made/total"; a text without a slash has no total.
Count ReadCount(std::string_view text) {
    const std::size_t nSlash = text.find('/');
    return {TextUtil::Atoi(text.substr(0, nSlash)),
            nSlash == std::string_view::npos ? 0 : TextUtil::Atoi(text.substr(nSlash + 1))};
}

// Calls visit(name, filled) for each part of large, or for each part the catalogue would give
// a deed whose parts are not built yet (BuildPartsIfNeeded).
template <typename Visit> void ForEachPart(const CBodItem& large, Visit visit) {
    if (large.m_bPartsBuilt) {
        for (const CBodItemDetail& part : large.m_arrParts) {
            visit(part.m_strName, part.IsFilled());
        }
    } else if (const BodCatalogueRow* row = large.IsValid() ? large.CatalogueRow() : nullptr) {
        for (const std::string_view name : row->Parts()) {
            visit(name, false);
        }
    }
}

// text in lower case; only a text with capitals is copied, into buffer.
std::string_view Lowered(std::string_view text, std::string& buffer) {
    if (std::none_of(text.begin(), text.end(), [](char c) { return c >= 'A' && c <= 'Z'; })) {
        return text;
    }
    buffer = TextUtil::AsciiLower(text);
    return buffer;
}

std::string FormatCount(std::int64_t nMade, std::int64_t nTotal) {
    return std::to_string(nMade) + '/' + std::to_string(nTotal);
}

} // namespace

namespace DeedCombining {

// Scripts/Services/BulkOrders/LargeBODs/LargeBOD.cs:217 (EndCombine), checks at 229-253.
Verdict Judge(const CBodItem& small, const CBodItem& large) {
    if (!large.IsLarge() || small.IsLarge()) {
        return Verdict::NotLargeAndSmall;
    }
    bool bNamed = false;
    bool bOpen = false;
    ForEachPart(large, [&](std::string_view name, bool bFilled) {
        if (FillsPart(small.m_strItem, name)) {
            bNamed = true;
            bOpen = bOpen || !bFilled;
        }
    });
    if (!bNamed) {
        return Verdict::NoSuchPart;
    }
    if (large.m_strQuality == "Exceptional" && small.m_strQuality != "Exceptional") {
        return Verdict::NotExceptional;
    }
    // LargeBOD.cs:241: a large deed that names no material takes a small deed of any.
    if (small.m_strMaterial != large.m_strMaterial &&
        !CraftItems::IsPlainMaterial(large.m_strMaterial)) {
        return Verdict::OtherMaterial;
    }
    const std::int32_t nAmount = TextUtil::Atoi(small.m_strAmount);
    if (nAmount != TextUtil::Atoi(large.m_strAmount)) {
        return Verdict::OtherAmount;
    }
    if (ReadCount(small.m_strCount).nMade < nAmount) {
        return Verdict::Unfinished;
    }
    // LargeBOD.cs:211 (BeginCombine) refuses a complete deed before anything is brought to it.
    if (!bOpen || IsComplete(large)) {
        return Verdict::AlreadyFilled;
    }
    return Verdict::Combines;
}

bool FillsPart(std::string_view smallItem, std::string_view partName) {
    std::string partBuffer;
    std::string itemBuffer;
    const std::string_view wanted = BodCatalogue::SmallItemFor(Lowered(partName, partBuffer));
    const std::string_view printed = BodCatalogue::SmallItemFor(Lowered(smallItem, itemBuffer));
    // LargeTinkerBOD.cs:103 (CheckType): a jewelry set without a gem takes a jewel of any gem;
    // one with a gem only jewels of that gem.
    return printed == wanted || CraftItems::WithoutGem(printed) == wanted;
}

bool CombineBods(const CBodItem& small, CBodItem& large) {
    if (!large.m_bPartsBuilt) {
        large.BuildPartsIfNeeded();
    }
    const auto open = std::find_if(
        large.m_arrParts.begin(), large.m_arrParts.end(), [&small](const CBodItemDetail& part) {
            return !part.IsFilled() && FillsPart(small.m_strItem, part.m_strName);
        });
    if (open == large.m_arrParts.end()) {
        return false;
    }
    open->m_bFilled = 1;
    // LargeBOD.cs:259: the part gains what the small deed made. Sums are taken in 64 bits, so a
    // huge amount cannot wrap negative.
    const std::int64_t nAmount = TextUtil::Atoi(large.m_strAmount);
    const std::int64_t nTotal = nAmount * large.GetPartCount();
    const std::int64_t nMade = std::max<std::int64_t>(0, ReadCount(large.m_strCount).nMade);
    large.SetCount(FormatCount(std::min(nMade + nAmount, nTotal), nTotal));
    return true;
}

std::int64_t SmallDeedsNeeded(const CBodItem& large) {
    std::int64_t nOpen = 0;
    std::int64_t nFilled = 0;
    ForEachPart(large, [&](std::string_view, bool bFilled) { ++(bFilled ? nFilled : nOpen); });
    const std::int64_t nAmount = TextUtil::Atoi(large.m_strAmount);
    const std::int64_t nBeyond = ReadCount(large.m_strCount).nMade - nFilled * nAmount;
    return nAmount > 0 && nBeyond > 0 ? std::max<std::int64_t>(0, nOpen - nBeyond / nAmount)
                                      : nOpen;
}

bool IsComplete(const CBodItem& bod) {
    const Count count = ReadCount(bod.m_strCount);
    return count.nTotal > 0 && count.nMade >= count.nTotal;
}

std::string RecountLarge(const CBodItem& recorded, const CBodItem& edited) {
    std::int64_t nWasFilled = 0;
    std::int64_t nTicked = 0;
    std::int64_t nUnticked = 0;
    for (int i = 0; i < edited.GetPartCount(); ++i) {
        const CBodItemDetail* pWas = recorded.GetPart(i);
        const bool bWas = pWas != nullptr && pWas->IsFilled();
        const bool bNow = edited.GetPart(i)->IsFilled();
        nWasFilled += bWas ? 1 : 0;
        nTicked += bNow && !bWas ? 1 : 0;
        nUnticked += bWas && !bNow ? 1 : 0;
    }
    if (nTicked == 0 && nUnticked == 0) {
        return recorded.m_strCount;
    }
    const std::int64_t nAmount = TextUtil::Atoi(edited.m_strAmount);
    const std::int64_t nMade = std::max<std::int64_t>(0, ReadCount(recorded.m_strCount).nMade);
    const std::int64_t nUnattributed = std::max<std::int64_t>(0, nMade - nWasFilled * nAmount);
    const std::int64_t nNow =
        nMade - nUnticked * nAmount + std::max<std::int64_t>(0, nTicked * nAmount - nUnattributed);
    return FormatCount(std::max<std::int64_t>(0, nNow), nAmount * edited.GetPartCount());
}

} // namespace DeedCombining
