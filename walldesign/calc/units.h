// Units of measure: values are stored and calculated in metric units (m, kN,
// kN/m2, radians) and shown in the current unit system.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace wd {

// Program-wide unit system: 0 metric, 1 imperial.
inline constexpr uint8_t kMetric = 0;
inline constexpr uint8_t kImperial = 1;
extern uint8_t UnitSystem;

// Degrees per radian. Angles are shown in degrees in both systems.
inline constexpr float RadianFactor = 57.29578f;

// Imperial value = stored value x factor.
inline constexpr float kNoFactor = 1.0f;
inline constexpr float kLengthFactor = 3.280864f;        // m -> ft
inline constexpr float kForceFactor = 0.06849781f;       // kN/m -> kip/ft
inline constexpr float kPressureFactor = 0.020878213f;   // kN/m2 -> kip/ft2
inline constexpr float kUnitWeightFactor = 0.0063636685f; // kN/m3 -> kip/ft3
inline constexpr float kMomentFactor = 0.224732f;        // kNm/m -> kipft/ft
inline constexpr float kAreaFactor = 0.04724548f;        // cm2/m -> in2/ft
inline constexpr float kMassFactor = 0.20481537f;        // kg/m2 -> lbs/ft2
inline constexpr float kInertiaFactor = 0.0073227664f;   // cm4/m -> in4/ft
inline constexpr float kModulusFactor = 0.018599978f;    // cm3/m -> in3/ft
inline constexpr float kYieldFactor = 144.98277f;        // N/mm2 -> lb/in2

// Unit labels, metric and imperial, in translation order.
struct TUnitLabel {
    const char* Metric;
    const char* Imperial;
};
inline constexpr int kUnitLabelCount = 19;
extern const TUnitLabel UnitLabels[kUnitLabelCount];

// Factors of the numeric columns of the two catalogue lists (the name column
// is not counted).
enum class TCatalogueList { SheetPiles, SteelGrades };
inline constexpr int kSheetPileColumns = 4;  // area, mass, inertia, modulus
inline constexpr int kSteelGradeColumns = 1; // yield strength
// The factor of numeric column `column` (0-based) of `list`; 1 outside the table.
float ListColumnFactor(TCatalogueList list, int column);

// The value in the current unit system with three decimals: multiplied by
// `factor` in imperial units, or in both systems when `factor` is RadianFactor.
std::string FormatValue(float value, float factor);
// The reverse, the one reader of typed numbers: the text as a number with "."
// or "," as its decimal separator (one at most, no thousands separator),
// divided by `factor` under the same rule. False, and `value` untouched, for
// any other text and for a number beyond the single range.
bool TryParseValue(std::string_view text, float factor, float& value);
// As TryParseValue, raising "\"<text>\" is not a valid number: <field>".
float ParseValue(const std::string& text, float factor, const std::string& field);

// Replaces every label of the other unit system by the current system's label.
std::string TranslateUnitLabels(const std::string& text);
// Replaces every occurrence of `oldText` by `newText`, searching on after each
// inserted text; false when nothing was replaced or `oldText` equals `newText`
// (or is empty).
bool ReplaceAll(std::string& text, const std::string& oldText, const std::string& newText);

} // namespace wd
