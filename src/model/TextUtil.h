#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Text helpers shared by the deed record, the parser and the views. Texts are UTF-8; case
// changes touch ASCII letters only, so one character always stays one character.
namespace TextUtil {

std::string AsciiLower(std::string_view text);
// Lower case, trimmed, every run of white space one blank: names typed or printed with stray
// blanks ("chainmail  coif") then compare equal.
std::string NameKey(std::string_view text);

// Removes blanks, tabs, CR, LF, vertical tabs and form feeds.
std::string_view Trim(std::string_view text);
std::string_view TrimRight(std::string_view text);
bool IsSpace(char c);

// Reads a number as atoi does (leading white space, one sign, digits up to the first other
// character, 0 without digits), but saturates at the 32-bit limits instead of overflowing.
std::int32_t Atoi(std::string_view text);

// Drops the first `count` code points (or everything, when the text is shorter).
std::string_view DropCodePoints(std::string_view text, std::size_t count);

} // namespace TextUtil
