// Extreme cross force, moment and deflection along the result rows, and the
// stress check of the pile at the two moment extremes.
#include "walldesign/calc/earthpressure.h"
#include "walldesign/calc/wall.h"

#include "platform/error.h"

#include <algorithm>
#include <cmath>

namespace wd {

namespace {

// Moment extreme inside the rows from `first` to `last`: per row, steps of
// 0.01 m until the cross force changes its sign (the extreme lies there) or the
// row ends (the search goes on with the next row). The row's own end values
// stand at its bottom, so nothing is taken from beyond a row. The refined
// value replaces the row-bottom extreme only when it is at least as extreme.
void RefineMoment(const TResults& rows, size_t first, size_t last, bool maximum, TExtremes& extreme)
{
    float moment = extreme.Moment, depth = extreme.MomentDepth;
    for (size_t i = first; i <= last && i < rows.size(); ++i) {
        const TResultRow& r = rows[i];
        const double h = r[rcThickness];
        const int signTop = Sign(r[rcCrossTop]);
        bool changed = false;
        const int steps = h > 0.0 ? static_cast<int>(std::min(std::ceil(h / 0.01), 1.0e6)) : 0;
        for (int k = 1; k <= steps; ++k) {
            const float x = static_cast<float>(k * 0.01);
            float cross;
            if (x < h) {
                moment = static_cast<float>(TWall::MomentAt(r, x));
                depth = static_cast<float>(double(r[rcTop]) + x);
                cross = static_cast<float>(TWall::CrossAt(r, x));
            } else {
                moment = r[rcMomentBottom];
                depth = r[rcBottom];
                cross = r[rcCrossBottom];
            }
            if (Sign(cross) != signTop) {
                changed = true;
                break;
            }
            if (!(x < h))
                break;
        }
        if (changed)
            break;
    }
    if (maximum ? moment >= extreme.Moment : moment <= extreme.Moment) {
        extreme.Moment = moment;
        extreme.MomentDepth = depth;
    }
}

} // namespace

void TWall::FindExtremalValues()
{
    const size_t n = Results.size();
    if (n == 0)
        return;
    size_t first = 0;
    while (first + 1 < n && Results[first][rcBottom] <= PileTop)
        ++first;

    const TResultRow& f = Results[first];
    for (TExtremes* e : {&MinValues, &MaxValues}) {
        e->Moment = f[rcMomentTop];
        e->CrossForce = f[rcCrossTop];
        e->Deflection = f[rcDeflectionTop];
        e->MomentDepth = e->CrossForceDepth = e->DeflectionDepth = f[rcTop];
        e->DeflectionAtMoment = 0.0f;
    }
    size_t maxRow = first, minRow = first;
    for (size_t i = first; i < n; ++i) {
        const TResultRow& r = Results[i];
        if (r[rcMomentBottom] >= MaxValues.Moment) {
            MaxValues.Moment = r[rcMomentBottom];
            MaxValues.MomentDepth = r[rcBottom];
            maxRow = i;
        }
        if (r[rcMomentBottom] <= MinValues.Moment) {
            MinValues.Moment = r[rcMomentBottom];
            MinValues.MomentDepth = r[rcBottom];
            minRow = i;
        }
        for (int end = 0; end < 2; ++end) {
            const float cross = end == 0 ? r[rcCrossBottom] : r[rcCrossTop];
            const float depth = end == 0 ? r[rcBottom] : r[rcTop];
            if (cross > MaxValues.CrossForce) {
                MaxValues.CrossForce = cross;
                MaxValues.CrossForceDepth = depth;
            }
            if (cross < MinValues.CrossForce) {
                MinValues.CrossForce = cross;
                MinValues.CrossForceDepth = depth;
            }
        }
        if (r[rcDeflectionTop] >= MaxValues.Deflection) {
            MaxValues.Deflection = r[rcDeflectionTop];
            MaxValues.DeflectionDepth = r[rcTop];
        }
        if (r[rcDeflectionTop] < MinValues.Deflection) {
            MinValues.Deflection = r[rcDeflectionTop];
            MinValues.DeflectionDepth = r[rcTop];
        }
    }
    const TResultRow& last = Results[n - 1];
    if (last[rcDeflectionBottom] >= MaxValues.Deflection) {
        MaxValues.Deflection = last[rcDeflectionBottom];
        MaxValues.DeflectionDepth = last[rcBottom];
    }
    if (last[rcDeflectionBottom] < MinValues.Deflection) {
        MinValues.Deflection = last[rcDeflectionBottom];
        MinValues.DeflectionDepth = last[rcBottom];
    }

    if (MaxValues.MomentDepth != AnchorLevel)
        RefineMoment(Results, maxRow, std::min(maxRow + 2, n - 1), true, MaxValues);
    if (MinValues.MomentDepth != AnchorLevel)
        RefineMoment(Results, minRow, std::min(minRow + 1, n - 1), false, MinValues);

    for (TExtremes* e : {&MinValues, &MaxValues}) {
        for (size_t i = first; i < n; ++i) {
            if (Results[i][rcTop] < e->MomentDepth && Results[i][rcBottom] >= e->MomentDepth) {
                e->DeflectionAtMoment = Results[i][rcDeflectionBottom];
                break;
            }
        }
    }
}

void TWall::PileCheck()
{
    if (!(SectionModulus > 0.0f && SectionArea > 0.0f))
        sps::Raise("Section modulus and area of the sheet pile section must be > 0!");
    const double w = SectionModulus, a = SectionArea;

    // At the minimum moment.
    const double n1 = MinValues.NormalForce, d1 = MinValues.DeflectionAtMoment, m1 = MinValues.Moment;
    const float s1 = static_cast<float>(((n1 * d1 + m1) / w + n1 / a) * 0.001);
    const float s2 = static_cast<float>(-((n1 * d1 + m1) / w - n1 / a) * 0.001);
    MaxValues.StressAtMinMoment = s1 >= s2 ? s1 : s2;
    MinValues.StressAtMinMoment = s1 >= s2 ? s2 : s1;

    // At the maximum moment; at the anchor level without the lever of the normal force.
    const double n2 = MaxValues.NormalForce, d2 = MaxValues.DeflectionAtMoment, m2 = MaxValues.Moment;
    const double bending = MaxValues.MomentDepth == AnchorLevel ? m2 : m2 - n2 * d2;
    const float s3 = static_cast<float>((bending / w + n2 / a) * 0.001);
    const float s4 = static_cast<float>(-(bending / w - n2 / a) * 0.001);
    MaxValues.StressAtMaxMoment = s3 >= s4 ? s3 : s4;
    MinValues.StressAtMaxMoment = s3 >= s4 ? s4 : s3;

    // The first of the largest magnitude governs.
    float governing = s1;
    for (float s : {s2, s3, s4})
        if (std::fabs(s) > std::fabs(governing))
            governing = s;
    if (governing == 0.0f)
        sps::Raise("The pile carries no stress! Pile safety cannot be calculated. Check loads.");
    PileSafety = static_cast<float>(GradeValue / std::fabs(double(governing)));
}

} // namespace wd
