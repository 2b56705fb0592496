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
// finished) and one of another trade.
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
    EXPECT_EQ((QStringList{"LBOD/platemail", "LBOD/chainmail", "platemail gorget", "plate helm",
                           "chainmail coif", "chainmail leggings", "chainmail tunic"}),
              items);
    EXPECT_EQ(QString(""), deeds[2]["count"].toString());

    const BodToolResult statsRun = RunBodTool({"stats", strPath});
    ASSERT_EQ(0, statsRun.nExitCode) << statsRun.err.toStdString();
    const QJsonObject stats = QJsonDocument::fromJson(statsRun.out).object();
    const std::pair<const char*, int> expected[] = {{"deeds", 5},          {"large", 2},
                                                    {"small", 3},          {"valid", 4},
                                                    {"largeComplete", 0},  {"largeFilledParts", 4},
                                                    {"largeOpenParts", 5}, {"smallComplete", 1}};
    for (const auto& [pszName, nValue] : expected) {
        EXPECT_EQ(nValue, stats[pszName].toInt(-1)) << pszName;
    }
    EXPECT_EQ(4, stats["byTrade"]["Smithy"].toInt());
    EXPECT_EQ(1, stats["byTrade"]["Tailor"].toInt());
    EXPECT_EQ(5, stats["byMaterial"]["iron"].toInt());
}

} // namespace
