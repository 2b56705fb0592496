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
using Buckets = std::unordered_map<std::string, std::vector<Bucket>>;

// The key of a small deed printing item, for amount, written into key.
void MakeKey(std::string& key, std::string_view item, std::int32_t nAmount) {
    key = BodCatalogue::SmallItemFor(TextUtil::NameKey(item));
    key += '\n';
    key += std::to_string(nAmount);
}

Buckets SortSmallDeeds(const CBodArray& bods) {
    Buckets buckets;
    std::string key;
    for (std::size_t i = 0; i < bods.size(); ++i) {
        if (!bods[i] || bods[i]->IsLarge() || !DeedCombining::IsComplete(*bods[i])) {
            continue;
        }
        const CBodItem& bod = *bods[i];
        MakeKey(key, bod.m_strItem, TextUtil::Atoi(bod.m_strAmount));
        std::vector<Bucket>& alike = buckets[key];
        const auto same = std::find_if(alike.begin(), alike.end(), [&](const Bucket& bucket) {
            const CBodItem& first = *bods[bucket.indices.front()];
            return first.m_strMaterial == bod.m_strMaterial &&
                   first.m_strQuality == bod.m_strQuality;
        });
        (same != alike.end() ? *same : alike.emplace_back()).indices.push_back(i);
    }
    return buckets;
}

// Finds the bucket whose next small deed combines with large into the part: one that asks for
// exactly what large asks for first, else the one whose deed comes first in the list.
class CPicker {
public:
    CPicker(const CBodArray& bods) : m_bods(bods), m_buckets(SortSmallDeeds(bods)) {}

    bool IsEmpty() const { return m_buckets.empty(); }

    // The small deeds that fill a part: of its name, and of any gem where it names none.
    Bucket* Pick(const CBodItem& large, std::string_view partName) {
        m_pBest = nullptr;
        const std::int32_t nAmount = TextUtil::Atoi(large.m_strAmount);
        const std::string name(BodCatalogue::SmallItemFor(TextUtil::NameKey(partName)));
        Consider(large, name, nAmount);
        if (CraftItems::IsJewel(name)) {
            for (const std::string_view gem : CraftItems::Gems()) {
                Consider(large, std::string(gem) + ' ' + name, nAmount);
            }
        }
        return m_pBest;
    }

private:
    void Consider(const CBodItem& large, std::string_view name, std::int32_t nAmount) {
        MakeKey(m_key, name, nAmount);
        const auto found = m_buckets.find(m_key);
        if (found == m_buckets.end()) {
            return;
        }
        for (Bucket& bucket : found->second) {
            if (bucket.nNext == bucket.indices.size()) {
                continue;
            }
            const std::size_t nSmall = bucket.indices[bucket.nNext];
            const CBodItem& small = *m_bods[nSmall];
            if (!DeedCombining::CanDropOn(small, large)) {
                continue;
            }
            const bool bExact = small.m_strMaterial == large.m_strMaterial &&
                                small.m_strQuality == large.m_strQuality;
            if (m_pBest == nullptr || (bExact && !m_bBestExact) ||
                (bExact == m_bBestExact && nSmall < m_pBest->indices[m_pBest->nNext])) {
                m_pBest = &bucket;
                m_bBestExact = bExact;
            }
        }
    }

    const CBodArray& m_bods;
    Buckets m_buckets;
    std::string m_key;
    Bucket* m_pBest = nullptr;
    bool m_bBestExact = false;
};

// A part's name: the deed's own once its parts are built, the catalogue's until then.
std::string_view PartName(const CBodItem& large, const BodCatalogueRow* pRow, int nPart) {
    return large.m_bPartsBuilt ? std::string_view(large.GetPart(nPart)->m_strName)
                               : pRow->parts[static_cast<std::size_t>(nPart)];
}

} // namespace

CLargeDeedFilling CLargeDeedFilling::Run(CBodArray& bods) {
    CLargeDeedFilling filling;
    CPicker picker(bods);
    if (picker.IsEmpty()) {
        return filling;
    }
    // The large deeds closest to complete first.
    std::vector<std::pair<std::int64_t, std::size_t>> larges;
    for (std::size_t i = 0; i < bods.size(); ++i) {
        if (bods[i] && bods[i]->IsLarge() && !DeedCombining::IsComplete(*bods[i])) {
            if (const std::int64_t nNeeded = DeedCombining::SmallDeedsNeeded(*bods[i]);
                nNeeded > 0) {
                larges.emplace_back(nNeeded, i);
            }
        }
    }
    std::sort(larges.begin(), larges.end());

    std::vector<bool> used(bods.size());
    for (const auto& [nNeeded, nIndex] : larges) {
        CBodItem& bod = *bods[nIndex];
        const BodCatalogueRow* pRow = bod.m_bPartsBuilt ? nullptr : bod.CatalogueRow();
        const int nParts = pRow != nullptr ? static_cast<int>(pRow->partCount) : bod.GetPartCount();
        bool bFilled = false;
        for (int nPart = 0; nPart < nParts; ++nPart) {
            if (bod.m_bPartsBuilt && bod.GetPart(nPart)->IsFilled()) {
                continue;
            }
            Bucket* pBucket = picker.Pick(bod, PartName(bod, pRow, nPart));
            if (pBucket == nullptr) {
                continue;
            }
            if (!bFilled) {
                filling.m_filled.emplace_back(&bod, bod);
                bFilled = true;
            }
            const std::size_t nSmall = pBucket->indices[pBucket->nNext++];
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
