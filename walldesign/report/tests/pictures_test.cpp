#include "walldesign/report/pictures.h"

#include "platform/recordingcanvas.h"
#include "walldesign/report/colors.h"
#include "walldesign/report/tests/records.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

using namespace wd;
using namespace wd::test;

namespace {

int CountArrows(const std::vector<TRec>& recs)
{
    return static_cast<int>(std::count_if(recs.begin(), recs.end(),
                                          [](const TRec& r) { return r.Kind == rkPolyline && r.I == 5; }));
}

void Geodata(TDrawing& d, bool head, bool cantilever, float tip, float frontCaquot = 0, float behindCaquot = 0,
             float anchorInclination = 0)
{
    // Top 0, soil 5 in front and 0 behind, water 4 and 2, anchor at 1.
    DrawGeodata(d, head, cantilever, 0, tip, 5, 0, 4, 2, 0, 0, frontCaquot, behindCaquot, 1, anchorInclination);
}

} // namespace

TEST(Pictures, ExtentOf)
{
    EXPECT_EQ(ExtentOf({3}), 0);
    EXPECT_EQ(ExtentOf({1, -2, 5}), 7);
    EXPECT_EQ(ExtentOf({}), 0);
}

TEST(Pictures, GeodataWithoutTip)
{
    TDrawing d;
    Geodata(d, true, false, 0);
    std::vector<TRec> recs = Decode(d);
    std::vector<std::string> texts = TextsOf(d);
    EXPECT_EQ(std::count(texts.begin(), texts.end(), "SP Tip"), 0);
    EXPECT_EQ(std::count(texts.begin(), texts.end(), "SP Top"), 1);
    EXPECT_EQ(d.BackgroundColor, DrawingColors().BG);
    // H = 5 + 2 + 2 = 9, W = 4.5; the lowest point drawn before the wall is the
    // front soil level 5, so the wall ends at 7.
    const TRec* front = FindTextRec(recs, "Front");
    const TRec* back = FindTextRec(recs, "Back");
    ASSERT_TRUE(front && back);
    EXPECT_FLOAT_EQ(front->F[0], -4.5f);
    EXPECT_FLOAT_EQ(front->F[1], 7.0f);
    EXPECT_EQ(front->I, 0);
    EXPECT_FLOAT_EQ(back->F[0], 4.5f);
    EXPECT_EQ(back->I, 2);
    // The wall line in SP colour, width 2.
    size_t wallEnd = 0;
    for (size_t i = 0; i < recs.size(); i++)
        if (recs[i].Kind == rkLineTo && recs[i].F[0] == 0 && recs[i].F[1] == 7.0f)
            wallEnd = i;
    ASSERT_GT(wallEnd, 0u);
    EXPECT_EQ(PenAt(recs, wallEnd)->I, 2);
    EXPECT_EQ(PenAt(recs, wallEnd)->Color, DrawingColors().SP);
    // Water marks: "Water 1" at (-W/2, 4), centred above.
    const TRec* water = FindTextRec(recs, "Water 1");
    ASSERT_NE(water, nullptr);
    EXPECT_FLOAT_EQ(water->F[0], -2.25f);
    EXPECT_FLOAT_EQ(water->F[1], 4.0f);
    EXPECT_EQ(water->I, 14);
    // The SP triangles are drawn in SP colour, the soil ones in Ground colour.
    for (size_t i = 0; i < recs.size(); i++) {
        if (recs[i].Kind == rkText && recs[i].Text == "SP Top") {
            EXPECT_EQ(PenAt(recs, i)->Color, DrawingColors().SP);
        }
        if (recs[i].Kind == rkText && recs[i].Text == "Soil 1") {
            EXPECT_EQ(PenAt(recs, i)->Color, DrawingColors().Ground);
        }
    }
}

TEST(Pictures, GeodataWithTipAndAnchors)
{
    TDrawing head;
    Geodata(head, true, false, 8, 0, 0, 0.5f);
    std::vector<TRec> recs = Decode(head);
    EXPECT_NE(FindTextRec(recs, "SP Tip"), nullptr);
    const TRec* anchor = FindTextRec(recs, "Anchor");
    ASSERT_NE(anchor, nullptr);
    // H = 8 + 2: the anchor triangle at (W/2, 1) behind the wall; the arrow points
    // behind the wall along the inclination.
    EXPECT_FLOAT_EQ(anchor->F[0], 2.5f);
    const TRec* arrow = nullptr;
    for (const TRec& r : recs)
        if (r.Kind == rkPolyline && r.I == 5)
            arrow = &r;
    ASSERT_NE(arrow, nullptr);
    EXPECT_FLOAT_EQ(arrow->F[0], 0);
    EXPECT_FLOAT_EQ(arrow->F[1], 1);
    EXPECT_NEAR(arrow->F[2], 5 * std::cos(0.5f), 1e-5);
    EXPECT_NEAR(arrow->F[3], 1 + 5 * std::sin(0.5f), 1e-5);

    TDrawing anchorWall;
    Geodata(anchorWall, false, false, 8);
    std::vector<TRec> a = Decode(anchorWall);
    EXPECT_FLOAT_EQ(FindTextRec(a, "Anchor")->F[0], -2.5f);

    TDrawing cantilever;
    Geodata(cantilever, true, true, 8);
    EXPECT_EQ(FindTextRec(Decode(cantilever), "Anchor"), nullptr);
}

TEST(Pictures, CaquotArrows)
{
    // q x H x 0.002 = 10 x 9 x 0.002 = 0.18 rounds to 0: heads only, on the surface.
    TDrawing small;
    Geodata(small, true, true, 0, 10, 0);
    std::vector<TRec> recs = Decode(small);
    EXPECT_EQ(CountArrows(recs), 4);
    for (const TRec& r : recs)
        if (r.Kind == rkPolyline && r.I == 5) {
            EXPECT_EQ(r.F[0], r.F[2]);
            EXPECT_EQ(r.F[1], 5.0f);
            EXPECT_EQ(r.F[3], 5.0f);
        }
    const TRec* text = FindTextRec(recs, "Caquot 1");
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->I, 0);

    // 250 x 9 x 0.002 = 4.5: halves to even gives 4.
    TDrawing big;
    Geodata(big, true, true, 0, 0, 250);
    recs = Decode(big);
    EXPECT_EQ(CountArrows(recs), 4);
    const TRec* t2 = FindTextRec(recs, "Caquot 2");
    ASSERT_NE(t2, nullptr);
    EXPECT_FLOAT_EQ(t2->F[1], -4.0f);
    EXPECT_EQ(t2->I, 8);
    EXPECT_EQ(FindTextRec(recs, "Caquot 1"), nullptr);

    TDrawing none;
    Geodata(none, true, true, 0, 0, -5);
    EXPECT_EQ(CountArrows(Decode(none)), 0);
    EXPECT_EQ(FindTextRec(Decode(none), "Caquot 2"), nullptr);
}

TEST(Pictures, Forces)
{
    TDrawing d;
    TForces forces = {{10, 0, 2}, {0, 0, 3}, {-20, 5, 4}};
    DrawForces(d, forces, 0, 6, 4, 0, 0, 0);
    std::vector<TRec> recs = Decode(d);
    std::vector<std::string> texts = TextsOf(d);
    EXPECT_EQ(std::count(texts.begin(), texts.end(), "Force 1"), 1);
    EXPECT_EQ(std::count(texts.begin(), texts.end(), "Force 2"), 0);
    EXPECT_EQ(std::count(texts.begin(), texts.end(), "Force 3"), 1);
    EXPECT_EQ(CountArrows(recs), 2);
    const TRec* f1 = FindTextRec(recs, "Force 1");
    EXPECT_FLOAT_EQ(f1->F[0], 0.06f);
    EXPECT_FLOAT_EQ(f1->F[1], 2);
    EXPECT_EQ(f1->I, 8);
    const TRec* f3 = FindTextRec(recs, "Force 3");
    EXPECT_FLOAT_EQ(f3->F[0], -0.12f);
    EXPECT_FLOAT_EQ(f3->F[1], 3.97f);
    EXPECT_EQ(f3->I, 10);
    // Arrow tips lie on the wall at the force's level.
    for (const TRec& r : recs)
        if (r.Kind == rkPolyline && r.I == 5) {
            EXPECT_NEAR(r.F[2], 0.0f, 1e-6);
        }
    // The pile triangles are in the Text colour here.
    for (size_t i = 0; i < recs.size(); i++)
        if (recs[i].Kind == rkText && recs[i].Text == "SP Tip") {
            EXPECT_EQ(PenAt(recs, i)->Color, DrawingColors().Text);
        }
}

TEST(Pictures, BoussinesqStrips)
{
    auto arrowsOf = [](const TBousq& strip) {
        TDrawing d;
        DrawBoussinesq(d, {strip}, 0, 6, 4, 0, 0, 0);
        return CountArrows(Decode(d));
    };
    EXPECT_EQ(arrowsOf({1, 0, 2, 10}), 0);
    EXPECT_EQ(arrowsOf({1, 0.1f, 2, 10}), 1);
    EXPECT_EQ(arrowsOf({1, 1.6f, 2, 10}), 2);
    EXPECT_EQ(arrowsOf({1, 5.601f, 2, 10}), 8);
    EXPECT_EQ(arrowsOf({1, 50, 2, 10}), 8);
    EXPECT_EQ(arrowsOf({1, -3, 2, 10}), 0);

    TDrawing d;
    DrawBoussinesq(d, {{1, 0, 2, 10}, {-1, 1.6f, 1, -5}}, 0, 6, 4, 0, 0, 0);
    std::vector<TRec> recs = Decode(d);
    const TRec* b1 = FindTextRec(recs, "B. 1");
    const TRec* b2 = FindTextRec(recs, "B. 2");
    ASSERT_TRUE(b1 && b2);
    EXPECT_EQ(b1->I, 8);
    EXPECT_FLOAT_EQ(b1->F[0], 1);
    EXPECT_FLOAT_EQ(b1->F[1], 2 - 0.04f);
    EXPECT_EQ(b2->I, 0);
    // A negative distance: the strip extends towards the wall.
    bool found = false;
    for (size_t i = 0; i + 1 < recs.size(); i++)
        if (recs[i].Kind == rkMoveTo && recs[i].F[0] == 0 && recs[i].F[1] == 1 && recs[i + 1].Kind == rkLineTo) {
            EXPECT_NEAR(recs[i + 1].F[0], 0.2f, 1e-6);
            EXPECT_EQ(PenAt(recs, i)->Style, sps::psDot);
            found = true;
        }
    EXPECT_TRUE(found);
}

TEST(Pictures, DrawingAgainReplacesThePicture)
{
    TDrawing d;
    Geodata(d, true, false, 8, 100, 100, 0.2f);
    std::vector<std::vector<uint8_t>> first;
    for (int i = 3; i < d.RecordCount(); i++)
        first.push_back(d.RecordBytes(i));
    sps::TRecordingCanvas c1;
    d.Draw(c1, {0, 0, 300, 400});
    Geodata(d, true, false, 8, 100, 100, 0.2f);
    std::vector<std::vector<uint8_t>> second;
    for (int i = 3; i < d.RecordCount(); i++)
        second.push_back(d.RecordBytes(i));
    EXPECT_EQ(first, second);
    sps::TRecordingCanvas c2;
    d.Draw(c2, {0, 0, 300, 400});
    EXPECT_EQ(c1.Dump(), c2.Dump());
}
