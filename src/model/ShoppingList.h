#pragma once

#include "model/BodArray.h"

#include <string>

// The Shopping List: every large deed, then for each of them, in part order, a small deed for
// every part that is still open.
namespace ShoppingList {

// A small deed for one part of pLarge: trade, amount and quality from the large deed; footwear
// parts named "Shoes", "Sandals", "Boots" or "Thigh Boots" are leather work whatever the large
// deed says. Count, notes and price stay empty.
std::unique_ptr<CBodItem> MakeSmallBodForPart(const std::string& strName, const CBodItem& large);
// Appends a small deed for every unfilled part of pLarge to out.
void AddNeededSmallBods(const CBodItem* pLarge, CBodArray& out);
// Copies of the large deeds of `bods` in list order, followed by the small deeds they need.
CBodArray Build(const CBodArray& bods);

} // namespace ShoppingList
