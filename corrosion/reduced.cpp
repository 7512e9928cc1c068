#include "corrosion/reduced.h"

#include "calcframe/rounding.h"
#include "calcframe/units.h"
#include "corrosion/text.h"
#include "corrosion/units.h"
#include "platform/numtext.h"

#include <cmath>

namespace cr {

namespace {

// Nearest multiple of 10, halves to even.
double RoundTo10(double x)
{
    return cf::RoundHalfEvenToTens(x);
}

bool ValidSection(const Catalogue& cat, int section)
{
    return section >= 0 && section < cat.SectionCount();
}

const char* const kNoValue = " N/A ";

} // namespace

ReducedValues ReducedFor(const Catalogue& cat, int section, double loss)
{
    ReducedValues v;
    if (!ValidSection(cat, section) || cat.LossStepCount() < 2) {
        v.kind = ReducedCase::NoSection;
        return v;
    }
    const size_t a = static_cast<size_t>(section);
    v.twRed = cat.tw[a];
    v.tfRed = cat.tf[a];
    if (loss > cat.MaxLoss()) {
        v.kind = ReducedCase::BeyondTables;
        return v;
    }
    if (loss == 0) {
        v.kind = ReducedCase::Initial;
        v.sxRed = cat.sx[0][a];
        v.axRed = cat.ax[0][a];
        return v;
    }

    // Interval rows d and d + 1: d is the last step below the loss among
    // 1 .. n-2, else 0, so d + 1 never passes the last row.
    const std::vector<LossStep>& steps = cat.lossSteps;
    const int n = cat.LossStepCount();
    int d = 0;
    for (int k = n - 2; k >= 1; --k) {
        if (steps[k] < loss) {
            d = k;
            break;
        }
    }
    v.kind = ReducedCase::NoData;
    if (cat.sx[d + 1][a] == 0.0)
        return v;

    const double w = (loss - steps[d]) / static_cast<double>(steps[d + 1] - steps[d]);
    const double sx = cf::RoundHalfEvenDecimal(w * (cat.sx[d + 1][a] - cat.sx[d][a]) + cat.sx[d][a], 0);
    const double ax = w * (cat.ax[d + 1][a] - cat.ax[d][a]) + cat.ax[d][a];
    const double tw = cat.tw[a] - loss;
    const double tf = cat.tf[a] - loss;
    const double sxRed = RoundTo10(2.0 * sx) / 2.0;
    // A plate eaten away or no steel area left: no reduced value.
    if (!(ax > 0) || !(tw > 0) || !(tf > 0) || !(sxRed > 0))
        return v;

    v.kind = ReducedCase::Interpolated;
    v.sxRed = sxRed;
    v.axRed = ax;
    v.twRed = tw;
    v.tfRed = tf;
    v.ixRed = RoundTo10((cat.height[a] - loss) * sxRed / 20.0);
    return v;
}

ReducedDisplay ComputeReducedProperties(const Catalogue& cat, int section, double loss, bool listAll, bool metric,
                                        CurrentSection& current)
{
    if (ValidSection(cat, section)) {
        const size_t a = static_cast<size_t>(section);
        current.name = cat.sectionNames[a];
        current.sxIni = cat.sx[0][a];
        current.axIni = cat.ax[0][a];
        current.b = cat.pairWidth[a];
        current.mass = cat.mass[a];
        current.twRed = cat.tw[a];
        current.tfRed = cat.tf[a];
    }

    const ReducedValues v = ReducedFor(cat, section, loss);
    ReducedDisplay d;
    d.kind = v.kind;
    switch (v.kind) {
    case ReducedCase::Initial:
        current.sxRed = v.sxRed;
        current.axRed = v.axRed;
        d.sx = " Sx,ini ";
        d.ax = " Ax,ini ";
        d.ix = " Ix,ini ";
        d.tw = " tw,ini ";
        d.tf = " tf,ini ";
        d.sfRedEnabled = !listAll;
        break;
    case ReducedCase::Interpolated:
        current.sxRed = v.sxRed;
        current.axRed = v.axRed;
        current.ixRed = v.ixRed;
        current.twRed = v.twRed;
        current.tfRed = v.tfRed;
        break;
    case ReducedCase::NoData:
        current.sxRed = current.axRed = current.ixRed = 0;
        d.sx = d.ax = d.ix = d.tw = d.tf = kNoValue;
        if (loss > 0) {
            d.status = " No reduced properties for this loss of steel thickness. ";
            d.beep = true;
        }
        break;
    case ReducedCase::BeyondTables:
    case ReducedCase::NoSection:
        current.sxRed = current.axRed = current.ixRed = 0;
        d.sx = d.ax = d.ix = d.tw = d.tf = kNoValue;
        if (loss > cat.MaxLoss()) {
            if (metric)
                d.status = " Max. total loss of steel thickness (front + back) = " + Fixed(cat.MaxLoss(), 0) + " mm";
            else
                d.status = " Max. total loss of steel thickness (front + back) = " +
                           Fixed(cf::RoundHalfEvenDecimal(cat.MaxLoss() / kMmPerMil, 0), 0) + " mils";
        }
        d.beep = true;
        break;
    }

    if (current.sxRed > 0 && loss > 0) {
        if (metric) {
            d.sx = Fixed(current.sxRed, 0, 6);
            d.ax = Fixed(current.axRed, 1, 6);
            d.ix = Fixed(current.ixRed, 0, 6);
            d.tw = Fixed(current.twRed, 2, 6);
            d.tf = Fixed(current.tfRed, 2, 6);
        } else {
            d.sx = Fixed(current.sxRed / cf::kSxFactor, 2, 6);
            d.ax = Fixed(current.axRed / cf::kAreaFactor, 2, 6);
            d.ix = Fixed(current.ixRed / cf::kInertiaFactor, 1, 6);
            d.tw = Fixed(current.twRed / kMmPerInch, 3, 6);
            d.tf = Fixed(current.tfRed / kMmPerInch, 3, 6);
        }
    }
    return d;
}

LossSummary MakeLossSummary(const Losses& losses, bool metric)
{
    LossSummary s;
    const double front = losses.ShownFront();
    if (metric) {
        s.back = Fixed(losses.back, 2);
        s.front = Fixed(front, 2);
        s.caption = " Loss of steel thickness: " + Fixed(losses.total, 2, 7) + " mm ";
    } else {
        s.back = Fixed(losses.back / kMmPerMil, 0);
        s.front = Fixed(front / kMmPerMil, 0);
        s.totalLossMils =
            cf::RoundHalfEvenDecimal(front / kMmPerMil, 0) + cf::RoundHalfEvenDecimal(losses.back / kMmPerMil, 0);
        s.caption = " Loss of steel thickness: " + Fixed(s.totalLossMils, 0, 7) + " mils ";
    }
    return s;
}

std::string LossUnitText(bool metric)
{
    return metric ? "mm" : " mils";
}

std::string LossStatusText(const LossSummary& summary, bool metric)
{
    const std::string unit = LossUnitText(metric);
    return " Loss: front = " + summary.front + " " + unit + ", back = " + summary.back + " " + unit;
}

} // namespace cr
