// UnitFactors of both calculators: metric units per imperial unit.
// imperial value = metric value / factor; metric value = imperial value * factor.
// Every value is held in metric units; imperial units exist only at input and display.
#pragma once

namespace cf {

inline constexpr double kMomentFactor = 4.449741;       // kNm/m per kips*ft/ft
inline constexpr double kLoadFactor = 14.598915;        // kN/m per kips/ft
inline constexpr double kDeflectionFactor = 2.5399956;  // cm per in
inline constexpr double kLengthFactor = 0.304799;       // m per ft (lengths, system width b)
inline constexpr double kFykFactor = 6.89714;           // MPa per ksi
inline constexpr double kSxFactor = 53.763147;          // cm³/m per in³/ft
inline constexpr double kAreaFactor = 21.16663;         // cm²/m per in²/ft (steel area per width)
inline constexpr double kInertiaFactor = 136.558158;    // cm4/m per in4/ft (moment of inertia per width)

inline double ToImperial(double metric, double factor) { return metric / factor; }
inline double ToMetric(double imperial, double factor) { return imperial * factor; }

} // namespace cf
