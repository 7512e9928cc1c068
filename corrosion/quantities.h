// Steel quantities of a wall built from the selected section.
#pragma once

#include <cstdint>
#include <string>

namespace cr {

struct Quantities
{
    bool available = false; // false: every text is " N/A "
    int32_t pairs = 0;
    double totalMass = 0;      // kg
    double realWallLength = 0; // m
    std::string pairsText;
    std::string totalText;  // metric t or net t
    std::string wallText;   // m or ft
    std::string weightText; // kg/m² or lb/ft²
};

// `selected`: a section line is selected; b (m) and mass (kg/m of one pair) of
// that section; wall length and sheet pile length in m.
Quantities ComputeQuantities(bool selected, double wallLength, double pileLength, double b, double mass, bool metric);

} // namespace cr
