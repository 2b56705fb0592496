#include "document/QuillmarDoc.h"
#include "frames/ChildFrame.h"
#include "frames/QuillmarAppFixture.h"
#include "model/BodFile.h"
#include "support/BodToolRunner.h"
#include "views/LeftView.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>

namespace {

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

class ImportRoadTest : public QuillmarAppFixture {};

// A player's import, a deed added and edited by hand, undo and save, all by the keys.
TEST_F(ImportRoadTest, ImportAddEditUndoAndSaveByKeys) {
    // The dialogs have no parent window; the offscreen platform, unlike a desktop, does not hand
    // the activation back to the main window when one closes, and shortcuts need it.
    const auto activated = [this] {
        Frame().activateWindow();
        return QTest::qWaitForWindowActive(&Frame());
    };
    ASSERT_TRUE(Start());
    ASSERT_TRUE(activated());
    CQuillmarDoc& doc = *Frame().GetActiveDocument();

    // Ctrl+I; paste the clipboard, give a note, process everything, leave with Exit/Save.
    QApplication::clipboard()->setText("UOAssist Bulk Order Deed list\r\nsmall bulk order: 20 "
                                       "exceptional platemail gloves: 5, with shadow iron ingots "
                                       "300\r\n");
    WhenDialogOpens([](QWidget& dialog) {
        const auto press = [&dialog](const char* pszButton) {
            QTest::mouseClick(dialog.findChild<QAbstractButton*>(pszButton), Qt::LeftButton);
        };
        press("btnPaste");
        dialog.findChild<QPlainTextEdit*>("editNote")->setPlainText("from Aldric's pack");
        press("btnProcessAll");
        press("btnExit");
    });
    QTest::keyClick(&Frame(), Qt::Key_I, Qt::ControlModifier);
    EXPECT_EQ(QStringList({"1 BOD was imported."}), m_prompt.m_messages);
    ASSERT_TRUE(activated());

    // Insert in the tree: Tinkering, the globe found by typing, dull copper, Enter.
    WhenDialogOpens([](QWidget& dialog) {
        QTest::keyClick(dialog.findChild<QComboBox*>("comboCraft"), Qt::Key_End);
        auto* pItems = dialog.findChild<QListWidget*>("listItems");
        QTest::keyClicks(pItems, "globe");
        QTest::keyClick(dialog.findChild<QComboBox*>("comboMaterial"), Qt::Key_Down);
        QTest::keyClick(pItems, Qt::Key_Return);
    });
    QTest::keyClick(Frame().GetActiveChildFrame()->GetLeftView(), Qt::Key_Insert);
    ASSERT_EQ(2U, doc.m_arrBods.size());
    const CBodItem* pGlobe = doc.m_arrBods.back().get();
    ASSERT_TRUE(activated());

    // Ctrl+E edits the selected deed, the new one, in the same dialog; Ctrl+Z takes the edit back.
    WhenDialogOpens([](QWidget& dialog) {
        QTest::keyClick(dialog.findChild<QComboBox*>("comboMaterial"), Qt::Key_End);
        QTest::keyClick(dialog.findChild<QComboBox*>("comboAmount"), Qt::Key_Home);
        QTest::keyClick(dialog.findChild<QListWidget*>("listItems"), Qt::Key_Return);
    });
    QTest::keyClick(&Frame(), Qt::Key_E, Qt::ControlModifier);
    EXPECT_EQ("valorite 0/10", pGlobe->m_strMaterial + ' ' + pGlobe->m_strCount);
    ASSERT_TRUE(activated());
    QTest::keyClick(&Frame(), Qt::Key_Z, Qt::ControlModifier);

    // Ctrl+S asks where, as the document was never saved; every change is in the file.
    const QTemporaryDir dir;
    m_prompt.QueueFileName(dir.filePath("aldric.bod"));
    QTest::keyClick(&Frame(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(QString("aldric.bod"), Frame().GetActiveChildFrame()->windowTitle());
    EXPECT_EQ("Smithy|shadow iron|platemail gloves|5/20|from Aldric's pack\n"
              "Tinkering|dull copper|globe|0/20|\n",
              Deeds(BodFile::Read(ReadFileBytes(dir.filePath("aldric.bod")).toStdString()).bods));
}

} // namespace
