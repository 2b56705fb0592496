#include "support/BodToolRunner.h"
#include "support/PdfText.h"
#include "support/TestDeeds.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

TEST(BodToolOutputTest, ParsePrintsOneJsonLinePerDeedInEachMode) {
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
        const QString strExample = QStringLiteral(QUILLMAR_EXAMPLES_DIR "/") + c.pszExample;
        const QByteArray text = ReadFileBytes(strExample);
        const QStringList args = QStringList{"parse"} + c.modeArgs;
        const BodToolResult result =
            c.bFromStdin ? RunBodTool(args, text) : RunBodTool(args + QStringList{strExample});
        ASSERT_EQ(0, result.nExitCode) << result.err.toStdString();
        ASSERT_EQ(text.count(c.pszEachDeed), result.out.count('\n'));
        const QJsonDocument first = QJsonDocument::fromJson(result.out.split('\n')[0]);
        EXPECT_TRUE(first["valid"].toBool());
        EXPECT_EQ("platemail gloves|shadow iron",
                  first["item"].toString() + '|' + first["material"].toString());
    }
    // Each line stays one JSON object, and the line comes back as it was, bytes that are not
    // UTF-8 as their Windows-1252 characters.
    const QByteArray out = RunBodTool({"parse"}, "header\r\nsmall bulk order: \"quoted\"\t\\ "
                                                 "\x01\x1f caf\xc3\xa9 \xff end\r\n")
                               .out;
    ASSERT_EQ(1, out.count('\n'));
    EXPECT_EQ(QString::fromUtf8("small bulk order: \"quoted\"\t\\ \x01\x1f café ÿ end"),
              QJsonDocument::fromJson(out)["line"].toString());
    EXPECT_FALSE(QJsonDocument::fromJson(out)["valid"].toBool(true));
}

// Parts, a leap day, the last time a deed can hold, and text that CSV must quote and JSON escape.
TEST(BodToolOutputTest, DumpAndExportShowEveryFieldOfEveryDeed) {
    CBodArray bods;
    bods.push_back(TestDeeds::MakeLargeDeed(
        {"Smithy", "Platemail", "iron", "10", "Normal", "LBOD/platemail", "20/60"},
        {"platemail arms", "platemail gloves", "platemail legs"}));
    bods.back()->SetPart(1, true, "");
    bods.back()->m_timeAdded = 951782400;
    bods.back()->m_strNotes = "für Ærwin 日本";
    bods.push_back(TestDeeds::MakeDeed(
        {"Tailor", "Cloth", "cloth", "15", "Exceptional", "cape, \"fancy\"", "0/15"}));
    bods.back()->m_strNotes = "line one\r\nline two, with \"quotes\"\nand an é";
    bods.back()->m_strPrice = "1,500";
    bods.back()->m_timeAdded = 0;
    bods.push_back(TestDeeds::MakeDeed({"", "", "", "", "", "", ""}));
    bods.back()->m_timeAdded = 4294967295U;
    const QTemporaryDir dir;
    WriteBodFile(dir.filePath("deeds.bod"), bods, -3, 9);
    WriteFileBytes(dir.filePath("empty.bod"), {});

    const QByteArray deeds =
        R"("deeds":[{"trade":"Smithy","category":"Platemail","material":"iron","amount":"10",)"
        R"("quality":"Normal","item":"LBOD/platemail","count":"20/60","price":"",)"
        R"("notes":"für Ærwin 日本","time":951782400,"partsBuilt":true,"parts":[)"
        R"({"name":"platemail arms","filled":false},{"name":"platemail gloves","filled":true},)"
        R"({"name":"platemail legs","filled":false}]},{"trade":"Tailor","category":"Cloth",)"
        R"("material":"cloth","amount":"15","quality":"Exceptional","item":"cape, \"fancy\"",)"
        R"("count":"0/15","price":"1,500","notes":"line one\r\nline two, with \"quotes\"\nand )"
        R"(an é","time":0,"partsBuilt":false,"parts":[]},{"trade":"","category":"",)"
        R"("material":"","amount":"","quality":"","item":"","count":"","price":"","notes":"",)"
        R"("time":4294967295,"partsBuilt":false,"parts":[]}]})";
    EXPECT_EQ(R"({"reserved2":-3,"reserved1":9,)" + deeds + '\n',
              RunBodTool({"dump", dir.filePath("deeds.bod")}).out);
    EXPECT_EQ('{' + deeds + '\n',
              RunBodTool({"export", "--format", "json", dir.filePath("deeds.bod")}).out);
    EXPECT_EQ("\xEF\xBB\xBFTrade,Category,Material,Amount,Quality,Item,Count,Filled Parts,"
              "Total Parts,Price,Notes,Date\r\n"
              "Smithy,Platemail,iron,10,Normal,LBOD/platemail,20/60,1,3,,für Ærwin 日本,"
              "2000-02-29T00:00:00Z\r\n"
              "Tailor,Cloth,cloth,15,Exceptional,\"cape, \"\"fancy\"\"\",0/15,0,0,\"1,500\","
              "\"line one\r\nline two, with \"\"quotes\"\"\nand an é\",1970-01-01T00:00:00Z\r\n"
              ",,,,,,,0,0,,,2106-02-07T06:28:15Z\r\n",
              RunBodTool({"export", dir.filePath("deeds.bod")}).out);
    EXPECT_EQ("{\"reserved2\":0,\"reserved1\":0,\"deeds\":[]}\n",
              RunBodTool({"dump", dir.filePath("empty.bod")}).out);
}

// A smith's large deed that still needs its bardiche.
TEST(BodToolOutputTest, TreePrintsTheFullAndTheShoppingHierarchy) {
    CBodArray bods;
    bods.push_back(TestDeeds::MakeDeed(
        {"Smithy", "Weapon", "iron", "10", "Normal", "LBOD/bardiche", "10/20"}));
    bods.back()->BuildParts();
    bods.back()->SetPart(1, true, "");
    const QTemporaryDir dir;
    const QString strPath = dir.filePath("deeds.bod");
    WriteBodFile(strPath, bods);
    const QByteArray smithyPath = "  Smithy\t1\n"
                                  "    Weapon\t21\n"
                                  "      iron\t3\n"
                                  "        10\t22\n"
                                  "          Normal\t23\n"
                                  "            LBOD's\t22\n"
                                  "              LBOD/bardiche - 10/20\t16\n";
    EXPECT_EQ("BOD's - Full List\t0\n" + smithyPath, RunBodTool({"tree", strPath}).out);
    EXPECT_EQ("BOD's - Shopping List\t0\n" + smithyPath +
                  "            SBOD's\t22\n"
                  "              bardiche - \t16\n",
              RunBodTool({"tree", "--shopping", strPath}).out);
}

// Platemail with parts 1 and 3 open, chainmail stored without parts, two small deeds (one
// finished), one of another trade, and a set of a newer craft with its second part filled.
TEST(BodToolOutputTest, ShoppingListsOpenPartsAndStatsCountThem) {
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
    WriteBodFile(strPath, bods);

    const BodToolResult shopping = RunBodTool({"shopping", strPath});
    // Nothing was left out, so nothing is said about it.
    EXPECT_EQ(QByteArray(), shopping.err);
    const QJsonArray deeds = QJsonDocument::fromJson(shopping.out)["deeds"].toArray();
    QStringList items;
    for (const QJsonValue& deed : deeds) {
        items << deed["item"].toString() + '|' + deed["count"].toString();
    }
    EXPECT_EQ(
        (QStringList{"LBOD/platemail|40/60", "LBOD/chainmail|0/30", "LBOD/lap harp|10/40",
                     "platemail gorget|", "plate helm|", "chainmail coif|", "chainmail leggings|",
                     "chainmail tunic|", "lap harp|", "drum|", "standing harp|"}),
        items);
    EXPECT_EQ("Carpentry|oak",
              deeds[10]["trade"].toString() + '|' + deeds[10]["material"].toString());

    // Points by hand: platemail 10 + 400 set, chainmail 10 + 300, three small deeds 10 each, the
    // harps 10 + 200 exceptional + 300 oak + 250 set; large deeds bank 20 %, small ones 2 %.
    EXPECT_EQ(QByteArray("{\"deeds\":6,\"large\":3,\"small\":3,\"valid\":5,\"largeComplete\":0,"
                         "\"largeFilledParts\":5,\"largeOpenParts\":8,\"smallComplete\":1,"
                         "\"byTrade\":{\"Carpentry\":1,\"Smithy\":4,\"Tailor\":1},"
                         "\"byCategory\":{\"Platemail\":5,\"Woodwork\":1},"
                         "\"byMaterial\":{\"iron\":5,\"oak\":1}}\n"
                         "{\"points\":{\"turnIn\":1510,\"bank\":296.6},"
                         "\"largePoints\":{\"turnIn\":1480,\"bank\":296},"
                         "\"smallPoints\":{\"turnIn\":30,\"bank\":0.6},"
                         "\"pointsByTrade\":{\"Carpentry\":{\"turnIn\":760,\"bank\":152},"
                         "\"Smithy\":{\"turnIn\":740,\"bank\":144.4},"
                         "\"Tailor\":{\"turnIn\":10,\"bank\":0.2}}}\n"),
              RunBodTool({"stats", strPath}).out);
}

// 320 small deeds on one branch path: with the root and six branch rows, 327 rows that do not
// fit on one A4 page unless only the root is open. Every branch is open by default.
TEST(BodToolOutputTest, PrintWritesNumberedPagesAsExpanded) {
    CBodArray bods;
    for (int i = 0; i < 320; ++i) {
        bods.push_back(TestDeeds::MakeDeed({"Smithy", "Platemail", "iron", "10", "Normal",
                                            "plate helm", std::to_string(i % 11) + "/10"}));
    }
    const QTemporaryDir dir;
    const QString strDocument = dir.filePath("sample.bod");
    const QString strPdf = dir.filePath("out.pdf");
    WriteBodFile(strDocument, bods);
    for (const QStringList& expandArgs :
         {QStringList{}, QStringList{"--expand", "all"}, QStringList{"--expand=root"}}) {
        SCOPED_TRACE(expandArgs.join(' ').toStdString());
        const BodToolResult result =
            RunBodTool(QStringList{"print"} + expandArgs + QStringList{strDocument, strPdf});
        ASSERT_EQ(0, result.nExitCode) << result.err.toStdString();
        const QStringList pages = PdfPageTexts(strPdf);
        QStringList rows;
        for (int n = 1; n <= pages.size(); ++n) {
            EXPECT_TRUE(pages[n - 1].contains(QString("sample.bod BOD hierarchy")));
            EXPECT_TRUE(pages[n - 1].contains(QString("Page %1/%2").arg(n).arg(pages.size())));
            for (const QString& strLine : pages[n - 1].split('\n')) {
                if (strLine.contains(" - ")) {
                    rows.append(strLine.trimmed());
                }
            }
        }
        if (expandArgs.contains("--expand=root")) {
            EXPECT_EQ(QStringList{"BOD's - Full List"}, rows);
            continue;
        }
        // Each deed's label once, none lost or repeated where one page ends and the next begins.
        EXPECT_EQ(321, rows.size());
        for (int nCount = 0; nCount <= 10; ++nCount) {
            EXPECT_EQ(nCount == 0 ? 30 : 29, rows.count(QString("plate helm - %1/10").arg(nCount)));
        }
    }
}

} // namespace
