#include "combiwall/lengths.h"

#include <gtest/gtest.h>

using namespace cw;

TEST(DecimalHalves, NumberOfSystemsOfAWall)
{
    // A wall / b that is a decimal half goes to the even number, also when the
    // double quotient lies a hair below the half: 29.9 / 0.52 = 57.5 gives 58,
    // 40.3 / 0.52 = 77.5 gives 78, 5.8 / 2.32 = 2.5 gives 2.
    EXPECT_EQ(SystemsForWall(29.9, 0.52), 58);
    EXPECT_EQ(SystemsForWall(40.3, 0.52), 78);
    EXPECT_EQ(SystemsForWall(5.8, 2.32), 2);
    EXPECT_EQ(SystemsForWall(3, 2.0), 2);
    EXPECT_EQ(SystemsForWall(5, 2.0), 2);
    EXPECT_EQ(SystemsForWall(30.0, 0.52), 58); // 57.69
}
