#pragma once

#include "model/BodItemDetail.h"

#include <cstdint>
#include <string>
#include <vector>

class CArchive;
struct BodCatalogueRow;

// One bulk order deed. Nearly everything is text, exactly as the parser produced it: the rest of
// the program groups and compares these texts directly. A large deed ("LBOD/" item) owns its
// parts, in catalogue order.
class CBodItem {
public:
    CBodItem();
    CBodItem(const CBodItem& src);
    CBodItem& operator=(const CBodItem& src);
    CBodItem(CBodItem&&) noexcept = default;
    CBodItem& operator=(CBodItem&&) noexcept = default;
    ~CBodItem() = default;

    // Trade, quality, material, item, amount, category and count are all non-empty.
    bool IsValid() const;
    // Builds a large deed's part list from the catalogue; leaves everything as it is for an item
    // without "LBOD/" or a key that no catalogue row has.
    void BuildParts();
    void BuildPartsIfNeeded();
    // The catalogue row BuildParts takes the parts from, or null.
    const BodCatalogueRow* CatalogueRow() const;

    int GetPartCount() const { return static_cast<int>(m_arrParts.size()); }
    CBodItemDetail* GetPart(int nIndex);
    const CBodItemDetail* GetPart(int nIndex) const;
    // Sets part nIndex's flag and, when strName is not empty, its name; ignores a bad index.
    void SetPart(int nIndex, bool bFilled, const std::string& strName);
    void DeleteParts() { m_arrParts.clear(); }

    // The views' test: the item's first four characters are "LBOD".
    bool IsLarge() const { return m_strItem.compare(0, 4, "LBOD") == 0; }

    std::string GetCount() const { return m_strCount; }
    std::string GetItem() const { return m_strItem; }
    std::string GetQuality() const { return m_strQuality; }
    std::string GetAmount() const { return m_strAmount; }
    std::string GetMaterial() const { return m_strMaterial; }
    std::string GetCategory() const { return m_strCategory; }
    std::string GetTrade() const { return m_strTrade; }
    std::string GetNotes() const { return m_strNotes; }
    std::string GetPrice() const { return m_strPrice; }
    bool SetCount(std::string str);
    bool SetItem(std::string str);
    bool SetQuality(std::string str);
    bool SetAmount(std::string str);
    bool SetMaterial(std::string str);
    bool SetCategory(std::string str);
    bool SetTrade(std::string str);
    bool SetNotes(std::string str);
    bool SetPrice(std::string str);

    void Serialize(CArchive& ar);

    std::vector<CBodItemDetail> m_arrParts;
    bool m_bPartsBuilt = false;
    std::string m_strCount;
    std::string m_strItem;
    std::string m_strQuality;
    std::string m_strAmount;
    std::string m_strMaterial;
    std::string m_strCategory;
    std::string m_strTrade;
    // Seconds since 1970-01-01 00:00:00 UTC, as the file holds it.
    std::uint32_t m_timeAdded;
    std::string m_strNotes;
    std::string m_strPrice;
};

// The current time as the file stores it.
std::uint32_t CurrentBodTime();
