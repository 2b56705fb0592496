#include "document/QuillmarDoc.h"

#include "framework/DocManager.h"
#include "model/BodFile.h"
#include "support/BodToolRunner.h"
#include "support/ScriptedPrompt.h"
#include "support/TestDeeds.h"

#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

using TestDeeds::MakeDeed;

// A large deed with the named parts, of which those listed in filled are filled.
std::unique_ptr<CBodItem> MakeLarge(const std::string& strItem,
                                    const std::vector<std::string>& parts,
                                    const std::vector<int>& filled = {}) {
    auto pBod = TestDeeds::MakeLargeDeed(
        {"Smithy", "Platemail", "gold", "20", "Exceptional", strItem, "0/60"}, parts);
    for (const int nPart : filled) {
        pBod->SetPart(nPart, true, "");
    }
    return pBod;
}

std::unique_ptr<CBodItem> MakeSmall(const std::string& strItem) {
    return MakeDeed({"Smithy", "Platemail", "iron", "20", "Normal", strItem, "0/20"});
}

std::vector<std::string> Items(const CBodArray& bods) {
    std::vector<std::string> items;
    for (const auto& pBod : bods) {
        items.push_back(pBod->m_strItem);
    }
    return items;
}

class QuillmarDocTest : public ::testing::Test {
protected:
    QuillmarDocTest() {
        QSettings("Larkfield", "Quillmar").clear();
        CDocTemplate docTemplate;
        docTemplate.createDocument = [] {
            return std::make_unique<CQuillmarDoc>();
        };
        m_manager = std::make_unique<CDocManager>(std::move(docTemplate));
    }

    CQuillmarDoc& NewDoc() { return static_cast<CQuillmarDoc&>(*m_manager->OnFileNew()); }
    QString Path(const QString& strName) const { return m_dir.filePath(strName); }
    static void SetAutoSave(const char* pszValue) {
        QSettings("Larkfield", "Quillmar").setValue("Settings/AutoSave", pszValue);
    }

    QTemporaryDir m_dir;
    ScriptedPrompt m_prompt;
    std::unique_ptr<CDocManager> m_manager;
};

// Each needed small deed copies its large deed's texts, so a crafted deed with thousands of open
// parts lists only as many as a real deed has (six), and the rest are told.
TEST_F(QuillmarDocTest, ShoppingListShowsLargeDeedsThenTheOpenPartsInOrder) {
    CQuillmarDoc& doc = NewDoc();
    doc.AddBodItem(MakeLarge("LBOD/A", {"A-1", "A-2", "A-3"}, {1}));
    doc.AddBodItem(MakeSmall("platemail gloves"));
    doc.AddBodItem(MakeLarge("LBOD/B", {"B-1", "B-2"}, {0}));
    doc.AddBodItem(MakeLarge("LBOD/full", {"F-1", "F-2"}, {0, 1}));
    doc.AddBodItem(MakeLarge("LBOD/many", {"1", "2", "3", "4", "5", "6", "7", "8", "9"}, {1}));
    doc.AddBodItem(
        MakeLarge("LBOD/shoes", {"Shoes", "Sandals", "Boots", "Thigh Boots", "thigh boots"}));
    doc.m_pSelectedBod = doc.m_arrBods[1].get();

    doc.OnShoppingList();
    EXPECT_EQ((std::vector<std::string>{"LBOD/A", "LBOD/B", "LBOD/full", "LBOD/many", "LBOD/shoes",
                                        "A-1", "A-3", "B-2", "1", "3", "4", "5", "6", "7", "Shoes",
                                        "Sandals", "Boots", "Thigh Boots", "thigh boots"}),
              Items(doc.m_arrBods));
    EXPECT_EQ(QStringList{"2 parts were left out of the shopping list: a large deed has at most 6 "
                          "parts, and some deeds claim more."},
              m_prompt.m_messages);
    EXPECT_EQ(nullptr, doc.m_pSelectedBod);
    const CBodItem& needed = *doc.m_arrBods[5];
    EXPECT_EQ((std::vector<std::string>{"Smithy", "Platemail", "gold", "20", "Exceptional", ""}),
              (std::vector{needed.m_strTrade, needed.m_strCategory, needed.m_strMaterial,
                           needed.m_strAmount, needed.m_strQuality, needed.m_strCount}));
    // Only the names an import gives footwear make it leather work.
    for (std::size_t i = 14; i < 18; ++i) {
        EXPECT_EQ("Leather", doc.m_arrBods[i]->m_strCategory) << doc.m_arrBods[i]->m_strItem;
        EXPECT_EQ("normal leather", doc.m_arrBods[i]->m_strMaterial) << i;
    }
    EXPECT_EQ("gold", doc.m_arrBods[18]->m_strMaterial);
}

// Changes to the shown copies are carried out but not recorded; the real list and its history
// are waiting, untouched, when the mode is left.
TEST_F(QuillmarDocTest, ChangesInShoppingListModeLeaveNoTrace) {
    CQuillmarDoc& doc = NewDoc();
    doc.AddBodItem(MakeLarge("LBOD/bardiche", {"bardiche"}));
    CBodArray imported;
    imported.push_back(MakeSmall("halberd"));
    doc.ImportDeeds(std::move(imported));
    doc.OnShoppingList();
    EXPECT_FALSE(doc.CanUndo());
    CBodItem edited(*doc.m_arrBods[0]);
    edited.m_strNotes = "edited";
    EXPECT_TRUE(doc.ApplyEdit(doc.m_arrBods[0].get(), edited, nullptr));
    EXPECT_TRUE(doc.DeleteDeed(doc.m_arrBods[1].get(), nullptr));
    EXPECT_EQ(1, doc.GetUndoStack().count());
    doc.OnShoppingList();

    EXPECT_EQ((std::vector<std::string>{"LBOD/bardiche", "halberd"}), Items(doc.m_arrBods));
    EXPECT_EQ("", doc.m_arrBods[0]->m_strNotes);
    EXPECT_EQ(QString("Quilmr1 *"), doc.GetTitle());
    doc.GetUndoStack().undo();
    EXPECT_EQ((std::vector<std::string>{"LBOD/bardiche"}), Items(doc.m_arrBods));
    EXPECT_FALSE(doc.IsModified());
}

// Each operation, done, undone and redone, leaves the file with exactly the bytes of the state
// it stands at: by Save, or by itself under Auto Save. Undoing back to the saved state clears
// the modified mark.
TEST_F(QuillmarDocTest, EveryOperationUndoesAndRedoesToTheBytesOfItsState) {
    using TestDeeds::DeedFields;
    const DeedFields kLarge{"Smithy", "Platemail",      "iron", "20",
                            "Normal", "LBOD/platemail", "0/40"};
    const DeedFields kGloves{"Smithy", "Platemail",        "iron", "20",
                             "Normal", "platemail gloves", "0/20"};
    const DeedFields kArms{"Smithy", "Platemail", "iron", "20", "Normal", "platemail arms", "5/20"};
    const auto deed = [](const DeedFields& fields, std::uint32_t nTime) {
        auto pBod = fields.strItem == "LBOD/platemail"
                        ? TestDeeds::MakeLargeDeed(fields, {"platemail gloves", "platemail arms"})
                        : MakeDeed(fields);
        pBod->m_timeAdded = nTime;
        return pBod;
    };
    const auto bytes = [](std::vector<std::unique_ptr<CBodItem>> deeds) {
        return QByteArray::fromStdString(BodFile::Write(deeds, 0, 0));
    };
    const auto original = [&] {
        CBodArray deeds;
        deeds.push_back(deed(kLarge, 1));
        deeds.push_back(deed(kGloves, 2));
        deeds.push_back(deed(kArms, 3));
        return deeds;
    };
    DeedFields helm = kGloves;
    helm.strItem = "plate helm";
    struct Operation {
        const char* pszName;
        std::function<bool(CQuillmarDoc&)> fnDo;
        // The deeds after it, written by hand.
        std::function<CBodArray()> fnAfter;
        // The items selected after an undo and after a redo.
        std::string strSelectedAfterUndo, strSelectedAfterRedo;
    };
    const Operation operations[] = {
        {"Import",
         [&](CQuillmarDoc& doc) {
             CBodArray bods;
             bods.push_back(deed(helm, 4));
             bods.push_back(deed(kGloves, 5));
             doc.m_pSelectedBod = doc.m_arrBods[2].get();
             return doc.ImportDeeds(std::move(bods)) == 2;
         },
         [&] {
             CBodArray deeds = original();
             deeds.push_back(deed(helm, 4));
             deeds.push_back(deed(kGloves, 5));
             return deeds;
         },
         "platemail arms", "platemail arms"},
        {"Delete BOD",
         [](CQuillmarDoc& doc) { return doc.DeleteDeed(doc.m_arrBods[1].get(), nullptr); },
         [&] {
             CBodArray deeds = original();
             deeds.erase(deeds.begin() + 1);
             return deeds;
         },
         "platemail gloves", ""},
        {"Apply",
         [](CQuillmarDoc& doc) {
             CBodItem edited(*doc.m_arrBods[2]);
             edited.m_strCount = "20/20";
             edited.m_strNotes = "bought";
             return doc.ApplyEdit(doc.m_arrBods[2].get(), edited, nullptr);
         },
         [&] {
             CBodArray deeds = original();
             deeds[2]->m_strCount = "20/20";
             deeds[2]->m_strNotes = "bought";
             return deeds;
         },
         "platemail arms", "platemail arms"},
        {"Drop BOD",
         [](CQuillmarDoc& doc) {
             return doc.CombineIntoLarge(doc.m_arrBods[1].get(), doc.m_arrBods[0].get(), nullptr);
         },
         [&] {
             CBodArray deeds = original();
             deeds[0]->SetPart(0, true, "");
             deeds[0]->m_strCount = "20/40";
             deeds.erase(deeds.begin() + 1);
             return deeds;
         },
         "platemail gloves", "LBOD/platemail"},
        {"New Deed",
         [&](CQuillmarDoc& doc) {
             doc.m_pSelectedBod = doc.m_arrBods[2].get();
             return doc.NewDeed(deed(helm, 4));
         },
         [&] {
             CBodArray deeds = original();
             deeds.push_back(deed(helm, 4));
             return deeds;
         },
         "", "plate helm"},
        {"Edit Deed",
         [](CQuillmarDoc& doc) {
             CBodItem remade(*doc.m_arrBods[0]);
             remade.m_strMaterial = "valorite";
             return doc.EditDeed(doc.m_arrBods[0].get(), remade);
         },
         [&] {
             CBodArray deeds = original();
             deeds[0]->m_strMaterial = "valorite";
             return deeds;
         },
         "LBOD/platemail", "LBOD/platemail"},
    };
    const QByteArray before = bytes(original());
    for (const bool bAutoSave : {false, true}) {
        SetAutoSave(bAutoSave ? "1" : "0");
        for (const Operation& op : operations) {
            SCOPED_TRACE(std::string(op.pszName) + (bAutoSave ? " with Auto Save" : ""));
            const QString strPath = Path(QString("%1-%2.bod").arg(op.pszName).arg(bAutoSave));
            WriteFileBytes(strPath, before);
            auto& doc = static_cast<CQuillmarDoc&>(*m_manager->OpenDocumentFile(strPath));
            const QByteArray after = bytes(op.fnAfter());
            const auto step = [&](const QByteArray& expected, bool bModified) {
                if (!bAutoSave && bModified) {
                    EXPECT_EQ(QFileInfo(strPath).fileName() + " *", doc.GetTitle());
                    ASSERT_TRUE(doc.DoFileSave());
                }
                EXPECT_FALSE(doc.IsModified());
                EXPECT_EQ(expected.toHex().toStdString(),
                          ReadFileBytes(strPath).toHex().toStdString());
            };

            ASSERT_TRUE(op.fnDo(doc));
            EXPECT_EQ(QString(op.pszName), doc.GetUndoStack().undoText());
            step(after, true);
            doc.GetUndoStack().undo();
            step(before, true);
            EXPECT_EQ(op.strSelectedAfterUndo,
                      doc.m_pSelectedBod != nullptr ? doc.m_pSelectedBod->m_strItem : "");
            doc.GetUndoStack().redo();
            EXPECT_EQ(op.strSelectedAfterRedo,
                      doc.m_pSelectedBod != nullptr ? doc.m_pSelectedBod->m_strItem : "");
            step(after, true);
            doc.GetUndoStack().undo();
            doc.GetUndoStack().redo();
            // Back at the saved state: nothing to save.
            step(after, false);
            doc.OnCloseDocument();
        }
    }
}

// An operation on a deed the list does not hold, or a drop that does not fit, changes nothing.
TEST_F(QuillmarDocTest, OperationsOnDeedsOutsideTheListAreRefused) {
    const auto fitting = [] {
        auto pBod = MakeLarge("LBOD/platemail", {"platemail gloves"});
        pBod->m_strMaterial = "iron";
        pBod->m_strQuality = "Normal";
        return pBod;
    };
    CQuillmarDoc& doc = NewDoc();
    doc.AddBodItem(MakeSmall("platemail gloves"));
    doc.AddBodItem(fitting());
    CBodItem* pSmall = doc.m_arrBods[0].get();
    CBodItem* pLarge = doc.m_arrBods[1].get();
    const auto pOutside = MakeSmall("platemail gloves");
    const auto pOutsideLarge = fitting();
    EXPECT_FALSE(doc.DeleteDeed(pOutside.get(), nullptr));
    EXPECT_FALSE(doc.DeleteDeed(nullptr, nullptr));
    EXPECT_FALSE(doc.ApplyEdit(pOutside.get(), *pSmall, nullptr));
    EXPECT_FALSE(doc.EditDeed(pOutside.get(), *pSmall));
    EXPECT_FALSE(doc.NewDeed(nullptr));
    EXPECT_FALSE(doc.CombineIntoLarge(pOutside.get(), pLarge, nullptr));
    EXPECT_FALSE(doc.CombineIntoLarge(pSmall, pOutsideLarge.get(), nullptr));
    EXPECT_FALSE(doc.CombineIntoLarge(pSmall, nullptr, nullptr));
    EXPECT_FALSE(doc.CombineIntoLarge(pLarge, pSmall, nullptr));
    EXPECT_EQ(0, doc.GetUndoStack().count());
    EXPECT_EQ(2U, doc.m_arrBods.size());
    EXPECT_TRUE(doc.CombineIntoLarge(pSmall, pLarge, nullptr)) << "the drop that fits";
}

TEST_F(QuillmarDocTest, SavingWhileTheShoppingListIsShownWritesTheFullList) {
    CQuillmarDoc& doc = NewDoc();
    doc.AddBodItem(MakeLarge("LBOD/platemail", {"plate helm"}));
    doc.AddBodItem(MakeSmall("platemail gloves"));
    doc.m_nReserved2 = 7;
    ASSERT_TRUE(doc.OnSaveDocument(Path("by-hand.bod")));
    doc.OnShoppingList();
    ASSERT_TRUE(doc.OnSaveDocument(Path("while-shown.bod")));
    EXPECT_FALSE(doc.m_bShoppingList);
    EXPECT_EQ(ReadFileBytes(Path("by-hand.bod")), ReadFileBytes(Path("while-shown.bod")));
}

TEST_F(QuillmarDocTest, ChangeMarksTheTitle) {
    CQuillmarDoc& untitled = NewDoc();
    untitled.MarkChanged(true);
    untitled.MarkChanged(true);
    EXPECT_EQ(QString("Quilmr1 *"), untitled.GetTitle());
}

TEST_F(QuillmarDocTest, AutoSaveWritesEveryChangeAndAsksForAPathOnce) {
    SetAutoSave("1");
    CQuillmarDoc& doc = NewDoc();
    m_prompt.QueueFileName(Path("auto.bod"));
    for (const char* pszItem : {"platemail gloves", "platemail arms"}) {
        doc.AddBodItem(MakeSmall(pszItem));
        doc.MarkChanged(true);
    }
    EXPECT_EQ(QStringList{"save"}, m_prompt.m_fileDialogs);
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(QString("auto.bod"), doc.GetTitle());
    EXPECT_EQ(2U, BodFile::Read(ReadFileBytes(Path("auto.bod")).toStdString()).bods.size());
}

TEST_F(QuillmarDocTest, ChangeThatAutoSaveCouldNotWriteStaysMarked) {
    SetAutoSave("1");
    for (const QString& strAnswer : {QString(), Path("no-such-folder/deeds.bod")}) {
        CQuillmarDoc& doc = NewDoc();
        m_prompt.QueueFileName(strAnswer);
        doc.AddBodItem(MakeSmall("platemail gloves"));
        doc.MarkChanged(true);
        EXPECT_TRUE(doc.IsModified()) << strAnswer.toStdString();
        EXPECT_TRUE(doc.GetTitle().endsWith(" *")) << doc.GetTitle().toStdString();
    }
}

TEST_F(QuillmarDocTest, AutoSaveIsOnOnlyForTheExactSettingOneAndIsStoredAsOneOrZero) {
    for (const char* pszValue : {"01", "0", "", "1"}) {
        SetAutoSave(pszValue);
        EXPECT_EQ(pszValue == std::string("1"), CQuillmarDoc().m_bAutoSave) << pszValue;
    }
    QSettings settings("Larkfield", "Quillmar");
    settings.remove("Settings/AutoSave");
    CQuillmarDoc doc;
    EXPECT_FALSE(doc.m_bAutoSave);
    doc.OnAutoSave();
    EXPECT_EQ(QString("1"), settings.value("Settings/AutoSave"));
    doc.OnAutoSave();
    EXPECT_EQ(QString("0"), settings.value("Settings/AutoSave"));
}

// The selection pointed into the deeds a reload replaces; no view may be left pointing there.
TEST_F(QuillmarDocTest, ReloadingAfterAnotherProgramWroteTheFileDropsTheSelection) {
    CBodArray bods;
    bods.push_back(MakeSmall("platemail gloves"));
    bods.push_back(MakeSmall("platemail arms"));
    WriteFileBytes(Path("deeds.bod"), QByteArray::fromStdString(BodFile::Write(bods, 0, 0)));
    auto& doc = static_cast<CQuillmarDoc&>(*m_manager->OpenDocumentFile(Path("deeds.bod")));
    doc.m_pSelectedBod = doc.m_arrBods[1].get();
    bods.pop_back();
    m_prompt.QueueAnswer(IPrompt::Answer::Yes);
    WriteFileBytes(Path("deeds.bod"), QByteArray::fromStdString(BodFile::Write(bods, 0, 0)));
    EXPECT_TRUE(QTest::qWaitFor([&doc] { return doc.m_arrBods.size() == 1; }, 60000));
    EXPECT_EQ(nullptr, doc.m_pSelectedBod);
}

TEST_F(QuillmarDocTest, ImportTellsHowManyDeedsCameIn) {
    const struct {
        int nDeeds;
        int nNulls;
        QStringList messages;
    } cases[] = {{0, 0, {}},
                 {0, 2, {"0 BOD's were imported."}},
                 {1, 0, {"1 BOD was imported."}},
                 {3, 1, {"3 BOD's were imported."}}};
    for (const auto& c : cases) {
        CQuillmarDoc& doc = NewDoc();
        CBodArray bods(static_cast<std::size_t>(c.nNulls));
        for (int i = 0; i < c.nDeeds; ++i) {
            bods.push_back(MakeSmall("platemail gloves"));
        }
        m_prompt.m_messages.clear();
        EXPECT_EQ(c.nDeeds, doc.ImportDeeds(std::move(bods)));
        EXPECT_EQ(c.messages, m_prompt.m_messages);
        EXPECT_EQ(static_cast<std::size_t>(c.nDeeds), doc.m_arrBods.size());
        EXPECT_EQ(c.nDeeds > 0, doc.IsModified());
        // Undone, the deeds go, and a selection among them with them.
        doc.m_pSelectedBod = c.nDeeds > 0 ? doc.m_arrBods.back().get() : nullptr;
        doc.GetUndoStack().undo();
        EXPECT_TRUE(doc.m_arrBods.empty());
        EXPECT_EQ(nullptr, doc.m_pSelectedBod);
    }
}

} // namespace
