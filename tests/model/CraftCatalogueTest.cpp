#include "model/BodCatalogue.h"
#include "model/BodItem.h"
#include "model/BodPoints.h"
#include "model/CraftItems.h"
#include "support/TestDeeds.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

namespace {

std::vector<std::string> Split(const std::string& joined) {
    std::vector<std::string> names;
    std::istringstream in(joined);
    for (std::string name; std::getline(in, name, '|');) {
        names.push_back(name);
    }
    return names;
}

// Every large set of the six newer crafts, its parts as the deeds print them, lower case, with
// the set keyed by its first part.
TEST(CraftCatalogueTest, EveryNewerSetBuildsItsParts) {
    const std::pair<const char*, const char*> sets[] = {
        {"Alchemy", "an explosion potion|confusion blast|a conflagration potion|"
                    "a greater explosion potion|greater confusion blast|"
                    "a greater conflagration potion"},
        {"Alchemy",
         "a total refreshment potion|a greater agility potion|a greater strength potion"},
        {"Alchemy", "a lesser heal potion|a lesser cure potion|a lesser poison potion|a lesser "
                    "explosion potion"},
        {"Alchemy", "a refresh potion|a heal potion|a cure potion"},
        {"Alchemy", "a poison potion|a greater poison potion|parasitic poison|darkglow poison|"
                    "a deadly poison potion"},
        {"Bowcraft", "bow|composite bow|yumi"},
        {"Bowcraft", "crossbow|heavy crossbow|repeating crossbow"},
        {"Bowcraft", "arrow|crossbow bolt"},
        {"Bowcraft", "magical shortbow|ranger's shortbow|lightweight shortbow|mystical shortbow|"
                     "assassin's shortbow"},
        {"Bowcraft", "elven composite longbow|barbed longbow|slayer longbow|frozen longbow|"
                     "longbow of might"},
        {"Carpentry", "red armoire|elegant armoire|maple armoire|cherry armoire"},
        {"Carpentry", "tall cabinet|short cabinet"},
        {"Carpentry", "plain wooden chest|ornate wooden chest|gilded wooden chest|"
                      "wooden footlocker|finished wooden chest"},
        {"Carpentry", "wild staff|arcanist's wild staff|ancient wild staff|thorned wild staff|"
                      "hardened wild staff"},
        {"Carpentry", "lap harp|lute|drum|standing harp"},
        {"Carpentry", "gnarled staff|quarter staff|shepherd's crook|tetsubo|bokuto"},
        {"Carpentry", "wooden box|wooden shelf|wooden bench|wooden throne"},
        {"Cooking", "cooked bird|fish steak|fried eggs|leg of lamb|cut of ribs"},
        {"Cooking", "sweet cocoa butter|sack of flour|dough"},
        {"Cooking", "enchanted apple|savage kin paint|grapes of wrath|smoke bomb"},
        {"Cooking", "miso soup|white miso soup|red miso soup|awase miso soup"},
        {"Cooking", "wasabi clumps|sushi rolls|sushi platter|green tea"},
        {"Cooking", "pan of cookies|cake|muffins|three tiered cake"},
        {"Cooking",
         "unbaked fruit pie|unbaked peach cobbler|unbaked apple pie|unbaked pumpkin pie"},
        {"Inscription", "spellbook|necromancer spellbook|runebook|runic atlas"},
        {"Inscription", "clumsy|feeblemind|weaken"},
        {"Inscription", "heal|agility|cunning|cure|strength"},
        {"Inscription", "curse|greater heal|recall"},
        {"Inscription", "blade spirits|dispel field|magic reflection|paralyze|summon creature"},
        {"Inscription", "chain lightning|flamestrike|mana vampire|meteor swarm|polymorph"},
        {"Inscription", "summon air elemental|summon daemon|summon earth elemental|"
                        "summon fire elemental|summon water elemental"},
        {"Inscription", "blood oath|corpse skin|curse weapon|evil omen|pain spike"},
        {"Inscription", "animate dead|horrific beast|mind rot|summon familiar"},
        {"Inscription", "poison strike|strangle|wither"},
        {"Tinkering", "butcher knife|spoon|fork|plate|knife|goblet"},
        {"Tinkering", "ring|bracelet|earrings"},
        {"Tinkering", "key ring|iron key|globe|spyglass"},
        {"Tinkering", "mortar and pestle|smith's hammer|frypan|sewing kit|arrow fletching"},
    };
    for (const auto& [pszTrade, pszParts] : sets) {
        const std::vector<std::string> parts = Split(pszParts);
        CBodItem bod = *TestDeeds::MakeDeed(
            {pszTrade, "Any", "oak", "10", "Normal", "LBOD/" + parts.front(), "0/10"});
        bod.BuildPartsIfNeeded();
        std::vector<std::string> built;
        for (const CBodItemDetail& part : bod.m_arrParts) {
            built.push_back(part.m_strName);
            EXPECT_FALSE(part.IsFilled());
        }
        EXPECT_EQ(parts, built) << pszParts;
    }
}

// The game's small lists per craft (the Tinkering list also holds the Tools set's "frypan",
// the Tailor list the classic bone set's "bone legs"); no name is empty, oddly spaced or upper
// case, none belongs to two lists, and every part of every set is an item of the set's craft.
TEST(CraftCatalogueTest, SmallListsHoldEachCraftsItemsAndEverySetPart) {
    std::map<std::string, int> counts;
    std::set<std::string_view> names;
    for (const CraftItemGroup& group : CraftItems::Groups()) {
        for (const std::string_view name : group.items) {
            ++counts[std::string(group.trade)];
            EXPECT_TRUE(names.insert(name).second) << name;
            EXPECT_FALSE(
                name.empty() || name.front() == ' ' || name.back() == ' ' ||
                name.find("  ") != std::string_view::npos ||
                std::any_of(name.begin(), name.end(), [](char c) { return c >= 'A' && c <= 'Z'; }))
                << name;
        }
    }
    EXPECT_EQ((std::map<std::string, int>{{"Alchemy", 26},
                                          {"Bowcraft", 20},
                                          {"Carpentry", 37},
                                          {"Cooking", 44},
                                          {"Inscription", 84},
                                          {"Smithy", 49},
                                          {"Tailor", 56},
                                          {"Tinkering", 47}}),
              counts);
    for (const BodCatalogueRow& row : BodCatalogue::Rows()) {
        for (const std::string_view part : row.Parts()) {
            const CraftItemGroup* group = CraftItems::FindGroup(part);
            ASSERT_NE(nullptr, group) << part;
            EXPECT_EQ(row.trade, group->trade) << part;
        }
    }
}

// Turn-in points and banked points (2 % small, 20 % large), the first two from the published
// Tinkering table, the rest worked out by hand from each craft's rule.
TEST(BodPointsTest, EachCraftFollowsItsRule) {
    const struct {
        TestDeeds::DeedFields deed;
        std::int64_t nTurnIn;
        const char* pszBank;
    } cases[] = {
        {{"Tinkering", "Metalware", "iron", "10", "Normal", "globe", "0/10"}, 10, "0.2"},
        {{"Tinkering", "Jewelry", "iron", "10", "Normal", "LBOD/ring", "0/30"}, 210, "42"},
        // 50 + 200 exceptional + 550 valorite
        {{"Smithy", "Platemail", "valorite", "20", "Exceptional", "plate helm", "0/20"}, 800, "16"},
        // 25 + 100 exceptional + 150 barbed + 500 for a six-part set
        {{"Tailor", "Leather", "barbed leather", "15", "Exceptional", "LBOD/leather cap", "0/90"},
         775,
         "155"},
        // 25 + 300 for the greater potions, never exceptional
        {{"Alchemy", "Potion", "no material", "15", "Exceptional",
          "LBOD/a total refreshment potion", "0/45"},
         325,
         "65"},
        // 10 + 200 exceptional + 550 frostwood
        {{"Bowcraft", "Bow", "frostwood", "10", "Exceptional", "yumi", "0/10"}, 760, "15.2"},
        // 50 + 300 oak + 350 elven weapons
        {{"Carpentry", "Woodwork", "oak", "20", "Normal", "LBOD/wild staff", "0/100"}, 700, "140"},
        // 25 + 200 exceptional
        {{"Cooking", "Food", "no material", "15", "Exceptional", "cake", "0/15"}, 225, "4.5"},
        // 10 + 400 for the eighth circle
        {{"Inscription", "Scroll", "no material", "10", "Normal", "LBOD/summon air elemental",
          "0/50"},
         410,
         "82"},
        // 25 + 300 copper
        {{"Tinkering", "Metalware", "copper", "15", "Normal", "spyglass", "0/15"}, 325, "6.5"},
        // An amount the game never asks for counts nothing; unknown sets add nothing.
        {{"Smithy", "Weapon", "iron", "12", "Normal", "LBOD/dragon armor", "0/12"}, 0, "0"},
        {{"Smithy", "Weapon", "iron", "20", "Normal", "LBOD/dragon armor", "0/12"}, 50, "10"},
        {{"Tailor", "Cloth", "cloth", "20", "Normal", "cloak", "0/20"}, 50, "1"},
    };
    for (const auto& c : cases) {
        const CBodPoints points = BodPoints::Of(*TestDeeds::MakeDeed(c.deed));
        EXPECT_EQ(c.nTurnIn, points.nTurnIn) << c.deed.strItem;
        EXPECT_EQ(c.pszBank, BodPoints::FormatBank(points.nBankHundredths)) << c.deed.strItem;
    }
    // Every material, from the published tables' column for a normal small deed of 10.
    const std::tuple<const char*, const char*, int> materials[] = {
        {"Smithy", "dull copper", 210},    {"Smithy", "shadow iron", 260},
        {"Tinkering", "copper", 310},      {"Smithy", "bronze", 360},
        {"Tinkering", "gold", 410},        {"Smithy", "agapite", 460},
        {"Tinkering", "verite", 510},      {"Smithy", "valorite", 560},
        {"Tailor", "spined leather", 60},  {"Tailor", "horned leather", 110},
        {"Tailor", "barbed leather", 160}, {"Carpentry", "oak", 310},
        {"Bowcraft", "ash", 360},          {"Carpentry", "yew", 410},
        {"Bowcraft", "heartwood", 460},    {"Carpentry", "bloodwood", 510},
        {"Bowcraft", "frostwood", 560},    {"Cooking", "oak", 10}};
    for (const auto& [pszTrade, pszMaterial, nTurnIn] : materials) {
        EXPECT_EQ(nTurnIn, BodPoints::Of(*TestDeeds::MakeDeed({pszTrade, "Any", pszMaterial, "10",
                                                               "Normal", "item", "0/10"}))
                               .nTurnIn)
            << pszMaterial;
    }
}

} // namespace
