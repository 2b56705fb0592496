#include "import/dialog/ImportDlg.h"

#include "support/ScriptedPrompt.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeView>
#include <functional>
#include <gtest/gtest.h>

namespace {

const QString kSmall =
    "small bulk order: 20 exceptional platemail gloves: 5, with shadow iron ingots 300";
const QString kLarge = "large bulk order: 10 chainmail coif: 10 chainmail leggings: 0 "
                       "chainmail tunic: 0 iron ingots 900";
const QString kBroken = "junk bulk order";
const QString kQuestion = "The list still contains items to process. Importing new\n"
                          "data will clear these unprocessed items.\nDo you wish to continue?";

struct ButtonStates {
    bool bPaste;
    bool bProcessSelected;
    bool bProcessAll;
    bool bExit;
    bool operator==(const ButtonStates&) const = default;
};

void PrintTo(const ButtonStates& s, std::ostream* pOut) {
    *pOut << "{paste " << s.bPaste << ", selected " << s.bProcessSelected << ", all "
          << s.bProcessAll << ", exit " << s.bExit << "}";
}

class ImportDlgTest : public ::testing::Test {
protected:
    ImportDlgTest() { QGuiApplication::clipboard()->clear(); }
    ~ImportDlgTest() override { QGuiApplication::clipboard()->clear(); }

    template <typename T> T* Child(const char* pName) {
        T* pChild = m_dlg.findChild<T*>(QString::fromLatin1(pName));
        EXPECT_NE(nullptr, pChild) << pName;
        return pChild;
    }
    QPushButton* Button(const char* pName) { return Child<QPushButton>(pName); }
    QTreeView* List() { return Child<QTreeView>("listItems"); }
    int RowCount() { return List()->model()->rowCount(); }
    QString RowText(int nRow) { return List()->model()->index(nRow, 0).data().toString(); }
    QString Counter(const char* pName) { return Child<QLineEdit>(pName)->text(); }

    ButtonStates States() {
        return {Button("btnPaste")->isEnabled(), Button("btnProcessSelected")->isEnabled(),
                Button("btnProcessAll")->isEnabled(), Button("btnExit")->isEnabled()};
    }

    void PasteText(const QString& strText) {
        QGuiApplication::clipboard()->setText(strText);
        Button("btnPaste")->click();
    }
    void SelectRow(int nRow) {
        List()->selectionModel()->select(List()->model()->index(nRow, 0),
                                         QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }

    ScriptedPrompt m_prompt;
    CImportDlg m_dlg;
};

TEST_F(ImportDlgTest, ButtonsFollowClipboardRowsSelectionAndProcessing) {
    EXPECT_EQ((ButtonStates{false, false, false, false}), States());

    QGuiApplication::clipboard()->setText(kSmall + "\r\n" + kBroken);
    EXPECT_EQ((ButtonStates{true, false, false, false}), States());

    Button("btnPaste")->click();
    EXPECT_EQ((ButtonStates{true, false, true, false}), States());

    SelectRow(1);
    EXPECT_EQ((ButtonStates{true, true, true, false}), States());

    QGuiApplication::clipboard()->clear();
    EXPECT_EQ((ButtonStates{false, true, true, false}), States());

    List()->clearSelection();
    EXPECT_EQ((ButtonStates{false, false, true, false}), States());

    SelectRow(0);
    SelectRow(1);
    Button("btnProcessSelected")->click();
    // The valid row left, the invalid one stays unselected; E&xit/Save is now possible.
    EXPECT_EQ((ButtonStates{false, false, true, true}), States());
    EXPECT_EQ(1, RowCount());
}

TEST_F(ImportDlgTest, ProcessAllKeepsTheSelectionOfTheInvalidRows) {
    // Rows: junk, large, small, zzz junk.
    PasteText(kSmall + "\n" + kBroken + "\n" + kLarge + "\nzzz " + kBroken);
    SelectRow(1);
    SelectRow(3);
    Button("btnProcessAll")->click();

    ASSERT_EQ(2, RowCount());
    const QModelIndexList selected = List()->selectionModel()->selectedRows();
    ASSERT_EQ(1, selected.size());
    EXPECT_EQ("zzz " + kBroken, selected[0].data().toString());
    EXPECT_TRUE(Button("btnProcessSelected")->isEnabled());
}

TEST_F(ImportDlgTest, ExitHandsOverTheProcessedDeedsWithTheNote) {
    Child<QPlainTextEdit>("editNote")->setPlainText("for the north house");
    PasteText(kSmall + "\n" + kLarge);
    Button("btnProcessAll")->click();
    Button("btnExit")->click();

    EXPECT_EQ(QDialog::Accepted, m_dlg.result());
    const CBodArray arr = m_dlg.TakeProcessed();
    ASSERT_EQ(2u, arr.size());
    EXPECT_EQ("LBOD/chainmail", arr[0]->GetItem());
    EXPECT_EQ("for the north house", arr[0]->GetNotes());
    EXPECT_EQ("for the north house", arr[1]->GetNotes());
}

TEST_F(ImportDlgTest, EveryWayOfCancellingDropsTheProcessedDeeds) {
    const struct {
        const char* pName;
        std::function<void(CImportDlg&)> cancel;
    } cases[] = {
        {"cancel button",
         [](CImportDlg& dlg) {
             dlg.findChild<QPushButton*>(QStringLiteral("btnCancel"))->click();
         }},
        {"escape",
         [](CImportDlg& dlg) {
             QTest::keyClick(&dlg, Qt::Key_Escape);
         }},
        {"close box",
         [](CImportDlg& dlg) {
             dlg.close();
         }},
    };
    for (const auto& c : cases) {
        CImportDlg dlg;
        dlg.show();
        QGuiApplication::clipboard()->setText(kSmall + "\n" + kLarge + "\n" + kBroken);
        dlg.findChild<QPushButton*>(QStringLiteral("btnPaste"))->click();
        dlg.findChild<QPushButton*>(QStringLiteral("btnProcessAll"))->click();

        c.cancel(dlg);

        EXPECT_FALSE(dlg.isVisible()) << c.pName;
        EXPECT_EQ(QDialog::Rejected, dlg.result()) << c.pName;
        EXPECT_TRUE(dlg.TakeProcessed().empty()) << c.pName;
    }
}

TEST_F(ImportDlgTest, EnterEndsTheDialogOnlyOnceSomethingWasProcessed) {
    m_dlg.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&m_dlg));
    PasteText(kSmall);
    List()->setFocus();

    QTest::keyClick(List(), Qt::Key_Return);
    EXPECT_TRUE(m_dlg.isVisible());

    Button("btnProcessAll")->click();
    List()->setFocus();
    QTest::keyClick(List(), Qt::Key_Return);
    EXPECT_FALSE(m_dlg.isVisible());
    EXPECT_EQ(QDialog::Accepted, m_dlg.result());
    EXPECT_EQ(1u, m_dlg.TakeProcessed().size());
}

TEST_F(ImportDlgTest, NewPasteOverRowsAsksAndNoChangesNothing) {
    PasteText(kSmall + "\n" + kBroken + "\n" + kLarge);
    SelectRow(2);
    Button("btnProcessSelected")->click();
    ASSERT_EQ(2, RowCount());

    m_prompt.QueueAnswer(IPrompt::Answer::No);
    PasteText(kLarge);

    EXPECT_EQ(QStringList({kQuestion}), m_prompt.m_messages);
    ASSERT_EQ(2, RowCount());
    EXPECT_EQ(kBroken, RowText(0));
    EXPECT_EQ(kLarge, RowText(1));
    EXPECT_EQ(QStringList({"3", "1", "1"}),
              QStringList({Counter("editTotal"), Counter("editAdded"), Counter("editInvalid")}));
}

TEST_F(ImportDlgTest, CtrlVPastes) {
    m_dlg.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&m_dlg));
    List()->setFocus();
    QGuiApplication::clipboard()->setText(kSmall);
    QTest::keyClick(List(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(1, RowCount());
}

TEST_F(ImportDlgTest, TabOrderFollowsTheTemplate) {
    QStringList names;
    QWidget* pWidget = List();
    do {
        names.push_back(pWidget->objectName());
        pWidget = pWidget->nextInFocusChain();
        while (!(pWidget->focusPolicy() & Qt::TabFocus) && pWidget != List()) {
            pWidget = pWidget->nextInFocusChain();
        }
    } while (pWidget != List());
    EXPECT_EQ(QStringList({"listItems", "editNote", "editTotal", "editAdded", "editInvalid",
                           "radioAos", "radioPreAos", "btnPaste", "btnProcessSelected",
                           "btnProcessAll", "btnExit", "btnCancel"}),
              names);
}

TEST_F(ImportDlgTest, DraggingOnFreeSpaceMovesTheDialog) {
    m_dlg.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&m_dlg));
    const QPoint start = m_dlg.pos();
    const QPoint local(2, 2);
    QTest::mousePress(&m_dlg, Qt::LeftButton, {}, local);
    QMouseEvent move(QEvent::MouseMove, local + QPoint(30, 20),
                     m_dlg.mapToGlobal(local + QPoint(30, 20)), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QApplication::sendEvent(&m_dlg, &move);
    QTest::mouseRelease(&m_dlg, Qt::LeftButton, {}, local + QPoint(30, 20));

    EXPECT_EQ(start + QPoint(30, 20), m_dlg.pos());
}

} // namespace
