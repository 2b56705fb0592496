#pragma once

#include <QFont>
#include <QImage>
#include <QPalette>
#include <QPersistentModelIndex>
#include <QRect>
#include <QSize>
#include <QString>
#include <climits>
#include <functional>
#include <vector>

class QAbstractItemModel;
class QPagedPaintDevice;
class QPaintDevice;
class QPainter;

// How the printed rows look: what the tree on screen shows them with. The windows take it from
// their tree; bodtool, which has none, from Default(), which is what a tree of the application's
// font and palette shows.
struct CTreeLook {
    QFont font;
    QPalette palette;
    QSize iconSize{16, 16};
    int nIndentation = 20;
    // One row's height in screen pixels; 0 for the height a tree view gives the top row: its
    // label's or its icon's, whichever is taller, and a pixel above and below.
    int nRowHeight = 0;
    int nScreenDpiX = 96;
    int nScreenDpiY = 96;
    // Rows whose children show; null shows only the top row's.
    std::function<bool(const QModelIndex&)> isExpanded;
    // The row drawn with the selection's highlight.
    QPersistentModelIndex selected;

    // The application's font and palette on the primary screen.
    static CTreeLook Default();
};

// Prints an item model's rows as a tree shows them: every row whose parents are all expanded, one
// below the other, indented by depth, with the branch's arrow, the icon and the label. The rows
// are laid out once per job, and every page draws a horizontal slice of them, under a title band
// and above a page-number band. It paints on any paged device: the windows' printer and
// bodtool's PDF writer get the same pages.
//
// Page geometry is in logical units of one screen pixel; the painter scales them to device
// pixels by the same factor in both directions.
class CTreePrinter {
public:
    // strTitle: the document's title as its window caption shows it. model must outlive the
    // printer.
    CTreePrinter(const QAbstractItemModel& model, CTreeLook look, QString strTitle);

    // Lays out the rows, paints their picture in the screen's colours and divides them into the
    // device's pages. Returns the page count; 0 when the model has no rows or more than a picture
    // can hold (nothing to print).
    int BeginPrinting(const QPaintDevice& device);
    // Draws page nPage (1-based) of the job begun last; painter is active on device and
    // untransformed. Draws nothing outside the job's pages.
    void PrintPage(QPainter& painter, const QPaintDevice& device, int nPage) const;
    // A whole job: begin, then pages nFirst to nLast of them. False when there was nothing to
    // print in that range or the device could not be painted on.
    bool Print(QPagedPaintDevice& device, int nFirst = 1, int nLast = INT_MAX);

    const QRect& TreeRect() const { return m_rcTree; }
    int ItemHeight() const { return m_nItemHeight; }
    int LinesPerPage() const { return m_nLinesPerPage; }
    int PageCount() const { return m_nPageCount; }
    int RowCount() const { return static_cast<int>(m_rows.size()); }
    // Every row in the screen's colours, as the windows put it on the clipboard; null when it is
    // larger than kMaxPicturePixels (the pages still print).
    const QImage& Picture() const { return m_imgPicture; }

    // Larger pictures are not made: 256 MB of pixels.
    static constexpr qint64 kMaxPicturePixels = qint64(1) << 26;

    // The page arithmetic, kept pure so it can be checked on its own.

    // Tree rows per page; never less than 1, so a page too short for the margins still
    // makes progress. nItemHeight and the resolutions must be positive.
    static int LinesPerPage(int nPrintableHeight, int nPrinterDpiY, int nScreenDpiY,
                            int nItemHeight);
    // Pages needed for nRows rows; 0 for no rows.
    static int PageCount(int nRows, int nLinesPerPage);
    // The part of the picture (extent rcTree) that page nPage of nPageCount shows: full
    // pages hold nLinesPerPage rows, the last one the rest.
    static QRect PageSlice(const QRect& rcTree, int nItemHeight, int nLinesPerPage, int nPage,
                           int nPageCount);
    // The printable area in logical units (screen pixels), truncated.
    static QSize LogicalPageSize(const QSize& printablePixels, int nPrinterDpiX, int nPrinterDpiY,
                                 int nScreenDpiX, int nScreenDpiY);
    // The title band: rows 2 to 3 between margins of 4 character widths.
    static QRect TitleBand(const QSize& page, int nCharWidth, int nItemHeight);
    // The page-number band: 3 to 2 rows above the bottom, between the same margins.
    static QRect PageBand(const QSize& page, int nCharWidth, int nItemHeight);

private:
    struct CRow {
        QModelIndex index;
        int nDepth = 0;
        bool bHasChildren = false;
        bool bExpanded = false;
    };

    // Every row the tree shows, in order; false when there are none.
    bool LayOutRows();
    // Draws the rows that meet the band rcBand of the picture, with palette's colours, at the
    // painter's origin for the picture's top left.
    void DrawRows(QPainter& painter, const QRect& rcBand, const QPalette& palette) const;
    // Where a row's label starts, counted from the row's left edge.
    int LabelOffset(int nDepth) const;

    const QAbstractItemModel& m_model;
    CTreeLook m_look;
    QString m_strTitle;
    // The look's font in screen pixels.
    QFont m_rowFont;
    std::vector<CRow> m_rows;
    QRect m_rcTree;
    int m_nItemHeight = 0;
    int m_nCharWidth = 0;
    int m_nLinesPerPage = 0;
    int m_nPageCount = 0;
    QImage m_imgPicture;
};
