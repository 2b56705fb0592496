#include "import/BodLineParser.h"
#include "import/ImportSession.h"
#include "import/TooltipReader.h"
#include "import/dialog/DeedDlg.h"
#include "import/dialog/ImportDlg.h"
#include "model/BodFile.h"
#include "model/TextOrder.h"
#include "support/Mnemonics.h"
#include "support/ScriptedPrompt.h"
#include "support/TestDeeds.h"
#include "widgets/AboutDlg.h"

#include <QAbstractItemModelTester>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>
#include <QTreeView>
#include <gtest/gtest.h>

namespace {

const QString kBroken = "junk bulk order";
const QString kSmall =
    "small bulk order: 20 exceptional platemail gloves: 5, with shadow iron ingots 300";
const QString kKnown = kSmall + " | Already in this document\n" + kSmall; // with its tooltip
const QString kLarge = "large bulk order: 10 chainmail coif: 10 chainmail leggings: 0 "
                       "chainmail tunic: 0 iron ingots 900";

class ImportDlgTest : public ::testing::Test {
protected:
    ImportDlgTest() { QGuiApplication::clipboard()->clear(); }
    ~ImportDlgTest() override { QGuiApplication::clipboard()->clear(); }

    template <typename T = QPushButton> T* Child(const char* pszName) {
        return m_dlg.findChild<T*>(pszName);
    }
    QTreeView* List() { return Child<QTreeView>("listItems"); }
    // Each row as shown, and its tooltip where that says more.
    QStringList Rows() {
        QStringList rows;
        for (int nRow = 0; nRow < List()->model()->rowCount(); ++nRow) {
            const QModelIndex row = List()->model()->index(nRow, 0);
            const QString strTip = row.data(Qt::ToolTipRole).toString();
            rows << (strTip == row.data().toString() ? strTip
                                                     : row.data().toString() + " | " + strTip);
        }
        return rows;
    }
    // The enabled buttons; Total Items Pasted, BOD's Added, Invalid List Items; the duplicates.
    QString State() {
        QStringList state;
        for (const char* pszName : {"btnPaste", "btnProcessSelected", "btnProcessAll", "btnExit",
                                    "editTotal", "editAdded", "editInvalid"}) {
            const auto* pEdit = Child<QLineEdit>(pszName);
            state << (pEdit != nullptr              ? pEdit->text()
                      : Child(pszName)->isEnabled() ? pszName + 3
                                                    : "");
        }
        state.removeAll(QString());
        return state.join(' ') + ';' + Child<QLabel>("labelDuplicates")->text();
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

// The buttons and counters follow the clipboard, the rows, the selection and the processing; a
// deed the document holds already has a mark of its own and is counted.
TEST_F(ImportDlgTest, ButtonsCountersAndMarksFollowPastesSelectionAndProcessing) {
    const QAbstractItemModelTester tester(List()->model(),
                                          QAbstractItemModelTester::FailureReportingMode::Fatal);
    EXPECT_EQ("", MnemonicClashes(m_dlg).toStdString());
    CNoCaseTextOrder order;
    CImportSession earlier(order);
    earlier.Paste(kSmall.toStdString());
    earlier.ProcessAll();
    m_dlg.AddKnownDeeds(earlier.TakeProcessed());
    m_dlg.show();
    EXPECT_EQ("0 0 0;", State());
    QGuiApplication::clipboard()->setText(kSmall + "\r\n" + kLarge + "\r\n" + kBroken);
    EXPECT_EQ("Paste 0 0 0;", State());
    Child("btnPaste")->click();
    EXPECT_EQ("Paste ProcessAll 3 0 1;1 already in this document", State());
    EXPECT_EQ(QStringList({kBroken, kLarge, kKnown}), Rows());
    const auto Mark = [this](int nRow) {
        return List()->model()->index(nRow, 0).data(Qt::DecorationRole).value<QIcon>().cacheKey();
    };
    EXPECT_TRUE(Mark(2) != Mark(1) && Mark(2) != Mark(0));

    SelectRow(1);
    EXPECT_EQ("Paste ProcessSelected ProcessAll 3 0 1;1 already in this document", State());
    QGuiApplication::clipboard()->clear();
    EXPECT_EQ("ProcessSelected ProcessAll 3 0 1;1 already in this document", State());
    List()->clearSelection();
    EXPECT_EQ("ProcessAll 3 0 1;1 already in this document", State());
    SelectRow(0);
    SelectRow(1);
    Child("btnProcessSelected")->click();
    // The valid row left, the invalid one stays unselected; E&xit/Save is now possible.
    EXPECT_EQ("ProcessAll Exit 3 1 1;1 already in this document", State());
    EXPECT_EQ(QStringList({kBroken, kKnown}), Rows());

    // A paste over rows asks first; No changes nothing.
    m_prompt.QueueAnswer(IPrompt::Answer::No);
    PasteText(kLarge);
    EXPECT_EQ(m_prompt.m_messages,
              QStringList({"The list still contains items to process. Importing new\ndata will "
                           "clear these unprocessed items.\nDo you wish to continue?"}));
    EXPECT_EQ(QStringList({kBroken, kKnown}), Rows());
    Child("btnProcessAll")->click();
    EXPECT_EQ("Paste ProcessAll Exit 3 2 1;", State());
}

// A paste from a Windows editor's code page keeps its letters (E9 is é). In the tooltip mode
// each block of the clipboard is one row, shown and sorted by what the deed asks for, its whole
// text on hover.
TEST_F(ImportDlgTest, PastesReadTheCodePageAndTooltipBlocksAndCancelDropsTheDeeds) {
    auto* pData = new QMimeData;
    pData->setData("text/plain", kSmall.toUtf8() + " caf\xE9");
    QGuiApplication::clipboard()->setMimeData(pData);
    Child("btnPaste")->click();
    EXPECT_EQ(QStringList{kSmall + " caf\u00E9"}, Rows());
    Child<QRadioButton>("radioTooltip")->click();
    m_prompt.QueueAnswer(IPrompt::Answer::Yes);
    const QString kGloves = "A Bulk Order Deed\nSmall Bulk Order\nAll Items Must Be Exceptional.\n"
                            "Amount To Make: 20\nPlatemail Gloves: 5";
    const QString kRings = "A Bulk Order Deed\nLarge Bulk Order\nAmount To Make: 10\nRing: 10\n"
                           "Bracelet: 0\nEarrings: 0";
    PasteText(kGloves + "\n\n" + kRings + "\n\nA Bulk Order Deed\nSomething Else\n");
    EXPECT_EQ((QStringList{"A Bulk Order Deed / Something Else | A Bulk Order Deed\nSomething Else",
                           "LBOD/ring/iron/10/Normal - 10/30 | " + kRings,
                           "SBOD/platemail gloves/iron/20/Exceptional - 5/20 | " + kGloves}),
              Rows());
    EXPECT_EQ("Paste ProcessAll 3 0 1;", State());
    Child("btnProcessAll")->click();
    Child("btnCancel")->click();
    EXPECT_TRUE(m_dlg.TakeProcessed().empty());
}

std::string FileBytes(std::unique_ptr<CBodItem> pBod) {
    CBodArray bods;
    bods.push_back(std::move(pBod));
    return bods.front() != nullptr ? BodFile::Write(bods, 0, 0) : "no deed";
}

// Each choice narrows the next to what the game gives: a craft's items, an item's materials (a
// choice only when there are several), and exceptional only where the game ever asks for it.
TEST(DeedDlgTest, ChoicesOfferWhatTheGameGivesKeysMakeADeedAndAnUnchangedEditKeepsIt) {
    const ScriptedPrompt prompt;
    CDeedDlg dlg(nullptr);
    const CAboutDlg about;
    EXPECT_EQ("", (MnemonicClashes(dlg) + MnemonicClashes(about)).toStdString());
    auto& items = *dlg.findChild<QListWidget*>("listItems");
    auto& material = *dlg.findChild<QComboBox*>("comboMaterial");
    const QString kIngots =
        "iron|dull copper|shadow iron|copper|bronze|gold|agapite|verite|valorite";
    const auto Flag = [&dlg](const char* pszName, const char* pszText) {
        return dlg.findChild<QWidget*>(pszName)->isEnabled() ? QString(", ") + pszText : QString();
    };
    // Craft, large, item, the number of items offered (0: not counted here), what it offers.
    const std::tuple<const char*, bool, const char*, int, QString> cases[] = {
        {"Smithy", true, "platemail", 8, kIngots + " to choose, exceptional"},
        {"Smithy", false, "katana", 49, kIngots + " to choose, exceptional, made so far"},
        {"Tailor", false, "fancy shirt", 55, "cloth, exceptional, made so far"},
        {"Tinkering", true, "ring", 4, kIngots + " to choose, gem, exceptional"},
        {"Alchemy", false, "a heal potion", 0, "no material, made so far"}};
    for (const auto& [pszCraft, bLarge, pszItem, nItems, strExpected] : cases) {
        dlg.findChild<QComboBox*>("comboCraft")->setCurrentText(pszCraft);
        dlg.findChild<QRadioButton*>(bLarge ? "radioLarge" : "radioSmall")->setChecked(true);
        EXPECT_TRUE(nItems == 0 || nItems == items.count()) << items.count();
        const QList<QListWidgetItem*> found = items.findItems(pszItem, Qt::MatchExactly);
        ASSERT_EQ(1, found.size());
        items.setCurrentItem(found.front());
        QStringList materials;
        for (int i = 0; i < material.count(); ++i) {
            materials << material.itemText(i);
        }
        EXPECT_EQ(strExpected, materials.join('|') + (material.isEnabled() ? " to choose" : "") +
                                   Flag("comboGem", "gem") +
                                   Flag("checkExceptional", "exceptional") +
                                   Flag("spinMade", "made so far"));
    }

    // By keys alone: the craft, the item found by typing, the material, the amount, exceptional;
    // Enter makes the deed, which is the record its UOAssist line imports as.
    dlg.show();
    QTest::keyClick(dlg.findChild<QComboBox*>("comboCraft"), Qt::Key_Home);
    EXPECT_EQ(QString("Material"), material.accessibleName());
    // The material chosen stays when the item changes.
    QTest::keyClick(&material, Qt::Key_End);
    QTest::keyClicks(&items, "platemail a");
    QTest::keyClick(dlg.findChild<QComboBox*>("comboAmount"), Qt::Key_Up);
    QTest::keyClick(dlg.findChild<QCheckBox*>("checkExceptional"), Qt::Key_Space);
    dlg.findChild<QSpinBox*>("spinMade")->setValue(3);
    QTest::keyClicks(dlg.findChild<QLineEdit*>("editPrice"), "450");
    QTest::keyClick(&items, Qt::Key_Return);
    EXPECT_EQ(QDialog::Accepted, dlg.result());
    std::unique_ptr<CBodItem> pMade = dlg.TakeDeed();
    std::unique_ptr<CBodItem> pImported;
    ASSERT_TRUE(CBodLineParser().ParseLine(
        "small bulk order: 15 exceptional platemail arms: 3, with valorite ingots 450", pImported));
    ASSERT_NE(nullptr, pMade);
    pMade->m_timeAdded = pImported->m_timeAdded;
    EXPECT_EQ(FileBytes(std::move(pImported)), FileBytes(std::move(pMade)));

    // OK on a deed left as it was gives the very record back, gem, parts, price, notes, time. A
    // large deed's progress is its filled parts, shown of all.
    for (
        const auto& [block, pszMade] :
        {std::pair{"a bulk order deed / small bulk order / amount to make: 10 / ruby ring: 4", "4"},
         {"a bulk order deed / large bulk order / amount to make: 10 / amber ring: 10 / amber "
          "bracelet: 0 / amber earrings: 0",
          "10/30"},
         {"a bulk order deed / large bulk order / All items must be exceptional. / All items must "
          "be made with barbed leather. / amount to make: 20 / leather gorget: 20 / leather cap: 0 "
          "/ leather gloves: 0 / leather sleeves: 0 / leather leggings: 0 / leather tunic: 0",
          "20/120"}}) {
        SCOPED_TRACE(block);
        std::unique_ptr<CBodItem> pBod;
        ASSERT_TRUE(TooltipReader::ReadBlock(block, pBod));
        pBod->m_timeAdded = 12345;
        pBod->m_strPrice = "900";
        pBod->m_strNotes = "from Bob\r\nsecond line";
        CDeedDlg edit(pBod.get());
        EXPECT_EQ(pszMade, edit.findChild<QSpinBox*>("spinMade")->text());
        edit.accept();
        EXPECT_EQ(FileBytes(std::move(pBod)), FileBytes(edit.TakeDeed()));
    }
    // So does progress a large deed recorded without its parts.
    const auto pBow =
        TestDeeds::MakeDeed({"Bowcraft", "Bow", "wood", "10", "Normal", "LBOD/bow", "10/30"});
    CDeedDlg editBow(pBow.get());
    EXPECT_EQ("10/30", editBow.findChild<QSpinBox*>("spinMade")->text());
    editBow.accept();
    EXPECT_EQ("10/30", editBow.TakeDeed()->m_strCount);
}

} // namespace
