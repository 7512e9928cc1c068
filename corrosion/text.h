// Small text helpers for the fixed-width texts of lists, labels and grid cells.
#pragma once

#include <string>

namespace cr {

// The value with `decimals` decimals (decimal halves to even, the program's
// decimal separator), padded with blanks to |width| characters: on the left for a
// positive width (like "%6.2f"), on the right for a negative one ("%-10.0f").
std::string Fixed(double value, int decimals, int width = 0);

// `text` padded with blanks on the right to `width` characters ("%-13s").
std::string PadRight(const std::string& text, size_t width);

} // namespace cr
