#include "app/ExceptionReport.h"
#include "app/Translations.h"
#include "document/QuillmarDoc.h"
#include "frames/ChildFrame.h"
#include "frames/QuillmarAppFixture.h"
#include "framework/DocManager.h"
#include "model/BodFile.h"
#include "support/BodToolRunner.h"
#include "support/ScriptedPrompt.h"
#include "support/TestDeeds.h"
#include "widgets/AboutDlg.h"

#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QTemporaryDir>
#include <new>
#include <set>
#include <stdexcept>
#include <vector>

namespace {

using ShellCommand = CQuillmarApp::CCommandLineInfo::ShellCommand;

TEST(ExceptionReportTest, AnEscapingExceptionIsToldAndEndsWithStatusOne) {
    const std::pair<std::function<int()>, const char*> cases[] = {
        {[]() -> int { throw std::bad_alloc(); }, "out of memory"},
        {[]() -> int { throw std::runtime_error("settings are broken"); }, "settings are broken"},
        {[]() -> int { throw 42; }, "an unexpected error"},
    };
    for (const auto& [body, pszMessage] : cases) {
        const ScriptedPrompt prompt;
        EXPECT_EQ(1, RunReportingExceptions(body));
        ASSERT_EQ(1, prompt.m_messages.size());
        EXPECT_TRUE(prompt.m_messages.front().contains(pszMessage)) << pszMessage;
    }
}

TEST(CommandLineTest, Parse) {
    const struct {
        QStringList arguments;
        ShellCommand nShellCommand;
        QString strFileName;
    } table[] = {
        {{}, ShellCommand::FileNew, ""},
        {{"deeds.bod"}, ShellCommand::FileOpen, "deeds.bod"},
        // An absolute path starts with "/" here and is not a switch.
        {{"/home/aldric/deeds.bod"}, ShellCommand::FileOpen, "/home/aldric/deeds.bod"},
        {{"/p", "deeds.bod"}, ShellCommand::FilePrint, "deeds.bod"},
        {{"--print", "/tmp/deeds.bod"}, ShellCommand::FilePrint, "/tmp/deeds.bod"},
        {{"-p", "deeds.bod"}, ShellCommand::FilePrint, "deeds.bod"},
        {{"--print"}, ShellCommand::FileNew, ""},
        {{"-style", "first.bod", "second.bod"}, ShellCommand::FileOpen, "first.bod"},
        {{"deeds.bod", "/p"}, ShellCommand::FilePrint, "deeds.bod"},
        // A shell switch this program does not take is not a file either.
        {{"/x", "deeds.bod"}, ShellCommand::FileOpen, "deeds.bod"},
        {{"--", "-odd.bod"}, ShellCommand::FileOpen, "-odd.bod"},
    };
    for (const auto& row : table) {
        const auto info = CQuillmarApp::CCommandLineInfo::Parse(row.arguments);
        EXPECT_EQ(row.nShellCommand, info.nShellCommand) << row.arguments.join(' ').toStdString();
        EXPECT_EQ(row.strFileName, info.strFileName) << row.arguments.join(' ').toStdString();
    }
}

// Help and the version need no display: here the program could not open a window if it tried.
// Both are checked writes, like every other output. A German desktop reads the help in German.
TEST(CommandLineTest, HelpAndVersionAnswerWithoutAWindow) {
    const QTemporaryDir home;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove("DISPLAY");
    environment.remove("WAYLAND_DISPLAY");
    environment.insert("QT_QPA_PLATFORM", "xcb");
    environment.insert("HOME", home.path());
    environment.insert("XDG_CONFIG_HOME", home.path());
    const struct {
        QStringList args;
        QString strOutputFile;
        int nExitCode;
        QByteArray out;
        QString strLang = "C.UTF-8";
        QString strLanguage = {};
    } cases[] = {
        {{"--help"}, {}, 0, "  -p, --print "},
        {{"-h"}, {}, 0, "[FILE]"},
        {{"--version"}, {}, 0, "Quillmar 1."},
        {{"deeds.bod", "--version"}, {}, 0, "Quillmar 1."},
        {{"--help"}, "/dev/full", 1, {}},
        {{"--version"}, "/dev/full", 1, {}},
        {{"--help"}, {}, 0, "Zeigt diese Hilfe an und beendet das Programm.", "de_DE.UTF-8", "de"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args.join(' ').toStdString() + " > " + c.strOutputFile.toStdString());
        environment.insert("LANG", c.strLang);
        environment.insert("LANGUAGE", c.strLanguage);
        QProcess program;
        program.setProcessEnvironment(environment);
        if (!c.strOutputFile.isEmpty()) {
            program.setStandardOutputFile(c.strOutputFile);
        }
        program.start(QStringLiteral(QUILLMAR_PROGRAM), c.args);
        ASSERT_TRUE(program.waitForFinished(120'000));
        EXPECT_EQ(QProcess::NormalExit, program.exitStatus());
        EXPECT_EQ(c.nExitCode, program.exitCode());
        EXPECT_TRUE(program.readAllStandardOutput().contains(c.out));
    }
}

class TranslationTest : public QuillmarAppFixture {};

// The program's texts and Qt's own (its buttons) in German, for as long as the translations
// live. Within each menu every item keeps its accelerator letter, and no letter serves twice.
TEST_F(TranslationTest, AGermanDesktopReadsGermanWithOneItemPerAcceleratorLetter) {
    struct Seen {
        QStringList titles;
        std::vector<int> accelerators; // per menu
        QString strUndo;
        QString strRedo;
        QString strMessage;
        QString strYes;
    };
    const QLocale previous;
    std::vector<Seen> seen;
    for (const QLocale& locale : {QLocale(QLocale::English, QLocale::UnitedStates),
                                  QLocale(QLocale::German, QLocale::Germany)}) {
        QLocale::setDefault(locale);
        const CTranslations translations;
        ASSERT_TRUE(Start());
        Frame().GetActiveDocument()->ImportDeeds(TestDeeds::MakeDeeds(
            {{"Tailoring", "Cloth", "cloth", "10", "Normal", "fancy shirt", "0/10"},
             {"Tailoring", "Cloth", "cloth", "10", "Normal", "skirt", "0/10"}}));
        Seen& now = seen.emplace_back();
        std::set<QKeySequence> barKeys;
        for (QAction* pTitle : Frame().menuBar()->actions()) {
            now.titles.append(pTitle->text());
            EXPECT_TRUE(barKeys.insert(QKeySequence::mnemonic(pTitle->text())).second)
                << pTitle->text().toStdString();
            Q_EMIT pTitle->menu()->aboutToShow();
            std::set<QKeySequence> keys;
            for (const QAction* pItem : pTitle->menu()->actions()) {
                const QKeySequence key = QKeySequence::mnemonic(pItem->text());
                if (!key.isEmpty()) {
                    EXPECT_TRUE(keys.insert(key).second) << pItem->text().toStdString();
                }
            }
            now.accelerators.push_back(static_cast<int>(keys.size()));
        }
        now.strUndo = Frame().GetCommand(ID_EDIT_UNDO)->text();
        Frame().GetCommand(ID_EDIT_UNDO)->trigger();
        Frame().UpdateCommandUI();
        now.strRedo = Frame().GetCommand(ID_EDIT_REDO)->text();
        now.strMessage = m_prompt.m_messages.value(0);
        now.strYes = QCoreApplication::translate("QPlatformTheme", "&Yes");
        m_pApp.reset();
        m_prompt.m_messages.clear();
    }
    QLocale::setDefault(previous);
    EXPECT_EQ(QStringList({"&Datei", "&Bearbeiten", "&Ansicht", "&Fenster", "&Hilfe"}),
              seen[1].titles);
    EXPECT_EQ(QString("&Rückgängig: Import\tStrg+Z"), seen[1].strUndo);
    EXPECT_EQ(QString("&Wiederholen: Import\tStrg+Y"), seen[1].strRedo);
    EXPECT_EQ(QString("2 BODs wurden importiert."), seen[1].strMessage);
    EXPECT_EQ(QString("&Ja"), seen[1].strYes);
    EXPECT_EQ(seen[0].accelerators, seen[1].accelerators);
}

class StartUpTest : public QuillmarAppFixture {
protected:
    QString File(const QString& strName, const QByteArray& bytes) const {
        WriteFileBytes(m_dir.filePath(strName), bytes);
        return m_dir.filePath(strName);
    }
    // A document of nDeeds small deeds, as the program writes it.
    static QByteArray DocumentBytes(int nDeeds) {
        const TestDeeds::DeedFields gorget{"Smithy", "Platemail",        "iron", "10",
                                           "Normal", "platemail gorget", "0/10"};
        const CBodArray bods =
            TestDeeds::MakeDeeds(std::vector(static_cast<std::size_t>(nDeeds), gorget));
        return QByteArray::fromStdString(BodFile::Write(bods, 0, 0));
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
    EXPECT_FALSE(Frame().windowIcon().isNull());
    EXPECT_TRUE(m_prompt.m_messages.isEmpty());
}

TEST_F(StartUpTest, FileArgumentOpensItAndMakesItTheFirstRecentFile) {
    const QString strPath = File("aldric.bod", DocumentBytes(7));
    ASSERT_TRUE(Start({strPath}));
    ASSERT_EQ(1, Frame().GetMdiArea()->subWindowList().size());
    CQuillmarDoc* pDoc = Frame().GetActiveDocument();
    ASSERT_NE(nullptr, pDoc);
    EXPECT_EQ(QString("aldric.bod"), pDoc->GetTitle());
    EXPECT_EQ(7U, pDoc->m_arrBods.size());

    QStringList fileItems;
    for (const QAction* pItem : Frame().menuBar()->actions().front()->menu()->actions()) {
        if (pItem->isVisible()) {
            fileItems.append(pItem->text());
        }
    }
    EXPECT_TRUE(fileItems.contains("&1 " + strPath));
    EXPECT_FALSE(fileItems.contains("Recent File"));
}

TEST_F(StartUpTest, FileThatFailsToLoadOrPrintEndsTheStart) {
    const struct {
        QStringList switches;
        const char* pszName;
        QByteArray bytes;
        bool bCreateFile;
        QString strMessage;
    } table[] = {
        {{}, "short.bod", QByteArray("\x05\x00", 2), true, "Unexpected file format."},
        {{}, "truncated.bod", DocumentBytes(3).left(40), true, "Unexpected file format."},
        {{}, "missing.bod", {}, false, "%1 was not found."},
        {{"--print"}, "short.bod", "\x01", true, "Unexpected file format."},
        // There is no printer here.
        {{"-p"},
         "fine.bod",
         DocumentBytes(2),
         true,
         "%1 could not be printed. Check that a printer is installed and ready."},
    };
    for (const auto& row : table) {
        const QString strPath =
            row.bCreateFile ? File(row.pszName, row.bytes) : m_dir.filePath(row.pszName);
        m_prompt.m_messages.clear();
        EXPECT_FALSE(Start(row.switches + QStringList{strPath})) << row.pszName;
        EXPECT_NE(0, m_pApp->GetExitCode()) << row.pszName;
        EXPECT_EQ(QStringList({row.strMessage.arg(strPath)}), m_prompt.m_messages) << row.pszName;
        EXPECT_FALSE(Frame().isVisible()) << row.pszName;
        EXPECT_TRUE(m_pApp->GetDocManager()->GetDocuments().empty()) << row.pszName;
        m_pApp.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_FALSE(QSettings("Larkfield", "Quillmar").childGroups().contains("ChildFrame"))
            << "a window nobody saw stores no placement";
    }
}

} // namespace
