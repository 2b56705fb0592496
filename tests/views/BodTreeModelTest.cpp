#include "views/BodTreeModel.h"

#include "model/TextOrder.h"
#include "support/TestDeeds.h"

#include <QAbstractItemModelTester>
#include <QIcon>
#include <QSignalSpy>
#include <QTreeView>
#include <gtest/gtest.h>

using namespace TestDeeds;

namespace {

class BodTreeModelTest : public ::testing::Test {
protected:
    CNoCaseTextOrder m_order;
    CBodTreeModel m_model{m_order};
};

// The tester checks every structural signal against the model's answers; a view with every
// branch open keeps persistent indexes alive across the changes.
TEST_F(BodTreeModelTest, StaysConsistentThroughRebuildsInsertionsAndRemovals) {
    QAbstractItemModelTester tester(&m_model,
                                    QAbstractItemModelTester::FailureReportingMode::Fatal);
    QTreeView view;
    view.setModel(&m_model);
    CBodHierarchy& hierarchy = m_model.Hierarchy();

    const CBodArray bods = MakeDeeds(MixedDeeds());
    hierarchy.Rebuild(bods, false);
    view.expandAll();
    const QPersistentModelIndex keptAcross =
        m_model.IndexFromNode(hierarchy.FindItemForBod(bods[0].get()));

    const CBodArray extra =
        MakeDeeds({{"Carpentry", "Furniture", "oak", "10", "Normal", "chair", "0/10"},
                   {"Smithy", "Platemail", "iron", "10", "Normal", "platemail arms", "1/10"},
                   {"Smithy", "Platemail", "iron", "10", "Normal", "LBOD/platemail", "0/60"}});
    QSignalSpy inserted(&m_model, &QAbstractItemModel::rowsInserted);
    for (const auto& pBod : extra) {
        hierarchy.AddBod(pBod.get());
    }
    EXPECT_EQ(3, inserted.count());
    view.expandAll();

    QSignalSpy removed(&m_model, &QAbstractItemModel::rowsRemoved);
    hierarchy.DeleteItemAndEmptyParents(hierarchy.FindItemForBod(extra[0].get()));
    hierarchy.DeleteItemAndEmptyParents(hierarchy.FindItemForBod(bods[6].get()));
    EXPECT_EQ(2, removed.count());
    EXPECT_TRUE(keptAcross.isValid());
    EXPECT_EQ(QString("bandana - 0/15"), keptAcross.data().toString());

    QSignalSpy changed(&m_model, &QAbstractItemModel::dataChanged);
    hierarchy.SetLabel(*hierarchy.FindItemForBod(bods[0].get()), "bandana - 15/15");
    ASSERT_EQ(1, changed.count());
    EXPECT_EQ(QString("bandana - 15/15"), keptAcross.data().toString());

    hierarchy.Rebuild({}, true);
    EXPECT_FALSE(keptAcross.isValid());
    EXPECT_EQ(1, m_model.rowCount());
    EXPECT_EQ(0, m_model.rowCount(m_model.index(0, 0)));
}

TEST_F(BodTreeModelTest, ShowsLabelAndImageOfEveryNode) {
    const CBodArray bods = MakeDeeds({MixedDeeds()[0]});
    m_model.Hierarchy().Rebuild(bods, false);
    QModelIndex index = m_model.index(0, 0);
    EXPECT_EQ(QString("BOD's - Full List"), index.data().toString());
    while (m_model.rowCount(index) > 0) {
        index = m_model.index(0, 0, index);
    }
    EXPECT_EQ(QString("bandana - 0/15"), index.data().toString());
    const QIcon icon = index.data(Qt::DecorationRole).value<QIcon>();
    EXPECT_FALSE(icon.pixmap(16, 16).isNull());
    EXPECT_EQ(bods[0].get(), m_model.NodeFromIndex(index)->GetBod());
}

} // namespace
