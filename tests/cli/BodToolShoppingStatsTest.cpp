#include "model/BodFile.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct RunResult {
    int nExitCode = -1;
    QByteArray out;
    QByteArray err;
};

RunResult RunBodTool(const QStringList& args) {
    QProcess process;
    process.start(QUILLMAR_BODTOOL, args);
    process.waitForFinished(30000);
    return {process.exitCode(), process.readAllStandardOutput(), process.readAllStandardError()};
}

std::unique_ptr<CBodItem> MakeDeed(const std::string& strItem, const std::string& strCount) {
    auto pBod = std::make_unique<CBodItem>();
    pBod->m_strTrade = "Smithy";
    pBod->m_strCategory = "Platemail";
    pBod->m_strMaterial = "iron";
    pBod->m_strQuality = "Normal";
    pBod->m_strAmount = "10";
    pBod->m_strItem = strItem;
    pBod->m_strCount = strCount;
    return pBod;
}

class BodToolShoppingStatsTest : public ::testing::Test {
protected:
    // Platemail with parts 1 and 3 open, chainmail stored without parts, two small deeds (one
    // finished) and one of another trade.
    BodToolShoppingStatsTest() {
        CBodArray bods;
        bods.push_back(MakeDeed("LBOD/platemail", "40/60"));
        bods.back()->BuildParts();
        for (int i : {1, 3, 4, 5}) {
            bods.back()->SetPart(i, true, "");
        }
        bods.push_back(MakeDeed("LBOD/chainmail", "0/30"));
        bods.push_back(MakeDeed("platemail gloves", "10/10"));
        bods.push_back(MakeDeed("platemail arms", "3/10"));
        bods.push_back(MakeDeed("cloak", ""));
        bods.back()->m_strTrade = "Tailor";
        const std::string bytes = BodFile::Write(bods, 0, 0);
        WriteFile("deeds.bod", QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())));
    }

    QString WriteFile(const QString& strName, const QByteArray& bytes) const {
        QFile file(m_dir.filePath(strName));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return file.fileName();
    }

    QJsonObject RunForObject(const QString& strCommand) const {
        const RunResult result = RunBodTool({strCommand, m_dir.filePath("deeds.bod")});
        EXPECT_EQ(0, result.nExitCode) << result.err.toStdString();
        return QJsonDocument::fromJson(result.out).object();
    }

    QTemporaryDir m_dir;
};

TEST_F(BodToolShoppingStatsTest, ShoppingListsLargeDeedsThenTheirOpenParts) {
    const QJsonArray deeds = RunForObject("shopping")["deeds"].toArray();
    QStringList items;
    for (const QJsonValue& deed : deeds) {
        items << deed["item"].toString();
    }
    const QStringList expected{"LBOD/platemail", "LBOD/chainmail", "platemail gorget",
                               "plate helm",     "chainmail coif", "chainmail leggings",
                               "chainmail tunic"};
    EXPECT_EQ(expected, items);
    EXPECT_EQ(QString(""), deeds[2]["count"].toString());
}

TEST_F(BodToolShoppingStatsTest, StatsCountWhatAPlayerAsksAbout) {
    const QJsonObject stats = RunForObject("stats");
    const struct {
        const char* pszName;
        int nValue;
    } expected[] = {{"deeds", 5},          {"large", 2},         {"small", 3},
                    {"valid", 4},          {"largeComplete", 0}, {"largeFilledParts", 4},
                    {"largeOpenParts", 5}, {"smallComplete", 1}};
    for (const auto& e : expected) {
        EXPECT_EQ(e.nValue, stats[e.pszName].toInt(-1)) << e.pszName;
    }
    EXPECT_EQ(4, stats["byTrade"]["Smithy"].toInt());
    EXPECT_EQ(1, stats["byTrade"]["Tailor"].toInt());
    EXPECT_EQ(5, stats["byMaterial"]["iron"].toInt());
}

TEST_F(BodToolShoppingStatsTest, UnreadableDocumentsAndBadArgumentsFail) {
    const QString strTruncated = WriteFile("truncated.bod", QByteArray(13, '\x01'));
    const QString strMissing = m_dir.filePath("missing.bod");
    for (const QString& strCommand : {QString("shopping"), QString("stats")}) {
        const RunResult truncated = RunBodTool({strCommand, strTruncated});
        EXPECT_EQ(1, truncated.nExitCode);
        EXPECT_EQ(QByteArray("Unexpected file format.\n"), truncated.err);
        const RunResult missing = RunBodTool({strCommand, strMissing});
        EXPECT_EQ(1, missing.nExitCode);
        EXPECT_TRUE(missing.err.contains(strMissing.toUtf8())) << missing.err.toStdString();
        EXPECT_EQ(2, RunBodTool({strCommand}).nExitCode);
    }
}

} // namespace
