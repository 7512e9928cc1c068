#include "corrosion/report.h"

#include "calcframe/fieldtext.h"
#include "calcframe/reporttext.h"
#include "calcframe/rounding.h"
#include "calcframe/units.h"
#include "corrosion/text.h"
#include "corrosion/units.h"
#include "platform/canvas.h"
#include "platform/numtext.h"

#include <algorithm>
#include <cstdint>

namespace cr {

namespace {

// Weight per area: the report divides by this factor, the form by 4.88245.
constexpr double kReportKgM2PerLbFt2 = 4.882445;

std::string Trimmed(const std::string& s)
{
    const size_t b = s.find_first_not_of(' ');
    if (b == std::string::npos)
        return std::string();
    return s.substr(b, s.find_last_not_of(' ') - b + 1);
}

// "%8.<decimals>f"
std::string Number8(double v, int decimals)
{
    return Fixed(v, decimals, 8);
}

// "%8.0d" of a whole number (0 prints as "0").
std::string Whole8(int64_t n)
{
    return cf::RightJustified(std::to_string(n), 8);
}

// The whole number a box shows (" 25"), or nothing.
bool WholeNumberOf(const std::string& text, int64_t& n)
{
    return sps::TryParseInt(Trimmed(text), n);
}

// A box's number as "%8.0d"; a text that is no whole number is kept as it is.
std::string WholeText8(const std::string& text)
{
    int64_t n = 0;
    return WholeNumberOf(text, n) ? Whole8(n) : cf::RightJustified(Trimmed(text), 8);
}

// A face loss as the summary label shows it, formatted again; a label that
// shows no number (" N/A ") is reported as it reads.
std::string FaceLossText(const std::string& label, bool metric)
{
    double v = 0;
    if (!cf::ParseFieldNumber(label, v))
        return cf::RightJustified(Trimmed(label), 8);
    return Number8(v, metric ? 2 : 0);
}

std::string Description(const std::string& edit, const char* placeholder)
{
    if (edit.empty() || edit.find(placeholder) != std::string::npos)
        return "user defined ";
    return edit;
}

} // namespace

ReportRows BuildReportRows(const ReportState& st)
{
    ReportRows r;
    const bool m = st.metric;
    const CurrentSection& s = st.section;
    auto set = [&r](int row, const char* label, std::string value, const char* unit = "") {
        r[row] = ReportRow{label, std::move(value), unit};
    };

    // Section, grade, loads and safety factors.
    set(0, " Section : ", cf::RightJustified(Trimmed(s.name), 10));
    set(1, " Section modulus Sx,ini  : ", m ? Number8(s.sxIni, 0) : Number8(s.sxIni / cf::kSxFactor, 2),
        m ? "cm³/m" : "in³/ft");
    set(2, " Steel area Ax,ini : ", m ? Number8(s.axIni, 1) : Number8(s.axIni / cf::kAreaFactor, 2),
        m ? "cm²/m" : "in²/ft");
    set(3, " Reduced section modulus Sx,red  : ", m ? Number8(s.sxRed, 0) : Number8(s.sxRed / cf::kSxFactor, 2),
        m ? "cm³/m" : "in³/ft");
    set(4, " Reduced steel area Ax,red : ", m ? Number8(s.axRed, 1) : Number8(s.axRed / cf::kAreaFactor, 2),
        m ? "cm²/m" : "in²/ft");
    set(5, " Reduced moment of inertia Ix,red : ",
        m ? Number8(s.ixRed, 0) : Number8(s.ixRed / cf::kInertiaFactor, 1), m ? "cm4/m" : "in4/ft");
    set(6, " Reduced flange thickness tf,red : ", m ? Number8(s.tfRed, 2) : Number8(s.tfRed / kMmPerInch, 3),
        m ? "mm" : "in");
    set(7, " Reduced web thickness tw,red : ", m ? Number8(s.twRed, 2) : Number8(s.twRed / kMmPerInch, 3),
        m ? "mm" : "in");
    set(8, " Steel grade : ", cf::FirstChars(st.gradeText, 11));
    set(9, " Yield point: ",
        m ? Number8(st.fyk, 0) : Number8(cf::RoundHalfEvenDecimal(st.fyk / cf::kFykFactor, 2), 1), m ? "MPa" : "ksi");
    const Loads& l = st.loads;
    set(10, " Bending moment M: ", Number8(m ? l.m : l.m / cf::kMomentFactor, 1), m ? "kNm/m" : "kips*ft/ft");
    set(11, " Compression load N: ", Number8(m ? l.n : l.n / cf::kLoadFactor, 1), m ? "kN/m" : "kips/ft");
    set(12, " Deflection f: ", Number8(m ? l.f : l.f / cf::kDeflectionFactor, 1), m ? "cm" : "in");
    set(13, " Safety factor Sf,ini: ", Number8(st.sf.ini, 2));
    set(14, " Safety factor Sf,red: ", Number8(st.sf.red, 2));
    const double weight = s.b > 0 ? s.mass / s.b : 0;
    set(15, " Weight: ", Number8(m ? weight : weight / kReportKgM2PerLbFt2, 1), m ? "kg/m²" : "lb/ft²");

    if (st.totalLoss == 0) {
        for (int row : {3, 4, 5, 6, 7, 14})
            r[row].value.clear();
    }
    if (st.sf.ini == 0) {
        for (int row = 10; row <= 14; ++row)
            r[row].value.clear();
    }
    if (s.sxRed == 0) {
        for (int row = 3; row <= 7; ++row)
            r[row].value.clear();
        r[14].value = kNoReducedValues;
    }

    // Quantities: only for a wall that has steel.
    if (st.totalMass > 0) {
        set(16, " Number of pairs of ssp: ", Whole8(st.pairs));
        set(17, " Length of ssp: ", Number8(m ? st.pileLength : st.pileLength / cf::kLengthFactor, 2), m ? "m" : "ft");
        set(18, " Total wall length: ", Number8(m ? st.realWallLength : st.realWallLength / cf::kLengthFactor, 1),
            m ? "m" : "ft");
        set(19, " Total ssp quantities: ",
            Number8(m ? st.totalMass / 1000.0 : st.totalMass / 1000.0 * kNetTonPerTonne, 1), m ? "metric t" : "net t");
    }

    // Notes on service life, protection, environments and losses.
    if (st.totalLoss > 0) {
        set(20, "NOTES :", " ");
        int64_t front = 0, back = 0;
        WholeNumberOf(st.protectionFront, front);
        WholeNumberOf(st.protectionBack, back);
        if (st.serviceLifeEnabled) {
            set(21, " Service life : ", WholeText8(st.serviceLife), "years");
            if (front >= 1 || back >= 1) {
                set(24, "     surface protected for : ", WholeText8(st.protectionFront), "years");
                set(28, "     surface protected for : ", WholeText8(st.protectionBack), "years");
            }
            set(23, "     environment : ", st.frontDescription);
            set(27, "     environment : ", st.backDescription);
        }
        if (st.projectSource) {
            set(23, "     environment : ", Description(st.frontDescrEdit, "describe_environment_front"));
            set(27, "     environment : ", Description(st.backDescrEdit, "describe_environment_back"));
        }
        set(22, " Front : ", " ");
        set(25, "     loss of steel : ", FaceLossText(st.frontLossLabel, m), m ? "mm" : "mils");
        set(26, " Back : ", " ");
        set(29, "     loss of steel : ", FaceLossText(st.backLossLabel, m), m ? "mm" : "mils");
        set(30, " Total loss of steel thickness: ", m ? Number8(st.totalLoss, 2) : Number8(st.totalLossMils, 0),
            m ? "mm" : "mils");
        set(31, ("      A 690: reduction factor for corrosion loss on front face = " + st.a690ItemText).c_str(),
            st.a690Enabled && st.a690Item > 0 ? " " : "");
        set(32, " Results not valid for 'class 4' sections according to EN 1993 - Part 5", " ");
    }
    return r;
}

std::vector<std::string> TextReportLines(const ReportState& st)
{
    std::vector<std::string> lines;
    lines.push_back(cf::ReportHeadLine(" Rovandel.   ", st.versionLine));
    lines.emplace_back();
    lines.push_back(std::string(kReportNotice) + cf::RightJustified(st.date, 20));
    lines.push_back(std::string(73, '_'));
    lines.emplace_back();
    lines.emplace_back();
    for (const ReportRow& row : BuildReportRows(st)) {
        if (row.value.empty())
            continue;
        lines.push_back(cf::LeftJustified(row.label, 38) + cf::RightJustified(row.value, 10) + " " + row.unit);
        lines.emplace_back();
    }
    return lines;
}

void WriteTextReport(const std::string& path, const ReportState& st)
{
    cf::WriteTextLines(path, TextReportLines(st));
}

namespace {

int Round(double v)
{
    return static_cast<int>(sps::RoundHalfEven(v));
}

// Lines of at most `width` broken between words; a word wider than that
// keeps a line of its own.
std::vector<std::string> WrapWords(sps::TCanvas& cv, const std::string& text, int width)
{
    std::vector<std::string> lines;
    std::string line;
    size_t pos = 0;
    while (pos < text.size()) {
        const size_t end = std::min(text.find(' ', pos), text.size());
        const std::string word = text.substr(pos, end - pos);
        pos = end + 1;
        const std::string joined = line.empty() ? word : line + " " + word;
        if (!line.empty() && cv.TextWidth(joined) > width) {
            lines.push_back(line);
            line = word;
        } else {
            line = joined;
        }
    }
    lines.push_back(line);
    return lines;
}

void DrawReport(sps::TPrinter& printer, const ReportState& st)
{
    using namespace sps;
    TCanvas& cv = printer.Canvas();
    const double k = cv.PixelsPerInch() / 300.0;
    cv.Font = TFont{"Arial", 10, clBlack, 0};
    cv.Pen = TPen{psSolid, Round(5 * k), clBlack};

    // Page frame.
    const int lm = Round(printer.PageWidth() / 12.0);
    const int tm = Round(3 * lm / 4.0);
    const int re = printer.PageWidth() - lm;
    const int be = printer.PageHeight() - tm;
    const int g = Round(tm / 5.0);
    cv.MoveTo(lm, tm);
    cv.LineTo(re, tm);
    cv.MoveTo(lm, be + g);
    cv.LineTo(re, be + g);
    cv.Brush.Style = bsClear;
    cv.TextOut(lm + Round(20 * k), tm - 2 * g, kReportNotice);
    cv.TextOut(lm + Round(20 * k), be + 2 * g, st.date + " , " + st.time);
    const std::string version = cf::FirstChars(st.versionLine, 35);
    cv.TextOut(re - Round(3 * k) - cv.TextWidth(version), be + 2 * g, version);

    // Title.
    cv.Font = TFont{"Arial", 12, clBlack, fsBold};
    int s = Round(1.5 * cv.TextHeight("Mg"));
    int y = tm + 2 * s;
    const std::string title = "ROVANDEL";
    cv.TextOut(lm + Round((re - lm) / 2.0 - cv.TextWidth(title) / 2.0), y, title);

    // Rows.
    cv.Font = TFont{"Arial", 9, clBlack, 0};
    s = Round(1.7 * cv.TextHeight("Mg"));
    y += 2 * s;
    const int cw = cv.TextWidth("wwwwwwww");
    const int vx = lm + cv.TextWidth(" Reduced moment of inertia Ix,red : ") + cw;
    for (const ReportRow& row : BuildReportRows(st)) {
        if (row.value.empty())
            continue;
        cv.TextOut(lm, y, row.label);
        cv.TextOut(vx + Round(30 * k), y, row.unit);
        const int w = cv.TextWidth(row.value);
        if (w < cw) {
            cv.TextOut(vx - w, y, row.value);
            y += s;
            continue;
        }
        // A long value (an environment's description) goes on below rather
        // than past the frame's right edge.
        for (const std::string& line : WrapWords(cv, row.value, re - (vx - cw))) {
            cv.TextOut(vx - cw, y, line);
            y += s;
        }
    }
}

} // namespace

void PrintReport(sps::TPrinter& printer, const ReportState& st)
{
    cf::PrintDocument(printer, kReportTitle, [&] {
        if (st.listHasItems)
            DrawReport(printer, st);
    });
}

} // namespace cr
