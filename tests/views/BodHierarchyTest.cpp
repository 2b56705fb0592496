#include "views/BodHierarchy.h"

#include "TreeTestDeeds.h"
#include "model/TextOrder.h"

#include <gtest/gtest.h>

using namespace TreeTestDeeds;

namespace {

class BodHierarchyTest : public ::testing::Test {
protected:
    CNoCaseTextOrder m_order;
    CBodHierarchy m_hierarchy{m_order};
};

TEST_F(BodHierarchyTest, RebuildGroupsLabelsAndSortsEveryRun) {
    const CBodArray bods = MakeDeeds(MixedDeeds());
    m_hierarchy.Rebuild(bods, false);
    EXPECT_EQ(MixedOutline(), m_hierarchy.Outline());
    EXPECT_EQ(static_cast<int>(bods.size()), m_hierarchy.GetRoot().GetBodCount());
}

TEST_F(BodHierarchyTest, AddingOneDeedAtATimeGivesTheSameOrderAsARebuild) {
    const CBodArray bods = MakeDeeds(MixedDeeds());
    for (const auto& pBod : bods) {
        m_hierarchy.AddBod(pBod.get());
    }
    EXPECT_EQ(MixedOutline(), m_hierarchy.Outline());
}

TEST_F(BodHierarchyTest, EmptyListsShowTheRootOfTheirMode) {
    m_hierarchy.Rebuild({}, false);
    EXPECT_EQ("BOD's - Full List\t0\n", m_hierarchy.Outline());
    m_hierarchy.Rebuild({}, true);
    EXPECT_EQ("BOD's - Shopping List\t0\n", m_hierarchy.Outline());
}

TEST_F(BodHierarchyTest, NullEntriesAreSkipped) {
    CBodArray bods = MakeDeeds({{"Smithy", "Weapon", "iron", "10", "Normal", "katana", "0/10"}});
    bods.insert(bods.begin(), nullptr);
    m_hierarchy.Rebuild(bods, false);
    EXPECT_EQ(1, m_hierarchy.GetRoot().GetBodCount());
    EXPECT_EQ(nullptr, m_hierarchy.AddBod(nullptr));
}

// Labels that compare equal (also when they differ in case only) keep the order in which the
// deeds came, whether the run is sorted once or kept sorted deed by deed.
TEST_F(BodHierarchyTest, EqualLabelsKeepInsertionOrder) {
    const DeedFields first{"Smithy", "Weapon", "iron", "10", "Normal", "katana", "0/10"};
    DeedFields second = first;
    DeedFields third = first;
    third.strItem = "KATANA";
    const CBodArray bods = MakeDeeds({first, second, third});
    for (const bool bOneByOne : {false, true}) {
        SCOPED_TRACE(bOneByOne ? "one by one" : "rebuild");
        if (bOneByOne) {
            m_hierarchy.Rebuild({}, false);
            for (const auto& pBod : bods) {
                m_hierarchy.AddBod(pBod.get());
            }
        } else {
            m_hierarchy.Rebuild(bods, false);
        }
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(i, m_hierarchy.FindItemForBod(bods[i].get())->GetRow());
        }
        EXPECT_EQ(3, m_hierarchy.FindItemForBod(bods[0].get())->GetParent()->GetChildCount());
    }
}

TEST_F(BodHierarchyTest, SizeGroupTestsTheFirstFourLettersExactly) {
    const CBodArray bods =
        MakeDeeds({{"Tailor", "Cloth", "cloth", "10", "Normal", "LBOD/bonnet", "0/40"},
                   {"Tailor", "Cloth", "cloth", "10", "Normal", "lbod/bonnet", "0/40"},
                   {"Tailor", "Cloth", "cloth", "10", "Normal", "LBO", "0/10"}});
    m_hierarchy.Rebuild(bods, false);
    const std::vector<std::string> expected{"LBOD's", "SBOD's", "SBOD's"};
    for (std::size_t i = 0; i < bods.size(); ++i) {
        EXPECT_EQ(expected[i], m_hierarchy.FindItemForBod(bods[i].get())->GetParent()->GetLabel());
    }
}

TEST(BodHierarchyImages, MaterialsMatchExactly) {
    const std::vector<std::pair<std::string, int>> cases{{"iron", 3},
                                                         {"dull copper", 4},
                                                         {"shadow iron", 5},
                                                         {"copper", 6},
                                                         {"bronze", 7},
                                                         {"gold", 8},
                                                         {"agapite", 9},
                                                         {"verite", 10},
                                                         {"valorite", 11},
                                                         {"normal leather", 13},
                                                         {"spined leather", 14},
                                                         {"horned leather", 15},
                                                         {"barbed leather", 15},
                                                         {"cloth", 12},
                                                         {"", 12},
                                                         {"Iron", 12},
                                                         {"iron ", 12},
                                                         {"Barbed Leather", 12}};
    for (const auto& [strMaterial, nImage] : cases) {
        EXPECT_EQ(nImage, CBodHierarchy::MaterialImage(strMaterial)) << strMaterial;
    }
}

TEST(BodHierarchyImages, CategoryImageDependsOnTheTrade) {
    struct Case {
        const char* pszTrade;
        const char* pszCategory;
        int nImage;
    };
    const Case cases[]{
        {"Smithy", "Ringmail", 18}, {"Smithy", "Chainmail", 19}, {"Smithy", "Platemail", 20},
        {"Smithy", "Weapon", 21},   {"Smithy", "Cloth", 21},     {"Tailor", "Cloth", 12},
        {"Tailor", "Leather", 13},  {"Tailor", "Platemail", 13}, {"smithy", "Platemail", 13},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.nImage, CBodHierarchy::CategoryImage(c.pszTrade, c.pszCategory))
            << c.pszTrade << "/" << c.pszCategory;
    }
    EXPECT_EQ(1, CBodHierarchy::TradeImage("Smithy"));
    EXPECT_EQ(2, CBodHierarchy::TradeImage("smithy"));
    EXPECT_EQ(16, CBodHierarchy::BodImage("Smithy"));
    EXPECT_EQ(17, CBodHierarchy::BodImage("Carpentry"));
    EXPECT_EQ(23, CBodHierarchy::QualityImage("Normal"));
    EXPECT_EQ(24, CBodHierarchy::QualityImage("normal"));
}

TEST_F(BodHierarchyTest, CountsFollowInsertionsAndDeletions) {
    const CBodArray bods = MakeDeeds(MixedDeeds());
    m_hierarchy.Rebuild(bods, false);
    const CBodNode& root = m_hierarchy.GetRoot();
    const CBodNode* pSmithy = m_hierarchy.FindChildItem(root, "Smithy");
    const CBodNode* pTailor = m_hierarchy.FindChildItem(root, "Tailor");
    ASSERT_NE(nullptr, pSmithy);
    ASSERT_NE(nullptr, pTailor);
    EXPECT_EQ(9, pSmithy->GetBodCount());
    EXPECT_EQ(4, pTailor->GetBodCount());
    EXPECT_EQ(1, m_hierarchy.FindItemForBod(bods[0].get())->GetBodCount());

    m_hierarchy.DeleteItemAndEmptyParents(m_hierarchy.FindItemForBod(bods[1].get()));
    EXPECT_EQ(8, pSmithy->GetBodCount());
    EXPECT_EQ(12, root.GetBodCount());
    auto pExtra = MakeDeed({"Smithy", "Weapon", "gold", "20", "Normal", "kryss", "0/20"});
    m_hierarchy.AddBod(pExtra.get());
    EXPECT_EQ(9, pSmithy->GetBodCount());
    EXPECT_EQ(13, root.GetBodCount());
}

TEST_F(BodHierarchyTest, DeletionPrunesEmptiedBranchesButNeverTheRoot) {
    const CBodArray bods = MakeDeeds(MixedDeeds());
    m_hierarchy.Rebuild(bods, false);
    const CBodNode& root = m_hierarchy.GetRoot();

    // The dagger is alone from its (empty) category down: the category goes, Smithy stays.
    const CBodNode* pKept =
        m_hierarchy.DeleteItemAndEmptyParents(m_hierarchy.FindItemForBod(bods[6].get()));
    ASSERT_NE(nullptr, pKept);
    EXPECT_EQ("Smithy", pKept->GetLabel());
    EXPECT_EQ("Chainmail", pKept->GetChild(0)->GetLabel());
    EXPECT_EQ(nullptr, m_hierarchy.FindChildItem(*pKept, ""));

    // The gorget is its size group's only deed: the group goes, the LBOD's group stays.
    pKept = m_hierarchy.DeleteItemAndEmptyParents(m_hierarchy.FindItemForBod(bods[2].get()));
    ASSERT_NE(nullptr, pKept);
    EXPECT_EQ("Normal", pKept->GetLabel());
    EXPECT_EQ(1, pKept->GetChildCount());
    EXPECT_EQ("LBOD's", pKept->GetChild(0)->GetLabel());

    for (const auto& pBod : bods) {
        m_hierarchy.DeleteItemAndEmptyParents(m_hierarchy.FindItemForBod(pBod.get()));
    }
    EXPECT_EQ("BOD's - Full List\t0\n", m_hierarchy.Outline());
    EXPECT_EQ(0, root.GetBodCount());
    EXPECT_EQ(nullptr, m_hierarchy.DeleteItemAndEmptyParents(&m_hierarchy.GetRoot()));

    // A pruned branch can grow again under the same label.
    m_hierarchy.AddBod(bods[6].get());
    EXPECT_EQ(bods[6].get(), m_hierarchy.FindItemForBod(bods[6].get())->GetBod());
    EXPECT_EQ(1, root.GetChildCount());
}

TEST_F(BodHierarchyTest, RelabelKeepsTheNodeWhereItIs) {
    const CBodArray bods =
        MakeDeeds({{"Smithy", "Weapon", "iron", "10", "Normal", "axe", "0/10"},
                   {"Smithy", "Weapon", "iron", "10", "Normal", "cutlass", "0/10"}});
    m_hierarchy.Rebuild(bods, false);
    CBodNode* pAxe = m_hierarchy.FindItemForBod(bods[0].get());
    bods[0]->m_strItem = "zweihander";
    m_hierarchy.SetLabel(*pAxe, CBodHierarchy::BodLabel(*bods[0]));
    EXPECT_EQ("zweihander - 0/10", pAxe->GetLabel());
    EXPECT_EQ(0, pAxe->GetRow());
    m_hierarchy.Rebuild(bods, false);
    EXPECT_EQ(1, m_hierarchy.FindItemForBod(bods[0].get())->GetRow());
}

} // namespace
