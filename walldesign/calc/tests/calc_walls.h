// Walls for the calculation tests: the hand-checked reference soil (unit
// weight 18 kN/m3, Ka = 1/3 behind, Kp = 3 in front, delta 0, phi 30 degrees,
// no cohesion) with the water at the last layer tip on both sides, so that
// neither water pressure nor the submerged unit weight acts.
#pragma once

#include "walldesign/calc/wall.h"

#include <numbers>

namespace wd::testing {

inline constexpr float kDegree = static_cast<float>(std::numbers::pi / 180.0);

inline TLayer Layer(float tip, float k, float phiDegrees = 30.0f, float gamma = 18.0f)
{
    TLayer l;
    l.Tip = tip;
    l.DensityMoist = gamma;
    l.DensitySubmerged = 10.0f;
    l.K = k;
    l.Phi = phiDegrees * kDegree;
    return l;
}

// Pile top and soil behind at 0, front soil at `front`, layers to 20 m.
inline void ReferenceInput(TWall& w, float front, uint8_t support)
{
    w.PileTop = 0.0f;
    w.AnchorLevel = 0.0f;
    w.Support = support;
    w.Front = TSide{};
    w.Behind = TSide{};
    w.Front.SoilLevel = front;
    w.Behind.SoilLevel = 0.0f;
    w.Front.WaterLevel = 20.0f;
    w.Behind.WaterLevel = 20.0f;
    w.FrontLayers = {Layer(20.0f, 3.0f)};
    w.BehindLayers = {Layer(20.0f, 1.0f / 3.0f)};
    w.Forces.clear();
    w.Pressures.clear();
    w.Bousqs.clear();
    w.SectionModulus = 1.0e-3f;
    w.SectionArea = 0.015f;
    w.SectionInertia = 2.0e-4f;
    w.GradeValue = 355.0f;
}

} // namespace wd::testing
