#pragma once

#include "model/BodItem.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

// Reads deeds from their tooltip, the property list that today's game clients show and copy:
// "A Bulk Order Deed", "Small Bulk Order", "All Items Must Be Exceptional.", the material line,
// "Amount To Make: 20" and one "item: count" line per item, in any capitalisation.
namespace TooltipReader {

// One block per deed, its lines trimmed and joined with " / ". A block ends at an empty line
// and before a line that begins a deed ("a bulk order deed"), so blocks pasted one after the
// other, or already joined with slashes on one line each, read the same.
std::vector<std::string> SplitBlocks(std::string_view text);

// Creates a deed from one block into pItem (valid or not) and returns whether it is valid. The
// craft comes from the items, a large deed's set from its parts. A block without "small bulk
// order" or "large bulk order" is no deed: every field stays empty.
bool ReadBlock(std::string_view block, std::unique_ptr<CBodItem>& pItem);

} // namespace TooltipReader
