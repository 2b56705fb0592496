#pragma once

class CBodItem;

// Filling a large deed's part with a small deed dropped onto it.
namespace DeedCombining {

// Whether small may fill an open part of large: large is a large deed; a "Normal" small deed
// needs a "Normal" large deed while an exceptional one fits either; material and amount agree;
// and a part named like the small deed's item (ignoring ASCII case) is still open, counting the
// parts a large deed would get from the catalogue when it has none yet.
bool CanDropOn(const CBodItem& small, const CBodItem& large);

// Marks every part of large named like small's item as filled and recounts large's count as
// "filled/total" (each part worth large's amount). Returns whether any part matched; without a
// match large is left as it was.
bool CombineBods(const CBodItem& small, CBodItem& large);

} // namespace DeedCombining
