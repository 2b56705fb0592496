#include "app/LinkLabel.h"

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
        m_window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&m_window));
    }

    void MoveOnto() { QTest::mouseMove(m_pLink, m_pLink->rect().center()); }
    void MoveAway() { QTest::mouseMove(&m_window, QPoint(280, 100)); }
    // The colour the label paints with, which must agree with what it says it shows.
    QColor Shown() const {
        EXPECT_EQ(m_pLink->palette().color(m_pLink->foregroundRole()), m_pLink->GetTextColor());
        return m_pLink->GetTextColor();
    }

    QWidget m_window;
    CLinkLabel* m_pLink = nullptr;
    QList<QUrl> m_opened;
};

TEST_F(LinkLabelTest, TurnsRedWhileThePointerIsOverItOnly) {
    EXPECT_TRUE(m_pLink->font().underline());
    EXPECT_EQ(Shown(), kLink);
    MoveOnto();
    EXPECT_EQ(Shown(), kHover);
    MoveAway();
    EXPECT_EQ(Shown(), kLink);
    MoveOnto();
    EXPECT_EQ(Shown(), kHover);
}

TEST_F(LinkLabelTest, ClickOpensTheTargetOnceAndStaysVisitedWhileHovered) {
    MoveOnto();
    QTest::mouseClick(m_pLink, Qt::LeftButton);
    ASSERT_EQ(m_opened.size(), 1);
    EXPECT_EQ(m_opened.front(), QUrl("mailto:quillmar@example.org"));
    EXPECT_EQ(Shown(), kVisited) << "a failed open is not the user's concern";

    MoveAway();
    EXPECT_EQ(Shown(), kVisited);
    MoveOnto();
    EXPECT_EQ(Shown(), kVisited);

    QTest::mouseClick(m_pLink, Qt::LeftButton);
    EXPECT_EQ(m_opened.size(), 2);
}

TEST_F(LinkLabelTest, EnterAndSpaceOpenFromTheKeyboard) {
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Space}) {
        QTest::keyClick(m_pLink, key);
    }
    EXPECT_EQ(m_opened.size(), 3);
    QTest::keyClick(m_pLink, Qt::Key_A);
    EXPECT_EQ(m_opened.size(), 3);
}

TEST_F(LinkLabelTest, ToolTipTextTakesEffectOnlyOnceEnabled) {
    m_pLink->SetToolTipText("too early");
    EXPECT_EQ(m_pLink->toolTip(), "");
    m_pLink->EnableToolTip(true);
    EXPECT_EQ(m_pLink->toolTip(), "") << "enabling alone sets no text";
    m_pLink->SetToolTipText("Write to me");
    EXPECT_EQ(m_pLink->toolTip(), "Write to me");
}

} // namespace
