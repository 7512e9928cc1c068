#include "calcframe/rounding.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace cf;

TEST(Rounding, DecimalHalvesGoToTheEvenDigit)
{
    // Held a hair above (1.225) or below (0.575) the half.
    EXPECT_DOUBLE_EQ(RoundHalfEvenDecimal(1.225, 2), 1.22);
    EXPECT_DOUBLE_EQ(RoundHalfEvenDecimal(0.575, 2), 0.58);
    EXPECT_DOUBLE_EQ(RoundHalfEvenDecimal(0.55 + 10.0 / 20.0 * (1.90 - 0.55), 2), 1.22);
    EXPECT_DOUBLE_EQ(RoundHalfEvenDecimal(0.25 + 10.0 / 20.0 * (0.90 - 0.25), 2), 0.58);
    EXPECT_DOUBLE_EQ(RoundHalfEvenDecimal(270 / (200.0 / 1300 * 1000), 2), 1.76);
    EXPECT_DOUBLE_EQ(RoundHalfEvenDecimal(5.4 / 1.2, 0), 4);
    EXPECT_DOUBLE_EQ(RoundHalfEvenDecimal(24.6 / 1.2, 0), 20);
    // Exact binary halves as before.
    EXPECT_DOUBLE_EQ(RoundHalfEvenDecimal(0.625, 2), 0.62);
    EXPECT_DOUBLE_EQ(RoundHalfEvenDecimal(2.5, 0), 2);
    EXPECT_DOUBLE_EQ(RoundHalfEvenDecimal(3.5, 0), 4);
    EXPECT_DOUBLE_EQ(RoundHalfEvenDecimal(1232.5, 0), 1232);
    EXPECT_DOUBLE_EQ(RoundHalfEvenDecimal(-2.5, 0), -2);
    EXPECT_DOUBLE_EQ(RoundHalfEvenDecimal(-3.5, 0), -4);
    EXPECT_DOUBLE_EQ(RoundHalfEvenDecimal(0.5, 0), 0);
    EXPECT_DOUBLE_EQ(RoundHalfEvenDecimal(0.005, 2), 0);
}

TEST(Rounding, NearHalvesThatAreNoHalves)
{
    EXPECT_DOUBLE_EQ(RoundHalfEvenDecimal(1.2249, 2), 1.22);
    EXPECT_DOUBLE_EQ(RoundHalfEvenDecimal(1.2251, 2), 1.23);
    EXPECT_DOUBLE_EQ(RoundHalfEvenDecimal(20.004, 2), 20.00);
    EXPECT_DOUBLE_EQ(RoundHalfEvenDecimal(2.006, 2), 2.01);
    EXPECT_DOUBLE_EQ(RoundHalfEvenDecimal(1.01599824, 2), 1.02);
    EXPECT_DOUBLE_EQ(RoundHalfEvenDecimal(83.333, 0), 83);
    EXPECT_DOUBLE_EQ(RoundHalfEvenDecimal(1232.500001, 0), 1233);
    EXPECT_DOUBLE_EQ(RoundHalfEvenDecimal(1232.499999, 0), 1232);
    EXPECT_DOUBLE_EQ(RoundHalfEvenDecimal(0, 2), 0);
    EXPECT_DOUBLE_EQ(RoundHalfEvenDecimal(7, 0), 7);
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_EQ(RoundHalfEvenDecimal(inf, 2), inf);
    EXPECT_TRUE(std::isnan(RoundHalfEvenDecimal(std::nan(""), 2)));
}

TEST(Rounding, Tens)
{
    EXPECT_DOUBLE_EQ(RoundHalfEvenToTens(12345), 12340);
    EXPECT_DOUBLE_EQ(RoundHalfEvenToTens(12355), 12360);
    EXPECT_DOUBLE_EQ(RoundHalfEvenToTens(2466), 2470);
    EXPECT_DOUBLE_EQ(RoundHalfEvenToTens(2464), 2460);
    // (525 - 4.45) x 2000 / 20 = 52055, held just below.
    EXPECT_DOUBLE_EQ(RoundHalfEvenToTens((525 - 4.45) * 2000 / 20.0), 52060);
    EXPECT_DOUBLE_EQ(RoundHalfEvenToTens(25828.63), 25830);
}
