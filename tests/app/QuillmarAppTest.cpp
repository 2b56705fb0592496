#include "app/ExceptionReport.h"
#include "app/SingleInstance.h"
#include "app/Translations.h"
#include "document/QuillmarDoc.h"
#include "frames/ChildFrame.h"
#include "frames/QuillmarAppFixture.h"
#include "framework/DocManager.h"
#include "model/BodFile.h"
#include "support/BodToolRunner.h"
#include "support/Mnemonics.h"
#include "support/TestDeeds.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFileOpenEvent>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>
#include <new>
#include <stdexcept>

namespace {

TEST(CommandLineTest, Parse) {
    using enum CQuillmarApp::CCommandLineInfo::ShellCommand;
    const std::tuple<QStringList, CQuillmarApp::CCommandLineInfo::ShellCommand, QString> table[] = {
        {{"--print"}, FileNew, ""},
        {{"", "deeds.bod"}, FileOpen, "deeds.bod"},
        {{"deeds.bod", "/p"}, FilePrint, "deeds.bod"},
        // An absolute path starts with "/" here and is not a switch.
        {{"--print", "/tmp/deeds.bod"}, FilePrint, "/tmp/deeds.bod"},
        // Switches this program does not take: a shell's, and Qt's "-platform" (not -p -l -a...).
        {{"/x", "deeds.bod"}, FileOpen, "deeds.bod"},
        {{"-platform", "deeds.bod"}, FileOpen, "deeds.bod"},
    };
    for (const auto& [arguments, nShellCommand, strFileName] : table) {
        const auto info = CQuillmarApp::CCommandLineInfo::Parse(arguments);
        EXPECT_EQ(std::pair(nShellCommand, strFileName),
                  std::pair(info.nShellCommand, info.strFileName))
            << arguments.join(' ').toStdString();
    }
}

// Runs fnStep on the modal dialog as soon as one is open; the dialog's own loop runs it.
void WhenDialogOpens(std::function<void(QWidget&)> fnStep) {
    QTimer::singleShot(10, [fnStep = std::move(fnStep)]() mutable {
        if (QWidget* pDialog = QApplication::activeModalWidget()) {
            fnStep(*pDialog);
        } else {
            WhenDialogOpens(std::move(fnStep));
        }
    });
}

// The fields a player reads of each deed, one line a deed.
std::string Deeds(const CBodArray& bods) {
    std::string strDeeds;
    for (const auto& pBod : bods) {
        strDeeds += pBod->m_strTrade + '|' + pBod->m_strMaterial + '|' + pBod->m_strItem + '|' +
                    pBod->m_strCount + '|' + pBod->m_strNotes + '\n';
    }
    return strDeeds;
}

class AppTest : public QuillmarAppFixture {
protected:
    // A document of nDeeds small deeds, as the program writes it.
    QString File(const QString& strName, std::size_t nDeeds) const {
        const TestDeeds::DeedFields gorget{"Smithy", "Platemail", "iron", "10",
                                           "Normal", "gorget",    "0/10"};
        WriteFileBytes(m_dir.filePath(strName),
                       QByteArray::fromStdString(BodFile::Write(
                           TestDeeds::MakeDeeds(std::vector(nDeeds, gorget)), 0, 0)));
        return m_dir.filePath(strName);
    }

    QTemporaryDir m_dir;
};

TEST_F(AppTest, FileThatFailsToLoadOrPrintEndsTheStart) {
    const QString strShort = m_dir.filePath("short.bod");
    WriteFileBytes(strShort, QByteArray("\x05\x00", 2));
    // There is no printer here.
    const QString strFine = File("fine.bod", 2);
    for (const QStringList& args :
         {QStringList{strShort}, {"--print", strShort}, {"-p", strFine}}) {
        SCOPED_TRACE(args.join(' ').toStdString());
        const QString strMessage =
            args.last() == strFine
                ? strFine + " could not be printed. Check that a printer is installed and ready."
                : "Unexpected file format.";
        m_prompt.m_messages.clear();
        const bool bStarted = Start(args);
        // Not started, exit code, what was said, a window shown, documents left open.
        EXPECT_EQ(std::tuple(false, 1, QStringList{strMessage}, false, 0U),
                  std::tuple(bStarted, m_pApp->GetExitCode(), m_prompt.m_messages,
                             Frame().isVisible(), m_pApp->GetDocManager()->GetDocuments().size()));
        m_pApp.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        // A window nobody saw stores no placement.
        EXPECT_FALSE(QSettings().childGroups().contains("ChildFrame"));
    }
}

// A player's day through the commands and the dialogs, driven as a person does, and files the
// desktop asks to open; all in German, Qt's texts too, each menu item with its own accelerator.
TEST_F(AppTest, OpenImportAddEditUndoSaveAndOpenRequestsInGerman) {
    const QLocale previous;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const CTranslations translations;
    const QString strPath = File("aldric.bod", 1);
    ASSERT_TRUE(Start({strPath}));
    EXPECT_FALSE(Frame().windowIcon().isNull());

    // Paste: the Import dialog opens on the clipboard's text; give a note, process everything,
    // leave with Exit/Save.
    QApplication::clipboard()->setText(
        "UOAssist Bulk Order Deed list\r\n"
        "small bulk order: 10 chainmail leggings: 10, with iron ingots 150\r\n"
        "small bulk order: 20 exceptional platemail gloves: 5, with shadow iron ingots 300\r\n");
    WhenDialogOpens([](QWidget& dialog) {
        EXPECT_EQ("", MnemonicClashes(dialog).toStdString());
        dialog.findChild<QPlainTextEdit*>("editNote")->setPlainText("from Aldric's pack");
        for (const char* pszButton : {"btnProcessAll", "btnExit"}) {
            QTest::mouseClick(dialog.findChild<QAbstractButton*>(pszButton), Qt::LeftButton);
        }
    });
    Frame().OnCommand(ID_EDIT_PASTE);

    // New Deed: Tinkering, the globe found by typing, dull copper, Enter.
    WhenDialogOpens([](QWidget& dialog) {
        EXPECT_EQ("", MnemonicClashes(dialog).toStdString());
        QTest::keyClick(dialog.findChild<QComboBox*>("comboCraft"), Qt::Key_End);
        auto* pItems = dialog.findChild<QListWidget*>("listItems");
        QTest::keyClicks(pItems, "globe");
        QTest::keyClick(dialog.findChild<QComboBox*>("comboMaterial"), Qt::Key_Down);
        QTest::keyClick(pItems, Qt::Key_Return);
    });
    Frame().OnCommand(ID_NEW_DEED);
    const CBodItem& globe = *Frame().GetActiveChildFrame()->GetSelectedBod();

    // Edit Deed changes the selected deed, the new one, in the same dialog; Undo takes it back.
    WhenDialogOpens([](QWidget& dialog) {
        QTest::keyClick(dialog.findChild<QComboBox*>("comboMaterial"), Qt::Key_End);
        QTest::keyClick(dialog.findChild<QComboBox*>("comboAmount"), Qt::Key_Home);
        QTest::keyClick(dialog.findChild<QListWidget*>("listItems"), Qt::Key_Return);
    });
    Frame().OnCommand(ID_EDIT_DEED);
    EXPECT_EQ("valorite 0/10", globe.m_strMaterial + ' ' + globe.m_strCount);
    QStringList seen{Frame().GetCommand(ID_EDIT_UNDO)->text()};
    Frame().OnCommand(ID_EDIT_UNDO);
    seen << Frame().GetCommand(ID_EDIT_REDO)->text();

    // Save writes where the document came from; every change is in the file.
    Frame().OnCommand(ID_FILE_SAVE);
    EXPECT_EQ("Smithy|iron|gorget|0/10|\n"
              "Smithy|iron|chainmail leggings|10/10|from Aldric's pack\n"
              "Smithy|shadow iron|platemail gloves|5/20|from Aldric's pack\n"
              "Tinkering|dull copper|globe|0/20|\n",
              Deeds(BodFile::Read(ReadFileBytes(strPath).toStdString()).bods));

    // Finder's open requests reach the running program as events and take File > Open's road,
    // bringing a minimised window back; the files that open are the first recent files.
    Frame().showMinimized();
    const CSingleInstance instance(QStringLiteral("never-listened"));
    QObject::connect(&instance, &CSingleInstance::OpenRequested,
                     [this](const QStringList& files) { m_pApp->OpenFiles(files); });
    const QString strFound = File("found.bod", 1);
    for (const QString& strFile : {strFound, m_dir.filePath("missing.bod")}) {
        QFileOpenEvent event(strFile);
        QCoreApplication::sendEvent(qApp, &event);
    }
    // Of a list, the files that are not there are told together.
    m_pApp->OpenFiles({m_dir.filePath("gone.bod"), strFound, m_dir.filePath("lost.bod")});
    EXPECT_TRUE(Frame().isVisible() && !Frame().isMinimized());

    QStringList shown;
    QList<QList<QAction*>> menus{Frame().menuBar()->actions()};
    for (QAction* pTitle : Frame().menuBar()->actions()) {
        Q_EMIT pTitle->menu()->aboutToShow();
        menus.append(pTitle->menu()->actions());
    }
    for (const QList<QAction*>& items : menus) {
        for (const QAction* pItem : items) {
            shown.append(pItem->isVisible() ? pItem->text() : QString());
            EXPECT_TRUE(!pItem->isVisible() || pItem->isSeparator() ||
                        !QKeySequence::mnemonic(pItem->text()).isEmpty())
                << pItem->text().toStdString();
        }
    }
    EXPECT_EQ("", MnemonicClashes(Frame()).toStdString());
    // The menu names files as the system does.
    EXPECT_TRUE(shown.contains("&1 " + QDir::toNativeSeparators(strFound)) &&
                shown.contains("&2 " + QDir::toNativeSeparators(strPath)))
        << shown.join(QLatin1Char('|')).toStdString();
    // An exception that escapes is told and ends the program with status 1.
    EXPECT_EQ(std::tuple(1, 1, 1),
              (std::tuple{RunReportingExceptions([]() -> int { throw std::bad_alloc(); }),
                          RunReportingExceptions([]() -> int { throw std::runtime_error("disk"); }),
                          RunReportingExceptions([]() -> int { throw 42; })})); // in this order
    seen << shown.mid(0, int(menus.front().size())).join(' ')
         << QCoreApplication::translate("QPlatformTheme", "&Yes") << m_prompt.m_messages;
    EXPECT_EQ(("&Rückgängig: BOD bearbeiten\n&Wiederholen: BOD bearbeiten\n"
               "&Datei &Bearbeiten &Ansicht &Fenster &Hilfe\n&Ja\n2 BODs wurden importiert.\n" +
               m_dir.filePath("missing.bod") +
               " wurde nicht gefunden.\nDiese Dateien wurden nicht gefunden:\n" +
               m_dir.filePath("gone.bod") + '\n' + m_dir.filePath("lost.bod") +
               "\nQuillmar muss beendet werden: nicht genügend Arbeitsspeicher.\nQuillmar muss "
               "beendet werden: disk.\nQuillmar muss beendet werden: ein unerwarteter Fehler.")
                  .toStdString(),
              seen.join('\n').toStdString());
    m_pApp.reset();
    QLocale::setDefault(previous);
}

} // namespace
