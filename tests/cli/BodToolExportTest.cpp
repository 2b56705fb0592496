#include "model/BodFile.h"
#include "support/BodToolRunner.h"
#include "support/TestDeeds.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// Reads the CSV with Python's own csv module and checks every row against the dump's deed.
constexpr const char* kCompareScript = R"PY(
import csv, datetime, json, sys
raw = open(sys.argv[1], 'rb').read()
assert raw.startswith(b'\xef\xbb\xbf'), 'no byte-order mark'
rows = list(csv.reader(open(sys.argv[1], encoding='utf-8-sig', newline=''), strict=True))
assert rows[0] == ['Trade', 'Category', 'Material', 'Amount', 'Quality', 'Item', 'Count',
                   'Filled Parts', 'Total Parts', 'Price', 'Notes', 'Date'], rows[0]
deeds = json.load(open(sys.argv[2], encoding='utf-8'))['deeds']
assert len(rows) - 1 == len(deeds), (len(rows), len(deeds))
for row, deed in zip(rows[1:], deeds):
    date = datetime.datetime.fromtimestamp(deed['time'], datetime.timezone.utc)
    expected = [deed[k] for k in ('trade', 'category', 'material', 'amount', 'quality', 'item',
                                  'count')]
    expected += [str(sum(p['filled'] for p in deed['parts'])), str(len(deed['parts'])),
                 deed['price'], deed['notes'], date.strftime('%Y-%m-%dT%H:%M:%SZ')]
    assert row == expected, (row, expected)
print('rows', len(rows) - 1)
)PY";

TEST(BodToolExportTest, CsvReadsBackAsTheDumpAndJsonIsTheDumpsDeeds) {
    CBodArray bods;
    bods.push_back(TestDeeds::MakeLargeDeed(
        {"Smithy", "Platemail", "iron", "10", "Normal", "LBOD/platemail", "20/60"},
        {"platemail arms", "platemail gloves", "platemail legs"}));
    bods.back()->SetPart(1, true, "");
    bods.back()->m_timeAdded = 951782400; // a leap day
    bods.back()->m_strNotes = "für Ærwin";
    bods.push_back(TestDeeds::MakeDeed(
        {"Tailor", "Cloth", "cloth", "15", "Exceptional", "cape, \"fancy\"", "0/15"}));
    bods.back()->m_strNotes = "line one\r\nline two, with \"quotes\"\nand an é";
    bods.back()->m_strPrice = "1,500";
    bods.back()->m_timeAdded = 0;
    bods.push_back(TestDeeds::MakeDeed({"", "", "", "", "", "", ""}));
    bods.back()->m_timeAdded = 4294967295U;
    const QTemporaryDir dir;
    const QString strDoc = dir.filePath("deeds.bod");
    WriteFileBytes(strDoc, QByteArray::fromStdString(BodFile::Write(bods, 0, 0)));

    const BodToolResult csv = RunBodTool({"export", strDoc});
    ASSERT_EQ(0, csv.nExitCode) << csv.err.toStdString();
    const BodToolResult dump = RunBodTool({"dump", strDoc});
    ASSERT_EQ(0, dump.nExitCode) << dump.err.toStdString();
    WriteFileBytes(dir.filePath("deeds.csv"), csv.out);
    WriteFileBytes(dir.filePath("dump.json"), dump.out);
    QProcess python;
    python.start("python3",
                 {"-c", kCompareScript, dir.filePath("deeds.csv"), dir.filePath("dump.json")});
    ASSERT_TRUE(python.waitForFinished(60000));
    EXPECT_EQ(0, python.exitCode()) << python.readAllStandardError().toStdString();
    EXPECT_EQ(QByteArray("rows 3\n"), python.readAllStandardOutput());
    // The rows end as RFC 4180 has it, also where a field holds a line break of its own.
    EXPECT_TRUE(csv.out.endsWith("2106-02-07T06:28:15Z\r\n"));

    const BodToolResult json = RunBodTool({"export", "--format", "json", strDoc});
    ASSERT_EQ(0, json.nExitCode) << json.err.toStdString();
    EXPECT_EQ(QJsonDocument::fromJson(dump.out)["deeds"],
              QJsonDocument::fromJson(json.out)["deeds"]);
}

} // namespace
