// The "Data" property of a wall: block layout, round trip and refusal of
// damaged data.
#include "platform/error.h"
#include "platform/stream.h"
#include "walldesign/calc/wall.h"
#include "walldesign/report/report.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace wd {
namespace {

std::vector<uint8_t> DataOf(const TWall& wall)
{
    sps::ByteWriter out;
    sps::TWriter writer(out);
    wall.WriteData(writer);
    return out.Bytes();
}

void ReadInto(TWall& wall, const std::vector<uint8_t>& bytes)
{
    sps::ByteReader in(bytes);
    sps::TReader reader(in);
    wall.ReadData(reader);
    EXPECT_TRUE(in.AtEnd());
}

float FloatAt(const std::vector<uint8_t>& b, size_t pos)
{
    uint32_t bits = b[pos] | (b[pos + 1] << 8) | (b[pos + 2] << 16) | (static_cast<uint32_t>(b[pos + 3]) << 24);
    float f;
    std::memcpy(&f, &bits, 4);
    return f;
}

TLayer Layer(float base)
{
    TLayer l;
    float* v = &l.Tip;
    for (int i = 0; i < 14; ++i)
        v[i] = base + static_cast<float>(i) * 0.25f;
    return l;
}

// A wall with every stored field set to a distinct value.
void Fill(TWall& w)
{
    w.PileTop = -1.5f;
    w.AnchorLevel = 0.75f;
    w.Support = spFixed;
    w.Front = {4.5f, 5.25f, 0.1f, 10.0f, 123.5f, 45.25f, 1};
    w.Behind = {0.5f, 2.0f, -0.2f, 15.0f, 99.0f, 12.0f, 0};
    w.PileTip = 12.75f;
    w.Embedment = 3.125f;
    w.AnchorForce = 150.5f;
    w.AnchorInclination = 0.3f;
    w.AnchorSafety = 1.5f;
    w.FrontLayers = {Layer(1.0f), Layer(20.0f)};
    w.BehindLayers = {Layer(40.0f), Layer(60.0f), Layer(80.0f)};
    w.Forces = {{10.0f, 2.0f, 1.5f}};
    w.Pressures = {{5.0f, 6.0f, 1.0f, 3.0f}, {7.0f, 8.0f, 3.0f, 4.0f}};
    w.Bousqs = {{1.0f, 2.0f, 0.5f, 20.0f}, {3.0f, 1.0f, 0.0f, 10.0f}, {5.0f, 1.5f, 0.25f, 5.0f},
                {7.0f, 2.5f, 0.0f, 2.5f}, {9.0f, 1.0f, 0.0f, 1.0f}};
    w.SectionIndex = 17;
    w.SectionArea = 0.01589f;
    w.SectionMass = 124.7f;
    w.SectionInertia = 5.2588e-4f;
    w.SectionModulus = 2.221e-3f;
    w.SectionReserved = 0.0f;
    w.SectionName = "ZS 22";
    w.GradeIndex = 3;
    w.GradeValue = 355.0f;
    w.RequiredSafety = 1.5f;
    w.GradeName = "S 355 GP";
}

void ExpectSameInput(const TWall& a, const TWall& b)
{
    EXPECT_EQ(DataOf(a), DataOf(b));
    EXPECT_EQ(a.PileTop, b.PileTop);
    EXPECT_EQ(a.Support, b.Support);
    EXPECT_EQ(a.Front.AutoCoefficients, b.Front.AutoCoefficients);
    EXPECT_EQ(a.Behind.CaquotLoad, b.Behind.CaquotLoad);
    EXPECT_EQ(a.AnchorSafety, b.AnchorSafety);
    ASSERT_EQ(a.FrontLayers.size(), b.FrontLayers.size());
    EXPECT_EQ(a.FrontLayers.back().Thickness, b.FrontLayers.back().Thickness);
    ASSERT_EQ(a.BehindLayers.size(), b.BehindLayers.size());
    EXPECT_EQ(a.Forces.size(), b.Forces.size());
    EXPECT_EQ(a.Pressures.size(), b.Pressures.size());
    ASSERT_EQ(a.Bousqs.size(), b.Bousqs.size());
    EXPECT_EQ(a.Bousqs.back().Surcharge, b.Bousqs.back().Surcharge);
    EXPECT_EQ(a.SectionIndex, b.SectionIndex);
    EXPECT_EQ(a.SectionInertia, b.SectionInertia);
    EXPECT_EQ(a.SectionName, b.SectionName);
    EXPECT_EQ(a.GradeIndex, b.GradeIndex);
    EXPECT_EQ(a.GradeValue, b.GradeValue);
    EXPECT_EQ(a.GradeName, b.GradeName);
}

TEST(WallDataTest, EmptyWallWritesTheBlocksAndFiveEmptyCounts)
{
    THeadwall w(nullptr);
    std::vector<uint8_t> d = DataOf(w);
    ASSERT_EQ(d.size(), 182u);
    std::vector<uint8_t> expected(88, 0);
    for (int i = 0; i < 5; ++i) {
        expected.push_back(2);
        expected.push_back(0);
    }
    expected.resize(182, 0);
    EXPECT_EQ(d, expected);
}

TEST(WallDataTest, ScalarAndCatalogueBlocksLieAtTheirOffsets)
{
    THeadwall w(nullptr);
    w.PileTop = 1.0f;
    w.AnchorLevel = 2.0f;
    w.Support = spCantilever;
    w.Front.SoilLevel = 3.0f;
    w.Front.SumVertical = 4.0f;
    w.Front.AutoCoefficients = 1;
    w.Behind.SoilLevel = 5.0f;
    w.Behind.AutoCoefficients = 1;
    w.PileTip = 6.0f;
    w.AnchorSafety = 7.0f;
    w.SectionIndex = 258;
    w.SectionReserved = 9.0f;
    w.SectionName = "US 24";
    w.GradeIndex = -1;
    w.RequiredSafety = 1.5f;
    w.GradeName = "S 430 GP";
    std::vector<uint8_t> d = DataOf(w);
    ASSERT_EQ(d.size(), 182u);

    EXPECT_EQ(FloatAt(d, 0), 1.0f);
    EXPECT_EQ(FloatAt(d, 4), 2.0f);
    EXPECT_EQ(d[8], 2);
    EXPECT_EQ(d[9] | d[10] | d[11], 0); // alignment
    EXPECT_EQ(FloatAt(d, 12), 3.0f);
    EXPECT_EQ(FloatAt(d, 32), 4.0f);
    EXPECT_EQ(d[36], 1);
    EXPECT_EQ(FloatAt(d, 40), 5.0f);
    EXPECT_EQ(d[64], 1);
    EXPECT_EQ(FloatAt(d, 68), 6.0f);
    EXPECT_EQ(FloatAt(d, 84), 7.0f);

    const size_t pile = 98;
    EXPECT_EQ(d[pile], 2); // 258 little-endian
    EXPECT_EQ(d[pile + 1], 1);
    EXPECT_EQ(FloatAt(d, pile + 20), 9.0f);
    EXPECT_EQ(d[pile + 24], 5);
    EXPECT_EQ(std::string(d.begin() + pile + 25, d.begin() + pile + 30), "US 24");
    for (size_t i = pile + 30; i < pile + 48; ++i)
        EXPECT_EQ(d[i], 0) << i;

    const size_t steel = pile + 48;
    EXPECT_EQ(d[steel], 0xFF);
    EXPECT_EQ(FloatAt(d, steel + 8), 1.5f);
    EXPECT_EQ(d[steel + 12], 8);
    EXPECT_EQ(std::string(d.begin() + steel + 13, d.begin() + steel + 21), "S 430 GP");
    EXPECT_EQ(steel + 36, d.size());
}

TEST(WallDataTest, CountsAreTaggedIntegersOfTheShortestForm)
{
    THeadwall w(nullptr);
    w.Forces.resize(200);
    std::vector<uint8_t> d = DataOf(w);
    ASSERT_EQ(d.size(), 182u + 1 + 200 * 12);
    EXPECT_EQ(d[92], 3); // forces: type 3, 200 as two bytes
    EXPECT_EQ(d[93], 200);
    EXPECT_EQ(d[94], 0);

    THeadwall back(nullptr);
    ReadInto(back, d);
    EXPECT_EQ(back.Forces.size(), 200u);
}

TEST(WallDataTest, RoundTripGivesBackEveryStoredField)
{
    TAnchorwall w(nullptr);
    Fill(w);
    std::vector<uint8_t> d = DataOf(w);
    EXPECT_EQ(d.size(), 88u + 10 + 5 * 56 + 12 + 2 * 16 + 5 * 16 + 48 + 36);
    TAnchorwall back(nullptr);
    ReadInto(back, d);
    ExpectSameInput(w, back);
    // The calculated singles inside the scalar block come back too.
    EXPECT_EQ(back.Front.SumHorizontal, 123.5f);
    EXPECT_EQ(back.PileTip, 12.75f);
    EXPECT_EQ(back.Embedment, 3.125f);
}

TEST(WallDataTest, NamesAreCutToTwentyCharacters)
{
    THeadwall w(nullptr);
    w.SectionName = std::string(25, 'x');
    w.GradeName = std::string(20, 'y');
    std::vector<uint8_t> d = DataOf(w);
    ASSERT_EQ(d.size(), 182u);
    THeadwall back(nullptr);
    ReadInto(back, d);
    EXPECT_EQ(back.SectionName, std::string(20, 'x'));
    EXPECT_EQ(back.GradeName, std::string(20, 'y'));
}

TEST(WallDataTest, InputThatCouldNotBeReadBackIsNotWritten)
{
    THeadwall w(nullptr);
    w.Support = 3;
    EXPECT_THROW(DataOf(w), sps::Exception);
    w.Support = spFree;
    w.Bousqs.resize(kMaxBousqs + 1);
    EXPECT_THROW(DataOf(w), sps::Exception);
}

// Offsets of the five counts in the data of the filled wall.
struct Counts {
    size_t Offset[5];
};

Counts CountOffsets(const TWall& w)
{
    Counts c;
    size_t pos = 88;
    const size_t sizes[5] = {w.FrontLayers.size() * 56, w.BehindLayers.size() * 56, w.Forces.size() * 12,
                             w.Pressures.size() * 16, w.Bousqs.size() * 16};
    for (int i = 0; i < 5; ++i) {
        c.Offset[i] = pos;
        pos += 2 + sizes[i]; // every count of the filled wall is one type byte and one byte
    }
    return c;
}

void ExpectRefused(const std::vector<uint8_t>& bytes, const char* what)
{
    THeadwall w(nullptr);
    Fill(w);
    std::vector<uint8_t> before = DataOf(w);
    sps::ByteReader in(bytes);
    sps::TReader reader(in);
    EXPECT_THROW(w.ReadData(reader), sps::Exception) << what;
    // A refused read leaves the wall as it was.
    EXPECT_EQ(DataOf(w), before) << what;
}

TEST(WallDataTest, DamagedCountsNamesAndSupportAreRefused)
{
    TAnchorwall w(nullptr);
    Fill(w);
    const std::vector<uint8_t> good = DataOf(w);
    Counts c = CountOffsets(w);
    for (int i = 0; i < 5; ++i)
        ASSERT_EQ(good[c.Offset[i]], 2) << i;

    for (int i = 0; i < 5; ++i) {
        std::vector<uint8_t> bad = good;
        bad[c.Offset[i] + 1] = 0xFF; // -1
        ExpectRefused(bad, "negative count");

        bad = good;
        bad[c.Offset[i] + 1] = 0x7F; // 127 records run past the end
        ExpectRefused(bad, "count past the end");

        // 0x7FFFFFFF as a 4-byte count.
        bad = good;
        bad[c.Offset[i]] = 4;
        const uint8_t huge[4] = {0xFF, 0xFF, 0xFF, 0x7F};
        bad.erase(bad.begin() + static_cast<long>(c.Offset[i]) + 1);
        bad.insert(bad.begin() + static_cast<long>(c.Offset[i]) + 1, huge, huge + 4);
        ExpectRefused(bad, "huge count");

        // A count without a tag.
        bad = good;
        bad[c.Offset[i]] = 6;
        ExpectRefused(bad, "untagged count");
    }

    // Six Boussinesq strips, all bytes present.
    {
        std::vector<uint8_t> bad = good;
        size_t at = c.Offset[4];
        bad[at + 1] = 6;
        std::vector<uint8_t> strip(16, 0);
        bad.insert(bad.begin() + static_cast<long>(at) + 2, strip.begin(), strip.end());
        ExpectRefused(bad, "six strips");
    }

    std::vector<uint8_t> bad = good;
    bad[8] = 3;
    ExpectRefused(bad, "support 3");

    const size_t pile = good.size() - 36 - 48;
    bad = good;
    bad[pile + 24] = 21;
    ExpectRefused(bad, "section name of 21");
    bad = good;
    bad[good.size() - 36 + 12] = 255;
    ExpectRefused(bad, "grade name of 255");
}

TEST(WallDataTest, DataCutAtEveryLengthIsRefused)
{
    TAnchorwall w(nullptr);
    Fill(w);
    const std::vector<uint8_t> good = DataOf(w);
    for (size_t n = 0; n < good.size(); ++n) {
        std::vector<uint8_t> cut(good.begin(), good.begin() + static_cast<long>(n));
        THeadwall back(nullptr);
        sps::ByteReader in(cut);
        sps::TReader reader(in);
        EXPECT_THROW(back.ReadData(reader), sps::Exception) << n;
    }
}

} // namespace
} // namespace wd
