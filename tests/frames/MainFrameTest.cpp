#include "document/QuillmarDoc.h"
#include "frames/ChildFrame.h"
#include "frames/QuillmarAppFixture.h"
#include "framework/DocManager.h"
#include "framework/Profile.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <QToolTip>
#include <set>
#include <utility>
#include <vector>

namespace {

using MenuTable = std::vector<std::pair<QString, QStringList>>;

// What a menu bar shows: each popup's title and its visible items, "—" for a separator.
MenuTable ShownMenus(const QMenuBar& bar) {
    MenuTable shown;
    for (const QAction* pPopup : bar.actions()) {
        QStringList items;
        for (const QAction* pItem : pPopup->menu()->actions()) {
            if (pItem->isVisible()) {
                items.append(pItem->isSeparator() ? QStringLiteral("—") : pItem->text());
            }
        }
        shown.emplace_back(pPopup->text(), items);
    }
    return shown;
}

void ExpectMenus(const MenuTable& expected, const QMenuBar& bar) {
    const MenuTable shown = ShownMenus(bar);
    ASSERT_EQ(expected.size(), shown.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(expected[i].first, shown[i].first);
        EXPECT_EQ(expected[i].second, shown[i].second) << "in " << expected[i].first.toStdString();
    }
}

class MainFrameTest : public QuillmarAppFixture {
protected:
    void SetUp() override {
        QuillmarAppFixture::SetUp();
        ASSERT_TRUE(Start());
        m_pDoc = Frame().GetActiveDocument();
        ASSERT_NE(nullptr, m_pDoc);
    }

    void CloseDocument() {
        m_pDoc->OnCloseDocument();
        m_pDoc = nullptr;
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        Frame().UpdateCommandUI();
    }

    bool IsEnabled(int nID) const { return Frame().GetCommand(nID)->isEnabled(); }
    bool IsChecked(int nID) const { return Frame().GetCommand(nID)->isChecked(); }

    CQuillmarDoc* m_pDoc = nullptr;
};

TEST_F(MainFrameTest, MenuBarWithoutDocument) {
    CloseDocument();
    ExpectMenus({{"&File",
                  {"&New\tCtrl+N", "&Open...\tCtrl+O", "—", "P&rint Setup...", "—", "Recent File",
                   "—", "E&xit"}},
                 {"&View", {"&Toolbar", "&Status Bar", "S&plit"}},
                 {"&Help", {"&About Quillmar..."}}},
                *Frame().menuBar());
}

TEST_F(MainFrameTest, MenuBarWithDocument) {
    ExpectMenus({{"&File",
                  {"&New\tCtrl+N", "&Open...\tCtrl+O", "&Close", "&Save\tCtrl+S", "Save &As...",
                   "—", "&Print...\tCtrl+P", "Print Pre&view", "P&rint Setup...", "—",
                   "Recent File", "—", "E&xit"}},
                 {"&Edit",
                  {"&Undo\tCtrl+Z", "—", "Cu&t\tCtrl+X", "&Copy\tCtrl+C", "&Paste\tCtrl+V", "—",
                   "&Import...\tCtrl+I", "&Auto Save\tCtrl+A"}},
                 {"&View",
                  {"&Toolbar", "&Status Bar", "S&plit", "—", "Al&ways on top\tCtrl+T", "—",
                   "Shopping &List\tCtrl+L"}},
                 {"&Window", {"&New Window", "&Cascade", "&Tile", "&Arrange Icons"}},
                 {"&Help", {"&About Quillmar..."}}},
                *Frame().menuBar());
}

TEST_F(MainFrameTest, WindowMenuListsTheDocumentWindows) {
    Frame().OnCommand(ID_WINDOW_NEW);
    ASSERT_EQ(2, Frame().GetMdiArea()->subWindowList().size());

    QMenu* pWindowMenu = Frame().menuBar()->actions().at(3)->menu();
    Q_EMIT pWindowMenu->aboutToShow();
    QStringList shown;
    QStringList checked;
    for (const QAction* pItem : pWindowMenu->actions()) {
        shown.append(pItem->isSeparator() ? QStringLiteral("—") : pItem->text());
        if (pItem->isChecked()) {
            checked.append(pItem->text());
        }
    }
    EXPECT_EQ(QStringList({"&New Window", "&Cascade", "&Tile", "&Arrange Icons", "—", "&1 Quilmr1",
                           "&2 Quilmr1"}),
              shown);
    EXPECT_EQ(QStringList({"&2 Quilmr1"}), checked);

    // Opening the menu again lists the windows once, not twice.
    Q_EMIT pWindowMenu->aboutToShow();
    EXPECT_EQ(shown.size(), pWindowMenu->actions().size());
}

TEST_F(MainFrameTest, AcceleratorTable) {
    const std::vector<std::pair<QKeySequence, int>> table{
        {QKeySequence("Ctrl+A"), ID_AUTO_SAVE},
        {QKeySequence("Ctrl+C"), ID_EDIT_COPY},
        {QKeySequence("Ctrl+I"), ID_IMPORT},
        {QKeySequence("Ctrl+L"), ID_SHOPPING_LIST},
        {QKeySequence("Ctrl+N"), ID_FILE_NEW},
        {QKeySequence("Ctrl+O"), ID_FILE_OPEN},
        {QKeySequence("Ctrl+P"), ID_FILE_PRINT},
        {QKeySequence("Ctrl+S"), ID_FILE_SAVE},
        {QKeySequence("Ctrl+T"), ID_ALWAYS_ON_TOP},
        {QKeySequence("Ctrl+V"), ID_EDIT_PASTE},
        {QKeySequence("Alt+Backspace"), ID_EDIT_UNDO},
        {QKeySequence("Ctrl+Del"), ID_DELETE_BOD},
        {QKeySequence("F6"), ID_NEXT_PANE},
        {QKeySequence("Shift+F6"), ID_PREV_PANE},
        {QKeySequence("Ctrl+Ins"), ID_EDIT_COPY},
        {QKeySequence("Shift+Ins"), ID_EDIT_PASTE},
        {QKeySequence("Ctrl+X"), ID_EDIT_CUT},
        {QKeySequence("Ctrl+Z"), ID_EDIT_UNDO},
    };
    for (const auto& [key, nID] : table) {
        EXPECT_TRUE(Frame().GetCommand(nID)->shortcuts().contains(key))
            << key.toString().toStdString();
    }
    // A key bound to two actions fires neither; every key belongs to exactly one.
    std::set<QString> keys;
    qsizetype nBindings = 0;
    for (const QAction* pAction : Frame().actions()) {
        for (const QKeySequence& key : pAction->shortcuts()) {
            keys.insert(key.toString());
            ++nBindings;
        }
    }
    EXPECT_EQ(static_cast<qsizetype>(table.size()), nBindings);
    EXPECT_EQ(table.size(), keys.size());
}

struct CCommandState {
    int nID;
    bool bWithoutDocument;
    bool bWithDocument;
    bool bInShoppingList;
};

TEST_F(MainFrameTest, CommandStates) {
    const std::vector<CCommandState> table{
        {ID_FILE_NEW, true, true, true},
        {ID_FILE_OPEN, true, true, true},
        {ID_FILE_CLOSE, false, true, true},
        {ID_FILE_SAVE, false, true, false},
        {ID_FILE_SAVE_AS, false, true, false},
        {ID_FILE_PRINT, false, true, true},
        {ID_FILE_PRINT_PREVIEW, false, true, true},
        {ID_FILE_PRINT_SETUP, true, true, true},
        {ID_APP_EXIT, true, true, true},
        {ID_EDIT_UNDO, false, false, false},
        {ID_EDIT_CUT, false, false, false},
        {ID_EDIT_COPY, false, false, false},
        {ID_EDIT_PASTE, false, false, false},
        {ID_IMPORT, false, true, false},
        {ID_AUTO_SAVE, false, true, true},
        {ID_SHOPPING_LIST, false, true, true},
        {ID_ALWAYS_ON_TOP, true, true, true},
        {ID_VIEW_TOOLBAR, true, true, true},
        {ID_VIEW_STATUS_BAR, true, true, true},
        {ID_WINDOW_SPLIT, false, true, true},
        {ID_WINDOW_NEW, false, true, true},
        {ID_WINDOW_CASCADE, false, true, true},
        {ID_WINDOW_TILE_HORZ, false, true, true},
        {ID_WINDOW_ARRANGE, false, true, true},
        {ID_APP_ABOUT, true, true, true},
    };
    Frame().UpdateCommandUI();
    for (const CCommandState& row : table) {
        EXPECT_EQ(row.bWithDocument, IsEnabled(row.nID)) << "with a document: " << row.nID;
    }
    Frame().OnCommand(ID_SHOPPING_LIST);
    ASSERT_TRUE(m_pDoc->m_bShoppingList);
    for (const CCommandState& row : table) {
        EXPECT_EQ(row.bInShoppingList, IsEnabled(row.nID)) << "in Shopping List: " << row.nID;
    }
    CloseDocument();
    for (const CCommandState& row : table) {
        EXPECT_EQ(row.bWithoutDocument, IsEnabled(row.nID)) << "without a document: " << row.nID;
    }
}

TEST_F(MainFrameTest, CheckMarksFollowTheSwitches) {
    Frame().UpdateCommandUI();
    EXPECT_FALSE(IsChecked(ID_SHOPPING_LIST));
    EXPECT_FALSE(IsChecked(ID_AUTO_SAVE));
    EXPECT_TRUE(IsChecked(ID_VIEW_TOOLBAR));
    EXPECT_TRUE(IsChecked(ID_VIEW_STATUS_BAR));

    Frame().OnCommand(ID_SHOPPING_LIST);
    Frame().OnCommand(ID_AUTO_SAVE);
    Frame().OnCommand(ID_VIEW_TOOLBAR);
    EXPECT_TRUE(IsChecked(ID_SHOPPING_LIST));
    EXPECT_TRUE(IsChecked(ID_AUTO_SAVE));
    EXPECT_FALSE(IsChecked(ID_VIEW_TOOLBAR));
    EXPECT_TRUE(Frame().GetToolBar()->isHidden());
    EXPECT_EQ(QString("1"), GetProfileString("Settings", "AutoSave", "0"));

    // A greyed command does nothing, even when asked for directly (as an accelerator would).
    Frame().OnCommand(ID_IMPORT);
    EXPECT_TRUE(m_prompt.m_messages.isEmpty());
}

TEST_F(MainFrameTest, AlwaysOnTopNeverMovesOrResizes) {
    Frame().setGeometry(120, 140, 640, 400);
    QCoreApplication::processEvents();
    const QRect rcBefore = Frame().geometry();
    const auto* pButton = qobject_cast<QToolButton*>(
        Frame().GetToolBar()->widgetForAction(Frame().GetCommand(ID_ALWAYS_ON_TOP)));
    ASSERT_NE(nullptr, pButton);

    for (const bool bExpected : {true, false, true}) {
        Frame().OnCommand(ID_ALWAYS_ON_TOP);
        QCoreApplication::processEvents();
        EXPECT_EQ(bExpected, Frame().IsAlwaysOnTop());
        EXPECT_EQ(bExpected, Frame().windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        EXPECT_EQ(bExpected, IsChecked(ID_ALWAYS_ON_TOP));
        EXPECT_EQ(bExpected, pButton->isChecked());
        EXPECT_EQ(rcBefore, Frame().geometry());
        EXPECT_TRUE(Frame().isVisible());
    }

    // Also without a document; the switch is stored when the window is asked to close.
    CloseDocument();
    Frame().OnCommand(ID_ALWAYS_ON_TOP);
    EXPECT_FALSE(Frame().IsAlwaysOnTop());
    EXPECT_EQ(-1, GetProfileInt("Frame", "AlwaysOnTop", -1));
    Frame().OnCommand(ID_ALWAYS_ON_TOP);
    EXPECT_TRUE(Frame().close());
    EXPECT_EQ(1, GetProfileInt("Frame", "AlwaysOnTop", -1));
}

TEST_F(MainFrameTest, BodCountPane) {
    for (int i = 0; i < 40; ++i) {
        m_pDoc->AddBodItem(std::make_unique<CBodItem>());
    }
    m_pDoc->m_nBranchCount = 12;
    Frame().UpdateCommandUI();
    EXPECT_EQ(QString("BOD count: 12/40"), Frame().GetBodCountPane()->text());
    EXPECT_TRUE(Frame().GetBodCountPane()->isEnabled());
    const int nWide =
        Frame().GetBodCountPane()->fontMetrics().horizontalAdvance("BOD Count: WWW/WWW");
    EXPECT_LE(nWide, Frame().GetBodCountPane()->minimumWidth());

    CloseDocument();
    EXPECT_EQ(QString(), Frame().GetBodCountPane()->text());
    EXPECT_FALSE(Frame().GetBodCountPane()->isEnabled());
}

TEST_F(MainFrameTest, StatusPromptsAndIdleText) {
    QStatusBar* pStatusBar = Frame().statusBar();
    EXPECT_EQ(QString("Ready"), pStatusBar->currentMessage());
    Frame().GetCommand(ID_IMPORT)->showStatusText(&Frame());
    EXPECT_EQ(QString("Import BOD's from UOAssist's clipboard format"),
              pStatusBar->currentMessage());
    Frame().GetCommand(ID_FILE_NEW)->showStatusText(&Frame());
    EXPECT_EQ(QString("Create a new document"), pStatusBar->currentMessage());
    EXPECT_EQ(QString("New"), Frame().GetCommand(ID_FILE_NEW)->toolTip());
    pStatusBar->clearMessage();
    EXPECT_EQ(QString("Ready"), pStatusBar->currentMessage());

    // Standard buttons show the part of the prompt after the line break; the program's own
    // prompts have none, so their buttons show no tooltip.
    for (const auto& [nID, strTip] :
         std::vector<std::pair<int, QString>>{{ID_IMPORT, ""}, {ID_FILE_SAVE, "Save"}}) {
        QWidget* pButton = Frame().GetToolBar()->widgetForAction(Frame().GetCommand(nID));
        QHelpEvent help(QEvent::ToolTip, QPoint(2, 2), pButton->mapToGlobal(QPoint(2, 2)));
        QCoreApplication::sendEvent(pButton, &help);
        EXPECT_EQ(strTip, QToolTip::isVisible() ? QToolTip::text() : QString()) << nID;
    }
}

TEST_F(MainFrameTest, ToolBarButtonsInOrder) {
    QStringList shown;
    for (const QAction* pAction : Frame().GetToolBar()->actions()) {
        shown.append(pAction->isSeparator() ? QStringLiteral("—") : pAction->text());
        EXPECT_TRUE(pAction->isSeparator() || !pAction->icon().isNull());
    }
    EXPECT_EQ(
        QStringList({"&New\tCtrl+N", "&Open...\tCtrl+O", "&Save\tCtrl+S", "—", "&Print...\tCtrl+P",
                     "Print Pre&view", "—", "&Auto Save\tCtrl+A", "Al&ways on top\tCtrl+T",
                     "Shopping &List\tCtrl+L", "—", "&Import...\tCtrl+I"}),
        shown);
}

TEST_F(MainFrameTest, ClosingAsksAboutModifiedDocumentsAndMayBeCancelled) {
    m_pDoc->MarkChanged(true);
    m_prompt.QueueAnswer(IPrompt::Answer::Cancel);
    EXPECT_FALSE(Frame().close());
    EXPECT_EQ(QStringList({"Save changes to Quilmr1?"}), m_prompt.m_messages);
    EXPECT_EQ(1, m_pApp->GetDocManager()->GetDocuments().size());
    // The placement is written even when the user cancels.
    EXPECT_NE(-1, GetProfileInt("Frame", "Right", -1));

    m_prompt.QueueAnswer(IPrompt::Answer::No);
    EXPECT_TRUE(Frame().close());
    EXPECT_TRUE(m_pApp->GetDocManager()->GetDocuments().empty());
}

TEST_F(MainFrameTest, DroppedFilesOpenAsDocuments) {
    QTemporaryDir dir;
    const QString strPath = dir.filePath("dropped.bod");
    m_pDoc->DoSave(strPath);
    CloseDocument();

    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(strPath)});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&Frame(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&Frame(), &drop);

    ASSERT_NE(nullptr, Frame().GetActiveDocument());
    EXPECT_EQ(QString("dropped.bod"), Frame().GetActiveDocument()->GetTitle());
}

} // namespace
