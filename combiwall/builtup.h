// The built-up system: a king pile part and an intermediary sheet pile from
// the built-up tables, composed by name, and its section properties. The
// catalogue's combinations are derived with the same computation.
#pragma once

#include "combiwall/catalogue.h"
#include "combiwall/safety.h"

#include <array>
#include <string>
#include <vector>

namespace cw {

// Items of the built-up tab's choice groups.
inline constexpr std::array<const char*, 3> kBuiltUpSizeItems = {" 575", " 775", " 975"};
inline constexpr std::array<const char*, 4> kBuiltUpThicknessItems = {" A", " B", " C", " D"};
inline constexpr std::array<const char*, 4> kBuiltUpSolutionItems = {"12", "14", "24", "26"};

// Item of a built-up sheet pile: a blank and its name.
std::string BuiltUpSheetPileItem(const std::string& name);
// Columns of the sheet pile group: one per three rows, rounded up.
int BuiltUpSheetPileColumns(size_t rows);

// "WQ" + size + thickness + "-" + solution + " /" + sheet pile item,
// e.g. "WQ 575 A-12 / KX 13   ".
std::string BuiltUpSystemName(const std::string& sizeItem, const std::string& thicknessItem,
                              const std::string& solutionItem, const std::string& sheetPileItem);

// The last row whose name occurs in `systemName` (case-sensitive), or -1.
int FindBuiltUpRow(const std::vector<std::string>& names, const std::string& systemName);

struct BuiltUpSystem {
    SelectedSystem system;
    double ix = 0;         // cm⁴ per system
    double ixPerMetre = 0; // cm⁴/m
};

// Ix = Ix_KP + Ix_SP, b = (w_KP + w_SP) / 1000, SxWQ = Ix / (dWQ / 10) / b,
// SxNJ = Ix / (dNJ / 10) / b, SxKX = Ix / (h / 20) / b, A of the king pile
// row. sheetPileRow -1 leaves the sheet pile out (SxKX 0). A king pile row
// outside its table gives an all-zero system; a width, distance or height that
// is not positive gives 0 for what would divide by it.
BuiltUpSystem ComputeBuiltUpSystem(const Catalogue& cat, int kingPileRow, int sheetPileRow);

} // namespace cw
