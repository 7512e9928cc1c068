#include "combiwall/units.h"

#include "platform/numtext.h"

namespace cw {

std::string ImperialLoadText(double metric, double factor, double imperialLimit)
{
    double imperial = metric / factor;
    return sps::FormatFixed(imperial > imperialLimit ? imperialLimit : imperial, 1);
}

std::string ImperialMomentText(double momentKNm)
{
    return ImperialLoadText(momentKNm, cf::kMomentFactor, kMaxMomentImperial);
}

std::string ImperialLoadText(double loadKN)
{
    return ImperialLoadText(loadKN, cf::kLoadFactor, kMaxLoadImperial);
}

std::string ImperialDeflectionText(double deflectionCm)
{
    return ImperialLoadText(deflectionCm, cf::kDeflectionFactor, kMaxDeflectionImperial);
}

std::string MetricLoadText(double metric)
{
    return sps::FormatFixed(metric, 0);
}

std::string FeetText(double metres, double limitFeet, int decimals)
{
    double feet = metres / cf::kLengthFactor;
    return sps::FormatFixed(feet > limitFeet ? limitFeet : feet, decimals);
}

} // namespace cw
