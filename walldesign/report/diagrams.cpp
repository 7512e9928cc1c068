#include "walldesign/report/diagrams.h"

#include "walldesign/calc/units.h"
#include "walldesign/report/colors.h"
#include "walldesign/report/drawing.h"

#include "platform/error.h"

#include <algorithm>
#include <cmath>

namespace wd {

std::string FormatReportValue(double value, float factor)
{
    const float single = static_cast<float>(value);
    if (!std::isfinite(single))
        sps::Raise("Invalid numeric input! Check input values.");
    return FormatValue(single, factor);
}

float ComponentFactor(int component)
{
    switch (component) {
    case ciCross: return kForceFactor;
    case ciMoment: return kMomentFactor;
    case ciRotation: return kNoFactor;
    case ciDeflection: return kLengthFactor;
    default: return kPressureFactor;
    }
}

const char* ComponentUnit(int component)
{
    switch (component) {
    case ciCross: return "[kN/m]";
    case ciMoment: return "[kNm/m]";
    case ciRotation: return "[Rad]";
    case ciDeflection: return "[m]";
    default: return "[kN/m2]";
    }
}

std::pair<float, float> GetResultPair(const TWall& wall, int component, int row)
{
    if (component < 0 || component >= ciCount || row < 0 || row >= static_cast<int>(wall.Results.size()))
        return {0.0f, 0.0f};
    const TResultRow& r = wall.Results[static_cast<size_t>(row)];
    return {r[static_cast<size_t>(3 + 2 * component)], r[static_cast<size_t>(4 + 2 * component)]};
}

void TMarkedDepths::InsertMarkDepth(float z)
{
    if (!(z >= top_ && z <= bottom_))
        return;
    size_t k = static_cast<size_t>(std::lower_bound(depths_.begin(), depths_.end(), z) - depths_.begin());
    if (k < depths_.size() && depths_[k] == z)
        return;
    if (k < depths_.size() && std::fabs(depths_[k] - z) / span_ < 0.05f) {
        depths_[k] = z;
        return;
    }
    if (k > 0 && std::fabs(depths_[k - 1] - z) / span_ < 0.05f) {
        depths_[k - 1] = z;
        return;
    }
    depths_.insert(depths_.begin() + static_cast<std::ptrdiff_t>(k), z);
}

void TWall::BuildResultDiagrams(TDrawing& drawing, int first, int last) const
{
    const TDrawingColors& colors = DrawingColors();
    first = std::max(first, 0);
    last = std::min(last, ciCount - 1);
    drawing.BackgroundColor = colors.BG;
    if (last < first || Results.empty())
        return;
    float top0 = Results.front()[rcTop];
    float bottomZ = Results.back()[rcBottom];
    float span = bottomZ - top0;
    if (!(span > 0))
        return; // no depth to draw over

    TMarkedDepths marks(top0, bottomZ);
    marks.InsertMarkDepth(Front.SoilLevel);
    marks.InsertMarkDepth(Behind.SoilLevel);
    marks.InsertMarkDepth(Front.WaterLevel);
    marks.InsertMarkDepth(Behind.WaterLevel);
    marks.InsertMarkDepth(AnchorLevel);
    for (const TLayer& l : FrontLayers) {
        marks.InsertMarkDepth(l.Top);
        marks.InsertMarkDepth(l.Tip);
    }
    for (const TLayer& l : BehindLayers) {
        marks.InsertMarkDepth(l.Top);
        marks.InsertMarkDepth(l.Tip);
    }
    for (const TPressure& p : Pressures) {
        marks.InsertMarkDepth(p.DepthTop);
        marks.InsertMarkDepth(p.DepthTip);
    }
    for (const TForce& f : Forces)
        marks.InsertMarkDepth(f.Depth);
    marks.InsertMarkDepth(top0);
    marks.InsertMarkDepth(bottomZ);

    int n = last - first + 1;
    std::vector<float> minV(static_cast<size_t>(n), 0.0f), maxV(static_cast<size_t>(n), 0.0f);
    for (int c = first; c <= last; c++) {
        size_t i = static_cast<size_t>(c - first);
        float minDepth = 0, maxDepth = 0;
        for (int r = 0; r < static_cast<int>(Results.size()); r++) {
            auto [a, b] = GetResultPair(*this, c, r);
            const TResultRow& row = Results[static_cast<size_t>(r)];
            if (a < minV[i]) {
                minV[i] = a;
                minDepth = row[rcTop];
            }
            if (a > maxV[i]) {
                maxV[i] = a;
                maxDepth = row[rcTop];
            }
            if (b < minV[i]) {
                minV[i] = b;
                minDepth = row[rcBottom];
            }
            if (b > maxV[i]) {
                maxV[i] = b;
                maxDepth = row[rcBottom];
            }
        }
        marks.InsertMarkDepth(maxDepth);
        marks.InsertMarkDepth(minDepth);
    }

    float w = 0;
    for (size_t i = 0; i < minV.size(); i++)
        w += maxV[i] - minV[i];
    float g = 0.1f * w;
    w += static_cast<float>(last - first) * g;
    float ratio = w / span;
    if (ratio == 0 || !std::isfinite(ratio))
        ratio = 1.0f;

    drawing.Brush.SetStyle(sps::bsClear);
    drawing.Pen.SetColor(colors.Axis);
    drawing.Pen.SetStyle(sps::psDot);
    drawing.Font.SetColor(colors.Text);

    const std::vector<float>& depth = marks.Depths();
    const std::string depthUnit = TranslateUnitLabels(" [m] ");
    for (float d : depth) {
        drawing.Line(0, ratio * d, w, ratio * d);
        drawing.TextAt(FormatReportValue(d, kLengthFactor) + depthUnit, sps::taRight | sps::taBaseline, 0,
                       ratio * d);
    }

    drawing.Pen.SetColor(colors.Text);
    drawing.Pen.SetStyle(sps::psSolid);
    float x0 = 0;
    for (int c = first; c <= last; c++) {
        size_t i = static_cast<size_t>(c - first);
        float factor = ComponentFactor(c);
        x0 -= minV[i];
        size_t k = 0;
        float prev = 0;
        drawing.Font.SetStyle(sps::fsBold);
        for (int r = 0; r < static_cast<int>(Results.size()); r++) {
            const TResultRow& row = Results[static_cast<size_t>(r)];
            float t = row[rcTop], b = row[rcBottom];
            auto [va, vb] = GetResultPair(*this, c, r);
            drawing.Line(x0 + prev, ratio * t, x0 + va, ratio * t);
            drawing.Line(x0 + va, ratio * t, x0 + vb, ratio * b);
            while (k < depth.size() && depth[k] < t)
                k++;
            bool atMark = k < depth.size() && t == depth[k];
            if (r == 0 || atMark) {
                float y = ratio * (k < depth.size() ? depth[k] : t);
                if (prev - va < 0.0001f) {
                    drawing.TextAt(FormatReportValue(va, factor), sps::taBaseline, x0 + va, y);
                } else {
                    drawing.TextAt(FormatReportValue(prev, factor), sps::taBaseline, x0 + prev, y);
                    drawing.TextAt(FormatReportValue(va, factor), sps::taLeft | sps::taTop, x0 + va, y);
                }
            }
            prev = vb;
        }
        drawing.Line(x0 + prev, ratio * bottomZ, x0, ratio * bottomZ);
        drawing.TextAt(FormatReportValue(prev, factor), sps::taBaseline, x0 + prev, ratio * bottomZ);
        drawing.Font.SetStyle(0);
        drawing.Line(x0, ratio * top0, x0, ratio * bottomZ);
        drawing.TextAt(TranslateUnitLabels(ComponentUnit(c)), sps::taCenter | sps::taTop,
                       x0 + (minV[i] + maxV[i]) / 2, drawing.MaxY);
        x0 += maxV[i] + g;
    }
}

} // namespace wd
