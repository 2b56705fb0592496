#pragma once

#include <QCoreApplication>
#include <QString>
#include <functional>
#include <memory>

class CDocument;

// The one document type: its strings and how to make a document and a window for it. "Quilmr"
// and "Quilma Files" read like typos of the program's name, but they are the names the file
// type was registered under and that existing files and desktops know it by: they stay.
struct CDocTemplate {
    QString strDocName = "Quilmr"; // new documents are Quilmr1, Quilmr2, ...
    QString strFileNewName = "Quillmar";
    QString strFilterName = QCoreApplication::translate("CDocTemplate", "Quilma Files (*.bod)");
    QString strFilterExt = ".bod";
    QString strRegFileTypeId = "Quillmar.Document";
    QString strRegFileTypeName = "Quilmr Document";

    std::function<std::unique_ptr<CDocument>()> createDocument;
    // Makes a window with its views for the document and runs their initial update; false when
    // the window could not be made.
    std::function<bool(CDocument*)> createFrame;
};
