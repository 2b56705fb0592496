#include "model/BodFile.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct ToolResult {
    int exitCode = -1;
    QByteArray out;
    QString err;
};

ToolResult RunBodTool(const QStringList& args, const QByteArray& input = {}) {
    QProcess process;
    process.start(QUILLMAR_BODTOOL, args);
    EXPECT_TRUE(process.waitForStarted());
    process.write(input);
    process.closeWriteChannel();
    EXPECT_TRUE(process.waitForFinished(30000));
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
    return {process.exitCode(), process.readAllStandardOutput(),
            QString::fromUtf8(process.readAllStandardError())};
}

QString Example(const char* name) {
    return QStringLiteral(QUILLMAR_EXAMPLES_DIR "/") + QString::fromLatin1(name);
}

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    return file.readAll();
}

// Each output line as a JSON object; a line that is not one fails the test.
std::vector<QJsonObject> JsonLines(const QByteArray& out) {
    std::vector<QJsonObject> objects;
    for (const QByteArray& line : out.split('\n')) {
        if (line.isEmpty()) {
            continue;
        }
        QJsonParseError error;
        const QJsonDocument document = QJsonDocument::fromJson(line, &error);
        EXPECT_EQ(error.error, QJsonParseError::NoError) << line.toStdString();
        objects.push_back(document.object());
    }
    return objects;
}

QString Write(const QTemporaryDir& dir, const char* name, const std::string& bytes) {
    const QString path = dir.filePath(QString::fromLatin1(name));
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes.data(), static_cast<qint64>(bytes.size()));
    return path;
}

int DeedLineCount(const QByteArray& text) {
    return static_cast<int>(text.count("bulk order"));
}

struct ParseCase {
    const char* example;
    QStringList modeArgs;
    bool bFromStdin;
};

class BodToolParseTest : public ::testing::TestWithParam<ParseCase> {};

TEST_P(BodToolParseTest, PrintsOneValidDeedPerLine) {
    const ParseCase& c = GetParam();
    const QByteArray text = ReadAll(Example(c.example));
    const ToolResult result =
        c.bFromStdin
            ? RunBodTool(QStringList{"parse"} + c.modeArgs, text)
            : RunBodTool(QStringList{"parse"} + c.modeArgs + QStringList{Example(c.example)});
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    const std::vector<QJsonObject> deeds = JsonLines(result.out);
    ASSERT_EQ(static_cast<int>(deeds.size()), DeedLineCount(text));

    const QJsonObject& first = deeds.front();
    EXPECT_EQ(first["valid"].toBool(), true);
    EXPECT_EQ(first["item"].toString(), "platemail gloves");
    EXPECT_EQ(first["material"].toString(), "shadow iron");
    EXPECT_TRUE(first["line"].toString().startsWith("small bulk order"));
    for (const char* key : {"trade", "category", "amount", "quality", "count", "price", "notes"}) {
        EXPECT_TRUE(first[key].isString()) << key;
    }
    EXPECT_TRUE(first["time"].isDouble());
    EXPECT_TRUE(first["partsBuilt"].isBool());
    EXPECT_TRUE(first["parts"].isArray());
}

INSTANTIATE_TEST_SUITE_P(Modes, BodToolParseTest,
                         ::testing::Values(ParseCase{"aos.txt", {}, false},
                                           ParseCase{"aos.txt", {"--mode", "aos"}, true},
                                           ParseCase{"pre-aos.txt", {"--mode", "pre-aos"}, false},
                                           ParseCase{"pre-aos.txt", {"--mode=pre-aos"}, true}));

// Whatever the pasted text holds, each output line stays one JSON object, and the line comes back
// as it was (bytes that are not UTF-8 as U+FFFD).
TEST(BodToolParseTest, EscapesTheLineText) {
    const QByteArray line = "small bulk order: \"quoted\"\t\\ \x01\x1f caf\xc3\xa9 \xff end";
    const ToolResult result = RunBodTool({"parse"}, "header\r\n" + line + "\r\n");
    ASSERT_EQ(result.exitCode, 0);
    const std::vector<QJsonObject> deeds = JsonLines(result.out);
    ASSERT_EQ(deeds.size(), 1U);
    EXPECT_EQ(deeds[0]["line"].toString(),
              QString::fromUtf8("small bulk order: \"quoted\"\t\\ \x01\x1f caf\xc3\xa9 "
                                "\xef\xbf\xbd end"));
    EXPECT_EQ(deeds[0]["valid"].toBool(), false);
}

TEST(BodToolTest, UsageErrorsExitTwoWithUsage) {
    const QStringList cases[] = {
        {},
        {"frobnicate"},
        {"parse", "--mode", "classic"},
        {"parse", "--mode"},
        {"parse", "--verbose"},
        {"parse", "a.txt", "b.txt"},
        {"dump"},
        {"dump", "a.bod", "b.bod"},
    };
    for (const QStringList& args : cases) {
        const ToolResult result = RunBodTool(args);
        EXPECT_EQ(result.exitCode, 2) << args.join(' ').toStdString();
        EXPECT_TRUE(result.err.contains("usage")) << result.err.toStdString();
        EXPECT_EQ(result.out, QByteArray());
    }
}

TEST(BodToolDumpTest, PrintsEveryDeedInFileOrder) {
    CBodArray bods;
    bods.push_back(std::make_unique<CBodItem>());
    bods.back()->m_strItem = "platemail gloves";
    bods.back()->m_strNotes = "for \u00C9lodie \u65E5\u672C";
    bods.back()->m_timeAdded = 0xFFFFFFFF;
    bods.push_back(std::make_unique<CBodItem>());
    bods.back()->m_strItem = "LBOD/bardiche";
    bods.back()->BuildParts();
    bods.back()->SetPart(1, true, "");
    const QTemporaryDir dir;
    const QString path = Write(dir, "deeds.bod", BodFile::Write(bods, -3, 9));

    const ToolResult result = RunBodTool({"dump", path});
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    const std::vector<QJsonObject> documents = JsonLines(result.out);
    ASSERT_EQ(documents.size(), 1U);
    const QJsonObject& document = documents[0];
    EXPECT_EQ(document["reserved2"].toInteger(), -3);
    EXPECT_EQ(document["reserved1"].toInteger(), 9);
    const QJsonArray deeds = document["deeds"].toArray();
    ASSERT_EQ(deeds.size(), 2);

    const QJsonObject small = deeds[0].toObject();
    EXPECT_EQ(small["item"].toString(), "platemail gloves");
    EXPECT_EQ(small["notes"].toString(), QString::fromUtf8("for \u00C9lodie \u65E5\u672C"));
    EXPECT_EQ(small["time"].toInteger(), 4294967295LL);
    EXPECT_EQ(small["partsBuilt"].toBool(), false);
    EXPECT_EQ(small["parts"].toArray().size(), 0);

    const QJsonObject large = deeds[1].toObject();
    EXPECT_EQ(large["partsBuilt"].toBool(), true);
    const QJsonArray parts = large["parts"].toArray();
    ASSERT_EQ(parts.size(), 2);
    EXPECT_EQ(parts[0].toObject()["name"].toString(), "bardiche");
    EXPECT_EQ(parts[0].toObject()["filled"].toBool(), false);
    EXPECT_EQ(parts[1].toObject()["name"].toString(), "halberd");
    EXPECT_EQ(parts[1].toObject()["filled"].toBool(), true);
}

TEST(BodToolDumpTest, EmptyFileIsAnEmptyDocument) {
    const QTemporaryDir dir;
    const ToolResult result = RunBodTool({"dump", Write(dir, "empty.bod", "")});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.out, "{\"reserved2\":0,\"reserved1\":0,\"deeds\":[]}\n");
}

TEST(BodToolDumpTest, TruncatedFileIsUnexpectedFormat) {
    CBodArray bods;
    bods.push_back(std::make_unique<CBodItem>());
    const std::string bytes = BodFile::Write(bods, 0, 0);
    const QTemporaryDir dir;
    const QString path = Write(dir, "cut.bod", bytes.substr(0, bytes.size() - 1));

    const ToolResult result = RunBodTool({"dump", path});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_TRUE(result.err.contains("Unexpected file format.")) << result.err.toStdString();
    EXPECT_EQ(result.out, QByteArray());
}

TEST(BodToolDumpTest, UnreadableFilesAreNamed) {
    const QTemporaryDir dir;
    const QString missing = dir.filePath("missing.bod");
    const QStringList cases[] = {
        {"dump", missing}, {"dump", dir.path()}, {"parse", dir.filePath("missing.txt")}};
    for (const QStringList& args : cases) {
        const ToolResult result = RunBodTool(args);
        EXPECT_EQ(result.exitCode, 1) << args.join(' ').toStdString();
        EXPECT_TRUE(result.err.contains(args.back())) << result.err.toStdString();
        EXPECT_EQ(result.out, QByteArray());
    }
}

} // namespace
