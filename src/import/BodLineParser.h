#pragma once

#include "model/BodItem.h"

#include <memory>
#include <string_view>

// Reads one line of UOAssist's clipboard export into a new deed, in the AOS (0) or Pre-AOS (1)
// layout. It never refuses a line: whatever it does not recognise stays empty, and the deed's own
// validity test tells whether the line was usable.
class CBodLineParser {
public:
    virtual ~CBodLineParser() = default;

    // Creates a deed from strLine into pItem (valid or not) and returns whether it is valid.
    // Another paste mode than these three fills nothing.
    bool ParseLine(std::string_view strLine, std::unique_ptr<CBodItem>& pItem);

    static constexpr int kPasteAos = 0;
    static constexpr int kPastePreAos = 1;
    // Not a line layout: in this mode each text is a tooltip block (TooltipReader).
    static constexpr int kPasteTooltip = 2;
    // Values of m_nBodSize.
    static constexpr int kSmallBod = 1;
    static constexpr int kLargeBod = 2;

    int m_nPasteMode = kPasteAos;
    int m_nAmount = 0;
    int m_nPartCount = 0;
    int m_nBodSize = 0;
};
