// The data file "SSP Rovandel.daa": sections with their properties at every
// loss step, steel grades, corrosion tables and input limits. Read once, then
// read-only.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace cr {

inline constexpr const char* kCatalogueFileName = "SSP Rovandel.daa";
inline constexpr const char* kCatalogueCorrupted =
    "\"SSP Rovandel.daa\" file seems to be corrupted. Reinstall original file.";

// First and last section index of a family, both inclusive. A range whose
// first index lies above its last holds no section.
struct FamilyRange
{
    int16_t first = 0;
    int16_t last = -1;

    int Count() const { return last >= first ? last - first + 1 : 0; }
};

struct GradeTable
{
    std::vector<std::string> names;
    std::vector<double> fyk; // MPa in the metric table, ksi in the imperial one
};

enum Environment { kAtmospheric = 0, kSoil = 1, kWater = 2, kEnvironmentCount = 3 };

// Texts of the details of one environment, one per detail.
using EnvironmentDescriptions = std::vector<std::string>;
// Losses of thickness of one environment, mm: [service-life point][detail].
using EnvironmentLossTable = std::vector<std::vector<double>>;

struct EnvironmentTable
{
    EnvironmentDescriptions descriptions;
    EnvironmentLossTable loss;
};

// Total loss of steel thickness of one row of the section tables, mm.
using LossStep = int16_t;

struct Catalogue
{
    std::vector<std::string> familyNames;
    std::vector<FamilyRange> familyRanges; // row 0: every section; row k: family k

    std::vector<LossStep> lossSteps;   // ascending; row 0 is the section as rolled
    std::vector<std::vector<double>> sx; // [loss step][section], cm³/m; 0.0: no value
    std::vector<std::vector<double>> ax; // [loss step][section], cm²/m

    std::vector<std::string> sectionNames;
    std::vector<int32_t> height;   // mm
    std::vector<double> pairWidth; // m
    std::vector<double> mass;      // kg/m of one pair
    std::vector<double> tf;        // mm
    std::vector<double> tw;        // mm

    GradeTable metricGrades;
    GradeTable imperialGrades;

    std::vector<int16_t> serviceLifePoints; // years, ascending
    EnvironmentTable environments[kEnvironmentCount];

    std::vector<int16_t> serviceLifeChoices;
    std::vector<int16_t> protectionChoices;

    // Load limits, kNm/m, kN/m and cm. Held unsigned: 35000 kN/m must fit.
    uint16_t mmax = 0;
    uint16_t nmax = 0;
    uint16_t fmax = 0;
    double maxWallLength = 0;    // m
    double maxPileLength = 0;    // m
    double maxCorrosionRate = 0; // mm/year

    // Imperial limits, cut (not rounded) to tenths or hundredths.
    double mmaxImperial = 0;          // kips*ft/ft
    double nmaxImperial = 0;          // kips/ft
    double fmaxImperial = 0;          // in
    double maxWallLengthImperial = 0; // ft
    double maxPileLengthImperial = 0; // ft

    int SectionCount() const { return static_cast<int>(sectionNames.size()); }
    int LossStepCount() const { return static_cast<int>(lossSteps.size()); }
    // Largest total loss the tables cover (mm).
    double MaxLoss() const { return lossSteps.empty() ? 0.0 : lossSteps.back(); }
    const GradeTable& Grades(bool metric) const { return metric ? metricGrades : imperialGrades; }
};

// Fills the imperial limits from the metric ones.
void DeriveImperialLimits(Catalogue& cat);

// Empty when the tables are consistent, otherwise what is wrong (for the tool
// that writes the file; the reader reports any fault as a corrupted file).
std::string FindCatalogueFault(const Catalogue& cat);

// Reads the file's bytes. Raises sps::Exception(kCatalogueCorrupted) on any
// short read, out-of-range count or inconsistent table.
Catalogue LoadCatalogue(const std::vector<uint8_t>& bytes);
Catalogue LoadCatalogue(const uint8_t* data, size_t size);
// Reads the file at `path`; a file that cannot be read counts as corrupted.
Catalogue LoadCatalogueFile(const std::string& path);

// The file's bytes for `cat` (the tool that ships the file, and tests).
// Raises when a count does not fit its field; does not check consistency.
std::vector<uint8_t> WriteCatalogue(const Catalogue& cat);

} // namespace cr
