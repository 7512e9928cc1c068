// The Sf summary grid over every section and grade of the shipped data file,
// at a loss within the tables. Goal: under 1 ms.
#include "corrosion/catalogue.h"
#include "corrosion/losses.h"
#include "corrosion/safety.h"

#include <benchmark/benchmark.h>

namespace {

const cr::Catalogue& Shipped()
{
    static const cr::Catalogue cat = cr::LoadCatalogueFile(std::string(SPS_BIN_DIR) + "/" + cr::kCatalogueFileName);
    return cat;
}

void SummaryGrid(benchmark::State& state, bool reduced)
{
    const cr::Catalogue& cat = Shipped();
    cr::LossInput in;
    in.serviceLife = 60;
    in.front = {cr::kSoil, 1, 10, 0};
    in.back = {cr::kWater, 3, 0, 0};
    cr::GridContext ctx;
    ctx.loads = {300, 100, 2};
    ctx.reduced = reduced;
    ctx.totalLoss = cr::ComputeLosses(cat, in).TotalWithoutSplashFactor();
    for (auto _ : state) {
        cr::SfGrid grid = cr::ComputeSfGrid(cat, cat.familyRanges[0], ctx);
        benchmark::DoNotOptimize(grid);
    }
    state.counters["cells"] = static_cast<double>(cat.SectionCount() * cat.metricGrades.names.size());
}

void BM_SummaryGridInitial(benchmark::State& state)
{
    SummaryGrid(state, false);
}

void BM_SummaryGridReduced(benchmark::State& state)
{
    SummaryGrid(state, true);
}

void BM_LoadCatalogue(benchmark::State& state)
{
    for (auto _ : state) {
        cr::Catalogue cat = cr::LoadCatalogueFile(std::string(SPS_BIN_DIR) + "/" + cr::kCatalogueFileName);
        benchmark::DoNotOptimize(cat);
    }
}

} // namespace

BENCHMARK(BM_SummaryGridInitial)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SummaryGridReduced)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LoadCatalogue)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
