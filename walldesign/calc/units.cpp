#include "walldesign/calc/units.h"

#include "platform/error.h"
#include "platform/numtext.h"

#include <cmath>
#include <limits>

namespace wd {

uint8_t UnitSystem = kMetric;

const TUnitLabel UnitLabels[kUnitLabelCount] = {
    {"[m]", "[ft]"},
    {"[m2]", "[ft2]"},
    {"[m4/m]", "[ft4/ft]"},
    {"[kN/m]", "[kip/ft]"},
    {"[kN/m2]", "[kip/ft2]"},
    {"[kN/m3]", "[kip/ft3]"},
    {"[m4]", "[ft4]"},
    {"[m3]", "[ft3]"},
    {"[kg/m]", "[lbs/ft]"},
    {"[cm4]", "[in4]"},
    {"[cm3]", "[in3]"},
    {"[cm2]", "[in2]"},
    {"[N/mm2]", "[lb/in2]"},
    {"[kNm/m]", "[kipft/ft]"},
    {"[kN]", "[kip]"},
    {"[cm4/m]", "[in4/ft]"},
    {"[cm3/m]", "[in3/ft]"},
    {"[kg/m2]", "[lbs/ft2]"},
    {"[cm2/m]", "[in2/ft]"},
};

namespace {

const float kSheetPileListFactors[kSheetPileColumns] = {kAreaFactor, kMassFactor, kInertiaFactor, kModulusFactor};
const float kSteelGradeListFactors[kSteelGradeColumns] = {kYieldFactor};

bool Converts(float factor)
{
    return UnitSystem == kImperial || factor == RadianFactor;
}

} // namespace

float ListColumnFactor(TCatalogueList list, int column)
{
    switch (list) {
    case TCatalogueList::SheetPiles:
        if (column >= 0 && column < kSheetPileColumns)
            return kSheetPileListFactors[column];
        break;
    case TCatalogueList::SteelGrades:
        if (column >= 0 && column < kSteelGradeColumns)
            return kSteelGradeListFactors[column];
        break;
    }
    return kNoFactor;
}

std::string FormatValue(float value, float factor)
{
    // The product of two singles is exact in double precision.
    double shown = Converts(factor) ? static_cast<double>(value) * static_cast<double>(factor) : value;
    return sps::FormatFixed(shown, 3);
}

bool TryParseValue(std::string_view text, float factor, float& value)
{
    double parsed = 0;
    if (!sps::TryParseFloat(text, parsed, ".,"))
        return false;
    if (std::fabs(parsed) > static_cast<double>(std::numeric_limits<float>::max()))
        return false;
    float read = static_cast<float>(parsed);
    if (Converts(factor))
        read /= factor;
    if (!std::isfinite(read))
        return false;
    value = read;
    return true;
}

float ParseValue(const std::string& text, float factor, const std::string& field)
{
    float value = 0;
    if (!TryParseValue(text, factor, value))
        sps::Raise("\"" + text + "\" is not a valid number: " + field);
    return value;
}

std::string TranslateUnitLabels(const std::string& text)
{
    std::string result = text;
    for (const TUnitLabel& label : UnitLabels) {
        if (UnitSystem == kImperial)
            ReplaceAll(result, label.Metric, label.Imperial);
        else
            ReplaceAll(result, label.Imperial, label.Metric);
    }
    return result;
}

bool ReplaceAll(std::string& text, const std::string& oldText, const std::string& newText)
{
    if (oldText.empty() || oldText == newText)
        return false;
    bool replaced = false;
    size_t pos = text.find(oldText);
    while (pos != std::string::npos) {
        text.replace(pos, oldText.size(), newText);
        replaced = true;
        pos = text.find(oldText, pos + newText.size());
    }
    return replaced;
}

} // namespace wd
