#include "model/BodCatalogue.h"
#include "model/BodFilter.h"
#include "model/BodItem.h"
#include "model/BodPoints.h"
#include "model/CraftItems.h"
#include "model/DeedCombining.h"
#include "model/DeedCsv.h"
#include "model/DuplicateFinder.h"
#include "model/LargeDeedFilling.h"
#include "model/ShoppingList.h"
#include "model/TextUtil.h"
#include "support/TestDeeds.h"

#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <tuple>

namespace {

CBodItem MakeValidLarge(const std::string& item) {
    return *TestDeeds::MakeDeed({"Smithy", "Platemail", "iron", "20", "Normal", item, "0/120"});
}

// Keys are trimmed and lower-cased; a key that is also an earlier row's part (sandals) still
// finds its own row; an unknown key builds nothing.
TEST(BodItemTest, BuildsTheCatalogueRowOfTheKey) {
    std::string built;
    for (const char* item :
         {"LBOD/ Platemail  ", "LBOD/sandals", "LBOD/bandana", "LBOD/bonnet", "LBOD/feathered hat",
          "LBOD/bardiche", "LBOD/large battle axe", "LBOD/chainmail", "LBOD/dragon armor"}) {
        CBodItem bod = MakeValidLarge(item);
        bod.BuildPartsIfNeeded();
        built += std::to_string(bod.GetPartCount()) + (bod.m_bPartsBuilt ? " " : "! ") +
                 (bod.GetPartCount() > 0 ? bod.m_arrParts.front().m_strName : "") + '|';
    }
    EXPECT_EQ(built, "6 platemail gorget|4 sandals|4 bandana|4 bonnet|5 feathered hat|2 bardiche|"
                     "6 large battle axe|3 chainmail coif|0! |");
    // The 22 classic sets come first, so their keys still win.
    ASSERT_EQ(60U, BodCatalogue::Rows().size());
    std::size_t nParts = 0;
    for (const BodCatalogueRow& row : BodCatalogue::Rows().first(22)) {
        nParts += row.Parts().size();
        EXPECT_TRUE(row.trade == "Smithy" || row.trade == "Tailor") << row.key;
    }
    EXPECT_EQ(101U, nParts);
}

// Out-of-range parts are ignored; a copy takes only built parts; assignment replaces parts.
TEST(BodItemTest, PartAccessStaysInRangeAndCopiesTakeOnlyBuiltParts) {
    CBodItem bod = MakeValidLarge("LBOD/platemail");
    bod.m_arrParts.emplace_back("stray", true);
    EXPECT_EQ(CBodItem(bod).GetPartCount(), 0);
    bod.BuildPartsIfNeeded();
    bod.SetPart(2, true, "");
    bod.SetPart(6, true, "x");
    bod.SetPart(-1, true, "x");
    EXPECT_TRUE(bod.GetPart(6) == nullptr && bod.GetPart(-1) == nullptr);
    CBodItem reused = MakeValidLarge("LBOD/chainmail");
    reused.BuildPartsIfNeeded();
    reused = bod;
    std::string parts;
    for (int nPart = 0; nPart < reused.GetPartCount(); ++nPart) {
        parts += reused.GetPart(nPart)->IsFilled() ? '+' : '-';
    }
    EXPECT_EQ("--+---", parts);
    EXPECT_EQ(reused.GetPart(0)->m_strName + '|' + reused.GetPart(2)->m_strName,
              "platemail gorget|plate helm");
    reused = MakeValidLarge("LBOD/platemail");
    EXPECT_EQ(reused.GetPartCount(), 0);
}

// The same deed is one whose every text and part is the same, whatever its time and notes.
TEST(DuplicateFinderTest, EveryTextAndPartCounts) {
    CBodItem bod = MakeValidLarge("LBOD/chainmail");
    bod.BuildPartsIfNeeded();
    CDuplicateFinder finder;
    finder.Add(bod);
    std::vector<CBodItem> others(5, bod);
    others[0].m_strPrice = "900";
    // Texts that read the same only when run together ("iro" "n20"), also when a length alone
    // would end a text ("2" ... "abcd0000000" against "00000011abcd" and six empty texts).
    std::tie(others[1].m_strMaterial, others[1].m_strAmount) = std::tuple("iro", "n20");
    others[2].SetPart(1, true, "");
    others[3].SetPart(1, false, "chainmail hood");
    others[4] = CBodItem();
    others[4].m_strTrade = "2";
    others[4].m_strPrice = "abcd0000000";
    CBodItem run;
    run.m_strTrade = "00000011abcd";
    finder.Add(run);
    for (const CBodItem& other : others) {
        EXPECT_FALSE(finder.Contains(other)) << other.m_strPrice << other.m_strMaterial;
    }
    bod.m_strNotes = "kept for later";
    bod.m_timeAdded = 1;
    EXPECT_TRUE(finder.Contains(bod));
}

using Size = CBodFilter::Size;

CBodFilter Filter(std::string_view text, Size size = Size::Any,
                  std::optional<std::string> trade = {}, std::optional<std::string> quality = {},
                  std::optional<std::string> material = {}) {
    CBodFilter filter;
    filter.SetText(text);
    filter.SetSize(size);
    filter.SetTrade(std::move(trade));
    filter.SetQuality(std::move(quality));
    filter.SetMaterial(std::move(material));
    return filter;
}

TEST(BodFilterTest, EveryWordMustBeInOneOfTheTextsAndEveryChoiceMustHold) {
    const std::unique_ptr<CBodItem> pGloves = TestDeeds::MakeDeed(
        {"Smithy", "Platemail", "Dull Copper", "20", "Exceptional", "platemail gloves", "0/20"});
    pGloves->m_strPrice = "1500gp";
    pGloves->m_strNotes = "Für Ærwin";
    const std::unique_ptr<CBodItem> pLarge =
        TestDeeds::MakeDeed({"Tailor", "", "", "10", "Normal", "LBOD/LEATHER", "0/60"});
    pLarge->m_strNotes = "ABABABABABABABABABABABAC";
    const std::tuple<const char*, CBodFilter, bool, bool> cases[] = {
        {"nothing set", Filter(""), true, true},
        {"blanks only", Filter(" \t "), true, true},
        {"part of the item", Filter("GLOV"), true, false},
        {"words in different texts", Filter("copper  gloves exc plate"), true, false},
        {"one word found nowhere", Filter("gloves iron"), false, false},
        {"a word across two texts", Filter("glovesexceptional"), false, false},
        {"a long word that repeats itself", Filter("abababababababababac"), false, true},
        {"a long word found nowhere", Filter("abababababababababababab"), false, false},
        {"price", Filter("1500"), true, false},
        {"notes, letters beyond ASCII in any case", Filter("FÜR æRWIN"), true, false},
        {"a word that is a whole text", Filter("1500GP"), true, false},
        {"the trade is no text to find", Filter("smithy"), false, false},
        {"the amount is no text to find", Filter("20"), false, false},
        {"large", Filter("", Size::Large), false, true},
        {"small", Filter("", Size::Small), true, false},
        {"trade", Filter("", Size::Any, "Tailor"), false, true},
        {"trade is compared exactly", Filter("", Size::Any, "tailor"), false, false},
        {"quality", Filter("", Size::Any, {}, "Exceptional"), true, false},
        {"material", Filter("", Size::Any, {}, {}, "Dull Copper"), true, false},
        {"an empty material is a value", Filter("", Size::Any, {}, {}, ""), false, true},
        {"choices and words together", Filter("leather", Size::Large, "Tailor"), false, true},
    };
    // Here only the filters that let both deeds through are inactive.
    for (const auto& [pszCase, filter, bGloves, bLarge] : cases) {
        EXPECT_EQ(std::tuple(bGloves, bLarge, !(bGloves && bLarge)),
                  std::tuple(filter.Matches(*pGloves), filter.Matches(*pLarge), filter.IsActive()))
            << pszCase;
    }
    EXPECT_EQ("àþÿšœžé×aé", CBodFilter::FoldCase("ÀÞŸŠŒŽÉ×Aé"));
    // '@' and '[' sit next to A to Z, and a non-ASCII letter keeps its bytes.
    EXPECT_EQ("azaz@[`{\xC3\x89", TextUtil::AsciiLower("AZaz@[`{\xC3\x89"));
    // Ready to turn in: a large deed whose count is complete, no small one.
    const CBodFilter ready = Filter("", Size::ReadyToTurnIn);
    EXPECT_FALSE(ready.Matches(*pLarge));
    pLarge->m_strCount = "60/60";
    pGloves->m_strCount = "20/20";
    EXPECT_EQ(std::pair(false, true), std::pair(ready.Matches(*pGloves), ready.Matches(*pLarge)));
}

// Narrower means: every deed the new filter lets through, the old one let through too.
TEST(BodFilterTest, NarrowerOnlyWhenNothingHiddenComesBack) {
    const std::tuple<const char*, CBodFilter, CBodFilter, bool> cases[] = {
        {"the same", Filter("glo"), Filter("glo"), true},
        {"a letter more", Filter("glov"), Filter("glo"), true},
        {"a letter in front", Filter("pglo"), Filter("glo"), true},
        {"a word more", Filter("glo iron"), Filter("glo"), true},
        {"a letter less", Filter("gl"), Filter("glo"), false},
        {"another word", Filter("arms"), Filter("glo"), false},
        {"a choice where any stood", Filter("", Size::Large, "Smithy"), Filter(""), true},
        {"any where a choice stood", Filter(""), Filter("", Size::Any, "Smithy"), false},
        {"another trade", Filter("", Size::Any, "Tailor"), Filter("", Size::Any, "Smithy"), false},
        {"another size", Filter("", Size::Small), Filter("", Size::Large), false},
        {"any size again", Filter(""), Filter("", Size::Small), false},
        {"ready where large stood", Filter("", Size::ReadyToTurnIn), Filter("", Size::Large), true},
        {"large where ready stood", Filter("", Size::Large), Filter("", Size::ReadyToTurnIn),
         false},
        {"another quality", Filter("", {}, {}, "a"), Filter("", {}, {}, "b"), false},
        {"another material", Filter("", {}, {}, {}, "a"), Filter("", {}, {}, {}, "b"), false},
    };
    for (const auto& [pszCase, newer, older, bNarrower] : cases) {
        EXPECT_EQ(bNarrower, newer.IsNarrowerThan(older)) << pszCase;
    }
}

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

// A deed written as "material|amount|quality|item|count": the texts the combining rule reads.
// A large deed gets the catalogue's parts (none given) or these, '+' before a filled one.
std::unique_ptr<CBodItem> Rule(const std::string& fields, const char* pszParts = nullptr) {
    std::unique_ptr<CBodItem> pBod = Deed("Any|Any|" + fields);
    for (const std::string& name : Split(pszParts ? pszParts : "", ',')) {
        pBod->m_arrParts.emplace_back(name.substr(name[0] == '+'), name[0] == '+');
    }
    pBod->m_bPartsBuilt = pszParts != nullptr;
    return pBod;
}

// Each row checked against the game's LargeBOD.EndCombine and LargeTinkerBOD.CheckType: which
// small deed combines into which large one, the reason when not, and the count it leaves.
TEST(DeedCombiningTest, CombinesAsTheGameDoesAndSaysWhyNot) {
    using enum DeedCombining::Verdict;
    const char* const kPlate = "iron|20|Normal|LBOD/platemail|0/120";
    const char* const kGloves = "iron|20|Normal|platemail gloves|20/20";
    const char* const kRuby = "iron|10|Normal|ruby ring|10/10";
    const struct {
        const char *pszSmall, *pszLarge, *pszParts;
        DeedCombining::Verdict verdict;
        const char* pszCount;
    } cases[] = {
        // A large deed naming no material takes any of its kind, one naming a material only that.
        {"shadow iron|20|Normal|platemail gloves|20/20", kPlate, nullptr, Combines, "20/120"},
        {"spined leather|10|Normal|leather cap|10/10",
         "normal leather|10|Normal|LBOD/leather cap|0/60", nullptr, Combines, "10/60"},
        {"oak|15|Normal|yumi|15/15", "wood|15|Normal|LBOD/bow|0/45", nullptr, Combines, "15/45"},
        {kGloves, "valorite|20|Normal|LBOD/platemail|0/120", nullptr, OtherMaterial, nullptr},
        {"valorite|20|Exceptional|platemail gloves|20/20",
         "valorite|20|Normal|LBOD/platemail|0/120", nullptr, Combines, "20/120"},
        {kGloves, "iron|20|Exceptional|LBOD/platemail|0/120", nullptr, NotExceptional, nullptr},
        {"iron|15|Normal|platemail gloves|15/15", kPlate, nullptr, OtherAmount, nullptr},
        {"iron| 20|Normal|platemail gloves|20/ 20", kPlate, nullptr, Combines, "20/120"},
        {"iron|20|Normal|platemail gloves|19/20", kPlate, nullptr, Unfinished, nullptr},
        // The game's order: quality before material before completion.
        {"gold|20|Normal|platemail gloves|0/20", "valorite|20|Exceptional|LBOD/platemail|0/120",
         nullptr, NotExceptional, nullptr},
        {kGloves, kPlate, "platemail arms,+platemail gloves", AlreadyFilled, nullptr},
        {kGloves, "iron|20|Normal|LBOD/platemail|120/120", nullptr, AlreadyFilled, nullptr},
        {kGloves, "iron|20|Normal|LBOD/platemail|120", nullptr, Combines, "120/120"},
        {"iron|20|Normal|platemail gorget|20/20", kPlate, "platemail arms", NoSuchPart, nullptr},
        {kGloves, "iron|20|Normal|lbod/platemail|0/120", nullptr, NotLargeAndSmall, nullptr},
        {"iron|20|Normal|LBOD/platemail gloves|20/20", kPlate, nullptr, NotLargeAndSmall, nullptr},
        // By the kind of item, not the printed name; jewels by their gem, of any gem where the
        // set names none.
        {"iron|10|Normal|skillet|10/10", "iron|10|Normal|LBOD/mortar and pestle|0/50", nullptr,
         Combines, "10/50"},
        {"normal leather|10|Normal|Bone Leggings|10/10",
         "normal leather|10|Normal|LBOD/bone helmet|0/20", "bone helmet,bone legs", Combines,
         "10/20"},
        {kRuby, "iron|10|Normal|LBOD/ring|0/30", nullptr, Combines, "10/30"},
        {kRuby, "iron|10|Normal|LBOD/ring|0/20", "diamond ring,diamond bracelet", NoSuchPart,
         nullptr},
        {"iron|10|Normal|ring|10/10", "iron|10|Normal|LBOD/ring|0/20", "ruby ring,ruby bracelet",
         NoSuchPart, nullptr},
        // Progress recorded before the parts were known stays; one of two parts of one name is
        // filled; huge amounts do not wrap.
        {"wood|10|Normal|bow|10/10", "wood|10|Normal|LBOD/bow|10/30", nullptr, Combines, "20/30"},
        {kGloves, kPlate, "platemail gloves,+platemail arms,platemail gloves", Combines, "20/60"},
        {"iron|99999999999|Normal|platemail gloves|99999999999/1",
         "iron|99999999999|Normal|LBOD/platemail|0/1", "a,platemail gloves,b", Combines,
         "2147483647/6442450941"},
    };
    const auto filled = [](const CBodItem& bod) {
        return std::count_if(bod.m_arrParts.begin(), bod.m_arrParts.end(),
                             [](const CBodItemDetail& part) { return part.m_bFilled == 1; });
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.pszSmall) + " onto " + c.pszLarge);
        const std::unique_ptr<CBodItem> pSmall = Rule(c.pszSmall);
        const std::unique_ptr<CBodItem> pLarge = Rule(c.pszLarge, c.pszParts);
        EXPECT_EQ(c.verdict, DeedCombining::Judge(*pSmall, *pLarge));
        if (c.pszCount != nullptr) {
            const auto nFilled = filled(*pLarge);
            ASSERT_TRUE(DeedCombining::CombineBods(*pSmall, *pLarge));
            EXPECT_EQ(c.pszCount, pLarge->m_strCount);
            EXPECT_EQ(nFilled + 1, filled(*pLarge)) << "one part, stored as the file's TRUE";
        }
    }
    EXPECT_FALSE(DeedCombining::CombineBods(*Rule(kGloves), *Rule(kPlate, "platemail arms")));
}

// The form's ticks: a newly ticked part first stands for progress recorded beyond the filled
// parts, an emptied one takes its amount away; parts left alone keep the count text.
TEST(DeedCombiningTest, TickingPartsKeepsTheProgressRecordedWithoutThem) {
    const std::tuple<const char*, const char*, const char*, const char*> cases[] = {
        {"10/30", nullptr, "+a,b,c", "10/30"},   {"10/30", nullptr, "+a,+b,c", "20/30"},
        {"20/30", "+a,+b,c", "+a,b,c", "10/30"}, {"10/30", "+a,b,c", "+a,+b,c", "20/30"},
        {"5/30", "+a,b,c", "a,b,c", "0/30"},     {"stale", "+a,b,c", "+a,b,c", "stale"}};
    for (const auto& [pszCount, pszBefore, pszAfter, pszExpected] : cases) {
        const std::string deed = std::string("wood|10|Normal|LBOD/bow|") + pszCount;
        EXPECT_EQ(pszExpected,
                  DeedCombining::RecountLarge(*Rule(deed, pszBefore), *Rule(deed, pszAfter)))
            << pszCount << ' ' << (pszBefore ? pszBefore : "no parts") << " to " << pszAfter;
    }
    // So does counting the small deeds a large one still needs.
    const auto needed = [](const char* pszCount, const char* pszParts) {
        return DeedCombining::SmallDeedsNeeded(
            *Rule(std::string("wood|10|Normal|LBOD/bow|") + pszCount, pszParts));
    };
    EXPECT_EQ(std::tuple(3, 1, 1, 2),
              std::tuple(needed("0/30", nullptr), needed("25/30", nullptr),
                         needed("20/30", "+a,b,c"), needed("0/30", "a,b,+c")));
}

// The large deed closest to complete first; a small deed asking exactly what the large deed asks
// first; unfinished and unfitting small deeds stay. One filling is undone and redone whole.
TEST(LargeDeedFillingTest, FillsTheClosestFirstWithTheExactFirstAndUndoesWhole) {
    CBodArray bods;
    for (const char* deed :
         {"oak|10|Normal|yumi|10/10", "wood|10|Normal|LBOD/bow|0/30",
          "oak|10|Exceptional|bow|10/10", "wood|15|Normal|bow|15/15", "wood|10|Normal|bow|9/10",
          "wood|10|Normal|bow|10/10", "oak|10|Exceptional|LBOD/crossbow|0/30",
          "oak|10|Normal|crossbow|10/10", "iron|10|Normal|LBOD/ring|0/30",
          "gold|10|Normal|diamond ring|10/10", "iron|10|Normal|ruby ring|10/10"}) {
        bods.push_back(Rule(deed));
    }
    bods.insert(bods.begin() + 2,
                Rule("wood|10|Normal|LBOD/bow|20/30", "+bow,+composite bow,yumi"));
    const auto listed = [&bods] {
        std::string text;
        for (const auto& pBod : bods) {
            text += pBod->m_strItem + ' ' + pBod->m_strMaterial + ' ' + pBod->m_strCount + ',';
        }
        return text + std::to_string(bods[0]->m_arrParts.size());
    };
    const std::string before = listed();
    CLargeDeedFilling filling = CLargeDeedFilling::Run(bods);
    const std::string after =
        "LBOD/bow wood 10/30,LBOD/bow wood 30/30,bow oak 10/10,bow wood 15/15,bow wood 9/10,"
        "LBOD/crossbow oak 0/30,crossbow oak 10/10,LBOD/ring iron 10/30,diamond ring gold "
        "10/10,3";
    EXPECT_EQ(after, listed());
    EXPECT_TRUE(bods[0]->m_arrParts[0].IsFilled() && !bods[0]->m_arrParts[2].IsFilled());
    const CFillCounts counts = filling.Counts();
    EXPECT_EQ(std::tuple(3, 3, 1),
              std::tuple(counts.nLargeFilled, counts.nSmallUsed, counts.nCompleted));
    filling.Undo(bods);
    EXPECT_EQ(before, listed());
    filling.Redo(bods);
    EXPECT_EQ(after, listed());
}

// Every large set of the six newer crafts as the deeds print it, keyed by its first part.
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

// Each small deed the shopping list asks for is an item of the set's craft, so the New Deed dialog
// offers it, and combines, once made, into its large deed: the Tools set's "frypan" is asked for
// as the "skillet" that small deeds print.
TEST(ShoppingListTest, EveryNeededDeedIsAnItemOfItsCraftAndCombinesIntoItsLargeDeed) {
    for (const BodCatalogueRow& row : BodCatalogue::Rows()) {
        const std::unique_ptr<CBodItem> pLarge = Deed(
            std::string(row.trade) + "|Any|iron|10|Normal|LBOD/" + std::string(row.key) + "|0/1");
        pLarge->BuildPartsIfNeeded();
        CBodArray needed;
        ShoppingList::AddNeededSmallBods(pLarge.get(), needed);
        ASSERT_EQ(row.partCount, needed.size()) << row.key;
        std::string items;
        for (const std::unique_ptr<CBodItem>& pNeeded : needed) {
            const CraftItemGroup* group = CraftItems::FindGroup(pNeeded->m_strItem);
            EXPECT_EQ(row.trade, group ? group->trade : "none") << pNeeded->m_strItem;
            pNeeded->m_strCount = "10/10";
            EXPECT_TRUE(DeedCombining::CanDropOn(*pNeeded, *pLarge)) << pNeeded->m_strItem;
            items += pNeeded->m_strItem + ',';
        }
        if (row.key == "mortar and pestle") {
            EXPECT_EQ("mortar and pestle,smith's hammer,skillet,sewing kit,arrow fletching,",
                      items);
        }
    }
}

// Turn-in and banked points (2 % small, 20 % large) worked out by hand from each craft's rule:
// 10, 25 or 50 for the amount, then the bonuses (none for unknown sets or amounts).
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
        {"Smithy|Any|dull copper", 210},    {"Smithy|Any|shadow iron", 260},
        {"Tinkering|Any|copper", 310},      {"Smithy|Any|bronze", 360},
        {"Tinkering|Any|gold", 410},        {"Smithy|Any|agapite", 460},
        {"Tinkering|Any|verite", 510},      {"Smithy|Any|valorite", 560},
        {"Tailor|Any|spined leather", 60},  {"Tailor|Any|horned leather", 110},
        {"Tailor|Any|barbed leather", 160}, {"Carpentry|Any|oak", 310},
        {"Bowcraft|Any|ash", 360},          {"Carpentry|Any|yew", 410},
        {"Bowcraft|Any|heartwood", 460},    {"Carpentry|Any|bloodwood", 510},
        {"Bowcraft|Any|frostwood", 560},    {"Cooking|Any|oak", 10}};
    for (const auto& [pszMaterial, nTurnIn] : materials) {
        const std::string deed = pszMaterial + std::string("|10|Normal|item|0/10");
        EXPECT_EQ(nTurnIn, BodPoints::Of(*Deed(deed)).nTurnIn) << deed;
    }
}

// A shopping list's file lists what is still needed: a set with every part filled needs nothing,
// and the needed small deeds, which the player does not hold, have no date.
TEST(ShoppingListTest, CsvListsWhatIsStillNeededAndDatesOnlyHeldDeeds) {
    CBodArray bods;
    for (const auto& [pszItem, bFull] : {std::pair{"LBOD/half", false}, {"LBOD/full", true}}) {
        bods.push_back(TestDeeds::MakeLargeDeed(
            {"Tailor", "Leather", "horned leather", "10", "Normal", pszItem, "10/20"}, {"a", "b"}));
        bods.back()->SetPart(0, true, "");
        bods.back()->SetPart(1, bFull, "");
        bods.back()->m_timeAdded = 951782400;
    }
    const CBodArray list = ShoppingList::Build(bods);
    std::vector<const CBodItem*> deeds;
    for (const std::unique_ptr<CBodItem>& pBod : list) {
        deeds.push_back(pBod.get());
    }
    EXPECT_EQ(
        "\xEF\xBB\xBFTrade,Category,Material,Amount,Quality,Item,Count,Filled Parts,"
        "Total Parts,Price,Notes,Date\r\n"
        "Tailor,Leather,horned leather,10,Normal,LBOD/half,10/20,1,2,,,2000-02-29T00:00:00Z\r\n"
        "Tailor,Leather,horned leather,10,Normal,b,,0,0,,,\r\n",
        DeedCsv::WriteShoppingList(deeds));
}

} // namespace
