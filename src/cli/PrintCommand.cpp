#include "cli/PrintCommand.h"

#include "cli/CommandArgs.h"
#include "cli/CommandFiles.h"
#include "framework/CollatorTextOrder.h"
#include "framework/SafeWrite.h"
#include "hierarchy/BodTreeModel.h"
#include "hierarchy/TreePrinter.h"

#include <QFileInfo>
#include <QPdfWriter>
#include <QTemporaryFile>
#include <filesystem>
#include <system_error>

namespace {

// Another spelling, a symbolic or a hard link of the document is still the document.
bool IsSameFile(const NativeFile::Name& first, const NativeFile::Name& second) {
    std::error_code error;
    return std::filesystem::equivalent(first, second, error);
}

// The PDF writer writes its file without telling of a failed write, so the PDF is made aside and
// only a complete one (it ends with its end-of-file marker) is put in place.
QByteArray CompletePdf(QFile& file) {
    file.seek(0);
    const QByteArray pdf = file.readAll();
    return pdf.trimmed().endsWith("%%EOF") ? pdf : QByteArray();
}

// The printer does not say why its file stayed short; one byte more makes the disk say it (a
// full temporary folder, a size limit).
std::string WhyCut(QFile& file) {
    if (file.seek(file.size()) && file.write("\n", 1) == 1 && file.flush()) {
        return {};
    }
    return ": " + file.errorString().toStdString();
}

} // namespace

int RunPrintCommand(const std::vector<std::string>& args) {
    const CCommandArgs commandArgs(args, {"--expand"});
    const std::vector<std::string>& paths = commandArgs.Positionals(2, 2);
    const std::string strExpand = commandArgs.Value("--expand").value_or("all");
    if (strExpand != "all" && strExpand != "root") {
        throw CUsageError("--expand takes all or root, not " + strExpand);
    }
    const NativeFile::Name input = NativeFile::FromArgument(paths[0]);
    const NativeFile::Name output = NativeFile::FromArgument(paths[1]);
    if (IsSameFile(input, output)) {
        throw CUsageError("the PDF would replace the document " + paths[0]);
    }
    BodFile::Contents contents = LoadBodDocument(paths[0]);
    QTemporaryFile pdfFile;
    if (!pdfFile.open()) {
        throw CDocumentError(pdfFile.fileName().toStdString() + ": " +
                             pdfFile.errorString().toStdString());
    }

    // The tree of a freshly opened document: the hierarchy of the full list, in the locale's
    // order, its root open, and every branch too unless the user asked for the root alone.
    const CCollatorTextOrder order;
    CBodTreeModel model(order);
    model.Hierarchy().Rebuild(contents.bods, false);
    CTreeLook look = CTreeLook::Default();
    if (strExpand == "all") {
        look.isExpanded = [](const QModelIndex&) {
            return true;
        };
    } else {
        look.isExpanded = [](const QModelIndex& index) {
            return !index.parent().isValid();
        };
    }

    // The pages of File > Print on its default printer: A4 at 1200 dpi with margins of 10 points.
    QPdfWriter writer(pdfFile.fileName());
    writer.setResolution(1200);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageMargins(QMarginsF(10, 10, 10, 10), QPageLayout::Point);
    // The caption's title: the file name.
    const QString strTitle = QFileInfo(NativeFile::ToDisplay(input)).fileName();
    if (!CTreePrinter(model, look, strTitle).Print(writer)) {
        throw CDocumentError(paths[1] + ": the hierarchy could not be printed");
    }
    const QByteArray pdf = CompletePdf(pdfFile);
    if (pdf.isEmpty()) {
        throw CDocumentError(paths[1] + ": the PDF could not be written in full to " +
                             pdfFile.fileName().toStdString() + WhyCut(pdfFile));
    }
    if (const QString strReason = SafeWrite::WriteFile(output, pdf); !strReason.isEmpty()) {
        throw CDocumentError(paths[1] + ": " + strReason.toStdString());
    }
    return 0;
}
