#include "import/BodLineParser.h"

#include "import/BodLineSplitter.h"

#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int kAos = CBodLineParser::kPasteAos;
constexpr int kPreAos = CBodLineParser::kPastePreAos;

// A fresh parser unless the test hands one over to read several lines.
std::unique_ptr<CBodItem> Parse(int mode, const std::string& line,
                                CBodLineParser* pParser = nullptr) {
    CBodLineParser fresh;
    CBodLineParser& parser = pParser != nullptr ? *pParser : fresh;
    parser.m_nPasteMode = mode;
    std::unique_ptr<CBodItem> pItem;
    const bool bValid = parser.ParseLine(line, pItem);
    EXPECT_NE(pItem, nullptr);
    EXPECT_EQ(bValid, pItem->IsValid());
    return pItem;
}

// Trade|category|quality|material|item|amount|count|price.
std::string Fields(const CBodItem& b) {
    return b.m_strTrade + "|" + b.m_strCategory + "|" + b.m_strQuality + "|" + b.m_strMaterial +
           "|" + b.m_strItem + "|" + b.m_strAmount + "|" + b.m_strCount + "|" + b.m_strPrice;
}

struct Example {
    std::string name;
    int mode;
    std::string line;
    bool valid;
    std::string fields;
};

const Example kExamples[] = {
    {"AosSmallShadowIron", kAos,
     "small bulk order: 20 exceptional platemail gloves: 5, with shadow iron ingots 300", true,
     "Smithy|Platemail|Exceptional|shadow iron|platemail gloves|20|5/20|300"},
    {"AosLargeTailor", kAos,
     "large bulk order: 10 bandana: 0 shirt: 10 skirt: 0 thigh boots: 0 cloth 500", true,
     "Tailor|Cloth|Normal|cloth|LBOD/bandana|10|10/40|500"},
    {"AosLargeWeapon", kAos,
     "large bulk order: 20 exceptional mace: 20 maul: 0 war mace: 20 war hammer: 0 hammer pick: "
     "0 war axe: 0 with dull copper ingots 1200",
     true, "Smithy|Weapon|Exceptional|dull copper|LBOD/mace|20|40/120|1200"},
    {"AosNoColon", kAos, "small bulk order 300", false, "Tailor|Weapon|Normal|||||300"},
    {"PreAosSmallExceptional", kPreAos,
     "small bulk order (5/20) smithy/normal/small/platemail/ exceptional platemail gloves, with "
     "shadow iron ingots 300",
     true, "Smithy|Platemail|Exceptional|shadow iron|platemail gloves|20|5/20|300"},
    {"PreAosUntrimmedNumbers", kPreAos,
     "small bulk order (3/ 15) tailor/normal/small/spined leather/ leather gloves, 200", true,
     "Tailor|Leather|Normal|spined leather|leather gloves| 15|3/ 15|200"},
    {"PreAosNothingFound", kPreAos, "small bulk order 100", false, "Tailor|Weapon|Normal|||||100"},
};

// Each example runs as pasted and with a non-ASCII letter added to its last word, which sends it
// through the code-point path; the parser reads another line first, as the dialog does, so
// nothing may carry over.
class ExampleTest : public ::testing::TestWithParam<std::tuple<Example, bool>> {};

TEST_P(ExampleTest, ReadsEveryField) {
    const auto& [example, bNonAscii] = GetParam();
    const std::string suffix = bNonAscii ? "\xC3\xA9" : "";
    CBodLineParser parser;
    Parse(kAos, "large bulk order: 99 platemail gorget: 7 iron ingots 1", &parser);
    const auto pItem = Parse(example.mode, example.line + suffix, &parser);
    EXPECT_EQ(Fields(*pItem), example.fields + suffix);
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
TEST(BodLineParserTest, ReadsEachFieldByItsRules) {
    using B = CBodItem;
    const struct {
        int mode;
        std::string line;
        std::string CBodItem::*field;
        std::string expected;
    } cases[] = {
        {kAos, "cloth then leather", &B::m_strCategory, "Leather"},
        {kPreAos, "Iron INGOTS", &B::m_strTrade, "Smithy"},
        {kAos, "x: 20 dull: 5, with copper ingots 1", &B::m_strMaterial, "dull copper"},
        // The name follows the first colon by five characters; "exceptional" drops twelve.
        {kAos, "small bulk order: 20 plate exceptional: 5, 1", &B::m_strItem, "ional"},
        {kAos, "large bulk order: 10 ringmail gloves 10", &B::m_strItem, "LBOD"},
        {kAos, "small bulk order:  20 x: 5, 1", &B::m_strCount, "5/0"},
        {kAos,
         "large bulk order: 10 chainmail coif: 99999999999 chainmail leggings: 99999999999 "
         "chainmail tunic: 99999999999 iron ingots 1",
         &B::m_strCount, "6442450941/30"},
        // No material, so no parts were built and no pair is read.
        {kAos, "large bulk order: 10 chainmail coif: 10 x: 0 900", &B::m_strCount, "0/0"},
        {kPreAos, "large bulk order (0/60) a/b/c/d/ Platemail Gorget, 1", &B::m_strItem,
         "LBOD/platemail gorget"},
        {kPreAos, "large bulk order (0/ 20) a/b/c/d/ fancy shirt, 1", &B::m_strAmount, "20"},
        {kPreAos, "large bulk order (0/60) a/b/c/d/ leather cap, 1", &B::m_strAmount, "10"},
        // Positions and lengths count characters: in bytes these cuts would split the "é".
        {kAos, "small bulk order: 20 exceptional\xC3\xA9: 5, 1", &B::m_strItem, ""},
        {kPreAos, "(0/10) a/b/c/d/\u00E9p\u00E9e longue, 1", &B::m_strItem, "p\u00E9e longue"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ((*Parse(c.mode, c.line)).*c.field, c.expected) << c.line;
    }
}

TEST(BodLineParserTest, AosLargeDeedNamesItsPartsAsPasted) {
    CBodLineParser parser;
    const auto pItem = Parse(kAos,
                             "large bulk order: 10 exceptional Chainmail Coif: 10 chainmail "
                             "leggings: 0 C\xC3\xB4te De Mailles: 3 iron ingots 900",
                             &parser);
    EXPECT_EQ(parser.m_nPartCount, 3);
    EXPECT_EQ(pItem->m_strCount, "13/30");
    const std::vector<CBodItemDetail> expected = {
        {"Chainmail Coif", true}, {"chainmail leggings", false}, {"C\xC3\xB4te De Mailles", true}};
    EXPECT_EQ(pItem->m_arrParts, expected);
}

// The sample exports shipped with the program: every deed line but the two broken ones reads.
TEST(BodLineParserTest, ExampleExportsReadInTheirLayouts) {
    for (const auto& [file, mode] : {std::pair{"aos.txt", kAos}, {"pre-aos.txt", kPreAos}}) {
        std::ifstream in(std::string(QUILLMAR_EXAMPLES_DIR) + "/" + file, std::ios::binary);
        const std::string text{std::istreambuf_iterator<char>(in), {}};
        const std::vector<std::string_view> lines = SplitBodLines(text);
        int nValid = 0;
        for (const std::string_view line : lines) {
            nValid += Parse(mode, std::string(line))->IsValid() ? 1 : 0;
        }
        EXPECT_EQ(lines.size(), 25U) << file;
        EXPECT_EQ(nValid, 23) << file;
    }
}

} // namespace
