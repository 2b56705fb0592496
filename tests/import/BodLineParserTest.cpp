#include "import/BodLineParser.h"

#include "import/BodLineSplitter.h"

#include <fstream>
#include <gtest/gtest.h>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr int kAos = CBodLineParser::kPasteAos;
constexpr int kPreAos = CBodLineParser::kPastePreAos;

const std::string kChainmailLine = "large bulk order: 10 chainmail coif: 10 chainmail leggings: 0 "
                                   "chainmail tunic: 0 iron ingots 900";

std::unique_ptr<CBodItem> Parse(int mode, const std::string& line, CBodLineParser& parser) {
    parser.m_nPasteMode = mode;
    std::unique_ptr<CBodItem> pItem;
    const bool bValid = parser.ParseLine(line, pItem);
    EXPECT_NE(pItem, nullptr);
    EXPECT_EQ(bValid, pItem->IsValid());
    return pItem;
}

std::unique_ptr<CBodItem> Parse(int mode, const std::string& line) {
    CBodLineParser parser;
    return Parse(mode, line, parser);
}

// Whole lines in both layouts, every field checked.
struct Example {
    std::string name;
    int mode;
    std::string line;
    bool valid;
    std::vector<std::string>
        fields; // trade, category, quality, material, item, amount, count, price
};

std::vector<std::string> Fields(const CBodItem& bod) {
    return {bod.m_strTrade, bod.m_strCategory, bod.m_strQuality, bod.m_strMaterial,
            bod.m_strItem,  bod.m_strAmount,   bod.m_strCount,   bod.m_strPrice};
}

const Example kExamples[] = {
    {"AosSmallShadowIron",
     kAos,
     "small bulk order: 20 exceptional platemail gloves: 5, with shadow iron ingots 300",
     true,
     {"Smithy", "Platemail", "Exceptional", "shadow iron", "platemail gloves", "20", "5/20",
      "300"}},
    {"AosLargeChainmail",
     kAos,
     kChainmailLine,
     true,
     {"Smithy", "Chainmail", "Normal", "iron", "LBOD/chainmail", "10", "10/30", "900"}},
    {"AosSmallCloth",
     kAos,
     "small bulk order: 20 fancy shirt: 0, cloth 150",
     true,
     {"Tailor", "Cloth", "Normal", "cloth", "fancy shirt", "20", "0/20", "150"}},
    {"AosSmallSpinedLeather",
     kAos,
     "small bulk order: 15 exceptional leather gloves: 15, with spined leather 400",
     true,
     {"Tailor", "Leather", "Exceptional", "spined leather", "leather gloves", "15", "15/15",
      "400"}},
    {"AosLargeTailor",
     kAos,
     "large bulk order: 10 bandana: 0 shirt: 10 skirt: 0 thigh boots: 0 cloth 500",
     true,
     {"Tailor", "Cloth", "Normal", "cloth", "LBOD/bandana", "10", "10/40", "500"}},
    {"AosLargeWeapon",
     kAos,
     "large bulk order: 20 exceptional mace: 20 maul: 0 war mace: 20 war hammer: 0 hammer pick: "
     "0 war axe: 0 with dull copper ingots 1200",
     true,
     {"Smithy", "Weapon", "Exceptional", "dull copper", "LBOD/mace", "20", "40/120", "1200"}},
    {"AosNoColon",
     kAos,
     "small bulk order 300",
     false,
     {"Tailor", "Weapon", "Normal", "", "", "", "", "300"}},
    {"AosLargeNoColon",
     kAos,
     "large bulk order iron ingots 900",
     false,
     {"Smithy", "Weapon", "Normal", "iron", "LBOD", "", "", "900"}},
    {"PreAosSmallExceptional",
     kPreAos,
     "small bulk order (5/20) smithy/normal/small/platemail/ exceptional platemail gloves, with "
     "shadow iron ingots 300",
     true,
     {"Smithy", "Platemail", "Exceptional", "shadow iron", "platemail gloves", "20", "5/20",
      "300"}},
    {"PreAosLargePlatemail",
     kPreAos,
     "large bulk order (0/60) smithy/normal/large/platemail/ platemail, with iron ingots 900",
     true,
     {"Smithy", "Platemail", "Normal", "iron", "LBOD/platemail", "10", "0/60", "900"}},
    {"PreAosLargeBardiche",
     kPreAos,
     "large bulk order (0/20) smithy/normal/large/weapon/ bardiche, with iron ingots 500",
     true,
     {"Smithy", "Weapon", "Normal", "iron", "LBOD/bardiche", "10", "0/20", "500"}},
    {"PreAosNoSetWord",
     kPreAos,
     "small bulk order (0/25) tailor/normal/small/cloth/ fancy shirt, 150",
     true,
     {"Tailor", "Cloth", "Normal", "cloth", "fancy shirt", "25", "0/25", "150"}},
    {"PreAosUntrimmedNumbers",
     kPreAos,
     "small bulk order (3/ 15) tailor/normal/small/spined leather/ leather gloves, 200",
     true,
     {"Tailor", "Leather", "Normal", "spined leather", "leather gloves", " 15", "3/ 15", "200"}},
    {"PreAosIngotsWithoutWith",
     kPreAos,
     "small bulk order (0/10) smithy/normal/small/ringmail/ ringmail tunic, iron ingots 100",
     true,
     {"Smithy", "Ringmail", "Normal", "iron", "ringmail tunic", "10", "0/10", "100"}},
    {"PreAosNothingFound",
     kPreAos,
     "small bulk order 100",
     false,
     {"Tailor", "Weapon", "Normal", "", "", "", "", "100"}},
};

// Each example runs as pasted and with a non-ASCII letter added to its last word, which sends it
// through the code-point path; the parser is used for another line first, as the dialog does,
// so nothing may carry over.
class ExampleTest : public ::testing::TestWithParam<std::tuple<Example, bool>> {};

TEST_P(ExampleTest, ReadsEveryField) {
    const auto& [example, bNonAscii] = GetParam();
    const std::string suffix = bNonAscii ? "\xC3\xA9" : "";
    CBodLineParser parser;
    Parse(kAos, "large bulk order: 99 platemail gorget: 7 iron ingots 1", parser);
    const auto pItem = Parse(example.mode, example.line + suffix, parser);
    std::vector<std::string> expected = example.fields;
    expected.back() += suffix;
    EXPECT_EQ(Fields(*pItem), expected);
    EXPECT_EQ(pItem->IsValid(), example.valid);
    EXPECT_EQ(pItem->m_strNotes, "");
}

INSTANTIATE_TEST_SUITE_P(Lines, ExampleTest,
                         ::testing::Combine(::testing::ValuesIn(kExamples), ::testing::Bool()),
                         [](const auto& info) {
                             return std::get<0>(info.param).name +
                                    (std::get<1>(info.param) ? "CodePoints" : "Ascii");
                         });

// One field of one line: the rules of each step, their order and their limits.
struct FieldCase {
    int mode;
    std::string line;
    std::string CBodItem::*field;
    std::string expected;
};

class FieldTest : public ::testing::TestWithParam<FieldCase> {};

TEST_P(FieldTest, ReadsTheField) {
    const FieldCase& c = GetParam();
    EXPECT_EQ((*Parse(c.mode, c.line)).*c.field, c.expected) << c.line;
}

constexpr auto kTrade = &CBodItem::m_strTrade;
constexpr auto kCategory = &CBodItem::m_strCategory;
constexpr auto kQuality = &CBodItem::m_strQuality;
constexpr auto kMaterial = &CBodItem::m_strMaterial;
constexpr auto kItem = &CBodItem::m_strItem;
constexpr auto kAmount = &CBodItem::m_strAmount;
constexpr auto kCount = &CBodItem::m_strCount;
constexpr auto kPrice = &CBodItem::m_strPrice;

INSTANTIATE_TEST_SUITE_P(
    WordsInAnyCase, FieldTest,
    ::testing::Values(FieldCase{kAos, "a plate helm", kCategory, "Platemail"},
                      FieldCase{kPreAos, "Chainmail Coif", kCategory, "Chainmail"},
                      FieldCase{kAos, "ringmail gloves", kCategory, "Ringmail"},
                      FieldCase{kAos, "cloth then leather", kCategory, "Leather"},
                      FieldCase{kAos, "katana", kCategory, "Weapon"},
                      FieldCase{kPreAos, "Iron INGOTS", kTrade, "Smithy"},
                      FieldCase{kAos, "EXCEPTIONAL", kQuality, "Exceptional"},
                      FieldCase{kAos, "a b 300GP", kPrice, "300GP"},
                      FieldCase{kPreAos, "nospace", kPrice, ""},
                      FieldCase{kAos, "trailing blank ", kPrice, ""}));

INSTANTIATE_TEST_SUITE_P(
    AosMaterial, FieldTest,
    ::testing::Values(
        FieldCase{kAos, "x: 20 y: 5, with Dull Copper Ingots 1", kMaterial, "dull copper"},
        FieldCase{kAos, "x: 20 dull: 5, with copper ingots 1", kMaterial, "dull copper"},
        FieldCase{kAos, "x: 20 y: 5, with shadow gold ingots 1", kMaterial, "gold"},
        FieldCase{kAos, "x: 20 y: 5, with iron ingots shadow", kMaterial, "iron"},
        FieldCase{kAos, "copper ingots: 20 y: 5, 1", kMaterial, ""},
        FieldCase{kAos, "x: 20 y: 5, with   Valorite\t ingots 1", kMaterial, "valorite"},
        FieldCase{kAos, "with\tverite ingots 1", kMaterial, ""},
        FieldCase{kAos, "x: 20 leather gloves: 5, cloth 1", kMaterial, "cloth"},
        FieldCase{kAos, "x: 20 y: 5, Horned Leather 1", kMaterial, "horned leather"},
        FieldCase{kAos, "x: barbed spined leather 1", kMaterial, "spined leather"},
        FieldCase{kAos, "x: 20 leather cap: 5, 1", kMaterial, "normal leather"},
        FieldCase{kAos, "x: 20 bone arms: 5, 1", kMaterial, ""}));

// The name follows the first colon by five characters; "exceptional" drops twelve characters
// wherever it stands.
INSTANTIATE_TEST_SUITE_P(
    AosItem, FieldTest,
    ::testing::Values(
        FieldCase{kAos, "small bulk order: 20 exceptional: 5, 1", kItem, ""},
        FieldCase{kAos, "small bulk order: 20 exceptionalx: 5, 1", kItem, ""},
        FieldCase{kAos, "small bulk order: 20 exceptional x: 5, 1", kItem, "x"},
        FieldCase{kAos, "small bulk order: 20 plate exceptional: 5, 1", kItem, "ional"},
        FieldCase{kAos, "small bulk order: 20  Plate Helm : 5, 1", kItem, "plate helm"},
        FieldCase{kAos, "small bulk order: 20 platemail gloves 5, 1", kItem, ""},
        FieldCase{kAos, "large bulk order: 10 ringmail gloves 10", kItem, "LBOD"},
        FieldCase{kAos, "large bulk order: 10 exceptional: 0 x: 0", kItem, "LBOD"},
        FieldCase{kAos, "large bulk order: 10 Ringmail Gloves: 0", kItem, "LBOD/ringmail"},
        FieldCase{kAos, "large bulk order: 10 platemail gorget: 0", kItem, "LBOD/platemail"},
        FieldCase{kAos, "large bulk order: 10 Wizard's Hat: 0 robe: 0", kItem,
                  "LBOD/wizard's hat"}));

INSTANTIATE_TEST_SUITE_P(
    AosAmountAndCount, FieldTest,
    ::testing::Values(
        FieldCase{kAos, "small bulk order: 20", kAmount, ""},
        FieldCase{kAos, "small bulk order:  20 x: 5, 1", kAmount, ""},
        FieldCase{kAos, "small bulk order:  20 x: 5, 1", kCount, "5/0"},
        FieldCase{kAos, "small bulk order: 20 gloves: 5 with iron ingots", kCount, ""},
        FieldCase{kAos, "small bulk order: 20 gloves: 12, 1", kCount, "12/20"},
        FieldCase{kAos, "small bulk order: -5 gloves: 3, 1", kCount, "3/-5"},
        FieldCase{kAos, "small bulk order: 99999999999 x: 5, 1", kAmount, "99999999999"},
        FieldCase{kAos, "small bulk order: 99999999999 x: 5, 1", kCount, "5/2147483647"},
        FieldCase{kAos,
                  "large bulk order: 10 chainmail coif: 99999999999 chainmail "
                  "leggings: 99999999999 chainmail tunic: 99999999999 iron ingots 1",
                  kCount, "6442450941/30"},
        // No material, so no parts were built and no pair is read.
        FieldCase{kAos,
                  "large bulk order: 10 chainmail coif: 10 chainmail leggings: 0 "
                  "chainmail tunic: 0 900",
                  kCount, "0/0"},
        FieldCase{kAos, "large bulk order: 10 dragon helm: 5 iron ingots 9", kCount, "0/0"}));

INSTANTIATE_TEST_SUITE_P(
    PreAosMaterialAndItem, FieldTest,
    ::testing::Values(
        FieldCase{kPreAos, "(0/10) a/b/c/ Cloth /x/ y, 1", kMaterial, "cloth"},
        FieldCase{kPreAos, "(0/10) a/b/ fancy shirt, 1", kMaterial, ""},
        FieldCase{kPreAos, "(0/10) a/b/c/d/ katana, iron ingots with 1", kMaterial, ""},
        FieldCase{kPreAos, "(0/10) a/b/c/d/ fancy shirt 10", kItem, ""},
        FieldCase{kPreAos, "large bulk order (0/10) a/b/c/d/ shirt 10", kItem, "LBOD"},
        FieldCase{kPreAos, "large bulk order (0/10) a/b/c/d/ , 10", kItem, "LBOD"},
        FieldCase{kPreAos, "large bulk order (0/60) a/b/c/d/ Platemail Gorget, 1", kItem,
                  "LBOD/platemail gorget"},
        FieldCase{kPreAos, "(0/10) a/b/c/d/ exceptional, 10", kItem, ""}));

INSTANTIATE_TEST_SUITE_P(
    PreAosAmountAndCount, FieldTest,
    ::testing::Values(
        FieldCase{kPreAos, "large bulk order (0/ 20) a/b/c/d/ fancy shirt, 1", kAmount, "20"},
        FieldCase{kPreAos, "small bulk order (0/ 20) a/b/c/d/ fancy shirt, 1", kAmount, " 20"},
        FieldCase{kPreAos, "small bulk order (0/30) a/b/c/d/ dagger, 1", kAmount, "6"},
        FieldCase{kPreAos, "(0/24) sandals, then mace and bonnet", kAmount, "4"},
        FieldCase{kPreAos, "(0/99999999999) platemail", kAmount, "357913941"},
        FieldCase{kPreAos, "(0/-40) platemail", kAmount, "-40"},
        FieldCase{kPreAos, "(0/20 a/b/c/d/ x, 1", kAmount, ""},
        FieldCase{kPreAos, "(0/20 a/b/c/d/ x, 1", kCount, ""},
        FieldCase{kPreAos, "(020) a/b/c/d/ x, 1", kAmount, ""},
        FieldCase{kPreAos, "(020) a/b/c/d/ x, 1", kCount, "020"}));

// Positions and lengths count characters: in bytes these cuts would split the "é".
INSTANTIATE_TEST_SUITE_P(
    CodePoints, FieldTest,
    ::testing::Values(FieldCase{kAos, "small bulk order: 20 exceptional\xC3\xA9: 5, 1", kItem, ""},
                      FieldCase{kAos, "small bulk order: 20 exceptional \xC3\xA9: 5, 1", kItem,
                                "\xC3\xA9"},
                      FieldCase{kPreAos,
                                "(0/10) a/b/c/d/\xC3\xA9p\xC3\xA9"
                                "e longue, 1",
                                kItem,
                                "p\xC3\xA9"
                                "e longue"},
                      FieldCase{kPreAos, "(0/10) a/b/c/d/ x, with \xC3\xA9rable ingots", kMaterial,
                                "\xC3\xA9rable"}));

TEST(BodLineParserTest, AosLargeDeedNamesItsPartsAsPasted) {
    CBodLineParser parser;
    const auto pItem = Parse(kAos,
                             "large bulk order: 10 exceptional Chainmail Coif: 10 chainmail "
                             "leggings: 0 C\xC3\xB4te De Mailles: 3 iron ingots 900",
                             parser);
    EXPECT_EQ(parser.m_nPartCount, 3);
    EXPECT_EQ(pItem->m_strCount, "13/30");
    const std::vector<CBodItemDetail> expected = {
        {"Chainmail Coif", true}, {"chainmail leggings", false}, {"C\xC3\xB4te De Mailles", true}};
    EXPECT_EQ(pItem->m_arrParts, expected);
}

TEST(BodLineParserTest, AosLastPairNeedsABlankAfterItsNumber) {
    // "Exceptional" in a pair is dropped only in lower case, as pasted.
    const auto pItem = Parse(kAos, "large bulk order with iron ingots: 10 Exceptional Chainmail "
                                   "Coif: 10 chainmail leggings: 0 Chainmail Tunic: 10");
    EXPECT_EQ(pItem->m_strCount, "10/20");
    const std::vector<CBodItemDetail> expected = {{"Exceptional Chainmail Coif", true},
                                                  {"chainmail leggings", false},
                                                  {"chainmail tunic", false}};
    EXPECT_EQ(pItem->m_arrParts, expected);
}

TEST(BodLineParserTest, PreAosLeavesTheParts) {
    const auto pItem =
        Parse(kPreAos, "large bulk order (0/60) a/b/c/d/ platemail, with iron ingots 900");
    EXPECT_TRUE(pItem->IsValid());
    EXPECT_EQ(pItem->GetPartCount(), 0);
    EXPECT_FALSE(pItem->m_bPartsBuilt);
}

TEST(BodLineParserTest, UnknownPasteModeGivesAnEmptyInvalidDeed) {
    for (const int mode : {2, -1}) {
        const auto pItem = Parse(mode, kChainmailLine);
        EXPECT_EQ(Fields(*pItem), std::vector<std::string>(8));
        EXPECT_FALSE(pItem->IsValid());
        EXPECT_EQ(pItem->GetPartCount(), 0);
    }
}

// The sample exports shipped with the program: every deed line but the two broken ones reads.
TEST(BodLineParserTest, ExampleExportsReadInTheirLayouts) {
    const struct {
        std::string file;
        int mode;
    } files[] = {{"aos.txt", kAos}, {"pre-aos.txt", kPreAos}};
    for (const auto& f : files) {
        std::ifstream in(std::string(QUILLMAR_EXAMPLES_DIR) + "/" + f.file, std::ios::binary);
        ASSERT_TRUE(in) << f.file;
        std::ostringstream text;
        text << in.rdbuf();
        const std::vector<std::string_view> lines = SplitBodLines(text.str());
        CBodLineParser parser;
        parser.m_nPasteMode = f.mode;
        int nValid = 0;
        for (const std::string_view line : lines) {
            std::unique_ptr<CBodItem> pItem;
            nValid += parser.ParseLine(line, pItem) ? 1 : 0;
        }
        EXPECT_EQ(lines.size(), 25U) << f.file;
        EXPECT_EQ(nValid, 23) << f.file;
    }
}

} // namespace
