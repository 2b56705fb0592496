#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// The UTF-8 steps the file codecs share. Malformed input never stops a conversion: each bad
// byte reads as U+FFFD, so text from anywhere can still be saved.
namespace Utf8 {

inline constexpr char32_t kReplacement = 0xFFFD;

// Decodes the code point at pos and moves pos past it. Overlong forms, surrogates, values above
// U+10FFFF and cut sequences give kReplacement and consume one byte.
char32_t DecodeNext(std::string_view text, std::size_t& pos);

// The byte at pos when it is not part of well-formed UTF-8 (and moves pos past it), else -1
// with pos unchanged. A well-formed U+FFFD is not malformed.
int TakeMalformedByte(std::string_view text, std::size_t& pos);

// Appends the UTF-8 form of a code point (a surrogate or out-of-range value as kReplacement).
void Append(std::string& out, char32_t codePoint);

bool IsAscii(std::string_view text);

} // namespace Utf8
