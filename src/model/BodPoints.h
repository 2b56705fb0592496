#pragma once

#include <cstdint>
#include <string>

class CBodItem;

// What a deed is worth under the reward system of today's game: the points it gives when turned
// in, and the share of them that banking it gives instead (2 % for a small deed, 20 % for a
// large one). Banked points are kept in hundredths so that sums stay exact.
struct CBodPoints {
    std::int64_t nTurnIn = 0;
    std::int64_t nBankHundredths = 0;

    CBodPoints& operator+=(const CBodPoints& other) {
        nTurnIn += other.nTurnIn;
        nBankHundredths += other.nBankHundredths;
        return *this;
    }
    CBodPoints& operator-=(const CBodPoints& other) {
        nTurnIn -= other.nTurnIn;
        nBankHundredths -= other.nBankHundredths;
        return *this;
    }
};

namespace BodPoints {

// Amount part, plus the craft's exceptional and material parts, plus for a large deed its set's
// part; what a craft never asks for adds nothing, and an amount other than 10, 15 or 20 counts 0.
CBodPoints Of(const CBodItem& bod);

// Banked points as a player reads them: "0.2", "4.5", "42".
std::string FormatBank(std::int64_t nBankHundredths);

} // namespace BodPoints
