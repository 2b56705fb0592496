#pragma once

#include <cstdint>
#include <string>

class CArchive;

// One part of a large deed: the item it asks for and whether its small deed has been filled.
class CBodItemDetail {
public:
    CBodItemDetail() = default;
    CBodItemDetail(std::string strName, bool bFilled)
        : m_bFilled(bFilled ? 1 : 0), m_strName(std::move(strName)) {}

    bool IsFilled() const { return m_bFilled != 0; }
    void Serialize(CArchive& ar);

    bool operator==(const CBodItemDetail&) const = default;

    // Kept as the stored 32-bit word, not a bool, so a file round-trips byte for byte; any
    // non-zero value counts as filled.
    std::int32_t m_bFilled = 0;
    std::string m_strName;
};
