#include "app/AboutDlg.h"

#include "app/LinkLabel.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

TEST(AboutDlgTest, ShowsIconVersionAndMailLink) {
    CAboutDlg dlg;
    EXPECT_EQ(dlg.windowTitle(), "About Quillmar");

    QStringList texts;
    bool bIcon = false;
    for (const QLabel* pLabel : dlg.findChildren<QLabel*>()) {
        texts << pLabel->text();
        bIcon = bIcon || !pLabel->pixmap().isNull();
    }
    EXPECT_TRUE(texts.contains("Quillmar Version 1.0.0.3")) << texts.join('|').toStdString();
    EXPECT_TRUE(bIcon) << "the program icon comes from the resources";

    const CLinkLabel* pLink = dlg.GetLink();
    EXPECT_EQ(pLink->text(), QUILLMAR_CONTACT);
    EXPECT_EQ(pLink->GetURL(), QStringLiteral("mailto:") + QUILLMAR_CONTACT);
    EXPECT_EQ(pLink->toolTip(), "Please send your comments, questions, or complaints here :-)");
}

TEST(AboutDlgTest, EnterOnOpeningPressesOk) {
    CAboutDlg dlg;
    QList<QUrl> opened;
    dlg.GetLink()->SetOpener([&opened](const QUrl& url) {
        opened.push_back(url);
        return true;
    });
    const auto buttons = dlg.findChildren<QPushButton*>();
    ASSERT_EQ(buttons.size(), 1);
    EXPECT_EQ(buttons.front()->text(), "OK");
    EXPECT_TRUE(buttons.front()->isDefault());

    dlg.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dlg));
    EXPECT_EQ(dlg.focusWidget(), buttons.front());
    QTest::keyClick(dlg.focusWidget(), Qt::Key_Return);
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_TRUE(opened.isEmpty());
}

} // namespace
