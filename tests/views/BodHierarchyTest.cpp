#include "views/BodHierarchy.h"

#include "model/TextOrder.h"
#include "support/TestDeeds.h"

#include <gtest/gtest.h>

using namespace TestDeeds;

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

TEST_F(BodHierarchyTest, ListsWithoutDeedsShowTheRootOfTheirMode) {
    m_hierarchy.Rebuild({}, false);
    EXPECT_EQ("BOD's - Full List\t0\n", m_hierarchy.Outline());
    CBodArray nullsOnly;
    nullsOnly.push_back(nullptr);
    m_hierarchy.Rebuild(nullsOnly, true);
    EXPECT_EQ("BOD's - Shopping List\t0\n", m_hierarchy.Outline());
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

} // namespace
