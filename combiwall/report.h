// Kestrane's report of the current system: the one-page printout through a
// printer's canvas and the text report. Both take the values as the main form
// shows them; nothing is recomputed.
#pragma once

#include "combiwall/catalogue.h"
#include "combiwall/materiallist.h"
#include "combiwall/safety.h"
#include "platform/canvas.h"

#include <array>
#include <string>
#include <vector>

namespace cw {

inline constexpr const char* kReportTitle = "WQ KX Kestrane";
// The maker's notice lines of the printout's header and of the text report.
inline constexpr const char* kReportNotice = "Combined wall calculation: safety factors and material list";

struct ReportState {
    std::string systemName; // Lbl_WQCombination
    SelectedSystem system;
    double ixPerMetre = 0;       // cm⁴/m, of the built-up system
    bool builtUpEnabled = false; // the built-up tab is the source
    bool metric = true;
    bool listAllMode = true;     // MenuSelectCombination checked
    bool listEmpty = false;      // LB_WQKX has no line

    std::string moment; // texts of Edit_Moment, Edit_Load, Edit_Deflection, Edit_Sfmin
    std::string load;
    std::string deflection;
    std::string sfmin;
    std::string momentUnit; // captions of the unit labels
    std::string loadUnit;
    std::string deflectionUnit;

    // Grade names of king pile, connectors and sheet pile (ReportGradeName).
    std::array<std::string, kMemberCount> grades;
    bool sheetPileShown = true; // CB_SteelGradesKX visible (not a C1/C23 system)

    std::string sfKingPile; // captions of the safety factor labels
    std::string sfConnectors;
    std::string sfSheetPile;
    std::string sfMinimum;

    MaterialGrid grid;
    std::string totalWallLength; // Lbl_LengthTotalWallResults
    std::string totalWallUnit;   // Lbl_LengthTotalWallUnits

    std::string versionLine; // the about box's version line
    std::string date;        // short date format
    std::string time;        // long time format
};

// The grade's name as its table holds it, padded (or cut) to 11 characters;
// 11 blanks when no grade is selected.
std::string ReportGradeName(const SteelGradeTable& table, int index);

// The grand total of the material list is a number above 0.
bool HasMaterialList(const MaterialGrid& grid);

// Lines of the text report, without line ends.
std::vector<std::string> TextReportLines(const ReportState& st);
// Creates or overwrites `path` with the text report. Raises sps::Exception
// when the file cannot be created or written; the file is closed either way.
void WriteTextReport(const std::string& path, const ReportState& st);

// Prints the one-page report: begins the job, draws (nothing when the list is
// empty and the built-up tab is not the source) and ends the job. The job is
// ended also when drawing fails; the error goes on to the caller.
void PrintReport(sps::TPrinter& printer, const ReportState& st);

} // namespace cw
