// SfWindow and SearchMode: the calculators' two ways of listing sections, and
// the input rules of the Sfmin and SfMax fields. The rules are plain functions
// that tell the form what to do; the form applies the outcome in the order of
// the fields of SfFieldOutcome.
#pragma once

#include <optional>
#include <string>

namespace cf {

enum class SearchMode {
    ListAll,      // every row of the chosen range
    WindowSearch, // only rows whose safety factor lies in the SfWindow
};

// Required minimum while Sfmin is empty or refused: nothing qualifies.
inline constexpr double kNoRequiredSfmin = 1000000.0;
inline constexpr double kSfminLowest = 1.0;
inline constexpr double kSfminHighest = 5.0;
// SfMax must reach this multiple of Sfmin.
inline constexpr double kSfMaxRatio = 1.1;

struct SfWindow {
    double sfMin = kNoRequiredSfmin; // required minimum, 1..5 when valid
    double sfMax = 0;                // upper bound, 0 while its field is empty
    bool sfMaxIncomplete = false;    // SfMax typed so far lies below 1.1 x Sfmin
};

// sfMin <= value <= sfMax.
bool InSfWindow(double value, const SfWindow& window);
// Whether a row with this safety factor is listed in `mode`.
bool IsListed(SearchMode mode, double value, const SfWindow& window);

// 1.1 x Sfmin, the lowest accepted SfMax.
double SfMaxLowerBound(double sfMin);
// SfMax reaches 1.1 x Sfmin, both rounded to 4 decimals (halves to even), so
// that an SfMax equal to the shown bound (1.65 for Sfmin 1.50) is accepted.
bool SfMaxReachesBound(double sfMax, double sfMin);

// What differs between the programs.
// Every number these rules write, into a field or a hint, carries the
// program's decimal separator.
struct SfWindowRules {
    double sfMaxHighest;            // 100 or 20; an SfMax above it is replaced by it (2 decimals)
    int sfMaxHighestHintDecimals;   // of the highest SfMax in the range hint
    const char* pleaseComplete;     // SfMax below 1.1 x Sfmin while typing
    bool sfminChangeBlackensSfMax;  // an accepted SfMax turns black when Sfmin changes
};

enum class SfMaxFont { Unchanged, Black, Red };

// Rewriting a field's text runs that field's change handler; everything after
// the rewrites applies once those have run.
struct SfFieldOutcome {
    std::optional<std::string> rewriteSfmin; // new text of the Sfmin field
    std::optional<std::string> rewriteSfMax; // new text of the SfMax field
    SfMaxFont font = SfMaxFont::Unchanged;   // font colour of the SfMax field
    std::optional<std::string> panel0;       // range hint panel
    std::optional<std::string> resolves;     // a notice that no longer holds
    std::optional<std::string> panel1;       // error panel ("" clears it)
    bool beep = false;                       // default beep
    bool relist = false;
};

inline constexpr const char* kSfminRangeHint = " 1 =< Sfmin =< 5";
inline constexpr const char* kSfminOutOfRange = " Sfmin out of range!! Retry";
inline constexpr const char* kSfMaxAutoReset = " SfMax out of range!! Automatically reset!";
inline constexpr const char* kSfMaxHasBeenReset = " Sfmax out of range!! SfMax has been reset!";

// Range hint of the SfMax field: 1.1 x Sfmin with 2 decimals, " =< Sfmax =<  "
// and the highest SfMax.
std::string SfMaxHint(const SfWindow& window, const SfWindowRules& rules);

// Change of the Sfmin field's text. Updates window.sfMin. Raises
// sps::Exception for a text that is not a number.
SfFieldOutcome SfminChanged(const std::string& text, SfWindow& window, const SfWindowRules& rules);
// Entering the SfMax field.
SfFieldOutcome SfMaxEntered(const SfWindow& window, const SfWindowRules& rules);
// Change of the SfMax field's text. Updates window.sfMax. An SfMax below
// 1.1 x Sfmin asks to be completed; it beeps only when the value becomes too
// small, not at every further keystroke.
SfFieldOutcome SfMaxChanged(const std::string& text, SfWindow& window, const SfWindowRules& rules);
// Leaving the SfMax field.
SfFieldOutcome SfMaxLeft(const std::string& text, const SfWindow& window, const SfWindowRules& rules);

// Text of the Sfmin field when it is left: the value with 2 decimals, or
// "1.50" for an empty text or exactly "0".
std::string SfminLeftText(const std::string& text);

} // namespace cf
