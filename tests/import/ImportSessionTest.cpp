#include "import/ImportSession.h"

#include "model/TextOrder.h"
#include "support/TestDeeds.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

const std::string kSmall =
    "small bulk order: 20 exceptional platemail gloves: 5, with shadow iron ingots 300";
const std::string kLarge = "large bulk order: 10 chainmail coif: 10 chainmail leggings: 0 "
                           "chainmail tunic: 0 iron ingots 900";
const std::string kBrokenLower = "junk bulk order";
const std::string kBrokenUpper = "JUNK bulk order";

using Texts = std::vector<std::string>;

class ImportSessionTest : public ::testing::Test {
protected:
    Texts RowTexts() const {
        Texts texts;
        for (const CImportRow& row : m_session.GetRows()) {
            texts.push_back(row.m_strText + (row.m_bDuplicate ? " (known)" : ""));
        }
        return texts;
    }
    std::vector<int> Counters() const {
        return {m_session.GetTotal(), m_session.GetAdded(), m_session.GetInvalid(),
                static_cast<int>(m_session.GetRows().size())};
    }

    CNoCaseTextOrder m_order;
    CImportSession m_session{m_order};
};

// Processing takes only valid rows, each once, with the note, and counts as done even when
// nothing was valid. A new paste replaces the rows left and their invalid count; the processed
// deeds and their count stay. (The order of rows and the counts shown: ImportDlgTest.)
TEST_F(ImportSessionTest, ProcessingTakesOnlyValidRowsOnceAndANewPasteKeepsThem) {
    m_session.Paste(kBrokenLower + "\n" + kBrokenUpper);
    EXPECT_FALSE(m_session.IsProcessed());
    m_session.ProcessAll();
    EXPECT_TRUE(m_session.IsProcessed());
    EXPECT_EQ(Counters(), (std::vector<int>{2, 0, 2, 2}));

    m_session.Paste("Header line\r\n" + kSmall + "\r\n" + kBrokenLower + "\n" + kLarge + "\r" +
                    kBrokenUpper);
    m_session.m_strNote = "from the bank";
    // A repeated or stale index must not process a row twice or reach past the list.
    m_session.ProcessSelected(std::vector<int>{0, 2, 2, 3, 7, -1});
    EXPECT_EQ(RowTexts(), (Texts{kBrokenLower, kBrokenUpper}));
    EXPECT_EQ(Counters(), (std::vector<int>{4, 2, 2, 2}));
    const CBodArray& processed = m_session.GetProcessed();
    EXPECT_EQ(processed[0]->GetItem() + '|' + processed[1]->GetItem() + '|' +
                  processed[0]->GetNotes() + '|' + processed[1]->GetNotes(),
              "LBOD/chainmail|platemail gloves|from the bank|from the bank");

    m_session.Paste("Bulk Order lines in other case are no deed lines");
    EXPECT_EQ(Counters(), (std::vector<int>{0, 2, 0, 0}));
    EXPECT_EQ(m_session.TakeProcessed().size(), 2U);
}

// Long enough that an unstable sort would reorder lines that compare equal.
TEST_F(ImportSessionTest, EqualLinesKeepTheirPastedOrder) {
    std::string strText;
    Texts equal;
    for (unsigned n = 0; n < 45; ++n) {
        equal.push_back(TestDeeds::CaseVariant("junk", n * 5 % 16) + " bulk order " +
                        TestDeeds::CaseVariant("xyz", n / 16));
        strText += "zz bulk order\n" + equal.back() + "\n";
    }
    m_session.Paste(strText);
    Texts texts = RowTexts();
    texts.resize(equal.size());
    EXPECT_EQ(texts, equal);
}

// A row whose deed the document or this session already holds (whatever its time and notes) is
// marked and counted; an invalid row never is, and processing still takes a marked row.
TEST_F(ImportSessionTest, RowsAlreadyKnownAreMarkedAndCounted) {
    CImportSession earlier(m_order);
    earlier.Paste(kSmall + "\n" + kBrokenLower);
    earlier.ProcessAll();
    CBodArray document = earlier.TakeProcessed();
    document[0]->m_strNotes = "kept for later";
    document[0]->m_timeAdded = 1;
    // The broken line's deed as well, and a gap the document may hold.
    document.push_back(std::make_unique<CBodItem>(*earlier.GetRows()[0].m_pBod));
    document.push_back(nullptr);
    m_session.Paste(kSmall + "\n" + kLarge + "\n" + kLarge + "\n" + kBrokenLower);
    EXPECT_EQ(0, m_session.GetDuplicates());
    m_session.AddKnownDeeds(document);
    EXPECT_EQ(RowTexts(), (Texts{kBrokenLower, kLarge, kLarge, kSmall + " (known)"}));
    EXPECT_EQ(1, m_session.GetDuplicates());

    m_session.ProcessSelected(std::vector<int>{1, 3});
    EXPECT_EQ(RowTexts(), (Texts{kBrokenLower, kLarge + " (known)"}));
    EXPECT_EQ(1, m_session.GetDuplicates());
    EXPECT_EQ(2U, m_session.GetProcessed().size());
    m_session.Paste(kSmall + "\n" + kLarge);
    EXPECT_EQ(RowTexts(), (Texts{kLarge + " (known)", kSmall + " (known)"}));
}

} // namespace
