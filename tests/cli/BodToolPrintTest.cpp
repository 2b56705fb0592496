#include "model/BodFile.h"
#include "support/BodToolRunner.h"
#include "support/PdfText.h"
#include "support/TestDeeds.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// 320 small deeds on one branch path: with the root and six branch rows, 327 rows that do not
// fit on one A4 page unless only the root is open.
TEST(BodToolPrintTest, PrintsNumberedPagesAsExpanded) {
    CBodArray bods;
    for (int i = 0; i < 320; ++i) {
        bods.push_back(TestDeeds::MakeDeed({"Smithy", "Platemail", "iron", "10", "Normal",
                                            "plate helm", std::to_string(i % 11) + "/10"}));
    }
    const QTemporaryDir dir;
    const QString strDocument = dir.filePath("sample.bod");
    WriteFileBytes(strDocument, QByteArray::fromStdString(BodFile::Write(bods, 0, 0)));

    // Every branch is the default.
    const struct {
        QStringList expandArgs;
        bool bEveryBranch;
    } cases[] = {{{}, true}, {{"--expand", "all"}, true}, {{"--expand=root"}, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.expandArgs.join(' ').toStdString());
        const QString strPdf = dir.filePath("out.pdf");
        const BodToolResult result =
            RunBodTool(QStringList{"print"} + c.expandArgs + QStringList{strDocument, strPdf});
        ASSERT_EQ(0, result.nExitCode) << result.err.toStdString();
        const QStringList pages = PdfPageTexts(strPdf);
        EXPECT_EQ(c.bEveryBranch, pages.size() > 1);
        for (int n = 1; n <= pages.size(); ++n) {
            EXPECT_TRUE(pages[n - 1].contains("sample.bod BOD hierarchy")) << n;
            EXPECT_TRUE(
                pages[n - 1].contains(QStringLiteral("Page %1/%2").arg(n).arg(pages.size())))
                << n;
        }
    }
}

} // namespace
