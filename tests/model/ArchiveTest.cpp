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

// Lengths take the shortest form (one byte, FF + two, FF FF FF + four). Code-page texts stay
// narrow; one character outside the code page takes the whole text wide (FF FE FF, then the
// length in the same forms, then UTF-16LE).
TEST(ArchiveTest, TextsAreNarrowOrWideWithTheShortestLength) {
    std::string wide300;
    for (int i = 0; i < 300; ++i) {
        wide300 += Bytes({'x', 0x00});
    }
    const auto xs = [](std::size_t n) {
        return std::string(n, 'x');
    };
    const struct {
        std::string utf8;
        std::string bytes;
    } cases[] = {
        {"", Bytes({0x00})},
        {xs(254), Bytes({0xFE}) + xs(254)},
        {xs(255), Bytes({0xFF, 0xFF, 0x00}) + xs(255)},
        {xs(65533), Bytes({0xFF, 0xFD, 0xFF}) + xs(65533)},
        {xs(65534), Bytes({0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00}) + xs(65534)},
        {xs(70000), Bytes({0xFF, 0xFF, 0xFF, 0x70, 0x11, 0x01, 0x00}) + xs(70000)},
        {"iron", Bytes({0x04, 'i', 'r', 'o', 'n'})},
        {"\u00E9\u20AC", Bytes({0x02, 0xE9, 0x80})},
        {"\u0080", Bytes({0xFF, 0xFE, 0xFF, 0x01, 0x80, 0x00})},
        {"\U0001F600", Bytes({0xFF, 0xFE, 0xFF, 0x02, 0x3D, 0xD8, 0x00, 0xDE})},
        {"\u00E9\u03A9", Bytes({0xFF, 0xFE, 0xFF, 0x02, 0xE9, 0x00, 0xA9, 0x03})},
        {xs(300) + "\u03A9",
         Bytes({0xFF, 0xFE, 0xFF, 0xFF, 0x2D, 0x01}) + wide300 + Bytes({0xA9, 0x03})},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Written(c.utf8), c.bytes) << c.utf8.size();
        EXPECT_EQ(ReadBack(c.bytes), c.utf8) << c.utf8.size();
    }
}

TEST(ArchiveTest, BrokenTextBecomesReplacementCharacters) {
    // A lone high and a lone low surrogate in a file.
    EXPECT_EQ(ReadBack(Bytes({0xFF, 0xFE, 0xFF, 0x03, 0x00, 0xD8, 'a', 0x00, 0x00, 0xDC})),
              "\uFFFDa\uFFFD");
    // Malformed UTF-8 in memory still saves, and what it saves reads back well-formed.
    EXPECT_EQ(ReadBack(Written("a\xC3")), "a\uFFFD");
    EXPECT_EQ(ReadBack(Written("\xFF\xFE")), "\uFFFD\uFFFD");
}

} // namespace
