#include "platform/numtext.h"

#include "platform/error.h"

#include <gtest/gtest.h>

using namespace sps;

namespace {
struct SeparatorGuard {
    char saved = DecimalSeparator();
    ~SeparatorGuard() { SetDecimalSeparator(saved); }
};
} // namespace

TEST(NumText, FormatsFixedWithTiesToEvenOnExactBinary)
{
    EXPECT_EQ(FormatFixed(1.0, 3), "1.000");
    EXPECT_EQ(FormatFixed(0.0625, 3), "0.062"); // exact tie
    EXPECT_EQ(FormatFixed(0.0635, 3), "0.064"); // 0.0635 is above the tie in binary
    EXPECT_EQ(FormatFixed(2.5, 0), "2");
    EXPECT_EQ(FormatFixed(3.5, 0), "4");
    EXPECT_EQ(FormatFixed(-0.0001, 3), "0.000");
    EXPECT_EQ(FormatFixed(-1.25, 1), "-1.2");
    EXPECT_EQ(FormatFixed(1234567.0, 2), "1234567.00");
    EXPECT_EQ(FormatFixed(static_cast<float>(3.280864f), 3), "3.281");
}

TEST(NumText, UsesProgramSeparatorBothWays)
{
    SeparatorGuard guard;
    SetDecimalSeparator(',');
    EXPECT_EQ(FormatFixed(12.5, 2), "12,50");
    double v = 0;
    EXPECT_TRUE(TryParseFloat("12,5", v));
    EXPECT_DOUBLE_EQ(v, 12.5);
    EXPECT_FALSE(TryParseFloat("12.5", v));
    // Either of given separators, one in a number.
    EXPECT_TRUE(TryParseFloat("12.5", v, ".,"));
    EXPECT_DOUBLE_EQ(v, 12.5);
    EXPECT_TRUE(TryParseFloat("-0,25e1", v, ".,"));
    EXPECT_DOUBLE_EQ(v, -2.5);
    for (const char* bad : {"1,000.5", "1.000,5", "1,2,3", ",", "1;5"})
        EXPECT_FALSE(TryParseFloat(bad, v, ".,")) << bad;
}

TEST(NumText, StrictParsing)
{
    double v = 0;
    EXPECT_TRUE(TryParseFloat(" 3.281 ", v));
    EXPECT_DOUBLE_EQ(v, 3.281);
    EXPECT_TRUE(TryParseFloat("-.5", v));
    EXPECT_DOUBLE_EQ(v, -0.5);
    EXPECT_TRUE(TryParseFloat("5.", v));
    EXPECT_DOUBLE_EQ(v, 5.0);
    EXPECT_TRUE(TryParseFloat("1e3", v));
    EXPECT_DOUBLE_EQ(v, 1000.0);
    EXPECT_TRUE(TryParseFloat("+2.5E-1", v));
    EXPECT_DOUBLE_EQ(v, 0.25);
    for (const char* bad : {"", " ", ".", "-", "+.", "nan", "inf", "-inf", "0x10", "1.2.3", "1e", "1e+",
                            "12a", "a12", "1 2", "1e999"}) {
        EXPECT_FALSE(TryParseFloat(bad, v)) << bad;
    }
    EXPECT_THROW(ParseFloat("abc"), Exception);
    try {
        ParseFloat("x");
    } catch (const Exception& e) {
        EXPECT_STREQ(e.what(), "'x' is not a valid floating point value");
    }
}

TEST(NumText, IntegersAcceptDollarHex)
{
    int64_t v = 0;
    EXPECT_TRUE(TryParseInt("42", v));
    EXPECT_EQ(v, 42);
    EXPECT_TRUE(TryParseInt("-7", v));
    EXPECT_EQ(v, -7);
    EXPECT_TRUE(TryParseInt("$00026080", v));
    EXPECT_EQ(v, 0x26080);
    EXPECT_TRUE(TryParseInt("$FFFFFFFF", v));
    EXPECT_EQ(v, -1);
    EXPECT_TRUE(TryParseInt("$00FFFFFF", v));
    EXPECT_EQ(v, 0xFFFFFF);
    for (const char* bad : {"", "$", "1.5", "12x", "$G1", "99999999999999999999"}) {
        EXPECT_FALSE(TryParseInt(bad, v)) << bad;
    }
}

TEST(NumText, RoundsHalvesToEven)
{
    EXPECT_EQ(RoundHalfEven(0.5), 0.0);
    EXPECT_EQ(RoundHalfEven(1.5), 2.0);
    EXPECT_EQ(RoundHalfEven(2.5), 2.0);
    EXPECT_EQ(RoundHalfEven(-2.5), -2.0);
    EXPECT_EQ(RoundHalfEven(2.6), 3.0);
    EXPECT_DOUBLE_EQ(RoundHalfEvenTo(1.625, 2), 1.62);
    EXPECT_DOUBLE_EQ(RoundHalfEvenTo(1.635, 2), 1.64);
}
