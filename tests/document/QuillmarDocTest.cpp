#include "document/QuillmarDoc.h"

#include "framework/DocManager.h"
#include "model/BodFile.h"
#include "support/ScriptedPrompt.h"

#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>
#include <bitset>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

// A large deed whose parts are filled where `filled` has a bit set (bit 0 = first part).
std::unique_ptr<CBodItem> MakeLarge(const std::string& strKey, std::bitset<6> filled) {
    auto pBod = std::make_unique<CBodItem>();
    pBod->m_strTrade = "Smithy";
    pBod->m_strCategory = "Platemail";
    pBod->m_strMaterial = "gold";
    pBod->m_strQuality = "Exceptional";
    pBod->m_strAmount = "20";
    pBod->m_strCount = "0/120";
    pBod->m_strItem = "LBOD/" + strKey;
    pBod->BuildParts();
    for (int i = 0; i < pBod->GetPartCount(); ++i) {
        pBod->SetPart(i, filled[static_cast<std::size_t>(i)], "");
    }
    return pBod;
}

std::unique_ptr<CBodItem> MakeSmall(const std::string& strItem) {
    auto pBod = std::make_unique<CBodItem>();
    pBod->m_strItem = strItem;
    pBod->m_strCount = "0/20";
    return pBod;
}

std::vector<std::string> Items(const CBodArray& bods) {
    std::vector<std::string> items;
    for (const auto& pBod : bods) {
        items.push_back(pBod->m_strItem);
    }
    return items;
}

QByteArray ReadAll(const QString& strPath) {
    QFile file(strPath);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
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

    QTemporaryDir m_dir;
    ScriptedPrompt m_prompt;
    std::unique_ptr<CDocManager> m_manager;
};

TEST_F(QuillmarDocTest, ShoppingListShowsLargeDeedsThenTheSmallOnesTheyNeed) {
    CQuillmarDoc& doc = NewDoc();
    doc.AddBodItem(MakeLarge("platemail", 0b111010));
    doc.AddBodItem(MakeSmall("platemail gloves"));
    doc.AddBodItem(MakeLarge("chainmail", 0b101));
    doc.AddBodItem(MakeLarge("bardiche", 0b11));
    doc.m_pSelectedBod = doc.m_arrBods[1].get();

    doc.OnShoppingList();

    const std::vector<std::string> expected{"LBOD/platemail", "LBOD/chainmail",
                                            "LBOD/bardiche",  "platemail gorget",
                                            "plate helm",     "chainmail leggings"};
    EXPECT_EQ(expected, Items(doc.m_arrBods));
    EXPECT_EQ(nullptr, doc.m_pSelectedBod);
    const CBodItem& needed = *doc.m_arrBods[3];
    EXPECT_EQ("Platemail", needed.m_strCategory);
    EXPECT_EQ("gold", needed.m_strMaterial);
    EXPECT_EQ("Exceptional", needed.m_strQuality);
    EXPECT_EQ("20", needed.m_strAmount);
    EXPECT_EQ("", needed.m_strCount);
}

TEST_F(QuillmarDocTest, OnlyImportedFootwearNamesAreLeatherWork) {
    const struct {
        std::string strPart;
        std::string strCategory;
        std::string strMaterial;
    } cases[] = {{"Thigh Boots", "Leather", "normal leather"},
                 {"thigh boots", "Platemail", "gold"}};
    for (const auto& c : cases) {
        CQuillmarDoc& doc = NewDoc();
        doc.AddBodItem(MakeLarge("bandana", 0b0111));
        doc.m_arrBods[0]->SetPart(3, false, c.strPart);
        doc.OnShoppingList();
        ASSERT_EQ(2U, doc.m_arrBods.size());
        EXPECT_EQ(c.strCategory, doc.m_arrBods[1]->m_strCategory) << c.strPart;
        EXPECT_EQ(c.strMaterial, doc.m_arrBods[1]->m_strMaterial) << c.strPart;
    }
}

TEST_F(QuillmarDocTest, ChangesInShoppingListModeLeaveNoTrace) {
    CQuillmarDoc& doc = NewDoc();
    doc.AddBodItem(MakeLarge("bardiche", 0));
    doc.AddBodItem(MakeSmall("halberd"));
    doc.OnShoppingList();
    doc.m_arrBods[0]->m_strNotes = "edited";
    doc.m_arrBods.erase(doc.m_arrBods.begin() + 1);
    doc.MarkChanged(true);
    doc.OnShoppingList();

    EXPECT_EQ((std::vector<std::string>{"LBOD/bardiche", "halberd"}), Items(doc.m_arrBods));
    EXPECT_EQ("", doc.m_arrBods[0]->m_strNotes);
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(QString("Quilmr1"), doc.GetTitle());
}

TEST_F(QuillmarDocTest, SavingWhileTheShoppingListIsShownWritesTheFullList) {
    CQuillmarDoc& doc = NewDoc();
    doc.AddBodItem(MakeLarge("platemail", 0));
    doc.AddBodItem(MakeSmall("platemail gloves"));
    doc.m_nReserved2 = 7;
    ASSERT_TRUE(doc.OnSaveDocument(Path("by-hand.bod")));
    doc.OnShoppingList();

    ASSERT_TRUE(doc.OnSaveDocument(Path("while-shown.bod")));

    EXPECT_FALSE(doc.m_bShoppingList);
    EXPECT_EQ(ReadAll(Path("by-hand.bod")), ReadAll(Path("while-shown.bod")));
}

TEST_F(QuillmarDocTest, ChangeOrImportMarksTheTitleUntilSaved) {
    CQuillmarDoc& untitled = NewDoc();
    untitled.MarkChanged(true);
    EXPECT_EQ(QString("Quilmr1 *"), untitled.GetTitle());
    untitled.MarkChanged(true);
    EXPECT_EQ(QString("Quilmr1 *"), untitled.GetTitle());

    CQuillmarDoc& saved = NewDoc();
    ASSERT_TRUE(saved.DoSave(Path("deeds.bod")));
    CBodArray imported;
    imported.push_back(MakeSmall("platemail gloves"));
    saved.ImportBods(std::move(imported));
    EXPECT_EQ(QString("deeds.bod *"), saved.GetTitle());
    EXPECT_TRUE(saved.IsModified());
    ASSERT_TRUE(saved.DoFileSave());
    EXPECT_EQ(QString("deeds.bod"), saved.GetTitle());
}

TEST_F(QuillmarDocTest, AutoSaveWritesEveryChangeAndAsksForAPathOnce) {
    QSettings("Larkfield", "Quillmar").setValue("Settings/AutoSave", "1");
    CQuillmarDoc& doc = NewDoc();
    m_prompt.QueueFileName(Path("auto.bod"));
    doc.AddBodItem(MakeSmall("platemail gloves"));
    doc.MarkChanged(true);
    doc.AddBodItem(MakeSmall("platemail arms"));
    doc.MarkChanged(true);

    EXPECT_EQ(QStringList{"save"}, m_prompt.m_fileDialogs);
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(QString("auto.bod"), doc.GetTitle());
    EXPECT_EQ(2U, BodFile::Read(ReadAll(Path("auto.bod")).toStdString()).bods.size());
}

TEST_F(QuillmarDocTest, ChangeThatAutoSaveCouldNotWriteStaysMarked) {
    QSettings("Larkfield", "Quillmar").setValue("Settings/AutoSave", "1");
    const QString failing[] = {QString(), Path("no-such-folder/deeds.bod")};
    for (const QString& strAnswer : failing) {
        CQuillmarDoc& doc = NewDoc();
        m_prompt.QueueFileName(strAnswer);
        doc.AddBodItem(MakeSmall("platemail gloves"));
        doc.MarkChanged(true);
        EXPECT_TRUE(doc.IsModified()) << strAnswer.toStdString();
        EXPECT_TRUE(doc.GetTitle().endsWith(" *")) << doc.GetTitle().toStdString();
    }
}

TEST_F(QuillmarDocTest, AutoSaveIsOnOnlyForTheExactSettingOneAndIsStoredAsOneOrZero) {
    QSettings settings("Larkfield", "Quillmar");
    for (const char* pszValue : {"01", "0", "", "1"}) {
        settings.setValue("Settings/AutoSave", pszValue);
        EXPECT_EQ(pszValue == std::string("1"), CQuillmarDoc().m_bAutoSave) << pszValue;
    }
    settings.remove("Settings/AutoSave");
    CQuillmarDoc doc;
    EXPECT_FALSE(doc.m_bAutoSave);
    doc.OnAutoSave();
    EXPECT_EQ(QString("1"), settings.value("Settings/AutoSave"));
    doc.OnAutoSave();
    EXPECT_EQ(QString("0"), settings.value("Settings/AutoSave"));
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
        CBodArray bods;
        for (int i = 0; i < c.nDeeds; ++i) {
            bods.push_back(MakeSmall("platemail gloves"));
        }
        bods.resize(bods.size() + static_cast<std::size_t>(c.nNulls));
        m_prompt.m_messages.clear();

        EXPECT_EQ(c.nDeeds, doc.ImportBods(std::move(bods)));
        EXPECT_EQ(c.messages, m_prompt.m_messages);
        EXPECT_EQ(static_cast<std::size_t>(c.nDeeds), doc.m_arrBods.size());
        EXPECT_EQ(c.nDeeds > 0, doc.IsModified());
    }
}

TEST_F(QuillmarDocTest, ImportDialogClosedWithNothingProcessedChangesNothing) {
    for (const bool bExitSave : {true, false}) {
        CQuillmarDoc& doc = NewDoc();
        QTimer::singleShot(0, [bExitSave] {
            auto* pDialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(nullptr, pDialog);
            bExitSave ? pDialog->accept() : pDialog->reject();
        });
        doc.OnImport();
        EXPECT_TRUE(m_prompt.m_messages.isEmpty());
        EXPECT_TRUE(doc.m_arrBods.empty());
        EXPECT_FALSE(doc.IsModified());
    }
}

} // namespace
