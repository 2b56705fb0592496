#include "views/TreePrinter.h"

#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QTreeView>
#include <algorithm>
#include <functional>
#include <utility>

namespace {

// The rows above the tree (two empty, the title, one empty) and below it (one empty, the
// page number, two empty).
constexpr int kMarginRows = 8;

} // namespace

// A tree view that draws the rows of the user's tree exactly as that tree does, but holds them
// all at once: same model, root, look, delegate, expanded branches and selection. Drawing from
// this copy leaves the user's view, its size and its scroll position untouched.
class CTreePrinter::CPrintedTree : public QTreeView {
public:
    // Draws the rows within rc (viewport coordinates) with painter as it stands, without the
    // viewport's background. On a printer the labels stay text and the images stay images,
    // where rendering the widget would turn the whole slice into one picture.
    void DrawRows(QPainter& painter, const QRect& rc) const { drawTree(&painter, QRegion(rc)); }
};

namespace {

std::unique_ptr<CTreePrinter::CPrintedTree> CopyOfTree(const QTreeView& tree) {
    auto pCopy = std::make_unique<CTreePrinter::CPrintedTree>();
    pCopy->setAttribute(Qt::WA_DontShowOnScreen);
    pCopy->setFrameShape(QFrame::NoFrame);
    pCopy->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    pCopy->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    pCopy->setHeaderHidden(true);
    pCopy->header()->setStretchLastSection(false);
    // Every row counts when measuring the widest one, not only the first thousand.
    pCopy->header()->setResizeContentsPrecision(-1);
    pCopy->setAnimated(false);

    if (tree.style() != QApplication::style()) {
        pCopy->setStyle(tree.style());
    }
    pCopy->setStyleSheet(tree.styleSheet());
    pCopy->setFont(tree.font());
    pCopy->setPalette(tree.palette());
    pCopy->setIndentation(tree.indentation());
    pCopy->setRootIsDecorated(tree.rootIsDecorated());
    pCopy->setItemsExpandable(tree.itemsExpandable());
    pCopy->setIconSize(tree.iconSize());
    pCopy->setUniformRowHeights(tree.uniformRowHeights());
    pCopy->setAlternatingRowColors(tree.alternatingRowColors());
    pCopy->setTextElideMode(tree.textElideMode());
    pCopy->setWordWrap(tree.wordWrap());
    pCopy->setAllColumnsShowFocus(tree.allColumnsShowFocus());
    pCopy->setSelectionBehavior(tree.selectionBehavior());
    pCopy->setItemDelegate(tree.itemDelegate());

    pCopy->setModel(tree.model());
    pCopy->setRootIndex(tree.rootIndex());
    for (int nColumn = 0; nColumn < tree.model()->columnCount(tree.rootIndex()); ++nColumn) {
        pCopy->setColumnHidden(nColumn, tree.isColumnHidden(nColumn));
    }
    if (const QItemSelectionModel* pSelection = tree.selectionModel()) {
        pCopy->selectionModel()->select(pSelection->selection(),
                                        QItemSelectionModel::ClearAndSelect);
        pCopy->selectionModel()->setCurrentIndex(pSelection->currentIndex(),
                                                 QItemSelectionModel::NoUpdate);
    }
    return pCopy;
}

// Sizes every column of view to its widest row; returns the width of all of them.
int FitColumns(QTreeView& view) {
    for (int nColumn = 0; nColumn < view.model()->columnCount(view.rootIndex()); ++nColumn) {
        if (!view.isColumnHidden(nColumn)) {
            // QTreeView hides its width hint, which adds each row's indentation.
            const QAbstractItemView& asView = view;
            view.setColumnWidth(nColumn, asView.sizeHintForColumn(nColumn));
        }
    }
    return view.header()->length();
}

QString TitleText(const QString& strTitle) {
    return QCoreApplication::translate("CTreePrinter", "%1 BOD hierarchy").arg(strTitle);
}

// Paper stays white whatever the desktop, so a dark scheme's light text would vanish on it:
// such a scheme prints its text black. Selected rows keep their highlight and its text colour.
QPalette PaperPalette(QPalette palette) {
    if (palette.color(QPalette::Text).lightness() > palette.color(QPalette::Base).lightness()) {
        palette.setColor(QPalette::Text, Qt::black);
        palette.setColor(QPalette::WindowText, Qt::black);
    }
    return palette;
}

bool RunPrintDialog(QPrinter& printer, QWidget* pParent,
                    const std::function<bool(QPrinter&)>& job) {
    QPrintDialog dialog(&printer, pParent);
    if (dialog.exec() != QDialog::Accepted) {
        return false;
    }
    return job(printer);
}

void RunPreview(QPrinter& printer, QWidget* pParent, const std::function<bool(QPrinter&)>& job) {
    QPrintPreviewDialog dialog(&printer, pParent);
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested,
                     [&job](QPrinter* pPrinter) { job(*pPrinter); });
    dialog.exec();
}

} // namespace

CTreePrinter::CTreePrinter(const QTreeView& tree, QString strTitle)
    : m_tree(tree), m_strTitle(std::move(strTitle)) {}

CTreePrinter::~CTreePrinter() = default;

int CTreePrinter::BeginPrinting(const QPrinter& printer) {
    m_nLinesPerPage = 0;
    m_nPageCount = 0;
    m_imgScreen = QImage();
    if (!LayOutRows()) {
        return 0;
    }
    m_nCharWidth = QFontMetrics(m_tree.font()).averageCharWidth();
    m_nLinesPerPage =
        LinesPerPage(printer.height(), printer.logicalDpiY(), m_tree.logicalDpiY(), m_nItemHeight);
    m_nPageCount = PageCount(m_nRowCount, m_nLinesPerPage);
    if (qint64(m_rcTree.width()) * m_rcTree.height() <= kMaxClipboardPixels) {
        m_imgScreen = QImage(m_rcTree.size(), QImage::Format_RGB32);
        m_imgScreen.fill(
            m_pRows->viewport()->palette().color(m_pRows->viewport()->backgroundRole()));
        m_pRows->render(&m_imgScreen);
        QGuiApplication::clipboard()->setImage(m_imgScreen);
    }
    // The clipboard keeps the view's colours; the pages are drawn for paper from here on.
    m_pRows->setPalette(PaperPalette(m_pRows->palette()));
    return m_nPageCount;
}

bool CTreePrinter::LayOutRows() {
    m_pRows.reset();
    m_rcTree = QRect();
    m_nRowCount = 0;
    m_nItemHeight = 0;
    const QAbstractItemModel* pModel = m_tree.model();
    if (pModel == nullptr) {
        return false;
    }
    const QModelIndex first = pModel->index(0, 0, m_tree.rootIndex());
    if (!first.isValid()) {
        return false;
    }

    std::unique_ptr<CPrintedTree> pRows = CopyOfTree(m_tree);
    // Only rows the user can reach by scrolling count; a branch expanded inside a collapsed
    // one stays hidden, as on screen.
    for (QModelIndex index = first; index.isValid(); index = m_tree.indexBelow(index)) {
        ++m_nRowCount;
        if (m_tree.isExpanded(index)) {
            pRows->expand(index);
        }
    }
    m_nItemHeight = pRows->visualRect(first).height();
    if (m_nItemHeight <= 0 || qint64(m_nRowCount) * m_nItemHeight > QWIDGETSIZE_MAX) {
        return false;
    }
    m_rcTree = QRect(0, 0, std::max(1, FitColumns(*pRows)), m_nRowCount * m_nItemHeight);
    pRows->resize(m_rcTree.size());
    m_pRows = std::move(pRows);
    return true;
}

void CTreePrinter::PrintPage(QPainter& painter, const QPrinter& printer, int nPage) const {
    if (!m_pRows || nPage < 1 || nPage > m_nPageCount) {
        return;
    }
    const int nScreenDpiX = m_tree.logicalDpiX();
    const QSize page =
        LogicalPageSize(QSize(printer.width(), printer.height()), printer.logicalDpiX(),
                        printer.logicalDpiY(), nScreenDpiX, m_tree.logicalDpiY());
    const qreal dScale = qreal(printer.logicalDpiX()) / nScreenDpiX;

    painter.save();
    painter.scale(dScale, dScale);
    QFont font = m_tree.font();
    font.setPixelSize(std::max(1, m_nItemHeight - 1));
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(TitleBand(page, m_nCharWidth, m_nItemHeight),
                     Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, TitleText(m_strTitle));
    painter.drawText(
        PageBand(page, m_nCharWidth, m_nItemHeight), Qt::AlignCenter | Qt::TextSingleLine,
        QCoreApplication::translate("CTreePrinter", "Page %1/%2").arg(nPage).arg(m_nPageCount));
    // The slice's top row lands 4 character widths from the left and 4 rows from the top. The
    // viewport's background is not drawn, so the window colour is the paper's white.
    const QRect slice = PageSlice(m_rcTree, m_nItemHeight, m_nLinesPerPage, nPage, m_nPageCount);
    painter.translate(4 * m_nCharWidth, 4 * m_nItemHeight - slice.top());
    m_pRows->DrawRows(painter, slice);
    painter.restore();
}

bool CTreePrinter::Print(QPrinter& printer, Pages pages) {
    const int nPageCount = BeginPrinting(printer);
    int nFirst = 1;
    int nLast = nPageCount;
    if (pages == Pages::PrinterRange && printer.printRange() == QPrinter::PageRange) {
        nFirst = std::max(nFirst, printer.fromPage());
        if (printer.toPage() > 0) {
            nLast = std::min(nLast, printer.toPage());
        }
    }
    if (nFirst > nLast) {
        return false;
    }
    QPainter painter;
    if (!painter.begin(&printer)) {
        return false;
    }
    for (int nPage = nFirst; nPage <= nLast; ++nPage) {
        if (nPage > nFirst && !printer.newPage()) {
            return false;
        }
        PrintPage(painter, printer, nPage);
    }
    return painter.end();
}

int CTreePrinter::LinesPerPage(int nPrintableHeight, int nPrinterDpiY, int nScreenDpiY,
                               int nItemHeight) {
    const double dRatio = double(nPrinterDpiY) / nScreenDpiY;
    const int nLogicalHeight = int(nPrintableHeight / dRatio);
    return std::max(1, nLogicalHeight / nItemHeight - kMarginRows);
}

int CTreePrinter::PageCount(int nRows, int nLinesPerPage) {
    if (nRows <= 0) {
        return 0;
    }
    return (nRows - 1) / nLinesPerPage + 1;
}

QRect CTreePrinter::PageSlice(const QRect& rcTree, int nItemHeight, int nLinesPerPage, int nPage,
                              int nPageCount) {
    const int nTop = (nPage - 1) * nLinesPerPage * nItemHeight;
    const int nHeight = nPage == nPageCount ? rcTree.height() - nTop : nLinesPerPage * nItemHeight;
    return QRect(rcTree.left(), rcTree.top() + nTop, rcTree.width(), nHeight);
}

QSize CTreePrinter::LogicalPageSize(const QSize& printablePixels, int nPrinterDpiX,
                                    int nPrinterDpiY, int nScreenDpiX, int nScreenDpiY) {
    const auto Scale = [](int nPixels, int nScreenDpi, int nPrinterDpi) {
        return int(double(qint64(nScreenDpi) * nPixels) / nPrinterDpi);
    };
    return QSize(Scale(printablePixels.width(), nScreenDpiX, nPrinterDpiX),
                 Scale(printablePixels.height(), nScreenDpiY, nPrinterDpiY));
}

QRect CTreePrinter::TitleBand(const QSize& page, int nCharWidth, int nItemHeight) {
    return QRect(4 * nCharWidth, 2 * nItemHeight, page.width() - 8 * nCharWidth, nItemHeight);
}

QRect CTreePrinter::PageBand(const QSize& page, int nCharWidth, int nItemHeight) {
    return QRect(4 * nCharWidth, page.height() - 3 * nItemHeight, page.width() - 8 * nCharWidth,
                 nItemHeight);
}

bool PrintTreeWithDialog(const QTreeView& tree, const QString& strTitle, QPrinter& printer,
                         QWidget* pParent) {
    return RunPrintDialog(printer, pParent, [&](QPrinter& target) {
        return CTreePrinter(tree, strTitle).Print(target, CTreePrinter::Pages::PrinterRange);
    });
}

void PreviewTree(const QTreeView& tree, const QString& strTitle, QPrinter& printer,
                 QWidget* pParent) {
    RunPreview(printer, pParent, [&](QPrinter& target) {
        return CTreePrinter(tree, strTitle).Print(target, CTreePrinter::Pages::All);
    });
}

bool PrintTree(const QTreeView& tree, const QString& strTitle, QPrinter& printer) {
    return CTreePrinter(tree, strTitle).Print(printer, CTreePrinter::Pages::All);
}

bool PrintBlankPageWithDialog(QPrinter& printer, QWidget* pParent) {
    return RunPrintDialog(printer, pParent, PrintBlankPage);
}

void PreviewBlankPage(QPrinter& printer, QWidget* pParent) {
    RunPreview(printer, pParent, PrintBlankPage);
}

bool PrintBlankPage(QPrinter& printer) {
    // Opening and closing the painter is a job of one empty page.
    QPainter painter;
    return painter.begin(&printer) && painter.end();
}
