// Rovandel's report of the current check: a fixed table of 33 rows (label,
// value, unit) built from what the main form shows, printed on one page or
// written as a text file. A row is output only when its value is not empty.
#pragma once

#include "corrosion/reduced.h"
#include "corrosion/safety.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace sps {
class TPrinter;
} // namespace sps

namespace cr {

inline constexpr const char* kReportTitle = " Rovandel ";
// The maker's notice line above the printed frame and at the head of the text file.
inline constexpr const char* kReportNotice = "Corroded sheet pile check: section, losses and safety factors";
inline constexpr const char* kNoReducedValues = "N/A (no reduced section properties for this loss of thickness)";

inline constexpr int kReportRows = 33;

struct ReportRow {
    std::string label;
    std::string value; // empty: the row is left out
    std::string unit;
};
using ReportRows = std::array<ReportRow, kReportRows>;

// What the report reads from the form at the moment of reporting.
struct ReportState {
    bool metric = true;
    CurrentSection section;
    double totalLoss = 0;     // mm
    double totalLossMils = 0; // sum of the two rounded face values
    std::string gradeText;    // text of the steel grade box
    double fyk = 0;           // MPa
    Loads loads;
    SafetyFactors sf;
    int32_t pairs = 0;
    double pileLength = 0;     // m
    double realWallLength = 0; // m
    double totalMass = 0;      // kg

    bool serviceLifeEnabled = true; // the service life box is enabled
    std::string serviceLife;        // texts of the service life and protection boxes
    std::string protectionFront;
    std::string protectionBack;
    std::string frontDescription; // captions of the two description labels
    std::string backDescription;
    bool projectSource = false;   // project-specific rates or totals
    std::string frontDescrEdit;   // texts of the two description edits
    std::string backDescrEdit;
    std::string frontLossLabel;   // captions of the two face value labels
    std::string backLossLabel;
    bool a690Enabled = false;     // the splash-zone factor group
    int a690Item = 0;
    std::string a690ItemText;

    bool listHasItems = true;  // the section list holds at least one line
    std::string versionLine;   // the about box's version line
    std::string date;          // short date format
    std::string time;          // long time format
};

ReportRows BuildReportRows(const ReportState& st);

// Lines of the text report, without line ends.
std::vector<std::string> TextReportLines(const ReportState& st);
// Creates or overwrites `path`; raises sps::Exception when it cannot be
// written (the file is closed either way).
void WriteTextReport(const std::string& path, const ReportState& st);

// Prints the one-page report (an empty document when the list has no line).
void PrintReport(sps::TPrinter& printer, const ReportState& st);

} // namespace cr
