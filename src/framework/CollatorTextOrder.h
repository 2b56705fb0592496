#pragma once

#include "model/TextOrder.h"

#include <QCollator>

// The user's locale, case-insensitive (QCollator), for tree labels and Import rows. The C locale
// has no collation rules, so there the order is the plain case-insensitive code-point order.
class CCollatorTextOrder final : public CTextOrder {
public:
    CCollatorTextOrder();

    std::vector<std::uint32_t> Rank(std::span<const std::string_view> texts) const override;

private:
    // Opening a collator costs more than ranking a few hundred labels, so it is made once.
    QCollator m_collator;
    bool m_bCodePointOrder;
};
