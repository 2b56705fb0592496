#include "widgets/LinkLabel.h"

#include <QCursor>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// Blue, red under the pointer, dark blue for good once a click or Space (not Enter) tried it.
TEST(LinkLabelTest, ColourFollowsThePointerUntilOpenedByClickOrSpace) {
    QWidget window;
    window.resize(300, 120);
    auto* pLink = new CLinkLabel(&window);
    pLink->setText("quillmar@example.org");
    pLink->adjustSize();
    pLink->SetURL("mailto:quillmar@example.org");
    QStringList opened;
    pLink->SetOpener([&opened](const QUrl& url) {
        opened << url.toString();
        return false;
    });
    QCursor::setPos(0, 0);
    window.move(100, 100);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));

    // The colour painted at first, then after each step: o onto the link, x off it, c a click.
    QStringList colours{pLink->palette().color(pLink->foregroundRole()).name()};
    for (const char cStep : std::string_view("oxocxo")) {
        cStep == 'o'   ? QTest::mouseMove(pLink, pLink->rect().center())
        : cStep == 'x' ? QTest::mouseMove(&window, QPoint(280, 100))
                       : QTest::mouseClick(pLink, Qt::LeftButton);
        colours << pLink->palette().color(pLink->foregroundRole()).name();
    }
    EXPECT_EQ("#0000ff #ff0000 #0000ff #ff0000 #05228f #05228f #05228f", colours.join(' '));
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Space, Qt::Key_A}) {
        QTest::keyClick(pLink, key);
    }
    EXPECT_EQ(QStringList(2, "mailto:quillmar@example.org"), opened);
}

} // namespace
