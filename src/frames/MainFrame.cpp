#include "frames/MainFrame.h"

#include "document/QuillmarDoc.h"
#include "frames/ChildFrame.h"
#include "frames/CommandTable.h"
#include "frames/FramePlacement.h"
#include "framework/DocManager.h"
#include "views/LeftView.h"
#include "views/PointsText.h"
#include "views/PrintCommands.h"
#include "views/QuillmarView.h"
#include "widgets/AboutDlg.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QIcon>
#include <QItemSelectionModel>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPageSetupDialog>
#include <QPrinter>
#include <QStatusBar>
#include <QToolBar>
#include <QWindow>
#include <algorithm>

namespace {

constexpr int kDefaultWidth = 679;
constexpr int kDefaultHeight = 416;
constexpr int kMaxRecentFiles = 4;
const QString kAppName = QStringLiteral("Quillmar");

// How a recent file reads in the File menu: "&1 path", ampersands of the path kept visible.
QString RecentFileText(int nIndex, const QString& strPath) {
    QString strShown = QDir::toNativeSeparators(strPath);
    strShown.replace(QLatin1Char('&'), QStringLiteral("&&"));
    return QStringLiteral("&%1 %2").arg(nIndex + 1).arg(strShown);
}

} // namespace

CMainFrame::CMainFrame(CDocManager& docManager) : m_docManager(docManager) {
    setWindowTitle(kAppName);
    setWindowIcon(QIcon(QStringLiteral(":/app/quillmar.svg")));

    CCreateParams params;
    LoadFramePlacement(params, kDefaultWidth, kDefaultHeight, &m_bAlwaysOnTop);
    // The inside of the window is what closing stores, so the inside is what comes back:
    // placing the frame's corner there would move the window down one title bar per restart.
    if (params.HasSize() && params.HasPosition()) {
        setGeometry(params.x, params.y, params.cx, params.cy);
    } else if (params.HasSize()) {
        resize(params.cx, params.cy);
    }
    m_bStartMaximized = params.bMaximized;

    m_pMdiArea = new QMdiArea(this);
    m_pMdiArea->setViewMode(QMdiArea::SubWindowView);
    setCentralWidget(m_pMdiArea);
    // The timer as the receiver: windows that go while this one is destroyed find no receiver.
    connect(m_pMdiArea, &QMdiArea::subWindowActivated, &m_idleTimer,
            [this] { ScheduleIdleUpdate(); });

    CreateCommands();
    CreateToolBar();
    CreateStatusBar();
    CreateMenus();
    ApplyAlwaysOnTop();
    setAcceptDrops(true);

    connect(&m_docManager, &CDocManager::RecentFilesChanged, this,
            &CMainFrame::UpdateRecentFileItems);
    UpdateRecentFileItems();

    // Command states follow what they depend on: the documents and their histories, the
    // selection (told through the views' updates), the active window and pane. A burst of such
    // changes is brought up to date once, when the program is next idle.
    m_idleTimer.setSingleShot(true);
    m_idleTimer.setInterval(0);
    connect(&m_idleTimer, &QTimer::timeout, this, &CMainFrame::UpdateCommandUI);
    connect(qApp, &QApplication::focusChanged, &m_idleTimer, [this] { ScheduleIdleUpdate(); });
    UpdateCommandUI();
}

void CMainFrame::ShowFrame() {
    if (m_bStartMaximized) {
        showMaximized();
    } else {
        show();
    }
}

CMainFrame::~CMainFrame() = default;

void CMainFrame::CreateCommands() {
    for (const CCommandRow& row : CommandTable()) {
        auto* pAction = new QAction(CommandText(row.pszText), this);
        const QString strPrompt = CommandText(row.pszPrompt);
        const qsizetype nBreak = strPrompt.indexOf(QLatin1Char('\n'));
        pAction->setStatusTip(nBreak < 0 ? strPrompt : strPrompt.left(nBreak));
        if (nBreak >= 0) {
            pAction->setToolTip(strPrompt.mid(nBreak + 1));
        }
        QList<QKeySequence> keys;
        for (const QKeyCombination key : row.keys) {
            if (key.key() != Qt::Key_unknown) {
                keys.append(QKeySequence(key));
            }
        }
        pAction->setShortcuts(keys);
        pAction->setCheckable(row.fnChecked != nullptr);
        // Menus show the commands as words only.
        pAction->setIconVisibleInMenu(false);
        const int nID = row.nID;
        connect(pAction, &QAction::triggered, this, [this, nID] { OnCommand(nID); });
        // Keys work whichever menu bar shows, as the accelerator table did.
        addAction(pAction);
        m_commands.emplace(nID, CCommand{pAction, &row});
    }
}

void CMainFrame::CreateToolBar() {
    m_wndToolBar = addToolBar(tr("Toolbar"));
    m_wndToolBar->setObjectName(QStringLiteral("Toolbar"));
    m_wndToolBar->setIconSize(QSize(16, 16));
    m_wndToolBar->setAllowedAreas(Qt::AllToolBarAreas);
    for (const int nID : ToolBarLayout()) {
        if (nID == kSeparator) {
            m_wndToolBar->addSeparator();
            continue;
        }
        const CCommand& command = m_commands.at(nID);
        command.pAction->setIcon(QIcon(QString::fromLatin1(command.pRow->pszIcon)));
        m_wndToolBar->addAction(command.pAction);
    }
}

void CMainFrame::CreateStatusBar() {
    QStatusBar* pStatusBar = statusBar();
    pStatusBar->setObjectName(QStringLiteral("StatusBar"));
    m_pBodCountPane = new QLabel(pStatusBar);
    m_pBodCountPane->setObjectName(QStringLiteral("BodCountPane"));
    m_pBodCountPane->setMinimumWidth(
        //: Never shown: the pane is made as wide as this text.
        m_pBodCountPane->fontMetrics().horizontalAdvance(tr("BOD Count: WWW/WWW")) +
        2 * m_pBodCountPane->margin());
    pStatusBar->addPermanentWidget(m_pBodCountPane);
    m_pPointsPane = new QLabel(pStatusBar);
    m_pPointsPane->setObjectName(QStringLiteral("PointsPane"));
    pStatusBar->addPermanentWidget(m_pPointsPane);
    // The message pane falls back to "Ready" whenever no prompt is shown.
    connect(pStatusBar, &QStatusBar::messageChanged, this, [pStatusBar](const QString& strText) {
        if (strText.isEmpty()) {
            pStatusBar->showMessage(tr("Ready"));
        }
    });
    pStatusBar->showMessage(tr("Ready"));
}

QMenu* CMainFrame::CreateMenu(const CMenuLayout& layout) {
    auto* pMenu = new QMenu(CommandText(layout.pszTitle), this);
    for (const int nID : layout.items) {
        if (nID == kSeparator) {
            pMenu->addSeparator();
        } else if (nID == kRecentFiles) {
            AddRecentFileItems(pMenu);
        } else if (nID == kWindowList) {
            connect(pMenu, &QMenu::aboutToShow, this, [this, pMenu] { FillWindowList(pMenu); });
        } else {
            pMenu->addAction(m_commands.at(nID).pAction);
        }
    }
    // The framework refreshed a popup's items just before it opened.
    connect(pMenu, &QMenu::aboutToShow, this, &CMainFrame::UpdateCommandUI);
    return pMenu;
}

void CMainFrame::CreateMenus() {
    m_pRecentPlaceholder = new QAction(tr("Recent File"), this);
    m_pRecentPlaceholder->setEnabled(false);
    m_pRecentPlaceholder->setStatusTip(tr("Open this document"));
    for (int i = 0; i < kMaxRecentFiles; ++i) {
        auto* pAction = new QAction(this);
        pAction->setStatusTip(tr("Open this document"));
        connect(pAction, &QAction::triggered, this, [this, i] {
            const QStringList& files = m_docManager.GetRecentFiles();
            if (i < files.size()) {
                m_docManager.OpenDocumentFile(files.at(i));
            }
            UpdateCommandUI();
        });
        m_recentFileActions.push_back(pAction);
    }

    for (const CMenuLayout& layout : MenusWithoutDocument()) {
        m_menusNoDocument.push_back(CreateMenu(layout));
    }
    for (const CMenuLayout& layout : MenusWithDocument()) {
        m_menusDocument.push_back(CreateMenu(layout));
    }
    m_pTreeMenu = CreateMenu({"", {TreeMenuLayout().begin(), TreeMenuLayout().end()}});
    for (QMenu* pMenu : m_menusNoDocument) {
        menuBar()->addMenu(pMenu);
    }
}

void CMainFrame::AddRecentFileItems(QMenu* pMenu) {
    pMenu->addAction(m_pRecentPlaceholder);
    for (QAction* pAction : m_recentFileActions) {
        pMenu->addAction(pAction);
    }
}

void CMainFrame::UpdateRecentFileItems() {
    const QStringList& files = m_docManager.GetRecentFiles();
    m_pRecentPlaceholder->setVisible(files.isEmpty());
    for (int i = 0; i < kMaxRecentFiles; ++i) {
        QAction* pAction = m_recentFileActions.at(static_cast<std::size_t>(i));
        const bool bUsed = i < files.size();
        pAction->setVisible(bUsed);
        pAction->setText(bUsed ? RecentFileText(i, files.at(i)) : QString());
    }
}

void CMainFrame::FillWindowList(QMenu* pMenu) {
    for (QAction* pAction : m_windowListActions) {
        pMenu->removeAction(pAction);
        delete pAction;
    }
    m_windowListActions.clear();
    const QList<QMdiSubWindow*> windows = m_pMdiArea->subWindowList(QMdiArea::CreationOrder);
    if (windows.isEmpty()) {
        return;
    }
    m_windowListActions.push_back(pMenu->addSeparator());
    int nNumber = 1;
    for (QMdiSubWindow* pWindow : windows) {
        QString strTitle = pWindow->windowTitle();
        strTitle.replace(QLatin1Char('&'), QStringLiteral("&&"));
        QAction* pAction = pMenu->addAction(QStringLiteral("&%1 %2").arg(nNumber++).arg(strTitle));
        pAction->setCheckable(true);
        pAction->setChecked(pWindow == m_pMdiArea->currentSubWindow());
        pAction->setStatusTip(tr("Activate this window"));
        connect(pAction, &QAction::triggered, this, [this, pWindow] {
            m_pMdiArea->setActiveSubWindow(pWindow);
            UpdateCommandUI();
        });
        m_windowListActions.push_back(pAction);
    }
}

CChildFrame* CMainFrame::CreateChildFrame(CDocument* pDoc) {
    auto* pFrame = new CChildFrame(pDoc);
    m_pMdiArea->addSubWindow(pFrame);
    pFrame->InitialUpdateFrame();
    connect(pFrame, &QObject::destroyed, &m_idleTimer, [this] { ScheduleIdleUpdate(); });
    // The main title shows the window's caption, and how depends on whether it is maximised.
    connect(pFrame, &QMdiSubWindow::windowStateChanged, &m_idleTimer,
            [this] { ScheduleIdleUpdate(); });
    // A filter or the selection changes what the count pane counts and what the commands act on,
    // without any change of the document.
    CLeftView* pTree = pFrame->GetLeftView();
    connect(pTree, &CLeftView::ShownChanged, &m_idleTimer, [this] { ScheduleIdleUpdate(); });
    connect(pTree->selectionModel(), &QItemSelectionModel::currentChanged, &m_idleTimer,
            [this] { ScheduleIdleUpdate(); });
    connect(&pTree->Selection(), &CDeedSelection::Changed, &m_idleTimer,
            [this] { ScheduleIdleUpdate(); });
    connect(pTree, &CLeftView::ContextMenuRequested, this, [this](const QPoint& ptGlobal) {
        UpdateCommandUI();
        m_pTreeMenu->popup(ptGlobal);
    });
    pFrame->GetFormView()->SetEditDeedCommand(*GetCommand(ID_EDIT_DEED));
    // Every change of the deeds or the selection reaches the views; the title carries the
    // modified mark; the history names what Undo and Redo would do.
    const auto startTimer = qOverload<>(&QTimer::start);
    connect(pDoc, &CDocument::ViewsUpdated, &m_idleTimer, startTimer, Qt::UniqueConnection);
    connect(pDoc, &CDocument::TitleChanged, &m_idleTimer, startTimer, Qt::UniqueConnection);
    if (auto* pQuillmarDoc = qobject_cast<CQuillmarDoc*>(pDoc)) {
        connect(pQuillmarDoc, &CQuillmarDoc::Changed, &m_idleTimer, startTimer,
                Qt::UniqueConnection);
    }
    UpdateCommandUI();
    return pFrame;
}

CChildFrame* CMainFrame::GetActiveChildFrame() const {
    // The current window, not the active one: the area reports none while a dialog or another
    // program has the focus, and the commands still belong to the window the user worked in.
    auto* pFrame = qobject_cast<CChildFrame*>(m_pMdiArea->currentSubWindow());
    if (pFrame == nullptr || pFrame->GetDocument() == nullptr) {
        return nullptr;
    }
    return pFrame;
}

CQuillmarDoc* CMainFrame::GetActiveDocument() const {
    const CChildFrame* pFrame = GetActiveChildFrame();
    return pFrame != nullptr ? pFrame->GetDocument() : nullptr;
}

QAction* CMainFrame::GetCommand(int nID) const {
    const auto it = m_commands.find(nID);
    return it != m_commands.end() ? it->second.pAction : nullptr;
}

QPrinter& CMainFrame::GetPrinter() {
    if (!m_pPrinter) {
        m_pPrinter = std::make_unique<QPrinter>(QPrinter::HighResolution);
    }
    return *m_pPrinter;
}

void CMainFrame::OnCommand(int nID) {
    const auto it = m_commands.find(nID);
    if (it == m_commands.end()) {
        return;
    }
    // A greyed command does not run, whether it came from a menu, a button or a key.
    const CCommandRow& row = *it->second.pRow;
    if (IsCommandEnabled(row) && SettleFormEdits(row)) {
        row.fnRun(*this);
    }
    UpdateCommandUI();
}

void CMainFrame::UpdateCommandUI() {
    for (const auto& [nID, command] : m_commands) {
        const CCommandRow& row = *command.pRow;
        command.pAction->setEnabled(IsCommandEnabled(row));
        if (row.fnChecked != nullptr) {
            command.pAction->setChecked(row.fnChecked(*this));
        }
        if (row.fnText != nullptr) {
            command.pAction->setText(row.fnText(*this));
        }
    }

    const CChildFrame* pFrame = GetActiveChildFrame();
    m_pBodCountPane->setEnabled(pFrame != nullptr);
    m_pBodCountPane->setText(pFrame != nullptr ? pFrame->GetBodCountText() : QString());
    m_pPointsPane->setVisible(PointsText::AreShown());
    m_pPointsPane->setEnabled(pFrame != nullptr);
    m_pPointsPane->setText(pFrame != nullptr && PointsText::AreShown() ? pFrame->GetPointsText()
                                                                       : QString());

    const bool bDocumentMenus = pFrame != nullptr;
    if (bDocumentMenus != m_bDocumentMenus) {
        m_bDocumentMenus = bDocumentMenus;
        menuBar()->clear();
        for (QMenu* pMenu : bDocumentMenus ? m_menusDocument : m_menusNoDocument) {
            menuBar()->addMenu(pMenu);
        }
    }

    const QString strTitle = BuildTitle();
    if (strTitle != windowTitle()) {
        setWindowTitle(strTitle);
    }
}

bool CMainFrame::SettleFormEdits(const CCommandRow& row) const {
    const CChildFrame* pFrame = GetActiveChildFrame();
    return !row.formEdits || pFrame == nullptr || pFrame->SettleFormEdits(*row.formEdits);
}

bool CMainFrame::IsCommandEnabled(const CCommandRow& row) const {
    return row.fnRun != nullptr && (row.fnEnabled == nullptr || row.fnEnabled(*this));
}

QString CMainFrame::BuildTitle() const {
    const CChildFrame* pFrame = GetActiveChildFrame();
    // A maximised document window puts its caption into the title by itself.
    if (pFrame == nullptr || pFrame->isMaximized()) {
        return pFrame == nullptr ? kAppName
                                 : QStringLiteral("%1 - [%2]").arg(kAppName, pFrame->windowTitle());
    }
    return QStringLiteral("%1 - %2").arg(kAppName, pFrame->windowTitle());
}

void CMainFrame::ScheduleIdleUpdate() {
    if (!m_idleTimer.isActive()) {
        m_idleTimer.start();
    }
}

void CMainFrame::OnViewPoints() {
    PointsText::SetShown(!PointsText::AreShown());
    for (QMdiSubWindow* pWindow : m_pMdiArea->subWindowList()) {
        if (const auto* pFrame = qobject_cast<CChildFrame*>(pWindow)) {
            pFrame->GetFormView()->ShowPoints();
        }
    }
}

void CMainFrame::OnAlwaysOnTop() {
    m_bAlwaysOnTop = !m_bAlwaysOnTop;
    ApplyAlwaysOnTop();
}

void CMainFrame::ApplyAlwaysOnTop() {
    Qt::WindowFlags flags = windowFlags();
    flags.setFlag(Qt::WindowStaysOnTopHint, m_bAlwaysOnTop);
    if (flags == windowFlags()) {
        return;
    }
    QWindow* pWindow = windowHandle();
    if (pWindow == nullptr) {
        setWindowFlags(flags);
        return;
    }
    // Changing the widget's flags would hide and re-create the window; telling the platform
    // window directly keeps it where it is and as large as it is.
    overrideWindowFlags(flags);
    pWindow->setFlags(flags);
}

void CMainFrame::OnFileNew() {
    m_docManager.OnFileNew();
}

void CMainFrame::OnFileOpen() {
    m_docManager.OnFileOpen();
}

void CMainFrame::OnFilePrintSetup() {
    QPageSetupDialog dlg(&GetPrinter(), this);
    dlg.exec();
}

void CMainFrame::OnFilePrint(bool bTree) {
    CChildFrame* pFrame = GetActiveChildFrame();
    if (bTree) {
        PrintTreeWithDialog(*pFrame->GetLeftView(), pFrame->GetPrintTitle(), GetPrinter(), this);
    } else {
        PrintBlankPageWithDialog(GetPrinter(), this);
    }
}

void CMainFrame::OnFilePrintPreview(bool bTree) {
    CChildFrame* pFrame = GetActiveChildFrame();
    if (bTree) {
        PreviewTree(*pFrame->GetLeftView(), pFrame->GetPrintTitle(), GetPrinter(), this);
    } else {
        PreviewBlankPage(GetPrinter(), this);
    }
}

void CMainFrame::OnAppAbout() {
    CAboutDlg dlg(this);
    dlg.exec();
}

void CMainFrame::OnWindowNew() {
    if (CQuillmarDoc* pDoc = GetActiveDocument()) {
        CreateChildFrame(pDoc);
    }
}

void CMainFrame::OnWindowArrange() {
    // Minimised windows line up along the bottom of the document area, left to right.
    const QRect rcArea = m_pMdiArea->viewport()->rect();
    int nX = 0;
    int nY = rcArea.bottom() + 1;
    for (QMdiSubWindow* pWindow : m_pMdiArea->subWindowList(QMdiArea::CreationOrder)) {
        if (!pWindow->isMinimized()) {
            continue;
        }
        const QSize size = pWindow->size();
        if (nX > 0 && nX + size.width() > rcArea.width()) {
            nX = 0;
            nY -= size.height();
        }
        pWindow->move(nX, nY - size.height());
        nX += size.width();
    }
}

void CMainFrame::closeEvent(QCloseEvent* pEvent) {
    CWindowPlacement placement;
    placement.rcNormal = isMaximized() || isMinimized() ? normalGeometry() : geometry();
    placement.nShowCmd = isMaximized() ? kShowMaximized : kShowNormal;
    SaveFramePlacement(placement, m_bAlwaysOnTop);
    const QList<QMdiSubWindow*> windows = m_pMdiArea->subWindowList();
    const bool bFormsSettled = std::all_of(windows.begin(), windows.end(), [](QMdiSubWindow* p) {
        const auto* pFrame = qobject_cast<CChildFrame*>(p);
        return pFrame == nullptr || pFrame->SettleFormEdits();
    });
    if (!bFormsSettled || !m_docManager.SaveAllModified()) {
        pEvent->ignore();
        return;
    }
    m_docManager.CloseAllDocuments();
    QMainWindow::closeEvent(pEvent);
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* pEvent) {
    const QList<QUrl> urls = pEvent->mimeData()->urls();
    if (std::any_of(urls.begin(), urls.end(), [](const QUrl& url) { return url.isLocalFile(); })) {
        pEvent->acceptProposedAction();
    }
}

void CMainFrame::dropEvent(QDropEvent* pEvent) {
    pEvent->acceptProposedAction();
    for (const QUrl& url : pEvent->mimeData()->urls()) {
        if (url.isLocalFile()) {
            m_docManager.OpenDocumentFile(url.toLocalFile());
        }
    }
    activateWindow();
    UpdateCommandUI();
}
