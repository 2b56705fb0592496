#include "import/BodLineSplitter.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

struct SplitCase {
    std::string name;
    std::string text;
    std::vector<std::string> lines;
};

class SplitBodLinesTest : public ::testing::TestWithParam<SplitCase> {};

TEST_P(SplitBodLinesTest, GivesEachOrderLineOnce) {
    const SplitCase& c = GetParam();
    const std::vector<std::string_view> views = SplitBodLines(c.text);
    EXPECT_EQ(std::vector<std::string>(views.begin(), views.end()), c.lines);
}

INSTANTIATE_TEST_SUITE_P(
    LineEnds, SplitBodLinesTest,
    ::testing::Values(
        SplitCase{"CrLf",
                  "UOAssist BOD list\r\na bulk order 1\r\nb bulk order 2\r\n",
                  {"a bulk order 1", "b bulk order 2"}},
        SplitCase{"Lf", "a bulk order 1\nb bulk order 2\n", {"a bulk order 1", "b bulk order 2"}},
        SplitCase{"Cr", "a bulk order 1\rb bulk order 2\r", {"a bulk order 1", "b bulk order 2"}},
        SplitCase{"Mixed",
                  "a bulk order 1\r\nb bulk order 2\nc bulk order 3\rd bulk order 4",
                  {"a bulk order 1", "b bulk order 2", "c bulk order 3", "d bulk order 4"}},
        // LF CR is two line ends with an empty line between them.
        SplitCase{"LfCr", "a bulk order 1\n\rb bulk order 2", {"a bulk order 1", "b bulk order 2"}},
        SplitCase{
            "LastLineWithoutEnd", "header\r\nbulk order at the end", {"bulk order at the end"}},
        SplitCase{"OnlyHeaderLines", "Bulk Order list\r\nbulk\r\norder\r\nbulk  order\r\n", {}},
        SplitCase{"TwiceOnOneLine", "bulk order and bulk order\r\n", {"bulk order and bulk order"}},
        SplitCase{"WordsSplitByALineEnd", "bulk\r\norder bulk\norder", {}},
        SplitCase{"Empty", "", {}}, SplitCase{"LineEndsOnly", "\r\n\n\r\r", {}},
        SplitCase{"BinaryJunk",
                  std::string("\0bulk order\xFF\r\n\x01\x02", 16),
                  {std::string("\0bulk order\xFF", 12)}}),
    [](const auto& info) { return info.param.name; });

TEST(SplitBodLinesLargeTest, OneLongLineIsOneDeedLine) {
    const std::string text = "bulk order" + std::string(10'000'000, 'x');
    const std::vector<std::string_view> lines = SplitBodLines(text);
    ASSERT_EQ(lines.size(), 1U);
    EXPECT_EQ(lines[0].size(), text.size());
}

} // namespace
