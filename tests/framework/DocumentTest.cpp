#include "framework/Document.h"

#include "framework/View.h"
#include "model/Archive.h"
#include "support/BodToolRunner.h"
#include "support/ScriptedPrompt.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>
#include <string>

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

TEST_F(DocumentTest, FailedSaveReportsAndKeepsThePreviousFile) {
    const QString strReadOnly = Path("readonly.bod");
    const QString strNoFolder = Path("no-such-folder/deeds.bod");
    WriteFileBytes(strReadOnly, "previous");
    const ReadOnlyFile readOnly(strReadOnly);
    for (const auto& [strPath, strMessage] :
         {std::pair{strReadOnly, strReadOnly + " is read-only."},
          std::pair{strNoFolder, strNoFolder + " contains an invalid path."}}) {
        m_prompt.m_messages.clear();
        EXPECT_FALSE(m_doc.OnSaveDocument(strPath)) << strPath.toStdString();
        EXPECT_EQ(QStringList{strMessage}, m_prompt.m_messages);
    }
    EXPECT_EQ(QByteArray("previous"), ReadFileBytes(strReadOnly));
    EXPECT_FALSE(QFileInfo::exists(Path("no-such-folder")));

    // A write that the disk cuts short: the previous file stays.
    const QString strFull = Path("full.bod");
    WriteFileBytes(strFull, "previous");
    m_doc.m_strText = std::string(1000, 'x');
    m_prompt.m_messages.clear();
    {
        const FileSizeLimit limit(64);
        EXPECT_FALSE(m_doc.OnSaveDocument(strFull));
    }
    EXPECT_EQ(QStringList{"Failed to save document."}, m_prompt.m_messages);
    EXPECT_EQ(QByteArray("previous"), ReadFileBytes(strFull));
}

TEST_F(DocumentTest, SaveModifiedAsksAndTheAnswerDecidesWhetherToSaveAndGoOn) {
    const struct {
        QString strName;
        IPrompt::Answer answer;
        bool bGoOn;
        bool bSaved;
    } cases[] = {{"yes.bod", IPrompt::Answer::Yes, true, true},
                 {"no.bod", IPrompt::Answer::No, true, false},
                 {"cancel.bod", IPrompt::Answer::Cancel, false, false}};
    for (const auto& c : cases) {
        TextDoc doc;
        doc.SetPathName(Path(c.strName), false);
        doc.SetModifiedFlag(true);
        m_prompt.m_messages.clear();
        m_prompt.QueueAnswer(c.answer);
        EXPECT_EQ(c.bGoOn, doc.SaveModified()) << c.strName.toStdString();
        EXPECT_EQ(QStringList{"Save changes to " + c.strName + "?"}, m_prompt.m_messages);
        EXPECT_EQ(c.bSaved, QFileInfo::exists(Path(c.strName))) << c.strName.toStdString();
    }
}

TEST_F(DocumentTest, UntitledSaveCancelledKeepsTheChange) {
    m_doc.SetTitle("Quilmr1 *");
    m_doc.SetModifiedFlag(true);
    m_prompt.QueueAnswer(IPrompt::Answer::Yes);
    EXPECT_FALSE(m_doc.SaveModified());
    EXPECT_EQ(QStringList{"Save changes to Quilmr1?"}, m_prompt.m_messages);
    EXPECT_EQ(QStringList{"save"}, m_prompt.m_fileDialogs);
    EXPECT_TRUE(m_doc.IsModified());
}

} // namespace
