#include "combiwall/safety.h"

#include "calcframe/units.h"
#include "platform/numtext.h"

#include <cctype>

namespace cw {

namespace {

constexpr double kShownMax = 100;

void PadRight(std::string& s, size_t width)
{
    if (s.size() < width)
        s.append(width - s.size(), ' ');
}

// fyk over the stress, 0 when the stress is not positive.
double Factor(double fyk, double stress)
{
    return stress > 0 ? fyk / stress : 0;
}

} // namespace

SelectedSystem CombinationSystem(const Catalogue& cat, int row)
{
    const CombinationTable& c = cat.combinations;
    if (row < 0 || static_cast<size_t>(row) >= c.Size())
        return SelectedSystem{};
    size_t i = static_cast<size_t>(row);
    return SelectedSystem{c.sxWQ[i], c.sxNJ[i], c.sxKX[i], c.area[i], c.b[i]};
}

SafetyFactors ComputeSafetyFactors(const Loads& loads, const YieldStrengths& fyk, const SelectedSystem& sys)
{
    SafetyFactors sf;
    const double m = loads.moment;
    const double n = loads.load;
    const double f = loads.deflection;
    if ((m > 0 || n > 0) && sys.sxWQ > 0) {
        const double moment = m + n * f / 100;
        if (sys.area > 0 && sys.b > 0) {
            const double axial = n * sys.b / sys.area * 10;
            sf.kingPile = Factor(fyk.kingPile, moment / sys.sxWQ * 1000 + axial);
            if (sys.sxNJ > 0)
                sf.connectors = Factor(fyk.connectors, moment / sys.sxNJ * 1000 + axial);
        }
        if (sys.sxKX > 0 && n * f + m > 0)
            sf.sheetPile = Factor(fyk.sheetPile, moment / sys.sxKX * 1000);
    }
    double least = 0;
    if (sf.kingPile > 0)
        least = sf.kingPile;
    if (sf.connectors < least && least > 0)
        least = sf.connectors;
    if (sf.sheetPile < least && sf.sheetPile > 0)
        least = sf.sheetPile;
    sf.minimum = least;
    return sf;
}

std::string SafetyFactorText(double sf)
{
    if (sf > kShownMax)
        return ">100";
    if (sf > 0)
        return sps::FormatFixed(sf, 2);
    return "N/A";
}

SafetyFactorTexts SafetyFactorDisplay(const SafetyFactors& sf)
{
    SafetyFactorTexts t;
    t.kingPile = SafetyFactorText(sf.kingPile);
    t.connectors = sf.kingPile > 0 ? SafetyFactorText(sf.connectors) : "N/A";
    t.sheetPile = SafetyFactorText(sf.sheetPile);
    t.minimum = SafetyFactorText(sf.minimum);
    return t;
}

RowRange GroupRange(const Catalogue& cat, int groupItem)
{
    const int a = cat.nA;
    const int b = cat.nB;
    const int c = cat.nC;
    switch (groupItem) {
    case 0:
        return RowRange{0, cat.CombinationCount() - 1};
    case 1:
        return RowRange{0, a - 1};
    case 2:
        return RowRange{a, a + b - 1};
    case 3:
        return RowRange{a + b, a + b + c - 1};
    default:
        return RowRange{};
    }
}

std::string GroupHint(int groupItem)
{
    return groupItem == 0 ? kAllGroupHint : "";
}

std::string KingPileFilter(const std::string& itemText)
{
    size_t first = itemText.find_first_not_of(' ');
    if (first == std::string::npos)
        return "";
    size_t last = itemText.find_last_not_of(' ');
    std::string trimmed = itemText.substr(first, last - first + 1);
    std::string lower = trimmed;
    for (char& ch : lower)
        ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    if (lower.find("all") != std::string::npos)
        return "";
    return trimmed;
}

std::string ListLine(const std::string& name, double sxWQ, bool metric)
{
    std::string line = " " + name;
    PadRight(line, 19);
    line += '\t';
    std::string sx = metric ? sps::FormatFixed(sxWQ, 0) : sps::FormatFixed(sxWQ / cf::kSxFactor, 1);
    PadRight(sx, 10);
    return line + sx;
}

void FillCatalogueList(const Catalogue& cat, RowRange range, const std::string& filter, const ListInput& in,
                       CatalogueList& out)
{
    out.lines.clear();
    out.indexMap.clear();
    const CombinationTable& c = cat.combinations;
    int first = range.first < 0 ? 0 : range.first;
    int last = range.last;
    if (last >= cat.CombinationCount())
        last = cat.CombinationCount() - 1;
    for (int row = first; row <= last; ++row) {
        const std::string& name = c.names[static_cast<size_t>(row)];
        if (!filter.empty() && name.find(filter) == std::string::npos)
            continue;
        if (in.mode != cf::SearchMode::ListAll) {
            SafetyFactors sf = ComputeSafetyFactors(in.loads, in.fyk, CombinationSystem(cat, row));
            if (!cf::InSfWindow(sf.minimum, in.window))
                continue;
        }
        out.lines.push_back(ListLine(name, c.sxWQ[static_cast<size_t>(row)], in.metric));
        out.indexMap.push_back(row);
    }
}

std::string SelectionStatusText(const SelectedSystem& sys, bool metric)
{
    double perWidth = sys.b > 0 ? sys.area / sys.b : 0;
    if (metric) {
        return " Sx(WQ)= " + sps::FormatFixed(sys.sxWQ, 0) + " ; Sx(NJ/VB)= " + sps::FormatFixed(sys.sxNJ, 0) +
               " ; Area= " + sps::FormatFixed(perWidth, 1) + " cm²/m";
    }
    return " Sx(WQ)= " + sps::FormatFixed(sys.sxWQ / cf::kSxFactor, 1) + " ; Sx(NJ/VB)= " +
           sps::FormatFixed(sys.sxNJ / cf::kSxFactor, 1) + " ; Area= " +
           sps::FormatFixed(perWidth / cf::kAreaFactor, 2) + " in²/ft";
}

} // namespace cw
