#include "model/BodFile.h"

#include <QFile>
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

std::unique_ptr<CBodItem> MakeDeed(const char* pszTrade, const char* pszCategory,
                                   const char* pszMaterial, const char* pszAmount,
                                   const char* pszQuality, const char* pszItem,
                                   const char* pszCount) {
    auto pBod = std::make_unique<CBodItem>();
    pBod->m_strTrade = pszTrade;
    pBod->m_strCategory = pszCategory;
    pBod->m_strMaterial = pszMaterial;
    pBod->m_strAmount = pszAmount;
    pBod->m_strQuality = pszQuality;
    pBod->m_strItem = pszItem;
    pBod->m_strCount = pszCount;
    return pBod;
}

class BodToolTreeTest : public ::testing::Test {
protected:
    // A tailor's small deed listed before a smith's large deed that still needs its bardiche.
    BodToolTreeTest() {
        CBodArray bods;
        bods.push_back(
            MakeDeed("Tailor", "Cloth", "cloth", "15", "Exceptional", "bandana", "0/15"));
        bods.push_back(
            MakeDeed("Smithy", "Weapon", "iron", "10", "Normal", "LBOD/bardiche", "10/20"));
        bods.back()->BuildParts();
        bods.back()->SetPart(1, true, "");
        const std::string bytes = BodFile::Write(bods, 0, 0);
        QFile file(Path());
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes.data(), static_cast<qsizetype>(bytes.size()));
    }

    QString Path() const { return m_dir.filePath("deeds.bod"); }

    QTemporaryDir m_dir;
};

TEST_F(BodToolTreeTest, PrintsTheWholeHierarchyInOrder) {
    const RunResult result = RunBodTool({"tree", Path()});
    EXPECT_EQ(0, result.nExitCode) << result.err.toStdString();
    EXPECT_EQ(QByteArray("BOD's - Full List\t0\n"
                         "  Smithy\t1\n"
                         "    Weapon\t21\n"
                         "      iron\t3\n"
                         "        10\t22\n"
                         "          Normal\t23\n"
                         "            LBOD's\t22\n"
                         "              LBOD/bardiche - 10/20\t16\n"
                         "  Tailor\t2\n"
                         "    Cloth\t12\n"
                         "      cloth\t12\n"
                         "        15\t22\n"
                         "          Exceptional\t24\n"
                         "            SBOD's\t22\n"
                         "              bandana - 0/15\t17\n"),
              result.out);
}

TEST_F(BodToolTreeTest, ShoppingShowsLargeDeedsWithTheSmallDeedsTheyNeed) {
    const RunResult result = RunBodTool({"tree", "--shopping", Path()});
    EXPECT_EQ(0, result.nExitCode) << result.err.toStdString();
    EXPECT_EQ(QByteArray("BOD's - Shopping List\t0\n"
                         "  Smithy\t1\n"
                         "    Weapon\t21\n"
                         "      iron\t3\n"
                         "        10\t22\n"
                         "          Normal\t23\n"
                         "            LBOD's\t22\n"
                         "              LBOD/bardiche - 10/20\t16\n"
                         "            SBOD's\t22\n"
                         "              bardiche - \t16\n"),
              result.out);
}

TEST_F(BodToolTreeTest, BadArgumentsAndBadFilesFail) {
    struct Case {
        QStringList args;
        int nExitCode;
    };
    QFile junk(m_dir.filePath("junk.bod"));
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write("\x05\x00\x00", 3);
    junk.close();
    const Case cases[]{
        {{"tree"}, 2},
        {{"tree", "--expand", Path()}, 2},
        {{"tree", junk.fileName()}, 1},
    };
    for (const Case& c : cases) {
        const RunResult result = RunBodTool(c.args);
        EXPECT_EQ(c.nExitCode, result.nExitCode) << c.args.join(' ').toStdString();
        EXPECT_TRUE(result.out.isEmpty()) << c.args.join(' ').toStdString();
    }
}

} // namespace
