// Catalogues for the tests: the shipped file and a small hand-made one.
#pragma once

#include "corrosion/catalogue.h"

#include <cstdlib>
#include <string>

namespace crtest {

// The shipped file, as the build copies it into the test working folder.
inline cr::Catalogue Shipped()
{
    return cr::LoadCatalogueFile(cr::kCatalogueFileName);
}

inline std::string SourceDir()
{
    const char* root = std::getenv("SPS_SOURCE_DIR");
    return std::string(root ? root : "..") + "/data/rovandel";
}

// Two families of one section each, three loss steps (0, 2, 4 mm), points at
// 0 and 10 years, one grade per system and one or two details per environment.
inline cr::Catalogue Small()
{
    cr::Catalogue c;
    c.familyNames = {"AA", "BB"};
    c.familyRanges = {{0, 1}, {0, 0}, {1, 1}};
    c.lossSteps = {0, 2, 4};
    c.sx = {{1000, 2000}, {900, 1800}, {800, 0}};
    c.ax = {{100, 150}, {90, 140}, {80, 0}};
    c.sectionNames = {"AA 10", "BB 20"};
    c.height = {400, 500};
    c.pairWidth = {1.2, 1.4};
    c.mass = {120, 160};
    c.tf = {10, 12};
    c.tw = {9, 11};
    c.metricGrades = {{"S 355 GP", "A 690"}, {355, 345}};
    c.imperialGrades = {{"A 572 Gr 50"}, {50}};
    c.serviceLifePoints = {0, 10};
    c.environments[cr::kAtmospheric] = {{"Air"}, {{0}, {0.1}}};
    c.environments[cr::kSoil] = {{"Sand", "Clay"}, {{0, 0}, {0.5, 1.0}}};
    c.environments[cr::kWater] = {{"River", "Lake", "Sea splash"}, {{0, 0, 0}, {1.0, 1.5, 2.5}}};
    c.serviceLifeChoices = {5, 10};
    c.protectionChoices = {5};
    c.mmax = 11000;
    c.nmax = 35000;
    c.fmax = 50;
    c.maxWallLength = 2000;
    c.maxPileLength = 33;
    c.maxCorrosionRate = 0.2;
    cr::DeriveImperialLimits(c);
    return c;
}

} // namespace crtest
