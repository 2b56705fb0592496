#include "document/QuillmarDoc.h"
#include "frames/ChildFrame.h"
#include "frames/QuillmarAppFixture.h"
#include "framework/DocManager.h"
#include "framework/Profile.h"
#include "framework/SafeWrite.h"
#include "import/dialog/ImportDlg.h"
#include "support/BodToolRunner.h"
#include "support/FailDevice.h"
#include "support/TestDeeds.h"
#include "views/FilterBar.h"
#include "views/LeftView.h"
#include "views/QuillmarView.h"
#include "widgets/AboutDlg.h"

#include <QAbstractItemModelTester>
#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QScrollBar>
#include <QSplitter>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QToolTip>

namespace {

// The visible items' texts, "—" for a separator.
QString Texts(const QList<QAction*>& actions) {
    QStringList texts;
    for (const QAction* pAction : actions) {
        if (pAction->isVisible()) {
            texts.append(pAction->isSeparator() ? QStringLiteral("—") : pAction->text());
        }
    }
    return texts.join('|');
}

// A command's name: its text without the key and the '&'.
QString Name(const QAction* pAction) {
    return pAction->text().section('\t', 0, 0).remove('&');
}

// The program started on settings a test may fill first.
class FrameTest : public QuillmarAppFixture {
protected:
    // Starts the program and returns its first document window, shown in a shown main window.
    CChildFrame* StartWithWindow() {
        if (!Start()) {
            return nullptr;
        }
        QCoreApplication::processEvents();
        return Frame().GetActiveChildFrame();
    }
    static int Stored(const char* pszEntry) { return GetProfileInt("ChildFrame", pszEntry, -1); }
    static QRect StoredRect() {
        return {QPoint(Stored("Left"), Stored("Top")),
                QPoint(Stored("Right") - 1, Stored("Bottom") - 1)};
    }
    static int SplitOf(const CChildFrame& frame) { return frame.GetSplitter()->sizes().first(); }
};

// Started on empty settings, with its first window and document.
class StartedFrameTest : public FrameTest {
protected:
    void SetUp() override {
        FrameTest::SetUp();
        m_pFrame = StartWithWindow();
        ASSERT_NE(nullptr, m_pFrame);
        m_pDoc = m_pFrame->GetDocument();
    }
    void CloseDocument() {
        m_pDoc->OnCloseDocument();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        Frame().UpdateCommandUI();
    }
    // The mixed test deeds in the document, the filter bar open with text.
    void Filter(const char* pszText) {
        for (auto& pBod : TestDeeds::MakeDeeds(TestDeeds::MixedDeeds())) {
            m_pDoc->AddBodItem(std::move(pBod));
        }
        m_pDoc->UpdateAllViews(nullptr);
        Frame().OnCommand(ID_EDIT_FIND);
        QTest::keyClicks(m_pFrame->GetFilterBar()->GetTextEdit(), pszText);
    }
    // The filter bar's count and the status bar's once the program is idle, nothing refreshed
    // by hand.
    QString Counts() const {
        QCoreApplication::processEvents();
        return m_pFrame->GetFilterBar()->GetCountLabel()->text() + " | " +
               Frame().GetBodCountPane()->text();
    }
    // Each popup's title and its visible items.
    QString Menus() const {
        QStringList menus;
        for (const QAction* pPopup : Frame().menuBar()->actions()) {
            menus << pPopup->text() + ": " + Texts(pPopup->menu()->actions());
        }
        return menus.join('\n');
    }
    // The names of the commands that are greyed (bChecked false) or checked, in the table's order.
    QString Commands(bool bChecked) const {
        Frame().UpdateCommandUI();
        QStringList names;
        for (const QAction* pAction : Frame().actions()) {
            if (bChecked ? pAction->isChecked() : !pAction->isEnabled()) {
                names << Name(pAction);
            }
        }
        return names.join(", ");
    }

    CChildFrame* m_pFrame = nullptr;
    CQuillmarDoc* m_pDoc = nullptr;
};

TEST_F(StartedFrameTest, EmptySettingsOpenMaximisedHalfSplitWithTheFormWhole) {
    EXPECT_TRUE(m_pFrame->isMaximized());
    EXPECT_EQ(QSize(599, 356), m_pFrame->GetRestoredRect().size());
    // Half of the client width the restored window had when its panes were made.
    const QMargins margins = m_pFrame->contentsMargins();
    EXPECT_EQ((599 - margins.left() - margins.right()) / 2, SplitOf(*m_pFrame));
    // Opening maximised is a resize too, and is stored as such.
    EXPECT_EQ(kShowMaximized, Stored("State"));

    // At the first-run size the form shows whole, whatever it shows: no scroll bars.
    m_pDoc->AddBodItem(TestDeeds::MakeDeed(
        {"Smithy", "Platemail", "iron", "20", "Exceptional", "platemail gloves", "7/20"}));
    m_pDoc->AddBodItem(TestDeeds::MakeLargeDeed(
        {"Tailor", "Leather", "barbed leather", "20", "Exceptional", "LBOD/studded leather set",
         "0/120"},
        {"studded leather gorget", "studded leather gloves", "studded leather sleeves",
         "studded leather leggings", "studded leather tunic", "studded leather bustier"}));
    const CQuillmarView* pForm = m_pFrame->GetFormView();
    const auto* pPoints = pForm->findChild<QLabel*>("staticPoints");
    for (CBodItem* pBod : {static_cast<CBodItem*>(nullptr), m_pDoc->m_arrBods[0].get(),
                           m_pDoc->m_arrBods[1].get()}) {
        m_pDoc->m_pSelectedBod = pBod;
        m_pDoc->UpdateAllViews(nullptr);
        QCoreApplication::processEvents();
        SCOPED_TRACE(pForm->GetMode());
        EXPECT_FALSE(pForm->verticalScrollBar()->isVisible());
        EXPECT_FALSE(pForm->horizontalScrollBar()->isVisible());
        const QRect rcText = pPoints->fontMetrics().boundingRect(QRect(), 0, pPoints->text());
        EXPECT_GE(pPoints->width(), rcText.width());
        EXPECT_GE(pPoints->height(), rcText.height());
    }
}

// A window stored larger than its form needs shrinks to the form at its first fill; from then
// on every move, resize and state is stored, and the restored rectangle is what is kept.
TEST_F(FrameTest, StoredPlacementShrinksToTheFormAndEveryChangeIsStored) {
    for (const auto& [pszEntry, nValue] : {std::pair{"Top", 10},
                                           {"Left", 20},
                                           {"Bottom", 810},
                                           {"Right", 1020},
                                           {"Split", 123},
                                           {"State", kShowNormal}}) {
        WriteProfileInt("ChildFrame", pszEntry, nValue);
    }
    CChildFrame* pFrame = StartWithWindow();
    ASSERT_NE(nullptr, pFrame);
    EXPECT_EQ(123, SplitOf(*pFrame));
    const CQuillmarView* pForm = pFrame->GetFormView();
    EXPECT_EQ(pForm->widget()->sizeHint(), pForm->size());
    EXPECT_EQ(QRect(QPoint(20, 10), pFrame->size()), pFrame->geometry());
    EXPECT_EQ(pFrame->geometry(), StoredRect());

    pFrame->move(50, 60);
    EXPECT_EQ(QRect(QPoint(50, 60), pFrame->size()), StoredRect());
    pFrame->resize(400, 280);
    EXPECT_EQ(QRect(50, 60, 400, 280), StoredRect());
    EXPECT_EQ(kShowNormal, Stored("State"));
    for (const auto& [fnShow, nState] : {std::pair{&QWidget::showMaximized, kShowMaximized},
                                         {&QWidget::showMinimized, kShowMinimized}}) {
        (pFrame->*fnShow)();
        EXPECT_EQ(nState, Stored("State"));
        EXPECT_EQ(QRect(50, 60, 400, 280), StoredRect());
    }
}

// Two windows on one document say which is which, in the Window menu too (each time it opens);
// the keys move between them and close one. Only the last window of a modified document asks,
// and the split of the last one closed is kept.
TEST_F(StartedFrameTest, TwoWindowsOnADocumentAreNumberedAndOnlyTheLastAsks) {
    const QList<int> sizes = m_pFrame->GetSplitter()->sizes();
    m_pFrame->GetSplitter()->setSizes({150, sizes.first() + sizes.last() - 150});
    Frame().OnCommand(ID_WINDOW_NEW);
    QMenu* pWindowMenu = Frame().menuBar()->actions().at(3)->menu();
    for (int nShown = 0; nShown < 2; ++nShown) {
        Q_EMIT pWindowMenu->aboutToShow();
        EXPECT_EQ("&New Window|&Cascade|&Tile|&Arrange Icons|—|&1 Quilmr1:1|&2 Quilmr1:2",
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
    EXPECT_EQ(QString("Quilmr1 *"), m_pFrame->windowTitle());
    EXPECT_TRUE(m_prompt.m_messages.isEmpty());

    m_prompt.QueueAnswer(IPrompt::Answer::Cancel);
    EXPECT_FALSE(m_pFrame->close());
    EXPECT_EQ(QStringList({"Save changes to Quilmr1?"}), m_prompt.m_messages);
    EXPECT_EQ(1U, m_pApp->GetDocManager()->GetDocuments().size());
    m_prompt.QueueAnswer(IPrompt::Answer::No);
    EXPECT_TRUE(m_pFrame->close());
    EXPECT_TRUE(m_pApp->GetDocManager()->GetDocuments().empty());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(150, Stored("Split"));
}

// The filter lives in the window, never in the document: rebuilds after an import keep it, the
// counts say what is shown, and Escape shows everything again.
TEST_F(StartedFrameTest, FindShowsOnlyMatchingDeedsThroughRebuildsUntilEscape) {
    Filter("PLATE");
    CFilterBar* pBar = m_pFrame->GetFilterBar();
    CLeftView* pTree = m_pFrame->GetLeftView();
    QAbstractItemModel* pModel = pTree->model();
    const QAbstractItemModelTester tester(pModel,
                                          QAbstractItemModelTester::FailureReportingMode::Fatal);
    EXPECT_EQ(pBar->GetTextEdit(), QApplication::focusWidget());
    // Five platemail items and the tailor's deed filed under Platemail.
    EXPECT_EQ(QString("6 of 13 shown | BOD count: 0/6 of 13"), Counts());
    // So few are shown at once, down to the deeds.
    QModelIndex node = pModel->index(0, 0);
    for (int nLevel = 0; nLevel < 7; ++nLevel, node = pModel->index(0, 0, node)) {
        EXPECT_TRUE(pTree->isExpanded(node)) << nLevel;
    }
    pBar->GetSizeChoice()->setCurrentIndex(2);
    EXPECT_EQ(5, pTree->ShownCount());
    pBar->GetSizeChoice()->setCurrentIndex(1);
    pBar->GetMaterialChoice()->setCurrentText("iron");
    EXPECT_EQ(1, pTree->ShownCount());
    EXPECT_FALSE(m_pDoc->IsModified());

    m_pDoc->ImportDeeds(TestDeeds::MakeDeeds(
        {{"Smithy", "Platemail", "iron", "10", "Normal", "LBOD/platemail", "0/10"},
         {"Smithy", "Platemail", "iron", "10", "Normal", "platemail arms", "0/10"},
         {"Smithy", "Chainmail", "iron", "10", "Normal", "LBOD/chainmail", "0/10"}}));
    EXPECT_EQ(QString("2 of 16 shown | BOD count: 0/2 of 16"), Counts());
    // The choices were offered again from the grown list, in the tree's order, letter case aside;
    // the one made is kept.
    QStringList materials;
    for (int i = 0; i < pBar->GetMaterialChoice()->count(); ++i) {
        materials << pBar->GetMaterialChoice()->itemText(i);
    }
    EXPECT_EQ("Any material|agapite|barbed leather|cloth|dull copper|horned leather|iron|spined "
              "leather|Valorite|iron",
              materials.join('|') + '|' + pBar->GetMaterialChoice()->currentText());
    // A deletion takes the deed from what is shown, and the counts follow.
    QModelIndex deed = pModel->index(0, 0);
    while (pModel->hasChildren(deed)) {
        deed = pModel->index(0, 0, deed);
    }
    pTree->setCurrentIndex(deed);
    m_prompt.QueueAnswer(IPrompt::Answer::Yes);
    pTree->OnDeleteBod();
    EXPECT_EQ(QString("1 of 15 shown | BOD count: 1/1 of 15"), Counts());

    QTest::keyClick(pBar->GetSizeChoice(), Qt::Key_Escape);
    EXPECT_TRUE(pBar->isHidden());
    EXPECT_EQ(QString(), pBar->GetTextEdit()->text());
    // The deed the deletion moved to stays selected.
    QCoreApplication::processEvents();
    EXPECT_EQ(QString("BOD count: 1/15"), Frame().GetBodCountPane()->text());
    // With nothing selected, only the root is open again.
    m_pDoc->m_pSelectedBod = nullptr;
    m_pDoc->UpdateAllViews(nullptr);
    EXPECT_TRUE(pTree->isExpanded(pModel->index(0, 0)));
    EXPECT_FALSE(pTree->isExpanded(pModel->index(0, 0, pModel->index(0, 0))));
}

// With a filter on, the player says which deeds go; a write that fails says so and leaves the
// file that was there.
TEST_F(StartedFrameTest, ExportWritesTheShownOrEveryDeedAndSaysWhenTheWriteFails) {
    Filter("gorget");
    const QTemporaryDir dir;
    const QString strPath = dir.filePath("deeds.csv");
    for (const auto& [answer, nRows] :
         {std::pair{IPrompt::Answer::Yes, 2}, {IPrompt::Answer::No, 13}}) {
        m_prompt.QueueAnswer(answer);
        m_prompt.QueueFileName(strPath);
        EXPECT_TRUE(m_pFrame->OnExport());
        EXPECT_EQ(nRows + 1, ReadFileBytes(strPath).count("\r\n"));
    }
    EXPECT_EQ(QString("The filter shows 2 of 13 BOD's.\nExport only those 2? (No exports all 13.)"),
              m_prompt.m_messages.first());
    m_prompt.QueueAnswer(IPrompt::Answer::Cancel);
    EXPECT_FALSE(m_pFrame->OnExport());
    EXPECT_EQ(QStringList({"save", "save"}), m_prompt.m_fileDialogs);

    SafeWrite::SetDeviceWrapper(
        [](QIODevice& file) { return std::make_unique<FailDevice>(file, 100); });
    m_prompt.QueueAnswer(IPrompt::Answer::Yes);
    m_prompt.QueueFileName(strPath);
    EXPECT_FALSE(m_pFrame->OnExport());
    SafeWrite::SetDeviceWrapper(nullptr);
    EXPECT_TRUE(m_prompt.m_messages.last().startsWith("Failed to export BOD's.\n" + strPath))
        << m_prompt.m_messages.last().toStdString();
    EXPECT_EQ(14, ReadFileBytes(strPath).count("\r\n"));
}

// Every key belongs to one command only: a key bound to two actions fires neither. Without a
// document, or while the shown deeds are copies, what would change the deeds is greyed.
TEST_F(StartedFrameTest, MenusKeysAndGreyedCommandsWithAndWithoutADocument) {
    QStringList keys;
    for (const QAction* pAction : Frame().actions()) {
        for (const QKeySequence& key : pAction->shortcuts()) {
            keys << key.toString() + ' ' + Name(pAction);
        }
    }
    EXPECT_EQ("Ctrl+N New, Ctrl+O Open..., Ctrl+Q Exit, Ctrl+T Always on top, F6 Next Pane, "
              "Shift+F6 Previous Pane, Ctrl+F4 Close Window, Ctrl+F6 Next Window, Ctrl+Shift+F6 "
              "Previous Window, Ctrl+S Save, Alt+Backspace Undo, Ctrl+Z Undo, Ctrl+Y Redo, "
              "Ctrl+Shift+Z Redo, Ctrl+X Cut, Ctrl+C Copy, Ctrl+Ins Copy, Ctrl+V Paste, Shift+Ins "
              "Paste, Ctrl+F Find..., Ctrl+I Import..., Ins New Deed..., Ctrl+E Edit Deed..., "
              "Ctrl+A Auto Save, Ctrl+L Shopping List, Ctrl+P Print..., Ctrl+Del Delete BOD",
              keys.join(", "));
    EXPECT_EQ(
        "&File: &New\tCtrl+N|&Open...\tCtrl+O|&Close|&Save\tCtrl+S|Save &As...|&Export...|—|"
        "&Print...\tCtrl+P|Print Pre&view|P&rint Setup...|—|Recent File|—|E&xit\n"
        "&Edit: &Undo\tCtrl+Z|&Redo\tCtrl+Y|—|Cu&t\tCtrl+X|&Copy\tCtrl+C|&Paste\tCtrl+V|"
        "&Find...\tCtrl+F|—|&New Deed...\tIns|&Edit Deed...\tCtrl+E|&Import...\tCtrl+I|"
        "&Auto Save\tCtrl+A\n"
        "&View: &Toolbar|&Status Bar|S&plit|—|Al&ways on top\tCtrl+T|—|Shopping &List\tCtrl+L|"
        "P&oints\n"
        "&Window: &New Window|&Cascade|&Tile|&Arrange Icons\n"
        "&Help: &About Quillmar...",
        Menus());
    EXPECT_EQ("Undo, Redo, Cut, Copy, Paste, Edit Deed...", Commands(false));
    Frame().OnCommand(ID_SHOPPING_LIST);
    EXPECT_EQ("Save, Save As..., Undo, Redo, Cut, Copy, Paste, Import..., New Deed..., "
              "Edit Deed...",
              Commands(false));

    CloseDocument();
    EXPECT_EQ("&File: &New\tCtrl+N|&Open...\tCtrl+O|—|P&rint Setup...|—|Recent File|—|E&xit\n"
              "&View: &Toolbar|&Status Bar|S&plit\n"
              "&Help: &About Quillmar...",
              Menus());
    EXPECT_EQ("New Window, Cascade, Tile, Arrange Icons, Split, Next Pane, Previous Pane, Close "
              "Window, Next Window, Previous Window, Close, Save, Save As..., Undo, Redo, Cut, "
              "Copy, Paste, Find..., Export..., Import..., New Deed..., Edit Deed..., Auto Save, "
              "Shopping List, Print..., Print Preview, Delete BOD",
              Commands(false));
}

// Undo and Redo name the operation and follow the history by themselves, with no input event in
// between; the history waits while the shown deeds are copies.
TEST_F(StartedFrameTest, UndoAndRedoNameTheOperationAndFollowTheHistory) {
    const auto History = [this] {
        QString strHistory;
        for (const int nID : {ID_EDIT_UNDO, ID_EDIT_REDO}) {
            const QAction* pAction = Frame().GetCommand(nID);
            strHistory += pAction->text() + (pAction->isEnabled() ? " on; " : " off; ");
        }
        return strHistory;
    };
    m_pDoc->ImportDeeds(
        TestDeeds::MakeDeeds({{"Tailor", "Cloth", "cloth", "10", "Normal", "cap", "0/10"}}));
    EXPECT_TRUE(
        QTest::qWaitFor([this] { return Frame().GetCommand(ID_EDIT_UNDO)->isEnabled(); }, 60000));
    EXPECT_EQ("&Undo Import\tCtrl+Z on; &Redo\tCtrl+Y off; ", History());
    Frame().OnCommand(ID_EDIT_UNDO);
    EXPECT_TRUE(m_pDoc->m_arrBods.empty());
    EXPECT_EQ("&Undo\tCtrl+Z off; &Redo Import\tCtrl+Y on; ", History());
    Frame().OnCommand(ID_SHOPPING_LIST);
    EXPECT_EQ("&Undo\tCtrl+Z off; &Redo\tCtrl+Y off; ", History());

    // The title follows a document window maximised from its own title bar.
    m_pFrame->showMaximized();
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return Frame().windowTitle() == "Quillmar - [" + m_pFrame->windowTitle() + "]"; },
        60000));
}

// A greyed command does nothing, even when asked for directly (as an accelerator would). Always
// on top, also without a document, is a window flag that never moves, resizes or hides the
// window; it is stored when the window is asked to close.
TEST_F(StartedFrameTest, SwitchesCheckAndAlwaysOnTopNeverMovesTheWindow) {
    EXPECT_EQ("Toolbar, Status Bar, Points", Commands(true));
    for (const int nID : {ID_SHOPPING_LIST, ID_AUTO_SAVE, ID_VIEW_TOOLBAR, ID_VIEW_STATUS_BAR}) {
        Frame().OnCommand(nID);
    }
    EXPECT_EQ("Auto Save, Shopping List, Points", Commands(true));
    Frame().OnCommand(ID_IMPORT);
    EXPECT_TRUE(m_prompt.m_messages.isEmpty());
    Frame().OnCommand(ID_FILE_OPEN);
    EXPECT_EQ(QStringList{"open"}, m_prompt.m_fileDialogs);

    Frame().setGeometry(120, 140, 640, 400);
    QCoreApplication::processEvents();
    const QRect rcBefore = Frame().geometry();
    const auto* pButton = qobject_cast<QToolButton*>(
        Frame().GetToolBar()->widgetForAction(Frame().GetCommand(ID_ALWAYS_ON_TOP)));
    ASSERT_NE(nullptr, pButton);
    for (const bool bExpected : {true, false, true}) {
        Frame().OnCommand(ID_ALWAYS_ON_TOP);
        QCoreApplication::processEvents();
        EXPECT_EQ(bExpected, Frame().windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        EXPECT_EQ(bExpected, pButton->isChecked());
        EXPECT_EQ(rcBefore, Frame().geometry());
        EXPECT_TRUE(Frame().isVisible());
    }
    EXPECT_EQ("Always on top, Auto Save, Shopping List, Points", Commands(true));
    // The About box is modal: a timer that ends with the main window closes it.
    bool bAboutShown = false;
    QTimer::singleShot(0, &Frame(), [&bAboutShown] {
        if (auto* pAbout = qobject_cast<CAboutDlg*>(QApplication::activeModalWidget())) {
            bAboutShown = true;
            pAbout->close();
        }
    });
    Frame().OnCommand(ID_APP_ABOUT);
    EXPECT_TRUE(bAboutShown);
    CloseDocument();
    Frame().OnCommand(ID_ALWAYS_ON_TOP);
    EXPECT_FALSE(Frame().IsAlwaysOnTop());
    EXPECT_EQ(-1, GetProfileInt("Frame", "AlwaysOnTop", -1));
    EXPECT_TRUE(Frame().close());
    EXPECT_EQ(0, GetProfileInt("Frame", "AlwaysOnTop", -1));
}

// The count of the selected branch, its points (2 % of each deed's banked) and the form's
// points, "-" for a hidden field; Points off is for a server without points.
TEST_F(StartedFrameTest, BodCountAndPointsPanesFollowTheSelectionAndThePointsSwitch) {
    for (int i = 0; i < 40; ++i) {
        m_pDoc->AddBodItem(TestDeeds::MakeDeed(
            {i < 12 ? "Smithy" : "Tailor", "Cloth", "cloth", "10", "Normal", "cap", "0/10"}));
    }
    m_pDoc->UpdateAllViews(nullptr);
    CLeftView& tree = *m_pFrame->GetLeftView();
    CQuillmarView* pForm = m_pFrame->GetFormView();
    QLabel* pPane = Frame().GetBodCountPane();
    const auto* pFormPoints = pForm->findChild<QLabel*>("staticPoints");
    const auto Panes = [&] {
        Frame().UpdateCommandUI();
        QString strPanes = pPane->text();
        for (const QLabel* pLabel :
             {static_cast<const QLabel*>(Frame().GetPointsPane()), pFormPoints}) {
            strPanes += " | " + (pLabel->isHidden() ? QString("-") : pLabel->text());
        }
        return strPanes;
    };
    tree.setCurrentIndex(tree.model()->index(0, 0, tree.model()->index(0, 0)));
    m_pDoc->m_pSelectedBod = m_pDoc->m_arrBods[0].get();
    pForm->OnUpdate(nullptr, 0, nullptr);
    EXPECT_EQ("BOD count: 12/40 | 120 points (2.4 banked) | 10 points\n0.2 banked", Panes());
    EXPECT_TRUE(pPane->isEnabled());
    EXPECT_LE(pPane->fontMetrics().horizontalAdvance("BOD Count: WWW/WWW"), pPane->minimumWidth());
    Frame().OnCommand(ID_VIEW_POINTS);
    EXPECT_EQ(QString("0"), GetProfileString("Settings", "ShowPoints", "1"));
    EXPECT_EQ("BOD count: 12/40 | - | -", Panes());
    Frame().OnCommand(ID_VIEW_POINTS);
    EXPECT_EQ("BOD count: 12/40 | 120 points (2.4 banked) | 10 points\n0.2 banked", Panes());
    // An import rebuilds the tree; a branch cannot be found again, so nothing is selected.
    m_pDoc->m_pSelectedBod = nullptr;
    m_pDoc->UpdateAllViews(nullptr);
    EXPECT_EQ(QString("BOD count: 0/40"), Panes().section(" | ", 0, 0));
    CloseDocument();
    EXPECT_EQ(QString(), pPane->text());
    EXPECT_FALSE(pPane->isEnabled());
}

// Every command but the tree's own Delete BOD says what it does in the status bar, the tree's
// context menu (a window of its own) too. Every button has its picture and a tooltip: the
// standard ones the part of the prompt after the line break, the program's own their name.
TEST_F(StartedFrameTest, StatusPromptsToolBarAndTips) {
    QStatusBar* pStatusBar = Frame().statusBar();
    QStringList messages{pStatusBar->currentMessage()};
    Frame().GetCommand(ID_IMPORT)->showStatusText(&Frame());
    messages << pStatusBar->currentMessage();
    pStatusBar->clearMessage();
    messages << pStatusBar->currentMessage();
    CLeftView& tree = *m_pFrame->GetLeftView();
    const QRect rcRoot = tree.visualRect(tree.model()->index(0, 0));
    QTest::mouseClick(tree.viewport(), Qt::RightButton, {}, rcRoot.topLeft() + QPoint(8, 4));
    auto* pMenu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(nullptr, pMenu);
    pMenu->setActiveAction(pMenu->actions().front());
    messages << pStatusBar->currentMessage();
    pMenu->close();
    messages << pStatusBar->currentMessage();
    EXPECT_EQ(QStringList({"Ready", "Import BOD's from UOAssist's clipboard format", "Ready",
                           "Completely expand the tree from this node", "Ready"}),
              messages);
    for (const QAction* pAction : Frame().actions()) {
        EXPECT_TRUE(pAction == Frame().GetCommand(ID_DELETE_BOD) || !pAction->statusTip().isEmpty())
            << pAction->text().toStdString();
    }
    QStringList tips;
    for (QAction* pAction : Frame().GetToolBar()->actions()) {
        QWidget* pButton = Frame().GetToolBar()->widgetForAction(pAction);
        QHelpEvent help(QEvent::ToolTip, QPoint(2, 2), pButton->mapToGlobal(QPoint(2, 2)));
        QToolTip::hideText();
        QCoreApplication::sendEvent(pButton, &help);
        tips << (pAction->isSeparator()     ? QString("—")
                 : pAction->icon().isNull() ? QString("no picture")
                 : QToolTip::isVisible()    ? QToolTip::text()
                                            : QString());
    }
    EXPECT_EQ(
        "New|Open|Save|—|Print|Print Preview|—|Auto Save|Always on top|Shopping List|—|Import",
        tips.join('|'));
}

// A screen reader names each control by what it is, not by the text around it.
TEST_F(StartedFrameTest, EveryControlHasANameThatSaysWhatItIs) {
    const CQuillmarView& form = *m_pFrame->GetFormView();
    const CImportDlg dlg(&Frame());
    QStringList names;
    for (QWidget* pControl : std::initializer_list<QWidget*>{
             m_pFrame->GetLeftView(), m_pFrame->GetFilterBar()->GetTextEdit(),
             m_pFrame->GetFilterBar()->findChild<QToolButton*>(),
             form.findChild<QWidget*>("editAdjust"), form.findChild<QWidget*>("btnAdjustUp"),
             form.findChild<QWidget*>("btnAdjustDown"), form.findChild<QWidget*>("editPrice"),
             form.findChild<QWidget*>("editNotes"), dlg.findChild<QWidget*>("listItems"),
             dlg.findChild<QWidget*>("editNote"), dlg.findChild<QWidget*>("editTotal"),
             dlg.findChild<QWidget*>("editAdded"), dlg.findChild<QWidget*>("editInvalid")}) {
        QAccessibleInterface* pAccessible = QAccessible::queryAccessibleInterface(pControl);
        names << (pAccessible != nullptr ? pAccessible->text(QAccessible::Name) : "?");
    }
    EXPECT_EQ("BOD hierarchy|Find|Close filter|Adjust Count:|Increase Adjust Count|Decrease Adjust "
              "Count|Price:|Notes:|Import Entries|Note for processed items:|Total Items Pasted:|"
              "BOD's Added:|Invalid List Items:",
              names.join('|'));
}

} // namespace
