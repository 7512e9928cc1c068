// Rounding of values that stand for decimal numbers. A loss of 0.55 + 0.5 x
// 1.35 = 1.225 mm is held as 1.22500000000000009 and 0.575 mm as
// 0.57499999999999996, so rounding the double alone sends one half up and the
// other down. Here a value within a few units in the last place of a half
// counts as that half, and halves go to the even digit.
#pragma once

namespace cf {

// `value` rounded to `decimals` decimals (0 or more), halves to even.
double RoundHalfEvenDecimal(double value, int decimals);

// `value` rounded to a whole multiple of 10, halves to even (12345 gives 12340,
// 12355 gives 12360).
double RoundHalfEvenToTens(double value);

} // namespace cf
