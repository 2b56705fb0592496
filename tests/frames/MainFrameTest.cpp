#include "document/QuillmarDoc.h"
#include "frames/ChildFrame.h"
#include "frames/QuillmarAppFixture.h"
#include "framework/DocManager.h"
#include "framework/Profile.h"
#include "import/dialog/ImportDlg.h"
#include "support/TestDeeds.h"
#include "views/FilterBar.h"
#include "views/LeftView.h"
#include "views/QuillmarView.h"
#include "widgets/AboutDlg.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QToolTip>
#include <set>
#include <utility>
#include <vector>

namespace {

// The visible items' texts, "—" for a separator.
QStringList Texts(const QList<QAction*>& actions) {
    QStringList texts;
    for (const QAction* pAction : actions) {
        if (pAction->isVisible()) {
            texts.append(pAction->isSeparator() ? QStringLiteral("—") : pAction->text());
        }
    }
    return texts;
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

    // Each popup's title followed by its visible items.
    std::vector<QStringList> ShownMenus() const {
        std::vector<QStringList> menus;
        for (const QAction* pPopup : Frame().menuBar()->actions()) {
            menus.push_back(QStringList{pPopup->text()} + Texts(pPopup->menu()->actions()));
        }
        return menus;
    }

    bool IsEnabled(int nID) const { return Frame().GetCommand(nID)->isEnabled(); }
    bool IsChecked(int nID) const { return Frame().GetCommand(nID)->isChecked(); }

    CQuillmarDoc* m_pDoc = nullptr;
};

TEST_F(MainFrameTest, MenuBarWithAndWithoutDocument) {
    const std::vector<QStringList> withDocument{
        {"&File", "&New\tCtrl+N", "&Open...\tCtrl+O", "&Close", "&Save\tCtrl+S", "Save &As...",
         "&Export...", "—", "&Print...\tCtrl+P", "Print Pre&view", "P&rint Setup...", "—",
         "Recent File", "—", "E&xit"},
        {"&Edit", "&Undo\tCtrl+Z", "&Redo\tCtrl+Y", "—", "Cu&t\tCtrl+X", "&Copy\tCtrl+C",
         "&Paste\tCtrl+V", "&Find...\tCtrl+F", "—", "&New Deed...\tIns", "&Edit Deed...\tCtrl+E",
         "&Import...\tCtrl+I", "&Auto Save\tCtrl+A"},
        {"&View", "&Toolbar", "&Status Bar", "S&plit", "—", "Al&ways on top\tCtrl+T", "—",
         "Shopping &List\tCtrl+L", "P&oints"},
        {"&Window", "&New Window", "&Cascade", "&Tile", "&Arrange Icons"},
        {"&Help", "&About Quillmar..."}};
    EXPECT_EQ(withDocument, ShownMenus());

    CloseDocument();
    const std::vector<QStringList> withoutDocument{{"&File", "&New\tCtrl+N", "&Open...\tCtrl+O",
                                                    "—", "P&rint Setup...", "—", "Recent File", "—",
                                                    "E&xit"},
                                                   {"&View", "&Toolbar", "&Status Bar", "S&plit"},
                                                   {"&Help", "&About Quillmar..."}};
    EXPECT_EQ(withoutDocument, ShownMenus());
}

// Two windows on one document say which is which; the keys move between them and close one.
TEST_F(MainFrameTest, DocumentWindowsAreNumberedListedAndReachedByKeys) {
    Frame().OnCommand(ID_WINDOW_NEW);
    QMenu* pWindowMenu = Frame().menuBar()->actions().at(3)->menu();
    for (int nShown = 0; nShown < 2; ++nShown) {
        Q_EMIT pWindowMenu->aboutToShow();
        EXPECT_EQ(QStringList({"&New Window", "&Cascade", "&Tile", "&Arrange Icons", "—",
                               "&1 Quilmr1:1", "&2 Quilmr1:2"}),
                  Texts(pWindowMenu->actions()));
        EXPECT_FALSE(pWindowMenu->actions().at(5)->isChecked());
        EXPECT_TRUE(pWindowMenu->actions().at(6)->isChecked());
    }
    m_pDoc->MarkChanged(true);
    EXPECT_EQ(QString("Quillmar - [Quilmr1:2 *]"), Frame().windowTitle());
    for (const auto& [nID, pszTitle] :
         {std::pair{ID_MDI_NEXT, "Quilmr1:1 *"}, {ID_MDI_PREV, "Quilmr1:2 *"}}) {
        Frame().OnCommand(nID);
        EXPECT_EQ(QString(pszTitle), Frame().GetActiveChildFrame()->windowTitle());
    }
    Frame().OnCommand(ID_MDI_CLOSE);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_EQ(1, Frame().GetMdiArea()->subWindowList().size());
    EXPECT_EQ(QString("Quilmr1 *"), Frame().GetActiveChildFrame()->windowTitle());
}

TEST_F(MainFrameTest, EveryAcceleratorBelongsToExactlyOneCommand) {
    const std::vector<std::pair<const char*, int>> table{{"Ctrl+A", ID_AUTO_SAVE},
                                                         {"Ctrl+C", ID_EDIT_COPY},
                                                         {"Ctrl+I", ID_IMPORT},
                                                         {"Ctrl+L", ID_SHOPPING_LIST},
                                                         {"Ctrl+N", ID_FILE_NEW},
                                                         {"Ctrl+O", ID_FILE_OPEN},
                                                         {"Ctrl+P", ID_FILE_PRINT},
                                                         {"Ctrl+S", ID_FILE_SAVE},
                                                         {"Ctrl+T", ID_ALWAYS_ON_TOP},
                                                         {"Ctrl+V", ID_EDIT_PASTE},
                                                         {"Alt+Backspace", ID_EDIT_UNDO},
                                                         {"Ctrl+Del", ID_DELETE_BOD},
                                                         {"F6", ID_NEXT_PANE},
                                                         {"Shift+F6", ID_PREV_PANE},
                                                         {"Ctrl+Ins", ID_EDIT_COPY},
                                                         {"Shift+Ins", ID_EDIT_PASTE},
                                                         {"Ctrl+X", ID_EDIT_CUT},
                                                         {"Ctrl+Z", ID_EDIT_UNDO},
                                                         {"Ctrl+F4", ID_MDI_CLOSE},
                                                         {"Ctrl+Shift+F6", ID_MDI_PREV},
                                                         {"Ctrl+F6", ID_MDI_NEXT},
                                                         {"Ctrl+Q", ID_APP_EXIT},
                                                         {"Ctrl+Y", ID_EDIT_REDO},
                                                         {"Ctrl+Shift+Z", ID_EDIT_REDO},
                                                         {"Ctrl+F", ID_EDIT_FIND},
                                                         {"Ins", ID_NEW_DEED},
                                                         {"Ctrl+E", ID_EDIT_DEED}};
    for (const auto& [pszKey, nID] : table) {
        EXPECT_TRUE(Frame().GetCommand(nID)->shortcuts().contains(QKeySequence(pszKey))) << pszKey;
    }
    // A key bound to two actions fires neither.
    std::multiset<QString> keys;
    for (const QAction* pAction : Frame().actions()) {
        for (const QKeySequence& key : pAction->shortcuts()) {
            keys.insert(key.toString());
        }
    }
    EXPECT_EQ(table.size(), keys.size());
    EXPECT_EQ(table.size(), std::set<QString>(keys.begin(), keys.end()).size());
}

TEST_F(MainFrameTest, CommandStatesWithADocumentInShoppingListAndWithoutADocument) {
    struct Row {
        int nID;
        bool bWithDocument, bInShoppingList, bWithoutDocument;
    };
    const Row table[] = {{ID_FILE_NEW, 1, 1, 1},
                         {ID_FILE_OPEN, 1, 1, 1},
                         {ID_FILE_CLOSE, 1, 1, 0},
                         {ID_FILE_SAVE, 1, 0, 0},
                         {ID_FILE_SAVE_AS, 1, 0, 0},
                         {ID_FILE_PRINT, 1, 1, 0},
                         {ID_FILE_PRINT_PREVIEW, 1, 1, 0},
                         {ID_FILE_PRINT_SETUP, 1, 1, 1},
                         {ID_APP_EXIT, 1, 1, 1},
                         {ID_EDIT_UNDO, 0, 0, 0},
                         {ID_EDIT_REDO, 0, 0, 0},
                         {ID_EDIT_CUT, 0, 0, 0},
                         {ID_EDIT_COPY, 0, 0, 0},
                         {ID_EDIT_PASTE, 0, 0, 0},
                         {ID_IMPORT, 1, 0, 0},
                         {ID_AUTO_SAVE, 1, 1, 0},
                         {ID_SHOPPING_LIST, 1, 1, 0},
                         {ID_ALWAYS_ON_TOP, 1, 1, 1},
                         {ID_VIEW_TOOLBAR, 1, 1, 1},
                         {ID_VIEW_STATUS_BAR, 1, 1, 1},
                         {ID_WINDOW_SPLIT, 1, 1, 0},
                         {ID_WINDOW_NEW, 1, 1, 0},
                         {ID_WINDOW_CASCADE, 1, 1, 0},
                         {ID_WINDOW_TILE_HORZ, 1, 1, 0},
                         {ID_WINDOW_ARRANGE, 1, 1, 0},
                         {ID_APP_ABOUT, 1, 1, 1},
                         {ID_EDIT_FIND, 1, 1, 0},
                         {ID_FILE_EXPORT, 1, 1, 0}};
    const auto expectStates = [&table, this](bool(Row::*pbState), const char* pszWhen) {
        for (const Row& row : table) {
            EXPECT_EQ(row.*pbState, IsEnabled(row.nID)) << pszWhen << row.nID;
        }
    };
    Frame().UpdateCommandUI();
    expectStates(&Row::bWithDocument, "with a document: ");
    Frame().OnCommand(ID_SHOPPING_LIST);
    ASSERT_TRUE(m_pDoc->m_bShoppingList);
    expectStates(&Row::bInShoppingList, "in Shopping List: ");
    CloseDocument();
    expectStates(&Row::bWithoutDocument, "without a document: ");
}

// The states follow the document's history by themselves, with no input event in between.
TEST_F(MainFrameTest, UndoAndRedoNameTheOperationAndFollowTheHistory) {
    m_pDoc->AddBodItem(
        TestDeeds::MakeDeed({"Tailor", "Cloth", "cloth", "10", "Normal", "cap", "0/10"}));
    m_pDoc->UpdateAllViews(nullptr);
    Frame().UpdateCommandUI();
    ASSERT_TRUE(m_pDoc->DeleteDeed(m_pDoc->m_arrBods[0].get(), nullptr));
    EXPECT_TRUE(QTest::qWaitFor([this] { return IsEnabled(ID_EDIT_UNDO); }, 60000));
    EXPECT_EQ(QString("&Undo Delete BOD\tCtrl+Z"), Frame().GetCommand(ID_EDIT_UNDO)->text());
    EXPECT_FALSE(IsEnabled(ID_EDIT_REDO));

    Frame().OnCommand(ID_EDIT_UNDO);
    EXPECT_EQ(1U, m_pDoc->m_arrBods.size());
    EXPECT_EQ(QString("&Undo\tCtrl+Z"), Frame().GetCommand(ID_EDIT_UNDO)->text());
    EXPECT_FALSE(IsEnabled(ID_EDIT_UNDO));
    EXPECT_EQ(QString("&Redo Delete BOD\tCtrl+Y"), Frame().GetCommand(ID_EDIT_REDO)->text());
    EXPECT_TRUE(IsEnabled(ID_EDIT_REDO));

    // The history waits while the shown deeds are copies.
    Frame().OnCommand(ID_SHOPPING_LIST);
    EXPECT_FALSE(IsEnabled(ID_EDIT_REDO));
    Frame().OnCommand(ID_SHOPPING_LIST);
    Frame().OnCommand(ID_EDIT_REDO);
    EXPECT_TRUE(m_pDoc->m_arrBods.empty());
    EXPECT_TRUE(IsEnabled(ID_EDIT_UNDO));

    // The title follows a document window maximised from its own title bar.
    CChildFrame* pFrame = Frame().GetActiveChildFrame();
    pFrame->showMaximized();
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return Frame().windowTitle() == "Quillmar - [" + pFrame->windowTitle() + "]"; },
        60000));
}

TEST_F(MainFrameTest, CheckMarksFollowTheSwitches) {
    Frame().UpdateCommandUI();
    const int switches[] = {ID_SHOPPING_LIST, ID_AUTO_SAVE, ID_VIEW_TOOLBAR, ID_VIEW_STATUS_BAR};
    const bool before[] = {false, false, true, true};
    for (std::size_t i = 0; i < std::size(switches); ++i) {
        EXPECT_EQ(before[i], IsChecked(switches[i])) << switches[i];
        Frame().OnCommand(switches[i]);
        EXPECT_EQ(!before[i], IsChecked(switches[i])) << switches[i];
    }
    EXPECT_TRUE(Frame().GetToolBar()->isHidden());
    EXPECT_TRUE(Frame().statusBar()->isHidden());
    EXPECT_EQ(QString("1"), GetProfileString("Settings", "AutoSave", "0"));
    // A greyed command does nothing, even when asked for directly (as an accelerator would).
    Frame().OnCommand(ID_IMPORT);
    EXPECT_TRUE(m_prompt.m_messages.isEmpty());
    Frame().OnCommand(ID_FILE_OPEN);
    EXPECT_EQ(QStringList{"open"}, m_prompt.m_fileDialogs);
    // The About box is modal: a timer that ends with this test closes it.
    bool bAboutShown = false;
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&bAboutShown] {
        if (QWidget* pModal = QApplication::activeModalWidget()) {
            bAboutShown = qobject_cast<CAboutDlg*>(pModal) != nullptr;
            pModal->close();
        }
    });
    closer.setSingleShot(true);
    closer.start(0);
    Frame().OnCommand(ID_APP_ABOUT);
    EXPECT_TRUE(bAboutShown);
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

TEST_F(MainFrameTest, BodCountPaneCountsTheShownSelection) {
    for (int i = 0; i < 40; ++i) {
        m_pDoc->AddBodItem(TestDeeds::MakeDeed(
            {i < 12 ? "Smithy" : "Tailor", "Cloth", "cloth", "10", "Normal", "cap", "0/10"}));
    }
    m_pDoc->UpdateAllViews(nullptr);
    CLeftView& tree = *Frame().GetActiveChildFrame()->GetLeftView();
    QLabel* pPane = Frame().GetBodCountPane();
    const QModelIndex smithy = tree.model()->index(0, 0, tree.model()->index(0, 0));
    tree.setCurrentIndex(smithy);
    Frame().UpdateCommandUI();
    EXPECT_EQ(QString("BOD count: 12/40"), pPane->text());
    EXPECT_TRUE(pPane->isEnabled());
    EXPECT_LE(pPane->fontMetrics().horizontalAdvance("BOD Count: WWW/WWW"), pPane->minimumWidth());
    // The branch's points have a field of their own: 12 deeds of 10 points, 2 % of each banked.
    QLabel* pPoints = Frame().GetPointsPane();
    EXPECT_EQ(QString("120 points (2.4 banked)"), pPoints->text());
    // Off for a server without points: the field and the form's points go, the count stays.
    CQuillmarView* pForm = Frame().GetActiveChildFrame()->GetFormView();
    m_pDoc->m_pSelectedBod = m_pDoc->m_arrBods[0].get();
    pForm->OnUpdate(nullptr, 0, nullptr);
    const auto* pFormPoints = pForm->findChild<QLabel*>("staticPoints");
    EXPECT_EQ(QString("10 points\n0.2 banked"), pFormPoints->text());
    EXPECT_FALSE(pFormPoints->isHidden());
    Frame().OnCommand(ID_VIEW_POINTS);
    EXPECT_EQ(QString("0"), GetProfileString("Settings", "ShowPoints", "1"));
    EXPECT_TRUE(pPoints->isHidden());
    EXPECT_TRUE(pFormPoints->isHidden());
    EXPECT_EQ(QString("BOD count: 12/40"), pPane->text());
    Frame().OnCommand(ID_VIEW_POINTS);
    EXPECT_FALSE(pPoints->isHidden());
    EXPECT_FALSE(pFormPoints->isHidden());
    m_pDoc->m_pSelectedBod = nullptr;
    // An import rebuilds the tree; a branch cannot be found again, so nothing is selected.
    m_pDoc->UpdateAllViews(nullptr);
    Frame().UpdateCommandUI();
    EXPECT_EQ(QString("BOD count: 0/40"), pPane->text());
    CloseDocument();
    EXPECT_EQ(QString(), pPane->text());
    EXPECT_FALSE(pPane->isEnabled());
}

TEST_F(MainFrameTest, StatusPromptsAndToolBar) {
    QStatusBar* pStatusBar = Frame().statusBar();
    EXPECT_EQ(QString("Ready"), pStatusBar->currentMessage());
    Frame().GetCommand(ID_IMPORT)->showStatusText(&Frame());
    EXPECT_EQ(QString("Import BOD's from UOAssist's clipboard format"),
              pStatusBar->currentMessage());
    pStatusBar->clearMessage();
    EXPECT_EQ(QString("Ready"), pStatusBar->currentMessage());
    // The tree's context menu is a window of its own; its prompts reach the status bar too.
    CLeftView& tree = *Frame().GetActiveChildFrame()->GetLeftView();
    const QRect rcRoot = tree.visualRect(tree.model()->index(0, 0));
    QTest::mouseClick(tree.viewport(), Qt::RightButton, {}, rcRoot.topLeft() + QPoint(8, 4));
    auto* pMenu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(nullptr, pMenu);
    pMenu->setActiveAction(pMenu->actions().front());
    EXPECT_EQ(QString("Completely expand the tree from this node"), pStatusBar->currentMessage());
    pMenu->close();
    EXPECT_EQ(QString("Ready"), pStatusBar->currentMessage());

    EXPECT_EQ(
        QStringList({"&New\tCtrl+N", "&Open...\tCtrl+O", "&Save\tCtrl+S", "—", "&Print...\tCtrl+P",
                     "Print Pre&view", "—", "&Auto Save\tCtrl+A", "Al&ways on top\tCtrl+T",
                     "Shopping &List\tCtrl+L", "—", "&Import...\tCtrl+I"}),
        Texts(Frame().GetToolBar()->actions()));
    // Every command but the tree's own Delete BOD says what it does; every button has its picture.
    for (const QAction* pAction : Frame().actions()) {
        EXPECT_TRUE(pAction == Frame().GetCommand(ID_DELETE_BOD) || !pAction->statusTip().isEmpty())
            << pAction->text().toStdString();
    }
    for (const QAction* pAction : Frame().GetToolBar()->actions()) {
        EXPECT_TRUE(pAction->isSeparator() || !pAction->icon().isNull());
    }
    // Every button has a tooltip: the standard ones the part of the prompt after the line
    // break, the program's own their command's name.
    const std::vector<std::pair<int, QString>> tips{{ID_FILE_SAVE, "Save"},
                                                    {ID_IMPORT, "Import"},
                                                    {ID_SHOPPING_LIST, "Shopping List"},
                                                    {ID_AUTO_SAVE, "Auto Save"},
                                                    {ID_ALWAYS_ON_TOP, "Always on top"}};
    for (const auto& [nID, strTip] : tips) {
        QWidget* pButton = Frame().GetToolBar()->widgetForAction(Frame().GetCommand(nID));
        QHelpEvent help(QEvent::ToolTip, QPoint(2, 2), pButton->mapToGlobal(QPoint(2, 2)));
        QToolTip::hideText();
        QCoreApplication::sendEvent(pButton, &help);
        EXPECT_EQ(strTip.toStdString(), QToolTip::isVisible() ? QToolTip::text().toStdString() : "")
            << nID;
    }
}

// A screen reader names each control by what it is, not by the text around it.
TEST_F(MainFrameTest, EveryControlHasANameThatSaysWhatItIs) {
    const CChildFrame& child = *Frame().GetActiveChildFrame();
    const CQuillmarView& form = *child.GetFormView();
    CImportDlg dlg(&Frame());
    const auto formControl = [&form](const char* pszName) {
        return form.findChild<QWidget*>(QString::fromLatin1(pszName));
    };
    const auto dlgControl = [&dlg](const char* pszName) {
        return dlg.findChild<QWidget*>(QString::fromLatin1(pszName));
    };
    const std::vector<std::pair<QWidget*, QString>> table{
        {child.GetLeftView(), "BOD hierarchy"},
        {formControl("editAdjust"), "Adjust Count:"},
        {formControl("btnAdjustUp"), "Increase Adjust Count"},
        {formControl("btnAdjustDown"), "Decrease Adjust Count"},
        {formControl("editPrice"), "Price:"},
        {formControl("editNotes"), "Notes:"},
        {dlgControl("listItems"), "Import Entries"},
        {dlgControl("editNote"), "Note for processed items:"},
        {dlgControl("editTotal"), "Total Items Pasted:"},
        {dlgControl("editAdded"), "BOD's Added:"},
        {dlgControl("editInvalid"), "Invalid List Items:"},
        {child.GetFilterBar()->GetTextEdit(), "Find"},
        {child.GetFilterBar()->findChild<QToolButton*>(), "Close filter"},
    };
    for (const auto& [pControl, strName] : table) {
        ASSERT_NE(nullptr, pControl) << strName.toStdString();
        QAccessibleInterface* pAccessible = QAccessible::queryAccessibleInterface(pControl);
        ASSERT_NE(nullptr, pAccessible) << strName.toStdString();
        EXPECT_EQ(strName.toStdString(), pAccessible->text(QAccessible::Name).toStdString());
    }
}

} // namespace
