#pragma once

#include "model/BodItem.h"

#include <cstdint>
#include <span>
#include <string>

// Deeds as a spreadsheet reads them: CSV as RFC 4180 has it (CR LF line ends, a field quoted
// when it holds a comma, a quote or a line break, quotes doubled), a header row, one row per
// deed, UTF-8 behind a byte-order mark so that spreadsheet programs do not guess the encoding.
// A text that begins like a formula (=, +, -, @, a tab or a carriage return) is written quoted
// behind an apostrophe, so that a spreadsheet shows it instead of running it; NUL bytes are
// left out; every other byte of a text is kept.
namespace DeedCsv {

// The whole file for deeds, in the order given.
std::string Write(std::span<const CBodItem* const> deeds);
// The whole file for the deeds of a shopping list, as the player means it: what is still needed.
// Large deeds with every part filled are left out; the small deeds needed are not held yet, so
// their date is empty.
std::string WriteShoppingList(std::span<const CBodItem* const> deeds);

// A stored time as ISO 8601 in UTC, "2026-12-06T16:02:06Z".
std::string IsoTime(std::uint32_t nTime);

} // namespace DeedCsv
