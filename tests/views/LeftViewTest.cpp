#include "views/LeftView.h"

#include "document/QuillmarDoc.h"
#include "hierarchy/BodTreeModel.h"
#include "support/ScriptedPrompt.h"
#include "support/TestDeeds.h"
#include "support/TestDocument.h"
#include "support/TreeNodes.h"

#include <QApplication>
#include <QSignalSpy>
#include <QStatusTipEvent>
#include <QTest>
#include <gtest/gtest.h>

using namespace TestDeeds;

namespace {

class LeftViewTest : public ::testing::Test {
protected:
    LeftViewTest() {
        m_doc.AddView(&m_view);
        m_view.show();
    }

    std::vector<const CBodItem*> Load(const std::vector<DeedFields>& deeds) {
        ReadDeedsInto(m_doc, MakeDeeds(deeds));
        m_view.OnInitialUpdate();
        return {m_doc.GetBods().begin(), m_doc.GetBods().end()};
    }

    CBodTreeModel& Model() const { return *static_cast<CBodTreeModel*>(m_view.model()); }
    QModelIndex NodeOf(const CBodItem* pBod) const { return ::NodeOf(m_view, pBod); }
    QModelIndex Trade(const char* pszLabel) const {
        return Model().IndexFromNode(
            Model().Hierarchy().FindChildItem(Model().Hierarchy().GetRoot(), pszLabel));
    }
    QPoint IconPoint(const QModelIndex& node) {
        m_view.scrollTo(node);
        const QRect rc = m_view.visualRect(node);
        return {rc.left() + 8, rc.center().y()};
    }
    std::string CurrentRow() const { return std::to_string(m_view.currentIndex().row()); }
    // The current node, the window's selected deed ("-" for none), the branch's deed count.
    std::string State() const {
        const CBodItem* pSelected = m_view.SelectedBod();
        return m_view.currentIndex().data().toString().toStdString() + "|" +
               (pSelected ? pSelected->m_strItem : "-") + "|" +
               std::to_string(m_view.CountBods(m_view.SelectedNode()));
    }
    void Click(const QModelIndex& node) {
        QTest::mouseClick(m_view.viewport(), Qt::LeftButton, {}, IconPoint(node));
    }
    ScriptedPrompt m_prompt;
    CQuillmarDoc m_doc;
    CLeftView m_view;
};

// A click selects for this window alone: no other tree rebuilds, and the selection tells of a new
// deed once. No gesture on the selected node may tell it again (the form would lose what was
// typed) or unselect it; a right click asks for the menu where it was.
TEST_F(LeftViewTest, SelectionIsTheWindowsOwnAndGesturesOnItChangeNothing) {
    CLeftView other;
    m_doc.AddView(&other);
    const std::vector<const CBodItem*> deeds = Load(MixedDeeds());
    other.OnInitialUpdate();
    QSignalSpy resets(&Model(), &QAbstractItemModel::modelReset);
    QSignalSpy otherResets(other.model(), &QAbstractItemModel::modelReset);
    QSignalSpy selections(&m_view.Selection(), &CDeedSelection::Changed);
    QSignalSpy menus(&m_view, &CLeftView::ContextMenuRequested);
    const std::pair<QModelIndex, const char*> cases[]{
        {Model().index(0, 0), "BOD's - Full List|-|13"},
        {Trade("Smithy"), "Smithy|-|9"},
        {NodeOf(deeds[2]), "platemail gorget - 5/10|platemail gorget|1"}};
    for (const auto& [node, pszState] : cases) {
        Click(node);
        EXPECT_EQ(pszState, State());
    }
    EXPECT_EQ(1, selections.count());
    EXPECT_EQ(0, otherResets.count());
    EXPECT_FALSE(other.currentIndex().isValid());

    const QModelIndex node = NodeOf(deeds[2]);
    const QPoint pt = IconPoint(node);
    const auto unchanged = [&] {
        return selections.count() == 1 && node == m_view.currentIndex() &&
               m_view.selectionModel()->isSelected(node);
    };
    QTest::mouseClick(m_view.viewport(), Qt::RightButton, {}, pt);
    ASSERT_EQ(1, menus.count());
    EXPECT_EQ(m_view.viewport()->mapToGlobal(pt), menus[0][0].toPoint());
    QTest::mousePress(m_view.viewport(), Qt::LeftButton, {}, pt);
    QTest::mouseMove(m_view.viewport(), pt + QPoint(0, 30));
    QTest::mouseRelease(m_view.viewport(), Qt::LeftButton, {}, pt + QPoint(0, 30));
    EXPECT_TRUE(unchanged()) << "right click, press and move";
    QTest::mouseClick(m_view.viewport(), Qt::LeftButton, Qt::ControlModifier, pt);
    EXPECT_TRUE(unchanged()) << "ctrl click";
    QTest::keyClick(&m_view, Qt::Key_Space, Qt::ControlModifier);
    EXPECT_TRUE(unchanged()) << "ctrl space";
    QTest::mouseDClick(m_view.viewport(), Qt::LeftButton, Qt::ControlModifier, pt);
    QTest::mouseDClick(m_view.viewport(), Qt::LeftButton, Qt::ShiftModifier, pt);
    EXPECT_TRUE(unchanged()) << "ctrl or shift double click";

    // The gorget's neighbour is a branch: the other tree, told of the change, stays unselected.
    m_prompt.QueueAnswer(IPrompt::Answer::Yes);
    m_view.OnDeleteBod();
    EXPECT_EQ(0, resets.count());
    EXPECT_EQ(1, otherResets.count());
    EXPECT_EQ("LBOD's|-|1", State());
    EXPECT_FALSE(other.currentIndex().isValid());

    // Expand opens the whole branch, Collapse closes it.
    Click(Trade("Smithy"));
    m_view.OnExpandFromHere();
    EXPECT_TRUE(m_view.isExpanded(NodeOf(deeds[1]).parent()));
    m_view.OnCollapseToHere();
    EXPECT_FALSE(m_view.isExpanded(NodeOf(deeds[1]).parent()));
    EXPECT_FALSE(m_view.isExpanded(Trade("Smithy")));
}

// An edit relabels in place, the next change sorts; a deletion asks, then selects the first. A
// document's change keeps the selection where its deed still is, or selects the deed it names.
TEST_F(LeftViewTest, EditRelabelsInPlaceDeleteSelectsTheGroupsFirstDeedChangesKeepTheSelection) {
    const std::vector<const CBodItem*> deeds =
        Load({{"Smithy", "Weapon", "iron", "10", "Normal", "axe", "0/10"},
              {"Smithy", "Weapon", "iron", "10", "Normal", "cutlass", "0/10"},
              {"Smithy", "Weapon", "iron", "10", "Normal", "dagger", "0/10"}});
    Click(Trade("Smithy"));
    m_view.OnDeleteBod();
    EXPECT_TRUE(m_prompt.m_messages.isEmpty()) << "a branch is no deed to delete";

    Click(NodeOf(deeds[1]));
    CBodItem edited(*deeds[1]);
    edited.m_strItem = "zweihander";
    ASSERT_TRUE(m_doc.ApplyEdit(deeds[1], edited, nullptr));
    EXPECT_EQ("zweihander - 0/10|zweihander|1 @1", State() + " @" + CurrentRow());
    m_doc.UpdateAllViews(nullptr, CQuillmarDoc::kHintChanged);
    EXPECT_EQ("zweihander - 0/10|zweihander|1 @2", State() + " @" + CurrentRow());
    m_doc.UpdateAllViews(nullptr, CQuillmarDoc::kHintChanged, deeds[2]);
    EXPECT_EQ("dagger - 0/10|dagger|1", State());
    m_doc.UpdateAllViews(nullptr, CQuillmarDoc::kHintNewList);
    EXPECT_EQ("|-|0", State());

    Click(NodeOf(deeds[1]));
    m_prompt.QueueAnswer(IPrompt::Answer::No);
    m_view.OnDeleteBod();
    m_prompt.QueueAnswer(IPrompt::Answer::Yes);
    m_view.OnDeleteBod();
    EXPECT_EQ(QStringList(2, "Are you sure you want to delete this BOD?"), m_prompt.m_messages);
    EXPECT_EQ("axe - 0/10|axe|1 of 2", State() + " of " + std::to_string(m_doc.GetBods().size()));
}

// A trade's last deed takes its trade along; the next trade, else the one before, takes over.
TEST_F(LeftViewTest, DeletingATradesLastDeedSelectsTheNeighbouringTrade) {
    const std::vector<const CBodItem*> deeds =
        Load({{"Alpha", "Cloth", "cloth", "10", "Normal", "bandana", "0/10"},
              {"Beta", "Cloth", "cloth", "10", "Normal", "bandana", "0/10"},
              {"Gamma", "Weapon", "iron", "10", "Normal", "axe", "0/10"}});
    const std::pair<const CBodItem*, const char*> cases[] = {
        {deeds[1], "Gamma|-|1"}, {deeds[2], "Alpha|-|1"}, {deeds[0], "BOD's - Full List|-|0"}};
    for (const auto& [pDeleted, pszState] : cases) {
        Click(NodeOf(pDeleted));
        m_prompt.QueueAnswer(IPrompt::Answer::Yes);
        m_view.OnDeleteBod();
        EXPECT_EQ(pszState, State());
    }
}

// Undo, Redo and Import rebuild the tree: what was open stays open, and a deed that went hands
// the selection to a neighbour as a deletion does. A filter that hides the selected deed hands it
// to the nearest branch still shown, so the form never edits a deed the tree does not show.
TEST_F(LeftViewTest, ChangesKeepOpenBranchesAndAHiddenOrGoneDeedHandsOnTheSelection) {
    const std::vector<const CBodItem*> deeds =
        Load({{"Smithy", "Weapon", "iron", "10", "Normal", "axe", "0/10"},
              {"Smithy", "Weapon", "iron", "10", "Normal", "cutlass", "0/10"},
              {"Tailor", "Cloth", "cloth", "10", "Normal", "cap", "0/10"},
              {"Tailor", "Leather", "spined leather", "20", "Normal", "leather gloves", "0/20"}});
    const auto open = [this] { // the open nodes, from the top
        std::string strOpen;
        for (QModelIndex node = Model().index(0, 0); node.isValid();
             node = m_view.indexBelow(node)) {
            strOpen += m_view.isExpanded(node) ? node.data().toString().toStdString() + "," : "";
        }
        return strOpen;
    };
    Click(Trade("Tailor"));
    m_view.OnExpandFromHere();
    Click(NodeOf(deeds[1]));
    const std::string strOpen =
        "BOD's - Full List,Smithy,Weapon,iron,10,Normal,SBOD's,Tailor,Cloth,"
        "cloth,10,Normal,SBOD's,Leather,spined leather,20,Normal,SBOD's,";
    ASSERT_EQ(strOpen, open());
    m_prompt.QueueAnswer(IPrompt::Answer::Yes);
    m_view.OnDeleteBod();
    const std::pair<std::function<void()>, const char*> steps[] = {
        {[this] { m_doc.Undo(); }, "cutlass - 0/10|cutlass|1"},
        {[this] { m_doc.Redo(); }, "axe - 0/10|axe|1"},
        {[this] {
             m_doc.ImportDeeds(
                 MakeDeeds({{"Tailor", "Cloth", "cloth", "10", "Normal", "hat", "0/10"}}));
         },
         "axe - 0/10|axe|1"},
        {[this] { m_doc.Undo(); }, "axe - 0/10|axe|1"}};
    for (const auto& [fnStep, pszState] : steps) {
        fnStep();
        EXPECT_EQ(pszState, State());
        EXPECT_EQ(strOpen, open());
    }

    const std::pair<const CBodItem*, const char*> hidden[] = {{deeds[0], "BOD's - Full List|-|1"},
                                                              {deeds[2], "Tailor|-|1"}};
    for (const auto& [pSelected, pszState] : hidden) {
        m_view.SetFilter({});
        Click(NodeOf(pSelected));
        CBodFilter filter;
        filter.SetText("gloves");
        m_view.SetFilter(filter);
        EXPECT_EQ(pszState, State());
    }
}

// A node that cannot take the deed is highlighted all the same, but the cursor says no and the
// status bar why. A drop adds to what the large deed recorded before its parts were known.
TEST_F(LeftViewTest, DropOnANeedingLargeDeedFillsItsPartOthersAndEscapeChangeNothing) {
    const std::vector<const CBodItem*> deeds =
        Load({{"Smithy", "Platemail", "iron", "20", "Normal", "LBOD/platemail", "20/120"},
              {"Smithy", "Platemail", "iron", "20", "Normal", "platemail gloves", "20/20"},
              {"Smithy", "Platemail", "iron", "20", "Exceptional", "LBOD/platemail", "0/120"}});
    m_view.resize(300, 600);
    m_view.expandAll();
    struct StatusTips : QObject {
        QStringList texts;
        bool eventFilter(QObject*, QEvent* pEvent) override {
            if (pEvent->type() == QEvent::StatusTip) {
                texts << static_cast<QStatusTipEvent*>(pEvent)->tip();
            }
            return false;
        }
    } tips;
    m_view.installEventFilter(&tips);
    const QModelIndex large = NodeOf(deeds[0]);
    const auto dragTo = [this, &deeds](const QModelIndex& node) {
        const QPoint ptFrom = IconPoint(NodeOf(deeds[1]));
        const QPoint ptTo = IconPoint(node);
        QTest::mousePress(m_view.viewport(), Qt::LeftButton, {}, ptFrom);
        for (int nStep = 1; nStep <= 4; ++nStep) {
            QTest::mouseMove(m_view.viewport(), ptFrom + (ptTo - ptFrom) * nStep / 4);
        }
    };
    for (const auto& [node, pszTip] :
         {std::pair(Trade("Smithy"), "Drop the small deed onto a large deed."),
          std::pair(NodeOf(deeds[2]),
                    "An exceptional large deed takes exceptional small deeds only.")}) {
        dragTo(node);
        EXPECT_EQ(node, m_view.DropHighlight());
        EXPECT_EQ(Qt::ForbiddenCursor, QGuiApplication::overrideCursor()->shape());
        EXPECT_EQ(pszTip, tips.texts.last());
        QTest::mouseRelease(m_view.viewport(), Qt::LeftButton, {}, IconPoint(node));
        EXPECT_EQ("", tips.texts.last());
    }
    dragTo(large);
    EXPECT_EQ(deeds[1], m_view.SelectedBod());
    EXPECT_EQ(large, m_view.DropHighlight());
    EXPECT_EQ(Qt::ArrowCursor, QGuiApplication::overrideCursor()->shape());
    EXPECT_EQ("", tips.texts.last());
    QTest::keyClick(&m_view, Qt::Key_Escape);
    EXPECT_EQ(nullptr, QGuiApplication::overrideCursor());
    QTest::mouseRelease(m_view.viewport(), Qt::LeftButton, {}, IconPoint(large));
    EXPECT_EQ("20/120|3", deeds[0]->m_strCount + "|" + std::to_string(m_doc.GetBods().size()));
    EXPECT_FALSE(m_doc.IsModified());

    dragTo(large);
    QTest::mouseRelease(m_view.viewport(), Qt::LeftButton, {}, IconPoint(large));
    EXPECT_FALSE(m_view.IsDragging() || m_view.DropHighlight().isValid());
    EXPECT_EQ("LBOD/platemail - 40/120|LBOD/platemail|1 of 2",
              State() + " of " + std::to_string(m_doc.GetBods().size()));
}

} // namespace
