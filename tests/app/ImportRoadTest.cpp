#include "document/QuillmarDoc.h"
#include "frames/ChildFrame.h"
#include "frames/QuillmarAppFixture.h"
#include "model/BodFile.h"
#include "support/BodToolRunner.h"
#include "views/LeftView.h"
#include "views/QuillmarView.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>

namespace {

const char* const kClipboardText = "UOAssist Bulk Order Deed list\r\n"
                                   "small bulk order: 10 chainmail leggings: 10, with iron ingots "
                                   "150\r\n"
                                   "large bulk order: 10 chainmail coif: 10 chainmail leggings: 0 "
                                   "chainmail tunic: 0 iron ingots 900\r\n"
                                   "small bulk order: 20 exceptional platemail gloves: 5, with "
                                   "shadow iron ingots 300\r\n";

// Runs fnStep on the modal dialog as soon as one is open; the dialog's own loop runs it.
void WhenDialogOpens(std::function<void(QWidget&)> fnStep) {
    QTimer::singleShot(10, [fnStep = std::move(fnStep)]() mutable {
        QWidget* pDialog = QApplication::activeModalWidget();
        if (pDialog == nullptr) {
            WhenDialogOpens(std::move(fnStep));
            return;
        }
        fnStep(*pDialog);
    });
}

void Press(QWidget& dialog, const char* pszButton) {
    auto* pButton = dialog.findChild<QAbstractButton*>(pszButton);
    ASSERT_NE(nullptr, pButton) << pszButton;
    ASSERT_TRUE(pButton->isEnabled()) << pszButton;
    QTest::mouseClick(pButton, Qt::LeftButton);
}

// The first node, depth first, whose label starts with strStart.
QModelIndex FindNode(const QAbstractItemModel& model, const QString& strStart,
                     const QModelIndex& parent = {}) {
    for (int nRow = 0; nRow < model.rowCount(parent); ++nRow) {
        const QModelIndex node = model.index(nRow, 0, parent);
        if (node.data().toString().startsWith(strStart)) {
            return node;
        }
        const QModelIndex found = FindNode(model, strStart, node);
        if (found.isValid()) {
            return found;
        }
    }
    return {};
}

class ImportRoadTest : public QuillmarAppFixture {
protected:
    CLeftView& Tree() const { return *Frame().GetActiveChildFrame()->GetLeftView(); }
    CQuillmarView& Form() const { return *Frame().GetActiveChildFrame()->GetFormView(); }

    QModelIndex Node(const QString& strStart) const {
        Tree().expandAll();
        const QModelIndex node = FindNode(*Tree().model(), strStart);
        if (node.isValid()) {
            Tree().scrollTo(node);
        }
        return node;
    }
    QPoint LabelPoint(const QString& strStart) const {
        const QRect rc = Tree().visualRect(Node(strStart));
        return {rc.left() + 8, rc.center().y()};
    }
    void ClickNode(const QString& strStart) const {
        QTest::mouseClick(Tree().viewport(), Qt::LeftButton, {}, LabelPoint(strStart));
    }
    QString StatusPane() const {
        Frame().UpdateCommandUI();
        return Frame().GetBodCountPane()->text();
    }
};

// A player's import from start to the saved file, by keys and mouse as a person does it.
TEST_F(ImportRoadTest, ImportSelectEditCombineAndSave) {
    ASSERT_TRUE(Start());
    Frame().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&Frame()));
    CQuillmarDoc* pDoc = Frame().GetActiveDocument();
    ASSERT_NE(nullptr, pDoc);

    // Ctrl+I; paste the clipboard, give a note, process everything, leave with Exit/Save.
    QApplication::clipboard()->setText(QString::fromLatin1(kClipboardText));
    bool bDialogDriven = false;
    WhenDialogOpens([&bDialogDriven](QWidget& dialog) {
        Press(dialog, "btnPaste");
        auto* pNote = dialog.findChild<QPlainTextEdit*>("editNote");
        ASSERT_NE(nullptr, pNote);
        pNote->setPlainText("from Aldric's backpack");
        Press(dialog, "btnProcessAll");
        Press(dialog, "btnExit");
        bDialogDriven = true;
    });
    QTest::keyClick(&Frame(), Qt::Key_I, Qt::ControlModifier);
    ASSERT_TRUE(bDialogDriven);
    EXPECT_EQ(QStringList({"3 BOD's were imported."}), m_prompt.m_messages);
    ASSERT_EQ(3U, pDoc->m_arrBods.size());
    EXPECT_TRUE(pDoc->IsModified());
    // The Import dialog has no parent window; the offscreen platform, unlike a desktop, does not
    // hand the activation back to the main window when it closes.
    Frame().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&Frame()));

    // Select the large deed: the form shows it, the pane counts its branch.
    ClickNode("LBOD/chainmail");
    ASSERT_NE(nullptr, pDoc->m_pSelectedBod);
    EXPECT_EQ(std::string("LBOD/chainmail"), pDoc->m_pSelectedBod->m_strItem);
    EXPECT_EQ(QString("BOD count: 1/3"), StatusPane());

    // Edit its price in the form and apply.
    auto* pPrice = Form().findChild<QLineEdit*>("editPrice");
    ASSERT_NE(nullptr, pPrice);
    pPrice->selectAll();
    QTest::keyClicks(pPrice, "1250");
    auto* pApply = Form().findChild<QPushButton*>("btnApply");
    ASSERT_NE(nullptr, pApply);
    ASSERT_TRUE(pApply->isEnabled());
    QTest::mouseClick(pApply, Qt::LeftButton);
    EXPECT_EQ(std::string("1250"), pDoc->m_pSelectedBod->m_strPrice);

    // Drag the small leggings deed onto the large deed, in steps as a hand moves.
    const QPoint ptFrom = LabelPoint("chainmail leggings");
    const QPoint ptTo = LabelPoint("LBOD/chainmail");
    QTest::mousePress(Tree().viewport(), Qt::LeftButton, {}, ptFrom);
    for (int nStep = 1; nStep <= 4; ++nStep) {
        QTest::mouseMove(Tree().viewport(), ptFrom + (ptTo - ptFrom) * nStep / 4);
    }
    QTest::mouseRelease(Tree().viewport(), Qt::LeftButton, {}, ptTo);
    ASSERT_EQ(2U, pDoc->m_arrBods.size());
    EXPECT_FALSE(Node("chainmail leggings").isValid());
    ASSERT_NE(nullptr, pDoc->m_pSelectedBod);
    EXPECT_EQ(std::string("20/30"), pDoc->m_pSelectedBod->m_strCount);

    // Ctrl+Delete reaches the tree: it asks first; No keeps the deed.
    ClickNode("platemail gloves");
    m_prompt.QueueAnswer(IPrompt::Answer::No);
    QTest::keyClick(&Frame(), Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ("Are you sure you want to delete this BOD?", m_prompt.m_messages.value(1));
    EXPECT_EQ(2U, pDoc->m_arrBods.size());

    // Ctrl+S asks where, as the document was never saved.
    QTemporaryDir dir;
    const QString strPath = dir.filePath("aldric.bod");
    m_prompt.QueueFileName(strPath);
    QTest::keyClick(&Frame(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(QStringList({"save"}), m_prompt.m_fileDialogs);
    EXPECT_FALSE(pDoc->IsModified());
    EXPECT_EQ(QString("aldric.bod"), Frame().GetActiveChildFrame()->windowTitle());

    // Every change is in the file.
    const BodFile::Contents contents = BodFile::Read(ReadFileBytes(strPath).toStdString());
    ASSERT_EQ(2U, contents.bods.size());
    const CBodItem* pLarge = nullptr;
    const CBodItem* pGloves = nullptr;
    for (const auto& pBod : contents.bods) {
        EXPECT_EQ(std::string("from Aldric's backpack"), pBod->m_strNotes);
        (pBod->IsLarge() ? pLarge : pGloves) = pBod.get();
    }
    ASSERT_NE(nullptr, pLarge);
    ASSERT_NE(nullptr, pGloves);
    EXPECT_EQ(std::string("1250"), pLarge->m_strPrice);
    EXPECT_EQ(std::string("20/30"), pLarge->m_strCount);
    ASSERT_EQ(3, pLarge->GetPartCount());
    EXPECT_TRUE(pLarge->GetPart(0)->m_bFilled);
    EXPECT_TRUE(pLarge->GetPart(1)->m_bFilled);
    EXPECT_FALSE(pLarge->GetPart(2)->m_bFilled);
    EXPECT_EQ(std::string("platemail gloves"), pGloves->m_strItem);
    EXPECT_EQ(std::string("shadow iron"), pGloves->m_strMaterial);
    EXPECT_EQ(std::string("5/20"), pGloves->m_strCount);

    // A deed of a newer craft comes in as its tooltip; the status bar adds up its points.
    QApplication::clipboard()->setText("A Bulk Order Deed\nBlessed\nWeight: 1 Stone\n"
                                       "Small Bulk Order\nAll Items Must Be Made With Oak Wood.\n"
                                       "Amount To Make: 15\nLute: 0\n");
    WhenDialogOpens([](QWidget& dialog) {
        Press(dialog, "radioTooltip");
        Press(dialog, "btnPaste");
        Press(dialog, "btnProcessAll");
        Press(dialog, "btnExit");
    });
    QTest::keyClick(&Frame(), Qt::Key_I, Qt::ControlModifier);
    EXPECT_EQ("1 BOD was imported.", m_prompt.m_messages.value(2));
    Frame().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&Frame()));
    ClickNode("Carpentry");
    EXPECT_EQ(QString("BOD count: 1/3"), StatusPane());
    // 25 for fifteen, 300 for oak.
    EXPECT_EQ(QString("325 points (6.5 banked)"), Frame().GetPointsPane()->text());

    // Insert in the tree adds a deed by hand, by keys: Tinkering, the globe found by typing,
    // dull copper, Enter.
    WhenDialogOpens([](QWidget& dialog) {
        QTest::keyClick(dialog.findChild<QComboBox*>("comboCraft"), Qt::Key_End);
        auto* pItems = dialog.findChild<QListWidget*>("listItems");
        QTest::keyClicks(pItems, "globe");
        QTest::keyClick(dialog.findChild<QComboBox*>("comboMaterial"), Qt::Key_Down);
        QTest::keyClick(pItems, Qt::Key_Return);
    });
    QTest::keyClick(&Tree(), Qt::Key_Insert);
    ASSERT_EQ(4U, pDoc->m_arrBods.size());
    ASSERT_NE(nullptr, pDoc->m_pSelectedBod);
    const CBodItem* pGlobe = pDoc->m_pSelectedBod;
    EXPECT_EQ("Tinkering Metalware dull copper globe 0/20",
              pGlobe->m_strTrade + ' ' + pGlobe->m_strCategory + ' ' + pGlobe->m_strMaterial + ' ' +
                  pGlobe->m_strItem + ' ' + pGlobe->m_strCount);
    Frame().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&Frame()));
    EXPECT_TRUE(Node("dull copper").isValid());

    // Ctrl+E edits it in the same dialog: it moves to its new material; Ctrl+Z takes it back.
    WhenDialogOpens([](QWidget& dialog) {
        QTest::keyClick(dialog.findChild<QComboBox*>("comboMaterial"), Qt::Key_End);
        QTest::keyClick(dialog.findChild<QComboBox*>("comboAmount"), Qt::Key_Home);
        QTest::keyClick(dialog.findChild<QListWidget*>("listItems"), Qt::Key_Return);
    });
    QTest::keyClick(&Frame(), Qt::Key_E, Qt::ControlModifier);
    EXPECT_EQ(pGlobe, pDoc->m_pSelectedBod);
    EXPECT_EQ("valorite 0/10", pGlobe->m_strMaterial + ' ' + pGlobe->m_strCount);
    Frame().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&Frame()));
    EXPECT_FALSE(Node("dull copper").isValid());
    EXPECT_TRUE(Node("valorite").isValid());
    QTest::keyClick(&Frame(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ("dull copper 0/20", pGlobe->m_strMaterial + ' ' + pGlobe->m_strCount);
}

} // namespace
