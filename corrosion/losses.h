// Losses of steel thickness of the two faces: from the code tables (by
// environment, detail and exposed years) or from project rates or totals,
// with the "A 690" splash-zone reduction of the front face.
#pragma once

#include "corrosion/catalogue.h"

#include <cstdint>
#include <string>
#include <vector>

namespace cr {

enum class LossSource { CodeTables, Project };
enum class ProjectMode { Rates = 0, Totals = 1 };

struct FaceInput
{
    int environment = kAtmospheric; // item of the face's environment group
    int detail = 0;                 // item of the face's detail group
    int16_t protectionYears = 0;
    double projectValue = 0; // rate (mm/year or mils/year) or total (mm or mils), as entered
};

struct LossInput
{
    LossSource source = LossSource::CodeTables;
    ProjectMode projectMode = ProjectMode::Rates;
    bool metric = true; // project values in mm, else in mils
    int16_t serviceLife = 0;
    FaceInput front;
    FaceInput back;
    bool gradeIsA690 = false;
    int splashItem = 0; // item of the splash-zone factor group: 0 none, 1 " 2", 2 " 3"
};

// Face losses before rounding, mm.
struct RawLosses
{
    double front = 0;
    double back = 0;
};

// Rounded losses, mm.
struct Losses
{
    double front = 0;
    double back = 0;
    double frontA690 = 0;              // front loss divided by the splash-zone factor
    double total = 0;                  // back + (frontA690 while the factor applies, else front)
    bool splashFactorApplies = false;  // the factor group is enabled

    // Front loss that the summary shows.
    double ShownFront() const { return splashFactorApplies ? frontA690 : front; }
    // Total without the splash-zone reduction (the summary grid's loss).
    double TotalWithoutSplashFactor() const { return back + front; }
};

// Loss of one detail of one environment after `years` of exposure, linear
// between service-life points, the last interval beyond the last point; never
// below 0. Raises when the environment or detail does not exist.
double CodeLoss(const Catalogue& cat, int environment, int detail, int years);

RawLosses ComputeCodeLosses(const Catalogue& cat, const LossInput& in);
RawLosses ComputeProjectLosses(const LossInput& in);

// True when the grade item text counts as "A 690" (" A 690" or " A690 " first).
bool IsA690Item(const std::string& gradeItemText);
// Whether the splash-zone factor group is enabled for this input.
bool SplashFactorApplies(const LossInput& in);
// Divisor of a splash-zone item: 1, 2 or 3.
int SplashFactor(int splashItem);

// Divides, rounds to 0.01 mm (halves to even) and totals. Works from the raw
// losses, so repeating it never changes the result.
Losses ApplySplashZoneFactor(const RawLosses& raw, const LossInput& in);

// The whole chain for the input's loss source.
Losses ComputeLosses(const Catalogue& cat, const LossInput& in);

// Items of the service-life box after the design-time " 0".
std::vector<std::string> ServiceLifeItems(const Catalogue& cat);
// Items of a protection box for a service life: " 0", then every choice not above it.
std::vector<std::string> ProtectionItems(const Catalogue& cat, int serviceLife);
// Item kept after a refill: the remembered one while it exists, else the last.
int KeepItemIndex(int remembered, int itemCount);

// Project value edits.
enum class RateCheck { Accepted, TooLarge, NotANumber };
struct RateCheckResult
{
    RateCheck kind = RateCheck::NotANumber;
    double value = 0;    // mm or mm/year when accepted
    std::string message; // status text when refused
};
// Status text shown on entering a value edit.
std::string RateLimitHint(const Catalogue& cat, ProjectMode mode, bool metric);
RateCheckResult CheckRateInput(const Catalogue& cat, const std::string& text, ProjectMode mode, bool metric);
// Text written back when a value edit is left; `refused` is set when the text
// was no number and 0 was written instead.
std::string FormatRateInput(const std::string& text, ProjectMode mode, bool metric, bool& refused);

// Caption of a face's detail group by environment.
std::string DetailGroupCaption(int environment);

} // namespace cr
