// Walls for the report tests: input of a typical anchored wall, and result rows
// filled by hand for report tests that need no calculation.
#pragma once

#include "walldesign/calc/wall.h"

#include <numbers>

namespace wd::test {

inline constexpr float kDeg = static_cast<float>(std::numbers::pi / 180.0);

inline TLayer SoilLayer(float tip, float phiDegrees, float deltaDegrees, float cohesion = 0)
{
    TLayer l;
    l.Tip = tip;
    l.DensityMoist = 18;
    l.DensitySubmerged = 10;
    l.Phi = phiDegrees * kDeg;
    l.Delta = deltaDegrees * kDeg;
    l.Cohesion = cohesion;
    return l;
}

// An anchored wall: excavation to 6 m, water at 4 m behind and 7 m in front,
// two layers per side, one Boussinesq strip, a force and a pressure strip.
inline void TypicalInput(TWall& w, uint8_t support = spFree)
{
    w.PileTop = 0;
    w.AnchorLevel = 1.5f;
    w.Support = support;
    w.Front = TSide{};
    w.Behind = TSide{};
    w.Front.SoilLevel = 6;
    w.Behind.SoilLevel = 0;
    w.Front.WaterLevel = 7;
    w.Behind.WaterLevel = 4;
    w.Front.AutoCoefficients = 1;
    w.Behind.AutoCoefficients = 1;
    w.Behind.CaquotLoad = 10;
    w.FrontLayers = {SoilLayer(10, 32.5f, -15), SoilLayer(20, 30, -10)};
    w.BehindLayers = {SoilLayer(3, 30, 20), SoilLayer(20, 27.5f, 15, 5)};
    w.Forces = {{10, 2, 3}};
    w.Pressures = {{5, 5, 0, 2}};
    w.Bousqs = {{2, 3, 0, 20}};
    w.SectionName = "AZ 18";
    w.SectionArea = 0.015f;
    w.SectionMass = 118;
    w.SectionInertia = 3.4e-4f;
    w.SectionModulus = 1.8e-3f;
    w.GradeName = "S 355";
    w.GradeValue = 355;
    w.RequiredSafety = 1.5f;
}

// n result rows of 0.5 m from the pile top, every column a simple function of depth.
inline void HandResults(TWall& w, int n, int strips)
{
    w.Results.clear();
    for (int i = 0; i < n; i++) {
        TResultRow r{};
        r[rcTop] = 0.5f * static_cast<float>(i);
        r[rcBottom] = r[rcTop] + 0.5f;
        r[rcThickness] = 0.5f;
        for (int c = rcFrontEarthTop; c < rcCount; c += 2) {
            r[static_cast<size_t>(c)] = static_cast<float>(c) + r[rcTop];
            r[static_cast<size_t>(c + 1)] = static_cast<float>(c) + r[rcBottom];
        }
        w.Results.push_back(r);
    }
    w.Bousqs.resize(static_cast<size_t>(strips), TBousq{1, 2, 0, 10});
    w.PileTip = 0.5f * static_cast<float>(n);
}

// Captions of the nineteen paragraphs of a wall report, in order.
inline const char* const kCaptions[19] = {
    "Sheet Pile Design According to Blum-Method",
    "Geodata",
    "Soil Layers",
    "Boussinesq",
    "Userdefined Pressures",
    "Concentrated Forces",
    "Pile Section",
    "All Values",
    "Extremal Values",
    "Pile Check",
    "Earth Pressure Diagram",
    "Water Pressure Diagram",
    "Userdefined Pressure Diagram",
    "Boussinesq Diagram",
    "Total Pressure Diagram",
    "Cross Force Diagram",
    "Moment Diagram",
    "Rotation Diagram",
    "Deflection Diagram",
};

} // namespace wd::test
