#include "import/ParseText.h"

#include <climits>
#include <gtest/gtest.h>
#include <list>
#include <string>

namespace {

// Every case runs on the byte path and on the code-point path.
template <typename CharT> class ParseTextTest : public ::testing::Test {
protected:
    CParseText<CharT> Make(std::string_view ascii) {
        return CParseText<CharT>(m_texts.emplace_back(ascii.begin(), ascii.end()));
    }
    // A list keeps every earlier text in place while a test makes more.
    std::list<std::basic_string<CharT>> m_texts;
};

using CharTypes = ::testing::Types<char, char32_t>;
TYPED_TEST_SUITE(ParseTextTest, CharTypes);

TYPED_TEST(ParseTextTest, FindHonoursStartAndCase) {
    const auto text = this->Make("a bulk order, bulk order");
    EXPECT_EQ(text.Find("bulk", 3), 14);
    EXPECT_EQ(text.Find("Bulk"), -1);
    EXPECT_EQ(text.Find("order", text.Length() + 1), -1);
    EXPECT_EQ(text.Find("order, bulk order and more"), -1);
    EXPECT_EQ(text.Find(',', -1), 12);
    EXPECT_EQ(text.Find('r', text.Length()), -1);
    EXPECT_EQ(text.FindLast('b'), 14);
    EXPECT_EQ(this->Make("").FindLast('x'), -1);
    EXPECT_EQ(this->Make("b").FindLast('b'), 0);
    // A cut is searched within its own bounds, not on into the text it was cut from.
    EXPECT_EQ(this->Make("xingots").Left(5).Find("ingots"), -1);
    EXPECT_TRUE(this->Make("iron").Equals("iron"));
    EXPECT_FALSE(this->Make("iron ").Equals("iron"));
}

TYPED_TEST(ParseTextTest, CutsClampToTheTextAndTrimTakesTheSixSpaces) {
    const auto text = this->Make("abcdef");
    const struct {
        std::ptrdiff_t first;
        std::ptrdiff_t count;
        std::string expected;
    } cases[] = {{0, 3, "abc"}, {-3, 2, "ab"}, {2, -1, ""},        {4, 10, "ef"},
                 {6, 1, ""},    {10, 2, ""},   {-1, 100, "abcdef"}};
    for (const auto& c : cases) {
        EXPECT_EQ(text.Cut(c.first, c.count).ToUtf8(), c.expected)
            << "cut(" << c.first << ", " << c.count << ")";
    }
    EXPECT_EQ(text.Cut(-4).ToUtf8(), "abcdef");
    EXPECT_EQ(text.Cut(7).ToUtf8(), "");
    for (const auto& [n, left, right] : {std::tuple{-1, "", ""},
                                         {2, "ab", "ef"},
                                         {6, "abcdef", "abcdef"},
                                         {9, "abcdef", "abcdef"}}) {
        EXPECT_EQ(text.Left(n).ToUtf8(), left) << "left(" << n << ")";
        EXPECT_EQ(text.Right(n).ToUtf8(), right) << "right(" << n << ")";
    }
    const auto spaced = this->Make(" \t\r\n\v\fab c\f\v\n\r\t ");
    EXPECT_EQ(spaced.Trim().ToUtf8(), "ab c");
    EXPECT_EQ(spaced.TrimRight().ToUtf8(), " \t\r\n\v\fab c");
}

TYPED_TEST(ParseTextTest, NumberReadsAsAtoiButSaturates) {
    const struct {
        std::string text;
        std::int32_t expected;
    } cases[] = {{"  \t42abc", 42},
                 {"+8", 8},
                 {"- 5", 0},
                 {"2147483648", INT_MAX},
                 {"-2147483648", INT_MIN},
                 {"-99999999999", INT_MIN}};
    for (const auto& c : cases) {
        EXPECT_EQ(this->Make(c.text).Number(), c.expected) << "number(\"" << c.text << "\")";
    }
}

// Whatever bytes are pasted, decoding and encoding again gives them back, and each byte that is
// not part of a well-formed sequence counts as one character.
TEST(ParseTextCodePointTest, EveryByteRoundTrips) {
    const struct {
        std::string bytes;
        std::size_t characters;
    } cases[] = {{"\xC3\xA9", 1},     {"\xEF\xBF\xBD", 1},     {"\xFF", 1},
                 {"a\x80z", 3},       {"\xC1\xBF", 2},         {"\xED\xA0\x80", 3},
                 {"\xED\xB2\x80", 3}, {"\xF4\x90\x80\x80", 4}, {std::string("a\0b", 3), 3}};
    for (const auto& c : cases) {
        const std::u32string decoded = DecodeUtf8(c.bytes);
        EXPECT_EQ(decoded.size(), c.characters) << testing::PrintToString(c.bytes);
        std::string encoded;
        AppendUtf8(decoded, encoded);
        EXPECT_EQ(encoded, c.bytes);
    }
}

} // namespace
