#include "document/QuillmarDoc.h"
#include "frames/ChildFrame.h"
#include "frames/QuillmarAppFixture.h"
#include "framework/DocManager.h"
#include "framework/Profile.h"
#include "model/BodFile.h"

#include <QFile>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QTemporaryDir>
#include <vector>

namespace {

using ShellCommand = CQuillmarApp::CCommandLineInfo::ShellCommand;

struct CCommandLineCase {
    QStringList arguments;
    ShellCommand nShellCommand;
    QString strFileName;
};

TEST(CommandLineTest, Parse) {
    const std::vector<CCommandLineCase> table{
        {{}, ShellCommand::FileNew, ""},
        {{"deeds.bod"}, ShellCommand::FileOpen, "deeds.bod"},
        // An absolute path starts with "/" here and is not a switch.
        {{"/home/aldric/deeds.bod"}, ShellCommand::FileOpen, "/home/aldric/deeds.bod"},
        {{"/p", "deeds.bod"}, ShellCommand::FilePrint, "deeds.bod"},
        {{"--print", "/tmp/deeds.bod"}, ShellCommand::FilePrint, "/tmp/deeds.bod"},
        {{"-p", "deeds.bod"}, ShellCommand::FilePrint, "deeds.bod"},
        {{"--print"}, ShellCommand::FileNew, ""},
        {{"-style", "first.bod", "second.bod"}, ShellCommand::FileOpen, "first.bod"},
    };
    for (const CCommandLineCase& row : table) {
        const auto info = CQuillmarApp::CCommandLineInfo::Parse(row.arguments);
        EXPECT_EQ(row.nShellCommand, info.nShellCommand) << row.arguments.join(' ').toStdString();
        EXPECT_EQ(row.strFileName, info.strFileName) << row.arguments.join(' ').toStdString();
    }
}

class StartUpTest : public QuillmarAppFixture {
protected:
    // A *.bod file of nDeeds small deeds, or of the given bytes.
    QString WriteFile(const QString& strName, const std::string& bytes) {
        const QString strPath = m_dir.filePath(strName);
        QFile file(strPath);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes.data(), static_cast<qint64>(bytes.size()));
        return strPath;
    }
    static std::string DocumentBytes(int nDeeds) {
        CBodArray bods;
        for (int i = 0; i < nDeeds; ++i) {
            auto pBod = std::make_unique<CBodItem>();
            pBod->m_strTrade = "Smithy";
            pBod->m_strCategory = "Platemail";
            pBod->m_strMaterial = "iron";
            pBod->m_strQuality = "Normal";
            pBod->m_strItem = "platemail gorget";
            pBod->m_strAmount = "10";
            pBod->m_strCount = "0/10";
            bods.push_back(std::move(pBod));
        }
        return BodFile::Write(bods, 0, 0);
    }

    QTemporaryDir m_dir;
};

TEST_F(StartUpTest, NoArgumentMakesOneNewDocument) {
    ASSERT_TRUE(Start());
    EXPECT_TRUE(Frame().isVisible());
    const QList<QMdiSubWindow*> windows = Frame().GetMdiArea()->subWindowList();
    ASSERT_EQ(1, windows.size());
    EXPECT_EQ(QString("Quilmr1"), windows.front()->windowTitle());
    EXPECT_EQ(QString("Quillmar - [Quilmr1]"), Frame().windowTitle());
    EXPECT_EQ(QString("Larkfield"), QCoreApplication::organizationName());
    EXPECT_EQ(QString("Quillmar"), QCoreApplication::applicationName());
    EXPECT_FALSE(Frame().windowIcon().isNull());
    EXPECT_TRUE(m_prompt.m_messages.isEmpty());
}

TEST_F(StartUpTest, FileArgumentOpensIt) {
    const QString strPath = WriteFile("aldric.bod", DocumentBytes(7));
    ASSERT_TRUE(Start({strPath}));
    ASSERT_EQ(1, Frame().GetMdiArea()->subWindowList().size());
    CQuillmarDoc* pDoc = Frame().GetActiveDocument();
    ASSERT_NE(nullptr, pDoc);
    EXPECT_EQ(QString("aldric.bod"), pDoc->GetTitle());
    EXPECT_EQ(7U, pDoc->m_arrBods.size());

    // The file is the first recent file now; the File menu lists it in place of the placeholder.
    QStringList fileItems;
    for (const QAction* pItem : Frame().menuBar()->actions().front()->menu()->actions()) {
        if (pItem->isVisible() && !pItem->isSeparator()) {
            fileItems.append(pItem->text());
        }
    }
    EXPECT_TRUE(fileItems.contains("&1 " + strPath));
    EXPECT_FALSE(fileItems.contains("Recent File"));
}

struct CBadStartCase {
    const char* pszName;
    std::string bytes;
    bool bCreateFile;
    QString strMessage;
};

TEST_F(StartUpTest, FileThatFailsToLoadEndsTheStart) {
    const std::vector<CBadStartCase> table{
        {"short.bod", "\x05\x00", true, "Unexpected file format."},
        {"truncated.bod", DocumentBytes(3).substr(0, 40), true, "Unexpected file format."},
        {"missing.bod", "", false, "%1 was not found."},
    };
    for (const CBadStartCase& row : table) {
        const QString strPath =
            row.bCreateFile ? WriteFile(row.pszName, row.bytes) : m_dir.filePath(row.pszName);
        m_prompt.m_messages.clear();
        EXPECT_FALSE(Start({strPath})) << row.pszName;
        EXPECT_NE(0, m_pApp->GetExitCode()) << row.pszName;
        EXPECT_EQ(QStringList({row.strMessage.arg(strPath)}), m_prompt.m_messages) << row.pszName;
        EXPECT_FALSE(Frame().isVisible()) << row.pszName;
        EXPECT_TRUE(m_pApp->GetDocManager()->GetDocuments().empty()) << row.pszName;
        m_pApp.reset();
    }
}

TEST_F(StartUpTest, PrintSwitchWithABadFileFails) {
    const QString strPath = WriteFile("short.bod", "\x01");
    EXPECT_FALSE(Start({"--print", strPath}));
    EXPECT_NE(0, m_pApp->GetExitCode());
    EXPECT_FALSE(Frame().isVisible());
}

TEST_F(StartUpTest, AutoSaveFromAnEarlierRunIsOnForTheNewDocument) {
    WriteProfileString("Settings", "AutoSave", "1");
    ASSERT_TRUE(Start());
    EXPECT_TRUE(Frame().GetActiveDocument()->m_bAutoSave);
    EXPECT_TRUE(Frame().GetCommand(ID_AUTO_SAVE)->isChecked());
}

TEST_F(StartUpTest, StoredAlwaysOnTopAndPlacementComeBack) {
    WriteProfileInt("Frame", "Top", 20);
    WriteProfileInt("Frame", "Left", 40);
    WriteProfileInt("Frame", "Bottom", 420);
    WriteProfileInt("Frame", "Right", 640);
    WriteProfileInt("Frame", "AlwaysOnTop", 1);
    ASSERT_TRUE(Start());
    EXPECT_TRUE(Frame().IsAlwaysOnTop());
    EXPECT_TRUE(Frame().windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_EQ(QSize(600, 400), Frame().size());
}

} // namespace
