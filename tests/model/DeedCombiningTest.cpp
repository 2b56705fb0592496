#include "model/DeedCombining.h"

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

// The rule for a drop; an accepted one marks every open part of that name and recounts. No parts
// given: the large deed builds its own from its name.
TEST(DeedCombining, DropRule) {
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
        {"huge amount",
         {kAmount, "99999999999"},
         {kAmount, "99999999999"},
         kParts,
         {},
         "2147483647/6442450941"}};
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

} // namespace
