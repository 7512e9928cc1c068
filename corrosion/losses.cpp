#include "corrosion/losses.h"

#include "calcframe/rounding.h"
#include "corrosion/text.h"
#include "corrosion/units.h"
#include "platform/error.h"
#include "platform/numtext.h"

#include <cmath>

namespace cr {

namespace {

double NotBelowZero(double loss)
{
    return loss > 0 ? loss : 0.0; // also turns a NaN into 0
}

double RoundLoss(double loss)
{
    return cf::RoundHalfEvenDecimal(loss, 2);
}

} // namespace

double CodeLoss(const Catalogue& cat, int environment, int detail, int years)
{
    if (environment < 0 || environment >= kEnvironmentCount)
        sps::Raise("Invalid corrosion environment.");
    const EnvironmentTable& env = cat.environments[environment];
    const std::vector<int16_t>& p = cat.serviceLifePoints;
    const int n = static_cast<int>(p.size());
    if (detail < 0 || detail >= static_cast<int>(env.descriptions.size()) || n < 2 ||
        static_cast<int>(env.loss.size()) != n)
        sps::Raise("Invalid corrosion environment detail.");

    // The interval starts at the last point below the exposed years (the first
    // interval when there is none), and is never past the last interval.
    int i = 0;
    for (int k = n - 1; k >= 1; --k) {
        if (p[k] < years) {
            i = k;
            break;
        }
    }
    if (i > n - 2)
        i = n - 2;
    const double v0 = env.loss[i].at(detail);
    const double v1 = env.loss[i + 1].at(detail);
    const double w = static_cast<double>(years - p[i]) / static_cast<double>(p[i + 1] - p[i]);
    return NotBelowZero(w * (v1 - v0) + v0);
}

RawLosses ComputeCodeLosses(const Catalogue& cat, const LossInput& in)
{
    RawLosses r;
    r.front = CodeLoss(cat, in.front.environment, in.front.detail, in.serviceLife - in.front.protectionYears);
    r.back = CodeLoss(cat, in.back.environment, in.back.detail, in.serviceLife - in.back.protectionYears);
    return r;
}

RawLosses ComputeProjectLosses(const LossInput& in)
{
    const double unit = in.metric ? 1.0 : kMmPerMil;
    RawLosses r;
    if (in.projectMode == ProjectMode::Totals) {
        r.front = in.front.projectValue * unit;
        r.back = in.back.projectValue * unit;
    } else {
        r.front = in.front.projectValue * unit * (in.serviceLife - in.front.protectionYears);
        r.back = in.back.projectValue * unit * (in.serviceLife - in.back.protectionYears);
    }
    r.front = NotBelowZero(r.front);
    r.back = NotBelowZero(r.back);
    return r;
}

bool IsA690Item(const std::string& gradeItemText)
{
    const std::string head = gradeItemText.substr(0, 6);
    return head == " A 690" || head == " A690 ";
}

bool SplashFactorApplies(const LossInput& in)
{
    return in.gradeIsA690 && in.source == LossSource::CodeTables && in.front.environment == kWater &&
           in.front.detail == 2;
}

int SplashFactor(int splashItem)
{
    switch (splashItem) {
    case 1:
        return 2;
    case 2:
        return 3;
    default:
        return 1;
    }
}

Losses ApplySplashZoneFactor(const RawLosses& raw, const LossInput& in)
{
    Losses l;
    l.splashFactorApplies = SplashFactorApplies(in);
    // The divided front loss comes from the unrounded one; it is rounded first.
    const double divided = l.splashFactorApplies ? raw.front / SplashFactor(in.splashItem) : raw.front;
    l.frontA690 = RoundLoss(divided);
    l.front = RoundLoss(raw.front);
    l.back = RoundLoss(raw.back);
    l.total = l.back + (l.splashFactorApplies ? l.frontA690 : l.front);
    return l;
}

Losses ComputeLosses(const Catalogue& cat, const LossInput& in)
{
    const RawLosses raw = in.source == LossSource::CodeTables ? ComputeCodeLosses(cat, in) : ComputeProjectLosses(in);
    return ApplySplashZoneFactor(raw, in);
}

std::vector<std::string> ServiceLifeItems(const Catalogue& cat)
{
    std::vector<std::string> items;
    items.reserve(cat.serviceLifeChoices.size());
    for (int16_t years : cat.serviceLifeChoices)
        items.push_back(" " + std::to_string(years));
    return items;
}

std::vector<std::string> ProtectionItems(const Catalogue& cat, int serviceLife)
{
    std::vector<std::string> items{" 0"};
    for (int16_t years : cat.protectionChoices) {
        if (years <= serviceLife)
            items.push_back(" " + std::to_string(years));
    }
    return items;
}

int KeepItemIndex(int remembered, int itemCount)
{
    if (remembered >= 0 && remembered <= itemCount - 1)
        return remembered;
    return itemCount - 1;
}

std::string RateLimitHint(const Catalogue& cat, ProjectMode mode, bool metric)
{
    if (mode == ProjectMode::Totals) {
        if (metric)
            return " Max. total loss of steel = " + Fixed(cat.MaxLoss(), 2) + " mm";
        return " Max. total loss of steel = " + Fixed(cat.MaxLoss() / kMmPerMil, 2) + " mils";
    }
    if (metric)
        return " Max. corrosion rate of steel = " + Fixed(cat.maxCorrosionRate, 2) + " mm / year";
    return " Max. corrosion rate of steel = " + Fixed(cat.maxCorrosionRate / kMmPerMil, 2) + " mils / year";
}

RateCheckResult CheckRateInput(const Catalogue& cat, const std::string& text, ProjectMode mode, bool metric)
{
    RateCheckResult r;
    double v = 0;
    if (!sps::TryParseFloat(text, v)) {
        r.kind = RateCheck::NotANumber;
        return r;
    }
    if (!metric)
        v *= kMmPerMil;
    r.value = v;
    if (mode == ProjectMode::Rates && v > cat.maxCorrosionRate) {
        r.kind = RateCheck::TooLarge;
        r.message = RateLimitHint(cat, mode, metric);
    } else if (mode == ProjectMode::Totals && v > cat.MaxLoss()) {
        r.kind = RateCheck::TooLarge;
        r.message = metric ? " Max. total loss of steel (front + back) = " + Fixed(cat.MaxLoss(), 2) + " mm"
                           : " Max. total loss of steel (front + back) = " + Fixed(cat.MaxLoss() / kMmPerMil, 2) +
                                 " mils";
    } else {
        r.kind = RateCheck::Accepted;
    }
    return r;
}

std::string FormatRateInput(const std::string& text, ProjectMode mode, bool metric, bool& refused)
{
    int decimals;
    if (mode == ProjectMode::Rates)
        decimals = metric ? 3 : 1;
    else
        decimals = metric ? 2 : 0;
    double v = 0;
    refused = !sps::TryParseFloat(text, v);
    return Fixed(refused ? 0.0 : v, decimals);
}

std::string DetailGroupCaption(int environment)
{
    switch (environment) {
    case kAtmospheric:
        return " Chapter 4 ";
    case kSoil:
        return " Table 4.1 ";
    default:
        return " Table 4.2 ";
    }
}

} // namespace cr
