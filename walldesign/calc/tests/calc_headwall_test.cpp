// Head wall: the hand-checked references of all three supports, deflections,
// vertical balance and the failures of the tip searches.
//
// Tolerances: the tip searches step by 0.01 m (Cantilever), h/25 = 0.01 m
// (Free) and h/250 = 0.001 m (Fixed) and stop at the first step past the exact
// tip, so a tip may lie up to one step deeper than the exact one. Values that
// are stationary at the tip (the Free anchor force, the span moment found
// where the cross force changes its sign) stay within a few hundredths;
// values that are not (Blum's force C = -V) move by the net pressure times the
// step (about 154 kN/m2 x 0.01 m = 1.5 kN/m for the Cantilever).
#include "walldesign/calc/earthpressure.h"
#include "walldesign/calc/wall.h"

#include "calc_walls.h"
#include "platform/error.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>

namespace wd {
namespace {

using testing::kDegree;
using testing::Layer;
using testing::ReferenceInput;

constexpr const char* kEquilibriumFailure =
    "Equilibrium failure. Layers depth is too low or pressures <=0. Increase last layers tip respectively check "
    "pressures.";

std::string ErrorOf(const std::function<void()>& f)
{
    try {
        f();
    } catch (const sps::Exception& e) {
        return e.Message();
    }
    return "(no error)";
}

float MaxAbsDeflection(const TWall& w)
{
    float m = 0;
    for (const TResultRow& r : w.Results)
        m = std::max({m, std::fabs(r[rcDeflectionTop]), std::fabs(r[rcDeflectionBottom])});
    return m;
}

// Exact: (4 + t) / t = (Kp / Ka)^(1/3) = 9^(1/3) gives 4 + t = 7.703416 m;
// C = -V = 27 (T - 4)^2 - 3 T^2 = 192.285 kN/m; the moment z^3 has its
// maximum 6^3 - 9 (6 - 4)^3 = 144 kNm/m where V = 3 z^2 - 27 (z - 4)^2 = 0, at 6 m.
TEST(CalcHeadwallTest, CantileverReference)
{
    THeadwall w(nullptr);
    ReferenceInput(w, 4.0f, spCantilever);
    w.Calculate();
    const double tip = w.PileTip - w.OverLength;
    EXPECT_GE(tip, 7.703416 - 1e-4);
    EXPECT_LE(tip, 7.703416 + 0.01 + 1e-4);
    const double c = -w.Results.back()[rcCrossBottom];
    EXPECT_GE(c, 192.285 - 0.05);
    EXPECT_LE(c, 192.285 + 1.6);
    EXPECT_NEAR(w.MaxValues.Moment, 144.0, 0.01);
    EXPECT_NEAR(w.MaxValues.MomentDepth, 6.0, 0.01);
    EXPECT_EQ(w.AnchorForce, 0.0f);
    EXPECT_FLOAT_EQ(w.Embedment, w.PileTip - w.PileTop);
    EXPECT_EQ(w.Results.back()[rcBottom], static_cast<float>(tip));
    // Blum's additional embedment: C / (2 Kp gamma z) with the passive pressure behind the tip.
    EXPECT_NEAR(w.OverLength, c / (2.0 * 3.0 * 18.0 * tip), 1e-4);
    // Fixed at the tip.
    EXPECT_EQ(w.Results.back()[rcDeflectionBottom], 0.0f);
    EXPECT_EQ(w.Results.back()[rcRotationBottom], 0.0f);
    EXPECT_NEAR(w.MaxValues.CrossForce, 54.0, 0.01); // 3 z^2 at 4.5 m: 60.75 - 6.75
    EXPECT_NEAR(w.VerticalBalance, 0.0, 1e-6);       // no wall friction
}

// Exact: free earth support with the anchor at 0 has z V - M = 0 at the tip:
// 2 z^3 - 9 z (z - 6)^2 ... gives z = 8.405185 m, A = -V = 55.7487 kN/m, and
// the span moment z^3 - A z has its extreme -160.2139 kNm/m at 4.3108 m.
TEST(CalcHeadwallTest, FreeSupportReference)
{
    THeadwall w(nullptr);
    ReferenceInput(w, 6.0f, spFree);
    w.Calculate();
    EXPECT_GE(w.PileTip, 8.405185 - 1e-4);
    EXPECT_LE(w.PileTip, 8.405185 + 0.01 + 1e-4);
    EXPECT_NEAR(std::fabs(w.AnchorForce), 55.7487, 0.01);
    EXPECT_LT(w.AnchorForce, 0.0f);
    EXPECT_NEAR(w.MinValues.Moment, -160.2139, 0.02);
    EXPECT_NEAR(w.MinValues.MomentDepth, 4.3108, 0.015);
    EXPECT_EQ(w.OverLength, 0.0f);
    EXPECT_FLOAT_EQ(w.Embedment, w.PileTip);
    // Anchor force at the anchor, zero cross force and moment at the tip.
    EXPECT_FLOAT_EQ(w.Results.front()[rcCrossTop], w.AnchorForce);
    EXPECT_NEAR(w.Results.back()[rcMomentBottom], 0.0, 0.05);
    // Deflection: zero at the anchor and at the tip.
    const float scale = MaxAbsDeflection(w);
    EXPECT_GT(scale, 0.01f);
    EXPECT_EQ(w.Results.front()[rcDeflectionTop], 0.0f);
    EXPECT_NEAR(w.Results.back()[rcDeflectionBottom], 0.0, 1e-5 * scale);
    // Largest deflection (exact elastic line: -0.026284 m at 4.18 m for EI = 42000 kNm2/m).
    EXPECT_NEAR(w.MinValues.Deflection, -0.026284, 1e-4);
}

// Exact (fixed earth support, moment zero and tangent through the anchor at
// the theoretical tip): tip 9.8972 m, A = 44.1285 kN/m, C = 160.350 kN/m,
// span moment -112.8307 kNm/m at 3.8353 m.
TEST(CalcHeadwallTest, FixedSupportReference)
{
    THeadwall w(nullptr);
    ReferenceInput(w, 6.0f, spFixed);
    w.Calculate();
    const double tip = w.PileTip - w.OverLength;
    EXPECT_NEAR(tip, 9.8972, 0.002);
    EXPECT_NEAR(w.AnchorForce, -44.1285, 0.03);
    EXPECT_NEAR(w.MinValues.Moment, -112.8307, 0.1);
    EXPECT_NEAR(w.MinValues.MomentDepth, 3.8353, 0.015);
    // The deflection pass has added the anchor force to the cross forces.
    const double c = -w.Results.back()[rcCrossBottom];
    EXPECT_NEAR(c, 160.350, 0.3);
    EXPECT_GT(w.OverLength, 0.0f);
    EXPECT_FLOAT_EQ(w.Embedment, w.PileTip - w.PileTop);
    // The anchor force enters the rows from the anchor down.
    EXPECT_FLOAT_EQ(w.Results.front()[rcCrossTop], w.AnchorForce);
    EXPECT_EQ(w.Results.front()[rcDeflectionTop], 0.0f);
}

TEST(CalcHeadwallTest, FreeDeflectionWithMomentAboveTheAnchor)
{
    // Anchor 1.5 m below the pile top. Elastic line of the same moments
    // (anchor force 68 kN/m, tip 8.25 m): rotation -0.0056772 at the anchor,
    // deflection 0.0084797 m and rotation -0.0056471 at the pile top.
    THeadwall w(nullptr);
    ReferenceInput(w, 6.0f, spFree);
    w.AnchorLevel = 1.5f;
    w.Calculate();
    EXPECT_NEAR(w.PileTip, 8.25, 1e-6);
    EXPECT_NEAR(w.AnchorForce, -68.0, 0.01);
    size_t anchor = 0;
    while (w.Results[anchor][rcTop] != 1.5f)
        ++anchor;
    ASSERT_GT(anchor, 0u);
    const TResultRow& above = w.Results[anchor - 1];
    const TResultRow& at = w.Results[anchor];
    EXPECT_EQ(at[rcDeflectionTop], 0.0f);
    EXPECT_EQ(above[rcDeflectionBottom], 0.0f);
    EXPECT_EQ(above[rcRotationBottom], at[rcRotationTop]);
    EXPECT_NEAR(w.Results.back()[rcDeflectionBottom], 0.0, 1e-5 * MaxAbsDeflection(w));
    EXPECT_NEAR(at[rcRotationTop], -0.0056772, 0.0056772 * 0.005);
    EXPECT_NEAR(w.Results.front()[rcDeflectionTop], 0.0084797, 0.0084797 * 0.005);
    EXPECT_NEAR(w.Results.front()[rcRotationTop], -0.0056471, 0.0056471 * 0.005);
}

TEST(CalcHeadwallTest, TipAtRowBottomWithinHalfPercent)
{
    // Kp chosen so that z V - M = 0 exactly at 8.5 m: 2 z^3 / (9 z (z-6)^2 - 3 (z-6)^3).
    THeadwall w(nullptr);
    ReferenceInput(w, 6.0f, spFree);
    w.FrontLayers[0].K = 2.848116f;
    w.Calculate();
    EXPECT_EQ(w.PileTip, 8.5f);
    EXPECT_FLOAT_EQ(w.Results.back()[rcThickness], 0.25f);
}

TEST(CalcHeadwallTest, TipAtRowBottomOnlyWithinHalfPercent)
{
    // The exact tip at 8.515 m: at the row bottom 8.5 m the corrected cross
    // force is still 2 % of the cross force, so the search goes on into the
    // next row and stops at the first step past the tip.
    THeadwall w(nullptr);
    ReferenceInput(w, 6.0f, spFree);
    w.FrontLayers[0].K = 2.825484f;
    w.Calculate();
    EXPECT_FLOAT_EQ(w.PileTip, 8.52f);
}

TEST(CalcHeadwallTest, InclinedAnchorCarriesItsVerticalComponent)
{
    // Free reference wall without wall friction, the anchor (A = -55.7487 kN/m
    // at the pile top) inclined 20 degrees: its vertical component -tan(20) A
    // is the whole vertical balance, and it acts on the normal force at both
    // moment extremes, which lie at or below the anchor.
    THeadwall w(nullptr);
    ReferenceInput(w, 6.0f, spFree);
    w.AnchorInclination = 20 * kDegree;
    w.Calculate();
    const double vertical = std::tan(20.0 * kDegree) * 55.7487;
    EXPECT_NEAR(w.VerticalBalance, vertical, 0.005);
    EXPECT_NEAR(w.MinValues.NormalForce, vertical, 0.005);
    EXPECT_NEAR(w.MaxValues.NormalForce, vertical, 0.005);
}

TEST(CalcHeadwallTest, PileSafetyOfTheCalculatedWall)
{
    // Cantilever reference with wall friction behind and a vertical load of
    // 1000 kN/m exactly at the depth of the maximum moment (144 kNm/m at 6 m):
    // N = tan(20) 3 6^2 + 1000 kN/m; the elastic line of the Blum tip 7.71 m
    // gives w = -2.62353 mm there. Stress (M - N w) / W + N / A.
    THeadwall w(nullptr);
    ReferenceInput(w, 4.0f, spCantilever);
    w.BehindLayers[0].Delta = 20 * kDegree;
    w.Forces = {{0, 1000, 6.0f}};
    w.Calculate();
    ASSERT_EQ(w.MaxValues.MomentDepth, 6.0f);
    ASSERT_FLOAT_EQ(w.Results.back()[rcBottom], 7.71f);
    const double n = std::tan(20.0 * kDegree) * 108.0 + 1000.0;
    EXPECT_NEAR(w.MaxValues.NormalForce, n, 1e-3);
    EXPECT_NEAR(w.MaxValues.DeflectionAtMoment, -0.00262353, 1e-8);
    const double stress = ((144.0 + n * 0.00262353) / 1.0e-3 + n / 0.015) * 0.001;
    EXPECT_NEAR(w.MaxValues.StressAtMaxMoment, stress, 0.01);
    EXPECT_NEAR(w.MinValues.StressAtMaxMoment, -((144.0 + n * 0.00262353) / 1.0e-3 - n / 0.015) * 0.001, 0.01);
    EXPECT_NEAR(w.PileSafety, 355.0 / stress, 1e-4);
}

TEST(CalcHeadwallTest, AdditionalEmbedmentBelowWaterUsesTheSubmergedWeight)
{
    // Water at the surface on both sides: the soil weighs 10 kN/m3 all the way
    // down, and so does the passive pressure behind the tip: C / (2 Kp 10 t).
    THeadwall w(nullptr);
    ReferenceInput(w, 4.0f, spCantilever);
    w.Front.WaterLevel = w.Behind.WaterLevel = 0.0f;
    w.Calculate();
    const double t = w.Results.back()[rcBottom];
    ASSERT_GT(t - 7.5, 0.2); // far enough into its row for 18 instead of 10 to show
    const double c = -w.Results.back()[rcCrossBottom];
    EXPECT_NEAR(w.OverLength, c / (2.0 * 3.0 * 10.0 * t), 1e-5);
}

TEST(CalcHeadwallTest, InertiaZeroUsesFallbackStiffness)
{
    THeadwall free(nullptr), freeZero(nullptr);
    ReferenceInput(free, 6.0f, spFree);
    ReferenceInput(freeZero, 6.0f, spFree);
    freeZero.SectionInertia = 0;
    free.Calculate();
    freeZero.Calculate();
    EXPECT_EQ(freeZero.PileTip, free.PileTip);
    // EI 100 instead of 2.1e8 x 2e-4 = 42000.
    EXPECT_NEAR(freeZero.MinValues.Deflection, free.MinValues.Deflection * 420.0, 1e-3 * 420 * 0.0263);

    THeadwall fixed(nullptr), fixedZero(nullptr);
    ReferenceInput(fixed, 6.0f, spFixed);
    ReferenceInput(fixedZero, 6.0f, spFixed);
    fixedZero.SectionInertia = 0;
    fixed.Calculate();
    fixedZero.Calculate();
    // The search does not depend on EI; the deflection takes 2.1e8.
    EXPECT_NEAR(fixedZero.PileTip, fixed.PileTip, 0.0011);
    EXPECT_NEAR(fixedZero.MinValues.Deflection, fixed.MinValues.Deflection * 2e-4, 1e-8);

    THeadwall cantilever(nullptr), cantileverZero(nullptr);
    ReferenceInput(cantilever, 4.0f, spCantilever);
    ReferenceInput(cantileverZero, 4.0f, spCantilever);
    cantileverZero.SectionInertia = 0;
    cantilever.Calculate();
    cantileverZero.Calculate();
    EXPECT_NEAR(cantileverZero.MinValues.Deflection, cantilever.MinValues.Deflection * 2e-4, 1e-8);
}

TEST(CalcHeadwallTest, VerticalBalance)
{
    // Cantilever with wall friction behind: the sums are the earth forces of
    // the slices down to the theoretical tip T, 3 T^2 behind and 27 (T - 4)^2
    // in front; Blum's force C adds tan(delta) C behind.
    THeadwall w(nullptr);
    ReferenceInput(w, 4.0f, spCantilever);
    w.BehindLayers[0].Delta = 20 * kDegree;
    w.Forces = {{0, 10, 1.0f}};
    w.Calculate();
    const double t = w.PileTip - w.OverLength;
    const double tanDelta = std::tan(20.0 * kDegree);
    const double c = -w.Results.back()[rcCrossBottom];
    EXPECT_NEAR(w.Behind.SumHorizontal, 3 * t * t, 0.01);
    EXPECT_NEAR(w.Front.SumHorizontal, 27 * (t - 4) * (t - 4), 0.01);
    EXPECT_EQ(w.Front.SumVertical, 0.0f);
    EXPECT_NEAR(w.Behind.SumVertical, tanDelta * (3 * t * t + c), 0.01);
    EXPECT_NEAR(w.VerticalBalance, w.Behind.SumVertical + 10.0, 1e-3);
    // At the maximum moment (6 m): the vertical earth force above it and the force at 1 m.
    EXPECT_NEAR(w.MaxValues.NormalForce, tanDelta * 3 * 36 + 10, 1e-3);
}

TEST(CalcHeadwallTest, EquilibriumFailures)
{
    for (uint8_t support : {spFree, spFixed, spCantilever}) {
        // Passive resistance smaller than the active pressure: no tip.
        THeadwall w(nullptr);
        ReferenceInput(w, 4.0f, support);
        w.FrontLayers[0].K = 0.2f;
        EXPECT_EQ(ErrorOf([&w] { w.Calculate(); }), kEquilibriumFailure) << int(support);
    }
    // Too short: the layers end before the tip.
    THeadwall shallow(nullptr);
    ReferenceInput(shallow, 4.0f, spCantilever);
    shallow.FrontLayers[0].Tip = shallow.BehindLayers[0].Tip = 12.0f;
    shallow.Front.WaterLevel = shallow.Behind.WaterLevel = 12.0f;
    shallow.FrontLayers[0].K = 0.6f;
    EXPECT_EQ(ErrorOf([&shallow] { shallow.Calculate(); }), kEquilibriumFailure);
}

TEST(CalcHeadwallTest, CantileverDoesNotStopInTheRowAtTheDredgeLevel)
{
    // Without earth pressure behind, forces of 100 at 0 m and -190 at 2 m
    // give M = 100 z - 190 (z - 2) = 380 - 90 z, zero at 4.22 m, inside the
    // row that starts at the front soil level: that sign change does not count.
    THeadwall w(nullptr);
    ReferenceInput(w, 4.0f, spCantilever);
    w.BehindLayers[0].K = 0;
    w.Forces = {{100, 0, 0}, {-190, 0, 2}};
    EXPECT_EQ(ErrorOf([&w] { w.Calculate(); }), kEquilibriumFailure);
}

TEST(CalcHeadwallTest, CantileverWithoutTipIsAnError)
{
    // Front soil 0.1 m below the pile top: the layers end at 0.3 m, and the
    // only sign change of the moment (+1 at 0.1 m, below zero at 0.3 m) lies in
    // the row that starts at the front soil level. No tip is found: an error,
    // not the tip of an earlier calculation.
    THeadwall w(nullptr);
    ReferenceInput(w, 0.1f, spCantilever);
    w.FrontLayers[0].Tip = w.BehindLayers[0].Tip = 0.3f;
    w.Front.WaterLevel = w.Behind.WaterLevel = 0.3f;
    w.BehindLayers[0].K = 0;
    w.Forces = {{10, 0, 0}, {-30, 0, 0.1f}};
    w.PileTip = 0.25f;
    EXPECT_EQ(ErrorOf([&w] { w.Calculate(); }), kEquilibriumFailure);
    ASSERT_EQ(w.Results.size(), 2u);
    EXPECT_NE(Sign(w.Results[1][rcMomentTop]), Sign(w.Results[1][rcMomentBottom]));
}

TEST(CalcHeadwallTest, NoFixedSupportPossible)
{
    THeadwall w(nullptr);
    ReferenceInput(w, 2.0f, spFixed);
    w.Forces = {{-100, 0, 0.25f}};
    EXPECT_EQ(ErrorOf([&w] { w.Calculate(); }), "No Fixed Support possible!");
}

TEST(CalcHeadwallTest, CantileverWithAnchorwallInSection)
{
    TSection section(nullptr);
    THeadwall* head = section.CreateHeadwall();
    section.CreateAnchorwall();
    ReferenceInput(*head, 4.0f, spCantilever);
    EXPECT_EQ(ErrorOf([head] { head->Calculate(); }),
              "Cannot calculate section as cantilever while containing a anchorwall.");
}

TEST(CalcHeadwallTest, TipSearchesAreBounded)
{
    // A row without the expected sign change: the cantilever search takes the
    // row's bottom instead of stepping on forever.
    THeadwall w(nullptr);
    ReferenceInput(w, 4.0f, spCantilever);
    w.Prepare();
    w.LayerPressures();
    w.FillResults();
    const int row = 20; // 5.0 to 5.25
    TResultRow& r = w.Results[row];
    r[rcNetTop] = r[rcNetBottom] = 0;
    r[rcCrossTop] = r[rcCrossBottom] = 0;
    r[rcMomentTop] = r[rcMomentBottom] = 1;
    float cv = 0;
    w.RefineCantileverTip(row, cv);
    EXPECT_FLOAT_EQ(w.PileTip, 5.25f);
    EXPECT_EQ(w.OverLength, 0.0f);

    // The fixed search that finds no tip within its 250 steps raises instead of
    // keeping a stale tip.
    THeadwall f(nullptr);
    ReferenceInput(f, 4.0f, spFixed);
    f.Prepare();
    f.LayerPressures();
    f.FillResults();
    for (int c = rcNetTop; c <= rcDeflectionBottom; ++c)
        f.Results[row][c] = 0;
    EXPECT_EQ(ErrorOf([&f, row, &cv] { f.RefineFixedTip(row, -1.0f, cv); }), kEquilibriumFailure);
}

TEST(CalcHeadwallTest, FreeTipFoundOnlyBeyondTheRowIsNotTaken)
{
    // Row 1.0 to 1.25 with the anchor at 0, V = 1 + e x, M = x + e x^2 / 2:
    // V' = V - M / (1 + x) vanishes at x0 for e = -1 / (x0 + x0^2 / 2).
    auto refine = [](float x0) {
        THeadwall w(nullptr);
        ReferenceInput(w, 0.5f, spFree);
        w.Prepare();
        w.LayerPressures();
        w.FillResults();
        TResultRow& r = w.Results[4];
        r[rcNetTop] = r[rcNetBottom] = static_cast<float>(-1.0 / (x0 + x0 * x0 / 2.0));
        r[rcCrossTop] = 1;
        r[rcMomentTop] = 0;
        w.PileTip = w.PileTop;
        w.RefineFreeTip(4);
        return std::make_pair(w.PileTip, w.Results[4][rcThickness]);
    };
    // Sign change at the 25th step (x = 0.25 m): the tip is the row's bottom.
    auto [tip25, h25] = refine(0.245f);
    EXPECT_FLOAT_EQ(tip25, 1.25f);
    EXPECT_FLOAT_EQ(h25, 0.25f);
    // Only at the 26th step (x = 0.26 m, beyond the row): no tip in this row.
    auto [tip26, h26] = refine(0.255f);
    EXPECT_EQ(tip26, 0.0f);
    EXPECT_FLOAT_EQ(h26, 0.25f);
}

TEST(CalcHeadwallTest, AdditionalEmbedmentStaysWithinTheSlices)
{
    THeadwall w(nullptr);
    ReferenceInput(w, 4.0f, spCantilever);
    w.Prepare();
    w.LayerPressures();
    w.FillResults();
    const int last = static_cast<int>(w.BehindSlices.size()) - 1;
    // Pressure falling below the tip all the way down: the walk ends at the last slice.
    for (TLayer& s : w.BehindSlices)
        s.PressureTop = s.PressureBottom = 0;
    w.BehindSlices[static_cast<size_t>(last - 3)].PressureBottom = 100;
    float cv = 0;
    const float dt = w.AdditionalEmbedment(last - 3, 0.1f, 50.0f, cv);
    EXPECT_GT(dt, 0.0f);
    EXPECT_EQ(w.OverLength, dt);
    w.BehindSlices[static_cast<size_t>(last)].PressureBottom = 100;
    EXPECT_NO_THROW(w.AdditionalEmbedment(last, 0.1f, 50.0f, cv));
    // No passive pressure behind the tip.
    w.BehindSlices[static_cast<size_t>(last - 4)].VerticalStress = 0;
    EXPECT_EQ(ErrorOf([&w, last, &cv] { w.AdditionalEmbedment(last - 3, 0.0f, 50.0f, cv); }),
              "Additional embedment failure. Passive pressure behind the tip is <=0!");
    // The first row has none.
    EXPECT_EQ(w.AdditionalEmbedment(0, 0.1f, 50.0f, cv), 0.0f);
    EXPECT_EQ(cv, 0.0f);
}

TEST(CalcHeadwallTest, AdditionalEmbedmentUsesTheWeakerLayerBelow)
{
    // A weaker layer starts just below the theoretical tip: its smaller passive
    // pressure decides the additional embedment.
    THeadwall w(nullptr);
    ReferenceInput(w, 4.0f, spCantilever);
    w.BehindLayers = {Layer(7.75f, 1.0f / 3.0f), Layer(20.0f, 0.2f, 20.0f)};
    w.Calculate();
    const double t = w.PileTip - w.OverLength;
    ASSERT_LT(t, 7.75);
    const double c = -w.Results.back()[rcCrossBottom];
    // Passive coefficient of the 20 degree layer: (1 + sin 20) / (1 - sin 20).
    EXPECT_NEAR(w.OverLength, c / (2.0 * 2.039607 * 18.0 * t), 1e-3);
}

} // namespace
} // namespace wd
