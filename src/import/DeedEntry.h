#pragma once

#include "model/BodItem.h"

#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// A deed entered by hand, as the player reads it off the deed: the craft, a small deed's item or
// a large deed's set (its key), the material, the amount and whether it must be exceptional.
struct DeedChoice {
    std::string strTrade;
    bool bLarge = false;
    std::string strItem;
    // Empty for the craft's plain material ("iron", "cloth", "wood", ...).
    std::string strMaterial;
    int nAmount = 20;
    bool bExceptional = false;
    // Progress: how many a small deed has made, or a large deed beyond its filled parts, and
    // which of a large deed's parts are filled.
    int nMade = 0;
    std::vector<std::string> filledParts;
    // A jewel's gem ("ruby"), for a jewel and the jewelry set; a small deed's item may carry it
    // in its name instead ("ruby ring").
    std::string strGem;
};

// What the game lets a deed of each craft ask for, bribes to the NPC included, and the deed a
// choice makes. The deed is made by the tooltip reader's own filling, so it is the record that
// pasting the deed's tooltip gives.
namespace DeedEntry {

std::vector<std::string_view> Trades();
// A craft's small-deed items, in the game's list order.
std::vector<std::string_view> Items(std::string_view trade);
// A craft's large sets, by key, in catalogue order.
std::vector<std::string_view> Sets(std::string_view trade);
// The materials a deed for this item (or set) may name, the plain one first; empty for an item
// the craft does not have.
std::vector<std::string_view> Materials(std::string_view trade, bool bLarge, std::string_view item);
bool CanBeExceptional(std::string_view trade, bool bLarge, std::string_view item);
// Whether a deed for this item or set names a gem: jewels and the jewelry set do.
bool NeedsGem(std::string_view trade, bool bLarge, std::string_view item);

// What a recorded deed says, for editing it; a large deed's filled parts by name.
DeedChoice ChoiceOf(const CBodItem& bod);

// A large deed's progress under a choice: the items its filled parts hold with what it made beyond
// them, and the items its set asks for, the amount for each part; {0, 0} for a set the craft does
// not have.
std::pair<int, int> LargeProgress(const DeedChoice& choice);

// Makes the deed into pItem and returns an empty text, or leaves pItem empty and returns what is
// wrong with the choice, in the player's words. The item or set is found in any letter case and
// with or without its article ("greater heal potion").
std::string Make(const DeedChoice& choice, std::unique_ptr<CBodItem>& pItem);

} // namespace DeedEntry
