#include "frames/ChildFrame.h"

#include "document/QuillmarDoc.h"
#include "frames/QuillmarAppFixture.h"
#include "framework/DocManager.h"
#include "framework/Profile.h"
#include "framework/SafeWrite.h"
#include "support/BodToolRunner.h"
#include "support/FailDevice.h"
#include "support/TestDeeds.h"
#include "views/FilterBar.h"
#include "views/LeftView.h"
#include "views/QuillmarView.h"

#include <QAbstractItemModelTester>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QSplitter>
#include <QTemporaryDir>
#include <QTest>

namespace {

class ChildFrameTest : public QuillmarAppFixture {
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

    // The first window, on a document of the mixed test deeds, its filter bar open with text.
    CChildFrame* StartFiltered(const char* pszText) {
        CChildFrame* pFrame = StartWithWindow();
        if (pFrame == nullptr) {
            return nullptr;
        }
        for (auto& pBod : TestDeeds::MakeDeeds(TestDeeds::MixedDeeds())) {
            pFrame->GetDocument()->AddBodItem(std::move(pBod));
        }
        pFrame->GetDocument()->UpdateAllViews(nullptr);
        Frame().OnCommand(ID_EDIT_FIND);
        QTest::keyClicks(pFrame->GetFilterBar()->GetTextEdit(), pszText);
        return pFrame;
    }
    // As a player reads it: once the program is idle, nothing refreshed by hand.
    QString CountPane() const {
        QCoreApplication::processEvents();
        return Frame().GetBodCountPane()->text();
    }
};

TEST_F(ChildFrameTest, EmptySettingsOpenMaximisedWithTheTreeOnHalfTheWidth) {
    CChildFrame* pFrame = StartWithWindow();
    ASSERT_NE(nullptr, pFrame);
    EXPECT_TRUE(pFrame->isMaximized());
    EXPECT_EQ(QSize(599, 356), pFrame->GetRestoredRect().size());
    EXPECT_EQ(QString("Quilmr1"), pFrame->windowTitle());
    // Half of the client width the restored window had when its panes were made.
    const QMargins margins = pFrame->contentsMargins();
    EXPECT_EQ((599 - margins.left() - margins.right()) / 2, SplitOf(*pFrame));
    EXPECT_TRUE(pFrame->GetSplitter()->widget(0)->isAncestorOf(pFrame->GetLeftView()));
    EXPECT_EQ(pFrame->GetFormView(), pFrame->GetSplitter()->widget(1));
    // Opening maximised is a resize too, and is stored as such.
    EXPECT_EQ(kShowMaximized, Stored("State"));
}

// At the first-run size the form shows whole, whatever it shows: no scroll bars.
TEST_F(ChildFrameTest, FormFitsWithoutScrollBarsAtTheFirstRunSize) {
    CChildFrame* pFrame = StartWithWindow();
    ASSERT_NE(nullptr, pFrame);
    CQuillmarDoc* pDoc = pFrame->GetDocument();
    pDoc->AddBodItem(TestDeeds::MakeDeed(
        {"Smithy", "Platemail", "iron", "20", "Exceptional", "platemail gloves", "7/20"}));
    pDoc->AddBodItem(TestDeeds::MakeLargeDeed(
        {"Tailor", "Leather", "barbed leather", "20", "Exceptional", "LBOD/studded leather set",
         "0/120"},
        {"studded leather gorget", "studded leather gloves", "studded leather sleeves",
         "studded leather leggings", "studded leather tunic", "studded leather bustier"}));
    const CQuillmarView* pForm = pFrame->GetFormView();
    for (CBodItem* pBod :
         {static_cast<CBodItem*>(nullptr), pDoc->m_arrBods[0].get(), pDoc->m_arrBods[1].get()}) {
        pDoc->m_pSelectedBod = pBod;
        pDoc->UpdateAllViews(nullptr);
        QCoreApplication::processEvents();
        SCOPED_TRACE(pForm->GetMode());
        EXPECT_FALSE(pForm->verticalScrollBar()->isVisible());
        EXPECT_FALSE(pForm->horizontalScrollBar()->isVisible());
        // The points show whole in the room the form has for them.
        const auto* pPoints = pForm->findChild<QLabel*>("staticPoints");
        const QRect rcText = pPoints->fontMetrics().boundingRect(QRect(), 0, pPoints->text());
        EXPECT_GE(pPoints->width(), rcText.width());
        EXPECT_GE(pPoints->height(), rcText.height());
    }
}

TEST_F(ChildFrameTest, StoredPlacementIsUsedAndEveryMoveResizeAndStateIsStored) {
    WriteProfileInt("ChildFrame", "Top", 40);
    WriteProfileInt("ChildFrame", "Left", 30);
    WriteProfileInt("ChildFrame", "Bottom", 340);
    WriteProfileInt("ChildFrame", "Right", 450);
    WriteProfileInt("ChildFrame", "State", kShowNormal);
    WriteProfileInt("ChildFrame", "Split", 123);
    CChildFrame* pFrame = StartWithWindow();
    ASSERT_NE(nullptr, pFrame);
    EXPECT_FALSE(pFrame->isMaximized());
    EXPECT_EQ(QRect(30, 40, 420, 300), pFrame->geometry());
    EXPECT_EQ(123, SplitOf(*pFrame));

    pFrame->move(50, 60);
    EXPECT_EQ(QRect(50, 60, 420, 300), StoredRect());
    pFrame->resize(400, 280);
    EXPECT_EQ(QRect(50, 60, 400, 280), StoredRect());
    EXPECT_EQ(kShowNormal, Stored("State"));
    // Maximised or minimised, the restored rectangle is what is kept.
    pFrame->showMaximized();
    EXPECT_EQ(kShowMaximized, Stored("State"));
    EXPECT_EQ(QRect(50, 60, 400, 280), StoredRect());
    pFrame->showMinimized();
    EXPECT_EQ(kShowMinimized, Stored("State"));
    EXPECT_EQ(QRect(50, 60, 400, 280), StoredRect());
}

// A window stored larger than its form needs shrinks to the form at its first fill.
TEST_F(ChildFrameTest, LargeStoredWindowShrinksToItsForm) {
    for (const auto& [pszEntry, nValue] : {std::pair{"Top", 10},
                                           {"Left", 20},
                                           {"Bottom", 810},
                                           {"Right", 1020},
                                           {"State", kShowNormal}}) {
        WriteProfileInt("ChildFrame", pszEntry, nValue);
    }
    CChildFrame* pFrame = StartWithWindow();
    ASSERT_NE(nullptr, pFrame);
    const CQuillmarView* pForm = pFrame->GetFormView();
    EXPECT_LT(pFrame->width(), 1000);
    EXPECT_LT(pFrame->height(), 800);
    EXPECT_EQ(pForm->widget()->sizeHint(), pForm->size());
    EXPECT_EQ(QRect(QPoint(20, 10), pFrame->size()), StoredRect());
}

TEST_F(ChildFrameTest, ClosingStoresTheSplit) {
    CChildFrame* pFrame = StartWithWindow();
    ASSERT_NE(nullptr, pFrame);
    const QList<int> sizes = pFrame->GetSplitter()->sizes();
    pFrame->GetSplitter()->setSizes({150, sizes.first() + sizes.last() - 150});
    EXPECT_TRUE(pFrame->close());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(150, Stored("Split"));
}

TEST_F(ChildFrameTest, OnlyTheLastWindowOfAModifiedDocumentAsks) {
    CChildFrame* pFirst = StartWithWindow();
    ASSERT_NE(nullptr, pFirst);
    CQuillmarDoc* pDoc = pFirst->GetDocument();
    Frame().OnCommand(ID_WINDOW_NEW);
    CChildFrame* pSecond = Frame().GetActiveChildFrame();
    ASSERT_NE(pFirst, pSecond);
    EXPECT_EQ(4U, pDoc->GetViews().size());
    pDoc->MarkChanged(true);

    EXPECT_TRUE(pSecond->close());
    EXPECT_TRUE(m_prompt.m_messages.isEmpty());
    EXPECT_EQ(2U, pDoc->GetViews().size());

    m_prompt.QueueAnswer(IPrompt::Answer::Cancel);
    EXPECT_FALSE(pFirst->close());
    EXPECT_EQ(QStringList({"Save changes to Quilmr1?"}), m_prompt.m_messages);
    EXPECT_EQ(1U, m_pApp->GetDocManager()->GetDocuments().size());

    m_prompt.QueueAnswer(IPrompt::Answer::No);
    EXPECT_TRUE(pFirst->close());
    EXPECT_TRUE(m_pApp->GetDocManager()->GetDocuments().empty());
}

// The filter lives in the window, never in the document: rebuilds after an import keep it, the
// counts say what is shown, and Escape shows everything again.
TEST_F(ChildFrameTest, FindShowsOnlyMatchingDeedsThroughRebuildsUntilEscape) {
    CChildFrame* pFrame = StartFiltered("PLATE");
    ASSERT_NE(nullptr, pFrame);
    CQuillmarDoc* pDoc = pFrame->GetDocument();
    CFilterBar* pBar = pFrame->GetFilterBar();
    CLeftView* pTree = pFrame->GetLeftView();
    const QAbstractItemModelTester tester(pTree->model(),
                                          QAbstractItemModelTester::FailureReportingMode::Fatal);
    EXPECT_TRUE(pBar->isVisible());
    EXPECT_EQ(pBar->GetTextEdit(), QApplication::focusWidget());
    // Five platemail items and the tailor's deed filed under Platemail.
    EXPECT_EQ(6, pTree->ShownCount());
    EXPECT_EQ(QString("6 of 13 shown"), pBar->GetCountLabel()->text());
    EXPECT_EQ(QString("BOD count: 0/6 of 13"), CountPane());
    // So few are shown at once, down to the deeds.
    QModelIndex node = pTree->model()->index(0, 0);
    for (int nLevel = 0; nLevel < 7; ++nLevel, node = pTree->model()->index(0, 0, node)) {
        EXPECT_TRUE(pTree->isExpanded(node)) << nLevel;
    }
    pBar->GetSizeChoice()->setCurrentIndex(2);
    EXPECT_EQ(5, pTree->ShownCount());
    pBar->GetSizeChoice()->setCurrentIndex(1);
    const int nIron = pBar->GetMaterialChoice()->findText("iron");
    ASSERT_GT(nIron, 0);
    pBar->GetMaterialChoice()->setCurrentIndex(nIron);
    EXPECT_EQ(1, pTree->ShownCount());
    EXPECT_FALSE(pDoc->IsModified());

    CBodArray imported;
    for (const auto& [pszCategory, pszItem] : {std::pair{"Platemail", "LBOD/platemail"},
                                               {"Platemail", "platemail arms"},
                                               {"Chainmail", "LBOD/chainmail"}}) {
        imported.push_back(
            TestDeeds::MakeDeed({"Smithy", pszCategory, "iron", "10", "Normal", pszItem, "0/10"}));
    }
    pDoc->ImportDeeds(std::move(imported));
    EXPECT_EQ(2, pTree->ShownCount());
    EXPECT_EQ(QString("2 of 16 shown"), pBar->GetCountLabel()->text());
    // The choices were offered again from the grown list, the one made kept.
    EXPECT_EQ(QString("Any material"), pBar->GetMaterialChoice()->itemText(0));
    EXPECT_EQ(QString("iron"), pBar->GetMaterialChoice()->currentText());
    // In the tree's order, letter case aside.
    EXPECT_EQ(QString("agapite"), pBar->GetMaterialChoice()->itemText(1));
    EXPECT_EQ(QString("Valorite"), pBar->GetMaterialChoice()->itemText(8));
    // A deletion takes the deed from what is shown, and the counts follow.
    QModelIndex deed = pTree->model()->index(0, 0);
    while (pTree->model()->hasChildren(deed)) {
        deed = pTree->model()->index(0, 0, deed);
    }
    pTree->setCurrentIndex(deed);
    m_prompt.QueueAnswer(IPrompt::Answer::Yes);
    pTree->OnDeleteBod();
    EXPECT_EQ(1, pTree->ShownCount());
    EXPECT_EQ(QString("1 of 15 shown"), pBar->GetCountLabel()->text());

    QTest::keyClick(pBar->GetSizeChoice(), Qt::Key_Escape);
    EXPECT_TRUE(pBar->isHidden());
    EXPECT_EQ(15, pTree->ShownCount());
    // The deed the deletion moved to stays selected.
    EXPECT_EQ(QString("BOD count: 1/15"), CountPane());
    EXPECT_EQ(QString(), pBar->GetTextEdit()->text());
    // With nothing selected, only the root is open again.
    pDoc->m_pSelectedBod = nullptr;
    pDoc->UpdateAllViews(nullptr);
    EXPECT_TRUE(pTree->isExpanded(pTree->model()->index(0, 0)));
    EXPECT_FALSE(pTree->isExpanded(pTree->model()->index(0, 0, pTree->model()->index(0, 0))));
}

// With a filter on, the player says which deeds go; a write that fails says so and leaves the
// file that was there.
TEST_F(ChildFrameTest, ExportWritesTheShownOrEveryDeedAndSaysWhenTheWriteFails) {
    CChildFrame* pFrame = StartFiltered("gorget");
    ASSERT_NE(nullptr, pFrame);
    const QTemporaryDir dir;
    const QString strPath = dir.filePath("deeds.csv");
    const auto Rows = [&strPath] {
        return ReadFileBytes(strPath).count("\r\n") - 1;
    };

    m_prompt.QueueAnswer(IPrompt::Answer::Yes);
    m_prompt.QueueFileName(strPath);
    EXPECT_TRUE(pFrame->OnExport());
    EXPECT_EQ(2, Rows());
    EXPECT_TRUE(ReadFileBytes(strPath).contains("\r\nTailor,Platemail,barbed leather,10,"));
    EXPECT_EQ(QStringList({"The filter shows 2 of 13 BOD's.\nExport only those 2? (No exports all "
                           "13.)"}),
              m_prompt.m_messages);

    m_prompt.QueueAnswer(IPrompt::Answer::No);
    m_prompt.QueueFileName(strPath);
    EXPECT_TRUE(pFrame->OnExport());
    EXPECT_EQ(13, Rows());

    m_prompt.QueueAnswer(IPrompt::Answer::Cancel);
    EXPECT_FALSE(pFrame->OnExport());
    EXPECT_EQ(QStringList({"save", "save"}), m_prompt.m_fileDialogs);

    SafeWrite::SetDeviceWrapper(
        [](QIODevice& file) { return std::make_unique<FailDevice>(file, 100); });
    m_prompt.QueueAnswer(IPrompt::Answer::Yes);
    m_prompt.QueueFileName(strPath);
    EXPECT_FALSE(pFrame->OnExport());
    SafeWrite::SetDeviceWrapper(nullptr);
    EXPECT_TRUE(m_prompt.m_messages.last().startsWith("Failed to export BOD's.\n" + strPath))
        << m_prompt.m_messages.last().toStdString();
    EXPECT_EQ(13, Rows());
}

} // namespace
