#include "model/BodFile.h"
#include "support/BodToolRunner.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <csignal>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <map>
#include <sys/resource.h>
#include <unistd.h>

namespace {

std::map<QString, QByteArray> FilesIn(const QString& strDir) {
    std::map<QString, QByteArray> files;
    for (const QString& strName : QDir(strDir).entryList(QDir::Files)) {
        files[strName] = ReadFileBytes(QDir(strDir).filePath(strName));
    }
    return files;
}

// Usage errors exit 2, unreadable input exits 1; either way the message begins with the
// program's name and says what went wrong, nothing reaches standard output and no file is
// written or changed.
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
    QFile::link(Path("deeds.bod"), Path("link.bod"));
    const struct {
        QStringList args;
        int nExitCode;
        QString strMessage;
    } cases[] = {
        {{}, 2, "usage"},
        {{"frobnicate"}, 2, "usage"},
        {{"parse", "--mode", "classic"}, 2, "usage"},
        {{"parse", "--verbose"}, 2, "usage"},
        {{"dump"}, 2, "usage"},
        {{"dump", "a.bod", "b.bod"}, 2, "usage"},
        {{"import", Path("new.bod"), "--note"}, 2, "usage"},
        {{"print", "--expand", "some", Path("deeds.bod"), Path("out.pdf")}, 2, "usage"},
        {{"export", "--format", "xml", Path("deeds.bod")}, 2, "usage"},
        {{"parse", Path("missing.txt")}, 1, Path("missing.txt")},
        {{"dump", Path("missing.bod")}, 1, Path("missing.bod")},
        {{"dump", dir.path()}, 1, dir.path()},
        {{"print", Path("deeds.bod"), Path("no/such/dir/out.pdf")}, 1, "out.pdf"},
        {{"dump", Path("cut.bod")}, 1, Path("cut.bod") + ": Unexpected file format."},
        {{"import", Path("text.bod")}, 1, Path("text.bod") + ": Unexpected file format."},
        {{"help", "frobnicate"}, 2, "unknown command frobnicate"},
        {{"help", "dump", "tree"}, 2, "unexpected argument tree"},
        {{"stats", ""}, 2, "empty file name"},
        {{"import", Path("deeds.bod"), ""}, 2, "empty file name"},
        {{"print", Path("deeds.bod"), Path("deeds.bod")}, 2, "would replace"},
        {{"print", Path("deeds.bod"), Path("link.bod")}, 2, "would replace"},
        {{"print", Path("deeds.bod"), dir.path() + "/./deeds.bod"}, 2, "would replace"},
        {{"dump", "/dev/zero"}, 1, "not a document file"},
        {{"import", "/dev/zero"}, 1, "not a document file"},
        {{"parse", "/dev/zero"}, 1, "64 MiB"},
        {{"import", Path("deeds.bod"), "/dev/zero"}, 1, "64 MiB"},
    };
    const std::map<QString, QByteArray> filesBefore = FilesIn(dir.path());
    const QByteArray validDeed =
        "small bulk order: 20 exceptional platemail gloves: 5, with shadow iron ingots 300";
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args.join(' ').toStdString());
        const BodToolResult result = RunBodTool(c.args, validDeed);
        EXPECT_EQ(c.nExitCode, result.nExitCode);
        EXPECT_TRUE(result.err.startsWith("bodtool: ")) << result.err.toStdString();
        EXPECT_TRUE(result.err.contains(c.strMessage.toUtf8())) << result.err.toStdString();
        EXPECT_EQ(QByteArray(), result.out);
        EXPECT_EQ(filesBefore, FilesIn(dir.path()));
    }
}

// Help and the version are answers, not errors: standard output, exit 0.
TEST(BodToolExitCodeTest, HelpAndVersionAnswerOnStandardOutput) {
    const struct {
        QStringList args;
        QByteArray out;
    } cases[] = {
        {{"help", "dump"}, "usage:\n  bodtool dump FILE.bod\n"},
        {{"--help", "tree"}, "usage:\n  bodtool tree [--shopping] FILE.bod\n"},
        {{"print", "--help"}, "usage:\n  bodtool print [--expand all|root] FILE.bod OUT.pdf\n"},
        {{"--help"},
         "usage:\n  bodtool parse [--mode aos|pre-aos|tooltip] [TEXTFILE]\n  bodtool dump"},
        {{"help"},
         "usage:\n  bodtool parse [--mode aos|pre-aos|tooltip] [TEXTFILE]\n  bodtool dump"},
        {{"--version"}, "bodtool 1."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args.join(' ').toStdString());
        const BodToolResult result = RunBodTool(c.args);
        EXPECT_EQ(0, result.nExitCode);
        EXPECT_TRUE(result.out.startsWith(c.out)) << result.out.toStdString();
        EXPECT_TRUE(result.out.endsWith('\n')) << result.out.toStdString();
        EXPECT_EQ(QByteArray(), result.err);
    }
}

void RedirectOutputTo(const char* pszPath) {
    const int nFd = open(pszPath, O_WRONLY);
    dup2(nFd, 1);
}

void LimitFileSize() {
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{1000, 1000};
    setrlimit(RLIMIT_FSIZE, &limit);
}

[[maybe_unused]] void LimitMemory() {
    const rlimit limit{rlim_t{256} << 20, rlim_t{256} << 20};
    setrlimit(RLIMIT_AS, &limit);
}

// Output that cannot be written, input that is not there and a save over a size limit: each
// exits 1 with a message and leaves the document as it was.
TEST(BodToolExitCodeTest, StreamsAndSavesThatFailAreReported) {
    const QTemporaryDir dir;
    const QString strDoc = dir.filePath("deeds.bod");
    const QByteArray deed =
        "small bulk order: 20 exceptional platemail gloves: 5, with shadow iron ingots 300\n";
    ASSERT_EQ(0, RunBodTool({"import", strDoc}, deed).nExitCode);
    const QByteArray before = ReadFileBytes(strDoc);
    // Within the text limit, but its reading and parsing take several times its size.
    const QString strBig = dir.filePath("big.txt");
    WriteFileBytes(strBig, deed.repeated((60 << 20) / deed.size()));
    const struct {
        const char* pszCase;
        QStringList args;
        std::function<void()> childSetup;
        QByteArray message;
    } cases[] = {
        {"full device", {"dump", strDoc}, [] { RedirectOutputTo("/dev/full"); }, "could not"},
        {"full device", {"export", strDoc}, [] { RedirectOutputTo("/dev/full"); }, "could not"},
        {"output closed", {"import", strDoc}, [] { close(1); }, "standard output is closed"},
        {"input closed", {"import", strDoc}, [] { close(0); }, "no input was given"},
        {"size limit", {"import", strDoc}, LimitFileSize, "deeds.bod"},
        {"size limit",
         {"add", strDoc, "--trade", "Smithy", "--item", "katana", "--note", QString(1200, 'x')},
         LimitFileSize,
         "deeds.bod"},
        {"size limit", {"print", strDoc, dir.filePath("out.pdf")}, LimitFileSize, "out.pdf"},
#ifndef __SANITIZE_ADDRESS__ // which reserves more address space than any such limit
        {"memory limit", {"import", strDoc, strBig}, LimitMemory, "out of memory"},
#endif
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.pszCase) + ": " + c.args.join(' ').toStdString());
        const BodToolResult result = RunBodTool(c.args, deed.repeated(30), c.childSetup);
        EXPECT_EQ(1, result.nExitCode);
        EXPECT_TRUE(result.err.contains(c.message)) << result.err.toStdString();
        EXPECT_EQ(before, ReadFileBytes(strDoc));
        EXPECT_FALSE(QFile::exists(dir.filePath("out.pdf")));
    }
}

} // namespace
