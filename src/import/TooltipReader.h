#pragma once

#include "model/BodItem.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

// Reads deeds from their tooltip, the property list that today's game clients show and copy:
// "A Bulk Order Deed", "Small Bulk Order", "All Items Must Be Exceptional.", the material line,
// "Amount To Make: 20" and one "item: count" line per item, in any capitalisation.
namespace TooltipReader {

struct ItemLine {
    std::string strName;
    std::int32_t nDone;
};

// What a deed's tooltip says, its texts lower case with single blanks: size 1 small, 2 large.
struct Tooltip {
    int nSize = 0;
    bool bExceptional = false;
    std::string strMaterial;
    std::string strAmount;
    std::vector<ItemLine> items;
};

// One block per deed, its lines trimmed and joined with " / ". A block ends at an empty line
// and before a line that begins a deed ("a bulk order deed"), so blocks pasted one after the
// other, or already joined with slashes on one line each, read the same. Blocks in a row that
// name no deed's size ("small bulk order", "large bulk order") are joined into one.
std::vector<std::string> SplitBlocks(std::string_view text);

// Creates a deed from one block into pItem (valid or not) and returns whether it is valid. The
// craft comes from the items, a large deed's set from its parts. A block without "small bulk
// order" or "large bulk order" is no deed: every field stays empty. An amount other than 10, 15
// or 20, or a material the item is never asked for in, makes the deed invalid.
bool ReadBlock(std::string_view block, std::unique_ptr<CBodItem>& pItem);

// The deed that a tooltip saying this makes; a deed entered by hand is made here too, so it is
// the very record its pasted tooltip would give.
bool Fill(const Tooltip& tip, std::unique_ptr<CBodItem>& pItem);

} // namespace TooltipReader
