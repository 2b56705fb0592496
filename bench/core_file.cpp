#include "model/BodCatalogue.h"
#include "model/BodFile.h"

#include <atomic>
#include <benchmark/benchmark.h>
#include <cstddef>
#include <cstdlib>
#include <new>
#include <random>
#include <string>

// Every allocation of this program goes through these two, so the memory benchmark can read
// how many bytes are live. Each block carries its size in front of the caller's bytes.
namespace {
std::atomic<std::size_t> g_nLiveBytes{0};
constexpr std::size_t kBlockHeader = alignof(std::max_align_t);
} // namespace

void* operator new(std::size_t size) {
    void* block = std::malloc(size + kBlockHeader);
    if (block == nullptr) {
        throw std::bad_alloc();
    }
    *static_cast<std::size_t*>(block) = size;
    g_nLiveBytes.fetch_add(size, std::memory_order_relaxed);
    return static_cast<char*>(block) + kBlockHeader;
}

// GCC follows inlined new/delete pairs into the free() below and takes the header offset for a
// mismatch; the pairing here is deliberate.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void operator delete(void* pointer) noexcept {
    if (pointer == nullptr) {
        return;
    }
    void* block = static_cast<char*>(pointer) - kBlockHeader;
    g_nLiveBytes.fetch_sub(*static_cast<std::size_t*>(block), std::memory_order_relaxed);
    std::free(block);
}
#pragma GCC diagnostic pop

void operator delete(void* pointer, std::size_t) noexcept {
    operator delete(pointer);
}

namespace {

constexpr int kDeedCount = 100000;

const char* const kMaterials[] = {"iron", "dull copper", "shadow iron", "copper",  "bronze",
                                  "gold", "agapite",     "verite",      "valorite"};
const char* const kNotes[] = {
    "", "", "", "from the Britain smith", "for Anna", "trade with \u00C9lodie", "keep"};

// A player's document: mostly small deeds, a fifth large ones with their parts, some notes and
// prices, times a few years apart.
CBodArray MakeDocument(int nCount, bool bSmallOnly) {
    std::mt19937 random(20240501);
    const auto pick = [&random](std::size_t size) {
        return std::uniform_int_distribution<std::size_t>(0, size - 1)(random);
    };
    const auto rows = BodCatalogue::Rows();
    CBodArray bods;
    bods.reserve(static_cast<std::size_t>(nCount));
    for (int i = 0; i < nCount; ++i) {
        auto bod = std::make_unique<CBodItem>();
        const BodCatalogueRow& row = rows[pick(rows.size())];
        const bool bLarge = !bSmallOnly && pick(5) == 0;
        const int nAmount = 10 + 5 * static_cast<int>(pick(3));
        bod->m_strTrade = "Smithy";
        bod->m_strCategory = "Platemail";
        bod->m_strMaterial = kMaterials[pick(std::size(kMaterials))];
        bod->m_strQuality = pick(2) == 0 ? "Normal" : "Exceptional";
        bod->m_strAmount = std::to_string(nAmount);
        bod->m_strItem =
            bLarge ? "LBOD/" + std::string(row.key) : std::string(row.Parts()[pick(row.partCount)]);
        bod->m_strCount = bLarge ? "0/" + std::to_string(nAmount * static_cast<int>(row.partCount))
                                 : std::to_string(pick(static_cast<std::size_t>(nAmount))) + "/" +
                                       std::to_string(nAmount);
        bod->m_strPrice = pick(3) == 0 ? std::to_string(1000 * pick(50)) : "";
        bod->m_strNotes = kNotes[pick(std::size(kNotes))];
        bod->m_timeAdded = 1000000000U + static_cast<std::uint32_t>(pick(100000000));
        if (bLarge) {
            bod->BuildParts();
            bod->SetPart(0, true, "");
        }
        bods.push_back(std::move(bod));
    }
    return bods;
}

void BM_ReadDocument(benchmark::State& state) {
    const std::string bytes = BodFile::Write(MakeDocument(kDeedCount, false), 0, 0);
    for (auto _ : state) {
        BodFile::Contents contents = BodFile::Read(bytes);
        benchmark::DoNotOptimize(contents.bods.data());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(bytes.size()));
}
BENCHMARK(BM_ReadDocument)->Unit(benchmark::kMillisecond);

void BM_WriteDocument(benchmark::State& state) {
    const CBodArray bods = MakeDocument(kDeedCount, false);
    for (auto _ : state) {
        std::string bytes = BodFile::Write(bods, 0, 0);
        benchmark::DoNotOptimize(bytes.data());
    }
}
BENCHMARK(BM_WriteDocument)->Unit(benchmark::kMillisecond);

// Live heap bytes per loaded small deed: the deed, its texts and its slot in the list.
void BM_MemoryPerSmallDeed(benchmark::State& state) {
    const std::string bytes = BodFile::Write(MakeDocument(kDeedCount, true), 0, 0);
    double bytesPerDeed = 0;
    for (auto _ : state) {
        const std::size_t before = g_nLiveBytes.load();
        BodFile::Contents contents = BodFile::Read(bytes);
        bytesPerDeed = static_cast<double>(g_nLiveBytes.load() - before) / kDeedCount;
        benchmark::DoNotOptimize(contents.bods.data());
    }
    state.counters["bytesPerDeed"] = bytesPerDeed;
}
BENCHMARK(BM_MemoryPerSmallDeed)->Unit(benchmark::kMillisecond);

} // namespace
