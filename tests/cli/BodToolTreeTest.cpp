#include "model/BodFile.h"
#include "support/BodToolRunner.h"
#include "support/TestDeeds.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// A smith's large deed that still needs its bardiche.
TEST(BodToolTreeTest, PrintsTheFullAndTheShoppingHierarchy) {
    CBodArray bods;
    bods.push_back(TestDeeds::MakeDeed(
        {"Smithy", "Weapon", "iron", "10", "Normal", "LBOD/bardiche", "10/20"}));
    bods.back()->BuildParts();
    bods.back()->SetPart(1, true, "");
    const QTemporaryDir dir;
    const QString strPath = dir.filePath("deeds.bod");
    WriteFileBytes(strPath, QByteArray::fromStdString(BodFile::Write(bods, 0, 0)));

    const QByteArray smithyPath = "  Smithy\t1\n"
                                  "    Weapon\t21\n"
                                  "      iron\t3\n"
                                  "        10\t22\n"
                                  "          Normal\t23\n"
                                  "            LBOD's\t22\n"
                                  "              LBOD/bardiche - 10/20\t16\n";
    const struct {
        QStringList args;
        QByteArray outline;
    } cases[] = {
        {{"tree", strPath}, "BOD's - Full List\t0\n" + smithyPath},
        {{"tree", "--shopping", strPath},
         "BOD's - Shopping List\t0\n" + smithyPath +
             "            SBOD's\t22\n"
             "              bardiche - \t16\n"},
    };
    for (const auto& c : cases) {
        const BodToolResult result = RunBodTool(c.args);
        EXPECT_EQ(0, result.nExitCode) << result.err.toStdString();
        EXPECT_EQ(c.outline, result.out);
    }
}

} // namespace
