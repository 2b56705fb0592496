#include "model/Windows1252.h"

#include "model/Utf8.h"

#include <array>

namespace Windows1252 {

namespace {

// Bytes 0x80 to 0x9F; every other byte is the code point of the same value.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char32_t ToCodePoint(unsigned char byte) {
    if (byte >= 0x80 && byte <= 0x9F) {
        return kHighControls[byte - 0x80];
    }
    return byte;
}

// The byte of a code point, or -1 when the code page has none.
int ToByte(char32_t codePoint) {
    if (codePoint < 0x80 || (codePoint >= 0xA0 && codePoint <= 0xFF)) {
        return static_cast<int>(codePoint);
    }
    for (std::size_t i = 0; i < kHighControls.size(); ++i) {
        if (kHighControls[i] == codePoint) {
            return static_cast<int>(0x80 + i);
        }
    }
    return -1;
}

} // namespace

std::string Decode(std::string_view bytes) {
    if (Utf8::IsAscii(bytes)) {
        return std::string(bytes);
    }
    std::string text;
    text.reserve(bytes.size() * 2);
    for (const char c : bytes) {
        Utf8::Append(text, ToCodePoint(static_cast<unsigned char>(c)));
    }
    return text;
}

std::string DecodeIncoming(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    std::size_t pos = 0;
    while (pos < text.size()) {
        const int nByte = Utf8::TakeMalformedByte(text, pos);
        Utf8::Append(out, nByte < 0 ? Utf8::DecodeNext(text, pos)
                                    : ToCodePoint(static_cast<unsigned char>(nByte)));
    }
    return out;
}

bool Encode(std::string_view utf8, std::string& out) {
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        // Malformed input decodes to U+FFFD, which the code page cannot hold either.
        const int byte = ToByte(Utf8::DecodeNext(utf8, pos));
        if (byte < 0) {
            return false;
        }
        out.push_back(static_cast<char>(byte));
    }
    return true;
}

} // namespace Windows1252
