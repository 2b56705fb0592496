#include "views/LeftView.h"

#include "document/QuillmarDoc.h"
#include "framework/CollatorTextOrder.h"
#include "framework/Prompt.h"
#include "model/DeedCombining.h"
#include "views/BodTreeModel.h"
#include "views/DragImage.h"
#include "views/DropRefusal.h"

#include <QAbstractItemDelegate>
#include <QApplication>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QScrollBar>
#include <QStatusTipEvent>
#include <QTimerEvent>
#include <algorithm>
#include <utility>

namespace {

constexpr int kAutoScrollIntervalMs = 10;
// Width of the band inside each edge where auto-scroll starts, in pixels.
constexpr int kScrollBand = 10;
// A filter that leaves this few deeds shows them all at once; more would take long to lay out
// and would not fit on a screen anyway.
constexpr int kExpandAllLimit = 200;

// The deeds the whole tree shows: every entry of the list that holds one.
int CountDeeds(const CBodArray& bods) {
    return static_cast<int>(std::count_if(
        bods.begin(), bods.end(), [](const std::unique_ptr<CBodItem>& p) { return p != nullptr; }));
}

} // namespace

CLeftView::CLeftView(QWidget* pParent)
    : QTreeView(pParent), m_pTextOrder(std::make_unique<CCollatorTextOrder>()) {
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

void CLeftView::OnUpdate(CView*, long, void*) {
    CQuillmarDoc* pDoc = GetDocument();
    if (!pDoc) {
        return;
    }
    if (pDoc->m_bUpdateSelectedOnly) {
        RelabelSelected();
    } else {
        Rebuild();
        Q_EMIT ListChanged();
    }
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
    if (!m_filter.IsNarrowerThan(previous)) {
        if (!m_filter.IsActive() && ShownCount() > kExpandAllLimit &&
            ShownCount() == CountDeeds(pDoc->m_arrBods)) {
            // A filter that hid nothing leaves the whole tree to show as it is (a small one is
            // rebuilt, since the filter opened all of it).
            Q_EMIT ShownChanged();
            return;
        }
        // Clearing the filter brings back the whole tree kept from before it, when nothing has
        // changed since.
        Rebuild(m_filter.IsActive() ? Change::KeepUnfiltered : Change::RestoreUnfiltered);
        return;
    }
    // Narrowing only hides deeds. They are found in list order, which reads the deeds where
    // they lie in memory; walking the tree would jump about.
    std::unordered_set<const CBodItem*> hidden;
    const std::size_t nMaxToPrune = static_cast<std::size_t>(ShownCount()) / 2;
    for (const std::unique_ptr<CBodItem>& pBod : pDoc->m_arrBods) {
        if (pBod && !m_filter.Matches(*pBod) && previous.Matches(*pBod)) {
            hidden.insert(pBod.get());
            // Building the few that stay is quicker than taking most of them away.
            if (hidden.size() > nMaxToPrune) {
                Rebuild(Change::KeepUnfiltered);
                return;
            }
        }
    }
    // A letter more that hides nothing (most of typing a word) leaves the tree as it is.
    if (!hidden.empty()) {
        Rebuild(Change::Prune, &hidden);
    }
}

int CLeftView::ShownCount() const {
    return m_pModel->Hierarchy().GetRoot().GetBodCount();
}

std::vector<const CBodItem*> CLeftView::ShownBods() const {
    std::vector<const CBodItem*> bods;
    if (const CQuillmarDoc* pDoc = GetDocument()) {
        for (const std::unique_ptr<CBodItem>& pBod : pDoc->m_arrBods) {
            if (pBod && m_filter.Matches(*pBod)) {
                bods.push_back(pBod.get());
            }
        }
    }
    return bods;
}

void CLeftView::Rebuild(Change change, const std::unordered_set<const CBodItem*>* pHidden) {
    CQuillmarDoc* pDoc = GetDocument();
    setUpdatesEnabled(false);
    m_bRebuilding = true;
    EndDrag();
    CBodHierarchy& hierarchy = m_pModel->Hierarchy();
    switch (change) {
    case Change::Prune:
        hierarchy.Prune([pHidden](const CBodItem& bod) { return !pHidden->contains(&bod); });
        break;
    case Change::KeepUnfiltered:
        hierarchy.RebuildKeepingUnfiltered(pDoc->m_arrBods, pDoc->m_bShoppingList, m_filter);
        break;
    case Change::RestoreUnfiltered:
        if (hierarchy.RestoreUnfiltered()) {
            break;
        }
        [[fallthrough]];
    case Change::Build:
        hierarchy.Rebuild(pDoc->m_arrBods, pDoc->m_bShoppingList,
                          m_filter.IsActive() ? &m_filter : nullptr);
        break;
    }
    m_hSelected = QModelIndex();
    if (m_filter.IsActive() && ShownCount() <= kExpandAllLimit) {
        expandAll();
    } else {
        expand(m_pModel->index(0, 0));
    }
    const QModelIndex selected =
        m_pModel->IndexFromNode(m_pModel->Hierarchy().FindItemForBod(pDoc->m_pSelectedBod));
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

void CLeftView::RelabelSelected() {
    CQuillmarDoc* pDoc = GetDocument();
    CBodNode* pNode = m_pModel->NodeFromIndex(m_hSelected);
    if (pDoc->m_pSelectedBod && pNode) {
        m_pModel->Hierarchy().SetLabel(*pNode, CBodHierarchy::BodLabel(*pDoc->m_pSelectedBod));
    }
}

void CLeftView::OnSelchanged(const QModelIndex& current) {
    const CBodNode* pNode = m_pModel->NodeFromIndex(current);
    if (!pNode) {
        return;
    }
    m_hSelected = current;
    if (CQuillmarDoc* pDoc = GetDocument()) {
        pDoc->m_pSelectedBod = pNode->GetBod();
        pDoc->m_nBranchCount = CountBods(current);
        if (!m_bRebuilding) {
            pDoc->UpdateAllViews(this);
        }
    }
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

CBodPoints CLeftView::BranchPoints(const QModelIndex& node) const {
    const CBodNode* pNode = m_pModel->NodeFromIndex(node);
    return pNode ? pNode->GetPoints() : CBodPoints();
}

CBodItem* CLeftView::BodAt(const QModelIndex& node) const {
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
    CBodItem* pBod = BodAt(m_hSelected);
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
    const CBodNode* pNext = pKept;
    if (pKept != &hierarchy.GetRoot()) {
        pNext = pKept->GetChild(0);
    } else if (pKept->HasChildren()) {
        // Below the root the neighbour takes over: the next trade, else the one before.
        pNext = pKept->GetChild(std::min(nRemovedRow, pKept->GetChildCount() - 1));
    }
    SelectNode(m_pModel->IndexFromNode(pNext));
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

void CLeftView::BuildContextMenu(QMenu& menu) {
    QAction* pExpand =
        menu.addAction(tr("Expand From Here\tCtrl+Dblclk"), this, &CLeftView::OnExpandFromHere);
    pExpand->setStatusTip(tr("Completely expand the tree from this node"));
    QAction* pCollapse =
        menu.addAction(tr("Collapse To Here\tShft+Dblclk"), this, &CLeftView::OnCollapseToHere);
    pCollapse->setStatusTip(tr("Completely collapse the tree to this node"));
    menu.addSeparator();
    QAction* pDelete = menu.addAction(tr("Delete BOD"), this, &CLeftView::OnDeleteBod);
    pDelete->setEnabled(CanDeleteBod());
    QAction* pEdit = menu.addAction(tr("Edit Deed..."), this, [this] {
        if (CQuillmarDoc* pDoc = GetDocument()) {
            pDoc->OnEditDeed(BodAt(m_hSelected));
        }
    });
    pEdit->setStatusTip(tr("Change what the selected deed asks for"));
    pEdit->setEnabled(CanDeleteBod() && GetDocument() && GetDocument()->IsNotInShoppingList());
}

void CLeftView::OpenContextMenu(const QPoint& ptViewport) {
    auto* pMenu = new QMenu(this);
    pMenu->setAttribute(Qt::WA_DeleteOnClose);
    BuildContextMenu(*pMenu);
    // A popup is a window of its own, so its prompts would stop there; the view passes them on
    // to the main window's status bar, as the menu bar's menus do.
    connect(pMenu, &QMenu::hovered, this,
            [this](QAction* pAction) { pAction->showStatusText(this); });
    connect(pMenu, &QMenu::aboutToHide, this, [this] {
        QStatusTipEvent tip{QString()};
        QCoreApplication::sendEvent(this, &tip);
    });
    pMenu->popup(viewport()->mapToGlobal(ptViewport));
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
    m_ptLastMouse = pt;
    if (pEvent->button() == Qt::RightButton) {
        // A right click selects its node first, so the menu's commands act on it.
        if (const QModelIndex node = NodeAtLabel(pt); node.isValid()) {
            SelectNode(node);
        }
        pEvent->accept();
        return;
    }
    if (pEvent->button() == Qt::LeftButton) {
        m_hPressed = NodeAtLabel(pt);
        m_ptPressed = pt;
    }
    QTreeView::mousePressEvent(pEvent);
}

void CLeftView::mouseMoveEvent(QMouseEvent* pEvent) {
    const QPoint pt = pEvent->position().toPoint();
    m_ptLastMouse = pt;
    if (m_bDragging) {
        DragMoveTo(pt);
        return;
    }
    if (pEvent->buttons() & Qt::LeftButton) {
        // While the button is down the view does not drag a selection along; a node moved far
        // enough starts a drag.
        if (m_hPressed.isValid() &&
            (pt - m_ptPressed).manhattanLength() >= QApplication::startDragDistance()) {
            const QModelIndex node = m_hPressed;
            m_hPressed = QModelIndex();
            OnBegindrag(node, m_ptPressed);
            if (m_bDragging) {
                DragMoveTo(pt);
            }
        }
        return;
    }
    QTreeView::mouseMoveEvent(pEvent);
}

void CLeftView::mouseReleaseEvent(QMouseEvent* pEvent) {
    const QPoint pt = pEvent->position().toPoint();
    m_ptLastMouse = pt;
    if (pEvent->button() == Qt::RightButton) {
        if (NodeAtLabel(pt).isValid()) {
            OpenContextMenu(pt);
        }
        pEvent->accept();
        return;
    }
    QTreeView::mouseReleaseEvent(pEvent);
    if (pEvent->button() != Qt::LeftButton) {
        return;
    }
    m_hPressed = QModelIndex();
    if (m_bDragging) {
        if (!viewport()->rect().contains(pt)) {
            m_hDropTarget = QModelIndex();
        }
        EndDrag();
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
    if (m_bDragging && pEvent->key() == Qt::Key_Escape) {
        EndDrag();
        pEvent->accept();
        return;
    }
    // The main window's accelerators take Ctrl+Delete and Insert first; this serves a pane on
    // its own.
    if (pEvent->key() == Qt::Key_Delete && pEvent->modifiers() == Qt::ControlModifier) {
        OnDeleteBod();
        pEvent->accept();
        return;
    }
    if (pEvent->key() == Qt::Key_Insert && pEvent->modifiers() == Qt::NoModifier && GetDocument() &&
        GetDocument()->IsNotInShoppingList()) {
        GetDocument()->OnNewDeed();
        pEvent->accept();
        return;
    }
    QTreeView::keyPressEvent(pEvent);
}

bool CLeftView::CanDrag(const QModelIndex& node) const {
    const CBodItem* pBod = BodAt(node);
    return pBod && !pBod->IsLarge();
}

QModelIndex CLeftView::CanDropOn(const QModelIndex& node) const {
    const CBodItem* pLarge = BodAt(node);
    const CBodItem* pSmall = BodAt(m_hDragItem);
    if (pLarge && pSmall && DeedCombining::CanDropOn(*pSmall, *pLarge)) {
        return node;
    }
    return {};
}

void CLeftView::OnBegindrag(const QModelIndex& node, const QPoint& ptStart) {
    m_hDragItem = node;
    m_hDropTarget = QModelIndex();
    SelectNode(node);
    if (!CanDrag(m_hDragItem)) {
        return;
    }
    m_pDragImage = std::make_unique<CDragImage>(node.data(Qt::DecorationRole).value<QIcon>(),
                                                iconSize(), node.data().toString(), font());
    m_timer.start(kAutoScrollIntervalMs, this);
    m_bDragging = true;
    QGuiApplication::setOverrideCursor(Qt::ForbiddenCursor);
    // The button stays down for the whole drag, so the viewport keeps every mouse event
    // even outside the window.
    m_pDragImage->MoveTo(viewport()->mapToGlobal(ptStart));
}

void CLeftView::DragMoveTo(const QPoint& pt) {
    m_pDragImage->MoveTo(viewport()->mapToGlobal(pt));
    const QModelIndex hit = NodeAtRow(pt);
    if (hit != m_hDropTarget) {
        SetDropTarget(hit);
    }
    // The application's cursor, not the pane's: the pointer may leave the window while the drag
    // holds the mouse, and it must say "no" there too.
    QGuiApplication::changeOverrideCursor(
        hit.isValid() && CanDropOn(hit).isValid() ? Qt::ArrowCursor : Qt::ForbiddenCursor);
    // The status bar says why not.
    const CBodItem* pTarget = BodAt(hit);
    const CBodItem* pSmall = BodAt(m_hDragItem);
    QStatusTipEvent tip(!hit.isValid()
                            ? QString()
                            : DropRefusalText(pTarget && pSmall
                                                  ? DeedCombining::Judge(*pSmall, *pTarget)
                                                  : DeedCombining::Verdict::NotLargeAndSmall));
    QCoreApplication::sendEvent(this, &tip);
}

void CLeftView::SetDropTarget(const QModelIndex& node) {
    const QModelIndex previous = m_hDropTarget;
    m_hDropTarget = node;
    for (const QModelIndex& changed : {previous, node}) {
        if (changed.isValid()) {
            const QRect rcRow = visualRect(changed);
            viewport()->update(0, rcRow.top(), viewport()->width(), rcRow.height());
        }
    }
}

void CLeftView::EndDrag() {
    m_hPressed = QModelIndex();
    if (!m_bDragging) {
        return;
    }
    m_timer.stop();
    m_bDragging = false;
    m_pDragImage.reset();
    QGuiApplication::restoreOverrideCursor();
    QStatusTipEvent tip{QString()};
    QCoreApplication::sendEvent(this, &tip);
    if (m_hDropTarget.isValid()) {
        const QRect rcRow = visualRect(m_hDropTarget);
        viewport()->update(0, rcRow.top(), viewport()->width(), rcRow.height());
    }
}

void CLeftView::Drop() {
    m_hDropTarget = CanDropOn(m_hDropTarget);
    CQuillmarDoc* pDoc = GetDocument();
    if (!m_hDropTarget.isValid() || !pDoc ||
        !pDoc->CombineIntoLarge(BodAt(m_hDragItem), BodAt(m_hDropTarget), this)) {
        return;
    }
    DeleteItemAndEmptyParents(m_hDragItem);
    if (CBodItem* pLarge = BodAt(m_hDropTarget)) {
        pDoc->m_pSelectedBod = pLarge;
        m_pModel->Hierarchy().SetLabel(*m_pModel->NodeFromIndex(m_hDropTarget),
                                       CBodHierarchy::BodLabel(*pLarge));
        SelectNode(m_hDropTarget);
    }
}

int CLeftView::AutoScrollStep(int nDepth) {
    return std::max(1, 6 - nDepth / 20);
}

void CLeftView::timerEvent(QTimerEvent* pEvent) {
    if (pEvent->timerId() == m_timer.timerId()) {
        AutoScroll();
        return;
    }
    QTreeView::timerEvent(pEvent);
}

void CLeftView::AutoScroll() {
    ++m_nTimerTicks;
    const QPoint pt = m_ptLastMouse;
    m_pDragImage->MoveTo(viewport()->mapToGlobal(pt));
    const QRect rc = viewport()->rect();
    const int nRight = rc.left() + rc.width();
    const int nBottom = rc.top() + rc.height();

    QScrollBar* pVertical = verticalScrollBar();
    if (pt.x() >= rc.left() - kScrollBand && pt.x() <= nRight + kScrollBand) {
        if (pt.y() < rc.top() + kScrollBand && pVertical->value() > pVertical->minimum()) {
            if (m_nTimerTicks % AutoScrollStep(rc.top() - pt.y() + kScrollBand) == 0) {
                const QModelIndex firstVisible = NodeAtRow(QPoint(0, 0));
                pVertical->triggerAction(QAbstractSlider::SliderSingleStepSub);
                SetDropTarget(rc.contains(pt) ? firstVisible : QModelIndex());
            }
        } else if (pt.y() > nBottom - kScrollBand && pVertical->value() < pVertical->maximum()) {
            if (m_nTimerTicks % AutoScrollStep(pt.y() - nBottom + kScrollBand) == 0) {
                QModelIndex target = NodeAtRow(QPoint(0, 0));
                pVertical->triggerAction(QAbstractSlider::SliderSingleStepAdd);
                const int nRowHeight = target.isValid() ? rowHeight(target) : 0;
                const int nVisibleRows = nRowHeight > 0 ? rc.height() / nRowHeight : 0;
                for (int i = 0; i < nVisibleRows - 1 && target.isValid(); ++i) {
                    target = indexBelow(target);
                }
                SetDropTarget(rc.contains(pt) ? target : QModelIndex());
            }
        }
    }

    if (rc.contains(pt)) {
        QScrollBar* pHorizontal = horizontalScrollBar();
        if (pt.x() < rc.left() + kScrollBand && pHorizontal->value() > pHorizontal->minimum()) {
            pHorizontal->triggerAction(QAbstractSlider::SliderSingleStepSub);
        } else if (pt.x() > nRight - kScrollBand && pHorizontal->value() < pHorizontal->maximum()) {
            pHorizontal->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        }
    }
}

void CLeftView::drawRow(QPainter* pPainter, const QStyleOptionViewItem& option,
                        const QModelIndex& index) const {
    if (m_bDragging && index == m_hDropTarget) {
        QStyleOptionViewItem highlighted = option;
        highlighted.state |= QStyle::State_Selected;
        QTreeView::drawRow(pPainter, highlighted, index);
        return;
    }
    QTreeView::drawRow(pPainter, option, index);
}
