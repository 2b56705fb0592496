#pragma once

// The commands of the main window, one row each: what a command is called, what the status bar
// says of it, its keys, its toolbar icon, what it does and when it can run. Menus, toolbar and
// shortcuts are all built from these rows, and every command's state is refreshed from them.
//
// Adding a command:
//   1. give it an identifier in CommandId below;
//   2. add one row to the table in CommandTable.cpp (text, prompt, keys, icon, handler, rules);
//   3. put its identifier in a menu layout or the toolbar layout there, if it is shown.
// The handler and the rules are plain functions of the main window; the window refreshes the
// states whenever a document, its undo history, the selection or the active window changes.

#include "views/DeedSelection.h"

#include <QKeyCombination>
#include <QString>
#include <array>
#include <optional>
#include <span>
#include <vector>

class CMainFrame;

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
    ID_FILE_EXPORT = 32800,
    ID_VIEW_POINTS = 32810,
    ID_NEW_DEED = 32811,
    ID_EDIT_DEED = 32812,
    ID_FILL_LARGE_DEEDS = 32813,
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
    ID_EDIT_PASTE = 57637,
    ID_EDIT_UNDO = 57643,
    ID_EDIT_REDO = 57644,
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

// One command. Null pointers mean: no toolbar button (pszIcon), greyed for good (fnRun), always
// enabled (fnEnabled), no check mark (fnChecked), the fixed text (fnText).
struct CCommandRow {
    int nID = 0;
    // The menu text. A menu shows the first of the keys beside it, so they are not written
    // here; a mouse gesture is, after a tab. The table's texts are English; CommandText gives
    // them in the user's language.
    const char* pszText = "";
    // The status bar shows the first line, a toolbar button's tooltip the part after the break.
    const char* pszPrompt = "";
    std::array<QKeyCombination, 2> keys{};
    const char* pszIcon = nullptr;
    void (*fnRun)(CMainFrame&) = nullptr;
    bool (*fnEnabled)(const CMainFrame&) = nullptr;
    bool (*fnChecked)(const CMainFrame&) = nullptr;
    // A menu text that follows the state, such as the operation Undo would take back.
    QString (*fnText)(const CMainFrame&) = nullptr;
    // For a command that changes what the active window's form shows: what may become of the
    // edits the form has not applied, settled before the command runs.
    std::optional<CDeedSelection::Leave> formEdits = std::nullopt;
};

std::span<const CCommandRow> CommandTable();

// The table's texts and the menus' titles in the user's language.
QString CommandText(const char* pszText);

// Places in the layouts below that hold no command.
constexpr int kSeparator = 0;
constexpr int kRecentFiles = ID_FILE_MRU_FILE1;
constexpr int kWindowList = -1;

struct CMenuLayout {
    const char* pszTitle;
    std::vector<int> items;
};

std::vector<CMenuLayout> MenusWithoutDocument();
std::vector<CMenuLayout> MenusWithDocument();
std::span<const int> ToolBarLayout();
// The tree's context menu.
std::span<const int> TreeMenuLayout();
