#include "import/DeedEntry.h"

#include "import/BodLineParser.h"
#include "model/BodCatalogue.h"
#include "model/BodFile.h"

#include <gtest/gtest.h>

namespace {

DeedChoice Choice(const char* trade, bool bLarge, const char* item, const char* material = "",
                  int nAmount = 20, bool bExceptional = false) {
    return {trade, bLarge, item, material, nAmount, bExceptional, 0, {}};
}

std::string FileBytes(CBodItem& bod, std::uint32_t nTime) {
    bod.m_timeAdded = nTime;
    CBodArray bods;
    bods.push_back(std::make_unique<CBodItem>(bod));
    return BodFile::Write(bods, 0, 0);
}

// A deed entered by hand is the record its UOAssist line gives, byte for byte in the file: the
// tree groups and the drop matches them by these texts, so any difference splits a branch.
TEST(DeedEntryTest, AHandMadeDeedIsTheRecordOfItsImportedLine) {
    const struct {
        const char* line;
        DeedChoice choice;
    } cases[] = {
        {"small bulk order: 20 exceptional platemail gloves: 0, with shadow iron ingots 300",
         Choice("Smithy", false, "platemail gloves", "shadow iron", 20, true)},
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
         Choice("Tailor", false, "leather cap", "", 10)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        CBodLineParser parser;
        std::unique_ptr<CBodItem> pImported;
        ASSERT_TRUE(parser.ParseLine(c.line, pImported));
        std::unique_ptr<CBodItem> pMade;
        ASSERT_EQ("", DeedEntry::Make(c.choice, pMade));
        pMade->SetPrice(pImported->GetPrice());
        EXPECT_EQ(FileBytes(*pImported, 7), FileBytes(*pMade, 7));
    }
}

// Edit Deed starts from what the deed says: a small deed keeps what it has made, a large one the
// filled parts that its new set still has, and its count follows them.
TEST(DeedEntryTest, AnEditedDeedKeepsTheProgressThatStillFits) {
    std::unique_ptr<CBodItem> pBandana;
    ASSERT_EQ("", DeedEntry::Make(Choice("Tailor", true, "bandana", "", 20), pBandana));
    pBandana->SetPart(1, true, "Shirt");
    pBandana->SetPart(3, true, "Thigh Boots");
    DeedChoice choice = DeedEntry::ChoiceOf(*pBandana);
    choice.strItem = "feathered hat";
    std::unique_ptr<CBodItem> pHat;
    ASSERT_EQ("", DeedEntry::Make(choice, pHat));
    std::string filled;
    for (const CBodItemDetail& part : pHat->m_arrParts) {
        filled += part.m_bFilled ? '1' : '0';
    }
    EXPECT_EQ("LBOD/feathered hat 00001 20/100",
              pHat->m_strItem + ' ' + filled + ' ' + pHat->m_strCount);

    std::unique_ptr<CBodItem> pSmall;
    CBodLineParser parser;
    ASSERT_TRUE(parser.ParseLine(
        "small bulk order: 15 exceptional bone helmet: 7, with barbed leather 1800", pSmall));
    choice = DeedEntry::ChoiceOf(*pSmall);
    choice.strItem = "bone arms";
    std::unique_ptr<CBodItem> pArms;
    ASSERT_EQ("", DeedEntry::Make(choice, pArms));
    EXPECT_EQ("bone arms barbed leather Exceptional 7/15",
              pArms->m_strItem + ' ' + pArms->m_strMaterial + ' ' + pArms->m_strQuality + ' ' +
                  pArms->m_strCount);
    choice.nMade = 15;
    ASSERT_EQ("", DeedEntry::Make(choice, pArms)) << "a finished deed";
    EXPECT_EQ("15/15", pArms->m_strCount);
    choice.nMade = 16;
    EXPECT_EQ("the number made must be between 0 and the amount", DeedEntry::Make(choice, pArms));
}

// The game's own lists, typed from its data: a tinker's tools in no special material, a cook's
// plain dishes never exceptional, a bow in any wood.
TEST(DeedEntryTest, TheGamesPlainAndNeverExceptionalListsHold) {
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
}

// What the game never asks for is refused, with what is wrong, and makes no deed.
TEST(DeedEntryTest, ChoicesTheGameNeverMakesAreRefused) {
    const struct {
        DeedChoice choice;
        const char* wrong;
    } cases[] = {
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
        {Choice("Alchemy", false, "a heal potion", "", 10, true),
         "'a heal potion' is never asked for exceptional"},
        {Choice("Cooking", false, "fried eggs", "", 10, true),
         "'fried eggs' is never asked for exceptional"},
        {Choice("Tinkering", false, "gears", "", 10, true),
         "'gears' is never asked for exceptional"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.wrong);
        std::unique_ptr<CBodItem> pMade = std::make_unique<CBodItem>();
        EXPECT_EQ(c.wrong, DeedEntry::Make(c.choice, pMade));
        EXPECT_EQ(nullptr, pMade);
    }
}

} // namespace

namespace {

// Every item and every set that the dialog offers makes a valid deed of its own craft, filed
// under that craft in the tree.
TEST(DeedEntryTest, EverythingOfferedMakesADeedOfItsCraft) {
    std::size_t nSets = 0;
    for (const std::string_view trade : DeedEntry::Trades()) {
        for (const bool bLarge : {false, true}) {
            for (const std::string_view item :
                 bLarge ? DeedEntry::Sets(trade) : DeedEntry::Items(trade)) {
                SCOPED_TRACE(std::string(trade) + ' ' + std::string(item));
                std::unique_ptr<CBodItem> pBod;
                ASSERT_EQ("", DeedEntry::Make(Choice(std::string(trade).c_str(), bLarge,
                                                     std::string(item).c_str()),
                                              pBod));
                EXPECT_TRUE(pBod->IsValid());
                EXPECT_EQ(trade, pBod->m_strTrade);
                EXPECT_EQ(bLarge, pBod->GetPartCount() > 0);
                nSets += bLarge ? 1 : 0;
            }
        }
    }
    // Every set of the catalogue belongs to one of the eight crafts.
    EXPECT_EQ(BodCatalogue::kRowCount, nSets);
}

} // namespace
