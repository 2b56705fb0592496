#include "frames/ChildFrame.h"

#include "document/QuillmarDoc.h"
#include "frames/QuillmarAppFixture.h"
#include "framework/DocManager.h"
#include "framework/Profile.h"
#include "views/LeftView.h"
#include "views/QuillmarView.h"

#include <QMdiArea>
#include <QSplitter>
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

    static void StoreChildPlacement(const QRect& rc, int nState) {
        WriteProfileInt("ChildFrame", "Top", rc.top());
        WriteProfileInt("ChildFrame", "Left", rc.left());
        WriteProfileInt("ChildFrame", "Bottom", rc.top() + rc.height());
        WriteProfileInt("ChildFrame", "Right", rc.left() + rc.width());
        WriteProfileInt("ChildFrame", "State", nState);
    }

    static QRect StoredChildRect() {
        const int nTop = GetProfileInt("ChildFrame", "Top", -1);
        const int nLeft = GetProfileInt("ChildFrame", "Left", -1);
        return QRect(QPoint(nLeft, nTop), QPoint(GetProfileInt("ChildFrame", "Right", -1) - 1,
                                                 GetProfileInt("ChildFrame", "Bottom", -1) - 1));
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
    const int nHalf = (599 - margins.left() - margins.right()) / 2;
    EXPECT_EQ(nHalf, pFrame->GetSplitter()->sizes().constFirst());
    EXPECT_EQ(pFrame->GetLeftView(), pFrame->GetSplitter()->widget(0));
    EXPECT_EQ(pFrame->GetFormView(), pFrame->GetSplitter()->widget(1));

    // Opening maximised is a resize too, and is stored as such.
    EXPECT_EQ(3, GetProfileInt("ChildFrame", "State", -1));
}

TEST_F(ChildFrameTest, StoredNormalPlacementAndSplitAreUsed) {
    StoreChildPlacement(QRect(30, 40, 420, 300), 1);
    WriteProfileInt("ChildFrame", "Split", 123);
    CChildFrame* pFrame = StartWithWindow();
    ASSERT_NE(nullptr, pFrame);
    EXPECT_FALSE(pFrame->isMaximized());
    EXPECT_EQ(QRect(30, 40, 420, 300), pFrame->geometry());
    EXPECT_EQ(123, pFrame->GetSplitter()->sizes().constFirst());
}

TEST_F(ChildFrameTest, StoredMaximisedStateOpensMaximised) {
    StoreChildPlacement(QRect(30, 40, 420, 300), 3);
    CChildFrame* pFrame = StartWithWindow();
    ASSERT_NE(nullptr, pFrame);
    EXPECT_TRUE(pFrame->isMaximized());
    EXPECT_EQ(QRect(30, 40, 420, 300), pFrame->GetRestoredRect());
}

TEST_F(ChildFrameTest, MovesResizesAndStatesAreStored) {
    StoreChildPlacement(QRect(30, 40, 420, 300), 1);
    CChildFrame* pFrame = StartWithWindow();
    ASSERT_NE(nullptr, pFrame);

    pFrame->move(50, 60);
    EXPECT_EQ(QRect(50, 60, 420, 300), StoredChildRect());
    pFrame->resize(400, 280);
    EXPECT_EQ(QRect(50, 60, 400, 280), StoredChildRect());
    EXPECT_EQ(1, GetProfileInt("ChildFrame", "State", -1));

    // Maximised, the restored rectangle is what is kept.
    pFrame->showMaximized();
    EXPECT_EQ(3, GetProfileInt("ChildFrame", "State", -1));
    EXPECT_EQ(QRect(50, 60, 400, 280), StoredChildRect());
    pFrame->showMinimized();
    EXPECT_EQ(2, GetProfileInt("ChildFrame", "State", -1));
    EXPECT_EQ(QRect(50, 60, 400, 280), StoredChildRect());
}

TEST_F(ChildFrameTest, ClosingStoresTheSplit) {
    CChildFrame* pFrame = StartWithWindow();
    ASSERT_NE(nullptr, pFrame);
    const int nTotal =
        pFrame->GetSplitter()->sizes().constFirst() + pFrame->GetSplitter()->sizes().constLast();
    pFrame->GetSplitter()->setSizes({150, nTotal - 150});
    EXPECT_TRUE(pFrame->close());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(150, GetProfileInt("ChildFrame", "Split", -1));
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

TEST_F(ChildFrameTest, ClosingTheDocumentClosesEveryWindow) {
    CChildFrame* pFirst = StartWithWindow();
    ASSERT_NE(nullptr, pFirst);
    Frame().OnCommand(ID_WINDOW_NEW);
    ASSERT_EQ(2, Frame().GetMdiArea()->subWindowList().size());
    Frame().OnCommand(ID_FILE_CLOSE);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(Frame().GetMdiArea()->subWindowList().isEmpty());
    EXPECT_EQ(nullptr, Frame().GetActiveDocument());
}

TEST_F(ChildFrameTest, PanesAndKeyboardSplit) {
    CChildFrame* pFrame = StartWithWindow();
    ASSERT_NE(nullptr, pFrame);
    Frame().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&Frame()));
    EXPECT_EQ(static_cast<CView*>(pFrame->GetLeftView()), pFrame->GetActiveView());
    Frame().OnCommand(ID_NEXT_PANE);
    EXPECT_EQ(static_cast<CView*>(pFrame->GetFormView()), pFrame->GetActiveView());
    // The form is active: Delete BOD has no one to answer it.
    EXPECT_FALSE(Frame().GetCommand(ID_DELETE_BOD)->isEnabled());
    Frame().OnCommand(ID_PREV_PANE);
    EXPECT_EQ(static_cast<CView*>(pFrame->GetLeftView()), pFrame->GetActiveView());

    const int nStart = pFrame->GetSplitter()->sizes().constFirst();
    Frame().OnCommand(ID_WINDOW_SPLIT);
    ASSERT_TRUE(pFrame->IsTrackingSplit());
    QWidget* pHandle = pFrame->GetSplitter()->handle(1);
    QTest::keyClick(pHandle, Qt::Key_Right);
    QTest::keyClick(pHandle, Qt::Key_Right);
    QTest::keyClick(pHandle, Qt::Key_Left, Qt::ControlModifier);
    EXPECT_EQ(nStart + 31, pFrame->GetSplitter()->sizes().constFirst());
    QTest::keyClick(pHandle, Qt::Key_Escape);
    EXPECT_FALSE(pFrame->IsTrackingSplit());
    EXPECT_EQ(nStart, pFrame->GetSplitter()->sizes().constFirst());

    Frame().OnCommand(ID_WINDOW_SPLIT);
    QTest::keyClick(pHandle, Qt::Key_Left);
    QTest::keyClick(pHandle, Qt::Key_Return);
    EXPECT_FALSE(pFrame->IsTrackingSplit());
    EXPECT_EQ(nStart - 16, pFrame->GetSplitter()->sizes().constFirst());
}

} // namespace
