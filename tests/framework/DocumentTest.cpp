#include "framework/Document.h"

#include "framework/DocManager.h"
#include "framework/RecoveryCopy.h"
#include "framework/SafeWrite.h"
#include "model/Archive.h"
#include "support/BodToolRunner.h"
#include "support/FailDevice.h"
#include "support/Platform.h"
#include "support/ScriptedPrompt.h"
#include "widgets/QtPrompt.h"

#include <QApplication>
#include <QDir>
#include <QLockFile>
#include <QPointer>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>
#include <optional>
#include <utility>
#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

namespace {

// A document whose whole content is one text: an empty file holds no such text.
class TextDoc : public CDocument {
public:
    void Serialize(CArchive& ar) override {
        if (ar.IsStoring()) {
            ar.WriteText(m_strText);
        } else {
            m_strText = ar.ReadText();
        }
    }
    std::string m_strText;
};

class DocumentTest : public ::testing::Test {
protected:
    DocumentTest() {
        QSettings().clear();
        CDocTemplate docTemplate;
        docTemplate.createDocument = [] {
            return std::make_unique<TextDoc>();
        };
        docTemplate.createFrame = [this](CDocument*) {
            ++m_nFrames;
            return m_bFrameWorks;
        };
        m_pManager = std::make_unique<CDocManager>(std::move(docTemplate));
        m_pManager->LoadStdProfileSettings(4);
    }

    QTemporaryDir m_dir;
    ScriptedPrompt m_prompt;
    int m_nFrames = 0;
    bool m_bFrameWorks = true;
    std::unique_ptr<CDocManager> m_pManager;
};

// A closed document is deleted only once the close has left the stack.
TEST_F(DocumentTest, NewDocumentsAreNumberedNeedAWindowAndGoOnceControlIsBack) {
    EXPECT_EQ(QString("Quilmr1"), m_pManager->OnFileNew()->GetTitle());
    const QPointer<CDocument> pDoc = m_pManager->OnFileNew();
    EXPECT_EQ(QString("Quilmr2"), pDoc->GetTitle());
    m_bFrameWorks = false;
    EXPECT_EQ(nullptr, m_pManager->OnFileNew());
    EXPECT_EQ(2U, m_pManager->GetDocuments().size());
    QSignalSpy closing(pDoc.data(), &CDocument::Closing);
    m_pManager->CloseAllDocuments();
    EXPECT_EQ(1, closing.count());
    EXPECT_TRUE(m_pManager->GetDocuments().empty());
    ASSERT_FALSE(pDoc.isNull());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(pDoc.isNull());
}

// An empty file opens unread. A device or a pipe with no writer would be read forever or never:
// not a document. A recent file that fails to open leaves the list.
TEST_F(DocumentTest, OpenReportsFailuresActivatesWhatIsOpenAndKeepsTheFourNewestRecentFiles) {
    QStringList paths;
    for (const char* name : {"a.bod", "b.bod", "c.bod", "d.bod", "e.bod"}) {
        paths << m_dir.filePath(name);
        WriteFileBytes(paths.last(), {});
        ASSERT_NE(nullptr, m_pManager->OpenDocumentFile(paths.last())) << name;
    }
    CDocument* pDoc = m_pManager->GetDocuments()[2].get();
    EXPECT_EQ(QString("c.bod"), pDoc->GetTitle());
    EXPECT_FALSE(pDoc->IsModified());
    QSignalSpy activated(pDoc, &CDocument::ActivateRequested);
    m_prompt.QueueFileName(m_dir.path() + "/./c.bod");
    EXPECT_EQ(pDoc, m_pManager->OnFileOpen());
    EXPECT_EQ(1, activated.count());

    const QString strMissing = m_dir.filePath("missing.bod");
    const TestPlatform::NamedPipe pipe;
    m_pManager->AddToRecentFileList(strMissing);
    EXPECT_EQ(QStringList({strMissing, paths[4], paths[3], paths[2]}),
              m_pManager->GetRecentFiles());
    EXPECT_EQ(nullptr, m_pManager->OpenDocumentFile(strMissing));
    EXPECT_EQ(nullptr, m_pManager->OpenDocumentFile(pipe.Path()));
    QStringList messages{strMissing + " was not found.", pipe.Path() + " is not a document file."};
#ifndef Q_OS_WIN // no file there that even an administrator may not read
    // Write-only, and not even root may read it.
    const QString strDenied = "/proc/sys/vm/drop_caches";
    EXPECT_EQ(nullptr, m_pManager->OpenDocumentFile(strDenied));
    messages << "Access to " + strDenied + " was denied.";
#endif
    EXPECT_EQ(messages, m_prompt.m_messages)
        << m_prompt.m_messages.join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(std::pair(std::size_t{5}, 5),
              std::pair(m_pManager->GetDocuments().size(), m_nFrames));
    m_pManager->AddToRecentFileList(paths[2]);
    EXPECT_EQ(QStringList({paths[2], paths[4], paths[3]}), m_pManager->GetRecentFiles());
}

// Every save ends in DoFileSave: a failure says so, keeps the previous file (no temporary one) and
// the change marked. A read-only file, even for root, is offered a new name. A name too long for a
// temporary suffix is rewritten in place, and put back when that fails. Whatever is written first
// (the new file, or the recovery copy of a file rewritten in place) is private until it is whole.
// Another program's save of the file is waited for, a few seconds.
TEST_F(DocumentTest, FailedSaveReportsAndKeepsThePreviousFileAndTheChange) {
    const QByteArray previous("\x08previous", 9);
    const QString strLong(250, 'd');
    const struct {
        QString strName;
        bool bReadOnly;
        qint64 nFailAt; // -1: nothing fails while writing
        QString strMessage;
    } cases[] = {{"readonly.bod", true, -1, m_dir.filePath("readonly.bod") + " is read-only."},
                 {"full.bod", false, 0, "Failed to save document.\n" + m_dir.filePath("full.bod")},
                 {"full.bod", false, 3002, "the file over a size limit?)"},
                 {strLong, false, 100, "the file still holds its previous content"},
                 {"twice.bod", false, 100, "the file has more than one name"},
                 {"locked.bod", false, -1, "another program is saving it"}};
    for (const auto& c : cases) {
        const QString strPath = m_dir.filePath(c.strName);
        WriteFileBytes(strPath, previous);
        TextDoc doc;
        doc.SetPathName(strPath, false);
        doc.m_strText = std::string(3000, 'x');
        doc.SetModifiedFlag(true);
        if (c.strName == "twice.bod") { // a second name: the file is rewritten in place
            std::filesystem::create_hard_link(NativeFile::FromQt(strPath),
                                              NativeFile::FromQt(strPath + ".name"));
        }
        std::optional<ReadOnlyFile> readOnly;
        if (c.bReadOnly) {
            readOnly.emplace(strPath);
            m_prompt.QueueFileName(strPath);
        }
        QLockFile saving(strPath + ".lock");
        ASSERT_TRUE(c.strName != "locked.bod" || saving.tryLock(0));
        [[maybe_unused]] unsigned firstMode = 0; // the mode is POSIX's
        SafeWrite::SetDeviceWrapper([&](QIODevice& file) -> std::unique_ptr<QIODevice> {
#ifdef Q_OS_UNIX
            struct stat status {};
            fstat(static_cast<QFile&>(file).handle(), &status);
            firstMode = firstMode != 0 ? firstMode : status.st_mode & 0777;
#endif
            return c.nFailAt < 0 ? nullptr : std::make_unique<FailDevice>(file, c.nFailAt);
        });
        m_prompt.m_messages.clear();
        EXPECT_FALSE(doc.DoFileSave());
        EXPECT_TRUE(m_prompt.m_messages.size() == 1 &&
                    m_prompt.m_messages[0].contains(c.strMessage))
            << m_prompt.m_messages.join('|').toStdString();
#ifdef Q_OS_UNIX
        EXPECT_EQ(c.nFailAt < 0 ? 0U : 0600U, firstMode);
#endif
        EXPECT_EQ(std::pair(true, previous), std::pair(doc.IsModified(), ReadFileBytes(strPath)));
    }
    EXPECT_EQ(QStringList{"Save As"}, m_prompt.m_fileDialogs);
    EXPECT_EQ(QStringList({strLong, "full.bod", "locked.bod", "readonly.bod", "twice.bod",
                           "twice.bod.name"}),
              QDir(m_dir.path()).entryList(QDir::Files));
    SafeWrite::SetDeviceWrapper(nullptr);
    EXPECT_EQ(QString(), SafeWrite::WriteFile(m_dir.filePath(strLong), "new"));
    EXPECT_EQ(QByteArray("new"), ReadFileBytes(m_dir.filePath(strLong)));
}

// Another program (a second Quillmar, bodtool import) wrote the file after it was opened, or
// while the save wrote the new file. The close prompt's Yes saves, and goes on only once the
// change is saved. Enter loses nothing.
TEST_F(DocumentTest, SavingOverAFileChangedOnDiskAsksFirst) {
    const struct {
        const char* pszCase;
        std::optional<IPrompt::Answer> answer; // none: Enter
        bool bSaved;
        QByteArray fileAfter;
    } cases[] = {{"overwrite", IPrompt::Answer::Yes, true, "\x04mine"},
                 {"other name", IPrompt::Answer::No, true, "\x06theirs"},
                 {"cancel while saving", IPrompt::Answer::Cancel, false, "\x06theirs"},
                 {"overwrite while saving", IPrompt::Answer::Yes, true, "\x04mine"},
                 {"enter", std::nullopt, true, "\x06theirs"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pszCase);
        const QString strPath = m_dir.filePath(QString(c.pszCase) + ".bod");
        WriteFileBytes(strPath, "\5first");
        auto& doc = static_cast<TextDoc&>(*m_pManager->OpenDocumentFile(strPath));
        doc.m_strText = "mine";
        doc.SetModifiedFlag(true);
        bool bWhileSaving = QString(c.pszCase).endsWith("while saving");
        if (!bWhileSaving) {
            WriteFileBytes(strPath, "\x06theirs");
        }
        SafeWrite::SetDeviceWrapper([&](QIODevice&) -> std::unique_ptr<QIODevice> {
            if (std::exchange(bWhileSaving, false)) {
                WriteFileBytes(strPath, "\x06theirs");
            }
            return nullptr;
        });
        m_prompt.m_messages.clear();
        m_prompt.QueueAnswer(IPrompt::Answer::Yes);
        c.answer ? m_prompt.QueueAnswer(*c.answer) : m_prompt.QueueEnter();
        m_prompt.QueueFileName(m_dir.filePath("elsewhere.bod"));
        EXPECT_EQ(c.bSaved, doc.SaveModified());
        EXPECT_TRUE(m_prompt.m_messages.join('|').startsWith(
            QString("Save changes to %1.bod?|%1.bod was changed by another program")
                .arg(c.pszCase)));
        EXPECT_EQ(c.fileAfter, ReadFileBytes(strPath));
        EXPECT_EQ(!c.bSaved, doc.IsModified());
    }
    SafeWrite::SetDeviceWrapper(nullptr);
    EXPECT_EQ(QByteArray("\x04mine"), ReadFileBytes(m_dir.filePath("elsewhere.bod")));
}

void PressEnterInTheNextBox() {
    QTimer::singleShot(0, [] {
        if (QWidget* pBox = QApplication::activeModalWidget()) {
            QTest::keyClick(pBox, Qt::Key_Return);
        } else {
            PressEnterInTheNextBox();
        }
    });
}

// Enter in a real message box presses the button the question names, else the first one.
TEST(QtPromptTest, EnterPressesTheDefaultButton) {
    using enum IPrompt::Answer;
    CQtPrompt prompt;
    for (const IPrompt::Answer answer : {Ok, Yes, No, Cancel}) {
        PressEnterInTheNextBox();
        EXPECT_EQ(answer, prompt.MessageBox(nullptr, "?", IPrompt::Icon::Question,
                                            answer == Ok ? IPrompt::Buttons::Ok
                                                         : IPrompt::Buttons::YesNoCancel,
                                            answer));
    }
    PressEnterInTheNextBox();
    EXPECT_EQ(Yes,
              prompt.MessageBox(nullptr, "?", IPrompt::Icon::Question, IPrompt::Buttons::YesNo));
}

// A save that did not finish kept a copy of what the file held; the file that no longer reads
// (here one cut short) offers it, and it opens as unsaved changes that Save writes to the file.
TEST_F(DocumentTest, AFileThatDoesNotReadOffersTheCopyThatAStoppedSaveKept) {
    const QString strPath = m_dir.filePath("cut.bod");
    WriteFileBytes(strPath, "\x09whol");
    WriteFileBytes(NativeFile::ToDisplay(RecoveryCopy::PathFor(NativeFile::FromQt(strPath))),
                   "\x05whole");
    EXPECT_EQ(nullptr, m_pManager->OpenDocumentFile(strPath)); // No: nothing opens
    m_prompt.QueueAnswer(IPrompt::Answer::Yes);
    auto* pDoc = static_cast<TextDoc*>(m_pManager->OpenDocumentFile(strPath));
    ASSERT_NE(nullptr, pDoc);
    EXPECT_TRUE(m_prompt.m_messages.value(0).startsWith("Unexpected file format.\n\nA save of " +
                                                        strPath + " did not finish"));
    EXPECT_EQ(std::tuple("whole", true, QString("cut.bod *")),
              std::tuple(pDoc->m_strText, pDoc->IsModified(), pDoc->GetTitle()));
    EXPECT_TRUE(pDoc->DoFileSave());
    EXPECT_EQ(QByteArray("\x05whole"), ReadFileBytes(strPath));
}

} // namespace
