#include "import/BodLineParser.h"
#include "import/DeedEntry.h"
#include "import/ImportSession.h"
#include "import/ParseText.h"
#include "import/TooltipReader.h"
#include "model/BodCatalogue.h"
#include "model/TextOrder.h"
#include "support/TestDeeds.h"

#include <algorithm>
#include <cctype>
#include <gtest/gtest.h>
#include <list>
#include <string>
#include <vector>

namespace {

// A deed in one line, "trade|category|material|amount|quality|item|count|price", then its parts:
// each name ('+' before a filled one), or without names one '+' or '-' each, as in "|--+-".
std::string DeedText(const CBodItem& b, bool bPartNames = true) {
    std::string text = b.m_strTrade + '|' + b.m_strCategory + '|' + b.m_strMaterial + '|' +
                       b.m_strAmount + '|' + b.m_strQuality + '|' + b.m_strItem + '|' +
                       b.m_strCount + '|' + b.m_strPrice + (bPartNames ? "" : "|");
    for (const CBodItemDetail& part : b.m_arrParts) {
        text += bPartNames ? (part.IsFilled() ? "|+" : "|") + part.m_strName
                           : (part.IsFilled() ? "+" : "-");
    }
    return text;
}

constexpr int kAos = CBodLineParser::kPasteAos;
constexpr int kPreAos = CBodLineParser::kPastePreAos;

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

// Each line also runs behind a non-ASCII letter (the code-point path), after another line read
// by the same parser, as the dialog does, so nothing may carry over.
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
    // A Pre-AOS large deed states the total over its parts: each classic set by the word it prints.
    for (const BodCatalogueRow& row : BodCatalogue::Rows().first(BodCatalogue::kClassicRowCount)) {
        const std::string set(row.key == "bone helmet" ? "bone armor" : row.key);
        const std::string line = "(0/" + std::to_string(row.partCount * 15) + ") a/b/c/d/ " + set;
        EXPECT_EQ(Parse(kPreAos, line + ", 1")->m_strAmount, "15") << set;
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

// A cut is searched within its own bounds, cuts clamp, numbers read as atoi but saturate.
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
    // An odd number of blanks in front, so a trim that skips two at a time is seen.
    const auto spaced = this->Make("  \t\r\n\v\fab c\f\v\n\r\t ");
    EXPECT_EQ(spaced.Trim().ToUtf8() + '|' + spaced.TrimRight().ToUtf8(), "ab c|  \t\r\n\v\fab c");

    std::string numbers;
    for (const char* text :
         {"  \t42abc", "+8", "- 5", "2147483648", "-2147483648", "-9999999999"}) {
        numbers += std::to_string(this->Make(text).Number()) + ' ';
    }
    EXPECT_EQ(numbers, "42 8 0 2147483647 -2147483648 -2147483648 ");
}

// Whatever bytes are pasted come back; each byte outside a well-formed sequence is one character.
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
                static_cast<int>(m_session.GetRows().size()), m_session.GetDuplicates()};
    }

    CNoCaseTextOrder m_order;
    CImportSession m_session{m_order};
};

// Processing takes only valid rows, each once, with the note, and counts as done even when
// nothing was valid. A new paste replaces the rows left; the processed deeds stay.
TEST_F(ImportSessionTest, ProcessingTakesOnlyValidRowsOnceAndANewPasteKeepsThem) {
    m_session.Paste(kBrokenLower + "\n" + kBrokenUpper);
    EXPECT_FALSE(m_session.IsProcessed());
    m_session.ProcessAll();
    EXPECT_TRUE(m_session.IsProcessed());
    EXPECT_EQ(Counters(), (std::vector<int>{2, 0, 2, 2, 0}));

    m_session.Paste("Header line\r\n" + kSmall + "\r\n" + kBrokenLower + "\n" + kLarge + "\r" +
                    kBrokenUpper);
    m_session.m_strNote = "from the bank";
    // A repeated or stale index must not process a row twice or reach past the list.
    m_session.ProcessSelected(std::vector<int>{0, 2, 2, 3, 7, -1});
    EXPECT_EQ(RowTexts(), (Texts{kBrokenLower, kBrokenUpper}));
    EXPECT_EQ(Counters(), (std::vector<int>{4, 2, 2, 2, 0}));
    const CBodArray& processed = m_session.GetProcessed();
    EXPECT_EQ(processed[0]->m_strItem + '|' + processed[1]->m_strItem + '|' +
                  processed[0]->m_strNotes + '|' + processed[1]->m_strNotes,
              "LBOD/chainmail|platemail gloves|from the bank|from the bank");

    m_session.Paste("Bulk Order lines in other case are no deed lines");
    EXPECT_EQ(Counters(), (std::vector<int>{0, 2, 0, 0, 0}));
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

// A row whose deed the document or this session holds (whatever its time and notes) is marked
// and counted; an invalid row never is.
TEST_F(ImportSessionTest, RowsAlreadyKnownAreMarkedAndCounted) {
    CImportSession earlier(m_order);
    earlier.Paste(kSmall + "\n" + kBrokenLower);
    earlier.ProcessAll();
    CBodArray document = earlier.TakeProcessed();
    document[0]->m_strNotes = "kept for later";
    document[0]->m_timeAdded = 1;
    // The broken line's deed as well, and a gap the document may hold.
    document.emplace_back();
    CBodLineParser().ParseLine(kBrokenLower, document.back());
    document.push_back(nullptr);
    m_session.Paste(kSmall + "\n" + kLarge + "\n" + kLarge + "\n" + kBrokenLower);
    m_session.AddKnownDeeds(document);
    EXPECT_EQ(RowTexts(), (Texts{kBrokenLower, kLarge, kLarge, kSmall + " (known)"}));
    EXPECT_EQ(Counters(), (std::vector<int>{4, 0, 1, 4, 1}));

    m_session.ProcessSelected(std::vector<int>{1, 3});
    EXPECT_EQ(RowTexts(), (Texts{kBrokenLower, kLarge + " (known)"}));
    EXPECT_EQ(Counters(), (std::vector<int>{4, 2, 1, 2, 1}));
    m_session.Paste(kSmall + "\n" + kLarge);
    EXPECT_EQ(RowTexts(), (Texts{kLarge + " (known)", kSmall + " (known)"}));
}

DeedChoice Choice(const char* trade, bool bLarge, const char* item, const char* material = "",
                  int nAmount = 20, bool bExceptional = false) {
    return {trade, bLarge, item, material, nAmount, bExceptional, 0, {}, {}};
}

// The deed a choice makes, or what is wrong with the choice (and then no deed).
std::string Made(const DeedChoice& choice, bool bPartNames = true) {
    std::unique_ptr<CBodItem> pMade = std::make_unique<CBodItem>();
    const std::string wrong = DeedEntry::Make(choice, pMade);
    EXPECT_EQ(wrong.empty(), pMade != nullptr) << wrong;
    return pMade != nullptr ? DeedText(*pMade, bPartNames) : wrong;
}

std::unique_ptr<CBodItem> Imported(const char* line) {
    CBodLineParser parser;
    std::unique_ptr<CBodItem> pImported;
    EXPECT_TRUE(parser.ParseLine(line, pImported)) << line;
    pImported->m_strPrice.clear();
    return pImported;
}

// A deed entered by hand is the record its UOAssist line gives (but the price): any difference
// would split a branch of the tree.
TEST(DeedEntryTest, AHandMadeDeedIsTheRecordOfItsImportedLine) {
    const std::pair<const char*, DeedChoice> cases[] = {
        {"large bulk order: 10 chainmail coif: 0 chainmail leggings: 0 chainmail tunic: 0 iron "
         "ingots 900",
         Choice("Smithy", true, "chainmail", "", 10)},
        {"small bulk order: 20 fancy shirt: 0, cloth 150",
         Choice("Tailor", false, "fancy shirt", "", 20)},
        {"small bulk order: 15 exceptional bone helmet: 0, with barbed leather 1800",
         Choice("Tailor", false, "bone helmet", "barbed leather", 15, true)},
        {"small bulk order: 10 leather cap: 0, leather 120",
         Choice("Tailor", false, "leather cap", "", 10)}};
    for (const auto& [line, choice] : cases) {
        EXPECT_EQ(DeedText(*Imported(line)), Made(choice));
    }
}

// Edit Deed keeps what a small deed has made, and the filled parts a large one's new set has.
TEST(DeedEntryTest, AnEditedDeedKeepsTheProgressThatStillFits) {
    std::unique_ptr<CBodItem> pBandana;
    ASSERT_EQ("", DeedEntry::Make(Choice("Tailor", true, "bandana"), pBandana));
    pBandana->SetPart(1, true, "Shirt");
    pBandana->SetPart(3, true, "Thigh Boots");
    DeedChoice choice = DeedEntry::ChoiceOf(*pBandana);
    choice.strItem = "feathered hat";
    EXPECT_EQ("Tailor|Cloth|cloth|20|Normal|LBOD/feathered hat|20/100||----+", Made(choice, false));

    choice = DeedEntry::ChoiceOf(
        *Imported("small bulk order: 15 exceptional bone helmet: 7, with barbed leather 1800"));
    choice.strItem = "bone arms";
    EXPECT_EQ("Tailor|Leather|barbed leather|15|Exceptional|bone arms|7/15|", Made(choice));
    choice.nMade = 15;
    EXPECT_EQ("Tailor|Leather|barbed leather|15|Exceptional|bone arms|15/15|", Made(choice));
    choice.nMade = 16;
    EXPECT_EQ("the number made must be between 0 and the amount", Made(choice));

    // A large deed keeps progress recorded without its parts, and a jewelry set its gem.
    choice = DeedEntry::ChoiceOf(
        *TestDeeds::MakeDeed({"Bowcraft", "Bow", "wood", "10", "Normal", "LBOD/bow", "10/30"}));
    choice.strMaterial = "oak";
    EXPECT_EQ("Bowcraft|Bow|oak|10|Normal|LBOD/bow|10/30||---", Made(choice, false));
    std::unique_ptr<CBodItem> pRuby;
    TooltipReader::ReadBlock("large bulk order / amount to make: 10 / ruby ring: 10 / ruby "
                             "bracelet: 0 / ruby earrings: 0",
                             pRuby);
    EXPECT_EQ(DeedText(*pRuby), Made(DeedEntry::ChoiceOf(*pRuby)));
}

// What the game hands out or a bribe makes of it (BulkOrderSystem.cs CanUseMaterial,
// CanBeExceptional, _ExceptionalExcluded, MutateBOD; a large deed judged by its first part),
// each row checked against those scripts: the deed made (item, material, quality) or why not.
TEST(DeedEntryTest, OffersWhatTheGameOrABribeGivesAndRefusesTheRest) {
    const auto gem = [](DeedChoice choice, const char* pszGem) {
        choice.strGem = pszGem;
        return choice;
    };
    const std::pair<DeedChoice, const char*> cases[] = {
        {Choice("Smithy", false, "katana", "dull copper"), "katana|dull copper|Normal"},
        {Choice("Smithy", true, "cutlass", "dull copper"), "LBOD/cutlass|dull copper|Normal"},
        {Choice("Tinkering", false, "sewing kit", "valorite"), "sewing kit|valorite|Normal"},
        {Choice("Tinkering", false, "Ruby Ring", "gold"), "ruby ring|gold|Normal"},
        {Choice("Tinkering", true, "mortar and pestle", "bronze"),
         "LBOD/mortar and pestle|bronze|Normal"},
        {gem(Choice("Tinkering", true, "ring", "copper"), "diamond"), "LBOD/ring|copper|Normal"},
        {Choice("Tinkering", false, "hinge", "", 20, true), "hinge|iron|Exceptional"},
        {Choice("Tinkering", false, "sextant parts", "agapite"), "sextant parts|agapite|Normal"},
        {Choice("Tinkering", false, "clock parts", "dull copper"),
         "'clock parts' is never asked for in dull copper"},
        {Choice("Bowcraft", false, "bow", "frostwood", 20, true), "bow|frostwood|Exceptional"},
        {Choice("Bowcraft", false, "kindling", "oak"), "'kindling' is never asked for in oak"},
        {Choice("Tailor", true, "sandals", "barbed leather"), "LBOD/sandals|barbed leather|Normal"},
        {Choice("Tailor", false, "fancy shirt", "spined leather"),
         "'fancy shirt' is never asked for in spined leather"},
        {Choice("Tailor", true, "straw hat", "spined leather"),
         "'straw hat' is never asked for in spined leather"},
        {Choice("Alchemy", false, "explosion potion", "", 20, true),
         "'an explosion potion' is never asked for exceptional"},
        {Choice("Inscription", true, "clumsy", "", 20, true),
         "'clumsy' is never asked for exceptional"},
        {Choice("Cooking", false, "cake", "oak"), "'cake' is never asked for in oak"},
        {Choice("Cooking", true, "pan of cookies", "", 15, true),
         "LBOD/pan of cookies|no material|Exceptional"},
        {Choice("Cooking", true, "enchanted apple", "", 15, true),
         "'enchanted apple' is never asked for exceptional"},
        // Names in any case, with or without their article; a jewel names its gem.
        {Choice("Alchemy", false, " Greater  Heal Potion"),
         "a greater heal potion|no material|Normal"},
        {Choice("Cooking", false, "A Three Tiered Cake"), "three tiered cake|no material|Normal"},
        {Choice("Tinkering", false, "ring"), "'ring' needs a gem: star sapphire, emerald, "
                                             "sapphire, ruby, citrine, amethyst, tourmaline, "
                                             "amber, diamond"},
        {gem(Choice("Tinkering", false, "globe"), "ruby"), "'globe' has no gem"},
        {Choice("Smith", false, "katana"), "unknown trade 'Smith'"},
        {Choice("Smithy", false, "fancy shirt"), "Smithy has no item 'fancy shirt'"},
        {Choice("Tailor", true, "chainmail"), "Tailor has no large set 'chainmail'"},
        {Choice("Smithy", false, "katana", "", 25), "the amount must be 10, 15 or 20"}};
    for (const auto& [choice, pszMade] : cases) {
        std::unique_ptr<CBodItem> pMade;
        const std::string wrong = DeedEntry::Make(choice, pMade);
        EXPECT_EQ(pszMade,
                  pMade ? pMade->m_strItem + '|' + pMade->m_strMaterial + '|' + pMade->m_strQuality
                        : wrong);
    }
    EXPECT_EQ((std::vector<std::string_view>{"wood", "oak", "ash", "yew", "heartwood", "bloodwood",
                                             "frostwood"}),
              DeedEntry::Materials("Bowcraft", false, "bow"));
    EXPECT_EQ((std::vector<std::string_view>{"normal leather", "spined leather", "horned leather",
                                             "barbed leather"}),
              DeedEntry::Materials("Tailor", true, "bone helmet"));
}

// Everything the dialog offers makes a deed of its craft, and every set is of one of the crafts.
TEST(DeedEntryTest, EverythingOfferedMakesADeedOfItsCraft) {
    std::size_t nSets = 0;
    for (const std::string_view trade : DeedEntry::Trades()) {
        for (const bool bLarge : {false, true}) {
            for (const std::string_view item :
                 bLarge ? DeedEntry::Sets(trade) : DeedEntry::Items(trade)) {
                DeedChoice choice =
                    Choice(std::string(trade).c_str(), bLarge, std::string(item).c_str());
                choice.strGem = DeedEntry::NeedsGem(trade, bLarge, item) ? "amber" : "";
                const std::string made = Made(choice, false);
                EXPECT_TRUE(made.starts_with(std::string(trade) + '|') &&
                            made.find("||") == made.rfind("||") && bLarge == made.ends_with("-"))
                    << made;
                nSets += bLarge ? 1 : 0;
            }
        }
    }
    EXPECT_EQ(BodCatalogue::kRowCount, nSets);
}

constexpr const char* kHead = "a bulk order deed / blessed / Weight: 1 stone / ";

// Deeds of the crafts, as the game stores them and in capitals. Large deeds list their parts in
// the game's order, which is not always the catalogue's.
TEST(TooltipReaderTest, ReadsADeedOfEveryCraftInEitherCase) {
    const std::pair<std::string, std::string> cases[] = {
        {"small bulk order / All items must be exceptional. / All items must be made with "
         "valorite ingots. / amount to make: 20 / platemail gloves: 0",
         "Smithy|Platemail|valorite|20|Exceptional|platemail gloves|0/20||"},
        {"large bulk order / All items must be exceptional. / All items must be made with barbed "
         "leather. / amount to make: 20 / leather gorget: 20 / leather cap: 0 / leather gloves: 0 "
         "/ leather sleeves: 0 / leather leggings: 0 / leather tunic: 0",
         "Tailor|Leather|barbed leather|20|Exceptional|LBOD/leather cap|20/120||--+---"},
        {"small bulk order / amount to make: 15 / a Greater Heal potion: 0",
         "Alchemy|Potion|no material|15|Normal|a greater heal potion|0/15||"},
        {"small bulk order / All items must be exceptional. / All items must be made with yew "
         "wood. / amount to make: 20 / composite bow: 3",
         "Bowcraft|Bow|yew|20|Exceptional|composite bow|3/20||"},
        {"large bulk order / oak / amount to make: 10 / red armoire: 0 / elegant armoire: 0 / "
         "maple armoire: 0 / cherry armoire: 0",
         "Carpentry|Woodwork|oak|10|Normal|LBOD/red armoire|0/40||----"},
        {"small bulk order / All items must be exceptional. / All items must be made with shadow "
         "iron ingots. / amount to make: 15 / globe: 0",
         "Tinkering|Metalware|shadow iron|15|Exceptional|globe|0/15||"},
        {"large bulk order / amount to make: 10 / ruby ring: 0 / ruby bracelet: 10 / ruby "
         "earrings: 0",
         "Tinkering|Jewelry|iron|10|Normal|LBOD/ring|10/30||-+-"},
        // Names newer clients print with an article; a Fruits set that came out without its
        // grapes; two parts missing are too many.
        {"small bulk order / amount to make: 10 / A Three Tiered Cake: 0",
         "Cooking|Food|no material|10|Normal|three tiered cake|0/10||"},
        {"large bulk order / amount to make: 10 / spellbook: 0 / necromancer spellbook: 0 / "
         "runebook: 0 / A Runic Atlas: 10",
         "Inscription|Book|no material|10|Normal|LBOD/spellbook|10/40||---+"},
        {"large bulk order / amount to make: 10 / enchanted apple: 10 / savage kin paint: 0 / "
         "smoke bomb: 0",
         "Cooking|Food|no material|10|Normal|LBOD/enchanted apple|10/30||+--"},
        {"large bulk order / amount to make: 10 / enchanted apple: 0 / smoke bomb: 0",
         "invalid Cooking|Food|no material|10|Normal|LBOD/enchanted apple|||"},
        // Whatever is not a deed, or names nothing any craft makes, is an invalid row.
        {"Hello / World", "invalid ||||||||"},
        {"amount to make: 10 / globe: 0", "invalid ||||||||"},
        {"small bulk order / amount to make: 10", "invalid ||||||||"},
        {"small bulk order / amount to make: 10 / dragon egg: 0",
         "invalid |||10|Normal|dragon egg|0/10||"},
        // Nor is a deed that says what the game never prints.
        {"small bulk order / amount to make: 99999999999 / globe: 0",
         "invalid Tinkering|Metalware|iron|99999999999|Normal|globe|0/99999999999||"},
        {"small bulk order / all items must be made with @SUM(1+1) ingots. / amount to make: 10 / "
         "globe: 0",
         "invalid Tinkering|Metalware|@sum(1+1)|10|Normal|globe|0/10||"}};
    for (const auto& [block, text] : cases) {
        std::string upper = kHead + block;
        std::ranges::transform(upper, upper.begin(),
                               [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
        for (const std::string& shown : {kHead + block, upper}) {
            std::unique_ptr<CBodItem> pBod;
            const bool bValid = TooltipReader::ReadBlock(shown, pBod);
            EXPECT_EQ(text, (bValid ? "" : "invalid ") + DeedText(*pBod, false)) << shown;
        }
    }
    // A gem stays in the names of a large deed's parts, so small deeds of that gem fill them.
    std::unique_ptr<CBodItem> pBod;
    TooltipReader::ReadBlock(kHead + cases[6].first, pBod);
    EXPECT_EQ("ruby bracelet", pBod->m_arrParts[1].m_strName);
    // A wood is named with or without "wood" after it.
    for (const std::string wood : {"oak", "ash", "yew", "heartwood", "bloodwood", "frostwood"}) {
        TooltipReader::ReadBlock(
            "small bulk order / " + wood + " wood / amount to make: 10 / bow: 0", pBod);
        EXPECT_EQ(wood, pBod->m_strMaterial);
    }
}

// Blocks end at empty lines and where a new deed begins; a joined block stays one, and so do
// blocks in a row that are no deed.
TEST(TooltipReaderTest, SplitsOneBlockPerDeed) {
    const std::string text = "A Bulk Order Deed\r\nBlessed\r\n  Small Bulk Order  \r\n\r\n\r\n"
                             "junk\n\nA Bulk Order Deed\na bulk order deed / small bulk order\n"
                             "A BULK ORDER DEED\rlarge bulk order\n";
    EXPECT_EQ((std::vector<std::string>{
                  "A Bulk Order Deed / Blessed / Small Bulk Order", "junk / A Bulk Order Deed",
                  "a bulk order deed / small bulk order", "A BULK ORDER DEED / large bulk order"}),
              TooltipReader::SplitBlocks(text));
}

} // namespace
