#include "import/ImportSession.h"

#include "model/TextOrder.h"

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
};

TEST_F(ImportSessionTest, PasteSortsRowsByTextAndKeepsPasteOrderForTies) {
    m_session.Paste("Header line\r\n" + kSmall + "\r\n" + kBrokenLower + "\n" + kLarge + "\r" +
                    kBrokenUpper);

    EXPECT_EQ((std::vector<std::string>{kBrokenLower, kBrokenUpper, kLarge, kSmall}),
              RowTexts(m_session));
    EXPECT_EQ(4, m_session.GetTotal());
    EXPECT_EQ(2, m_session.GetInvalid());
    EXPECT_EQ(0, m_session.GetAdded());
    EXPECT_FALSE(m_session.IsProcessed());
    for (const CImportRow& row : m_session.GetRows()) {
        ASSERT_NE(nullptr, row.m_pBod);
        EXPECT_EQ(row.m_pBod->IsValid(), row.m_bValid) << row.m_strText;
    }
}

TEST_F(ImportSessionTest, ProcessSelectedMovesOnlyValidRowsWithTheNote) {
    // Rows: junk, JUNK, large, small.
    m_session.Paste(kSmall + "\n" + kBrokenLower + "\n" + kLarge + "\n" + kBrokenUpper);
    m_session.m_strNote = "from the bank";
    const CBodItem* pLarge = m_session.GetRows()[2].m_pBod.get();
    const CBodItem* pSmall = m_session.GetRows()[3].m_pBod.get();

    // A repeated or stale index must not process a row twice or reach past the list.
    const std::vector<int> nRows = {0, 2, 2, 3, 7, -1};
    m_session.ProcessSelected(nRows);

    EXPECT_EQ((std::vector<std::string>{kBrokenLower, kBrokenUpper}), RowTexts(m_session));
    ASSERT_EQ(2u, m_session.GetProcessed().size());
    EXPECT_EQ(pLarge, m_session.GetProcessed()[0].get());
    EXPECT_EQ(pSmall, m_session.GetProcessed()[1].get());
    EXPECT_EQ("from the bank", pLarge->GetNotes());
    EXPECT_EQ("from the bank", pSmall->GetNotes());
    EXPECT_EQ(2, m_session.GetAdded());
    EXPECT_EQ(4, m_session.GetTotal());
    EXPECT_EQ(2, m_session.GetInvalid());
    EXPECT_TRUE(m_session.IsProcessed());
}

TEST_F(ImportSessionTest, ProcessAllWithOnlyInvalidRowsStillCountsAsProcessed) {
    m_session.Paste(kBrokenLower + "\n" + kBrokenUpper);
    m_session.ProcessAll();

    EXPECT_EQ(2u, m_session.GetRows().size());
    EXPECT_EQ(0, m_session.GetAdded());
    EXPECT_TRUE(m_session.IsProcessed());
    EXPECT_TRUE(m_session.TakeProcessed().empty());
}

TEST_F(ImportSessionTest, NewPasteKeepsProcessedDeedsAndTheirCount) {
    m_session.Paste(kSmall + "\n" + kLarge);
    const std::vector<int> nFirst = {0};
    m_session.ProcessSelected(nFirst);
    const CBodItem* pProcessed = m_session.GetProcessed()[0].get();

    m_session.Paste("Bulk Order lines in other case are no deed lines");

    EXPECT_FALSE(m_session.HasRows());
    ASSERT_EQ(1u, m_session.GetProcessed().size());
    EXPECT_EQ(pProcessed, m_session.GetProcessed()[0].get());
    EXPECT_EQ("LBOD/chainmail", pProcessed->GetItem());
    EXPECT_EQ(1, m_session.GetAdded());
    EXPECT_EQ(0, m_session.GetTotal());
    EXPECT_EQ(0, m_session.GetInvalid());
}

TEST(ImportMessageTest, SingularOnlyForExactlyOne) {
    const struct {
        int count;
        const char* message;
    } cases[] = {
        {0, "0 BOD's were imported."},
        {1, "1 BOD was imported."},
        {3, "3 BOD's were imported."},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.message, ImportMessage(c.count));
    }
}

} // namespace
