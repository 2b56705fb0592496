#include "document/QuillmarDoc.h"

#include "framework/DocManager.h"
#include "framework/View.h"
#include "model/BodFile.h"
#include "support/BodToolRunner.h"
#include "support/ScriptedPrompt.h"
#include "support/TestDeeds.h"
#include "support/TestDocument.h"

#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// A complete platemail deed; given parts, a large one with those listed in filled filled.
std::unique_ptr<CBodItem> Deed(const std::string& strItem,
                               const std::vector<std::string>& parts = {},
                               const std::vector<int>& filled = {}) {
    auto pBod = TestDeeds::MakeLargeDeed(
        {"Smithy", "Platemail", "iron", "20", "Exceptional", strItem,
         parts.empty() ? "20/20" : "0/" + std::to_string(20 * parts.size())},
        parts);
    pBod->m_bPartsBuilt = !parts.empty();
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

std::string Items(CBodListView bods) {
    std::string strItems;
    for (const CBodItem* pBod : bods) {
        strItems += pBod->m_strItem + ",";
    }
    return strItems;
}

// What the views were told last: the kind of change and the deed it names.
class CToldView : public CView {
public:
    void OnUpdate(CView*, long lHint, const void* pHint) override {
        const auto* pDeed = static_cast<const CBodItem*>(pHint);
        const char* const kinds[] = {"new list", "changed", "relabel"};
        m_strTold = std::string(kinds[lHint]) + ":" + (pDeed ? pDeed->m_strItem : "");
    }
    std::string m_strTold;
};

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

    CQuillmarDoc& NewDoc(const CBodArray& deeds = {}) {
        auto& doc = static_cast<CQuillmarDoc&>(*m_manager->OnFileNew());
        ReadDeedsInto(doc, deeds);
        doc.AddView(&m_view);
        return doc;
    }
    CQuillmarDoc& Open(const QString& strName, const QByteArray& bytes) {
        WriteFileBytes(Path(strName), bytes);
        auto& doc = static_cast<CQuillmarDoc&>(*m_manager->OpenDocumentFile(Path(strName)));
        doc.AddView(&m_view);
        return doc;
    }
    QString Path(const QString& strName) const { return m_dir.filePath(strName); }

    QTemporaryDir m_dir;
    ScriptedPrompt m_prompt;
    std::unique_ptr<CDocManager> m_manager;
    CToldView m_view;
};

// A crafted deed lists no more open parts than a real one (six), and the rest are told. Changes to
// the copies shown are not recorded; a save writes the real deeds, their history untouched.
TEST_F(QuillmarDocTest, ShoppingListShowsLargeDeedsThenTheOpenPartsAndLeavesNoTrace) {
    CBodArray deeds;
    deeds.push_back(Deed("LBOD/A", {"A-1", "A-2", "A-3"}, {1}));
    deeds.push_back(Deed("LBOD/B", {"B-1", "B-2"}, {0}));
    deeds.push_back(Deed("LBOD/full", {"F-1", "F-2"}, {0, 1}));
    deeds.push_back(Deed("LBOD/many", {"1", "2", "3", "4", "5", "6", "7", "8", "9"}, {1}));
    deeds.push_back(
        Deed("LBOD/shoes", {"Shoes", "Sandals", "Boots", "Thigh Boots", "thigh boots"}));
    CQuillmarDoc& doc = NewDoc(Deeds({"platemail gloves"}, std::move(deeds)));
    ASSERT_TRUE(doc.OnSaveDocument(Path("by-hand.bod")));

    doc.OnShoppingList();
    EXPECT_EQ("LBOD/A,LBOD/B,LBOD/full,LBOD/many,LBOD/shoes,A-1,A-3,B-2,1,3,4,5,6,7,Shoes,Sandals,"
              "Boots,Thigh Boots,thigh boots,",
              Items(doc.GetBods()));
    EXPECT_EQ(QStringList({"2 parts were left out of the shopping list: a large deed has at most 6 "
                           "parts, and some deeds claim more."}),
              m_prompt.m_messages);
    EXPECT_EQ("new list:", m_view.m_strTold) << "no selection points into the list replaced";
    // Only the names an import gives footwear make a needed deed leather work.
    for (std::size_t i = 5; i < doc.GetBods().size(); ++i) {
        const CBodItem& needed = *doc.GetBods()[i];
        EXPECT_EQ(std::string(i >= 14 && i < 18 ? "Leather normal leather" : "Platemail iron") +
                      " 20 Exceptional",
                  needed.m_strCategory + ' ' + needed.m_strMaterial + ' ' + needed.m_strAmount +
                      ' ' + needed.m_strQuality)
            << needed.m_strItem;
    }

    CBodItem edited(*doc.GetBods()[0]);
    edited.m_strNotes = "edited";
    EXPECT_TRUE(doc.ApplyEdit(doc.GetBods()[0], edited, nullptr));
    EXPECT_TRUE(doc.DeleteDeed(doc.GetBods()[1], nullptr));
    EXPECT_EQ(0, doc.GetUndoStack().count());
    ASSERT_TRUE(doc.OnSaveDocument(Path("while-shown.bod")));
    EXPECT_FALSE(doc.IsShoppingList());
    EXPECT_EQ(ReadFileBytes(Path("by-hand.bod")), ReadFileBytes(Path("while-shown.bod")));
    EXPECT_EQ("LBOD/A,LBOD/B,LBOD/full,LBOD/many,LBOD/shoes,platemail gloves,",
              Items(doc.GetBods()));
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
        // What the views were told after it, an undo, a redo, and an undo and redo.
        std::string strTold;
    };
    const Operation operations[] = {
        {"Import",
         [this](CQuillmarDoc& doc) {
             return doc.ImportDeeds(Deeds({"plate helm", "platemail gloves"}, CBodArray(1))) == 2 &&
                    m_prompt.m_messages.last() == "2 BOD's were imported.";
         },
         [](CBodArray& deeds) {
             deeds = Deeds({"plate helm", "platemail gloves"}, std::move(deeds));
         },
         "changed:|changed:|changed:|changed:|"},
        {"Delete BOD", [](CQuillmarDoc& doc) { return doc.DeleteDeed(doc.GetBods()[1], nullptr); },
         [](CBodArray& deeds) { deeds.erase(deeds.begin() + 1); },
         "changed:|changed:platemail gloves|changed:|changed:|"},
        {"Apply",
         [](CQuillmarDoc& doc) {
             CBodItem edited(*doc.GetBods()[2]);
             edited.m_strCount = "7/20";
             return doc.ApplyEdit(doc.GetBods()[2], edited, nullptr);
         },
         [](CBodArray& deeds) { deeds[2]->m_strCount = "7/20"; },
         "relabel:platemail arms|changed:platemail arms|changed:platemail arms|changed:platemail "
         "arms|"},
        {"Drop BOD",
         [](CQuillmarDoc& doc) {
             return doc.CombineIntoLarge(doc.GetBods()[1], doc.GetBods()[0], nullptr);
         },
         [](CBodArray& deeds) {
             deeds[0]->SetPart(0, true, "");
             deeds[0]->m_strCount = "20/40";
             deeds.erase(deeds.begin() + 1);
         },
         "changed:LBOD/platemail|changed:platemail gloves|changed:LBOD/platemail|"
         "changed:LBOD/platemail|"},
        {"Fill Large Deeds",
         [this](CQuillmarDoc& doc) {
             doc.OnFillLargeDeeds();
             return m_prompt.m_messages.last() ==
                    "Large deeds filled: 1\nSmall deeds used: 2\nLarge deeds now complete: 1";
         },
         [](CBodArray& deeds) {
             deeds[0]->SetPart(0, true, "");
             deeds[0]->SetPart(1, true, "");
             deeds[0]->m_strCount = "40/40";
             deeds.resize(1);
         },
         "changed:|changed:|changed:|changed:|"},
        {"New Deed", [](CQuillmarDoc& doc) { return doc.NewDeed(Deed("plate helm")); },
         [](CBodArray& deeds) { deeds.push_back(Deed("plate helm")); },
         "changed:plate helm|changed:|changed:plate helm|changed:plate helm|"},
        {"Edit Deed",
         [](CQuillmarDoc& doc) {
             CBodItem remade(*doc.GetBods()[0]);
             remade.m_strMaterial = "valorite";
             return doc.EditDeed(doc.GetBods()[0], remade);
         },
         [](CBodArray& deeds) { deeds[0]->m_strMaterial = "valorite"; },
         "changed:LBOD/platemail|changed:LBOD/platemail|changed:LBOD/platemail|changed:LBOD/"
         "platemail|"},
    };
    const QByteArray before = Bytes(original());
    for (const bool bAutoSave : {false, true}) {
        for (const Operation& op : operations) {
            QSettings().setValue("Settings/AutoSave", bAutoSave ? "1" : "0");
            SCOPED_TRACE(std::string(op.pszName) + (bAutoSave ? " with Auto Save" : ""));
            const QString strName = QString("%1-%2.bod").arg(op.pszName).arg(bAutoSave);
            CQuillmarDoc& doc = Open(strName, before);
            CBodArray deeds = original();
            op.fnAfter(deeds);
            const QByteArray after = Bytes(deeds);
            std::string strTold;
            const auto step = [&](const QByteArray& expected, bool bModified) {
                if (!bAutoSave && bModified) {
                    EXPECT_EQ(strName + " *", doc.GetTitle());
                    ASSERT_TRUE(doc.DoFileSave());
                }
                EXPECT_FALSE(doc.IsModified());
                EXPECT_EQ(expected.toHex(), ReadFileBytes(Path(strName)).toHex());
                strTold += m_view.m_strTold + "|";
            };

            ASSERT_TRUE(op.fnDo(doc));
            // One step, named for what it did.
            EXPECT_EQ(1, doc.GetUndoStack().count());
            EXPECT_EQ(QString(op.pszName), doc.GetUndoStack().undoText());
            step(after, true);
            doc.Undo();
            step(before, true);
            doc.Redo();
            step(after, true);
            // Back at the state last written, with Auto Save now off: nothing to save.
            if (bAutoSave) {
                doc.OnAutoSave();
            }
            doc.Undo();
            doc.Redo();
            step(after, false);
            EXPECT_EQ(op.strTold, strTold);
            doc.OnCloseDocument();
        }
    }
}

// An operation on a deed outside the list, a drop that does not fit, an empty import or a filling
// with nothing to fill: refused, and nothing recorded.
TEST_F(QuillmarDocTest, OperationsOnDeedsOutsideTheListAreRefused) {
    CBodArray deeds = Deeds({"platemail gloves"});
    deeds[0]->m_strCount = "19/20";
    deeds.push_back(Deed("LBOD/platemail", {"platemail gloves"}));
    CQuillmarDoc& doc = NewDoc(deeds);
    const CBodItem* pSmall = doc.GetBods()[0];
    const CBodItem* pLarge = doc.GetBods()[1];
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
    doc.OnFillLargeDeeds();
    EXPECT_EQ("No large deed could be filled: no complete small deed in this document fits an "
              "open part.",
              m_prompt.m_messages.last());
    EXPECT_EQ(0, doc.GetUndoStack().count());
    CBodItem complete(*pSmall);
    complete.m_strCount = "20/20";
    ASSERT_TRUE(doc.ApplyEdit(pSmall, complete, nullptr));
    EXPECT_TRUE(doc.CombineIntoLarge(pSmall, pLarge, nullptr)) << "the drop that fits";
    doc.Undo();
    EXPECT_EQ(1, doc.FillLargeDeeds().nSmallUsed);
    EXPECT_EQ(QString("Fill Large Deeds"), doc.GetUndoStack().undoText()) << "one deed is a step";
}

// Auto Save asks for a path once, then writes every change; one it could not write stays marked.
TEST_F(QuillmarDocTest, AutoSaveWritesEveryChangeOrKeepsItMarked) {
    QSettings().setValue("Settings/AutoSave", "1");
    CQuillmarDoc& doc = NewDoc();
    m_prompt.QueueFileName(Path("auto.bod"));
    doc.ImportDeeds(Deeds({"platemail gloves"}));
    doc.ImportDeeds(Deeds({"platemail arms"}));
    EXPECT_EQ(QStringList{"Save As"}, m_prompt.m_fileDialogs);
    EXPECT_EQ(Bytes(Deeds({"platemail gloves", "platemail arms"})),
              ReadFileBytes(Path("auto.bod")));
    CQuillmarDoc& unsaved = NewDoc();
    m_prompt.QueueFileName(Path("no-such-folder/deeds.bod"));
    unsaved.ImportDeeds(Deeds({"platemail arms"}));
    EXPECT_TRUE(m_prompt.m_messages.contains(Path("no-such-folder/deeds.bod") +
                                             " contains an invalid path."));
    EXPECT_TRUE(unsaved.IsModified());
    unsaved.OnAutoSave();
    EXPECT_EQ(QString("0"), QSettings().value("Settings/AutoSave"));
}

// A reload shows what the file holds now, an empty file too, and tells the views of a new list, as
// a selection pointed into the deeds it replaced. One declined leaves the change shown, and the
// next change asks again. A file that no longer reads leaves the deeds shown, marked modified
// whatever is undone, so that closing still offers to save them.
TEST_F(QuillmarDocTest, ReloadingAfterAnotherProgramWroteTheFileShowsItOrKeepsTheDeeds) {
    CQuillmarDoc& doc = Open("deeds.bod", Bytes(Deeds({"platemail gloves", "platemail arms"})));
    std::string strSeen;
    for (const QByteArray& bytes : {Bytes(Deeds({"plate helm", "plate helm"})), QByteArray(),
                                    Bytes(Deeds({"plate helm"})), QByteArray("\x07garbage")}) {
        const qsizetype nMessages = m_prompt.m_messages.size() + (bytes.startsWith('\x07') ? 2 : 1);
        WriteFileBytes(Path("deeds.bod"), bytes);
        EXPECT_TRUE(
            QTest::qWaitFor([&] { return m_prompt.m_messages.size() == nMessages; }, 60000));
        strSeen += std::exchange(m_view.m_strTold, "") + Items(doc.GetBods()) +
                   (doc.IsDiskChangeShown() ? " shown|" : "|");
        m_prompt.QueueAnswer(IPrompt::Answer::Yes);
    }
    EXPECT_EQ("platemail gloves,platemail arms, shown|new list:|new list:plate helm,|"
              "new list:plate helm,|",
              strSeen);
    doc.DeleteDeed(doc.GetBods()[0], nullptr);
    doc.Undo();
    EXPECT_EQ(std::pair(true, QString("deeds.bod *")), std::pair(doc.IsModified(), doc.GetTitle()));
    EXPECT_EQ(QStringList(4, "deeds.bod was changed by another program. Reload it?") +
                  QStringList{"Unexpected file format."},
              m_prompt.m_messages);
}

} // namespace
