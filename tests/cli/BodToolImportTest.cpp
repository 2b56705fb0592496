#include "model/BodFile.h"
#include "support/BodToolRunner.h"

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
    QString Path(const char* pszName) const { return m_dir.filePath(pszName); }
    // The document as "reserved2 reserved1: item|material|amount|quality|count|note|parts, ...".
    std::string Summary(const char* pszName) const {
        const BodFile::Contents doc = BodFile::Read(ReadFileBytes(Path(pszName)).toStdString());
        std::string strText =
            std::to_string(doc.nReserved2) + ' ' + std::to_string(doc.nReserved1) + ':';
        for (const std::unique_ptr<CBodItem>& pBod : doc.bods) {
            strText += ' ' + pBod->GetItem() + '|' + pBod->GetMaterial() + '|' + pBod->GetAmount() +
                       '|' + pBod->GetQuality() + '|' + pBod->GetCount() + '|' + pBod->GetNotes() +
                       '|' + std::to_string(pBod->GetPartCount()) + ',';
        }
        return strText;
    }

    QTemporaryDir m_dir;
};

// Valid deeds join in list order, with the note, after those the document had; its other
// fields stay. With nothing valid, the file stays as it was and a missing one is not made.
TEST_F(BodToolImportTest, ImportAppendsTheValidDeedsOnly) {
    WriteFileBytes(Path("paste.txt"),
                   "Deed list\r\n" + kSmall + "\r\n" + kBroken + "\r\n" + kLarge);
    EXPECT_EQ("2 BOD's were imported.\n",
              RunBodTool({"import", "--note", "north", Path("new.bod"), Path("paste.txt")}).out);
    EXPECT_EQ("0 0: LBOD/chainmail|iron|10|Normal|10/30|north|3, "
              "platemail gloves|shadow iron|20|Exceptional|5/20|north|0,",
              Summary("new.bod"));

    CBodArray bods;
    bods.push_back(std::make_unique<CBodItem>());
    bods.back()->SetItem("bascinet");
    WriteBodFile(Path("old.bod"), bods, 7, 9);
    const BodToolResult result =
        RunBodTool({"import", "--mode", "pre-aos", Path("old.bod")}, kPreAos + "\n" + kBroken);
    EXPECT_EQ(0, result.nExitCode);
    EXPECT_EQ("1 BOD was imported.\n", result.out);
    EXPECT_EQ("7 9: bascinet||||||0, platemail gloves|shadow iron|20|Exceptional|5/20||0,",
              Summary("old.bod"));

    const QByteArray before = ReadFileBytes(Path("old.bod"));
    for (const QByteArray& text :
         {QByteArray(), QByteArray("no deeds here\r\n"), kBroken + "\r\n" + kBroken}) {
        SCOPED_TRACE(text.toStdString());
        const BodToolResult toExisting = RunBodTool({"import", Path("old.bod")}, text);
        EXPECT_EQ(0, toExisting.nExitCode);
        EXPECT_EQ("0 BOD's were imported.\n", toExisting.out);
        EXPECT_EQ(before, ReadFileBytes(Path("old.bod")));
        EXPECT_EQ(0, RunBodTool({"import", Path("missing.bod")}, text).nExitCode);
        EXPECT_FALSE(QFile::exists(Path("missing.bod")));
    }
}

// The text argument is a pipe that bodtool opens only after reading the document, so the
// document is changed while the import runs; that change must survive.
TEST_F(BodToolImportTest, AChangeWhileImportingIsNotOverwritten) {
    WriteBodFile(Path("doc.bod"), {});
    ASSERT_EQ(0, mkfifo(Path("paste").toLocal8Bit().constData(), 0600));
    QProcess process;
    process.start(QStringLiteral(QUILLMAR_BODTOOL), {"import", Path("doc.bod"), Path("paste")});
    const int nFifo = open(Path("paste").toLocal8Bit().constData(), O_WRONLY);
    ASSERT_NE(-1, nFifo);
    WriteBodFile(Path("doc.bod"), {}, 3, 4);
    EXPECT_EQ(kSmall.size(), write(nFifo, kSmall.constData(), kSmall.size()));
    close(nFifo);
    ASSERT_TRUE(process.waitForFinished(60000));
    EXPECT_EQ(1, process.exitCode());
    EXPECT_TRUE(process.readAllStandardError().contains("changed by another program"));
    EXPECT_EQ("3 4:", Summary("doc.bod"));
}

// A name is the bytes the user gave, text or not; Qt would read this one as another name.
// The shell spells the byte, since a QProcess argument is text.
TEST_F(BodToolImportTest, AFileNameThatIsNotUtf8NamesThatVeryFile) {
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
    const QByteArray name = QFile::encodeName(m_dir.path()) + "/old\xE9.bod";
    EXPECT_EQ(0, unlink(name.constData())) << "the file has the name given";
}

// add appends the hand-made deed with its note; a choice the game never makes is a usage error
// that leaves the file as it was and creates no missing one.
TEST_F(BodToolImportTest, AddAppendsTheDeedAndAWrongChoiceChangesNothing) {
    ASSERT_EQ(0, RunBodTool({"import", Path("a.bod")}, kLarge).nExitCode);
    const BodToolResult added =
        RunBodTool({"add", Path("a.bod"), "--trade", "Tailor", "--set", "leather cap", "--material",
                    "spined leather", "--amount", "15", "--exceptional", "--note", "from Bob"});
    EXPECT_EQ("1 BOD was added.\n", added.out);
    EXPECT_EQ("0 0: LBOD/chainmail|iron|10|Normal|10/30||3, "
              "LBOD/leather cap|spined leather|15|Exceptional|0/90|from Bob|6,",
              Summary("a.bod"));

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

} // namespace
