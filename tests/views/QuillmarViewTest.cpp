#include "views/QuillmarView.h"

#include "document/QuillmarDoc.h"
#include "model/BodItem.h"
#include "support/ScriptedPrompt.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <clocale>
#include <cstdlib>
#include <ctime>
#include <gtest/gtest.h>
#include <memory>
#include <string>

namespace {

// Another view of the same document, standing in for the tree: it records what reached it.
class RecordingView : public CView {
public:
    void OnUpdate(CView* pSender, long /*lHint*/, void* /*pHint*/) override {
        ++m_nUpdates;
        m_pLastSender = pSender;
    }
    int m_nUpdates = 0;
    CView* m_pLastSender = nullptr;
};

std::unique_ptr<CBodItem> MakeSmallDeed(const std::string& strCount, const std::string& strAmount) {
    auto pBod = std::make_unique<CBodItem>();
    pBod->m_strTrade = "Smithy";
    pBod->m_strCategory = "Platemail";
    pBod->m_strMaterial = "iron";
    pBod->m_strQuality = "Exceptional";
    pBod->m_strItem = "platemail gloves";
    pBod->m_strAmount = strAmount;
    pBod->m_strCount = strCount;
    pBod->m_strPrice = "1500";
    pBod->m_strNotes = "from Britain";
    return pBod;
}

// A ringmail large deed: four parts, none built yet.
std::unique_ptr<CBodItem> MakeLargeDeed(const std::string& strAmount) {
    auto pBod = std::make_unique<CBodItem>();
    pBod->m_strTrade = "Smithy";
    pBod->m_strCategory = "Ringmail";
    pBod->m_strMaterial = "iron";
    pBod->m_strQuality = "Normal";
    pBod->m_strItem = "LBOD/ringmail";
    pBod->m_strAmount = strAmount;
    pBod->m_strCount = "0/" + strAmount;
    return pBod;
}

class QuillmarViewTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_doc.AddView(&m_tree);
        m_doc.AddView(&m_view);
        m_view.OnInitialUpdate();
        m_view.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&m_view));
    }

    CBodItem* Add(std::unique_ptr<CBodItem> pBod) {
        CBodItem* pRaw = pBod.get();
        m_doc.AddBodItem(std::move(pBod));
        return pRaw;
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

TEST_F(QuillmarViewTest, NoDeedClearsEverythingTheLastDeedShowed) {
    CBodItem* pBod = Add(MakeSmallDeed("7/20", "20"));
    Select(pBod);
    Select(nullptr);

    EXPECT_EQ(m_view.GetMode(), 0);
    EXPECT_EQ(Caption(), "No BOD Selected");
    EXPECT_EQ(CountLine(), "");
    EXPECT_EQ(Find<QLabel>("staticDate")->text(), "");
    EXPECT_EQ(Find<QLineEdit>("editPrice")->text(), "");
    EXPECT_EQ(Find<QPlainTextEdit>("editNotes")->toPlainText(), "");
    EXPECT_FALSE(Find<QLineEdit>("editPrice")->isEnabled());
    EXPECT_FALSE(Find<QPlainTextEdit>("editNotes")->isEnabled());
    EXPECT_FALSE(Adjust()->isVisible());
    EXPECT_FALSE(Find<QToolButton>("btnAdjustUp")->isVisible());
    for (int i = 0; i < 6; ++i) {
        EXPECT_FALSE(Part(i)->isVisible()) << i;
    }
    EXPECT_FALSE(ApplyAndCancelEnabled());
}

TEST_F(QuillmarViewTest, SmallDeedShowsItsTextsAndAdjustBox) {
    CBodItem* pBod = Add(MakeSmallDeed("7/20", "20"));
    pBod->m_timeAdded = 1'000'000'000;
    Select(pBod);

    EXPECT_EQ(m_view.GetMode(), 1);
    EXPECT_EQ(Caption(), "SBOD/platemail gloves/iron/20/Exceptional");
    EXPECT_EQ(CountLine(), "7/20");
    EXPECT_EQ(Adjust()->text(), "7");
    EXPECT_TRUE(Adjust()->isVisible());
    EXPECT_EQ(Find<QLabel>("staticDate")->text(), CQuillmarView::FormatTimeAdded(1'000'000'000));
    EXPECT_EQ(Find<QLineEdit>("editPrice")->text(), "1500");
    EXPECT_EQ(Find<QPlainTextEdit>("editNotes")->toPlainText(), "from Britain");
    EXPECT_TRUE(Find<QLineEdit>("editPrice")->isEnabled());
    EXPECT_FALSE(Part(0)->isVisible());
    EXPECT_FALSE(ApplyAndCancelEnabled());
}

// The box starts at the count's leading integer; arrows and arrow keys step it within 0 to the
// amount, stop at both ends, and never move a number against their direction.
TEST_F(QuillmarViewTest, AdjustBoxStartsAtTheCountAndStepsWithinTheAmount) {
    const struct {
        const char* szCount;
        const char* szAmount;
        const char* szStart;
        int nStep;
        int nTimes;
        const char* szExpected;
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
            Select(Add(MakeSmallDeed(c.szCount, c.szAmount)));
            EXPECT_EQ(Adjust()->text(), c.szStart) << c.szCount;
            EXPECT_EQ(CountLine(), c.szCount);
            for (int i = 0; i < c.nTimes; ++i) {
                if (bKeys) {
                    QTest::keyClick(Adjust(), c.nStep > 0 ? Qt::Key_Up : Qt::Key_Down);
                } else {
                    QTest::mouseClick(
                        Find<QToolButton>(c.nStep > 0 ? "btnAdjustUp" : "btnAdjustDown"),
                        Qt::LeftButton);
                }
            }
            EXPECT_EQ(Adjust()->text(), c.szExpected) << c.szCount << " keys " << bKeys;
            EXPECT_EQ(ApplyAndCancelEnabled(), c.szExpected != std::string(c.szStart));
        }
    }
}

TEST_F(QuillmarViewTest, ApplyStoresTheTypedCountAsTypedButKeepsTheCountLine) {
    const struct {
        const char* szTyped;
        const char* szStored;
    } cases[] = {{"12", "12/20"}, {"25", "25/20"}, {"0", "0/20"}};
    for (const auto& c : cases) {
        CBodItem* pBod = Add(MakeSmallDeed("7/20", "20"));
        Select(pBod);
        TypeIntoAdjust(c.szTyped);
        QTest::mouseClick(Apply(), Qt::LeftButton);

        EXPECT_EQ(pBod->m_strCount, c.szStored);
        EXPECT_EQ(CountLine(), "7/20") << "the form is not refilled by its own Apply";
        EXPECT_FALSE(ApplyAndCancelEnabled());
        Select(pBod);
        EXPECT_EQ(CountLine(), c.szStored);
    }
    EXPECT_TRUE(m_prompt.m_messages.isEmpty());
}

TEST_F(QuillmarViewTest, ApplyWritesTheEditsMarksTheDocumentAndTellsOnlyTheOtherViews) {
    CBodItem* pBod = Add(MakeSmallDeed("7/20", "20"));
    pBod->m_strNotes = "first\r\nsecond";
    Select(pBod);
    EXPECT_EQ(Find<QPlainTextEdit>("editNotes")->toPlainText(), "first\nsecond");
    m_tree.m_nUpdates = 0;
    QTest::keyClick(Adjust(), Qt::Key_Return);
    EXPECT_EQ(m_tree.m_nUpdates, 0) << "nothing to apply before an edit";

    Find<QLineEdit>("editPrice")->setText("2000");
    QTest::keyClicks(Find<QPlainTextEdit>("editNotes"), "x");
    TypeIntoAdjust("9");
    // Apply is the form's default button.
    QTest::keyClick(Adjust(), Qt::Key_Return);

    EXPECT_EQ(pBod->m_strCount, "9/20");
    EXPECT_EQ(pBod->m_strPrice, "2000");
    EXPECT_EQ(pBod->m_strNotes, "xfirst\r\nsecond") << "notes keep Windows line breaks";
    EXPECT_TRUE(m_doc.IsModified());
    EXPECT_TRUE(m_doc.m_bUpdateSelectedOnly);
    EXPECT_EQ(m_tree.m_nUpdates, 1);
    EXPECT_EQ(m_tree.m_pLastSender, &m_view);
}

TEST_F(QuillmarViewTest, ApplyWithNoIntegerInTheBoxTellsOnceAndWritesNothing) {
    for (const char* szBox : {"", "99999999999"}) {
        CBodItem* pBod = Add(MakeSmallDeed("7/20", "20"));
        Select(pBod);
        m_tree.m_nUpdates = 0;
        m_prompt.m_messages.clear();
        Find<QLineEdit>("editPrice")->setText("999");
        Adjust()->selectAll();
        QTest::keyClick(Adjust(), Qt::Key_Backspace);
        QTest::keyClicks(Adjust(), QString::fromLatin1(szBox));
        QTest::mouseClick(Apply(), Qt::LeftButton);

        EXPECT_EQ(m_prompt.m_messages, QStringList{"Please enter an integer."}) << szBox;
        EXPECT_EQ(pBod->m_strCount, "7/20");
        EXPECT_EQ(pBod->m_strPrice, "1500");
        EXPECT_FALSE(m_doc.IsModified());
        EXPECT_FALSE(m_doc.m_bUpdateSelectedOnly);
        EXPECT_EQ(m_tree.m_nUpdates, 0);
        EXPECT_EQ(m_view.focusWidget(), Adjust());
        EXPECT_EQ(Adjust()->selectedText(), Adjust()->text());
        EXPECT_TRUE(ApplyAndCancelEnabled()) << "the edits are still there to fix";
    }
}

TEST_F(QuillmarViewTest, LargeDeedCountsFilledPartsAtOnceAndCancelRestores) {
    CBodItem* pBod = Add(MakeLargeDeed("15"));
    pBod->BuildParts();
    pBod->m_arrParts[0].m_bFilled = 1;
    Select(pBod);

    EXPECT_EQ(m_view.GetMode(), 2);
    EXPECT_EQ(Caption(), "LBOD/ringmail/iron/15/Normal");
    EXPECT_EQ(CountLine(), "15/60");
    EXPECT_FALSE(Adjust()->isVisible());
    const char* names[] = {"ringmail gloves", "ringmail sleeves", "ringmail leggings",
                           "ringmail tunic"};
    for (int i = 0; i < 4; ++i) {
        EXPECT_TRUE(Part(i)->isVisible()) << i;
        EXPECT_EQ(Part(i)->text(), names[i]);
        EXPECT_EQ(Part(i)->isChecked(), i == 0);
    }
    EXPECT_FALSE(Part(4)->isVisible());
    EXPECT_FALSE(Part(5)->isVisible());
    EXPECT_FALSE(ApplyAndCancelEnabled());

    ClickPart(2);
    EXPECT_EQ(CountLine(), "30/60");
    EXPECT_TRUE(ApplyAndCancelEnabled());

    QTest::mouseClick(Cancel(), Qt::LeftButton);
    EXPECT_EQ(CountLine(), "15/60");
    EXPECT_FALSE(Part(2)->isChecked());
    EXPECT_TRUE(Part(0)->isChecked());
    EXPECT_FALSE(ApplyAndCancelEnabled());
    EXPECT_EQ(pBod->m_strCount, "0/15");
}

TEST_F(QuillmarViewTest, LargeDeedApplyStoresPartsAndTheirCount) {
    CBodItem* pBod = Add(MakeLargeDeed("10"));
    Select(pBod);
    EXPECT_TRUE(pBod->m_bPartsBuilt) << "the form builds a missing part list";
    ClickPart(1);
    ClickPart(3);
    QTest::mouseClick(Apply(), Qt::LeftButton);

    EXPECT_EQ(pBod->m_strCount, "20/40");
    EXPECT_EQ(pBod->m_arrParts[0].m_bFilled, 0);
    EXPECT_EQ(pBod->m_arrParts[1].m_bFilled, 1);
    EXPECT_EQ(pBod->m_arrParts[3].m_bFilled, 1);
    EXPECT_TRUE(m_prompt.m_messages.isEmpty()) << "the hidden Adjust box is never read";
}

TEST_F(QuillmarViewTest, LargeDeedWithoutPartsShowsAndKeepsItsCountText) {
    const struct {
        const char* szItem;
        const char* szCount;
    } cases[] = {{"LBOD/ringmail", ""}, {"LBOD/unknown set", "3/9"}};
    for (const auto& c : cases) {
        auto pNew = MakeLargeDeed("15");
        pNew->m_strItem = c.szItem;
        pNew->m_strCount = c.szCount;
        CBodItem* pBod = Add(std::move(pNew));
        Select(Add(MakeSmallDeed("7/20", "20")));
        Select(pBod);

        EXPECT_EQ(CountLine(), c.szCount) << c.szItem;
        EXPECT_FALSE(Part(0)->isVisible());
        QTest::keyClicks(Find<QLineEdit>("editPrice"), "5");
        QTest::mouseClick(Apply(), Qt::LeftButton);
        EXPECT_EQ(pBod->m_strCount, c.szCount) << c.szItem;
        EXPECT_EQ(pBod->m_strPrice, "5");
    }
}

TEST_F(QuillmarViewTest, OnlyUserEditsEnableApplyAndCancel) {
    CBodItem* pBod = Add(MakeSmallDeed("7/20", "20"));
    for (const char* szBox : {"editPrice", "editNotes", "editAdjust"}) {
        Select(pBod);
        EXPECT_FALSE(ApplyAndCancelEnabled()) << szBox;
        QTest::keyClicks(m_view.findChild<QWidget*>(QString::fromLatin1(szBox)), "1");
        EXPECT_TRUE(ApplyAndCancelEnabled()) << szBox;
    }
    // Any update of the views is a fill, and drops the unapplied edit.
    m_doc.UpdateAllViews(nullptr);
    EXPECT_FALSE(ApplyAndCancelEnabled());
    EXPECT_EQ(Adjust()->text(), "7");
}

TEST(QuillmarViewFormatTest, TitleAndCount) {
    CBodItem bod;
    bod.m_strMaterial = "iron";
    bod.m_strAmount = "20";
    bod.m_strQuality = "Exceptional";
    const struct {
        const char* szItem;
        const char* szTitle;
    } cases[] = {
        {"platemail gloves", "SBOD/platemail gloves/iron/20/Exceptional"},
        {"LBOD/platemail", "LBOD/platemail/iron/20/Exceptional"},
        {"LBODY", "LBODY/iron/20/Exceptional"},
        {"lbod/platemail", "SBOD/lbod/platemail/iron/20/Exceptional"},
    };
    for (const auto& c : cases) {
        bod.m_strItem = c.szItem;
        EXPECT_EQ(CQuillmarView::BuildTitle(bod), c.szTitle);
    }
    EXPECT_EQ(CQuillmarView::FormatCount(60, 120), "60/120");
    EXPECT_EQ(CQuillmarView::FormatCount(6LL * 2147483647, 6LL * 2147483647),
              "12884901882/12884901882");
}

TEST(QuillmarViewFormatTest, TimeTextIsWeekdayThenLocaleDateAndTime) {
    const QByteArray oldTz = qgetenv("TZ");
    const std::string oldLocale = std::setlocale(LC_TIME, nullptr);
    qputenv("TZ", "UTC");
    tzset();
    std::setlocale(LC_TIME, "C");

    EXPECT_EQ(CQuillmarView::FormatTimeAdded(0), "Thu 01/01/70 00:00:00");
    EXPECT_EQ(CQuillmarView::FormatTimeAdded(4'294'967'295U), "Sun 02/07/06 06:28:15");

    std::setlocale(LC_TIME, oldLocale.c_str());
    if (oldTz.isNull()) {
        qunsetenv("TZ");
    } else {
        qputenv("TZ", oldTz);
    }
    tzset();
}

} // namespace
