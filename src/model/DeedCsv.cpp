#include "model/DeedCsv.h"

#include "model/Utf8.h"

#include <algorithm>
#include <chrono>
#include <cstdio>

namespace DeedCsv {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kHeader = "Trade,Category,Material,Amount,Quality,Item,Count,"
                                     "Filled Parts,Total Parts,Price,Notes,Date\r\n";

// Bytes that are not well-formed UTF-8 are written as U+FFFD, so the file is what its mark says.
void AppendField(std::string& out, std::string_view text) {
    const bool bQuote = text.find_first_of(",\"\r\n") != std::string_view::npos;
    if (bQuote) {
        out += '"';
    }
    std::size_t pos = 0;
    while (pos < text.size()) {
        const char c = text[pos];
        if (static_cast<unsigned char>(c) >= 0x80) {
            Utf8::Append(out, Utf8::DecodeNext(text, pos));
            continue;
        }
        if (c == '"') {
            out += '"';
        }
        out += c;
        ++pos;
    }
    if (bQuote) {
        out += '"';
    }
    out += ',';
}

void AppendRow(std::string& out, const CBodItem& bod) {
    for (const std::string* pText :
         {&bod.m_strTrade, &bod.m_strCategory, &bod.m_strMaterial, &bod.m_strAmount,
          &bod.m_strQuality, &bod.m_strItem, &bod.m_strCount}) {
        AppendField(out, *pText);
    }
    const auto nFilled = std::count_if(bod.m_arrParts.begin(), bod.m_arrParts.end(),
                                       [](const CBodItemDetail& part) { return part.IsFilled(); });
    out.append(std::to_string(nFilled)).append(",");
    out.append(std::to_string(bod.m_arrParts.size())).append(",");
    AppendField(out, bod.m_strPrice);
    AppendField(out, bod.m_strNotes);
    out.append(IsoTime(bod.m_timeAdded)).append("\r\n");
}

} // namespace

std::string IsoTime(std::uint32_t nTime) {
    using namespace std::chrono;
    const sys_seconds time{seconds{nTime}};
    const sys_days day = floor<days>(time);
    const year_month_day date{day};
    const hh_mm_ss clock{time - day};
    char text[64];
    std::snprintf(text, sizeof text, "%04d-%02u-%02uT%02d:%02d:%02dZ",
                  static_cast<int>(date.year()), static_cast<unsigned>(date.month()),
                  static_cast<unsigned>(date.day()), static_cast<int>(clock.hours().count()),
                  static_cast<int>(clock.minutes().count()),
                  static_cast<int>(clock.seconds().count()));
    return text;
}

std::string Write(std::span<const CBodItem* const> deeds) {
    std::string out;
    out.reserve(kByteOrderMark.size() + kHeader.size() + deeds.size() * 96);
    out.append(kByteOrderMark).append(kHeader);
    for (const CBodItem* pBod : deeds) {
        if (pBod) {
            AppendRow(out, *pBod);
        }
    }
    return out;
}

} // namespace DeedCsv
