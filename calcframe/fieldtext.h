// The number in an input field of the calculators.
#pragma once

#include <string>

namespace cf {

// The value of a numeric field: blanks around, digits with at most one
// decimal separator (the program's), at least one digit. Anything else, the
// empty text included, is no value and counts as an empty field.
bool ParseFieldNumber(const std::string& text, double& value);

} // namespace cf
