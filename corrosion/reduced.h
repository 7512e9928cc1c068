// Reduced section properties at a total loss of steel thickness, read from the
// section tables by linear interpolation between loss steps.
#pragma once

#include "corrosion/catalogue.h"
#include "corrosion/losses.h"

#include <string>

namespace cr {

// The selected section with its initial and reduced properties (metric).
struct CurrentSection
{
    std::string name;
    double sxIni = 0; // cm³/m
    double sxRed = 0; // cm³/m; 0: no reduced properties
    double axIni = 0; // cm²/m
    double axRed = 0; // cm²/m
    double b = 0;     // m
    double mass = 0;  // kg/m of one pair
    double ixRed = 0; // cm4/m
    double twRed = 0; // mm
    double tfRed = 0; // mm
};

enum class ReducedCase
{
    Initial,      // no loss: the initial properties apply
    Interpolated, // reduced properties from the tables
    NoData,       // the section has no reduced value at this loss
    BeyondTables, // the loss is above the last loss step
    NoSection,    // no section selected
};

struct ReducedValues
{
    ReducedCase kind = ReducedCase::NoSection;
    double sxRed = 0;
    double axRed = 0;
    double ixRed = 0; // not set for ReducedCase::Initial (the previous value stays)
    double twRed = 0;
    double tfRed = 0;
};

// Reduced values of section `section` (-1: none) at total loss `loss` (mm).
ReducedValues ReducedFor(const Catalogue& cat, int section, double loss);

// Texts and signals of one computation for the "Reduced properties" group.
struct ReducedDisplay
{
    ReducedCase kind = ReducedCase::NoSection;
    std::string sx, ax, ix, tw, tf; // value label texts
    bool sfRedEnabled = true;       // the Sf,red labels
    std::string status;             // status panel 0 text; empty: left as it is
    bool beep = false;
};

// Makes `section` current (-1 keeps the previous one and zeroes its reduced
// values) and computes its reduced properties at `loss`. `listAll`: the
// list-all search mode is active.
ReducedDisplay ComputeReducedProperties(const Catalogue& cat, int section, double loss, bool listAll, bool metric,
                                        CurrentSection& current);

// The loss summary group: face values, caption and the imperial total.
struct LossSummary
{
    std::string front;
    std::string back;
    std::string caption;
    double totalLossMils = 0; // sum of the two rounded face values
};
LossSummary MakeLossSummary(const Losses& losses, bool metric);
// Unit label of the two face values ("mm" or " mils").
std::string LossUnitText(bool metric);
// " Loss: front = ... mm, back = ... mm" for the status bar.
std::string LossStatusText(const LossSummary& summary, bool metric);

} // namespace cr
