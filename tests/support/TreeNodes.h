#pragma once

#include "hierarchy/BodTreeModel.h"
#include "views/LeftView.h"

// The node that shows pBod in tree.
inline QModelIndex NodeOf(const CLeftView& tree, const CBodItem* pBod) {
    const auto& model = static_cast<const CBodTreeModel&>(*tree.model());
    return model.IndexFromNode(model.Hierarchy().FindItemForBod(pBod));
}
