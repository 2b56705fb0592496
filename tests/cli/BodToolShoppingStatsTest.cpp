#include "model/BodFile.h"
#include "support/BodToolRunner.h"
#include "support/TestDeeds.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// Platemail with parts 1 and 3 open, chainmail stored without parts, two small deeds (one
// finished), one of another trade, and a set of a newer craft with its second part filled.
TEST(BodToolShoppingStatsTest, ShoppingListsOpenPartsAndStatsCountThem) {
    const auto Deed = [](const char* pszItem, const char* pszCount) {
        return TestDeeds::MakeDeed(
            {"Smithy", "Platemail", "iron", "10", "Normal", pszItem, pszCount});
    };
    CBodArray bods;
    bods.push_back(Deed("LBOD/platemail", "40/60"));
    bods.back()->BuildParts();
    for (int i : {1, 3, 4, 5}) {
        bods.back()->SetPart(i, true, "");
    }
    bods.push_back(Deed("LBOD/chainmail", "0/30"));
    bods.push_back(Deed("platemail gloves", "10/10"));
    bods.push_back(Deed("platemail arms", "3/10"));
    bods.push_back(Deed("cloak", ""));
    bods.back()->m_strTrade = "Tailor";
    bods.push_back(TestDeeds::MakeDeed(
        {"Carpentry", "Woodwork", "oak", "10", "Exceptional", "LBOD/lap harp", "10/40"}));
    bods.back()->BuildParts();
    bods.back()->SetPart(1, true, "");
    const QTemporaryDir dir;
    const QString strPath = dir.filePath("deeds.bod");
    WriteFileBytes(strPath, QByteArray::fromStdString(BodFile::Write(bods, 0, 0)));

    const BodToolResult shopping = RunBodTool({"shopping", strPath});
    ASSERT_EQ(0, shopping.nExitCode) << shopping.err.toStdString();
    // Nothing was left out, so nothing is said about it.
    EXPECT_FALSE(shopping.err.contains("left out")) << shopping.err.toStdString();
    const QJsonArray deeds = QJsonDocument::fromJson(shopping.out)["deeds"].toArray();
    QStringList items;
    for (const QJsonValue& deed : deeds) {
        items << deed["item"].toString();
    }
    EXPECT_EQ((QStringList{"LBOD/platemail", "LBOD/chainmail", "LBOD/lap harp", "platemail gorget",
                           "plate helm", "chainmail coif", "chainmail leggings", "chainmail tunic",
                           "lap harp", "drum", "standing harp"}),
              items);
    EXPECT_EQ(QString("Carpentry"), deeds[10]["trade"].toString());
    EXPECT_EQ(QString("oak"), deeds[10]["material"].toString());
    EXPECT_EQ(QString(""), deeds[3]["count"].toString());

    const BodToolResult statsRun = RunBodTool({"stats", strPath});
    ASSERT_EQ(0, statsRun.nExitCode) << statsRun.err.toStdString();
    const QList<QByteArray> lines = statsRun.out.split('\n');
    ASSERT_EQ(3, lines.size()) << statsRun.out.toStdString();
    const QJsonObject stats = QJsonDocument::fromJson(lines[0]).object();
    const std::pair<const char*, int> expected[] = {{"deeds", 6},          {"large", 3},
                                                    {"small", 3},          {"valid", 5},
                                                    {"largeComplete", 0},  {"largeFilledParts", 5},
                                                    {"largeOpenParts", 8}, {"smallComplete", 1}};
    for (const auto& [pszName, nValue] : expected) {
        EXPECT_EQ(nValue, stats[pszName].toInt(-1)) << pszName;
    }
    EXPECT_EQ(4, stats["byTrade"]["Smithy"].toInt());
    EXPECT_EQ(1, stats["byTrade"]["Tailor"].toInt());
    EXPECT_EQ(5, stats["byMaterial"]["iron"].toInt());
    // Points by hand: platemail 10 + 400 set, chainmail 10 + 300, three small deeds 10 each, the
    // harps 10 + 200 exceptional + 300 oak + 250 set; large deeds bank 20 %, small ones 2 %.
    EXPECT_EQ(QByteArray("{\"points\":{\"turnIn\":1510,\"bank\":296.6},"
                         "\"largePoints\":{\"turnIn\":1480,\"bank\":296},"
                         "\"smallPoints\":{\"turnIn\":30,\"bank\":0.6},"
                         "\"pointsByTrade\":{\"Carpentry\":{\"turnIn\":760,\"bank\":152},"
                         "\"Smithy\":{\"turnIn\":740,\"bank\":144.4},"
                         "\"Tailor\":{\"turnIn\":10,\"bank\":0.2}}}"),
              lines[1]);
}

} // namespace
