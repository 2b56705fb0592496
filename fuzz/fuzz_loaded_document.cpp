#include "model/Archive.h"
#include "model/BodFile.h"
#include "model/BodHierarchy.h"
#include "model/BodStats.h"
#include "model/LargeDeedFilling.h"
#include "model/ShoppingList.h"
#include "model/TextOrder.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

// What a document that loads goes through next: the shopping list, the hierarchy in both modes,
// the statistics, and Fill Large Deeds undone to the very bytes it started from. Run with a memory
// limit, so that work growing with a product of the file's fields (a long text times many parts)
// fails the run instead of passing slowly.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    BodFile::Contents document;
    try {
        document = BodFile::Read(std::string_view(reinterpret_cast<const char*>(data), size));
    } catch (const CArchiveException&) {
        return 0;
    }
    const CBodArray shoppingList = ShoppingList::Build(document.bods);
    const CNoCaseTextOrder order;
    CBodHierarchy hierarchy(order);
    hierarchy.Rebuild(document.bods, false);
    const std::size_t nFullOutline = hierarchy.Outline().size();
    hierarchy.Rebuild(shoppingList, true);
    const std::size_t nShoppingOutline = hierarchy.Outline().size();

    const CBodStats stats = BodStats::Collect(document.bods);
    const auto nDeeds = static_cast<std::int64_t>(document.bods.size());
    if (stats.nDeeds != nDeeds || stats.nLarge + stats.nSmall != nDeeds || nFullOutline == 0 ||
        nShoppingOutline == 0) {
        std::abort();
    }

    const std::string before = BodFile::Write(document.bods, 0, 0);
    CLargeDeedFilling filling = CLargeDeedFilling::Run(document.bods);
    const std::string filled = BodFile::Write(document.bods, 0, 0);
    filling.Undo(document.bods);
    if (BodFile::Write(document.bods, 0, 0) != before) {
        std::abort();
    }
    filling.Redo(document.bods);
    if (BodFile::Write(document.bods, 0, 0) != filled) {
        std::abort();
    }
    return 0;
}
