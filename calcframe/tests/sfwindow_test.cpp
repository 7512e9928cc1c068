#include "calcframe/sfwindow.h"

#include "platform/error.h"
#include "platform/numtext.h"

#include <gtest/gtest.h>

using namespace cf;

namespace {

const SfWindowRules kRules100 = {100.0, 0, " Please complete: SfMax > 1.1*SfMin", false};
const SfWindowRules kRules20 = {20.0, 2, " Please complete: SfMax >= 1.1*SfMin", true};

} // namespace

TEST(SfWindow, WindowBoundsAreInclusive)
{
    SfWindow w{1.5, 1.6};
    EXPECT_TRUE(InSfWindow(1.5, w));
    EXPECT_TRUE(InSfWindow(1.6, w));
    EXPECT_FALSE(InSfWindow(1.4999999999, w));
    EXPECT_FALSE(InSfWindow(1.6000000001, w));
    EXPECT_TRUE(IsListed(SearchMode::ListAll, 0, w));
    EXPECT_FALSE(IsListed(SearchMode::WindowSearch, 0, w));
    // An empty or refused Sfmin lists nothing; an empty SfMax neither.
    EXPECT_FALSE(InSfWindow(99, SfWindow{}));
    EXPECT_FALSE(InSfWindow(1.2, SfWindow{1.0, 0}));
}

TEST(SfWindow, ShownLowerBoundOfSfMaxIsAccepted)
{
    // 1.1 x 1.5 is 1.6500000000000001 in binary: compared as 4 decimals, 1.65 reaches it.
    EXPECT_TRUE(SfMaxReachesBound(1.65, 1.5));
    EXPECT_FALSE(SfMaxReachesBound(1.6499, 1.5));
    EXPECT_TRUE(SfMaxReachesBound(2.2, 2.0));
    EXPECT_FALSE(SfMaxReachesBound(2.1, 2.0));
    EXPECT_TRUE(SfMaxReachesBound(1.155, 1.05));
    EXPECT_FALSE(SfMaxReachesBound(100, kNoRequiredSfmin));
    SfWindow w{1.5, 0};
    EXPECT_EQ(SfMaxHint(w, kRules100), "1.65 =< Sfmax =<  100");
    EXPECT_EQ(SfMaxHint(w, kRules20), "1.65 =< Sfmax =<  20.00");

    SfMaxChanged("1.65", w, kRules100);
    SfFieldOutcome o = SfMaxLeft("1.65", w, kRules100);
    EXPECT_EQ(o.rewriteSfMax, "1.65");
    EXPECT_EQ(o.panel1, "");
    EXPECT_FALSE(o.beep);
}

TEST(SfWindow, SfminChanges)
{
    SfWindow w{1.5, 2.0};
    SfFieldOutcome o = SfminChanged("", w, kRules100);
    EXPECT_EQ(w.sfMin, kNoRequiredSfmin);
    EXPECT_TRUE(o.relist);
    EXPECT_FALSE(o.panel1);

    o = SfminChanged("5", w, kRules100);
    EXPECT_EQ(w.sfMin, 5.0);
    EXPECT_FALSE(o.rewriteSfmin);
    // SfMax 2.00 is below 5.5: raised to 1.1 x Sfmin + 0.01 in red.
    EXPECT_EQ(o.rewriteSfMax, "5.51");
    EXPECT_EQ(o.font, SfMaxFont::Red);
    EXPECT_EQ(o.panel1, " SfMax out of range!! Automatically reset!");

    for (const char* bad : {"0.5", "5.01", "0.99"}) {
        o = SfminChanged(bad, w, kRules100);
        EXPECT_EQ(w.sfMin, kNoRequiredSfmin) << bad;
        EXPECT_EQ(o.rewriteSfmin, "") << bad;
        EXPECT_TRUE(o.beep);
        EXPECT_EQ(o.panel1, " Sfmin out of range!! Retry");
        EXPECT_TRUE(o.relist);
    }

    // Sfmin raised to 2.00 with SfMax 2.00 gives 2.21 (edge case of both programs).
    w = SfWindow{1.5, 2.0};
    o = SfminChanged("2.00", w, kRules100);
    EXPECT_EQ(o.rewriteSfMax, "2.21");
    w = SfWindow{1.5, 2.1};
    o = SfminChanged("2", w, kRules20);
    EXPECT_EQ(o.rewriteSfMax, "2.21");

    // SfMax exactly 1.1 x Sfmin stays; the corrosion calculator turns it black.
    w = SfWindow{1.0, 1.65};
    o = SfminChanged("1.5", w, kRules100);
    EXPECT_FALSE(o.rewriteSfMax);
    EXPECT_EQ(o.font, SfMaxFont::Unchanged);
    EXPECT_EQ(o.panel1, "");
    o = SfminChanged("1.5", w, kRules20);
    EXPECT_EQ(o.font, SfMaxFont::Black);

    EXPECT_THROW(SfminChanged(".", w, kRules100), sps::Exception);
}

TEST(SfWindow, SfMaxChangesAndLeaving)
{
    SfWindow w{1.5, 10};
    SfFieldOutcome o = SfMaxChanged("150", w, kRules100);
    EXPECT_EQ(o.rewriteSfMax, "100.00");
    EXPECT_EQ(w.sfMax, 100.0);
    EXPECT_EQ(o.font, SfMaxFont::Red);
    EXPECT_TRUE(o.beep);
    EXPECT_EQ(o.panel0, "1.65 =< Sfmax =<  100");
    EXPECT_EQ(o.panel1, " SfMax out of range!! Automatically reset!");

    o = SfMaxChanged("25", w, kRules20);
    EXPECT_EQ(o.rewriteSfMax, "20.00");

    o = SfMaxChanged("100", w, kRules100); // the upper bound itself is accepted
    EXPECT_FALSE(o.rewriteSfMax);
    EXPECT_EQ(o.font, SfMaxFont::Black);

    o = SfMaxChanged("1.6", w, kRules100); // still typing
    EXPECT_EQ(w.sfMax, 1.6);
    EXPECT_EQ(o.panel1, " Please complete: SfMax > 1.1*SfMin");
    EXPECT_TRUE(o.beep);
    EXPECT_EQ(o.font, SfMaxFont::Red);
    EXPECT_TRUE(o.relist);

    o = SfMaxLeft("1.6", w, kRules100);
    EXPECT_EQ(o.rewriteSfMax, "100.00");
    EXPECT_EQ(o.panel1, " Sfmax out of range!! SfMax has been reset!");
    EXPECT_TRUE(o.beep);
    EXPECT_EQ(o.font, SfMaxFont::Red);

    o = SfMaxChanged("", w, kRules100);
    EXPECT_EQ(w.sfMax, 0.0);
    o = SfMaxLeft("", w, kRules20);
    EXPECT_EQ(o.rewriteSfMax, "20.00");

    w.sfMax = 3.456;
    o = SfMaxLeft("3.456", w, kRules100);
    EXPECT_EQ(o.rewriteSfMax, "3.46");

    o = SfMaxEntered(w, kRules100);
    EXPECT_EQ(o.font, SfMaxFont::Black);
    EXPECT_EQ(o.panel0, "1.65 =< Sfmax =<  100");
    EXPECT_EQ(o.panel1, "");
}

TEST(SfWindow, WrittenNumbersCarryTheProgramsSeparator)
{
    sps::SetDecimalSeparator(',');
    SfWindow w{1.5, 10};
    const SfFieldOutcome capped = SfMaxChanged("150", w, kRules100);
    const SfFieldOutcome reset = SfMaxLeft("", w, kRules20);
    const std::string hint = SfMaxHint(w, kRules20);
    const std::string sfmin = SfminLeftText("");
    sps::SetDecimalSeparator('.');
    EXPECT_EQ(capped.rewriteSfMax, "100,00");
    EXPECT_EQ(reset.rewriteSfMax, "20,00");
    EXPECT_EQ(hint, "1,65 =< Sfmax =<  20,00");
    EXPECT_EQ(sfmin, "1,50");
}

TEST(SfWindow, SfminLeavingText)
{
    EXPECT_EQ(SfminLeftText(""), "1.50");
    EXPECT_EQ(SfminLeftText("0"), "1.50");
    EXPECT_EQ(SfminLeftText("0.0"), "0.00");
    EXPECT_EQ(SfminLeftText("2"), "2.00");
    EXPECT_EQ(SfminLeftText("1.625"), "1.62");
}
