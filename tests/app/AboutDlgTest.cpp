#include "app/AboutDlg.h"

#include "app/LinkLabel.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

TEST(AboutDlgTest, ShowsIconVersionAndMailLink) {
    CAboutDlg dlg;
    EXPECT_EQ(QString("About Quillmar"), dlg.windowTitle());
    QStringList texts;
    bool bIcon = false;
    for (const QLabel* pLabel : dlg.findChildren<QLabel*>()) {
        texts << pLabel->text();
        bIcon = bIcon || !pLabel->pixmap().isNull();
    }
    EXPECT_TRUE(texts.contains("Quillmar Version 1.0.0.3")) << texts.join('|').toStdString();
    EXPECT_TRUE(bIcon) << "the program icon comes from the resources";
    const CLinkLabel* pLink = dlg.GetLink();
    EXPECT_EQ(QString(QUILLMAR_CONTACT), pLink->text());
    EXPECT_EQ(QString("mailto:") + QUILLMAR_CONTACT, pLink->GetURL());
    EXPECT_EQ(QString("Please send your comments, questions, or complaints here :-)"),
              pLink->toolTip());
}

// The link comes first in the tab order; Enter on opening must still close the box.
TEST(AboutDlgTest, EnterOnOpeningPressesOk) {
    CAboutDlg dlg;
    QList<QUrl> opened;
    dlg.GetLink()->SetOpener([&opened](const QUrl& url) {
        opened.push_back(url);
        return true;
    });
    const auto buttons = dlg.findChildren<QPushButton*>();
    ASSERT_EQ(1, buttons.size());
    EXPECT_EQ(QString("OK"), buttons.front()->text());
    EXPECT_TRUE(buttons.front()->isDefault());
    dlg.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dlg));
    ASSERT_EQ(buttons.front(), dlg.focusWidget());
    QTest::keyClick(dlg.focusWidget(), Qt::Key_Return);
    EXPECT_EQ(QDialog::Accepted, dlg.result());
    EXPECT_TRUE(opened.isEmpty());
}

} // namespace
