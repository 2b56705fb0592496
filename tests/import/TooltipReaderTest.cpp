#include "import/TooltipReader.h"

#include "DeedText.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

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
