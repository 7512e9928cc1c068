// What the main form holds besides its components: the catalogue, the
// selected system and the safety window.
#pragma once

#include "calcframe/sfwindow.h"
#include "combiwall/catalogue.h"
#include "combiwall/grades.h"
#include "combiwall/safety.h"

#include <string>

namespace cw {

inline constexpr const char* kKestraneVersion = "1.0.0";
inline constexpr const char* kKestraneNotice =
    "Kestrane\n\n"
    "Safety factors and material lists of combined walls.\n\n"
    "No liability is taken for errors in this program or in its results.\n"
    "Changes may be made without notice.\n\n"
    "Questions and remarks: your structural engineering support team.";

struct KestraneData {
    Catalogue catalogue;
    cf::SfWindow window{1.5, 10.0};
    std::string selectedName;
    SelectedSystem selected;
    SafetyFactors results;
    GradeLists gradeLists;
    GradeSelection grades;
    GradeCarries gradeCarry;
    YieldStrengths fyk;
};

} // namespace cw
