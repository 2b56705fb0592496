#pragma once

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

// The order of tree labels and Import rows: ascending, case-insensitive, in the user's locale.
// The core does not know the locale; the windows and bodtool hand it a collator. Ranking a whole
// batch at once lets callers sort large lists by integers and collate each distinct text once.
class CTextOrder {
public:
    virtual ~CTextOrder() = default;
    // Each text's place in ascending order; texts that compare equal share a rank.
    virtual std::vector<std::uint32_t> Rank(std::span<const std::string_view> texts) const = 0;
};

// Case-insensitive code-point order (ASCII letters folded), for where no collator is at hand.
class CNoCaseTextOrder final : public CTextOrder {
public:
    std::vector<std::uint32_t> Rank(std::span<const std::string_view> texts) const override;
};
