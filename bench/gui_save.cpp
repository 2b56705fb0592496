#include "framework/NativeFile.h"
#include "framework/SafeWrite.h"
#include "framework/WriteLock.h"
#include "model/BodFile.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <string>

namespace {

const QTemporaryDir& ScratchDir() {
    static const QTemporaryDir dir;
    return dir;
}

// A save as the window makes it (a new file beside the document, synced, renamed over it), of
// range(0) deeds, without (range(1) 0) and with (1) the write lock that every writer takes.
void BM_SaveDocument(benchmark::State& state) {
    CBodArray bods;
    for (std::int64_t i = 0; i < state.range(0); ++i) {
        auto pBod = std::make_unique<CBodItem>();
        pBod->m_strTrade = "Smithy";
        pBod->m_strCategory = "Platemail";
        pBod->m_strMaterial = i % 2 ? "iron" : "dull copper";
        pBod->m_strAmount = "20";
        pBod->m_strQuality = "Normal";
        pBod->m_strItem = "platemail gloves";
        pBod->m_strCount = std::to_string(i % 21) + "/20";
        pBod->m_strNotes = "bought at Britain bank";
        bods.push_back(std::move(pBod));
    }
    const std::string bytes = BodFile::Write(bods, 0, 0);
    const QString strPath = ScratchDir().filePath(QStringLiteral("save.bod"));
    const bool bLocked = state.range(1) == 1;
    for (auto _ : state) {
        CWriteLock lock(NativeFile::FromQt(strPath));
        if (bLocked && !lock.Acquire(1000).isEmpty()) {
            state.SkipWithError("the lock was not had");
            break;
        }
        if (!SafeWrite::WriteFile(strPath, QByteArrayView(bytes.data(), qsizetype(bytes.size())))
                 .isEmpty()) {
            state.SkipWithError("the save failed");
            break;
        }
    }
}
BENCHMARK(BM_SaveDocument)
    ->Args({10'000, 0})
    ->Args({10'000, 1})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// Taking and letting go of the write lock alone.
void BM_WriteLock(benchmark::State& state) {
    const NativeFile::Name path =
        NativeFile::FromQt(ScratchDir().filePath(QStringLiteral("lock.bod")));
    for (auto _ : state) {
        CWriteLock lock(path);
        benchmark::DoNotOptimize(lock.Acquire(1000));
    }
}
BENCHMARK(BM_WriteLock)->Unit(benchmark::kMicrosecond)->UseRealTime();

} // namespace
