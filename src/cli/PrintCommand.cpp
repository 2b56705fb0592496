#include "cli/PrintCommand.h"

#include "cli/CommandArgs.h"
#include "cli/CommandFiles.h"
#include "document/QuillmarDoc.h"
#include "framework/Resources.h"
#include "views/LeftView.h"
#include "views/TreePrinter.h"

#include <QFile>
#include <QPrinter>

namespace {

// Why strPath cannot be written, or empty when it can. A file that did not exist is not left
// behind by the check.
QString WriteProblem(const QString& strPath) {
    QFile file(strPath);
    const bool bExisted = file.exists();
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append)) {
        return file.errorString();
    }
    file.close();
    if (!bExisted) {
        file.remove();
    }
    return {};
}

// The PDF engine does not report a write that the disk cut short; a whole PDF ends in "%%EOF".
bool IsWholePdf(const QString& strPath) {
    QFile file(strPath);
    if (!file.open(QIODevice::ReadOnly) || file.size() < 6 || !file.seek(file.size() - 6)) {
        return false;
    }
    return file.read(6).trimmed().endsWith("%%EOF");
}

} // namespace

int RunPrintCommand(const std::vector<std::string>& args) {
    const CCommandArgs commandArgs(args, {"--expand"});
    const std::vector<std::string>& paths = commandArgs.Positionals(2, 2);
    const std::string strExpand = commandArgs.Value("--expand").value_or("all");
    if (strExpand != "all" && strExpand != "root") {
        throw CUsageError("--expand takes all or root, not " + strExpand);
    }
    BodFile::Contents contents = LoadBodDocument(paths[0]);
    const QString strOutput = QString::fromStdString(paths[1]);
    if (const QString strProblem = WriteProblem(strOutput); !strProblem.isEmpty()) {
        throw CDocumentError(paths[1] + ": " + strProblem.toStdString());
    }

    InitQuillmarResources();
    CQuillmarDoc doc;
    doc.m_arrBods = std::move(contents.bods);
    doc.m_nReserved1 = contents.nReserved1;
    doc.m_nReserved2 = contents.nReserved2;
    // The caption's title: the file name.
    doc.SetPathName(QString::fromStdString(paths[0]), false);
    CLeftView view;
    doc.AddView(&view);
    view.OnInitialUpdate();
    if (strExpand == "all") {
        view.expandAll();
    }

    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setOutputFileName(strOutput);
    if (!PrintTree(view, doc.GetTitle(), printer) || !IsWholePdf(strOutput)) {
        throw CDocumentError(paths[1] + ": the hierarchy could not be printed");
    }
    return 0;
}
