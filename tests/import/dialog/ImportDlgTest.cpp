#include "import/dialog/ImportDlg.h"

#include "import/ImportSession.h"
#include "model/TextOrder.h"
#include "support/ScriptedPrompt.h"

#include <QAbstractItemModelTester>
#include <QClipboard>
#include <QGuiApplication>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTreeView>
#include <gtest/gtest.h>

namespace {

const QString kSmall =
    "small bulk order: 20 exceptional platemail gloves: 5, with shadow iron ingots 300";
const QString kLarge = "large bulk order: 10 chainmail coif: 10 chainmail leggings: 0 "
                       "chainmail tunic: 0 iron ingots 900";
const QString kBroken = "junk bulk order";

class ImportDlgTest : public ::testing::Test {
protected:
    ImportDlgTest() { QGuiApplication::clipboard()->clear(); }
    ~ImportDlgTest() override { QGuiApplication::clipboard()->clear(); }

    template <typename T = QPushButton> T* Child(const char* pszName) {
        return m_dlg.findChild<T*>(pszName);
    }
    QTreeView* List() { return Child<QTreeView>("listItems"); }
    QStringList Rows() {
        QStringList rows;
        for (int nRow = 0; nRow < List()->model()->rowCount(); ++nRow) {
            rows << List()->model()->index(nRow, 0).data().toString();
        }
        return rows;
    }
    // The enabled buttons, then Total Items Pasted, BOD's Added and Invalid List Items.
    QString State() {
        QStringList state;
        for (const char* pszButton :
             {"btnPaste", "btnProcessSelected", "btnProcessAll", "btnExit"}) {
            if (Child(pszButton)->isEnabled()) {
                state << pszButton + 3;
            }
        }
        for (const char* pszCounter : {"editTotal", "editAdded", "editInvalid"}) {
            state << Child<QLineEdit>(pszCounter)->text();
        }
        return state.join(' ');
    }
    void PasteText(const QString& strText) {
        QGuiApplication::clipboard()->setText(strText);
        Child("btnPaste")->click();
    }
    void SelectRow(int nRow) {
        List()->selectionModel()->select(List()->model()->index(nRow, 0),
                                         QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }

    ScriptedPrompt m_prompt;
    CImportDlg m_dlg;
};

// The buttons and counters follow the clipboard, the rows, the selection and the processing. A
// deed the document holds already has a mark of its own and is counted beside the note's label;
// the row model stays consistent with its signals throughout.
TEST_F(ImportDlgTest, ButtonsCountersAndMarksFollowPastesSelectionAndProcessing) {
    const QAbstractItemModelTester tester(List()->model(),
                                          QAbstractItemModelTester::FailureReportingMode::Fatal);
    CNoCaseTextOrder order;
    CImportSession earlier(order);
    earlier.Paste(kSmall.toStdString());
    earlier.ProcessAll();
    m_dlg.AddKnownDeeds(earlier.TakeProcessed());
    m_dlg.show();
    EXPECT_EQ("0 0 0", State());
    QGuiApplication::clipboard()->setText(kSmall + "\r\n" + kLarge + "\r\n" + kBroken);
    EXPECT_EQ("Paste 0 0 0", State());
    Child("btnPaste")->click();
    EXPECT_EQ("Paste ProcessAll 3 0 1", State());
    EXPECT_EQ(QStringList({kBroken, kLarge, kSmall}), Rows());
    const auto Mark = [this](int nRow) {
        return List()->model()->index(nRow, 0).data(Qt::DecorationRole).value<QIcon>().cacheKey();
    };
    EXPECT_NE(Mark(2), Mark(1));
    EXPECT_NE(Mark(2), Mark(0));
    EXPECT_EQ(QString("Already in this document"),
              List()->model()->index(2, 0).data(Qt::ToolTipRole).toString());
    EXPECT_EQ(QVariant(), List()->model()->index(1, 0).data(Qt::ToolTipRole));
    QLabel* pCount = Child<QLabel>("labelDuplicates");
    EXPECT_EQ(QString("1 already in this document"), pCount->text());

    SelectRow(1);
    EXPECT_EQ("Paste ProcessSelected ProcessAll 3 0 1", State());
    QGuiApplication::clipboard()->clear();
    EXPECT_EQ("ProcessSelected ProcessAll 3 0 1", State());
    List()->clearSelection();
    EXPECT_EQ("ProcessAll 3 0 1", State());
    SelectRow(0);
    SelectRow(1);
    Child("btnProcessSelected")->click();
    // The valid row left, the invalid one stays unselected; E&xit/Save is now possible.
    EXPECT_EQ("ProcessAll Exit 3 1 1", State());
    EXPECT_EQ(QStringList({kBroken, kSmall}), Rows());

    // A paste over rows asks first; No changes nothing.
    m_prompt.QueueAnswer(IPrompt::Answer::No);
    PasteText(kLarge);
    EXPECT_EQ(m_prompt.m_messages,
              QStringList({"The list still contains items to process. Importing new\ndata will "
                           "clear these unprocessed items.\nDo you wish to continue?"}));
    EXPECT_EQ(QStringList({kBroken, kSmall}), Rows());
    Child("btnProcessAll")->click();
    EXPECT_EQ("Paste ProcessAll Exit 3 2 1", State());
    EXPECT_EQ(QString(), pCount->text());
}

// A paste from a Windows editor's code page keeps its letters (E9 is é). In the tooltip mode
// each block of the clipboard is one row.
TEST_F(ImportDlgTest, PastesReadTheCodePageAndTooltipBlocks) {
    auto* pData = new QMimeData;
    pData->setData("text/plain", kSmall.toUtf8() + " caf\xE9");
    QGuiApplication::clipboard()->setMimeData(pData);
    Child("btnPaste")->click();
    EXPECT_EQ(QStringList{kSmall + " caf\u00E9"}, Rows());
    Child<QRadioButton>("radioTooltip")->click();
    m_prompt.QueueAnswer(IPrompt::Answer::Yes);
    PasteText("A Bulk Order Deed\nSmall Bulk Order\nAmount To Make: 10\nGlobe: 0\n\n"
              "A Bulk Order Deed\nSomething Else\n");
    EXPECT_EQ((QStringList{"A Bulk Order Deed / Small Bulk Order / Amount To Make: 10 / Globe: 0",
                           "A Bulk Order Deed / Something Else"}),
              Rows());
    EXPECT_EQ("Paste ProcessAll 2 0 1", State());
}

// Every way of cancelling deletes what was processed.
TEST_F(ImportDlgTest, CancelAndEscapeDeleteTheProcessedDeeds) {
    for (const bool bEscape : {false, true}) {
        CImportDlg dlg;
        dlg.show();
        QGuiApplication::clipboard()->setText(kSmall);
        dlg.findChild<QPushButton*>("btnPaste")->click();
        dlg.findChild<QPushButton*>("btnProcessAll")->click();
        bEscape ? QTest::keyClick(&dlg, Qt::Key_Escape)
                : dlg.findChild<QPushButton*>("btnCancel")->click();
        EXPECT_FALSE(dlg.isVisible());
        EXPECT_EQ(QDialog::Rejected, dlg.result());
        EXPECT_TRUE(dlg.TakeProcessed().empty());
    }
}

} // namespace
