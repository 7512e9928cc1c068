// The built-up tab's system: its name from the four choices, the rows of the
// built-up tables it is made of, its section properties and their texts.
#pragma once

#include "combiwall/builtup.h"
#include "combiwall/catalogue.h"

#include <string>

namespace cw {

struct BuiltUpChoice {
    std::string size;      // selected item of RG_WQ_Own, e.g. " 575"
    std::string thickness; // RG_WQ_Thick_Own, e.g. " A"
    std::string solution;  // RG_WQ_Comb_Own, e.g. "12"
    std::string sheetPile; // RG_Intermediary_Own, e.g. " KX 13   "; empty when the list is empty
};

struct BuiltUpTabResult {
    std::string name;
    // Both a king pile row and a sheet pile row were found; otherwise the
    // system is all zero and every property shows "N/A".
    bool complete = false;
    BuiltUpSystem system;
    std::string statusText; // panel 0: the system width
    std::string areaText;   // Lbl_AxSystem_Res_Own: A / b
    std::string ixText;     // Lbl_IxSystem_Res_Own: Ix / b
    std::string sxWQText;   // Lbl_SxWQ_Res_Own
    std::string sxNJText;   // Lbl_SxNJVB_Res_Own
    std::string caption;    // GB_Properties_Own: a blank, the name, three blanks
};

// Composes the name, finds the last king pile row and the last sheet pile row
// whose names the system name contains, and computes the system.
BuiltUpTabResult ComposeBuiltUpSystem(const Catalogue& cat, const BuiltUpChoice& choice, bool metric);

} // namespace cw
