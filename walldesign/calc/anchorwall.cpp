// Anchor wall: loaded by the anchor force of its section's head wall (or an
// entered force); Free support places the anchor level, Fixed support takes it.
#include "walldesign/calc/earthpressure.h"
#include "walldesign/calc/wall.h"

#include "platform/error.h"

#include <cmath>

namespace wd {

namespace {

// The first row of the pile: rows above its top carry nothing.
size_t FirstPileRow(const TResults& rows, float pileTop)
{
    size_t first = 0;
    while (first + 1 < rows.size() && rows[first][rcTop] < pileTop)
        ++first;
    return first;
}

} // namespace

void TAnchorwall::Calculate()
{
    if (Support == spCantilever)
        sps::Raise("Cantilever support is not possible for an anchorwall! Choose Free or Fixed support.");
    if (Support > spCantilever)
        sps::RaiseFmt("Support %d is unknown! Choose Free or Fixed support.", static_cast<int>(Support));

    TSection* section = Section();
    if (section && section->HeadWall) {
        THeadwall* head = section->HeadWall;
        head->Update();
        // A head wall that failed before stays without report: its force is not a result.
        if (!head->Report())
            sps::Raise("Headwall cannot be calculated! Check input of the Headwall.");
        AnchorForce = static_cast<float>(std::fabs(double(head->AnchorForce) * AnchorSafety));
    }
    if (!std::isfinite(AnchorForce))
        sps::Raise("Invalid numeric input! Check input values.");

    Prepare();
    LayerPressures();
    FillResults();

    float cv = 0.0f;
    if (Support == spFree) {
        FreeSupport();
    } else {
        cv = FixedSupport();
        Deflection();
    }
    FindExtremalValues();
    CheckVerticalEquilibrium(cv);
    PileCheck();
    CheckFinite();
}

void TAnchorwall::CheckVerticalEquilibrium(float cv)
{
    SumVerticalForces(cv, true);
}

// ---------------------------------------------------------------- Free support

void TAnchorwall::FreeSupport()
{
    if (AnchorForce == 0.0f)
        sps::Raise("Anchorforce is zero! Anchorwall cannot be calculated.");
    PileTip = PileTop;
    OverLength = 0.0f;
    float v = 0.0f, m = 0.0f;
    for (size_t i = 0; i < Results.size(); ++i) {
        const TResultRow& r = Results[i];
        if (r[rcTop] < PileTop)
            continue;
        const int row = static_cast<int>(i);
        IntegrateRow(row, v, m, false);
        const float vt = static_cast<float>(double(r[rcCrossTop]) + AnchorForce);
        const float vb = static_cast<float>(double(r[rcCrossBottom]) + AnchorForce);
        if (std::fabs(double(vb)) < std::fabs(0.005 * r[rcCrossBottom])) {
            AnchorLevel = static_cast<float>(r[rcBottom] + double(r[rcMomentBottom]) / AnchorForce);
            PileTip = r[rcBottom];
            TruncateRows(row);
            CheckAnchorLevel();
            SplitRow(AnchorLevel);
            break;
        }
        if (Sign(vt) != Sign(vb)) {
            RefineFreeTip(row);
            break;
        }
    }
    if (PileTip == PileTop)
        RaiseEquilibriumFailure();
    Embedment = PileTip - PileTop;

    v = m = 0.0f;
    for (size_t i = 0; i < Results.size(); ++i)
        if (Results[i][rcTop] >= PileTop)
            IntegrateRow(static_cast<int>(i), v, m, true);

    // Zero deflection at the pile top, zero rotation at the anchor; the rotation
    // columns hold -w' down to the anchor row and w' below it.
    size_t anchorRow = 0;
    while (anchorRow + 1 < Results.size() && Results[anchorRow][rcBottom] < AnchorLevel)
        ++anchorRow;
    ElasticLine(FirstPileRow(Results, PileTop), BendingStiffness(2.1e8f), PileTop, AnchorLevel, true,
                anchorRow + 1);
}

void TAnchorwall::CheckAnchorLevel() const
{
    if (!(AnchorLevel >= PileTop && AnchorLevel < PileTip))
        sps::Raise("Anchorlevel outside the anchorwall! Check anchor force and layers.");
}

void TAnchorwall::RefineFreeTip(int row)
{
    TResultRow& r = Results[static_cast<size_t>(row)];
    const float top = r[rcTop], h = r[rcThickness];
    const float crossBottom = r[rcCrossBottom], momentBottom = r[rcMomentBottom];
    const int signTop = Sign(double(r[rcCrossTop]) + AnchorForce);
    float x = h;
    // Steps of h/25; the 25th is the row's bottom, where the caller saw the sign change.
    for (int k = 1; k <= 25; ++k) {
        if (k == 25) {
            x = h;
            r[rcCrossBottom] = crossBottom;
            r[rcMomentBottom] = momentBottom;
            break;
        }
        x = static_cast<float>(k * (double(h) / 25.0));
        r[rcCrossBottom] = static_cast<float>(CrossAt(r, x));
        r[rcMomentBottom] = static_cast<float>(MomentAt(r, x));
        if (Sign(double(r[rcCrossBottom]) + AnchorForce) != signTop)
            break;
    }
    AnchorLevel = static_cast<float>(double(top) + x + double(r[rcMomentBottom]) / AnchorForce);
    PileTip = static_cast<float>(double(top) + x);
    ShortenRow(row, x);
    TruncateRows(row);
    CheckAnchorLevel();
    SplitRow(AnchorLevel);
}

// ---------------------------------------------------------------- Fixed support

float TAnchorwall::FixedSupport()
{
    PileTip = PileTop;
    float v = 0.0f, m = 0.0f, cv = 0.0f;
    for (size_t i = 0; i < Results.size(); ++i) {
        const TResultRow& r = Results[i];
        if (r[rcTop] < PileTop)
            continue;
        const int row = static_cast<int>(i);
        IntegrateRow(row, v, m, true);
        if (Sign(r[rcMomentTop]) != Sign(r[rcMomentBottom]) && AnchorLevel < r[rcBottom] && r[rcCrossBottom] < 0.0f) {
            RefineFixedTip(row, cv);
            TruncateRows(row);
            break;
        }
    }
    if (PileTip == PileTop)
        RaiseEquilibriumFailure();
    return cv;
}

void TAnchorwall::RefineFixedTip(int row, float& cv)
{
    TResultRow& r = Results[static_cast<size_t>(row)];
    const float h = r[rcThickness];
    const float crossBottom = r[rcCrossBottom], momentBottom = r[rcMomentBottom];
    float x = h;
    for (int k = 1; k <= 25; ++k) {
        if (k == 25) {
            x = h;
            r[rcCrossBottom] = crossBottom;
            r[rcMomentBottom] = momentBottom;
            break;
        }
        x = static_cast<float>(k * (double(h) / 25.0));
        r[rcCrossBottom] = static_cast<float>(CrossAt(r, x));
        r[rcMomentBottom] = static_cast<float>(MomentAt(r, x));
        if (r[rcMomentBottom] <= 0.0f)
            break;
    }
    PlaceTipBelow(row, x, -r[rcCrossBottom], cv);
}

void TAnchorwall::Deflection()
{
    // Clamped at the theoretical tip; the rotation columns hold -w'.
    if (Results.empty())
        return;
    const float tip = Results.back()[rcBottom];
    ElasticLine(FirstPileRow(Results, PileTop), BendingStiffness(2.1e8f), tip, tip, true, Results.size());
}

} // namespace wd
