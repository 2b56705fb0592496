#include "framework/Document.h"

#include "framework/View.h"
#include "model/Archive.h"
#include "support/ScriptedPrompt.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

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

QByteArray ReadAll(const QString& strPath) {
    QFile file(strPath);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void WriteAll(const QString& strPath, const QByteArray& bytes) {
    QFile file(strPath);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

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
    WriteAll(strReadOnly, "previous");
    QFile::setPermissions(strReadOnly, QFileDevice::ReadOwner);
    const struct {
        QString strPath;
        QString strMessage;
    } cases[] = {
        {strReadOnly, strReadOnly + " is read-only."},
        {Path("no-such-folder/deeds.bod"),
         Path("no-such-folder/deeds.bod") + " contains an invalid path."},
    };
    for (const auto& c : cases) {
        if (c.strPath == strReadOnly && QFileInfo(strReadOnly).isWritable()) {
            continue; // Running as root: permission bits do not stop a write.
        }
        m_prompt.m_messages.clear();
        EXPECT_FALSE(m_doc.OnSaveDocument(c.strPath)) << c.strPath.toStdString();
        EXPECT_EQ(QStringList{c.strMessage}, m_prompt.m_messages);
    }
    EXPECT_EQ(QByteArray("previous"), ReadAll(strReadOnly));
    EXPECT_FALSE(QFileInfo::exists(Path("no-such-folder")));
}

struct SaveModifiedCase {
    IPrompt::Answer answer;
    bool bResult;
    bool bSaved;
};

class SaveModifiedTest : public DocumentTest,
                         public ::testing::WithParamInterface<SaveModifiedCase> {};

TEST_P(SaveModifiedTest, AnswerDecidesWhetherToSaveAndGoOn) {
    m_doc.SetPathName(Path("deeds.bod"), false);
    m_doc.SetModifiedFlag(true);
    m_prompt.QueueAnswer(GetParam().answer);

    EXPECT_EQ(GetParam().bResult, m_doc.SaveModified());
    EXPECT_EQ(QStringList{"Save changes to deeds.bod?"}, m_prompt.m_messages);
    EXPECT_EQ(GetParam().bSaved, QFileInfo::exists(Path("deeds.bod")));
}

INSTANTIATE_TEST_SUITE_P(Answers, SaveModifiedTest,
                         ::testing::Values(SaveModifiedCase{IPrompt::Answer::Yes, true, true},
                                           SaveModifiedCase{IPrompt::Answer::No, true, false},
                                           SaveModifiedCase{IPrompt::Answer::Cancel, false,
                                                            false}));

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
