#include "corrosion/text.h"

#include "platform/numtext.h"

namespace cr {

std::string Fixed(double value, int decimals, int width)
{
    std::string s = sps::FormatFixed(value, decimals);
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
