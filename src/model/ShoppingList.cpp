#include "model/ShoppingList.h"

namespace ShoppingList {

std::unique_ptr<CBodItem> MakeSmallBodForPart(const std::string& strName, const CBodItem& large) {
    auto small = std::make_unique<CBodItem>();
    small->m_strTrade = large.m_strTrade;
    small->m_strAmount = large.m_strAmount;
    small->m_strQuality = large.m_strQuality;
    small->m_strItem = strName;
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

void AddNeededSmallBods(const CBodItem* pLarge, CBodArray& out) {
    if (pLarge == nullptr) {
        return;
    }
    for (const CBodItemDetail& part : pLarge->m_arrParts) {
        if (!part.IsFilled()) {
            out.push_back(MakeSmallBodForPart(part.m_strName, *pLarge));
        }
    }
}

CBodArray Build(const CBodArray& bods) {
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
    for (std::size_t i = 0; i < largeCount; ++i) {
        AddNeededSmallBods(list[i].get(), list);
    }
    return list;
}

} // namespace ShoppingList
