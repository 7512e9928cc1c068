#include "combiwall/report.h"

#include "calcframe/reporttext.h"
#include "calcframe/units.h"
#include "platform/numtext.h"

namespace cw {

namespace {

constexpr size_t kGradeNameWidth = 11;
constexpr const char* kNotAvailable = "N/A";

std::string Cut(const std::string& s, size_t count) { return cf::FirstChars(s, count); }
std::string Left(const std::string& s, size_t width) { return cf::LeftJustified(s, width); }
std::string Right(const std::string& s, size_t width) { return cf::RightJustified(s, width); }

int Round(double v)
{
    return static_cast<int>(sps::RoundHalfEven(v));
}

// Values and units of the section properties, as both reports write them.
struct Properties {
    double sxWQ;
    double sxNJ;
    double areaPerWidth;
    bool areaKnown;
    double ix;
    int sxDecimals;
    int areaDecimals;
    int ixDecimals;
    const char* sxUnit;
    const char* areaUnit;
    const char* ixUnit;
};

Properties PropertiesOf(const ReportState& st)
{
    const SelectedSystem& s = st.system;
    const bool areaKnown = s.b > 0;
    if (st.metric) {
        return Properties{s.sxWQ, s.sxNJ, areaKnown ? s.area / s.b : 0, areaKnown, st.ixPerMetre, 0, 1, 0,
                          "cm³/m", "cm²/m", "cm4/m"};
    }
    return Properties{s.sxWQ / cf::kSxFactor,
                      s.sxNJ / cf::kSxFactor,
                      areaKnown ? s.area / (cf::kAreaFactor * s.b) : 0,
                      areaKnown,
                      st.ixPerMetre / cf::kInertiaFactor,
                      1,
                      2,
                      1,
                      "in³/ft",
                      "in²/ft",
                      "in4/ft"};
}

std::string AreaText(const Properties& p)
{
    return p.areaKnown ? sps::FormatFixed(p.areaPerWidth, p.areaDecimals) : kNotAvailable;
}

} // namespace

std::string ReportGradeName(const SteelGradeTable& table, int index)
{
    std::string name;
    if (index >= 0 && static_cast<size_t>(index) < table.names.size())
        name = table.names[static_cast<size_t>(index)];
    return Left(Cut(name, kGradeNameWidth), kGradeNameWidth);
}

bool HasMaterialList(const MaterialGrid& grid)
{
    double total = 0;
    return grid.Value(kColGrandTotal, kRowGrandTotal, total) && total > 0;
}

std::vector<std::string> TextReportLines(const ReportState& st)
{
    std::vector<std::string> lines;
    lines.push_back(cf::ReportHeadLine(" WQ KX Kestrane.   ", st.versionLine));
    lines.emplace_back();
    lines.push_back(std::string(kReportNotice) + " " + Right(st.date, 20));
    lines.push_back(std::string(73, '_'));
    lines.emplace_back();
    lines.emplace_back();
    lines.push_back(st.systemName);
    lines.emplace_back();
    lines.emplace_back();

    auto item = [&](const std::string& label, const std::string& value, bool emptyLineAfter = true) {
        lines.push_back(Left(label, 30) + value);
        if (emptyLineAfter)
            lines.emplace_back();
    };
    const Properties p = PropertiesOf(st);
    auto number8 = [](double v, int decimals) { return Right(sps::FormatFixed(v, decimals), 8); };
    item("Section modulus Sx of WQ : ", number8(p.sxWQ, p.sxDecimals) + " " + p.sxUnit);
    item("Sx of connectors NJ/VB : ", number8(p.sxNJ, p.sxDecimals) + " " + p.sxUnit);
    item("Steel area Ax of WQ : ", Right(AreaText(p), 8) + " " + p.areaUnit);
    if (st.builtUpEnabled)
        item("Moment of inertia of system : ", number8(p.ix, p.ixDecimals) + " " + p.ixUnit);
    item("Bending moment : ", Right(st.moment, 8) + " " + st.momentUnit);
    item("Compression load : ", Right(st.load, 8) + " " + st.loadUnit);
    item("Deflection: ", Right(st.deflection, 8) + " " + st.deflectionUnit);
    item("Steel Grade WQ: ", Right(st.grades[0], 8));
    item("Steel Grade NJ/VB: ", Right(st.grades[1], 8));
    if (st.sheetPileShown)
        item("Steel Grade KX: ", Right(st.grades[2], 8));
    item("Safety factor of WQ : ", Right(st.sfKingPile, 8));
    item("Safety factor of NJ/VB : ", Right(st.sfConnectors, 8));
    if (st.sheetPileShown)
        item("Safety factor of KX : ", Right(st.sfSheetPile, 8));
    if (st.listAllMode)
        item("Minimum safety factor : ", Right(st.sfMinimum, 8), false);
    else
        item("Required safety factor : ", Right(st.sfmin, 8), false);

    if (HasMaterialList(st.grid)) {
        lines.emplace_back();
        lines.emplace_back();
        lines.push_back("MATERIAL LIST");
        lines.emplace_back();
        lines.emplace_back();
        for (int row = 0; row < kMaterialRows; ++row) {
            const bool optional = row >= kRowConnector2 && row <= kRowSheetPile;
            if (optional && st.grid.Empty(kColName, row))
                continue;
            std::string line;
            for (int col = 0; col < kMaterialColumns; ++col)
                line += Right(Cut(st.grid.Cell(col, row), 9), 11);
            lines.push_back(line);
            if (row > 0)
                lines.emplace_back();
        }
        lines.emplace_back();
        lines.emplace_back();
        lines.push_back(Left("Total wall length: ", 30) + st.totalWallLength + " " + st.totalWallUnit);
    }
    return lines;
}

void WriteTextReport(const std::string& path, const ReportState& st)
{
    cf::WriteTextLines(path, TextReportLines(st));
}

namespace {

void DrawReport(sps::TPrinter& printer, const ReportState& st)
{
    using namespace sps;
    TCanvas& cv = printer.Canvas();
    const double s = cv.PixelsPerInch() / 300.0;
    cv.Font = TFont{"Arial", 10, clBlack, 0};
    cv.Pen = TPen{psSolid, Round(5 * s), clBlack};

    const int pageWidth = printer.PageWidth();
    const int pageHeight = printer.PageHeight();
    const int L = Round(pageWidth / 12.0);
    const int R = pageWidth - L;
    const int B = pageHeight - L;
    const int C = Round((R - L) / 9.2);
    int H = Round(L / 5.0);

    cv.MoveTo(L, L);
    cv.LineTo(R, L);
    cv.MoveTo(L, B + H);
    cv.LineTo(R, B + H);
    cv.Brush.Style = bsClear;
    cv.TextOut(L + Round(20 * s), L - 2 * H, kReportNotice);
    cv.TextOut(R - 3 * C, B + 2 * H, Cut(st.versionLine, 35));
    cv.TextOut(L + Round(20 * s), B + 2 * H, st.date + " , " + st.time);

    auto centredX = [&](const std::string& text) { return L + Round((R - L) / 2.0 - cv.TextWidth(text) / 2.0); };

    cv.Font = TFont{"Arial", 12, clBlack, fsBold};
    H = Round(1.5 * cv.TextHeight("Mg"));
    int y = L + 2 * H;
    cv.TextOut(centredX(kReportTitle), y, std::string(kReportTitle) + " ");

    cv.Font = TFont{"Arial", 10, clBlack, 0};
    H = Round(1.7 * cv.TextHeight("Mg"));
    y += 2 * H;

    const int valueX = L + 4 * C;
    auto line = [&](const std::string& label, const std::string& value, const std::string& unit) {
        cv.TextOut(L, y, label);
        cv.TextOut(valueX, y, value + "   " + unit);
        y += H;
    };
    const Properties p = PropertiesOf(st);
    const std::string sxUnit = std::string(" ") + p.sxUnit;
    line(" WQ/KX Combination : ", st.systemName, "");
    line(" Section modulus Sx of WQ : ", sps::FormatFixed(p.sxWQ, p.sxDecimals), sxUnit);
    line(" Sx of connectors NJ/VB : ", sps::FormatFixed(p.sxNJ, p.sxDecimals), sxUnit);
    line(" Steel area Ax of king pile WQ : ", AreaText(p), std::string(" ") + p.areaUnit);
    if (st.builtUpEnabled)
        line(" Moment of inertia of system: ", sps::FormatFixed(p.ix, p.ixDecimals), p.ixUnit);
    line(" Steel grade of WQ : ", st.grades[0], "");
    line(" Steel grade of connectors NJ/VB : ", st.grades[1], "");
    if (st.sheetPileShown)
        line(" Steel grade of KX : ", st.grades[2], "");
    line(" Bending moment : ", st.moment, st.metric ? " kNm/m" : " kips*ft/ft");
    line(" Compression load : ", st.load, st.metric ? " kN/m" : " kips/ft");
    line(" Deflection : ", st.deflection, st.metric ? " cm" : " in");
    line(" Safety factor WQ: ", st.sfKingPile, "");
    line(" Safety factor connectors NJ/VB: ", st.sfConnectors, "");
    if (st.sheetPileShown)
        line(" Safety factor KX: ", st.sfSheetPile, "");
    line(" Minimum safety factor : ", st.sfMinimum, "");

    if (!HasMaterialList(st.grid))
        return;
    cv.TextOut(centredX("MATERIAL LIST"), y + H, " MATERIAL LIST");
    y += 2 * H;
    auto printed = [&](int row) { return row == 1 || row == kRowGrandTotal || !st.grid.Empty(kColName, row); };
    auto boxWidth = [&](int col) { return (col == 0 ? 2 : 1) * C; };
    // The table's font: the largest size from the body's 10 points down to 6
    // at which every cell's text clears its box's lines (half a pen inside the
    // box) by a pen width on either side.
    const int clearance = 3 * cv.Pen.Width;
    for (int size = 10; size >= 6; --size) {
        cv.Font = TFont{"Arial", size, clBlack, 0};
        bool fits = true;
        for (int row = 0; row < kMaterialRows && fits; ++row)
            for (int col = 0; col < kMaterialColumns && fits && printed(row); ++col)
                fits = cv.TextWidth(st.grid.Cell(col, row)) + clearance <= boxWidth(col);
        if (fits)
            break;
    }
    cv.Brush.Style = bsSolid;
    const int v = Round((H - cv.TextHeight("Mg")) / 2.0);
    for (int row = 0; row < kMaterialRows; ++row) {
        if (!printed(row))
            continue;
        y += H;
        int x = L;
        for (int col = 0; col < kMaterialColumns; ++col) {
            const int w = boxWidth(col);
            const TRect box = Bounds(x, y, w, H);
            if (row < kMaterialFixedRows || col == 0) {
                cv.Brush = TBrush{bsSolid, clSilver};
            } else {
                cv.Brush.Style = bsClear;
            }
            cv.Pen.Color = clBlack;
            cv.Rectangle(box.Left, box.Top, box.Right, box.Bottom);
            cv.Brush.Style = bsClear;
            const std::string& text = st.grid.Cell(col, row);
            int t = Round((w - cv.TextWidth(text)) / 2.0);
            if (t <= 0)
                t = 4;
            cv.TextRect(box, x + t, y + v, text);
            x += w;
        }
    }
    y += 2 * H;
    cv.Font = TFont{"Arial", 10, clBlack, 0};
    cv.TextOut(L, y, " Total wall length :   " + st.totalWallLength + "  " + st.totalWallUnit);
}

} // namespace

void PrintReport(sps::TPrinter& printer, const ReportState& st)
{
    cf::PrintDocument(printer, kReportTitle, [&] {
        if (!st.listEmpty || st.builtUpEnabled)
            DrawReport(printer, st);
    });
}

} // namespace cw
