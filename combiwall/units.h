// Kestrane's input limits in both unit systems and the values a unit switch
// writes into the fields. Conversion factors: calcframe/units.h.
#pragma once

#include "calcframe/units.h"

#include <string>

namespace cw {

// Metric limits of the loads.
inline constexpr double kMaxMoment = 11000;    // kNm/m
inline constexpr double kMaxLoad = 35000;      // kN/m
inline constexpr double kMaxDeflection = 50;   // cm

// Imperial limits, fixed numbers of their own.
inline constexpr double kMaxMomentImperial = 2472;       // kips*ft/ft
inline constexpr double kMaxLoadImperial = 2397.4;       // kips/ft
inline constexpr double kMaxDeflectionImperial = 19.6;   // in
inline constexpr double kMaxMemberLengthFeet = 108.26;   // ft
inline constexpr double kMaxWallLengthFeet = 6561.7;     // ft

// Text of a load field after switching to imperial: metric / factor with one
// decimal, or the limit with one decimal when the quotient lies above it.
std::string ImperialLoadText(double metric, double factor, double imperialLimit);
std::string ImperialMomentText(double momentKNm);
std::string ImperialLoadText(double loadKN);
std::string ImperialDeflectionText(double deflectionCm);
// Text of a load field after switching to metric: no decimals, no limit.
std::string MetricLoadText(double metric);

// Text of a length field in feet ("%1.2f"), cut to `limitFeet` when above it.
std::string FeetText(double metres, double limitFeet, int decimals);

} // namespace cw
