// Readable sources of "SSP Rovandel.daa" and the thin-walled section model
// that turns the section geometry into the Sx and Ax tables (see README.md).
#pragma once

#include "corrosion/catalogue.h"

#include <string>

namespace rovdata {

// Geometry of one pair of sheet piles (one wave of the wall).
struct SectionGeometry
{
    std::string family;
    std::string name;
    int h = 0;       // height, mm
    double b = 0;    // pair width, m
    double bf = 0;   // flange width, mm
    double tf = 0;   // flange thickness, mm
    double tw = 0;   // web thickness, mm
};

// Sx (cm³/m) and Ax (cm²/m) after a total loss of thickness `loss` (mm), not
// rounded; both 0 where the section has no reduced value.
struct ModelValues
{
    double sx = 0;
    double ax = 0;
};
ModelValues SectionModel(const SectionGeometry& g, double loss);
// Mass of one pair per metre of pile (kg/m), not rounded.
double PairMass(const SectionGeometry& g);

// Reads the sources in `dir` and builds the whole catalogue (with its imperial
// limits). Raises sps::Exception naming the file and line of the first fault.
cr::Catalogue BuildCatalogue(const std::string& dir);

} // namespace rovdata
