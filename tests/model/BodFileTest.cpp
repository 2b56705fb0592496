#include "model/BodFile.h"

#include "ByteString.h"
#include "model/Archive.h"
#include "support/TestDeeds.h"

#include <gtest/gtest.h>
#include <string>
#include <tuple>

namespace {

std::unique_ptr<CBodItem> MakeDeed(const std::string& item, std::uint32_t time) {
    auto pBod = TestDeeds::MakeDeed({"Smithy", "Platemail", "iron", "20", "Normal", item, "0/20"});
    pBod->m_timeAdded = time;
    return pBod;
}

std::string Header(int count) {
    return Bytes({count, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
}

// An empty deed record (added at 0x40302010) with the given part count.
std::string EmptyRecord(int partCount) {
    return std::string(9, '\0') + Bytes({0x10, 0x20, 0x30, 0x40}) +
           Bytes({partCount & 0xFF, (partCount >> 8) & 0xFF, (partCount >> 16) & 0xFF,
                  (partCount >> 24) & 0xFF});
}

// Three deeds of every shape: small, large with parts, and one with notes outside the code page.
CBodArray MakeMixedDeeds() {
    CBodArray bods;
    bods.push_back(MakeDeed("platemail gloves", 0));
    bods.push_back(MakeDeed("LBOD/platemail", 0xFFFFFFFF));
    bods.back()->BuildParts();
    bods.back()->SetPart(1, true, "Platemail Gloves");
    bods.back()->m_strPrice = "12000";
    bods.push_back(MakeDeed("platemail arms", 1700000000));
    bods.back()->m_strNotes = "\u00E9t\u00E9 \u03A9 \U0001F600";
    return bods;
}

TEST(BodFileTest, RecordLayoutsAreExact) {
    EXPECT_EQ(BodFile::Write({}, 0, 0), std::string(12, '\0'));
    EXPECT_TRUE(BodFile::Read("").bods.empty());

    CBodArray bods;
    bods.push_back(std::make_unique<CBodItem>());
    bods.back()->m_timeAdded = 0x40302010;
    EXPECT_EQ(BodFile::Write(bods, 0, 0), Header(1) + EmptyRecord(0));

    bods.clear();
    bods.push_back(MakeDeed("platemail gloves", 0x04030201));
    const std::string expected = Bytes({0x09}) + "Platemail" + Bytes({0x02}) + "20" +
                                 Bytes({0x10}) + "platemail gloves" + Bytes({0x04}) + "iron" +
                                 Bytes({0x06}) + "Normal" + Bytes({0x06}) + "Smithy" +
                                 Bytes({0x04}) + "0/20" + Bytes({0x00, 0x00}) +
                                 Bytes({0x01, 0x02, 0x03, 0x04}) + Bytes({0, 0, 0, 0});
    ASSERT_EQ(expected.size(), 64U);
    EXPECT_EQ(BodFile::Write(bods, 0, 0), Header(1) + expected);
}

TEST(BodFileTest, EveryFieldRoundTrips) {
    const CBodArray original = MakeMixedDeeds();
    original[1]->m_arrParts[3].m_bFilled = 7; // a stored word other than 0 or 1 is kept
    // A single part of the shortest record (five bytes) ends the file.
    original[2]->m_arrParts.emplace_back("", false);
    original[2]->m_bPartsBuilt = true;
    const std::string bytes = BodFile::Write(original, -5, INT32_MIN);

    const BodFile::Contents loaded = BodFile::Read(bytes);
    EXPECT_EQ(loaded.nReserved2, -5);
    EXPECT_EQ(loaded.nReserved1, INT32_MIN);
    ASSERT_EQ(loaded.bods.size(), original.size());
    const auto fields = [](const CBodItem& b) {
        return std::tie(b.m_strCategory, b.m_strAmount, b.m_strItem, b.m_strMaterial,
                        b.m_strQuality, b.m_strTrade, b.m_strCount, b.m_strPrice, b.m_strNotes,
                        b.m_timeAdded, b.m_arrParts, b.m_bPartsBuilt);
    };
    for (std::size_t i = 0; i < original.size(); ++i) {
        EXPECT_EQ(fields(*loaded.bods[i]), fields(*original[i])) << i;
    }
    EXPECT_EQ(BodFile::Write(loaded.bods, loaded.nReserved2, loaded.nReserved1), bytes);
}

// The built flag is not stored: any non-zero part count sets it, and a negative count reads no
// parts. A negative deed count reads no deeds; bytes after the last record are ignored.
TEST(BodFileTest, NegativeCountsReadNothing) {
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
    EXPECT_TRUE(loaded.bods.empty());
    EXPECT_EQ(loaded.nReserved2, 1);
}

TEST(BodFileTest, EveryTruncationFails) {
    const std::string bytes = BodFile::Write(MakeMixedDeeds(), 3, 4);
    for (std::size_t length = 1; length < bytes.size(); ++length) {
        EXPECT_THROW(BodFile::Read(bytes.substr(0, length)), CArchiveException) << length;
    }
}

TEST(BodFileTest, ClaimsBeyondTheDataFailWithoutAllocating) {
    const std::string inputs[] = {
        Bytes({0xFF, 0xFF, 0xFF, 0x7F, 0, 0, 0, 0, 0, 0, 0, 0}),
        // Two promised records need 34 bytes; 33 are there.
        Header(2) + EmptyRecord(0) + std::string(16, '\0'),
        Header(1) + std::string(9, '\0') + Bytes({0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0x7F}),
        Header(1) + Bytes({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F}) + std::string(16, '\0'),
        Header(1) + Bytes({0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F}),
    };
    for (const std::string& input : inputs) {
        EXPECT_THROW(BodFile::Read(input), CArchiveException) << input.size();
    }
}

TEST(BodFileTest, FailedLoadKeepsTheTargetUnchanged) {
    CBodArray bods = MakeMixedDeeds();
    std::int32_t nReserved2 = 8;
    std::int32_t nReserved1 = 9;
    const std::string bytes = Header(1) + EmptyRecord(0);
    CArchive ar = CArchive::ForLoading(std::string_view(bytes).substr(0, bytes.size() - 1));
    EXPECT_THROW(BodFile::Serialize(ar, bods, nReserved2, nReserved1), CArchiveException);
    EXPECT_EQ(bods.size(), 3U);
    EXPECT_EQ(nReserved2, 8);
    EXPECT_EQ(nReserved1, 9);
}

} // namespace
