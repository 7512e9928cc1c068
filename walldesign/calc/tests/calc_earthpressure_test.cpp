// Earth pressure coefficients, the Kph table, pressures and the strip load,
// against values worked out by hand.
#include "walldesign/calc/earthpressure.h"

#include "calc_walls.h"
#include "platform/error.h"

#include <gtest/gtest.h>

namespace wd {
namespace {

using testing::kDegree;

TEST(CalcEarthPressureTest, RankineValuesForLevelSurfaceWithoutWallFriction)
{
    // (1 - sin phi) / (1 + sin phi) and its inverse.
    EXPECT_NEAR(ActiveCoefficient(30 * kDegree, 0, 0), 1.0 / 3.0, 1e-6);
    EXPECT_NEAR(PassiveCoefficient(30 * kDegree, 0, 0), 3.0, 1e-5);
    EXPECT_NEAR(ActiveCoefficient(20 * kDegree, 0, 0), 0.490290, 1e-6);
    EXPECT_NEAR(PassiveCoefficient(20 * kDegree, 0, 0), 2.039607, 1e-5);
    EXPECT_FLOAT_EQ(ActiveCoefficient(0, 0, 0), 1.0f);
    EXPECT_FLOAT_EQ(PassiveCoefficient(0, 0, 0), 1.0f);
}

TEST(CalcEarthPressureTest, CoulombValuesWithWallFrictionAndInclination)
{
    // cos2(phi) / [1 -+ sqrt(sin(phi -+ delta) sin(phi +- beta) / (cos delta cos beta))]2
    EXPECT_NEAR(PassiveCoefficient(30 * kDegree, 10 * kDegree, 0), 2.204418, 2e-5);
    EXPECT_NEAR(ActiveCoefficient(30 * kDegree, 20 * kDegree, 10 * kDegree), 0.319517, 1e-6);
}

TEST(CalcEarthPressureTest, PassiveCoefficientRaisesWhereTheRootHasNoValue)
{
    // 4 sin2(phi) >= 1 for delta = -phi, beta = phi and phi >= 30 degrees.
    EXPECT_GE(PassiveRootArgument(30 * kDegree, -30 * kDegree, 30 * kDegree), 1.0);
    EXPECT_THROW(PassiveCoefficient(30 * kDegree, -30 * kDegree, 30 * kDegree), sps::Exception);
    EXPECT_THROW(PassiveCoefficient(40 * kDegree, -40 * kDegree, 40 * kDegree), sps::Exception);
    EXPECT_NO_THROW(PassiveCoefficient(25 * kDegree, -25 * kDegree, 25 * kDegree));
}

TEST(CalcEarthPressureTest, KphTable)
{
    EXPECT_NEAR(LookupKph(30 * kDegree, 0), 3.00, 1e-4);
    EXPECT_NEAR(LookupKph(30 * kDegree, -15 * kDegree), 4.80, 1e-4);
    // phi capped at 45 before the ratio: -48/45 lies between -1 and -1.1.
    EXPECT_NEAR(LookupKph(48 * kDegree, -48 * kDegree), 34.23, 1e-3);
    EXPECT_NEAR(LookupKph(0, 0), 1.00, 1e-6);
    // Between rows and columns: 31.25 degrees, ratio -0.25 (bilinear).
    EXPECT_NEAR(LookupKph(31.25f * kDegree, -7.8125f * kDegree), 4.16875, 1e-4);
    // Along phi only: 11.25 degrees, ratio 0.
    EXPECT_NEAR(LookupKph(11.25f * kDegree, 0), 1.485, 1e-4);
    // Along the ratio only: 20 degrees, ratio -5/6.
    EXPECT_NEAR(LookupKph(20 * kDegree, -50.0f / 3.0f * kDegree), 2.915, 1e-4);
}

TEST(CalcEarthPressureTest, KphRatioAtOrBelowLastColumnUsesIt)
{
    // A ratio of -1.1 or less has no cell of its own: the -1.1 column holds.
    EXPECT_NEAR(LookupKph(60 * kDegree, -60 * kDegree), 34.23, 1e-3);
    EXPECT_NEAR(LookupKph(49.5f * kDegree, -49.5f * kDegree), 34.23, 1e-3);
    // Within the table's phi range the column is interpolated along phi: 43 degrees, ratio -50/43.
    EXPECT_NEAR(LookupKph(43 * kDegree, -50 * kDegree), 26.318, 1e-3);
}

TEST(CalcEarthPressureTest, PressuresWithCohesion)
{
    // K sigma +- 2 c sqrt(K)
    EXPECT_FLOAT_EQ(PassivePressure(100, 4, 10), 440.0f);
    EXPECT_FLOAT_EQ(ActivePressure(100, 0.25f, 10), 15.0f);
    // Negative active pressures stay negative.
    EXPECT_FLOAT_EQ(ActivePressure(0, 0.25f, 10), -10.0f);
}

TEST(CalcEarthPressureTest, StripLoad)
{
    TBousq strip{1, 2, 0, 10};
    EXPECT_NEAR(BoussinesqPressure(strip, 2, 1), 3.696753, 1e-5);
    // A strip at the wall just below its level presses with about its surcharge times K.
    TBousq atWall{0, 1, 2, 60};
    EXPECT_NEAR(BoussinesqPressure(atWall, 2.01f, 1.0f / 3.0f), 19.99999, 1e-3);
    EXPECT_NEAR(BoussinesqPressure(atWall, 2.25f, 1.0f / 3.0f), 19.876693, 1e-4);
    // At the strip's own depth 0.01 m stands in for the distance.
    EXPECT_NEAR(BoussinesqPressure(atWall, 2.0f, 1.0f / 3.0f), 19.99999, 1e-3);
}

TEST(CalcEarthPressureTest, SignOfZeroIsPositive)
{
    EXPECT_EQ(Sign(-1e-30), -1);
    EXPECT_EQ(Sign(0.0), 1);
    EXPECT_EQ(Sign(-0.0), 1);
    EXPECT_EQ(Sign(2.5), 1);
}

} // namespace
} // namespace wd
