#include "model/DeedCsv.h"

#include "model/ShoppingList.h"
#include "model/Utf8.h"

#include <algorithm>
#include <chrono>

namespace DeedCsv {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kHeader = "Trade,Category,Material,Amount,Quality,Item,Count,"
                                     "Filled Parts,Total Parts,Price,Notes,Date\r\n";

// A spreadsheet takes a cell that begins with one of these for a formula and runs it.
constexpr std::string_view kFormulaStarts = "=+-@\t\r";

// Bytes that are not well-formed UTF-8 are written as U+FFFD, so the file is what its mark says.
// A text that a spreadsheet would run as a formula is quoted and begins with an apostrophe, which
// makes it text; NUL bytes, which end a text in many programs, are left out.
void AppendField(std::string& out, std::string_view text) {
    const std::size_t first = text.find_first_not_of('\0');
    const bool bFormula =
        first != std::string_view::npos && kFormulaStarts.find(text[first]) != std::string::npos;
    bool bQuote = bFormula;
    bool bPlain = true;
    for (const char c : text) {
        bQuote = bQuote || c == ',' || c == '"' || c == '\r' || c == '\n';
        bPlain = bPlain && c != '"' && c != '\0' && static_cast<unsigned char>(c) < 0x80;
    }
    const char* pszOpen = bFormula ? "\"'" : bQuote ? "\"" : "";
    if (bPlain) {
        out.append(pszOpen).append(text).append(bQuote ? "\"," : ",");
        return;
    }
    out += pszOpen;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const char c = text[pos];
        if (c == '\0') {
            ++pos;
            continue;
        }
        if (static_cast<unsigned char>(c) >= 0x80) {
            Utf8::Append(out, Utf8::DecodeNext(text, pos));
            continue;
        }
        out += c == '"' ? "\"\"" : std::string_view(&c, 1);
        ++pos;
    }
    out += bQuote ? "\"," : ",";
}

// value in decimal with at least nWidth digits.
void AppendNumber(std::string& out, long long value, int nWidth) {
    char digits[24];
    int n = 0;
    do {
        digits[n++] = static_cast<char>('0' + value % 10);
        value /= 10;
    } while (value > 0 || n < nWidth);
    while (n > 0) {
        out += digits[--n];
    }
}

void AppendRow(std::string& out, const CBodItem& bod, bool bDated) {
    for (const std::string* pText :
         {&bod.m_strTrade, &bod.m_strCategory, &bod.m_strMaterial, &bod.m_strAmount,
          &bod.m_strQuality, &bod.m_strItem, &bod.m_strCount}) {
        AppendField(out, *pText);
    }
    const auto nFilled = std::count_if(bod.m_arrParts.begin(), bod.m_arrParts.end(),
                                       [](const CBodItemDetail& part) { return part.IsFilled(); });
    AppendNumber(out, nFilled, 1);
    out += ',';
    AppendNumber(out, static_cast<long long>(bod.m_arrParts.size()), 1);
    out += ',';
    AppendField(out, bod.m_strPrice);
    AppendField(out, bod.m_strNotes);
    out.append(bDated ? IsoTime(bod.m_timeAdded) : std::string()).append("\r\n");
}

} // namespace

std::string IsoTime(std::uint32_t nTime) {
    using namespace std::chrono;
    const sys_seconds time{seconds{nTime}};
    const sys_days day = floor<days>(time);
    const year_month_day date{day};
    const hh_mm_ss clock{time - day};
    std::string text;
    text.reserve(20);
    AppendNumber(text, static_cast<int>(date.year()), 4);
    text += '-';
    AppendNumber(text, static_cast<unsigned>(date.month()), 2);
    text += '-';
    AppendNumber(text, static_cast<unsigned>(date.day()), 2);
    text += 'T';
    AppendNumber(text, clock.hours().count(), 2);
    text += ':';
    AppendNumber(text, clock.minutes().count(), 2);
    text += ':';
    AppendNumber(text, clock.seconds().count(), 2);
    text += 'Z';
    return text;
}

namespace {

std::string WriteRows(std::span<const CBodItem* const> deeds, bool bShoppingList) {
    std::string out;
    out.reserve(kByteOrderMark.size() + kHeader.size() + deeds.size() * 96);
    out.append(kByteOrderMark).append(kHeader);
    for (const CBodItem* pBod : deeds) {
        if (!pBod) {
            continue;
        }
        const bool bHeld = !bShoppingList || ShoppingList::IsHeld(*pBod);
        // Of a shopping list, a large deed with every part filled needs nothing more.
        if (bShoppingList && bHeld && !ShoppingList::NeedsParts(*pBod)) {
            continue;
        }
        AppendRow(out, *pBod, bHeld);
    }
    return out;
}

} // namespace

std::string Write(std::span<const CBodItem* const> deeds) {
    return WriteRows(deeds, false);
}

std::string WriteShoppingList(std::span<const CBodItem* const> deeds) {
    return WriteRows(deeds, true);
}

} // namespace DeedCsv
