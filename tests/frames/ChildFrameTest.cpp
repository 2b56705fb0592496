#include "frames/ChildFrame.h"

#include "document/QuillmarDoc.h"
#include "frames/QuillmarAppFixture.h"
#include "framework/DocManager.h"
#include "framework/Profile.h"
#include "support/TestDeeds.h"
#include "views/LeftView.h"
#include "views/QuillmarView.h"

#include <QLabel>
#include <QScrollBar>
#include <QSplitter>

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
    EXPECT_EQ(pFrame->GetLeftView(), pFrame->GetSplitter()->widget(0));
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

} // namespace
