#include "widgets/LinkLabel.h"

#include <QCursor>
#include <QTest>
#include <QUrl>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

const QColor kLink(0, 0, 255);
const QColor kHover(255, 0, 0);
const QColor kVisited(5, 34, 143);

// A shown window with the link in its top left corner and room around it to move away to.
class LinkLabelTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_window.resize(300, 120);
        m_pLink = new CLinkLabel(&m_window);
        m_pLink->setText("quillmar@example.org");
        m_pLink->move(20, 20);
        m_pLink->adjustSize();
        m_pLink->SetURL("mailto:quillmar@example.org");
        m_pLink->SetOpener([this](const QUrl& url) {
            m_opened.push_back(url);
            return false;
        });
        // Wherever an earlier test left the pointer, the window opens away from it.
        QCursor::setPos(0, 0);
        m_window.move(100, 100);
        m_window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&m_window));
    }

    // The colour the label paints with after the pointer moved onto or away from it.
    QColor ShownAfterMoving(bool bOnto) {
        bOnto ? QTest::mouseMove(m_pLink, m_pLink->rect().center())
              : QTest::mouseMove(&m_window, QPoint(280, 100));
        EXPECT_EQ(m_pLink->palette().color(m_pLink->foregroundRole()), m_pLink->GetTextColor());
        return m_pLink->GetTextColor();
    }

    QWidget m_window;
    CLinkLabel* m_pLink = nullptr;
    QList<QUrl> m_opened;
};

TEST_F(LinkLabelTest, RedWhileHoveredUntilClickedThenVisitedForGood) {
    EXPECT_TRUE(m_pLink->font().underline());
    EXPECT_EQ(kLink, m_pLink->GetTextColor());
    EXPECT_EQ(kHover, ShownAfterMoving(true));
    EXPECT_EQ(kLink, ShownAfterMoving(false));
    EXPECT_EQ(kHover, ShownAfterMoving(true));

    QTest::mouseClick(m_pLink, Qt::LeftButton);
    ASSERT_EQ(1, m_opened.size());
    EXPECT_EQ(QUrl("mailto:quillmar@example.org"), m_opened.front());
    // The opener failed: that is not the user's concern, the link is visited all the same.
    EXPECT_EQ(kVisited, m_pLink->GetTextColor());
    EXPECT_EQ(kVisited, ShownAfterMoving(false));
    EXPECT_EQ(kVisited, ShownAfterMoving(true));
    QTest::mouseClick(m_pLink, Qt::LeftButton);
    EXPECT_EQ(2, m_opened.size());
}

// Enter belongs to the dialog's default button.
TEST_F(LinkLabelTest, SpaceOpensFromTheKeyboard) {
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Space, Qt::Key_A}) {
        QTest::keyClick(m_pLink, key);
    }
    EXPECT_EQ(1, m_opened.size());
}

TEST_F(LinkLabelTest, ToolTipTextTakesEffectOnlyOnceEnabled) {
    m_pLink->SetToolTipText("too early");
    m_pLink->EnableToolTip(true);
    EXPECT_EQ(QString(), m_pLink->toolTip());
    m_pLink->SetToolTipText("Write to me");
    EXPECT_EQ(QString("Write to me"), m_pLink->toolTip());
}

} // namespace
