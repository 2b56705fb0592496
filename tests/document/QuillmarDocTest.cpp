#include "document/QuillmarDoc.h"

#include "framework/DocManager.h"
#include "model/BodFile.h"
#include "support/BodToolRunner.h"
#include "support/ScriptedPrompt.h"
#include "support/TestDeeds.h"

#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// A platemail deed; given parts, a large one with those listed in filled filled.
std::unique_ptr<CBodItem> Deed(const std::string& strItem,
                               const std::vector<std::string>& parts = {},
                               const std::vector<int>& filled = {}) {
    const TestDeeds::DeedFields fields{"Smithy",      "Platemail", "iron", "20",
                                       "Exceptional", strItem,     "0/20"};
    auto pBod =
        parts.empty() ? TestDeeds::MakeDeed(fields) : TestDeeds::MakeLargeDeed(fields, parts);
    for (const int nPart : filled) {
        pBod->SetPart(nPart, true, "");
    }
    // A new deed takes the clock's time, which a state written by hand cannot know.
    pBod->m_timeAdded = 1;
    return pBod;
}

// deeds followed by small deeds of the items given.
CBodArray Deeds(std::initializer_list<const char*> items, CBodArray deeds = {}) {
    for (const char* pszItem : items) {
        deeds.push_back(Deed(pszItem));
    }
    return deeds;
}

std::string Items(const CBodArray& bods) {
    std::string strItems;
    for (const auto& pBod : bods) {
        strItems += pBod->m_strItem + ",";
    }
    return strItems;
}

QByteArray Bytes(const CBodArray& bods) {
    return QByteArray::fromStdString(BodFile::Write(bods, 0, 0));
}

class QuillmarDocTest : public ::testing::Test {
protected:
    QuillmarDocTest() {
        QSettings().clear();
        CDocTemplate docTemplate;
        docTemplate.createDocument = [] {
            return std::make_unique<CQuillmarDoc>();
        };
        m_manager = std::make_unique<CDocManager>(std::move(docTemplate));
    }

    CQuillmarDoc& NewDoc() { return static_cast<CQuillmarDoc&>(*m_manager->OnFileNew()); }
    CQuillmarDoc& Open(const QString& strName, const QByteArray& bytes) {
        WriteFileBytes(Path(strName), bytes);
        return static_cast<CQuillmarDoc&>(*m_manager->OpenDocumentFile(Path(strName)));
    }
    QString Path(const QString& strName) const { return m_dir.filePath(strName); }

    QTemporaryDir m_dir;
    ScriptedPrompt m_prompt;
    std::unique_ptr<CDocManager> m_manager;
};

// A crafted deed lists no more open parts than a real one (six), and the rest are told. Changes to
// the copies shown are not recorded; a save writes the real deeds, their history untouched.
TEST_F(QuillmarDocTest, ShoppingListShowsLargeDeedsThenTheOpenPartsAndLeavesNoTrace) {
    CQuillmarDoc& doc = NewDoc();
    doc.AddBodItem(Deed("LBOD/A", {"A-1", "A-2", "A-3"}, {1}));
    doc.AddBodItem(Deed("LBOD/B", {"B-1", "B-2"}, {0}));
    doc.AddBodItem(Deed("LBOD/full", {"F-1", "F-2"}, {0, 1}));
    doc.AddBodItem(Deed("LBOD/many", {"1", "2", "3", "4", "5", "6", "7", "8", "9"}, {1}));
    doc.AddBodItem(Deed("LBOD/shoes", {"Shoes", "Sandals", "Boots", "Thigh Boots", "thigh boots"}));
    doc.ImportDeeds(Deeds({"platemail gloves"}));
    ASSERT_TRUE(doc.OnSaveDocument(Path("by-hand.bod")));
    doc.m_pSelectedBod = doc.m_arrBods[5].get();

    doc.OnShoppingList();
    EXPECT_EQ("LBOD/A,LBOD/B,LBOD/full,LBOD/many,LBOD/shoes,A-1,A-3,B-2,1,3,4,5,6,7,Shoes,Sandals,"
              "Boots,Thigh Boots,thigh boots,",
              Items(doc.m_arrBods));
    EXPECT_EQ(QStringList({"1 BOD was imported.",
                           "2 parts were left out of the shopping list: a large deed has at most 6 "
                           "parts, and some deeds claim more."}),
              m_prompt.m_messages);
    EXPECT_EQ(nullptr, doc.m_pSelectedBod);
    // Only the names an import gives footwear make a needed deed leather work.
    for (std::size_t i = 5; i < doc.m_arrBods.size(); ++i) {
        const CBodItem& needed = *doc.m_arrBods[i];
        EXPECT_EQ(std::string(i >= 14 && i < 18 ? "Leather normal leather" : "Platemail iron") +
                      " 20 Exceptional",
                  needed.m_strCategory + ' ' + needed.m_strMaterial + ' ' + needed.m_strAmount +
                      ' ' + needed.m_strQuality)
            << needed.m_strItem;
    }

    CBodItem edited(*doc.m_arrBods[0]);
    edited.m_strNotes = "edited";
    EXPECT_TRUE(doc.ApplyEdit(doc.m_arrBods[0].get(), edited, nullptr));
    EXPECT_TRUE(doc.DeleteDeed(doc.m_arrBods[1].get(), nullptr));
    EXPECT_EQ(1, doc.GetUndoStack().count());
    ASSERT_TRUE(doc.OnSaveDocument(Path("while-shown.bod")));
    EXPECT_FALSE(doc.m_bShoppingList);
    EXPECT_EQ(ReadFileBytes(Path("by-hand.bod")), ReadFileBytes(Path("while-shown.bod")));
    doc.GetUndoStack().undo();
    EXPECT_EQ("LBOD/A,LBOD/B,LBOD/full,LBOD/many,LBOD/shoes,", Items(doc.m_arrBods));
}

// Each operation, done, undone and redone, leaves the file with exactly the bytes of its state, by
// Save or by Auto Save; undone back to the saved state, nothing is marked.
TEST_F(QuillmarDocTest, EveryOperationUndoesAndRedoesToTheBytesOfItsState) {
    const auto original = [] {
        CBodArray deeds;
        deeds.push_back(Deed("LBOD/platemail", {"platemail gloves", "platemail arms"}));
        return Deeds({"platemail gloves", "platemail arms"}, std::move(deeds));
    };
    struct Operation {
        const char* pszName;
        std::function<bool(CQuillmarDoc&)> fnDo;
        // Turns the original deeds into those after it, by hand.
        std::function<void(CBodArray&)> fnAfter;
        // The items selected after it, an undo, a redo, and an undo and redo.
        std::string strSelected;
    };
    const Operation operations[] = {
        {"Import",
         [this](CQuillmarDoc& doc) {
             doc.m_pSelectedBod = doc.m_arrBods[2].get();
             return doc.ImportDeeds(Deeds({"plate helm", "platemail gloves"}, CBodArray(1))) == 2 &&
                    m_prompt.m_messages.last() == "2 BOD's were imported.";
         },
         [](CBodArray& deeds) {
             deeds = Deeds({"plate helm", "platemail gloves"}, std::move(deeds));
         },
         "platemail arms|platemail arms|platemail arms|platemail arms|"},
        {"Delete BOD",
         [](CQuillmarDoc& doc) { return doc.DeleteDeed(doc.m_arrBods[1].get(), nullptr); },
         [](CBodArray& deeds) { deeds.erase(deeds.begin() + 1); }, "|platemail gloves|||"},
        {"Apply",
         [](CQuillmarDoc& doc) {
             CBodItem edited(*doc.m_arrBods[2]);
             edited.m_strCount = "20/20";
             return doc.ApplyEdit(doc.m_arrBods[2].get(), edited, nullptr);
         },
         [](CBodArray& deeds) { deeds[2]->m_strCount = "20/20"; },
         "|platemail arms|platemail arms|platemail arms|"},
        {"Drop BOD",
         [](CQuillmarDoc& doc) {
             return doc.CombineIntoLarge(doc.m_arrBods[1].get(), doc.m_arrBods[0].get(), nullptr);
         },
         [](CBodArray& deeds) {
             deeds[0]->SetPart(0, true, "");
             deeds[0]->m_strCount = "20/40";
             deeds.erase(deeds.begin() + 1);
         },
         "LBOD/platemail|platemail gloves|LBOD/platemail|LBOD/platemail|"},
        {"New Deed", [](CQuillmarDoc& doc) { return doc.NewDeed(Deed("plate helm")); },
         [](CBodArray& deeds) { deeds.push_back(Deed("plate helm")); },
         "plate helm||plate helm|plate helm|"},
        {"Edit Deed",
         [](CQuillmarDoc& doc) {
             CBodItem remade(*doc.m_arrBods[0]);
             remade.m_strMaterial = "valorite";
             return doc.EditDeed(doc.m_arrBods[0].get(), remade);
         },
         [](CBodArray& deeds) { deeds[0]->m_strMaterial = "valorite"; },
         "LBOD/platemail|LBOD/platemail|LBOD/platemail|LBOD/platemail|"},
    };
    const QByteArray before = Bytes(original());
    for (const bool bAutoSave : {false, true}) {
        QSettings().setValue("Settings/AutoSave", bAutoSave ? "1" : "0");
        for (const Operation& op : operations) {
            SCOPED_TRACE(std::string(op.pszName) + (bAutoSave ? " with Auto Save" : ""));
            const QString strName = QString("%1-%2.bod").arg(op.pszName).arg(bAutoSave);
            CQuillmarDoc& doc = Open(strName, before);
            CBodArray deeds = original();
            op.fnAfter(deeds);
            const QByteArray after = Bytes(deeds);
            std::string strSelected;
            const auto step = [&](const QByteArray& expected, bool bModified) {
                if (!bAutoSave && bModified) {
                    EXPECT_EQ(strName + " *", doc.GetTitle());
                    ASSERT_TRUE(doc.DoFileSave());
                }
                EXPECT_FALSE(doc.IsModified());
                EXPECT_EQ(expected.toHex(), ReadFileBytes(Path(strName)).toHex());
                strSelected += (doc.m_pSelectedBod ? doc.m_pSelectedBod->m_strItem : "") + "|";
            };

            ASSERT_TRUE(op.fnDo(doc));
            EXPECT_EQ(QString(op.pszName), doc.GetUndoStack().undoText());
            step(after, true);
            doc.GetUndoStack().undo();
            step(before, true);
            doc.GetUndoStack().redo();
            step(after, true);
            // Back at the state last written, with Auto Save now off: nothing to save.
            doc.m_bAutoSave = false;
            doc.GetUndoStack().undo();
            doc.GetUndoStack().redo();
            step(after, false);
            EXPECT_EQ(op.strSelected, strSelected);
            doc.OnCloseDocument();
        }
    }
}

// An operation on a deed outside the list, a drop that does not fit or an empty import: refused.
TEST_F(QuillmarDocTest, OperationsOnDeedsOutsideTheListAreRefused) {
    CQuillmarDoc& doc = NewDoc();
    doc.AddBodItem(Deed("platemail gloves"));
    doc.AddBodItem(Deed("LBOD/platemail", {"platemail gloves"}));
    CBodItem* pSmall = doc.m_arrBods[0].get();
    CBodItem* pLarge = doc.m_arrBods[1].get();
    const auto pOutside = Deed("platemail gloves");
    EXPECT_FALSE(doc.DeleteDeed(pOutside.get(), nullptr));
    EXPECT_FALSE(doc.ApplyEdit(pOutside.get(), *pSmall, nullptr));
    EXPECT_FALSE(doc.EditDeed(pOutside.get(), *pSmall));
    EXPECT_FALSE(doc.NewDeed(nullptr));
    EXPECT_EQ(0, doc.ImportDeeds({}));
    EXPECT_EQ(0, doc.ImportDeeds(CBodArray(2)));
    EXPECT_EQ(QStringList{"0 BOD's were imported."}, m_prompt.m_messages);
    EXPECT_FALSE(doc.CombineIntoLarge(pOutside.get(), pLarge, nullptr));
    EXPECT_FALSE(doc.CombineIntoLarge(pSmall, nullptr, nullptr));
    EXPECT_FALSE(doc.CombineIntoLarge(pLarge, pSmall, nullptr));
    EXPECT_EQ(0, doc.GetUndoStack().count());
    EXPECT_TRUE(doc.CombineIntoLarge(pSmall, pLarge, nullptr)) << "the drop that fits";
}

// Auto Save asks for a path once, then writes every change; one it could not write stays marked.
TEST_F(QuillmarDocTest, AutoSaveWritesEveryChangeOrKeepsItMarked) {
    QSettings().setValue("Settings/AutoSave", "1");
    CQuillmarDoc& doc = NewDoc();
    m_prompt.QueueFileName(Path("auto.bod"));
    doc.ImportDeeds(Deeds({"platemail gloves"}));
    doc.ImportDeeds(Deeds({"platemail arms"}));
    EXPECT_EQ(QStringList{"save"}, m_prompt.m_fileDialogs);
    EXPECT_EQ(Bytes(Deeds({"platemail gloves", "platemail arms"})),
              ReadFileBytes(Path("auto.bod")));
    CQuillmarDoc& unsaved = NewDoc();
    m_prompt.QueueFileName(Path("no-such-folder/deeds.bod"));
    unsaved.MarkChanged(true);
    EXPECT_EQ(Path("no-such-folder/deeds.bod") + " contains an invalid path.",
              m_prompt.m_messages.last());
    EXPECT_TRUE(unsaved.IsModified());
    unsaved.OnAutoSave();
    EXPECT_EQ(QString("0"), QSettings().value("Settings/AutoSave"));
}

// The selection pointed into the deeds a reload replaces; no view may be left pointing there.
TEST_F(QuillmarDocTest, ReloadingAfterAnotherProgramWroteTheFileDropsTheSelection) {
    CQuillmarDoc& doc = Open("deeds.bod", Bytes(Deeds({"platemail gloves", "platemail arms"})));
    doc.m_pSelectedBod = doc.m_arrBods[1].get();
    m_prompt.QueueAnswer(IPrompt::Answer::Yes);
    WriteFileBytes(Path("deeds.bod"), Bytes(Deeds({"plate helm"})));
    EXPECT_TRUE(QTest::qWaitFor([&doc] { return doc.m_arrBods.size() == 1; }, 60000));
    EXPECT_EQ(QStringList{"deeds.bod was changed by another program. Reload it?"},
              m_prompt.m_messages);
    EXPECT_EQ(nullptr, doc.m_pSelectedBod);
}

} // namespace
