#pragma once

#include "framework/View.h"
#include "model/BodFilter.h"
#include "model/BodPoints.h"
#include "views/DeedSelection.h"

#include <QPersistentModelIndex>
#include <QPoint>
#include <QTreeView>
#include <memory>
#include <string>
#include <unordered_set>
#include <vector>

class CBodItem;
class CBodNode;
class CBodTreeModel;
class CQuillmarDoc;
class CTextOrder;
class CTreeDrag;

// The left pane of a document window: the deeds of the shown list grouped by trade, category,
// material, amount, quality and size. Selecting a node makes its deed the window's selection;
// the pane also deletes deeds, expands and collapses whole branches, and fills a large deed's
// part when a small deed is dragged onto it.
class CLeftView : public QTreeView, public CView {
    Q_OBJECT
public:
    explicit CLeftView(QWidget* pParent = nullptr);
    ~CLeftView() override;

    CQuillmarDoc* GetDocument() const;

    // A full rebuild, or only a deed's label when a form applied an edit.
    void OnUpdate(CView* pSender, long lHint, const void* pHint) override;

    // The window's selection, which this tree keeps; the form shows it.
    CDeedSelection& Selection() { return m_selection; }
    const CBodItem* SelectedBod() const { return m_selection.Get(); }

    // Shows only the deeds filter matches, and keeps doing so through every rebuild. The
    // document is not touched. A deed the form edits stays shown until the next rebuild; a
    // selected deed the filter hides hands the selection to the nearest branch still shown.
    void SetFilter(const CBodFilter& filter);
    const CBodFilter& GetFilter() const { return m_filter; }
    // Deeds the tree shows.
    int ShownCount() const;
    // The shown list's deeds that the filter matches, in list order.
    std::vector<const CBodItem*> ShownBods() const;

    // Commands, run from the main window's menus, context menu and accelerators.
    void OnDeleteBod();
    void OnExpandFromHere();
    void OnCollapseToHere();
    // Command states: "Delete BOD" needs a selected deed, the expansion commands a selected
    // node with children.
    bool CanDeleteBod() const;
    bool CanExpandCollapse() const;

    // The node the selection path last ran for; invalid after a rebuild that found none.
    QModelIndex SelectedNode() const { return m_hSelected; }
    // Deeds in the branch of node: itself when it carries one, and all below it.
    int CountBods(const QModelIndex& node) const;
    // The same deeds, in the tree's order.
    std::vector<const CBodItem*> BranchBods(const QModelIndex& node) const;
    // The reward points of the deeds in node's branch.
    CBodPoints BranchPoints(const QModelIndex& node) const;
    // Whether node carries a small deed that may be dragged.
    bool CanDrag(const QModelIndex& node) const;
    // node when it carries a large deed with an open part for the dragged deed, else invalid.
    QModelIndex CanDropOn(const QModelIndex& node) const;

    // The node the drag currently highlights as its drop target (invalid when none).
    QModelIndex DropHighlight() const;
    bool IsDragging() const;
    // Node whose row lies under pt (viewport coordinates), wherever on the row.
    QModelIndex NodeAtRow(const QPoint& pt) const;

Q_SIGNALS:
    // The shown deeds changed: a rebuild, a filter, a deletion.
    void ShownChanged();
    // The context menu is wanted at ptGlobal, for the selected node.
    void ContextMenuRequested(const QPoint& ptGlobal);
    // The document told the tree of a change to its list.
    void ListChanged();

protected:
    void mousePressEvent(QMouseEvent* pEvent) override;
    void mouseMoveEvent(QMouseEvent* pEvent) override;
    void mouseReleaseEvent(QMouseEvent* pEvent) override;
    void mouseDoubleClickEvent(QMouseEvent* pEvent) override;
    void contextMenuEvent(QContextMenuEvent* pEvent) override;
    void keyPressEvent(QKeyEvent* pEvent) override;
    // The keys move the selection only once the form let go of what it holds unapplied.
    QModelIndex moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers) override;
    void keyboardSearch(const QString& strSearch) override;
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                         const QEvent* pEvent) const override;
    void drawRow(QPainter* pPainter, const QStyleOptionViewItem& option,
                 const QModelIndex& index) const override;

private:
    // The drag selects its node and asks what it may drop on.
    friend class CTreeDrag;

    // How a rebuild changes the hierarchy: build it from the document anew, or after a change of
    // its deeds (keeping what was open and selecting a neighbour of a deed that went), prune the
    // deeds in pHidden, build it filtered keeping the unfiltered one aside, or bring that one
    // back.
    enum class Change { Build, Update, Prune, KeepUnfiltered, RestoreUnfiltered };
    void Rebuild(Change change = Change::Build,
                 const std::unordered_set<const CBodItem*>* pHidden = nullptr);
    // One step from below the root down to a node: a branch is found again by its label, a deed
    // by its deed alone, since another deed may carry the same label.
    struct CPathStep {
        std::string strLabel;
        int nRow = 0;
        bool bBranch = false;
    };
    using CNodePath = std::vector<CPathStep>;
    static CNodePath PathOf(const CBodNode* pNode);
    // The node at path's end, else the nearest ancestor that is left; *pMissingRow receives the
    // row of the first step that is gone, -1 when none is.
    const CBodNode* FindOnPath(const CNodePath& path, int* pMissingRow) const;
    // The open branches below parent, parent included, as the branch labels leading to them.
    void CollectExpanded(const QModelIndex& parent, std::vector<std::string>& labels,
                         std::vector<std::vector<std::string>>& expanded) const;
    void RestoreExpanded(const std::vector<std::vector<std::string>>& expanded);
    // What a removal below kept leaves selected: below the root the neighbouring trade (the
    // next, else the one before), elsewhere kept's first child; the root when it is empty.
    const CBodNode* Successor(const CBodNode& kept, int nRemovedRow) const;
    void Relabel(const CBodItem* pBod);
    void OnSelchanged(const QModelIndex& current);
    void SelectNode(const QModelIndex& node);
    // Whether the user may select node: the form settles its edits for another node first.
    bool MayMoveTo(const QModelIndex& node) const;
    void DeleteItemAndEmptyParents(const QModelIndex& node);
    void ExpandBranch(const QModelIndex& node, bool bExpand);
    // Every node with children below parent, at any depth.
    void ExpandDescendants(const QModelIndex& parent, bool bExpand);

    // Node whose icon or label lies under pt (viewport coordinates); invalid elsewhere.
    QModelIndex NodeAtLabel(const QPoint& pt) const;
    const CBodItem* BodAt(const QModelIndex& node) const;
    void OpenContextMenu(const QPoint& ptViewport);

    // The drag ended over its target: the document fills the large deed.
    void Drop();

    std::unique_ptr<CTextOrder> m_pTextOrder;
    CBodTreeModel* m_pModel = nullptr;
    CBodFilter m_filter;
    CDeedSelection m_selection;

    QPersistentModelIndex m_hSelected;
    // A selection made while the tree rebuilds itself does not notify the other views: they
    // already learn of the change from whoever caused the rebuild.
    bool m_bRebuilding = false;
    // Set while the view moves the selection itself (and while removal moves it): the path
    // then runs once, for the node the view ends on.
    bool m_bSelfSelecting = false;

    std::unique_ptr<CTreeDrag> m_pDrag;
};
