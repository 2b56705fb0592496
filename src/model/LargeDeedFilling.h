#pragma once

#include "model/BodArray.h"

#include <cstddef>
#include <utility>
#include <vector>

// What a filling did.
struct CFillCounts {
    int nLargeFilled = 0;
    int nSmallUsed = 0;
    // Large deeds the filling made complete.
    int nCompleted = 0;
};

// Fill Large Deeds: every large deed of a list filled from the complete small deeds the list
// holds, one small deed for each open part, by the rule a drop follows. A large deed that needs
// fewer small deeds goes first, so where several could take the same small deed the one closest
// to complete gets it; a small deed that asks for exactly what the large deed asks for is taken
// before one that merely fits. The small deeds used leave the list.
class CLargeDeedFilling {
public:
    // Fills what it can in bods.
    static CLargeDeedFilling Run(CBodArray& bods);

    // bods as it was before Run, and again as Run left it; each only after the other (or Run).
    void Undo(CBodArray& bods);
    void Redo(CBodArray& bods);

    CFillCounts Counts() const {
        return {static_cast<int>(m_filled.size()), static_cast<int>(m_used.size()), m_nCompleted};
    }
    // Whether the small deed was used (while done) or is held for a redo (while undone).
    bool Uses(const CBodItem* pBod) const;

private:
    void SwapLargeDeeds();
    void TakeUsed(CBodArray& bods);

    // The small deeds used, each with its place in the list before, in list order; null while
    // they are back in the list.
    std::vector<std::pair<std::size_t, std::unique_ptr<CBodItem>>> m_used;
    // The place of each small deed used, kept for a redo.
    std::vector<const CBodItem*> m_usedDeeds;
    // Each large deed filled, with its other version: as it was while filled, filled while not.
    std::vector<std::pair<CBodItem*, CBodItem>> m_filled;
    int m_nCompleted = 0;
};
