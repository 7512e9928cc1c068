// What the main form holds besides its components: the data file's tables,
// the loads, the safety window, the current section, the losses and the
// quantities. Values are metric.
#pragma once

#include "calcframe/gradecarry.h"
#include "calcframe/sfwindow.h"
#include "corrosion/catalogue.h"
#include "corrosion/losses.h"
#include "corrosion/quantities.h"
#include "corrosion/reduced.h"
#include "corrosion/safety.h"

#include <cstdint>
#include <vector>

namespace rv {

inline constexpr const char* kApplicationTitle = " Rovandel 1.0.2";
inline constexpr const char* kFormCaption = " Rovandel ";
inline constexpr const char* kVersionLine = "Beta Version 1.0.3,  October 2004";
inline constexpr const char* kBetaNotice = " Beta version 1.0.3 . Double-check the results  ";
inline constexpr const char* kRovandelNotice =
    "Rovandel\n\n"
    "Safety factors of steel sheet piles that lose thickness by corrosion.\n\n"
    "No liability is taken for errors in this program or in its results.\n"
    "Changes may be made without notice.\n\n"
    "Questions and remarks: your structural engineering support team.";

struct RovandelData {
    cr::Catalogue cat;
    cf::SfWindow window; // SfMin 1000000 and SfMax 0 until the fields are read
    cr::Loads loads;
    double fyk = 0; // MPa
    cf::GradeCarry gradeCarry; // the grade across unit switches
    cr::CurrentSection section;
    cr::SafetyFactors sf;

    // Losses of thickness: the two face losses before rounding, and the
    // rounded losses with their total.
    cr::RawLosses raw;
    cr::Losses losses;
    double totalLossMils = 0;
    int16_t serviceLife = 0;
    int16_t protectionFront = 0;
    int16_t protectionBack = 0;
    int16_t previousEnvironmentFront = 0;
    int16_t previousEnvironmentBack = 0;

    double wallLength = 0; // m
    double pileLength = 0; // m
    cr::Quantities quantities;

    std::vector<int32_t> listIndexMap;
    int listLines = 0; // lines of the list that show a section
};

} // namespace rv
