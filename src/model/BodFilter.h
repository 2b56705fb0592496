#pragma once

#include "model/BodItem.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Which deeds a player wants to see: words to find in a deed's texts, and exact choices of
// trade, size, quality and material. A filter with nothing set lets every deed through.
class CBodFilter {
public:
    // ReadyToTurnIn: the large deeds whose count says they are complete.
    enum class Size { Any, Large, Small, ReadyToTurnIn };

    // Words separated by blanks; a deed matches when every word is found, in any letter case,
    // inside its item, material, category, quality, price or notes.
    void SetText(std::string_view text);
    // An empty optional accepts any value; an empty text is a value of its own.
    void SetTrade(std::optional<std::string> trade) { m_trade = std::move(trade); }
    void SetQuality(std::optional<std::string> quality) { m_quality = std::move(quality); }
    void SetMaterial(std::optional<std::string> material) { m_material = std::move(material); }
    void SetSize(Size size) { m_size = size; }

    bool IsActive() const;
    bool Matches(const CBodItem& bod) const;
    // Whether every deed this filter lets through also passes other: typing more of a word or
    // choosing where "any" stood only ever narrows what is shown.
    bool IsNarrowerThan(const CBodFilter& other) const;

    bool operator==(const CBodFilter& other) const = default;

    // The text folded as the filter compares it: ASCII letters and the letters of Windows-1252
    // lower-cased, everything else as it is. One character keeps its length in bytes.
    static std::string FoldCase(std::string_view text);

private:
    std::vector<std::string> m_words;
    std::optional<std::string> m_trade;
    std::optional<std::string> m_quality;
    std::optional<std::string> m_material;
    Size m_size = Size::Any;
};
