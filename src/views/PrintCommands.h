#pragma once

#include "hierarchy/TreePrinter.h"

class QPrinter;
class QTreeView;
class QWidget;

// The print commands of a document window. printer is the application's printer, so the
// choices of Print Setup and of earlier print dialogs carry over. Every print or preview of the
// tree also puts the picture of its rows on the clipboard.

// What tree shows its rows with: its font, colours, sizes, expanded branches and selection.
CTreeLook TreeLookOf(const QTreeView& tree);

// Print (Ctrl+P) with the tree pane active: the print dialog, then the pages the user chose.
// False when the user cancels or nothing was printed.
bool PrintTreeWithDialog(const QTreeView& tree, const QString& strTitle, QPrinter& printer,
                         QWidget* pParent);
// Print Preview with the tree pane active; returns when the user closes the preview.
void PreviewTree(const QTreeView& tree, const QString& strTitle, QPrinter& printer,
                 QWidget* pParent);
// Printing as printer is set up: every page, or those of the page range a print dialog left on
// it. The print switch's printer has none.
bool PrintTree(const QTreeView& tree, const QString& strTitle, QPrinter& printer);

// The same three with the detail form active: the form prints one blank page.
bool PrintBlankPageWithDialog(QPrinter& printer, QWidget* pParent);
void PreviewBlankPage(QPrinter& printer, QWidget* pParent);
bool PrintBlankPage(QPrinter& printer);
