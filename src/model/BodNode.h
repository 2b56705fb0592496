#pragma once

#include "model/BodPoints.h"

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

class CBodItem;

// One node of the deed hierarchy. Branch nodes group deeds; a deed node points at its deed,
// which the document owns. Only CBodHierarchy changes nodes, so the counts and rows it keeps
// stay true.
class CBodNode {
public:
    const std::string& GetLabel() const { return m_strLabel; }
    int GetImage() const { return m_nImage; }
    // The deed this node carries; null for a branch node.
    const CBodItem* GetBod() const { return m_pBod; }
    CBodNode* GetParent() const { return m_pParent; }
    // Place among the parent's children.
    int GetRow() const { return m_nRow; }
    int GetChildCount() const { return static_cast<int>(m_children.size()); }
    CBodNode* GetChild(int nRow) const { return m_children[static_cast<std::size_t>(nRow)].get(); }
    bool HasChildren() const { return !m_children.empty(); }
    // Deeds in this node's branch: itself when it carries one, plus all below it.
    int GetBodCount() const { return m_nBodCount; }
    // The reward points of the same deeds, kept with the count: a deed's points follow from
    // the texts that place it in the tree, so they change only when it moves.
    const CBodPoints& GetPoints() const { return m_points; }

private:
    friend class CBodHierarchy;

    std::string m_strLabel;
    int m_nImage = 0;
    const CBodItem* m_pBod = nullptr;
    CBodNode* m_pParent = nullptr;
    int m_nRow = 0;
    int m_nBodCount = 0;
    CBodPoints m_points;
    // Label rank while a rebuild sorts the hierarchy.
    std::uint32_t m_nRank = 0;
    std::vector<std::unique_ptr<CBodNode>> m_children;
    // Branch children by label. Branch labels are unique among siblings (a deed's path is
    // looked up before it is inserted); deed nodes are never looked up and are not indexed.
    std::unordered_map<std::string, CBodNode*> m_branchIndex;
};
