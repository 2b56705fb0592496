#include "import/BodLineSplitter.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

TEST(SplitBodLinesTest, GivesEachOrderLineOnce) {
    using Lines = std::vector<std::string>;
    const struct {
        std::string text;
        Lines lines;
    } cases[] = {
        {"UOAssist BOD list\r\na bulk order 1\r\nb bulk order 2\r\n",
         {"a bulk order 1", "b bulk order 2"}},
        {"a bulk order 1\nb bulk order 2\n", {"a bulk order 1", "b bulk order 2"}},
        {"a bulk order 1\rb bulk order 2\r", {"a bulk order 1", "b bulk order 2"}},
        // LF CR is two line ends with an empty line between them; the last line has no end.
        {"a bulk order 1\r\nb bulk order 2\n\rc bulk order 3\rd bulk order 4",
         {"a bulk order 1", "b bulk order 2", "c bulk order 3", "d bulk order 4"}},
        {"Bulk Order list\r\nbulk\r\norder\r\nbulk  order\r\n", {}},
        {"bulk\r\norder bulk\norder", {}},
        {std::string("\0bulk order\xFF\r\n\x01\x02", 16), {std::string("\0bulk order\xFF", 12)}},
    };
    for (const auto& c : cases) {
        const std::vector<std::string_view> views = SplitBodLines(c.text);
        EXPECT_EQ(Lines(views.begin(), views.end()), c.lines) << testing::PrintToString(c.text);
    }
}

TEST(SplitBodLinesTest, OneLongLineIsOneDeedLine) {
    const std::string text = "bulk order" + std::string(10'000'000, 'x');
    const std::vector<std::string_view> lines = SplitBodLines(text + "\r\n");
    ASSERT_EQ(lines.size(), 1U);
    EXPECT_EQ(lines[0].size(), text.size());
}

} // namespace
