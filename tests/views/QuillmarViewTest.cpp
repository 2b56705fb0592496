#include "views/QuillmarView.h"

#include "document/QuillmarDoc.h"
#include "support/ScriptedPrompt.h"
#include "support/TestDeeds.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTextCursor>
#include <QToolButton>
#include <clocale>
#include <ctime>
#include <gtest/gtest.h>
#include <string>

namespace {

// The date line follows the process's time zone and C time locale; pins both for one test.
class PinnedTimeZoneAndLocale {
public:
    explicit PinnedTimeZoneAndLocale(const char* pszZone)
        : m_oldZone(qgetenv("TZ")), m_bHadZone(qEnvironmentVariableIsSet("TZ")),
          m_strOldLocale(std::setlocale(LC_TIME, nullptr)) {
        qputenv("TZ", pszZone);
        tzset();
        std::setlocale(LC_TIME, "C");
    }
    ~PinnedTimeZoneAndLocale() {
        m_bHadZone ? qputenv("TZ", m_oldZone) : qunsetenv("TZ");
        tzset();
        std::setlocale(LC_TIME, m_strOldLocale.c_str());
    }

private:
    QByteArray m_oldZone;
    bool m_bHadZone;
    std::string m_strOldLocale;
};

// Another view of the same document, standing in for the tree: it records what reached it.
class RecordingView : public CView {
public:
    void OnUpdate(CView* pSender, long /*lHint*/, void* /*pHint*/) override {
        ++m_nUpdates;
        m_pLastSender = pSender;
        m_bRelabelOnly = static_cast<CQuillmarDoc*>(GetDocument())->m_bUpdateSelectedOnly;
    }
    int m_nUpdates = 0;
    CView* m_pLastSender = nullptr;
    bool m_bRelabelOnly = false;
};

class QuillmarViewTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_doc.AddView(&m_tree);
        m_doc.AddView(&m_view);
        m_view.OnInitialUpdate();
        m_view.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&m_view));
    }

    CBodItem* AddSmall(const char* pszCount, const char* pszAmount = "20") {
        m_doc.AddBodItem(TestDeeds::MakeDeed({"Smithy", "Platemail", "iron", pszAmount,
                                              "Exceptional", "platemail gloves", pszCount}));
        m_doc.m_arrBods.back()->m_strPrice = "1500";
        return m_doc.m_arrBods.back().get();
    }
    // A ringmail large deed: four parts, none built yet.
    CBodItem* AddLarge(const char* pszItem, const char* pszCount) {
        m_doc.AddBodItem(
            TestDeeds::MakeDeed({"Smithy", "Ringmail", "iron", "15", "Normal", pszItem, pszCount}));
        return m_doc.m_arrBods.back().get();
    }

    // What the tree does when its selection changes.
    void Select(CBodItem* pBod) {
        m_doc.m_pSelectedBod = pBod;
        m_doc.UpdateAllViews(&m_tree);
    }

    template <typename T> T* Find(const char* szName) const {
        T* pWidget = m_view.findChild<T*>(QString::fromLatin1(szName));
        EXPECT_NE(pWidget, nullptr) << szName;
        return pWidget;
    }
    QString Caption() const { return m_view.findChild<QGroupBox*>()->title(); }
    QLineEdit* Price() const { return Find<QLineEdit>("editPrice"); }
    QPlainTextEdit* Notes() const { return Find<QPlainTextEdit>("editNotes"); }
    QString CountLine() const { return Find<QLabel>("staticCount")->text(); }
    QLineEdit* Adjust() const { return Find<QLineEdit>("editAdjust"); }
    QPushButton* Apply() const { return Find<QPushButton>("btnApply"); }
    QPushButton* Cancel() const { return Find<QPushButton>("btnCancel"); }
    QCheckBox* Part(int nIndex) const {
        return Find<QCheckBox>(("checkPart" + std::to_string(nIndex + 1)).c_str());
    }
    // On the tick mark: a click beyond the caption does not reach the box.
    void ClickPart(int nIndex) const {
        QCheckBox* pBox = Part(nIndex);
        QTest::mouseClick(pBox, Qt::LeftButton, {}, QPoint(6, pBox->height() / 2));
    }
    bool ApplyAndCancelEnabled() const {
        EXPECT_EQ(Apply()->isEnabled(), Cancel()->isEnabled());
        return Apply()->isEnabled();
    }
    void TypeIntoAdjust(const QString& strText) {
        Adjust()->selectAll();
        QTest::keyClicks(Adjust(), strText);
    }

    ScriptedPrompt m_prompt;
    CQuillmarDoc m_doc;
    RecordingView m_tree;
    CQuillmarView m_view;
};

// Each mode shows what its deed has and hides the rest; no deed clears what the last one showed.
TEST_F(QuillmarViewTest, ModesShowTheSelectedDeed) {
    const PinnedTimeZoneAndLocale pinned("JST-9");
    CBodItem* pSmall = AddSmall("7/20");
    pSmall->m_timeAdded = 1'000'000'000;
    Select(pSmall);
    EXPECT_EQ(1, m_view.GetMode());
    EXPECT_EQ("SBOD/platemail gloves/iron/20/Exceptional", Caption());
    EXPECT_EQ("7/20", CountLine());
    EXPECT_TRUE(Adjust()->isVisible());
    EXPECT_EQ("Sun 09/09/01 10:46:40", Find<QLabel>("staticDate")->text())
        << "local time, C locale";
    EXPECT_EQ("1500", Price()->text());

    CBodItem* pLarge = AddLarge("LBOD/ringmail", "0/15");
    pLarge->BuildParts();
    pLarge->m_arrParts[0].m_bFilled = 1;
    Select(pLarge);
    EXPECT_EQ(2, m_view.GetMode());
    EXPECT_EQ("LBOD/ringmail/iron/15/Normal", Caption());
    EXPECT_EQ("15/60", CountLine()) << "counted from the filled parts";
    EXPECT_FALSE(Adjust()->isVisible());
    const char* names[] = {"ringmail gloves",
                           "ringmail sleeves",
                           "ringmail leggings",
                           "ringmail tunic",
                           nullptr,
                           nullptr};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(names[i] != nullptr, Part(i)->isVisible()) << i;
        EXPECT_EQ(i == 0, Part(i)->isChecked()) << i;
    }

    Select(nullptr);
    EXPECT_EQ(0, m_view.GetMode());
    EXPECT_EQ("No BOD Selected", Caption());
    EXPECT_EQ("", CountLine());
    EXPECT_EQ("", Price()->text());
    EXPECT_FALSE(Price()->isEnabled());
    EXPECT_FALSE(Adjust()->isVisible());
    EXPECT_FALSE(ApplyAndCancelEnabled());
}

// The box starts at the count's leading integer; arrows and arrow keys step it within 0 to the
// amount, stop at both ends, and never move a number against their direction.
TEST_F(QuillmarViewTest, AdjustBoxStartsAtTheCountAndStepsWithinTheAmount) {
    const struct {
        const char* pszCount;
        const char* pszAmount;
        const char* pszStart;
        int nStep;
        int nTimes;
        const char* pszExpected;
    } cases[] = {
        {"7/20", "20", "7", +1, 1, "8"},    {"  15/20", "20", "15", -1, 1, "14"},
        {"19/20", "20", "19", +1, 3, "20"}, {"1/20", "20", "1", -1, 3, "0"},
        {"abc", "20", "0", -1, 1, "0"},     {"", "20", "0", +1, 1, "1"},
        {"0/x", "x", "0", +1, 1, "0"},      {"25/20", "20", "25", +1, 1, "25"},
        {"25/20", "20", "25", -1, 1, "20"}, {"-3/20", "20", "-3", -1, 1, "-3"},
        {"-3/20", "20", "-3", +1, 1, "0"},
    };
    for (const auto& c : cases) {
        for (const bool bKeys : {false, true}) {
            SCOPED_TRACE(testing::Message() << c.pszCount << (bKeys ? " keys" : " arrows"));
            Select(AddSmall(c.pszCount, c.pszAmount));
            EXPECT_EQ(c.pszStart, Adjust()->text());
            for (int i = 0; i < c.nTimes; ++i) {
                if (bKeys) {
                    QTest::keyClick(Adjust(), c.nStep > 0 ? Qt::Key_Up : Qt::Key_Down);
                } else {
                    QTest::mouseClick(
                        Find<QToolButton>(c.nStep > 0 ? "btnAdjustUp" : "btnAdjustDown"),
                        Qt::LeftButton);
                }
            }
            EXPECT_EQ(c.pszExpected, Adjust()->text());
            EXPECT_EQ(c.pszExpected != std::string(c.pszStart), ApplyAndCancelEnabled());
        }
    }
}

TEST_F(QuillmarViewTest, ApplyWritesTheEditsMarksTheDocumentAndTellsOnlyTheOtherViews) {
    CBodItem* pBod = AddSmall("7/20");
    pBod->m_strNotes = "first\nsecond\xC2\xA0third";
    Select(pBod);
    m_tree.m_nUpdates = 0;
    QTest::keyClick(Adjust(), Qt::Key_Return);
    EXPECT_EQ(0, m_tree.m_nUpdates) << "nothing to apply before an edit";

    // Apply is the form's default button: Enter presses it wherever the focus is.
    TypeIntoAdjust("25");
    for (QWidget* pFocus : std::initializer_list<QWidget*>{Adjust(), Price(), Cancel()}) {
        SCOPED_TRACE(pFocus->objectName().toStdString());
        Price()->setText(pFocus->objectName());
        pFocus->setFocus();
        QTest::keyClick(pFocus, Qt::Key_Return);
        EXPECT_EQ(pFocus->objectName().toStdString(), pBod->m_strPrice);
        EXPECT_FALSE(ApplyAndCancelEnabled());
    }
    EXPECT_EQ("25/20", pBod->m_strCount) << "a count above the amount is stored as typed";
    EXPECT_EQ("7/20", CountLine()) << "the form is not refilled by its own Apply";
    EXPECT_EQ("first\nsecond\xC2\xA0third", pBod->m_strNotes) << "untouched notes stay as stored";
    EXPECT_TRUE(m_tree.m_bRelabelOnly);
    EXPECT_EQ(3, m_tree.m_nUpdates);
    EXPECT_EQ(&m_view, m_tree.m_pLastSender);

    // In Notes Enter starts a line; edited notes keep what was typed, with Windows line breaks.
    Notes()->moveCursor(QTextCursor::End);
    QTest::keyClick(Notes(), Qt::Key_Return);
    QTest::keyClicks(Notes(), QString::fromUtf8("x\xC2\xA0y"));
    EXPECT_EQ(3, m_tree.m_nUpdates);
    QTest::mouseClick(Apply(), Qt::LeftButton);
    EXPECT_EQ("first\r\nsecond\xC2\xA0third\r\nx\xC2\xA0y", pBod->m_strNotes);
}

TEST_F(QuillmarViewTest, ApplyWithNoIntegerInTheBoxTellsOnceAndWritesNothing) {
    for (const char* pszBox : {"", "99999999999"}) {
        SCOPED_TRACE(pszBox);
        CBodItem* pBod = AddSmall("7/20");
        Select(pBod);
        m_tree.m_nUpdates = 0;
        m_prompt.m_messages.clear();
        Price()->setText("999");
        Adjust()->selectAll();
        QTest::keyClick(Adjust(), Qt::Key_Backspace);
        QTest::keyClicks(Adjust(), QString::fromLatin1(pszBox));
        QTest::mouseClick(Apply(), Qt::LeftButton);

        EXPECT_EQ(QStringList{"Please enter an integer."}, m_prompt.m_messages);
        EXPECT_EQ("7/20", pBod->m_strCount);
        EXPECT_EQ("1500", pBod->m_strPrice);
        EXPECT_FALSE(m_doc.IsModified());
        EXPECT_EQ(0, m_tree.m_nUpdates);
        EXPECT_EQ(Adjust(), m_view.focusWidget());
        EXPECT_TRUE(ApplyAndCancelEnabled()) << "the edits are still there to fix";
    }
}

TEST_F(QuillmarViewTest, LargeDeedPartsCountAtOnceCancelRestoresApplyStores) {
    CBodItem* pBod = AddLarge("LBOD/ringmail", "0/15");
    Select(pBod);
    EXPECT_TRUE(pBod->m_bPartsBuilt) << "the form builds a missing part list";
    ClickPart(2);
    EXPECT_EQ("15/60", CountLine());
    EXPECT_TRUE(ApplyAndCancelEnabled());
    QTest::mouseClick(Cancel(), Qt::LeftButton);
    EXPECT_EQ("0/60", CountLine());
    EXPECT_FALSE(Part(2)->isChecked());
    EXPECT_FALSE(ApplyAndCancelEnabled());

    ClickPart(1);
    ClickPart(3);
    QTest::mouseClick(Apply(), Qt::LeftButton);
    EXPECT_EQ("30/60", pBod->m_strCount);
    EXPECT_EQ(0, pBod->m_arrParts[0].m_bFilled);
    EXPECT_EQ(1, pBod->m_arrParts[1].m_bFilled);
    EXPECT_EQ(1, pBod->m_arrParts[3].m_bFilled);
    EXPECT_TRUE(m_prompt.m_messages.isEmpty()) << "the hidden Adjust box is never read";
}

// A text too long to lay out at interactive speed is shown cut; the cut never replaces it.
TEST_F(QuillmarViewTest, LongTextsShowCutAndApplyKeepsThemUnlessEdited) {
    const std::string strLong(100'000, 'n');
    const QString strShown = QString(4096, 'n') + QChar(0x2026);
    CBodItem* pBod = AddSmall("7/20");
    pBod->m_strItem = strLong;
    pBod->m_strPrice = strLong;
    pBod->m_strNotes = strLong;
    Select(pBod);
    EXPECT_EQ(strShown, Price()->text());
    EXPECT_EQ(strShown, Notes()->toPlainText());
    EXPECT_EQ("SBOD/" + strShown + "/iron/20/Exceptional", Caption());

    TypeIntoAdjust("8");
    QTest::mouseClick(Apply(), Qt::LeftButton);
    EXPECT_EQ("8/20", pBod->m_strCount);
    EXPECT_EQ(strLong, pBod->m_strPrice);
    EXPECT_EQ(strLong, pBod->m_strNotes);

    Notes()->selectAll();
    QTest::keyClicks(Notes(), "mine");
    QTest::mouseClick(Apply(), Qt::LeftButton);
    EXPECT_EQ("mine", pBod->m_strNotes);
}

} // namespace
