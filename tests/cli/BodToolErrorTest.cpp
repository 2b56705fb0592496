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

// What a child does before bodtool starts: a full disk, closed streams, lowered limits.
void ToFull() {
    dup2(open("/dev/full", O_WRONLY), 1);
}

void CloseInput() {
    close(0);
}

void CloseOutput() {
    close(1);
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

// Usage errors exit 2 and unusable input or output exits 1, with a message that begins with the
// program's name, nothing on standard output and no file written or changed. Help and the
// version are answers: standard output, exit 0.
TEST(BodToolErrorTest, EachOutcomeHasItsExitCodeAndItsStream) {
    const QTemporaryDir dir;
    const auto Path = [&dir](const char* pszName) {
        return dir.filePath(pszName);
    };
    CBodArray bods;
    bods.push_back(std::make_unique<CBodItem>());
    WriteBodFile(Path("deeds.bod"), bods);
    const QByteArray doc = ReadFileBytes(Path("deeds.bod"));
    WriteFileBytes(Path("cut.bod"), doc.chopped(1));
    WriteFileBytes(Path("text.bod"), "not a deed file");
    QFile::link(Path("deeds.bod"), Path("link.bod"));
    // Within the text limit, but reading and parsing it takes several times its size.
    const QTemporaryDir bigDir;
    const QString strBig = bigDir.filePath("big.txt");
    const QByteArray deed =
        "small bulk order: 20 exceptional platemail gloves: 5, with shadow iron ingots 300\n";
    WriteFileBytes(strBig, deed.repeated((60 << 20) / deed.size()));
    const struct {
        QStringList args;
        int nExitCode;
        QString strText;
        void (*childSetup)() = nullptr;
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
        {{"help", "frobnicate"}, 2, "unknown command frobnicate"},
        {{"help", "dump", "tree"}, 2, "unexpected argument tree"},
        {{"stats", ""}, 2, "empty file name"},
        {{"print", Path("deeds.bod"), Path("deeds.bod")}, 2, "would replace"},
        {{"print", Path("deeds.bod"), Path("link.bod")}, 2, "would replace"},
        {{"parse", Path("missing.txt")}, 1, Path("missing.txt")},
        {{"dump", Path("missing.bod")}, 1, Path("missing.bod")},
        {{"parse", dir.path()}, 1, dir.path() + ": is a folder"},
        {{"print", Path("deeds.bod"), Path("no/such/dir/out.pdf")}, 1, "out.pdf"},
        {{"dump", Path("cut.bod")}, 1, Path("cut.bod") + ": Unexpected file format."},
        {{"import", Path("text.bod")}, 1, Path("text.bod") + ": Unexpected file format."},
        {{"dump", "/dev/zero"}, 1, "not a document file"},
        {{"import", Path("deeds.bod"), "/dev/zero"}, 1, "64 MiB"},
        {{"dump", Path("deeds.bod")}, 1, "could not be written", ToFull},
        {{"import", Path("deeds.bod")}, 1, "standard output is closed", CloseOutput},
        {{"import", Path("deeds.bod")}, 1, "no input was given", CloseInput},
        {{"import", Path("deeds.bod")}, 1, "deeds.bod", LimitFileSize},
        {{"print", Path("deeds.bod"), Path("out.pdf")}, 1, "out.pdf", LimitFileSize},
#ifndef __SANITIZE_ADDRESS__ // which reserves more address space than any such limit
        {{"import", Path("deeds.bod"), strBig}, 1, "out of memory", LimitMemory},
#endif
        {{"help", "dump"}, 0, "usage:\n  bodtool dump FILE.bod\n"},
        {{"print", "--help"}, 0, "usage:\n  bodtool print [--expand all|root] FILE.bod OUT.pdf\n"},
        {{"--help"},
         0,
         "usage:\n  bodtool parse [--mode aos|pre-aos|tooltip] [TEXTFILE]\n  bodtool dump"},
        {{"--version"}, 0, "bodtool 1."},
    };
    const std::map<QString, QByteArray> filesBefore = FilesIn(dir.path());
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args.join(' ').left(200).toStdString());
        const BodToolResult result = RunBodTool(c.args, deed.repeated(30), c.childSetup);
        EXPECT_EQ(c.nExitCode, result.nExitCode);
        const QByteArray& shown = c.nExitCode == 0 ? result.out : result.err;
        EXPECT_TRUE(shown.startsWith(c.nExitCode == 0 ? c.strText.toUtf8() : "bodtool: ") &&
                    shown.contains(c.strText.toUtf8()) && shown.endsWith('\n'))
            << shown.toStdString();
        EXPECT_EQ(QByteArray(), c.nExitCode == 0 ? result.err : result.out);
        EXPECT_EQ(filesBefore, FilesIn(dir.path()));
    }
}

} // namespace
