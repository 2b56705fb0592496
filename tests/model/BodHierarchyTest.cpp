#include "model/BodHierarchy.h"

#include "model/BodFilter.h"
#include "model/TextOrder.h"
#include "support/TestDeeds.h"

#include <gtest/gtest.h>

using namespace TestDeeds;

namespace {

std::string Shape(const CBodNode& node) {
    std::string shape = node.GetLabel() + " " + std::to_string(node.GetRow()) + " " +
                        std::to_string(node.GetBodCount()) + "\n";
    for (int nRow = 0; nRow < node.GetChildCount(); ++nRow) {
        shape += Shape(*node.GetChild(nRow));
    }
    return shape;
}

class BodHierarchyTest : public ::testing::Test {
protected:
    // Builds the tree from bods at once or deed by deed; both must give the same tree.
    void Build(const CBodArray& bods, bool bOneByOne) {
        m_hierarchy.Rebuild(bOneByOne ? m_none : bods, false);
        for (const auto& pBod : bOneByOne ? bods : m_none) {
            m_hierarchy.AddBod(pBod.get());
        }
    }
    CBodNode* Branch(const char* pszLabel) const {
        return m_hierarchy.FindChildItem(m_hierarchy.GetRoot(), pszLabel);
    }
    const CBodNode* Delete(const CBodItem* pBod) {
        return m_hierarchy.DeleteItemAndEmptyParents(m_hierarchy.FindItemForBod(pBod));
    }

    const CBodArray m_none;
    const CBodArray m_bods = MakeDeeds(MixedDeeds());
    CNoCaseTextOrder m_order;
    CBodHierarchy m_hierarchy{m_order};
};

// Labels equal but for case keep the deeds' order, in runs long enough to upset an unstable sort.
TEST_F(BodHierarchyTest, BuildsSortedRunsInInsertionOrderAndDeletionPrunesEmptiedBranches) {
    std::vector<DeedFields> fields;
    for (unsigned n = 0; n < 45; ++n) {
        fields.push_back(
            {"Smithy", "Weapon", "iron", "10", "Normal", CaseVariant("katana", n * 7), "0/10"});
        fields.push_back(
            {"Smithy", "Weapon", "iron", "10", "Normal", n % 2 ? "axe" : "spear", "0/10"});
    }
    const CBodArray bods = MakeDeeds(fields);
    for (const bool bOneByOne : {false, true}) {
        Build(m_bods, bOneByOne);
        EXPECT_EQ(MixedOutline(), m_hierarchy.Outline()) << bOneByOne;
        Build(bods, bOneByOne);
        for (int i = 0; i < 45; ++i) {
            EXPECT_EQ(22 + i, m_hierarchy.FindItemForBod(bods[2 * i].get())->GetRow()) << i;
        }
    }
    // A deed the filter drops goes from beside its siblings that stay (bods[3] is an axe).
    m_hierarchy.Prune([](const CBodItem& bod) { return bod.m_strItem == "axe"; });
    EXPECT_TRUE(!m_hierarchy.FindItemForBod(bods[0].get()) &&
                m_hierarchy.FindItemForBod(bods[3].get()));
    m_hierarchy.Rebuild(CBodArray(1), true);
    EXPECT_EQ("BOD's - Shopping List\t0\n", m_hierarchy.Outline());
    EXPECT_EQ(nullptr, m_hierarchy.AddBod(nullptr));

    m_hierarchy.Rebuild(m_bods, false);
    const CBodNode& root = m_hierarchy.GetRoot();
    const CBodNode* pSmithy = Branch("Smithy");
    // The dagger is alone from its (empty) category down: the category goes, Smithy stays.
    EXPECT_EQ(pSmithy, Delete(m_bods[6].get()));
    EXPECT_EQ(nullptr, m_hierarchy.FindChildItem(*pSmithy, ""));
    EXPECT_EQ(8, pSmithy->GetBodCount());

    // The gorget is its size group's only deed: the group goes, the LBOD's group stays.
    EXPECT_EQ("Normal 1 1\nLBOD's 0 1\nLBOD/platemail - 0/60 0 1\n",
              Shape(*Delete(m_bods[2].get())));
    EXPECT_EQ(11, root.GetBodCount());

    for (const auto& pBod : m_bods) {
        Delete(pBod.get());
    }
    EXPECT_EQ("BOD's - Full List\t0\n", m_hierarchy.Outline());
    EXPECT_EQ(0, root.GetPoints().nTurnIn) << "every deed's points went with it";
    EXPECT_EQ(nullptr, m_hierarchy.DeleteItemAndEmptyParents(&m_hierarchy.GetRoot()));

    // A pruned branch can grow again under the same label.
    m_hierarchy.AddBod(m_bods[6].get());
    EXPECT_EQ("BOD's - Full List 0 1\nSmithy 0 1\n 0 1\niron 0 1\n10 0 1\nNormal 0 1\nSBOD's 0 1\n"
              "dagger - 0/10 0 1\n",
              Shape(root));
}

// Unlisted materials (case counts) take the cloth image 12; "no material" takes the trade's.
TEST(BodHierarchyImages, EachMaterialAndCraftHasItsImage) {
    const auto materials = [](auto... pszMaterials) {
        return (std::string() + ... +
                (std::to_string(CBodHierarchy::MaterialImage("Smithy", pszMaterials)) + " "));
    };
    EXPECT_EQ("3 4 5 6 7 8 9 10 11 13 14 15 15 31 31 31 31 31 31 31 12 12 12 ",
              materials("iron", "dull copper", "shadow iron", "copper", "bronze", "gold", "agapite",
                        "verite", "valorite", "normal leather", "spined leather", "horned leather",
                        "barbed leather", "wood", "oak", "ash", "yew", "heartwood", "bloodwood",
                        "frostwood", "cloth", "", "Oak"));
    const auto crafts = [](auto... pszTrades) {
        return (std::string() + ... +
                (std::to_string(CBodHierarchy::TradeImage(pszTrades)) + "/" +
                 std::to_string(CBodHierarchy::CategoryImage(pszTrades, "Platemail")) + "/" +
                 std::to_string(CBodHierarchy::MaterialImage(pszTrades, "no material")) + " "));
    };
    EXPECT_EQ("25/25/25 26/26/26 27/27/27 28/28/28 29/29/29 30/30/30 1/20/1 2/13/2 ",
              crafts("Alchemy", "Bowcraft", "Carpentry", "Cooking", "Inscription", "Tinkering",
                     "Smithy", "cooking"));
}

// A kept tree comes back only while it is the whole, current one; any change in between drops it.
TEST_F(BodHierarchyTest, TheWholeTreeComesBackOnlyWhileCurrentAndPruningMatchesARebuild) {
    CBodFilter plate;
    plate.SetText("plate");
    CBodFilter filter;
    filter.SetText("gloves");

    m_hierarchy.Rebuild(m_bods, false);
    const std::int64_t nWholePoints = m_hierarchy.GetRoot().GetPoints().nTurnIn;
    m_hierarchy.RebuildKeepingUnfiltered(m_bods, false, plate);
    m_hierarchy.Prune([&](const CBodItem& bod) { return plate.Matches(bod); });
    m_hierarchy.RebuildKeepingUnfiltered(m_bods, false, filter);
    ASSERT_TRUE(m_hierarchy.RestoreUnfiltered());
    EXPECT_EQ(MixedOutline(), m_hierarchy.Outline());
    EXPECT_EQ(13, m_hierarchy.GetRoot().GetBodCount());
    EXPECT_EQ(nWholePoints, m_hierarchy.GetRoot().GetPoints().nTurnIn);

    // Pruned first, so the tree the second filter replaces was never the whole one.
    m_hierarchy.Prune([&](const CBodItem& bod) { return plate.Matches(bod); });
    m_hierarchy.RebuildKeepingUnfiltered(m_bods, false, filter);
    EXPECT_FALSE(m_hierarchy.RestoreUnfiltered());

    const auto keptThrough = [&](const std::function<void()>& change) {
        m_hierarchy.Rebuild(m_bods, false);
        m_hierarchy.RebuildKeepingUnfiltered(m_bods, false, plate);
        change();
        return m_hierarchy.RestoreUnfiltered();
    };
    EXPECT_FALSE(keptThrough([&] { m_hierarchy.Rebuild(m_bods, false, nullptr); }));
    EXPECT_FALSE(keptThrough([&] { m_hierarchy.AddBod(m_bods[1].get()); }));
    EXPECT_FALSE(keptThrough([&] { Delete(m_bods[1].get()); }));
    EXPECT_FALSE(keptThrough([&] { m_hierarchy.SetLabel(*Branch("Smithy"), "x"); }));
    // A renamed branch is found by its new label only.
    EXPECT_EQ(nullptr, Branch("Smithy"));
    EXPECT_NE(nullptr, Branch("x"));

    // Narrowing step by step keeps what a rebuild with the filter builds, rows, counts and points.
    m_hierarchy.Rebuild(m_bods, false);
    CBodHierarchy rebuilt(m_order);
    for (const char* pszText : {"", "o", "or", "or g", "or g", "xyz"}) {
        filter.SetText(pszText);
        if (std::string_view(pszText) == "or g") {
            filter.SetSize(CBodFilter::Size::Small);
        }
        m_hierarchy.Prune([&](const CBodItem& bod) { return filter.Matches(bod); });
        rebuilt.Rebuild(m_bods, false, &filter);
        EXPECT_EQ(Shape(rebuilt.GetRoot()), Shape(m_hierarchy.GetRoot())) << pszText;
        EXPECT_EQ(rebuilt.GetRoot().GetPoints().nTurnIn, m_hierarchy.GetRoot().GetPoints().nTurnIn)
            << pszText;
    }
    EXPECT_EQ(nullptr, Branch("Smithy"));
}

} // namespace
