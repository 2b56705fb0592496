#include "model/TextUtil.h"

#include <limits>

namespace TextUtil {

std::string AsciiLower(std::string_view text) {
    std::string lower(text);
    for (char& c : lower) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return lower;
}

std::string NameKey(std::string_view text) {
    std::string out;
    bool bBlank = false;
    for (const char c : Trim(text)) {
        if (IsSpace(c)) {
            bBlank = true;
            continue;
        }
        if (bBlank) {
            out += ' ';
            bBlank = false;
        }
        out += c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    }
    return out;
}

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

std::string_view TrimRight(std::string_view text) {
    while (!text.empty() && IsSpace(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

std::string_view Trim(std::string_view text) {
    while (!text.empty() && IsSpace(text.front())) {
        text.remove_prefix(1);
    }
    return TrimRight(text);
}

std::int32_t Atoi(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && IsSpace(text[i])) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    constexpr std::int64_t kMax = std::numeric_limits<std::int32_t>::max();
    constexpr std::int64_t kMin = std::numeric_limits<std::int32_t>::min();
    std::int64_t value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > kMax + 1) {
            value = kMax +
                    1; // past either limit already; capping keeps the 64-bit sum from overflowing
        }
    }
    if (negative) {
        value = -value;
    }
    if (value > kMax) {
        return static_cast<std::int32_t>(kMax);
    }
    if (value < kMin) {
        return static_cast<std::int32_t>(kMin);
    }
    return static_cast<std::int32_t>(value);
}

namespace {
bool IsContinuationByte(char c) {
    return (static_cast<unsigned char>(c) & 0xC0U) == 0x80U;
}
} // namespace

std::string_view DropCodePoints(std::string_view text, std::size_t count) {
    std::size_t i = 0;
    while (i < text.size() && count > 0) {
        ++i;
        while (i < text.size() && IsContinuationByte(text[i])) {
            ++i;
        }
        --count;
    }
    return text.substr(i);
}

} // namespace TextUtil
