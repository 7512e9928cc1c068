#include "calcframe/sfwindow.h"

#include "platform/numtext.h"

namespace cf {

bool InSfWindow(double value, const SfWindow& window)
{
    return window.sfMin <= value && value <= window.sfMax;
}

bool IsListed(SearchMode mode, double value, const SfWindow& window)
{
    return mode == SearchMode::ListAll || InSfWindow(value, window);
}

double SfMaxLowerBound(double sfMin)
{
    return kSfMaxRatio * sfMin;
}

bool SfMaxReachesBound(double sfMax, double sfMin)
{
    return sps::RoundHalfEvenTo(sfMax, 4) >= sps::RoundHalfEvenTo(SfMaxLowerBound(sfMin), 4);
}

std::string SfMaxHint(const SfWindow& window, const SfWindowRules& rules)
{
    return sps::FormatFixed(SfMaxLowerBound(window.sfMin), 2) + " =< Sfmax =<  " +
           sps::FormatFixed(rules.sfMaxHighest, rules.sfMaxHighestHintDecimals);
}

SfFieldOutcome SfminChanged(const std::string& text, SfWindow& window, const SfWindowRules& rules)
{
    SfFieldOutcome out;
    out.relist = true;
    if (text.empty()) {
        window.sfMin = kNoRequiredSfmin;
        return out;
    }
    window.sfMin = sps::ParseFloat(text);
    out.panel1 = "";
    if (window.sfMin < kSfminLowest || window.sfMin > kSfminHighest) {
        out.rewriteSfmin = "";
        out.beep = true;
        out.panel1 = kSfminOutOfRange;
        window.sfMin = kNoRequiredSfmin;
    } else if (!SfMaxReachesBound(window.sfMax, window.sfMin)) {
        out.rewriteSfMax = sps::FormatFixed(SfMaxLowerBound(window.sfMin) + 0.01, 2);
        out.font = SfMaxFont::Red;
        out.panel1 = kSfMaxAutoReset;
    } else if (rules.sfminChangeBlackensSfMax) {
        out.font = SfMaxFont::Black;
    }
    return out;
}

SfFieldOutcome SfMaxEntered(const SfWindow& window, const SfWindowRules& rules)
{
    SfFieldOutcome out;
    out.font = SfMaxFont::Black;
    out.panel0 = SfMaxHint(window, rules);
    out.panel1 = "";
    return out;
}

SfFieldOutcome SfMaxChanged(const std::string& text, SfWindow& window, const SfWindowRules& rules)
{
    SfFieldOutcome out;
    out.relist = true;
    const bool wasIncomplete = window.sfMaxIncomplete;
    window.sfMaxIncomplete = false;
    if (text.empty()) {
        window.sfMax = 0;
        return out;
    }
    window.sfMax = sps::ParseFloat(text);
    out.panel1 = "";
    if (window.sfMax > rules.sfMaxHighest) {
        out.rewriteSfMax = sps::FormatFixed(rules.sfMaxHighest, 2);
        window.sfMax = rules.sfMaxHighest;
        out.beep = true;
        out.font = SfMaxFont::Red;
        out.panel0 = SfMaxHint(window, rules);
        out.panel1 = kSfMaxAutoReset;
    } else if (SfMaxReachesBound(window.sfMax, window.sfMin)) {
        out.font = SfMaxFont::Black;
        out.resolves = rules.pleaseComplete;
    } else {
        out.panel1 = rules.pleaseComplete;
        out.beep = !wasIncomplete;
        out.font = SfMaxFont::Red;
        window.sfMaxIncomplete = true;
    }
    return out;
}

SfFieldOutcome SfMaxLeft(const std::string& text, const SfWindow& window, const SfWindowRules& rules)
{
    SfFieldOutcome out;
    if (!text.empty() && SfMaxReachesBound(window.sfMax, window.sfMin)) {
        out.rewriteSfMax = sps::FormatFixed(sps::ParseFloat(text), 2);
        out.panel1 = "";
    } else {
        out.rewriteSfMax = sps::FormatFixed(rules.sfMaxHighest, 2);
        out.panel1 = kSfMaxHasBeenReset;
        out.beep = true;
        out.font = SfMaxFont::Red;
    }
    return out;
}

std::string SfminLeftText(const std::string& text)
{
    if (text.empty() || text == "0")
        return sps::FormatFixed(1.5, 2);
    return sps::FormatFixed(sps::ParseFloat(text), 2);
}

} // namespace cf
