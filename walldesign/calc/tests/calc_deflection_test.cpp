// Rotation and deflection of every support against the elastic line
// EI w'' = -M worked out in closed form.
//
// The reference soil (Ka = 1/3, Kp = 3, 18 kN/m3) gives polynomial moments:
// behind the wall 6 z of net pressure, in front 54 (z - d) below the front
// soil level d, and an anchor force A at level a adds A (z - a). With
// F(z) = integral from 0 to z of (z - u) M(u) du, every elastic line is
// w = -F / EI + c1 z + c0, the constants following from the support.
// The lines are built for the tip and anchor force the wall found, so they
// check the integration, not the tip search.
#include "walldesign/calc/wall.h"

#include "calc_walls.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace wd {
namespace {

using testing::ReferenceInput;

constexpr double kEI = 2.1e8 * 2.0e-4; // ReferenceInput's inertia

// M(z) = sum of c (z - z0)^p over z > z0.
struct Term {
    double c, z0;
    int p;
};

struct ExactLine {
    std::vector<Term> moment;
    double c1 = 0, c0 = 0;

    double F(double z) const
    {
        double f = 0;
        for (const Term& t : moment)
            if (z > t.z0)
                f += t.c * std::pow(z - t.z0, t.p + 2) / ((t.p + 1) * (t.p + 2));
        return f;
    }
    double dF(double z) const
    {
        double f = 0;
        for (const Term& t : moment)
            if (z > t.z0)
                f += t.c * std::pow(z - t.z0, t.p + 1) / (t.p + 1);
        return f;
    }
    double W(double z) const { return -F(z) / kEI + c1 * z + c0; }
    double Slope(double z) const { return -dF(z) / kEI + c1; }

    // w = 0 at both depths.
    void Pinned(double z1, double z2)
    {
        c1 = (F(z2) - F(z1)) / (kEI * (z2 - z1));
        c0 = F(z1) / kEI - c1 * z1;
    }
    // w = 0 at zw, w' = 0 at zr.
    void Held(double zw, double zr)
    {
        c1 = dF(zr) / kEI;
        c0 = F(zw) / kEI - c1 * zw;
    }
};

// Compares every row boundary from the pile top, to a few units of the last
// place of the stored singles; `negatedAbove`: rows whose bottom lies at or
// above it hold -w' in the rotation columns.
void ExpectLine(const TWall& w, const ExactLine& line, double negatedAbove)
{
    double smallest = 0, deepestOfSmallest = 0, largest = 0;
    for (const TResultRow& r : w.Results) {
        if (r[rcTop] < w.PileTop)
            continue;
        const double sign = r[rcBottom] <= negatedAbove ? -1.0 : 1.0;
        for (int end = 0; end < 2; ++end) {
            const double z = end == 0 ? r[rcTop] : r[rcBottom];
            EXPECT_NEAR(r[rcDeflectionTop + end], line.W(z), 1e-8) << "deflection at " << z;
            EXPECT_NEAR(r[rcRotationTop + end], sign * line.Slope(z), 2e-9) << "rotation at " << z;
            if (line.W(z) < smallest) {
                smallest = line.W(z);
                deepestOfSmallest = z;
            }
            largest = std::max(largest, line.W(z));
        }
    }
    EXPECT_NEAR(w.MinValues.Deflection, smallest, 1e-8);
    EXPECT_NEAR(w.MinValues.DeflectionDepth, deepestOfSmallest, 1e-6);
    EXPECT_NEAR(w.MaxValues.Deflection, largest, 1e-8);
}

float Tip(const TWall& w) { return w.Results.back()[rcBottom]; }

TEST(CalcDeflectionTest, CantileverIsClampedAtTheTip)
{
    // M = z^3 - 9 (z - 4)^3; the largest deflection is at the pile top.
    THeadwall w(nullptr);
    ReferenceInput(w, 4.0f, spCantilever);
    w.Calculate();
    ExactLine line{{{1, 0, 3}, {-9, 4, 3}}};
    line.Held(Tip(w), Tip(w));
    ExpectLine(w, line, 1e9);
    EXPECT_NEAR(line.W(0), -0.059014, 2e-6); // the Blum tip 7.71 m, EI 42000 kNm2/m
    EXPECT_EQ(w.MinValues.DeflectionDepth, 0.0f);
    EXPECT_EQ(w.Results.back()[rcDeflectionBottom], 0.0f);
    EXPECT_EQ(w.Results.back()[rcRotationBottom], 0.0f);
    EXPECT_FALSE(std::signbit(w.Results.back()[rcRotationBottom])); // the report shows 0.000, not -0.000
}

TEST(CalcDeflectionTest, HeadwallIsPinnedAtTheAnchorAndTheTip)
{
    for (uint8_t support : {spFree, spFixed}) {
        // Anchor 3 m below the top: M = z^3 - 9 (z - 6)^3 + A (z - 3).
        THeadwall w(nullptr);
        ReferenceInput(w, 6.0f, support);
        w.AnchorLevel = 3.0f;
        w.Calculate();
        ExactLine line{{{1, 0, 3}, {-9, 6, 3}, {w.AnchorForce, 3, 1}}};
        line.Pinned(3.0, Tip(w));
        ExpectLine(w, line, -1e9);
        EXPECT_LE(std::fabs(w.Results.back()[rcDeflectionBottom]), 1e-6) << int(support);
        if (support == spFixed) {
            // Blum's tip: the tangent there passes through the anchor, so the
            // line is nearly horizontal at the tip (one search step deeper).
            EXPECT_LT(std::fabs(w.Results.back()[rcRotationBottom]), 0.03 * std::fabs(line.Slope(0)));
            EXPECT_NEAR(line.W(0), 0.0018047, 2e-6);
            EXPECT_NEAR(w.MinValues.Deflection, -0.0018811, 2e-6);
            EXPECT_EQ(w.MinValues.DeflectionDepth, 5.25f);
        }
    }
}

TEST(CalcDeflectionTest, FixedAnchorwallIsClampedAtTheTip)
{
    // Soil on both sides at the top: M = A (z - 0.5) - 8 z^3.
    TAnchorwall w(nullptr);
    ReferenceInput(w, 0.0f, spFixed);
    w.FrontLayers[0].Tip = w.BehindLayers[0].Tip = 6.0f;
    w.Front.WaterLevel = w.Behind.WaterLevel = 6.0f;
    w.AnchorForce = 100.0f;
    w.AnchorLevel = 0.5f;
    w.Calculate();
    ExactLine line{{{100, 0.5, 1}, {-8, 0, 3}}};
    line.Held(Tip(w), Tip(w));
    ExpectLine(w, line, 1e9);
    EXPECT_NEAR(line.W(0), -0.0071937, 2e-6);
    EXPECT_EQ(w.Results.back()[rcRotationBottom], 0.0f);
}

TEST(CalcDeflectionTest, FreeAnchorwallHangsAtThePileTopAndTurnsAtTheAnchor)
{
    // The anchor level is found; water above the pile top adds rows that carry nothing.
    TAnchorwall w(nullptr);
    ReferenceInput(w, 0.0f, spFree);
    w.FrontLayers[0].Tip = w.BehindLayers[0].Tip = 6.0f;
    w.Front.WaterLevel = w.Behind.WaterLevel = -1.0f;
    w.FrontLayers[0].DensitySubmerged = w.BehindLayers[0].DensitySubmerged = 18.0f;
    w.AnchorForce = 100.0f;
    w.Calculate();
    const double a = w.AnchorLevel;
    ExactLine line{{{100, a, 1}, {-8, 0, 3}}};
    line.Held(0.0, a);
    ExpectLine(w, line, a);
    for (const TResultRow& r : w.Results) {
        if (r[rcTop] < 0.0f) {
            for (int c = rcRotationTop; c <= rcDeflectionBottom; ++c)
                EXPECT_EQ(r[c], 0.0f);
        }
    }
}

TEST(CalcDeflectionTest, ReferenceLevelInsideARow)
{
    // Rows of 0.25 m carrying a constant moment of 10 kNm/m, the anchor at
    // 0.1 m inside the first row: w = -10 z^2 / (2 EI) + c1 z + c0, zero at
    // 0.1 m and at the tip 1 m.
    THeadwall w(nullptr);
    w.SectionInertia = 2.0e-4f;
    w.AnchorLevel = 0.1f;
    for (int i = 0; i < 4; ++i) {
        TResultRow r{};
        r[rcTop] = 0.25f * static_cast<float>(i);
        r[rcBottom] = r[rcTop] + 0.25f;
        r[rcThickness] = 0.25f;
        r[rcMomentTop] = r[rcMomentBottom] = 10;
        w.Results.push_back(r);
    }
    w.FreeDeflection();
    w.FindExtremalValues();
    ExactLine line{{{10, -1, 0}}};
    line.Pinned(0.1f, 1.0);
    ExpectLine(w, line, -1e9);
}

} // namespace
} // namespace wd
