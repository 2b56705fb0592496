#include "views/TreePrinter.h"

#include "support/PdfText.h"

#include <QApplication>
#include <QClipboard>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QStandardItemModel>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeView>
#include <functional>
#include <gtest/gtest.h>

namespace {

TEST(TreePrinterArithmetic, LinesPerPage) {
    struct Case {
        int nPrintableHeight, nPrinterDpi, nScreenDpi, nItemHeight, nExpected;
    };
    const Case cases[] = {
        {1088, 96, 96, 16, 60},    // 68 rows on the page, 8 of them for the bands
        {6800, 600, 96, 16, 60},   // the same page at 600 dpi
        {13600, 1200, 96, 16, 60}, // and at 1200 dpi
        {1103, 96, 96, 16, 60},    // a partial row does not count
        {1000, 300, 96, 16, 12},   // 1000 / 3.125 = 320 screen pixels
        {144, 96, 96, 16, 1},      // just room for one row
        {128, 96, 96, 16, 1},      // no room beyond the bands: still one row a page
        {40, 96, 96, 16, 1},       // shorter than the bands themselves
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.nPrintableHeight << " px at " << c.nPrinterDpi);
        EXPECT_EQ(c.nExpected, CTreePrinter::LinesPerPage(c.nPrintableHeight, c.nPrinterDpi,
                                                          c.nScreenDpi, c.nItemHeight));
    }
}

TEST(TreePrinterArithmetic, PageCountAndSlices) {
    struct Case {
        int nRows, nLines, nPages, nLastPageRows;
    };
    const Case cases[] = {
        {1, 60, 1, 1},    {59, 60, 1, 59},  {60, 60, 1, 60}, {61, 60, 2, 1},
        {120, 60, 2, 60}, {130, 60, 3, 10}, {5, 1, 5, 1},
    };
    const int nItemHeight = 16;
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.nRows << " rows, " << c.nLines << " a page");
        const int nPages = CTreePrinter::PageCount(c.nRows, c.nLines);
        ASSERT_EQ(c.nPages, nPages);
        const QRect rcTree(0, 0, 200, c.nRows * nItemHeight);
        // The slices cover the picture exactly once, in order.
        int nNextTop = 0;
        for (int nPage = 1; nPage <= nPages; ++nPage) {
            const QRect slice =
                CTreePrinter::PageSlice(rcTree, nItemHeight, c.nLines, nPage, nPages);
            EXPECT_EQ(nNextTop, slice.top());
            EXPECT_EQ(rcTree.width(), slice.width());
            const int nRows = nPage == nPages ? c.nLastPageRows : c.nLines;
            EXPECT_EQ(nRows * nItemHeight, slice.height());
            nNextTop = slice.top() + slice.height();
        }
        EXPECT_EQ(rcTree.height(), nNextTop);
    }
    EXPECT_EQ(0, CTreePrinter::PageCount(0, 60));
}

// Whatever the page height, the title, the picture's rows and the page number never overlap
// and keep one empty row between them.
TEST(TreePrinterArithmetic, BandsFrameTheRowsOfEveryPage) {
    const int nCharWidth = 7;
    for (int nItemHeight : {14, 16, 21}) {
        for (int nHeight = 9 * nItemHeight; nHeight < 2000; nHeight += 37) {
            SCOPED_TRACE(testing::Message() << nHeight << " high, rows of " << nItemHeight);
            const QSize page(600, nHeight);
            const int nLines = CTreePrinter::LinesPerPage(nHeight, 96, 96, nItemHeight);
            const QRect title = CTreePrinter::TitleBand(page, nCharWidth, nItemHeight);
            const QRect number = CTreePrinter::PageBand(page, nCharWidth, nItemHeight);
            const int nRowsTop = 4 * nItemHeight;
            const int nRowsBottom = nRowsTop + nLines * nItemHeight;
            EXPECT_EQ(nItemHeight, title.height());
            EXPECT_EQ(nItemHeight, number.height());
            EXPECT_EQ(nRowsTop - nItemHeight, title.top() + title.height());
            EXPECT_LE(nRowsBottom + nItemHeight, number.top());
            EXPECT_LE(number.top() + number.height() + 2 * nItemHeight, nHeight);
            EXPECT_EQ(4 * nCharWidth, title.left());
            EXPECT_EQ(page.width() - 4 * nCharWidth, number.left() + number.width());
        }
    }
}

// A hierarchy shaped like the real one: one root, nBranches branches of nLeaves deeds each.
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
        m_tree.setHeaderHidden(true);
        m_tree.resize(200, 300);
    }
    QModelIndex Root() const { return m_model.index(0, 0); }
    QModelIndex Branch(int n) const { return m_model.index(n, 0, Root()); }

    std::unique_ptr<QPrinter> PdfPrinter(const QString& strName) {
        auto pPrinter = std::make_unique<QPrinter>(QPrinter::HighResolution);
        pPrinter->setOutputFormat(QPrinter::PdfFormat);
        pPrinter->setPageSize(QPageSize(QPageSize::A4));
        pPrinter->setOutputFileName(m_dir.filePath(strName));
        return pPrinter;
    }

    QTemporaryDir m_dir;
    QStandardItemModel m_model;
    QTreeView m_tree;
};

TEST_F(TreePrinterTest, PrintsTheRowsAsExpandedOnScreen) {
    Fill(5, 6);
    const QSize sizeBefore = m_tree.size();
    const struct {
        const char* pszState;
        std::function<void()> setUp;
        int nRows;
    } cases[] = {
        {"collapsed to the root", [&] { m_tree.collapseAll(); }, 1},
        {"root and one branch", [&] { m_tree.expand(Root()), m_tree.expand(Branch(1)); }, 12},
        {"a branch collapsed again", [&] { m_tree.collapse(Branch(1)); }, 6},
        {"everything", [&] { m_tree.expandAll(); }, 36},
    };
    auto pPrinter = PdfPrinter("rows.pdf");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pszState);
        c.setUp();
        CTreePrinter printer(m_tree, "t");
        ASSERT_EQ(1, printer.BeginPrinting(*pPrinter));
        EXPECT_EQ(c.nRows, printer.RowCount());
        EXPECT_EQ(c.nRows * printer.ItemHeight(), printer.TreeRect().height());
        EXPECT_EQ(printer.TreeRect().size(), printer.PagePicture(1).size());
    }
    EXPECT_EQ(sizeBefore, m_tree.size());
}

TEST_F(TreePrinterTest, LongLabelsArePrintedWhole) {
    Fill(1, 1);
    const QString strLong(150, QChar('W'));
    m_model.itemFromIndex(m_model.index(0, 0, Branch(0)))->setText(strLong);
    m_tree.expandAll();
    auto pPrinter = PdfPrinter("wide.pdf");
    CTreePrinter printer(m_tree, "t");
    ASSERT_EQ(1, printer.BeginPrinting(*pPrinter));
    EXPECT_GT(printer.TreeRect().width(), m_tree.fontMetrics().horizontalAdvance(strLong));
    EXPECT_EQ(printer.TreeRect().size(), printer.ScreenPicture().size());
}

TEST_F(TreePrinterTest, PaperIsWhiteWhereTheViewIsNotAndTheSelectionKeepsItsColour) {
    Fill(2, 3);
    const QColor base(255, 250, 205);
    const QColor highlight(200, 0, 120);
    QPalette palette = m_tree.palette();
    palette.setColor(QPalette::Base, base);
    palette.setColor(QPalette::Window, base);
    palette.setColor(QPalette::Highlight, highlight);
    m_tree.setPalette(palette);
    m_tree.expandAll();
    m_tree.setCurrentIndex(m_model.index(1, 0, Branch(1)));

    auto pPrinter = PdfPrinter("colours.pdf");
    CTreePrinter printer(m_tree, "t");
    ASSERT_EQ(1, printer.BeginPrinting(*pPrinter));
    const QImage screen = printer.ScreenPicture();
    const QImage paper = printer.PagePicture(1);
    ASSERT_EQ(screen.size(), paper.size());
    EXPECT_EQ(base.rgb(), screen.pixel(screen.width() - 1, screen.height() - 1));
    EXPECT_EQ(qRgb(255, 255, 255), paper.pixel(paper.width() - 1, paper.height() - 1));

    int nHighlighted = 0;
    for (int y = 0; y < paper.height(); ++y) {
        for (int x = 0; x < paper.width(); ++x) {
            const QRgb expected =
                screen.pixel(x, y) == base.rgb() ? qRgb(255, 255, 255) : screen.pixel(x, y);
            ASSERT_EQ(expected, paper.pixel(x, y)) << x << "," << y;
            if (paper.pixel(x, y) == highlight.rgb()) {
                // The selected deed is the eighth row.
                EXPECT_EQ(7, y / printer.ItemHeight());
                ++nHighlighted;
            }
        }
    }
    EXPECT_GT(nHighlighted, 0);
}

TEST_F(TreePrinterTest, LargeTreePrintsEveryPageWithBothBands) {
    Fill(20, 16);
    m_tree.expandAll();
    auto pPrinter = PdfPrinter("large.pdf");
    CTreePrinter printer(m_tree, "R&D.bod *");
    ASSERT_TRUE(printer.Print(*pPrinter, CTreePrinter::Pages::All));
    ASSERT_EQ(341, printer.RowCount());

    // The rows fill the page between the bands, and the pages hold every row.
    const int nLines = printer.LinesPerPage();
    const int nPageHeight = pPrinter->height() * m_tree.logicalDpiY() / pPrinter->logicalDpiY();
    EXPECT_LE((nLines + 8) * printer.ItemHeight(), nPageHeight);
    EXPECT_GT((nLines + 9) * printer.ItemHeight(), nPageHeight);
    const int nPages = printer.PageCount();
    EXPECT_GE(nPages * nLines, 341);
    EXPECT_LT((nPages - 1) * nLines, 341);

    QStringList pages = PdfPageTexts(pPrinter->outputFileName());
    ASSERT_EQ(nPages, pages.size());
    for (int n = 1; n <= nPages; ++n) {
        EXPECT_TRUE(pages[n - 1].contains("R&D.bod * BOD hierarchy")) << n;
        EXPECT_TRUE(pages[n - 1].contains(QStringLiteral("Page %1/%2").arg(n).arg(nPages))) << n;
    }

    // A print dialog's page range limits the job; the numbering stays that of the whole.
    pPrinter->setPrintRange(QPrinter::PageRange);
    pPrinter->setFromTo(2, 3);
    ASSERT_TRUE(printer.Print(*pPrinter, CTreePrinter::Pages::PrinterRange));
    pages = PdfPageTexts(pPrinter->outputFileName());
    ASSERT_EQ(2, pages.size());
    EXPECT_TRUE(pages[0].contains(QStringLiteral("Page 2/%1").arg(nPages)));
    EXPECT_TRUE(pages[1].contains(QStringLiteral("Page 3/%1").arg(nPages)));
}

TEST_F(TreePrinterTest, NothingToPrintWithoutRows) {
    QTreeView noModel;
    auto pPrinter = PdfPrinter("none.pdf");
    CTreePrinter printer(noModel, "t");
    EXPECT_EQ(0, printer.BeginPrinting(*pPrinter));
    EXPECT_TRUE(printer.PagePicture(1).isNull());

    m_tree.setModel(&m_model);
    CTreePrinter empty(m_tree, "t");
    EXPECT_FALSE(empty.Print(*pPrinter, CTreePrinter::Pages::All));
    EXPECT_FALSE(QFile::exists(pPrinter->outputFileName()));
}

TEST_F(TreePrinterTest, PreviewPutsThePictureInTheViewsColoursOnTheClipboard) {
    Fill(4, 5);
    QPalette palette = m_tree.palette();
    palette.setColor(QPalette::Base, QColor(230, 240, 255));
    m_tree.setPalette(palette);
    m_tree.expand(Root());
    m_tree.expand(Branch(2));
    QGuiApplication::clipboard()->clear();

    auto pPrinter = PdfPrinter("preview.pdf");
    QTimer::singleShot(0, [] {
        for (QWidget* pWidget : QApplication::topLevelWidgets()) {
            if (auto* pDialog = qobject_cast<QPrintPreviewDialog*>(pWidget)) {
                pDialog->reject();
            }
        }
    });
    PreviewTree(m_tree, "t", *pPrinter, nullptr);

    const QImage picture = QGuiApplication::clipboard()->image();
    ASSERT_FALSE(picture.isNull());
    CTreePrinter printer(m_tree, "t");
    printer.BeginPrinting(*pPrinter);
    EXPECT_EQ(1 + 4 + 5, printer.RowCount());
    EXPECT_EQ(printer.TreeRect().size(), picture.size());
    EXPECT_EQ(QColor(230, 240, 255).rgb(), picture.pixel(picture.width() - 1, 0) | 0xff000000);
}

TEST_F(TreePrinterTest, TheFormPrintsOneBlankPage) {
    auto pPrinter = PdfPrinter("blank.pdf");
    ASSERT_TRUE(PrintBlankPage(*pPrinter));
    const QStringList pages = PdfPageTexts(pPrinter->outputFileName());
    ASSERT_EQ(1, pages.size());
    EXPECT_EQ(QString(), pages[0].trimmed());
}

} // namespace
