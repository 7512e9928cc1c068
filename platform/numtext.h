// Number text: fixed-decimal formatting and strict parsing with the program's
// decimal separator, independent of the C locale; halves-to-even rounding.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace sps {

// The program-wide decimal separator ('.' until set, e.g. from the system locale).
char DecimalSeparator();
void SetDecimalSeparator(char separator);

// The value with exactly `decimals` digits after the separator, like "%.*f":
// the exact binary value is rounded, ties to even. No thousands separator.
std::string FormatFixed(double value, int decimals);

// Strict parse: optional blanks around, optional sign, digits with at most one
// decimal separator (at least one digit in all), optional exponent (e/E, sign,
// digits). Refuses empty text, "nan", "inf", hex, values beyond the double
// range and anything else. The separator is the program's one; the second form
// takes any one of `separators` (so "1,000.5" holds two and is refused).
bool TryParseFloat(std::string_view text, double& out);
bool TryParseFloat(std::string_view text, double& out, std::string_view separators);
// As TryParseFloat, raising "'<text>' is not a valid floating point value".
double ParseFloat(std::string_view text);

// Integer text: optional blanks, sign, decimal digits or "$" followed by hex
// digits. Out-of-range values fail.
bool TryParseInt(std::string_view text, int64_t& out);

// Round to a whole number, halves to even.
double RoundHalfEven(double value);
// Round to `decimals` decimals, halves to even (on the scaled value).
double RoundHalfEvenTo(double value, int decimals);

} // namespace sps
