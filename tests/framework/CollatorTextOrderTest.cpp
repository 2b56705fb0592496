#include "framework/CollatorTextOrder.h"

#include <QLocale>
#include <gtest/gtest.h>
#include <string_view>
#include <vector>

namespace {

// The C locale keeps code-point order, which puts an accented letter after every plain one.
TEST(CollatorTextOrderTest, RanksByTheLocaleIgnoringCaseAndEqualTextsShareARank) {
    const struct {
        QLocale::Language language;
        std::vector<std::string_view> texts;
        std::vector<std::uint32_t> expected;
    } cases[] = {
        {QLocale::German, {"iron", "Bronze", "IRON", "agapite", "bronze"}, {2, 1, 2, 0, 1}},
        {QLocale::French, {"f", "\xC3\xA9t\xC3\xA9", "ete"}, {2, 1, 0}},
        {QLocale::English, {"b2", "a", "10"}, {2, 1, 0}}, // digits before letters
        {QLocale::C, {"f", "\xC3\xA9t\xC3\xA9", "ete"}, {1, 2, 0}}};
    for (const auto& c : cases) {
        QLocale::setDefault(QLocale(c.language));
        EXPECT_EQ(c.expected, CCollatorTextOrder().Rank(c.texts)) << c.language;
    }
    QLocale::setDefault(QLocale::c());
}

} // namespace
