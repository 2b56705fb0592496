#include "document/QuillmarDoc.h"
#include "model/Archive.h"
#include "model/BodFile.h"
#include "views/DeedSelection.h"
#include "views/QuillmarView.h"

#include <QApplication>
#include <benchmark/benchmark.h>
#include <memory>
#include <string>

namespace {

std::unique_ptr<CBodItem> MakeDeed(const std::string& strItem, const std::string& strAmount) {
    auto pBod = std::make_unique<CBodItem>();
    pBod->m_strTrade = "Smithy";
    pBod->m_strCategory = "Platemail";
    pBod->m_strMaterial = "valorite";
    pBod->m_strQuality = "Exceptional";
    pBod->m_strItem = strItem;
    pBod->m_strAmount = strAmount;
    pBod->m_strCount = "3/" + strAmount;
    pBod->m_strPrice = "25000";
    pBod->m_strNotes = "bought at the bank\r\nneeds a hammer";
    return pBod;
}

// A selection change: the form refills from the selected deed. Two deeds of the same kind take
// turns so that every fill changes what the controls show.
void FillForm(benchmark::State& state, const std::string& strItemA, const std::string& strItemB,
              bool bPaint) {
    CBodArray deeds;
    deeds.push_back(MakeDeed(strItemA, "20"));
    deeds.push_back(MakeDeed(strItemB, "15"));
    for (const std::unique_ptr<CBodItem>& pBod : deeds) {
        pBod->BuildPartsIfNeeded();
    }
    // The document holds both, as read from a file.
    CQuillmarDoc doc;
    const std::string bytes = BodFile::Write(deeds, 0, 0);
    CArchive ar = CArchive::ForLoading(bytes);
    doc.Serialize(ar);
    CDeedSelection selection;
    CQuillmarView view;
    doc.AddView(&view);
    view.SetSelection(selection);
    view.resize(480, 420);
    view.show();
    QApplication::processEvents();

    bool bFirst = true;
    for (auto _ : state) {
        selection.Set(doc.GetBods()[bFirst ? 0 : 1]);
        bFirst = !bFirst;
        if (bPaint) {
            view.repaint();
        }
    }
}

void BM_FillSmallDeed(benchmark::State& state) {
    FillForm(state, "platemail gloves", "platemail gorget", false);
}
void BM_FillLargeDeed(benchmark::State& state) {
    FillForm(state, "LBOD/platemail", "LBOD/ringmail", false);
}
// The fill and the repaint that the user waits for.
void BM_FillAndPaintLargeDeed(benchmark::State& state) {
    FillForm(state, "LBOD/platemail", "LBOD/ringmail", true);
}

} // namespace

BENCHMARK(BM_FillSmallDeed)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FillLargeDeed)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FillAndPaintLargeDeed)->Unit(benchmark::kMicrosecond);
