// The material list of a combined wall: which members a system has (from its
// name), their unit weights, lengths and weights per piece, pieces per system
// and per wall, the totals, and the weights of the wall per area. The list is
// a grid of texts, as shown; later steps read the shown, rounded values back.
// An empty cell means the row or value is absent and is never read as a number.
#pragma once

#include "combiwall/catalogue.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace cw {

inline constexpr int kMaterialColumns = 8;
inline constexpr int kMaterialRows = 9;
inline constexpr int kMaterialFixedRows = 2;

// Rows of the members.
inline constexpr int kRowKingPile = 2;
inline constexpr int kRowConnector1 = 3;
inline constexpr int kRowConnector2 = 4;
inline constexpr int kRowSecondRange = 5;
inline constexpr int kRowFurtherConnectors = 6;
inline constexpr int kRowSheetPile = 7;
inline constexpr int kRowGrandTotal = 8;

// Columns.
inline constexpr int kColName = 0;
inline constexpr int kColUnitWeight = 1;
inline constexpr int kColLength = 2;
inline constexpr int kColPieceWeight = 3;
inline constexpr int kColPiecesPerSystem = 4;
inline constexpr int kColPiecesPerWall = 5;
inline constexpr int kColTotal = 6;
inline constexpr int kColGrandTotal = 7;

// kg/m per lb/ft.
inline constexpr double kUnitWeightFactor = 1.488167;

// Weight per area shown when it cannot be computed.
inline constexpr const char* kNoWeight = " N/A ";

class MaterialGrid {
public:
    // Cells outside the grid read as empty and are not written.
    const std::string& Cell(int col, int row) const;
    void SetCell(int col, int row, std::string text);
    // Empties rows 2 to 8.
    void ClearBody();
    // The cell's value; false when the cell is empty or not a number.
    bool Value(int col, int row, double& value) const;
    bool Empty(int col, int row) const { return Cell(col, row).empty(); }

private:
    std::array<std::string, kMaterialColumns * kMaterialRows> cells_;
};

struct MaterialListLayout {
    std::array<int, kMaterialColumns> columnWidths{};
    int rowHeight = 0;
};

// Column widths 71, 61, 61, 61, 45, 45, 72, 72 and row height 24, scaled by
// the screen's pixels per inch / 96 (halves to even); writes the header rows
// in the unit system.
MaterialListLayout LayoutMaterialList(MaterialGrid& grid, int pixelsPerInch, bool metric);

// What ShowSystemComposition decided for the form.
struct SystemComposition {
    // False: no king pile of the table is in the name; the grid stays empty and
    // nothing else changes.
    bool kingPileFound = false;
    // A system of king piles and connectors only ("C1 " or "C23").
    bool kingPilesOnly = false;
    // Connector and sheet pile length fields (with their labels): hidden for
    // C1/C23 systems, shown for "-1"/"-2" systems, otherwise unchanged.
    std::optional<bool> connectorFieldsVisible;
    // VB length field (with its labels): shown for "-14"/"-26" systems.
    bool vbFieldVisible = false;
    // Added to the systems' width for the total wall length, m; unchanged when
    // the name carries no marker.
    std::optional<double> extraWidth;
    // Weights per area, kg/m² (metric) or lb/ft² (imperial), 0 when absent.
    double wallWeightC1C23 = 0;
    double wallWeight60 = 0;
    double wallWeight100 = 0;
    // Their texts ("%0.1f" metric, "%0.2f" imperial, kNoWeight when b is not
    // positive); for C1/C23 systems only the first, otherwise the other two.
    std::string weightC1C23Text;
    std::string weight60Text;
    std::string weight100Text;
};

// Fills names, unit weights and pieces per system from the system name: the
// first king pile whose name the system name contains; its connectors by the
// markers "C1 ", "C23", "-1"/"-2", "-14"/"-26", "-24"/"-26"; the first sheet
// pile contained in the name, from the built-up sheet pile table when
// `builtUpSheetPiles` (the built-up tab is the source), otherwise from the
// intermediary sheet pile table. b: the system width, m.
SystemComposition ShowSystemComposition(MaterialGrid& grid, const std::string& name, const Catalogue& cat,
                                        bool builtUpSheetPiles, bool metric, double b);

struct MaterialListInput {
    std::string caption; // name of the current system (Lbl_WQCombination)
    // Texts of the length fields, in the display unit.
    std::string lengthWQ;
    std::string lengthNJ;
    std::string lengthVB;
    std::string lengthKX;
    bool connectorFieldsVisible = true; // Edit_LengthNJ shown
    bool vbFieldVisible = false;        // Edit_LengthVB shown
    int64_t numberOfSystems = 0;
    bool metric = true;
};

// Lengths, weights per piece, pieces per wall, totals and grand totals.
void ComputeMaterialList(MaterialGrid& grid, const MaterialListInput& in);

// Unit weight as shown: kg/m, or lb/ft in imperial units, "%0.2f".
std::string UnitWeightText(double kgPerMetre, bool metric);

} // namespace cw
