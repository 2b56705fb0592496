#include "model/BodFile.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <string>

namespace {

const QByteArray kSmall =
    "small bulk order: 20 exceptional platemail gloves: 5, with shadow iron ingots 300";
const QByteArray kLarge = "large bulk order: 10 chainmail coif: 10 chainmail leggings: 0 "
                          "chainmail tunic: 0 iron ingots 900";
const QByteArray kBroken = "junk bulk order";

struct ToolResult {
    int exitCode = -1;
    QByteArray out;
};

ToolResult RunImport(const QStringList& args, const QByteArray& input = {}) {
    QProcess process;
    process.start(QUILLMAR_BODTOOL, QStringList{"import"} + args);
    EXPECT_TRUE(process.waitForStarted());
    process.write(input);
    process.closeWriteChannel();
    EXPECT_TRUE(process.waitForFinished(30000));
    EXPECT_EQ(QProcess::NormalExit, process.exitStatus());
    return {process.exitCode(), process.readAllStandardOutput()};
}

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    return file.readAll();
}

void WriteAll(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    file.write(bytes);
}

BodFile::Contents ReadDocument(const QString& path) {
    return BodFile::Read(ReadAll(path).toStdString());
}

class BodToolImportTest : public ::testing::Test {
protected:
    QString Path(const char* pName) const { return m_dir.filePath(QString::fromLatin1(pName)); }

    QTemporaryDir m_dir;
};

TEST_F(BodToolImportTest, NewDocumentGetsTheValidDeedsInListOrderWithTheNote) {
    WriteAll(Path("paste.txt"), "Deed list\r\n" + kSmall + "\r\n" + kBroken + "\r\n" + kLarge);

    const ToolResult result =
        RunImport({"--note", "north house", Path("new.bod"), Path("paste.txt")});

    EXPECT_EQ(0, result.exitCode);
    EXPECT_EQ("2 BOD's were imported.\n", result.out);
    const BodFile::Contents document = ReadDocument(Path("new.bod"));
    ASSERT_EQ(2u, document.bods.size());
    EXPECT_EQ("LBOD/chainmail", document.bods[0]->GetItem());
    EXPECT_EQ("platemail gloves", document.bods[1]->GetItem());
    EXPECT_EQ("north house", document.bods[0]->GetNotes());
    EXPECT_EQ("north house", document.bods[1]->GetNotes());
}

TEST_F(BodToolImportTest, ExistingDocumentKeepsItsDeedsAndGetsTheNewOnesAppended) {
    BodFile::Contents existing;
    existing.nReserved2 = 7;
    existing.nReserved1 = 9;
    existing.bods.push_back(std::make_unique<CBodItem>());
    existing.bods.back()->SetItem("bascinet");
    WriteAll(Path("old.bod"), QByteArray::fromStdString(BodFile::Write(
                                  existing.bods, existing.nReserved2, existing.nReserved1)));

    const ToolResult result = RunImport({Path("old.bod")}, kSmall + "\n" + kBroken);

    EXPECT_EQ(0, result.exitCode);
    EXPECT_EQ("1 BOD was imported.\n", result.out);
    const BodFile::Contents document = ReadDocument(Path("old.bod"));
    ASSERT_EQ(2u, document.bods.size());
    EXPECT_EQ("bascinet", document.bods[0]->GetItem());
    EXPECT_EQ("platemail gloves", document.bods[1]->GetItem());
    EXPECT_EQ("", document.bods[1]->GetNotes());
    EXPECT_EQ(7, document.nReserved2);
    EXPECT_EQ(9, document.nReserved1);
}

TEST_F(BodToolImportTest, NothingValidLeavesTheFileAsItWas) {
    const QByteArray existing = QByteArray::fromStdString(BodFile::Write({}, 0, 0));
    WriteAll(Path("old.bod"), existing);
    const QByteArray texts[] = {"", "no deeds here\r\n", kBroken + "\r\n" + kBroken};
    for (const QByteArray& text : texts) {
        const ToolResult toExisting = RunImport({Path("old.bod")}, text);
        const ToolResult toMissing = RunImport({Path("missing.bod")}, text);

        EXPECT_EQ(0, toExisting.exitCode) << text.toStdString();
        EXPECT_EQ("0 BOD's were imported.\n", toExisting.out) << text.toStdString();
        EXPECT_EQ(existing, ReadAll(Path("old.bod"))) << text.toStdString();
        EXPECT_EQ(0, toMissing.exitCode) << text.toStdString();
        EXPECT_FALSE(QFile::exists(Path("missing.bod"))) << text.toStdString();
    }
}

TEST_F(BodToolImportTest, ModeChoosesTheLineLayout) {
    const QByteArray preAos = "small bulk order (5/20) smithy/exceptional/small/platemail/ "
                              "exceptional platemail gloves, with shadow iron ingots 300";
    const struct {
        QStringList modeArgs;
        QByteArray text;
        QByteArray out;
    } cases[] = {
        {{"--mode", "pre-aos"}, preAos, "1 BOD was imported.\n"},
        {{}, preAos, "0 BOD's were imported.\n"},
    };
    for (const auto& c : cases) {
        QFile::remove(Path("new.bod"));
        const ToolResult result = RunImport(c.modeArgs + QStringList{Path("new.bod")}, c.text);

        EXPECT_EQ(0, result.exitCode) << c.text.toStdString();
        EXPECT_EQ(c.out, result.out) << c.text.toStdString();
        EXPECT_EQ(c.out.startsWith('1'), QFile::exists(Path("new.bod"))) << c.text.toStdString();
    }
}

TEST_F(BodToolImportTest, MalformedDocumentIsReportedAndLeftAlone) {
    WriteAll(Path("bad.bod"), "not a deed file");

    const ToolResult result = RunImport({Path("bad.bod")}, kSmall);

    EXPECT_EQ(1, result.exitCode);
    EXPECT_EQ("not a deed file", ReadAll(Path("bad.bod")));
}

TEST_F(BodToolImportTest, UsageErrorsExitWithTwoAndWriteNothing) {
    const QStringList cases[] = {
        {},
        {"--mode", "nonsense", Path("new.bod")},
        {"--bogus", Path("new.bod")},
        {Path("new.bod"), Path("a.txt"), Path("b.txt")},
        {Path("new.bod"), "--note"},
    };
    for (const QStringList& args : cases) {
        const ToolResult result = RunImport(args, kSmall);

        EXPECT_EQ(2, result.exitCode) << args.join(' ').toStdString();
        EXPECT_FALSE(QFile::exists(Path("new.bod"))) << args.join(' ').toStdString();
    }
}

} // namespace
