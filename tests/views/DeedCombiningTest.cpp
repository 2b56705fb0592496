#include "views/DeedCombining.h"

#include "support/TestDeeds.h"

#include <gtest/gtest.h>

using namespace TestDeeds;

namespace {

struct DropCase {
    const char* pszName;
    DeedFields small;
    DeedFields large;
    std::vector<std::string> parts;
    std::vector<bool> filled;
    bool bAccepted;
};

const DeedFields kSmall{"Smithy", "Platemail", "iron", "20", "Normal", "platemail gloves", "0/20"};
const DeedFields kLarge{"Smithy", "Platemail", "iron", "20", "Normal", "LBOD/platemail", "0/80"};

DeedFields With(DeedFields fields, std::string DeedFields::*pField, const char* pszValue) {
    fields.*pField = pszValue;
    return fields;
}

const std::vector<std::string> kParts{"platemail gloves", "platemail arms", "platemail legs"};

class DeedCombiningRule : public ::testing::TestWithParam<DropCase> {};

TEST_P(DeedCombiningRule, DecidesTheDrop) {
    const DropCase& c = GetParam();
    const auto pSmall = MakeDeed(c.small);
    const auto pLarge = MakeLargeDeed(c.large, c.parts);
    for (std::size_t i = 0; i < c.filled.size(); ++i) {
        pLarge->m_arrParts[i].m_bFilled = c.filled[i] ? 1 : 0;
    }
    EXPECT_EQ(c.bAccepted, DeedCombining::CanDropOn(*pSmall, *pLarge));
}

INSTANTIATE_TEST_SUITE_P(
    Rules, DeedCombiningRule,
    ::testing::Values(
        DropCase{"SameQuality", kSmall, kLarge, kParts, {}, true},
        DropCase{"NormalOnExceptional",
                 kSmall,
                 With(kLarge, &DeedFields::strQuality, "Exceptional"),
                 kParts,
                 {},
                 false},
        DropCase{"ExceptionalOnNormal",
                 With(kSmall, &DeedFields::strQuality, "Exceptional"),
                 kLarge,
                 kParts,
                 {},
                 true},
        DropCase{"OtherMaterial",
                 With(kSmall, &DeedFields::strMaterial, "gold"),
                 kLarge,
                 kParts,
                 {},
                 false},
        DropCase{"MaterialCase",
                 With(kSmall, &DeedFields::strMaterial, "Iron"),
                 kLarge,
                 kParts,
                 {},
                 false},
        DropCase{
            "OtherAmount", With(kSmall, &DeedFields::strAmount, "10"), kLarge, kParts, {}, false},
        DropCase{"ItemCaseIgnored",
                 With(kSmall, &DeedFields::strItem, "Platemail GLOVES"),
                 kLarge,
                 kParts,
                 {},
                 true},
        DropCase{"NoSuchPart",
                 With(kSmall, &DeedFields::strItem, "platemail gorget"),
                 kLarge,
                 kParts,
                 {},
                 false},
        DropCase{"PartFilled", kSmall, kLarge, kParts, {true}, false},
        DropCase{"OneOfTwoSameNamedPartsOpen",
                 kSmall,
                 kLarge,
                 {"platemail gloves", "platemail gloves"},
                 {true, false},
                 true},
        DropCase{"TargetNotLarge",
                 kSmall,
                 With(kLarge, &DeedFields::strItem, "lbod/platemail"),
                 kParts,
                 {},
                 false},
        DropCase{"SmallCountIgnored",
                 With(kSmall, &DeedFields::strCount, "0/20"),
                 kLarge,
                 kParts,
                 {},
                 true}),
    [](const ::testing::TestParamInfo<DropCase>& info) { return info.param.pszName; });

TEST(DeedCombining, MarksEveryMatchingPartAndRecounts) {
    const auto pSmall = MakeDeed(kSmall);
    const auto pLarge = MakeLargeDeed(
        kLarge, {"platemail gloves", "platemail arms", "Platemail Gloves", "platemail legs"});
    pLarge->m_arrParts[1].m_bFilled = 1;
    ASSERT_TRUE(DeedCombining::CombineBods(*pSmall, *pLarge));
    EXPECT_EQ("60/80", pLarge->m_strCount);
    EXPECT_TRUE(pLarge->m_arrParts[0].IsFilled());
    EXPECT_TRUE(pLarge->m_arrParts[2].IsFilled());
    EXPECT_FALSE(pLarge->m_arrParts[3].IsFilled());
}

TEST(DeedCombining, CountsAmountsAsNumbersWithoutWrapping) {
    const std::vector<std::pair<const char*, const char*>> cases{
        {" +10x", "10/20"}, {"abc", "0/0"}, {"99999999999", "2147483647/4294967294"}};
    for (const auto& [pszAmount, pszCount] : cases) {
        const auto pSmall = MakeDeed(With(kSmall, &DeedFields::strAmount, pszAmount));
        const auto pLarge = MakeLargeDeed(With(kLarge, &DeedFields::strAmount, pszAmount),
                                          {"platemail gloves", "platemail arms"});
        ASSERT_TRUE(DeedCombining::CombineBods(*pSmall, *pLarge)) << pszAmount;
        EXPECT_EQ(pszCount, pLarge->m_strCount) << pszAmount;
    }
}

TEST(DeedCombining, NoMatchLeavesTheLargeDeedAlone) {
    const auto pSmall = MakeDeed(With(kSmall, &DeedFields::strItem, "platemail gorget"));
    const auto pLarge = MakeLargeDeed(kLarge, kParts);
    EXPECT_FALSE(DeedCombining::CombineBods(*pSmall, *pLarge));
    EXPECT_EQ("0/80", pLarge->m_strCount);
}

TEST(DeedCombining, BuildsTheLargeDeedsPartsOnDemand) {
    const auto pSmall = MakeDeed({"Smithy", "Weapon", "iron", "10", "Normal", "halberd", "10/10"});
    const auto pLarge =
        MakeDeed({"Smithy", "Weapon", "iron", "10", "Normal", "LBOD/bardiche", "0/20"});
    ASSERT_FALSE(pLarge->m_bPartsBuilt);
    EXPECT_TRUE(DeedCombining::CanDropOn(*pSmall, *pLarge));
    EXPECT_EQ(2, pLarge->GetPartCount());
    EXPECT_TRUE(DeedCombining::CombineBods(*pSmall, *pLarge));
    EXPECT_EQ("10/20", pLarge->m_strCount);
}

} // namespace
