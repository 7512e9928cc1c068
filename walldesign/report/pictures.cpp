#include "walldesign/report/pictures.h"

#include "walldesign/report/colors.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace wd {

namespace {

constexpr float kPi = 3.14159265f;

// Steps 1 to 5 of every picture: background, pile top and tip, soil levels and
// surfaces. `tipDrawn` decides the tip line and symbol.
void DrawFrame(TDrawing& d, float h, float top, float tip, bool tipDrawn, bool spTriangles, float frontSoil,
               float behindSoil, float frontInclination, float behindInclination)
{
    const TDrawingColors& colors = DrawingColors();
    float w = h / 2;
    float sym = 0.1f * w;
    d.Clear();
    d.BackgroundColor = colors.BG;
    d.Brush.SetStyle(sps::bsClear);

    d.Pen.SetWidth(1);
    d.Pen.SetStyle(sps::psDot);
    d.Pen.SetColor(colors.Text);
    d.Font.SetColor(colors.Text);
    d.Line(0, top, -w / 2, top);
    if (tipDrawn)
        d.Line(0, tip, -w / 2, tip);
    d.Pen.SetStyle(sps::psSolid);
    if (spTriangles)
        d.Pen.SetColor(colors.SP);
    d.SupportSymbol(1, "SP Top", -w / 2, top, sym);
    if (tipDrawn)
        d.SupportSymbol(1, "SP Tip", -w / 2, tip, sym);

    d.Pen.SetColor(colors.Ground);
    d.Pen.SetStyle(sps::psDot);
    d.Pen.SetWidth(1);
    d.Line(0, frontSoil, -w, frontSoil);
    d.Line(0, behindSoil, w, behindSoil);
    d.Pen.SetStyle(sps::psSolid);
    d.SupportSymbol(1, "Soil 1", -w, frontSoil, sym);
    d.SupportSymbol(1, "Soil 2", w, behindSoil, sym);

    d.AngleMark("", 0, frontSoil, w, kPi, frontInclination);
    d.AngleMark("", 0, behindSoil, w, 0, -behindInclination);
}

// Steps 7 and 8: the wall and the side names.
void DrawWall(TDrawing& d, float h, float top, float tip)
{
    const TDrawingColors& colors = DrawingColors();
    float w = h / 2;
    d.Pen.SetWidth(2);
    d.Pen.SetColor(colors.SP);
    d.Line(0, top, 0, tip != 0 ? tip : d.MaxY + 2.0f);
    d.TextAt("Front", sps::taLeft | sps::taTop, -w, d.MaxY);
    d.TextAt("Back", sps::taRight | sps::taTop, w, d.MaxY);
}

} // namespace

float ExtentOf(std::initializer_list<float> values)
{
    if (values.size() == 0)
        return 0;
    auto [lo, hi] = std::minmax_element(values.begin(), values.end());
    return *hi - *lo;
}

void DrawGeodata(TDrawing& d, bool isHeadwall, bool isCantilever, float top, float tip, float frontSoil,
                 float behindSoil, float frontWater, float behindWater, float frontInclination,
                 float behindInclination, float frontCaquot, float behindCaquot, float anchorLevel,
                 float anchorInclination)
{
    const TDrawingColors& colors = DrawingColors();
    float h = ExtentOf({top, tip, frontSoil, behindSoil, frontWater, behindWater, anchorLevel}) + 2.0f;
    if (tip == 0)
        h += 2.0f;
    float w = h / 2;
    float sym = 0.1f * w;
    DrawFrame(d, h, top, tip, tip != 0, true, frontSoil, behindSoil, frontInclination, behindInclination);

    d.Pen.SetColor(colors.Water);
    d.SupportSymbol(0, "Water 1", -w / 2, frontWater, sym);
    d.SupportSymbol(0, "Water 2", w / 2, behindWater, sym);

    d.Pen.SetColor(colors.Vector);
    if (frontCaquot > 0) {
        float l = std::nearbyint(frontCaquot * h * 0.002f);
        for (int i = 0; i < 4; i++)
            d.Arrow(-(0.4f + static_cast<float>(i) / 10) * w, frontSoil - l, l, kPi / 2, 0.1f * w);
        d.TextAt("Caquot 1", sps::taLeft | sps::taTop, -0.4f * w, frontSoil - l);
    }
    if (behindCaquot > 0) {
        float l = std::nearbyint(behindCaquot * h * 0.002f);
        for (int i = 0; i < 4; i++)
            d.Arrow((0.4f + static_cast<float>(i) / 10) * w, behindSoil - l, l, kPi / 2, 0.1f * w);
        d.TextAt("Caquot 2", sps::taBottom, 0.4f * w, behindSoil - l);
    }

    if (!isCantilever) {
        d.Pen.SetColor(colors.Anchor);
        d.Pen.SetStyle(sps::psDot);
        float s = isHeadwall ? 1.0f : -1.0f;
        d.Line(0, anchorLevel, s * w / 2, anchorLevel);
        d.Pen.SetStyle(sps::psSolid);
        d.Arrow(0, anchorLevel, s * w, anchorInclination, s * 0.1f * w);
        d.SupportSymbol(1, "Anchor", s * w / 2, anchorLevel, sym);
    }

    DrawWall(d, h, top, tip);
}

void DrawForces(TDrawing& d, const TForces& forces, float top, float tip, float frontSoil, float behindSoil,
                float frontInclination, float behindInclination)
{
    const TDrawingColors& colors = DrawingColors();
    float h = ExtentOf({top, tip, frontSoil, behindSoil}) + 2.0f;
    float w = h / 2;
    DrawFrame(d, h, top, tip, tip > 0, false, frontSoil, behindSoil, frontInclination, behindInclination);

    d.Pen.SetColor(colors.Vector);
    for (size_t i = 0; i < forces.size(); i++) {
        const TForce& f = forces[i];
        if (f.Horizontal == 0 && f.Vertical == 0)
            continue;
        float dx = -0.006f * f.Horizontal;
        float dy = 0.006f * f.Vertical;
        d.VectorArrow(-dx, f.Depth - dy, dx, dy, 0.1f * w);
        d.TextAt("Force " + std::to_string(i + 1), f.Horizontal < 0 ? sps::taRight | sps::taBottom : sps::taBottom,
                 -dx, f.Depth - dy);
    }

    DrawWall(d, h, top, tip);
}

void DrawBoussinesq(TDrawing& d, const TBousqs& strips, float top, float tip, float frontSoil, float behindSoil,
                    float frontInclination, float behindInclination)
{
    const TDrawingColors& colors = DrawingColors();
    float h = ExtentOf({top, tip, frontSoil, behindSoil});
    if (tip == 0)
        h += 2.0f;
    DrawFrame(d, h, top, tip, tip > 0, false, frontSoil, behindSoil, frontInclination, behindInclination);

    d.Pen.SetColor(colors.Vector);
    for (size_t i = 0; i < strips.size(); i++) {
        const TBousq& b = strips[i];
        float l = 0.004f * b.Surcharge;
        float s = b.Distance < 0 ? -1.0f : 1.0f;
        float a = std::fabs(b.Distance);
        d.Pen.SetStyle(sps::psDot);
        d.Line(0, b.Depth, a + s * b.Width / 2, b.Depth);
        d.Pen.SetStyle(sps::psSolid);
        float nf = std::trunc(b.Width / 0.8f + 0.999f);
        int n = nf > 0 ? static_cast<int>(std::min(8.0f, nf)) : 0;
        for (int j = 0; j < n; j++)
            d.VectorArrow(a + s * (b.Width / 2) * static_cast<float>(j) / static_cast<float>(n), b.Depth - l, 0, l,
                          0.4f);
        d.TextAt("B. " + std::to_string(i + 1), b.Surcharge > 0 ? sps::taBottom : sps::taLeft | sps::taTop, a,
                 b.Depth - l);
    }

    DrawWall(d, h, top, tip);
}

} // namespace wd
