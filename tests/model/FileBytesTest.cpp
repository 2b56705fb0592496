#include "model/Archive.h"
#include "model/BodFile.h"
#include "model/Windows1252.h"
#include "support/TestDeeds.h"

#include <gtest/gtest.h>
#include <string>
#include <tuple>

namespace {

std::string Bytes(std::initializer_list<int> values) {
    return std::string(values.begin(), values.end());
}

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

// Lengths take the shortest form. Code-page texts stay narrow; one character outside the code
// page takes the whole text wide. Broken text reads as replacement characters.
TEST(ArchiveTest, TextsAreNarrowOrWideWithTheShortestLength) {
    std::string wide300;
    for (int i = 0; i < 300; ++i) {
        wide300 += Bytes({'x', 0x00});
    }
    const auto xs = [](std::size_t n) {
        return std::string(n, 'x');
    };
    const std::pair<std::string, std::string> cases[] = {
        {"", Bytes({0x00})},
        {xs(254), Bytes({0xFE}) + xs(254)},
        {xs(255), Bytes({0xFF, 0xFF, 0x00}) + xs(255)},
        {xs(65533), Bytes({0xFF, 0xFD, 0xFF}) + xs(65533)},
        {xs(65534), Bytes({0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00}) + xs(65534)},
        {xs(70000), Bytes({0xFF, 0xFF, 0xFF, 0x70, 0x11, 0x01, 0x00}) + xs(70000)},
        {"\u00E9\u20AC", Bytes({0x02, 0xE9, 0x80})},
        {"\u0080", Bytes({0xFF, 0xFE, 0xFF, 0x01, 0x80, 0x00})},
        {"\U0001F600", Bytes({0xFF, 0xFE, 0xFF, 0x02, 0x3D, 0xD8, 0x00, 0xDE})},
        {xs(300) + "\u03A9",
         Bytes({0xFF, 0xFE, 0xFF, 0xFF, 0x2D, 0x01}) + wide300 + Bytes({0xA9, 0x03})}};
    for (const auto& [utf8, bytes] : cases) {
        EXPECT_EQ(Written(utf8), bytes) << utf8.size();
        EXPECT_EQ(ReadBack(bytes), utf8) << utf8.size();
    }
    // A lone high and a lone low surrogate in a file; malformed UTF-8 in memory.
    EXPECT_EQ(ReadBack(Bytes({0xFF, 0xFE, 0xFF, 0x03, 0x00, 0xD8, 'a', 0x00, 0x00, 0xDC})),
              "\uFFFDa\uFFFD");
    EXPECT_EQ(ReadBack(Written("a\xC3")), "a\uFFFD");
    EXPECT_EQ(ReadBack(Written("\xFF\xFE")), "\uFFFD\uFFFD");
}

// 0x80-0x9F is where Latin-1 goes wrong; incoming text not in UTF-8 is read as the code page.
TEST(Windows1252Test, EveryByteRoundTripsAndOnlyCodePageTextEncodes) {
    const auto encoded = [](const std::string& utf8) {
        std::string out;
        return Windows1252::Encode(utf8, out) ? out : "<none>";
    };
    std::string high;
    for (int byte = 0; byte < 256; ++byte) {
        const std::string one(1, static_cast<char>(byte));
        EXPECT_EQ(encoded(Windows1252::Decode(one)), one) << byte;
        high += byte >= 0x80 && byte < 0xA0 ? one : "";
    }
    EXPECT_EQ(Windows1252::Decode(high),
              "\u20AC\u0081\u201A\u0192\u201E\u2026\u2020\u2021\u02C6\u2030\u0160\u2039\u0152"
              "\u008D\u017D\u008F\u0090\u2018\u2019\u201C\u201D\u2022\u2013\u2014\u02DC\u2122"
              "\u0161\u203A\u0153\u009D\u017E\u0178");
    std::string incoming;
    for (const char* text :
         {"caf\xE9 noir", "caf\xC3\xA9", "\xC3", "\xEF\xBF\xBD", "\xE9\xC3\xA9\x81"}) {
        incoming += Windows1252::DecodeIncoming(text) + '|';
    }
    EXPECT_EQ(incoming, "caf\u00E9 noir|caf\u00E9|\u00C3|\uFFFD|\u00E9\u00E9\u0081|");
    // Above U+10FFFF (the archive's texts refuse the rest).
    EXPECT_EQ(encoded("\xF4\x90\x80\x80"), "<none>");
}

std::unique_ptr<CBodItem> MakeDeed(const std::string& item, std::uint32_t time) {
    auto pBod = TestDeeds::MakeDeed({"Smithy", "Platemail", "iron", "20", "Normal", item, "0/20"});
    pBod->m_timeAdded = time;
    return pBod;
}

std::string Header(int count) {
    return Bytes({count, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
}

// An empty deed record (added at 0x40302010) with the given part count.
std::string EmptyRecord(int n) {
    return std::string(9, '\0') + Bytes({0x10, 0x20, 0x30, 0x40, n & 0xFF, (n >> 8) & 0xFF,
                                         (n >> 16) & 0xFF, (n >> 24) & 0xFF});
}

// Record layouts to the byte; every field reads back, and every cut of the file fails.
TEST(BodFileTest, RecordsAreExactAndEveryFieldRoundTrips) {
    EXPECT_EQ(BodFile::Write({}, 0, 0), std::string(12, '\0'));
    EXPECT_TRUE(BodFile::Read("").bods.empty());
    CBodArray original;
    original.push_back(std::make_unique<CBodItem>());
    original.back()->m_timeAdded = 0x40302010;
    EXPECT_EQ(BodFile::Write(original, 0, 0), Header(1) + EmptyRecord(0));
    original[0] = MakeDeed("platemail gloves", 0x04030201);
    EXPECT_EQ(BodFile::Write(original, 0, 0),
              Header(1) + Bytes({0x09}) + "Platemail" + Bytes({0x02}) + "20" + Bytes({0x10}) +
                  "platemail gloves" + Bytes({0x04}) + "iron" + Bytes({0x06}) + "Normal" +
                  Bytes({0x06}) + "Smithy" + Bytes({0x04}) + "0/20" +
                  Bytes({0x00, 0x00, 0x01, 0x02, 0x03, 0x04, 0, 0, 0, 0}));

    original.push_back(MakeDeed("LBOD/platemail", 0xFFFFFFFF));
    original[1]->BuildParts();
    original[1]->SetPart(1, true, "Platemail Gloves");
    original[1]->m_arrParts[3].m_bFilled = 7; // a stored word other than 0 or 1 is kept
    original[1]->m_strPrice = "12000";
    original.push_back(MakeDeed("platemail arms", 1700000000));
    original[2]->m_strNotes = "\u00E9t\u00E9 \u03A9 \U0001F600";
    // A single part of the shortest record (five bytes) ends the file.
    original[2]->m_arrParts.emplace_back("", false);
    original[2]->m_bPartsBuilt = true;
    const std::string bytes = BodFile::Write(original, -5, INT32_MIN);
    const BodFile::Contents loaded = BodFile::Read(bytes);
    EXPECT_EQ(std::pair(loaded.nReserved2, loaded.nReserved1), std::pair(-5, INT32_MIN));
    ASSERT_EQ(loaded.bods.size(), original.size());
    const auto fields = [](const CBodItem& b) {
        return std::tie(b.m_strCategory, b.m_strAmount, b.m_strItem, b.m_strMaterial,
                        b.m_strQuality, b.m_strTrade, b.m_strCount, b.m_strPrice, b.m_strNotes,
                        b.m_timeAdded, b.m_arrParts, b.m_bPartsBuilt);
    };
    for (std::size_t i = 0; i < original.size(); ++i) {
        EXPECT_EQ(fields(*loaded.bods[i]), fields(*original[i])) << i;
    }
    for (std::size_t length = 1; length < bytes.size(); ++length) {
        EXPECT_THROW(BodFile::Read(bytes.substr(0, length)), CArchiveException) << length;
    }
}

// Any non-zero part count sets the built flag; a negative count reads nothing; trailing bytes are
// ignored. Counts the data cannot hold fail without allocating; a failed load changes nothing.
TEST(BodFileTest, BadCountsReadNothingOrFailWithoutAllocating) {
    for (const int stored : {0, -1, INT32_MIN}) {
        const BodFile::Contents loaded =
            BodFile::Read(Header(2) + EmptyRecord(stored) + EmptyRecord(0) + "trailing");
        ASSERT_EQ(loaded.bods.size(), 2U);
        EXPECT_EQ(loaded.bods[0]->GetPartCount(), 0);
        EXPECT_EQ(loaded.bods[0]->m_bPartsBuilt, stored != 0) << stored;
        EXPECT_FALSE(loaded.bods[1]->m_bPartsBuilt);
    }
    const BodFile::Contents loaded =
        BodFile::Read(Bytes({0xFF, 0xFF, 0xFF, 0xFF, 1, 0, 0, 0, 2, 0, 0, 0}) + "junk");
    EXPECT_EQ(std::pair(loaded.bods.size(), loaded.nReserved2), std::pair(std::size_t{0}, 1));

    const std::string inputs[] = {
        Bytes({0xFF, 0xFF, 0xFF, 0x7F, 0, 0, 0, 0, 0, 0, 0, 0}),
        // Two promised records need 34 bytes; 33 are there.
        Header(2) + EmptyRecord(0) + std::string(16, '\0'),
        Header(1) + std::string(9, '\0') + Bytes({0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0x7F}),
        Header(1) + Bytes({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F}) + std::string(16, '\0'),
        Header(1) + Bytes({0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F})};
    for (const std::string& input : inputs) {
        EXPECT_THROW(BodFile::Read(input), CArchiveException) << input.size();
    }
    CBodArray bods = TestDeeds::MakeDeeds({{}, {}});
    std::int32_t nReserved2 = 8;
    std::int32_t nReserved1 = 9;
    CArchive ar = CArchive::ForLoading(inputs[1]);
    EXPECT_THROW(BodFile::Serialize(ar, bods, nReserved2, nReserved1), CArchiveException);
    EXPECT_EQ(std::tuple(bods.size(), nReserved2, nReserved1), std::tuple(2U, 8, 9));
}

} // namespace
