#include "model/BodFilter.h"

#include "support/TestDeeds.h"

#include <gtest/gtest.h>

namespace {

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
    const struct {
        const char* pszCase;
        CBodFilter filter;
        bool bGloves;
        bool bLarge;
    } cases[] = {
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
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pszCase);
        EXPECT_EQ(c.bGloves, c.filter.Matches(*pGloves));
        EXPECT_EQ(c.bLarge, c.filter.Matches(*pLarge));
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
    const struct {
        const char* pszCase;
        CBodFilter newer;
        CBodFilter older;
        bool bNarrower;
    } cases[] = {
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
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pszCase);
        EXPECT_EQ(c.bNarrower, c.newer.IsNarrowerThan(c.older));
    }
}

} // namespace
