// The calculators' random numbers (splash and about box transparency).
#pragma once

namespace cf {

// Seeds the generator from the clock.
void Randomize();
// A whole number in [0, range); 0 when range is not positive.
int Random(int range);

} // namespace cf
