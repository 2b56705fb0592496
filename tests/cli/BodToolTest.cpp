#include "model/BodFile.h"
#include "support/BodToolRunner.h"
#include "support/PdfText.h"
#include "support/TestDeeds.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QLockFile>
#include <QProcess>
#include <QTemporaryDir>
#include <array>
#include <gtest/gtest.h>
#ifndef Q_OS_WIN
#include <fcntl.h>
#include <grp.h>
#include <pwd.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

using TestPlatform::ChildSetup;

const QByteArray kSmall =
    "small bulk order: 20 exceptional platemail gloves: 5, with shadow iron ingots 300";
const QByteArray kLarge = "large bulk order: 10 chainmail coif: 10 chainmail leggings: 0 "
                          "chainmail tunic: 0 iron ingots 900";
const QByteArray kPreAos = "small bulk order (5/20) smithy/exceptional/small/platemail/ "
                           "exceptional platemail gloves, with shadow iron ingots 300";
const QByteArray kBroken = "junk bulk order";

class BodToolTest : public ::testing::Test {
protected:
    QString Path(const char* pszName) const { return m_dir.filePath(pszName); }
    // The document as "reserved2 reserved1: item|material|amount|quality|count|note|parts, ...".
    std::string Summary(const char* pszName) const {
        const BodFile::Contents doc = BodFile::Read(ReadFileBytes(Path(pszName)).toStdString());
        std::string strText =
            std::to_string(doc.nReserved2) + ' ' + std::to_string(doc.nReserved1) + ':';
        for (const std::unique_ptr<CBodItem>& pBod : doc.bods) {
            strText += ' ' + pBod->m_strItem + '|' + pBod->m_strMaterial + '|' + pBod->m_strAmount +
                       '|' + pBod->m_strQuality + '|' + pBod->m_strCount + '|' + pBod->m_strNotes +
                       '|' + std::to_string(pBod->GetPartCount()) + ',';
        }
        return strText;
    }
    // Standard output of a run that must succeed and say nothing on standard error.
    static QByteArray Output(const QStringList& args, const QByteArray& input = {}) {
        const BodToolResult result = RunBodTool(args, input);
        EXPECT_EQ(0, result.nExitCode) << args.join(' ').toStdString();
        EXPECT_EQ("", result.err.toStdString()) << args.join(' ').toStdString();
        return result.out;
    }
    QTemporaryDir m_dir;
};

// Usage errors exit 2, unusable input or output 1, with a message that names the program, nothing
// on standard output and no file changed. Help and the version are answers on standard output.
TEST_F(BodToolTest, EachOutcomeHasItsExitCodeAndItsStream) {
    WriteBodFile(Path("deeds.bod"), TestDeeds::MakeDeeds({TestDeeds::DeedFields{}}));
    const QByteArray doc = ReadFileBytes(Path("deeds.bod"));
    // Larger than the lowered file size limit, and with a large deed to fill.
    std::vector<TestDeeds::DeedFields> fillable(
        30, {"Smithy", "Chainmail", "iron", "10", "Normal", "LBOD/chainmail", "0/30"});
    fillable.push_back({"Smithy", "Chainmail", "iron", "10", "Normal", "chainmail tunic", "10/10"});
    WriteBodFile(Path("fill.bod"), TestDeeds::MakeDeeds(fillable));
    const QByteArray fill = ReadFileBytes(Path("fill.bod"));
    WriteFileBytes(Path("cut.bod"), doc.chopped(1));
    WriteFileBytes(Path("text.bod"), "not a deed file");
    QFile::link(Path("deeds.bod"), Path("link.bod"));
    // Within the text limit, but reading and parsing it takes several times its size.
    WriteFileBytes(Path("big.txt"), (kSmall + '\n').repeated((60 << 20) / (kSmall.size() + 1)));
    // Another program is saving this one, and goes on doing so.
    WriteFileBytes(Path("locked.bod"), {});
    QLockFile saving(Path("locked.bod.lock"));
    ASSERT_TRUE(saving.tryLock(0));
    const TestPlatform::NamedPipe pipe; // nobody writes to it
    const struct {
        QStringList args;
        int nExitCode;
        QString strText;
        ChildSetup setup = ChildSetup::None;
    } cases[] = {
        {{}, 2, "usage"},
        {{"frobnicate"}, 2, "usage"},
        {{"parse", "--mode", "classic"}, 2, "usage"},
        {{"parse", "--verbose"}, 2, "usage"},
        {{"dump"}, 2, "usage"},
        {{"tree"}, 2, "usage"},
        {{"import"}, 2, "import [--mode aos|pre-aos|tooltip] [--note TEXT] FILE.bod [TEXTFILE]\n"},
        {{"export"}, 2, "  bodtool export [--format csv|json] FILE.bod\n"},
        {{"export", Path("deeds.bod"), "b.bod"}, 2, "usage"},
        {{"dump", "a.bod", "b.bod"}, 2, "usage"},
        {{"import", Path("new.bod"), "--note"}, 2, "usage"},
        {{"print", "--expand", "some", Path("deeds.bod"), Path("out.pdf")}, 2, "usage"},
        {{"export", "--format", "xml", Path("deeds.bod")}, 2, "usage"},
        {{"help", "frobnicate"}, 2, "unknown command frobnicate"},
        {{"help", "dump", "tree"}, 2, "unexpected argument tree"},
        {{"stats", ""}, 2, "empty file name"},
        {{"print", Path("deeds.bod"), Path("deeds.bod")}, 2, "would replace"},
#ifndef Q_OS_WIN // a symbolic link needs an administrator there
        {{"print", Path("deeds.bod"), Path("link.bod")}, 2, "would replace"},
#endif
        {{"dump", Path("missing.bod")}, 1, Path("missing.bod")},
        {{"parse", m_dir.path()}, 1, m_dir.path() + ": is a folder"},
        {{"print", Path("deeds.bod"), Path("no/such/dir/out.pdf")}, 1, "out.pdf"},
        {{"dump", Path("cut.bod")}, 1, Path("cut.bod") + ": Unexpected file format."},
        {{"import", Path("text.bod")}, 1, Path("text.bod") + ": Unexpected file format."},
        {{"dump", pipe.Path()}, 1, "not a document file"},
        // On Windows the open above took the pipe, and this one finds it busy.
        {{"add", pipe.Path(), "--trade", "Smithy", "--item", "katana"}, 1, "not a document file"},
        {{"dump", m_dir.path()}, 1, "not a document file"},
#ifndef Q_OS_WIN // no endless device there
        {{"import", Path("deeds.bod"), "/dev/zero"}, 1, "64 MiB"},
#endif
        {{"add", Path("locked.bod"), "--trade", "Smithy", "--item", "katana"},
         1,
         Path("locked.bod") + ": another program is saving it"},
        {{"dump", Path("deeds.bod")}, 1, "could not be written", ChildSetup::OutputFails},
        {{"import", Path("deeds.bod")}, 1, "standard output is closed", ChildSetup::OutputClosed},
        {{"import", Path("deeds.bod")}, 1, "no input was given", ChildSetup::InputClosed},
        {{"import", Path("deeds.bod")}, 1, "deeds.bod", ChildSetup::FileSizeLimit},
        {{"print", Path("deeds.bod"), Path("out.pdf")},
         1,
         "File too large",
         ChildSetup::FileSizeLimit},
        {{"fill", Path("fill.bod")}, 1, "fill.bod", ChildSetup::FileSizeLimit},
        {{"fill", Path("missing.bod")}, 1, Path("missing.bod")},
        {{"fill", Path("deeds.bod")}, 0, "No large deed could be filled"},
        {{"add", "--list", "Smith"}, 2, "unknown trade 'Smith'; the trades are Smithy, Tailor"},
#ifndef __SANITIZE_ADDRESS__ // which reserves more address space than any such limit
        {{"import", Path("deeds.bod"), Path("big.txt")},
         1,
         "out of memory",
         ChildSetup::MemoryLimit},
#endif
        {{"help", "dump"}, 0, "usage:\n  bodtool dump FILE.bod\n"},
        {{"print", "--help"}, 0, "usage:\n  bodtool print [--expand all|root] FILE.bod OUT.pdf\n"},
        {{"--help"},
         0,
         "usage:\n"
         "  bodtool parse [--mode aos|pre-aos|tooltip] [TEXTFILE]\n"
         "  bodtool dump FILE.bod\n"
         "  bodtool import [--mode aos|pre-aos|tooltip] [--note TEXT] FILE.bod [TEXTFILE]\n"
         "  bodtool add FILE.bod --trade TRADE (--item ITEM | --set SET) [--gem GEM] "
         "[--material M] [--amount 10|15|20] [--exceptional] [--note TEXT]\n"
         "  bodtool add --list TRADE\n"
         "  bodtool fill FILE.bod\n"
         "  bodtool shopping FILE.bod\n"
         "  bodtool stats FILE.bod\n"
         "  bodtool tree [--shopping] FILE.bod\n"
         "  bodtool print [--expand all|root] FILE.bod OUT.pdf\n"
         "  bodtool export [--format csv|json] FILE.bod\n"},
        {{"--version"}, 0, "bodtool 1."},
    };
    const QStringList files = QDir(m_dir.path()).entryList(QDir::Files);
    for (const auto& c : cases) {
        if (!TestPlatform::Supports(c.setup)) {
            continue;
        }
        SCOPED_TRACE(c.args.join(' ').toStdString());
        const BodToolResult result = RunBodTool(c.args, (kSmall + '\n').repeated(30), c.setup);
        EXPECT_EQ(c.nExitCode, result.nExitCode);
        const QByteArray& shown = c.nExitCode == 0 ? result.out : result.err;
        EXPECT_TRUE(shown.startsWith(c.nExitCode == 0 ? c.strText.toUtf8() : "bodtool: ") &&
                    shown.contains(c.strText.toUtf8()) && shown.endsWith('\n'))
            << shown.toStdString();
        EXPECT_EQ(QByteArray(), c.nExitCode == 0 ? result.err : result.out);
        EXPECT_EQ(files, QDir(m_dir.path()).entryList(QDir::Files));
        EXPECT_EQ(doc, ReadFileBytes(Path("deeds.bod")));
        EXPECT_EQ(fill, ReadFileBytes(Path("fill.bod")));
    }
}

// fill does what Fill Large Deeds does, and saves.
TEST_F(BodToolTest, FillFillsTheLargeDeedsFromTheCompleteSmallDeeds) {
    WriteBodFile(
        Path("f.bod"),
        TestDeeds::MakeDeeds(
            {{"Smithy", "Chainmail", "iron", "10", "Normal", "LBOD/chainmail", "10/30"},
             {"Smithy", "Chainmail", "gold", "10", "Exceptional", "chainmail tunic", "10/10"},
             {"Smithy", "Chainmail", "iron", "10", "Normal", "chainmail coif", "3/10"}}));
    EXPECT_EQ("Large deeds filled: 1. Small deeds used: 1. Large deeds now complete: 0.\n",
              Output({"fill", Path("f.bod")}));
    EXPECT_EQ("0 0: LBOD/chainmail|iron|10|Normal|20/30||3, chainmail coif|iron|10|Normal|3/10||0,",
              Summary("f.bod"));
}

// Valid deeds join in order, with the note, after the document's; nothing valid changes nothing.
TEST_F(BodToolTest, ImportAppendsTheValidDeedsOnly) {
    WriteFileBytes(Path("paste.txt"),
                   "Deed list\r\n" + kSmall + "\r\n" + kBroken + "\r\n" + kLarge);
    EXPECT_EQ("2 BOD's were imported.\n",
              Output({"import", "--note", "north", Path("new.bod"), Path("paste.txt")}));
    EXPECT_EQ("0 0: LBOD/chainmail|iron|10|Normal|10/30|north|3, "
              "platemail gloves|shadow iron|20|Exceptional|5/20|north|0,",
              Summary("new.bod"));

    WriteBodFile(Path("old.bod"), TestDeeds::MakeDeeds({{"", "", "", "", "", "bascinet", ""}}), 7,
                 9);
    EXPECT_EQ("1 BOD was imported.\n",
              Output({"import", "--mode", "pre-aos", Path("old.bod")}, kPreAos + "\n" + kBroken));
    EXPECT_EQ("7 9: bascinet||||||0, platemail gloves|shadow iron|20|Exceptional|5/20||0,",
              Summary("old.bod"));

    const QByteArray before = ReadFileBytes(Path("old.bod"));
#ifndef Q_OS_WIN // a folder opens for reading on POSIX, and reading it fails
    QProcess folderInput;
    folderInput.setStandardInputFile(m_dir.path());
    folderInput.start(QUILLMAR_BODTOOL, {"import", Path("old.bod")});
    ASSERT_TRUE(folderInput.waitForFinished(60000));
    EXPECT_EQ("1|bodtool: standard input: Is a directory\n",
              QByteArray::number(folderInput.exitCode()) + '|' +
                  folderInput.readAllStandardError());
#endif
    const QByteArray nothing = "no deeds here\r\n" + kBroken + "\r\n" + kBroken;
    EXPECT_EQ("0 BOD's were imported.\n", Output({"import", Path("old.bod")}, nothing));
    EXPECT_EQ(before, ReadFileBytes(Path("old.bod")));
    EXPECT_EQ("0 BOD's were imported.\n", Output({"import", Path("missing.bod")}, nothing));
    EXPECT_FALSE(QFile::exists(Path("missing.bod")));
}

// A name is what the system holds: on POSIX bytes that need not be UTF-8 (Qt would read another
// name; a QProcess argument cannot say them), on Windows characters beyond the ANSI code page.
TEST_F(BodToolTest, AFileNameNamesThatVeryFile) {
#ifdef Q_OS_WIN
    const QString strName = m_dir.filePath(QString::fromUtf8("old\u65e5\u672c\u0142.bod"));
    const auto run = [&](const QString& strCommand) {
        return Output({strCommand, strName}, kSmall);
    };
#else
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
#endif
    run("import");
    EXPECT_EQ("1 BOD was imported.\n", run("import"));
    EXPECT_TRUE(run("stats").startsWith("{\"deeds\":2,"));
#ifdef Q_OS_WIN
    EXPECT_TRUE(QFile::remove(strName)) << "the file has the name given";
#else
    const QByteArray name = QFile::encodeName(m_dir.path()) + "/old\xE9.bod";
    EXPECT_EQ(0, unlink(name.constData())) << "the file has the name given";
#endif
}

// A choice the game never makes is a usage error that changes no file and creates none.
TEST_F(BodToolTest, AddAppendsTheDeedAndAWrongChoiceChangesNothing) {
    Output({"import", Path("a.bod")}, kLarge);
    EXPECT_EQ(
        "1 BOD was added.\n",
        Output({"add", Path("a.bod"), "--trade", "Tailor", "--set", "leather cap", "--material",
                "spined leather", "--amount", "15", "--exceptional", "--note", "from Bob"}));
    // Without a material or amount, the item's plain material and 20; a name in any case,
    // without its article.
    Output({"add", Path("a.bod"), "--trade", "Smithy", "--item", "katana"});
    Output({"add", Path("a.bod"), "--trade", "Alchemy", "--item", "Greater Heal Potion"});
    EXPECT_EQ("0 0: LBOD/chainmail|iron|10|Normal|10/30||3, "
              "LBOD/leather cap|spined leather|15|Exceptional|0/90|from Bob|6, "
              "katana|iron|20|Normal|0/20||0, a greater heal potion|no material|20|Normal|0/20||0,",
              Summary("a.bod"));
    const QByteArray names = Output({"add", "--list", "Tinkering"});
    EXPECT_TRUE(
        names.startsWith("items:\n  ring\n") && names.contains("\nsets:\n  butcher knife\n") &&
        names.endsWith("\ngems:\n  star sapphire\n  emerald\n  sapphire\n  ruby\n  citrine\n  "
                       "amethyst\n  tourmaline\n  amber\n  diamond\n"));

    const QByteArray before = ReadFileBytes(Path("a.bod"));
    for (const QStringList& wrong :
         {QStringList{"--trade", "Tailor", "--item", "fancy shirt", "--material", "spined leather"},
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

// The pre-aos mode is checked through import, which reads the same option.
TEST_F(BodToolTest, ParsePrintsOneJsonLinePerDeed) {
    const QString strExamples = QStringLiteral(QUILLMAR_EXAMPLES_DIR "/");
    const std::pair<BodToolResult, int> cases[] = {
        {RunBodTool({"parse", strExamples + "aos.txt"}), 25},
        {RunBodTool({"parse", "--mode=tooltip"}, ReadFileBytes(strExamples + "tooltip.txt")), 9}};
    for (const auto& [result, nDeeds] : cases) {
        ASSERT_EQ(0, result.nExitCode) << result.err.toStdString();
        ASSERT_EQ(nDeeds, result.out.count('\n'));
        const QJsonDocument first = QJsonDocument::fromJson(result.out.split('\n')[0]);
        EXPECT_EQ("platemail gloves|shadow iron|1", first["item"].toString() + '|' +
                                                        first["material"].toString() + '|' +
                                                        QString::number(first["valid"].toBool()));
    }
    // Each line stays one JSON object; bytes that are not UTF-8 are Windows-1252 characters.
    const QByteArray out = Output({"parse"}, "header\r\nsmall bulk order: \"quoted\"\t\\ "
                                             "\x01\x1f caf\xc3\xa9 \xff end\r\n");
    ASSERT_EQ(1, out.count('\n'));
    EXPECT_EQ(QString::fromUtf8("small bulk order: \"quoted\"\t\\ \x01\x1f café ÿ end"),
              QJsonDocument::fromJson(out)["line"].toString());
    EXPECT_FALSE(QJsonDocument::fromJson(out)["valid"].toBool(true));
}

// Parts, a leap day, the last time a deed can hold, and text that CSV must quote and JSON escape.
// In CSV a text that a spreadsheet would run as a formula is made text, and NUL is left out.
TEST_F(BodToolTest, DumpAndExportShowEveryFieldOfEveryDeed) {
    CBodArray bods;
    bods.push_back(TestDeeds::MakeLargeDeed(
        {"Smithy", "Platemail", "iron", "10", "Normal", "LBOD/platemail", "20/60"},
        {"platemail arms", "platemail gloves", "platemail legs"}));
    bods.back()->SetPart(1, true, "");
    bods.back()->m_timeAdded = 951782400;
    // A line break alone, with no comma or quote, must quote a CSV field too.
    bods.back()->m_strNotes = "für Ærwin\n日本";
    bods.push_back(TestDeeds::MakeDeed(
        {"Tailor", "Cloth", "cloth", "15", "Exceptional", "cape, \"fancy\"", "0/15"}));
    bods.back()->m_strNotes = "line one\r\nline two, with \"quotes\"\nand an é";
    bods.back()->m_strPrice = "1,500";
    bods.back()->m_timeAdded = 0;
    bods.push_back(TestDeeds::MakeDeed({}));
    bods.back()->m_timeAdded = 4294967295U;
    bods.back()->m_strMaterial = std::string("\0@x", 3);
    bods.back()->m_strPrice = "+5";
    bods.back()->m_strNotes = "=1+2";
    WriteBodFile(Path("deeds.bod"), bods, -3, 9);

    const QByteArray deeds =
        R"("deeds":[{"trade":"Smithy","category":"Platemail","material":"iron","amount":"10",)"
        R"("quality":"Normal","item":"LBOD/platemail","count":"20/60","price":"",)"
        R"("notes":"für Ærwin\n日本","time":951782400,"partsBuilt":true,"parts":[)"
        R"({"name":"platemail arms","filled":false},{"name":"platemail gloves","filled":true},)"
        R"({"name":"platemail legs","filled":false}]},{"trade":"Tailor","category":"Cloth",)"
        R"("material":"cloth","amount":"15","quality":"Exceptional","item":"cape, \"fancy\"",)"
        R"("count":"0/15","price":"1,500","notes":"line one\r\nline two, with \"quotes\"\nand )"
        R"(an é","time":0,"partsBuilt":false,"parts":[]},{"trade":"","category":"",)"
        R"("material":"\u0000@x","amount":"","quality":"","item":"","count":"","price":"+5",)"
        R"("notes":"=1+2","time":4294967295,"partsBuilt":false,"parts":[]}]})";
    EXPECT_EQ(R"({"reserved2":-3,"reserved1":9,)" + deeds + '\n',
              Output({"dump", Path("deeds.bod")}));
    EXPECT_EQ('{' + deeds + '\n', Output({"export", "--format", "json", Path("deeds.bod")}));
    EXPECT_EQ("\xEF\xBB\xBFTrade,Category,Material,Amount,Quality,Item,Count,Filled Parts,"
              "Total Parts,Price,Notes,Date\r\n"
              "Smithy,Platemail,iron,10,Normal,LBOD/platemail,20/60,1,3,,\"für Ærwin\n日本\","
              "2000-02-29T00:00:00Z\r\n"
              "Tailor,Cloth,cloth,15,Exceptional,\"cape, \"\"fancy\"\"\",0/15,0,0,\"1,500\","
              "\"line one\r\nline two, with \"\"quotes\"\"\nand an é\",1970-01-01T00:00:00Z\r\n"
              ",,\"'@x\",,,,,0,0,\"'+5\",\"'=1+2\",2106-02-07T06:28:15Z\r\n",
              Output({"export", Path("deeds.bod")}));
}

// Platemail with parts 1 and 3 open, chainmail stored without parts, two small deeds (one
// finished), one of another trade, and a set of a newer craft with one part open.
TEST_F(BodToolTest, ShoppingListsOpenPartsAndStatsCountThem) {
    CBodArray bods = TestDeeds::MakeDeeds(
        {{"Smithy", "Platemail", "iron", "10", "Normal", "LBOD/platemail", "40/60"},
         {"Smithy", "Platemail", "iron", "10", "Normal", "LBOD/chainmail", "0/30"},
         {"Smithy", "Platemail", "iron", "10", "Normal", "platemail gloves", "10/10"},
         {"Smithy", "Platemail", "iron", "10", "Normal", "platemail arms", "3/10"},
         {"Tailor", "Platemail", "iron", "10", "Normal", "cloak", ""},
         {"Carpentry", "Woodwork", "oak", "10", "Exceptional", "LBOD/lap harp", "10/40"}});
    for (const auto& [nBod, filled] : {std::pair(0, std::vector{1, 3, 4, 5}), {5, {0, 1, 2}}}) {
        bods[nBod]->BuildParts();
        for (const int nPart : filled) {
            bods[nBod]->SetPart(nPart, true, "");
        }
    }
    const QString strPath = Path("deeds.bod");
    WriteBodFile(strPath, bods);

    // Nothing was left out, so nothing is said about it.
    const QByteArray shopping = Output({"shopping", strPath});
    QStringList items;
    for (const QJsonValue& deed : QJsonDocument::fromJson(shopping)["deeds"].toArray()) {
        items << deed["item"].toString();
    }
    EXPECT_EQ((QStringList{"LBOD/platemail", "LBOD/chainmail", "LBOD/lap harp", "platemail gorget",
                           "plate helm", "chainmail coif", "chainmail leggings", "chainmail tunic",
                           "standing harp"}),
              items);
    // The tree of the shopping list, not of the deeds: it has the open parts.
    const QByteArray tree = Output({"tree", "--shopping", strPath});
    EXPECT_TRUE(tree.startsWith("BOD's - Shopping List\t0\n") &&
                tree.contains(" plate helm - \t16\n"))
        << tree.toStdString();

    // Points by hand: platemail 10 + 400 set, chainmail 10 + 300, three small deeds 10 each, the
    // harps 10 + 200 exceptional + 300 oak + 250 set; large deeds bank 20 %, small ones 2 %.
    EXPECT_EQ(QByteArray("{\"deeds\":6,\"large\":3,\"small\":3,\"valid\":5,\"largeComplete\":0,"
                         "\"largeFilledParts\":7,\"largeOpenParts\":6,\"smallComplete\":1,"
                         "\"byTrade\":{\"Carpentry\":1,\"Smithy\":4,\"Tailor\":1},"
                         "\"byCategory\":{\"Platemail\":5,\"Woodwork\":1},"
                         "\"byMaterial\":{\"iron\":5,\"oak\":1}}\n"
                         "{\"points\":{\"turnIn\":1510,\"bank\":296.6},"
                         "\"largePoints\":{\"turnIn\":1480,\"bank\":296},"
                         "\"smallPoints\":{\"turnIn\":30,\"bank\":0.6},"
                         "\"pointsByTrade\":{\"Carpentry\":{\"turnIn\":760,\"bank\":152},"
                         "\"Smithy\":{\"turnIn\":740,\"bank\":144.4},"
                         "\"Tailor\":{\"turnIn\":10,\"bank\":0.2}}}\n"),
              Output({"stats", strPath}));
}

// print draws the outline, open by default, on numbered pages with each deed's label once.
TEST_F(BodToolTest, TreeAndPrintShowTheHierarchy) {
    WriteBodFile(Path("sample.bod"), TestDeeds::MakeDeeds(TestDeeds::MixedDeeds()));
    EXPECT_EQ(TestDeeds::MixedOutline(), Output({"tree", Path("sample.bod")}).toStdString());
    const auto labelsIn = [](const QString& strText) {
        QStringList labels;
        for (const QString& strLine : strText.split('\n')) {
            if (strLine.contains(" - ")) {
                labels.append(strLine.section('\t', 0, 0).trimmed());
            }
        }
        return labels;
    };
    const QStringList labels = labelsIn(QString::fromStdString(TestDeeds::MixedOutline()));
    for (const QStringList& expandArgs :
         {QStringList{}, QStringList{"--expand", "all"}, QStringList{"--expand=root"}}) {
        SCOPED_TRACE(expandArgs.join(' ').toStdString());
        const BodToolResult result = RunBodTool(QStringList{"print"} + expandArgs +
                                                QStringList{Path("sample.bod"), Path("out.pdf")});
        ASSERT_EQ(0, result.nExitCode) << result.err.toStdString();
        // pdftotext also reads a copy that lost its first bytes.
        EXPECT_TRUE(ReadFileBytes(Path("out.pdf")).startsWith("%PDF-"));
        const QStringList pages = PdfPageTexts(Path("out.pdf"));
        EXPECT_TRUE(pages.value(0).contains("sample.bod BOD hierarchy") &&
                    pages.last().contains(QString("Page %1/%1").arg(pages.size())));
        EXPECT_EQ(expandArgs.contains("--expand=root") ? labels.mid(0, 1) : labels,
                  labelsIn(pages.join('\n')));
    }
}

// Two programs adding to one large document at the same moment, again and again: one waits for
// the other's save, so every deed reported added is in the file. A lock file left by a program
// that is gone is taken over.
TEST_F(BodToolTest, WritersAtTheSameMomentTakeTurnsAndLoseNothing) {
    WriteBodFile(Path("big.bod"),
                 TestDeeds::MakeDeeds(std::vector<TestDeeds::DeedFields>(
                     10'000, {"Smithy", "Weapon", "iron", "20", "Normal", "katana", "0/20"})));
    WriteFileBytes(Path("big.bod.lock"), "");
    for (int nRound = 0; nRound < 10; ++nRound) {
        std::array<QProcess, 2> writers;
        for (QProcess& writer : writers) {
            writer.start(QUILLMAR_BODTOOL,
                         {"add", Path("big.bod"), "--trade", "Smithy", "--item", "katana"});
        }
        for (QProcess& writer : writers) {
            ASSERT_TRUE(writer.waitForFinished(60'000));
            EXPECT_EQ(0, writer.exitCode()) << writer.readAllStandardError().toStdString();
        }
    }
    EXPECT_EQ(10'020U, BodFile::Read(ReadFileBytes(Path("big.bod")).toStdString()).bods.size());
}

#ifndef Q_OS_WIN // a size limit in a child, a second name
// A kill at any byte of a save leaves the document as it was, or with the deed added, or, when
// it is rewritten in place (it has a second name), unreadable with its previous bytes in the
// recovery copy that bodtool names. The next save leaves no new file behind, and both names.
TEST_F(BodToolTest, AKillAtAnyByteOfASaveLeavesEveryOutcomeReadable) {
    const QString strPath = Path("doc.bod");
    const QStringList add{"add", strPath, "--trade", "Smithy", "--item", "katana"};
    for (const bool bTwoNames : {false, true}) {
        SCOPED_TRACE(bTwoNames ? "two names" : "one name");
        WriteBodFile(strPath, TestDeeds::MakeDeeds(std::vector(50, TestDeeds::DeedFields{})));
        if (bTwoNames) {
            ASSERT_EQ(0, link(QFile::encodeName(strPath), QFile::encodeName(Path("other.bod"))));
        }
        const QByteArray before = ReadFileBytes(strPath);
        const rlim_t nSize = before.size();
        QString strCopy;
        // Killed by the size limit: past the lock file, in the new file (or the recovery copy,
        // which is written first), and past the end.
        for (const rlim_t nAt :
             {rlim_t{256}, nSize - 1, nSize, nSize + 1, nSize + 40, nSize + 400}) {
            QProcess killed;
            killed.setChildProcessModifier([nAt] {
                const rlimit limit{nAt, nAt};
                setrlimit(RLIMIT_FSIZE, &limit);
            });
            killed.start(QUILLMAR_BODTOOL, add);
            ASSERT_TRUE(killed.waitForFinished(60'000));
            const BodToolResult dump = RunBodTool({"dump", strPath});
            if (dump.nExitCode != 0) {
                EXPECT_TRUE(bTwoNames) << nAt;
                strCopy = dump.err.mid(dump.err.indexOf("kept in ") + 8).trimmed();
                EXPECT_EQ(before, ReadFileBytes(strCopy)) << nAt << dump.err.toStdString();
            } else {
                EXPECT_TRUE(ReadFileBytes(strPath) == before || dump.out.count("katana") == 1)
                    << nAt;
            }
            WriteFileBytes(strPath, before);
        }
        EXPECT_EQ(0, RunBodTool(add).nExitCode);
        EXPECT_EQ(QStringList({"doc.bod", "other.bod"}).mid(0, bTwoNames ? 2 : 1),
                  QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden));
        EXPECT_EQ(bTwoNames, !strCopy.isEmpty());
        EXPECT_FALSE(QFile::exists(strCopy));
        if (bTwoNames) {
            EXPECT_EQ(ReadFileBytes(Path("other.bod")), ReadFileBytes(strPath));
        }
    }
}

#endif

#ifdef Q_OS_LINUX // setresuid
// What another account may do. Saved as root, a file keeps its owner and group; saved by a user,
// a group the user is in, or, where a new file could not have them, it is rewritten in place. A
// read-only file stays as it is, and so does the file behind a link that another account put in
// a sticky, world-writable folder (one of the user's own, or of the folder's owner, is followed).
TEST_F(BodToolTest, SavingKeepsWhoMayReadTheFileAndRefusesWhatTheUserMayNot) {
    const passwd* pNobody = getpwnam("nobody");
    const group* pGames = getgrnam("games");
    if (geteuid() != 0 || pNobody == nullptr || pGames == nullptr) {
        GTEST_SKIP() << "only root can run bodtool as the account nobody in the group games";
    }
    const uid_t nobody = pNobody->pw_uid;
    const gid_t nogroup = pNobody->pw_gid;
    const gid_t games = pGames->gr_gid;
    chmod(QFile::encodeName(m_dir.path()), 0755);
    // Sticky, world-writable folders of root and of nobody, and nobody's settings folder, where
    // its recovery copies go.
    for (const auto& [pszFolder, owner, mode] :
         {std::tuple("tmp", 0U, 01777), std::tuple("theirs", nobody, 01777),
          std::tuple("config", nobody, 0700)}) {
        QDir(m_dir.path()).mkdir(pszFolder);
        chown(QFile::encodeName(Path(pszFolder)), owner, nogroup);
        chmod(QFile::encodeName(Path(pszFolder)), mode_t(mode));
    }
    const QByteArray config = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(Path("config")));
    const struct {
        const char* pszRun;
        const char* pszFile; // another name: pszRun is a link to it, owned by linkOwner
        uid_t linkOwner;
        uid_t owner;
        gid_t group;
        mode_t mode;
        bool bAsNobody;
        int nExitCode;
    } cases[] = {
        {"tmp/a.bod", "tmp/a.bod", 0, nobody, games, 0640, false, 0},
        {"tmp/b.bod", "tmp/b.bod", 0, nobody, games, 0660, true, 0},
        {"tmp/c.bod", "tmp/c.bod", 0, 0, games, 0660, true, 0},
        {"tmp/d.bod", "tmp/d.bod", 0, nobody, nogroup, 0444, true, 1},
        {"tmp/theirs.bod", "e.bod", nobody, 0, 0, 0600, false, 1},
        {"theirs/mine.bod", "f.bod", 0, 0, 0, 0600, false, 0},
        {"theirs/theirs.bod", "g.bod", nobody, 0, 0, 0600, false, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pszRun);
        const QByteArray file = QFile::encodeName(Path(c.pszFile));
        WriteBodFile(Path(c.pszFile), TestDeeds::MakeDeeds({TestDeeds::DeedFields{}}));
        chown(file, c.owner, c.group);
        chmod(file, c.mode);
        if (symlink(file, QFile::encodeName(Path(c.pszRun))) == 0) {
            lchown(QFile::encodeName(Path(c.pszRun)), c.linkOwner, c.linkOwner);
        }
        const BodToolResult result =
            RunBodTool({"add", Path(c.pszRun), "--trade", "Smithy", "--item", "katana"}, {}, [&] {
                if (c.bAsNobody) {
                    setgroups(1, &games);
                    setresgid(nogroup, nogroup, nogroup);
                    setresuid(nobody, nobody, nobody);
                }
            });
        EXPECT_EQ(c.nExitCode, result.nExitCode) << result.err.toStdString();
        struct stat status {};
        ASSERT_EQ(0, stat(file, &status));
        EXPECT_EQ(std::tuple(c.owner, c.group, c.mode),
                  std::tuple(status.st_uid, status.st_gid, status.st_mode & 07777));
        EXPECT_EQ(c.nExitCode == 0 ? 2U : 1U,
                  BodFile::Read(ReadFileBytes(Path(c.pszFile)).toStdString()).bods.size());
    }
    qputenv("XDG_CONFIG_HOME", config);
}

#endif

} // namespace
