#include "document/QuillmarDoc.h"
#include "framework/Resources.h"
#include "model/Archive.h"
#include "model/BodFile.h"
#include "views/LeftView.h"
#include "views/PrintCommands.h"

#include <QPrinter>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

// A document whose fully expanded tree has 1,000 rows: the root, six branch rows and 993
// deeds, each with its image.
void FillDocument(CQuillmarDoc& doc) {
    CBodArray deeds;
    for (int i = 0; i < 993; ++i) {
        auto pBod = std::make_unique<CBodItem>();
        pBod->m_strTrade = "Smithy";
        pBod->m_strCategory = "Platemail";
        pBod->m_strMaterial = "iron";
        pBod->m_strQuality = "Exceptional";
        pBod->m_strAmount = "20";
        pBod->m_strItem = "platemail gorget";
        pBod->m_strCount = std::to_string(i % 21) + "/20";
        deeds.push_back(std::move(pBod));
    }
    const std::string bytes = BodFile::Write(deeds, 0, 0);
    CArchive ar = CArchive::ForLoading(bytes);
    doc.Serialize(ar);
}

void BM_PrintThousandRowsToPdf(benchmark::State& state) {
    InitQuillmarResources();
    CQuillmarDoc doc;
    FillDocument(doc);
    CLeftView view;
    doc.AddView(&view);
    view.OnInitialUpdate();
    view.expandAll();

    QTemporaryDir dir;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setOutputFileName(dir.filePath("tree.pdf"));
    for (auto _ : state) {
        if (!PrintTree(view, "bench.bod", printer)) {
            state.SkipWithError("printing failed");
            break;
        }
    }
    CTreePrinter printerCheck(*view.model(), TreeLookOf(view), "bench.bod");
    printerCheck.BeginPrinting(printer);
    state.counters["rows"] = printerCheck.RowCount();
    state.counters["pages"] = printerCheck.PageCount();
}
BENCHMARK(BM_PrintThousandRowsToPdf)->Unit(benchmark::kMillisecond);

} // namespace
