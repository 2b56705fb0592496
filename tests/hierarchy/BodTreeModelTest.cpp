#include "hierarchy/BodTreeModel.h"

#include "model/TextOrder.h"
#include "support/TestDeeds.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <gtest/gtest.h>

using namespace TestDeeds;

namespace {

// One row comes or goes per deed, however many levels it brings or takes; a relabel is one change.
TEST(BodTreeModelTest, OneSignalPerChangeImagesFromTheResourcesAndLongLabelsCut) {
    CNoCaseTextOrder order;
    CBodTreeModel model(order);
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    CBodHierarchy& hierarchy = model.Hierarchy();
    // A label of megabytes would take seconds to lay out on every paint; it is drawn cut.
    const std::string strLong = "\u00E9" + std::string(20000, 'c');
    const CBodArray bods =
        MakeDeeds({{"Carpentry", "Furniture", "oak", "10", "Normal", "chair", "0/10"},
                   {"Smithy", strLong, "iron", "10", "Normal", "platemail arms", "1/10"},
                   {"Smithy", strLong, "iron", "10", "Normal", "LBOD/platemail", "0/60"}});
    QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
    for (const auto& pBod : bods) {
        hierarchy.AddBod(pBod.get());
    }
    EXPECT_EQ(3, inserted.count());
    const CBodNode* pSmithy = hierarchy.FindChildItem(hierarchy.GetRoot(), "Smithy");
    EXPECT_EQ("\u00E9" + QString(4095, 'c') + "\u2026",
              model.IndexFromNode(hierarchy.FindChildItem(*pSmithy, strLong)).data().toString());
    // Every image is drawn from the resources, from the root's to a newer craft's wood.
    for (const CBodNode* pNode = hierarchy.FindItemForBod(bods[0].get()); pNode != nullptr;
         pNode = pNode->GetParent()) {
        const QIcon icon = model.IndexFromNode(pNode).data(Qt::DecorationRole).value<QIcon>();
        EXPECT_FALSE(icon.pixmap(16, 16).isNull()) << pNode->GetLabel();
    }

    QSignalSpy removed(&model, &QAbstractItemModel::rowsRemoved);
    hierarchy.DeleteItemAndEmptyParents(hierarchy.FindItemForBod(bods[0].get()));
    EXPECT_EQ(1, removed.count());
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
    const QPersistentModelIndex arms = model.IndexFromNode(hierarchy.FindItemForBod(bods[1].get()));
    hierarchy.SetLabel(*hierarchy.FindItemForBod(bods[1].get()), "platemail arms - 10/10");
    EXPECT_EQ(1, changed.count());

    hierarchy.Rebuild(CBodArray(), true);
    EXPECT_FALSE(arms.isValid());
}

} // namespace
