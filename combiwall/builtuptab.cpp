#include "combiwall/builtuptab.h"

#include "calcframe/units.h"
#include "platform/numtext.h"

namespace cw {

namespace {

constexpr const char* kNotAvailable = "N/A";

// Fixed text of a property, "N/A" when there is none.
std::string PropertyText(double value, int decimals, bool available)
{
    return available ? sps::FormatFixed(value, decimals) : kNotAvailable;
}

} // namespace

BuiltUpTabResult ComposeBuiltUpSystem(const Catalogue& cat, const BuiltUpChoice& choice, bool metric)
{
    BuiltUpTabResult r;
    r.name = BuiltUpSystemName(choice.size, choice.thickness, choice.solution, choice.sheetPile);
    const int kingPile = FindBuiltUpRow(cat.builtUpKingPiles.names, r.name);
    const int sheetPile = choice.sheetPile.empty() ? -1 : FindBuiltUpRow(cat.builtUpSheetPiles.names, r.name);
    r.complete = kingPile >= 0 && sheetPile >= 0;
    if (r.complete)
        r.system = ComputeBuiltUpSystem(cat, kingPile, sheetPile);
    const SelectedSystem& s = r.system.system;
    const double b = s.b;
    const bool widthKnown = r.complete && b > 0;

    r.statusText = metric ? " System width b = " + sps::FormatFixed(b, 2) + " m"
                          : " System width b = " + sps::FormatFixed(b / cf::kLengthFactor, 2) + " ft";
    if (metric) {
        r.areaText = PropertyText(widthKnown ? s.area / b : 0, 1, widthKnown);
        r.ixText = PropertyText(r.system.ixPerMetre, 0, widthKnown);
        r.sxWQText = PropertyText(s.sxWQ, 0, widthKnown && s.sxWQ > 0);
        r.sxNJText = PropertyText(s.sxNJ, 0, widthKnown && s.sxNJ > 0);
    } else {
        r.areaText = PropertyText(widthKnown ? s.area / (b * cf::kAreaFactor) : 0, 2, widthKnown);
        r.ixText = PropertyText(r.system.ixPerMetre / cf::kInertiaFactor, 1, widthKnown);
        r.sxWQText = PropertyText(s.sxWQ / cf::kSxFactor, 1, widthKnown && s.sxWQ > 0);
        r.sxNJText = PropertyText(s.sxNJ / cf::kSxFactor, 1, widthKnown && s.sxNJ > 0);
    }
    r.caption = " " + r.name + "   ";
    return r;
}

} // namespace cw
