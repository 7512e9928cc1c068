// Anchor wall: Free and Fixed support against hand calculations, the force
// taken from the head wall, and the failures of its calculation.
//
// Soil on both sides at the pile top (0 m), Ka = 1/3, Kp = 3, 18 kN/m3: the
// net pressure is -48 z, so V = -24 z^2 and M = -8 z^3 above the anchor.
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
using testing::ReferenceInput;

std::string ErrorOf(const std::function<void()>& f)
{
    try {
        f();
    } catch (const sps::Exception& e) {
        return e.Message();
    }
    return "(no error)";
}

void AnchorInput(TWall& w, uint8_t support, float force)
{
    ReferenceInput(w, 0.0f, support);
    w.FrontLayers[0].Tip = w.BehindLayers[0].Tip = 6.0f;
    w.Front.WaterLevel = w.Behind.WaterLevel = 6.0f;
    w.AnchorForce = force;
}

// V + A = 0 at the tip: t = sqrt(A / 24) = 2.041241 m for A = 100 kN/m; the
// anchor where the moment vanishes at the tip: t + M / A = 2 t / 3 = 1.360828 m.
TEST(CalcAnchorwallTest, FreeSupportPlacesTheAnchor)
{
    TAnchorwall w(nullptr);
    AnchorInput(w, spFree, 100.0f);
    // Rows above the pile top; the soil weighs the same under water here.
    w.Front.WaterLevel = w.Behind.WaterLevel = -1.0f;
    w.FrontLayers[0].DensitySubmerged = w.BehindLayers[0].DensitySubmerged = 18.0f;
    w.Calculate();
    EXPECT_GE(w.PileTip, 2.041241 - 1e-4);
    EXPECT_LE(w.PileTip, 2.041241 + 0.01 + 1e-4);
    EXPECT_NEAR(w.AnchorLevel, 1.360828, 2e-4);
    EXPECT_FLOAT_EQ(w.Embedment, w.PileTip);
    EXPECT_EQ(w.OverLength, 0.0f);

    // The row holding the anchor is split there; the cross force jumps by the anchor force.
    size_t anchor = 0;
    while (anchor < w.Results.size() && w.Results[anchor][rcTop] != w.AnchorLevel)
        ++anchor;
    ASSERT_LT(anchor, w.Results.size());
    ASSERT_GT(anchor, 0u);
    EXPECT_EQ(w.Results[anchor - 1][rcBottom], w.AnchorLevel);
    EXPECT_EQ(w.ResultSlices[anchor - 1], w.ResultSlices[anchor]);
    EXPECT_NEAR(w.Results[anchor][rcCrossTop] - w.Results[anchor - 1][rcCrossBottom], 100.0, 1e-4);
    // Equilibrium at the tip.
    EXPECT_NEAR(w.Results.back()[rcCrossBottom], 0.0, 1.0);
    EXPECT_NEAR(w.Results.back()[rcMomentBottom], 0.0, 0.2);

    // Above the pile top nothing; the deflection starts at zero at the pile top.
    for (const TResultRow& r : w.Results) {
        if (r[rcTop] >= 0.0f)
            continue;
        for (int c = rcCrossTop; c <= rcDeflectionBottom; ++c)
            EXPECT_EQ(r[c], 0.0f) << r[rcTop] << " column " << c;
    }
    const TResultRow* top = nullptr;
    for (const TResultRow& r : w.Results)
        if (r[rcTop] == 0.0f)
            top = &r;
    ASSERT_NE(top, nullptr);
    EXPECT_EQ((*top)[rcDeflectionTop], 0.0f);
    // Zero rotation at the anchor, from both sides.
    EXPECT_EQ(w.Results[anchor - 1][rcRotationBottom], 0.0f);
    EXPECT_EQ(w.Results[anchor][rcRotationTop], 0.0f);
}

TEST(CalcAnchorwallTest, TipAtRowBottomOnlyWithinHalfPercent)
{
    // A = 24 x 2^2 = 96 kN/m: V + A = 0 at the row bottom 2 m, which is the
    // tip; the moment -8 z^3 + A (z - a) vanishes there for a = 2 - 64 / 96.
    TAnchorwall w(nullptr);
    AnchorInput(w, spFree, 96.0f);
    w.Calculate();
    EXPECT_EQ(w.PileTip, 2.0f);
    EXPECT_NEAR(w.AnchorLevel, 4.0 / 3.0, 1e-5);
    // A = 24 x 2.015^2: at 2 m V + A is still 1.5 % of V; the tip lies one
    // step of 0.01 m past 2.015 m.
    TAnchorwall v(nullptr);
    AnchorInput(v, spFree, 97.4454f);
    v.Calculate();
    EXPECT_FLOAT_EQ(v.PileTip, 2.02f);
}

TEST(CalcAnchorwallTest, SplitRowKeepsTheSums)
{
    // Each slice counts once: the earth forces down to the tip T are
    // 3 T^2 behind and 27 T^2 in front.
    TAnchorwall w(nullptr);
    AnchorInput(w, spFree, 100.0f);
    w.BehindLayers[0].Delta = 20 * kDegree;
    w.Bousqs = {{0.5f, 1.0f, 0.0f, 20.0f}};
    w.Calculate();
    const double t = w.PileTip;
    EXPECT_NEAR(w.Behind.SumHorizontal, 3 * t * t, 1e-3);
    EXPECT_NEAR(w.Front.SumHorizontal, 27 * t * t, 1e-2);
    // Vertical behind: tan(delta) times the earth force and the strip load share.
    double strip = 0;
    for (const TResultRow& r : w.Results)
        strip += (double(r[rcBousqTop]) + r[rcBousqTop + 1]) * r[rcThickness] / 2;
    const double tanDelta = std::tan(20.0 * kDegree);
    EXPECT_NEAR(w.Behind.SumVertical, tanDelta * (3 * t * t + strip), 1e-3);
    EXPECT_NEAR(w.VerticalBalance, w.Behind.SumVertical, 1e-4);
}

// Anchor at 0.5 m: M = 100 (z - 0.5) - 8 z^3 has its zero with falling
// moment at 3.252440 m where V = -153.881 kN/m; Blum's additional embedment
// with the passive pressure behind the tip is C / (2 Kp 18 t) = 0.43808 m.
TEST(CalcAnchorwallTest, FixedSupport)
{
    TAnchorwall w(nullptr);
    AnchorInput(w, spFixed, 100.0f);
    w.AnchorLevel = 0.5f;
    w.Calculate();
    const double t = w.PileTip - w.OverLength;
    EXPECT_GE(t, 3.252440 - 1e-4);
    EXPECT_LE(t, 3.252440 + 0.01 + 1e-4);
    // The tip lies up to one step of 0.01 m deeper, where V falls by 48 t x 0.01 m.
    EXPECT_GE(-w.Results.back()[rcCrossBottom], 153.881 - 0.01);
    EXPECT_LE(-w.Results.back()[rcCrossBottom], 153.881 + 1.6);
    const double c = -w.Results.back()[rcCrossBottom];
    EXPECT_NEAR(w.OverLength, c / (2.0 * 3.0 * 18.0 * t), 1e-4);
    EXPECT_NEAR(w.OverLength, 0.43808, 0.005);
    EXPECT_EQ(w.AnchorLevel, 0.5f);
    EXPECT_FLOAT_EQ(w.Embedment, w.PileTip - w.PileTop);
    // Maximum moment where V = 100 - 24 z^2 = 0: 86.0828 kNm/m at 2.0412 m.
    EXPECT_NEAR(w.MaxValues.Moment, 86.0828, 0.01);
    EXPECT_NEAR(w.MaxValues.MomentDepth, 2.0412, 0.011);
    // Fixed at the tip.
    EXPECT_EQ(w.Results.back()[rcDeflectionBottom], 0.0f);
    // Cv = tan(delta) C = 0 without wall friction.
    EXPECT_NEAR(w.VerticalBalance, 0.0, 1e-6);
}

// A force of 12 kN/m at the top and the anchor at 1.5 m: M = 12 z - 8 z^3
// changes its sign at 1.2247 m, above the anchor; below it M = 112 z - 8 z^3
// - 150 rises through zero at 1.6 m (V > 0) and falls through zero at
// 2.611616 m. Only the last change with V < 0 below the anchor ends the search.
TEST(CalcAnchorwallTest, FixedSupportPassesOverChangesAboveTheAnchorOrWithRisingMoment)
{
    TAnchorwall w(nullptr);
    AnchorInput(w, spFixed, 100.0f);
    w.AnchorLevel = 1.5f;
    w.Forces = {{12.0f, 0.0f, 0.0f}};
    w.Calculate();
    const double t = w.PileTip - w.OverLength;
    EXPECT_GE(t, 2.611616 - 1e-4);
    EXPECT_LE(t, 2.611616 + 0.01 + 1e-4);
    EXPECT_LT(w.Results.back()[rcCrossBottom], 0.0f);
}

TEST(CalcAnchorwallTest, ForceFromTheHeadwall)
{
    TSection section(nullptr);
    THeadwall* head = section.CreateHeadwall();
    TAnchorwall* anchor = section.CreateAnchorwall();
    ReferenceInput(*head, 6.0f, spFree);
    AnchorInput(*anchor, spFree, 1.0f);
    anchor->AnchorSafety = 1.5f;
    head->SetModified();
    // A head wall change makes the anchor wall's results stale too.
    EXPECT_TRUE(anchor->Modified);
    anchor->Calculate();
    EXPECT_FALSE(head->Modified);
    EXPECT_NEAR(anchor->AnchorForce, 55.7487 * 1.5, 0.02);
    EXPECT_FLOAT_EQ(anchor->AnchorForce, std::fabs(head->AnchorForce * 1.5f));
    // t = sqrt(A / 24)
    EXPECT_NEAR(anchor->PileTip, std::sqrt(anchor->AnchorForce / 24.0), 0.011);
}

TEST(CalcAnchorwallTest, FailedHeadwall)
{
    TSection section(nullptr);
    THeadwall* head = section.CreateHeadwall();
    TAnchorwall* anchor = section.CreateAnchorwall();
    ReferenceInput(*head, 6.0f, spFree);
    head->FrontLayers[0].K = 0.2f; // no equilibrium
    AnchorInput(*anchor, spFree, 100.0f);
    anchor->AnchorSafety = 1.0f;
    head->SetModified();
    // The head wall's own error first, unchanged.
    EXPECT_NE(ErrorOf([anchor] { anchor->Calculate(); }).find("Equilibrium failure"), std::string::npos);
    // Then the head wall stays without results: its half-computed force is not taken.
    EXPECT_EQ(ErrorOf([anchor] { anchor->Calculate(); }), "Headwall cannot be calculated! Check input of the Headwall.");
    // A head wall that was never calculated has no results either.
    TSection other(nullptr);
    other.CreateHeadwall();
    TAnchorwall* lone = other.CreateAnchorwall();
    AnchorInput(*lone, spFree, 100.0f);
    EXPECT_EQ(ErrorOf([lone] { lone->Calculate(); }), "Headwall cannot be calculated! Check input of the Headwall.");
}

TEST(CalcAnchorwallTest, Failures)
{
    TAnchorwall zero(nullptr);
    AnchorInput(zero, spFree, 0.0f);
    EXPECT_EQ(ErrorOf([&zero] { zero.Calculate(); }), "Anchorforce is zero! Anchorwall cannot be calculated.");

    // A force of 100 kN/m at the top moves the level of zero moment below the tip:
    // t = sqrt(200 / 24) = 2.887 m, t + M / A = 3.849 m.
    TAnchorwall outside(nullptr);
    AnchorInput(outside, spFree, 100.0f);
    outside.Forces = {{100, 0, 0}};
    EXPECT_EQ(ErrorOf([&outside] { outside.Calculate(); }),
              "Anchorlevel outside the anchorwall! Check anchor force and layers.");

    TAnchorwall cantilever(nullptr);
    AnchorInput(cantilever, spCantilever, 100.0f);
    EXPECT_EQ(ErrorOf([&cantilever] { cantilever.Calculate(); }),
              "Cantilever support is not possible for an anchorwall! Choose Free or Fixed support.");
    TAnchorwall unknown(nullptr);
    AnchorInput(unknown, spFree, 100.0f);
    unknown.Support = 7;
    EXPECT_EQ(ErrorOf([&unknown] { unknown.Calculate(); }), "Support 7 is unknown! Choose Free or Fixed support.");

    // Layers too short for the force.
    TAnchorwall shallow(nullptr);
    AnchorInput(shallow, spFree, 1000.0f);
    EXPECT_EQ(ErrorOf([&shallow] { shallow.Calculate(); }),
              "Equilibrium failure. Layers depth is too low or pressures <=0. Increase last layers tip "
              "respectively check pressures.");
    TAnchorwall shallowFixed(nullptr);
    AnchorInput(shallowFixed, spFixed, 1000.0f);
    EXPECT_EQ(ErrorOf([&shallowFixed] { shallowFixed.Calculate(); }),
              "Equilibrium failure. Layers depth is too low or pressures <=0. Increase last layers tip "
              "respectively check pressures.");
}

TEST(CalcAnchorwallTest, FreeTipSearchIsBounded)
{
    TAnchorwall w(nullptr);
    AnchorInput(w, spFree, 100.0f);
    w.Prepare();
    w.LayerPressures();
    w.FillResults();
    // A row in which V + A keeps its sign: the search ends at the row's bottom.
    const int row = 4; // 1.0 to 1.25
    TResultRow& r = w.Results[row];
    r[rcNetTop] = r[rcNetBottom] = 0;
    r[rcCrossTop] = r[rcCrossBottom] = 10;
    r[rcMomentTop] = -20;
    r[rcMomentBottom] = -17.5f;
    w.RefineFreeTip(row);
    EXPECT_FLOAT_EQ(w.PileTip, 1.25f);
    EXPECT_FLOAT_EQ(w.AnchorLevel, 1.25f - 0.175f);
    EXPECT_EQ(w.Results.size(), 6u); // split at the anchor level
}

} // namespace
} // namespace wd
