#include "walldesign/report/diagrams.h"

#include "walldesign/calc/units.h"
#include "walldesign/report/colors.h"
#include "walldesign/report/drawing.h"
#include "walldesign/report/tests/records.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

using namespace wd;
using namespace wd::test;

namespace {

// Rows of 1 m from `top` to `bottom`; `fill`(row, top, bottom) sets the columns.
void FillRows(TWall& w, float top, float bottom, const std::function<void(TResultRow&)>& fill = {})
{
    w.Results.clear();
    for (float z = top; z < bottom; z += 1) {
        TResultRow r{};
        r[rcTop] = z;
        r[rcBottom] = z + 1;
        r[rcThickness] = 1;
        if (fill)
            fill(r);
        w.Results.push_back(r);
    }
}

struct TUnitGuard {
    uint8_t saved = UnitSystem;
    ~TUnitGuard() { UnitSystem = saved; }
};

std::vector<std::string> Labels(const TDrawing& d, int flags)
{
    std::vector<std::string> out;
    for (const TRec& r : Decode(d))
        if (r.Kind == rkText && r.I == flags)
            out.push_back(r.Text);
    return out;
}

} // namespace

TEST(Diagrams, MarkedDepthsMergeNeighboursWithinFivePerCent)
{
    TMarkedDepths m(0, 10);
    m.InsertMarkDepth(5);
    m.InsertMarkDepth(2);
    m.InsertMarkDepth(8);
    EXPECT_EQ(m.Depths(), (std::vector<float>{2, 5, 8}));
    m.InsertMarkDepth(-1); // above the first row
    m.InsertMarkDepth(11); // below the last row
    m.InsertMarkDepth(5);  // already there
    EXPECT_EQ(m.Depths(), (std::vector<float>{2, 5, 8}));
    // 4.7 lies within 0.5 of 5 (the following neighbour): it replaces 5.
    m.InsertMarkDepth(4.7f);
    EXPECT_EQ(m.Depths(), (std::vector<float>{2, 4.7f, 8}));
    // 8.3 has no following neighbour; it replaces the preceding 8.
    m.InsertMarkDepth(8.3f);
    EXPECT_EQ(m.Depths(), (std::vector<float>{2, 4.7f, 8.3f}));
    // 2.2 lies between 2 and 4.7: the following one is too far, the preceding one is replaced.
    m.InsertMarkDepth(2.2f);
    EXPECT_EQ(m.Depths(), (std::vector<float>{2.2f, 4.7f, 8.3f}));
    m.InsertMarkDepth(10);
    m.InsertMarkDepth(0);
    EXPECT_EQ(m.Depths(), (std::vector<float>{0, 2.2f, 4.7f, 8.3f, 10}));
    // Any sequence keeps the list sorted and inside the span.
    TMarkedDepths any(0, 100);
    uint32_t seed = 12345;
    for (int i = 0; i < 2000; i++) {
        seed = seed * 1103515245u + 12345u;
        any.InsertMarkDepth(static_cast<float>(seed % 12000) / 100.0f - 10.0f);
    }
    EXPECT_TRUE(std::is_sorted(any.Depths().begin(), any.Depths().end()));
    EXPECT_GE(any.Depths().front(), 0.0f);
    EXPECT_LE(any.Depths().back(), 100.0f);
}

TEST(Diagrams, ResultPairs)
{
    TWall w(nullptr);
    FillRows(w, 0, 2, [](TResultRow& r) {
        for (int c = 3; c < rcCount; c++)
            r[static_cast<size_t>(c)] = static_cast<float>(c) + r[rcTop] * 100;
    });
    EXPECT_EQ(GetResultPair(w, ciFrontEarth, 0), (std::pair<float, float>{3, 4}));
    EXPECT_EQ(GetResultPair(w, ciBousq + 1, 1), (std::pair<float, float>{113, 114}));
    EXPECT_EQ(GetResultPair(w, ciDeflection, 1), (std::pair<float, float>{129, 130}));
    EXPECT_EQ(GetResultPair(w, 14, 0), (std::pair<float, float>{0, 0}));
    EXPECT_EQ(GetResultPair(w, 0, 2), (std::pair<float, float>{0, 0}));
}

TEST(Diagrams, EmptyDiagrams)
{
    TWall w(nullptr);
    DrawingColors().BG = 0x00E0E0E0;
    FillRows(w, 0, 4);
    TDrawing d;
    w.BuildResultDiagrams(d, 4, 3); // no Boussinesq strip
    EXPECT_EQ(d.RecordCount(), 3);
    EXPECT_EQ(d.BackgroundColor, 0x00E0E0E0u);

    TWall none(nullptr);
    TDrawing e;
    none.BuildResultDiagrams(e, ciMoment, ciMoment);
    EXPECT_TRUE(e.GetEmpty());
    EXPECT_EQ(e.BackgroundColor, 0x00E0E0E0u);

    // A zero depth span draws nothing instead of dividing by zero.
    TWall flat(nullptr);
    TResultRow r{};
    r[rcTop] = r[rcBottom] = 3;
    r[rcMomentTop] = 5;
    flat.Results = {r};
    TDrawing f;
    flat.BuildResultDiagrams(f, ciMoment, ciMoment);
    EXPECT_TRUE(f.GetEmpty());
    DrawingColors() = TDrawingColors();
}

TEST(Diagrams, DepthLabelsFollowTheUnitSystem)
{
    TUnitGuard guard;
    TWall w(nullptr);
    w.Front.SoilLevel = 3;
    w.Behind.SoilLevel = 0;
    FillRows(w, 0, 10, [](TResultRow& r) { r[rcMomentTop] = r[rcMomentBottom] = 10; });
    UnitSystem = kMetric;
    TDrawing d;
    w.BuildResultDiagrams(d, ciMoment, ciMoment);
    std::vector<std::string> depth = Labels(d, 26);
    EXPECT_EQ(depth, (std::vector<std::string>{"0.000 [m] ", "3.000 [m] ", "10.000 [m] "}));
    EXPECT_EQ(Labels(d, 6), (std::vector<std::string>{"[kNm/m]"}));

    UnitSystem = kImperial;
    TDrawing i;
    w.BuildResultDiagrams(i, ciMoment, ciMoment);
    depth = Labels(i, 26);
    ASSERT_EQ(depth.size(), 3u);
    EXPECT_EQ(depth[1], "9.843 [ft] ");
    EXPECT_EQ(Labels(i, 6), (std::vector<std::string>{"[kipft/ft]"}));
}

TEST(Diagrams, PositiveComponentStartsAndEndsOnItsAxis)
{
    TWall w(nullptr);
    FillRows(w, 0, 4, [](TResultRow& r) {
        r[rcNetTop] = 2 * r[rcTop];
        r[rcNetBottom] = 2 * r[rcBottom];
    });
    TDrawing d;
    w.BuildResultDiagrams(d, ciTotal, ciTotal);
    std::vector<TRec> recs = Decode(d);
    // Min = 0: the axis at X = 0; the first line starts there, the closing line ends there.
    std::vector<const TRec*> moves, lines;
    for (const TRec& r : recs) {
        if (r.Kind == rkMoveTo)
            moves.push_back(&r);
        if (r.Kind == rkLineTo)
            lines.push_back(&r);
    }
    // Marked depths 0 and 4 (dotted lines first), then the polygon.
    ASSERT_GE(moves.size(), 4u);
    EXPECT_EQ(moves[2]->F[0], 0.0f);
    // W = 8 and the span 4: Ratio 2. The closing line runs back to the axis at the bottom.
    const TRec* closing = lines[lines.size() - 2];
    EXPECT_EQ(closing->F[0], 0.0f);
    EXPECT_EQ(closing->F[1], 8.0f);
    // The zero axis from the top to the bottom.
    EXPECT_EQ(moves.back()->F[0], 0.0f);
    EXPECT_EQ(lines.back()->F[1], 8.0f);
    // Value labels in bold at the top and the bottom.
    std::vector<std::string> values = Labels(d, 24);
    EXPECT_EQ(values.front(), "0.000");
    EXPECT_EQ(values.back(), "8.000");
}

TEST(Diagrams, JumpsDownGetTwoLabels)
{
    TWall w(nullptr);
    w.Front.SoilLevel = 2;
    w.Behind.SoilLevel = 0;
    // Cross force 5 down to 2 m, then jumping down to 1 (two labels at 2 m);
    // from 3 m it jumps up to 4 (one label).
    FillRows(w, 0, 4, [](TResultRow& r) {
        float v = r[rcTop] < 2 ? 5.0f : r[rcTop] < 3 ? 1.0f : 4.0f;
        r[rcCrossTop] = r[rcCrossBottom] = v;
    });
    w.Forces = {{0, 0, 3}};
    TDrawing d;
    w.BuildResultDiagrams(d, ciCross, ciCross);
    std::vector<TRec> recs = Decode(d);
    int at2 = 0, at3 = 0;
    float ratio = 5.0f / 4.0f;
    for (const TRec& r : recs) {
        if (r.Kind != rkText || (r.I != 24 && r.I != 0))
            continue;
        if (r.F[1] == 2 * ratio)
            at2++;
        if (r.F[1] == 3 * ratio)
            at3++;
    }
    EXPECT_EQ(at2, 2);
    EXPECT_EQ(at3, 1);
    EXPECT_NE(FindTextRec(recs, "1.000"), nullptr);
}

TEST(Diagrams, ComponentsSideBySide)
{
    TWall w(nullptr);
    FillRows(w, 0, 4, [](TResultRow& r) {
        r[11] = r[12] = 3;  // strip 1: 0..3
        r[13] = r[14] = -2; // strip 2: -2..0
    });
    TDrawing d;
    w.BuildResultDiagrams(d, ciBousq, ciBousq + 1);
    std::vector<TRec> recs = Decode(d);
    // W = 3 + 2 = 5, G = 0.5: the second axis at 3 + 0.5 + 2 = 5.5. Units centred under each.
    std::vector<const TRec*> units;
    for (const TRec& r : recs)
        if (r.Kind == rkText && r.I == 6)
            units.push_back(&r);
    ASSERT_EQ(units.size(), 2u);
    EXPECT_FLOAT_EQ(units[0]->F[0], 1.5f);
    EXPECT_FLOAT_EQ(units[1]->F[0], 5.5f - 1.0f);
    EXPECT_FLOAT_EQ(d.MaxX, 5.5f);
    // The dotted depth lines span the whole width.
    for (size_t i = 0; i + 1 < recs.size(); i++)
        if (recs[i].Kind == rkMoveTo && PenAt(recs, i)->Style == sps::psDot) {
            EXPECT_EQ(recs[i + 1].F[0], 5.5f);
        }
}

TEST(Diagrams, RowsBelowTheLastMarkedDepth)
{
    // The bottom mark 10 is replaced by the maximum's depth 9.75 (within 5 per
    // cent); the last row begins below every mark. No label is read beyond the list.
    TWall w(nullptr);
    w.Results.clear();
    for (int i = 0; i < 40; i++) {
        TResultRow r{};
        r[rcTop] = static_cast<float>(i) * 0.25f;
        r[rcBottom] = r[rcTop] + 0.25f;
        r[rcMomentTop] = r[rcTop];
        r[rcMomentBottom] = r[rcBottom] - (i == 38 ? 0.0f : 0.1f);
        w.Results.push_back(r);
    }
    w.Results[38][rcMomentBottom] = 100; // maximum at 9.75
    TDrawing d;
    w.BuildResultDiagrams(d, ciMoment, ciMoment);
    std::vector<std::string> depth = Labels(d, 26);
    ASSERT_FALSE(depth.empty());
    EXPECT_EQ(depth.back(), "9.750 [m] ");
    EXPECT_FALSE(d.GetEmpty());
}
