// Head wall: Free, Fixed and Cantilever earth support by the Blum method,
// with the tip refinements, deflections and the vertical balance.
#include "walldesign/calc/earthpressure.h"
#include "walldesign/calc/wall.h"

#include "platform/error.h"

#include <algorithm>
#include <cmath>

namespace wd {

namespace {

// Cross force corrected by the anchor force that makes the moment zero at depth z.
float CorrectedCross(float v, float m, float z, float anchorLevel)
{
    return static_cast<float>(v - double(m) / (double(z) - anchorLevel));
}

} // namespace

void THeadwall::Calculate()
{
    TSection* section = Section();
    if (Support == spCantilever && section && section->AnchorWall)
        sps::Raise("Cannot calculate section as cantilever while containing a anchorwall.");

    Prepare();
    LayerPressures();
    FillResults();

    float cv = 0.0f;
    switch (Support) {
    case spFree:
        FreeSupport();
        FreeDeflection();
        break;
    case spFixed:
        cv = FixedSupport();
        FixedDeflection();
        break;
    default:
        cv = CantileverSupport();
        CantileverDeflection();
        break;
    }
    FindExtremalValues();
    CheckVerticalEquilibrium(cv);
    PileCheck();
    CheckFinite();
}

void THeadwall::Prepare()
{
    ValidateInput();
    PileTop = std::min(PileTop, Behind.SoilLevel);
    const float v = static_cast<float>(PileTop + 3.0 * (double(Front.SoilLevel) - PileTop));
    FrontLayers.back().Tip = std::max(FrontLayers.back().Tip, v);
    BehindLayers.back().Tip = std::max(BehindLayers.back().Tip, v);
    // The anchor level is raised to the pile top before it is used: check it as used.
    if (!IsCantilever() && std::max(AnchorLevel, PileTop) >= Front.SoilLevel)
        sps::Raise("Anchorlevel too low!");
    TWall::Prepare();
}

void THeadwall::CheckVerticalEquilibrium(float cv)
{
    SumVerticalForces(cv, false);
}

// ---------------------------------------------------------------- Free support

void THeadwall::FreeSupport()
{
    AnchorForce = 0.0f;
    OverLength = 0.0f;
    PileTip = PileTop;
    float v = 0.0f, m = 0.0f;
    for (size_t i = 0; i < Results.size(); ++i) {
        const int row = static_cast<int>(i);
        IntegrateRow(row, v, m, false);
        const TResultRow& r = Results[i];
        if (r[rcTop] < Front.SoilLevel)
            continue;
        AnchorForce = static_cast<float>(-double(r[rcMomentBottom]) / (double(r[rcBottom]) - AnchorLevel));
        const float vt = CorrectedCross(r[rcCrossTop], r[rcMomentTop], r[rcTop], AnchorLevel);
        const float vb = CorrectedCross(r[rcCrossBottom], r[rcMomentBottom], r[rcBottom], AnchorLevel);
        if (std::fabs(double(vb)) < std::fabs(0.005 * r[rcCrossBottom])) {
            PileTip = r[rcBottom];
            Embedment = static_cast<float>(double(r[rcBottom]) - PileTop);
            TruncateRows(row);
            break;
        }
        if (Sign(vt) != Sign(vb)) {
            RefineFreeTip(row);
            if (PileTip != PileTop) {
                TruncateRows(row);
                break;
            }
        }
    }
    if (PileTip == PileTop)
        RaiseEquilibriumFailure();

    v = m = 0.0f;
    for (size_t i = 0; i < Results.size(); ++i)
        IntegrateRow(static_cast<int>(i), v, m, true);
}

void THeadwall::RefineFreeTip(int row)
{
    TResultRow& r = Results[static_cast<size_t>(row)];
    const float top = r[rcTop];
    const double h = r[rcThickness];
    const int signTop = Sign(CorrectedCross(r[rcCrossTop], r[rcMomentTop], top, AnchorLevel));
    for (int k = 1; k <= 26; ++k) {
        const float x = static_cast<float>(k * (h / 25.0));
        r[rcCrossBottom] = static_cast<float>(CrossAt(r, x));
        r[rcMomentBottom] = static_cast<float>(MomentAt(r, x));
        AnchorForce = static_cast<float>(-double(r[rcMomentBottom]) / (double(top) + x - AnchorLevel));
        const float corrected = static_cast<float>(double(r[rcCrossBottom]) + AnchorForce);
        if (Sign(corrected) != signTop) {
            // A sign change only at the 26th step lies beyond the row.
            if (k < 26) {
                r[rcMomentBottom] = 0.0f;
                Embedment = static_cast<float>(double(top) + x - PileTop);
                PileTip = static_cast<float>(double(top) + x);
                ShortenRow(row, x);
            }
            return;
        }
    }
}

void THeadwall::FreeDeflection()
{
    // Zero deflection at the anchor and at the tip.
    if (!Results.empty())
        ElasticLine(0, BendingStiffness(100.0f), AnchorLevel, Results.back()[rcBottom], false, 0);
}

// ---------------------------------------------------------------- Fixed support

float THeadwall::FixedSupport()
{
    const double ei = BendingStiffness(100.0f);
    float v = 0.0f, m = 0.0f, phi = 0.0f, w = 0.0f, wa = 0.0f;
    float cv = 0.0f;
    for (size_t i = 0; i < Results.size(); ++i) {
        const int row = static_cast<int>(i);
        IntegrateRow(row, v, m, false);
        TResultRow& r = Results[i];
        const double h = r[rcThickness], mt = r[rcMomentTop], mb = r[rcMomentBottom];
        r[rcRotationTop] = phi;
        r[rcRotationBottom] = static_cast<float>(phi + (mt * h + (mb - mt) * h / 2.0) / ei);
        r[rcDeflectionTop] = w;
        r[rcDeflectionBottom] =
            static_cast<float>(w + double(r[rcRotationTop]) * h + h * h * (mt / 2.0 + (mb - mt) / 6.0) / ei);
        phi = r[rcRotationBottom];
        w = r[rcDeflectionBottom];
        if (r[rcTop] == AnchorLevel)
            wa = r[rcDeflectionTop];
        if (!(r[rcBottom] > Front.SoilLevel))
            continue;

        const double l = double(r[rcBottom]) - AnchorLevel;
        AnchorForce = static_cast<float>(-mb / l);
        const float dphi = static_cast<float>(l * -mb / (2.0 * ei));
        const float dw = static_cast<float>(l * l * -mb / (6.0 * ei));
        const float f = static_cast<float>(dphi + double(r[rcRotationBottom]) -
                                           (double(dw) + r[rcDeflectionBottom] - wa) / l);
        if (f == 0.0f) {
            const float c = static_cast<float>(-(double(r[rcCrossBottom]) + AnchorForce));
            const float dt = AdditionalEmbedment(row, 0.0f, c, cv);
            Embedment = static_cast<float>(double(r[rcBottom]) - PileTop + dt);
            PileTip = static_cast<float>(double(r[rcBottom]) + dt);
            OverLength = dt;
            TruncateRows(row);
            return cv;
        }
        if (f > 0.0f) {
            if (r[rcTop] <= Front.SoilLevel)
                sps::Raise("No Fixed Support possible!");
            RefineFixedTip(row, wa, cv);
            TruncateRows(row);
            return cv;
        }
    }
    RaiseEquilibriumFailure();
}

void THeadwall::RefineFixedTip(int row, float wa, float& cv)
{
    const double ei = BendingStiffness(100.0f);
    TResultRow& r = Results[static_cast<size_t>(row)];
    const double top = r[rcTop], h = r[rcThickness];
    const double phiTop = r[rcRotationTop], wTop = r[rcDeflectionTop], mt = r[rcMomentTop];
    float x = 0.0f;
    bool found = false;
    for (int k = 1; k <= 250 && !found; ++k) {
        x = static_cast<float>(k * (h / 250.0));
        const double mx = MomentAt(r, x);
        r[rcCrossBottom] = static_cast<float>(CrossAt(r, x));
        r[rcMomentBottom] = static_cast<float>(mx);
        r[rcDeflectionBottom] =
            static_cast<float>(wTop + phiTop * x + (mt * x * x / 2.0 + (mx - mt) * x * x * x / (6.0 * h)) / ei);
        r[rcRotationBottom] = static_cast<float>(phiTop + (mt * x + (mx - mt) * x * x / (2.0 * h)) / ei);
        const double l = top + x - AnchorLevel;
        AnchorForce = static_cast<float>(-mx / l);
        const float dphi = static_cast<float>(l * -mx / (2.0 * ei));
        const float dw = static_cast<float>(l * l * -mx / (6.0 * ei));
        const float f = static_cast<float>(dphi + double(r[rcRotationBottom]) -
                                           (double(dw) + r[rcDeflectionBottom] - wa) / l);
        found = f >= 0.0f;
    }
    if (!found)
        RaiseEquilibriumFailure();

    PlaceTipBelow(row, x, static_cast<float>(-(double(r[rcCrossBottom]) + AnchorForce)), cv);
}

void THeadwall::FixedDeflection()
{
    for (TResultRow& r : Results) {
        if (r[rcTop] < AnchorLevel)
            continue;
        r[rcCrossTop] += AnchorForce;
        r[rcCrossBottom] += AnchorForce;
        r[rcMomentTop] = static_cast<float>(r[rcMomentTop] + (double(r[rcTop]) - AnchorLevel) * AnchorForce);
        r[rcMomentBottom] =
            static_cast<float>(r[rcMomentBottom] + (double(r[rcBottom]) - AnchorLevel) * AnchorForce);
    }
    // Zero deflection at the anchor and at the theoretical tip; the tip search
    // has placed the tip where the tangent there passes through the anchor, so
    // the line is also horizontal at the tip.
    if (!Results.empty())
        ElasticLine(0, BendingStiffness(2.1e8f), AnchorLevel, Results.back()[rcBottom], false, 0);
}

// ---------------------------------------------------------------- Cantilever support

float THeadwall::CantileverSupport()
{
    AnchorForce = 0.0f;
    float v = 0.0f, m = 0.0f, cv = 0.0f;
    bool found = false;
    for (size_t i = 0; i < Results.size(); ++i) {
        const int row = static_cast<int>(i);
        IntegrateRow(row, v, m, false);
        const TResultRow& r = Results[i];
        if (r[rcTop] > Front.SoilLevel && Sign(r[rcMomentTop]) != Sign(r[rcMomentBottom])) {
            RefineCantileverTip(row, cv);
            TruncateRows(row);
            found = true;
            break;
        }
    }
    if (!found || Results.empty() ||
        Sign(Results.back()[rcMomentTop]) == Sign(Results.back()[rcMomentBottom]))
        RaiseEquilibriumFailure();
    return cv;
}

void THeadwall::RefineCantileverTip(int row, float& cv)
{
    TResultRow& r = Results[static_cast<size_t>(row)];
    const float h = r[rcThickness];
    const float crossBottom = r[rcCrossBottom], momentBottom = r[rcMomentBottom];
    const int signTop = Sign(r[rcMomentTop]);
    float x = h;
    // Steps of 0.01 m, at most to the row's bottom, where the caller saw the sign change.
    for (int k = 1;; ++k) {
        x = static_cast<float>(k * 0.01);
        if (!(x < h)) {
            x = h;
            r[rcCrossBottom] = crossBottom;
            r[rcMomentBottom] = momentBottom;
            break;
        }
        r[rcCrossBottom] = static_cast<float>(CrossAt(r, x));
        r[rcMomentBottom] = static_cast<float>(MomentAt(r, x));
        if (Sign(r[rcMomentBottom]) != signTop)
            break;
    }
    PlaceTipBelow(row, x, -r[rcCrossBottom], cv);
}

void THeadwall::CantileverDeflection()
{
    // Clamped at the theoretical tip; the rotation columns hold -w'.
    if (!Results.empty()) {
        const float tip = Results.back()[rcBottom];
        ElasticLine(0, BendingStiffness(2.1e8f), tip, tip, true, Results.size());
    }
}

} // namespace wd
