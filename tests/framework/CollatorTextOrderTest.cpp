#include "framework/CollatorTextOrder.h"

#include <QLocale>
#include <gtest/gtest.h>
#include <string_view>
#include <vector>

namespace {

class CollatorTextOrderTest : public ::testing::TestWithParam<QLocale::Language> {
protected:
    void SetUp() override { QLocale::setDefault(QLocale(GetParam())); }
    void TearDown() override { QLocale::setDefault(QLocale::c()); }
};

TEST_P(CollatorTextOrderTest, RanksIgnoreCaseAndEqualTextsShareARank) {
    const std::vector<std::string_view> texts{"iron",    "Bronze", "IRON",
                                              "agapite", "bronze", "Iron"};
    const std::vector<std::uint32_t> expected{2, 1, 2, 0, 1, 2};
    EXPECT_EQ(expected, CCollatorTextOrder().Rank(texts));
}

INSTANTIATE_TEST_SUITE_P(Locales, CollatorTextOrderTest,
                         ::testing::Values(QLocale::C, QLocale::English, QLocale::German));

TEST(CollatorTextOrderLocaleTest, AccentedLettersSortByTheLocale) {
    QLocale::setDefault(QLocale(QLocale::French));
    const std::vector<std::string_view> texts{"f", "\xC3\xA9t\xC3\xA9", "ete"};
    const std::vector<std::uint32_t> expected{2, 1, 0};
    EXPECT_EQ(expected, CCollatorTextOrder().Rank(texts));
    QLocale::setDefault(QLocale::c());
}

} // namespace
