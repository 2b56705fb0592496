#include "hierarchy/TreePrinter.h"

#include <QAbstractItemModel>
#include <QCoreApplication>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QIcon>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>
#include <algorithm>
#include <cmath>
#include <utility>

namespace {

// The rows above the tree (two empty, the title, one empty) and below it (one empty, the
// page number, two empty).
constexpr int kMarginRows = 8;
// The room a tree view leaves before an icon, between icon and label, and after the label.
constexpr int kItemMargin = 3;
// The branch arrow's size within its indentation.
constexpr int kArrowSize = 8;
// The tallest tree laid out, in pixels: what a window could still hold.
constexpr qint64 kMaxTreeHeight = (1 << 24) - 1;

QString TitleText(const QString& strTitle) {
    return QCoreApplication::translate("CTreePrinter", "%1 BOD hierarchy").arg(strTitle);
}

// Paper stays white whatever the desktop, so a dark scheme's light text would vanish on it:
// such a scheme prints its text black. Selected rows keep their highlight and its text colour.
QPalette PaperPalette(QPalette palette) {
    if (palette.color(QPalette::Text).lightness() > palette.color(QPalette::Base).lightness()) {
        palette.setColor(QPalette::Text, Qt::black);
    }
    return palette;
}

// The arrow before a row with children: pointing down when they show, right when they do not.
void DrawArrow(QPainter& painter, const QRect& rcCell, bool bExpanded, const QColor& colour) {
    const QPointF centre = QRectF(rcCell).center();
    const qreal dHalf = kArrowSize / 2.0;
    QPainterPath arrow;
    if (bExpanded) {
        arrow.moveTo(centre.x() - dHalf, centre.y() - dHalf / 2);
        arrow.lineTo(centre.x() + dHalf, centre.y() - dHalf / 2);
        arrow.lineTo(centre.x(), centre.y() + dHalf / 2);
    } else {
        arrow.moveTo(centre.x() - dHalf / 2, centre.y() - dHalf);
        arrow.lineTo(centre.x() + dHalf / 2, centre.y());
        arrow.lineTo(centre.x() - dHalf / 2, centre.y() + dHalf);
    }
    arrow.closeSubpath();
    painter.fillPath(arrow, colour);
}

} // namespace

CTreeLook CTreeLook::Default() {
    CTreeLook look;
    look.font = QGuiApplication::font();
    look.palette = QGuiApplication::palette();
    if (const QScreen* pScreen = QGuiApplication::primaryScreen()) {
        look.nScreenDpiX = qRound(pScreen->logicalDotsPerInchX());
        look.nScreenDpiY = qRound(pScreen->logicalDotsPerInchY());
    }
    return look;
}

CTreePrinter::CTreePrinter(const QAbstractItemModel& model, CTreeLook look, QString strTitle)
    : m_model(model), m_look(std::move(look)), m_strTitle(std::move(strTitle)),
      m_rowFont(m_look.font) {
    // Sized in screen pixels, so that the painter's scale alone takes it to the device: a size in
    // points would be converted at the device's resolution, and scaled once more.
    if (m_rowFont.pixelSize() <= 0) {
        m_rowFont.setPixelSize(
            std::max(1, qRound(m_rowFont.pointSizeF() * m_look.nScreenDpiY / 72.0)));
    }
}

int CTreePrinter::BeginPrinting(const QPaintDevice& device) {
    m_nLinesPerPage = 0;
    m_nPageCount = 0;
    m_imgPicture = QImage();
    if (!LayOutRows()) {
        return 0;
    }
    m_nCharWidth = QFontMetrics(m_rowFont).averageCharWidth();
    m_nLinesPerPage =
        LinesPerPage(device.height(), device.logicalDpiY(), m_look.nScreenDpiY, ItemHeight());
    m_nPageCount = PageCount(RowCount(), m_nLinesPerPage);
    if (qint64(m_rcTree.width()) * m_rcTree.height() <= kMaxPicturePixels) {
        m_imgPicture = QImage(m_rcTree.size(), QImage::Format_RGB32);
        m_imgPicture.fill(m_look.palette.color(QPalette::Base));
        QPainter painter(&m_imgPicture);
        DrawRows(painter, m_rcTree, m_look.palette);
    }
    return m_nPageCount;
}

bool CTreePrinter::LayOutRows() {
    m_rows.clear();
    m_rcTree = QRect();
    m_nItemHeight = m_look.nRowHeight;
    if (m_nItemHeight <= 0) {
        const QSize icon =
            m_model.index(0, 0).data(Qt::DecorationRole).value<QIcon>().actualSize(m_look.iconSize);
        const int nTextHeight = static_cast<int>(std::ceil(QFontMetricsF(m_rowFont).height()));
        m_nItemHeight = std::max(nTextHeight, icon.height()) + 2;
    }
    const QFontMetrics metrics(m_rowFont);
    int nWidth = 1;
    // Depth first, into the children of expanded rows only: what the user reaches by scrolling.
    std::vector<std::pair<QModelIndex, int>> pending;
    for (int nRow = m_model.rowCount() - 1; nRow >= 0; --nRow) {
        pending.emplace_back(m_model.index(nRow, 0), 0);
    }
    while (!pending.empty()) {
        const auto [index, nDepth] = pending.back();
        pending.pop_back();
        CRow& row = m_rows.emplace_back();
        row.index = index;
        row.nDepth = nDepth;
        row.bHasChildren = m_model.hasChildren(index);
        row.bExpanded = row.bHasChildren && m_look.isExpanded && m_look.isExpanded(index);
        nWidth =
            std::max(nWidth, LabelOffset(nDepth) +
                                 metrics.horizontalAdvance(index.data().toString()) + kItemMargin);
        if (row.bExpanded) {
            for (int nRow = m_model.rowCount(index) - 1; nRow >= 0; --nRow) {
                pending.emplace_back(m_model.index(nRow, 0, index), nDepth + 1);
            }
        }
    }
    if (m_rows.empty() || qint64(RowCount()) * ItemHeight() > kMaxTreeHeight) {
        m_rows.clear();
        return false;
    }
    m_rcTree = QRect(0, 0, nWidth, RowCount() * ItemHeight());
    return true;
}

int CTreePrinter::LabelOffset(int nDepth) const {
    // The top rows have their arrow's room too, as in a tree that decorates its root.
    return (nDepth + 1) * m_look.nIndentation + kItemMargin + m_look.iconSize.width() +
           2 * kItemMargin;
}

void CTreePrinter::DrawRows(QPainter& painter, const QRect& rcBand, const QPalette& palette) const {
    const int nItemHeight = ItemHeight();
    const int nFirst = std::max(0, rcBand.top() / nItemHeight);
    const int nLast = std::min(RowCount() - 1, rcBand.bottom() / nItemHeight);
    painter.save();
    painter.setFont(m_rowFont);
    painter.setRenderHint(QPainter::Antialiasing);
    for (int nRow = nFirst; nRow <= nLast; ++nRow) {
        const CRow& row = m_rows[static_cast<std::size_t>(nRow)];
        const int nTop = nRow * nItemHeight;
        const int nItemLeft = (row.nDepth + 1) * m_look.nIndentation;
        const bool bSelected = m_look.selected == row.index;
        if (row.bHasChildren) {
            DrawArrow(
                painter,
                QRect(nItemLeft - m_look.nIndentation, nTop, m_look.nIndentation, nItemHeight),
                row.bExpanded, palette.color(QPalette::Text));
        }
        if (bSelected) {
            painter.fillRect(QRect(nItemLeft, nTop, m_rcTree.width() - nItemLeft, nItemHeight),
                             palette.color(QPalette::Highlight));
        }
        const QSize icon = m_look.iconSize;
        row.index.data(Qt::DecorationRole)
            .value<QIcon>()
            .paint(&painter,
                   QRect(QPoint(nItemLeft + kItemMargin, nTop + (nItemHeight - icon.height()) / 2),
                         icon));
        const int nLabelLeft = LabelOffset(row.nDepth);
        painter.setPen(palette.color(bSelected ? QPalette::HighlightedText : QPalette::Text));
        painter.drawText(QRect(nLabelLeft, nTop, m_rcTree.width() - nLabelLeft, nItemHeight),
                         Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                         row.index.data().toString());
    }
    painter.restore();
}

void CTreePrinter::PrintPage(QPainter& painter, const QPaintDevice& device, int nPage) const {
    if (m_rows.empty() || nPage < 1 || nPage > m_nPageCount) {
        return;
    }
    const int nItemHeight = ItemHeight();
    const QSize page =
        LogicalPageSize(QSize(device.width(), device.height()), device.logicalDpiX(),
                        device.logicalDpiY(), m_look.nScreenDpiX, m_look.nScreenDpiY);
    const qreal dScale = qreal(device.logicalDpiX()) / m_look.nScreenDpiX;

    painter.save();
    painter.scale(dScale, dScale);
    QFont font = m_rowFont;
    font.setPixelSize(std::max(1, nItemHeight - 1));
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(TitleBand(page, m_nCharWidth, nItemHeight),
                     Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, TitleText(m_strTitle));
    painter.drawText(
        PageBand(page, m_nCharWidth, nItemHeight), Qt::AlignCenter | Qt::TextSingleLine,
        QCoreApplication::translate("CTreePrinter", "Page %1/%2").arg(nPage).arg(m_nPageCount));
    // The slice's top row lands 4 character widths from the left and 4 rows from the top, on
    // the paper's white.
    const QRect slice = PageSlice(m_rcTree, nItemHeight, m_nLinesPerPage, nPage, m_nPageCount);
    painter.translate(4 * m_nCharWidth, 4 * nItemHeight - slice.top());
    painter.setClipRect(slice);
    DrawRows(painter, slice, PaperPalette(m_look.palette));
    painter.restore();
}

bool CTreePrinter::Print(QPagedPaintDevice& device, int nFirst, int nLast) {
    const int nPageCount = BeginPrinting(device);
    nFirst = std::max(nFirst, 1);
    nLast = std::min(nLast, nPageCount);
    if (nFirst > nLast) {
        return false;
    }
    QPainter painter;
    if (!painter.begin(&device)) {
        return false;
    }
    for (int nPage = nFirst; nPage <= nLast; ++nPage) {
        if (nPage > nFirst && !device.newPage()) {
            return false;
        }
        PrintPage(painter, device, nPage);
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
