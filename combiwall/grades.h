// Steel grades of the three members: the grade lists of the current unit
// system, the "A 690" coupling of the three choices, and the yield strengths
// that the safety factors use. The selection is plain state over item indexes;
// the form mirrors it in its combo boxes (and their twins on the built-up tab).
#pragma once

#include "calcframe/gradecarry.h"
#include "combiwall/catalogue.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace cw {

// fyk in the shortest general number format (up to 15 significant digits,
// the program's decimal separator): 355, 344.857.
std::string ShortestNumberText(double value);
// The grade name followed by four blanks, cut to 15 characters, then fyk.
std::string GradeItemText(const std::string& name, double fyk);
// An item counts as "A 690" when its first five characters are exactly that.
bool IsA690(const std::string& itemText);

// Item texts of the king pile, connector and sheet pile boxes.
using GradeLists = std::array<std::vector<std::string>, kMemberCount>;
GradeLists BuildGradeLists(const Catalogue& cat, bool metric);

struct GradeSelection {
    std::array<int, kMemberCount> index = {-1, -1, -1}; // -1: empty list, nothing selected
    bool connectorsEnabled = true;
    bool sheetPileEnabled = true;
    // Connector and sheet pile grades chosen before "A 690" forced them.
    int16_t rememberedConnector = 0;
    int16_t rememberedSheetPile = 0;
};

// After (re)filling the lists: item 0 of each (none of an empty list), the
// remembered indexes 0, then the coupling for king pile, connectors and sheet
// pile in turn.
void FillSteelGrades(GradeSelection& sel, const GradeLists& lists);

// The coupling after the user chose `sel.index[changed]`:
// - king pile "A 690": connectors and sheet pile take their first "A 690"
//   grade and are disabled (a list without one stays as it is);
// - king pile another grade: each box "A 690" disabled is enabled again and
//   gets back the grade chosen before;
// - connectors or sheet pile "A 690": the king pile takes its first "A 690"
//   grade, which forces the other two as above;
// - connectors or sheet pile another grade: the enabled boxes' grades are
//   remembered.
void ApplySteelGradeSelection(GradeSelection& sel, const GradeLists& lists, Member changed);

// What a unit switch carries, per grade: the king pile, connector and sheet
// pile choices, then the remembered connector and sheet pile grades.
using GradeCarries = std::array<cf::GradeCarry, kMemberCount + 2>;

// After the lists were refilled for the tables of `metric`: every chosen and
// remembered grade goes over to the grade of the same name (cf::GradeCarry),
// then the "A 690" coupling holds again. Returns the members whose chosen
// grade had no counterpart and fell back to the first.
std::vector<Member> CarrySteelGrades(GradeSelection& sel, GradeCarries& carry, const GradeLists& lists,
                                     const Catalogue& cat, bool metric);
// Panel 1 after a unit switch: the grades kept, all reset, or the members
// whose grade fell back to the first.
std::string UnitSwitchNotice(const std::vector<Member>& fellBack);

// Current yield strengths, MPa.
struct YieldStrengths {
    double kingPile = 0;
    double connectors = 0;
    double sheetPile = 0;
};

// fyk of each member's selected grade: the metric table's value, or the
// imperial table's value (ksi) x 6.89714. 0 for a member with no grade.
YieldStrengths CurrentYieldStrengths(const Catalogue& cat, const GradeSelection& sel, bool metric);

} // namespace cw
