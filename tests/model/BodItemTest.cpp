#include "model/BodItem.h"

#include "model/BodArray.h"
#include "model/BodCatalogue.h"
#include "model/DuplicateFinder.h"
#include "model/TextUtil.h"
#include "support/TestDeeds.h"

#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <tuple>

namespace {

CBodItem MakeValidLarge(const std::string& item) {
    return *TestDeeds::MakeDeed({"Smithy", "Platemail", "iron", "20", "Normal", item, "0/120"});
}

// Keys are trimmed and lower-cased; a key that is also a part of earlier rows (sandals) still
// finds its own row, and an unknown key builds nothing and leaves the flag clear.
TEST(BodItemTest, BuildsTheCatalogueRowOfTheKey) {
    const std::tuple<std::string, int, std::string> cases[] = {
        {"LBOD/ Platemail  ", 6, "platemail gorget"},
        {"LBOD/sandals", 4, "sandals"},
        {"LBOD/bandana", 4, "bandana"},
        {"LBOD/bonnet", 4, "bonnet"},
        {"LBOD/feathered hat", 5, "feathered hat"},
        {"LBOD/bardiche", 2, "bardiche"},
        {"LBOD/large battle axe", 6, "large battle axe"},
        {"LBOD/chainmail", 3, "chainmail coif"},
        {"LBOD/dragon armor", 0, ""}};
    for (const auto& [item, parts, first] : cases) {
        CBodItem bod = MakeValidLarge(item);
        bod.BuildPartsIfNeeded();
        ASSERT_EQ(bod.GetPartCount(), parts) << item;
        EXPECT_EQ(bod.m_bPartsBuilt, parts > 0) << item;
        EXPECT_EQ(parts > 0 ? bod.m_arrParts.front().m_strName : "", first);
    }
    // The 22 classic sets come first, so their keys still win, and hold 101 parts between them
    // (every name a real item: CraftCatalogueTest).
    ASSERT_EQ(60U, BodCatalogue::Rows().size());
    std::size_t nParts = 0;
    for (const BodCatalogueRow& row : BodCatalogue::Rows().first(22)) {
        nParts += row.Parts().size();
        EXPECT_TRUE(row.trade == "Smithy" || row.trade == "Tailor") << row.key;
    }
    EXPECT_EQ(101U, nParts);
}

TEST(BodItemTest, ValidityNeedsEverySevenTextsButNotNotesOrPrice) {
    const CBodItem bod = MakeValidLarge("LBOD/platemail");
    EXPECT_TRUE(bod.IsValid());
    for (auto field : {&CBodItem::m_strTrade, &CBodItem::m_strQuality, &CBodItem::m_strMaterial,
                       &CBodItem::m_strItem, &CBodItem::m_strAmount, &CBodItem::m_strCategory,
                       &CBodItem::m_strCount}) {
        CBodItem copy = bod;
        copy.*field = "";
        EXPECT_FALSE(copy.IsValid());
        copy.BuildPartsIfNeeded();
        EXPECT_EQ(copy.GetPartCount(), 0);
    }
}

// Out-of-range parts are ignored; a copy takes the parts only once they are built, and
// assignment onto a deed that has parts replaces them.
TEST(BodItemTest, PartAccessStaysInRangeAndCopiesTakeOnlyBuiltParts) {
    CBodItem bod = MakeValidLarge("LBOD/platemail");
    bod.m_arrParts.emplace_back("stray", true);
    EXPECT_EQ(CBodItem(bod).GetPartCount(), 0);
    bod.BuildPartsIfNeeded();
    bod.SetPart(2, true, "");
    bod.SetPart(6, true, "x");
    bod.SetPart(-1, true, "x");
    EXPECT_EQ(bod.GetPart(bod.GetPartCount()), nullptr);
    EXPECT_EQ(bod.GetPart(-1), nullptr);
    CBodItem reused = MakeValidLarge("LBOD/chainmail");
    reused.BuildPartsIfNeeded();
    reused = bod;
    std::string parts;
    for (int nPart = 0; nPart < reused.GetPartCount(); ++nPart) {
        parts += reused.GetPart(nPart)->IsFilled() ? '+' : '-';
    }
    EXPECT_EQ("--+---", parts);
    EXPECT_EQ(reused.GetPart(0)->m_strName + '|' + reused.GetPart(2)->m_strName,
              "platemail gorget|plate helm");
    reused = MakeValidLarge("LBOD/platemail");
    EXPECT_EQ(reused.GetPartCount(), 0);
}

// The same deed is one whose every text and part is the same, whatever its time and notes.
TEST(DuplicateFinderTest, EveryTextAndPartCounts) {
    CBodItem bod = MakeValidLarge("LBOD/chainmail");
    bod.m_strPrice = "900";
    bod.BuildPartsIfNeeded();
    CDuplicateFinder finder;
    finder.Add(bod);
    const std::function<void(CBodItem&)> changes[] = {
        [](CBodItem& b) { b.m_strPrice = "901"; },
        // Texts that read the same only when run together.
        [](CBodItem& b) { std::tie(b.m_strMaterial, b.m_strAmount) = std::tuple("iro", "n20"); },
        [](CBodItem& b) { b.SetPart(1, true, ""); },
        [](CBodItem& b) {
            b.SetPart(1, false, "chainmail hood");
        }};
    for (const auto& change : changes) {
        CBodItem other = bod;
        change(other);
        EXPECT_FALSE(finder.Contains(other)) << other.m_strPrice << other.m_strMaterial;
    }
    bod.m_strNotes = "kept for later";
    bod.m_timeAdded = 1;
    EXPECT_TRUE(finder.Contains(bod));
    // A length alone does not end a text: "2" then "abcd0000000" as price would read as
    // "00000011abcd" with six empty texts after it.
    CBodItem first;
    first.m_strTrade = "00000011abcd";
    finder.Add(first);
    CBodItem second;
    second.m_strTrade = "2";
    second.m_strPrice = "abcd0000000";
    EXPECT_FALSE(finder.Contains(second));
}

TEST(BodArrayTest, FindsTheEntryHoldingTheDeedOrMinusOne) {
    const CBodArray bods = TestDeeds::MakeDeeds({{}, {}});
    EXPECT_EQ(1, FindBodIndex(bods, bods[1].get()));
    const CBodItem other;
    EXPECT_EQ(-1, FindBodIndex(bods, &other));
}

// Only A to Z change: '@' and '[' sit next to them, and a non-ASCII letter keeps its bytes.
TEST(TextUtilTest, AsciiLowerChangesOnlyAsciiCapitals) {
    EXPECT_EQ("azaz@[`{\xC3\x89", TextUtil::AsciiLower("AZaz@[`{\xC3\x89"));
}

} // namespace
