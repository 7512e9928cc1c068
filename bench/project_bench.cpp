// Reading project files: many valid sections (loading must grow linearly with
// the file; goal: a 16 MB project loaded or refused in under 2 s) and a small
// crafted file whose one section holds thousands of walls (refused at once).
#include "walldesign/calc/calcmodule.h"
#include "walldesign/calc/wall.h"
#include "walldesign/files/project.h"

#include "platform/bytes.h"
#include "platform/error.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

namespace {

using namespace wd;
using Bytes = std::vector<uint8_t>;

// Sections of one head wall each (two soil layers, one force) up to `bytes`.
Bytes ProjectOfSize(size_t bytes)
{
    TProjectOwner owner;
    TProject project{&owner, "Author", "Quay", "Comment"};
    size_t size = WriteProjectBytes(project).size();
    size_t perSection = 0;
    for (int32_t index = 1; size + perSection <= bytes; ++index) {
        auto* section = new TSection(&owner);
        section->Index = index;
        THeadwall* wall = section->CreateHeadwall();
        wall->FrontLayers.resize(1);
        wall->BehindLayers.resize(1);
        wall->Forces.resize(1);
        if (perSection == 0)
            perSection = WriteProjectBytes(project).size() - size;
        size += perSection;
    }
    return WriteProjectBytes(project);
}

// One section of `bytes` whose children are head walls without properties.
Bytes SectionWithWalls(size_t bytes)
{
    Bytes file = {6, 0, 6, 0, 6, 0, 'T', 'P', 'F', '0', 8, 'T', 'S', 'e', 'c', 't', 'i', 'o', 'n', 0, 0};
    const Bytes wall = {9, 'T', 'H', 'e', 'a', 'd', 'w', 'a', 'l', 'l', 0, 0, 0};
    while (file.size() + wall.size() < bytes)
        file.insert(file.end(), wall.begin(), wall.end());
    file.push_back(0);
    return file;
}

void BM_LoadSections(benchmark::State& state)
{
    const Bytes file = ProjectOfSize(static_cast<size_t>(state.range(0)) << 10);
    size_t sections = 0;
    for (auto _ : state) {
        TProjectOwner owner;
        TProject project{&owner};
        ReadProjectBytes(file, project, "bench.spc");
        sections = static_cast<size_t>(owner.ComponentCount());
    }
    state.counters["sections"] = static_cast<double>(sections);
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * file.size()));
}
// 256 KB to 16 MB (argument in KB); the large sizes run once.
BENCHMARK(BM_LoadSections)->Arg(256)->Arg(1024)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadSections)->Arg(4096)->Arg(16384)->Iterations(1)->Unit(benchmark::kMillisecond);

void BM_RefuseSectionWithManyWalls(benchmark::State& state)
{
    const Bytes file = SectionWithWalls(static_cast<size_t>(state.range(0)) << 10);
    for (auto _ : state) {
        TProjectOwner owner;
        TProject project{&owner};
        try {
            ReadProjectBytes(file, project, "bench.spc");
            state.SkipWithError("the section was not refused");
        } catch (const sps::Exception&) {
        }
    }
}
// 16 KB (1 260 walls) and 1 MB (80 000 walls); the large one runs three times.
BENCHMARK(BM_RefuseSectionWithManyWalls)->Arg(16)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RefuseSectionWithManyWalls)->Arg(1024)->Iterations(3)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
