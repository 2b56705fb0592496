#include "import/DeedEntry.h"

#include "DeedText.h"
#include "import/BodLineParser.h"
#include "import/TooltipReader.h"
#include "model/BodCatalogue.h"

#include <gtest/gtest.h>

namespace {

DeedChoice Choice(const char* trade, bool bLarge, const char* item, const char* material = "",
                  int nAmount = 20, bool bExceptional = false) {
    return {trade, bLarge, item, material, nAmount, bExceptional, 0, {}};
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

// A deed entered by hand is the record its UOAssist line gives (but the price): the tree groups
// and the drop match them by these texts, so any difference splits a branch.
TEST(DeedEntryTest, AHandMadeDeedIsTheRecordOfItsImportedLine) {
    const std::pair<const char*, DeedChoice> cases[] = {
        {"small bulk order: 10 katana: 0, with iron ingots 300",
         Choice("Smithy", false, "katana", "", 10)},
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

// Edit Deed starts from what the deed says: a small deed keeps what it has made, a large one the
// filled parts that its new set still has, and its count follows them.
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
}

// The game's own lists, typed from its data: a tinker's tools in no special material, a cook's
// plain dishes never exceptional, a bow in any wood. What the game never asks for is refused,
// with what is wrong.
TEST(DeedEntryTest, ChoicesFollowTheGamesListsAndOthersAreRefused) {
    for (const char* tool :
         {"mortar and pestle", "smith's hammer", "skillet", "sewing kit", "arrow fletching",
          "clippers", "tongs", "sledge hammer", "saw", "froe", "flour sifter"}) {
        EXPECT_EQ(1u, DeedEntry::Materials("Tinkering", false, tool).size()) << tool;
        EXPECT_TRUE(DeedEntry::CanBeExceptional("Tinkering", false, tool)) << tool;
    }
    for (const char* dish :
         {"enchanted apple", "savage kin paint", "grapes of wrath", "smoke bomb", "cooked bird",
          "fish steak", "fried eggs", "leg of lamb", "cut of ribs"}) {
        EXPECT_FALSE(DeedEntry::CanBeExceptional("Cooking", false, dish)) << dish;
    }
    EXPECT_TRUE(DeedEntry::CanBeExceptional("Cooking", false, "sweet cocoa butter"));
    EXPECT_EQ((std::vector<std::string_view>{"wood", "oak", "ash", "yew", "heartwood", "bloodwood",
                                             "frostwood"}),
              DeedEntry::Materials("Bowcraft", false, "bow"));
    const std::pair<DeedChoice, const char*> cases[] = {
        {Choice("Smith", false, "katana"), "unknown trade 'Smith'"},
        {Choice("Smithy", false, "fancy shirt"), "Smithy has no item 'fancy shirt'"},
        {Choice("Tailor", true, "chainmail"), "Tailor has no large set 'chainmail'"},
        {Choice("Smithy", false, "katana", "valorite"), "'katana' is never asked for in valorite"},
        {Choice("Smithy", true, "dagger", "bronze"), "'dagger' is never asked for in bronze"},
        {Choice("Tailor", false, "fancy shirt", "spined leather"),
         "'fancy shirt' is never asked for in spined leather"},
        {Choice("Tinkering", false, "ruby ring", "gold"), "'ruby ring' is never asked for in gold"},
        {Choice("Bowcraft", false, "arrow", "oak"), "'arrow' is never asked for in oak"},
        {Choice("Smithy", false, "katana", "", 25), "the amount must be 10, 15 or 20"},
        {Choice("Cooking", false, "fried eggs", "", 10, true),
         "'fried eggs' is never asked for exceptional"}};
    for (const auto& [choice, wrong] : cases) {
        EXPECT_EQ(wrong, Made(choice));
    }
}

// Every item and every set that the dialog offers makes a valid deed of its own craft, and every
// set of the catalogue belongs to one of the eight crafts.
TEST(DeedEntryTest, EverythingOfferedMakesADeedOfItsCraft) {
    std::size_t nSets = 0;
    for (const std::string_view trade : DeedEntry::Trades()) {
        for (const bool bLarge : {false, true}) {
            for (const std::string_view item :
                 bLarge ? DeedEntry::Sets(trade) : DeedEntry::Items(trade)) {
                const std::string made = Made(
                    Choice(std::string(trade).c_str(), bLarge, std::string(item).c_str()), false);
                EXPECT_TRUE(made.starts_with(std::string(trade) + '|') &&
                            made.find("||") == made.rfind("||") && bLarge == made.ends_with("-"))
                    << made;
                nSets += bLarge ? 1 : 0;
            }
        }
    }
    EXPECT_EQ(BodCatalogue::kRowCount, nSets);
}

// The classic client shows a property list with every word capitalised: the first character
// and each one after white space.
std::string AsTheClientShowsIt(std::string text) {
    bool bWordStart = true;
    for (char& c : text) {
        if (bWordStart && c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
        bWordStart = c == ' ';
    }
    return text;
}

constexpr const char* kHead = "a bulk order deed / blessed / Weight: 1 stone / ";

// One deed of each craft, as the game's own texts store it and as the client shows it. Large
// deeds list their parts in the game's order, which is not always the catalogue's.
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
        {"small bulk order / All items must be exceptional. / amount to make: 20 / white miso "
         "soup: 0",
         "Cooking|Food|no material|20|Exceptional|white miso soup|0/20||"},
        {"large bulk order / amount to make: 10 / Summon Air Elemental: 0 / Summon Daemon: 0 / "
         "Summon Earth Elemental: 0 / Summon Fire Elemental: 0 / Summon Water Elemental: 10",
         "Inscription|Scroll|no material|10|Normal|LBOD/summon air elemental|10/50||----+"},
        {"small bulk order / All items must be exceptional. / All items must be made with shadow "
         "iron ingots. / amount to make: 15 / globe: 0",
         "Tinkering|Metalware|shadow iron|15|Exceptional|globe|0/15||"},
        {"large bulk order / amount to make: 10 / ruby ring: 0 / ruby bracelet: 10 / ruby "
         "earrings: 0",
         "Tinkering|Jewelry|iron|10|Normal|LBOD/ring|10/30||-+-"},
        // Whatever is not a deed, or names nothing any craft makes, is an invalid row.
        {"Hello / World", "invalid ||||||||"},
        {"amount to make: 10 / globe: 0", "invalid ||||||||"},
        {"small bulk order / amount to make: 10", "invalid ||||||||"},
        {"small bulk order / amount to make: 10 / dragon egg: 0",
         "invalid |||10|Normal|dragon egg|0/10||"}};
    for (const auto& [block, text] : cases) {
        for (const std::string& shown : {kHead + block, AsTheClientShowsIt(kHead + block)}) {
            std::unique_ptr<CBodItem> pBod;
            const bool bValid = TooltipReader::ReadBlock(shown, pBod);
            EXPECT_EQ(text, (bValid ? "" : "invalid ") + DeedText(*pBod, false)) << shown;
        }
    }
    // A gem stays in the names of a large deed's parts, so small deeds of that gem fill them.
    std::unique_ptr<CBodItem> pBod;
    TooltipReader::ReadBlock(kHead + cases[8].first, pBod);
    EXPECT_EQ("ruby bracelet", pBod->m_arrParts[1].m_strName);
    // A wood is named with or without "wood" after it.
    for (const std::string wood : {"oak", "ash", "yew", "heartwood", "bloodwood", "frostwood"}) {
        TooltipReader::ReadBlock("small bulk order / All items must be made with " + wood +
                                     " wood. / amount to make: 10 / bow: 0",
                                 pBod);
        EXPECT_EQ(wood, pBod->m_strMaterial);
    }
}

// Blocks end at empty lines and where a new deed begins; a block already joined with slashes
// stays one block.
TEST(TooltipReaderTest, SplitsOneBlockPerDeed) {
    const std::string text = "A Bulk Order Deed\r\nBlessed\r\n  Small Bulk Order  \r\n\r\n\r\n"
                             "junk\na bulk order deed / small bulk order\n"
                             "A BULK ORDER DEED\rlarge bulk order\n";
    EXPECT_EQ((std::vector<std::string>{"A Bulk Order Deed / Blessed / Small Bulk Order", "junk",
                                        "a bulk order deed / small bulk order",
                                        "A BULK ORDER DEED / large bulk order"}),
              TooltipReader::SplitBlocks(text));
}

} // namespace
