#include "calcframe/fieldtext.h"

#include "platform/numtext.h"

#include <cmath>

namespace cf {

bool ParseFieldNumber(const std::string& text, double& value)
{
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return false;
    const size_t last = text.find_last_not_of(" \t");
    const std::string t = text.substr(first, last - first + 1);
    const char sep = sps::DecimalSeparator();
    int digits = 0;
    int seps = 0;
    for (char c : t) {
        if (c >= '0' && c <= '9')
            ++digits;
        else if (c == sep)
            ++seps;
        else
            return false;
    }
    if (digits == 0 || seps > 1)
        return false;
    double v = 0;
    if (!sps::TryParseFloat(t, v) || !std::isfinite(v))
        return false;
    value = v;
    return true;
}

} // namespace cf
