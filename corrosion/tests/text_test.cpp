#include "corrosion/text.h"

#include <gtest/gtest.h>

using namespace cr;

TEST(FixedText, WidthsAndDecimalHalves)
{
    EXPECT_EQ(Fixed(1165, 0, 6), "  1165");
    EXPECT_EQ(Fixed(1799, 0, -10), "1799      ");
    EXPECT_EQ(Fixed(2.5, 0), "2");
    EXPECT_EQ(Fixed(1234567.5, 1, 3), "1234567.5");
    // Decimal halves go to the even digit, whichever side of the half the
    // double lies on.
    EXPECT_EQ(Fixed(112.35, 1, 6), " 112.4");
    EXPECT_EQ(Fixed(96.65, 1, 6), "  96.6");
    EXPECT_EQ(Fixed(1.225, 2), "1.22");
    EXPECT_EQ(Fixed(0.575, 2), "0.58");
    EXPECT_EQ(Fixed(13.05, 1), "13.0");
    EXPECT_EQ(Fixed(0.625, 2), "0.62");
    EXPECT_EQ(Fixed(2.006, 2), "2.01");
    EXPECT_EQ(PadRight("KX 18", 13), "KX 18        ");
}
