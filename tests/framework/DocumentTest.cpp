#include "framework/Document.h"

#include "framework/DocManager.h"
#include "framework/SafeWrite.h"
#include "model/Archive.h"
#include "support/BodToolRunner.h"
#include "support/FailDevice.h"
#include "support/Platform.h"
#include "support/ScriptedPrompt.h"

#include <QDir>
#include <QPointer>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <optional>

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
    EXPECT_EQ(messages, m_prompt.m_messages);
    EXPECT_EQ(std::pair(std::size_t{5}, 5),
              std::pair(m_pManager->GetDocuments().size(), m_nFrames));
    m_pManager->AddToRecentFileList(paths[2]);
    EXPECT_EQ(QStringList({paths[2], paths[4], paths[3]}), m_pManager->GetRecentFiles());
}

// Every save ends in DoFileSave: a failure says so, keeps the previous file (no temporary one) and
// the change marked. A read-only file, even for root, is offered a new name. A name too long for a
// temporary suffix is rewritten in place, and put back when that fails.
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
                 {strLong, false, 100, "the file still holds its previous content"}};
    for (const auto& c : cases) {
        const QString strPath = m_dir.filePath(c.strName);
        WriteFileBytes(strPath, previous);
        TextDoc doc;
        doc.SetPathName(strPath, false);
        doc.m_strText = std::string(3000, 'x');
        doc.SetModifiedFlag(true);
        std::optional<ReadOnlyFile> readOnly;
        if (c.bReadOnly) {
            readOnly.emplace(strPath);
            m_prompt.QueueFileName(strPath);
        }
        SafeWrite::SetDeviceWrapper([&c](QIODevice& file) -> std::unique_ptr<QIODevice> {
            return c.nFailAt < 0 ? nullptr : std::make_unique<FailDevice>(file, c.nFailAt);
        });
        m_prompt.m_messages.clear();
        EXPECT_FALSE(doc.DoFileSave());
        EXPECT_TRUE(m_prompt.m_messages.size() == 1 &&
                    m_prompt.m_messages[0].contains(c.strMessage))
            << m_prompt.m_messages.join('|').toStdString();
        EXPECT_EQ(std::pair(true, previous), std::pair(doc.IsModified(), ReadFileBytes(strPath)));
    }
    EXPECT_EQ(QStringList{"save"}, m_prompt.m_fileDialogs);
    EXPECT_EQ(QStringList({strLong, "full.bod", "readonly.bod"}),
              QDir(m_dir.path()).entryList(QDir::Files));
    SafeWrite::SetDeviceWrapper(nullptr);
    EXPECT_EQ(QString(), SafeWrite::WriteFile(m_dir.filePath(strLong), "new"));
    EXPECT_EQ(QByteArray("new"), ReadFileBytes(m_dir.filePath(strLong)));
}

// Another program (a second Quillmar, bodtool import) wrote the file after it was opened. The
// close prompt's Yes saves, and goes on only once the change is saved.
TEST_F(DocumentTest, SavingOverAFileChangedOnDiskAsksFirst) {
    const struct {
        const char* pszCase;
        IPrompt::Answer answer;
        bool bSaved;
        QByteArray fileAfter;
    } cases[] = {{"overwrite", IPrompt::Answer::Yes, true, "\x04mine"},
                 {"other name", IPrompt::Answer::No, true, "\x06theirs"},
                 {"cancel", IPrompt::Answer::Cancel, false, "\x06theirs"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pszCase);
        const QString strPath = m_dir.filePath(QString(c.pszCase) + ".bod");
        WriteFileBytes(strPath, "\5first");
        auto& doc = static_cast<TextDoc&>(*m_pManager->OpenDocumentFile(strPath));
        doc.m_strText = "mine";
        doc.SetModifiedFlag(true);
        WriteFileBytes(strPath, "\x06theirs");
        m_prompt.m_messages.clear();
        m_prompt.QueueAnswer(IPrompt::Answer::Yes);
        m_prompt.QueueAnswer(c.answer);
        m_prompt.QueueFileName(m_dir.filePath("elsewhere.bod"));
        EXPECT_EQ(c.bSaved, doc.SaveModified());
        EXPECT_TRUE(m_prompt.m_messages.join('|').startsWith(
            QString("Save changes to %1.bod?|%1.bod was changed by another program")
                .arg(c.pszCase)));
        EXPECT_EQ(c.fileAfter, ReadFileBytes(strPath));
        EXPECT_EQ(!c.bSaved, doc.IsModified());
    }
    EXPECT_EQ(QByteArray("\x04mine"), ReadFileBytes(m_dir.filePath("elsewhere.bod")));
}

} // namespace
