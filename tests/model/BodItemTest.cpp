#include "model/BodItem.h"

#include <gtest/gtest.h>

#include <string>

namespace {

CBodItem MakeValidLarge(const std::string& item) {
    CBodItem bod;
    bod.m_strTrade = "Smithy";
    bod.m_strQuality = "Normal";
    bod.m_strMaterial = "iron";
    bod.m_strItem = item;
    bod.m_strAmount = "20";
    bod.m_strCategory = "Platemail";
    bod.m_strCount = "0/120";
    return bod;
}

struct CatalogueCase {
    std::string item;
    std::size_t parts;
    std::string first;
    std::string last;
};

class BuildPartsTest : public ::testing::TestWithParam<CatalogueCase> {};

TEST_P(BuildPartsTest, BuildsTheRowOfTheKey) {
    CBodItem bod = MakeValidLarge(GetParam().item);
    bod.BuildPartsIfNeeded();
    ASSERT_EQ(bod.m_arrParts.size(), GetParam().parts);
    EXPECT_TRUE(bod.m_bPartsBuilt);
    EXPECT_EQ(bod.m_arrParts.front().m_strName, GetParam().first);
    EXPECT_EQ(bod.m_arrParts.back().m_strName, GetParam().last);
    for (const CBodItemDetail& part : bod.m_arrParts) {
        EXPECT_FALSE(part.IsFilled());
    }
}

// Keys are trimmed and lower-cased; rows that share part names still give their own sets.
INSTANTIATE_TEST_SUITE_P(
    Catalogue, BuildPartsTest,
    ::testing::Values(CatalogueCase{"LBOD/ Platemail  ", 6, "platemail gorget", "platemail tunic"},
                      CatalogueCase{"LBOD/sandals", 4, "sandals", "thigh boots"},
                      CatalogueCase{"LBOD/bandana", 4, "bandana", "thigh boots"},
                      CatalogueCase{"LBOD/feathered hat", 5, "feathered hat", "thigh boots"},
                      CatalogueCase{"LBOD/bardiche", 2, "bardiche", "halberd"},
                      CatalogueCase{"LBOD/large battle axe", 6, "large battle axe",
                                    "executioner's axe"},
                      CatalogueCase{"LBOD/chainmail", 3, "chainmail coif", "chainmail tunic"}));

TEST(BodItemTest, UnknownKeyBuildsNothingAndKeepsTheFlag) {
    CBodItem bod = MakeValidLarge("LBOD/dragon armor");
    bod.BuildPartsIfNeeded();
    EXPECT_EQ(bod.GetPartCount(), 0);
    EXPECT_FALSE(bod.m_bPartsBuilt);
}

TEST(BodItemTest, SmallDeedKeepsItsParts) {
    CBodItem bod = MakeValidLarge("platemail gloves");
    bod.m_arrParts.emplace_back("kept", true);
    bod.BuildParts();
    ASSERT_EQ(bod.GetPartCount(), 1);
    EXPECT_EQ(bod.m_arrParts[0].m_strName, "kept");
    EXPECT_FALSE(bod.m_bPartsBuilt);
}

TEST(BodItemTest, ValidityNeedsEverySevenTextsButNotNotesOrPrice) {
    CBodItem bod = MakeValidLarge("LBOD/platemail");
    EXPECT_TRUE(bod.IsValid());
    std::string CBodItem::*const required[] = {
        &CBodItem::m_strTrade,  &CBodItem::m_strQuality,  &CBodItem::m_strMaterial,
        &CBodItem::m_strItem,   &CBodItem::m_strAmount,   &CBodItem::m_strCategory,
        &CBodItem::m_strCount};
    for (auto field : required) {
        CBodItem copy = bod;
        copy.*field = "";
        EXPECT_FALSE(copy.IsValid());
        copy.BuildPartsIfNeeded();
        EXPECT_EQ(copy.GetPartCount(), 0);
    }
}

TEST(BodItemTest, PartAccessStaysInRange) {
    CBodItem bod = MakeValidLarge("LBOD/platemail");
    bod.BuildPartsIfNeeded();
    bod.SetPart(2, true, "");
    EXPECT_TRUE(bod.GetPart(2)->IsFilled());
    EXPECT_EQ(bod.GetPart(2)->m_strName, "plate helm");
    bod.SetPart(6, true, "x");
    bod.SetPart(-1, true, "x");
    EXPECT_EQ(bod.GetPart(bod.GetPartCount()), nullptr);
    EXPECT_EQ(bod.GetPart(-1), nullptr);
    int filled = 0;
    for (const CBodItemDetail& part : bod.m_arrParts) {
        filled += part.IsFilled() ? 1 : 0;
        EXPECT_NE(part.m_strName, "x");
    }
    EXPECT_EQ(filled, 1);
}

TEST(BodItemTest, AssignmentCopiesPartsOnlyWhenBuilt) {
    CBodItem source = MakeValidLarge("LBOD/platemail");
    source.m_timeAdded = 1234;
    source.m_strNotes = "note";
    source.m_arrParts.emplace_back("stray", true);
    CBodItem unbuilt;
    unbuilt = source;
    EXPECT_EQ(unbuilt.GetPartCount(), 0);
    EXPECT_EQ(unbuilt.m_timeAdded, 1234U);
    EXPECT_EQ(unbuilt.m_strNotes, "note");

    source.m_arrParts.clear();
    source.BuildParts();
    source.SetPart(4, true, "Platemail Legs");
    const CBodItem built(source);
    EXPECT_EQ(built.m_arrParts, source.m_arrParts);
    EXPECT_TRUE(built.m_bPartsBuilt);
}

} // namespace
