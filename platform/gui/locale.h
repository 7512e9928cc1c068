// The program's decimal separator taken from the system's locale.
#pragma once

namespace sps {

// Sets the decimal separator of the number texts from the locale (when it is
// one ASCII character; '.' stays otherwise).
void UseLocaleDecimalSeparator();

} // namespace sps
