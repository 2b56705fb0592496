#include "model/BodFile.h"
#include "support/BodToolRunner.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const QByteArray kSmall =
    "small bulk order: 20 exceptional platemail gloves: 5, with shadow iron ingots 300";
const QByteArray kLarge = "large bulk order: 10 chainmail coif: 10 chainmail leggings: 0 "
                          "chainmail tunic: 0 iron ingots 900";
const QByteArray kPreAos = "small bulk order (5/20) smithy/exceptional/small/platemail/ "
                           "exceptional platemail gloves, with shadow iron ingots 300";
const QByteArray kBroken = "junk bulk order";

class BodToolImportTest : public ::testing::Test {
protected:
    QString Path(const char* pszName) const { return m_dir.filePath(QString::fromLatin1(pszName)); }
    BodFile::Contents ReadDocument(const char* pszName) const {
        return BodFile::Read(ReadFileBytes(Path(pszName)).toStdString());
    }

    QTemporaryDir m_dir;
};

TEST_F(BodToolImportTest, NewDocumentGetsTheValidDeedsInListOrderWithTheNote) {
    WriteFileBytes(Path("paste.txt"),
                   "Deed list\r\n" + kSmall + "\r\n" + kBroken + "\r\n" + kLarge);
    const BodToolResult result =
        RunBodTool({"import", "--note", "north house", Path("new.bod"), Path("paste.txt")});
    EXPECT_EQ(0, result.nExitCode);
    EXPECT_EQ("2 BOD's were imported.\n", result.out);
    const BodFile::Contents document = ReadDocument("new.bod");
    ASSERT_EQ(2u, document.bods.size());
    EXPECT_EQ("LBOD/chainmail", document.bods[0]->GetItem());
    EXPECT_EQ("platemail gloves", document.bods[1]->GetItem());
    EXPECT_EQ("north house", document.bods[0]->GetNotes());
    EXPECT_EQ("north house", document.bods[1]->GetNotes());

    // The mode chooses the line layout.
    EXPECT_EQ("0 BOD's were imported.\n", RunBodTool({"import", Path("aos.bod")}, kPreAos).out);
    EXPECT_EQ("1 BOD was imported.\n",
              RunBodTool({"import", "--mode", "pre-aos", Path("pre.bod")}, kPreAos).out);
    EXPECT_EQ(1u, ReadDocument("pre.bod").bods.size());
}

TEST_F(BodToolImportTest, ExistingDocumentKeepsItsDeedsAndGetsTheNewOnesAppended) {
    CBodArray bods;
    bods.push_back(std::make_unique<CBodItem>());
    bods.back()->SetItem("bascinet");
    WriteFileBytes(Path("old.bod"), QByteArray::fromStdString(BodFile::Write(bods, 7, 9)));

    const BodToolResult result = RunBodTool({"import", Path("old.bod")}, kSmall + "\n" + kBroken);
    EXPECT_EQ(0, result.nExitCode);
    EXPECT_EQ("1 BOD was imported.\n", result.out);
    const BodFile::Contents document = ReadDocument("old.bod");
    ASSERT_EQ(2u, document.bods.size());
    EXPECT_EQ("bascinet", document.bods[0]->GetItem());
    EXPECT_EQ("platemail gloves", document.bods[1]->GetItem());
    EXPECT_EQ("", document.bods[1]->GetNotes());
    EXPECT_EQ(7, document.nReserved2);
    EXPECT_EQ(9, document.nReserved1);
}

TEST_F(BodToolImportTest, NothingValidLeavesTheFileAsItWas) {
    const QByteArray existing = QByteArray::fromStdString(BodFile::Write({}, 0, 0));
    WriteFileBytes(Path("old.bod"), existing);
    for (const QByteArray& text :
         {QByteArray(), QByteArray("no deeds here\r\n"), kBroken + "\r\n" + kBroken}) {
        SCOPED_TRACE(text.toStdString());
        const BodToolResult toExisting = RunBodTool({"import", Path("old.bod")}, text);
        EXPECT_EQ(0, toExisting.nExitCode);
        EXPECT_EQ("0 BOD's were imported.\n", toExisting.out);
        EXPECT_EQ(existing, ReadFileBytes(Path("old.bod")));
        EXPECT_EQ(0, RunBodTool({"import", Path("missing.bod")}, text).nExitCode);
        EXPECT_FALSE(QFile::exists(Path("missing.bod")));
    }
}

} // namespace
