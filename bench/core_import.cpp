#include "import/ImportSession.h"
#include "model/TextOrder.h"

#include <array>
#include <benchmark/benchmark.h>
#include <string>

namespace {

constexpr int kLines = 10000;

// A paste as UOAssist gives it: CR LF line ends, mostly valid small and large deeds in many
// materials and items, some lines that cannot be read, in no particular order.
std::string MakePaste(int nLines) {
    static constexpr std::array<const char*, 6> kItems = {"platemail gloves", "chainmail coif",
                                                          "ringmail tunic",   "leather cap",
                                                          "bascinet",         "war mace"};
    static constexpr std::array<const char*, 5> kMaterials = {"iron", "shadow iron", "dull copper",
                                                              "agapite", "valorite"};
    std::string text = "UOAssist deed list\r\n";
    unsigned nSeed = 12345;
    for (int i = 0; i < nLines; ++i) {
        nSeed = nSeed * 1103515245U + 12345U;
        const unsigned n = nSeed >> 8;
        switch (n % 8) {
        case 0:
            text += "large bulk order: 10 chainmail coif: " + std::to_string(n % 11) +
                    " chainmail leggings: 0 chainmail tunic: 0 iron ingots " +
                    std::to_string(n % 5000) + "\r\n";
            break;
        case 1:
            text += "bulk order of unreadable text " + std::to_string(n) + "\r\n";
            break;
        default:
            text += "small bulk order: " + std::to_string(10 + n % 11) +
                    (n % 3 == 0 ? " exceptional " : " ") + kItems[n % kItems.size()] + ": " +
                    std::to_string(n % 10) + ", with " + kMaterials[(n / 7) % kMaterials.size()] +
                    " ingots " + std::to_string(n % 9000) + "\r\n";
            break;
        }
    }
    return text;
}

void BM_PasteDeedLines(benchmark::State& state) {
    const std::string text = MakePaste(kLines);
    const CNoCaseTextOrder order;
    for (auto _ : state) {
        CImportSession session(order);
        session.Paste(text);
        benchmark::DoNotOptimize(session.GetRows().data());
    }
    state.SetItemsProcessed(state.iterations() * kLines);
}
BENCHMARK(BM_PasteDeedLines)->Unit(benchmark::kMillisecond);

void BM_ProcessAll(benchmark::State& state) {
    const std::string text = MakePaste(kLines);
    const CNoCaseTextOrder order;
    for (auto _ : state) {
        state.PauseTiming();
        auto pSession = std::make_unique<CImportSession>(order);
        pSession->Paste(text);
        state.ResumeTiming();

        pSession->ProcessAll();
        benchmark::DoNotOptimize(pSession->GetProcessed().data());

        state.PauseTiming();
        pSession.reset();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * kLines);
}
BENCHMARK(BM_ProcessAll)->Unit(benchmark::kMillisecond);

} // namespace
