#include "model/BodCatalogue.h"
#include "model/LargeDeedFilling.h"

#include <benchmark/benchmark.h>
#include <string>

namespace {

constexpr const char* kAmounts[] = {"10", "15", "20"};

// A player's whole collection: one deed in four is large, of every set of every craft, half of
// them with no parts built yet (as a Pre-AOS line or an old file gives them), the others with
// every third part filled; the small deeds ask for the sets' parts, two in three complete, in
// the plain material or in gold.
CBodArray MakeCollection(int nDeeds) {
    const auto rows = BodCatalogue::Rows();
    CBodArray bods;
    bods.reserve(static_cast<std::size_t>(nDeeds));
    for (int i = 0; i < nDeeds; ++i) {
        const BodCatalogueRow& row = rows[static_cast<std::size_t>(i / 4) % rows.size()];
        auto pBod = std::make_unique<CBodItem>();
        pBod->m_strTrade = row.trade;
        pBod->m_strCategory = "Any";
        pBod->m_strQuality = i % 5 == 0 ? "Exceptional" : "Normal";
        pBod->m_strAmount = kAmounts[static_cast<std::size_t>(i / 7) % 3];
        pBod->m_strMaterial = i % 9 == 0 ? "gold" : "iron";
        pBod->m_strNotes = "from the vendor at the bank";
        if (i % 4 == 0) {
            pBod->m_strItem = "LBOD/" + std::string(row.key);
            pBod->m_strCount = "0/" + std::to_string(20 * row.partCount);
            if (i % 8 == 0) {
                pBod->BuildParts();
                for (int nPart = 0; nPart < pBod->GetPartCount(); nPart += 3) {
                    pBod->SetPart(nPart, true, "");
                }
            }
        } else {
            const std::string_view part = row.parts[static_cast<std::size_t>(i) % row.partCount];
            pBod->m_strItem = BodCatalogue::SmallItemFor(part);
            pBod->m_strCount =
                (i % 3 == 0 ? std::string("3") : pBod->m_strAmount) + '/' + pBod->m_strAmount;
        }
        bods.push_back(std::move(pBod));
    }
    return bods;
}

void BM_FillLargeDeeds(benchmark::State& state) {
    const CBodArray collection = MakeCollection(static_cast<int>(state.range(0)));
    int nUsed = 0;
    for (auto _ : state) {
        state.PauseTiming();
        CBodArray bods;
        CopyBodArray(bods, collection);
        state.ResumeTiming();
        CLargeDeedFilling filling = CLargeDeedFilling::Run(bods);
        nUsed = filling.Counts().nSmallUsed;
        benchmark::DoNotOptimize(bods.data());
        state.PauseTiming();
        // The small deeds used and the copies of the large ones go with the filling.
        { const CLargeDeedFilling gone = std::move(filling); }
        state.ResumeTiming();
    }
    state.counters["used"] = nUsed;
}
BENCHMARK(BM_FillLargeDeeds)->Arg(100000)->Unit(benchmark::kMillisecond);

} // namespace
