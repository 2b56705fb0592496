#include "model/BodFile.h"
#include "support/BodToolRunner.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

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
    EXPECT_EQ("north house", document.bods[1]->GetNotes());

    // The mode chooses the line layout.
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

// The text argument is a pipe that bodtool opens only after reading the document, so the
// document is changed while the import runs; that change must survive.
TEST_F(BodToolImportTest, AChangeWhileImportingIsNotOverwritten) {
    const QByteArray theirs = QByteArray::fromStdString(BodFile::Write({}, 3, 4));
    WriteFileBytes(Path("doc.bod"), QByteArray::fromStdString(BodFile::Write({}, 0, 0)));
    ASSERT_EQ(0, mkfifo(Path("paste").toLocal8Bit().constData(), 0600));
    QProcess process;
    process.start(QStringLiteral(QUILLMAR_BODTOOL), {"import", Path("doc.bod"), Path("paste")});
    const int nFifo = open(Path("paste").toLocal8Bit().constData(), O_WRONLY);
    ASSERT_NE(-1, nFifo);
    WriteFileBytes(Path("doc.bod"), theirs);
    EXPECT_EQ(kSmall.size(), write(nFifo, kSmall.constData(), kSmall.size()));
    close(nFifo);
    ASSERT_TRUE(process.waitForFinished(60000));
    EXPECT_EQ(1, process.exitCode());
    EXPECT_TRUE(process.readAllStandardError().contains("changed by another program"));
    EXPECT_EQ(theirs, ReadFileBytes(Path("doc.bod")));
}

// A name is the bytes the user gave, text or not; Qt would read this one as another name.
TEST_F(BodToolImportTest, AFileNameThatIsNotUtf8NamesThatVeryFile) {
    // The shell spells the byte, since a QProcess argument is text.
    const auto run = [&](const QString& strCommand) {
        QProcess process;
        process.start("/bin/sh",
                      {"-c",
                       "printf '%s' \"$2\" | \"$0\" " + strCommand + " \"$1\"$(printf '\\351').bod",
                       QStringLiteral(QUILLMAR_BODTOOL), m_dir.path() + "/old", QString(kSmall)});
        EXPECT_TRUE(process.waitForFinished(60000));
        EXPECT_EQ(0, process.exitCode()) << process.readAllStandardError().toStdString();
        return process.readAllStandardOutput();
    };
    run("import");
    EXPECT_EQ("1 BOD was imported.\n", run("import"));
    EXPECT_TRUE(run("stats").startsWith("{\"deeds\":2,"));
    EXPECT_FALSE(QFile::exists(m_dir.filePath(QString::fromUtf8("old\uFFFD.bod"))));
    const QByteArray name = QFile::encodeName(m_dir.path()) + "/old\xE9.bod";
    EXPECT_EQ(0, unlink(name.constData())) << "the file has the name given";
}

} // namespace

// add appends the hand-made deed with its note; a choice the game never makes is a usage error
// that leaves the file as it was and creates no missing one.
TEST_F(BodToolImportTest, AddAppendsTheDeedAndAWrongChoiceChangesNothing) {
    ASSERT_EQ(0, RunBodTool({"import", Path("a.bod")}, kLarge).nExitCode);
    const BodToolResult added =
        RunBodTool({"add", Path("a.bod"), "--trade", "Tailor", "--set", "leather cap", "--material",
                    "spined leather", "--amount", "15", "--exceptional", "--note", "from Bob"});
    EXPECT_EQ(0, added.nExitCode);
    EXPECT_EQ("1 BOD was added.\n", added.out);
    const BodFile::Contents document = ReadDocument("a.bod");
    ASSERT_EQ(2u, document.bods.size());
    const CBodItem& bod = *document.bods[1];
    EXPECT_EQ("LBOD/leather cap|spined leather|15|Exceptional|0/90|from Bob|6",
              bod.GetItem() + '|' + bod.GetMaterial() + '|' + bod.GetAmount() + '|' +
                  bod.GetQuality() + '|' + bod.GetCount() + '|' + bod.GetNotes() + '|' +
                  std::to_string(bod.GetPartCount()));

    const QByteArray before = ReadFileBytes(Path("a.bod"));
    for (const QStringList& wrong :
         {QStringList{"--trade", "Smith", "--item", "katana"},
          QStringList{"--trade", "Smithy", "--item", "fancy shirt"},
          QStringList{"--trade", "Smithy", "--item", "katana", "--material", "valorite"},
          QStringList{"--trade", "Smithy", "--item", "katana", "--set", "mace"},
          QStringList{"--trade", "Smithy", "--item", "katana", "--amount", "12"},
          QStringList{"--trade", "Smithy", "--item", "katana", "--amount", "15x"}}) {
        SCOPED_TRACE(wrong.join(' ').toStdString());
        for (const char* name : {"a.bod", "missing.bod"}) {
            const BodToolResult refused = RunBodTool(QStringList{"add", Path(name)} + wrong);
            EXPECT_EQ(2, refused.nExitCode);
            EXPECT_TRUE(refused.err.startsWith("bodtool: add: ")) << refused.err.toStdString();
        }
        EXPECT_EQ(before, ReadFileBytes(Path("a.bod")));
        EXPECT_FALSE(QFile::exists(Path("missing.bod")));
    }
}
