// Calculation of a typical section without building reports: a head wall with
// Free support retaining 12 m (four layers per side, water, a strip load and
// two forces) and its anchor wall, then the same walls with the other
// supports. Goal: under 100 microseconds per wall.
#include "walldesign/calc/calcmodule.h"
#include "walldesign/calc/wall.h"

#include "platform/error.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <numbers>

namespace {

using namespace wd;

constexpr float kDegree = static_cast<float>(std::numbers::pi / 180.0);

TLayer Layer(float tip, float moist, float submerged, float phi, float deltaShare)
{
    TLayer l;
    l.Tip = tip;
    l.DensityMoist = moist;
    l.DensitySubmerged = submerged;
    l.Phi = phi * kDegree;
    l.Delta = deltaShare * phi * kDegree;
    return l;
}

void Section(TWall& w)
{
    w.SectionModulus = 2.5e-3f;
    w.SectionArea = 0.0215f;
    w.SectionInertia = 5.0e-4f;
    w.SectionMass = 168.0f;
    w.GradeValue = 355.0f;
    w.RequiredSafety = 1.5f;
}

void Headwall(THeadwall& w)
{
    w.Support = spFree;
    w.PileTop = 0.0f;
    w.AnchorLevel = 1.5f;
    w.AnchorInclination = 10 * kDegree;
    w.Behind.SoilLevel = 0.0f;
    w.Behind.WaterLevel = 3.0f;
    w.Behind.CaquotLoad = 10.0f;
    w.Behind.AutoCoefficients = 1;
    w.Front.SoilLevel = 12.0f;
    w.Front.WaterLevel = 11.0f;
    w.Front.AutoCoefficients = 1;
    w.BehindLayers = {Layer(2.5f, 18, 10, 30, 2.0f / 3), Layer(6.0f, 19, 9, 27.5f, 2.0f / 3),
                      Layer(14.0f, 20, 10, 32.5f, 2.0f / 3), Layer(30.0f, 20, 11, 35, 2.0f / 3)};
    w.FrontLayers = {Layer(14.0f, 19, 9, 30, -0.5f), Layer(17.0f, 20, 10, 32.5f, -0.5f),
                     Layer(22.0f, 20, 11, 35, -0.5f), Layer(30.0f, 21, 11, 35, -0.5f)};
    w.Bousqs = {{1.0f, 3.0f, 0.0f, 20.0f}};
    w.Forces = {{10.0f, 0.0f, 0.0f}, {15.0f, 5.0f, 1.0f}};
    Section(w);
}

void Anchorwall(TAnchorwall& w)
{
    w.Support = spFree;
    w.PileTop = 0.0f;
    w.AnchorLevel = 1.0f;
    w.AnchorSafety = 1.5f;
    w.Behind.SoilLevel = 0.0f;
    w.Behind.WaterLevel = 3.0f;
    w.Behind.AutoCoefficients = 1;
    w.Front.SoilLevel = 0.0f;
    w.Front.WaterLevel = 3.0f;
    w.Front.AutoCoefficients = 1;
    w.BehindLayers = {Layer(2.5f, 18, 10, 30, 0.5f), Layer(4.0f, 19, 9, 27.5f, 0.5f),
                      Layer(6.0f, 20, 10, 32.5f, 0.5f), Layer(8.0f, 20, 11, 35, 0.5f)};
    w.FrontLayers = {Layer(2.5f, 18, 10, 30, -0.5f), Layer(4.0f, 19, 9, 27.5f, -0.5f),
                     Layer(6.0f, 20, 10, 32.5f, -0.5f), Layer(8.0f, 20, 11, 35, -0.5f)};
    Section(w);
}

// The section, with the head wall calculated and reported once, so that the
// anchor wall's calculation finds it up to date.
struct TypicalSection {
    TSection section{nullptr};
    THeadwall* head = section.CreateHeadwall();
    TAnchorwall* anchor = section.CreateAnchorwall();

    TypicalSection()
    {
        Headwall(*head);
        Anchorwall(*anchor);
        try {
            head->SetModified();
            head->Update();
            anchor->Calculate();
        } catch (const sps::Exception& e) {
            std::fprintf(stderr, "typical section fails: %s\n", e.what());
            std::abort();
        }
    }
};

void BM_HeadwallFree(benchmark::State& state)
{
    TypicalSection s;
    for (auto _ : state) {
        s.head->Calculate();
        benchmark::DoNotOptimize(s.head->PileTip);
    }
    state.counters["rows"] = static_cast<double>(s.head->Results.size());
}
BENCHMARK(BM_HeadwallFree)->Unit(benchmark::kMicrosecond);

void BM_AnchorwallFree(benchmark::State& state)
{
    TypicalSection s;
    for (auto _ : state) {
        s.anchor->Calculate();
        benchmark::DoNotOptimize(s.anchor->PileTip);
    }
    state.counters["rows"] = static_cast<double>(s.anchor->Results.size());
}
BENCHMARK(BM_AnchorwallFree)->Unit(benchmark::kMicrosecond);

// The other supports, each wall alone: head wall Fixed and Cantilever, anchor
// wall Fixed with the anchor force of the head wall times its safety.
template <class TWallClass> void CalculateAlone(benchmark::State& state, TWallClass& w)
{
    try {
        w.Calculate();
    } catch (const sps::Exception& e) {
        state.SkipWithError(e.what());
        return;
    }
    for (auto _ : state) {
        w.Calculate();
        benchmark::DoNotOptimize(w.PileTip);
    }
    state.counters["rows"] = static_cast<double>(w.Results.size());
}

void BM_Headwall(benchmark::State& state)
{
    THeadwall w(nullptr);
    Headwall(w);
    w.Support = static_cast<uint8_t>(state.range(0));
    CalculateAlone(state, w);
}
BENCHMARK(BM_Headwall)->Arg(spFixed)->Arg(spCantilever)->Unit(benchmark::kMicrosecond);

void BM_AnchorwallFixed(benchmark::State& state)
{
    TAnchorwall w(nullptr);
    Anchorwall(w);
    w.Support = spFixed;
    w.AnchorForce = 150.0f;
    CalculateAlone(state, w);
}
BENCHMARK(BM_AnchorwallFixed)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
