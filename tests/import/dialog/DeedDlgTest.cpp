#include "import/dialog/DeedDlg.h"

#include "import/BodLineParser.h"
#include "import/TooltipReader.h"
#include "model/BodFile.h"
#include "support/ScriptedPrompt.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// The deed as the file holds it.
std::string FileBytes(std::unique_ptr<CBodItem> pBod) {
    CBodArray bods;
    bods.push_back(std::move(pBod));
    return bods.front() != nullptr ? BodFile::Write(bods, 0, 0) : "no deed";
}

// Each choice narrows the next to what the game gives: a craft's items, an item's materials (a
// choice only when there are several), and exceptional only where the game ever asks for it.
TEST(DeedDlgTest, EachChoiceOffersOnlyWhatTheGameGivesAndKeysAloneMakeADeed) {
    const ScriptedPrompt prompt;
    CDeedDlg dlg(nullptr);
    auto& items = *dlg.findChild<QListWidget*>("listItems");
    auto& material = *dlg.findChild<QComboBox*>("comboMaterial");
    const QString kIngots =
        "iron|dull copper|shadow iron|copper|bronze|gold|agapite|verite|valorite";
    const struct {
        const char* craft;
        bool bLarge;
        const char* item;
        int nItems; // 0: not counted here
        QString expected;
    } cases[] = {{"Smithy", true, "platemail", 8, kIngots + " to choose, exceptional"},
                 {"Smithy", false, "katana", 49, "iron, exceptional"},
                 {"Tailor", false, "fancy shirt", 56, "cloth, exceptional"},
                 {"Alchemy", false, "a heal potion", 0, "no material, "}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.item);
        dlg.findChild<QComboBox*>("comboCraft")->setCurrentText(c.craft);
        dlg.findChild<QRadioButton*>(c.bLarge ? "radioLarge" : "radioSmall")->setChecked(true);
        EXPECT_TRUE(c.nItems == 0 || c.nItems == items.count()) << items.count();
        const QList<QListWidgetItem*> found = items.findItems(c.item, Qt::MatchExactly);
        ASSERT_EQ(1, found.size());
        items.setCurrentItem(found.front());
        QStringList materials;
        for (int i = 0; i < material.count(); ++i) {
            materials << material.itemText(i);
        }
        const bool bExceptional = dlg.findChild<QCheckBox*>("checkExceptional")->isEnabled();
        EXPECT_EQ(c.expected, materials.join('|') + (material.isEnabled() ? " to choose, " : ", ") +
                                  (bExceptional ? "exceptional" : ""));
    }

    // By keys alone: the craft, the item found by typing, the material, the amount, exceptional;
    // Enter makes the deed, which is the record its UOAssist line imports as.
    dlg.show();
    QTest::keyClick(dlg.findChild<QComboBox*>("comboCraft"), Qt::Key_Home);
    auto* pItems = dlg.findChild<QListWidget*>("listItems");
    QTest::keyClicks(pItems, "platemail a");
    QTest::keyClick(dlg.findChild<QComboBox*>("comboMaterial"), Qt::Key_End);
    QTest::keyClick(dlg.findChild<QComboBox*>("comboAmount"), Qt::Key_Up);
    QTest::keyClick(dlg.findChild<QCheckBox*>("checkExceptional"), Qt::Key_Space);
    dlg.findChild<QSpinBox*>("spinMade")->setValue(3);
    QTest::keyClicks(dlg.findChild<QLineEdit*>("editPrice"), "450");
    QTest::keyClick(pItems, Qt::Key_Return);
    EXPECT_EQ(QDialog::Accepted, dlg.result());
    std::unique_ptr<CBodItem> pMade = dlg.TakeDeed();
    std::unique_ptr<CBodItem> pImported;
    ASSERT_TRUE(CBodLineParser().ParseLine(
        "small bulk order: 15 exceptional platemail arms: 3, with valorite ingots 450", pImported));
    if (pMade != nullptr) {
        pMade->m_timeAdded = pImported->m_timeAdded;
    }
    EXPECT_EQ(FileBytes(std::move(pImported)), FileBytes(std::move(pMade)));
}

// OK on a deed left as it was gives the very record back, gem, filled parts, price, notes and
// time included.
TEST(DeedDlgTest, EditingWithoutAChangeKeepsTheRecord) {
    const ScriptedPrompt prompt;
    for (const char* block :
         {"a bulk order deed / small bulk order / amount to make: 10 / ruby ring: 4",
          "a bulk order deed / large bulk order / All items must be exceptional. / All items must "
          "be made with barbed leather. / amount to make: 20 / leather gorget: 20 / leather cap: 0 "
          "/ leather gloves: 0 / leather sleeves: 0 / leather leggings: 0 / leather tunic: 0"}) {
        SCOPED_TRACE(block);
        std::unique_ptr<CBodItem> pBod;
        ASSERT_TRUE(TooltipReader::ReadBlock(block, pBod));
        pBod->m_timeAdded = 12345;
        pBod->m_strPrice = "900";
        pBod->m_strNotes = "from Bob\r\nsecond line";
        CDeedDlg dlg(pBod.get());
        dlg.accept();
        EXPECT_EQ(FileBytes(std::move(pBod)), FileBytes(dlg.TakeDeed()));
    }
}

} // namespace
