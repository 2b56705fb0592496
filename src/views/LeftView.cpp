#include "views/LeftView.h"

#include "document/QuillmarDoc.h"
#include "framework/CollatorTextOrder.h"
#include "framework/Prompt.h"
#include "hierarchy/BodTreeModel.h"
#include "model/DeedCombining.h"
#include "model/FilterStep.h"
#include "views/TreeDrag.h"

#include <QAbstractItemDelegate>
#include <QApplication>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <algorithm>
#include <utility>

namespace {

// A filter that leaves this few deeds shows them all at once; more would take long to lay out
// and would not fit on a screen anyway.
constexpr int kExpandAllLimit = 200;

// The deeds the whole tree shows: every entry of the list that holds one.
int CountDeeds(CBodListView bods) {
    return static_cast<int>(
        std::count_if(bods.begin(), bods.end(), [](const CBodItem* p) { return p != nullptr; }));
}

} // namespace

CLeftView::CLeftView(QWidget* pParent)
    : QTreeView(pParent), m_pTextOrder(std::make_unique<CCollatorTextOrder>()),
      m_pDrag(std::make_unique<CTreeDrag>(*this)) {
    m_pModel = new CBodTreeModel(*m_pTextOrder, this);
    setModel(m_pModel);
    setAccessibleName(tr("BOD hierarchy"));
    setHeaderHidden(true);
    setUniformRowHeights(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    setIconSize(QSize(16, 16));
    // Long labels widen the column, so the pane scrolls sideways instead of cutting them off.
    // Only the rows on screen are measured: measuring a thousand rows at every change would
    // cost more than the change itself.
    header()->setStretchLastSection(false);
    header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    header()->setResizeContentsPrecision(0);
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) {
                if (!m_bSelfSelecting) {
                    OnSelchanged(current);
                }
            });
    connect(m_pModel, &QAbstractItemModel::modelReset, this, &CLeftView::ShownChanged);
    connect(m_pModel, &QAbstractItemModel::rowsRemoved, this, &CLeftView::ShownChanged);
    connect(m_pModel, &QAbstractItemModel::rowsInserted, this, &CLeftView::ShownChanged);
}

CLeftView::~CLeftView() = default;

CQuillmarDoc* CLeftView::GetDocument() const {
    return static_cast<CQuillmarDoc*>(CView::GetDocument());
}

void CLeftView::OnUpdate(CView*, long lHint, const void* pHint) {
    const CQuillmarDoc* pDoc = GetDocument();
    if (!pDoc) {
        return;
    }
    const auto* pDeed = static_cast<const CBodItem*>(pHint);
    switch (lHint) {
    case CQuillmarDoc::kHintRelabel:
        Relabel(pDeed);
        return;
    case CQuillmarDoc::kHintChanged:
        // The deed asked for, else the one selected while the document still holds it.
        if (pDeed == nullptr && FindBodIndex(pDoc->GetBods(), m_selection.Get()) >= 0) {
            pDeed = m_selection.Get();
        }
        m_selection.Set(pDeed);
        Rebuild(Change::Update);
        break;
    default:
        m_selection.Set(nullptr);
        Rebuild();
        break;
    }
    Q_EMIT ListChanged();
}

void CLeftView::SetFilter(const CBodFilter& filter) {
    if (filter == m_filter) {
        return;
    }
    const CBodFilter previous = std::exchange(m_filter, filter);
    const CQuillmarDoc* pDoc = GetDocument();
    if (pDoc == nullptr) {
        return;
    }
    // A small tree of every deed was opened up by the filter, so it is laid out anew.
    const bool bLaidOutWhole =
        ShownCount() > kExpandAllLimit && ShownCount() == CountDeeds(pDoc->GetBods());
    const CFilterStep step =
        PlanFilterStep(previous, m_filter, pDoc->GetBods(), ShownCount(), bLaidOutWhole);
    // A selected deed the filter hides takes the form's unapplied edits out of sight with it.
    if (const CBodItem* pSelected = m_selection.Get();
        pSelected != nullptr && step.kind != CFilterStep::Kind::Keep &&
        (step.kind == CFilterStep::Kind::Prune ? step.hidden.contains(pSelected)
                                               : !m_filter.Matches(*pSelected))) {
        m_selection.MayLeave(CDeedSelection::Leave::ApplyOrDrop);
    }
    switch (step.kind) {
    case CFilterStep::Kind::Keep:
        Q_EMIT ShownChanged();
        break;
    case CFilterStep::Kind::Prune:
        Rebuild(Change::Prune, &step.hidden);
        break;
    case CFilterStep::Kind::BuildFiltered:
        Rebuild(Change::KeepUnfiltered);
        break;
    case CFilterStep::Kind::ShowAll:
        Rebuild(Change::RestoreUnfiltered);
        break;
    }
}

int CLeftView::ShownCount() const {
    return m_pModel->Hierarchy().GetRoot().GetBodCount();
}

std::vector<const CBodItem*> CLeftView::ShownBods() const {
    std::vector<const CBodItem*> bods;
    if (const CQuillmarDoc* pDoc = GetDocument()) {
        for (const CBodItem* pBod : pDoc->GetBods()) {
            if (pBod && m_filter.Matches(*pBod)) {
                bods.push_back(pBod);
            }
        }
    }
    return bods;
}

void CLeftView::Rebuild(Change change, const std::unordered_set<const CBodItem*>* pHidden) {
    const CQuillmarDoc* pDoc = GetDocument();
    setUpdatesEnabled(false);
    m_bRebuilding = true;
    m_pDrag->End();
    // Where the tree stood, by what the rebuilt one still has: a new list starts afresh.
    const CNodePath selectedPath =
        change == Change::Build ? CNodePath() : PathOf(m_pModel->NodeFromIndex(m_hSelected));
    std::vector<std::vector<std::string>> expanded;
    if (change == Change::Update) {
        std::vector<std::string> labels;
        CollectExpanded(m_pModel->index(0, 0), labels, expanded);
    }
    CBodHierarchy& hierarchy = m_pModel->Hierarchy();
    switch (change) {
    case Change::Prune:
        hierarchy.Prune([pHidden](const CBodItem& bod) { return !pHidden->contains(&bod); });
        break;
    case Change::KeepUnfiltered:
        hierarchy.RebuildKeepingUnfiltered(pDoc->GetBods(), pDoc->IsShoppingList(), m_filter);
        break;
    case Change::RestoreUnfiltered:
        if (hierarchy.RestoreUnfiltered()) {
            break;
        }
        [[fallthrough]];
    case Change::Build:
    case Change::Update:
        hierarchy.Rebuild(pDoc->GetBods(), pDoc->IsShoppingList(),
                          m_filter.IsActive() ? &m_filter : nullptr);
        break;
    }
    m_hSelected = QModelIndex();
    if (m_filter.IsActive() && ShownCount() <= kExpandAllLimit) {
        expandAll();
    } else {
        expand(m_pModel->index(0, 0));
    }
    RestoreExpanded(expanded);
    // The selected deed's node, where the tree shows it. Where it shows none (the deed went, or
    // the filter hides it, which must not leave it in the form), a change selects a neighbour
    // as a deletion does, a filter the nearest branch still shown.
    QModelIndex selected = m_pModel->IndexFromNode(hierarchy.FindItemForBod(m_selection.Get()));
    if (!selected.isValid() && !selectedPath.empty()) {
        int nMissingRow = -1;
        const CBodNode* pFound = FindOnPath(selectedPath, &nMissingRow);
        if (change == Change::Update && nMissingRow >= 0) {
            pFound = Successor(*pFound, nMissingRow);
        }
        selected = m_pModel->IndexFromNode(pFound);
        m_selection.Set(pFound->GetBod());
    }
    if (selected.isValid()) {
        for (QModelIndex ancestor = selected.parent(); ancestor.isValid();
             ancestor = ancestor.parent()) {
            expand(ancestor);
        }
        SelectNode(selected);
        scrollTo(selected);
    }
    m_bRebuilding = false;
    setUpdatesEnabled(true);
}

void CLeftView::Relabel(const CBodItem* pBod) {
    if (pBod == nullptr) {
        return;
    }
    // Mostly the deed the form beside the tree applied, at the selected node.
    CBodHierarchy& hierarchy = m_pModel->Hierarchy();
    CBodNode* pNode = m_pModel->NodeFromIndex(m_hSelected);
    if (pNode == nullptr || pNode->GetBod() != pBod) {
        pNode = hierarchy.FindItemForBod(pBod);
    }
    if (pNode != nullptr) {
        hierarchy.SetLabel(*pNode, CBodHierarchy::BodLabel(*pBod));
    }
}

void CLeftView::OnSelchanged(const QModelIndex& current) {
    const CBodNode* pNode = m_pModel->NodeFromIndex(current);
    if (!pNode) {
        return;
    }
    m_hSelected = current;
    // A rebuild selects the node of the deed already selected.
    if (!m_bRebuilding) {
        m_selection.Set(pNode->GetBod());
    }
}

bool CLeftView::MayMoveTo(const QModelIndex& node) const {
    return !node.isValid() || node == currentIndex() ||
           m_selection.MayLeave(CDeedSelection::Leave::ApplyDropOrStay);
}

void CLeftView::SelectNode(const QModelIndex& node) {
    // The platform control says nothing when the selected node is selected again, and the path
    // would refill the form over what the user is typing.
    if (node.isValid() && node == m_hSelected && node == currentIndex()) {
        return;
    }
    m_bSelfSelecting = true;
    selectionModel()->setCurrentIndex(node, QItemSelectionModel::ClearAndSelect);
    m_bSelfSelecting = false;
    OnSelchanged(node);
}

int CLeftView::CountBods(const QModelIndex& node) const {
    const CBodNode* pNode = m_pModel->NodeFromIndex(node);
    return pNode ? pNode->GetBodCount() : 0;
}

std::vector<const CBodItem*> CLeftView::BranchBods(const QModelIndex& node) const {
    std::vector<const CBodItem*> bods;
    const CBodNode* pNode = m_pModel->NodeFromIndex(node);
    if (pNode == nullptr) {
        return bods;
    }
    bods.reserve(static_cast<std::size_t>(pNode->GetBodCount()));
    std::vector<const CBodNode*> pending{pNode};
    while (!pending.empty()) {
        const CBodNode* pNext = pending.back();
        pending.pop_back();
        if (pNext->GetBod() != nullptr) {
            bods.push_back(pNext->GetBod());
        }
        for (int nRow = pNext->GetChildCount() - 1; nRow >= 0; --nRow) {
            pending.push_back(pNext->GetChild(nRow));
        }
    }
    return bods;
}

CBodPoints CLeftView::BranchPoints(const QModelIndex& node) const {
    const CBodNode* pNode = m_pModel->NodeFromIndex(node);
    return pNode ? pNode->GetPoints() : CBodPoints();
}

const CBodItem* CLeftView::BodAt(const QModelIndex& node) const {
    const CBodNode* pNode = m_pModel->NodeFromIndex(node);
    return pNode ? pNode->GetBod() : nullptr;
}

bool CLeftView::CanDeleteBod() const {
    return BodAt(m_hSelected) != nullptr;
}

bool CLeftView::CanExpandCollapse() const {
    const CBodNode* pNode = m_pModel->NodeFromIndex(m_hSelected);
    return pNode && pNode->HasChildren();
}

void CLeftView::OnDeleteBod() {
    const CBodItem* pBod = BodAt(m_hSelected);
    if (!pBod || !GetDocument()) {
        return;
    }
    if (AppPrompt().MessageBox(this, tr("Are you sure you want to delete this BOD?"),
                               IPrompt::Icon::Question,
                               IPrompt::Buttons::YesNo) != IPrompt::Answer::Yes) {
        return;
    }
    // The history keeps the deed, so the node still shown until it goes reads a live deed.
    if (GetDocument()->DeleteDeed(pBod, this)) {
        DeleteItemAndEmptyParents(m_hSelected);
    }
}

void CLeftView::DeleteItemAndEmptyParents(const QModelIndex& node) {
    CBodHierarchy& hierarchy = m_pModel->Hierarchy();
    // The view moves its current node away from removed rows on its own; the selection path
    // runs once, for the node chosen here.
    m_bSelfSelecting = true;
    int nRemovedRow = 0;
    const CBodNode* pKept =
        hierarchy.DeleteItemAndEmptyParents(m_pModel->NodeFromIndex(node), &nRemovedRow);
    m_bSelfSelecting = false;
    if (!pKept) {
        return;
    }
    SelectNode(m_pModel->IndexFromNode(Successor(*pKept, nRemovedRow)));
}

const CBodNode* CLeftView::Successor(const CBodNode& kept, int nRemovedRow) const {
    if (!kept.HasChildren()) {
        return &kept;
    }
    if (&kept != &m_pModel->Hierarchy().GetRoot()) {
        return kept.GetChild(0);
    }
    return kept.GetChild(std::min(nRemovedRow, kept.GetChildCount() - 1));
}

CLeftView::CNodePath CLeftView::PathOf(const CBodNode* pNode) {
    CNodePath path;
    for (; pNode != nullptr && pNode->GetParent() != nullptr; pNode = pNode->GetParent()) {
        path.insert(path.begin(), {pNode->GetLabel(), pNode->GetRow(), pNode->GetBod() == nullptr});
    }
    // The root has a place too: an empty path means no node at all.
    if (pNode != nullptr) {
        path.insert(path.begin(), {pNode->GetLabel(), 0, true});
    }
    return path;
}

const CBodNode* CLeftView::FindOnPath(const CNodePath& path, int* pMissingRow) const {
    const CBodHierarchy& hierarchy = m_pModel->Hierarchy();
    const CBodNode* pNode = &hierarchy.GetRoot();
    *pMissingRow = -1;
    for (std::size_t i = 1; i < path.size(); ++i) {
        const CBodNode* pChild =
            path[i].bBranch ? hierarchy.FindChildItem(*pNode, path[i].strLabel) : nullptr;
        if (pChild == nullptr) {
            *pMissingRow = path[i].nRow;
            break;
        }
        pNode = pChild;
    }
    return pNode;
}

void CLeftView::CollectExpanded(const QModelIndex& parent, std::vector<std::string>& labels,
                                std::vector<std::vector<std::string>>& expanded) const {
    if (!isExpanded(parent)) {
        return;
    }
    expanded.push_back(labels);
    const CBodNode* pParent = m_pModel->NodeFromIndex(parent);
    for (int nRow = 0; nRow < pParent->GetChildCount(); ++nRow) {
        if (pParent->GetChild(nRow)->HasChildren()) {
            labels.push_back(pParent->GetChild(nRow)->GetLabel());
            CollectExpanded(m_pModel->index(nRow, 0, parent), labels, expanded);
            labels.pop_back();
        }
    }
}

void CLeftView::RestoreExpanded(const std::vector<std::vector<std::string>>& expanded) {
    const CBodHierarchy& hierarchy = m_pModel->Hierarchy();
    for (const std::vector<std::string>& labels : expanded) {
        const CBodNode* pNode = &hierarchy.GetRoot();
        for (auto it = labels.begin(); pNode != nullptr && it != labels.end(); ++it) {
            pNode = hierarchy.FindChildItem(*pNode, *it);
        }
        if (pNode != nullptr && pNode->HasChildren()) {
            expand(m_pModel->IndexFromNode(pNode));
        }
    }
}

void CLeftView::OnExpandFromHere() {
    ExpandBranch(m_hSelected, true);
}

void CLeftView::OnCollapseToHere() {
    ExpandBranch(m_hSelected, false);
}

void CLeftView::ExpandBranch(const QModelIndex& node, bool bExpand) {
    const CBodNode* pNode = m_pModel->NodeFromIndex(node);
    if (!pNode || !pNode->HasChildren()) {
        return;
    }
    // One layout for the whole branch instead of one per node.
    scheduleDelayedItemsLayout();
    ExpandDescendants(node, bExpand);
    setExpanded(node, bExpand);
}

void CLeftView::ExpandDescendants(const QModelIndex& parent, bool bExpand) {
    const CBodNode* pParent = m_pModel->NodeFromIndex(parent);
    for (int nRow = 0; nRow < pParent->GetChildCount(); ++nRow) {
        if (pParent->GetChild(nRow)->HasChildren()) {
            const QModelIndex child = m_pModel->index(nRow, 0, parent);
            setExpanded(child, bExpand);
            ExpandDescendants(child, bExpand);
        }
    }
}

void CLeftView::OpenContextMenu(const QPoint& ptViewport) {
    Q_EMIT ContextMenuRequested(viewport()->mapToGlobal(ptViewport));
}

QModelIndex CLeftView::NodeAtLabel(const QPoint& pt) const {
    const QModelIndex node = indexAt(pt);
    if (!node.isValid()) {
        return {};
    }
    // The row goes on to the right of the label; only the icon and the label itself count.
    const QRect rcItem = visualRect(node);
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    const int nWidth = itemDelegateForIndex(node)->sizeHint(option, node).width();
    return pt.x() >= rcItem.left() && pt.x() < rcItem.left() + nWidth ? node : QModelIndex();
}

QModelIndex CLeftView::NodeAtRow(const QPoint& pt) const {
    // Level with a row but outside the pane is still outside: a release over the form must not
    // drop.
    if (!viewport()->rect().contains(pt)) {
        return {};
    }
    const int nLeft = columnViewportPosition(0);
    const int nRight = nLeft + std::max(columnWidth(0), 1) - 1;
    return indexAt(QPoint(std::clamp(pt.x(), nLeft, nRight), pt.y()));
}

void CLeftView::mousePressEvent(QMouseEvent* pEvent) {
    const QPoint pt = pEvent->position().toPoint();
    if (pEvent->button() == Qt::RightButton) {
        // A right click selects its node first, so the menu's commands act on it.
        if (const QModelIndex node = NodeAtLabel(pt); node.isValid() && MayMoveTo(node)) {
            SelectNode(node);
        }
        pEvent->accept();
        return;
    }
    // A press on a row selects it, except on the branch's arrow left of the label.
    const QModelIndex pressed = indexAt(pt);
    if (pressed.isValid() && pt.x() >= visualRect(pressed).left() && !MayMoveTo(pressed)) {
        pEvent->accept();
        return;
    }
    if (pEvent->button() == Qt::LeftButton) {
        m_pDrag->Press(NodeAtLabel(pt), pt);
    }
    QTreeView::mousePressEvent(pEvent);
}

void CLeftView::mouseMoveEvent(QMouseEvent* pEvent) {
    if (!m_pDrag->MoveTo(pEvent->position().toPoint(), pEvent->buttons())) {
        QTreeView::mouseMoveEvent(pEvent);
    }
}

void CLeftView::mouseReleaseEvent(QMouseEvent* pEvent) {
    const QPoint pt = pEvent->position().toPoint();
    if (pEvent->button() == Qt::RightButton) {
        if (NodeAtLabel(pt).isValid()) {
            OpenContextMenu(pt);
        }
        pEvent->accept();
        return;
    }
    QTreeView::mouseReleaseEvent(pEvent);
    if (pEvent->button() == Qt::LeftButton && m_pDrag->Release(pt)) {
        Drop();
    }
}

void CLeftView::mouseDoubleClickEvent(QMouseEvent* pEvent) {
    const Qt::KeyboardModifiers modifiers = pEvent->modifiers();
    if (pEvent->button() == Qt::LeftButton &&
        (modifiers & (Qt::ControlModifier | Qt::ShiftModifier))) {
        if (const QModelIndex node = NodeAtLabel(pEvent->position().toPoint()); node.isValid()) {
            // Ctrl wins over Shift; the double click's own toggle does not happen.
            ExpandBranch(node, (modifiers & Qt::ControlModifier) != 0);
            pEvent->accept();
            return;
        }
    }
    QTreeView::mouseDoubleClickEvent(pEvent);
}

void CLeftView::contextMenuEvent(QContextMenuEvent* pEvent) {
    // The mouse opens the menu on the right button's release; the keyboard's menu key opens it
    // at the selected node. Nothing goes on to the parent windows.
    if (pEvent->reason() == QContextMenuEvent::Keyboard && m_hSelected.isValid()) {
        OpenContextMenu(visualRect(m_hSelected).center());
    }
    pEvent->accept();
}

QItemSelectionModel::SelectionFlags CLeftView::selectionCommand(const QModelIndex& index,
                                                                const QEvent* pEvent) const {
    // The press selects. A release elsewhere (the end of a drag) selects nothing, and Ctrl
    // belongs to the double click: nothing may take the highlight off the node that the form
    // shows and Ctrl+Delete deletes.
    if (pEvent != nullptr && pEvent->type() == QEvent::MouseButtonRelease) {
        return QItemSelectionModel::NoUpdate;
    }
    const QItemSelectionModel::SelectionFlags flags = QTreeView::selectionCommand(index, pEvent);
    if (flags.testAnyFlags(QItemSelectionModel::Deselect | QItemSelectionModel::Toggle)) {
        return QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows;
    }
    return flags;
}

void CLeftView::keyPressEvent(QKeyEvent* pEvent) {
    if (m_pDrag->IsDragging() && pEvent->key() == Qt::Key_Escape) {
        m_pDrag->End();
        pEvent->accept();
        return;
    }
    QTreeView::keyPressEvent(pEvent);
}

QModelIndex CLeftView::moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers) {
    const QModelIndex next = QTreeView::moveCursor(cursorAction, modifiers);
    return MayMoveTo(next) ? next : currentIndex();
}

void CLeftView::keyboardSearch(const QString& strSearch) {
    if (m_selection.MayLeave(CDeedSelection::Leave::ApplyDropOrStay)) {
        QTreeView::keyboardSearch(strSearch);
    }
}

QModelIndex CLeftView::DropHighlight() const {
    return m_pDrag->IsDragging() ? m_pDrag->Target() : QModelIndex();
}

bool CLeftView::IsDragging() const {
    return m_pDrag->IsDragging();
}

bool CLeftView::CanDrag(const QModelIndex& node) const {
    const CBodItem* pBod = BodAt(node);
    return pBod && !pBod->IsLarge();
}

QModelIndex CLeftView::CanDropOn(const QModelIndex& node) const {
    const CBodItem* pLarge = BodAt(node);
    const CBodItem* pSmall = BodAt(m_pDrag->Item());
    if (pLarge && pSmall && DeedCombining::CanDropOn(*pSmall, *pLarge)) {
        return node;
    }
    return {};
}

void CLeftView::Drop() {
    // Kept across the removal of the dragged node, which moves the rows below it.
    const QPersistentModelIndex target = CanDropOn(m_pDrag->Target());
    CQuillmarDoc* pDoc = GetDocument();
    if (!target.isValid() || !pDoc ||
        !pDoc->CombineIntoLarge(BodAt(m_pDrag->Item()), BodAt(target), this)) {
        return;
    }
    DeleteItemAndEmptyParents(m_pDrag->Item());
    if (const CBodItem* pLarge = BodAt(target)) {
        m_pModel->Hierarchy().SetLabel(*m_pModel->NodeFromIndex(target),
                                       CBodHierarchy::BodLabel(*pLarge));
        SelectNode(target);
    }
}

void CLeftView::drawRow(QPainter* pPainter, const QStyleOptionViewItem& option,
                        const QModelIndex& index) const {
    if (m_pDrag->IsDragging() && index == m_pDrag->Target()) {
        QStyleOptionViewItem highlighted = option;
        highlighted.state |= QStyle::State_Selected;
        QTreeView::drawRow(pPainter, highlighted, index);
        return;
    }
    QTreeView::drawRow(pPainter, option, index);
}
