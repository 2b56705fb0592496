#include "app/QuillmarApp.h"
#include "frames/MainFrame.h"
#include "model/BodFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QWindow>
#include <array>
#include <benchmark/benchmark.h>
#include <memory>
#include <string>

namespace {

// Settings and documents live in a throw-away folder, so the runs never touch the user's own.
// QUILLMAR_BENCH_DIR names a folder that outlives the run instead: timing whole processes one
// after another then starts each with the settings the previous one left, as a user's does.
QDir ScratchDir() {
    static QTemporaryDir tempDir;
    static const QString strPath = qEnvironmentVariableIsSet("QUILLMAR_BENCH_DIR")
                                       ? qEnvironmentVariable("QUILLMAR_BENCH_DIR")
                                       : tempDir.path();
    static const bool bRedirected = [] {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, strPath);
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, strPath);
        return true;
    }();
    static_cast<void>(bRedirected);
    return QDir(strPath);
}

// A document of nDeeds deeds spread over both trades, every category, several materials,
// amounts and qualities, so the tree has as many branches as a player's collection.
QString WriteDocument(int nDeeds) {
    const std::array<std::array<const char*, 3>, 6> kinds{{
        {"Smithy", "Platemail", "platemail gloves"},
        {"Smithy", "Chainmail", "chainmail coif"},
        {"Smithy", "Weapon", "broadsword"},
        {"Tailor", "Leather", "leather cap"},
        {"Tailor", "Cloth", "fancy shirt"},
        {"Smithy", "Ringmail", "LBOD/ringmail"},
    }};
    const std::array<const char*, 4> materials{"iron", "dull copper", "valorite", "cloth"};
    const std::array<const char*, 3> amounts{"10", "15", "20"};
    CBodArray bods;
    for (int i = 0; i < nDeeds; ++i) {
        const auto& kind = kinds[static_cast<std::size_t>(i) % kinds.size()];
        auto pBod = std::make_unique<CBodItem>();
        pBod->m_strTrade = kind[0];
        pBod->m_strCategory = kind[1];
        pBod->m_strItem = kind[2];
        pBod->m_strMaterial = materials[static_cast<std::size_t>(i / 6) % materials.size()];
        pBod->m_strAmount = amounts[static_cast<std::size_t>(i / 24) % amounts.size()];
        pBod->m_strQuality = (i / 72) % 2 == 0 ? "Normal" : "Exceptional";
        pBod->m_strCount = "0/" + pBod->m_strAmount;
        pBod->m_strPrice = std::to_string(100 + i % 900);
        pBod->BuildPartsIfNeeded();
        bods.push_back(std::move(pBod));
    }
    const QString strPath = ScratchDir().filePath(QStringLiteral("deeds%1.bod").arg(nDeeds));
    QFile file(strPath);
    const std::string bytes = BodFile::Write(bods, 0, 0);
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(bytes.data(), static_cast<qint64>(bytes.size())) !=
            static_cast<qint64>(bytes.size())) {
        return {};
    }
    return strPath;
}

// From the application object to a main window on screen with its document window, and back.
void StartUp(benchmark::State& state, const QStringList& arguments) {
    ScratchDir();
    for (auto _ : state) {
        auto pApp = std::make_unique<CQuillmarApp>(arguments);
        if (!pApp->InitInstance()) {
            state.SkipWithError("start-up failed");
            return;
        }
        QWindow* pWindow = pApp->GetMainFrame()->windowHandle();
        while (pWindow == nullptr || !pWindow->isExposed()) {
            QCoreApplication::processEvents();
            pWindow = pApp->GetMainFrame()->windowHandle();
        }
        QCoreApplication::processEvents();
        state.PauseTiming();
        pApp.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        state.ResumeTiming();
    }
}

void BM_StartUpNewDocument(benchmark::State& state) {
    StartUp(state, {});
}
BENCHMARK(BM_StartUpNewDocument)->Unit(benchmark::kMillisecond);

void BM_StartUpWithDocument(benchmark::State& state) {
    const QString strPath = WriteDocument(static_cast<int>(state.range(0)));
    if (strPath.isEmpty()) {
        state.SkipWithError("could not write the document");
        return;
    }
    StartUp(state, {strPath});
    state.SetLabel(std::to_string(state.range(0)) + " deeds");
}
BENCHMARK(BM_StartUpWithDocument)->Arg(10000)->Unit(benchmark::kMillisecond);

} // namespace
