#include "views/PrintCommands.h"

#include "support/PdfText.h"

#include <QApplication>
#include <QClipboard>
#include <QPrinter>
#include <QRegularExpression>
#include <QStandardItemModel>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeView>
#include <gtest/gtest.h>

namespace {

// A preview prints the rows the tree shows, its selection highlighted, and leaves their picture
// on the clipboard; the form's print is one blank page.
TEST(PrintCommandsTest, TreePrintsWhatItShowsAndTheFormABlankPage) {
    QStandardItemModel model;
    auto* pRoot = new QStandardItem(QStringLiteral("BOD's - Full List"));
    for (int nBranch = 0; nBranch < 3; ++nBranch) {
        auto* pBranch = new QStandardItem(QStringLiteral("Branch %1").arg(nBranch));
        pBranch->appendRow(new QStandardItem(QStringLiteral("Deed %1").arg(nBranch)));
        pRoot->appendRow(pBranch);
    }
    model.appendRow(pRoot);
    QTreeView tree;
    tree.setModel(&model);
    tree.setHeaderHidden(true);
    tree.resize(300, 300);
    tree.expand(model.index(0, 0));
    tree.expand(model.index(0, 0, model.index(0, 0)));
    const QModelIndex deed = model.index(0, 0, model.index(0, 0, model.index(0, 0)));
    tree.setCurrentIndex(deed);
    const int nRowHeight = tree.visualRect(model.index(0, 0)).height();

    QTemporaryDir dir;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.filePath("tree.pdf"));
    QTimer::singleShot(0, [] { QApplication::activeModalWidget()->close(); });
    PreviewTree(tree, "t", printer, nullptr);
    const QImage picture = QGuiApplication::clipboard()->image();
    ASSERT_EQ(5 * nRowHeight, picture.height());
    EXPECT_EQ(tree.palette().color(QPalette::Highlight).rgb(),
              picture.pixel(picture.width() - 1, 2 * nRowHeight + nRowHeight / 2) | 0xff000000);

    ASSERT_TRUE(PrintTree(tree, "t", printer));
    QStringList rows = PdfPageTexts(printer.outputFileName()).value(0).split('\n').mid(2, 5);
    rows.replaceInStrings(QRegularExpression("^\\s+"), QString());
    const QStringList shown{"BOD's - Full List", "Branch 0", "Deed 0", "Branch 1", "Branch 2"};
    EXPECT_EQ(shown, rows);
    ASSERT_TRUE(PrintBlankPage(printer));
    EXPECT_EQ(QStringList(""), PdfPageTexts(printer.outputFileName()));
}

} // namespace
