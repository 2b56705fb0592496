#pragma once

#include "frames/CommandTable.h"

#include <QMainWindow>
#include <QTimer>
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

// The main window: menus, toolbar, status bar with the deed-count pane, and the document area
// that holds one CChildFrame per open view of a document. Its commands are the rows of
// CommandTable: each runs on the active document window's view or document, or on this window.
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
    QLabel* GetPointsPane() const { return m_pPointsPane; }
    // The action of a command, or null for an identifier no menu, button or key carries.
    QAction* GetCommand(int nID) const;
    // The printer every print command and Print Setup share, made on first use.
    QPrinter& GetPrinter();

    bool IsAlwaysOnTop() const { return m_bAlwaysOnTop; }
    // Shows the window as it was last closed: maximised or in its stored rectangle.
    void ShowFrame();

    // Handlers of this window and of the application behind it, run from the command table.
    void OnAlwaysOnTop();
    void OnFileNew();
    void OnFileOpen();
    void OnFilePrintSetup();
    // The tree prints the hierarchy, the form a blank page.
    void OnFilePrint(bool bTree);
    void OnFilePrintPreview(bool bTree);
    void OnAppAbout();
    void OnWindowNew();
    void OnWindowArrange();
    void OnViewPoints();

    // Runs nID as a menu choice would: nothing happens when it is greyed now.
    void OnCommand(int nID);
    // Enables, checks and labels every command, fills the deed-count pane, chooses the menu bar
    // and the title; runs once after each burst of changes they depend on.
    void UpdateCommandUI();

protected:
    void closeEvent(QCloseEvent* pEvent) override;
    void dragEnterEvent(QDragEnterEvent* pEvent) override;
    void dropEvent(QDropEvent* pEvent) override;

private:
    struct CCommand {
        QAction* pAction = nullptr;
        const CCommandRow* pRow = nullptr;
    };

    void CreateCommands();
    void CreateToolBar();
    void CreateStatusBar();
    void CreateMenus();
    QMenu* CreateMenu(const CMenuLayout& layout);
    void AddRecentFileItems(QMenu* pMenu);
    void UpdateRecentFileItems();
    void FillWindowList(QMenu* pMenu);
    bool IsCommandEnabled(const CCommandRow& row) const;
    // Whether the row's command may run after the active window's form settled its edits.
    bool SettleFormEdits(const CCommandRow& row) const;
    void ApplyAlwaysOnTop();
    void ScheduleIdleUpdate();
    QString BuildTitle() const;

    CDocManager& m_docManager;
    QMdiArea* m_pMdiArea = nullptr;
    QToolBar* m_wndToolBar = nullptr;
    QLabel* m_pBodCountPane = nullptr;
    QLabel* m_pPointsPane = nullptr;
    bool m_bAlwaysOnTop = false;
    bool m_bStartMaximized = false;

    std::map<int, CCommand> m_commands;
    std::vector<QMenu*> m_menusNoDocument;
    std::vector<QMenu*> m_menusDocument;
    QMenu* m_pTreeMenu = nullptr;
    bool m_bDocumentMenus = false;
    QAction* m_pRecentPlaceholder = nullptr;
    std::vector<QAction*> m_recentFileActions;
    std::vector<QAction*> m_windowListActions;

    std::unique_ptr<QPrinter> m_pPrinter;
    QTimer m_idleTimer;
};
