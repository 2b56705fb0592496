#pragma once

#include "model/BodArray.h"

#include <cstddef>
#include <string>

// The Shopping List: every large deed, then for each of them, in part order, a small deed for
// every part that is still open.
namespace ShoppingList {

// A small deed for one part of pLarge, named as a small deed prints the part's item: trade,
// amount and quality from the large deed; footwear parts named "Shoes", "Sandals", "Boots" or
// "Thigh Boots" are leather work whatever the large deed says. Count, notes and price stay
// empty.
std::unique_ptr<CBodItem> MakeSmallBodForPart(const std::string& strName, const CBodItem& large);
// Appends a small deed for every unfilled part of pLarge to out, for no more parts than a large
// deed of the catalogue has. Returns the number of unfilled parts left out beyond that.
std::size_t AddNeededSmallBods(const CBodItem* pLarge, CBodArray& out);
// Copies of the large deeds of `bods` in list order, followed by the small deeds they need.
// *pnLeftOut (when given) receives the number of unfilled parts left out, summed over deeds.
CBodArray Build(const CBodArray& bods, std::size_t* pnLeftOut = nullptr);

// Whether the player holds a deed of a shopping list: its large deeds are copies of the player's
// own, and each of its small deeds is one still needed.
bool IsHeld(const CBodItem& bod);
// Whether a large deed of a shopping list still needs a part; one whose parts are unknown may.
bool NeedsParts(const CBodItem& large);

} // namespace ShoppingList
