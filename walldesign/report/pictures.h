// Schematic pictures of a wall's input: levels and soil (DrawGeodata),
// concentrated forces (DrawForces) and Boussinesq strip loads (DrawBoussinesq).
// The wall stands on X = 0, the front to the left, levels grow downwards.
#pragma once

#include "walldesign/calc/wall.h"
#include "walldesign/report/drawing.h"

#include <initializer_list>

namespace wd {

// Largest minus smallest value (0 for one value or none).
float ExtentOf(std::initializer_list<float> values);

// Tip 0: no tip level is drawn.
void DrawGeodata(TDrawing& drawing, bool isHeadwall, bool isCantilever, float top, float tip, float frontSoil,
                 float behindSoil, float frontWater, float behindWater, float frontInclination,
                 float behindInclination, float frontCaquot, float behindCaquot, float anchorLevel,
                 float anchorInclination);

void DrawForces(TDrawing& drawing, const TForces& forces, float top, float tip, float frontSoil, float behindSoil,
                float frontInclination, float behindInclination);

void DrawBoussinesq(TDrawing& drawing, const TBousqs& strips, float top, float tip, float frontSoil,
                    float behindSoil, float frontInclination, float behindInclination);

} // namespace wd
