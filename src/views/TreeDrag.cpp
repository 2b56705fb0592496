#include "views/TreeDrag.h"

#include "model/DeedCombining.h"
#include "views/DragImage.h"
#include "views/DropRefusal.h"
#include "views/LeftView.h"

#include <QApplication>
#include <QIcon>
#include <QScrollBar>
#include <QStatusTipEvent>
#include <QTimerEvent>
#include <algorithm>

namespace {

constexpr int kAutoScrollIntervalMs = 10;
// Width of the band inside each edge where auto-scroll starts, in pixels.
constexpr int kScrollBand = 10;

} // namespace

CTreeDrag::CTreeDrag(CLeftView& tree) : m_tree(tree) {}

CTreeDrag::~CTreeDrag() {
    End();
}

void CTreeDrag::Press(const QModelIndex& node, const QPoint& pt) {
    m_ptLastMouse = pt;
    m_hPressed = node;
    m_ptPressed = pt;
}

bool CTreeDrag::MoveTo(const QPoint& pt, Qt::MouseButtons buttons) {
    m_ptLastMouse = pt;
    if (m_bDragging) {
        DragMoveTo(pt);
        return true;
    }
    if (!(buttons & Qt::LeftButton)) {
        return false;
    }
    if (m_hPressed.isValid() &&
        (pt - m_ptPressed).manhattanLength() >= QApplication::startDragDistance()) {
        const QModelIndex node = m_hPressed;
        m_hPressed = QModelIndex();
        OnBegindrag(node, m_ptPressed);
        if (m_bDragging) {
            DragMoveTo(pt);
        }
    }
    return true;
}

bool CTreeDrag::Release(const QPoint& pt) {
    m_ptLastMouse = pt;
    m_hPressed = QModelIndex();
    if (!m_bDragging) {
        return false;
    }
    if (!m_tree.viewport()->rect().contains(pt)) {
        m_hDropTarget = QModelIndex();
    }
    End();
    return true;
}

void CTreeDrag::OnBegindrag(const QModelIndex& node, const QPoint& ptStart) {
    m_hDragItem = node;
    m_hDropTarget = QModelIndex();
    m_tree.SelectNode(node);
    if (!m_tree.CanDrag(m_hDragItem)) {
        return;
    }
    m_pDragImage =
        std::make_unique<CDragImage>(node.data(Qt::DecorationRole).value<QIcon>(),
                                     m_tree.iconSize(), node.data().toString(), m_tree.font());
    m_timer.start(kAutoScrollIntervalMs, this);
    m_bDragging = true;
    QGuiApplication::setOverrideCursor(Qt::ForbiddenCursor);
    m_pDragImage->MoveTo(m_tree.viewport()->mapToGlobal(ptStart));
}

void CTreeDrag::DragMoveTo(const QPoint& pt) {
    m_pDragImage->MoveTo(m_tree.viewport()->mapToGlobal(pt));
    const QModelIndex hit = m_tree.NodeAtRow(pt);
    if (hit != m_hDropTarget) {
        SetDropTarget(hit);
    }
    // The application's cursor, not the pane's: the pointer may leave the window while the drag
    // holds the mouse, and it must say "no" there too.
    QGuiApplication::changeOverrideCursor(
        hit.isValid() && m_tree.CanDropOn(hit).isValid() ? Qt::ArrowCursor : Qt::ForbiddenCursor);
    // The status bar says why not.
    const CBodItem* pTarget = m_tree.BodAt(hit);
    const CBodItem* pSmall = m_tree.BodAt(m_hDragItem);
    QStatusTipEvent tip(!hit.isValid()
                            ? QString()
                            : DropRefusalText(pTarget && pSmall
                                                  ? DeedCombining::Judge(*pSmall, *pTarget)
                                                  : DeedCombining::Verdict::NotLargeAndSmall));
    QCoreApplication::sendEvent(&m_tree, &tip);
}

void CTreeDrag::SetDropTarget(const QModelIndex& node) {
    const QModelIndex previous = m_hDropTarget;
    m_hDropTarget = node;
    UpdateRow(previous);
    UpdateRow(node);
}

void CTreeDrag::UpdateRow(const QModelIndex& node) const {
    if (node.isValid()) {
        const QRect rcRow = m_tree.visualRect(node);
        m_tree.viewport()->update(0, rcRow.top(), m_tree.viewport()->width(), rcRow.height());
    }
}

void CTreeDrag::End() {
    m_hPressed = QModelIndex();
    if (!m_bDragging) {
        return;
    }
    m_timer.stop();
    m_bDragging = false;
    m_pDragImage.reset();
    QGuiApplication::restoreOverrideCursor();
    QStatusTipEvent tip{QString()};
    QCoreApplication::sendEvent(&m_tree, &tip);
    UpdateRow(m_hDropTarget);
}

int CTreeDrag::AutoScrollStep(int nDepth) {
    return std::max(1, 6 - nDepth / 20);
}

void CTreeDrag::timerEvent(QTimerEvent* pEvent) {
    if (pEvent->timerId() == m_timer.timerId()) {
        AutoScroll();
        return;
    }
    QObject::timerEvent(pEvent);
}

void CTreeDrag::AutoScroll() {
    ++m_nTimerTicks;
    const QPoint pt = m_ptLastMouse;
    m_pDragImage->MoveTo(m_tree.viewport()->mapToGlobal(pt));
    const QRect rc = m_tree.viewport()->rect();
    const int nRight = rc.left() + rc.width();
    const int nBottom = rc.top() + rc.height();

    QScrollBar* pVertical = m_tree.verticalScrollBar();
    if (pt.x() >= rc.left() - kScrollBand && pt.x() <= nRight + kScrollBand) {
        if (pt.y() < rc.top() + kScrollBand && pVertical->value() > pVertical->minimum()) {
            if (m_nTimerTicks % AutoScrollStep(rc.top() - pt.y() + kScrollBand) == 0) {
                const QModelIndex firstVisible = m_tree.NodeAtRow(QPoint(0, 0));
                pVertical->triggerAction(QAbstractSlider::SliderSingleStepSub);
                SetDropTarget(rc.contains(pt) ? firstVisible : QModelIndex());
            }
        } else if (pt.y() > nBottom - kScrollBand && pVertical->value() < pVertical->maximum()) {
            if (m_nTimerTicks % AutoScrollStep(pt.y() - nBottom + kScrollBand) == 0) {
                QModelIndex target = m_tree.NodeAtRow(QPoint(0, 0));
                pVertical->triggerAction(QAbstractSlider::SliderSingleStepAdd);
                const int nRowHeight = target.isValid() ? m_tree.visualRect(target).height() : 0;
                const int nVisibleRows = nRowHeight > 0 ? rc.height() / nRowHeight : 0;
                for (int i = 0; i < nVisibleRows - 1 && target.isValid(); ++i) {
                    target = m_tree.indexBelow(target);
                }
                SetDropTarget(rc.contains(pt) ? target : QModelIndex());
            }
        }
    }

    if (rc.contains(pt)) {
        QScrollBar* pHorizontal = m_tree.horizontalScrollBar();
        if (pt.x() < rc.left() + kScrollBand && pHorizontal->value() > pHorizontal->minimum()) {
            pHorizontal->triggerAction(QAbstractSlider::SliderSingleStepSub);
        } else if (pt.x() > nRight - kScrollBand && pHorizontal->value() < pHorizontal->maximum()) {
            pHorizontal->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        }
    }
}
