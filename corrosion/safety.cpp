#include "corrosion/safety.h"

#include "calcframe/rounding.h"
#include "calcframe/units.h"
#include "corrosion/text.h"
#include "platform/numtext.h"

#include <algorithm>
#include <cmath>

namespace cr {

namespace {

bool Loaded(const Loads& loads)
{
    return loads.m > 0 || loads.n > 0;
}

// The reduced values of a tested section, with the beeps the routine gives.
void TestSection(const Catalogue& cat, int section, double loss, bool metric, CurrentSection& current, int& beeps,
                 std::string& status)
{
    const ReducedDisplay d = ComputeReducedProperties(cat, section, loss, false, metric, current);
    if (d.beep)
        ++beeps;
    if (!d.status.empty())
        status = d.status;
}

} // namespace

double SafetyFactor(const Loads& loads, double fyk, double sx, double ax)
{
    if (!Loaded(loads) || !(sx > 0) || !(ax > 0))
        return 0;
    const double stress = (loads.m + loads.n * loads.f / 100.0) / sx * 1000.0 + loads.n / ax * 10.0;
    if (!(stress > 0))
        return 0;
    const double sf = cf::RoundHalfEvenDecimal(fyk / stress, 2);
    return std::isfinite(sf) && sf > 0 ? sf : 0;
}

SafetyFactors ComputeSafetyFactors(const Loads& loads, double fyk, const CurrentSection& section)
{
    SafetyFactors sf;
    if (!Loaded(loads) || !(section.sxIni > 0))
        return sf;
    sf.ini = SafetyFactor(loads, fyk, section.sxIni, section.axIni);
    if (section.sxRed > 0)
        sf.red = SafetyFactor(loads, fyk, section.sxRed, section.axRed);
    return sf;
}

std::string SafetyFactorText(double sf)
{
    if (sf > kSfShownMax)
        return ">20";
    if (sf > 0)
        return Fixed(sf, 2);
    return "N/A";
}

bool InSearchWindow(double sf, const cf::SfWindow& window)
{
    return cf::InSfWindow(sf, window);
}

std::vector<std::string> SteelGradeItems(const Catalogue& cat, bool metric)
{
    const GradeTable& t = cat.Grades(metric);
    std::vector<std::string> items;
    items.reserve(t.names.size());
    for (size_t i = 0; i < t.names.size(); ++i)
        items.push_back(" " + PadRight(t.names[i], 14) + " " + Fixed(t.fyk[i], metric ? 0 : 1, -11));
    return items;
}

double GradeFyk(const Catalogue& cat, int grade, bool metric)
{
    const GradeTable& t = cat.Grades(metric);
    if (grade < 0 || grade >= static_cast<int>(t.fyk.size()))
        return 0;
    return metric ? t.fyk[grade] : t.fyk[grade] * cf::kFykFactor;
}

std::string SectionListLine(const Catalogue& cat, int section, bool metric)
{
    if (section < 0 || section >= cat.SectionCount())
        return std::string();
    const double sx = cat.sx[0][section];
    return " " + PadRight(cat.sectionNames[section], 13) + "\t" +
           (metric ? Fixed(sx, 0, -10) : Fixed(sx / cf::kSxFactor, 1, -10));
}

const std::vector<std::string>& NoMatchLines()
{
    static const std::vector<std::string> lines{" No match found.", " Check bending moment,", " compression load,",
                                                " deflection,",      " steel grades,",         " Sfmin/Sfmax required."};
    return lines;
}

SectionList FillCatalogueList(const Catalogue& cat, int first, int last, const ListContext& ctx)
{
    SectionList list;
    first = std::max(first, 0);
    last = std::min(last, cat.SectionCount() - 1);
    CurrentSection tested;
    for (int i = first; i <= last; ++i) {
        if (ctx.mode != cf::SearchMode::ListAll) {
            TestSection(cat, i, ctx.totalLoss, ctx.metric, tested, list.beeps, list.status);
            const SafetyFactors sf = ComputeSafetyFactors(ctx.loads, ctx.fyk, tested);
            if (!InSearchWindow(sf.red, ctx.window))
                continue;
        }
        list.lines.push_back(SectionListLine(cat, i, ctx.metric));
        list.rows.push_back(i);
    }
    if (list.rows.empty())
        list.lines = NoMatchLines();
    return list;
}

std::string SfGridCellText(double sf, const GridContext& ctx)
{
    if (ctx.mode == cf::SearchMode::ListAll) {
        if (sf > kSfShownMax)
            return " > 20";
        if (sf >= 1)
            return Fixed(sf, 2, 6);
        return "     / ";
    }
    if (InSearchWindow(sf, ctx.window))
        return Fixed(sf, 2, 6);
    return "     / ";
}

SfGrid ComputeSfGrid(const Catalogue& cat, FamilyRange family, const GridContext& ctx)
{
    SfGrid grid;
    const GradeTable& grades = cat.Grades(ctx.metric);
    const size_t nGrades = grades.names.size();
    std::vector<double> fyk(nGrades);
    for (size_t g = 0; g < nGrades; ++g) {
        grid.gradeHeads.push_back(" " + grades.names[g]);
        fyk[g] = ctx.metric ? grades.fyk[g] : grades.fyk[g] * cf::kFykFactor;
    }

    const int first = std::max<int>(family.first, 0);
    const int last = std::min<int>(family.last, cat.SectionCount() - 1);
    CurrentSection section;
    for (int i = first; i <= last; ++i) {
        grid.sectionHeads.push_back(" " + cat.sectionNames[i]);
        TestSection(cat, i, ctx.totalLoss, ctx.metric, section, grid.beeps, grid.status);
        std::vector<std::string>& column = grid.cells.emplace_back();
        column.reserve(nGrades);
        if (!Loaded(ctx.loads) || !(section.sxIni > 0)) {
            column.assign(nGrades, "  N/A");
            continue;
        }
        const double sx = ctx.reduced ? section.sxRed : section.sxIni;
        const double ax = ctx.reduced ? section.axRed : section.axIni;
        for (size_t g = 0; g < nGrades; ++g)
            column.push_back(SfGridCellText(SafetyFactor(ctx.loads, fyk[g], sx, ax), ctx));
    }
    return grid;
}

std::string SfSummaryCaption(cf::SearchMode mode, bool reduced, const std::string& sfminText,
                             const std::string& sfmaxText)
{
    if (mode == cf::SearchMode::ListAll)
        return reduced ? " Sf,red >=  1.00 " : " Sf,ini >=  1.00 ";
    return sfminText + (reduced ? "  =< Sf,red =<  " : "  =< Sf,ini =<  ") + sfmaxText;
}

bool ReducedSummaryAvailable(const Catalogue& cat, const CurrentSection& section, double totalLoss)
{
    return section.sxIni != section.sxRed && totalLoss != 0 && cat.MaxLoss() >= totalLoss;
}

} // namespace cr
