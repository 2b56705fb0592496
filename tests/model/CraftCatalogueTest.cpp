#include "model/BodCatalogue.h"
#include "model/BodItem.h"
#include "model/BodPoints.h"
#include "model/CraftItems.h"
#include "support/TestDeeds.h"

#include <gtest/gtest.h>
#include <map>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

namespace {

std::vector<std::string> Split(const std::string& joined, char separator) {
    std::vector<std::string> names;
    std::istringstream in(joined);
    for (std::string name; std::getline(in, name, separator);) {
        names.push_back(name);
    }
    return names;
}

// A deed written as "trade|category|material|amount|quality|item|count".
std::unique_ptr<CBodItem> Deed(const std::string& fields) {
    const std::vector<std::string> f = Split(fields, '|');
    return TestDeeds::MakeDeed({f[0], f[1], f[2], f[3], f[4], f[5], f[6]});
}

// Every large set of the six newer crafts, its parts as the deeds print them, lower case, each
// set keyed by its first part: "craft: set;set;...", a set's parts joined by '|'.
const char* const kNewerSets[] = {
    "Alchemy: an explosion potion|confusion blast|a conflagration potion|a greater explosion "
    "potion|greater confusion blast|a greater conflagration potion;a total refreshment potion|a "
    "greater agility potion|a greater strength potion;a lesser heal potion|a lesser cure potion|a "
    "lesser poison potion|a lesser explosion potion;a refresh potion|a heal potion|a cure potion;"
    "a poison potion|a greater poison potion|parasitic poison|darkglow poison|a deadly poison "
    "potion",
    "Bowcraft: bow|composite bow|yumi;crossbow|heavy crossbow|repeating crossbow;arrow|crossbow "
    "bolt;magical shortbow|ranger's shortbow|lightweight shortbow|mystical shortbow|assassin's "
    "shortbow;elven composite longbow|barbed longbow|slayer longbow|frozen longbow|longbow of "
    "might",
    "Carpentry: red armoire|elegant armoire|maple armoire|cherry armoire;tall cabinet|short "
    "cabinet;plain wooden chest|ornate wooden chest|gilded wooden chest|wooden footlocker|"
    "finished wooden chest;wild staff|arcanist's wild staff|ancient wild staff|thorned wild staff|"
    "hardened wild staff;lap harp|lute|drum|standing harp;gnarled staff|quarter staff|shepherd's "
    "crook|tetsubo|bokuto;wooden box|wooden shelf|wooden bench|wooden throne",
    "Cooking: cooked bird|fish steak|fried eggs|leg of lamb|cut of ribs;sweet cocoa butter|sack "
    "of flour|dough;enchanted apple|savage kin paint|grapes of wrath|smoke bomb;miso soup|white "
    "miso soup|red miso soup|awase miso soup;wasabi clumps|sushi rolls|sushi platter|green tea;"
    "pan of cookies|cake|muffins|three tiered cake;unbaked fruit pie|unbaked peach cobbler|"
    "unbaked apple pie|unbaked pumpkin pie",
    "Inscription: spellbook|necromancer spellbook|runebook|runic atlas;clumsy|feeblemind|weaken;"
    "heal|agility|cunning|cure|strength;curse|greater heal|recall;blade spirits|dispel field|"
    "magic reflection|paralyze|summon creature;chain lightning|flamestrike|mana vampire|meteor "
    "swarm|polymorph;summon air elemental|summon daemon|summon earth elemental|summon fire "
    "elemental|summon water elemental;blood oath|corpse skin|curse weapon|evil omen|pain spike;"
    "animate dead|horrific beast|mind rot|summon familiar;poison strike|strangle|wither",
    "Tinkering: butcher knife|spoon|fork|plate|knife|goblet;ring|bracelet|earrings;key ring|iron "
    "key|globe|spyglass;mortar and pestle|smith's hammer|frypan|sewing kit|arrow fletching"};

TEST(CraftCatalogueTest, EveryNewerSetBuildsItsParts) {
    for (const std::string craft : kNewerSets) {
        const std::string trade = craft.substr(0, craft.find(':'));
        std::string built = trade + ":";
        char separator = ' ';
        for (const std::string& set : Split(craft.substr(trade.size() + 2), ';')) {
            CBodItem bod = *TestDeeds::MakeDeed({trade, "Any", "oak", "10", "Normal",
                                                 "LBOD/" + set.substr(0, set.find('|')), "0/10"});
            bod.BuildPartsIfNeeded();
            for (const CBodItemDetail& part : bod.m_arrParts) {
                built += separator + part.m_strName;
                separator = '|';
            }
            separator = ';';
        }
        EXPECT_EQ(craft, built);
    }
}

// The game's small lists per craft (the Tinkering list also holds the Tools set's "frypan", the
// Tailor list the classic bone set's "bone legs"), and every part of every set is an item of the
// set's craft.
TEST(CraftCatalogueTest, SmallListsHoldEachCraftsItemsAndEverySetPart) {
    std::map<std::string, int> counts;
    for (const CraftItemGroup& group : CraftItems::Groups()) {
        counts[std::string(group.trade)] += static_cast<int>(group.items.size());
    }
    std::string countText;
    for (const auto& [trade, count] : counts) {
        countText += trade + ' ' + std::to_string(count) + ' ';
    }
    EXPECT_EQ("Alchemy 26 Bowcraft 20 Carpentry 37 Cooking 44 Inscription 84 Smithy 49 Tailor 56 "
              "Tinkering 47 ",
              countText);
    for (const BodCatalogueRow& row : BodCatalogue::Rows()) {
        for (const std::string_view part : row.Parts()) {
            const CraftItemGroup* group = CraftItems::FindGroup(part);
            ASSERT_NE(nullptr, group) << part;
            EXPECT_EQ(row.trade, group->trade) << part;
        }
    }
}

// Turn-in points and banked points (2 % small, 20 % large), the first two from the published
// Tinkering table, the rest worked out by hand from each craft's rule: 10, 25 or 50 for the
// amount, then the craft's exceptional, material and set bonuses (never for unknown sets or
// amounts the game never asks for).
TEST(BodPointsTest, EachCraftFollowsItsRule) {
    const std::tuple<const char*, std::int64_t, const char*> cases[] = {
        {"Tinkering|Metalware|iron|10|Normal|globe|0/10", 10, "0.2"},
        {"Tinkering|Jewelry|iron|10|Normal|LBOD/ring|0/30", 210, "42"},
        {"Smithy|Platemail|valorite|20|Exceptional|plate helm|0/20", 800, "16"},
        {"Tailor|Leather|barbed leather|15|Exceptional|LBOD/leather cap|0/90", 775, "155"},
        {"Alchemy|Potion|x|15|Exceptional|LBOD/a total refreshment potion|0/45", 325, "65"},
        {"Bowcraft|Bow|frostwood|10|Exceptional|yumi|0/10", 760, "15.2"},
        {"Carpentry|Woodwork|oak|20|Normal|LBOD/wild staff|0/100", 700, "140"},
        {"Cooking|Food|no material|15|Exceptional|cake|0/15", 225, "4.5"},
        {"Inscription|Scroll|x|10|Normal|LBOD/summon air elemental|0/50", 410, "82"},
        {"Tinkering|Metalware|copper|15|Normal|spyglass|0/15", 325, "6.5"},
        {"Smithy|Weapon|iron|12|Normal|LBOD/dragon armor|0/12", 0, "0"},
        {"Smithy|Weapon|iron|20|Normal|LBOD/dragon armor|0/12", 50, "10"},
        {"Tailor|Cloth|cloth|20|Normal|cloak|0/20", 50, "1"}};
    for (const auto& [pszDeed, nTurnIn, pszBank] : cases) {
        const CBodPoints points = BodPoints::Of(*Deed(pszDeed));
        EXPECT_EQ(nTurnIn, points.nTurnIn) << pszDeed;
        EXPECT_EQ(pszBank, BodPoints::FormatBank(points.nBankHundredths)) << pszDeed;
    }
    // Every material, from the published tables' column for a normal small deed of 10.
    const std::pair<const char*, int> materials[] = {
        {"Smithy dull copper", 210},    {"Smithy shadow iron", 260},
        {"Tinkering copper", 310},      {"Smithy bronze", 360},
        {"Tinkering gold", 410},        {"Smithy agapite", 460},
        {"Tinkering verite", 510},      {"Smithy valorite", 560},
        {"Tailor spined leather", 60},  {"Tailor horned leather", 110},
        {"Tailor barbed leather", 160}, {"Carpentry oak", 310},
        {"Bowcraft ash", 360},          {"Carpentry yew", 410},
        {"Bowcraft heartwood", 460},    {"Carpentry bloodwood", 510},
        {"Bowcraft frostwood", 560},    {"Cooking oak", 10}};
    for (const auto& [pszMaterial, nTurnIn] : materials) {
        const std::string text = pszMaterial;
        const std::size_t blank = text.find(' ');
        const std::string deed =
            text.substr(0, blank) + "|Any|" + text.substr(blank + 1) + "|10|Normal|item|0/10";
        EXPECT_EQ(nTurnIn, BodPoints::Of(*Deed(deed)).nTurnIn) << deed;
    }
}

} // namespace
