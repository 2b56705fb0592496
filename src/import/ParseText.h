#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// A read-only piece of a pasted line whose positions, lengths and cuts count characters, so a cut
// never splits a character. CharT is char for an all-ASCII line (there a byte is a character)
// and char32_t for a line decoded with DecodeUtf8. Cuts are views into the same storage, which
// must outlive them. Every word or character searched for is ASCII; searches are case-sensitive.
template <typename CharT> class CParseText {
public:
    using Pos = std::ptrdiff_t;
    using View = std::basic_string_view<CharT>;
    // What every search returns when it finds nothing.
    static constexpr Pos kNotFound = -1;

    CParseText() = default;
    explicit CParseText(View text) : m_text(text) {}

    Pos Length() const { return static_cast<Pos>(m_text.size()); }
    bool IsEmpty() const { return m_text.empty(); }

    // First occurrence at or after `from`; a negative `from` searches from the start, one beyond
    // the end finds nothing.
    Pos Find(std::string_view word, Pos from = 0) const;
    Pos Find(char c, Pos from = 0) const;
    Pos FindLast(char c) const;
    bool Contains(std::string_view word) const { return Find(word) != kNotFound; }
    bool Equals(std::string_view word) const;

    // At most `count` characters from `first` on: a negative `first` counts as 0, a negative
    // `count` gives the empty text, and the cut stops at the end.
    CParseText Cut(Pos first, Pos count) const;
    CParseText Cut(Pos first) const;
    // The first or last n characters: nothing for n <= 0, everything for n >= Length().
    CParseText Left(Pos n) const;
    CParseText Right(Pos n) const;
    // Without blanks, tabs, CR, LF, vertical tabs and form feeds at both ends (or the end only).
    CParseText Trim() const;
    CParseText TrimRight() const;

    // The number at the start as atoi reads it, saturated at the 32-bit limits; 0 without digits.
    std::int32_t Number() const;

    std::string ToUtf8() const;

private:
    View m_text;
};

extern template class CParseText<char>;
extern template class CParseText<char32_t>;

// One code point per character. A byte that does not belong to a well-formed UTF-8 sequence
// becomes a character of its own (U+DC80 to U+DCFF, a code point that well-formed UTF-8 never
// yields), so that AppendUtf8 gives back every pasted byte exactly.
std::u32string DecodeUtf8(std::string_view text);
void AppendUtf8(std::u32string_view text, std::string& out);

// Lower-cases the ASCII letters only, so one character always stays one character.
template <typename CharT> void AsciiLowerInPlace(std::basic_string<CharT>& text) {
    for (CharT& c : text) {
        if (c >= CharT('A') && c <= CharT('Z')) {
            c = static_cast<CharT>(c - CharT('A') + CharT('a'));
        }
    }
}
