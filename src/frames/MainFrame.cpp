#include "frames/MainFrame.h"

#include "app/AboutDlg.h"
#include "document/QuillmarDoc.h"
#include "frames/ChildFrame.h"
#include "frames/FramePlacement.h"
#include "framework/DocManager.h"
#include "views/LeftView.h"
#include "views/TreePrinter.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QIcon>
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
#include <array>

namespace {

constexpr int kDefaultWidth = 679;
constexpr int kDefaultHeight = 416;
constexpr int kSeparator = 0;
constexpr int kMaxRecentFiles = 4;
const QString kAppName = QStringLiteral("Quillmar");

// A command's menu text (accelerator text after a tab) and its string-table prompt: the status
// bar shows the first line, a toolbar button's tooltip the part after the line break.
struct CCommandText {
    int nID;
    const char* pszText;
    const char* pszPrompt;
};

constexpr std::array kCommandTexts{
    CCommandText{ID_FILE_NEW, "&New\tCtrl+N", "Create a new document\nNew"},
    CCommandText{ID_FILE_OPEN, "&Open...\tCtrl+O", "Open an existing document\nOpen"},
    CCommandText{ID_FILE_CLOSE, "&Close", "Close the active document\nClose"},
    CCommandText{ID_FILE_SAVE, "&Save\tCtrl+S", "Save the active document\nSave"},
    CCommandText{ID_FILE_SAVE_AS, "Save &As...",
                 "Save the active document with a new name\nSave As"},
    CCommandText{ID_FILE_EXPORT, "&Export...",
                 "Write the BOD's to a spreadsheet file (CSV)\nExport"},
    CCommandText{ID_FILE_PRINT, "&Print...\tCtrl+P", "Print the active document\nPrint"},
    CCommandText{ID_FILE_PRINT_PREVIEW, "Print Pre&view", "Display full pages\nPrint Preview"},
    CCommandText{ID_FILE_PRINT_SETUP, "P&rint Setup...",
                 "Change the printer and printing options\nPrint Setup"},
    CCommandText{ID_APP_EXIT, "E&xit", "Quit the application; prompts to save documents\nExit"},
    CCommandText{ID_EDIT_UNDO, "&Undo\tCtrl+Z", "Undo the last action\nUndo"},
    CCommandText{ID_EDIT_CUT, "Cu&t\tCtrl+X", "Cut the selection and put it on the Clipboard\nCut"},
    CCommandText{ID_EDIT_COPY, "&Copy\tCtrl+C",
                 "Copy the selection and put it on the Clipboard\nCopy"},
    CCommandText{ID_EDIT_PASTE, "&Paste\tCtrl+V", "Insert Clipboard contents\nPaste"},
    CCommandText{ID_EDIT_FIND, "&Find...\tCtrl+F", "Show only the BOD's that match\nFind"},
    CCommandText{ID_IMPORT, "&Import...\tCtrl+I",
                 "Import BOD's from UOAssist's clipboard format\nImport"},
    CCommandText{ID_AUTO_SAVE, "&Auto Save\tCtrl+A",
                 "Automatically save whenever a change is made\nAuto Save"},
    CCommandText{ID_VIEW_TOOLBAR, "&Toolbar", "Show or hide the toolbar\nToggle ToolBar"},
    CCommandText{ID_VIEW_STATUS_BAR, "&Status Bar",
                 "Show or hide the status bar\nToggle StatusBar"},
    CCommandText{ID_WINDOW_SPLIT, "S&plit", "Split the active window into panes\nSplit"},
    CCommandText{ID_ALWAYS_ON_TOP, "Al&ways on top\tCtrl+T",
                 "Set window to stay on top of all other windows\nAlways on top"},
    CCommandText{ID_SHOPPING_LIST, "Shopping &List\tCtrl+L",
                 "View a list of all LBOD's and the needed SBOD's\nShopping List"},
    CCommandText{ID_WINDOW_NEW, "&New Window",
                 "Open another window for the active document\nNew Window"},
    CCommandText{ID_WINDOW_CASCADE, "&Cascade", "Arrange windows so they overlap\nCascade Windows"},
    CCommandText{ID_WINDOW_TILE_HORZ, "&Tile",
                 "Arrange windows as non-overlapping tiles\nTile Windows"},
    CCommandText{ID_WINDOW_ARRANGE, "&Arrange Icons",
                 "Arrange icons at the bottom of the window\nArrange Icons"},
    CCommandText{ID_APP_ABOUT, "&About Quillmar...",
                 "Display program information, version number and copyright\nAbout"},
    // Reachable by keys only.
    CCommandText{ID_DELETE_BOD, "Delete BOD", ""},
    CCommandText{ID_NEXT_PANE, "Next Pane", "Switch to the next window pane\nNext Pane"},
    CCommandText{ID_PREV_PANE, "Previous Pane",
                 "Switch back to the previous window pane\nPrevious Pane"},
    CCommandText{ID_MDI_CLOSE, "Close Window", "Close the active document window"},
    CCommandText{ID_MDI_NEXT, "Next Window", "Switch to the next document window"},
    CCommandText{ID_MDI_PREV, "Previous Window", "Switch to the previous document window"},
};

// The accelerator table: every key runs its command like a menu choice.
struct CAccelerator {
    int nID;
    QKeyCombination key;
};

constexpr std::array kAccelerators{
    CAccelerator{ID_AUTO_SAVE, Qt::CTRL | Qt::Key_A},
    CAccelerator{ID_EDIT_COPY, Qt::CTRL | Qt::Key_C},
    CAccelerator{ID_IMPORT, Qt::CTRL | Qt::Key_I},
    CAccelerator{ID_SHOPPING_LIST, Qt::CTRL | Qt::Key_L},
    CAccelerator{ID_FILE_NEW, Qt::CTRL | Qt::Key_N},
    CAccelerator{ID_FILE_OPEN, Qt::CTRL | Qt::Key_O},
    CAccelerator{ID_FILE_PRINT, Qt::CTRL | Qt::Key_P},
    CAccelerator{ID_FILE_SAVE, Qt::CTRL | Qt::Key_S},
    CAccelerator{ID_ALWAYS_ON_TOP, Qt::CTRL | Qt::Key_T},
    CAccelerator{ID_EDIT_PASTE, Qt::CTRL | Qt::Key_V},
    CAccelerator{ID_EDIT_UNDO, Qt::ALT | Qt::Key_Backspace},
    CAccelerator{ID_DELETE_BOD, Qt::CTRL | Qt::Key_Delete},
    CAccelerator{ID_NEXT_PANE, QKeyCombination(Qt::Key_F6)},
    CAccelerator{ID_PREV_PANE, Qt::SHIFT | Qt::Key_F6},
    CAccelerator{ID_EDIT_COPY, Qt::CTRL | Qt::Key_Insert},
    CAccelerator{ID_EDIT_PASTE, Qt::SHIFT | Qt::Key_Insert},
    CAccelerator{ID_EDIT_CUT, Qt::CTRL | Qt::Key_X},
    CAccelerator{ID_EDIT_UNDO, Qt::CTRL | Qt::Key_Z},
    CAccelerator{ID_MDI_CLOSE, Qt::CTRL | Qt::Key_F4},
    CAccelerator{ID_MDI_NEXT, Qt::CTRL | Qt::Key_F6},
    CAccelerator{ID_MDI_PREV, Qt::CTRL | Qt::SHIFT | Qt::Key_F6},
    CAccelerator{ID_APP_EXIT, Qt::CTRL | Qt::Key_Q},
    CAccelerator{ID_EDIT_FIND, Qt::CTRL | Qt::Key_F},
};

struct CToolButton {
    int nID;
    const char* pszIcon;
};

constexpr std::array kToolButtons{
    CToolButton{ID_FILE_NEW, ":/toolbar/new.svg"},
    CToolButton{ID_FILE_OPEN, ":/toolbar/open.svg"},
    CToolButton{ID_FILE_SAVE, ":/toolbar/save.svg"},
    CToolButton{kSeparator, nullptr},
    CToolButton{ID_FILE_PRINT, ":/toolbar/print.svg"},
    CToolButton{ID_FILE_PRINT_PREVIEW, ":/toolbar/preview.svg"},
    CToolButton{kSeparator, nullptr},
    CToolButton{ID_AUTO_SAVE, ":/toolbar/autosave.svg"},
    CToolButton{ID_ALWAYS_ON_TOP, ":/toolbar/alwaysontop.svg"},
    CToolButton{ID_SHOPPING_LIST, ":/toolbar/shoppinglist.svg"},
    CToolButton{kSeparator, nullptr},
    CToolButton{ID_IMPORT, ":/toolbar/import.svg"},
};

// The recent-file list's place in a File menu.
constexpr int kRecentFiles = ID_FILE_MRU_FILE1;

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

    // The framework brought every command's state up to date whenever the program went idle,
    // that is after each burst of input; a zero-length single shot after input does the same.
    m_idleTimer.setSingleShot(true);
    m_idleTimer.setInterval(0);
    connect(&m_idleTimer, &QTimer::timeout, this, &CMainFrame::UpdateCommandUI);
    qApp->installEventFilter(this);
    UpdateCommandUI();
}

void CMainFrame::ShowFrame() {
    if (m_bStartMaximized) {
        showMaximized();
    } else {
        show();
    }
}

CMainFrame::~CMainFrame() {
    qApp->removeEventFilter(this);
}

void CMainFrame::CreateCommands() {
    for (const CCommandText& text : kCommandTexts) {
        auto* pAction = new QAction(QString::fromLatin1(text.pszText), this);
        const QString strPrompt = QString::fromLatin1(text.pszPrompt);
        const qsizetype nBreak = strPrompt.indexOf(QLatin1Char('\n'));
        pAction->setStatusTip(nBreak < 0 ? strPrompt : strPrompt.left(nBreak));
        if (nBreak >= 0) {
            pAction->setToolTip(strPrompt.mid(nBreak + 1));
        }
        const int nID = text.nID;
        connect(pAction, &QAction::triggered, this, [this, nID] { OnCommand(nID); });
        // Keys work whichever menu bar shows, as the accelerator table did.
        addAction(pAction);
        m_commands[nID].pAction = pAction;
    }
    for (const CAccelerator& accel : kAccelerators) {
        QAction* pAction = m_commands.at(accel.nID).pAction;
        QList<QKeySequence> keys = pAction->shortcuts();
        keys.append(QKeySequence(accel.key));
        pAction->setShortcuts(keys);
    }
    for (const int nID :
         {ID_AUTO_SAVE, ID_ALWAYS_ON_TOP, ID_SHOPPING_LIST, ID_VIEW_TOOLBAR, ID_VIEW_STATUS_BAR}) {
        m_commands.at(nID).pAction->setCheckable(true);
    }

    const auto hasFrame = [this] {
        return GetActiveChildFrame() != nullptr;
    };
    const auto notInShoppingList = [this] {
        const CQuillmarDoc* pDoc = GetActiveDocument();
        return pDoc != nullptr && pDoc->IsNotInShoppingList();
    };
    const auto treeActive = [this] {
        const CChildFrame* pFrame = GetActiveChildFrame();
        return pFrame != nullptr && pFrame->GetActiveView() == pFrame->GetLeftView();
    };

    // The application's commands.
    SetHandler(ID_FILE_NEW, [this] { OnFileNew(); });
    SetHandler(ID_FILE_OPEN, [this] { OnFileOpen(); });
    SetHandler(ID_FILE_PRINT_SETUP, [this] { OnFilePrintSetup(); });
    SetHandler(ID_APP_ABOUT, [this] { OnAppAbout(); });

    // This window's.
    SetHandler(ID_APP_EXIT, [this] { close(); });
    SetHandler(
        ID_ALWAYS_ON_TOP, [this] { OnAlwaysOnTop(); }, {}, [this] { return m_bAlwaysOnTop; });
    SetHandler(
        ID_VIEW_TOOLBAR, [this] { m_wndToolBar->setVisible(m_wndToolBar->isHidden()); }, {},
        [this] { return !m_wndToolBar->isHidden(); });
    SetHandler(
        ID_VIEW_STATUS_BAR, [this] { statusBar()->setVisible(statusBar()->isHidden()); }, {},
        [this] { return !statusBar()->isHidden(); });
    SetHandler(
        ID_WINDOW_NEW, [this] { OnWindowNew(); }, hasFrame);
    SetHandler(
        ID_WINDOW_CASCADE, [this] { m_pMdiArea->cascadeSubWindows(); }, hasFrame);
    SetHandler(
        ID_WINDOW_TILE_HORZ, [this] { m_pMdiArea->tileSubWindows(); }, hasFrame);
    SetHandler(
        ID_WINDOW_ARRANGE, [this] { OnWindowArrange(); }, hasFrame);

    // The active document window's.
    SetHandler(
        ID_WINDOW_SPLIT, [this] { GetActiveChildFrame()->OnSplit(); }, hasFrame);
    SetHandler(
        ID_NEXT_PANE, [this] { GetActiveChildFrame()->OnNextPane(); }, hasFrame);
    SetHandler(
        ID_PREV_PANE, [this] { GetActiveChildFrame()->OnNextPane(); }, hasFrame);
    SetHandler(
        ID_MDI_CLOSE, [this] { GetActiveChildFrame()->close(); }, hasFrame);
    SetHandler(
        ID_MDI_NEXT, [this] { m_pMdiArea->activateNextSubWindow(); }, hasFrame);
    SetHandler(
        ID_MDI_PREV, [this] { m_pMdiArea->activatePreviousSubWindow(); }, hasFrame);

    // The active document's.
    SetHandler(
        ID_FILE_CLOSE,
        [this] {
            CQuillmarDoc* pDoc = GetActiveDocument();
            if (pDoc->SaveModified()) {
                pDoc->OnCloseDocument();
            }
        },
        hasFrame);
    SetHandler(
        ID_FILE_SAVE, [this] { GetActiveDocument()->DoFileSave(); }, notInShoppingList);
    SetHandler(
        ID_FILE_SAVE_AS, [this] { GetActiveDocument()->DoSave(QString()); }, notInShoppingList);
    SetHandler(
        ID_IMPORT, [this] { GetActiveDocument()->OnImport(); }, notInShoppingList);
    SetHandler(
        ID_AUTO_SAVE, [this] { GetActiveDocument()->OnAutoSave(); }, hasFrame,
        [this] { return GetActiveDocument() != nullptr && GetActiveDocument()->m_bAutoSave; });
    SetHandler(
        ID_SHOPPING_LIST, [this] { GetActiveDocument()->OnShoppingList(); }, hasFrame,
        [this] { return GetActiveDocument() != nullptr && GetActiveDocument()->m_bShoppingList; });

    // The active view's: the tree prints the hierarchy, the form a blank page.
    SetHandler(
        ID_FILE_PRINT,
        [this, treeActive] {
            CChildFrame* pFrame = GetActiveChildFrame();
            if (treeActive()) {
                PrintTreeWithDialog(*pFrame->GetLeftView(), pFrame->windowTitle(), GetPrinter(),
                                    this);
            } else {
                PrintBlankPageWithDialog(GetPrinter(), this);
            }
        },
        hasFrame);
    SetHandler(
        ID_FILE_PRINT_PREVIEW,
        [this, treeActive] {
            CChildFrame* pFrame = GetActiveChildFrame();
            if (treeActive()) {
                PreviewTree(*pFrame->GetLeftView(), pFrame->windowTitle(), GetPrinter(), this);
            } else {
                PreviewBlankPage(GetPrinter(), this);
            }
        },
        hasFrame);
    SetHandler(
        ID_DELETE_BOD, [this] { GetActiveChildFrame()->GetLeftView()->OnDeleteBod(); }, treeActive);
    SetHandler(
        ID_EDIT_FIND, [this] { GetActiveChildFrame()->OnFind(); }, hasFrame);
    SetHandler(
        ID_FILE_EXPORT, [this] { GetActiveChildFrame()->OnExport(); }, hasFrame);
    // Undo, Cut, Copy and Paste have no handler in the main window: they stay greyed.
}

void CMainFrame::SetHandler(int nID, std::function<void()> fnRun, std::function<bool()> fnEnabled,
                            std::function<bool()> fnChecked) {
    CCommand& command = m_commands.at(nID);
    command.fnRun = std::move(fnRun);
    command.fnEnabled = std::move(fnEnabled);
    command.fnChecked = std::move(fnChecked);
}

void CMainFrame::CreateToolBar() {
    m_wndToolBar = addToolBar(QStringLiteral("Toolbar"));
    m_wndToolBar->setObjectName(QStringLiteral("Toolbar"));
    m_wndToolBar->setIconSize(QSize(16, 16));
    m_wndToolBar->setAllowedAreas(Qt::AllToolBarAreas);
    for (const CToolButton& button : kToolButtons) {
        if (button.nID == kSeparator) {
            m_wndToolBar->addSeparator();
            continue;
        }
        QAction* pAction = m_commands.at(button.nID).pAction;
        pAction->setIcon(QIcon(QString::fromLatin1(button.pszIcon)));
        m_wndToolBar->addAction(pAction);
    }
    // Menus show the commands as words only.
    for (const auto& [nID, command] : m_commands) {
        command.pAction->setIconVisibleInMenu(false);
    }
}

void CMainFrame::CreateStatusBar() {
    QStatusBar* pStatusBar = statusBar();
    pStatusBar->setObjectName(QStringLiteral("StatusBar"));
    m_pBodCountPane = new QLabel(pStatusBar);
    m_pBodCountPane->setObjectName(QStringLiteral("BodCountPane"));
    m_pBodCountPane->setMinimumWidth(
        m_pBodCountPane->fontMetrics().horizontalAdvance(QStringLiteral("BOD Count: WWW/WWW")) +
        2 * m_pBodCountPane->margin());
    pStatusBar->addPermanentWidget(m_pBodCountPane);
    // The message pane falls back to "Ready" whenever no prompt is shown.
    connect(pStatusBar, &QStatusBar::messageChanged, this, [pStatusBar](const QString& strText) {
        if (strText.isEmpty()) {
            pStatusBar->showMessage(QStringLiteral("Ready"));
        }
    });
    pStatusBar->showMessage(QStringLiteral("Ready"));
}

QMenu* CMainFrame::CreateMenu(const QString& strTitle, const std::vector<int>& items) {
    auto* pMenu = new QMenu(strTitle, this);
    for (const int nID : items) {
        if (nID == kSeparator) {
            pMenu->addSeparator();
        } else if (nID == kRecentFiles) {
            AddRecentFileItems(pMenu);
        } else {
            pMenu->addAction(m_commands.at(nID).pAction);
        }
    }
    // The framework refreshed a popup's items just before it opened.
    connect(pMenu, &QMenu::aboutToShow, this, &CMainFrame::UpdateCommandUI);
    return pMenu;
}

void CMainFrame::CreateMenus() {
    m_pRecentPlaceholder = new QAction(QStringLiteral("Recent File"), this);
    m_pRecentPlaceholder->setEnabled(false);
    m_pRecentPlaceholder->setStatusTip(QStringLiteral("Open this document"));
    for (int i = 0; i < kMaxRecentFiles; ++i) {
        auto* pAction = new QAction(this);
        pAction->setStatusTip(QStringLiteral("Open this document"));
        connect(pAction, &QAction::triggered, this, [this, i] {
            const QStringList& files = m_docManager.GetRecentFiles();
            if (i < files.size()) {
                m_docManager.OpenDocumentFile(files.at(i));
            }
            UpdateCommandUI();
        });
        m_recentFileActions.push_back(pAction);
    }

    m_menusNoDocument = {
        CreateMenu(QStringLiteral("&File"),
                   {ID_FILE_NEW, ID_FILE_OPEN, kSeparator, ID_FILE_PRINT_SETUP, kSeparator,
                    kRecentFiles, kSeparator, ID_APP_EXIT}),
        CreateMenu(QStringLiteral("&View"), {ID_VIEW_TOOLBAR, ID_VIEW_STATUS_BAR, ID_WINDOW_SPLIT}),
        CreateMenu(QStringLiteral("&Help"), {ID_APP_ABOUT}),
    };
    QMenu* pWindowMenu =
        CreateMenu(QStringLiteral("&Window"),
                   {ID_WINDOW_NEW, ID_WINDOW_CASCADE, ID_WINDOW_TILE_HORZ, ID_WINDOW_ARRANGE});
    connect(pWindowMenu, &QMenu::aboutToShow, this,
            [this, pWindowMenu] { FillWindowList(pWindowMenu); });
    m_menusDocument = {
        CreateMenu(QStringLiteral("&File"),
                   {ID_FILE_NEW, ID_FILE_OPEN, ID_FILE_CLOSE, ID_FILE_SAVE, ID_FILE_SAVE_AS,
                    ID_FILE_EXPORT, kSeparator, ID_FILE_PRINT, ID_FILE_PRINT_PREVIEW,
                    ID_FILE_PRINT_SETUP, kSeparator, kRecentFiles, kSeparator, ID_APP_EXIT}),
        CreateMenu(QStringLiteral("&Edit"),
                   {ID_EDIT_UNDO, kSeparator, ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_PASTE,
                    ID_EDIT_FIND, kSeparator, ID_IMPORT, ID_AUTO_SAVE}),
        CreateMenu(QStringLiteral("&View"),
                   {ID_VIEW_TOOLBAR, ID_VIEW_STATUS_BAR, ID_WINDOW_SPLIT, kSeparator,
                    ID_ALWAYS_ON_TOP, kSeparator, ID_SHOPPING_LIST}),
        pWindowMenu,
        CreateMenu(QStringLiteral("&Help"), {ID_APP_ABOUT}),
    };
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
        pAction->setStatusTip(QStringLiteral("Activate this window"));
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
    const CCommand& command = it->second;
    if (command.fnRun && (!command.fnEnabled || command.fnEnabled())) {
        command.fnRun();
    }
    UpdateCommandUI();
}

void CMainFrame::UpdateCommandUI() {
    for (const auto& [nID, command] : m_commands) {
        command.pAction->setEnabled(command.fnRun && (!command.fnEnabled || command.fnEnabled()));
        if (command.fnChecked) {
            command.pAction->setChecked(command.fnChecked());
        }
    }

    const CChildFrame* pFrame = GetActiveChildFrame();
    m_pBodCountPane->setEnabled(pFrame != nullptr);
    m_pBodCountPane->setText(pFrame != nullptr ? pFrame->GetBodCountText() : QString());

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
    if (!m_docManager.SaveAllModified()) {
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

bool CMainFrame::eventFilter(QObject* pWatched, QEvent* pEvent) {
    switch (pEvent->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::Drop:
    case QEvent::FocusIn:
    case QEvent::WindowActivate:
        ScheduleIdleUpdate();
        break;
    default:
        break;
    }
    return QMainWindow::eventFilter(pWatched, pEvent);
}
