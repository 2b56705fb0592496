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

// The tester checks every structural signal against the model's answers; a view with every
// branch open keeps persistent indexes alive across the changes.
TEST(BodTreeModelTest, StaysConsistentThroughRebuildsInsertionsAndRemovals) {
    CNoCaseTextOrder order;
    CBodTreeModel model(order);
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    QTreeView view;
    view.setModel(&model);
    CBodHierarchy& hierarchy = model.Hierarchy();
    const CBodArray bods = MakeDeeds(MixedDeeds());
    hierarchy.Rebuild(bods, false);
    view.expandAll();
    const QPersistentModelIndex bandana =
        model.IndexFromNode(hierarchy.FindItemForBod(bods[0].get()));
    EXPECT_EQ(bods[0].get(), model.NodeFromIndex(bandana)->GetBod());

    // A label of megabytes would take seconds to lay out on every paint; it is drawn cut.
    const std::string strLong = "\u00E9" + std::string(20000, 'c');
    const CBodArray extra =
        MakeDeeds({{"Carpentry", "Furniture", "oak", "10", "Normal", "chair", "0/10"},
                   {"Smithy", strLong, "iron", "10", "Normal", "platemail arms", "1/10"},
                   {"Smithy", "Platemail", "iron", "10", "Normal", "LBOD/platemail", "0/60"}});
    QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
    for (const auto& pBod : extra) {
        hierarchy.AddBod(pBod.get());
    }
    EXPECT_EQ(3, inserted.count());
    view.expandAll();
    const CBodNode* pSmithy = hierarchy.FindChildItem(hierarchy.GetRoot(), "Smithy");
    EXPECT_EQ("\u00E9" + QString(4095, 'c') + "\u2026",
              model.IndexFromNode(hierarchy.FindChildItem(*pSmithy, strLong)).data().toString());
    // Every image is drawn from the resources, the root's and a newer craft's wood too.
    for (const CBodNode* pNode = hierarchy.FindItemForBod(extra[0].get()); pNode != nullptr;
         pNode = pNode->GetParent()) {
        const QIcon icon = model.IndexFromNode(pNode).data(Qt::DecorationRole).value<QIcon>();
        EXPECT_FALSE(icon.pixmap(16, 16).isNull()) << pNode->GetLabel();
    }

    QSignalSpy removed(&model, &QAbstractItemModel::rowsRemoved);
    hierarchy.DeleteItemAndEmptyParents(hierarchy.FindItemForBod(extra[0].get()));
    hierarchy.DeleteItemAndEmptyParents(hierarchy.FindItemForBod(bods[6].get()));
    EXPECT_EQ(2, removed.count());
    EXPECT_EQ(QString("bandana - 0/15"), bandana.data().toString());

    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
    hierarchy.SetLabel(*hierarchy.FindItemForBod(bods[0].get()), "bandana - 15/15");
    EXPECT_EQ(1, changed.count());
    EXPECT_EQ(QString("bandana - 15/15"), bandana.data().toString());

    hierarchy.Rebuild({}, true);
    EXPECT_FALSE(bandana.isValid());
    EXPECT_EQ(QString("BOD's - Shopping List|0"),
              model.index(0, 0).data().toString() + "|" +
                  QString::number(model.rowCount(model.index(0, 0))));
}

} // namespace
