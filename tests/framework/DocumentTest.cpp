#include "framework/Document.h"

#include "framework/SafeWrite.h"
#include "framework/View.h"
#include "model/Archive.h"
#include "support/BodToolRunner.h"
#include "support/FailDevice.h"
#include "support/ScriptedPrompt.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <sys/stat.h>

namespace {

// A document whose whole content is one text.
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

class CountingView : public CView {
public:
    void OnUpdate(CView* /*pSender*/, long /*lHint*/, void* /*pHint*/) override { ++m_nUpdates; }
    int m_nUpdates = 0;
};

class DocumentTest : public ::testing::Test {
protected:
    QString Path(const QString& strName) const { return m_dir.filePath(strName); }
    // doc opened from strPath, written with bytes just before.
    static void OpenAt(TextDoc& doc, const QString& strPath, const QByteArray& bytes) {
        WriteFileBytes(strPath, bytes);
        ASSERT_TRUE(doc.OnOpenDocument(strPath));
        doc.SetPathName(strPath, false);
    }

    QTemporaryDir m_dir;
    ScriptedPrompt m_prompt;
    TextDoc m_doc;
};

TEST_F(DocumentTest, UpdateAllViewsSkipsTheSenderAndViewsThatAreGone) {
    CountingView first;
    CountingView sender;
    auto pGone = std::make_unique<CountingView>();
    m_doc.AddView(&first);
    m_doc.AddView(&sender);
    m_doc.AddView(pGone.get());
    pGone.reset();

    m_doc.UpdateAllViews(&sender);
    EXPECT_EQ(1, first.m_nUpdates);
    EXPECT_EQ(0, sender.m_nUpdates);
    EXPECT_EQ(2U, m_doc.GetViews().size());
}

// Ctrl+S, Auto Save and the close prompt all end in DoFileSave: a failure says so, keeps the
// previous file and keeps the change marked.
TEST_F(DocumentTest, FailedSaveReportsAndKeepsThePreviousFileAndTheChange) {
    const struct {
        const char* pszName;
        qint64 nFailAt; // -1: nothing fails while writing
        QString strMessageStart;
    } cases[] = {{"no-such-folder/deeds.bod", -1,
                  Path("no-such-folder/deeds.bod") + " contains an invalid path."},
                 {"full.bod", 1000, "Failed to save document."}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pszName);
        const QString strPath = Path(c.pszName);
        TextDoc doc;
        if (QFileInfo(strPath).absoluteDir().exists()) {
            OpenAt(doc, strPath, QByteArray("\x08previous", 9));
        }
        doc.SetPathName(strPath, false);
        doc.m_strText = std::string(3000, 'x');
        doc.SetModifiedFlag(true);
        SafeWrite::SetDeviceWrapper([&c](QIODevice& file) -> std::unique_ptr<QIODevice> {
            return c.nFailAt < 0 ? nullptr : std::make_unique<FailDevice>(file, c.nFailAt);
        });
        m_prompt.m_messages.clear();
        EXPECT_FALSE(doc.DoFileSave());
        SafeWrite::SetDeviceWrapper(nullptr);
        ASSERT_EQ(1, m_prompt.m_messages.size());
        EXPECT_TRUE(m_prompt.m_messages[0].startsWith(c.strMessageStart));
        EXPECT_TRUE(doc.IsModified());
    }
    EXPECT_EQ(QByteArray("\x08previous", 9), ReadFileBytes(Path("full.bod")));
    EXPECT_FALSE(QFileInfo::exists(Path("no-such-folder")));
}

// Saving would rename a new file over a read-only one; the guard refuses, whoever runs it.
TEST_F(DocumentTest, ReadOnlyFileIsRefusedAndKeptAsItWas) {
    const QString strReadOnly = Path("readonly.bod");
    WriteFileBytes(strReadOnly, "previous");
    const ReadOnlyFile readOnly(strReadOnly);
    EXPECT_FALSE(m_doc.OnSaveDocument(strReadOnly));
    EXPECT_EQ(QStringList{strReadOnly + " is read-only."}, m_prompt.m_messages);
    EXPECT_EQ(QByteArray("previous"), ReadFileBytes(strReadOnly));
}

// Another program (a second Quillmar, bodtool import) wrote the file after it was opened.
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
        const QString strPath = Path(QString(c.pszCase) + ".bod");
        TextDoc doc;
        OpenAt(doc, strPath, "\5first");
        WriteFileBytes(strPath, "\x06theirs");
        doc.m_strText = "mine";
        doc.SetModifiedFlag(true);
        m_prompt.m_messages.clear();
        m_prompt.QueueAnswer(c.answer);
        m_prompt.QueueFileName(Path("elsewhere.bod"));
        EXPECT_EQ(c.bSaved, doc.DoFileSave());
        ASSERT_EQ(1, m_prompt.m_messages.size());
        EXPECT_TRUE(m_prompt.m_messages[0].contains("changed by another program"));
        EXPECT_EQ(c.fileAfter, ReadFileBytes(strPath));
        EXPECT_EQ(!c.bSaved, doc.IsModified());
    }
    EXPECT_EQ(QByteArray("\x04mine"), ReadFileBytes(Path("elsewhere.bod")));
}

TEST_F(DocumentTest, AFileChangedOnDiskIsOfferedForReloadWhenNothingIsUnsaved) {
    const QString strPath = Path("watched.bod");
    OpenAt(m_doc, strPath, "\5first");
    m_prompt.QueueAnswer(IPrompt::Answer::Yes);
    WriteFileBytes(strPath, "\x06second");
    EXPECT_TRUE(QTest::qWaitFor([this] { return m_doc.m_strText == "second"; }, 60000));
    EXPECT_EQ(QStringList{"watched.bod was changed by another program. Reload it?"},
              m_prompt.m_messages);
}

// Closing a window asks this; No and Cancel are answered through the window's close.
TEST_F(DocumentTest, SaveModifiedGoesOnOnlyOnceTheChangeIsSaved) {
    TextDoc titled;
    titled.SetPathName(Path("yes.bod"), false);
    titled.SetModifiedFlag(true);
    m_prompt.QueueAnswer(IPrompt::Answer::Yes);
    EXPECT_TRUE(titled.SaveModified());
    EXPECT_TRUE(QFileInfo::exists(Path("yes.bod")));

    m_doc.SetTitle("Quilmr1 *");
    m_doc.SetModifiedFlag(true);
    m_prompt.QueueAnswer(IPrompt::Answer::Yes);
    EXPECT_FALSE(m_doc.SaveModified());
    EXPECT_EQ(QStringList({"Save changes to yes.bod?", "Save changes to Quilmr1?"}),
              m_prompt.m_messages);
    EXPECT_EQ(QStringList{"save"}, m_prompt.m_fileDialogs);
    EXPECT_TRUE(m_doc.IsModified());
}

} // namespace
