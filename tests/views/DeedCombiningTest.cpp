#include "views/DeedCombining.h"

#include "support/TestDeeds.h"

#include <gtest/gtest.h>

using namespace TestDeeds;

namespace {

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

// The rule for a drop; an accepted one combines.
TEST(DeedCombining, DropRule) {
    const std::vector<std::string> twins{"platemail gloves", "platemail gloves"};
    const struct {
        const char* pszName;
        Change small, large;
        std::vector<std::string> parts;
        std::vector<bool> filled;
        bool bAccepted;
    } cases[] = {
        {"same quality", {}, {}, kParts, {}, true},
        {"normal on exceptional", {}, {kQuality, "Exceptional"}, kParts, {}, false},
        {"exceptional on normal", {kQuality, "Exceptional"}, {}, kParts, {}, true},
        {"other material", {kMaterial, "gold"}, {}, kParts, {}, false},
        {"material case", {kMaterial, "Iron"}, {}, kParts, {}, false},
        {"other amount", {kAmount, "10"}, {}, kParts, {}, false},
        {"item case ignored", {kItem, "Platemail GLOVES"}, {}, kParts, {}, true},
        {"no such part", {kItem, "platemail gorget"}, {}, kParts, {}, false},
        {"part filled", {}, {}, kParts, {true}, false},
        {"one of two same-named parts open", {}, {}, twins, {true, false}, true},
        {"target not large", {}, {kItem, "lbod/platemail"}, kParts, {}, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pszName);
        const auto pSmall = MakeDeed(With(kSmall, c.small));
        const auto pLarge = MakeLargeDeed(With(kLarge, c.large), c.parts);
        for (std::size_t i = 0; i < c.filled.size(); ++i) {
            pLarge->m_arrParts[i].m_bFilled = c.filled[i] ? 1 : 0;
        }
        EXPECT_EQ(c.bAccepted, DeedCombining::CanDropOn(*pSmall, *pLarge));
        if (c.bAccepted) {
            EXPECT_TRUE(DeedCombining::CombineBods(*pSmall, *pLarge));
            EXPECT_EQ(c.parts == twins ? "40/40" : "20/60", pLarge->m_strCount);
        }
    }
}

TEST(DeedCombining, MarksEveryMatchingPartAndRecounts) {
    const auto pSmall = MakeDeed(kSmall);
    const auto pLarge = MakeLargeDeed(
        kLarge, {"platemail gloves", "platemail arms", "Platemail Gloves", "platemail legs"});
    pLarge->m_arrParts[1].m_bFilled = 1;
    ASSERT_TRUE(DeedCombining::CombineBods(*pSmall, *pLarge));
    EXPECT_EQ("60/80", pLarge->m_strCount);
    // Stored as the file's TRUE, 1.
    EXPECT_EQ(1, pLarge->m_arrParts[0].m_bFilled);
    EXPECT_EQ(1, pLarge->m_arrParts[2].m_bFilled);
    EXPECT_FALSE(pLarge->m_arrParts[3].IsFilled());
}

TEST(DeedCombining, CountsAmountsAsNumbersWithoutWrapping) {
    const std::pair<const char*, const char*> cases[]{
        {" +10x", "10/20"}, {"abc", "0/0"}, {"99999999999", "2147483647/4294967294"}};
    for (const auto& [pszAmount, pszCount] : cases) {
        const auto pSmall = MakeDeed(With(kSmall, {kAmount, pszAmount}));
        const auto pLarge = MakeLargeDeed(With(kLarge, {kAmount, pszAmount}),
                                          {"platemail gloves", "platemail arms"});
        ASSERT_TRUE(DeedCombining::CombineBods(*pSmall, *pLarge)) << pszAmount;
        EXPECT_EQ(pszCount, pLarge->m_strCount) << pszAmount;
    }
}

TEST(DeedCombining, BuildsTheLargeDeedsPartsOnDemand) {
    const auto pSmall = MakeDeed({"Smithy", "Weapon", "iron", "10", "Normal", "halberd", "10/10"});
    const auto pLarge =
        MakeDeed({"Smithy", "Weapon", "iron", "10", "Normal", "LBOD/bardiche", "0/20"});
    EXPECT_TRUE(DeedCombining::CanDropOn(*pSmall, *pLarge));
    EXPECT_TRUE(DeedCombining::CombineBods(*pSmall, *pLarge));
    EXPECT_EQ("10/20", pLarge->m_strCount);
}

} // namespace
