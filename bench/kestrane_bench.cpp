// Kestrane recomputes on every keystroke of a load field: in the window search
// every combination's safety factors and the list's lines. Goal: well under
// 1 ms for the shipped catalogue.
#include "combiwall/catalogue.h"
#include "combiwall/safety.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

const cw::Catalogue* Shipped()
{
    static const cw::Catalogue* cat = [] {
        try {
            return new cw::Catalogue(cw::LoadCatalogueFile(std::string(SPS_BIN_DIR) + "/" + cw::kCatalogueFileName));
        } catch (...) {
            return static_cast<cw::Catalogue*>(nullptr);
        }
    }();
    return cat;
}

void Keystroke(benchmark::State& state, cf::SfWindow window)
{
    const cw::Catalogue* cat = Shipped();
    if (!cat) {
        state.SkipWithError("WQ KX Data.daa not found beside the programs");
        return;
    }
    cw::ListInput in;
    in.mode = cf::SearchMode::WindowSearch;
    in.window = window;
    in.fyk = cw::YieldStrengths{355, 355, 270};
    cw::CatalogueList list;
    double moment = 900;
    for (auto _ : state) {
        // One changed digit of the bending moment.
        moment = moment == 900 ? 901 : 900;
        in.loads = cw::Loads{moment, 200, 5};
        cw::FillCatalogueList(*cat, cw::GroupRange(*cat, 0), "", in, list);
        cw::SelectedSystem sys = cw::CombinationSystem(*cat, list.indexMap.empty() ? -1 : list.indexMap[0]);
        cw::SafetyFactorTexts texts = cw::SafetyFactorDisplay(cw::ComputeSafetyFactors(in.loads, in.fyk, sys));
        benchmark::DoNotOptimize(texts);
        benchmark::DoNotOptimize(list.lines.data());
    }
    state.counters["rows"] = static_cast<double>(cat->CombinationCount());
    state.counters["lines"] = static_cast<double>(list.lines.size());
}

void BM_KestraneKeystrokeEveryRowListed(benchmark::State& state)
{
    Keystroke(state, cf::SfWindow{0, 1e9});
}

void BM_KestraneKeystrokeWindow(benchmark::State& state)
{
    Keystroke(state, cf::SfWindow{1.5, 2.0});
}

} // namespace

BENCHMARK(BM_KestraneKeystrokeEveryRowListed)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_KestraneKeystrokeWindow)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
