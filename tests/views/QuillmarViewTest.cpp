#include "views/QuillmarView.h"

#include "support/ScriptedPrompt.h"
#include "support/TestDeeds.h"
#include "support/TestDocument.h"
#include "views/DeedSelection.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>
#include <ctime>
#include <gtest/gtest.h>

namespace {

class QuillmarViewTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_doc.AddView(&m_view);
        m_view.SetSelection(m_selection);
        m_view.OnInitialUpdate();
        m_view.show();
    }

    static std::unique_ptr<CBodItem> Small(const char* pszCount, const char* pszAmount = "20") {
        auto pBod = TestDeeds::MakeDeed({"Smithy", "Platemail", "iron", pszAmount, "Exceptional",
                                         "platemail gloves", pszCount});
        pBod->m_strPrice = "1500";
        return pBod;
    }
    // The document's deeds, as it reads them from a file.
    std::vector<const CBodItem*> Load(const CBodArray& deeds) {
        ReadDeedsInto(m_doc, deeds);
        return {m_doc.GetBods().begin(), m_doc.GetBods().end()};
    }
    void Select(const CBodItem* pBod) {
        m_selection.Set(pBod);
        m_doc.UpdateAllViews(nullptr, CQuillmarDoc::kHintChanged);
    }

    template <typename T> T* Find(const char* szName) const {
        return m_view.findChild<T*>(QString::fromLatin1(szName));
    }
    QLineEdit* Price() const { return Find<QLineEdit>("editPrice"); }
    QPlainTextEdit* Notes() const { return Find<QPlainTextEdit>("editNotes"); }
    QLineEdit* Adjust() const { return Find<QLineEdit>("editAdjust"); }
    QWidget* Apply() const { return Find<QWidget>("btnApply"); }
    QWidget* Cancel() const { return Find<QWidget>("btnCancel"); }
    QCheckBox* Part(int nIndex) const {
        return Find<QCheckBox>(("checkPart" + std::to_string(nIndex + 1)).c_str());
    }
    // Caption|count|Adjust box ("-" hidden)|price|parts (x ticked, o open, - hidden)|apply|cancel
    std::string Form() const {
        QString strParts;
        for (int i = 0; i < 6; ++i) {
            strParts += !Part(i)->isVisible() ? '-' : Part(i)->isChecked() ? 'x' : 'o';
        }
        return (m_view.findChild<QGroupBox*>()->title() + "|" +
                Find<QLabel>("staticCount")->text() + "|" +
                (Adjust()->isVisible() ? Adjust()->text() : "-") + "|" + Price()->text() +
                (Price()->isEnabled() ? "|" : "(off)|") + strParts +
                (Apply()->isEnabled() ? "|apply" : "") + (Cancel()->isEnabled() ? "|cancel" : ""))
            .toStdString();
    }

    ScriptedPrompt m_prompt;
    CQuillmarDoc m_doc;
    CDeedSelection m_selection;
    CQuillmarView m_view;
};

// Each mode shows its deed and hides the rest; ticks count at once, Cancel restores, Apply stores.
TEST_F(QuillmarViewTest, ModesShowTheSelectedDeedAndLargeDeedsTakeTicks) {
    // The date line follows the process's time zone and the program's language: both pinned
    // here, then restored.
    const QByteArray oldZone = qgetenv("TZ");
    qputenv("TZ", "JST-9");
    tzset();
    CBodArray deeds;
    deeds.push_back(Small("7/20"));
    deeds.back()->m_timeAdded = 1'000'000'000;
    // A ringmail large deed: four parts, none built yet.
    deeds.push_back(TestDeeds::MakeDeed(
        {"Smithy", "Ringmail", "iron", "15", "Normal", "LBOD/ringmail", "15/60"}));
    const std::vector<const CBodItem*> bods = Load(deeds);
    for (const auto& [language, pszDate] : {std::pair{QLocale::German, "So. 09.09.01 10:46:40"},
                                            {QLocale::English, "Sun 9/9/01 10:46:40 AM"}}) {
        QLocale::setDefault(QLocale(language));
        Select(bods[0]);
        EXPECT_EQ(pszDate, Find<QLabel>("staticDate")->text());
    }
    QLocale::setDefault(QLocale::system());
    EXPECT_EQ("SBOD/platemail gloves/iron/20/Exceptional|7/20|7|1500|------", Form());
    oldZone.isNull() ? qunsetenv("TZ") : qputenv("TZ", oldZone);
    tzset();

    // The ringmail large deed read from a Pre-AOS line: 15 made, no record of which parts. The form
    // shows the recorded count, an Apply that leaves the parts alone keeps it, and a ticked part
    // first stands for what was recorded.
    const CBodItem* pLarge = bods[1];
    Select(pLarge);
    EXPECT_EQ("LBOD/ringmail/iron/15/Normal|15/60|-||oooo--", Form());
    Price()->setText("900");
    QTest::mouseClick(Apply(), Qt::LeftButton);
    EXPECT_EQ("15/60|900", pLarge->m_strCount + "|" + pLarge->m_strPrice);
    // On the tick mark: a click beyond the caption does not reach the box.
    QTest::mouseClick(Part(2), Qt::LeftButton, {}, QPoint(6, Part(2)->height() / 2));
    EXPECT_EQ("LBOD/ringmail/iron/15/Normal|15/60|-|900|ooxo--|apply|cancel", Form());
    QTest::mouseClick(Part(1), Qt::LeftButton, {}, QPoint(6, Part(1)->height() / 2));
    EXPECT_EQ("LBOD/ringmail/iron/15/Normal|30/60|-|900|oxxo--|apply|cancel", Form());
    QTest::mouseClick(Cancel(), Qt::LeftButton);
    EXPECT_EQ("LBOD/ringmail/iron/15/Normal|15/60|-|900|oooo--", Form());
    QTest::mouseClick(Part(1), Qt::LeftButton, {}, QPoint(6, Part(1)->height() / 2));
    QTest::mouseClick(Part(3), Qt::LeftButton, {}, QPoint(6, Part(3)->height() / 2));
    QTest::mouseClick(Apply(), Qt::LeftButton);
    EXPECT_EQ("30/60", pLarge->m_strCount);
    EXPECT_TRUE(m_prompt.m_messages.isEmpty()) << "the hidden Adjust box is never read";

    Select(nullptr);
    EXPECT_EQ("No BOD Selected||-|(off)|------", Form());
    Select(pLarge);
    EXPECT_EQ("LBOD/ringmail/iron/15/Normal|30/60|-|900|oxox--", Form());
}

// Steps stay within 0 to the amount and never move a number against their direction.
TEST_F(QuillmarViewTest, AdjustBoxStartsAtTheCountAndStepsWithinTheAmount) {
    const struct {
        const char *pszCount, *pszAmount, *pszStart;
        int nStep;
        const char* pszExpected;
    } cases[] = {{"  15/20", "20", "15", -1, "13"}, {"20/20", "20", "20", +1, "20"},
                 {"0/20", "20", "0", -1, "0"},      {"abc", "20", "0", -1, "0"},
                 {"", "20", "0", +1, "2"},          {"0/x", "x", "0", +1, "0"},
                 {"25/20", "20", "25", +1, "25"},   {"25/20", "20", "25", -1, "19"},
                 {"-3/20", "20", "-3", -1, "-3"},   {"-3/20", "20", "-3", +1, "1"}};
    CBodArray deeds;
    for (const auto& c : cases) {
        deeds.push_back(Small(c.pszCount, c.pszAmount));
    }
    const std::vector<const CBodItem*> bods = Load(deeds);
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const auto& c = cases[i];
        Select(bods[i]);
        EXPECT_EQ(c.pszStart, Adjust()->text()) << c.pszCount;
        QTest::keyClick(Adjust(), c.nStep > 0 ? Qt::Key_Up : Qt::Key_Down);
        QTest::mouseClick(Find<QWidget>(c.nStep > 0 ? "btnAdjustUp" : "btnAdjustDown"),
                          Qt::LeftButton);
        EXPECT_EQ(c.pszExpected, Adjust()->text()) << c.pszCount;
    }
}

// Apply writes what the user changed; a price shown cut and notes left alone stay as stored.
TEST_F(QuillmarViewTest, ApplyWritesWhatWasEditedOnceTheBoxHoldsAnInteger) {
    const std::string strLong(100'000, 'n');
    const std::string strShown = (QString(4096, 'n') + QChar(0x2026)).toStdString();
    CBodArray deeds;
    deeds.push_back(Small("7/20"));
    deeds.back()->m_strItem = strLong;
    deeds.back()->m_strPrice = strLong;
    deeds.back()->m_strNotes = "first\nsecond\xC2\xA0third";
    const CBodItem* pBod = Load(deeds)[0];
    Select(pBod);
    const std::string strCaption = "SBOD/" + strShown + "/iron/20/Exceptional|7/20|";
    QTest::keyClick(Adjust(), Qt::Key_Return); // nothing to apply yet: counted at the end

    // No integer in the box: said once, nothing written, the box focused for the fix.
    Adjust()->selectAll();
    QTest::keyClicks(Adjust(), "99999999999");
    QTest::mouseClick(Apply(), Qt::LeftButton);
    EXPECT_EQ(QStringList{"Please enter an integer."}, m_prompt.m_messages);
    EXPECT_EQ(Adjust(), m_view.focusWidget());
    EXPECT_EQ(strCaption + "99999999999|" + strShown + "|------|apply|cancel", Form());

    Adjust()->selectAll();
    QTest::keyClicks(Adjust(), "25");
    QTest::keyClick(Adjust(), Qt::Key_Return);
    EXPECT_EQ("25/20|" + strLong + "|first\nsecond\xC2\xA0third",
              pBod->m_strCount + "|" + pBod->m_strPrice + "|" + pBod->m_strNotes);
    EXPECT_EQ(strCaption + "25|" + strShown + "|------", Form());

    // Apply is the form's default button: Enter presses it wherever the focus is.
    Price()->setText("12");
    Cancel()->setFocus();
    QTest::keyClick(Cancel(), Qt::Key_Return);
    EXPECT_EQ("12", pBod->m_strPrice);
    // In Notes Enter starts a line; edited notes keep what was typed, with Windows line breaks.
    Notes()->moveCursor(QTextCursor::End);
    QTest::keyClick(Notes(), Qt::Key_Return);
    QTest::keyClicks(Notes(), QString::fromUtf8("x\xC2\xA0y"));
    EXPECT_EQ(2, m_doc.GetUndoStack().count()) << "the Applies that wrote";
    QTest::mouseClick(Apply(), Qt::LeftButton);
    EXPECT_EQ("first\r\nsecond\xC2\xA0third\r\nx\xC2\xA0y", pBod->m_strNotes);
}

} // namespace
