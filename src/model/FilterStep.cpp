#include "model/FilterStep.h"

#include "model/BodFilter.h"

#include <cstddef>

CFilterStep PlanFilterStep(const CBodFilter& previous, const CBodFilter& next, CBodListView bods,
                           int nShown, bool bLaidOutWhole) {
    CFilterStep step;
    if (!next.IsNarrowerThan(previous)) {
        // A filter that hides nothing leaves a whole tree to show as it is. Clearing the filter
        // brings back the whole tree kept from before it, when nothing has changed since.
        if (!next.IsActive() && bLaidOutWhole) {
            step.kind = CFilterStep::Kind::Keep;
        } else {
            step.kind =
                next.IsActive() ? CFilterStep::Kind::BuildFiltered : CFilterStep::Kind::ShowAll;
        }
        return step;
    }
    // Narrowing only hides deeds. They are found in list order, which reads the deeds where they
    // lie in memory; walking the tree would jump about.
    const std::size_t nMaxToPrune = static_cast<std::size_t>(nShown) / 2;
    for (const CBodItem* pBod : bods) {
        if (pBod && !next.Matches(*pBod) && previous.Matches(*pBod)) {
            step.hidden.insert(pBod);
            // Building the few that stay is quicker than taking most of them away.
            if (step.hidden.size() > nMaxToPrune) {
                step.hidden.clear();
                step.kind = CFilterStep::Kind::BuildFiltered;
                return step;
            }
        }
    }
    // A letter more that hides nothing (most of typing a word) leaves the tree as it is.
    step.kind = step.hidden.empty() ? CFilterStep::Kind::Keep : CFilterStep::Kind::Prune;
    return step;
}
