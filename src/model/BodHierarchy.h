#pragma once

#include "model/BodArray.h"
#include "model/BodNode.h"

#include <functional>
#include <string>
#include <string_view>

class CBodFilter;
class CBodItem;
class CTextOrder;

// The deed hierarchy: root, trade, category, material, amount, quality, size group ("LBOD's" or
// "SBOD's") and one node per deed. Every sibling run is in ascending label order (the text
// order handed in); labels that compare equal keep the order in which they were added.
class CBodHierarchy {
public:
    // Told of every change, so an item model can relay it to its views.
    class IListener {
    public:
        virtual ~IListener() = default;
        virtual void BeginReset() = 0;
        virtual void EndReset() = 0;
        virtual void BeginInsert(const CBodNode& parent, int nRow) = 0;
        virtual void EndInsert() = 0;
        virtual void BeginRemove(const CBodNode& parent, int nRow) = 0;
        virtual void EndRemove() = 0;
        virtual void LabelChanged(const CBodNode& node) = 0;
    };

    static constexpr int kImageCount = 32;

    // order must outlive the hierarchy.
    explicit CBodHierarchy(const CTextOrder& order);
    CBodHierarchy(const CBodHierarchy&) = delete;
    CBodHierarchy& operator=(const CBodHierarchy&) = delete;

    void SetListener(IListener* pListener) { m_pListener = pListener; }

    const CBodNode& GetRoot() const { return m_root; }
    CBodNode& GetRoot() { return m_root; }

    // Replaces every node by the hierarchy of bods (null entries skipped, and those pFilter does
    // not match when one is given) under a root labelled by the mode.
    void Rebuild(CBodListView bods, bool bShoppingList, const CBodFilter* pFilter = nullptr);
    // Rebuild with filter for the same deeds as the hierarchy was built from: the unfiltered
    // hierarchy (this one, or the one kept before) is kept aside instead of freed, so that
    // clearing the filter brings it back without building it again.
    void RebuildKeepingUnfiltered(CBodListView bods, bool bShoppingList, const CBodFilter& filter);
    // Brings back the hierarchy kept aside; false when there is none, because a change to the
    // hierarchy (any but Prune) since then has let it go.
    bool RestoreUnfiltered();
    // Keeps only the deeds keep accepts, with the branches above them, where they stand: when
    // keep only narrows what the hierarchy was built from, it gives what Rebuild would give,
    // without building anything.
    void Prune(const std::function<bool(const CBodItem&)>& keep);
    // Places one deed in order, adding the branch nodes it needs; returns its node, or null for
    // a null deed.
    CBodNode* AddBod(const CBodItem* pBod);

    // The first child of parent, in sibling order, labelled exactly strLabel.
    CBodNode* FindChildItem(const CBodNode& parent, const std::string& strLabel) const;
    // The first node in depth-first order that carries pBod.
    CBodNode* FindItemForBod(const CBodItem* pBod) const;

    // Every node in depth-first order, one a line: two blanks per level of depth, the label, a
    // tab and the image index.
    std::string Outline() const;

    // Changes a node's label where it stands; the run is not re-sorted.
    void SetLabel(CBodNode& node, std::string strLabel);
    // Deletes pNode and every ancestor it leaves without children, never the root. Returns the
    // nearest ancestor that kept children (the root at most); null when nothing was deleted.
    // pRemovedRow, when given, receives the row that the highest deleted node held there.
    CBodNode* DeleteItemAndEmptyParents(CBodNode* pNode, int* pRemovedRow = nullptr);

    static const char* RootLabel(bool bShoppingList);
    // The deed node's label: item, " - ", count.
    static std::string BodLabel(const CBodItem& bod);
    static int TradeImage(std::string_view strTrade);
    static int CategoryImage(std::string_view strTrade, std::string_view strCategory);
    static int MaterialImage(std::string_view strTrade, std::string_view strMaterial);
    static int QualityImage(std::string_view strQuality);
    static int BodImage(std::string_view strTrade);

private:
    // Places pBod below the root. bInOrder inserts each new node at its sorted place and tells
    // the listener; otherwise new nodes are appended and the caller sorts once at the end.
    CBodNode* Place(const CBodItem* pBod, bool bInOrder);
    // The row at which a node labelled strLabel goes among parent's (sorted) children.
    int InsertionRow(const CBodNode& parent, const std::string& strLabel) const;
    // Links pChild into parent's run at nRow.
    static CBodNode* AttachChild(CBodNode& parent, std::unique_ptr<CBodNode> pChild, int nRow);
    // Renews the rows of parent's children from nFrom on.
    static void Renumber(CBodNode& parent, int nFrom);
    // Sorts every sibling run by one ranking of all distinct labels.
    void SortAll();
    // Prunes below node and counts the deeds left in its branch and their points anew.
    static void PruneChildren(CBodNode& node, const std::function<bool(const CBodItem&)>& keep);

    // Empties the root, or moves what it holds into pKeep when one is given.
    void ClearRoot(CBodNode* pKeep);
    void Build(CBodListView bods, bool bShoppingList, const CBodFilter* pFilter, CBodNode* pKeep);

    const CTextOrder& m_order;
    IListener* m_pListener = nullptr;
    CBodNode m_root;
    // The unfiltered root's children while a filter shows fewer; null when none is kept.
    std::unique_ptr<CBodNode> m_pUnfiltered;
    // Whether the root shows fewer deeds than it was built from.
    bool m_bFiltered = false;
    // Built from a shopping list, whose small deeds the player does not hold.
    bool m_bShoppingList = false;
};
