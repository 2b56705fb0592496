#include "model/ShoppingList.h"

#include <array>
#include <benchmark/benchmark.h>
#include <string>

namespace {

// A large collection: one deed in four is large, with some of its parts filled.
CBodArray MakeCollection(int nDeeds) {
    static constexpr std::array<const char*, 6> kKeys{"platemail", "chainmail", "ringmail",
                                                      "bardiche",  "sandals",   "cutlass"};
    CBodArray bods;
    bods.reserve(static_cast<std::size_t>(nDeeds));
    for (int i = 0; i < nDeeds; ++i) {
        auto pBod = std::make_unique<CBodItem>();
        pBod->m_strTrade = "Smithy";
        pBod->m_strCategory = "Platemail";
        pBod->m_strMaterial = "iron";
        pBod->m_strQuality = i % 3 == 0 ? "Exceptional" : "Normal";
        pBod->m_strAmount = "20";
        pBod->m_strCount = "0/20";
        pBod->m_strNotes = "from the vendor at the bank";
        if (i % 4 == 0) {
            pBod->m_strItem = std::string("LBOD/") + kKeys[static_cast<std::size_t>(i) % 6];
            pBod->BuildParts();
            for (int nPart = 0; nPart < pBod->GetPartCount(); nPart += 2) {
                pBod->SetPart(nPart, true, "");
            }
        } else {
            pBod->m_strItem = "platemail gloves";
        }
        bods.push_back(std::move(pBod));
    }
    return bods;
}

void BM_ShoppingList(benchmark::State& state) {
    const CBodArray bods = MakeCollection(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        CBodArray list = ShoppingList::Build(bods);
        benchmark::DoNotOptimize(list.data());
    }
}
BENCHMARK(BM_ShoppingList)->Arg(10000)->Unit(benchmark::kMillisecond);

} // namespace
