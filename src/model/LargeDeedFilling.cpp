#include "model/LargeDeedFilling.h"

#include "model/BodCatalogue.h"
#include "model/CraftItems.h"
#include "model/DeedCombining.h"
#include "model/TextUtil.h"

#include <algorithm>
#include <string>
#include <unordered_map>

namespace {

// Complete small deeds that are alike in all the rule asks of them, in list order.
struct Bucket {
    std::vector<std::size_t> indices;
    std::size_t nNext = 0;
};

// Buckets by the item a small deed prints and its amount; within, by material and quality.
using BucketKey = std::string;
using Buckets = std::unordered_map<BucketKey, std::vector<Bucket>>;

BucketKey KeyOf(std::string_view item, std::string_view amount) {
    BucketKey key(BodCatalogue::SmallItemFor(TextUtil::NameKey(item)));
    key += '\n';
    key += std::to_string(TextUtil::Atoi(amount));
    return key;
}

Buckets SortSmallDeeds(const CBodArray& bods) {
    Buckets buckets;
    for (std::size_t i = 0; i < bods.size(); ++i) {
        if (!bods[i] || bods[i]->IsLarge() || !DeedCombining::IsComplete(*bods[i])) {
            continue;
        }
        const CBodItem& bod = *bods[i];
        std::vector<Bucket>& alike = buckets[KeyOf(bod.m_strItem, bod.m_strAmount)];
        const auto same = std::find_if(alike.begin(), alike.end(), [&](const Bucket& bucket) {
            const CBodItem& first = *bods[bucket.indices.front()];
            return first.m_strMaterial == bod.m_strMaterial &&
                   first.m_strQuality == bod.m_strQuality;
        });
        (same != alike.end() ? *same : alike.emplace_back()).indices.push_back(i);
    }
    return buckets;
}

// Small deeds still needed: open parts, less those the progress recorded beyond the filled
// parts stands for.
std::int64_t StillNeeded(const CBodItem& large) {
    std::int64_t nOpen = 0;
    for (const CBodItemDetail& part : large.m_arrParts) {
        nOpen += part.IsFilled() ? 0 : 1;
    }
    const std::int64_t nAmount = TextUtil::Atoi(large.m_strAmount);
    const std::int64_t nBeyond =
        TextUtil::Atoi(large.m_strCount) - (large.GetPartCount() - nOpen) * nAmount;
    return nAmount > 0 && nBeyond > 0 ? std::max<std::int64_t>(0, nOpen - nBeyond / nAmount)
                                      : nOpen;
}

// The names of the small deeds that fill a part: its own, and a jewel of any gem where the
// part names none.
std::vector<std::string> NamesFilling(std::string_view partName) {
    std::vector<std::string> names{
        std::string(BodCatalogue::SmallItemFor(TextUtil::NameKey(partName)))};
    if (CraftItems::IsJewel(names.front())) {
        for (const std::string_view gem : CraftItems::Gems()) {
            names.push_back(std::string(gem) + ' ' + names.front());
        }
    }
    return names;
}

// The bucket whose next small deed combines with large into the part: one that asks for exactly
// what large asks for first, else the one whose deed comes first in the list.
Bucket* Pick(Buckets& buckets, const CBodArray& bods, const CBodItem& large,
             std::string_view partName) {
    Bucket* pBest = nullptr;
    bool bBestExact = false;
    for (const std::string& name : NamesFilling(partName)) {
        const auto found = buckets.find(KeyOf(name, large.m_strAmount));
        if (found == buckets.end()) {
            continue;
        }
        for (Bucket& bucket : found->second) {
            if (bucket.nNext == bucket.indices.size()) {
                continue;
            }
            const CBodItem& small = *bods[bucket.indices[bucket.nNext]];
            if (!DeedCombining::CanDropOn(small, large)) {
                continue;
            }
            const bool bExact = small.m_strMaterial == large.m_strMaterial &&
                                small.m_strQuality == large.m_strQuality;
            if (pBest == nullptr || (bExact && !bBestExact) ||
                (bExact == bBestExact &&
                 bucket.indices[bucket.nNext] < pBest->indices[pBest->nNext])) {
                pBest = &bucket;
                bBestExact = bExact;
            }
        }
    }
    return pBest;
}

} // namespace

CLargeDeedFilling CLargeDeedFilling::Run(CBodArray& bods) {
    CLargeDeedFilling filling;
    Buckets buckets = SortSmallDeeds(bods);
    if (buckets.empty()) {
        return filling;
    }
    // Large deeds, their parts built where the catalogue has them, the closest to complete first.
    struct Large {
        std::int64_t nNeeded;
        std::size_t nIndex;
        CBodItem built;
    };
    std::vector<Large> larges;
    for (std::size_t i = 0; i < bods.size(); ++i) {
        if (bods[i] && bods[i]->IsLarge() && !DeedCombining::IsComplete(*bods[i])) {
            CBodItem built(*bods[i]);
            built.BuildPartsIfNeeded();
            const std::int64_t nNeeded = StillNeeded(built);
            if (nNeeded > 0) {
                larges.push_back({nNeeded, i, std::move(built)});
            }
        }
    }
    std::stable_sort(larges.begin(), larges.end(),
                     [](const Large& a, const Large& b) { return a.nNeeded < b.nNeeded; });

    std::vector<bool> used(bods.size());
    for (Large& large : larges) {
        CBodItem& bod = *bods[large.nIndex];
        bool bFilled = false;
        for (int nPart = 0; nPart < large.built.GetPartCount(); ++nPart) {
            if (large.built.GetPart(nPart)->IsFilled()) {
                continue;
            }
            Bucket* pBucket =
                Pick(buckets, bods, large.built, large.built.GetPart(nPart)->m_strName);
            if (pBucket == nullptr) {
                continue;
            }
            if (!bFilled) {
                filling.m_filled.emplace_back(&bod, bod);
                bFilled = true;
            }
            const std::size_t nSmall = pBucket->indices[pBucket->nNext++];
            DeedCombining::CombineBods(*bods[nSmall], large.built);
            DeedCombining::CombineBods(*bods[nSmall], bod);
            used[nSmall] = true;
        }
        filling.m_nCompleted += bFilled && DeedCombining::IsComplete(bod) ? 1 : 0;
    }
    for (std::size_t i = 0; i < bods.size(); ++i) {
        if (used[i]) {
            filling.m_usedDeeds.push_back(bods[i].get());
            filling.m_used.emplace_back(i, nullptr);
        }
    }
    filling.TakeUsed(bods);
    return filling;
}

bool CLargeDeedFilling::Uses(const CBodItem* pBod) const {
    return std::find(m_usedDeeds.begin(), m_usedDeeds.end(), pBod) != m_usedDeeds.end();
}

void CLargeDeedFilling::SwapLargeDeeds() {
    for (auto& [pLarge, other] : m_filled) {
        std::swap(*pLarge, other);
    }
}

// Moves the small deeds used out of the list in one pass.
void CLargeDeedFilling::TakeUsed(CBodArray& bods) {
    CBodArray kept;
    kept.reserve(bods.size() - m_used.size());
    auto next = m_used.begin();
    for (std::size_t i = 0; i < bods.size(); ++i) {
        if (next != m_used.end() && next->first == i) {
            (next++)->second = std::move(bods[i]);
        } else {
            kept.push_back(std::move(bods[i]));
        }
    }
    bods = std::move(kept);
}

void CLargeDeedFilling::Undo(CBodArray& bods) {
    SwapLargeDeeds();
    CBodArray whole;
    whole.reserve(bods.size() + m_used.size());
    auto next = m_used.begin();
    for (std::unique_ptr<CBodItem>& pBod : bods) {
        while (next != m_used.end() && next->first == whole.size()) {
            whole.push_back(std::move((next++)->second));
        }
        whole.push_back(std::move(pBod));
    }
    for (; next != m_used.end(); ++next) {
        whole.push_back(std::move(next->second));
    }
    bods = std::move(whole);
}

void CLargeDeedFilling::Redo(CBodArray& bods) {
    SwapLargeDeeds();
    TakeUsed(bods);
}
