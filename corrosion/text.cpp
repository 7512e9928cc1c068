#include "corrosion/text.h"

#include "calcframe/rounding.h"
#include "platform/numtext.h"

namespace cr {

std::string Fixed(double value, int decimals, int width)
{
    // Rounded first, so that a decimal half held a hair below it goes to the
    // even digit as well.
    std::string s = sps::FormatFixed(cf::RoundHalfEvenDecimal(value, decimals), decimals);
    size_t w = static_cast<size_t>(width < 0 ? -width : width);
    if (s.size() >= w)
        return s;
    if (width > 0)
        return std::string(w - s.size(), ' ') + s;
    return s + std::string(w - s.size(), ' ');
}

std::string PadRight(const std::string& text, size_t width)
{
    if (text.size() >= width)
        return text;
    return text + std::string(width - text.size(), ' ');
}

} // namespace cr
