#include "frames/ChildFrame.h"

#include "document/QuillmarDoc.h"
#include "framework/Prompt.h"
#include "framework/SafeWrite.h"
#include "model/DeedCsv.h"
#include "views/DiskChangeBar.h"
#include "views/FilterBar.h"
#include "views/LeftView.h"
#include "views/PointsText.h"
#include "views/QuillmarView.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMdiArea>
#include <QMenu>
#include <QSplitter>
#include <QVBoxLayout>
#include <algorithm>

namespace {

constexpr int kDefaultWidth = 599;
constexpr int kDefaultHeight = 356;
// How far one arrow key moves the split bar; with Ctrl held, one pixel.
constexpr int kSplitKeyStep = 16;

} // namespace

CChildFrame::CChildFrame(CDocument* pDoc, QWidget* pParent)
    : QMdiSubWindow(pParent), m_pDocument(pDoc) {
    setAttribute(Qt::WA_DeleteOnClose);
    m_nShowState = LoadChildPlacement(m_createParams, kDefaultWidth, kDefaultHeight);
    if (m_createParams.HasSize()) {
        resize(m_createParams.cx, m_createParams.cy);
    }
    OnCreateClient();
    m_pDiskChangeBar->SetDocument(pDoc);
    // Qt's German gives Close (the window menu's last item) the letter of Minimise; ours has a
    // letter of its own in every language.
    if (QMenu* pMenu = systemMenu(); pMenu != nullptr && !pMenu->actions().isEmpty()) {
        pMenu->actions().constLast()->setText(tr("&Close"));
    }

    connect(pDoc, &CDocument::TitleChanged, this, &CChildFrame::UpdateCaption);
    connect(pDoc, &CDocument::Closing, this, &CChildFrame::OnDocumentClosing);
    connect(pDoc, &CDocument::ActivateRequested, this, [this] {
        if (mdiArea() != nullptr) {
            mdiArea()->setActiveSubWindow(this);
        }
    });
    connect(qApp, &QApplication::focusChanged, this,
            [this](QWidget* /*pOld*/, QWidget* pNow) { OnFocusChanged(pNow); });
    UpdateCaption();
}

CChildFrame::~CChildFrame() {
    EndSplitTracking(true);
    if (m_bEverShown) {
        SaveSplitPosition(m_wndSplitter);
    }
    DetachViews();
}

void CChildFrame::OnCreateClient() {
    m_wndSplitter = new QSplitter(Qt::Horizontal, this);
    m_pLeftPane = new QWidget(m_wndSplitter);
    m_pDiskChangeBar = new CDiskChangeBar(m_pLeftPane);
    m_pFilterBar = new CFilterBar(m_pLeftPane);
    m_pLeftView = new CLeftView(m_pLeftPane);
    auto* pLeftLayout = new QVBoxLayout(m_pLeftPane);
    pLeftLayout->setContentsMargins(0, 0, 0, 0);
    pLeftLayout->setSpacing(0);
    pLeftLayout->addWidget(m_pDiskChangeBar);
    pLeftLayout->addWidget(m_pFilterBar);
    pLeftLayout->addWidget(m_pLeftView, 1);
    connect(m_pFilterBar, &CFilterBar::FilterChanged, m_pLeftView,
            [this] { m_pLeftView->SetFilter(m_pFilterBar->GetFilter()); });
    connect(m_pFilterBar, &CFilterBar::Closed, m_pLeftView,
            [this] { m_pLeftView->setFocus(Qt::OtherFocusReason); });
    connect(m_pLeftView, &CLeftView::ShownChanged, m_pFilterBar, [this] { UpdateFilterBar(); });
    connect(m_pLeftView, &CLeftView::ListChanged, m_pFilterBar, [this] {
        if (!m_pFilterBar->isHidden() && GetDocument() != nullptr) {
            m_pFilterBar->SetChoices(GetDocument()->GetBods());
        }
    });
    m_pFormView = new CQuillmarView(m_wndSplitter);
    m_pFormView->SetSelection(m_pLeftView->Selection());
    m_wndSplitter->addWidget(m_pLeftPane);
    m_wndSplitter->addWidget(m_pFormView);
    // The tree keeps its width when the window grows; the form takes what remains.
    m_wndSplitter->setStretchFactor(0, 0);
    m_wndSplitter->setStretchFactor(1, 1);
    setWidget(m_wndSplitter);

    const QMargins margins = contentsMargins();
    const int nClientWidth = std::max(0, width() - margins.left() - margins.right());
    const int nHalf = nClientWidth / 2;
    m_nTreeWidth = LoadSplitPosition(nHalf);
    m_wndSplitter->setSizes({m_nTreeWidth, std::max(0, nClientWidth - m_nTreeWidth)});
}

void CChildFrame::InitialUpdateFrame() {
    if (m_createParams.HasPosition()) {
        move(m_createParams.x, m_createParams.y);
    }
    m_rcRestored = geometry();
    if (m_pDocument) {
        m_pDocument->AddView(m_pLeftView);
        m_pDocument->AddView(m_pFormView);
    }
    m_pLeftView->OnInitialUpdate();
    m_pFormView->OnInitialUpdate();
    UpdateDocumentCaptions();
    if (m_nShowState != kShowMaximized) {
        ResizeParentToFit();
    }

    if (m_nShowState == kShowMaximized) {
        showMaximized();
    } else {
        show();
    }
    if (mdiArea() != nullptr) {
        mdiArea()->setActiveSubWindow(this);
    }
    m_pLeftView->setFocus();
}

void CChildFrame::ResizeParentToFit() {
    // Worked out from the sizes the window was made with: its panes are not laid out before
    // the main window first shows.
    const QMargins margins = contentsMargins();
    const int nPaneWidth =
        width() - margins.left() - margins.right() - m_nTreeWidth - m_wndSplitter->handleWidth();
    const int nPaneHeight = height() - margins.top() - margins.bottom();
    const QSize sizeForm = m_pFormView->widget()->sizeHint();
    const int nShrinkX = std::max(0, nPaneWidth - sizeForm.width());
    const int nShrinkY = std::max(0, nPaneHeight - sizeForm.height());
    if (nShrinkX > 0 || nShrinkY > 0) {
        resize(width() - nShrinkX, height() - nShrinkY);
    }
}

CQuillmarDoc* CChildFrame::GetDocument() const {
    return qobject_cast<CQuillmarDoc*>(m_pDocument.data());
}

CView* CChildFrame::GetActiveView() const {
    if (m_bFormActive) {
        return m_pFormView;
    }
    return m_pLeftView;
}

const CBodItem* CChildFrame::GetSelectedBod() const {
    return m_pLeftView->SelectedBod();
}

QString CChildFrame::GetBodCountText() const {
    const CQuillmarDoc* pDoc = GetDocument();
    if (pDoc == nullptr) {
        return {};
    }
    const int nBranch = m_pLeftView->CountBods(m_pLeftView->SelectedNode());
    const auto nTotal = static_cast<qsizetype>(pDoc->GetBods().size());
    if (!m_pLeftView->GetFilter().IsActive()) {
        return tr("BOD count: %1/%2").arg(nBranch).arg(nTotal);
    }
    return tr("BOD count: %1/%2 of %3").arg(nBranch).arg(m_pLeftView->ShownCount()).arg(nTotal);
}

void CChildFrame::OnFind() {
    if (const CQuillmarDoc* pDoc = GetDocument()) {
        m_pFilterBar->SetChoices(pDoc->GetBods());
    }
    UpdateFilterBar();
    m_pFilterBar->Open();
}

bool CChildFrame::OnExport() {
    const CQuillmarDoc* pDoc = GetDocument();
    if (pDoc == nullptr) {
        return false;
    }
    std::vector<const CBodItem*> deeds = m_pLeftView->ShownBods();
    const std::size_t nTotal = pDoc->GetBods().size();
    if (deeds.size() < nTotal) {
        const IPrompt::Answer answer = AppPrompt().MessageBox(
            this,
            tr("The filter shows %1 of %2 BOD's.\nExport only those %1? (No exports all %2.)")
                .arg(deeds.size())
                .arg(nTotal),
            IPrompt::Icon::Question, IPrompt::Buttons::YesNoCancel);
        if (answer == IPrompt::Answer::Cancel) {
            return false;
        }
        if (answer == IPrompt::Answer::No) {
            deeds.assign(pDoc->GetBods().begin(), pDoc->GetBods().end());
        }
    }
    const QString strPath = pDoc->GetPathName();
    const QString strProposed = strPath.isEmpty() ? pDoc->GetDisplayName() + QStringLiteral(".csv")
                                                  : QFileInfo(strPath).path() + QLatin1Char('/') +
                                                        QFileInfo(strPath).completeBaseName() +
                                                        QStringLiteral(".csv");
    const QString strTarget = AppPrompt().GetSaveFileName(
        this, tr("Export"), strProposed, tr("CSV Files (*.csv)"), QStringLiteral(".csv"));
    if (strTarget.isEmpty()) {
        return false;
    }
    const std::string csv =
        pDoc->IsShoppingList() ? DeedCsv::WriteShoppingList(deeds) : DeedCsv::Write(deeds);
    const QString strProblem = SafeWrite::WriteFile(
        strTarget, QByteArrayView(csv.data(), static_cast<qsizetype>(csv.size())));
    if (!strProblem.isEmpty()) {
        AppPrompt().MessageBox(this,
                               tr("Failed to export BOD's.\n%1: %2").arg(strTarget, strProblem),
                               IPrompt::Icon::Exclamation, IPrompt::Buttons::Ok);
        return false;
    }
    return true;
}

void CChildFrame::OnCopy() const {
    const std::vector<const CBodItem*> deeds = m_pLeftView->BranchBods(m_pLeftView->SelectedNode());
    std::string csv = DeedCsv::Write(deeds);
    // The file's byte-order mark tells a spreadsheet the encoding; pasted text has its own.
    if (csv.starts_with("\xEF\xBB\xBF")) {
        csv.erase(0, 3);
    }
    QGuiApplication::clipboard()->setText(QString::fromStdString(csv));
}

void CChildFrame::UpdateFilterBar() {
    if (const CQuillmarDoc* pDoc = GetDocument()) {
        m_pFilterBar->SetCounts(m_pLeftView->ShownCount(),
                                static_cast<int>(pDoc->GetBods().size()));
    }
}

QString CChildFrame::GetPointsText() const {
    return PointsText::Describe(m_pLeftView->BranchPoints(m_pLeftView->SelectedNode()));
}

QString CChildFrame::GetPrintTitle() const {
    return m_pDocument ? m_pDocument->GetDisplayName() : windowTitle();
}

void CChildFrame::OnNextPane() {
    m_bFormActive = !m_bFormActive;
    QWidget* pPane = m_bFormActive ? static_cast<QWidget*>(m_pFormView) : m_pLeftView;
    pPane->setFocus(Qt::TabFocusReason);
}

void CChildFrame::OnSplit() {
    if (IsTrackingSplit() || m_wndSplitter->count() < 2) {
        return;
    }
    m_nSplitBeforeTracking = m_wndSplitter->sizes().constFirst();
    m_pFocusBeforeTracking = QApplication::focusWidget();
    QSplitterHandle* pHandle = m_wndSplitter->handle(1);
    pHandle->setFocusPolicy(Qt::StrongFocus);
    pHandle->installEventFilter(this);
    pHandle->setFocus(Qt::OtherFocusReason);
}

void CChildFrame::EndSplitTracking(bool bCancel) {
    if (!IsTrackingSplit()) {
        return;
    }
    QSplitterHandle* pHandle = m_wndSplitter->handle(1);
    pHandle->removeEventFilter(this);
    pHandle->setFocusPolicy(Qt::NoFocus);
    if (bCancel) {
        const QList<int> sizes = m_wndSplitter->sizes();
        const int nTotal = sizes.constFirst() + sizes.constLast();
        m_wndSplitter->setSizes({m_nSplitBeforeTracking, nTotal - m_nSplitBeforeTracking});
    }
    m_nSplitBeforeTracking = -1;
    QWidget* pFocus = m_pFocusBeforeTracking ? m_pFocusBeforeTracking.data() : m_pLeftView;
    m_pFocusBeforeTracking = nullptr;
    pFocus->setFocus(Qt::OtherFocusReason);
}

bool CChildFrame::eventFilter(QObject* pWatched, QEvent* pEvent) {
    if (!IsTrackingSplit() || pWatched != m_wndSplitter->handle(1)) {
        return QMdiSubWindow::eventFilter(pWatched, pEvent);
    }
    if (pEvent->type() == QEvent::FocusOut) {
        EndSplitTracking(false);
        return false;
    }
    if (pEvent->type() != QEvent::KeyPress) {
        return QMdiSubWindow::eventFilter(pWatched, pEvent);
    }
    const auto* pKey = static_cast<QKeyEvent*>(pEvent);
    const int nStep = pKey->modifiers().testFlag(Qt::ControlModifier) ? 1 : kSplitKeyStep;
    const QList<int> sizes = m_wndSplitter->sizes();
    const int nTotal = sizes.constFirst() + sizes.constLast();
    int nTree = sizes.constFirst();
    switch (pKey->key()) {
    case Qt::Key_Left:
        nTree = std::max(0, nTree - nStep);
        break;
    case Qt::Key_Right:
        nTree = std::min(nTotal, nTree + nStep);
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        EndSplitTracking(false);
        return true;
    case Qt::Key_Escape:
        EndSplitTracking(true);
        return true;
    default:
        return true;
    }
    m_wndSplitter->setSizes({nTree, nTotal - nTree});
    return true;
}

bool CChildFrame::SettleFormEdits(CDeedSelection::Leave leave) const {
    return m_pLeftView->Selection().MayLeave(leave);
}

void CChildFrame::closeEvent(QCloseEvent* pEvent) {
    SavePlacement();
    if (!m_bDocumentClosing && m_pDocument && !SettleFormEdits()) {
        pEvent->ignore();
        return;
    }
    if (!m_bDocumentClosing && m_pDocument) {
        if (HasSiblingWindows()) {
            DetachViews();
            UpdateDocumentCaptions();
        } else {
            if (!m_pDocument->SaveModified()) {
                pEvent->ignore();
                return;
            }
            // Closes every window of the document, this one included.
            m_pDocument->OnCloseDocument();
        }
    }
    QMdiSubWindow::closeEvent(pEvent);
}

void CChildFrame::moveEvent(QMoveEvent* pEvent) {
    QMdiSubWindow::moveEvent(pEvent);
    SavePlacement();
}

void CChildFrame::resizeEvent(QResizeEvent* pEvent) {
    QMdiSubWindow::resizeEvent(pEvent);
    SavePlacement();
}

void CChildFrame::showEvent(QShowEvent* pEvent) {
    m_bEverShown = true;
    QMdiSubWindow::showEvent(pEvent);
    SavePlacement();
}

void CChildFrame::SavePlacement() {
    if (m_wndSplitter == nullptr || !m_bEverShown) {
        return;
    }
    CWindowPlacement placement;
    if (isMinimized()) {
        placement.nShowCmd = kShowMinimized;
    } else if (isMaximized()) {
        placement.nShowCmd = kShowMaximized;
    } else {
        placement.nShowCmd = kShowNormal;
        m_rcRestored = geometry();
    }
    placement.rcNormal = m_rcRestored;
    SaveChildPlacement(placement);
}

void CChildFrame::OnDocumentClosing() {
    m_bDocumentClosing = true;
    DetachViews();
    close();
}

void CChildFrame::DetachViews() {
    if (!m_pDocument) {
        return;
    }
    m_pDocument->RemoveView(m_pLeftView);
    m_pDocument->RemoveView(m_pFormView);
}

bool CChildFrame::HasSiblingWindows() const {
    if (!m_pDocument) {
        return false;
    }
    const std::vector<CView*>& views = m_pDocument->GetViews();
    return std::any_of(views.begin(), views.end(), [this](const CView* pView) {
        return pView != m_pLeftView && pView != m_pFormView;
    });
}

void CChildFrame::UpdateCaption() {
    if (!m_pDocument) {
        return;
    }
    // With more than one window on a document each says which it is: "a.bod:2", and the
    // unsaved-changes mark stays last.
    std::vector<const CLeftView*> trees;
    for (const CView* pView : m_pDocument->GetViews()) {
        if (const auto* pTree = dynamic_cast<const CLeftView*>(pView)) {
            trees.push_back(pTree);
        }
    }
    const auto it = std::find(trees.begin(), trees.end(), m_pLeftView);
    QString strTitle = m_pDocument->GetTitle();
    if (trees.size() > 1 && it != trees.end()) {
        const QString strNumber = QStringLiteral(":%1").arg(it - trees.begin() + 1);
        const bool bMarked = strTitle.endsWith(CDocument::ModifiedMarker());
        strTitle = m_pDocument->GetDisplayName() + strNumber +
                   (bMarked ? CDocument::ModifiedMarker() : QString());
    }
    setWindowTitle(strTitle);
}

void CChildFrame::UpdateDocumentCaptions() const {
    if (mdiArea() == nullptr) {
        return;
    }
    for (QMdiSubWindow* pWindow : mdiArea()->subWindowList()) {
        auto* pFrame = qobject_cast<CChildFrame*>(pWindow);
        if (pFrame != nullptr && pFrame->m_pDocument == m_pDocument) {
            pFrame->UpdateCaption();
        }
    }
}

void CChildFrame::OnFocusChanged(QWidget* pNow) {
    if (pNow == nullptr) {
        return;
    }
    if (pNow == m_pLeftPane || m_pLeftPane->isAncestorOf(pNow)) {
        m_bFormActive = false;
    } else if (pNow == m_pFormView || m_pFormView->isAncestorOf(pNow)) {
        m_bFormActive = true;
    }
}
