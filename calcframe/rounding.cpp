#include "calcframe/rounding.h"

#include <algorithm>
#include <cmath>

namespace cf {

namespace {

// Far above the error of a few operations on doubles (about 1e-16 relative),
// far below any difference the inputs can make.
constexpr double kHalfTolerance = 1e-12;

double RoundScaledHalfEven(double scaled)
{
    if (!std::isfinite(scaled))
        return scaled;
    const double below = std::floor(scaled);
    const double half = below + 0.5;
    if (std::fabs(scaled - half) <= kHalfTolerance * std::max(1.0, std::fabs(scaled)))
        return std::fmod(below, 2.0) == 0 ? below : below + 1;
    return std::nearbyint(scaled);
}

} // namespace

double RoundHalfEvenDecimal(double value, int decimals)
{
    const double scale = std::pow(10.0, std::max(decimals, 0));
    return RoundScaledHalfEven(value * scale) / scale;
}

double RoundHalfEvenToTens(double value)
{
    return RoundScaledHalfEven(value / 10.0) * 10.0;
}

} // namespace cf
