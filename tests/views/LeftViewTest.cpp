#include "views/LeftView.h"

#include "document/QuillmarDoc.h"
#include "support/ScriptedPrompt.h"
#include "support/TestDeeds.h"
#include "views/BodTreeModel.h"

#include <QApplication>
#include <QMenu>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

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
    void Click(const QModelIndex& node, Qt::MouseButton button = Qt::LeftButton) {
        QTest::mouseClick(m_view.viewport(), button, {}, IconPoint(node));
    }
    // A real double click: press, release, the double click's own press, release.
    void DoubleClick(const QModelIndex& node, Qt::KeyboardModifiers modifiers) {
        const QPoint pt = IconPoint(node);
        QTest::mouseClick(m_view.viewport(), Qt::LeftButton, modifiers, pt);
        QTest::mouseDClick(m_view.viewport(), Qt::LeftButton, modifiers, pt);
        QTest::mouseRelease(m_view.viewport(), Qt::LeftButton, modifiers, pt);
    }
    bool WholeBranch(const QModelIndex& node, bool bExpanded) const {
        if (Model().rowCount(node) == 0) {
            return true;
        }
        if (m_view.isExpanded(node) != bExpanded) {
            return false;
        }
        for (int nRow = 0; nRow < Model().rowCount(node); ++nRow) {
            if (!WholeBranch(Model().index(nRow, 0, node), bExpanded)) {
                return false;
            }
        }
        return true;
    }

    ScriptedPrompt m_prompt;
    CQuillmarDoc m_doc;
    CLeftView m_view;
    UpdateCounter m_counter;
};

TEST_F(LeftViewTest, SelectionTellsTheDocumentDeedAndBranchCount) {
    const std::vector<CBodItem*> deeds = Load(MixedDeeds());
    QSignalSpy resets(&Model(), &QAbstractItemModel::modelReset);
    struct Case {
        QModelIndex node;
        CBodItem* pBod;
        int nCount;
    };
    const Case cases[]{
        {Root(), nullptr, 13},
        {Child(Root(), "Smithy"), nullptr, 9},
        {Child(Root(), "Tailor"), nullptr, 4},
        {NodeOf(deeds[4]), deeds[4], 1},
    };
    int nUpdates = 0;
    for (const Case& c : cases) {
        Click(c.node);
        EXPECT_EQ(c.pBod, m_doc.m_pSelectedBod) << c.node.data().toString().toStdString();
        EXPECT_EQ(c.nCount, m_doc.m_nBranchCount) << c.node.data().toString().toStdString();
        EXPECT_EQ(++nUpdates, m_counter.m_nUpdates);
    }
    // The tree tells the others, not itself.
    EXPECT_EQ(0, resets.count());
}

TEST_F(LeftViewTest, RebuildSelectsTheSelectedDeedAgainAndOpensOnlyItsPath) {
    const std::vector<CBodItem*> deeds = Load(MixedDeeds());
    m_doc.m_pSelectedBod = deeds[10];
    m_doc.UpdateAllViews(nullptr);
    const QModelIndex selected = NodeOf(deeds[10]);
    EXPECT_EQ(selected, m_view.currentIndex());
    EXPECT_TRUE(m_view.selectionModel()->isSelected(selected));
    for (QModelIndex ancestor = selected.parent(); ancestor.isValid();
         ancestor = ancestor.parent()) {
        EXPECT_TRUE(m_view.isExpanded(ancestor));
    }
    EXPECT_FALSE(m_view.isExpanded(Child(Root(), "Smithy")));
    EXPECT_EQ(1, m_doc.m_nBranchCount);
    // Only the update that caused the rebuild reached the others.
    EXPECT_EQ(1, m_counter.m_nUpdates);

    m_doc.m_pSelectedBod = nullptr;
    m_doc.UpdateAllViews(nullptr);
    EXPECT_FALSE(m_view.currentIndex().isValid());
    EXPECT_TRUE(m_view.isExpanded(Root()));
}

TEST_F(LeftViewTest, RelabelOnlyRenamesTheSelectedNodeInPlace) {
    const std::vector<CBodItem*> deeds =
        Load({{"Smithy", "Weapon", "iron", "10", "Normal", "axe", "0/10"},
              {"Smithy", "Weapon", "iron", "10", "Normal", "cutlass", "0/10"}});
    Click(NodeOf(deeds[0]));
    QSignalSpy resets(&Model(), &QAbstractItemModel::modelReset);
    deeds[0]->m_strItem = "zweihander";
    deeds[0]->m_strCount = "7/10";
    m_doc.m_bUpdateSelectedOnly = true;
    m_doc.UpdateAllViews(nullptr);
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
    Click(NodeOf(deeds[1]));
    m_prompt.QueueAnswer(IPrompt::Answer::No);
    m_view.OnDeleteBod();
    EXPECT_EQ(3u, m_doc.m_arrBods.size());
    EXPECT_FALSE(m_doc.IsModified());

    m_prompt.QueueAnswer(IPrompt::Answer::Yes);
    m_view.OnDeleteBod();
    EXPECT_EQ(QStringList({"Are you sure you want to delete this BOD?",
                           "Are you sure you want to delete this BOD?"}),
              m_prompt.m_messages);
    EXPECT_EQ((std::vector<CBodItem*>{deeds[0], deeds[2]}), Deeds());
    EXPECT_EQ(NodeOf(deeds[0]), m_view.currentIndex());
    EXPECT_EQ(deeds[0], m_doc.m_pSelectedBod);
    EXPECT_EQ(1, m_doc.m_nBranchCount);
    EXPECT_TRUE(m_doc.IsModified());
}

TEST_F(LeftViewTest, DeletingATradesLastDeedPrunesUpToTheRoot) {
    const std::vector<CBodItem*> deeds =
        Load({{"Smithy", "Weapon", "iron", "10", "Normal", "axe", "0/10"},
              {"Tailor", "Cloth", "cloth", "10", "Normal", "bandana", "0/10"}});
    Click(NodeOf(deeds[1]));
    m_prompt.QueueAnswer(IPrompt::Answer::Yes);
    m_view.OnDeleteBod();
    EXPECT_FALSE(Child(Root(), "Tailor").isValid());
    EXPECT_EQ(1, Model().rowCount(Root()));
    // The view chose a neighbour; whatever it is, the document agrees with it.
    ASSERT_TRUE(m_view.currentIndex().isValid());
    EXPECT_EQ(Model().NodeFromIndex(m_view.currentIndex())->GetBod(), m_doc.m_pSelectedBod);
    EXPECT_EQ(Model().NodeFromIndex(m_view.currentIndex())->GetBodCount(), m_doc.m_nBranchCount);

    Click(NodeOf(deeds[0]));
    m_prompt.QueueAnswer(IPrompt::Answer::Yes);
    m_view.OnDeleteBod();
    EXPECT_TRUE(m_doc.m_arrBods.empty());
    EXPECT_EQ(1, Model().rowCount());
    EXPECT_EQ(0, Model().rowCount(Root()));
    EXPECT_EQ(nullptr, m_doc.m_pSelectedBod);
    EXPECT_EQ(0, m_doc.m_nBranchCount);
}

TEST_F(LeftViewTest, DeleteOnABranchOrNothingAsksNothing) {
    const std::vector<CBodItem*> deeds = Load(MixedDeeds());
    EXPECT_FALSE(m_view.CanDeleteBod());
    m_view.OnDeleteBod();
    Click(Child(Root(), "Smithy"));
    EXPECT_FALSE(m_view.CanDeleteBod());
    m_view.OnDeleteBod();
    QTest::keyClick(&m_view, Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_TRUE(m_prompt.m_messages.isEmpty());
    EXPECT_EQ(13u, m_doc.m_arrBods.size());

    Click(NodeOf(deeds[0]));
    EXPECT_TRUE(m_view.CanDeleteBod());
    m_prompt.QueueAnswer(IPrompt::Answer::Yes);
    QTest::keyClick(&m_view, Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(12u, m_doc.m_arrBods.size());
}

TEST_F(LeftViewTest, ContextMenuOffersTheBranchCommandsAndGreysDeleteOnBranches) {
    const std::vector<CBodItem*> deeds = Load(MixedDeeds());
    const QStringList expectedTexts{"Expand From Here\tCtrl+Dblclk",
                                    "Collapse To Here\tShft+Dblclk", "", "Delete BOD"};
    for (const QModelIndex& node : {Child(Root(), "Tailor"), NodeOf(deeds[0])}) {
        Click(node, Qt::RightButton);
        EXPECT_EQ(node, m_view.currentIndex());
        auto* pMenu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_NE(nullptr, pMenu);
        QStringList texts;
        for (const QAction* pAction : pMenu->actions()) {
            texts << pAction->text();
        }
        EXPECT_EQ(expectedTexts, texts);
        EXPECT_EQ(node == NodeOf(deeds[0]), pMenu->actions()[3]->isEnabled());
        pMenu->close();
    }

    // Below the last row: nothing is selected and no menu opens.
    const QModelIndex before = m_view.currentIndex();
    QTest::mouseClick(m_view.viewport(), Qt::RightButton, {},
                      QPoint(10, m_view.viewport()->height() - 5));
    EXPECT_EQ(nullptr, QApplication::activePopupWidget());
    EXPECT_EQ(before, m_view.currentIndex());
}

TEST_F(LeftViewTest, ModifiedDoubleClickOpensOrClosesAWholeBranch) {
    Load(MixedDeeds());
    const QModelIndex smithy = Child(Root(), "Smithy");
    struct Case {
        Qt::KeyboardModifiers modifiers;
        bool bExpandedBefore;
        bool bExpandedAfter;
    };
    const Case cases[]{
        {Qt::ControlModifier, false, true},
        {Qt::ControlModifier | Qt::ShiftModifier, false, true},
        {Qt::ShiftModifier, true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(int(c.modifiers));
        if (c.bExpandedBefore) {
            m_view.expandAll();
        } else {
            m_view.collapseAll();
            m_view.expand(Root());
        }
        DoubleClick(smithy, c.modifiers);
        EXPECT_TRUE(WholeBranch(smithy, c.bExpandedAfter));
        if (!c.bExpandedBefore) {
            EXPECT_FALSE(m_view.isExpanded(Child(Root(), "Tailor")));
        }
    }

    // Without a modifier the double click only toggles its node.
    m_view.collapseAll();
    m_view.expand(Root());
    DoubleClick(smithy, {});
    EXPECT_TRUE(m_view.isExpanded(smithy));
    EXPECT_FALSE(m_view.isExpanded(Child(smithy, "Platemail")));
}

TEST_F(LeftViewTest, BranchCommandsFollowTheSelectedNode) {
    const std::vector<CBodItem*> deeds = Load(MixedDeeds());
    EXPECT_FALSE(m_view.CanExpandCollapse());
    const QModelIndex tailor = Child(Root(), "Tailor");
    Click(tailor);
    EXPECT_TRUE(m_view.CanExpandCollapse());
    m_view.OnExpandFromHere();
    EXPECT_TRUE(WholeBranch(tailor, true));
    m_view.OnCollapseToHere();
    EXPECT_TRUE(WholeBranch(tailor, false));
    Click(NodeOf(deeds[1]));
    EXPECT_FALSE(m_view.CanExpandCollapse());
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

    // Presses on the small deed and moves the cursor there in steps, as a hand would.
    void DragTo(const QModelIndex& node) {
        const QPoint ptFrom = IconPoint(NodeOf(m_pSmall));
        const QPoint ptTo = IconPoint(node);
        QTest::mousePress(m_view.viewport(), Qt::LeftButton, {}, ptFrom);
        for (int nStep = 1; nStep <= 4; ++nStep) {
            QTest::mouseMove(m_view.viewport(), ptFrom + (ptTo - ptFrom) * nStep / 4);
        }
    }

    CBodItem* m_pLarge = nullptr;
    CBodItem* m_pSmall = nullptr;
    CBodItem* m_pOther = nullptr;
};

TEST_F(LeftViewDragTest, DropOnANeedingLargeDeedFillsItsPart) {
    const QModelIndex largeNode = NodeOf(m_pLarge);
    DragTo(largeNode);
    EXPECT_TRUE(m_view.IsDragging());
    EXPECT_EQ(m_pSmall, m_doc.m_pSelectedBod);
    EXPECT_EQ(largeNode, m_view.DropHighlight());
    EXPECT_EQ(Qt::ArrowCursor, m_view.viewport()->cursor().shape());
    // A node that cannot take it: highlighted all the same, but the cursor says no.
    const QModelIndex branchNode = Child(Child(Root(), "Smithy"), "Platemail");
    QTest::mouseMove(m_view.viewport(), IconPoint(branchNode));
    EXPECT_EQ(branchNode, m_view.DropHighlight());
    EXPECT_EQ(Qt::ForbiddenCursor, m_view.viewport()->cursor().shape());

    QTest::mouseMove(m_view.viewport(), IconPoint(largeNode));
    QTest::mouseRelease(m_view.viewport(), Qt::LeftButton, {}, IconPoint(largeNode));
    EXPECT_FALSE(m_view.IsDragging());
    EXPECT_FALSE(m_view.DropHighlight().isValid());
    EXPECT_EQ((std::vector<CBodItem*>{m_pLarge, m_pOther}), Deeds());
    EXPECT_EQ("20/40", m_pLarge->m_strCount);
    EXPECT_TRUE(m_pLarge->GetPart(0)->IsFilled());
    EXPECT_EQ(m_pLarge, m_doc.m_pSelectedBod);
    EXPECT_EQ(QString("LBOD/platemail - 20/40"), m_view.currentIndex().data().toString());
    EXPECT_EQ(NodeOf(m_pLarge), m_view.currentIndex());
    // The small deed's size group went with it; its quality keeps the large deed's group.
    const QModelIndex quality = NodeOf(m_pLarge).parent().parent();
    EXPECT_EQ(1, Model().rowCount(quality));
    EXPECT_TRUE(m_doc.IsModified());
}

TEST_F(LeftViewDragTest, RefusedDropChangesNothing) {
    const QModelIndex branch = Child(Root(), "Smithy");
    DragTo(branch);
    QTest::mouseRelease(m_view.viewport(), Qt::LeftButton, {}, IconPoint(branch));
    EXPECT_FALSE(m_view.IsDragging());
    EXPECT_EQ(3u, m_doc.m_arrBods.size());
    EXPECT_EQ("0/40", m_pLarge->m_strCount);
    EXPECT_EQ(NodeOf(m_pSmall), m_view.currentIndex());
    EXPECT_FALSE(m_doc.IsModified());
}

TEST_F(LeftViewDragTest, LargeDeedsAndBranchesSelectButDoNotDrag) {
    for (const QModelIndex& node : {NodeOf(m_pLarge), Child(Root(), "Smithy")}) {
        const QPoint pt = IconPoint(node);
        QTest::mousePress(m_view.viewport(), Qt::LeftButton, {}, pt);
        QTest::mouseMove(m_view.viewport(), pt + QPoint(0, 40));
        EXPECT_FALSE(m_view.IsDragging());
        EXPECT_EQ(node, m_view.currentIndex());
        QTest::mouseRelease(m_view.viewport(), Qt::LeftButton, {}, pt + QPoint(0, 40));
    }
}

TEST(LeftViewAutoScroll, SpeedGrowsWithTheDistance) {
    const std::vector<std::pair<int, int>> cases{{1, 6},  {19, 6}, {20, 5},  {39, 5}, {40, 4},
                                                 {79, 3}, {99, 2}, {100, 1}, {500, 1}};
    for (const auto& [nDepth, nStep] : cases) {
        EXPECT_EQ(nStep, CLeftView::AutoScrollStep(nDepth)) << nDepth;
    }
}

TEST_F(LeftViewTest, DraggingBelowTheEdgeScrollsDown) {
    std::vector<DeedFields> deeds;
    for (int i = 0; i < 40; ++i) {
        deeds.push_back({"Smithy", "Weapon", "iron", "10", "Normal", "katana", std::to_string(i)});
    }
    const std::vector<CBodItem*> bods = Load(deeds);
    m_view.resize(300, 200);
    m_view.expandAll();
    const QPoint ptFrom = IconPoint(NodeOf(bods[0]));
    m_view.verticalScrollBar()->setValue(0);
    QTest::mousePress(m_view.viewport(), Qt::LeftButton, {}, ptFrom);
    const QPoint ptBelow(ptFrom.x(), m_view.viewport()->height() + 60);
    QTest::mouseMove(m_view.viewport(), ptFrom + QPoint(0, 20));
    QTest::mouseMove(m_view.viewport(), ptBelow);
    ASSERT_TRUE(m_view.IsDragging());
    QTRY_VERIFY(m_view.verticalScrollBar()->value() >= 3);
    EXPECT_TRUE(m_view.DropHighlight().isValid());
    QTest::mouseRelease(m_view.viewport(), Qt::LeftButton, {}, ptBelow);
    EXPECT_EQ(40u, m_doc.m_arrBods.size());
}

// Two windows on one document: each tree rebuilds once per change and both end on the
// document's selected deed.
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
    // without a selection, and the count stays the branch's.
    m_prompt.QueueAnswer(IPrompt::Answer::Yes);
    m_view.OnDeleteBod();
    EXPECT_EQ(0, ownResets.count());
    EXPECT_LE(otherResets.count(), 4);
    EXPECT_EQ(QString("LBOD's"), m_view.currentIndex().data().toString());
    EXPECT_EQ(nullptr, m_doc.m_pSelectedBod);
    EXPECT_FALSE(other.currentIndex().isValid());
    EXPECT_EQ(1, m_doc.m_nBranchCount);

    Click(NodeOf(deeds[0]));
    EXPECT_EQ(deeds[0], m_doc.m_pSelectedBod);
    EXPECT_EQ(QString("bandana - 0/15"), other.currentIndex().data().toString());
    EXPECT_EQ(1, m_doc.m_nBranchCount);
}

} // namespace
