#include "model/BodItem.h"

#include "model/BodArray.h"
#include "model/BodCatalogue.h"
#include "model/BodFilter.h"
#include "model/DeedCombining.h"
#include "model/DuplicateFinder.h"
#include "model/TextUtil.h"
#include "support/TestDeeds.h"

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
    bod.BuildPartsIfNeeded();
    CDuplicateFinder finder;
    finder.Add(bod);
    std::vector<CBodItem> others(5, bod);
    others[0].m_strPrice = "900";
    // Texts that read the same only when run together: "iro" "n20" for "iron" "20", and (a
    // length alone does not end a text) "2" ... "abcd0000000" for "00000011abcd" with six empty
    // texts after it.
    std::tie(others[1].m_strMaterial, others[1].m_strAmount) = std::tuple("iro", "n20");
    others[2].SetPart(1, true, "");
    others[3].SetPart(1, false, "chainmail hood");
    others[4] = CBodItem();
    others[4].m_strTrade = "2";
    others[4].m_strPrice = "abcd0000000";
    CBodItem run;
    run.m_strTrade = "00000011abcd";
    finder.Add(run);
    for (const CBodItem& other : others) {
        EXPECT_FALSE(finder.Contains(other)) << other.m_strPrice << other.m_strMaterial;
    }
    bod.m_strNotes = "kept for later";
    bod.m_timeAdded = 1;
    EXPECT_TRUE(finder.Contains(bod));
}

// FindBodIndex gives -1 for a deed the list does not hold. AsciiLower changes only A to Z: '@'
// and '[' sit next to them, and a non-ASCII letter keeps its bytes.
TEST(BodArrayTest, FindsTheDeedAndLowersAsciiOnly) {
    const CBodArray bods = TestDeeds::MakeDeeds({{}, {}});
    const CBodItem other;
    EXPECT_EQ(std::pair(1, -1),
              std::pair(FindBodIndex(bods, bods[1].get()), FindBodIndex(bods, &other)));
    EXPECT_EQ("azaz@[`{\xC3\x89", TextUtil::AsciiLower("AZaz@[`{\xC3\x89"));
}

using namespace TestDeeds;

const DeedFields kSmall{"Smithy", "Platemail", "iron", "20", "Normal", "platemail gloves", "0/20"};
const DeedFields kLarge{"Smithy", "Platemail", "iron", "20", "Normal", "LBOD/platemail", "0/80"};
const std::vector<std::string> kParts{"platemail gloves", "platemail arms", "platemail legs"};

// One field of kSmall or kLarge changed, or none.
struct Change {
    std::string DeedFields::*pField = nullptr;
    const char* pszValue = "";
};
DeedFields With(DeedFields fields, const Change& change) {
    if (change.pField != nullptr) {
        fields.*change.pField = change.pszValue;
    }
    return fields;
}
constexpr auto kQuality = &DeedFields::strQuality;
constexpr auto kMaterial = &DeedFields::strMaterial;
constexpr auto kAmount = &DeedFields::strAmount;
constexpr auto kItem = &DeedFields::strItem;

// The rule for a drop; an accepted one marks every open part of that name and recounts. No parts
// given: the large deed builds its own from its name.
TEST(DeedCombining, DropRule) {
    const Change kHuge{kAmount, "99999999999"};
    const std::vector<std::string> twice{"platemail gloves", "platemail arms", "Platemail Gloves",
                                         "platemail legs"};
    const struct {
        const char* pszName;
        Change small, large;
        std::vector<std::string> parts;
        std::vector<bool> filled;
        const char* pszCount; // nullptr: refused
    } cases[] = {
        {"same quality", {}, {}, kParts, {}, "20/60"},
        {"normal on exceptional", {}, {kQuality, "Exceptional"}, kParts, {}, nullptr},
        {"exceptional on normal", {kQuality, "Exceptional"}, {}, kParts, {}, "20/60"},
        {"other material", {kMaterial, "gold"}, {}, kParts, {}, nullptr},
        {"material case", {kMaterial, "Iron"}, {}, kParts, {}, nullptr},
        {"other amount", {kAmount, "10"}, {}, kParts, {}, nullptr},
        {"item case ignored", {kItem, "Platemail GLOVES"}, {}, kParts, {}, "20/60"},
        {"no such part", {kItem, "platemail gorget"}, {}, kParts, {}, nullptr},
        {"part filled", {}, {}, kParts, {true}, nullptr},
        {"every open part of the name", {}, {}, twice, {false, true}, "60/80"},
        {"one of two same-named parts open", {}, {}, twice, {true}, "40/80"},
        {"target not large", {}, {kItem, "lbod/platemail"}, kParts, {}, nullptr},
        {"parts built on demand", {kItem, "halberd"}, {kItem, "LBOD/bardiche"}, {}, {}, "20/40"},
        {"a newer craft's set", {kItem, "drum"}, {kItem, "LBOD/lap harp"}, {}, {}, "20/80"},
        // Amounts count as numbers, and huge ones do not wrap.
        {"amount with junk", {kAmount, " +10x"}, {kAmount, " +10x"}, kParts, {}, "10/30"},
        {"amount no number", {kAmount, "abc"}, {kAmount, "abc"}, kParts, {}, "0/0"},
        {"huge amount", kHuge, kHuge, kParts, {}, "2147483647/6442450941"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pszName);
        const auto pSmall = MakeDeed(With(kSmall, c.small));
        // Combining is tried on a deed the drop check has not touched (its parts not built yet).
        const auto large = [&c] {
            auto pLarge = c.parts.empty() ? MakeDeed(With(kLarge, c.large))
                                          : MakeLargeDeed(With(kLarge, c.large), c.parts);
            for (std::size_t i = 0; i < c.filled.size(); ++i) {
                pLarge->m_arrParts[i].m_bFilled = c.filled[i] ? 1 : 0;
            }
            return pLarge;
        };
        EXPECT_EQ(c.pszCount != nullptr, DeedCombining::CanDropOn(*pSmall, *large()));
        if (c.pszCount != nullptr) {
            const auto pLarge = large();
            EXPECT_TRUE(DeedCombining::CombineBods(*pSmall, *pLarge));
            EXPECT_EQ(c.pszCount, pLarge->m_strCount);
        }
    }
    // Combining a deed with no such part leaves the large deed as it was.
    const auto pLarge = MakeLargeDeed(kLarge, kParts);
    EXPECT_FALSE(
        DeedCombining::CombineBods(*MakeDeed(With(kSmall, {kItem, "platemail gorget"})), *pLarge));
    EXPECT_EQ("0/80", pLarge->m_strCount);
    // A filled part is stored as the file's TRUE, 1.
    ASSERT_TRUE(DeedCombining::CombineBods(*MakeDeed(kSmall), *pLarge));
    EXPECT_EQ(1, pLarge->m_arrParts[0].m_bFilled);
}

using Size = CBodFilter::Size;

CBodFilter Filter(std::string_view text, Size size = Size::Any,
                  std::optional<std::string> trade = {}, std::optional<std::string> quality = {},
                  std::optional<std::string> material = {}) {
    CBodFilter filter;
    filter.SetText(text);
    filter.SetSize(size);
    filter.SetTrade(std::move(trade));
    filter.SetQuality(std::move(quality));
    filter.SetMaterial(std::move(material));
    return filter;
}

TEST(BodFilterTest, EveryWordMustBeInOneOfTheTextsAndEveryChoiceMustHold) {
    const std::unique_ptr<CBodItem> pGloves = TestDeeds::MakeDeed(
        {"Smithy", "Platemail", "Dull Copper", "20", "Exceptional", "platemail gloves", "0/20"});
    pGloves->m_strPrice = "1500gp";
    pGloves->m_strNotes = "Für Ærwin";
    const std::unique_ptr<CBodItem> pLarge =
        TestDeeds::MakeDeed({"Tailor", "", "", "10", "Normal", "LBOD/leather", "0/60"});
    const std::tuple<const char*, CBodFilter, bool, bool> cases[] = {
        {"nothing set", Filter(""), true, true},
        {"blanks only", Filter(" \t "), true, true},
        {"part of the item", Filter("GLOV"), true, false},
        {"words in different texts", Filter("copper  gloves exc plate"), true, false},
        {"one word found nowhere", Filter("gloves iron"), false, false},
        {"a word across two texts", Filter("glovesexceptional"), false, false},
        {"price", Filter("1500"), true, false},
        {"notes, letters beyond ASCII in any case", Filter("FÜR æRWIN"), true, false},
        {"the trade is no text to find", Filter("smithy"), false, false},
        {"the amount is no text to find", Filter("20"), false, false},
        {"large", Filter("", Size::Large), false, true},
        {"small", Filter("", Size::Small), true, false},
        {"trade", Filter("", Size::Any, "Tailor"), false, true},
        {"trade is compared exactly", Filter("", Size::Any, "tailor"), false, false},
        {"quality", Filter("", Size::Any, {}, "Exceptional"), true, false},
        {"material", Filter("", Size::Any, {}, {}, "Dull Copper"), true, false},
        {"an empty material is a value", Filter("", Size::Any, {}, {}, ""), false, true},
        {"choices and words together", Filter("leather", Size::Large, "Tailor"), false, true},
    };
    for (const auto& [pszCase, filter, bGloves, bLarge] : cases) {
        EXPECT_EQ(std::pair(bGloves, bLarge),
                  std::pair(filter.Matches(*pGloves), filter.Matches(*pLarge)))
            << pszCase;
    }
    EXPECT_FALSE(Filter(" ").IsActive());
    for (const CBodFilter& active : {Filter("x"), Filter("", Size::Small), Filter("", {}, "a"),
                                     Filter("", {}, {}, "a"), Filter("", {}, {}, {}, "a")}) {
        EXPECT_TRUE(active.IsActive());
    }
    EXPECT_EQ("àþÿšœžé×aé", CBodFilter::FoldCase("ÀÞŸŠŒŽÉ×Aé"));
}

// Narrower means: every deed the new filter lets through, the old one let through too.
TEST(BodFilterTest, NarrowerOnlyWhenNothingHiddenComesBack) {
    const std::tuple<const char*, CBodFilter, CBodFilter, bool> cases[] = {
        {"the same", Filter("glo"), Filter("glo"), true},
        {"a letter more", Filter("glov"), Filter("glo"), true},
        {"a letter in front", Filter("pglo"), Filter("glo"), true},
        {"a word more", Filter("glo iron"), Filter("glo"), true},
        {"a letter less", Filter("gl"), Filter("glo"), false},
        {"another word", Filter("arms"), Filter("glo"), false},
        {"a choice where any stood", Filter("", Size::Large, "Smithy"), Filter(""), true},
        {"any where a choice stood", Filter(""), Filter("", Size::Any, "Smithy"), false},
        {"another trade", Filter("", Size::Any, "Tailor"), Filter("", Size::Any, "Smithy"), false},
        {"another size", Filter("", Size::Small), Filter("", Size::Large), false},
        {"any size again", Filter(""), Filter("", Size::Small), false},
        {"another quality", Filter("", {}, {}, "a"), Filter("", {}, {}, "b"), false},
        {"another material", Filter("", {}, {}, {}, "a"), Filter("", {}, {}, {}, "b"), false},
    };
    for (const auto& [pszCase, newer, older, bNarrower] : cases) {
        EXPECT_EQ(bNarrower, newer.IsNarrowerThan(older)) << pszCase;
    }
}

} // namespace
