#include "import/ImportSession.h"

#include "model/TextOrder.h"
#include "support/TestDeeds.h"

#include <gtest/gtest.h>
#include <string>
#include <tuple>
#include <vector>

namespace {

const std::string kSmall =
    "small bulk order: 20 exceptional platemail gloves: 5, with shadow iron ingots 300";
const std::string kLarge = "large bulk order: 10 chainmail coif: 10 chainmail leggings: 0 "
                           "chainmail tunic: 0 iron ingots 900";
const std::string kBrokenLower = "junk bulk order";
const std::string kBrokenUpper = "JUNK bulk order";

std::vector<std::string> RowTexts(const CImportSession& session) {
    std::vector<std::string> texts;
    for (const CImportRow& row : session.GetRows()) {
        texts.push_back(row.m_strText);
    }
    return texts;
}

class ImportSessionTest : public ::testing::Test {
protected:
    CNoCaseTextOrder m_order;
    CImportSession m_session{m_order};

    std::vector<int> Counters() const {
        return {m_session.GetTotal(), m_session.GetAdded(), m_session.GetInvalid()};
    }
};

// Rows sort by text without case; lines that compare equal keep their pasted order.
TEST_F(ImportSessionTest, ProcessSelectedMovesOnlyValidRowsWithTheNote) {
    m_session.Paste("Header line\r\n" + kSmall + "\r\n" + kBrokenLower + "\n" + kLarge + "\r" +
                    kBrokenUpper);
    EXPECT_EQ(RowTexts(m_session),
              (std::vector<std::string>{kBrokenLower, kBrokenUpper, kLarge, kSmall}));
    EXPECT_FALSE(m_session.IsProcessed());
    m_session.m_strNote = "from the bank";
    const CBodItem* pLarge = m_session.GetRows()[2].m_pBod.get();
    const CBodItem* pSmall = m_session.GetRows()[3].m_pBod.get();

    // A repeated or stale index must not process a row twice or reach past the list.
    m_session.ProcessSelected(std::vector<int>{0, 2, 2, 3, 7, -1});

    EXPECT_EQ(RowTexts(m_session), (std::vector<std::string>{kBrokenLower, kBrokenUpper}));
    ASSERT_EQ(m_session.GetProcessed().size(), 2U);
    EXPECT_EQ(m_session.GetProcessed()[0].get(), pLarge);
    EXPECT_EQ(m_session.GetProcessed()[1].get(), pSmall);
    for (const CBodItem* pBod : {pLarge, pSmall}) {
        EXPECT_EQ(pBod->GetNotes(), "from the bank");
    }
    EXPECT_EQ(Counters(), (std::vector<int>{4, 2, 2}));
    EXPECT_TRUE(m_session.IsProcessed());
}

TEST_F(ImportSessionTest, ProcessAllWithOnlyInvalidRowsStillCountsAsProcessed) {
    m_session.Paste(kBrokenLower + "\n" + kBrokenUpper);
    m_session.ProcessAll();
    EXPECT_EQ(m_session.GetRows().size(), 2U);
    EXPECT_EQ(Counters(), (std::vector<int>{2, 0, 2}));
    EXPECT_TRUE(m_session.IsProcessed());
    EXPECT_TRUE(m_session.TakeProcessed().empty());
}

// The unprocessed rows, their deeds and the invalid count go; the processed deeds and their count
// stay.
TEST_F(ImportSessionTest, NewPasteReplacesOnlyTheUnprocessedRows) {
    m_session.Paste(kSmall + "\n" + kLarge + "\n" + kBrokenLower);
    m_session.ProcessSelected(std::vector<int>{1});
    const CBodItem* pProcessed = m_session.GetProcessed()[0].get();

    m_session.Paste("Bulk Order lines in other case are no deed lines");

    EXPECT_FALSE(m_session.HasRows());
    ASSERT_EQ(m_session.GetProcessed().size(), 1U);
    EXPECT_EQ(m_session.GetProcessed()[0].get(), pProcessed);
    EXPECT_EQ(pProcessed->GetItem(), "LBOD/chainmail");
    EXPECT_EQ(Counters(), (std::vector<int>{0, 1, 0}));
}

// Long enough that an unstable sort would reorder lines that compare equal.
TEST_F(ImportSessionTest, EqualLinesKeepTheirPastedOrder) {
    std::string strText;
    std::vector<std::string> equal;
    for (unsigned n = 0; n < 45; ++n) {
        equal.push_back(TestDeeds::CaseVariant("junk", n * 5 % 16) + " bulk order " +
                        TestDeeds::CaseVariant("xyz", n / 16));
        strText += "zz bulk order\n" + equal.back() + "\n";
    }
    m_session.Paste(strText);
    std::vector<std::string> texts = RowTexts(m_session);
    texts.resize(equal.size());
    EXPECT_EQ(texts, equal);
}

} // namespace

// Same in every field but time and notes: marked, whichever of the document or this session
// holds it. Invalid rows are never marked, and processing still takes a marked row.
TEST_F(ImportSessionTest, RowsAlreadyInTheDocumentAreMarkedAndCounted) {
    CImportSession earlier(m_order);
    earlier.Paste(kSmall);
    earlier.ProcessAll();
    CBodArray document = earlier.TakeProcessed();
    document[0]->m_strNotes = "kept for later";
    document[0]->m_timeAdded = 1;
    const std::string strPrice = document[0]->m_strPrice;
    // A price of its own, and texts that read the same only when run together.
    for (const auto& [strPrice, strMaterial, strAmount] :
         {std::tuple{"100", "shadow iron", "20"}, std::tuple{"300", "shadow iro", "n20"}}) {
        document.push_back(std::make_unique<CBodItem>(*document[0]));
        document.back()->m_strPrice = strPrice;
        document.back()->m_strMaterial = strMaterial;
        document.back()->m_strAmount = strAmount;
    }
    document.erase(document.begin());
    // The large deed with a part's flag turned, and with a part of another name.
    for (const bool bTurnFlag : {true, false}) {
        earlier.Paste(kLarge);
        earlier.ProcessAll();
        document.push_back(std::move(earlier.TakeProcessed().front()));
        const bool bFilled = document.back()->GetPart(1)->IsFilled();
        document.back()->SetPart(1, bFilled != bTurnFlag, bTurnFlag ? "" : "chainmail hood");
    }
    m_session.AddKnownDeeds(document);
    m_session.Paste(kSmall + "\n" + kLarge + "\n" + kBrokenLower);
    EXPECT_EQ(0, m_session.GetDuplicates());

    document.push_back(std::make_unique<CBodItem>(*document[0]));
    document.back()->m_strPrice = strPrice;
    m_session.AddKnownDeeds(document);
    m_session.Paste(kSmall + "\n" + kLarge + "\n" + kLarge + "\n" + kBrokenLower);
    std::vector<bool> marks;
    for (const CImportRow& row : m_session.GetRows()) {
        marks.push_back(row.m_bDuplicate);
    }
    EXPECT_EQ(marks, (std::vector<bool>{false, false, false, true}));
    EXPECT_EQ(1, m_session.GetDuplicates());

    // Its twin is in the document once this one is.
    m_session.ProcessSelected(std::vector<int>{1, 3});
    EXPECT_EQ(RowTexts(m_session), (std::vector<std::string>{kBrokenLower, kLarge}));
    EXPECT_TRUE(m_session.GetRows()[1].m_bDuplicate);
    EXPECT_EQ(1, m_session.GetDuplicates());
    EXPECT_EQ(2U, m_session.GetProcessed().size());
}
