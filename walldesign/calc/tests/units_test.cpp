// Units of measure: display and input conversion, label translation.
#include "platform/error.h"
#include "platform/numtext.h"
#include "walldesign/calc/units.h"

#include <gtest/gtest.h>

#include <string>

namespace wd {
namespace {

// Sets the unit system for one test and restores it afterwards.
class UnitScope {
public:
    explicit UnitScope(uint8_t system) : saved_(UnitSystem) { UnitSystem = system; }
    ~UnitScope() { UnitSystem = saved_; }

private:
    uint8_t saved_;
};

class SeparatorScope {
public:
    explicit SeparatorScope(char separator) : saved_(sps::DecimalSeparator()) { sps::SetDecimalSeparator(separator); }
    ~SeparatorScope() { sps::SetDecimalSeparator(saved_); }

private:
    char saved_;
};

TEST(UnitsTest, ProgramStartsMetric)
{
    // Every test here restores the system it changes.
    EXPECT_EQ(UnitSystem, kMetric);
    EXPECT_EQ(RadianFactor, 57.29578f);
}

TEST(UnitsTest, FormatValueConvertsOnlyInImperialOrForAngles)
{
    {
        UnitScope metric(kMetric);
        EXPECT_EQ(FormatValue(1.0f, kLengthFactor), "1.000");
        EXPECT_EQ(FormatValue(0.5f, RadianFactor), "28.648");
        EXPECT_EQ(FormatValue(-0.0004f, kLengthFactor), "0.000");
        EXPECT_EQ(FormatValue(1234567.0f, kNoFactor), "1234567.000");
    }
    {
        UnitScope imperial(kImperial);
        EXPECT_EQ(FormatValue(1.0f, kLengthFactor), "3.281");
        EXPECT_EQ(FormatValue(0.5f, RadianFactor), "28.648");
        EXPECT_EQ(FormatValue(355.0f, kYieldFactor), "51468.884");
        EXPECT_EQ(FormatValue(1.5f, kNoFactor), "1.500");
    }
}

TEST(UnitsTest, FormatValueUsesTheProgramSeparatorAndRoundsTiesToEven)
{
    UnitScope metric(kMetric);
    EXPECT_EQ(FormatValue(0.0625f, kNoFactor), "0.062");
    EXPECT_EQ(FormatValue(0.1875f, kNoFactor), "0.188");
    SeparatorScope comma(',');
    EXPECT_EQ(FormatValue(2.5f, kNoFactor), "2,500");
}

// The value of a text that must read.
float Parsed(const char* text, float factor)
{
    float value = -99;
    EXPECT_TRUE(TryParseValue(text, factor, value)) << text;
    return value;
}

TEST(UnitsTest, ParseValueExamples)
{
    {
        UnitScope imperial(kImperial);
        EXPECT_EQ(Parsed("10", kLengthFactor), 3.0479777f);
        EXPECT_EQ(Parsed("3.281", kLengthFactor), 1.0000414f);
        EXPECT_EQ(Parsed("30", RadianFactor), 0.5235988f);
        EXPECT_EQ(FormatValue(Parsed("10", kLengthFactor), kLengthFactor), "10.000");
    }
    {
        UnitScope metric(kMetric);
        EXPECT_EQ(Parsed("30", RadianFactor), 0.5235988f);
        EXPECT_EQ(Parsed("12.5", kLengthFactor), 12.5f);
        EXPECT_EQ(Parsed(" -3.25 ", kPressureFactor), -3.25f);
        EXPECT_EQ(ParseValue("0.5", kNoFactor, "Field"), 0.5f);
    }
}

TEST(UnitsTest, ParseValueRefusesTextThatIsNoSingle)
{
    for (uint8_t system : {kMetric, kImperial}) {
        UnitScope scope(system);
        for (const char* text : {"", " ", "abc", "2O", "1.2.3", "1,2,3", "1,000.5", "1.000,5", "nan", "inf", "-inf",
                                 "1e999", "1e39", "-1e39", "0x10", "12m", "--1", "1e", "."}) {
            float value = -99;
            EXPECT_FALSE(TryParseValue(text, kLengthFactor, value)) << text;
            EXPECT_EQ(value, -99) << text;
        }
        // In range as typed, beyond it once divided by the factor.
        float value = 0;
        EXPECT_EQ(TryParseValue("3e38", kUnitWeightFactor, value), system == kMetric);
    }
    try {
        ParseValue("2O", kLengthFactor, "Anchorlevel [m]");
        ADD_FAILURE() << "no error";
    } catch (const sps::Exception& e) {
        EXPECT_EQ(e.Message(), "\"2O\" is not a valid number: Anchorlevel [m]");
    }
}

TEST(UnitsTest, ParseValueReadsEitherSeparatorAndFormatValueShowsTheProgramOne)
{
    UnitScope metric(kMetric);
    for (char separator : {'.', ','}) {
        SeparatorScope scope(separator);
        for (const char* text : {"2,5", "2.5", "+2,50", "25e-1", "2,5E0"})
            EXPECT_EQ(Parsed(text, kNoFactor), 2.5f) << text << " with " << separator;
        EXPECT_EQ(Parsed("-,5", kNoFactor), -0.5f);
        EXPECT_EQ(FormatValue(2.5f, kNoFactor), separator == ',' ? "2,500" : "2.500");
    }
}

TEST(UnitsTest, TranslateUnitLabelsBothWays)
{
    {
        UnitScope imperial(kImperial);
        EXPECT_EQ(TranslateUnitLabels("Tip [m]"), "Tip [ft]");
        EXPECT_EQ(TranslateUnitLabels("Sheet Pile Top Level"), "Sheet Pile Top Level");
        EXPECT_EQ(TranslateUnitLabels("Tip [ft]"), "Tip [ft]");
    }
    {
        UnitScope metric(kMetric);
        EXPECT_EQ(TranslateUnitLabels("Tip [ft]"), "Tip [m]");
        EXPECT_EQ(TranslateUnitLabels("Tip [m]"), "Tip [m]");
    }
}

TEST(UnitsTest, EveryLabelTranslatesToItsPartnerAndBack)
{
    std::string metricText, imperialText;
    for (const TUnitLabel& label : UnitLabels) {
        metricText += std::string("x ") + label.Metric + " " + label.Metric + ";";
        imperialText += std::string("x ") + label.Imperial + " " + label.Imperial + ";";
    }
    {
        UnitScope imperial(kImperial);
        EXPECT_EQ(TranslateUnitLabels(metricText), imperialText);
    }
    {
        UnitScope metric(kMetric);
        EXPECT_EQ(TranslateUnitLabels(imperialText), metricText);
    }
}

TEST(UnitsTest, ReplaceAllContinuesAfterTheInsertedText)
{
    std::string text = "a-a-a";
    EXPECT_TRUE(ReplaceAll(text, "a", "aa"));
    EXPECT_EQ(text, "aa-aa-aa");

    // A replacement that contains what it replaces ends as well.
    text = "[m][m]";
    EXPECT_TRUE(ReplaceAll(text, "[m]", "[[m]]"));
    EXPECT_EQ(text, "[[m]][[m]]");

    text = "abc";
    EXPECT_FALSE(ReplaceAll(text, "x", "y"));
    EXPECT_FALSE(ReplaceAll(text, "b", "b"));
    EXPECT_FALSE(ReplaceAll(text, "", "y"));
    EXPECT_EQ(text, "abc");

    text = "[kN/m2] [kN/m]";
    EXPECT_TRUE(ReplaceAll(text, "[kN/m]", "[kip/ft]"));
    EXPECT_EQ(text, "[kN/m2] [kip/ft]");
}

TEST(UnitsTest, CatalogueListFactors)
{
    EXPECT_EQ(ListColumnFactor(TCatalogueList::SheetPiles, 0), 0.04724548f);
    EXPECT_EQ(ListColumnFactor(TCatalogueList::SheetPiles, 1), 0.20481537f);
    EXPECT_EQ(ListColumnFactor(TCatalogueList::SheetPiles, 2), 0.0073227664f);
    EXPECT_EQ(ListColumnFactor(TCatalogueList::SheetPiles, 3), 0.018599978f);
    EXPECT_EQ(ListColumnFactor(TCatalogueList::SteelGrades, 0), 144.98277f);
    EXPECT_EQ(ListColumnFactor(TCatalogueList::SheetPiles, 4), 1.0f);
    EXPECT_EQ(ListColumnFactor(TCatalogueList::SteelGrades, -1), 1.0f);
}

} // namespace
} // namespace wd
