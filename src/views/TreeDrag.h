#pragma once

#include <QBasicTimer>
#include <QObject>
#include <QPersistentModelIndex>
#include <QPoint>
#include <memory>

class CDragImage;
class CLeftView;

// A small deed dragged in the tree towards a large deed: the picture that follows the pointer,
// the cursor that says whether the node under it takes the deed, the highlighted target and the
// scrolling near the pane's edges. The tree hands it the mouse and drops on the target at the
// end. The button stays down for the whole drag, so the viewport keeps every mouse event even
// outside the window.
class CTreeDrag final : public QObject {
public:
    explicit CTreeDrag(CLeftView& tree);
    ~CTreeDrag() override;

    // The left button went down at pt, on node or on no label (invalid node).
    void Press(const QModelIndex& node, const QPoint& pt);
    // The pointer moved to pt. Returns whether the drag took the move: while the left button is
    // down the tree does not drag a selection along, and a node moved far enough starts a drag.
    bool MoveTo(const QPoint& pt, Qt::MouseButtons buttons);
    // The left button came up at pt. Returns whether a drag ended, to be dropped on Target();
    // outside the pane there is no target.
    bool Release(const QPoint& pt);
    // Ends the drag without a drop (Escape, a rebuild).
    void End();

    bool IsDragging() const { return m_bDragging; }
    // The node dragged, for as long as it is shown.
    QModelIndex Item() const { return m_hDragItem; }
    // The node the drag highlights as its drop target; invalid when none.
    QModelIndex Target() const { return m_hDropTarget; }

    // Auto-scroll speed: a line every this many 10 ms ticks, for a cursor nDepth pixels into the
    // band that starts 10 pixels inside the edge.
    static int AutoScrollStep(int nDepth);

protected:
    void timerEvent(QTimerEvent* pEvent) override;

private:
    void OnBegindrag(const QModelIndex& node, const QPoint& ptStart);
    void DragMoveTo(const QPoint& pt);
    void SetDropTarget(const QModelIndex& node);
    // Redraws the row of node, highlighted or not.
    void UpdateRow(const QModelIndex& node) const;
    void AutoScroll();

    CLeftView& m_tree;
    unsigned int m_nTimerTicks = 0;
    QBasicTimer m_timer;
    std::unique_ptr<CDragImage> m_pDragImage;
    bool m_bDragging = false;
    QPersistentModelIndex m_hDragItem;
    QPersistentModelIndex m_hDropTarget;
    // Where the left button went down on a node, for the drag that may follow.
    QPersistentModelIndex m_hPressed;
    QPoint m_ptPressed;
    QPoint m_ptLastMouse;
};
