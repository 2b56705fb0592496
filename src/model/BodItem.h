#pragma once

#include "model/BodItemDetail.h"

#include <cstdint>
#include <string>
#include <utility>
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

    // The views' test: the item's first four characters are "LBOD".
    bool IsLarge() const { return m_strItem.compare(0, 4, "LBOD") == 0; }

    void SetCount(std::string str) { m_strCount = std::move(str); }
    void SetItem(std::string str) { m_strItem = std::move(str); }
    void SetQuality(std::string str) { m_strQuality = std::move(str); }
    void SetAmount(std::string str) { m_strAmount = std::move(str); }
    void SetMaterial(std::string str) { m_strMaterial = std::move(str); }
    void SetCategory(std::string str) { m_strCategory = std::move(str); }
    void SetTrade(std::string str) { m_strTrade = std::move(str); }
    void SetNotes(std::string str) { m_strNotes = std::move(str); }
    void SetPrice(std::string str) { m_strPrice = std::move(str); }

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
