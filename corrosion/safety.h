// Safety factors of the section as rolled and as reduced by corrosion, the
// section list with its search on the reduced factor, and the summary grid
// over the sections of a family and every steel grade.
#pragma once

#include "calcframe/sfwindow.h"
#include "corrosion/catalogue.h"
#include "corrosion/reduced.h"

#include <cstdint>
#include <string>
#include <vector>

namespace cr {

// Loads, metric: M (kNm/m), N (kN/m), f (cm).
struct Loads
{
    double m = 0;
    double n = 0;
    double f = 0;
};

// Largest safety factor shown as a number; larger ones show ">20".
inline constexpr double kSfShownMax = 20.0;

// fyk / ((M + N f / 100) / Sx x 1000 + N / Ax x 10), rounded to 2 decimals
// (halves to even); 0 when there is no load or the section has no Sx or no
// area.
double SafetyFactor(const Loads& loads, double fyk, double sx, double ax);

struct SafetyFactors
{
    double ini = 0; // 0: none
    double red = 0; // 0: none
};
SafetyFactors ComputeSafetyFactors(const Loads& loads, double fyk, const CurrentSection& section);

// ">20", the value with 2 decimals, or "N/A".
std::string SafetyFactorText(double sf);

// Input rules of the Sfmin and SfMax fields: SfMax up to 20.00.
inline constexpr cf::SfWindowRules kSfWindowRules{20.0, 2, " Please complete: SfMax >= 1.1*SfMin", true};

// The window search: SfMin <= Sf <= SfMax on the factor rounded to 2 decimals.
bool InSearchWindow(double sf, const cf::SfWindow& window);

// Grade list items and the yield strength of a grade (MPa; 0 without grades).
std::vector<std::string> SteelGradeItems(const Catalogue& cat, bool metric);
double GradeFyk(const Catalogue& cat, int grade, bool metric);

// " <name>\t<Sx,ini>" as the section list shows it.
std::string SectionListLine(const Catalogue& cat, int section, bool metric);

struct ListContext
{
    cf::SearchMode mode = cf::SearchMode::ListAll;
    bool metric = true;
    Loads loads;
    double fyk = 0;       // MPa
    double totalLoss = 0; // mm
    cf::SfWindow window;
};

struct SectionList
{
    std::vector<std::string> lines; // the advice lines when nothing matched
    std::vector<int32_t> rows;      // section of each line (empty when nothing matched)
    int beeps = 0;                  // sections tested beyond the tables or without data
    std::string status;             // last status text of those tests

    bool Empty() const { return rows.empty(); }
};

// The six lines shown when nothing matched.
const std::vector<std::string>& NoMatchLines();

// Lines of sections first..last (clipped to the table): every one in the
// list-all mode, those whose reduced factor lies in the window otherwise.
SectionList FillCatalogueList(const Catalogue& cat, int first, int last, const ListContext& ctx);

struct GridContext
{
    cf::SearchMode mode = cf::SearchMode::ListAll;
    bool metric = true;
    bool reduced = false; // Sf,red instead of Sf,ini
    Loads loads;
    double totalLoss = 0; // mm, without the splash-zone reduction
    cf::SfWindow window;
};

struct SfGrid
{
    std::vector<std::string> sectionHeads; // " " + section name, one per column
    std::vector<std::string> gradeHeads;   // " " + grade name, one per row
    std::vector<std::vector<std::string>> cells; // [section][grade]
    int beeps = 0;
    std::string status;
};

// Text of one grid cell.
std::string SfGridCellText(double sf, const GridContext& ctx);
// Every cell of the summary grid for the sections of `family`.
SfGrid ComputeSfGrid(const Catalogue& cat, FamilyRange family, const GridContext& ctx);

// Caption above the grid.
std::string SfSummaryCaption(cf::SearchMode mode, bool reduced, const std::string& sfminText,
                             const std::string& sfmaxText);
// Whether the grid may show reduced factors for the current section.
bool ReducedSummaryAvailable(const Catalogue& cat, const CurrentSection& section, double totalLoss);

} // namespace cr
