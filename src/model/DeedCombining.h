#pragma once

#include <cstdint>
#include <string>
#include <string_view>

class CBodItem;

// Combining a small deed into a large one as the game does it: a drop in the tree, Fill Large
// Deeds and the shopping list all follow this one rule.
namespace DeedCombining {

// Whether a small deed combines with a large one, and if not, why: the game's own checks, in
// its order.
enum class Verdict {
    Combines,
    // The target is no large deed, or the deed brought to it no small one.
    NotLargeAndSmall,
    // No part of the large deed is the small deed's item.
    NoSuchPart,
    // An exceptional large deed takes exceptional small deeds only.
    NotExceptional,
    // The large deed names a material, and the small deed another.
    OtherMaterial,
    OtherAmount,
    // The small deed has not made all it asks for.
    Unfinished,
    // Every part for that item is filled already, or the large deed is complete.
    AlreadyFilled,
};

// A large deed without its parts yet is judged by the parts the catalogue gives it; nothing is
// changed.
Verdict Judge(const CBodItem& small, const CBodItem& large);
inline bool CanDropOn(const CBodItem& small, const CBodItem& large) {
    return Judge(small, large) == Verdict::Combines;
}

// Whether a small deed printing smallItem fills a large deed's part named partName, in any
// letter case: the game matches them by the kind of item, not by the printed name.
bool FillsPart(std::string_view smallItem, std::string_view partName);

// Fills the first open part of large that small fills, and adds small's amount to the progress
// large has recorded: progress recorded without a record of its parts is kept. Returns whether
// a part was filled; without one large is left as it was.
bool CombineBods(const CBodItem& small, CBodItem& large);

// How many small deeds a large deed still needs: its open parts, less those that the progress
// it recorded beyond its filled parts stands for.
std::int64_t SmallDeedsNeeded(const CBodItem& large);

// Whether a deed's count says it has made all it asks for: made at least the total, which is
// more than 0.
bool IsComplete(const CBodItem& bod);

// A large deed's count once the player has set its filled parts from recorded's to edited's
// (the same parts, in the same order). Parts left as they were keep the count text as it is;
// a newly filled part first takes up the progress recorded beyond the filled parts, then adds
// its amount; an emptied part takes its amount away.
std::string RecountLarge(const CBodItem& recorded, const CBodItem& edited);

} // namespace DeedCombining
