#include "views/PrintCommands.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QTreeView>
#include <climits>
#include <functional>

namespace {

// A whole job of the tree's rows: every page, or those of the page range a print dialog left.
bool PrintRows(const QTreeView& tree, const QString& strTitle, QPrinter& printer,
               bool bPrinterRange) {
    CTreePrinter treePrinter(*tree.model(), TreeLookOf(tree), strTitle);
    int nFirst = 1;
    int nLast = INT_MAX;
    if (bPrinterRange && printer.printRange() == QPrinter::PageRange) {
        nFirst = printer.fromPage();
        if (printer.toPage() > 0) {
            nLast = printer.toPage();
        }
    }
    const bool bPrinted = treePrinter.Print(printer, nFirst, nLast);
    if (!treePrinter.Picture().isNull()) {
        QGuiApplication::clipboard()->setImage(treePrinter.Picture());
    }
    return bPrinted;
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

CTreeLook TreeLookOf(const QTreeView& tree) {
    CTreeLook look;
    look.font = tree.font();
    look.palette = tree.palette();
    look.iconSize = tree.iconSize();
    look.nIndentation = tree.indentation();
    look.nScreenDpiX = tree.logicalDpiX();
    look.nScreenDpiY = tree.logicalDpiY();
    const int nRowHeight = tree.visualRect(tree.model()->index(0, 0, tree.rootIndex())).height();
    look.nRowHeight = nRowHeight > 0 ? nRowHeight : CTreeLook::Default().nRowHeight;
    look.isExpanded = [&tree](const QModelIndex& index) {
        return tree.isExpanded(index);
    };
    if (const QItemSelectionModel* pSelection = tree.selectionModel();
        pSelection != nullptr && pSelection->isSelected(tree.currentIndex())) {
        look.selected = tree.currentIndex();
    }
    return look;
}

bool PrintTreeWithDialog(const QTreeView& tree, const QString& strTitle, QPrinter& printer,
                         QWidget* pParent) {
    return RunPrintDialog(printer, pParent,
                          [&](QPrinter& target) { return PrintTree(tree, strTitle, target); });
}

void PreviewTree(const QTreeView& tree, const QString& strTitle, QPrinter& printer,
                 QWidget* pParent) {
    RunPreview(printer, pParent,
               [&](QPrinter& target) { return PrintRows(tree, strTitle, target, false); });
}

bool PrintTree(const QTreeView& tree, const QString& strTitle, QPrinter& printer) {
    return PrintRows(tree, strTitle, printer, true);
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
