// Earth pressure coefficients, pressures and the Boussinesq strip load.
// Angles in radians, pressures in kN/m2, depths in m.
#pragma once

#include "walldesign/calc/wall.h"

namespace wd {

// Horizontal active coefficient (Coulomb, vertical wall) for friction angle
// phi, wall friction delta and surface inclination beta.
float ActiveCoefficient(float phi, float delta, float beta);

// Argument of the root in the passive formula; the coefficient exists only
// while it is below 1.
double PassiveRootArgument(float phi, float delta, float beta);

// Horizontal passive coefficient (Coulomb, vertical wall). Raises when it does
// not exist (PassiveRootArgument >= 1).
float PassiveCoefficient(float phi, float delta, float beta);

// Passive coefficient from the table over phi and delta/phi (delta <= 0).
float LookupKph(float phi, float delta);

// Surcharge factor of an inclined surface (1 for a vertical wall).
float SurchargeFactor(float beta);

float PassivePressure(float sigma, float k, float cohesion);
float ActivePressure(float sigma, float k, float cohesion);

// Horizontal pressure of a strip load at depth z, times k.
float BoussinesqPressure(const TBousq& strip, float z, float k);

// -1 for a negative value, +1 otherwise (also for zero).
inline int Sign(double x)
{
    return x < 0 ? -1 : 1;
}

} // namespace wd
