#include "import/BodLineParser.h"

#include "DeedText.h"
#include "import/ImportSession.h"
#include "import/ParseText.h"
#include "model/TextOrder.h"
#include "support/TestDeeds.h"

#include <climits>
#include <gtest/gtest.h>
#include <list>
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
    EXPECT_EQ(bValid, pItem->IsValid());
    return pItem;
}

// Each line also runs behind a non-ASCII letter, which sends it through the code-point path;
// the parser reads another line first, as the dialog does, so nothing may carry over. Large
// deeds name their parts as pasted.
TEST(BodLineParserTest, ReadsEveryFieldOfAWholeLine) {
    const std::tuple<int, const char*, const char*> cases[] = {
        {kAos, "small bulk order: 20 exceptional platemail gloves: 5, with shadow iron ingots 300",
         "Smithy|Platemail|shadow iron|20|Exceptional|platemail gloves|5/20|300"},
        {kAos, "large bulk order: 10 bandana: 0 shirt: 10 skirt: 0 thigh boots: 0 cloth 500",
         "Tailor|Cloth|cloth|10|Normal|LBOD/bandana|10/40|500|bandana|+shirt|skirt|thigh boots"},
        {kAos,
         "large bulk order: 20 exceptional mace: 20 maul: 0 war mace: 20 war hammer: 0 hammer "
         "pick: 0 war axe: 0 with dull copper ingots 1200",
         "Smithy|Weapon|dull copper|20|Exceptional|LBOD/mace|40/120|1200|+mace|maul|+war mace|"
         "war hammer|hammer pick|war axe"},
        {kAos,
         "large bulk order: 10 exceptional Chainmail Coif: 10 chainmail leggings: 0 C\xC3\xB4te "
         "De Mailles: 3 iron ingots 900",
         "Smithy|Chainmail|iron|10|Exceptional|LBOD/chainmail|13/30|900|+Chainmail Coif|"
         "chainmail leggings|+C\xC3\xB4te De Mailles"},
        {kAos, "small bulk order 300", "Tailor|Weapon|||Normal|||300"},
        {kPreAos,
         "small bulk order (5/20) smithy/normal/small/platemail/ exceptional platemail gloves, "
         "with shadow iron ingots 300",
         "Smithy|Platemail|shadow iron|20|Exceptional|platemail gloves|5/20|300"},
        {kPreAos,
         "small bulk order (3/ 15) tailor/normal/small/spined leather/ leather gloves, 200",
         "Tailor|Leather|spined leather| 15|Normal|leather gloves|3/ 15|200"},
        {kPreAos, "small bulk order 100", "Tailor|Weapon|||Normal|||100"}};
    for (const auto& [mode, line, text] : cases) {
        for (const std::string prefix : {"", "\xC3\xA9"}) {
            CBodLineParser parser;
            Parse(kAos, "large bulk order: 99 platemail gorget: 7 iron ingots 1", &parser);
            EXPECT_EQ(DeedText(*Parse(mode, prefix + line, &parser)), text) << prefix + line;
        }
    }
}

// One field of one line: the rules of each step, their order and their limits.
TEST(BodLineParserTest, ReadsEachFieldByItsRules) {
    using B = CBodItem;
    const std::tuple<int, std::string, std::string CBodItem::*, std::string> cases[] = {
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
        // A large deed's total over its parts, as the game gives each set.
        {kPreAos, "large bulk order (0/90) a/b/c/d/ cutlass, 1", &B::m_strAmount, "15"},
        {kPreAos, "large bulk order (0/60) a/b/c/d/ jester hat, 1", &B::m_strAmount, "15"},
        {kPreAos, "large bulk order (0/60) a/b/c/d/ tricorne hat, 1", &B::m_strAmount, "15"},
        // The broken lines of the sample exports: a missing colon, comma or parentheses.
        {kAos, "small bulk order: 20 exceptional platemail gloves 5, with iron ingots 300",
         &B::m_strCount, ""},
        {kPreAos, "small bulk order (0/10) tailor/normal/small/cloth/ fancy shirt 150",
         &B::m_strItem, ""},
        {kPreAos, "small bulk order 5/20 smithy/normal/small/platemail/ platemail gloves, 300",
         &B::m_strCount, ""}};
    for (const auto& [mode, line, field, expected] : cases) {
        EXPECT_EQ((*Parse(mode, line)).*field, expected) << line;
    }
}

// Every case runs on the byte path and on the code-point path.
template <typename CharT> class ParseTextTest : public ::testing::Test {
protected:
    CParseText<CharT> Make(std::string_view ascii) {
        return CParseText<CharT>(m_texts.emplace_back(ascii.begin(), ascii.end()));
    }
    // A list keeps every earlier text in place while a test makes more.
    std::list<std::basic_string<CharT>> m_texts;
};

using CharTypes = ::testing::Types<char, char32_t>;
TYPED_TEST_SUITE(ParseTextTest, CharTypes);

// Searches honour their start and the case, and a cut is searched within its own bounds; cuts
// clamp to the text, Trim takes the six spaces, and numbers read as atoi but saturate.
TYPED_TEST(ParseTextTest, FindsCutsTrimsAndReadsNumbers) {
    const auto text = this->Make("a bulk order, bulk order");
    EXPECT_EQ((std::vector<std::ptrdiff_t>{
                  text.Find("bulk", 3), text.Find("Bulk"), text.Find("order", text.Length() + 1),
                  text.Find("order, bulk order and more"), text.Find(',', -1),
                  text.Find('r', text.Length()), text.FindLast('b'), this->Make("").FindLast('x'),
                  this->Make("b").FindLast('b'), this->Make("xingots").Left(5).Find("ingots")}),
              (std::vector<std::ptrdiff_t>{14, -1, -1, -1, 12, -1, 14, -1, 0, -1}));
    EXPECT_TRUE(this->Make("iron").Equals("iron"));
    EXPECT_FALSE(this->Make("iron ").Equals("iron"));

    const auto abc = this->Make("abcdef");
    std::string cuts = abc.Cut(-4).ToUtf8() + '|' + abc.Cut(7).ToUtf8() + '|';
    for (const auto& [first, count] :
         {std::pair{0, 3}, {-3, 2}, {2, -1}, {4, 10}, {6, 1}, {10, 2}, {-1, 100}}) {
        cuts += abc.Cut(first, count).ToUtf8() + '|';
    }
    for (const int n : {-1, 2, 6, 9}) {
        cuts += abc.Left(n).ToUtf8() + '/' + abc.Right(n).ToUtf8() + '|';
    }
    EXPECT_EQ(cuts, "abcdef||abc|ab||ef|||abcdef|/|ab/ef|abcdef/abcdef|abcdef/abcdef|");
    const auto spaced = this->Make(" \t\r\n\v\fab c\f\v\n\r\t ");
    EXPECT_EQ(spaced.Trim().ToUtf8() + '|' + spaced.TrimRight().ToUtf8(), "ab c| \t\r\n\v\fab c");

    const std::pair<const char*, std::int32_t> numbers[] = {{"  \t42abc", 42},
                                                            {"+8", 8},
                                                            {"- 5", 0},
                                                            {"2147483648", INT_MAX},
                                                            {"-2147483648", INT_MIN},
                                                            {"-99999999999", INT_MIN}};
    for (const auto& [number, expected] : numbers) {
        EXPECT_EQ(this->Make(number).Number(), expected) << number;
    }
}

// Whatever bytes are pasted, decoding and encoding again gives them back, and each byte that is
// not part of a well-formed sequence counts as one character.
TEST(ParseTextTest, EveryByteRoundTripsThroughCodePoints) {
    const std::pair<std::string, std::size_t> cases[] = {
        {"\xC3\xA9", 1},     {"\xEF\xBF\xBD", 1},     {"\xFF", 1},
        {"a\x80z", 3},       {"\xC1\xBF", 2},         {"\xED\xA0\x80", 3},
        {"\xED\xB2\x80", 3}, {"\xF4\x90\x80\x80", 4}, {std::string("a\0b", 3), 3}};
    for (const auto& [bytes, characters] : cases) {
        const std::u32string decoded = DecodeUtf8(bytes);
        EXPECT_EQ(decoded.size(), characters) << testing::PrintToString(bytes);
        std::string encoded;
        AppendUtf8(decoded, encoded);
        EXPECT_EQ(encoded, bytes);
    }
}

const std::string kSmall =
    "small bulk order: 20 exceptional platemail gloves: 5, with shadow iron ingots 300";
const std::string kLarge = "large bulk order: 10 chainmail coif: 10 chainmail leggings: 0 "
                           "chainmail tunic: 0 iron ingots 900";
const std::string kBrokenLower = "junk bulk order";
const std::string kBrokenUpper = "JUNK bulk order";

using Texts = std::vector<std::string>;

class ImportSessionTest : public ::testing::Test {
protected:
    Texts RowTexts() const {
        Texts texts;
        for (const CImportRow& row : m_session.GetRows()) {
            texts.push_back(row.m_strText + (row.m_bDuplicate ? " (known)" : ""));
        }
        return texts;
    }
    std::vector<int> Counters() const {
        return {m_session.GetTotal(), m_session.GetAdded(), m_session.GetInvalid(),
                static_cast<int>(m_session.GetRows().size())};
    }

    CNoCaseTextOrder m_order;
    CImportSession m_session{m_order};
};

// Processing takes only valid rows, each once, with the note, and counts as done even when
// nothing was valid. A new paste replaces the rows left and their invalid count; the processed
// deeds and their count stay. (The order of rows and the counts shown: ImportDlgTest.)
TEST_F(ImportSessionTest, ProcessingTakesOnlyValidRowsOnceAndANewPasteKeepsThem) {
    m_session.Paste(kBrokenLower + "\n" + kBrokenUpper);
    EXPECT_FALSE(m_session.IsProcessed());
    m_session.ProcessAll();
    EXPECT_TRUE(m_session.IsProcessed());
    EXPECT_EQ(Counters(), (std::vector<int>{2, 0, 2, 2}));

    m_session.Paste("Header line\r\n" + kSmall + "\r\n" + kBrokenLower + "\n" + kLarge + "\r" +
                    kBrokenUpper);
    m_session.m_strNote = "from the bank";
    // A repeated or stale index must not process a row twice or reach past the list.
    m_session.ProcessSelected(std::vector<int>{0, 2, 2, 3, 7, -1});
    EXPECT_EQ(RowTexts(), (Texts{kBrokenLower, kBrokenUpper}));
    EXPECT_EQ(Counters(), (std::vector<int>{4, 2, 2, 2}));
    const CBodArray& processed = m_session.GetProcessed();
    EXPECT_EQ(processed[0]->GetItem() + '|' + processed[1]->GetItem() + '|' +
                  processed[0]->GetNotes() + '|' + processed[1]->GetNotes(),
              "LBOD/chainmail|platemail gloves|from the bank|from the bank");

    m_session.Paste("Bulk Order lines in other case are no deed lines");
    EXPECT_EQ(Counters(), (std::vector<int>{0, 2, 0, 0}));
    EXPECT_EQ(m_session.TakeProcessed().size(), 2U);
}

// Long enough that an unstable sort would reorder lines that compare equal.
TEST_F(ImportSessionTest, EqualLinesKeepTheirPastedOrder) {
    std::string strText;
    Texts equal;
    for (unsigned n = 0; n < 45; ++n) {
        equal.push_back(TestDeeds::CaseVariant("junk", n * 5 % 16) + " bulk order " +
                        TestDeeds::CaseVariant("xyz", n / 16));
        strText += "zz bulk order\n" + equal.back() + "\n";
    }
    m_session.Paste(strText);
    Texts texts = RowTexts();
    texts.resize(equal.size());
    EXPECT_EQ(texts, equal);
}

// A row whose deed the document or this session already holds (whatever its time and notes) is
// marked and counted; an invalid row never is, and processing still takes a marked row.
TEST_F(ImportSessionTest, RowsAlreadyKnownAreMarkedAndCounted) {
    CImportSession earlier(m_order);
    earlier.Paste(kSmall + "\n" + kBrokenLower);
    earlier.ProcessAll();
    CBodArray document = earlier.TakeProcessed();
    document[0]->m_strNotes = "kept for later";
    document[0]->m_timeAdded = 1;
    // The broken line's deed as well, and a gap the document may hold.
    document.push_back(std::make_unique<CBodItem>(*earlier.GetRows()[0].m_pBod));
    document.push_back(nullptr);
    m_session.Paste(kSmall + "\n" + kLarge + "\n" + kLarge + "\n" + kBrokenLower);
    EXPECT_EQ(0, m_session.GetDuplicates());
    m_session.AddKnownDeeds(document);
    EXPECT_EQ(RowTexts(), (Texts{kBrokenLower, kLarge, kLarge, kSmall + " (known)"}));
    EXPECT_EQ(1, m_session.GetDuplicates());

    m_session.ProcessSelected(std::vector<int>{1, 3});
    EXPECT_EQ(RowTexts(), (Texts{kBrokenLower, kLarge + " (known)"}));
    EXPECT_EQ(1, m_session.GetDuplicates());
    EXPECT_EQ(2U, m_session.GetProcessed().size());
    m_session.Paste(kSmall + "\n" + kLarge);
    EXPECT_EQ(RowTexts(), (Texts{kLarge + " (known)", kSmall + " (known)"}));
}

} // namespace
