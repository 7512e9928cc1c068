// Preparation of a calculation: coefficients, depth grid, slices, pressure
// columns, row edits, and the input that cannot be calculated.
#include "walldesign/calc/earthpressure.h"
#include "walldesign/calc/wall.h"

#include "calc_walls.h"
#include "platform/error.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <string>
#include <vector>

namespace wd {
namespace {

using testing::kDegree;
using testing::Layer;
using testing::ReferenceInput;

void Prepared(TWall& w)
{
    w.Prepare();
    w.LayerPressures();
    w.FillResults();
}

std::string ErrorOf(const std::function<void()>& f)
{
    try {
        f();
    } catch (const sps::Exception& e) {
        return e.Message();
    }
    return "(no error)";
}

std::vector<float> Tops(const TWall& w)
{
    std::vector<float> tops;
    for (const TResultRow& r : w.Results)
        tops.push_back(r[rcTop]);
    return tops;
}

const TResultRow* RowAt(const TWall& w, float top)
{
    for (const TResultRow& r : w.Results)
        if (r[rcTop] == top)
            return &r;
    return nullptr;
}

TEST(CalcGridTest, GapsAreCutIntoQuarterMetres)
{
    THeadwall w(nullptr);
    ReferenceInput(w, 0.6f, spCantilever);
    w.Forces = {{0, 0, 0.65f}};
    Prepared(w);
    // 0 | 0.6 | 0.65 | 20: a gap of 0.6 gives 0.25, 0.25, 0.1; 0.05 stays.
    std::vector<float> tops = Tops(w);
    ASSERT_GE(tops.size(), 6u);
    EXPECT_EQ(tops[0], 0.0f);
    EXPECT_EQ(tops[1], 0.25f);
    EXPECT_EQ(tops[2], 0.5f);
    EXPECT_EQ(tops[3], 0.6f);
    EXPECT_EQ(tops[4], 0.65f);
    EXPECT_FLOAT_EQ(tops[5], 0.9f);
    EXPECT_FLOAT_EQ(w.Results[2][rcThickness], 0.1f);
    EXPECT_NEAR(w.Results[3][rcThickness], 0.05f, 1e-6);
    EXPECT_EQ(w.Results.back()[rcBottom], 20.0f);
    // 0 to 0.65, then 19.35 m in 78 pieces.
    EXPECT_EQ(w.Results.size(), 4u + 78u);
    for (const TResultRow& r : w.Results)
        EXPECT_LE(r[rcThickness], 0.25f + 1e-6f);
    EXPECT_EQ(w.FrontSlices.size(), w.Results.size());
    EXPECT_EQ(w.BehindSlices.size(), w.Results.size());
}

TEST(CalcGridTest, SlicesFollowTheirLayers)
{
    THeadwall w(nullptr);
    ReferenceInput(w, 2.0f, spCantilever);
    w.BehindLayers = {Layer(1.0f, 0.5f), Layer(1.5f, 0.4f), Layer(20.0f, 0.3f)};
    Prepared(w);
    EXPECT_EQ(w.BehindLayers[1].Top, 1.0f);
    EXPECT_EQ(w.BehindLayers[2].Top, 1.5f);
    for (const TLayer& s : w.BehindSlices) {
        const float k = s.Tip <= 1.0f ? 0.5f : s.Tip <= 1.5f ? 0.4f : 0.3f;
        EXPECT_EQ(s.K, k) << s.Top;
    }
    // Active pressure: 18 kN/m3 over the layers, K of the slice's layer.
    const TLayer& s = w.BehindSlices[4]; // 1.0 to 1.25
    EXPECT_FLOAT_EQ(s.PressureTop, 0.4f * 18.0f);
    EXPECT_FLOAT_EQ(s.PressureBottom, 0.4f * 22.5f);
    EXPECT_FLOAT_EQ(s.VerticalStress, 22.5f);
    // In front nothing above the soil level.
    EXPECT_EQ(w.FrontSlices[7].PressureBottom, 0.0f);
    EXPECT_FLOAT_EQ(w.FrontSlices[8].PressureBottom, 3.0f * 4.5f);
    EXPECT_FLOAT_EQ(w.Results[8][rcFrontEarthBottom], -13.5f);
}

TEST(CalcGridTest, HeadwallLevelsAreAdjusted)
{
    THeadwall w(nullptr);
    ReferenceInput(w, 3.0f, spFree);
    w.FrontLayers = {Layer(5.0f, 3.0f)};
    w.BehindLayers = {Layer(4.0f, 0.3f)};
    w.PileTop = 0.5f;
    w.Behind.SoilLevel = -0.5f;
    w.AnchorLevel = -2.0f;
    w.Front.WaterLevel = w.Behind.WaterLevel = 1.0f;
    Prepared(w);
    // The pile top is raised to the soil behind, the anchor level to the pile top,
    // and the last tips reach three times the front soil depth below the pile top.
    EXPECT_EQ(w.PileTop, -0.5f);
    EXPECT_EQ(w.AnchorLevel, -0.5f);
    EXPECT_FLOAT_EQ(w.FrontLayers.back().Tip, 10.0f);
    EXPECT_FLOAT_EQ(w.BehindLayers.back().Tip, 10.0f);
    EXPECT_EQ(w.Results.front()[rcTop], -0.5f);
}

TEST(CalcGridTest, AutomaticCoefficientsAndClamping)
{
    THeadwall w(nullptr);
    ReferenceInput(w, 3.0f, spCantilever);
    w.Front.AutoCoefficients = 1;
    w.Behind.AutoCoefficients = 1;
    w.FrontLayers = {Layer(1.0f, 0, 0), Layer(2.0f, 0), Layer(20.0f, 0)};
    w.FrontLayers[0].Delta = 5 * kDegree;   // clamped to 0: table, 1.0
    w.FrontLayers[1].Delta = -15 * kDegree; // table
    w.FrontLayers[2].Delta = 40 * kDegree;  // clamped to 30: Coulomb
    w.BehindLayers = {Layer(20.0f, 0)};
    w.BehindLayers[0].Delta = 20 * kDegree;
    Prepared(w);
    EXPECT_EQ(w.FrontLayers[0].Delta, 0.0f);
    EXPECT_FLOAT_EQ(w.FrontLayers[0].K, 1.0f);
    EXPECT_NEAR(w.FrontLayers[1].K, 4.80, 1e-4);
    EXPECT_EQ(w.FrontLayers[2].Delta, w.FrontLayers[2].Phi);
    EXPECT_NEAR(w.FrontLayers[2].K, 0.75, 1e-6);
    EXPECT_NEAR(w.BehindLayers[0].K, 0.279384, 1e-6);
}

TEST(CalcGridTest, InclinedFrontSurfaceUsesCoulombAndIsClampedPerLayer)
{
    THeadwall w(nullptr);
    ReferenceInput(w, 3.0f, spCantilever);
    w.Front.AutoCoefficients = 1;
    w.FrontLayers = {Layer(5.0f, 0, 30), Layer(20.0f, 0, 20)};
    w.Front.Inclination = 50 * kDegree;
    Prepared(w);
    // Layer 1 sees the inclination clamped to its 30 degrees, layer 2 to 20.
    EXPECT_NEAR(w.FrontLayers[0].K, 8.742641, 1e-4);
    EXPECT_NEAR(w.FrontLayers[1].K, 3.312453, 1e-5);
    EXPECT_EQ(w.Front.Inclination, w.FrontLayers[1].Phi);

    THeadwall v(nullptr);
    ReferenceInput(v, 3.0f, spCantilever);
    v.Front.AutoCoefficients = 1;
    v.Front.Inclination = 10 * kDegree;
    v.FrontLayers[0].Delta = -10 * kDegree;
    Prepared(v);
    EXPECT_NEAR(v.FrontLayers[0].K, 6.218145, 1e-4);
}

TEST(CalcGridTest, CaquotSurchargeOnBothSides)
{
    // A uniform surcharge q on the soil surface adds K q at every depth below it.
    THeadwall w(nullptr);
    ReferenceInput(w, 3.0f, spCantilever);
    w.Behind.CaquotLoad = 30;
    w.Front.CaquotLoad = 20;
    Prepared(w);
    EXPECT_FLOAT_EQ(w.BehindSlices[0].PressureTop, 10.0f);
    EXPECT_FLOAT_EQ(w.BehindSlices[4].PressureBottom, (30.0f + 18.0f * 1.25f) / 3.0f);
    EXPECT_FLOAT_EQ(w.BehindSlices[4].VerticalStress, 30.0f + 18.0f * 1.25f);
    const TResultRow* dredge = RowAt(w, 3.0f);
    ASSERT_NE(dredge, nullptr);
    EXPECT_FLOAT_EQ((*dredge)[rcFrontEarthTop], -60.0f);
    EXPECT_FLOAT_EQ((*dredge)[rcFrontEarthBottom], -3.0f * (20.0f + 18.0f * 0.25f));
    // Above the front soil the surcharge acts on nothing.
    EXPECT_EQ(w.Results[11][rcFrontEarthBottom], 0.0f);
}

TEST(CalcGridTest, InclinationBehindIsClampedToThePhiOfEachLayer)
{
    // Two layers of 30 and 20 degrees: -40 degrees is clamped to -30 for the
    // first and to -20 for the second. Ka = cos2(phi) / (1 + sqrt(sin(phi) sin(phi - beta) / cos(beta)))2.
    THeadwall w(nullptr);
    ReferenceInput(w, 3.0f, spCantilever);
    w.Behind.AutoCoefficients = 1;
    w.BehindLayers = {Layer(5.0f, 0, 30), Layer(20.0f, 0, 20)};
    w.Behind.Inclination = -40 * kDegree;
    Prepared(w);
    EXPECT_NEAR(w.BehindLayers[0].K, 0.257359, 1e-5);
    EXPECT_NEAR(w.BehindLayers[1].K, 0.401130, 1e-5);
    EXPECT_EQ(w.Behind.Inclination, -w.BehindLayers[1].Phi);
    w.Behind.Inclination = 40 * kDegree;
    Prepared(w);
    EXPECT_EQ(w.Behind.Inclination, w.BehindLayers[1].Phi);
}

TEST(CalcGridTest, WaterColumns)
{
    THeadwall w(nullptr);
    ReferenceInput(w, 3.0f, spCantilever);
    w.Front.WaterLevel = 2.0f;
    w.Behind.WaterLevel = 1.0f;
    Prepared(w);
    for (const TResultRow& r : w.Results) {
        for (int end = 0; end < 2; ++end) {
            const float z = end == 0 ? r[rcTop] : r[rcBottom];
            float expected = 0;
            if (r[rcTop] >= 2.0f)
                expected = 10.0f;
            else if (r[rcTop] >= 1.0f)
                expected = (z - 1.0f) * 10.0f;
            EXPECT_NEAR(r[rcWaterTop + end], expected, 1e-4) << r[rcTop];
        }
    }
    // Submerged unit weight below the water behind: 18 to 1 m, then 10.
    EXPECT_FLOAT_EQ(w.BehindSlices[4].VerticalStress, 18.0f + 2.5f);

    THeadwall equal(nullptr);
    ReferenceInput(equal, 3.0f, spCantilever);
    equal.Front.WaterLevel = equal.Behind.WaterLevel = 1.5f;
    Prepared(equal);
    for (const TResultRow& r : equal.Results) {
        EXPECT_EQ(r[rcWaterTop], 0.0f);
        EXPECT_EQ(r[rcWaterBottom], 0.0f);
    }
}

TEST(CalcGridTest, WaterAbovePileTopAddsRowsWithoutEarthPressure)
{
    THeadwall w(nullptr);
    ReferenceInput(w, 3.0f, spCantilever);
    w.Front.WaterLevel = w.Behind.WaterLevel = -1.0f;
    Prepared(w);
    EXPECT_EQ(w.Results.front()[rcTop], -1.0f);
    const TResultRow* above = RowAt(w, -0.25f);
    ASSERT_NE(above, nullptr);
    for (int c = rcFrontEarthTop; c <= rcNetBottom; ++c)
        EXPECT_EQ((*above)[c], 0.0f) << c;
}

TEST(CalcGridTest, StripLoadColumns)
{
    THeadwall w(nullptr);
    ReferenceInput(w, 3.0f, spCantilever);
    w.Bousqs = {{0, 1, 2, 60}, {1, 2, 0, 10}};
    Prepared(w);
    const TResultRow* at = RowAt(w, 2.0f);
    ASSERT_NE(at, nullptr);
    // Evaluated 0.01 m below the strip level at the top of its first row.
    EXPECT_NEAR((*at)[rcBousqTop], 19.99999, 1e-3);
    EXPECT_NEAR((*at)[rcBousqTop + 1], 19.876693, 1e-4);
    EXPECT_EQ((*RowAt(w, 1.75f))[rcBousqTop], 0.0f);
    EXPECT_EQ((*RowAt(w, 1.75f))[rcBousqTop + 1], 0.0f);
    // Strip 2 from the surface: at 2 m with K = 1/3.
    EXPECT_NEAR((*at)[rcBousqTop + 2], 3.696753 / 3.0, 1e-5);
    // The net pressure adds both strips to the earth pressure behind.
    EXPECT_NEAR((*at)[rcNetTop], 12.0 + (*at)[rcBousqTop] + (*at)[rcBousqTop + 2], 1e-4);
}

TEST(CalcGridTest, UserdefinedPressures)
{
    THeadwall w(nullptr);
    ReferenceInput(w, 5.0f, spCantilever);
    w.Pressures = {{10, 20, 1, 2}, {5, 5, 3, 3.5f}};
    Prepared(w);
    for (const TResultRow& r : w.Results) {
        const float z = r[rcTop];
        if (z >= 1.0f && z < 2.0f) {
            EXPECT_FLOAT_EQ(r[rcUserTop], 10 + (z - 1) * 10);
            EXPECT_FLOAT_EQ(r[rcUserBottom], 10 + (r[rcBottom] - 1) * 10);
        } else if (z >= 3.0f && z < 3.5f) {
            EXPECT_EQ(r[rcUserTop], 5.0f);
            EXPECT_EQ(r[rcUserBottom], 5.0f);
        } else {
            EXPECT_EQ(r[rcUserTop], 0.0f) << z;
            EXPECT_EQ(r[rcUserBottom], 0.0f) << z;
        }
    }
}

TEST(CalcGridTest, NegativeActivePressureDoesNotPull)
{
    THeadwall w(nullptr);
    ReferenceInput(w, 3.0f, spCantilever);
    w.BehindLayers[0].Cohesion = 10;
    Prepared(w);
    const TResultRow& r = w.Results.front();
    EXPECT_NEAR(r[rcBehindEarthTop], -2 * 10 * std::sqrt(1.0 / 3.0), 1e-4);
    EXPECT_EQ(r[rcNetTop], 0.0f);
    EXPECT_EQ(r[rcNetBottom], 0.0f); // 1.5 - 11.5 < 0
}

TEST(CalcGridTest, ShortenRowInterpolatesAndUsesTanDelta)
{
    THeadwall w(nullptr);
    ReferenceInput(w, 3.0f, spCantilever);
    w.BehindLayers[0].Delta = 20 * kDegree;
    w.Bousqs = {{0, 1, 0, 20}};
    Prepared(w);
    const int row = 4; // 1.0 to 1.25
    const TResultRow before = w.Results[row];
    w.ShortenRow(row, 0.1f);
    const TResultRow& r = w.Results[row];
    EXPECT_FLOAT_EQ(r[rcBottom], 1.1f);
    EXPECT_FLOAT_EQ(r[rcThickness], 0.1f);
    EXPECT_FLOAT_EQ(r[rcBehindEarthBottom], 6.0f * 1.1f);
    EXPECT_FLOAT_EQ(r[rcBousqTop + 1], before[rcBousqTop] + (before[rcBousqTop + 1] - before[rcBousqTop]) * 0.4f);
    EXPECT_FLOAT_EQ(r[rcNetBottom], before[rcNetTop] + (before[rcNetBottom] - before[rcNetTop]) * 0.4f);
    const TLayer& s = w.BehindSlices[row];
    EXPECT_FLOAT_EQ(s.PressureBottom, 6.6f);
    EXPECT_FLOAT_EQ(s.HorizontalForce, (6.0f + 6.6f) * 0.05f);
    EXPECT_NEAR(s.VerticalForce, std::tan(20.0 * kDegree) * s.HorizontalForce, 1e-6);
}

TEST(CalcGridTest, SplitRowKeepsTheSliceOfBothHalves)
{
    TAnchorwall w(nullptr);
    ReferenceInput(w, 0.0f, spFixed);
    w.FrontLayers = w.BehindLayers = {Layer(2.0f, 1.0f)};
    w.Front.WaterLevel = w.Behind.WaterLevel = 2.0f;
    Prepared(w);
    ASSERT_EQ(w.Results.size(), 8u);
    w.SplitRow(0.3f);
    ASSERT_EQ(w.Results.size(), 9u);
    EXPECT_EQ(w.Results[1][rcBottom], 0.3f);
    EXPECT_FLOAT_EQ(w.Results[1][rcThickness], 0.05f);
    EXPECT_EQ(w.Results[2][rcTop], 0.3f);
    EXPECT_FLOAT_EQ(w.Results[2][rcThickness], 0.2f);
    EXPECT_FLOAT_EQ(w.Results[1][rcBehindEarthBottom], 18.0f * 0.3f);
    EXPECT_FLOAT_EQ(w.Results[2][rcBehindEarthTop], 18.0f * 0.3f);
    EXPECT_EQ(w.ResultSlices, (std::vector<int32_t>{0, 1, 1, 2, 3, 4, 5, 6, 7}));
    // At a row boundary, at the top of the first row or below all rows: nothing.
    w.SplitRow(0.5f);
    w.SplitRow(0.0f);
    w.SplitRow(9.0f);
    EXPECT_EQ(w.Results.size(), 9u);
}

TEST(CalcGridTest, InputThatCannotBeCalculated)
{
    struct Case {
        std::string expected;
        std::function<void(TWall&)> change;
    };
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const std::vector<Case> cases = {
        {"No soil layers in front!", [](TWall& w) { w.FrontLayers.clear(); }},
        {"No soil layers behind!", [](TWall& w) { w.BehindLayers.clear(); }},
        {"Tip of layer 2 behind must lie below the tip of the layer above!",
         [](TWall& w) { w.BehindLayers = {Layer(5, 0.3f), Layer(5, 0.3f)}; }},
        {"Tip of layer 2 in front must lie below the tip of the layer above!",
         [](TWall& w) { w.FrontLayers = {Layer(8, 3), Layer(7, 3)}; }},
        {"Phi of layer 1 in front must lie between 0 and 90 degrees!",
         [](TWall& w) { w.FrontLayers[0].Phi = -1 * kDegree; }},
        {"Phi of layer 1 behind must lie between 0 and 90 degrees!",
         [](TWall& w) { w.BehindLayers[0].Phi = 91 * kDegree; }},
        {"Kah of layer 1 behind must not be negative!", [](TWall& w) { w.BehindLayers[0].K = -0.1f; }},
        {"Kph of layer 1 in front must not be negative!", [](TWall& w) { w.FrontLayers[0].K = -1; }},
        {"Density Moist of layer 1 in front must not be negative!",
         [](TWall& w) { w.FrontLayers[0].DensityMoist = -18; }},
        {"Density Submerged of layer 2 behind must not be negative!",
         [](TWall& w) {
             w.BehindLayers = {Layer(5, 0.3f), Layer(20, 0.3f)};
             w.BehindLayers[1].DensitySubmerged = -1;
         }},
        {"Cohesion of layer 1 behind must not be negative!", [](TWall& w) { w.BehindLayers[0].Cohesion = -5; }},
        {"Inertia of the sheet pile section must not be negative!", [](TWall& w) { w.SectionInertia = -2e-4f; }},
        {"At most 5 Boussinesq strips are allowed!",
         [](TWall& w) { w.Bousqs.assign(6, TBousq{1, 1, 0, 10}); }},
        {"Userdefined pressure 1: its tip must lie below its top!",
         [](TWall& w) { w.Pressures = {{10, 10, 2, 2}}; }},
        {"Userdefined pressures 1 and 2 overlap or are not sorted by depth!",
         [](TWall& w) { w.Pressures = {{10, 10, 2, 3}, {10, 10, 1, 2}}; }},
        {"Userdefined pressures 1 and 2 overlap or are not sorted by depth!",
         [](TWall& w) { w.Pressures = {{10, 10, 2, 3}, {10, 10, 2.5f, 4}}; }},
        {"Support 3 is unknown! Choose Free or Fixed support.", [](TWall& w) { w.Support = 3; }},
        {"Section modulus and area of the sheet pile section must be > 0!",
         [](TWall& w) { w.SectionModulus = 0; }},
        {"Section modulus and area of the sheet pile section must be > 0!", [](TWall& w) { w.SectionArea = 0; }},
        {"Invalid numeric input! Check input values.", [nan](TWall& w) { w.Front.SoilLevel = nan; }},
        {"Invalid numeric input! Check input values.", [nan](TWall& w) { w.BehindLayers[0].Cohesion = nan; }},
        {"Invalid numeric input! Check input values.",
         [](TWall& w) { w.Forces = {{std::numeric_limits<float>::infinity(), 0, 1}}; }},
        {"Invalid numeric input! Check input values.", [](TWall& w) { w.SectionInertia = 1e31f; }},
        {"Force 2 lies below the last layer tip! Increase last layers tip.",
         [](TWall& w) { w.Forces = {{10, 0, 1}, {10, 0, 25}}; }},
        {"Boussinesq strip 1 lies below the last layer tip! Increase last layers tip.",
         [](TWall& w) { w.Bousqs = {{1, 1, 21, 10}}; }},
        {"Userdefined pressure 1 lies below the last layer tip! Increase last layers tip.",
         [](TWall& w) { w.Pressures = {{1, 1, 19, 21}}; }},
        {"Anchorlevel lies below the last layer tip! Increase last layers tip.",
         [](TWall& w) { w.AnchorLevel = 30; }},
        {"Soil level in front lies below the last layer tip! Increase last layers tip.",
         [](TWall& w) { w.Front.SoilLevel = 30; }},
        {"More than 10000 depth levels! Check levels and layer tips.",
         [](TWall& w) { w.FrontLayers[0].Tip = 2600; }},
        {"More than 10000 depth levels! Check levels and layer tips.",
         [](TWall& w) { w.Forces = {{1, 0, -1.0e30f}}; }},
    };
    for (const Case& c : cases) {
        TAnchorwall w(nullptr);
        ReferenceInput(w, 2.0f, spFixed);
        w.AnchorForce = 100;
        c.change(w);
        EXPECT_EQ(ErrorOf([&w] { w.Calculate(); }), c.expected);
    }
}

TEST(CalcGridTest, WaterBelowTheLastTipLeavesTheSoilAboveWater)
{
    // Dry in front, water at 5 m behind, layers to 20 m: the grid ends at the
    // tip and the soil in front weighs its moist weight down to it.
    THeadwall w(nullptr);
    ReferenceInput(w, 6.0f, spFree);
    w.Front.WaterLevel = 99.0f;
    w.Behind.WaterLevel = 5.0f;
    Prepared(w);
    ASSERT_EQ(w.Results.size(), 80u);
    EXPECT_EQ(w.Results.back()[rcBottom], 20.0f);
    const TResultRow* r = RowAt(w, 7.75f);
    ASSERT_NE(r, nullptr);
    // At 8 m: behind 1/3 (18 x 5 + 10 x 3) = 40, water behind 10 x 3 = 30,
    // in front 3 x 18 x 2 = 108.
    EXPECT_NEAR(r[0][rcBehindEarthBottom], 40.0f, 1e-4);
    EXPECT_NEAR(r[0][rcWaterBottom], 30.0f, 1e-4);
    EXPECT_NEAR(r[0][rcFrontEarthBottom], -108.0f, 1e-4);
    EXPECT_NEAR(r[0][rcNetBottom], -38.0f, 1e-4);
    // At the tip: 1/3 (90 + 150) = 80, 150 and 3 x 18 x 14 = 756.
    EXPECT_NEAR(w.Results.back()[rcBehindEarthBottom], 80.0f, 1e-4);
    EXPECT_NEAR(w.Results.back()[rcWaterBottom], 150.0f, 1e-4);
    EXPECT_NEAR(w.Results.back()[rcFrontEarthBottom], -756.0f, 1e-3);

    // The whole calculation is that of the water at the tip.
    w.Calculate();
    THeadwall atTip(nullptr);
    ReferenceInput(atTip, 6.0f, spFree);
    atTip.Front.WaterLevel = 20.0f;
    atTip.Behind.WaterLevel = 5.0f;
    atTip.Calculate();
    EXPECT_EQ(w.Results, atTip.Results);
    EXPECT_EQ(w.PileTip, atTip.PileTip);

    // Free support places the anchor of an anchor wall: the entered level is
    // not input and may lie anywhere, also below the tip and the water.
    TAnchorwall anchor(nullptr);
    ReferenceInput(anchor, 0.0f, spFree);
    anchor.Front.WaterLevel = anchor.Behind.WaterLevel = 99.0f;
    anchor.AnchorLevel = 50.0f;
    anchor.AnchorForce = 100.0f;
    anchor.Calculate();
    // As without the entered level: t = sqrt(100 / 24), anchor at 2 t / 3.
    EXPECT_NEAR(anchor.AnchorLevel, 1.360828, 2e-4);
    EXPECT_NEAR(anchor.PileTip, 2.041241 + 0.005, 0.0051);
}

TEST(CalcGridTest, PassiveCoefficientThatDoesNotExistNamesTheLayer)
{
    THeadwall w(nullptr);
    ReferenceInput(w, 3.0f, spCantilever);
    w.Front.AutoCoefficients = 1;
    w.FrontLayers = {Layer(5, 0, 30), Layer(20, 0, 40)};
    w.FrontLayers[1].Delta = -40 * kDegree;
    w.Front.Inclination = 40 * kDegree;
    EXPECT_EQ(ErrorOf([&w] { w.Calculate(); }),
              "Passive earth pressure coefficient of layer 2 in front cannot be calculated! "
              "Reduce Phi, Delta or the inclination.");
}

TEST(CalcGridTest, AnchorLevelIsCheckedWhereItIsUsed)
{
    // The pile top lies below the front soil: raised to the pile top, the
    // anchor would lie below the front soil level as well.
    THeadwall w(nullptr);
    ReferenceInput(w, 4.0f, spFree);
    w.Behind.SoilLevel = 5.0f;
    w.PileTop = 5.0f;
    w.AnchorLevel = 0.0f;
    EXPECT_EQ(ErrorOf([&w] { w.Calculate(); }), "Anchorlevel too low!");

    THeadwall same(nullptr);
    ReferenceInput(same, 0.0f, spFixed);
    EXPECT_EQ(ErrorOf([&same] { same.Calculate(); }), "Anchorlevel too low!");

    // A cantilever has no anchor.
    THeadwall cantilever(nullptr);
    ReferenceInput(cantilever, 4.0f, spCantilever);
    cantilever.AnchorLevel = 10.0f;
    EXPECT_NO_THROW(cantilever.Calculate());
}

} // namespace
} // namespace wd
