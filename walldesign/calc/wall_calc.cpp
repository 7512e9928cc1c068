// The steps every wall calculation shares: input checks, coefficients, depth
// grid, slice pressures, result rows, row integration and the row edits.
#include "walldesign/calc/earthpressure.h"
#include "walldesign/calc/wall.h"

#include "platform/error.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <utility>
#include <vector>

namespace wd {

namespace {

constexpr size_t kMaxLevels = kMaxDepthLevels;
constexpr double kGridStep = 0.25;
constexpr double kWaterDensity = 10.0;

// Column pairs (top, bottom) that follow the pressure of a row.
constexpr int kPressurePairs[] = {rcFrontEarthTop, rcBehindEarthTop, rcWaterTop, rcUserTop, rcBousqTop,
                                  rcBousqTop + 2,  rcBousqTop + 4,   rcBousqTop + 6, rcBousqTop + 8, rcNetTop};
// The pairs a split row interpolates (its Boussinesq columns are copied).
constexpr int kSplitPairs[] = {rcFrontEarthTop, rcBehindEarthTop, rcWaterTop, rcUserTop, rcNetTop};

void ClampToPhi(float& value, float phi)
{
    if (value < -phi)
        value = -phi;
    if (value > phi)
        value = phi;
}

bool LayerInputFinite(const TLayer& l, bool autoK)
{
    return std::isfinite(l.Tip) && std::isfinite(l.DensityMoist) && std::isfinite(l.DensitySubmerged) &&
           (autoK || std::isfinite(l.K)) && std::isfinite(l.Phi) && std::isfinite(l.Delta) &&
           std::isfinite(l.Cohesion);
}

bool SideFinite(const TSide& s)
{
    return std::isfinite(s.SoilLevel) && std::isfinite(s.WaterLevel) && std::isfinite(s.Inclination) &&
           std::isfinite(s.CaquotLoad);
}

void CheckLayers(const TLayers& layers, const char* side, const char* coefficient, bool autoK)
{
    // Phi as the input dialog stores 90 degrees may round just above pi/2.
    constexpr float kRightAngle = 1.5707964f;
    for (size_t i = 0; i < layers.size(); ++i) {
        const int number = static_cast<int>(i) + 1;
        if (!(layers[i].Phi >= 0.0f && layers[i].Phi <= kRightAngle))
            sps::RaiseFmt("Phi of layer %d %s must lie between 0 and 90 degrees!", number, side);
        if (i > 0 && !(layers[i].Tip > layers[i - 1].Tip))
            sps::RaiseFmt("Tip of layer %d %s must lie below the tip of the layer above!", number, side);
        const std::pair<const char*, float> notNegative[] = {{"Density Moist", layers[i].DensityMoist},
                                                             {"Density Submerged", layers[i].DensitySubmerged},
                                                             {coefficient, autoK ? 0.0f : layers[i].K},
                                                             {"Cohesion", layers[i].Cohesion}};
        for (const auto& [name, value] : notNegative)
            if (value < 0.0f)
                sps::RaiseFmt("%s of layer %d %s must not be negative!", name, number, side);
    }
}

// Passive coefficient of a layer, raising with the layer's name when it does not exist.
float LayerPassiveCoefficient(const TLayer& l, float beta, const char* side, int index)
{
    if (!(PassiveRootArgument(l.Phi, l.Delta, beta) < 1.0))
        sps::RaiseFmt("Passive earth pressure coefficient of layer %d %s cannot be calculated! "
                      "Reduce Phi, Delta or the inclination.",
                      index + 1, side);
    return PassiveCoefficient(l.Phi, l.Delta, beta);
}

// The slice a result row came from (the row's own index where rows were set
// up without slice indices).
size_t SliceOf(const TWall& w, size_t row)
{
    return row < w.ResultSlices.size() && w.ResultSlices.size() == w.Results.size()
               ? static_cast<size_t>(w.ResultSlices[row])
               : row;
}

} // namespace

void TWall::RaiseEquilibriumFailure()
{
    sps::Raise("Equilibrium failure. Layers depth is too low or pressures <=0. Increase last layers tip "
               "respectively check pressures.");
}

// ---------------------------------------------------------------- input checks

void TWall::ValidateInput() const
{
    // Every input single, also those only reported (mass, required safety).
    bool finite = std::isfinite(PileTop) && std::isfinite(AnchorLevel) && SideFinite(Front) && SideFinite(Behind) &&
                  std::isfinite(AnchorInclination) && std::isfinite(AnchorSafety) && std::isfinite(SectionArea) &&
                  std::isfinite(SectionMass) && std::isfinite(SectionInertia) && std::isfinite(SectionModulus) &&
                  std::isfinite(GradeValue) && std::isfinite(RequiredSafety);
    for (const TLayer& l : FrontLayers)
        finite = finite && LayerInputFinite(l, Front.AutoCoefficients != 0);
    for (const TLayer& l : BehindLayers)
        finite = finite && LayerInputFinite(l, Behind.AutoCoefficients != 0);
    for (const TForce& f : Forces)
        finite = finite && std::isfinite(f.Horizontal) && std::isfinite(f.Vertical) && std::isfinite(f.Depth);
    for (const TPressure& p : Pressures)
        finite = finite && std::isfinite(p.PressureTop) && std::isfinite(p.PressureTip) &&
                 std::isfinite(p.DepthTop) && std::isfinite(p.DepthTip);
    for (const TBousq& b : Bousqs)
        finite = finite && std::isfinite(b.Distance) && std::isfinite(b.Width) && std::isfinite(b.Depth) &&
                 std::isfinite(b.Surcharge);
    if (!finite)
        sps::Raise("Invalid numeric input! Check input values.");

    if (Support > spCantilever)
        sps::RaiseFmt("Support %d is unknown! Choose Free, Fixed or Cantilever support.", static_cast<int>(Support));
    if (FrontLayers.empty())
        sps::Raise("No soil layers in front!");
    if (BehindLayers.empty())
        sps::Raise("No soil layers behind!");
    CheckLayers(FrontLayers, "in front", "Kph", Front.AutoCoefficients != 0);
    CheckLayers(BehindLayers, "behind", "Kah", Behind.AutoCoefficients != 0);

    if (Bousqs.size() > static_cast<size_t>(kMaxBousqs))
        sps::RaiseFmt("At most %d Boussinesq strips are allowed!", kMaxBousqs);
    for (size_t i = 0; i < Pressures.size(); ++i) {
        const int number = static_cast<int>(i) + 1;
        if (!(Pressures[i].DepthTip > Pressures[i].DepthTop))
            sps::RaiseFmt("Userdefined pressure %d: its tip must lie below its top!", number);
        if (i > 0 && Pressures[i].DepthTop < Pressures[i - 1].DepthTip)
            sps::RaiseFmt("Userdefined pressures %d and %d overlap or are not sorted by depth!", number - 1, number);
    }

    if (!(SectionModulus > 0.0f && SectionArea > 0.0f))
        sps::Raise("Section modulus and area of the sheet pile section must be > 0!");
    if (SectionInertia < 0.0f)
        sps::Raise("Inertia of the sheet pile section must not be negative!");
}

float TWall::BendingStiffness(float fallback) const
{
    if (SectionInertia == 0.0f)
        return fallback;
    const float ei = static_cast<float>(2.1e8 * SectionInertia);
    if (!std::isfinite(ei))
        sps::Raise("Invalid numeric input! Check input values.");
    return ei;
}

// The wall and its loads must lie within the layers (the last tips are final
// here). A water level below the last tip leaves the soil above water down to
// it, and the anchor level of a Free anchor wall is a result.
void TWall::CheckDepths() const
{
    const float last = FrontLayers.back().Tip;
    auto check = [last](float z, const std::string& what) {
        if (z > last)
            sps::Raise(what + " lies below the last layer tip! Increase last layers tip.");
    };
    const bool anchorIsResult = Support == spFree && dynamic_cast<const TAnchorwall*>(this) != nullptr;
    if (!IsCantilever() && !anchorIsResult)
        check(AnchorLevel, "Anchorlevel");
    check(Front.SoilLevel, "Soil level in front");
    check(Behind.SoilLevel, "Soil level behind");
    check(PileTop, "Pile top");
    for (size_t i = 0; i < Forces.size(); ++i)
        check(Forces[i].Depth, sps::Format("Force %d", static_cast<int>(i) + 1));
    for (size_t i = 0; i < Bousqs.size(); ++i)
        check(Bousqs[i].Depth, sps::Format("Boussinesq strip %d", static_cast<int>(i) + 1));
    for (size_t i = 0; i < Pressures.size(); ++i)
        check(Pressures[i].DepthTip, sps::Format("Userdefined pressure %d", static_cast<int>(i) + 1));
}

// ---------------------------------------------------------------- preparation

void TWall::Prepare()
{
    ValidateInput();

    if (AnchorLevel < PileTop)
        AnchorLevel = PileTop;

    for (size_t i = 0; i < FrontLayers.size(); ++i) {
        TLayer& l = FrontLayers[i];
        ClampToPhi(l.Delta, l.Phi);
        ClampToPhi(Front.Inclination, l.Phi);
        if (Front.AutoCoefficients) {
            if (Front.Inclination == 0.0f && l.Delta <= 0.0f)
                l.K = LookupKph(l.Phi, l.Delta);
            else
                l.K = LayerPassiveCoefficient(l, Front.Inclination, "in front", static_cast<int>(i));
        }
    }
    for (TLayer& l : BehindLayers) {
        ClampToPhi(l.Delta, l.Phi);
        ClampToPhi(Behind.Inclination, l.Phi);
        if (Behind.AutoCoefficients)
            l.K = ActiveCoefficient(l.Phi, l.Delta, Behind.Inclination);
    }

    FrontLayers.front().Top = Front.SoilLevel;
    BehindLayers.front().Top = Behind.SoilLevel;
    const float deepest = std::max(FrontLayers.back().Tip, BehindLayers.back().Tip);
    FrontLayers.back().Tip = deepest;
    BehindLayers.back().Tip = deepest;
    for (size_t i = 1; i < FrontLayers.size(); ++i)
        FrontLayers[i].Top = FrontLayers[i - 1].Tip;
    for (size_t i = 1; i < BehindLayers.size(); ++i)
        BehindLayers[i].Top = BehindLayers[i - 1].Tip;

    CheckDepths();

    // Distinct levels in ascending order (exact equality; -0 counts as 0).
    std::vector<float> levels;
    auto add = [&levels](float z) { levels.push_back(z == 0.0f ? 0.0f : z); };
    if (!IsCantilever())
        add(AnchorLevel);
    add(Front.SoilLevel);
    add(Behind.SoilLevel);
    add(Front.WaterLevel);
    add(Behind.WaterLevel);
    add(PileTop);
    for (const TForce& f : Forces)
        add(f.Depth);
    for (const TBousq& b : Bousqs)
        add(b.Depth);
    for (const TPressure& p : Pressures) {
        add(p.DepthTop);
        add(p.DepthTip);
    }
    for (const TLayer& l : FrontLayers)
        add(l.Tip);
    for (const TLayer& l : BehindLayers)
        add(l.Tip);
    std::sort(levels.begin(), levels.end());
    levels.erase(std::unique(levels.begin(), levels.end()), levels.end());
    // The grid ends at the last tip: what lies below it (only a water level or
    // a Free anchor wall's anchor level may) adds no level.
    const float lastTip = FrontLayers.back().Tip;
    levels.erase(std::upper_bound(levels.begin(), levels.end(), lastTip), levels.end());

    // Cut every gap into pieces of at most 0.25 m; count them before cutting.
    double planned = static_cast<double>(levels.size());
    for (size_t i = 0; i + 1 < levels.size(); ++i)
        planned += std::ceil((double(levels[i + 1]) - levels[i]) / kGridStep) - 1.0;
    if (planned > static_cast<double>(kMaxLevels))
        sps::RaiseFmt("More than %d depth levels! Check levels and layer tips.", static_cast<int>(kMaxLevels));
    std::vector<float> grid;
    grid.reserve(static_cast<size_t>(planned));
    for (size_t i = 0; i < levels.size(); ++i) {
        grid.push_back(levels[i]);
        if (i + 1 == levels.size())
            break;
        const float next = levels[i + 1];
        const int steps = static_cast<int>(std::ceil((double(next) - levels[i]) / kGridStep));
        for (int k = 1; k < steps; ++k) {
            const float z = static_cast<float>(levels[i] + k * kGridStep);
            if (!(z < next))
                break;
            if (z > grid.back())
                grid.push_back(z);
        }
    }

    BuildSlices(FrontLayers, FrontSlices, grid);
    BuildSlices(BehindLayers, BehindSlices, grid);

    forceOrder_.resize(Forces.size());
    for (size_t i = 0; i < Forces.size(); ++i)
        forceOrder_[i] = static_cast<int32_t>(i);
    std::stable_sort(forceOrder_.begin(), forceOrder_.end(),
                     [this](int32_t a, int32_t b) { return Forces[a].Depth < Forces[b].Depth; });
}

void TWall::BuildSlices(const TLayers& layers, TLayers& slices, const std::vector<float>& levels)
{
    slices.clear();
    if (layers.empty() || levels.size() < 2)
        return;
    slices.resize(levels.size() - 1);
    size_t current = 0;
    for (size_t i = 0; i + 1 < levels.size(); ++i) {
        TLayer s = layers[current];
        s.Top = levels[i];
        s.Tip = levels[i + 1];
        s.Thickness = std::fabs(levels[i + 1] - levels[i]);
        s.PressureTop = s.PressureBottom = s.VerticalForce = s.HorizontalForce = s.VerticalStress = 0.0f;
        slices[i] = s;
        if (layers[current].Tip == levels[i + 1] && current + 1 < layers.size())
            ++current;
    }
}

void TWall::SlicePressures(TLayers& slices, const TSide& side, bool passive)
{
    auto pressure = passive ? PassivePressure : ActivePressure;
    float sigma = static_cast<float>(double(side.CaquotLoad) * SurchargeFactor(side.Inclination));
    for (TLayer& s : slices) {
        s.Thickness = s.Tip - s.Top;
        if (s.Tip > side.SoilLevel) {
            s.PressureTop = pressure(sigma, s.K, s.Cohesion);
            const float density = side.WaterLevel >= s.Tip ? s.DensityMoist : s.DensitySubmerged;
            sigma = static_cast<float>(sigma + double(s.Thickness) * density);
            s.PressureBottom = pressure(sigma, s.K, s.Cohesion);
            s.HorizontalForce = static_cast<float>((double(s.PressureTop) + s.PressureBottom) * s.Thickness * 0.5);
            s.VerticalForce = static_cast<float>(std::tan(double(s.Delta)) * s.HorizontalForce);
            s.VerticalStress = sigma;
        } else {
            s.PressureTop = s.PressureBottom = s.HorizontalForce = s.VerticalForce = 0.0f;
        }
    }
}

void TWall::LayerPressures()
{
    SlicePressures(FrontSlices, Front, true);
    SlicePressures(BehindSlices, Behind, false);
}

void TWall::FillResults()
{
    const size_t n = FrontSlices.size();
    Results.assign(n, TResultRow{});
    ResultSlices.resize(n);
    for (size_t i = 0; i < n; ++i) {
        TResultRow& r = Results[i];
        const TLayer& f = FrontSlices[i];
        const TLayer& b = BehindSlices[i];
        ResultSlices[i] = static_cast<int32_t>(i);
        r[rcBottom] = f.Tip;
        r[rcTop] = f.Top;
        r[rcThickness] = f.Thickness;
        r[rcFrontEarthTop] = -f.PressureTop;
        r[rcFrontEarthBottom] = -f.PressureBottom;
        r[rcBehindEarthTop] = b.PressureTop;
        r[rcBehindEarthBottom] = b.PressureBottom;
    }

    for (size_t j = 0; j < Bousqs.size() && j < static_cast<size_t>(kMaxBousqs); ++j) {
        const TBousq& strip = Bousqs[j];
        const int col = rcBousqTop + 2 * static_cast<int>(j);
        for (size_t i = 0; i < n; ++i) {
            TResultRow& r = Results[i];
            const float k = BehindSlices[i].K;
            if (r[rcTop] == strip.Depth) {
                r[col] = BoussinesqPressure(strip, static_cast<float>(r[rcTop] + 0.01), k);
                r[col + 1] = BoussinesqPressure(strip, r[rcBottom], k);
            } else if (r[rcTop] > strip.Depth) {
                r[col] = BoussinesqPressure(strip, r[rcTop], k);
                r[col + 1] = BoussinesqPressure(strip, r[rcBottom], k);
            }
        }
    }

    if (Front.WaterLevel != Behind.WaterLevel) {
        for (TResultRow& r : Results) {
            if (r[rcTop] >= Front.WaterLevel) {
                r[rcWaterTop] = static_cast<float>((double(Front.WaterLevel) - r[rcTop]) * kWaterDensity);
                r[rcWaterBottom] = static_cast<float>((double(Front.WaterLevel) - r[rcBottom]) * kWaterDensity);
            }
            if (r[rcTop] >= Behind.WaterLevel) {
                r[rcWaterTop] = static_cast<float>(
                    r[rcWaterTop] - (double(Behind.WaterLevel) - r[rcTop]) * kWaterDensity);
                r[rcWaterBottom] = static_cast<float>(
                    r[rcWaterBottom] - (double(Behind.WaterLevel) - r[rcBottom]) * kWaterDensity);
            }
        }
    }

    size_t strip = 0;
    float p = 0.0f;
    for (TResultRow& r : Results) {
        if (strip >= Pressures.size())
            break;
        const TPressure& s = Pressures[strip];
        if (s.DepthTop == r[rcTop])
            p = s.PressureTop;
        if (s.DepthTop < r[rcBottom]) {
            r[rcUserTop] = p;
            p = static_cast<float>(p + (double(s.PressureTip) - s.PressureTop) * r[rcThickness] /
                                           (double(s.DepthTip) - s.DepthTop));
            r[rcUserBottom] = p;
            if (s.DepthTip == r[rcBottom])
                ++strip;
        }
    }

    for (TResultRow& r : Results) {
        for (int end = 0; end < 2; ++end) {
            double sum = r[rcBehindEarthTop + end];
            for (int j = 0; j < kMaxBousqs; ++j)
                sum += r[rcBousqTop + 2 * j + end];
            if (sum < 0.0)
                sum = 0.0;
            sum += double(r[rcFrontEarthTop + end]) + r[rcWaterTop + end] + r[rcUserTop + end];
            r[rcNetTop + end] = static_cast<float>(sum);
        }
    }
}

// ---------------------------------------------------------------- row integration

double TWall::CrossAt(const TResultRow& r, double x)
{
    const double h = r[rcThickness], et = r[rcNetTop], eb = r[rcNetBottom];
    return r[rcCrossTop] + et * x + (eb - et) * x * x / (2.0 * h);
}

double TWall::MomentAt(const TResultRow& r, double x)
{
    const double h = r[rcThickness], et = r[rcNetTop], eb = r[rcNetBottom];
    return r[rcMomentTop] + double(r[rcCrossTop]) * x + et * x * x / 2.0 + (eb - et) * x * x * x / (6.0 * h);
}

void TWall::IntegrateRow(int row, float& v, float& m, bool withAnchor)
{
    TResultRow& r = Results[static_cast<size_t>(row)];
    const float top = r[rcTop];
    if (forceOrder_.size() == Forces.size()) {
        auto it = std::lower_bound(forceOrder_.begin(), forceOrder_.end(), top, [this](int32_t f, float z) {
            return Forces[static_cast<size_t>(f)].Depth < z;
        });
        for (; it != forceOrder_.end() && Forces[static_cast<size_t>(*it)].Depth == top; ++it)
            v = static_cast<float>(double(v) + Forces[static_cast<size_t>(*it)].Horizontal);
    } else {
        // Forces changed since Prepare: take them in stored order.
        for (const TForce& f : Forces)
            if (f.Depth == top)
                v = static_cast<float>(double(v) + f.Horizontal);
    }
    if (withAnchor && top == AnchorLevel)
        v = static_cast<float>(double(v) + AnchorForce);

    const double h = r[rcThickness], et = r[rcNetTop], eb = r[rcNetBottom];
    r[rcCrossTop] = v;
    v = static_cast<float>(v + (et + eb) * h / 2.0);
    r[rcCrossBottom] = v;
    r[rcMomentTop] = m;
    r[rcMomentBottom] = static_cast<float>(double(m) + double(r[rcCrossTop]) * h + h * h * (et / 2.0 + (eb - et) / 6.0));
    m = r[rcMomentBottom];
}

void TWall::TruncateRows(int row)
{
    const size_t keep = static_cast<size_t>(row) + 1;
    if (keep < Results.size()) {
        Results.resize(keep);
        ResultSlices.resize(keep);
    }
}

void TWall::ShortenRow(int row, float x)
{
    if (row < 0 || static_cast<size_t>(row) >= Results.size())
        return;
    TResultRow& r = Results[static_cast<size_t>(row)];
    const double h = r[rcThickness];
    if (!(h > 0.0))
        return;
    const double t = x / h;
    for (int c : kPressurePairs)
        r[c + 1] = static_cast<float>(r[c] + (double(r[c + 1]) - r[c]) * t);
    r[rcBottom] = static_cast<float>(double(r[rcTop]) + x);
    r[rcThickness] = x;

    const size_t s = SliceOf(*this, static_cast<size_t>(row));
    for (TLayers* slices : {&FrontSlices, &BehindSlices}) {
        if (s >= slices->size())
            continue;
        TLayer& l = (*slices)[s];
        l.PressureBottom = static_cast<float>(l.PressureTop + (double(l.PressureBottom) - l.PressureTop) * t);
        l.HorizontalForce = static_cast<float>((double(l.PressureTop) + l.PressureBottom) * x / 2.0);
        l.VerticalForce = static_cast<float>(std::tan(double(l.Delta)) * l.HorizontalForce);
    }
}

void TWall::SplitRow(float z)
{
    size_t i = 0;
    while (i < Results.size() && Results[i][rcBottom] < z)
        ++i;
    if (i == Results.size())
        return;
    // Nothing to split at the row's bottom, nor at (or above) its top.
    if (z == Results[i][rcBottom] || !(z > Results[i][rcTop]))
        return;

    TResultRow upper = Results[i];
    TResultRow lower = Results[i];
    const double bottom = upper[rcBottom], h = upper[rcThickness];
    const double t = (bottom - z) / h;
    for (int c : kSplitPairs) {
        const float at = static_cast<float>(upper[c + 1] - (double(upper[c + 1]) - upper[c]) * t);
        upper[c + 1] = at;
        lower[c] = at;
    }
    upper[rcBottom] = z;
    upper[rcThickness] = z - upper[rcTop];
    lower[rcTop] = z;
    lower[rcThickness] = lower[rcBottom] - z;

    const int32_t slice = static_cast<int32_t>(SliceOf(*this, i));
    if (ResultSlices.size() != Results.size()) {
        ResultSlices.resize(Results.size());
        for (size_t k = 0; k < ResultSlices.size(); ++k)
            ResultSlices[k] = static_cast<int32_t>(k);
    }
    Results[i] = upper;
    Results.insert(Results.begin() + static_cast<std::ptrdiff_t>(i) + 1, lower);
    ResultSlices.insert(ResultSlices.begin() + static_cast<std::ptrdiff_t>(i) + 1, slice);
}

// ---------------------------------------------------------------- additional embedment

float TWall::BehindPassiveCoefficient(int slice) const
{
    const TLayer& s = BehindSlices[static_cast<size_t>(slice)];
    // The slice is a copy of the first layer that reaches its tip.
    size_t layer = 0;
    while (layer + 1 < BehindLayers.size() && BehindLayers[layer].Tip < s.Tip)
        ++layer;
    return LayerPassiveCoefficient(s, Behind.Inclination, "behind", static_cast<int>(layer));
}

float TWall::AdditionalEmbedment(int row, float x, float c, float& cv)
{
    cv = 0.0f;
    if (row <= 0 || static_cast<size_t>(row) >= Results.size())
        return 0.0f;
    const int r = static_cast<int>(SliceOf(*this, static_cast<size_t>(row)));
    const int n = static_cast<int>(BehindSlices.size());
    if (r <= 0 || r >= n)
        return 0.0f;

    const float stressAbove = BehindSlices[static_cast<size_t>(r - 1)].VerticalStress;
    auto embedment = [&](int j) {
        const TLayer& s = BehindSlices[static_cast<size_t>(j)];
        const float k = BehindPassiveCoefficient(j);
        const float density = s.Top >= Behind.WaterLevel ? s.DensitySubmerged : s.DensityMoist;
        const float sigma = static_cast<float>(double(x) * density + stressAbove);
        const float e = PassivePressure(sigma, k, s.Cohesion);
        if (!(e > 0.0f))
            sps::Raise("Additional embedment failure. Passive pressure behind the tip is <=0!");
        return static_cast<float>(std::fabs(0.5 * c / e));
    };

    const TLayer& first = BehindSlices[static_cast<size_t>(r)];
    float dt = 0.0f;
    int k = 0;
    do {
        dt = embedment(r + k);
        const TLayer& s = BehindSlices[static_cast<size_t>(r + k)];
        if (r + k + 1 < n && double(first.Top) + x + dt > s.Tip &&
            BehindSlices[static_cast<size_t>(r + k + 1)].PressureTop < s.PressureBottom)
            dt = embedment(r + k + 1);
        ++k;
    } while (r + k < n && first.PressureBottom > BehindSlices[static_cast<size_t>(r + k)].PressureTop);

    cv = static_cast<float>(std::tan(double(first.Delta)) * c);
    OverLength = dt;
    return dt;
}

// ---------------------------------------------------------------- shared results

void TWall::ElasticLine(size_t first, double ei, float zeroDeflection, float second, bool secondIsRotation,
                        size_t plainFrom)
{
    const size_t n = Results.size();
    if (first >= n)
        return;
    // The line at the row boundaries with w = w' = 0 at the first top; a straight
    // line added below meets the reference conditions.
    std::vector<double> w(n - first + 1), slope(n - first + 1);
    auto area = [](const TResultRow& r, double x) {
        // First and second integral of the row's moment from its top to x.
        const double h = r[rcThickness], m = r[rcMomentTop], v = r[rcCrossTop], et = r[rcNetTop];
        const double de = h > 0.0 ? (double(r[rcNetBottom]) - et) / h : 0.0;
        const double x2 = x * x, x3 = x2 * x, x4 = x3 * x;
        return std::pair{m * x + v * x2 / 2.0 + et * x3 / 6.0 + de * x4 / 24.0,
                         m * x2 / 2.0 + v * x3 / 6.0 + et * x4 / 24.0 + de * x4 * x / 120.0};
    };
    for (size_t i = first; i < n; ++i) {
        const size_t k = i - first;
        const double h = Results[i][rcThickness];
        const auto [a1, a2] = area(Results[i], h);
        slope[k + 1] = slope[k] - a1 / ei;
        w[k + 1] = w[k] + slope[k] * h - a2 / ei;
    }
    // Deflection and slope of that line at depth z.
    auto at = [&](double z) {
        size_t i = first;
        while (i + 1 < n && Results[i][rcBottom] < z)
            ++i;
        const size_t k = i - first;
        const TResultRow& r = Results[i];
        if (!(z > r[rcTop]))
            return std::pair{w[k], slope[k]};
        if (!(z < r[rcBottom]))
            return std::pair{w[k + 1], slope[k + 1]};
        const double x = z - r[rcTop];
        const auto [a1, a2] = area(r, x);
        return std::pair{w[k] + slope[k] * x - a2 / ei, slope[k] - a1 / ei};
    };
    // The straight line: zero deflection at z0, then zero slope at the second
    // depth, or zero deflection there (the chord, exactly zero at both ends).
    const double z0 = zeroDeflection, span = double(second) - z0;
    const double w0 = at(z0).first;
    const std::pair<double, double> end = at(second);
    const bool chord = !secondIsRotation && span != 0.0;
    const double rise = end.first - w0;
    const double b = secondIsRotation ? -end.second : chord ? -rise / span : 0.0;
    auto deflection = [&](size_t k, double z) {
        const double line = chord ? -rise * ((z - z0) / span) : b * (z - z0);
        return static_cast<float>(w[k] - w0 + line);
    };
    for (size_t i = first; i < n; ++i) {
        const size_t k = i - first;
        TResultRow& r = Results[i];
        const double sign = i < plainFrom ? -1.0 : 1.0;
        // + 0.0 turns a negated zero into zero.
        r[rcRotationTop] = static_cast<float>(sign * (slope[k] + b) + 0.0);
        r[rcRotationBottom] = static_cast<float>(sign * (slope[k + 1] + b) + 0.0);
        r[rcDeflectionTop] = deflection(k, r[rcTop]);
        r[rcDeflectionBottom] = deflection(k + 1, r[rcBottom]);
    }
}

void TWall::SumVerticalForces(float cv, bool fromPileTop)
{
    const size_t n = Results.size();
    for (size_t j = 0; j < Bousqs.size() && j < static_cast<size_t>(kMaxBousqs); ++j) {
        const float depth = Bousqs[j].Depth;
        const int col = rcBousqTop + 2 * static_cast<int>(j);
        for (size_t i = 0; i < n; ++i) {
            const TResultRow& r = Results[i];
            const size_t slice = SliceOf(*this, i);
            if (slice >= BehindSlices.size())
                continue;
            TLayer& b = BehindSlices[slice];
            const bool takes = fromPileTop ? (b.Top >= depth && b.Top >= PileTop) : (r[rcTop] >= depth);
            if (takes)
                b.VerticalForce = static_cast<float>(
                    b.VerticalForce + std::tan(double(b.Delta)) * (double(r[col]) + r[col + 1]) * r[rcThickness] / 2.0);
        }
    }

    Front.SumHorizontal = Front.SumVertical = Behind.SumHorizontal = Behind.SumVertical = 0.0f;
    MinValues.NormalForce = MaxValues.NormalForce = 0.0f;
    TExtremes* extremes[] = {&MaxValues, &MinValues};
    int lastSlice = -1;
    for (size_t i = 0; i < n; ++i) {
        if (fromPileTop && Results[i][rcTop] < PileTop)
            continue;
        // The halves of a split row count their slice once.
        const int slice = static_cast<int>(SliceOf(*this, i));
        if (slice == lastSlice || static_cast<size_t>(slice) >= FrontSlices.size() ||
            static_cast<size_t>(slice) >= BehindSlices.size())
            continue;
        lastSlice = slice;
        const TLayer& f = FrontSlices[static_cast<size_t>(slice)];
        Front.SumHorizontal += f.HorizontalForce;
        Front.SumVertical += f.VerticalForce;
        for (TExtremes* e : extremes)
            if (e->MomentDepth > f.Top && e->MomentDepth <= f.Tip)
                e->NormalForce = Front.SumVertical;
        const TLayer& b = BehindSlices[static_cast<size_t>(slice)];
        Behind.SumHorizontal += b.HorizontalForce;
        Behind.SumVertical += b.VerticalForce;
        for (TExtremes* e : extremes)
            if (e->MomentDepth > b.Top && e->MomentDepth <= b.Tip)
                e->NormalForce += Behind.SumVertical;
    }

    if (Support != spFree)
        Behind.SumVertical += cv;
    const float anchorVertical = static_cast<float>(std::tan(double(AnchorInclination)) * AnchorForce);
    VerticalBalance = Front.SumVertical + Behind.SumVertical;
    if (Support != spCantilever)
        VerticalBalance -= anchorVertical;
    for (const TForce& f : Forces) {
        VerticalBalance += f.Vertical;
        for (TExtremes* e : extremes)
            if (e->MomentDepth >= f.Depth)
                e->NormalForce += f.Vertical;
    }
    for (TExtremes* e : extremes)
        if (AnchorLevel <= e->MomentDepth)
            e->NormalForce -= anchorVertical;
}

void TWall::CheckFinite() const
{
    bool finite = true;
    for (const TResultRow& r : Results)
        for (float v : r)
            finite = finite && std::isfinite(v);
    for (const TLayers* slices : {&FrontSlices, &BehindSlices})
        for (const TLayer& s : *slices)
            finite = finite && std::isfinite(s.K) && std::isfinite(s.PressureTop) &&
                     std::isfinite(s.PressureBottom) && std::isfinite(s.VerticalForce) &&
                     std::isfinite(s.HorizontalForce) && std::isfinite(s.VerticalStress);
    for (const TExtremes* e : {&MinValues, &MaxValues})
        for (float v : {e->CrossForceDepth, e->MomentDepth, e->DeflectionDepth, e->StressAtMinMoment,
                        e->StressAtMaxMoment, e->NormalForce, e->CrossForce, e->Moment, e->Deflection,
                        e->DeflectionAtMoment})
            finite = finite && std::isfinite(v);
    for (float v : {PileTop, AnchorLevel, PileTip, Embedment, AnchorForce, OverLength, VerticalBalance, PileSafety,
                    Front.SumHorizontal, Front.SumVertical, Behind.SumHorizontal, Behind.SumVertical})
        finite = finite && std::isfinite(v);
    if (!finite)
        sps::Raise("Invalid numeric input! Check input values.");
}

void TWall::PlaceTipBelow(int row, float x, float c, float& cv)
{
    const double top = Results[static_cast<size_t>(row)][rcTop];
    const float dt = AdditionalEmbedment(row, x, c, cv);
    Embedment = static_cast<float>(top - PileTop + x + dt);
    PileTip = static_cast<float>(top + x + dt);
    OverLength = dt;
    ShortenRow(row, x);
}

} // namespace wd
