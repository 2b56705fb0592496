#include "views/BodHierarchy.h"

#include "model/BodFilter.h"
#include "model/TextOrder.h"
#include "support/TestDeeds.h"

#include <functional>
#include <gtest/gtest.h>

using namespace TestDeeds;

namespace {

class BodHierarchyTest : public ::testing::Test {
protected:
    // Builds the tree from bods at once or deed by deed; both must give the same tree.
    void Build(const CBodArray& bods, bool bOneByOne) {
        if (!bOneByOne) {
            m_hierarchy.Rebuild(bods, false);
            return;
        }
        m_hierarchy.Rebuild({}, false);
        for (const auto& pBod : bods) {
            m_hierarchy.AddBod(pBod.get());
        }
    }

    CNoCaseTextOrder m_order;
    CBodHierarchy m_hierarchy{m_order};
};

TEST_F(BodHierarchyTest, GroupsLabelsAndSortsEveryRunHoweverBuilt) {
    const CBodArray bods = MakeDeeds(MixedDeeds());
    for (const bool bOneByOne : {false, true}) {
        SCOPED_TRACE(bOneByOne ? "one by one" : "rebuild");
        Build(bods, bOneByOne);
        EXPECT_EQ(MixedOutline(), m_hierarchy.Outline());
    }
    CBodArray nullsOnly;
    nullsOnly.push_back(nullptr);
    m_hierarchy.Rebuild(nullsOnly, true);
    EXPECT_EQ("BOD's - Shopping List\t0\n", m_hierarchy.Outline());
    EXPECT_EQ(nullptr, m_hierarchy.AddBod(nullptr));

    // A renamed branch is found by its new label only.
    m_hierarchy.Rebuild(bods, false);
    CBodNode* pSmithy = m_hierarchy.FindChildItem(m_hierarchy.GetRoot(), "Smithy");
    m_hierarchy.SetLabel(*pSmithy, "Blacksmith");
    EXPECT_EQ(nullptr, m_hierarchy.FindChildItem(m_hierarchy.GetRoot(), "Smithy"));
    EXPECT_EQ(pSmithy, m_hierarchy.FindChildItem(m_hierarchy.GetRoot(), "Blacksmith"));
}

// Labels that compare equal (here: differ in case only) keep the order the deeds came in, also
// in runs long enough that an unstable sort would reorder them.
TEST_F(BodHierarchyTest, EqualLabelsKeepInsertionOrder) {
    std::vector<DeedFields> fields;
    for (unsigned n = 0; n < 45; ++n) {
        fields.push_back(
            {"Smithy", "Weapon", "iron", "10", "Normal", CaseVariant("katana", n * 7), "0/10"});
        fields.push_back(
            {"Smithy", "Weapon", "iron", "10", "Normal", n % 2 ? "axe" : "spear", "0/10"});
    }
    const CBodArray bods = MakeDeeds(fields);
    for (const bool bOneByOne : {false, true}) {
        SCOPED_TRACE(bOneByOne ? "one by one" : "rebuild");
        Build(bods, bOneByOne);
        for (int i = 0; i < 45; ++i) {
            EXPECT_EQ(22 + i, m_hierarchy.FindItemForBod(bods[2 * i].get())->GetRow()) << i;
        }
    }
}

// Ores take images 3 to 11 in the order of their worth, leathers 13 to 15 (barbed shares
// horned's), every wood 31; any other text, one differing in case included, takes the cloth
// image 12. That the tree shows them at the material level, the outline above proves.
TEST(BodHierarchyImages, EachMaterialHasItsImage) {
    std::vector<std::pair<std::string, int>> cases;
    for (const char* pszOre : {"iron", "dull copper", "shadow iron", "copper", "bronze", "gold",
                               "agapite", "verite", "valorite"}) {
        cases.emplace_back(pszOre, 3 + static_cast<int>(cases.size()));
    }
    cases.insert(cases.end(), {{"normal leather", 13},
                               {"spined leather", 14},
                               {"horned leather", 15},
                               {"barbed leather", 15},
                               {"cloth", 12},
                               {"", 12},
                               {"Iron", 12},
                               {"wood", 31},
                               {"oak", 31},
                               {"frostwood", 31},
                               {"Oak", 12}});
    for (const auto& [strMaterial, nImage] : cases) {
        EXPECT_EQ(nImage, CBodHierarchy::MaterialImage("Tinkering", strMaterial)) << strMaterial;
    }
}

// The six newer crafts show their own image (25 to 30) at the trade and category levels, and
// at the material level when they never ask for a material; Smithy and Tailor keep their rules,
// which stay the fallback for any other text.
TEST(BodHierarchyImages, NewerCraftsShowTheirOwnImage) {
    const std::pair<const char*, int> crafts[] = {{"Alchemy", 25},     {"Bowcraft", 26},
                                                  {"Carpentry", 27},   {"Cooking", 28},
                                                  {"Inscription", 29}, {"Tinkering", 30}};
    for (const auto& [pszTrade, nImage] : crafts) {
        EXPECT_EQ(nImage, CBodHierarchy::TradeImage(pszTrade)) << pszTrade;
        EXPECT_EQ(nImage, CBodHierarchy::CategoryImage(pszTrade, "Platemail")) << pszTrade;
        EXPECT_EQ(nImage, CBodHierarchy::MaterialImage(pszTrade, "no material")) << pszTrade;
    }
    EXPECT_EQ(1, CBodHierarchy::TradeImage("Smithy"));
    EXPECT_EQ(2, CBodHierarchy::TradeImage("cooking"));
    EXPECT_EQ(20, CBodHierarchy::CategoryImage("Smithy", "Platemail"));
    EXPECT_EQ(13, CBodHierarchy::CategoryImage("Fletching", "Bow"));
    EXPECT_EQ(2, CBodHierarchy::MaterialImage("Tailor", "no material"));
    // The level is there in the tree, labelled as the deed says.
    const CBodArray bods = MakeDeeds(
        {{"Cooking", "Food", "no material", "20", "Exceptional", "white miso soup", "0/20"},
         {"Cooking", "Food", "no material", "10", "Normal", "cake", "0/10"}});
    const CNoCaseTextOrder order;
    CBodHierarchy hierarchy(order);
    hierarchy.Rebuild(bods, false);
    const CBodNode* pNode = &hierarchy.GetRoot();
    for (const char* pszLabel : {"Cooking", "Food", "no material"}) {
        pNode = hierarchy.FindChildItem(*pNode, pszLabel);
        ASSERT_NE(nullptr, pNode) << pszLabel;
        EXPECT_EQ(28, pNode->GetImage()) << pszLabel;
    }
    // Each branch keeps its deeds' points (50 + 200 exceptional, and 10), through deletions.
    const CBodNode& root = hierarchy.GetRoot();
    EXPECT_EQ(260, root.GetPoints().nTurnIn);
    hierarchy.DeleteItemAndEmptyParents(hierarchy.FindItemForBod(bods[0].get()));
    EXPECT_EQ(10, pNode->GetPoints().nTurnIn);
    EXPECT_EQ(20, root.GetPoints().nBankHundredths);
}

TEST_F(BodHierarchyTest, DeletionPrunesEmptiedBranchesButNeverTheRootAndCountsFollow) {
    const CBodArray bods = MakeDeeds(MixedDeeds());
    m_hierarchy.Rebuild(bods, false);
    const CBodNode& root = m_hierarchy.GetRoot();
    const CBodNode* pSmithy = m_hierarchy.FindChildItem(root, "Smithy");
    ASSERT_NE(nullptr, pSmithy);
    EXPECT_EQ(13, root.GetBodCount());
    EXPECT_EQ(9, pSmithy->GetBodCount());
    EXPECT_EQ(4, m_hierarchy.FindChildItem(root, "Tailor")->GetBodCount());

    // The dagger is alone from its (empty) category down: the category goes, Smithy stays.
    const CBodNode* pKept =
        m_hierarchy.DeleteItemAndEmptyParents(m_hierarchy.FindItemForBod(bods[6].get()));
    EXPECT_EQ(pSmithy, pKept);
    EXPECT_EQ(nullptr, m_hierarchy.FindChildItem(*pSmithy, ""));
    EXPECT_EQ(8, pSmithy->GetBodCount());

    // The gorget is its size group's only deed: the group goes, the LBOD's group stays.
    pKept = m_hierarchy.DeleteItemAndEmptyParents(m_hierarchy.FindItemForBod(bods[2].get()));
    ASSERT_NE(nullptr, pKept);
    EXPECT_EQ("Normal", pKept->GetLabel());
    EXPECT_EQ(1, pKept->GetChildCount());
    EXPECT_EQ("LBOD's", pKept->GetChild(0)->GetLabel());
    EXPECT_EQ(11, root.GetBodCount());

    for (const auto& pBod : bods) {
        m_hierarchy.DeleteItemAndEmptyParents(m_hierarchy.FindItemForBod(pBod.get()));
    }
    EXPECT_EQ("BOD's - Full List\t0\n", m_hierarchy.Outline());
    EXPECT_EQ(nullptr, m_hierarchy.DeleteItemAndEmptyParents(&m_hierarchy.GetRoot()));

    // A pruned branch can grow again under the same label.
    m_hierarchy.AddBod(bods[6].get());
    EXPECT_EQ(1, root.GetChildCount());
    EXPECT_EQ(1, root.GetBodCount());
}

// Every node with its row and deed count, depth first.
std::string Shape(const CBodNode& node) {
    std::string shape = node.GetLabel() + " " + std::to_string(node.GetRow()) + " " +
                        std::to_string(node.GetBodCount()) + "\n";
    for (int nRow = 0; nRow < node.GetChildCount(); ++nRow) {
        shape += Shape(*node.GetChild(nRow));
    }
    return shape;
}

// Narrowing step by step keeps what a rebuild with the filter would build, rows and counts too,
// and a pruned branch is found by its label no more.
TEST_F(BodHierarchyTest, PruningGivesWhatARebuildWithTheFilterGives) {
    const CBodArray bods = MakeDeeds(MixedDeeds());
    m_hierarchy.Rebuild(bods, false);
    CBodHierarchy rebuilt(m_order);
    CBodFilter filter;
    for (const char* pszText : {"", "o", "or", "or g", "or g", "xyz"}) {
        SCOPED_TRACE(pszText);
        filter.SetText(pszText);
        if (std::string_view(pszText) == "or g") {
            filter.SetSize(CBodFilter::Size::Small);
        }
        m_hierarchy.Prune([&filter](const CBodItem& bod) { return filter.Matches(bod); });
        rebuilt.Rebuild(bods, false, &filter);
        EXPECT_EQ(Shape(rebuilt.GetRoot()), Shape(m_hierarchy.GetRoot()));
    }
    filter.SetText("plate gloves");
    m_hierarchy.Rebuild(bods, false);
    m_hierarchy.Prune([&filter](const CBodItem& bod) { return filter.Matches(bod); });
    const CBodNode* pSmithy = m_hierarchy.FindChildItem(m_hierarchy.GetRoot(), "Smithy");
    ASSERT_NE(nullptr, pSmithy);
    EXPECT_EQ(nullptr, m_hierarchy.FindChildItem(m_hierarchy.GetRoot(), "Tailor"));
    EXPECT_EQ(nullptr, m_hierarchy.FindChildItem(*pSmithy, "Weapon"));
    EXPECT_EQ(1, m_hierarchy.GetRoot().GetBodCount());
}

// Clearing a filter brings back the tree kept from before it only while that tree is still
// the whole, current one: any change in between, or a tree that was itself filtered, rebuilds.
TEST_F(BodHierarchyTest, TheUnfilteredTreeComesBackOnlyWhileItIsWholeAndCurrent) {
    const CBodArray bods = MakeDeeds(MixedDeeds());
    CBodHierarchy whole(m_order);
    whole.Rebuild(bods, false);
    CBodFilter plate;
    plate.SetText("plate");
    CBodFilter gloves;
    gloves.SetText("gloves");
    const auto keepPlate = [&plate](const CBodItem& bod) {
        return plate.Matches(bod);
    };
    CBodItem* pShown = nullptr;
    for (const auto& pBod : bods) {
        pShown = pShown == nullptr && keepPlate(*pBod) ? pBod.get() : pShown;
    }
    ASSERT_NE(nullptr, pShown);

    m_hierarchy.Rebuild(bods, false);
    m_hierarchy.RebuildKeepingUnfiltered(bods, false, plate);
    m_hierarchy.Prune(keepPlate);
    m_hierarchy.RebuildKeepingUnfiltered(bods, false, gloves);
    ASSERT_TRUE(m_hierarchy.RestoreUnfiltered());
    EXPECT_EQ(whole.Outline(), m_hierarchy.Outline());
    EXPECT_EQ(whole.GetRoot().GetBodCount(), m_hierarchy.GetRoot().GetBodCount());
    EXPECT_FALSE(m_hierarchy.RestoreUnfiltered());

    // Pruned first, so the tree the second filter replaces was never the whole one.
    m_hierarchy.Prune(keepPlate);
    m_hierarchy.RebuildKeepingUnfiltered(bods, false, gloves);
    EXPECT_FALSE(m_hierarchy.RestoreUnfiltered());

    const auto changes = std::vector<std::pair<const char*, std::function<void(CBodHierarchy&)>>>{
        {"rebuilt",
         [&bods](CBodHierarchy& h) {
             h.Rebuild(bods, false, nullptr);
         }},
        {"deed added",
         [pShown](CBodHierarchy& h) {
             h.AddBod(pShown);
         }},
        {"deed deleted",
         [pShown](CBodHierarchy& h) {
             h.DeleteItemAndEmptyParents(h.FindItemForBod(pShown));
         }},
        {"relabelled", [pShown](CBodHierarchy& h) {
             h.SetLabel(*h.FindItemForBod(pShown), "relabelled");
         }}};
    for (const auto& [pszChange, change] : changes) {
        SCOPED_TRACE(pszChange);
        m_hierarchy.Rebuild(bods, false);
        m_hierarchy.RebuildKeepingUnfiltered(bods, false, plate);
        change(m_hierarchy);
        EXPECT_FALSE(m_hierarchy.RestoreUnfiltered());
    }
}

} // namespace
