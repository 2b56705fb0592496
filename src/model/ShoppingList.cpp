#include "model/ShoppingList.h"

#include "model/BodCatalogue.h"
#include "model/TextUtil.h"

#include <algorithm>

namespace ShoppingList {

std::unique_ptr<CBodItem> MakeSmallBodForPart(const std::string& strName, const CBodItem& large) {
    auto small = std::make_unique<CBodItem>();
    small->m_strTrade = large.m_strTrade;
    small->m_strAmount = large.m_strAmount;
    small->m_strQuality = large.m_strQuality;
    // The item a small deed prints for the part, which the large deed may print otherwise.
    const std::string strLower = TextUtil::AsciiLower(strName);
    const std::string_view smallItem = BodCatalogue::SmallItemFor(strLower);
    small->m_strItem = smallItem == strLower ? strName : std::string(smallItem);
    // Only names an import wrote in this exact case take the rule; catalogue names are lower case.
    if (strName == "Shoes" || strName == "Sandals" || strName == "Boots" ||
        strName == "Thigh Boots") {
        small->m_strCategory = "Leather";
        small->m_strMaterial = "normal leather";
    } else {
        small->m_strCategory = large.m_strCategory;
        small->m_strMaterial = large.m_strMaterial;
    }
    return small;
}

std::size_t AddNeededSmallBods(const CBodItem* pLarge, CBodArray& out) {
    if (pLarge == nullptr) {
        return 0;
    }
    // Each small deed copies the large deed's texts, so a crafted deed with thousands of parts
    // and a long text would cost its text times its parts; no real deed has more than the
    // catalogue's parts.
    std::size_t nAdded = 0;
    std::size_t nLeftOut = 0;
    for (const CBodItemDetail& part : pLarge->m_arrParts) {
        if (part.IsFilled()) {
            continue;
        }
        if (nAdded == BodCatalogue::kMaxParts) {
            ++nLeftOut;
            continue;
        }
        out.push_back(MakeSmallBodForPart(part.m_strName, *pLarge));
        ++nAdded;
    }
    return nLeftOut;
}

CBodArray Build(const CBodArray& bods, std::size_t* pnLeftOut) {
    CBodArray list;
    for (const std::unique_ptr<CBodItem>& bod : bods) {
        if (bod && bod->m_strItem.compare(0, 5, "LBOD/") == 0) {
            auto copy = std::make_unique<CBodItem>(*bod);
            if (!copy->m_bPartsBuilt) {
                copy->BuildPartsIfNeeded();
            }
            list.push_back(std::move(copy));
        }
    }
    const std::size_t largeCount = list.size();
    std::size_t nLeftOut = 0;
    for (std::size_t i = 0; i < largeCount; ++i) {
        nLeftOut += AddNeededSmallBods(list[i].get(), list);
    }
    if (pnLeftOut != nullptr) {
        *pnLeftOut = nLeftOut;
    }
    return list;
}

bool IsHeld(const CBodItem& bod) {
    return bod.IsLarge();
}

bool NeedsParts(const CBodItem& large) {
    return large.m_arrParts.empty() ||
           std::any_of(large.m_arrParts.begin(), large.m_arrParts.end(),
                       [](const CBodItemDetail& part) { return !part.IsFilled(); });
}

} // namespace ShoppingList
