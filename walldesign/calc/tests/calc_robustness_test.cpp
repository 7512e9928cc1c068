// Any input either calculates to finite results or raises the system's
// error: never a crash, an endless loop or a silent NaN.
#include "walldesign/calc/wall.h"

#include "calc_walls.h"
#include "platform/error.h"
#include "platform/stream.h"
#include "walldesign/calc/units.h"
#include "walldesign/report/drawing.h"
#include "walldesign/report/report.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <random>
#include <string>
#include <vector>

namespace wd {
namespace {

using testing::kDegree;
using testing::Layer;
using testing::ReferenceInput;

std::vector<uint8_t> DataOf(const TWall& wall)
{
    sps::ByteWriter out;
    sps::TWriter writer(out);
    wall.WriteData(writer);
    return out.Bytes();
}

class RandomInput {
public:
    explicit RandomInput(unsigned seed) : rng_(seed) {}

    float Uniform(float lo, float hi) { return std::uniform_real_distribution<float>(lo, hi)(rng_); }
    int Count(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }
    bool Chance(double p) { return std::bernoulli_distribution(p)(rng_); }

    // Mostly plausible values, rarely an edge: zero, huge, tiny, NaN, infinity.
    float Value(float lo, float hi)
    {
        if (Chance(0.004)) {
            static const float edges[] = {0.0f, -0.0f, 1e30f, -1e30f, 1e-30f, 3e38f,
                                          std::numeric_limits<float>::quiet_NaN(),
                                          std::numeric_limits<float>::infinity()};
            return edges[Count(0, 7)];
        }
        return Uniform(lo, hi);
    }

    // A level, often on the quarter-metre grid so that levels coincide.
    float Level(float lo, float hi)
    {
        const float z = Value(lo, hi);
        return Chance(0.3) ? std::round(z * 4) / 4 : z;
    }

    void Layers(TLayers& layers, float top)
    {
        layers.clear();
        const int n = Count(Chance(0.02) ? 0 : 1, 4);
        float tip = top;
        for (int i = 0; i < n; ++i) {
            TLayer l;
            tip += Chance(0.02) ? -1.0f : Level(0.25f, 6.0f);
            l.Tip = tip;
            l.DensityMoist = Value(0, 22);
            l.DensitySubmerged = Value(0, 12);
            l.K = Value(-0.2f, 8);
            l.Phi = (Chance(0.01) ? Value(-5, 95) : Value(0, 45)) * kDegree;
            l.Delta = Value(-45, 45) * kDegree;
            l.Cohesion = Chance(0.7) ? 0 : Value(0, 40);
            layers.push_back(l);
        }
    }

    void Wall(TWall& w)
    {
        const bool anchorwall = dynamic_cast<TAnchorwall*>(&w) != nullptr;
        w.Support = static_cast<uint8_t>(Chance(0.01) ? 3 : Count(0, anchorwall && Chance(0.95) ? 1 : 2));
        w.PileTop = Level(-2, 2);
        w.AnchorLevel = Level(-3, 4);
        w.Behind.SoilLevel = Level(-2, 1);
        w.Front.SoilLevel = Level(-1, 10);
        w.Front.WaterLevel = Level(-3, 12);
        w.Behind.WaterLevel = Chance(0.5) ? w.Front.WaterLevel : Level(-3, 12);
        w.Front.Inclination = Chance(0.7) ? 0 : Value(-40, 40) * kDegree;
        w.Behind.Inclination = Chance(0.7) ? 0 : Value(-40, 40) * kDegree;
        w.Front.CaquotLoad = Chance(0.8) ? 0 : Value(0, 50);
        w.Behind.CaquotLoad = Chance(0.5) ? 0 : Value(0, 50);
        w.Front.AutoCoefficients = Chance(0.5);
        w.Behind.AutoCoefficients = Chance(0.5);
        Layers(w.FrontLayers, 0);
        Layers(w.BehindLayers, 0);
        w.Forces.clear();
        for (int i = Count(0, 3); i > 0; --i)
            w.Forces.push_back({Value(-200, 200), Value(-100, 100), Level(-1, 12)});
        w.Pressures.clear();
        float depth = Level(-1, 3);
        for (int i = Count(0, 2); i > 0; --i) {
            const float tip = depth + (Chance(0.05) ? -0.5f : Level(0.25f, 4));
            w.Pressures.push_back({Value(-50, 50), Value(-50, 50), depth, tip});
            depth = tip + (Chance(0.05) ? -1.0f : Level(0, 2));
        }
        w.Bousqs.clear();
        for (int i = Count(0, Chance(0.05) ? 6 : 3); i > 0; --i)
            w.Bousqs.push_back({Value(0, 5), Value(0, 5), Level(-1, 5), Value(0, 100)});
        w.AnchorForce = Value(-300, 300);
        w.AnchorInclination = Chance(0.5) ? 0 : Value(-30, 30) * kDegree;
        w.AnchorSafety = Value(0, 2);
        w.SectionModulus = Chance(0.03) ? 0 : Value(1e-4f, 5e-3f);
        w.SectionArea = Chance(0.03) ? 0 : Value(5e-3f, 3e-2f);
        w.SectionInertia = Chance(0.1) ? 0 : Value(1e-5f, 1e-3f);
        w.GradeValue = Value(200, 460);
    }

private:
    std::mt19937 rng_;
};

// Every table row and drawing text of a report.
std::vector<std::string> TextsOf(const TReport& report)
{
    std::vector<std::string> texts;
    for (int i = 0; i < report.Paragraphs.Count(); ++i) {
        const TReportObjects& objects = report.Paragraphs.Paragraph(i)->Objects;
        for (int j = 0; j < objects.Count(); ++j) {
            if (const auto* t = dynamic_cast<const TTable*>(objects.ReportObject(j)))
                texts.insert(texts.end(), t->Rows.begin(), t->Rows.end());
            const auto* g = dynamic_cast<const TGraphicContainer*>(objects.ReportObject(j));
            if (const auto* d = g ? dynamic_cast<const TDrawing*>(g->Graphic) : nullptr)
                for (int k = 0; k < d->RecordCount(); ++k)
                    if (d->RecordKind(k) == rkText)
                        texts.emplace_back(reinterpret_cast<const char*>(d->RecordData(k) + 20));
        }
    }
    return texts;
}

// The report of a calculated wall, in both unit systems, shows no INF or NAN,
// or it is refused as a whole.
void ExpectReportFinite(TWall& w)
{
    const uint8_t unit = UnitSystem;
    for (uint8_t system : {kMetric, kImperial}) {
        UnitSystem = system;
        try {
            for (const std::string& text : TextsOf(*w.BuildReport()))
                EXPECT_TRUE(text.find("INF") == std::string::npos && text.find("NAN") == std::string::npos) << text;
        } catch (const sps::Exception& e) {
            EXPECT_EQ(e.Message(), "Invalid numeric input! Check input values.");
        }
    }
    UnitSystem = unit;
}

// `report`: also the report of a calculated wall.
void ExpectSound(TWall& w, bool report)
{
    try {
        w.Calculate();
    } catch (const sps::Exception&) {
        return;
    }
    EXPECT_FALSE(w.Results.empty());
    EXPECT_NO_THROW(w.CheckFinite());
    EXPECT_TRUE(std::isfinite(w.PileTip) && w.PileTip >= w.PileTop);
    for (const TResultRow& r : w.Results)
        EXPECT_GT(r[rcThickness], 0.0f);
    EXPECT_EQ(w.ResultSlices.size(), w.Results.size());
    if (report)
        ExpectReportFinite(w);
}

TEST(CalcRobustnessTest, RandomWallsCalculateOrRaise)
{
    RandomInput input(20240611);
    int calculated = 0;
    for (int i = 0; i < 4000; ++i) {
        THeadwall head(nullptr);
        TAnchorwall anchor(nullptr);
        input.Wall(head);
        input.Wall(anchor);
        // Building reports is slow: every eighth pair shows its reports.
        ExpectSound(head, i % 8 == 0);
        ExpectSound(anchor, i % 8 == 0);
        calculated += !head.Results.empty() && head.PileTip > head.PileTop;
        calculated += !anchor.Results.empty() && anchor.PileTip > anchor.PileTop;
    }
    // The generator must reach the supports, not only the input checks.
    EXPECT_GT(calculated, 800);
}

TEST(CalcRobustnessTest, OverflowingResultIsAnError)
{
    THeadwall w(nullptr);
    ReferenceInput(w, 4.0f, spCantilever);
    w.Forces = {{0, 3e38f, 1}, {0, 3e38f, 2}};
    try {
        w.Calculate();
        FAIL() << "no error";
    } catch (const sps::Exception& e) {
        EXPECT_EQ(e.Message(), "Invalid numeric input! Check input values.");
    }
}

TEST(CalcRobustnessTest, ValuesOutsideTheSingleRangeAreRefused)
{
    // Finite input whose calculation, or the report's conversion of it (to
    // cm2/m, cm3/m, cm4/m, degrees), leaves the single range is refused; what
    // stays within it is shown as a number in both unit systems.
    struct Case {
        bool refused;
        std::function<void(TWall&)> change;
    };
    const std::vector<Case> cases = {
        {true, [](TWall& w) { w.SectionArea = 3e38f; }},
        {true, [](TWall& w) { w.SectionModulus = 3e38f; }},
        {true, [](TWall& w) { w.SectionInertia = 3e38f; }},
        {true, [](TWall& w) { w.AnchorInclination = 3e38f; }},
        {true, [](TWall& w) { w.Bousqs = {{1, 2, 0, 3e38f}}; }},
        {true, [](TWall& w) { w.Behind.CaquotLoad = 1e38f; }},
        {false, [](TWall& w) { w.SectionArea = 3e33f; }},
        {false, [](TWall& w) { w.SectionInertia = 1e29f; }},
        {false, [](TWall& w) { w.AnchorInclination = 5e36f; }},
        {false, [](TWall& w) { w.RequiredSafety = 3e38f; }},
    };
    for (size_t i = 0; i < cases.size(); ++i) {
        TSection section(nullptr);
        THeadwall* w = section.CreateHeadwall();
        ReferenceInput(*w, 6.0f, spFree);
        cases[i].change(*w);
        w->SetModified();
        try {
            EXPECT_NE(w->GetReport(), nullptr);
            EXPECT_FALSE(cases[i].refused) << i;
            ExpectReportFinite(*w);
        } catch (const sps::Exception& e) {
            EXPECT_TRUE(cases[i].refused) << i << ": " << e.Message();
            EXPECT_EQ(e.Message(), "Invalid numeric input! Check input values.") << i;
        }
    }
}

TEST(CalcRobustnessTest, RecalculationKeepsTheAdjustedInput)
{
    // Input that the first calculation adjusts (pile top raised to the soil
    // behind, short layers extended, wall friction clamped to phi) gives the
    // hand-checked results on every run. The soil weighs the same under water.
    struct Case {
        uint8_t support;
        float front;
        double tip, anchorForce;
    };
    for (const Case& c : {Case{spFree, 6.0f, 8.405185, -55.7487}, Case{spFixed, 6.0f, 9.8972, -44.1285},
                          Case{spCantilever, 4.0f, 7.703416, 0.0}}) {
        THeadwall w(nullptr);
        ReferenceInput(w, c.front, c.support);
        w.PileTop = 0.5f;
        w.FrontLayers[0].Tip = w.BehindLayers[0].Tip = 5.0f;
        w.Front.WaterLevel = w.Behind.WaterLevel = 5.0f;
        w.FrontLayers[0].DensitySubmerged = w.BehindLayers[0].DensitySubmerged = 18.0f;
        w.BehindLayers[0].Delta = 40 * kDegree;
        for (int run = 0; run < 2; ++run) {
            w.Calculate();
            EXPECT_EQ(w.PileTop, 0.0f);
            EXPECT_NEAR(w.PileTip - w.OverLength, c.tip + 0.005, 0.0051) << int(c.support) << " run " << run;
            EXPECT_NEAR(w.AnchorForce, c.anchorForce, 0.03) << int(c.support) << " run " << run;
        }
    }
}

TEST(CalcRobustnessTest, FailedCalculationLeavesTheStoredInput)
{
    // The head wall's calculation raises its pile top to the soil behind,
    // extends the last tips to both sides, clamps delta and looks up Kph
    // before the grid fails; the anchor wall takes the head wall's force first.
    TSection section(nullptr);
    THeadwall* head = section.CreateHeadwall();
    ReferenceInput(*head, 6.0f, spFree);
    head->PileTop = 0.5f;
    head->FrontLayers = {Layer(4, 2), Layer(12, 3)};
    head->BehindLayers[0].Tip = 99999.0f;
    head->BehindLayers[0].Delta = 40 * kDegree;
    head->Front.AutoCoefficients = 1;
    TAnchorwall* anchor = section.CreateAnchorwall();
    ReferenceInput(*anchor, 0.0f, spFree);
    anchor->AnchorSafety = 1.5f;
    anchor->AnchorInclination = 3e38f; // no degree value for the report
    anchor->FrontLayers[0].Delta = -40 * kDegree;

    const std::vector<uint8_t> headBefore = DataOf(*head), anchorBefore = DataOf(*anchor);
    head->SetModified();
    anchor->SetModified();
    for (TWall* w : {static_cast<TWall*>(head), static_cast<TWall*>(anchor)}) {
        try {
            w->GetReport();
            ADD_FAILURE() << w->GetName() << ": no error";
        } catch (const sps::Exception& e) {
            EXPECT_EQ(e.Message(), w == head ? "More than 10000 depth levels! Check levels and layer tips."
                                             : "Headwall cannot be calculated! Check input of the Headwall.");
        }
    }
    EXPECT_EQ(DataOf(*head), headBefore);
    EXPECT_EQ(DataOf(*anchor), anchorBefore);

    // Mending the one grid is enough.
    head->BehindLayers[0].Tip = 20.0f;
    head->SetModified();
    ASSERT_NE(head->GetReport(), nullptr);
    EXPECT_EQ(head->FrontLayers.back().Tip, 20.0f);
    EXPECT_EQ(head->PileTop, 0.0f);
    EXPECT_EQ(head->FrontLayers[0].K, 3.0f);

    // A successful calculation whose report fails is a failed calculation.
    const std::vector<uint8_t> calculated = DataOf(*anchor);
    try {
        anchor->GetReport();
        ADD_FAILURE() << "no error";
    } catch (const sps::Exception& e) {
        EXPECT_EQ(e.Message(), "Invalid numeric input! Check input values.");
    }
    EXPECT_NE(anchor->Results.size(), 0u);
    EXPECT_EQ(DataOf(*anchor), calculated);
}

} // namespace
} // namespace wd
