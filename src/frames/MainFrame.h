#pragma once

#include <QMainWindow>
#include <QTimer>
#include <functional>
#include <map>
#include <memory>
#include <vector>

class CChildFrame;
class CDocManager;
class CDocument;
class CQuillmarDoc;
class QLabel;
class QMdiArea;
class QMenu;
class QPrinter;
class QToolBar;

// Command identifiers: the program's own and the standard ones its menus, toolbar and
// accelerators share.
enum CommandId : int {
    ID_IMPORT = 32771,
    ID_DELETE_BOD = 32774,
    ID_ALWAYS_ON_TOP = 32776,
    ID_SHOPPING_LIST = 32789,
    ID_AUTO_SAVE = 32790,
    ID_COLLAPSE_TO_HERE = 32796,
    ID_EXPAND_FROM_HERE = 32797,
    ID_INDICATOR_BOD_COUNT = 32798,
    ID_FILE_EXPORT = 32800,
    ID_FILE_NEW = 57600,
    ID_FILE_OPEN = 57601,
    ID_FILE_CLOSE = 57602,
    ID_FILE_SAVE = 57603,
    ID_FILE_SAVE_AS = 57604,
    ID_FILE_PRINT_SETUP = 57606,
    ID_FILE_PRINT = 57607,
    ID_FILE_PRINT_PREVIEW = 57609,
    ID_FILE_MRU_FILE1 = 57616,
    ID_EDIT_COPY = 57634,
    ID_EDIT_FIND = 57636,
    ID_EDIT_CUT = 57635,
    ID_EDIT_PASTE = 57637,
    ID_EDIT_UNDO = 57643,
    ID_WINDOW_NEW = 57648,
    ID_WINDOW_ARRANGE = 57649,
    ID_WINDOW_CASCADE = 57650,
    ID_WINDOW_TILE_HORZ = 57651,
    ID_WINDOW_SPLIT = 57653,
    ID_APP_ABOUT = 57664,
    ID_APP_EXIT = 57665,
    ID_NEXT_PANE = 57680,
    ID_PREV_PANE = 57681,
    // The document windows' own keys.
    ID_MDI_NEXT = 61504,
    ID_MDI_PREV = 61520,
    ID_MDI_CLOSE = 61536,
    ID_VIEW_TOOLBAR = 59392,
    ID_VIEW_STATUS_BAR = 59393,
};

// The main window: menus, toolbar, status bar with the deed-count pane, and the document area
// that holds one CChildFrame per open view of a document. Commands go to the active document
// window's active view, then its document, the document window and this window, as far as
// one of them answers; a command nobody on that route answers is greyed.
class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    explicit CMainFrame(CDocManager& docManager);
    ~CMainFrame() override;

    // Makes a document window for pDoc and shows it; the document template's frame factory.
    CChildFrame* CreateChildFrame(CDocument* pDoc);

    CChildFrame* GetActiveChildFrame() const;
    CQuillmarDoc* GetActiveDocument() const;
    QMdiArea* GetMdiArea() const { return m_pMdiArea; }
    QToolBar* GetToolBar() const { return m_wndToolBar; }
    QLabel* GetBodCountPane() const { return m_pBodCountPane; }
    // The action of a command, or null for an identifier no menu, button or key carries.
    QAction* GetCommand(int nID) const;
    // The printer every print command and Print Setup share, made on first use.
    QPrinter& GetPrinter();

    bool IsAlwaysOnTop() const { return m_bAlwaysOnTop; }
    // Shows the window as it was last closed: maximised or in its stored rectangle.
    void ShowFrame();
    void OnAlwaysOnTop();

    // Runs nID as a menu choice would: nothing happens when it is greyed now.
    void OnCommand(int nID);
    // What the framework did whenever the program went idle: enable, check and label every
    // command, fill the deed-count pane, choose the menu bar and the title.
    void UpdateCommandUI();

protected:
    void closeEvent(QCloseEvent* pEvent) override;
    void dragEnterEvent(QDragEnterEvent* pEvent) override;
    void dropEvent(QDropEvent* pEvent) override;
    bool eventFilter(QObject* pWatched, QEvent* pEvent) override;

private:
    struct CCommand {
        QAction* pAction = nullptr;
        // Null: nobody on the route answers, the command is greyed.
        std::function<void()> fnRun;
        // Null: always enabled once someone answers.
        std::function<bool()> fnEnabled;
        // Null: the command has no check mark.
        std::function<bool()> fnChecked;
    };

    void CreateCommands();
    void CreateToolBar();
    void CreateStatusBar();
    void CreateMenus();
    QMenu* CreateMenu(const QString& strTitle, const std::vector<int>& items);
    void AddRecentFileItems(QMenu* pMenu);
    void UpdateRecentFileItems();
    void FillWindowList(QMenu* pMenu);
    void SetHandler(int nID, std::function<void()> fnRun, std::function<bool()> fnEnabled = {},
                    std::function<bool()> fnChecked = {});
    void ApplyAlwaysOnTop();
    void ScheduleIdleUpdate();
    QString BuildTitle() const;

    // Handlers of this window and of the application behind it.
    void OnFileNew();
    void OnFileOpen();
    void OnFilePrintSetup();
    void OnAppAbout();
    void OnWindowNew();
    void OnWindowArrange();

    CDocManager& m_docManager;
    QMdiArea* m_pMdiArea = nullptr;
    QToolBar* m_wndToolBar = nullptr;
    QLabel* m_pBodCountPane = nullptr;
    bool m_bAlwaysOnTop = false;
    bool m_bStartMaximized = false;

    std::map<int, CCommand> m_commands;
    std::vector<QMenu*> m_menusNoDocument;
    std::vector<QMenu*> m_menusDocument;
    bool m_bDocumentMenus = false;
    QAction* m_pRecentPlaceholder = nullptr;
    std::vector<QAction*> m_recentFileActions;
    std::vector<QAction*> m_windowListActions;

    std::unique_ptr<QPrinter> m_pPrinter;
    QTimer m_idleTimer;
};
