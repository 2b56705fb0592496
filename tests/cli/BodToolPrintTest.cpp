#include "model/BodFile.h"
#include "support/PdfText.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class BodToolPrintTest : public ::testing::Test {
protected:
    // nDeeds small deeds on one branch path: the root, six branch rows, then the deeds.
    void WriteDocument(const QString& strName, int nDeeds) const {
        CBodArray bods;
        for (int i = 0; i < nDeeds; ++i) {
            auto pBod = std::make_unique<CBodItem>();
            pBod->m_strTrade = "Smithy";
            pBod->m_strCategory = "Platemail";
            pBod->m_strMaterial = "iron";
            pBod->m_strQuality = "Normal";
            pBod->m_strAmount = "10";
            pBod->m_strItem = "plate helm";
            pBod->m_strCount = std::to_string(i % 11) + "/10";
            bods.push_back(std::move(pBod));
        }
        WriteBytes(strName, BodFile::Write(bods, 0, 0));
    }
    void WriteBytes(const QString& strName, const std::string& bytes) const {
        QFile file(Path(strName));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes.data(), qint64(bytes.size()));
    }
    QString Path(const QString& strName) const { return m_dir.filePath(strName); }

    // Runs bodtool print with args; returns its exit status and keeps its standard error.
    int Print(const QStringList& args) {
        QProcess process;
        process.start(QUILLMAR_BODTOOL, QStringList{"print"} + args);
        EXPECT_TRUE(process.waitForFinished(60000));
        m_err = QString::fromUtf8(process.readAllStandardError());
        return process.exitCode();
    }

    QTemporaryDir m_dir;
    QString m_err;
};

TEST_F(BodToolPrintTest, EveryBranchExpandedFillsNumberedPages) {
    WriteDocument("sample.bod", 320);
    ASSERT_EQ(0, Print({Path("sample.bod"), Path("out.pdf")})) << m_err.toStdString();
    const QStringList pages = PdfPageTexts(Path("out.pdf"));
    // 327 rows do not fit on one A4 page.
    ASSERT_GT(pages.size(), 1);
    for (int n = 1; n <= pages.size(); ++n) {
        EXPECT_TRUE(pages[n - 1].contains("sample.bod BOD hierarchy")) << n;
        EXPECT_TRUE(pages[n - 1].contains(QStringLiteral("Page %1/%2").arg(n).arg(pages.size())))
            << n;
    }
    // The default is every branch: the same as asking for it.
    ASSERT_EQ(0, Print({"--expand", "all", Path("sample.bod"), Path("all.pdf")}));
    EXPECT_EQ(pages.size(), PdfPageTexts(Path("all.pdf")).size());
}

TEST_F(BodToolPrintTest, OnlyTheRootExpandedIsOnePage) {
    WriteDocument("sample.bod", 320);
    ASSERT_EQ(0, Print({"--expand=root", Path("sample.bod"), Path("root.pdf")}))
        << m_err.toStdString();
    const QStringList pages = PdfPageTexts(Path("root.pdf"));
    ASSERT_EQ(1, pages.size());
    EXPECT_TRUE(pages[0].contains("Page 1/1"));
}

TEST_F(BodToolPrintTest, FailuresWriteNoPdf) {
    WriteDocument("sample.bod", 3);
    WriteBytes("bad.bod", std::string("\x05\x00\x00\x00", 4));
    const struct {
        QStringList args;
        int nExit;
        const char* pszMessage;
    } cases[] = {
        {{Path("sample.bod")}, 2, "usage"},
        {{"--expand", "some", Path("sample.bod"), Path("out.pdf")}, 2, "usage"},
        {{Path("bad.bod"), Path("out.pdf")}, 1, "Unexpected file format."},
        {{Path("missing.bod"), Path("out.pdf")}, 1, "missing.bod"},
        {{Path("sample.bod"), Path("no/such/dir/out.pdf")}, 1, "out.pdf"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args.join(' ').toStdString());
        EXPECT_EQ(c.nExit, Print(c.args));
        EXPECT_TRUE(m_err.contains(c.pszMessage)) << m_err.toStdString();
        EXPECT_FALSE(QFile::exists(Path("out.pdf")));
    }
}

} // namespace
