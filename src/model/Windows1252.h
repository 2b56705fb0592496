#pragma once

#include <string>
#include <string_view>

// The single-byte code page of the *.bod files. All 256 bytes decode to a character: the five
// that the code page leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) become the control
// characters of the same value, so any file's bytes come back unchanged when written again.
namespace Windows1252 {

std::string Decode(std::string_view bytes);

// Text from outside (a paste, a text file, a command line): UTF-8 as it is, and each byte that
// is not part of well-formed UTF-8 as the code-page character of that byte, since such text
// comes from Windows editors. The result is well-formed UTF-8.
std::string DecodeIncoming(std::string_view text);

// Appends the code-page bytes of a UTF-8 text to out and returns true. Returns false, with out
// holding an unspecified prefix, when a character has no byte in the code page or the text is
// not well-formed UTF-8.
bool Encode(std::string_view utf8, std::string& out);

} // namespace Windows1252
