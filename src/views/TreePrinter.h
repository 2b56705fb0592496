#pragma once

#include <QImage>
#include <QRect>
#include <QString>
#include <memory>

class QPainter;
class QPrinter;
class QTreeView;
class QWidget;

// Prints the hierarchy as the user has expanded it: the visible rows are laid out once per job,
// and every page draws a horizontal slice of them, labels as text and images as images, under a
// title band and above a page-number band. Every job (print or preview) also puts a picture of
// all the rows on the clipboard.
//
// Page geometry is in logical units of one screen pixel; the painter scales them to printer
// pixels by the same factor in both directions.
class CTreePrinter {
public:
    // The copy of the tree that draws the rows; defined with the printer.
    class CPrintedTree;

    // strTitle: the document's title as its window caption shows it.
    CTreePrinter(const QTreeView& tree, QString strTitle);
    ~CTreePrinter();
    CTreePrinter(const CTreePrinter&) = delete;
    CTreePrinter& operator=(const CTreePrinter&) = delete;

    // Lays out the rows, puts their picture on the clipboard and divides them into the printer's
    // pages. Returns the page count; 0 when the tree shows no rows or more than one widget can
    // hold (nothing to print).
    int BeginPrinting(const QPrinter& printer);
    // Draws page nPage (1-based) of the job begun last; painter is active on the printer and
    // untransformed. Draws nothing outside the job's pages.
    void PrintPage(QPainter& painter, const QPrinter& printer, int nPage) const;
    // Which pages a whole job prints: every one (preview, printing without a dialog) or those of
    // the printer's page range, as a print dialog left it.
    enum class Pages { All, PrinterRange };
    // A whole job: begin, then the chosen pages. False when there was nothing to print or the
    // printer could not be opened.
    bool Print(QPrinter& printer, Pages pages);

    const QRect& TreeRect() const { return m_rcTree; }
    int ItemHeight() const { return m_nItemHeight; }
    int CharWidth() const { return m_nCharWidth; }
    int LinesPerPage() const { return m_nLinesPerPage; }
    int PageCount() const { return m_nPageCount; }
    int RowCount() const { return m_nRowCount; }
    // The whole picture in the view's colours, as it went on the clipboard; null when it is too
    // large for the clipboard (the pages still print).
    const QImage& ScreenPicture() const { return m_imgScreen; }

    // Larger pictures do not go on the clipboard: 256 MB of pixels.
    static constexpr qint64 kMaxClipboardPixels = qint64(1) << 26;

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
    // Lays out a copy of the tree that holds every visible row; false when there are none.
    bool LayOutRows();

    const QTreeView& m_tree;
    QString m_strTitle;
    // The copy of the tree that draws the rows, alive from the start of a job to its end.
    std::unique_ptr<CPrintedTree> m_pRows;
    QRect m_rcTree;
    int m_nCharWidth = 0;
    int m_nItemHeight = 0;
    int m_nLinesPerPage = 0;
    int m_nPageCount = 0;
    int m_nRowCount = 0;
    QImage m_imgScreen;
};

// The print commands of a document window. printer is the application's printer, so the
// choices of Print Setup and of earlier print dialogs carry over.

// Print (Ctrl+P) with the tree pane active: the print dialog, then the pages the user chose.
// False when the user cancels or nothing was printed.
bool PrintTreeWithDialog(const QTreeView& tree, const QString& strTitle, QPrinter& printer,
                         QWidget* pParent);
// Print Preview with the tree pane active; returns when the user closes the preview.
void PreviewTree(const QTreeView& tree, const QString& strTitle, QPrinter& printer,
                 QWidget* pParent);
// Printing without a dialog (the print switch, bodtool): every page to printer as it is set up.
bool PrintTree(const QTreeView& tree, const QString& strTitle, QPrinter& printer);

// The same three with the detail form active: the form prints one blank page.
bool PrintBlankPageWithDialog(QPrinter& printer, QWidget* pParent);
void PreviewBlankPage(QPrinter& printer, QWidget* pParent);
bool PrintBlankPage(QPrinter& printer);
