#include "framework/CollatorTextOrder.h"
#include "import/ImportSession.h"
#include "import/dialog/ImportDlg.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLocale>
#include <QPushButton>
#include <array>
#include <benchmark/benchmark.h>
#include <memory>
#include <string>

namespace {

constexpr int kLines = 10000;

// Small deeds of one armour set in every material, with numbers that make most lines distinct.
std::string MakePaste() {
    static constexpr std::array<const char*, 4> kMaterials = {"iron", "Shadow iron", "agapite",
                                                              "Valorite"};
    std::string text;
    for (int i = 0; i < kLines; ++i) {
        text += "small bulk order: " + std::to_string(10 + i % 11) +
                " platemail gloves: " + std::to_string(i % 7) + ", with " +
                kMaterials[i % kMaterials.size()] + " ingots " + std::to_string(i * 7919 % 10007) +
                "\r\n";
    }
    return text;
}

// The collator only sorts when the locale is not C; a benchmark machine often runs in C.
void UseEnglishLocale() {
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
}

void BM_PasteDeedLinesCollated(benchmark::State& state) {
    UseEnglishLocale();
    const std::string text = MakePaste();
    const CCollatorTextOrder order;
    for (auto _ : state) {
        CImportSession session(order);
        session.Paste(text);
        benchmark::DoNotOptimize(session.GetRows().data());
    }
    state.SetItemsProcessed(state.iterations() * kLines);
}
BENCHMARK(BM_PasteDeedLinesCollated)->Unit(benchmark::kMillisecond);

// From the clipboard to the rows in the dialog's list, as the user sees a paste.
void BM_DialogPaste(benchmark::State& state) {
    UseEnglishLocale();
    QGuiApplication::clipboard()->setText(QString::fromStdString(MakePaste()));
    for (auto _ : state) {
        state.PauseTiming();
        auto pDlg = std::make_unique<CImportDlg>();
        auto* pPaste = pDlg->findChild<QPushButton*>(QStringLiteral("btnPaste"));
        state.ResumeTiming();

        pPaste->click();

        state.PauseTiming();
        pDlg.reset();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * kLines);
}
BENCHMARK(BM_DialogPaste)->Unit(benchmark::kMillisecond);

} // namespace
