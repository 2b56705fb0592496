#include "views/TreePrinter.h"

#include "support/PdfText.h"

#include <QApplication>
#include <QClipboard>
#include <QPainter>
#include <QPrinter>
#include <QStandardItemModel>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeView>
#include <gtest/gtest.h>
#include <tuple>

namespace {

// 68 rows of 16 px fit 1088 px at 96 dpi, 8 for the bands; at least one a page. 341 rows at 60 a
// page: five full pages and 41 rows. Bands 2 rows from the top or 3 from the bottom, 4 chars in.
TEST(TreePrinterArithmetic, PagesTileTheTreeBetweenTheBands) {
    const std::tuple<int, int, int> lines[] = {{1088, 96, 60},  {13600, 1200, 60}, {1103, 96, 60},
                                               {1000, 300, 12}, {144, 96, 1},      {40, 96, 1}};
    for (const auto& [nHeight, nDpi, nLines] : lines) {
        EXPECT_EQ(nLines, CTreePrinter::LinesPerPage(nHeight, nDpi, 96, 16)) << nHeight;
    }
    const std::tuple<int, int, int> counts[] = {{0, 60, 0},  {1, 60, 1},   {60, 60, 1},
                                                {61, 60, 2}, {130, 60, 3}, {5, 1, 5}};
    for (const auto& [nRows, nLines, nPages] : counts) {
        EXPECT_EQ(nPages, CTreePrinter::PageCount(nRows, nLines)) << nRows << " rows, " << nLines;
    }
    const QRect rcTree(3, 5, 200, 341 * 16);
    EXPECT_EQ(QRect(3, 965, 200, 960), CTreePrinter::PageSlice(rcTree, 16, 60, 2, 6));
    EXPECT_EQ(QRect(3, 4805, 200, 656), CTreePrinter::PageSlice(rcTree, 16, 60, 6, 6));
    EXPECT_EQ(QRect(28, 32, 744, 16), CTreePrinter::TitleBand(QSize(800, 1000), 7, 16));
    EXPECT_EQ(QRect(28, 952, 744, 16), CTreePrinter::PageBand(QSize(800, 1000), 7, 16));
}

class TreePrinterTest : public testing::Test {
protected:
    void Fill(int nBranches, int nLeaves) {
        auto* pRoot = new QStandardItem(QStringLiteral("BOD's - Full List"));
        for (int nBranch = 0; nBranch < nBranches; ++nBranch) {
            auto* pBranch = new QStandardItem(QStringLiteral("Branch %1").arg(nBranch));
            for (int nLeaf = 0; nLeaf < nLeaves; ++nLeaf) {
                pBranch->appendRow(
                    new QStandardItem(QStringLiteral("Deed %1.%2 - 0/10").arg(nBranch).arg(nLeaf)));
            }
            pRoot->appendRow(pBranch);
        }
        m_model.appendRow(pRoot);
        m_tree.setModel(&m_model);
    }
    QModelIndex Root() const { return m_model.index(0, 0); }
    QModelIndex Branch(int n) const { return m_model.index(n, 0, Root()); }

    std::unique_ptr<QPrinter> PdfPrinter(const QString& strName) {
        auto pPrinter = std::make_unique<QPrinter>(QPrinter::HighResolution);
        pPrinter->setOutputFormat(QPrinter::PdfFormat);
        pPrinter->setOutputFileName(m_dir.filePath(strName));
        return pPrinter;
    }

    QTemporaryDir m_dir;
    QStandardItemModel m_model;
    QTreeView m_tree;
};

// A printer used again after its tree emptied has nothing to print and says so.
TEST_F(TreePrinterTest, LargeTreeFillsItsPagesAnEmptiedOneNothingAndTheFormOneBlankPage) {
    Fill(20, 16);
    m_tree.expandAll();
    auto pPrinter = PdfPrinter("large.pdf");
    CTreePrinter printer(m_tree, "t");
    ASSERT_TRUE(printer.Print(*pPrinter, CTreePrinter::Pages::All));
    ASSERT_EQ(341, printer.RowCount());
    const int nPageHeight = pPrinter->height() * m_tree.logicalDpiY() / pPrinter->logicalDpiY();
    EXPECT_EQ(nPageHeight / printer.ItemHeight() - 8, printer.LinesPerPage());
    EXPECT_EQ(printer.PageCount(), PdfPageTexts(pPrinter->outputFileName()).size());
    // A print dialog's range limits the job; the numbering stays that of the whole.
    pPrinter->setPrintRange(QPrinter::PageRange);
    pPrinter->setFromTo(2, 3);
    ASSERT_TRUE(printer.Print(*pPrinter, CTreePrinter::Pages::PrinterRange));
    const QStringList range = PdfPageTexts(pPrinter->outputFileName());
    ASSERT_EQ(2, range.size());
    EXPECT_TRUE(range[1].contains(QString("Page 3/%1").arg(printer.PageCount())))
        << range[1].toStdString();

    m_model.clear();
    EXPECT_FALSE(printer.Print(*pPrinter, CTreePrinter::Pages::All));
    EXPECT_EQ(0, printer.PageCount() + printer.LinesPerPage());
    ASSERT_TRUE(PrintBlankPage(*pPrinter));
    EXPECT_EQ(QStringList(""), PdfPageTexts(pPrinter->outputFileName()));
}

// The clipboard gets the reachable rows in the view's colours; paper shows them as the view does,
// on white, a dark scheme's light text turned black.
TEST_F(TreePrinterTest, PreviewAndPagesShowTheRowsAsTheView) {
    Fill(4, 5);
    m_tree.expand(Root());
    m_tree.expand(Branch(2));
    const int nItemHeight = m_tree.visualRect(Root()).height();
    auto pPrinter = PdfPrinter("screen.pdf");
    QTimer::singleShot(0, [] { QApplication::activeModalWidget()->close(); });
    PreviewTree(m_tree, "t", *pPrinter, nullptr);
    EXPECT_EQ((1 + 4 + 5) * nItemHeight, QGuiApplication::clipboard()->image().height());

    const struct {
        const char* pszScheme;
        QColor base, text, paperText;
    } cases[] = {{"tinted", QColor(230, 240, 255), QColor(0, 0, 128), QColor(0, 0, 128)},
                 {"dark", QColor(30, 30, 30), QColor(230, 230, 230), Qt::black}};
    m_tree.expandAll();
    m_tree.setIndentation(31);
    m_tree.setCurrentIndex(m_model.index(1, 0, Branch(2)));
    const int nCharWidth = QFontMetrics(m_tree.font()).averageCharWidth();
    m_tree.resize(400, 30 * nItemHeight);
    pPrinter->setResolution(m_tree.logicalDpiY());
    pPrinter->setPageSize(QPageSize(QSizeF(90, 70), QPageSize::Millimeter));
    const auto setColours = [this](const QColor& base, const QColor& text) {
        QPalette palette = m_tree.palette();
        palette.setColor(QPalette::Base, base);
        palette.setColor(QPalette::Text, text);
        m_tree.setPalette(palette);
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pszScheme);
        setColours(c.base, c.text);
        CTreePrinter printer(m_tree, "t");
        ASSERT_LE(3, printer.BeginPrinting(*pPrinter)); // page 2 is a full one
        const QImage picture = QGuiApplication::clipboard()->image();
        EXPECT_EQ(printer.TreeRect().size(), picture.size());
        EXPECT_EQ(c.base.rgb(), picture.pixel(picture.width() - 1, 0) | 0xff000000);
        QImage page(pPrinter->width(), pPrinter->height(), QImage::Format_RGB32);
        page.fill(Qt::white);
        QPainter painter(&page);
        printer.PrintPage(painter, *pPrinter, 2);
        painter.end();

        setColours(Qt::white, c.paperText);
        const QImage screen =
            m_tree.viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
        const int nSliceHeight = printer.LinesPerPage() * nItemHeight;
        const QSize slice(printer.TreeRect().width(), nSliceHeight);
        EXPECT_EQ(screen.copy(QRect(QPoint(0, nSliceHeight), slice)),
                  page.copy(QRect(QPoint(4 * nCharWidth, 4 * nItemHeight), slice)));
    }
}

} // namespace
