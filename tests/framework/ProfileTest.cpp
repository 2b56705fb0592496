#include "framework/Profile.h"

#include <gtest/gtest.h>
#include <limits>

namespace {

TEST(ProfileTest, ValuesRoundTripAndMissingOnesGiveTheDefault) {
    for (const int nValue : {0, -1, std::numeric_limits<int>::min(), 1234}) {
        WriteProfileInt("ProfileTest", "Int", nValue);
        EXPECT_EQ(nValue, GetProfileInt("ProfileTest", "Int", 7));
    }
    WriteProfileString("ProfileTest", "Text", "a, b");
    EXPECT_EQ(QString("a, b"), GetProfileString("ProfileTest", "Text", "x"));
    EXPECT_EQ(7, GetProfileInt("ProfileTest", "Missing", 7));
    EXPECT_EQ(QString("x"), GetProfileString("ProfileTest", "Missing", "x"));
    WriteProfileString("ProfileTest", "NotANumber", "abc");
    EXPECT_EQ(7, GetProfileInt("ProfileTest", "NotANumber", 7));
}

} // namespace
