#include "hierarchy/TreePrinter.h"

#include "support/PdfText.h"

#include <QPainter>
#include <QPdfWriter>
#include <QStandardItemModel>
#include <QTemporaryDir>
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
    // A root with nBranches branches of nLeaves deeds each.
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
    }
    QModelIndex Root() const { return m_model.index(0, 0); }
    QModelIndex Branch(int n) const { return m_model.index(n, 0, Root()); }

    std::unique_ptr<QPdfWriter> PdfWriter(const QString& strName) const {
        return std::make_unique<QPdfWriter>(m_dir.filePath(strName));
    }

    QTemporaryDir m_dir;
    QStandardItemModel m_model;
};

// A job prints every page, or a range numbered as part of the whole; a model without rows has
// nothing to print.
TEST_F(TreePrinterTest, LargeTreeFillsItsPagesARangeKeepsItsNumbersAnEmptyModelPrintsNothing) {
    Fill(20, 16);
    CTreeLook look = CTreeLook::Default();
    look.isExpanded = [](const QModelIndex&) {
        return true;
    };
    const auto pWriter = PdfWriter("large.pdf");
    CTreePrinter printer(m_model, look, "t");
    ASSERT_TRUE(printer.Print(*pWriter));
    ASSERT_EQ(341, printer.RowCount());
    const QStringList pages = PdfPageTexts(m_dir.filePath("large.pdf"));
    ASSERT_EQ(printer.PageCount(), pages.size());
    EXPECT_TRUE(pages[0].contains("t BOD hierarchy")) << pages[0].toStdString();
    EXPECT_TRUE(pages.last().contains(QString("Deed 19.15"))) << pages.last().toStdString();

    const auto pRange = PdfWriter("range.pdf");
    ASSERT_TRUE(CTreePrinter(m_model, look, "t").Print(*pRange, 2, 3));
    const QStringList range = PdfPageTexts(m_dir.filePath("range.pdf"));
    ASSERT_EQ(2, range.size());
    EXPECT_TRUE(range[1].contains(QString("Page 3/%1").arg(printer.PageCount())))
        << range[1].toStdString();

    m_model.clear();
    EXPECT_FALSE(printer.Print(*PdfWriter("empty.pdf")));
    EXPECT_EQ(0, printer.PageCount() + printer.LinesPerPage());
}

// Without a tree to copy, a row is as tall as a tree view makes it: bodtool's pages are those of
// a window's tree in the same font.
TEST_F(TreePrinterTest, DefaultRowIsATreeViewsRow) {
    Fill(1, 1);
    QPixmap icon(16, 15);
    icon.fill(Qt::red);
    m_model.item(0)->setIcon(icon);
    QTreeView tree;
    tree.setModel(&m_model);
    tree.setIconSize(QSize(16, 16));
    CTreePrinter printer(m_model, CTreeLook::Default(), "t");
    ASSERT_EQ(1, printer.BeginPrinting(QImage(600, 800, QImage::Format_RGB32)));
    EXPECT_EQ(tree.visualRect(Root()).height(), printer.ItemHeight());
}

// The picture holds the rows a user reaches by scrolling, a child one indentation right of its
// parent, the selected row highlighted, in the screen's colours; paper shows the same slice on
// white, a dark scheme's light text turned black.
TEST_F(TreePrinterTest, PictureAndPagesShowTheReachableRowsAsTheTreeDoes) {
    Fill(4, 5);
    CTreeLook look = CTreeLook::Default();
    look.nIndentation = 31;
    look.nRowHeight = 16;
    look.isExpanded = [this](const QModelIndex& index) {
        return index == Root() || index == Branch(2);
    };
    look.selected = m_model.index(1, 0, Branch(2));
    const int nSelectedRow = 1 + 3 + 1;
    // The box around the pixels of rc in image that are (bSame) or are not the colour.
    const auto inkBox = [](const QImage& image, const QRect& rc, QColor colour, bool bSame) {
        QRect rcInk;
        for (int y = rc.top(); y <= rc.bottom(); ++y) {
            for (int x = rc.left(); x <= rc.right(); ++x) {
                rcInk |=
                    (QColor(image.pixel(x, y)) == colour) == bSame ? QRect(x, y, 1, 1) : QRect();
            }
        }
        return rcInk;
    };
    // The first column of the row from nTop in image that is not colour, from the left.
    const auto inkFrom = [&](const QImage& image, int nTop, QColor colour) {
        return inkBox(image, QRect(0, nTop, image.width(), 16), colour, false).left();
    };

    // A tinted scheme, and a dark one whose light text paper shows black.
    for (const auto& [base, text, bPaperTextBlack] :
         {std::tuple(QColor(230, 240, 255), QColor(0, 0, 160), false),
          std::tuple(QColor(30, 30, 30), QColor(230, 230, 230), true)}) {
        SCOPED_TRACE(base.name().toStdString());
        look.palette.setColor(QPalette::Base, base);
        look.palette.setColor(QPalette::Text, text);
        look.palette.setColor(QPalette::Highlight, QColor(200, 0, 0));
        const auto pWriter = PdfWriter(base.name() + ".pdf");
        pWriter->setResolution(look.nScreenDpiY);
        pWriter->setPageSize(QPageSize(QSizeF(90, 55), QPageSize::Millimeter));
        CTreePrinter printer(m_model, look, "t");
        ASSERT_LE(3, printer.BeginPrinting(*pWriter)); // page 2 is a full one
        const QImage picture = printer.Picture();
        ASSERT_EQ(QSize(printer.TreeRect().width(), 10 * 16), picture.size());
        const int nRight = picture.width() - 1;
        EXPECT_EQ(base.rgb(), picture.pixel(nRight, 0) | 0xff000000);
        EXPECT_EQ(QColor(200, 0, 0).rgb(), picture.pixel(nRight, nSelectedRow * 16 + 8));
        // An open branch one indentation further in than the open root. The arrow points down
        // before an open branch (wider than high) and right before a closed one.
        EXPECT_EQ(31, inkFrom(picture, 3 * 16, base) - inkFrom(picture, 0, base));
        const QSize open = inkBox(picture, QRect(31, 3 * 16, 31, 16), text, true).size();
        const QSize closed = inkBox(picture, QRect(31, 16, 31, 16), text, true).size();
        EXPECT_TRUE(open.width() > open.height() && closed.height() > closed.width());

        QImage page(pWriter->width(), pWriter->height(), QImage::Format_RGB32);
        page.fill(Qt::white);
        QPainter painter(&page);
        printer.PrintPage(painter, *pWriter, 2);
        painter.end();
        // Page 2 starts with the row after page 1's last, 4 rows down and 4 characters in.
        const int nCharWidth = QFontMetrics(look.font).averageCharWidth();
        const QImage slice =
            page.copy(4 * nCharWidth, 4 * 16, picture.width(), printer.LinesPerPage() * 16);
        const int nFirst = printer.LinesPerPage();
        EXPECT_EQ(inkFrom(picture, nFirst * 16, base), inkFrom(slice, 0, Qt::white));
        // The darkest ink of the slice's text: black on paper where the screen's was light.
        int nDarkest = 255;
        for (int y = 0; y < slice.height(); ++y) {
            for (int x = 0; x < slice.width(); ++x) {
                if (QColor(slice.pixel(x, y)) != QColor(200, 0, 0)) {
                    nDarkest = std::min(nDarkest, QColor(slice.pixel(x, y)).lightness());
                }
            }
        }
        EXPECT_EQ(bPaperTextBlack ? 0 : text.lightness(), nDarkest);
    }
}

} // namespace
