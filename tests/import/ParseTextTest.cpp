#include "import/ParseText.h"

#include <climits>
#include <gtest/gtest.h>
#include <list>
#include <string>

namespace {

// Holds the characters that a CParseText views: the ASCII text as it is, or decoded to code
// points, so every case runs on both the byte path and the code-point path.
template <typename CharT> class Holder {
public:
    explicit Holder(std::string_view ascii) {
        if constexpr (std::is_same_v<CharT, char>) {
            m_storage = std::string(ascii);
        } else {
            m_storage = DecodeUtf8(ascii);
        }
    }
    CParseText<CharT> Text() const { return CParseText<CharT>(m_storage); }

private:
    std::basic_string<CharT> m_storage;
};

template <typename CharT> class ParseTextTest : public ::testing::Test {
protected:
    CParseText<CharT> Make(std::string_view ascii) {
        m_holders.emplace_back(ascii);
        return m_holders.back().Text();
    }

private:
    // A list keeps every earlier text in place while a test makes more.
    std::list<Holder<CharT>> m_holders;
};

using CharTypes = ::testing::Types<char, char32_t>;
TYPED_TEST_SUITE(ParseTextTest, CharTypes);

TYPED_TEST(ParseTextTest, FindWordHonoursStartAndCase) {
    const auto text = this->Make("a bulk order, bulk order");
    EXPECT_EQ(text.Find("bulk"), 2);
    EXPECT_EQ(text.Find("bulk", 3), 14);
    EXPECT_EQ(text.Find("bulk", -5), 2);
    EXPECT_EQ(text.Find("Bulk"), -1);
    EXPECT_EQ(text.Find("order", text.Length()), -1);
    EXPECT_EQ(text.Find("order", text.Length() + 1), -1);
    EXPECT_EQ(text.Find("order, bulk order and more"), -1);
}

TYPED_TEST(ParseTextTest, FindCharAndFindLast) {
    const auto text = this->Make("a:b:c");
    EXPECT_EQ(text.Find(':'), 1);
    EXPECT_EQ(text.Find(':', 1), 1);
    EXPECT_EQ(text.Find(':', 2), 3);
    EXPECT_EQ(text.Find(':', -1), 1);
    EXPECT_EQ(text.Find('c', 5), -1);
    EXPECT_EQ(text.Find('x'), -1);
    EXPECT_EQ(text.FindLast(':'), 3);
    EXPECT_EQ(text.FindLast('a'), 0);
    EXPECT_EQ(text.FindLast('x'), -1);
    EXPECT_EQ(this->Make("").FindLast('x'), -1);
}

struct CutCase {
    std::ptrdiff_t first;
    std::ptrdiff_t count;
    std::string expected;
};

TYPED_TEST(ParseTextTest, CutClampsToTheText) {
    const auto text = this->Make("abcdef");
    const CutCase cases[] = {{0, 3, "abc"}, {-3, 2, "ab"},   {2, -1, ""}, {2, 0, ""},
                             {4, 10, "ef"}, {6, 1, ""},      {10, 2, ""}, {-1, 100, "abcdef"},
                             {5, 1, "f"},   {0, 6, "abcdef"}};
    for (const CutCase& c : cases) {
        EXPECT_EQ(text.Cut(c.first, c.count).ToUtf8(), c.expected)
            << "cut(" << c.first << ", " << c.count << ")";
    }
    EXPECT_EQ(text.Cut(2).ToUtf8(), "cdef");
    EXPECT_EQ(text.Cut(-4).ToUtf8(), "abcdef");
    EXPECT_EQ(text.Cut(6).ToUtf8(), "");
    EXPECT_EQ(text.Cut(7).ToUtf8(), "");
}

TYPED_TEST(ParseTextTest, LeftAndRightTakeNothingOrEverythingAtTheLimits) {
    const auto text = this->Make("abcdef");
    const struct {
        std::ptrdiff_t n;
        std::string left;
        std::string right;
    } cases[] = {{-1, "", ""},
                 {0, "", ""},
                 {2, "ab", "ef"},
                 {5, "abcde", "bcdef"},
                 {6, "abcdef", "abcdef"},
                 {9, "abcdef", "abcdef"}};
    for (const auto& c : cases) {
        EXPECT_EQ(text.Left(c.n).ToUtf8(), c.left) << "left(" << c.n << ")";
        EXPECT_EQ(text.Right(c.n).ToUtf8(), c.right) << "right(" << c.n << ")";
    }
}

TYPED_TEST(ParseTextTest, TrimRemovesTheSixWhiteSpaceCharacters) {
    const auto text = this->Make(" \t\r\n\v\fab c\f\v\n\r\t ");
    EXPECT_EQ(text.Trim().ToUtf8(), "ab c");
    EXPECT_EQ(text.TrimRight().ToUtf8(), " \t\r\n\v\fab c");
    EXPECT_EQ(this->Make(" \t ").Trim().ToUtf8(), "");
    EXPECT_EQ(this->Make("a_b").Trim().ToUtf8(), "a_b");
}

TYPED_TEST(ParseTextTest, NumberReadsAsAtoiButSaturates) {
    const struct {
        std::string text;
        std::int32_t expected;
    } cases[] = {{"42", 42},
                 {"  \t42abc", 42},
                 {"-7", -7},
                 {"+8", 8},
                 {"", 0},
                 {"abc", 0},
                 {"- 5", 0},
                 {"1 2", 1},
                 {"2147483647", INT_MAX},
                 {"2147483648", INT_MAX},
                 {"99999999999999999999", INT_MAX},
                 {"-2147483648", INT_MIN},
                 {"-99999999999", INT_MIN}};
    for (const auto& c : cases) {
        EXPECT_EQ(this->Make(c.text).Number(), c.expected) << "number(\"" << c.text << "\")";
    }
}

TYPED_TEST(ParseTextTest, EqualsComparesTheWholeText) {
    EXPECT_TRUE(this->Make("iron").Equals("iron"));
    EXPECT_FALSE(this->Make("iron ").Equals("iron"));
    EXPECT_FALSE(this->Make("Iron").Equals("iron"));
    EXPECT_FALSE(this->Make("iro").Equals("iron"));
}

TEST(ParseTextCodePointTest, PositionsCountCharactersNotBytes) {
    const std::u32string decoded = DecodeUtf8("h\xC3\xA9llo w\xC3\xB6rld \xE2\x82\xAC");
    const CParseText<char32_t> text(decoded);
    EXPECT_EQ(text.Length(), 13);
    EXPECT_EQ(text.Find(' '), 5);
    EXPECT_EQ(text.Find("rld"), 8);
    EXPECT_EQ(text.Cut(1, 1).ToUtf8(), "\xC3\xA9");
    EXPECT_EQ(text.Cut(6, 5).ToUtf8(), "w\xC3\xB6rld");
    EXPECT_EQ(text.Right(1).ToUtf8(), "\xE2\x82\xAC");
    EXPECT_EQ(text.Left(2).ToUtf8(), "h\xC3\xA9");
}

TEST(ParseTextCodePointTest, NumberStopsAtTheFirstNonAsciiCharacter) {
    const std::u32string decoded = DecodeUtf8(" 12\xC3\xA9"
                                              "3");
    EXPECT_EQ(CParseText<char32_t>(decoded).Number(), 12);
}

// Whatever bytes are pasted, decoding and encoding again gives them back, and each byte that is
// not part of a well-formed sequence counts as one character.
TEST(ParseTextCodePointTest, EveryByteRoundTrips) {
    const struct {
        std::string bytes;
        std::size_t characters;
    } cases[] = {{"plain", 5},
                 {"\xC3\xA9", 1},         // two-byte sequence
                 {"\xF0\x9F\x98\x80", 1}, // four-byte sequence
                 {"\xEF\xBF\xBD", 1},     // a genuine replacement character
                 {"\xFF", 1},             // never a lead byte
                 {"a\x80"
                  "b",
                  3},                     // stray continuation byte
                 {"\xC3", 1},             // cut sequence at the end
                 {"\xE2\x82", 2},         // cut three-byte sequence
                 {"\xC0\xAF", 2},         // overlong form
                 {"\xED\xA0\x80", 3},     // encoded surrogate
                 {"\xED\xB2\x80", 3},     // encoded escape code point
                 {"\xF4\x90\x80\x80", 4}, // above U+10FFFF
                 {std::string("a\0b", 3), 3}};
    for (const auto& c : cases) {
        const std::u32string decoded = DecodeUtf8(c.bytes);
        EXPECT_EQ(decoded.size(), c.characters) << testing::PrintToString(c.bytes);
        std::string encoded;
        AppendUtf8(decoded, encoded);
        EXPECT_EQ(encoded, c.bytes);
    }
}

TEST(ParseTextCodePointTest, LowerCasingTouchesAsciiLettersOnly) {
    std::string bytes = "\xC3\x89P\xC3\xA9"
                        "E [Z]";
    AsciiLowerInPlace(bytes);
    EXPECT_EQ(bytes, "\xC3\x89p\xC3\xA9"
                     "e [z]");
    std::u32string decoded = U"\u00C9A\u0130z@";
    AsciiLowerInPlace(decoded);
    EXPECT_EQ(decoded, U"\u00C9a\u0130z@");
}

} // namespace
