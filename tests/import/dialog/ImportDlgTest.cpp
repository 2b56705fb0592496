#include "import/dialog/ImportDlg.h"

#include "import/ImportSession.h"
#include "model/TextOrder.h"
#include "support/ScriptedPrompt.h"

#include <QAbstractItemModel>
#include <QAbstractItemModelTester>
#include <QClipboard>
#include <QGuiApplication>
#include <QIcon>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTreeView>
#include <gtest/gtest.h>
#include <string_view>

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

    template <typename T> T* Child(const char* pName) {
        T* pChild = m_dlg.findChild<T*>(QString::fromLatin1(pName));
        EXPECT_NE(pChild, nullptr) << pName;
        return pChild;
    }
    QPushButton* Button(const char* pName) { return Child<QPushButton>(pName); }
    QTreeView* List() { return Child<QTreeView>("listItems"); }
    QStringList Rows() {
        QStringList rows;
        for (int nRow = 0; nRow < List()->model()->rowCount(); ++nRow) {
            rows << List()->model()->index(nRow, 0).data().toString();
        }
        return rows;
    }
    // Paste, Process Selected, Process All, E&xit/Save.
    std::vector<bool> Enabled() {
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

// The row model stays consistent with its signals through pastes and processing.
TEST_F(ImportDlgTest, ButtonsFollowClipboardRowsSelectionAndProcessing) {
    const QAbstractItemModelTester tester(List()->model(),
                                          QAbstractItemModelTester::FailureReportingMode::Fatal);
    EXPECT_EQ(Enabled(), (std::vector<bool>{false, false, false, false}));
    QGuiApplication::clipboard()->setText(kSmall + "\r\n" + kBroken);
    EXPECT_EQ(Enabled(), (std::vector<bool>{true, false, false, false}));
    Button("btnPaste")->click();
    EXPECT_EQ(Enabled(), (std::vector<bool>{true, false, true, false}));
    SelectRow(1);
    EXPECT_EQ(Enabled(), (std::vector<bool>{true, true, true, false}));
    QGuiApplication::clipboard()->clear();
    EXPECT_EQ(Enabled(), (std::vector<bool>{false, true, true, false}));
    List()->clearSelection();
    EXPECT_EQ(Enabled(), (std::vector<bool>{false, false, true, false}));

    SelectRow(0);
    SelectRow(1);
    Button("btnProcessSelected")->click();
    // The valid row left, the invalid one stays unselected; E&xit/Save is now possible.
    EXPECT_EQ(Enabled(), (std::vector<bool>{false, false, true, true}));
    EXPECT_EQ(Rows(), QStringList({kBroken}));

    // A paste over rows asks first; No changes nothing.
    m_prompt.QueueAnswer(IPrompt::Answer::No);
    PasteText(kLarge);
    EXPECT_EQ(m_prompt.m_messages,
              QStringList({"The list still contains items to process. Importing new\ndata will "
                           "clear these unprocessed items.\nDo you wish to continue?"}));
    EXPECT_EQ(Rows(), QStringList({kBroken}));
    EXPECT_EQ(
        QStringList({Child<QLineEdit>("editTotal")->text(), Child<QLineEdit>("editAdded")->text(),
                     Child<QLineEdit>("editInvalid")->text()}),
        QStringList({"2", "1", "1"}));
}

// A paste from a Windows editor's code page keeps its letters (E9 is é).
TEST_F(ImportDlgTest, ClipboardBytesThatAreNotUtf8ReadAsTheCodePage) {
    auto* pData = new QMimeData;
    pData->setData("text/plain", kSmall.toUtf8() + " caf\xE9");
    QGuiApplication::clipboard()->setMimeData(pData);
    Button("btnPaste")->click();
    EXPECT_EQ(QStringList{kSmall + " caf\u00E9"}, Rows());
}

// In the tooltip mode each block of the clipboard is one row; the other modes read lines.
TEST_F(ImportDlgTest, TooltipModeListsOneRowPerBlock) {
    const QString strTooltips = "A Bulk Order Deed\nSmall Bulk Order\nAmount To Make: 10\n"
                                "Globe: 0\n\nA Bulk Order Deed\nSomething Else\n";
    Child<QRadioButton>("radioTooltip")->click();
    PasteText(strTooltips);
    EXPECT_EQ((QStringList{"A Bulk Order Deed / Small Bulk Order / Amount To Make: 10 / Globe: 0",
                           "A Bulk Order Deed / Something Else"}),
              Rows());
    EXPECT_EQ("2", Child<QLineEdit>("editTotal")->text());
    EXPECT_EQ("1", Child<QLineEdit>("editInvalid")->text());
    Child<QRadioButton>("radioPreAos")->click();
    m_prompt.QueueAnswer(IPrompt::Answer::Yes);
    PasteText(strTooltips + kLarge);
    EXPECT_EQ(QStringList{kLarge}, Rows());
}

// E&xit/Save hands the processed deeds over with the note; every way of cancelling deletes them.
TEST_F(ImportDlgTest, OnlyExitHandsOverTheProcessedDeeds) {
    for (const char* pEnd : {"btnExit", "btnCancel", "Escape"}) {
        CImportDlg dlg;
        dlg.show();
        dlg.findChild<QPlainTextEdit*>("editNote")->setPlainText("for the north house");
        QGuiApplication::clipboard()->setText(kSmall + "\n" + kLarge + "\n" + kBroken);
        dlg.findChild<QPushButton*>("btnPaste")->click();
        dlg.findChild<QPushButton*>("btnProcessAll")->click();
        if (auto* pButton = dlg.findChild<QPushButton*>(pEnd)) {
            pButton->click();
        } else {
            QTest::keyClick(&dlg, Qt::Key_Escape);
        }
        const bool bExit = std::string_view(pEnd) == "btnExit";
        EXPECT_FALSE(dlg.isVisible()) << pEnd;
        EXPECT_EQ(dlg.result(), bExit ? QDialog::Accepted : QDialog::Rejected) << pEnd;
        const CBodArray arr = dlg.TakeProcessed();
        ASSERT_EQ(arr.size(), bExit ? 2U : 0U) << pEnd;
        for (const auto& pBod : arr) {
            EXPECT_EQ(pBod->GetNotes(), "for the north house");
        }
    }
}

// A deed the document holds already has a mark of its own and is counted beside the note's
// label, where nothing else moves; Process All still takes it.
TEST_F(ImportDlgTest, RowsAlreadyInTheDocumentShowTheirMarkAndCount) {
    CNoCaseTextOrder order;
    CImportSession earlier(order);
    earlier.Paste(kSmall.toStdString());
    earlier.ProcessAll();
    m_dlg.AddKnownDeeds(earlier.TakeProcessed());
    m_dlg.show();
    const QRect rcNote = Child<QPlainTextEdit>("editNote")->geometry();
    const QRect rcList = List()->geometry();
    PasteText(kSmall + "\n" + kLarge + "\n" + kBroken);

    const auto Mark = [this](int nRow) {
        return List()->model()->index(nRow, 0).data(Qt::DecorationRole).value<QIcon>().cacheKey();
    };
    EXPECT_EQ(QStringList({kBroken, kLarge, kSmall}), Rows());
    EXPECT_NE(Mark(2), Mark(1));
    EXPECT_NE(Mark(2), Mark(0));
    EXPECT_EQ(QString("Already in this document"),
              List()->model()->index(2, 0).data(Qt::ToolTipRole).toString());
    EXPECT_EQ(QVariant(), List()->model()->index(1, 0).data(Qt::ToolTipRole));
    QLabel* pCount = Child<QLabel>("labelDuplicates");
    EXPECT_EQ(QString("1 already in this document"), pCount->text());
    EXPECT_EQ(rcNote, Child<QPlainTextEdit>("editNote")->geometry());
    EXPECT_EQ(rcList, List()->geometry());

    Button("btnProcessAll")->click();
    EXPECT_EQ(QString("2"), Child<QLineEdit>("editAdded")->text());
    EXPECT_EQ(QString(), pCount->text());
}

} // namespace
