#include "import/ParseText.h"

#include "model/TextUtil.h"
#include "model/Utf8.h"

#include <algorithm>
#include <type_traits>

namespace {

template <typename CharT> bool IsChar(CharT c, char ascii) {
    return c == static_cast<CharT>(static_cast<unsigned char>(ascii));
}

template <typename CharT> bool IsSpace(CharT c) {
    return IsChar(c, ' ') || IsChar(c, '\t') || IsChar(c, '\r') || IsChar(c, '\n') ||
           IsChar(c, '\v') || IsChar(c, '\f');
}

// Undecodable bytes are kept as these code points: lone low surrogates, which no well-formed
// UTF-8 text decodes to.
constexpr char32_t kEscapeBase = 0xDC00;
constexpr char32_t kEscapeFirst = 0xDC80;
constexpr char32_t kEscapeLast = 0xDCFF;

} // namespace

template <typename CharT>
typename CParseText<CharT>::Pos CParseText<CharT>::Find(std::string_view word, Pos from) const {
    from = std::max<Pos>(from, 0);
    if (from > Length()) {
        return kNotFound;
    }
    if constexpr (std::is_same_v<CharT, char>) {
        const std::size_t found = m_text.find(word, static_cast<std::size_t>(from));
        return found == View::npos ? kNotFound : static_cast<Pos>(found);
    } else {
        const Pos wordLength = static_cast<Pos>(word.size());
        for (Pos i = from; i + wordLength <= Length(); ++i) {
            Pos k = 0;
            while (k < wordLength && IsChar(m_text[static_cast<std::size_t>(i + k)],
                                            word[static_cast<std::size_t>(k)])) {
                ++k;
            }
            if (k == wordLength) {
                return i;
            }
        }
        return kNotFound;
    }
}

template <typename CharT>
typename CParseText<CharT>::Pos CParseText<CharT>::Find(char c, Pos from) const {
    from = std::max<Pos>(from, 0);
    if constexpr (std::is_same_v<CharT, char>) {
        const std::size_t found = m_text.find(c, static_cast<std::size_t>(from));
        return found == View::npos ? kNotFound : static_cast<Pos>(found);
    } else {
        for (Pos i = from; i < Length(); ++i) {
            if (IsChar(m_text[static_cast<std::size_t>(i)], c)) {
                return i;
            }
        }
        return kNotFound;
    }
}

template <typename CharT>
typename CParseText<CharT>::Pos CParseText<CharT>::FindLast(char c) const {
    for (Pos i = Length() - 1; i >= 0; --i) {
        if (IsChar(m_text[static_cast<std::size_t>(i)], c)) {
            return i;
        }
    }
    return kNotFound;
}

template <typename CharT> bool CParseText<CharT>::Equals(std::string_view word) const {
    return m_text.size() == word.size() &&
           std::equal(m_text.begin(), m_text.end(), word.begin(),
                      [](CharT c, char ascii) { return IsChar(c, ascii); });
}

template <typename CharT> CParseText<CharT> CParseText<CharT>::Cut(Pos first, Pos count) const {
    first = std::max<Pos>(first, 0);
    if (count <= 0 || first >= Length()) {
        return CParseText();
    }
    count = std::min(count, Length() - first);
    return CParseText(
        m_text.substr(static_cast<std::size_t>(first), static_cast<std::size_t>(count)));
}

template <typename CharT> CParseText<CharT> CParseText<CharT>::Cut(Pos first) const {
    return Cut(first, Length());
}

template <typename CharT> CParseText<CharT> CParseText<CharT>::Left(Pos n) const {
    return Cut(0, n);
}

template <typename CharT> CParseText<CharT> CParseText<CharT>::Right(Pos n) const {
    if (n <= 0) {
        return CParseText();
    }
    return Cut(Length() - std::min(n, Length()));
}

template <typename CharT> CParseText<CharT> CParseText<CharT>::TrimRight() const {
    View text = m_text;
    while (!text.empty() && IsSpace(text.back())) {
        text.remove_suffix(1);
    }
    return CParseText(text);
}

template <typename CharT> CParseText<CharT> CParseText<CharT>::Trim() const {
    View text = m_text;
    while (!text.empty() && IsSpace(text.front())) {
        text.remove_prefix(1);
    }
    return CParseText(text).TrimRight();
}

template <typename CharT> std::int32_t CParseText<CharT>::Number() const {
    if constexpr (std::is_same_v<CharT, char>) {
        return TextUtil::Atoi(m_text);
    } else {
        // Blanks, sign and digits are all ASCII, so the ASCII start holds the whole number.
        std::string start;
        for (const char32_t c : m_text) {
            if (c >= 0x80) {
                break;
            }
            start.push_back(static_cast<char>(c));
        }
        return TextUtil::Atoi(start);
    }
}

template <typename CharT> std::string CParseText<CharT>::ToUtf8() const {
    if constexpr (std::is_same_v<CharT, char>) {
        return std::string(m_text);
    } else {
        std::string out;
        AppendUtf8(m_text, out);
        return out;
    }
}

template class CParseText<char>;
template class CParseText<char32_t>;

std::u32string DecodeUtf8(std::string_view text) {
    std::u32string decoded;
    decoded.reserve(text.size());
    std::size_t pos = 0;
    while (pos < text.size()) {
        const int nByte = Utf8::TakeMalformedByte(text, pos);
        decoded.push_back(nByte < 0 ? Utf8::DecodeNext(text, pos)
                                    : kEscapeBase + static_cast<char32_t>(nByte));
    }
    return decoded;
}

void AppendUtf8(std::u32string_view text, std::string& out) {
    for (const char32_t c : text) {
        if (c >= kEscapeFirst && c <= kEscapeLast) {
            out.push_back(static_cast<char>(c - kEscapeBase));
        } else {
            Utf8::Append(out, c);
        }
    }
}
