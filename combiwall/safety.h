// Safety factors of king pile, connectors and intermediary sheet pile, their
// display texts, and the catalogue tab's combination list (group ranges, king
// pile filter, list lines, the SfWindow search).
#pragma once

#include "calcframe/sfwindow.h"
#include "combiwall/catalogue.h"
#include "combiwall/grades.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace cw {

// The system whose safety factors are shown, metric units.
struct SelectedSystem {
    double sxWQ = 0; // Sx of the king pile system, cm³/m
    double sxNJ = 0; // Sx of the connectors, cm³/m
    double sxKX = 0; // Sx of the intermediary sheet pile, cm³/m
    double area = 0; // A, steel area per system, cm²
    double b = 0;    // system width, m
};

// The five values of a combination row.
SelectedSystem CombinationSystem(const Catalogue& cat, int row);

// The loads, metric: M (kNm/m), N (kN/m), f (cm).
struct Loads {
    double moment = 0;
    double load = 0;
    double deflection = 0;
};

// 0 stands for "not computed".
struct SafetyFactors {
    double kingPile = 0;   // SfWQ
    double connectors = 0; // SfNJ
    double sheetPile = 0;  // SfKX
    double minimum = 0;
};

inline constexpr const char* kSafetyFactorHint = "Sf = fyk / ((M + N * f) / Sx + N / Ax)";

// With M > 0 or N > 0 and SxWQ > 0:
//   SfWQ = fyk_WQ / ((M + N f / 100) / SxWQ x 1000 + N b / A x 10), SfNJ the same with SxNJ,
//   SfKX = fyk_KX / ((M + N f / 100) / SxKX x 1000) when N f + M > 0,
// (bending and axial stress both in MPa). A member whose section modulus is
// not positive, and king pile and connectors when A or b is not positive, get
// 0 instead of a division by zero. The minimum starts from SfWQ, takes SfNJ
// when smaller, and SfKX when smaller and positive.
SafetyFactors ComputeSafetyFactors(const Loads& loads, const YieldStrengths& fyk, const SelectedSystem& sys);

// "N/A" when not above 0, ">100" when above 100, otherwise 2 decimals.
std::string SafetyFactorText(double sf);

struct SafetyFactorTexts {
    std::string kingPile;
    std::string connectors; // "N/A" whenever the king pile's is
    std::string sheetPile;
    std::string minimum;
};
SafetyFactorTexts SafetyFactorDisplay(const SafetyFactors& sf);

// Inclusive row range; empty when last < first.
struct RowRange {
    int first = 0;
    int last = -1;
    int Count() const { return last >= first ? last - first + 1 : 0; }
};

// Items of the sheet pile group and king pile filter radio groups.
inline constexpr std::array<const char*, 4> kGroupItems = {" ALL", " KX 13", " KX 18", " KX 26"};
inline constexpr std::array<const char*, 4> kKingPileItems = {"ALL", "WQ 575", "WQ 775", "WQ 975"};
inline constexpr const char* kAllGroupHint = " ALL = Combinations C1 & C23 included ";

// Rows of a group item: 0 every row, 1..3 the header's groups. An unknown
// item gives an empty range.
RowRange GroupRange(const Catalogue& cat, int groupItem);
// The group's hint: kAllGroupHint for item 0, otherwise empty.
std::string GroupHint(int groupItem);

// The king pile filter of an item text: the text trimmed of blanks, or empty
// (no filter) when it contains "all" in any case.
std::string KingPileFilter(const std::string& itemText);

// " " + name padded to 18, a tab, then Sx padded to 10: no decimals in cm³/m,
// or one decimal in in³/ft.
std::string ListLine(const std::string& name, double sxWQ, bool metric);

// Combination row of each list line.
using ListIndexMap = std::vector<int32_t>;

struct ListInput {
    cf::SearchMode mode = cf::SearchMode::ListAll;
    cf::SfWindow window;
    Loads loads;
    YieldStrengths fyk;
    bool metric = true;
};

struct CatalogueList {
    std::vector<std::string> lines;
    ListIndexMap indexMap;
};

// Lines of the rows in `range` whose names contain `filter` (case-sensitive;
// an empty filter keeps every row); in the window search only rows whose
// smallest safety factor lies in the SfWindow. `out` is refilled.
void FillCatalogueList(const Catalogue& cat, RowRange range, const std::string& filter, const ListInput& in,
                       CatalogueList& out);

// Kestrane's SfWindow: SfMax at most 100.
inline constexpr cf::SfWindowRules kSfWindowRules = {100.0, 0, " Please complete: SfMax > 1.1*SfMin", false};

// Advice lines of an empty list.
inline constexpr std::array<const char*, 6> kNoMatchLines = {
    " No match found.", " Check bending moment,", " compression load,", " deflection,", " steel grades,",
    " Sfmin required.",
};

// Status text of a chosen combination: Sx of king pile system and connectors
// and the steel area per width.
std::string SelectionStatusText(const SelectedSystem& sys, bool metric);

} // namespace cw
