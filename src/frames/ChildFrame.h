#pragma once

#include "frames/FramePlacement.h"
#include "views/DeedSelection.h"

#include <QMdiSubWindow>
#include <QPointer>
#include <QRect>

class CBodItem;
class CDiskChangeBar;
class CDocument;
class CFilterBar;
class CLeftView;
class CQuillmarDoc;
class CQuillmarView;
class CView;
class QSplitter;

// One window on a document: the hierarchy on the left, the detail form on the right. Where it
// opens, whether maximised, and how wide the tree pane is come from the last document window
// that was moved, resized, closed or destroyed.
class CChildFrame : public QMdiSubWindow {
    Q_OBJECT
public:
    // Reads the stored placement and makes both panes; the views are attached to pDoc.
    explicit CChildFrame(CDocument* pDoc, QWidget* pParent = nullptr);
    // Keeps the tree pane's width for the next document window.
    ~CChildFrame() override;

    // Applies the stored size and position once the window sits in the document area, fills
    // the views and shows the window, maximised when the stored state says so.
    void InitialUpdateFrame();

    CQuillmarDoc* GetDocument() const;
    CLeftView* GetLeftView() const { return m_pLeftView; }
    CQuillmarView* GetFormView() const { return m_pFormView; }
    CFilterBar* GetFilterBar() const { return m_pFilterBar; }
    CDiskChangeBar* GetDiskChangeBar() const { return m_pDiskChangeBar; }
    QSplitter* GetSplitter() const { return m_wndSplitter; }
    // The pane that last had the keyboard focus; the tree until the form gets it.
    CView* GetActiveView() const;
    // The deed this window has selected, which its commands act on.
    const CBodItem* GetSelectedBod() const;
    // The rectangle the window has when it is neither maximised nor minimised.
    QRect GetRestoredRect() const { return m_rcRestored; }

    // "BOD count: %d/%d" for the tree's selected branch and the shown list; empty without one.
    // With a filter: "BOD count: %d/%d of %d", the branch and the deeds shown of all.
    QString GetBodCountText() const;
    // The reward points of the deeds the tree's selection holds.
    QString GetPointsText() const;
    // What printed pages are titled with: the document's name, without the caption's window
    // number or mark for unsaved changes.
    QString GetPrintTitle() const;

    // Find: opens the filter bar above the tree.
    void OnFind();
    // Export: writes the deeds as CSV where the user says; with a filter on, first asks whether
    // only the deeds it shows go. Returns whether a file was written.
    bool OnExport();

    // Copy: the deeds of the tree's selected branch, as Export writes them, on the clipboard.
    void OnCopy() const;

    // Has the form settle what it holds unapplied before it shows something else; false when
    // the user keeps it there.
    bool
    SettleFormEdits(CDeedSelection::Leave leave = CDeedSelection::Leave::ApplyDropOrStay) const;

    // Next Pane and Previous Pane: with two panes both move the focus to the other one.
    void OnNextPane();
    // Split: the arrow keys move the split bar, Enter keeps the place, Esc goes back.
    void OnSplit();
    bool IsTrackingSplit() const { return m_nSplitBeforeTracking >= 0; }

protected:
    void closeEvent(QCloseEvent* pEvent) override;
    void moveEvent(QMoveEvent* pEvent) override;
    void resizeEvent(QResizeEvent* pEvent) override;
    void showEvent(QShowEvent* pEvent) override;
    bool eventFilter(QObject* pWatched, QEvent* pEvent) override;

private:
    void OnCreateClient();
    void UpdateFilterBar();
    void SavePlacement();
    // Shrinks the window where the form's pane is larger than the form; it never grows.
    void ResizeParentToFit();
    void OnDocumentClosing();
    void DetachViews();
    void UpdateCaption();
    // Every window of this window's document renumbers its caption.
    void UpdateDocumentCaptions() const;
    void OnFocusChanged(QWidget* pNow);
    // Ends keyboard tracking of the split bar, back at the old place when bCancel.
    void EndSplitTracking(bool bCancel);
    // Whether another window shows this window's document.
    bool HasSiblingWindows() const;

    QSplitter* m_wndSplitter = nullptr;
    int m_nShowState = 0;
    // The tree pane's width as the window was made, before any layout.
    int m_nTreeWidth = 0;

    QPointer<CDocument> m_pDocument;
    // The tree with the notice of a change on disk and the filter bar above it: the left pane.
    QWidget* m_pLeftPane = nullptr;
    CDiskChangeBar* m_pDiskChangeBar = nullptr;
    CFilterBar* m_pFilterBar = nullptr;
    CLeftView* m_pLeftView = nullptr;
    CQuillmarView* m_pFormView = nullptr;
    bool m_bFormActive = false;
    CCreateParams m_createParams;
    QRect m_rcRestored;
    bool m_bDocumentClosing = false;
    // A window nobody saw (the print switch's) has no place or split of its own to remember.
    bool m_bEverShown = false;
    int m_nSplitBeforeTracking = -1;
    QPointer<QWidget> m_pFocusBeforeTracking;
};
