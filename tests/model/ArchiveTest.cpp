#include "model/Archive.h"

#include "ByteString.h"

#include <gtest/gtest.h>
#include <string>

namespace {

std::string Written(const std::string& utf8) {
    CArchive ar = CArchive::ForStoring();
    ar.WriteText(utf8);
    return ar.TakeBytes();
}

std::string ReadBack(const std::string& bytes) {
    CArchive ar = CArchive::ForLoading(bytes);
    std::string text = ar.ReadText();
    EXPECT_EQ(ar.Remaining(), 0U);
    return text;
}

TEST(ArchiveTest, IntegersAreLittleEndian) {
    CArchive out = CArchive::ForStoring();
    out.WriteInt32(-2);
    out.WriteUInt32(0x01020304);
    out.WriteUInt32(0xFFFFFFFF);
    EXPECT_EQ(out.Bytes(),
              Bytes({0xFE, 0xFF, 0xFF, 0xFF, 0x04, 0x03, 0x02, 0x01, 0xFF, 0xFF, 0xFF, 0xFF}));

    CArchive in = CArchive::ForLoading(out.Bytes());
    EXPECT_EQ(in.ReadInt32(), -2);
    EXPECT_EQ(in.ReadUInt32(), 0x01020304U);
    EXPECT_EQ(in.ReadInt32(), -1);
    EXPECT_THROW(in.ReadInt32(), CArchiveException);

    const std::string threeBytes = Bytes({0x01, 0x02, 0x03});
    CArchive cut = CArchive::ForLoading(threeBytes);
    EXPECT_THROW(cut.ReadUInt32(), CArchiveException);
}

struct PrefixCase {
    std::size_t length;
    std::string prefix;
};

class TextPrefixTest : public ::testing::TestWithParam<PrefixCase> {};

TEST_P(TextPrefixTest, UsesTheShortestFormAndReadsItBack) {
    const std::string text(GetParam().length, 'x');
    const std::string bytes = Written(text);
    EXPECT_EQ(bytes.substr(0, GetParam().prefix.size()), GetParam().prefix);
    EXPECT_EQ(bytes.size(), GetParam().prefix.size() + text.size());
    EXPECT_EQ(ReadBack(bytes), text);
}

INSTANTIATE_TEST_SUITE_P(
    Boundaries, TextPrefixTest,
    ::testing::Values(PrefixCase{0, Bytes({0x00})}, PrefixCase{254, Bytes({0xFE})},
                      PrefixCase{255, Bytes({0xFF, 0xFF, 0x00})},
                      PrefixCase{65533, Bytes({0xFF, 0xFD, 0xFF})},
                      PrefixCase{65534, Bytes({0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00})},
                      PrefixCase{70000, Bytes({0xFF, 0xFF, 0xFF, 0x70, 0x11, 0x01, 0x00})}));

TEST(ArchiveTest, CodePageTextsStayNarrow) {
    EXPECT_EQ(Written("iron"), Bytes({0x04, 'i', 'r', 'o', 'n'}));
    EXPECT_EQ(Written("\u00E9"), Bytes({0x01, 0xE9}));
    EXPECT_EQ(Written("\u20AC"), Bytes({0x01, 0x80}));
    EXPECT_EQ(ReadBack(Bytes({0x02, 0xE9, 0x80})), "\u00E9\u20AC");
}

TEST(ArchiveTest, OtherScriptsGoWide) {
    EXPECT_EQ(Written("\u03A9"), Bytes({0xFF, 0xFE, 0xFF, 0x01, 0xA9, 0x03}));
    EXPECT_EQ(Written("\U0001F600"), Bytes({0xFF, 0xFE, 0xFF, 0x02, 0x3D, 0xD8, 0x00, 0xDE}));
    // One character outside the code page takes the whole text wide, code-page letters too.
    EXPECT_EQ(Written("\u00E9\u03A9"), Bytes({0xFF, 0xFE, 0xFF, 0x02, 0xE9, 0x00, 0xA9, 0x03}));

    const char* const notes[] = {"\u039A\u03B1\u03BB\u03B7\u03BC\u03AD\u03C1\u03B1",
                                 "\u65E5\u672C\u8A9E\u306E\u30E1\u30E2",
                                 "for Bob \U0001F600 \u00E9 \u20AC10", "\u0080"};
    for (const std::string note : notes) {
        EXPECT_EQ(ReadBack(Written(note)), note);
    }
}

TEST(ArchiveTest, WideLengthUsesTheSameLongForms) {
    const std::string text(300, 'x');
    std::string wide = Bytes({0xFF, 0xFE, 0xFF, 0xFF, 0x2C, 0x01});
    for (const char c : text) {
        wide += Bytes({c, 0x00});
    }
    EXPECT_EQ(ReadBack(wide), text);
    EXPECT_EQ(Written(std::string(300, 'x') + "\u03A9").substr(0, 6),
              Bytes({0xFF, 0xFE, 0xFF, 0xFF, 0x2D, 0x01}));
}

TEST(ArchiveTest, BrokenTextBecomesReplacementCharacters) {
    // A lone high and a lone low surrogate in a file.
    EXPECT_EQ(ReadBack(Bytes({0xFF, 0xFE, 0xFF, 0x03, 0x00, 0xD8, 'a', 0x00, 0x00, 0xDC})),
              "\uFFFDa\uFFFD");
    // Malformed UTF-8 in memory still saves, and what it saves reads back well-formed.
    EXPECT_EQ(ReadBack(Written("a\xC3")), "a\uFFFD");
    EXPECT_EQ(ReadBack(Written("\xFF\xFE")), "\uFFFD\uFFFD");
}

TEST(ArchiveTest, TextsLongerThanTheDataThrow) {
    const std::string inputs[] = {
        Bytes({0x05, 'i', 'r', 'o', 'n'}),                 // one byte missing
        Bytes({0xFF, 0x00}),                               // 16-bit length cut short
        Bytes({0xFF, 0xFF, 0xFF, 0xF0, 0xFF, 0xFF, 0xFF}), // 4 GB promised, none present
        Bytes({0xFF, 0xFE, 0xFF, 0x02, 'a', 0x00, 'b'}),   // half a 16-bit unit short
        Bytes({0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 'a', 0x00}),
        Bytes({0xFF, 0xFE, 0xFF}), // marker without a length
    };
    for (const std::string& input : inputs) {
        CArchive ar = CArchive::ForLoading(input);
        EXPECT_THROW(ar.ReadText(), CArchiveException) << input.size();
    }
}

} // namespace
