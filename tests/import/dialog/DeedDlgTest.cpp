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

template <typename T> T& Child(QDialog& dlg, const char* pszName) {
    T* pChild = dlg.findChild<T*>(QString::fromLatin1(pszName));
    EXPECT_NE(nullptr, pChild) << pszName;
    return *pChild;
}

QStringList ComboTexts(QComboBox& combo) {
    QStringList texts;
    for (int i = 0; i < combo.count(); ++i) {
        texts << combo.itemText(i);
    }
    return texts;
}

// Each choice narrows the next to what the game gives: a craft's items, an item's materials,
// and exceptional only where the game ever asks for it.
TEST(DeedDlgTest, EachChoiceOffersOnlyWhatTheGameGives) {
    CDeedDlg dlg(nullptr);
    auto& craft = Child<QComboBox>(dlg, "comboCraft");
    auto& items = Child<QListWidget>(dlg, "listItems");
    auto& material = Child<QComboBox>(dlg, "comboMaterial");
    auto& exceptional = Child<QCheckBox>(dlg, "checkExceptional");
    const struct {
        const char* craft;
        bool bLarge;
        const char* item;
        int nItems;
        QStringList materials;
        bool bExceptional;
    } cases[] = {
        {"Smithy", false, "katana", 49, {"iron"}, true},
        {"Smithy",
         true,
         "platemail",
         8,
         {"iron", "dull copper", "shadow iron", "copper", "bronze", "gold", "agapite", "verite",
          "valorite"},
         true},
        {"Tailor", false, "fancy shirt", 56, {"cloth"}, true},
        {"Alchemy", false, "a heal potion", 0, {"no material"}, false},
        {"Tinkering", false, "gears", 0, {"iron"}, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.item);
        craft.setCurrentText(c.craft);
        Child<QRadioButton>(dlg, c.bLarge ? "radioLarge" : "radioSmall").setChecked(true);
        if (c.nItems > 0) {
            EXPECT_EQ(c.nItems, items.count());
        }
        const QList<QListWidgetItem*> found = items.findItems(c.item, Qt::MatchExactly);
        ASSERT_EQ(1, found.size());
        items.setCurrentItem(found.front());
        EXPECT_EQ(c.materials, ComboTexts(material));
        EXPECT_EQ(c.materials.size() > 1, material.isEnabled());
        EXPECT_EQ(c.bExceptional, exceptional.isEnabled());
    }
}

// By keys alone: the craft, the item found by typing, the material, the amount, exceptional;
// Enter makes the deed, which is the record its UOAssist line imports as. Escape makes nothing.
TEST(DeedDlgTest, KeysAloneMakeTheRecordOfTheImportedLine) {
    CDeedDlg dlg(nullptr);
    dlg.show();
    QTest::keyClick(&Child<QComboBox>(dlg, "comboCraft"), Qt::Key_Home);
    auto& items = Child<QListWidget>(dlg, "listItems");
    QTest::keyClicks(&items, "platemail a");
    EXPECT_EQ("platemail arms", items.currentItem()->text());
    QTest::keyClick(&Child<QComboBox>(dlg, "comboMaterial"), Qt::Key_End);
    QTest::keyClick(&Child<QComboBox>(dlg, "comboAmount"), Qt::Key_Up);
    QTest::keyClick(&Child<QCheckBox>(dlg, "checkExceptional"), Qt::Key_Space);
    Child<QSpinBox>(dlg, "spinMade").setValue(3);
    QTest::keyClicks(&Child<QLineEdit>(dlg, "editPrice"), "450");
    QTest::keyClick(&items, Qt::Key_Return);
    ASSERT_EQ(QDialog::Accepted, dlg.result());
    std::unique_ptr<CBodItem> pMade = dlg.TakeDeed();
    ASSERT_NE(nullptr, pMade);

    std::unique_ptr<CBodItem> pImported;
    ASSERT_TRUE(CBodLineParser().ParseLine(
        "small bulk order: 15 exceptional platemail arms: 3, with valorite ingots 450", pImported));
    pMade->m_timeAdded = pImported->m_timeAdded = 1;
    CBodArray made, imported;
    made.push_back(std::move(pMade));
    imported.push_back(std::move(pImported));
    EXPECT_EQ(BodFile::Write(imported, 0, 0), BodFile::Write(made, 0, 0));

    CDeedDlg cancelled(nullptr);
    cancelled.show();
    QTest::keyClick(&Child<QListWidget>(cancelled, "listItems"), Qt::Key_Escape);
    EXPECT_EQ(QDialog::Rejected, cancelled.result());
    EXPECT_EQ(nullptr, cancelled.TakeDeed());
}

// OK on a deed left as it was gives the very record back, gem, filled parts, price, notes and
// time included.
TEST(DeedDlgTest, EditingWithoutAChangeKeepsTheRecord) {
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
        CBodArray before, after;
        after.push_back(dlg.TakeDeed());
        ASSERT_NE(nullptr, after.front());
        before.push_back(std::move(pBod));
        EXPECT_EQ(BodFile::Write(before, 0, 0), BodFile::Write(after, 0, 0));
    }
}

} // namespace
