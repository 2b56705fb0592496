#pragma once

#include "model/TextOrder.h"

// The user's locale, case-insensitive (QCollator), for tree labels and Import rows.
class CCollatorTextOrder final : public CTextOrder {
public:
    std::vector<std::uint32_t> Rank(std::span<const std::string_view> texts) const override;
};
