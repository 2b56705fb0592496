#include "views/LeftView.h"

#include "document/QuillmarDoc.h"
#include "support/ScriptedPrompt.h"
#include "support/TestDeeds.h"
#include "views/BodTreeModel.h"

#include <QApplication>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>
#include <tuple>

using namespace TestDeeds;

namespace {

// A second view of the document that only counts what it is told.
class UpdateCounter final : public CView {
public:
    void OnUpdate(CView*, long, void*) override { ++m_nUpdates; }
    int m_nUpdates = 0;
};

class LeftViewTest : public ::testing::Test {
protected:
    LeftViewTest() {
        m_doc.AddView(&m_view);
        m_doc.AddView(&m_counter);
        m_view.resize(420, 640);
        m_view.show();
    }

    // Fills the document and lets the view build itself; returns the deeds in list order.
    std::vector<CBodItem*> Load(const std::vector<DeedFields>& deeds) {
        for (const DeedFields& fields : deeds) {
            m_doc.AddBodItem(MakeDeed(fields));
        }
        m_view.OnInitialUpdate();
        return Deeds();
    }
    std::vector<CBodItem*> Deeds() const {
        std::vector<CBodItem*> deeds;
        for (const auto& pBod : m_doc.m_arrBods) {
            deeds.push_back(pBod.get());
        }
        return deeds;
    }

    CBodTreeModel& Model() const { return *static_cast<CBodTreeModel*>(m_view.model()); }
    QModelIndex NodeOf(const CBodItem* pBod) const {
        return Model().IndexFromNode(Model().Hierarchy().FindItemForBod(pBod));
    }
    QModelIndex Root() const { return Model().index(0, 0); }
    QModelIndex Child(const QModelIndex& parent, const char* pszLabel) const {
        return Model().IndexFromNode(
            Model().Hierarchy().FindChildItem(*Model().NodeFromIndex(parent), pszLabel));
    }
    // A point on the node's icon, made visible first.
    QPoint IconPoint(const QModelIndex& node) {
        m_view.scrollTo(node);
        const QRect rc = m_view.visualRect(node);
        return {rc.left() + 8, rc.center().y()};
    }
    void Click(const QModelIndex& node) {
        QTest::mouseClick(m_view.viewport(), Qt::LeftButton, {}, IconPoint(node));
    }
    ScriptedPrompt m_prompt;
    CQuillmarDoc m_doc;
    CLeftView m_view;
    UpdateCounter m_counter;
};

TEST_F(LeftViewTest, SelectionTellsTheDocumentDeedAndBranchCount) {
    const std::vector<CBodItem*> deeds = Load(MixedDeeds());
    QSignalSpy resets(&Model(), &QAbstractItemModel::modelReset);
    const std::tuple<QModelIndex, CBodItem*, int> cases[]{
        {Root(), nullptr, 13},
        {Child(Root(), "Smithy"), nullptr, 9},
        {Child(Root(), "Tailor"), nullptr, 4},
        {NodeOf(deeds[4]), deeds[4], 1},
    };
    int nUpdates = 0;
    for (const auto& [node, pBod, nCount] : cases) {
        SCOPED_TRACE(node.data().toString().toStdString());
        Click(node);
        EXPECT_EQ(pBod, m_doc.m_pSelectedBod);
        EXPECT_EQ(nCount, m_doc.m_nBranchCount);
        EXPECT_EQ(++nUpdates, m_counter.m_nUpdates);
    }
    // The tree tells the others, not itself.
    EXPECT_EQ(0, resets.count());
}

TEST_F(LeftViewTest, RelabelOnlyRenamesTheSelectedNodeInPlace) {
    const std::vector<CBodItem*> deeds =
        Load({{"Smithy", "Weapon", "iron", "10", "Normal", "axe", "0/10"},
              {"Smithy", "Weapon", "iron", "10", "Normal", "cutlass", "0/10"}});
    Click(NodeOf(deeds[0]));
    QSignalSpy resets(&Model(), &QAbstractItemModel::modelReset);
    CBodItem edited(*deeds[0]);
    edited.m_strItem = "zweihander";
    edited.m_strCount = "7/10";
    ASSERT_TRUE(m_doc.ApplyEdit(deeds[0], edited, nullptr));
    EXPECT_FALSE(m_doc.m_bUpdateSelectedOnly);
    EXPECT_EQ(0, resets.count());
    EXPECT_EQ(QString("zweihander - 7/10"), m_view.currentIndex().data().toString());
    EXPECT_EQ(0, m_view.currentIndex().row());

    m_doc.UpdateAllViews(nullptr);
    EXPECT_EQ(1, NodeOf(deeds[0]).row());
    EXPECT_EQ(NodeOf(deeds[0]), m_view.currentIndex());
}

TEST_F(LeftViewTest, DeleteAsksThenRemovesTheDeedAndSelectsTheGroupsFirstDeed) {
    const std::vector<CBodItem*> deeds =
        Load({{"Smithy", "Weapon", "iron", "10", "Normal", "axe", "0/10"},
              {"Smithy", "Weapon", "iron", "10", "Normal", "cutlass", "0/10"},
              {"Smithy", "Weapon", "iron", "10", "Normal", "dagger", "0/10"}});
    // Nothing or a branch selected: nothing to delete, nothing asked.
    m_view.OnDeleteBod();
    Click(Child(Root(), "Smithy"));
    EXPECT_FALSE(m_view.CanDeleteBod());
    QTest::keyClick(&m_view, Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_TRUE(m_prompt.m_messages.isEmpty());

    Click(NodeOf(deeds[1]));
    m_prompt.QueueAnswer(IPrompt::Answer::No);
    m_view.OnDeleteBod();
    EXPECT_EQ(3u, m_doc.m_arrBods.size());
    EXPECT_FALSE(m_doc.IsModified());

    m_prompt.QueueAnswer(IPrompt::Answer::Yes);
    QTest::keyClick(&m_view, Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(QStringList(2, "Are you sure you want to delete this BOD?"), m_prompt.m_messages);
    EXPECT_EQ((std::vector<CBodItem*>{deeds[0], deeds[2]}), Deeds());
    EXPECT_EQ(NodeOf(deeds[0]), m_view.currentIndex());
    EXPECT_EQ(deeds[0], m_doc.m_pSelectedBod);
    EXPECT_EQ(1, m_doc.m_nBranchCount);
    m_doc.GetUndoStack().undo();
    EXPECT_EQ(NodeOf(deeds[1]), m_view.currentIndex());
}

// A trade's last deed takes its trade along; the next trade takes over, else the one before,
// and the root once nothing is left.
TEST_F(LeftViewTest, DeletingATradesLastDeedSelectsTheNeighbouringTrade) {
    const std::vector<CBodItem*> deeds =
        Load({{"Alpha", "Cloth", "cloth", "10", "Normal", "bandana", "0/10"},
              {"Beta", "Cloth", "cloth", "10", "Normal", "bandana", "0/10"},
              {"Gamma", "Weapon", "iron", "10", "Normal", "axe", "0/10"}});
    const struct {
        CBodItem* pDeleted;
        const char* pszSelected;
    } cases[] = {{deeds[1], "Gamma"}, {deeds[2], "Alpha"}, {deeds[0], "BOD's - Full List"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pszSelected);
        Click(NodeOf(c.pDeleted));
        m_prompt.QueueAnswer(IPrompt::Answer::Yes);
        m_view.OnDeleteBod();
        EXPECT_EQ(QString(c.pszSelected), m_view.currentIndex().data().toString());
        EXPECT_EQ(nullptr, m_doc.m_pSelectedBod);
        EXPECT_EQ(Model().NodeFromIndex(m_view.currentIndex())->GetBodCount(),
                  m_doc.m_nBranchCount);
    }
    EXPECT_EQ(0, Model().rowCount(Root()));
    EXPECT_EQ(0, m_doc.m_nBranchCount);
}

// The menu is built for the selected node: Delete and Edit Deed only for a deed; Expand opens
// the whole branch.
TEST_F(LeftViewTest, ContextMenuOffersExpandCollapseAndDeleteForDeedsOnly) {
    const std::vector<CBodItem*> deeds = Load(MixedDeeds());
    for (const bool bDeed : {true, false}) {
        Click(bDeed ? NodeOf(deeds[4]) : Child(Root(), "Smithy"));
        QMenu menu;
        m_view.BuildContextMenu(menu);
        QStringList texts;
        for (const QAction* pAction : menu.actions()) {
            texts << pAction->text();
        }
        EXPECT_EQ(QStringList({"Expand From Here\tCtrl+Dblclk", "Collapse To Here\tShft+Dblclk", "",
                               "Delete BOD", "Edit Deed..."}),
                  texts);
        EXPECT_EQ(bDeed, menu.actions()[3]->isEnabled());
        EXPECT_EQ(bDeed, menu.actions()[4]->isEnabled());
        if (!bDeed) {
            menu.actions()[0]->trigger();
            EXPECT_TRUE(m_view.isExpanded(NodeOf(deeds[1]).parent()));
            menu.actions()[1]->trigger();
            EXPECT_FALSE(m_view.isExpanded(NodeOf(deeds[1]).parent()));
            EXPECT_FALSE(m_view.isExpanded(Child(Root(), "Smithy")));
        }
    }
}

// The platform control sends no selection notice for the node already selected, so none of
// these may refill the form (over what the user typed) or take the node's highlight away.
TEST_F(LeftViewTest, GesturesOnTheSelectedNodeKeepItSelectedAndSayNothing) {
    const std::vector<CBodItem*> deeds = Load(MixedDeeds());
    const QModelIndex node = NodeOf(deeds[4]);
    const std::pair<const char*, std::function<void(const QPoint&)>> gestures[]{
        {"right click",
         [this](const QPoint& pt) {
             QTest::mouseClick(m_view.viewport(), Qt::RightButton, {}, pt);
             delete QApplication::activePopupWidget();
         }},
        {"press and move",
         [this](const QPoint& pt) {
             QTest::mousePress(m_view.viewport(), Qt::LeftButton, {}, pt);
             QTest::mouseMove(m_view.viewport(), pt + QPoint(0, 30));
             QTest::mouseRelease(m_view.viewport(), Qt::LeftButton, {}, pt + QPoint(0, 30));
         }},
        {"ctrl click",
         [this](const QPoint& pt) {
             QTest::mouseClick(m_view.viewport(), Qt::LeftButton, Qt::ControlModifier, pt);
         }},
        {"ctrl space",
         [this](const QPoint&) {
             QTest::keyClick(&m_view, Qt::Key_Space, Qt::ControlModifier);
         }},
        {"ctrl double click",
         [this](const QPoint& pt) {
             QTest::mouseDClick(m_view.viewport(), Qt::LeftButton, Qt::ControlModifier, pt);
         }},
        {"shift double click",
         [this](const QPoint& pt) {
             QTest::mouseDClick(m_view.viewport(), Qt::LeftButton, Qt::ShiftModifier, pt);
         }},
    };
    Click(node);
    const int nUpdates = m_counter.m_nUpdates;
    for (const auto& [pszGesture, gesture] : gestures) {
        SCOPED_TRACE(pszGesture);
        gesture(IconPoint(node));
        EXPECT_EQ(nUpdates, m_counter.m_nUpdates);
        EXPECT_EQ(node, m_view.currentIndex());
        EXPECT_TRUE(m_view.selectionModel()->isSelected(node));
    }
}

class LeftViewDragTest : public LeftViewTest {
protected:
    void SetUp() override {
        m_doc.AddBodItem(
            MakeLargeDeed({"Smithy", "Platemail", "iron", "20", "Normal", "LBOD/platemail", "0/40"},
                          {"platemail gloves", "platemail arms"}));
        m_pLarge = m_doc.m_arrBods.back().get();
        const std::vector<CBodItem*> deeds =
            Load({{"Smithy", "Platemail", "iron", "20", "Normal", "platemail gloves", "20/20"},
                  {"Smithy", "Platemail", "gold", "20", "Normal", "platemail arms", "20/20"}});
        m_pSmall = deeds[1];
        m_pOther = deeds[2];
        m_view.expandAll();
    }

    // Presses on pBod's node and moves the cursor to node in steps, as a hand would.
    void DragTo(const CBodItem* pBod, const QModelIndex& node) {
        const QPoint ptFrom = IconPoint(NodeOf(pBod));
        const QPoint ptTo = IconPoint(node);
        QTest::mousePress(m_view.viewport(), Qt::LeftButton, {}, ptFrom);
        for (int nStep = 1; nStep <= 4; ++nStep) {
            QTest::mouseMove(m_view.viewport(), ptFrom + (ptTo - ptFrom) * nStep / 4);
        }
    }
    void DropOn(const QModelIndex& node) {
        QTest::mouseRelease(m_view.viewport(), Qt::LeftButton, {}, IconPoint(node));
        EXPECT_FALSE(m_view.IsDragging());
        EXPECT_FALSE(m_view.DropHighlight().isValid());
    }

    CBodItem* m_pLarge = nullptr;
    CBodItem* m_pSmall = nullptr;
    CBodItem* m_pOther = nullptr;
};

TEST_F(LeftViewDragTest, DropOnANeedingLargeDeedFillsItsPart) {
    const QModelIndex largeNode = NodeOf(m_pLarge);
    DragTo(m_pSmall, largeNode);
    EXPECT_TRUE(m_view.IsDragging());
    EXPECT_EQ(m_pSmall, m_doc.m_pSelectedBod);
    EXPECT_EQ(largeNode, m_view.DropHighlight());
    EXPECT_EQ(Qt::ArrowCursor, QGuiApplication::overrideCursor()->shape());
    // A node that cannot take it: highlighted all the same, but the cursor says no.
    const QModelIndex branchNode = Child(Child(Root(), "Smithy"), "Platemail");
    QTest::mouseMove(m_view.viewport(), IconPoint(branchNode));
    EXPECT_EQ(branchNode, m_view.DropHighlight());
    EXPECT_EQ(Qt::ForbiddenCursor, QGuiApplication::overrideCursor()->shape());

    QTest::mouseMove(m_view.viewport(), IconPoint(largeNode));
    DropOn(largeNode);
    EXPECT_EQ((std::vector<CBodItem*>{m_pLarge, m_pOther}), Deeds());
    EXPECT_EQ(m_pLarge, m_doc.m_pSelectedBod);
    EXPECT_EQ(QString("LBOD/platemail - 20/40"), m_view.currentIndex().data().toString());
    // The small deed's size group went with it; its quality keeps the large deed's group.
    EXPECT_EQ(1, Model().rowCount(NodeOf(m_pLarge).parent().parent()));

    // Undone, the small deed is back in the tree and selected, the part open again.
    m_doc.GetUndoStack().undo();
    EXPECT_EQ(NodeOf(m_pSmall), m_view.currentIndex());
    EXPECT_EQ(QString("LBOD/platemail - 0/40"), NodeOf(m_pLarge).data().toString());
}

TEST_F(LeftViewDragTest, RefusedDropsChangeNothing) {
    DragTo(m_pOther, NodeOf(m_pLarge));
    DropOn(NodeOf(m_pLarge));
    DragTo(m_pSmall, Child(Root(), "Smithy"));
    DropOn(Child(Root(), "Smithy"));
    // Level with the large deed's row but beside the pane, and Escape over the large deed.
    const QPoint ptBeside(m_view.viewport()->width() + 40, IconPoint(NodeOf(m_pLarge)).y());
    DragTo(m_pSmall, NodeOf(m_pLarge));
    QTest::mouseMove(m_view.viewport(), ptBeside);
    EXPECT_FALSE(m_view.DropHighlight().isValid());
    EXPECT_EQ(Qt::ForbiddenCursor, QGuiApplication::overrideCursor()->shape());
    QTest::mouseRelease(m_view.viewport(), Qt::LeftButton, {}, ptBeside);
    DragTo(m_pSmall, NodeOf(m_pLarge));
    QTest::keyClick(&m_view, Qt::Key_Escape);
    EXPECT_FALSE(m_view.IsDragging());
    EXPECT_EQ(nullptr, QGuiApplication::overrideCursor());
    DropOn(NodeOf(m_pLarge));
    EXPECT_EQ(NodeOf(m_pSmall), m_view.currentIndex());
    EXPECT_EQ(3u, m_doc.m_arrBods.size());
    EXPECT_EQ("0/40", m_pLarge->m_strCount);
    EXPECT_FALSE(m_doc.IsModified());
}

// Two windows on one document: each tree rebuilds only when the other changes the document,
// and both end on the document's selected deed.
TEST_F(LeftViewTest, TwoTreesOnOneDocumentSettle) {
    CLeftView other;
    m_doc.AddView(&other);
    const std::vector<CBodItem*> deeds = Load(MixedDeeds());
    other.OnInitialUpdate();
    QSignalSpy ownResets(&Model(), &QAbstractItemModel::modelReset);
    QSignalSpy otherResets(other.model(), &QAbstractItemModel::modelReset);

    Click(NodeOf(deeds[2]));
    EXPECT_EQ(0, ownResets.count());
    EXPECT_EQ(1, otherResets.count());
    EXPECT_EQ(QString("platemail gorget - 5/10"), other.currentIndex().data().toString());

    // The gorget leaves its large deed's group selected: a branch, so the other tree ends
    // without a selection, and the count stays the branch's. The other tree rebuilds once for
    // the new selection and once for the deletion.
    m_prompt.QueueAnswer(IPrompt::Answer::Yes);
    m_view.OnDeleteBod();
    EXPECT_EQ(0, ownResets.count());
    EXPECT_EQ(3, otherResets.count());
    EXPECT_EQ(QString("LBOD's"), m_view.currentIndex().data().toString());
    EXPECT_EQ(nullptr, m_doc.m_pSelectedBod);
    EXPECT_FALSE(other.currentIndex().isValid());
    EXPECT_EQ(1, m_doc.m_nBranchCount);

    Click(NodeOf(deeds[0]));
    EXPECT_EQ(QString("bandana - 0/15"), other.currentIndex().data().toString());
}

} // namespace
