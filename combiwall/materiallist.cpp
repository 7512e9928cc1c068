#include "combiwall/materiallist.h"

#include "calcframe/units.h"
#include "combiwall/lengths.h"
#include "platform/numtext.h"

#include <cmath>

namespace cw {

namespace {

const std::string kEmpty;

constexpr std::array<int, kMaterialColumns> kDesignWidths = {71, 61, 61, 61, 45, 45, 72, 72};
constexpr int kDesignRowHeight = 24;

constexpr std::array<const char*, kMaterialColumns> kHeader = {
    "Sections", "Weight", "Length", "Weight", "Pieces/", "Pieces/", "Total", "Grand Total",
};
constexpr std::array<const char*, kMaterialColumns> kMetricUnits = {
    "", "kg/m", "  m", "metric t", "system", "wall", "metric t", "metric t",
};
constexpr std::array<const char*, kMaterialColumns> kImperialUnits = {
    "", "lb/ft", "  ft", "net t", "system", "wall", "net t", "net t",
};

int Scaled(int design, int pixelsPerInch)
{
    return static_cast<int>(sps::RoundHalfEven(static_cast<double>(design) * pixelsPerInch / 96.0));
}

bool Contains(const std::string& text, const char* part)
{
    return text.find(part) != std::string::npos;
}

std::string TrimRight(std::string s)
{
    size_t end = s.find_last_not_of(' ');
    s.erase(end == std::string::npos ? 0 : end + 1);
    return s;
}

// First row, in table order, whose (non-empty) name the system name contains.
int FirstContained(const std::vector<std::string>& names, const std::string& systemName)
{
    for (size_t i = 0; i < names.size(); ++i) {
        if (!names[i].empty() && systemName.find(names[i]) != std::string::npos)
            return static_cast<int>(i);
    }
    return -1;
}

// A length cell: the field's value, "%0.2f", or 0 so written when it has none.
std::string LengthCell(const std::string& fieldText)
{
    double v = 0;
    return ParseFieldNumber(fieldText, v) ? sps::FormatFixed(v, 2) : sps::FormatFixed(0, 2);
}

} // namespace

const std::string& MaterialGrid::Cell(int col, int row) const
{
    if (col < 0 || col >= kMaterialColumns || row < 0 || row >= kMaterialRows)
        return kEmpty;
    return cells_[static_cast<size_t>(row * kMaterialColumns + col)];
}

void MaterialGrid::SetCell(int col, int row, std::string text)
{
    if (col < 0 || col >= kMaterialColumns || row < 0 || row >= kMaterialRows)
        return;
    cells_[static_cast<size_t>(row * kMaterialColumns + col)] = std::move(text);
}

void MaterialGrid::ClearBody()
{
    for (int row = kMaterialFixedRows; row < kMaterialRows; ++row) {
        for (int col = 0; col < kMaterialColumns; ++col)
            SetCell(col, row, std::string());
    }
}

bool MaterialGrid::Value(int col, int row, double& value) const
{
    const std::string& text = Cell(col, row);
    return !text.empty() && sps::TryParseFloat(text, value) && std::isfinite(value);
}

std::string UnitWeightText(double kgPerMetre, bool metric)
{
    return sps::FormatFixed(metric ? kgPerMetre : kgPerMetre / kUnitWeightFactor, 2);
}

MaterialListLayout LayoutMaterialList(MaterialGrid& grid, int pixelsPerInch, bool metric)
{
    MaterialListLayout layout;
    for (int col = 0; col < kMaterialColumns; ++col) {
        layout.columnWidths[static_cast<size_t>(col)] = Scaled(kDesignWidths[static_cast<size_t>(col)], pixelsPerInch);
        grid.SetCell(col, 0, kHeader[static_cast<size_t>(col)]);
        grid.SetCell(col, 1, (metric ? kMetricUnits : kImperialUnits)[static_cast<size_t>(col)]);
    }
    layout.rowHeight = Scaled(kDesignRowHeight, pixelsPerInch);
    return layout;
}

SystemComposition ShowSystemComposition(MaterialGrid& grid, const std::string& name, const Catalogue& cat,
                                        bool builtUpSheetPiles, bool metric, double b)
{
    SystemComposition r;
    grid.ClearBody();
    if (name.empty())
        return r;
    const KingPileTable& kp = cat.kingPiles;
    const int king = FirstContained(kp.names, name);
    if (king < 0 || static_cast<size_t>(king) >= kp.unitWeight.size())
        return r;
    r.kingPileFound = true;
    const size_t k = static_cast<size_t>(king);
    grid.SetCell(kColName, kRowKingPile, " " + kp.names[k]);
    grid.SetCell(kColUnitWeight, kRowKingPile, UnitWeightText(kp.unitWeight[k], metric));

    // The king pile's first, second or third connector into a row; a
    // connector index outside the table leaves the row absent.
    auto connector = [&](size_t which, int row) {
        const std::vector<int8_t>& column = kp.connectors[which];
        if (k >= column.size())
            return;
        const int index = column[k];
        if (index < 0 || static_cast<size_t>(index) >= cat.connectors.Size() ||
            static_cast<size_t>(index) >= cat.connectors.unitWeight.size())
            return;
        const size_t c = static_cast<size_t>(index);
        grid.SetCell(kColName, row, " " + TrimRight(cat.connectors.names[c]));
        grid.SetCell(kColUnitWeight, row, UnitWeightText(cat.connectors.unitWeight[c], metric));
    };

    const bool c1 = Contains(name, "C1 ");
    const bool c23 = Contains(name, "C23");
    if (c1) {
        connector(2, kRowConnector1);
        grid.SetCell(kColPiecesPerSystem, kRowConnector1, "1");
        grid.SetCell(kColPiecesPerSystem, kRowKingPile, "1");
    }
    if (c23) {
        connector(2, kRowConnector1);
        grid.SetCell(kColPiecesPerSystem, kRowConnector1, "3");
        grid.SetCell(kColPiecesPerSystem, kRowKingPile, "2");
    }
    r.kingPilesOnly = c1 || c23;
    if (r.kingPilesOnly) {
        r.connectorFieldsVisible = false;
        r.extraWidth = 0.0;
    }
    if (Contains(name, "-1") || Contains(name, "-2")) {
        r.connectorFieldsVisible = true;
        r.extraWidth = 0.5;
        connector(0, kRowConnector1);
        grid.SetCell(kColPiecesPerSystem, kRowConnector1, "1");
        connector(1, kRowConnector2);
        grid.SetCell(kColPiecesPerSystem, kRowConnector2, "1");
        grid.SetCell(kColPiecesPerSystem, kRowKingPile, "1");
        grid.SetCell(kColPiecesPerSystem, kRowSheetPile, "1");
    }
    r.vbFieldVisible = Contains(name, "-14") || Contains(name, "-26");
    if (r.vbFieldVisible) {
        connector(2, kRowSecondRange);
        grid.SetCell(kColPiecesPerSystem, kRowSecondRange, "2");
    }
    if (Contains(name, "-24") || Contains(name, "-26")) {
        connector(2, kRowFurtherConnectors);
        grid.SetCell(kColPiecesPerSystem, kRowKingPile, "2");
        grid.SetCell(kColPiecesPerSystem, kRowFurtherConnectors, "2");
        r.extraWidth = 1.0;
    }

    if (builtUpSheetPiles) {
        const BuiltUpSheetPileTable& sp = cat.builtUpSheetPiles;
        const int row = FirstContained(sp.names, name);
        if (row >= 0 && static_cast<size_t>(row) < sp.unitWeight.size()) {
            grid.SetCell(kColName, kRowSheetPile, " " + sp.names[static_cast<size_t>(row)]);
            grid.SetCell(kColUnitWeight, kRowSheetPile, UnitWeightText(sp.unitWeight[static_cast<size_t>(row)], metric));
        }
    } else {
        const SectionTable& sp = cat.sheetPiles;
        const int row = FirstContained(sp.names, name);
        if (row >= 0 && static_cast<size_t>(row) < sp.unitWeight.size()) {
            grid.SetCell(kColName, kRowSheetPile, " " + sp.names[static_cast<size_t>(row)]);
            grid.SetCell(kColUnitWeight, kRowSheetPile, UnitWeightText(sp.unitWeight[static_cast<size_t>(row)], metric));
        }
    }

    // Weight of a row per system: unit weight x pieces; an absent row adds nothing.
    auto term = [&](int row) {
        double w = 0;
        double p = 0;
        return grid.Value(kColUnitWeight, row, w) && grid.Value(kColPiecesPerSystem, row, p) ? w * p : 0.0;
    };
    const double perFoot = metric ? 1.0 : cf::kLengthFactor;
    const int decimals = metric ? 1 : 2;
    if (r.kingPilesOnly) {
        if (b > 0) {
            r.wallWeightC1C23 = (term(kRowKingPile) + term(kRowConnector1)) / b * perFoot;
            r.weightC1C23Text = sps::FormatFixed(r.wallWeightC1C23, decimals);
        } else {
            r.weightC1C23Text = kNoWeight;
        }
    } else {
        double s = 0;
        for (int row = kRowKingPile; row <= kRowFurtherConnectors; ++row)
            s += term(row);
        double sheet = 0;
        grid.Value(kColUnitWeight, kRowSheetPile, sheet); // one sheet pile per system, absent: 0
        if (b > 0) {
            r.wallWeight100 = (s + 1.0 * sheet) / b * perFoot;
            r.wallWeight60 = (s + 0.6 * sheet) / b * perFoot;
            r.weight100Text = sps::FormatFixed(r.wallWeight100, decimals);
            r.weight60Text = sps::FormatFixed(r.wallWeight60, decimals);
        } else {
            r.weight100Text = kNoWeight;
            r.weight60Text = kNoWeight;
        }
    }
    return r;
}

void ComputeMaterialList(MaterialGrid& grid, const MaterialListInput& in)
{
    if (in.caption.empty())
        return;
    grid.SetCell(kColLength, kRowKingPile, LengthCell(in.lengthWQ));
    if (in.connectorFieldsVisible) {
        grid.SetCell(kColLength, kRowConnector1, LengthCell(in.lengthNJ));
        grid.SetCell(kColLength, kRowConnector2, LengthCell(in.lengthNJ));
        grid.SetCell(kColLength, kRowSheetPile, LengthCell(in.lengthKX));
        if (in.vbFieldVisible)
            grid.SetCell(kColLength, kRowSecondRange, LengthCell(in.lengthVB));
        if (Contains(in.caption, "-24") || Contains(in.caption, "-26"))
            grid.SetCell(kColLength, kRowFurtherConnectors, LengthCell(in.lengthWQ));
        else
            grid.SetCell(kColLength, kRowFurtherConnectors, std::string());
    } else {
        grid.SetCell(kColLength, kRowConnector1, LengthCell(in.lengthWQ));
    }

    // Weight of one piece: metric tonnes of 1000 kg, or net tons of 2000 lb.
    const double perTon = in.metric ? 1000 : 2000;
    for (int row = kRowKingPile; row <= kRowSheetPile; ++row) {
        double w = 0;
        double l = 0;
        if (!grid.Empty(kColLength, row) && grid.Value(kColUnitWeight, row, w) && grid.Value(kColLength, row, l))
            grid.SetCell(kColPieceWeight, row, sps::FormatFixed(w * l / perTon, 3));
        else
            grid.SetCell(kColPieceWeight, row, std::string());
    }

    // Pieces per wall: one more king pile and connector than systems, except
    // for king pile walls named "-C1"/"-C23"; the sheet piles one per system.
    const int64_t n = in.numberOfSystems < 0 ? 0 : in.numberOfSystems;
    const bool closedEnds = Contains(in.caption, "-C1") || Contains(in.caption, "-C23");
    auto rowTotal = [&](int row) {
        double pieces = 0;
        double weight = 0;
        if (grid.Value(kColPiecesPerWall, row, pieces) && grid.Value(kColPieceWeight, row, weight))
            grid.SetCell(kColTotal, row, sps::FormatFixed(pieces * weight, 3));
        else
            grid.SetCell(kColTotal, row, std::string());
    };
    for (int row = kRowKingPile; row <= kRowGrandTotal; ++row) {
        if (grid.Empty(kColLength, row)) {
            grid.SetCell(kColPiecesPerWall, row, std::string());
            grid.SetCell(kColTotal, row, std::string());
            continue;
        }
        double perSystem = 0;
        if (n < 1)
            grid.SetCell(kColPiecesPerWall, row, "0");
        else if (grid.Value(kColPiecesPerSystem, row, perSystem))
            grid.SetCell(kColPiecesPerWall, row,
                         sps::FormatFixed(perSystem * static_cast<double>(closedEnds ? n : n + 1), 0));
        else
            grid.SetCell(kColPiecesPerWall, row, std::string());
        rowTotal(row);
    }
    if (!grid.Empty(kColLength, kRowSheetPile)) {
        double perSystem = 0;
        if (grid.Value(kColPiecesPerSystem, kRowSheetPile, perSystem))
            grid.SetCell(kColPiecesPerWall, kRowSheetPile, sps::FormatFixed(perSystem * static_cast<double>(n), 0));
        else
            grid.SetCell(kColPiecesPerWall, kRowSheetPile, std::string());
        rowTotal(kRowSheetPile);
    }

    // Totals: the king pile system (rows 2 to 6, summed as shown), the sheet
    // piles, and both.
    grid.SetCell(kColGrandTotal, kRowKingPile, sps::FormatFixed(0, 3));
    for (int row = kRowKingPile; row <= kRowFurtherConnectors; ++row) {
        double sum = 0;
        double total = 0;
        if (grid.Value(kColTotal, row, total) && grid.Value(kColGrandTotal, kRowKingPile, sum))
            grid.SetCell(kColGrandTotal, kRowKingPile, sps::FormatFixed(sum + total, 3));
    }
    if (!grid.Empty(kColUnitWeight, kRowSheetPile)) {
        double total = 0;
        if (grid.Value(kColTotal, kRowSheetPile, total))
            grid.SetCell(kColGrandTotal, kRowSheetPile, sps::FormatFixed(total, 3));
        else
            grid.SetCell(kColGrandTotal, kRowSheetPile, std::string());
    }
    grid.SetCell(kColGrandTotal, kRowGrandTotal, sps::FormatFixed(0, 3));
    if (!grid.Empty(kColGrandTotal, kRowSheetPile)) {
        double a = 0;
        double s = 0;
        if (grid.Value(kColGrandTotal, kRowKingPile, a) && grid.Value(kColGrandTotal, kRowSheetPile, s))
            grid.SetCell(kColGrandTotal, kRowGrandTotal, sps::FormatFixed(a + s, 3));
    } else {
        grid.SetCell(kColGrandTotal, kRowGrandTotal, grid.Cell(kColGrandTotal, kRowKingPile));
    }
}

} // namespace cw
