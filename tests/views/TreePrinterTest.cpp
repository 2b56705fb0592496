#include "views/TreePrinter.h"

#include "support/PdfText.h"

#include <QApplication>
#include <QClipboard>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QScrollBar>
#include <QStandardItemModel>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeView>
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

TEST(TreePrinterArithmetic, LogicalPageSizeTruncatesEachDirectionOnItsOwn) {
    // A4 less margins at 1200 dpi: 718.08 by 1122.72 screen pixels.
    EXPECT_EQ(QSize(718, 1122),
              CTreePrinter::LogicalPageSize(QSize(8976, 14034), 1200, 1200, 96, 96));
    EXPECT_EQ(QSize(768, 1403),
              CTreePrinter::LogicalPageSize(QSize(4800, 14034), 600, 1200, 96, 120));
}

TEST(TreePrinterArithmetic, WhitenedTurnsOnlyTheWindowColourWhite) {
    const QRgb window = qRgb(255, 250, 205);
    const QRgb white = qRgb(255, 255, 255);
    const struct {
        QRgb in, out;
    } cases[] = {
        {window, white},
        {qRgb(255, 250, 204), qRgb(255, 250, 204)}, // one step off the window colour
        {qRgb(0, 0, 0), qRgb(0, 0, 0)},
        {qRgb(48, 140, 198), qRgb(48, 140, 198)},
        {white, white},
    };
    QImage image(int(std::size(cases)), 1, QImage::Format_RGB32);
    for (int x = 0; x < image.width(); ++x) {
        image.setPixel(x, 0, cases[x].in);
    }
    const QImage whitened = CTreePrinter::Whitened(image, window);
    for (int x = 0; x < image.width(); ++x) {
        EXPECT_EQ(cases[x].out, whitened.pixel(x, 0)) << "pixel " << x;
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

TEST_F(TreePrinterTest, CollapsedToTheRootPrintsOnePageOfOneRow) {
    Fill(3, 4);
    m_tree.collapseAll();
    auto pPrinter = PdfPrinter("root.pdf");
    CTreePrinter printer(m_tree, "sample.bod");
    ASSERT_TRUE(printer.Print(*pPrinter, CTreePrinter::Pages::All));
    EXPECT_EQ(1, printer.RowCount());
    EXPECT_EQ(1, printer.PageCount());
    EXPECT_EQ(printer.ItemHeight(), printer.TreeRect().height());
    EXPECT_EQ(printer.ItemHeight(), printer.PagePicture(1).height());
    const QStringList pages = PdfPageTexts(pPrinter->outputFileName());
    ASSERT_EQ(1, pages.size());
    EXPECT_TRUE(pages[0].contains("sample.bod BOD hierarchy")) << pages[0].toStdString();
    EXPECT_TRUE(pages[0].contains("Page 1/1")) << pages[0].toStdString();
}

TEST_F(TreePrinterTest, PrintsTheRowsAsExpandedOnScreen) {
    Fill(5, 6);
    m_tree.expand(Root());
    m_tree.expand(Branch(1));
    // A branch collapsed again prints collapsed.
    m_tree.expand(Branch(3));
    m_tree.collapse(Branch(3));
    const int nScrollBefore = m_tree.verticalScrollBar()->value();
    const QSize sizeBefore = m_tree.size();

    auto pPrinter = PdfPrinter("expanded.pdf");
    CTreePrinter printer(m_tree, "t");
    ASSERT_EQ(1, printer.BeginPrinting(*pPrinter));
    EXPECT_EQ(1 + 5 + 6, printer.RowCount());
    EXPECT_EQ(printer.RowCount() * printer.ItemHeight(), printer.TreeRect().height());
    EXPECT_EQ(sizeBefore, m_tree.size());
    EXPECT_EQ(nScrollBefore, m_tree.verticalScrollBar()->value());
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
    EXPECT_EQ(341, printer.RowCount());

    // The rows fill the page between the bands, and the pages hold every row.
    const int nLines = printer.LinesPerPage();
    const int nPageHeight = pPrinter->height() * m_tree.logicalDpiY() / pPrinter->logicalDpiY();
    EXPECT_LE((nLines + 8) * printer.ItemHeight(), nPageHeight);
    EXPECT_GT((nLines + 9) * printer.ItemHeight(), nPageHeight);
    const int nPages = printer.PageCount();
    EXPECT_GE(nPages * nLines, 341);
    EXPECT_LT((nPages - 1) * nLines, 341);

    const QStringList pages = PdfPageTexts(pPrinter->outputFileName());
    ASSERT_EQ(nPages, pages.size());
    for (int n = 1; n <= nPages; ++n) {
        const QString& strPage = pages[n - 1];
        EXPECT_TRUE(strPage.contains("R&D.bod * BOD hierarchy")) << n << strPage.toStdString();
        EXPECT_TRUE(strPage.contains(QStringLiteral("Page %1/%2").arg(n).arg(nPages)))
            << n << strPage.toStdString();
    }
}

TEST_F(TreePrinterTest, PageRangeLimitsOnlyADialogsJob) {
    Fill(20, 16);
    m_tree.expandAll();
    auto pPrinter = PdfPrinter("range.pdf");
    pPrinter->setPrintRange(QPrinter::PageRange);
    pPrinter->setFromTo(2, 3);

    CTreePrinter printer(m_tree, "t");
    ASSERT_TRUE(printer.Print(*pPrinter, CTreePrinter::Pages::PrinterRange));
    const QStringList pages = PdfPageTexts(pPrinter->outputFileName());
    ASSERT_EQ(2, pages.size());
    const int nPages = printer.PageCount();
    EXPECT_TRUE(pages[0].contains(QStringLiteral("Page 2/%1").arg(nPages)));
    EXPECT_TRUE(pages[1].contains(QStringLiteral("Page 3/%1").arg(nPages)));

    ASSERT_TRUE(printer.Print(*pPrinter, CTreePrinter::Pages::All));
    EXPECT_EQ(nPages, PdfPageTexts(pPrinter->outputFileName()).size());
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
