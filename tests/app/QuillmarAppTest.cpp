#include "app/ExceptionReport.h"
#include "app/SingleInstance.h"
#include "app/Translations.h"
#include "document/QuillmarDoc.h"
#include "frames/QuillmarAppFixture.h"
#include "framework/DocManager.h"
#include "model/BodFile.h"
#include "support/BodToolRunner.h"
#include "support/TestDeeds.h"

#include <QFileOpenEvent>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QTemporaryDir>
#include <new>
#include <set>
#include <stdexcept>

namespace {

TEST(ExceptionReportTest, AnEscapingExceptionIsToldAndEndsWithStatusOne) {
    const std::pair<std::function<int()>, const char*> cases[] = {
        {[]() -> int { throw std::bad_alloc(); }, "out of memory"},
        {[]() -> int { throw std::runtime_error("settings are broken"); }, "settings are broken"},
        {[]() -> int { throw 42; }, "an unexpected error"},
    };
    for (const auto& [body, pszMessage] : cases) {
        const ScriptedPrompt prompt;
        EXPECT_EQ(1, RunReportingExceptions(body));
        EXPECT_EQ(QStringList{QString("Quillmar has to close: %1.").arg(pszMessage)},
                  prompt.m_messages);
    }
}

TEST(CommandLineTest, Parse) {
    using enum CQuillmarApp::CCommandLineInfo::ShellCommand;
    const struct {
        QStringList arguments;
        CQuillmarApp::CCommandLineInfo::ShellCommand nShellCommand;
        QString strFileName;
    } table[] = {
        {{"--print"}, FileNew, ""},
        {{"", "deeds.bod"}, FileOpen, "deeds.bod"},
        {{"deeds.bod", "/p"}, FilePrint, "deeds.bod"},
        // An absolute path starts with "/" here and is not a switch.
        {{"--print", "/tmp/deeds.bod"}, FilePrint, "/tmp/deeds.bod"},
        {{"-style", "first.bod", "second.bod"}, FileOpen, "first.bod"},
        // A shell switch this program does not take is not a file either.
        {{"/x", "deeds.bod"}, FileOpen, "deeds.bod"},
    };
    for (const auto& row : table) {
        const auto info = CQuillmarApp::CCommandLineInfo::Parse(row.arguments);
        EXPECT_EQ(std::pair(row.nShellCommand, row.strFileName),
                  std::pair(info.nShellCommand, info.strFileName))
            << row.arguments.join(' ').toStdString();
    }
}

// Help and the version need no display: here the program could not open a window if it tried.
// Both are checked writes, like every other output. A German desktop reads the help in German.
TEST(CommandLineTest, HelpAndVersionAnswerWithoutAWindow) {
    const QTemporaryDir home;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* pszName :
         {"DISPLAY", "WAYLAND_DISPLAY", "LANGUAGE", "LC_ALL", "LC_MESSAGES"}) {
        environment.remove(pszName);
    }
    environment.insert("QT_QPA_PLATFORM", "xcb");
    environment.insert("HOME", home.path());
    environment.insert("XDG_CONFIG_HOME", home.path());
    const struct {
        QStringList args;
        int nExitCode; // 1: standard output is a full disk
        QByteArray out;
        const char* pszLang = "C.UTF-8";
    } cases[] = {
        {{"--help"}, 0, "  -p, --print "},
        {{"-h"}, 0, "[FILE]"},
        {{"deeds.bod", "--version"}, 0, "Quillmar 1."},
        {{"--help"}, 1, {}},
        {{"--version"}, 1, {}},
        {{"--help"}, 0, "Zeigt diese Hilfe an und beendet das Programm.", "de_DE.UTF-8"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args.join(' ').toStdString() + ' ' + c.pszLang + ' ' +
                     std::to_string(c.nExitCode));
        environment.insert("LANG", c.pszLang);
        QProcess program;
        program.setProcessEnvironment(environment);
        if (c.nExitCode == 1) {
            program.setStandardOutputFile("/dev/full");
        }
        program.start(QStringLiteral(QUILLMAR_PROGRAM), c.args);
        ASSERT_TRUE(program.waitForFinished(120'000));
        EXPECT_EQ(std::pair(QProcess::NormalExit, c.nExitCode),
                  std::pair(program.exitStatus(), program.exitCode()));
        EXPECT_TRUE(program.readAllStandardOutput().contains(c.out));
    }
}

class TranslationTest : public QuillmarAppFixture {};

// The program's texts and Qt's own (its buttons) in German, for as long as the translations
// live. Within each menu, and on the menu bar, every item keeps its accelerator letter and no
// letter serves twice.
TEST_F(TranslationTest, AGermanDesktopReadsGermanWithOneItemPerAcceleratorLetter) {
    const QLocale previous;
    std::vector<std::size_t> accelerators[2]; // per menu, in English and in German
    QStringList seen;
    for (const int nLanguage : {0, 1}) {
        QLocale::setDefault(nLanguage == 0 ? QLocale(QLocale::English, QLocale::UnitedStates)
                                           : QLocale(QLocale::German, QLocale::Germany));
        const CTranslations translations;
        ASSERT_TRUE(Start());
        Frame().GetActiveDocument()->ImportDeeds(TestDeeds::MakeDeeds(
            {{"Tailoring", "Cloth", "cloth", "10", "Normal", "fancy shirt", "0/10"},
             {"Tailoring", "Cloth", "cloth", "10", "Normal", "skirt", "0/10"}}));
        QStringList titles;
        QList<QList<QAction*>> menus{Frame().menuBar()->actions()};
        for (QAction* pTitle : Frame().menuBar()->actions()) {
            titles.append(pTitle->text());
            Q_EMIT pTitle->menu()->aboutToShow();
            menus.append(pTitle->menu()->actions());
        }
        for (const QList<QAction*>& items : menus) {
            std::set<QKeySequence> keys;
            for (const QAction* pItem : items) {
                const QKeySequence key = QKeySequence::mnemonic(pItem->text());
                EXPECT_TRUE(key.isEmpty() || keys.insert(key).second)
                    << pItem->text().toStdString();
            }
            accelerators[nLanguage].push_back(keys.size());
        }
        seen = QStringList{titles.join(' '), Frame().GetCommand(ID_EDIT_UNDO)->text()};
        Frame().GetCommand(ID_EDIT_UNDO)->trigger();
        Frame().UpdateCommandUI();
        seen << Frame().GetCommand(ID_EDIT_REDO)->text() << m_prompt.m_messages.value(0)
             << QCoreApplication::translate("QPlatformTheme", "&Yes");
        m_pApp.reset();
        m_prompt.m_messages.clear();
    }
    QLocale::setDefault(previous);
    EXPECT_EQ(
        QStringList({"&Datei &Bearbeiten &Ansicht &Fenster &Hilfe", "&Rückgängig: Import\tStrg+Z",
                     "&Wiederholen: Import\tStrg+Y", "2 BODs wurden importiert.", "&Ja"}),
        seen);
    EXPECT_EQ(accelerators[0], accelerators[1]);
}

class StartUpTest : public QuillmarAppFixture {
protected:
    // A document of nDeeds small deeds, as the program writes it.
    QString File(const QString& strName, int nDeeds) const {
        const TestDeeds::DeedFields gorget{"Smithy", "Platemail",        "iron", "10",
                                           "Normal", "platemail gorget", "0/10"};
        const CBodArray bods =
            TestDeeds::MakeDeeds(std::vector(static_cast<std::size_t>(nDeeds), gorget));
        WriteFileBytes(m_dir.filePath(strName),
                       QByteArray::fromStdString(BodFile::Write(bods, 0, 0)));
        return m_dir.filePath(strName);
    }

    QTemporaryDir m_dir;
};

// A file named on the command line opens and becomes the first recent file. Finder's open
// requests reach the running program as events and take File > Open's road, bringing a
// minimised window back.
TEST_F(StartUpTest, FileArgumentAndOpenEventsOpenTheirFiles) {
    const QString strPath = File("aldric.bod", 7);
    ASSERT_TRUE(Start({strPath}));
    EXPECT_EQ(QString("Quillmar - [aldric.bod]"), Frame().windowTitle());
    EXPECT_EQ(7U, Frame().GetActiveDocument()->m_arrBods.size());
    EXPECT_FALSE(Frame().windowIcon().isNull());
    Frame().showMinimized();
    const CSingleInstance instance(QStringLiteral("never-listened"));
    QObject::connect(&instance, &CSingleInstance::OpenRequested,
                     [this](const QStringList& files) { m_pApp->OpenFiles(files); });
    const QString strFound = File("found.bod", 1);
    for (const QString& strFile : {strFound, m_dir.filePath("missing.bod")}) {
        QFileOpenEvent event(strFile);
        QCoreApplication::sendEvent(qApp, &event);
    }
    ASSERT_EQ(2U, m_pApp->GetDocManager()->GetDocuments().size());
    EXPECT_EQ(strFound, m_pApp->GetDocManager()->GetDocuments().back()->GetPathName());
    EXPECT_EQ(QStringList{m_dir.filePath("missing.bod") + " was not found."}, m_prompt.m_messages);
    EXPECT_TRUE(Frame().isVisible() && !Frame().isMinimized());
    QStringList fileItems;
    for (const QAction* pItem : Frame().menuBar()->actions().front()->menu()->actions()) {
        fileItems.append(pItem->isVisible() ? pItem->text() : QString());
    }
    EXPECT_TRUE(fileItems.contains("&1 " + strFound) && fileItems.contains("&2 " + strPath));
    EXPECT_FALSE(fileItems.contains("Recent File"));
}

TEST_F(StartUpTest, FileThatFailsToLoadOrPrintEndsTheStart) {
    WriteFileBytes(m_dir.filePath("short.bod"), QByteArray("\x05\x00", 2));
    const struct {
        QStringList switches;
        QString strPath;
        QString strMessage;
    } table[] = {
        {{}, m_dir.filePath("short.bod"), "Unexpected file format."},
        {{}, m_dir.filePath("missing.bod"), "%1 was not found."},
        {{"--print"}, m_dir.filePath("short.bod"), "Unexpected file format."},
        // There is no printer here.
        {{"-p"},
         File("fine.bod", 2),
         "%1 could not be printed. Check that a printer is installed and ready."},
    };
    for (const auto& row : table) {
        SCOPED_TRACE(row.strPath.toStdString());
        m_prompt.m_messages.clear();
        EXPECT_FALSE(Start(row.switches + QStringList{row.strPath}));
        EXPECT_EQ(1, m_pApp->GetExitCode());
        EXPECT_EQ(QStringList({row.strMessage.arg(row.strPath)}), m_prompt.m_messages);
        EXPECT_FALSE(Frame().isVisible());
        EXPECT_TRUE(m_pApp->GetDocManager()->GetDocuments().empty());
        m_pApp.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        // A window nobody saw stores no placement.
        EXPECT_FALSE(QSettings("Larkfield", "Quillmar").childGroups().contains("ChildFrame"));
    }
}

} // namespace
