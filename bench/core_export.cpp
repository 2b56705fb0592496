#include "model/BodFilter.h"
#include "model/DeedCsv.h"

#include <array>
#include <benchmark/benchmark.h>
#include <string>
#include <vector>

namespace {

// Deeds of both trades with a price and a note each, a large deed in eight.
std::vector<CBodItem> MakeDeeds(int nDeeds) {
    static constexpr std::array<const char*, 4> kItems{"platemail gloves", "studded gorget",
                                                       "katana", "leather skirt"};
    static constexpr std::array<const char*, 4> kMaterials{"iron", "dull copper", "spined leather",
                                                           "cloth"};
    std::vector<CBodItem> deeds(static_cast<std::size_t>(nDeeds));
    for (std::size_t i = 0; i < deeds.size(); ++i) {
        CBodItem& bod = deeds[i];
        bod.m_strTrade = i % 2 ? "Tailor" : "Smithy";
        bod.m_strCategory = i % 2 ? "Leather" : "Platemail";
        bod.m_strMaterial = kMaterials[i % 4];
        bod.m_strAmount = "20";
        bod.m_strQuality = i % 3 ? "Normal" : "Exceptional";
        bod.m_strItem = i % 8 == 7 ? "LBOD/platemail" : kItems[i / 8 % 4];
        bod.m_strCount = std::to_string(i % 21) + "/20";
        bod.m_strPrice = std::to_string(i % 50 * 100) + "gp";
        bod.m_strNotes = "bought at Britain bank, \"cheap\"";
        bod.BuildParts();
    }
    return deeds;
}

void BM_MatchFilter(benchmark::State& state) {
    const std::vector<CBodItem> deeds = MakeDeeds(static_cast<int>(state.range(0)));
    CBodFilter filter;
    filter.SetText("Glo BRIT");
    std::int64_t nMatched = 0;
    for (auto _ : state) {
        for (const CBodItem& bod : deeds) {
            nMatched += filter.Matches(bod) ? 1 : 0;
        }
    }
    benchmark::DoNotOptimize(nMatched);
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_MatchFilter)->Arg(100000)->Unit(benchmark::kMillisecond);

// A word that repeats itself against a note that nearly holds it, at every position: linear in
// the note, where comparing at every position took seconds.
void BM_MatchLongWord(benchmark::State& state) {
    CBodItem bod;
    bod.m_strNotes.assign(std::size_t{1} << 20, 'a');
    CBodFilter filter;
    filter.SetText(std::string(std::size_t(state.range(0)) - 1, 'a') + 'b');
    for (auto _ : state) {
        benchmark::DoNotOptimize(filter.Matches(bod));
    }
    state.SetBytesProcessed(state.iterations() * std::int64_t(bod.m_strNotes.size()));
}
BENCHMARK(BM_MatchLongWord)->Arg(16)->Arg(32 << 10)->Unit(benchmark::kMillisecond);

void BM_WriteCsv(benchmark::State& state) {
    const std::vector<CBodItem> deeds = MakeDeeds(static_cast<int>(state.range(0)));
    std::vector<const CBodItem*> pointers;
    for (const CBodItem& bod : deeds) {
        pointers.push_back(&bod);
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(DeedCsv::Write(pointers).size());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_WriteCsv)->Arg(100000)->Unit(benchmark::kMillisecond);

} // namespace
