#include "document/QuillmarDoc.h"
#include "framework/Prompt.h"
#include "model/Archive.h"
#include "model/BodFile.h"
#include "views/FilterBar.h"
#include "views/LeftView.h"
#include "views/QuillmarView.h"

#include <QCoreApplication>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <array>
#include <benchmark/benchmark.h>
#include <string>
#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace {

// Deeds of both trades with every material, amount and quality, a large deed in eight.
CBodArray MakeMixed(int nDeeds) {
    CBodArray bods;
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
        bods.push_back(std::move(pBod));
    }
    return bods;
}

// The document holds nDeeds mixed deeds, as read from a file.
void FillMixed(CQuillmarDoc& doc, int nDeeds) {
    const std::string bytes = BodFile::Write(MakeMixed(nDeeds), 0, 0);
    CArchive ar = CArchive::ForLoading(bytes);
    doc.Serialize(ar);
}

// Import tells how many deeds came in; nobody is there to read it.
class CSilentPrompt : public IPrompt {
public:
    CSilentPrompt() { SetAppPrompt(this); }
    ~CSilentPrompt() override { SetAppPrompt(nullptr); }
    CSilentPrompt(const CSilentPrompt&) = delete;
    CSilentPrompt& operator=(const CSilentPrompt&) = delete;
    Answer MessageBox(QWidget*, const QString&, Icon, Buttons, Answer) override {
        return Answer::Ok;
    }
    QString GetSaveFileName(QWidget*, const QString&, const QString&, const QString&,
                            const QString&) override {
        return {};
    }
    QString GetOpenFileName(QWidget*, const QString&) override { return {}; }
};

// One document window's panes on a document of nDeeds deeds, the tree built once.
struct Window {
    explicit Window(int nDeeds) {
        FillMixed(doc, nDeeds);
        doc.AddView(&tree);
        doc.AddView(&form);
        form.SetSelection(tree.Selection());
        tree.resize(320, 600);
        tree.show();
        tree.OnInitialUpdate();
        form.OnInitialUpdate();
        pSelected = doc.GetBods()[doc.GetBods().size() / 2];
        doc.UpdateAllViews(nullptr, CQuillmarDoc::kHintChanged, pSelected);
        QCoreApplication::processEvents();
    }

    CQuillmarDoc doc;
    CLeftView tree;
    CQuillmarView form;
    const CBodItem* pSelected = nullptr;
};

void BM_FullRebuild(benchmark::State& state) {
    Window window(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        window.tree.OnUpdate(nullptr, CQuillmarDoc::kHintChanged, nullptr);
        QCoreApplication::processEvents();
    }
}
BENCHMARK(BM_FullRebuild)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_RelabelOnly(benchmark::State& state) {
    Window window(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        window.tree.OnUpdate(nullptr, CQuillmarDoc::kHintRelabel, window.pSelected);
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
    benchmark::DoNotOptimize(window.tree.SelectedBod());
}
BENCHMARK(BM_SelectionChange)->Arg(100000)->Unit(benchmark::kMicrosecond);

// Undo or redo of an import of 10,000 deeds into a document of state.range(0) deeds, with the
// tree rebuilt; the other direction runs untimed between iterations.
void UndoRedoImport(benchmark::State& state, bool bUndo) {
    CSilentPrompt prompt;
    Window window(static_cast<int>(state.range(0)));
    window.doc.ImportDeeds(MakeMixed(10000));
    CQuillmarDoc& doc = window.doc;
    for (auto _ : state) {
        if (!bUndo) {
            state.PauseTiming();
            doc.Undo();
            QCoreApplication::processEvents();
            state.ResumeTiming();
        }
        bUndo ? doc.Undo() : doc.Redo();
        QCoreApplication::processEvents();
        if (bUndo) {
            state.PauseTiming();
            doc.Redo();
            QCoreApplication::processEvents();
            state.ResumeTiming();
        }
    }
}
void BM_UndoImport(benchmark::State& state) {
    UndoRedoImport(state, true);
}
void BM_RedoImport(benchmark::State& state) {
    UndoRedoImport(state, false);
}
BENCHMARK(BM_UndoImport)->Arg(1)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RedoImport)->Arg(1)->Arg(10000)->Unit(benchmark::kMillisecond);

// The memory 1,000 operations keep on a 10,000-deed document: 500 Apply, 500 Delete BOD. A
// deleted deed stays allocated, now held by the history, so what grows is the history's own.
void BM_UndoHistoryMemory(benchmark::State& state) {
#if defined(__GLIBC__)
    double dGrowth = 0;
    for (auto _ : state) {
        CQuillmarDoc doc;
        FillMixed(doc, 10000);
        const std::size_t nBefore = mallinfo2().uordblks;
        for (int i = 0; i < 500; ++i) {
            const CBodItem* pBod = doc.GetBods()[static_cast<std::size_t>(i) * 7];
            CBodItem edited(*pBod);
            edited.m_strNotes = "bought " + std::to_string(i);
            doc.ApplyEdit(pBod, edited, nullptr);
            doc.DeleteDeed(doc.GetBods()[static_cast<std::size_t>(i) * 11], nullptr);
        }
        dGrowth = static_cast<double>(mallinfo2().uordblks - nBefore);
        benchmark::DoNotOptimize(doc.GetUndoStack().count());
    }
    state.counters["history_MB"] = dGrowth / (1024.0 * 1024.0);
#else
    state.SkipWithError("counts allocated bytes through glibc");
#endif
}
BENCHMARK(BM_UndoHistoryMemory)->Iterations(3)->Unit(benchmark::kMillisecond);

// The status bar's points field sums the selected branch at every idle update; the root of a
// large document is the most it ever walks.
void BM_RootBranchPoints(benchmark::State& state) {
    Window window(static_cast<int>(state.range(0)));
    const QModelIndex root = window.tree.model()->index(0, 0);
    for (auto _ : state) {
        benchmark::DoNotOptimize(window.tree.BranchPoints(root));
    }
}
BENCHMARK(BM_RootBranchPoints)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

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
    {"k", ""},     // a backspace back to everything after most was hidden
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
    ->ArgsProduct({{100000}, {0, 1, 2, 3, 4, 5}})
    ->Unit(benchmark::kMillisecond);

} // namespace
