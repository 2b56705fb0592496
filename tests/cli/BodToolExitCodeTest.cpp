#include "model/BodFile.h"
#include "support/BodToolRunner.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <map>

namespace {

std::map<QString, QByteArray> FilesIn(const QString& strDir) {
    std::map<QString, QByteArray> files;
    for (const QString& strName : QDir(strDir).entryList(QDir::Files)) {
        files[strName] = ReadFileBytes(QDir(strDir).filePath(strName));
    }
    return files;
}

// Usage errors exit 2, unreadable input exits 1; either way the message says what went wrong,
// nothing reaches standard output and no file is written or changed.
TEST(BodToolExitCodeTest, FailuresExitWithTheirCodeAndWriteNothing) {
    const QTemporaryDir dir;
    const auto Path = [&dir](const char* pszName) {
        return dir.filePath(pszName);
    };
    CBodArray bods;
    bods.push_back(std::make_unique<CBodItem>());
    const std::string bytes = BodFile::Write(bods, 0, 0);
    WriteFileBytes(Path("deeds.bod"), QByteArray::fromStdString(bytes));
    WriteFileBytes(Path("cut.bod"), QByteArray::fromStdString(bytes.substr(0, bytes.size() - 1)));
    WriteFileBytes(Path("text.bod"), "not a deed file");
    const struct {
        QStringList args;
        int nExitCode;
        QString strMessage;
    } cases[] = {
        {{}, 2, "usage"},
        {{"frobnicate"}, 2, "usage"},
        {{"parse", "--mode", "classic"}, 2, "usage"},
        {{"dump"}, 2, "usage"},
        {{"import"}, 2, "usage"},
        {{"import", "--mode", "nonsense", Path("new.bod")}, 2, "usage"},
        {{"import", Path("new.bod"), "--note"}, 2, "usage"},
        {{"tree", "--expand", Path("deeds.bod")}, 2, "usage"},
        {{"print", Path("deeds.bod")}, 2, "usage"},
        {{"print", "--expand", "some", Path("deeds.bod"), Path("out.pdf")}, 2, "usage"},
        {{"parse", Path("missing.txt")}, 1, Path("missing.txt")},
        {{"dump", Path("missing.bod")}, 1, Path("missing.bod")},
        {{"dump", dir.path()}, 1, dir.path()},
        {{"print", Path("missing.bod"), Path("out.pdf")}, 1, Path("missing.bod")},
        {{"print", Path("deeds.bod"), Path("no/such/dir/out.pdf")}, 1, "out.pdf"},
        {{"dump", Path("cut.bod")}, 1, "Unexpected file format."},
        {{"print", Path("cut.bod"), Path("out.pdf")}, 1, "Unexpected file format."},
        {{"import", Path("text.bod")}, 1, "Unexpected file format."},
    };
    const std::map<QString, QByteArray> filesBefore = FilesIn(dir.path());
    const QByteArray validDeed =
        "small bulk order: 20 exceptional platemail gloves: 5, with shadow iron ingots 300";
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args.join(' ').toStdString());
        const BodToolResult result = RunBodTool(c.args, validDeed);
        EXPECT_EQ(c.nExitCode, result.nExitCode);
        EXPECT_TRUE(result.err.contains(c.strMessage.toUtf8())) << result.err.toStdString();
        EXPECT_EQ(QByteArray(), result.out);
        EXPECT_EQ(filesBefore, FilesIn(dir.path()));
    }
}

// A write that fails halfway (the file size limit stands in for a full disk) is an error, and a
// document that was there stays as it was.
TEST(BodToolExitCodeTest, WritesCutShortFailAndKeepThePreviousFile) {
    const QTemporaryDir dir;
    CBodArray bods;
    bods.push_back(std::make_unique<CBodItem>());
    const QByteArray previous = QByteArray::fromStdString(BodFile::Write(bods, 0, 0));
    WriteFileBytes(dir.filePath("deeds.bod"), previous);
    const QByteArray lines =
        QByteArray(
            "small bulk order: 20 exceptional platemail gloves: 5, with shadow iron ingots 300\n")
            .repeated(20);
    for (const QStringList& args :
         {QStringList{"import", dir.filePath("deeds.bod")},
          QStringList{"print", dir.filePath("deeds.bod"), dir.filePath("out.pdf")}}) {
        SCOPED_TRACE(args.join(' ').toStdString());
        const BodToolResult result = RunBodTool(args, lines, previous.size() + 16);
        EXPECT_EQ(1, result.nExitCode) << result.out.toStdString();
        EXPECT_FALSE(result.err.isEmpty());
        EXPECT_EQ(previous, ReadFileBytes(dir.filePath("deeds.bod")));
    }
}

} // namespace
