#include "frames/CommandTable.h"

#include "document/QuillmarDoc.h"
#include "frames/ChildFrame.h"
#include "frames/MainFrame.h"
#include "views/LeftView.h"
#include "views/PointsText.h"

#include <QCoreApplication>
#include <QMdiArea>
#include <QStatusBar>
#include <QToolBar>

namespace {

bool HasFrame(const CMainFrame& frame) {
    return frame.GetActiveChildFrame() != nullptr;
}

bool NotInShoppingList(const CMainFrame& frame) {
    const CQuillmarDoc* pDoc = frame.GetActiveDocument();
    return pDoc != nullptr && !pDoc->IsShoppingList();
}

// The active window's tree, when it is the active pane: it prints the hierarchy, deletes,
// copies and expands.
const CLeftView* ActiveTree(const CMainFrame& frame) {
    const CChildFrame* pFrame = frame.GetActiveChildFrame();
    return pFrame != nullptr && pFrame->GetActiveView() == pFrame->GetLeftView()
               ? pFrame->GetLeftView()
               : nullptr;
}

bool TreeActive(const CMainFrame& frame) {
    return ActiveTree(frame) != nullptr;
}

bool TreeCanExpand(const CMainFrame& frame) {
    return TreeActive(frame) && ActiveTree(frame)->CanExpandCollapse();
}

bool HasDeedToEdit(const CMainFrame& frame) {
    return NotInShoppingList(frame) && frame.GetActiveChildFrame()->GetSelectedBod() != nullptr;
}

bool CanUndo(const CMainFrame& frame) {
    const CQuillmarDoc* pDoc = frame.GetActiveDocument();
    return pDoc != nullptr && pDoc->CanUndo();
}

bool CanRedo(const CMainFrame& frame) {
    const CQuillmarDoc* pDoc = frame.GetActiveDocument();
    return pDoc != nullptr && pDoc->CanRedo();
}

// "&Undo Delete BOD": the verb and the operation it would take back.
QString HistoryText(const CMainFrame& frame, bool bUndo) {
    const CQuillmarDoc* pDoc = frame.GetActiveDocument();
    if (pDoc == nullptr || !(bUndo ? pDoc->CanUndo() : pDoc->CanRedo())) {
        return CommandText(bUndo ? "&Undo" : "&Redo");
    }
    const QUndoStack& stack = pDoc->GetUndoStack();
    QString strName = bUndo ? stack.undoText() : stack.redoText();
    strName.replace(QLatin1Char('&'), QStringLiteral("&&"));
    return (bUndo ? QCoreApplication::translate("CommandTable", "&Undo %1")
                  : QCoreApplication::translate("CommandTable", "&Redo %1"))
        .arg(strName);
}

// A command that shows the form something else first has it apply, drop or keep its edits.
constexpr auto kSettleFormEdits = CDeedSelection::Leave::ApplyDropOrStay;

const CCommandRow kCommands[] = {
    // The application's and this window's.
    {.nID = ID_FILE_NEW,
     .pszText = QT_TRANSLATE_NOOP("CommandTable", "&New"),
     .pszPrompt = QT_TRANSLATE_NOOP("CommandTable", "Create a new document\nNew"),
     .keys = {Qt::CTRL | Qt::Key_N},
     .pszIcon = ":/toolbar/new.svg",
     .fnRun =
         [](CMainFrame& f) {
             f.OnFileNew();
         }},
    {.nID = ID_FILE_OPEN,
     .pszText = QT_TRANSLATE_NOOP("CommandTable", "&Open..."),
     .pszPrompt = QT_TRANSLATE_NOOP("CommandTable", "Open an existing document\nOpen"),
     .keys = {Qt::CTRL | Qt::Key_O},
     .pszIcon = ":/toolbar/open.svg",
     .fnRun =
         [](CMainFrame& f) {
             f.OnFileOpen();
         }},
    {.nID = ID_FILE_PRINT_SETUP,
     .pszText = QT_TRANSLATE_NOOP("CommandTable", "P&rint Setup..."),
     .pszPrompt =
         QT_TRANSLATE_NOOP("CommandTable", "Change the printer and printing options\nPrint Setup"),
     .fnRun =
         [](CMainFrame& f) {
             f.OnFilePrintSetup();
         }},
    {.nID = ID_APP_EXIT,
     .pszText = QT_TRANSLATE_NOOP("CommandTable", "E&xit"),
     .pszPrompt =
         QT_TRANSLATE_NOOP("CommandTable", "Quit the application; prompts to save documents\nExit"),
     .keys = {Qt::CTRL | Qt::Key_Q},
     .fnRun =
         [](CMainFrame& f) {
             f.close();
         }},
    {.nID = ID_APP_ABOUT,
     .pszText = QT_TRANSLATE_NOOP("CommandTable", "&About Quillmar..."),
     .pszPrompt = QT_TRANSLATE_NOOP(
         "CommandTable", "Display program information, version number and copyright\nAbout"),
     .fnRun =
         [](CMainFrame& f) {
             f.OnAppAbout();
         }},
    {.nID = ID_ALWAYS_ON_TOP,
     .pszText = QT_TRANSLATE_NOOP("CommandTable", "Al&ways on top"),
     .pszPrompt = QT_TRANSLATE_NOOP(
         "CommandTable", "Set window to stay on top of all other windows\nAlways on top"),
     .keys = {Qt::CTRL | Qt::Key_T},
     .pszIcon = ":/toolbar/alwaysontop.svg",
     .fnRun = [](CMainFrame& f) { f.OnAlwaysOnTop(); },
     .fnChecked =
         [](const CMainFrame& f) {
             return f.IsAlwaysOnTop();
         }},
    {.nID = ID_VIEW_TOOLBAR,
     .pszText = QT_TRANSLATE_NOOP("CommandTable", "&Toolbar"),
     .pszPrompt = QT_TRANSLATE_NOOP("CommandTable", "Show or hide the toolbar\nToggle ToolBar"),
     .fnRun = [](CMainFrame& f) { f.GetToolBar()->setVisible(f.GetToolBar()->isHidden()); },
     .fnChecked =
         [](const CMainFrame& f) {
             return !f.GetToolBar()->isHidden();
         }},
    {.nID = ID_VIEW_STATUS_BAR,
     .pszText = QT_TRANSLATE_NOOP("CommandTable", "&Status Bar"),
     .pszPrompt =
         QT_TRANSLATE_NOOP("CommandTable", "Show or hide the status bar\nToggle StatusBar"),
     .fnRun = [](CMainFrame& f) { f.statusBar()->setVisible(f.statusBar()->isHidden()); },
     .fnChecked =
         [](const CMainFrame& f) {
             return !f.statusBar()->isHidden();
         }},
    {.nID = ID_WINDOW_NEW,
     .pszText = QT_TRANSLATE_NOOP("CommandTable", "&New Window"),
     .pszPrompt = QT_TRANSLATE_NOOP("CommandTable",
                                    "Open another window for the active document\nNew Window"),
     .fnRun = [](CMainFrame& f) { f.OnWindowNew(); },
     .fnEnabled = HasFrame},
    {.nID = ID_WINDOW_CASCADE,
     .pszText = QT_TRANSLATE_NOOP("CommandTable", "&Cascade"),
     .pszPrompt =
         QT_TRANSLATE_NOOP("CommandTable", "Arrange windows so they overlap\nCascade Windows"),
     .fnRun = [](CMainFrame& f) { f.GetMdiArea()->cascadeSubWindows(); },
     .fnEnabled = HasFrame},
    {.nID = ID_WINDOW_TILE_HORZ,
     .pszText = QT_TRANSLATE_NOOP("CommandTable", "&Tile"),
     .pszPrompt = QT_TRANSLATE_NOOP("CommandTable",
                                    "Arrange windows as non-overlapping tiles\nTile Windows"),
     .fnRun = [](CMainFrame& f) { f.GetMdiArea()->tileSubWindows(); },
     .fnEnabled = HasFrame},
    {.nID = ID_WINDOW_ARRANGE,
     .pszText = QT_TRANSLATE_NOOP("CommandTable", "&Arrange Icons"),
     .pszPrompt = QT_TRANSLATE_NOOP("CommandTable",
                                    "Arrange icons at the bottom of the window\nArrange Icons"),
     .fnRun = [](CMainFrame& f) { f.OnWindowArrange(); },
     .fnEnabled = HasFrame},

    // The active document window's.
    {.nID = ID_WINDOW_SPLIT,
     .pszText = QT_TRANSLATE_NOOP("CommandTable", "S&plit"),
     .pszPrompt = QT_TRANSLATE_NOOP("CommandTable", "Split the active window into panes\nSplit"),
     .fnRun = [](CMainFrame& f) { f.GetActiveChildFrame()->OnSplit(); },
     .fnEnabled = HasFrame},
    {.nID = ID_NEXT_PANE,
     .pszText = QT_TRANSLATE_NOOP("CommandTable", "Next Pane"),
     .pszPrompt = QT_TRANSLATE_NOOP("CommandTable", "Switch to the next window pane\nNext Pane"),
     .keys = {QKeyCombination(Qt::Key_F6)},
     .fnRun = [](CMainFrame& f) { f.GetActiveChildFrame()->OnNextPane(); },
     .fnEnabled = HasFrame},
    {.nID = ID_PREV_PANE,
     .pszText = QT_TRANSLATE_NOOP("CommandTable", "Previous Pane"),
     .pszPrompt = QT_TRANSLATE_NOOP("CommandTable",
                                    "Switch back to the previous window pane\nPrevious Pane"),
     .keys = {Qt::SHIFT | Qt::Key_F6},
     .fnRun = [](CMainFrame& f) { f.GetActiveChildFrame()->OnNextPane(); },
     .fnEnabled = HasFrame},
    {.nID = ID_MDI_CLOSE,
     .pszText = QT_TRANSLATE_NOOP("CommandTable", "Close Window"),
     .pszPrompt = QT_TRANSLATE_NOOP("CommandTable", "Close the active document window"),
     .keys = {Qt::CTRL | Qt::Key_F4},
     .fnRun = [](CMainFrame& f) { f.GetActiveChildFrame()->close(); },
     .fnEnabled = HasFrame},
    {.nID = ID_MDI_NEXT,
     .pszText = QT_TRANSLATE_NOOP("CommandTable", "Next Window"),
     .pszPrompt = QT_TRANSLATE_NOOP("CommandTable", "Switch to the next document window"),
     .keys = {Qt::CTRL | Qt::Key_F6},
     .fnRun = [](CMainFrame& f) { f.GetMdiArea()->activateNextSubWindow(); },
     .fnEnabled = HasFrame},
    {.nID = ID_MDI_PREV,
     .pszText = QT_TRANSLATE_NOOP("CommandTable", "Previous Window"),
     .pszPrompt = QT_TRANSLATE_NOOP("CommandTable", "Switch to the previous document window"),
     .keys = {Qt::CTRL | Qt::SHIFT | Qt::Key_F6},
     .fnRun = [](CMainFrame& f) { f.GetMdiArea()->activatePreviousSubWindow(); },
     .fnEnabled = HasFrame},

    // The active document's.
    {.nID = ID_FILE_CLOSE,
     .pszText = QT_TRANSLATE_NOOP("CommandTable", "&Close"),
     .pszPrompt = QT_TRANSLATE_NOOP("CommandTable", "Close the active document\nClose"),
     .fnRun =
         [](CMainFrame& f) {
             CQuillmarDoc* pDoc = f.GetActiveDocument();
             if (pDoc->SaveModified()) {
                 pDoc->OnCloseDocument();
             }
         },
     .fnEnabled = HasFrame,
     .formEdits = kSettleFormEdits},
    {.nID = ID_FILE_SAVE,
     .pszText = QT_TRANSLATE_NOOP("CommandTable", "&Save"),
     .pszPrompt = QT_TRANSLATE_NOOP("CommandTable", "Save the active document\nSave"),
     .keys = {Qt::CTRL | Qt::Key_S},
     .pszIcon = ":/toolbar/save.svg",
     .fnRun = [](CMainFrame& f) { f.GetActiveDocument()->DoFileSave(); },
     .fnEnabled = NotInShoppingList,
     .formEdits = kSettleFormEdits},
    {.nID = ID_FILE_SAVE_AS,
     .pszText = QT_TRANSLATE_NOOP("CommandTable", "Save &As..."),
     .pszPrompt =
         QT_TRANSLATE_NOOP("CommandTable", "Save the active document with a new name\nSave As"),
     .fnRun = [](CMainFrame& f) { f.GetActiveDocument()->DoSave(QString()); },
     .fnEnabled = NotInShoppingList,
     .formEdits = kSettleFormEdits},
    {.nID = ID_EDIT_UNDO,
     .pszText = QT_TRANSLATE_NOOP("CommandTable", "&Undo"),
     .pszPrompt = QT_TRANSLATE_NOOP("CommandTable", "Undo the last action\nUndo"),
     .keys = {Qt::CTRL | Qt::Key_Z, Qt::ALT | Qt::Key_Backspace},
     .fnRun = [](CMainFrame& f) { f.GetActiveDocument()->Undo(); },
     .fnEnabled = CanUndo,
     .fnText = [](const CMainFrame& f) { return HistoryText(f, true); },
     .formEdits = CDeedSelection::Leave::DropOrStay},
    {.nID = ID_EDIT_REDO,
     .pszText = QT_TRANSLATE_NOOP("CommandTable", "&Redo"),
     .pszPrompt = QT_TRANSLATE_NOOP("CommandTable", "Redo the previously undone action\nRedo"),
     .keys = {Qt::CTRL | Qt::Key_Y, Qt::CTRL | Qt::SHIFT | Qt::Key_Z},
     .fnRun = [](CMainFrame& f) { f.GetActiveDocument()->Redo(); },
     .fnEnabled = CanRedo,
     .fnText = [](const CMainFrame& f) { return HistoryText(f, false); },
     .formEdits = CDeedSelection::Leave::DropOrStay},
    // The tree's: Copy takes the selected branch's deeds to the clipboard as spreadsheet rows,
    // Paste takes the clipboard's deed lines into the Import dialog.
    {.nID = ID_EDIT_COPY,
     .pszText = QT_TRANSLATE_NOOP("CommandTable", "&Copy"),
     .pszPrompt = QT_TRANSLATE_NOOP(
         "CommandTable", "Put the selected BOD's on the Clipboard as spreadsheet rows\nCopy"),
     .keys = {Qt::CTRL | Qt::Key_C, Qt::CTRL | Qt::Key_Insert},
     .fnRun = [](CMainFrame& f) { f.GetActiveChildFrame()->OnCopy(); },
     .fnEnabled =
         [](const CMainFrame& f) {
             const CLeftView* pTree = ActiveTree(f);
             return pTree != nullptr && pTree->CountBods(pTree->SelectedNode()) > 0;
         }},
    {.nID = ID_EDIT_PASTE,
     .pszText = QT_TRANSLATE_NOOP("CommandTable", "&Paste"),
     .pszPrompt = QT_TRANSLATE_NOOP("CommandTable", "Import the BOD's on the Clipboard\nPaste"),
     .keys = {Qt::CTRL | Qt::Key_V, Qt::SHIFT | Qt::Key_Insert},
     .fnRun = [](CMainFrame& f) { f.GetActiveDocument()->OnImport(true); },
     .fnEnabled = [](const CMainFrame& f) { return TreeActive(f) && NotInShoppingList(f); },
     .formEdits = kSettleFormEdits},
    {.nID = ID_EDIT_FIND,
     .pszText = QT_TRANSLATE_NOOP("CommandTable", "&Find..."),
     .pszPrompt = QT_TRANSLATE_NOOP("CommandTable", "Show only the BOD's that match\nFind"),
     .keys = {Qt::CTRL | Qt::Key_F},
     .fnRun = [](CMainFrame& f) { f.GetActiveChildFrame()->OnFind(); },
     .fnEnabled = HasFrame},
    {.nID = ID_FILE_EXPORT,
     .pszText = QT_TRANSLATE_NOOP("CommandTable", "&Export..."),
     .pszPrompt =
         QT_TRANSLATE_NOOP("CommandTable", "Write the BOD's to a spreadsheet file (CSV)\nExport"),
     .fnRun = [](CMainFrame& f) { f.GetActiveChildFrame()->OnExport(); },
     .fnEnabled = HasFrame},
    {.nID = ID_IMPORT,
     .pszText = QT_TRANSLATE_NOOP("CommandTable", "&Import..."),
     .pszPrompt =
         QT_TRANSLATE_NOOP("CommandTable", "Import BOD's from UOAssist's clipboard format\nImport"),
     .keys = {Qt::CTRL | Qt::Key_I},
     .pszIcon = ":/toolbar/import.svg",
     .fnRun = [](CMainFrame& f) { f.GetActiveDocument()->OnImport(); },
     .fnEnabled = NotInShoppingList,
     .formEdits = kSettleFormEdits},
    {.nID = ID_NEW_DEED,
     .pszText = QT_TRANSLATE_NOOP("CommandTable", "&New Deed..."),
     .pszPrompt = QT_TRANSLATE_NOOP("CommandTable", "Add a deed of any craft by hand\nNew Deed"),
     .keys = {QKeyCombination(Qt::Key_Insert)},
     .fnRun = [](CMainFrame& f) { f.GetActiveDocument()->OnNewDeed(); },
     .fnEnabled = NotInShoppingList,
     .formEdits = kSettleFormEdits},
    {.nID = ID_EDIT_DEED,
     .pszText = QT_TRANSLATE_NOOP("CommandTable", "Edi&t Deed..."),
     .pszPrompt =
         QT_TRANSLATE_NOOP("CommandTable", "Change what the selected deed asks for\nEdit Deed"),
     .keys = {Qt::CTRL | Qt::Key_E},
     .fnRun =
         [](CMainFrame& f) {
             f.GetActiveDocument()->OnEditDeed(f.GetActiveChildFrame()->GetSelectedBod());
         },
     .fnEnabled = HasDeedToEdit,
     .formEdits = kSettleFormEdits},
    {.nID = ID_FILL_LARGE_DEEDS,
     .pszText = QT_TRANSLATE_NOOP("CommandTable", "Fill &Large Deeds"),
     .pszPrompt = QT_TRANSLATE_NOOP(
         "CommandTable",
         "Fill every large deed from the complete small deeds that fit it\nFill Large Deeds"),
     .fnRun = [](CMainFrame& f) { f.GetActiveDocument()->OnFillLargeDeeds(); },
     .fnEnabled = NotInShoppingList,
     .formEdits = kSettleFormEdits},
    {.nID = ID_AUTO_SAVE,
     .pszText = QT_TRANSLATE_NOOP("CommandTable", "&Auto Save"),
     .pszPrompt = QT_TRANSLATE_NOOP("CommandTable",
                                    "Automatically save whenever a change is made\nAuto Save"),
     .keys = {Qt::CTRL | Qt::Key_A},
     .pszIcon = ":/toolbar/autosave.svg",
     .fnRun = [](CMainFrame& f) { f.GetActiveDocument()->OnAutoSave(); },
     .fnEnabled = HasFrame,
     .fnChecked =
         [](const CMainFrame& f) {
             return f.GetActiveDocument() != nullptr && f.GetActiveDocument()->IsAutoSave();
         }},
    {.nID = ID_SHOPPING_LIST,
     .pszText = QT_TRANSLATE_NOOP("CommandTable", "Shopping &List"),
     .pszPrompt = QT_TRANSLATE_NOOP(
         "CommandTable", "View a list of all LBOD's and the needed SBOD's\nShopping List"),
     .keys = {Qt::CTRL | Qt::Key_L},
     .pszIcon = ":/toolbar/shoppinglist.svg",
     .fnRun = [](CMainFrame& f) { f.GetActiveDocument()->OnShoppingList(); },
     .fnEnabled = HasFrame,
     .fnChecked =
         [](const CMainFrame& f) {
             return f.GetActiveDocument() != nullptr && f.GetActiveDocument()->IsShoppingList();
         },
     .formEdits = kSettleFormEdits},

    {.nID = ID_VIEW_POINTS,
     .pszText = QT_TRANSLATE_NOOP("CommandTable", "P&oints"),
     .pszPrompt =
         QT_TRANSLATE_NOOP("CommandTable", "Show the reward points that deeds are worth\nPoints"),
     .fnRun = [](CMainFrame& f) { f.OnViewPoints(); },
     .fnChecked =
         [](const CMainFrame&) {
             return PointsText::AreShown();
         }},

    // The active view's: the tree prints the hierarchy, the form a blank page.
    {.nID = ID_FILE_PRINT,
     .pszText = QT_TRANSLATE_NOOP("CommandTable", "&Print..."),
     .pszPrompt = QT_TRANSLATE_NOOP("CommandTable", "Print the active document\nPrint"),
     .keys = {Qt::CTRL | Qt::Key_P},
     .pszIcon = ":/toolbar/print.svg",
     .fnRun = [](CMainFrame& f) { f.OnFilePrint(TreeActive(f)); },
     .fnEnabled = HasFrame},
    {.nID = ID_FILE_PRINT_PREVIEW,
     .pszText = QT_TRANSLATE_NOOP("CommandTable", "Print Pre&view"),
     .pszPrompt = QT_TRANSLATE_NOOP("CommandTable", "Display full pages\nPrint Preview"),
     .pszIcon = ":/toolbar/preview.svg",
     .fnRun = [](CMainFrame& f) { f.OnFilePrintPreview(TreeActive(f)); },
     .fnEnabled = HasFrame},
    // The tree's context menu's.
    {.nID = ID_EXPAND_FROM_HERE,
     .pszText = QT_TRANSLATE_NOOP("CommandTable", "Expand From Here\tCtrl+Dblclk"),
     .pszPrompt = QT_TRANSLATE_NOOP("CommandTable", "Completely expand the tree from this node"),
     .fnRun = [](CMainFrame& f) { f.GetActiveChildFrame()->GetLeftView()->OnExpandFromHere(); },
     .fnEnabled = TreeCanExpand},
    {.nID = ID_COLLAPSE_TO_HERE,
     .pszText = QT_TRANSLATE_NOOP("CommandTable", "Collapse To Here\tShft+Dblclk"),
     .pszPrompt = QT_TRANSLATE_NOOP("CommandTable", "Completely collapse the tree to this node"),
     .fnRun = [](CMainFrame& f) { f.GetActiveChildFrame()->GetLeftView()->OnCollapseToHere(); },
     .fnEnabled = TreeCanExpand},
    {.nID = ID_DELETE_BOD,
     .pszText = QT_TRANSLATE_NOOP("CommandTable", "&Delete BOD"),
     .pszPrompt = QT_TRANSLATE_NOOP("CommandTable", "Delete the selected BOD\nDelete BOD"),
     .keys = {QKeyCombination(Qt::Key_Delete), Qt::CTRL | Qt::Key_Delete},
     .fnRun = [](CMainFrame& f) { f.GetActiveChildFrame()->GetLeftView()->OnDeleteBod(); },
     .fnEnabled =
         [](const CMainFrame& f) { return TreeActive(f) && ActiveTree(f)->CanDeleteBod(); },
     .formEdits = kSettleFormEdits},
};

constexpr int kToolBar[] = {
    ID_FILE_NEW,      ID_FILE_OPEN,          ID_FILE_SAVE, kSeparator,
    ID_FILE_PRINT,    ID_FILE_PRINT_PREVIEW, kSeparator,   ID_AUTO_SAVE,
    ID_ALWAYS_ON_TOP, ID_SHOPPING_LIST,      kSeparator,   ID_IMPORT,
};

constexpr int kTreeMenu[] = {
    ID_EXPAND_FROM_HERE, ID_COLLAPSE_TO_HERE, kSeparator, ID_DELETE_BOD, ID_EDIT_DEED,
};

} // namespace

QString CommandText(const char* pszText) {
    return QCoreApplication::translate("CommandTable", pszText);
}

std::span<const CCommandRow> CommandTable() {
    return kCommands;
}

std::span<const int> ToolBarLayout() {
    return kToolBar;
}

std::span<const int> TreeMenuLayout() {
    return kTreeMenu;
}

std::vector<CMenuLayout> MenusWithoutDocument() {
    return {
        {QT_TRANSLATE_NOOP("CommandTable", "&File"),
         {ID_FILE_NEW, ID_FILE_OPEN, kSeparator, ID_FILE_PRINT_SETUP, kSeparator, kRecentFiles,
          kSeparator, ID_APP_EXIT}},
        {QT_TRANSLATE_NOOP("CommandTable", "&View"),
         {ID_VIEW_TOOLBAR, ID_VIEW_STATUS_BAR, ID_WINDOW_SPLIT}},
        {QT_TRANSLATE_NOOP("CommandTable", "&Help"), {ID_APP_ABOUT}},
    };
}

std::vector<CMenuLayout> MenusWithDocument() {
    return {
        {QT_TRANSLATE_NOOP("CommandTable", "&File"),
         {ID_FILE_NEW, ID_FILE_OPEN, ID_FILE_CLOSE, ID_FILE_SAVE, ID_FILE_SAVE_AS, ID_FILE_EXPORT,
          kSeparator, ID_FILE_PRINT, ID_FILE_PRINT_PREVIEW, ID_FILE_PRINT_SETUP, kSeparator,
          kRecentFiles, kSeparator, ID_APP_EXIT}},
        {QT_TRANSLATE_NOOP("CommandTable", "&Edit"),
         {ID_EDIT_UNDO, ID_EDIT_REDO, kSeparator, ID_EDIT_COPY, ID_EDIT_PASTE, ID_EDIT_FIND,
          kSeparator, ID_NEW_DEED, ID_EDIT_DEED, ID_DELETE_BOD, ID_FILL_LARGE_DEEDS, ID_IMPORT,
          ID_AUTO_SAVE}},
        {QT_TRANSLATE_NOOP("CommandTable", "&View"),
         {ID_VIEW_TOOLBAR, ID_VIEW_STATUS_BAR, ID_WINDOW_SPLIT, kSeparator, ID_ALWAYS_ON_TOP,
          kSeparator, ID_SHOPPING_LIST, ID_VIEW_POINTS}},
        {QT_TRANSLATE_NOOP("CommandTable", "&Window"),
         {ID_WINDOW_NEW, ID_WINDOW_CASCADE, ID_WINDOW_TILE_HORZ, ID_WINDOW_ARRANGE, kWindowList}},
        {QT_TRANSLATE_NOOP("CommandTable", "&Help"), {ID_APP_ABOUT}},
    };
}
