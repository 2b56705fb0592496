#include "document/QuillmarDoc.h"
#include "frames/ChildFrame.h"
#include "frames/QuillmarAppFixture.h"
#include "framework/DocManager.h"
#include "framework/Profile.h"
#include "framework/SafeWrite.h"
#include "import/dialog/ImportDlg.h"
#include "support/BodToolRunner.h"
#include "support/FailDevice.h"
#include "support/Mnemonics.h"
#include "support/PdfText.h"
#include "support/TestDeeds.h"
#include "support/TestDocument.h"
#include "support/TreeNodes.h"
#include "views/DeedSelection.h"
#include "views/DiskChangeBar.h"
#include "views/FilterBar.h"
#include "views/LeftView.h"
#include "views/PrintCommands.h"
#include "views/QuillmarView.h"
#include "widgets/AboutDlg.h"

#include <QAbstractItemModelTester>
#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QPushButton>
#include <QScrollBar>
#include <QSplitter>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

namespace {

QString Texts(const QList<QAction*>& actions) {
    QStringList texts;
    for (const QAction* pAction : actions) {
        if (pAction->isVisible()) {
            texts.append(pAction->isSeparator()
                             ? QStringLiteral("—")
                             : pAction->text() + (pAction->isEnabled() ? "" : " (off)"));
        }
    }
    return texts.join('|');
}

// Started on empty settings, with its first window and document shown in a shown main window.
class FrameTest : public QuillmarAppFixture {
protected:
    void SetUp() override {
        QuillmarAppFixture::SetUp();
        ASSERT_TRUE(Start());
        QCoreApplication::processEvents();
        m_pFrame = Frame().GetActiveChildFrame();
        ASSERT_NE(nullptr, m_pFrame);
        m_pDoc = m_pFrame->GetDocument();
    }
    static int Stored(const char* pszEntry) { return GetProfileInt("ChildFrame", pszEntry, -1); }
    static QRect StoredRect() {
        return {QPoint(Stored("Left"), Stored("Top")),
                QPoint(Stored("Right") - 1, Stored("Bottom") - 1)};
    }
    static int SplitOf(const CChildFrame& frame) { return frame.GetSplitter()->sizes().first(); }
    void CloseDocument() {
        Frame().OnCommand(ID_FILE_CLOSE);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        Frame().UpdateCommandUI();
    }
    // The document holds deeds, as a file just read; its views show them.
    void Load(const CBodArray& deeds) {
        ReadDeedsInto(*m_pDoc, deeds);
        m_pDoc->UpdateAllViews(nullptr);
    }
    void Filter(const char* pszText) {
        Load(TestDeeds::MakeDeeds(TestDeeds::MixedDeeds()));
        Frame().OnCommand(ID_EDIT_FIND);
        QTest::keyClicks(m_pFrame->GetFilterBar()->GetTextEdit(), pszText);
    }
    // The filter bar's count and the status bar's once the program is idle.
    QString Counts() const {
        QCoreApplication::processEvents();
        return m_pFrame->GetFilterBar()->GetCountLabel()->text() + " | " +
               Frame().GetBodCountPane()->text();
    }
    // The names of the commands that are greyed (bChecked false) or checked, in the table's order.
    std::string Commands(bool bChecked) const {
        Frame().UpdateCommandUI();
        QStringList names;
        for (const QAction* pAction : Frame().actions()) {
            if (bChecked ? pAction->isChecked() : !pAction->isEnabled()) {
                names << pAction->text().section('\t', 0, 0).remove('&');
            }
        }
        return names.join(", ").toStdString();
    }

    CChildFrame* m_pFrame = nullptr;
    CQuillmarDoc* m_pDoc = nullptr;
};

TEST_F(FrameTest, PlacementFromEmptyOrStoredSettingsAndEveryChangeIsStored) {
    EXPECT_TRUE(m_pFrame->isMaximized());
    EXPECT_EQ(QSize(599, 356), m_pFrame->GetRestoredRect().size());
    const QMargins margins = m_pFrame->contentsMargins();
    EXPECT_EQ((599 - margins.left() - margins.right()) / 2, SplitOf(*m_pFrame));
    // Opening maximised is a resize too, and is stored as such.
    EXPECT_EQ(kShowMaximized, Stored("State"));
    // The main title follows the window restored and maximised from its own title bar.
    const auto titleBecomes = [this](const char* pszTitle) {
        return QTest::qWaitFor([&] { return Frame().windowTitle() == pszTitle; }, 60000);
    };
    m_pFrame->showNormal();
    EXPECT_TRUE(titleBecomes("Quillmar - Quilmr1"));
    m_pFrame->showMaximized();
    EXPECT_TRUE(titleBecomes("Quillmar - [Quilmr1]"));

    // A window stored larger than its form shrinks to it; every move, resize and state is stored.
    m_pApp.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    for (const auto& [pszEntry, nValue] : {std::pair{"Top", 10},
                                           {"Left", 20},
                                           {"Bottom", 810},
                                           {"Right", 1020},
                                           {"Split", 123},
                                           {"State", kShowNormal}}) {
        WriteProfileInt("ChildFrame", pszEntry, nValue);
    }
    ASSERT_TRUE(Start());
    QCoreApplication::processEvents();
    CChildFrame* pFrame = Frame().GetActiveChildFrame();
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
    for (const auto& [fnShow, nState] : {std::pair{&QWidget::showMaximized, kShowMaximized},
                                         {&QWidget::showMinimized, kShowMinimized}}) {
        (pFrame->*fnShow)();
        EXPECT_EQ(nState, Stored("State"));
        EXPECT_EQ(QRect(50, 60, 400, 280), StoredRect());
    }
}

// The status bar counts the selected branch's deeds and sums their points (10 a cap, 2 % of it
// banked); Points hides every points text. The form shows whole at the first-run size.
TEST_F(FrameTest, StatusBarCountsTheBranchAndItsPointsAndTheFormShowsWhole) {
    Load(TestDeeds::MakeDeeds({{"Smithy", "Cloth", "cloth", "10", "Normal", "cap", "0/10"},
                               {"Smithy", "Cloth", "cloth", "10", "Normal", "cap", "0/10"},
                               {"Tailor", "Cloth", "cloth", "10", "Normal", "cap", "0/10"}}));
    CLeftView& tree = *m_pFrame->GetLeftView();
    tree.setCurrentIndex(tree.model()->index(0, 0, tree.model()->index(0, 0)));
    CQuillmarView* pForm = m_pFrame->GetFormView();
    tree.Selection().Set(m_pDoc->GetBods()[0]);
    QLabel* pPoints = pForm->findChild<QLabel*>("staticPoints");
    const auto Panes = [&] {
        Frame().UpdateCommandUI();
        const auto Shown = [](QLabel* pLabel) {
            return pLabel->isHidden() ? "-" : pLabel->text();
        };
        return Frame().GetBodCountPane()->text() + '|' + Shown(Frame().GetPointsPane()) + '|' +
               Shown(pPoints);
    };
    const QString strShown = "BOD count: 2/3|20 points (0.4 banked)|10 points\n0.2 banked";
    EXPECT_EQ(strShown, Panes());
    for (const QString& strExpected : {QString("BOD count: 2/3|-|-"), strShown}) {
        Frame().OnCommand(ID_VIEW_POINTS);
        EXPECT_EQ(strExpected, Panes());
    }

    Filter(""); // an exceptional bandana, 0, and a large platemail deed, 3
    for (const std::size_t nDeed : {0U, 3U}) {
        tree.Selection().Set(m_pDoc->GetBods()[nDeed]);
        QCoreApplication::processEvents();
        EXPECT_FALSE(pForm->verticalScrollBar()->isVisible() ||
                     pForm->horizontalScrollBar()->isVisible());
    }
    // The six parts the platemail set needs are not the player's: only the set's points count.
    Frame().OnCommand(ID_SHOPPING_LIST);
    tree.setCurrentIndex(tree.model()->index(0, 0));
    EXPECT_EQ("BOD count: 7/7|410 points (82 banked)|-", Panes());
    tree.Selection().Set(m_pDoc->GetBods()[m_pDoc->GetBods().size() - 1]);
    QCoreApplication::processEvents();
    EXPECT_TRUE(pPoints->isHidden()) << "a part the list still needs";
}

// Two windows on one document say which is which; only the last of a modified document asks.
TEST_F(FrameTest, TwoWindowsOnADocumentAreNumberedAndOnlyTheLastAsks) {
    const QList<int> sizes = m_pFrame->GetSplitter()->sizes();
    m_pFrame->GetSplitter()->setSizes({150, sizes.first() + sizes.last() - 150});
    Frame().OnCommand(ID_WINDOW_NEW);
    EXPECT_EQ(4U, m_pDoc->GetViews().size());
    QMenu* pWindowMenu = Frame().menuBar()->actions().at(3)->menu();
    Q_EMIT pWindowMenu->aboutToShow();
    Q_EMIT pWindowMenu->aboutToShow();
    EXPECT_EQ("&New Window|&Cascade|&Tile|&Arrange Icons|—|&1 Quilmr1:1|&2 Quilmr1:2",
              Texts(pWindowMenu->actions()));
    EXPECT_TRUE(pWindowMenu->actions().at(6)->isChecked());
    m_pDoc->NewDeed(
        TestDeeds::MakeDeed({"Tailor", "Cloth", "cloth", "10", "Normal", "cap", "0/10"}));
    EXPECT_EQ(QString("Quillmar - [Quilmr1:2 *]"), Frame().windowTitle());
    Frame().OnCommand(ID_MDI_CLOSE);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_EQ(1, Frame().GetMdiArea()->subWindowList().size());
    EXPECT_EQ(QString("Quilmr1 *"), m_pFrame->windowTitle());

    m_prompt.QueueAnswer(IPrompt::Answer::Cancel);
    EXPECT_FALSE(m_pFrame->close());
    EXPECT_EQ(QStringList({"Save changes to Quilmr1?"}), m_prompt.m_messages);
    m_prompt.QueueAnswer(IPrompt::Answer::No);
    EXPECT_TRUE(m_pFrame->close());
    EXPECT_TRUE(m_pApp->GetDocManager()->GetDocuments().empty());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(150, Stored("Split"));
}

// The filter lives in the window, not the document: rebuilds keep it until Escape.
TEST_F(FrameTest, FindShowsOnlyMatchingDeedsThroughRebuildsUntilEscape) {
    Filter("PLATE");
    CFilterBar* pBar = m_pFrame->GetFilterBar();
    CLeftView* pTree = m_pFrame->GetLeftView();
    QAbstractItemModel* pModel = pTree->model();
    const QAbstractItemModelTester tester(pModel,
                                          QAbstractItemModelTester::FailureReportingMode::Fatal);
    EXPECT_EQ(pBar->GetTextEdit(), QApplication::focusWidget());
    EXPECT_EQ(QString("6 of 13 shown | BOD count: 0/6 of 13"), Counts());
    pBar->GetSizeChoice()->setCurrentIndex(1);
    pBar->GetMaterialChoice()->setCurrentText("iron");
    EXPECT_EQ(1, pTree->ShownCount());
    EXPECT_FALSE(m_pDoc->IsModified());

    m_pDoc->ImportDeeds(TestDeeds::MakeDeeds(
        {{"Smithy", "Platemail", "iron", "10", "Normal", "LBOD/platemail", "0/10"},
         {"Smithy", "Platemail", "iron", "10", "Normal", "platemail arms", "0/10"},
         {"Smithy", "Chainmail", "bronze", "10", "Normal", "LBOD/chainmail", "0/10"}}));
    EXPECT_EQ(QString("2 of 16 shown | BOD count: 0/2 of 16"), Counts());
    // The choices follow the grown list in the tree's order; the one made stays.
    QStringList materials;
    for (int i = 0; i < pBar->GetMaterialChoice()->count(); ++i) {
        materials << pBar->GetMaterialChoice()->itemText(i);
    }
    EXPECT_EQ("Any material|agapite|barbed leather|bronze|cloth|dull copper|horned leather|iron|"
              "spined leather|Valorite|iron",
              materials.join('|') + '|' + pBar->GetMaterialChoice()->currentText());
    pTree->setCurrentIndex(NodeOf(*pTree, pTree->ShownBods().front()));
    m_prompt.QueueAnswer(IPrompt::Answer::Yes);
    pTree->OnDeleteBod();
    EXPECT_EQ(QString("1 of 15 shown | BOD count: 1/1 of 15"), Counts());

    QTest::keyClick(pBar->GetSizeChoice(), Qt::Key_Escape);
    EXPECT_TRUE(pBar->isHidden());
    // The deed the deletion moved to stays selected.
    QCoreApplication::processEvents();
    EXPECT_EQ(QString("BOD count: 1/15"), Frame().GetBodCountPane()->text());
}

// With a filter on, the player says which deeds go; a failed write says so, the old file stays.
TEST_F(FrameTest, ExportWritesTheShownOrEveryDeedAndSaysWhenTheWriteFails) {
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
    EXPECT_EQ(QStringList({"Export", "Export"}), m_prompt.m_fileDialogs);

    SafeWrite::SetDeviceWrapper(
        [](QIODevice& file) { return std::make_unique<FailDevice>(file, 100); });
    m_prompt.QueueAnswer(IPrompt::Answer::Yes);
    m_prompt.QueueFileName(strPath);
    EXPECT_FALSE(m_pFrame->OnExport());
    SafeWrite::SetDeviceWrapper(nullptr);
    EXPECT_TRUE(m_prompt.m_messages.last().startsWith("Failed to export BOD's.\n" + strPath));
    EXPECT_EQ(14, ReadFileBytes(strPath).count("\r\n"));
}

// Another program changes the file that has unsaved changes here: the bar says so at once, by
// the file's watcher or when the program comes to the front. Keep Mine hides it until the next
// change; Reload asks, then reads the file. Printed pages carry the name without the mark.
TEST_F(FrameTest, ABarSaysAtOnceThatTheFileChangedOnDiskAndReloadsIt) {
    const QTemporaryDir dir;
    const QString strPath = dir.filePath("deeds.bod");
    ASSERT_TRUE(m_pDoc->DoSave(strPath));
    m_pDoc->ImportDeeds(
        TestDeeds::MakeDeeds({{"Tailor", "Cloth", "cloth", "10", "Normal", "cap", "0/10"}}));
    EXPECT_EQ(QString("deeds.bod"), m_pFrame->GetPrintTitle());
    const QWidget* pBar = m_pFrame->GetDiskChangeBar();
    WriteFileBytes(strPath, {}); // emptied: a document without deeds, and a change
    Q_EMIT qApp->applicationStateChanged(Qt::ApplicationActive);
    EXPECT_FALSE(pBar->isHidden());
    EXPECT_EQ(QString("deeds.bod was changed by another program."),
              pBar->findChild<QLabel*>("labelDiskChange")->text());
    pBar->findChild<QPushButton*>("btnKeepMine")->click();
    QCoreApplication::processEvents();
    EXPECT_TRUE(pBar->isHidden());

    EXPECT_EQ(0, RunBodTool({"import", strPath},
                            "small bulk order: 10 normal katana: 0, with iron ingots")
                     .nExitCode);
    EXPECT_TRUE(QTest::qWaitFor([pBar] { return !pBar->isHidden(); }, 60000));
    m_prompt.QueueAnswer(IPrompt::Answer::Yes);
    pBar->findChild<QPushButton*>("btnReload")->click();
    EXPECT_EQ("Reading deeds.bod again loses the changes not saved yet. Reload it?|1|deeds.bod",
              m_prompt.m_messages.last() + '|' + QString::number(m_pDoc->GetBods().size()) + '|' +
                  m_pFrame->windowTitle());
    EXPECT_TRUE(pBar->isHidden());
}

// A key bound to two actions fires neither, and a menu shows the first of a command's keys beside
// it. What would change copies or no document is greyed.
TEST_F(FrameTest, KeysOnceGreyedCommandsAndMenusWithAndWithoutADocument) {
    QStringList keys;
    for (const QAction* pAction : Frame().actions()) {
        for (const QKeySequence& key : pAction->shortcuts()) {
            keys << key.toString();
        }
        EXPECT_TRUE(pAction->shortcuts().isEmpty() || !pAction->text().contains('\t'))
            << pAction->text().toStdString();
    }
    EXPECT_EQ(0, keys.removeDuplicates());
    EXPECT_EQ(QKeySequence("Ctrl+Z"), Frame().GetCommand(ID_EDIT_UNDO)->shortcut());
    EXPECT_EQ("Undo, Redo, Copy, Edit Deed..., Expand From Here, Collapse To Here, Delete BOD",
              Commands(false));
    // Undo and Redo follow the history by themselves, with no input event.
    m_pDoc->ImportDeeds(
        TestDeeds::MakeDeeds({{"Tailor", "Cloth", "cloth", "10", "Normal", "cap", "0/10"}}));
    QAction* pUndo = Frame().GetCommand(ID_EDIT_UNDO);
    EXPECT_TRUE(QTest::qWaitFor([pUndo] { return pUndo->isEnabled(); }, 60000));
    Frame().OnCommand(ID_EDIT_UNDO);
    EXPECT_EQ("Undo, Copy, Edit Deed..., Expand From Here, Collapse To Here, Delete BOD",
              Commands(false));
    Frame().OnCommand(ID_SHOPPING_LIST);
    m_pFrame->GetFormView()->setFocus();
    EXPECT_EQ("Save, Save As..., Undo, Redo, Copy, Paste, Import..., New Deed..., Edit Deed..., "
              "Fill Large Deeds, "
              "Expand From Here, Collapse To Here, Delete BOD",
              Commands(false));

    CloseDocument();
    EXPECT_EQ(3, Frame().menuBar()->actions().size()) << "File, View and Help";
    EXPECT_EQ("New Window, Cascade, Tile, Arrange Icons, Split, Next Pane, Previous Pane, Close "
              "Window, Next Window, Previous Window, Close, Save, Save As..., Undo, Redo, Copy, "
              "Paste, Find..., Export..., Import..., New Deed..., Edit Deed..., Fill Large Deeds, "
              "Auto Save, "
              "Shopping List, Print..., Print Preview, Expand From Here, Collapse To Here, Delete "
              "BOD",
              Commands(false));
}

// Edits the form has not applied are asked about before a click or a key selects another deed
// (Yes applies them, No drops them, Cancel stays with them) and before Undo (Yes drops them).
TEST_F(FrameTest, UnappliedFormEditsAreAskedAboutBeforeTheyWouldGo) {
    Load(TestDeeds::MakeDeeds({{"Smithy", "Weapon", "iron", "10", "Normal", "axe", "0/10"},
                               {"Smithy", "Weapon", "iron", "10", "Normal", "cutlass", "0/10"}}));
    CLeftView& tree = *m_pFrame->GetLeftView();
    auto* pPrice = m_pFrame->GetFormView()->findChild<QLineEdit*>("editPrice");
    const CBodItem* pAxe = m_pDoc->GetBods()[0];
    const auto click = [&](const CBodItem* pBod) {
        const QModelIndex node = NodeOf(tree, pBod);
        tree.scrollTo(node);
        QTest::mouseClick(tree.viewport(), Qt::LeftButton, {}, tree.visualRect(node).center());
    };
    const auto state = [&] {
        return tree.SelectedBod()->m_strItem + "|" + pPrice->text().toStdString() + "|" +
               pAxe->m_strPrice;
    };
    // The key that moves to the cutlass: an arrow, or its first letter; none for a click.
    const std::tuple<IPrompt::Answer, Qt::Key, const char*> cases[] = {
        {IPrompt::Answer::Cancel, Qt::Key_unknown, "axe|99|"},
        {IPrompt::Answer::Cancel, Qt::Key_Down, "axe|99|"},
        {IPrompt::Answer::Cancel, Qt::Key_C, "axe|99|"},
        {IPrompt::Answer::No, Qt::Key_unknown, "cutlass||"},
        {IPrompt::Answer::Yes, Qt::Key_C, "cutlass||99"}};
    for (const auto& [answer, key, pszState] : cases) {
        click(pAxe);
        pPrice->setText("99");
        m_prompt.QueueAnswer(answer);
        key != Qt::Key_unknown ? QTest::keyClick(&tree, key) : click(m_pDoc->GetBods()[1]);
        EXPECT_EQ(pszState, state());
    }
    EXPECT_EQ(QString("The changes to axe are not applied yet. Apply them?"),
              m_prompt.m_messages.value(0));
    for (const char* pszState : {"cutlass|5|99", "axe||"}) {
        pPrice->setText("5");
        Frame().OnCommand(ID_EDIT_UNDO);
        EXPECT_EQ(pszState, state());
        m_prompt.QueueAnswer(IPrompt::Answer::Yes);
    }
    EXPECT_EQ(7, m_prompt.m_messages.size());
}

// Reading a document changes nothing: selecting, filtering, printing (the tree its rows, which
// also go to the clipboard, in the range a dialog chose; the form a blank page), the context menu,
// exporting, copying and the Shopping List leave it unmodified, its file and its history as they
// were. The tree's context menu and the form's Edit Deed button are the window's commands: the
// same words and states as the menus'. (Paste is in the day the app test plays.)
TEST_F(FrameTest, ReadingTheDocumentChangesNothingAndLeavesTheHistoryWhereItWas) {
    const QTemporaryDir dir;
    const QString strPath = dir.filePath("deeds.bod");
    WriteBodFile(strPath, TestDeeds::MakeDeeds(TestDeeds::MixedDeeds()));
    ASSERT_NE(nullptr, m_pApp->GetDocManager()->OpenDocumentFile(strPath));
    CChildFrame* pFrame = Frame().GetActiveChildFrame();
    CQuillmarDoc& doc = *pFrame->GetDocument();
    doc.NewDeed(TestDeeds::MakeDeed({"Tailor", "Cloth", "cloth", "10", "Normal", "cap", "0/10"}));
    ASSERT_TRUE(doc.DoFileSave());
    const QByteArray saved = ReadFileBytes(strPath);
    const auto unchanged = [&] {
        QCoreApplication::processEvents();
        return !doc.IsModified() && doc.GetUndoStack().count() == 1 &&
               doc.GetUndoStack().isClean() && ReadFileBytes(strPath) == saved;
    };

    CLeftView& tree = *pFrame->GetLeftView();
    int nRows = 0;
    for (QModelIndex node = tree.model()->index(0, 0); node.isValid();
         node = tree.indexBelow(node), ++nRows) {
        tree.setCurrentIndex(node);
        tree.expand(node);
    }
    EXPECT_TRUE(unchanged()) << "selecting";
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.filePath("deeds.pdf"));
    ASSERT_TRUE(PrintTree(tree, pFrame->windowTitle(), printer));
    const QImage picture = QGuiApplication::clipboard()->image();
    EXPECT_EQ(nRows * tree.visualRect(tree.currentIndex()).height(), picture.height());
    EXPECT_EQ(tree.palette().color(QPalette::Highlight).rgb(),
              picture.pixel(picture.width() - 1, picture.height() - 2) | 0xff000000);
    // The page range a print dialog leaves: the pages keep the numbers of the whole.
    printer.setPageSize(QPageSize(QSizeF(90, 55), QPageSize::Millimeter));
    printer.setPrintRange(QPrinter::PageRange);
    printer.setFromTo(2, 2);
    ASSERT_TRUE(PrintTree(tree, pFrame->windowTitle(), printer));
    const QStringList pages = PdfPageTexts(printer.outputFileName());
    EXPECT_TRUE(pages.size() == 1 && pages[0].contains("Page 2/")) << pages.join('|').toStdString();
    ASSERT_TRUE(PrintBlankPage(printer));
    EXPECT_EQ(QStringList(""), PdfPageTexts(printer.outputFileName()));

    auto* pEditDeed = pFrame->GetFormView()->findChild<QPushButton*>("btnEditDeed");
    const QModelIndex deed = NodeOf(tree, doc.GetBods()[0]);
    tree.scrollTo(deed);
    const QRect rc = tree.visualRect(deed);
    QTest::mouseClick(tree.viewport(), Qt::RightButton, {}, {rc.left() + 8, rc.center().y()});
    auto* pMenu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(nullptr, pMenu);
    const QString strMenu = Texts(pMenu->actions()) + '|' + pEditDeed->text() +
                            (pEditDeed->isEnabled() ? "" : " (off)");
    pMenu->close();
    QCoreApplication::processEvents();
    EXPECT_EQ("", MnemonicClashes(Frame()).toStdString());
    EXPECT_EQ("Expand From Here\tCtrl+Dblclk (off)|Collapse To Here\tShft+Dblclk (off)|—|&Delete "
              "BOD|Edi&t Deed...|Edi&t Deed...",
              strMenu);
    // A click on the button runs the command, whose dialog a timer closes unchanged.
    QString strDialog;
    QTimer::singleShot(0, pFrame, [&strDialog] {
        QWidget* pDialog = QApplication::activeModalWidget();
        strDialog = pDialog != nullptr && pDialog->close() ? pDialog->windowTitle() : "none";
    });
    pEditDeed->click();
    EXPECT_EQ(QString("Edit Deed"), strDialog);
    // Copy: the selected branch's deeds, as Export writes them, without the file's mark.
    const QModelIndex smithy = tree.model()->index(0, 0, tree.model()->index(0, 0));
    tree.setCurrentIndex(smithy);
    QCoreApplication::processEvents();
    EXPECT_FALSE(pEditDeed->isEnabled()) << "a branch is no deed to edit";
    Frame().OnCommand(ID_EDIT_COPY);
    const QStringList rows = QGuiApplication::clipboard()->text().split("\r\n", Qt::SkipEmptyParts);
    EXPECT_EQ(1 + tree.CountBods(smithy), rows.size());
    EXPECT_TRUE(rows.value(0).startsWith("Trade,") && rows.value(1).startsWith("Smithy,"))
        << rows.join('|').toStdString();
    m_prompt.QueueFileName(dir.filePath("deeds.csv"));
    ASSERT_TRUE(pFrame->OnExport());
    EXPECT_TRUE(unchanged()) << "printing, exporting, copying";
    Frame().OnCommand(ID_EDIT_FIND);
    QTest::keyClicks(pFrame->GetFilterBar()->GetTextEdit(), "plate");
    QTest::keyClick(pFrame->GetFilterBar()->GetTextEdit(), Qt::Key_Escape);
    Frame().OnCommand(ID_SHOPPING_LIST);
    Frame().OnCommand(ID_SHOPPING_LIST);
    EXPECT_TRUE(unchanged()) << "filtering and the Shopping List";
}

// A screen reader names each control by what it is, not by the text around it. A greyed command
// does nothing, even asked for directly. Always on top never moves, resizes or hides the window,
// and is stored when the window closes.
TEST_F(FrameTest, NamesTipsSwitchesAndAlwaysOnTopThatNeverMovesTheWindow) {
    const CImportDlg dlg(&Frame());
    const auto Name = [](QWidget* pControl) {
        return QAccessible::queryAccessibleInterface(pControl)->text(QAccessible::Name);
    };
    QStringList names{Name(m_pFrame->GetLeftView()),
                      Name(m_pFrame->GetFilterBar()->findChild<QToolButton*>())};
    for (const char* pszName : {"Find", "editAdjust", "btnAdjustUp", "btnAdjustDown", "editPrice",
                                "editNotes", "listItems", "editNote", "editTotal"}) {
        names << Name(Frame().findChild<QWidget*>(pszName));
    }
    // The status bar shows a prompt's first line, a button's tooltip the part after the break;
    // every button has its picture.
    Frame().GetCommand(ID_IMPORT)->showStatusText(&Frame());
    EXPECT_EQ(QString("Import BOD's from UOAssist's clipboard format"),
              Frame().statusBar()->currentMessage());
    EXPECT_EQ(QString("Import"), Frame().GetCommand(ID_IMPORT)->toolTip());
    for (const QAction* pAction : Frame().GetToolBar()->actions()) {
        EXPECT_TRUE(pAction->isSeparator() || !pAction->icon().pixmap(16, 16).isNull())
            << pAction->toolTip().toStdString();
    }
    EXPECT_EQ("BOD hierarchy|Close filter|Find|Adjust Count:|Increase Adjust Count|"
              "Decrease Adjust Count|Price:|Notes:|Import Entries|Note for processed items:|"
              "Total Items Pasted:",
              names.join('|'));
    EXPECT_EQ("Toolbar, Status Bar, Points", Commands(true));
    for (const int nID : {ID_SHOPPING_LIST, ID_AUTO_SAVE, ID_VIEW_TOOLBAR, ID_VIEW_STATUS_BAR}) {
        Frame().GetCommand(nID)->trigger(); // as a menu or a button does
    }
    EXPECT_EQ("Auto Save, Shopping List, Points", Commands(true));
    Frame().OnCommand(ID_IMPORT);
    EXPECT_TRUE(m_prompt.m_messages.isEmpty());

    Frame().setGeometry(120, 140, 640, 400);
    QCoreApplication::processEvents();
    const QRect rcBefore = Frame().geometry();
    for (const bool bExpected : {true, false, true}) {
        Frame().OnCommand(ID_ALWAYS_ON_TOP);
        QCoreApplication::processEvents();
        EXPECT_EQ(bExpected, Frame().windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        EXPECT_EQ(rcBefore, Frame().geometry());
        EXPECT_TRUE(Frame().isVisible());
    }
    EXPECT_EQ("Always on top, Auto Save, Shopping List, Points", Commands(true));
    // The About box is modal: a timer that ends with the main window closes it.
    bool bAboutShown = false;
    QTimer::singleShot(0, &Frame(), [&bAboutShown] {
        auto* pAbout = qobject_cast<CAboutDlg*>(QApplication::activeModalWidget());
        bAboutShown = pAbout != nullptr && pAbout->close();
    });
    Frame().OnCommand(ID_APP_ABOUT);
    EXPECT_TRUE(bAboutShown);
    CloseDocument();
    Frame().OnCommand(ID_ALWAYS_ON_TOP);
    EXPECT_TRUE(Frame().close());
    EXPECT_EQ(0, GetProfileInt("Frame", "AlwaysOnTop", -1));
}

} // namespace
