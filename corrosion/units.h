// Conversion factors of the corrosion calculator beyond the shared ones
// (metric units per imperial unit; imperial value = metric value / factor).
#pragma once

namespace cr {

inline constexpr double kMmPerInch = 25.399956;
inline constexpr double kMmPerMil = 0.025399956;
inline constexpr double kNetTonPerTonne = 1.102311;   // net t per metric t (a multiplier)
inline constexpr double kKgM2PerLbFt2 = 4.88245;

} // namespace cr
