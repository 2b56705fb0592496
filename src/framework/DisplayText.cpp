#include "framework/DisplayText.h"

QString DisplayText(std::string_view utf8) {
    // Counts characters by their UTF-8 lead bytes and cuts before one, so only the shown part
    // is ever converted.
    std::size_t nChars = 0;
    for (std::size_t pos = 0; pos < utf8.size(); ++pos) {
        if ((static_cast<unsigned char>(utf8[pos]) & 0xC0) != 0x80 &&
            nChars++ == kMaxDisplayChars) {
            return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(pos)) + QChar(0x2026);
        }
    }
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}
