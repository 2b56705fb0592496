#include "document/QuillmarDoc.h"
#include "views/FilterBar.h"
#include "views/LeftView.h"
#include "views/QuillmarView.h"

#include <QCoreApplication>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <array>
#include <benchmark/benchmark.h>
#include <string>

namespace {

// A document of both trades with every material, amount and quality, a large deed in eight.
void FillMixed(CQuillmarDoc& doc, int nDeeds) {
    struct Kind {
        const char* pszTrade;
        const char* pszCategory;
        std::array<const char*, 4> materials;
        std::array<const char*, 4> items;
    };
    static const std::array<Kind, 4> kKinds{{
        {"Smithy",
         "Platemail",
         {"iron", "dull copper", "shadow iron", "valorite"},
         {"platemail gloves", "platemail arms", "platemail legs", "platemail gorget"}},
        {"Smithy",
         "Weapon",
         {"copper", "bronze", "gold", "agapite"},
         {"katana", "kryss", "broadsword", "war axe"}},
        {"Tailor",
         "Cloth",
         {"cloth", "cloth", "cloth", "cloth"},
         {"bandana", "skirt", "doublet", "cloak"}},
        {"Tailor",
         "Leather",
         {"normal leather", "spined leather", "horned leather", "barbed leather"},
         {"leather cap", "leather gloves", "studded gorget", "leather skirt"}},
    }};
    static const std::array<const char*, 3> kAmounts{"10", "15", "20"};
    for (int i = 0; i < nDeeds; ++i) {
        const Kind& kind = kKinds[static_cast<std::size_t>(i % 4)];
        auto pBod = std::make_unique<CBodItem>();
        pBod->m_strTrade = kind.pszTrade;
        pBod->m_strCategory = kind.pszCategory;
        pBod->m_strMaterial = kind.materials[static_cast<std::size_t>(i / 4 % 4)];
        pBod->m_strAmount = kAmounts[static_cast<std::size_t>(i / 16 % 3)];
        pBod->m_strQuality = i / 48 % 2 ? "Exceptional" : "Normal";
        pBod->m_strItem = i % 8 == 7 ? std::string("LBOD/") + kind.pszCategory
                                     : kind.items[static_cast<std::size_t>(i / 96 % 4)];
        pBod->m_strCount = std::to_string(i % 21) + "/" + pBod->m_strAmount;
        doc.AddBodItem(std::move(pBod));
    }
}

// One document window's panes on a document of nDeeds deeds, the tree built once.
struct Window {
    explicit Window(int nDeeds) {
        FillMixed(doc, nDeeds);
        doc.AddView(&tree);
        doc.AddView(&form);
        tree.resize(320, 600);
        tree.show();
        doc.m_pSelectedBod = doc.m_arrBods[doc.m_arrBods.size() / 2].get();
        tree.OnInitialUpdate();
        form.OnInitialUpdate();
        QCoreApplication::processEvents();
    }

    CQuillmarDoc doc;
    CLeftView tree;
    CQuillmarView form;
};

void BM_FullRebuild(benchmark::State& state) {
    Window window(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        window.tree.OnUpdate(nullptr, 0, nullptr);
        QCoreApplication::processEvents();
    }
}
BENCHMARK(BM_FullRebuild)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_RelabelOnly(benchmark::State& state) {
    Window window(static_cast<int>(state.range(0)));
    CBodItem* pSelected = window.doc.m_pSelectedBod;
    int nCount = 0;
    for (auto _ : state) {
        pSelected->m_strCount = std::to_string(++nCount % 20) + "/20";
        window.doc.m_bUpdateSelectedOnly = true;
        window.tree.OnUpdate(nullptr, 0, nullptr);
        QCoreApplication::processEvents();
    }
}
BENCHMARK(BM_RelabelOnly)->Arg(100000)->Unit(benchmark::kMicrosecond);

// The user selects the root, then a deed: each change counts its branch and refills the form.
void BM_SelectionChange(benchmark::State& state) {
    Window window(static_cast<int>(state.range(0)));
    QAbstractItemModel* pModel = window.tree.model();
    const QModelIndex root = pModel->index(0, 0);
    const QModelIndex deed = window.tree.currentIndex();
    bool bRoot = false;
    for (auto _ : state) {
        bRoot = !bRoot;
        window.tree.selectionModel()->setCurrentIndex(bRoot ? root : deed,
                                                      QItemSelectionModel::ClearAndSelect);
        QCoreApplication::processEvents();
    }
    benchmark::DoNotOptimize(window.doc.m_nBranchCount);
}
BENCHMARK(BM_SelectionChange)->Arg(100000)->Unit(benchmark::kMicrosecond);

// One keystroke in the filter bar, from the text before to the text after, until the tree shows
// the result. Typing on narrows what is shown; a backspace widens it again and rebuilds.
struct Keystroke {
    const char* pszBefore;
    const char* pszAfter;
};
constexpr Keystroke kKeystrokes[] = {
    {"", "o"},     // the first letter: most deeds still match
    {"gl", "glo"}, // a word under way: the same deeds as before
    {"", "k"},     // a rare letter: an eighth of the deeds stay
    {"o", ""},     // a backspace back to everything
    {"glo", "gl"}, // a backspace that brings nothing back
};

void BM_FilterKeystroke(benchmark::State& state) {
    Window window(static_cast<int>(state.range(0)));
    const Keystroke& keystroke = kKeystrokes[state.range(1)];
    CFilterBar bar;
    QObject::connect(&bar, &CFilterBar::FilterChanged, &window.tree,
                     [&] { window.tree.SetFilter(bar.GetFilter()); });
    for (auto _ : state) {
        state.PauseTiming();
        bar.GetTextEdit()->setText(QString::fromLatin1(keystroke.pszBefore));
        QCoreApplication::processEvents();
        state.ResumeTiming();
        bar.GetTextEdit()->setText(QString::fromLatin1(keystroke.pszAfter));
        QCoreApplication::processEvents();
    }
    state.counters["shown"] = window.tree.ShownCount();
}
BENCHMARK(BM_FilterKeystroke)
    ->ArgsProduct({{100000}, {0, 1, 2, 3, 4}})
    ->Unit(benchmark::kMillisecond);

} // namespace
