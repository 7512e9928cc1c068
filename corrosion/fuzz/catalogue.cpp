// The reader of "SSP Rovandel.daa" on arbitrary bytes, and on a valid file
// overwritten at some place with them: it either returns a consistent
// catalogue, safe to compute with, or raises the corrupted-file message.
#include "corrosion/catalogue.h"
#include "corrosion/losses.h"
#include "corrosion/safety.h"
#include "platform/error.h"

#include <cstdlib>
#include <cstring>

namespace {

std::vector<uint8_t> ValidFile()
{
    cr::Catalogue c;
    c.familyNames = {"AA", "BB"};
    c.familyRanges = {{0, 2}, {0, 1}, {2, 2}};
    c.lossSteps = {0, 2, 4};
    c.sx = {{1000, 2000, 1500}, {900, 1800, 1300}, {800, 0, 1100}};
    c.ax = {{100, 150, 120}, {90, 140, 110}, {80, 0, 100}};
    c.sectionNames = {"AA 10", "AA 20", "BB 15"};
    c.height = {400, 500, 450};
    c.pairWidth = {1.2, 1.4, 1.3};
    c.mass = {120, 160, 140};
    c.tf = {10, 12, 11};
    c.tw = {9, 11, 10};
    c.metricGrades = {{"S 355 GP", "A 690"}, {355, 345}};
    c.imperialGrades = {{"A 572 Gr 50"}, {50}};
    c.serviceLifePoints = {0, 10, 50};
    c.environments[cr::kAtmospheric] = {{"Air"}, {{0}, {0.1}, {0.5}}};
    c.environments[cr::kSoil] = {{"Sand", "Clay"}, {{0, 0}, {0.5, 1.0}, {1.5, 2.0}}};
    c.environments[cr::kWater] = {{"River", "Lake", "Sea"}, {{0, 0, 0}, {1.0, 1.5, 2.5}, {2, 3, 4}}};
    c.serviceLifeChoices = {5, 10, 50};
    c.protectionChoices = {5};
    c.mmax = 11000;
    c.nmax = 35000;
    c.fmax = 50;
    c.maxWallLength = 2000;
    c.maxPileLength = 33;
    c.maxCorrosionRate = 0.2;
    return cr::WriteCatalogue(c);
}

void Check(const uint8_t* data, size_t size)
{
    cr::Catalogue cat;
    try {
        cat = cr::LoadCatalogue(data, size);
    } catch (const sps::Exception& e) {
        if (e.Message() != cr::kCatalogueCorrupted)
            std::abort();
        return;
    }
    for (int front = 0; front < cr::kEnvironmentCount; ++front) {
        cr::LossInput in;
        in.serviceLife = 100;
        in.front.environment = front;
        in.back.environment = cr::kWater;
        in.back.protectionYears = 120;
        in.gradeIsA690 = true;
        in.splashItem = 2;
        const cr::Losses losses = cr::ComputeLosses(cat, in);
        if (!(losses.total >= 0))
            std::abort();
        for (bool reduced : {false, true}) {
            cr::GridContext grid;
            grid.loads = {100, 50, 2};
            grid.reduced = reduced;
            grid.totalLoss = losses.TotalWithoutSplashFactor();
            for (const cr::FamilyRange& r : cat.familyRanges)
                cr::ComputeSfGrid(cat, r, grid);
        }
        cr::ListContext list;
        list.mode = cf::SearchMode::WindowSearch;
        list.loads = {100, 50, 2};
        list.fyk = cr::GradeFyk(cat, 0, true);
        list.totalLoss = losses.total;
        list.window = {1.0, 20.0};
        for (const cr::FamilyRange& r : cat.familyRanges)
            cr::FillCatalogueList(cat, r.first, r.last, list);
    }
    // What was read writes back to bytes that read back the same.
    const std::vector<uint8_t> bytes = cr::WriteCatalogue(cat);
    if (cr::WriteCatalogue(cr::LoadCatalogue(bytes)) != bytes)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    Check(data, size);
    // The first two bytes place the rest over a valid file.
    static const std::vector<uint8_t> valid = ValidFile();
    if (size >= 2) {
        std::vector<uint8_t> bytes = valid;
        const size_t at = (data[0] | (data[1] << 8)) % (bytes.size() + 1);
        const size_t n = size - 2;
        if (at + n > bytes.size())
            bytes.resize(at + n);
        std::memcpy(bytes.data() + at, data + 2, n);
        Check(bytes.data(), bytes.size());
    }
    return 0;
}
