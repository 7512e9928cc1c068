#include "corrosion/quantities.h"

#include "calcframe/rounding.h"
#include "calcframe/units.h"
#include "corrosion/text.h"
#include "corrosion/units.h"
#include "platform/numtext.h"

#include <cmath>
#include <limits>

namespace cr {

Quantities ComputeQuantities(bool selected, double wallLength, double pileLength, double b, double mass, bool metric)
{
    Quantities q;
    q.pairsText = q.totalText = q.wallText = q.weightText = " N/A ";
    // Without a positive pair width there is nothing to count.
    if (!selected || !(b > 0))
        return q;
    const double pairs = cf::RoundHalfEvenDecimal(wallLength / b, 0);
    if (!(pairs >= 0) || pairs > std::numeric_limits<int32_t>::max())
        return q;

    q.available = true;
    q.pairs = static_cast<int32_t>(pairs);
    q.totalMass = q.pairs * mass * pileLength;
    q.realWallLength = b * q.pairs;
    q.pairsText = std::to_string(q.pairs);
    if (metric) {
        q.totalText = Fixed(q.totalMass / 1000.0, 1);
        q.wallText = Fixed(q.realWallLength, 1);
        q.weightText = Fixed(mass / b, 1);
    } else {
        q.totalText = Fixed(q.totalMass / 1000.0 * kNetTonPerTonne, 1);
        q.wallText = Fixed(q.realWallLength / cf::kLengthFactor, 1);
        q.weightText = Fixed(mass / b / kKgM2PerLbFt2, 2);
    }
    return q;
}

} // namespace cr
