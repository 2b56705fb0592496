#include "framework/DocManager.h"

#include "framework/Document.h"
#include "model/Archive.h"
#include "support/BodToolRunner.h"
#include "support/ScriptedPrompt.h"

#include <QCoreApplication>
#include <QPointer>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

// Fails on a file with fewer than four bytes.
class EmptyDoc : public CDocument {
public:
    void Serialize(CArchive& ar) override {
        if (ar.IsLoading()) {
            ar.ReadInt32();
        }
    }
};

class DocManagerTest : public ::testing::Test {
protected:
    DocManagerTest() {
        QSettings("Larkfield", "Quillmar").clear();
        CDocTemplate docTemplate;
        docTemplate.createDocument = [] {
            return std::make_unique<EmptyDoc>();
        };
        docTemplate.createFrame = [this](CDocument*) {
            ++m_nFrames;
            return m_bFrameWorks;
        };
        m_pManager = std::make_unique<CDocManager>(std::move(docTemplate));
        m_pManager->LoadStdProfileSettings(4);
    }

    QString File(const QString& strName, const QByteArray& bytes = {}) const {
        WriteFileBytes(m_dir.filePath(strName), bytes);
        return m_dir.filePath(strName);
    }

    QTemporaryDir m_dir;
    ScriptedPrompt m_prompt;
    int m_nFrames = 0;
    bool m_bFrameWorks = true;
    std::unique_ptr<CDocManager> m_pManager;
};

TEST_F(DocManagerTest, NewDocumentsAreNumberedAndNeedAWindow) {
    EXPECT_EQ(QString("Quilmr1"), m_pManager->OnFileNew()->GetTitle());
    EXPECT_EQ(QString("Quilmr2"), m_pManager->OnFileNew()->GetTitle());
    m_bFrameWorks = false;
    EXPECT_EQ(nullptr, m_pManager->OnFileNew());
    EXPECT_EQ(2U, m_pManager->GetDocuments().size());
}

// A device or a pipe with no writer would be read forever or never: neither is a document.
TEST_F(DocManagerTest, FailedOpenIsReportedAndLeavesNoDocumentOrWindow) {
    const QString strMissing = m_dir.filePath("missing.bod");
    const QString strFifo = m_dir.filePath("fifo.bod");
    ASSERT_EQ(0, mkfifo(QFile::encodeName(strFifo).constData(), 0600));
    m_pManager->AddToRecentFileList(strMissing);
    EXPECT_EQ(nullptr, m_pManager->OpenDocumentFile(File("truncated.bod", QByteArray(3, '\0'))));
    EXPECT_EQ(nullptr, m_pManager->OpenDocumentFile(strMissing));
    EXPECT_EQ(nullptr, m_pManager->OpenDocumentFile(strFifo));
    EXPECT_EQ(QStringList({"Unexpected file format.", strMissing + " was not found.",
                           strFifo + " is not a document file."}),
              m_prompt.m_messages);
    EXPECT_TRUE(m_pManager->GetDocuments().empty());
    EXPECT_EQ(0, m_nFrames);
    EXPECT_TRUE(m_pManager->GetRecentFiles().isEmpty());
}

TEST_F(DocManagerTest, EmptyFileOpensAsAnEmptyDocument) {
    // EmptyDoc would fail on reading nothing: the file must not be read at all.
    CDocument* pDoc = m_pManager->OpenDocumentFile(File("empty.bod"));
    ASSERT_NE(nullptr, pDoc);
    EXPECT_EQ(QString("empty.bod"), pDoc->GetTitle());
    EXPECT_FALSE(pDoc->IsModified());
}

TEST_F(DocManagerTest, OpeningAnOpenFileActivatesIt) {
    CDocument* pDoc = m_pManager->OpenDocumentFile(File("deeds.bod"));
    ASSERT_NE(nullptr, pDoc);
    QSignalSpy activated(pDoc, &CDocument::ActivateRequested);
    m_prompt.QueueFileName(m_dir.path() + "/./deeds.bod");
    EXPECT_EQ(pDoc, m_pManager->OnFileOpen());
    EXPECT_EQ(1, activated.count());
    EXPECT_EQ(1U, m_pManager->GetDocuments().size());
}

TEST_F(DocManagerTest, RecentFilesKeepTheFourNewestFirstAcrossRuns) {
    QStringList paths;
    for (const char* name : {"a.bod", "b.bod", "c.bod", "d.bod", "e.bod"}) {
        paths << File(name);
        m_pManager->OpenDocumentFile(paths.last());
    }
    m_pManager->AddToRecentFileList(paths[2]);
    const QStringList expected{paths[2], paths[4], paths[3], paths[1]};
    EXPECT_EQ(expected, m_pManager->GetRecentFiles());

    CDocManager nextRun(CDocTemplate{});
    nextRun.LoadStdProfileSettings(4);
    EXPECT_EQ(expected, nextRun.GetRecentFiles());
}

TEST_F(DocManagerTest, ClosedDocumentIsDeletedOnceControlIsBack) {
    QPointer<CDocument> pDoc = m_pManager->OnFileNew();
    QSignalSpy closing(pDoc.data(), &CDocument::Closing);
    m_pManager->CloseAllDocuments();
    EXPECT_EQ(1, closing.count());
    EXPECT_TRUE(m_pManager->GetDocuments().empty());
    ASSERT_FALSE(pDoc.isNull());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(pDoc.isNull());
}

} // namespace
