#include "model/BodItem.h"

#include "model/Archive.h"
#include "model/BodCatalogue.h"
#include "model/TextUtil.h"

#include <ctime>

std::uint32_t CurrentBodTime() {
    return static_cast<std::uint32_t>(std::time(nullptr));
}

CBodItem::CBodItem() : m_timeAdded(CurrentBodTime()) {}

CBodItem::CBodItem(const CBodItem& src) : m_timeAdded(src.m_timeAdded) {
    *this = src;
}

CBodItem& CBodItem::operator=(const CBodItem& src) {
    if (this == &src) {
        return *this;
    }
    m_bPartsBuilt = src.m_bPartsBuilt;
    m_timeAdded = src.m_timeAdded;
    m_strCount = src.m_strCount;
    m_strItem = src.m_strItem;
    m_strQuality = src.m_strQuality;
    m_strAmount = src.m_strAmount;
    m_strMaterial = src.m_strMaterial;
    m_strCategory = src.m_strCategory;
    m_strTrade = src.m_strTrade;
    m_strNotes = src.m_strNotes;
    m_strPrice = src.m_strPrice;
    // Parts travel only with a built part list. They replace the target's own: appending would
    // give a reused deed both sets, twelve parts after a six-part deed.
    if (src.m_bPartsBuilt) {
        m_arrParts = src.m_arrParts;
    } else {
        m_arrParts.clear();
    }
    return *this;
}

bool CBodItem::IsValid() const {
    return !m_strTrade.empty() && !m_strQuality.empty() && !m_strMaterial.empty() &&
           !m_strItem.empty() && !m_strAmount.empty() && !m_strCategory.empty() &&
           !m_strCount.empty();
}

const BodCatalogueRow* CBodItem::CatalogueRow() const {
    if (m_strItem.find("LBOD/") == std::string::npos) {
        return nullptr;
    }
    return BodCatalogue::Find(
        TextUtil::AsciiLower(TextUtil::Trim(TextUtil::DropCodePoints(m_strItem, 5))));
}

void CBodItem::BuildParts() {
    if (m_strItem.find("LBOD/") == std::string::npos) {
        return;
    }
    m_arrParts.clear();
    const BodCatalogueRow* row = CatalogueRow();
    if (row == nullptr) {
        return;
    }
    m_arrParts.reserve(row->partCount);
    for (const std::string_view name : row->Parts()) {
        m_arrParts.emplace_back(std::string(name), false);
    }
    m_bPartsBuilt = true;
}

void CBodItem::BuildPartsIfNeeded() {
    if (IsValid() && !m_bPartsBuilt) {
        BuildParts();
    }
}

CBodItemDetail* CBodItem::GetPart(int nIndex) {
    if (nIndex < 0 || nIndex >= GetPartCount()) {
        return nullptr;
    }
    return &m_arrParts[static_cast<std::size_t>(nIndex)];
}

const CBodItemDetail* CBodItem::GetPart(int nIndex) const {
    return const_cast<CBodItem*>(this)->GetPart(nIndex);
}

void CBodItem::SetPart(int nIndex, bool bFilled, const std::string& strName) {
    CBodItemDetail* part = GetPart(nIndex);
    if (part == nullptr) {
        return;
    }
    part->m_bFilled = bFilled ? 1 : 0;
    if (!strName.empty()) {
        part->m_strName = strName;
    }
}

void CBodItem::Serialize(CArchive& ar) {
    // The record's text order differs from the field order: category first, price before notes.
    std::string* const texts[] = {&m_strCategory, &m_strAmount,  &m_strItem,
                                  &m_strMaterial, &m_strQuality, &m_strTrade,
                                  &m_strCount,    &m_strPrice,   &m_strNotes};
    if (ar.IsStoring()) {
        for (const std::string* text : texts) {
            ar.WriteText(*text);
        }
        ar.WriteUInt32(m_timeAdded);
        ar.WriteInt32(GetPartCount());
        for (CBodItemDetail& part : m_arrParts) {
            part.Serialize(ar);
        }
        return;
    }
    for (std::string* text : texts) {
        *text = ar.ReadText();
    }
    m_timeAdded = ar.ReadUInt32();
    const std::int32_t nParts = ar.ReadInt32();
    if (nParts > 0) {
        // Every part record takes at least five bytes, so a count the file cannot hold fails
        // before anything is allocated for it.
        if (static_cast<std::size_t>(nParts) > ar.Remaining() / 5) {
            throw CArchiveException();
        }
        m_arrParts.reserve(m_arrParts.size() + static_cast<std::size_t>(nParts));
        for (std::int32_t i = 0; i < nParts; ++i) {
            m_arrParts.emplace_back().Serialize(ar);
        }
    }
    // A negative count marks the parts as built without reading any, as the stored flag did.
    if (nParts != 0) {
        m_bPartsBuilt = true;
    }
}
