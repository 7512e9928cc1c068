// The byte form of the calculation fuzz target: the seeds written from walls
// read back to the same walls, so that a seed calculates what its wall does.
// The field list is the order in which wall_calculation.cpp reads its input.
#include "walldesign/calc/fuzz/wall_bytes.h"

#include "calc_walls.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <vector>

namespace wd {
namespace {

std::vector<uint8_t> Written(TWall& w, bool anchorwall)
{
    wdfuzz::TWallBytesWriter out;
    out.Out.U8(wdfuzz::KindByte(w, anchorwall));
    wdfuzz::WallFields(out, w);
    return out.Out.Bytes();
}

bool SameBits(float a, float b) { return std::memcmp(&a, &b, sizeof a) == 0; }

TEST(WallFuzzBytes, WrittenWallsReadBackWithTheirValues)
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    struct Case {
        const char* name;
        float pileTop;   // a value: on its grid in one byte, else raw
        float caquot;    // a positive value: rounded to its 0.5 grid
        float expectedCaquot;
        size_t layers;   // at most four are written
        size_t expectedLayers;
    } cases[] = {
        {"on the grids", 0.25f, 10.0f, 10.0f, 1, 1},
        {"off the grid, raw", 0.1f, 10.2f, 10.0f, 2, 2},
        {"not a number, raw", nan, 0.3f, 0.5f, 4, 4},
        {"too large for a byte", 1e30f, 1000.0f, 123.5f, 6, 4},
        {"below the grid", -1e-30f, -3.0f, 0.0f, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TAnchorwall w(nullptr);
        testing::ReferenceInput(w, 6.0f, spFixed);
        w.PileTop = c.pileTop;
        w.Behind.CaquotLoad = c.caquot;
        w.FrontLayers.assign(c.layers, testing::Layer(20.0f, 3.0f));
        w.AnchorInclination = 0.17f;
        w.SectionInertia = 3.4e-4f;
        const std::vector<uint8_t> bytes = Written(w, true);

        wdfuzz::TWallBytesReader in(bytes.data(), bytes.size());
        const uint8_t kind = in.Byte();
        EXPECT_EQ(kind & 1, 1);
        EXPECT_EQ((kind >> 1) % 4, spFixed);
        TAnchorwall back(nullptr);
        back.Support = static_cast<uint8_t>((kind >> 1) % 4);
        wdfuzz::WallFields(in, back);
        EXPECT_TRUE(SameBits(back.PileTop, c.pileTop)) << back.PileTop;
        EXPECT_TRUE(SameBits(back.AnchorInclination, 0.17f)) << back.AnchorInclination;
        EXPECT_FLOAT_EQ(back.Behind.CaquotLoad, c.expectedCaquot);
        EXPECT_NEAR(back.SectionInertia, 3.4e-4f, 2e-6f);
        ASSERT_EQ(back.FrontLayers.size(), c.expectedLayers);
        for (const TLayer& l : back.FrontLayers)
            EXPECT_EQ(l.Tip, 20.0f);
        // Everything was read: the same wall writes the same bytes.
        EXPECT_EQ(Written(back, true), bytes);
    }
}

} // namespace
} // namespace wd
