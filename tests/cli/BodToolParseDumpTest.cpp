#include "model/BodFile.h"
#include "support/BodToolRunner.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QString Example(const char* pszName) {
    return QStringLiteral(QUILLMAR_EXAMPLES_DIR "/") + QString::fromLatin1(pszName);
}

// Each output line as a JSON object; a line that is not one fails the test.
std::vector<QJsonObject> JsonLines(const QByteArray& out) {
    std::vector<QJsonObject> objects;
    for (const QByteArray& line : out.split('\n')) {
        if (line.isEmpty()) {
            continue;
        }
        QJsonParseError error;
        objects.push_back(QJsonDocument::fromJson(line, &error).object());
        EXPECT_EQ(QJsonParseError::NoError, error.error) << line.toStdString();
    }
    return objects;
}

TEST(BodToolParseTest, PrintsOneValidDeedPerLine) {
    const struct {
        const char* pszExample;
        QStringList modeArgs;
        bool bFromStdin;
        const char* pszEachDeed = "bulk order";
    } cases[] = {{"aos.txt", {}, false},
                 {"aos.txt", {"--mode", "aos"}, true},
                 {"pre-aos.txt", {"--mode", "pre-aos"}, false},
                 {"pre-aos.txt", {"--mode=pre-aos"}, true},
                 {"tooltip.txt", {"--mode", "tooltip"}, true, "A Bulk Order Deed"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pszExample + c.modeArgs.join(' ').toStdString());
        const QByteArray text = ReadFileBytes(Example(c.pszExample));
        const QStringList args = QStringList{"parse"} + c.modeArgs;
        const BodToolResult result = c.bFromStdin
                                         ? RunBodTool(args, text)
                                         : RunBodTool(args + QStringList{Example(c.pszExample)});
        ASSERT_EQ(0, result.nExitCode) << result.err.toStdString();
        const std::vector<QJsonObject> deeds = JsonLines(result.out);
        ASSERT_EQ(text.count(c.pszEachDeed), static_cast<qsizetype>(deeds.size()));
        EXPECT_EQ(true, deeds.front()["valid"].toBool());
        EXPECT_EQ("platemail gloves", deeds.front()["item"].toString());
        EXPECT_EQ("shadow iron", deeds.front()["material"].toString());
    }
}

// Whatever the pasted text holds, each output line stays one JSON object, and the line comes back
// as it was (bytes that are not UTF-8 as their Windows-1252 characters).
TEST(BodToolParseTest, EscapesTheLineText) {
    const QByteArray line = "small bulk order: \"quoted\"\t\\ \x01\x1f caf\xc3\xa9 \xff end";
    const BodToolResult result = RunBodTool({"parse"}, "header\r\n" + line + "\r\n");
    ASSERT_EQ(0, result.nExitCode);
    const std::vector<QJsonObject> deeds = JsonLines(result.out);
    ASSERT_EQ(1U, deeds.size());
    // A byte that is not UTF-8 (FF) is the code page's character (ÿ).
    EXPECT_EQ(QString::fromUtf8("small bulk order: \"quoted\"\t\\ \x01\x1f caf\xc3\xa9 "
                                "\xc3\xbf end"),
              deeds[0]["line"].toString());
    EXPECT_EQ(false, deeds[0]["valid"].toBool());
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
    WriteFileBytes(dir.filePath("deeds.bod"),
                   QByteArray::fromStdString(BodFile::Write(bods, -3, 9)));
    WriteFileBytes(dir.filePath("empty.bod"), {});

    const BodToolResult result = RunBodTool({"dump", dir.filePath("deeds.bod")});
    ASSERT_EQ(0, result.nExitCode) << result.err.toStdString();
    const std::vector<QJsonObject> documents = JsonLines(result.out);
    ASSERT_EQ(1U, documents.size());
    EXPECT_EQ(-3, documents[0]["reserved2"].toInteger());
    EXPECT_EQ(9, documents[0]["reserved1"].toInteger());
    const QJsonArray deeds = documents[0]["deeds"].toArray();
    ASSERT_EQ(2, deeds.size());
    EXPECT_EQ("platemail gloves", deeds[0]["item"].toString());
    EXPECT_EQ(QString::fromUtf8("for \u00C9lodie \u65E5\u672C"), deeds[0]["notes"].toString());
    EXPECT_EQ(4294967295LL, deeds[0]["time"].toInteger());
    EXPECT_EQ(false, deeds[0]["partsBuilt"].toBool());
    EXPECT_EQ(true, deeds[1]["partsBuilt"].toBool());
    const QJsonArray parts = deeds[1]["parts"].toArray();
    ASSERT_EQ(2, parts.size());
    EXPECT_EQ(false, parts[0]["filled"].toBool());
    EXPECT_EQ("halberd", parts[1]["name"].toString());
    EXPECT_EQ(true, parts[1]["filled"].toBool());

    EXPECT_EQ("{\"reserved2\":0,\"reserved1\":0,\"deeds\":[]}\n",
              RunBodTool({"dump", dir.filePath("empty.bod")}).out);
}

} // namespace
