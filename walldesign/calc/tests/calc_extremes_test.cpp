// Extremal values on rows set up by hand, and the pile check.
#include "walldesign/calc/wall.h"

#include "platform/error.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace wd {
namespace {

std::string ErrorOf(const std::function<void()>& f)
{
    try {
        f();
    } catch (const sps::Exception& e) {
        return e.Message();
    }
    return "(no error)";
}

// Rows of 0.25 m from 0 with a constant net pressure e per row; `jumps` are
// cross force steps at row tops (concentrated forces). Cross force and moment
// are integrated exactly.
struct RowSpec {
    float e = 0;
    float jump = 0;
};

void FillRows(TWall& w, float v0, const std::vector<RowSpec>& rowsIn)
{
    w.Results.clear();
    w.ResultSlices.clear();
    float v = v0, m = 0, top = 0;
    for (size_t i = 0; i < rowsIn.size(); ++i) {
        TResultRow r{};
        const float h = 0.25f;
        v += rowsIn[i].jump;
        r[rcTop] = top;
        r[rcBottom] = top + h;
        r[rcThickness] = h;
        r[rcNetTop] = r[rcNetBottom] = rowsIn[i].e;
        r[rcCrossTop] = v;
        r[rcCrossBottom] = v + rowsIn[i].e * h;
        r[rcMomentTop] = m;
        r[rcMomentBottom] = m + v * h + rowsIn[i].e * h * h / 2;
        r[rcDeflectionTop] = static_cast<float>(i);
        r[rcDeflectionBottom] = static_cast<float>(i + 1);
        w.Results.push_back(r);
        w.ResultSlices.push_back(static_cast<int32_t>(i));
        v = r[rcCrossBottom];
        m = r[rcMomentBottom];
        top += h;
    }
}

TEST(CalcExtremesTest, MaximumMomentInTheRowBelowItsRow)
{
    // V = 30.5 - 100 z, M = 30.5 z - 50 z^2: row bottoms give 4.5 at 0.25 m;
    // the cross force changes its sign at 0.305 m, in the next row, where the
    // first step past it (0.31 m) gives 4.65.
    THeadwall w(nullptr);
    w.AnchorLevel = -1;
    FillRows(w, 30.5f, {{-100}, {-100}, {-100}, {-100}});
    w.FindExtremalValues();
    EXPECT_NEAR(w.MaxValues.Moment, 4.65, 1e-4);
    EXPECT_NEAR(w.MaxValues.MomentDepth, 0.31, 1e-6);
    // Minimum at the last bottom: 30.5 - 50 = -19.5; the cross force keeps its sign there.
    EXPECT_FLOAT_EQ(w.MinValues.Moment, 30.5f - 50.0f);
    EXPECT_EQ(w.MinValues.MomentDepth, 1.0f);
    // Cross force: largest at the first top, smallest at the last bottom.
    EXPECT_FLOAT_EQ(w.MaxValues.CrossForce, 30.5f);
    EXPECT_EQ(w.MaxValues.CrossForceDepth, 0.0f);
    EXPECT_FLOAT_EQ(w.MinValues.CrossForce, -69.5f);
    EXPECT_EQ(w.MinValues.CrossForceDepth, 1.0f);
    // Deflection (row index at the top, index + 1 at the bottom): the last bottom is largest.
    EXPECT_EQ(w.MaxValues.Deflection, 4.0f);
    EXPECT_EQ(w.MaxValues.DeflectionDepth, 1.0f);
    EXPECT_EQ(w.MinValues.Deflection, 0.0f);
    // Deflection at the moment extremes: bottom of the row holding them.
    EXPECT_EQ(w.MaxValues.DeflectionAtMoment, 2.0f);
    EXPECT_EQ(w.MinValues.DeflectionAtMoment, 4.0f);
}

TEST(CalcExtremesTest, ExtremeAtAConcentratedForceStaysAtTheRowBottom)
{
    // V = 10, then -10 from 0.25 m: the maximum 2.5 lies at 0.25 m. No row
    // below holds a sign change of its own, and nothing below is larger.
    THeadwall w(nullptr);
    w.AnchorLevel = -1;
    FillRows(w, 10, {{0}, {0, -20}, {0}, {0}});
    w.FindExtremalValues();
    EXPECT_FLOAT_EQ(w.MaxValues.Moment, 2.5f);
    EXPECT_EQ(w.MaxValues.MomentDepth, 0.25f);
    EXPECT_FLOAT_EQ(w.MinValues.Moment, -5.0f);
    EXPECT_EQ(w.MinValues.MomentDepth, 1.0f);
}

TEST(CalcExtremesTest, RefinementStartsAtTheFirstRowTaken)
{
    // Two rows above the pile top. From the pile top the moment falls from 10
    // (V = -4), and a force of +104 at 1.0 m with e = -800 below gives a local
    // maximum inside the third row from the pile top: 8 + 100 x - 400 x^2,
    // first step past the sign change at x = 0.13 m: 14.24 at 1.13 m.
    THeadwall w(nullptr);
    w.AnchorLevel = -1;
    w.PileTop = 0.5f;
    FillRows(w, 0, {{0}, {0}, {0, -4}, {0}, {-800, 104}});
    for (int r = 2; r < 5; ++r) {
        w.Results[r][rcMomentTop] += 10;
        w.Results[r][rcMomentBottom] += 10;
    }
    w.FindExtremalValues();
    EXPECT_NEAR(w.MaxValues.Moment, 14.24, 1e-4);
    EXPECT_NEAR(w.MaxValues.MomentDepth, 1.13, 1e-6);
    // The rows above the pile top are not taken.
    EXPECT_EQ(w.MaxValues.CrossForceDepth, 1.0f);
    EXPECT_FLOAT_EQ(w.MinValues.CrossForce, -100.0f);
}

TEST(CalcExtremesTest, ExtremeAtTheAnchorLevelIsNotRefined)
{
    THeadwall w(nullptr);
    w.AnchorLevel = 0.25f;
    FillRows(w, 10, {{0}, {0, -20}, {0}});
    // Equal bottom moments: the deeper row wins.
    w.Results[0][rcMomentBottom] = 2.5f;
    w.Results[1][rcMomentBottom] = 2.5f;
    w.Results[2][rcMomentBottom] = -1.0f;
    w.AnchorLevel = 0.5f;
    w.FindExtremalValues();
    EXPECT_FLOAT_EQ(w.MaxValues.Moment, 2.5f);
    EXPECT_EQ(w.MaxValues.MomentDepth, 0.5f);
}

TEST(CalcExtremesTest, Ties)
{
    // V = +10, -10, 0, +10, -10 per row: M = 0, 2.5, 0, 0, 2.5, 0 at the row
    // boundaries. Equal moments fall to the deeper row; an equal cross force
    // keeps the first one found (a row's bottom before its top); an equal
    // deflection falls to the deeper depth for the maximum and stays at the
    // shallower one for the minimum.
    THeadwall w(nullptr);
    w.AnchorLevel = -1;
    FillRows(w, 10, {{0}, {0, -20}, {0, 10}, {0, 10}, {0, -20}});
    const float deflections[] = {0, -1, 1, -1, 1};
    for (size_t i = 0; i < 5; ++i)
        w.Results[i][rcDeflectionTop] = deflections[i];
    w.Results[4][rcDeflectionBottom] = -1;
    w.FindExtremalValues();
    EXPECT_FLOAT_EQ(w.MaxValues.Moment, 2.5f);
    EXPECT_EQ(w.MaxValues.MomentDepth, 1.0f);
    EXPECT_EQ(w.MinValues.Moment, 0.0f);
    EXPECT_EQ(w.MinValues.MomentDepth, 1.25f);
    EXPECT_EQ(w.MaxValues.CrossForceDepth, 0.0f);
    EXPECT_EQ(w.MinValues.CrossForceDepth, 0.5f);
    EXPECT_EQ(w.MaxValues.DeflectionDepth, 1.0f);
    EXPECT_EQ(w.MinValues.DeflectionDepth, 0.25f);
    // The last bottom takes part too.
    w.Results[4][rcDeflectionBottom] = 1;
    w.FindExtremalValues();
    EXPECT_EQ(w.MaxValues.DeflectionDepth, 1.25f);
}

TEST(CalcExtremesTest, PileCheck)
{
    THeadwall w(nullptr);
    w.SectionModulus = 1e-3f;
    w.SectionArea = 0.01f;
    w.GradeValue = 355;
    w.AnchorLevel = 0;
    w.MinValues.Moment = -50;
    w.MinValues.NormalForce = 100;
    w.MinValues.DeflectionAtMoment = 0.01f;
    w.MaxValues.Moment = 80;
    w.MaxValues.MomentDepth = 3;
    w.MaxValues.NormalForce = 100;
    w.MaxValues.DeflectionAtMoment = 0.02f;
    w.PileCheck();
    // ((N w + M) / W +- N / A) / 1000 and ((M - N w) / W +- N / A) / 1000.
    EXPECT_FLOAT_EQ(w.MaxValues.StressAtMinMoment, 59.0f);
    EXPECT_FLOAT_EQ(w.MinValues.StressAtMinMoment, -39.0f);
    EXPECT_FLOAT_EQ(w.MaxValues.StressAtMaxMoment, 88.0f);
    EXPECT_FLOAT_EQ(w.MinValues.StressAtMaxMoment, -68.0f);
    EXPECT_FLOAT_EQ(w.PileSafety, 355.0f / 88.0f);

    // At the anchor level the normal force has no lever.
    w.MaxValues.MomentDepth = 0;
    w.PileCheck();
    EXPECT_FLOAT_EQ(w.MaxValues.StressAtMaxMoment, 90.0f);
    EXPECT_FLOAT_EQ(w.MinValues.StressAtMaxMoment, -70.0f);

    // Equal magnitudes: the first one governs (the same safety either way).
    w.MinValues = TExtremes{};
    w.MaxValues = TExtremes{};
    w.MinValues.Moment = -50;
    w.MaxValues.Moment = 50;
    w.MaxValues.MomentDepth = 2;
    w.PileCheck();
    EXPECT_FLOAT_EQ(w.PileSafety, 7.1f);
}

TEST(CalcExtremesTest, PileCheckWithoutSectionOrStress)
{
    THeadwall w(nullptr);
    w.GradeValue = 355;
    w.SectionArea = 0.01f;
    EXPECT_EQ(ErrorOf([&w] { w.PileCheck(); }), "Section modulus and area of the sheet pile section must be > 0!");
    w.SectionModulus = 1e-3f;
    EXPECT_EQ(ErrorOf([&w] { w.PileCheck(); }),
              "The pile carries no stress! Pile safety cannot be calculated. Check loads.");
}

} // namespace
} // namespace wd
