#pragma once

#include "model/BodArray.h"

#include <unordered_set>

class CBodFilter;

// How a tree that shows the deeds one filter matches comes to show those of the next. Most
// keystrokes in the filter bar change little, so the tree is pruned or left as it is where that
// is quicker than building it again.
struct CFilterStep {
    enum class Kind {
        // The tree already shows what the new filter matches.
        Keep,
        // Take out the deeds in hidden, where they stand.
        Prune,
        // Build the tree of what the new filter matches, keeping the unfiltered one aside.
        BuildFiltered,
        // Bring back the unfiltered tree kept aside, or build it.
        ShowAll,
    };
    Kind kind = Kind::Keep;
    std::unordered_set<const CBodItem*> hidden;
};

// The step from previous to next for a tree of bods that shows nShown deeds. bLaidOutWhole: it
// shows every deed, laid out as the unfiltered tree is.
CFilterStep PlanFilterStep(const CBodFilter& previous, const CBodFilter& next, CBodListView bods,
                           int nShown, bool bLaidOutWhole);
