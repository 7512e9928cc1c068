// Any input either calculates to finite results or raises the system's
// error: never a crash, an endless loop or a silent NaN.
#include "walldesign/calc/wall.h"

#include "calc_walls.h"
#include "platform/error.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

namespace wd {
namespace {

using testing::kDegree;
using testing::ReferenceInput;

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

void ExpectSound(TWall& w)
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
        ExpectSound(head);
        ExpectSound(anchor);
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
        EXPECT_EQ(e.Message(), "Calculation failed: invalid numeric result! Check input values.");
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

} // namespace
} // namespace wd
