#include "walldesign/calc/inputdialog.h"

#include "platform/error.h"
#include "walldesign/calc/units.h"
#include "walldesign/files/catalogue.h"

#include <algorithm>

namespace wd {

namespace {
TInputDialog* g_dialog = nullptr;
} // namespace

void SetInputDialog(TInputDialog* dialog)
{
    g_dialog = dialog;
}

TInputDialog* InputDialog()
{
    return g_dialog;
}

namespace {

bool IsBlank(const std::string& text)
{
    return text.find_first_not_of(" \t") == std::string::npos;
}

bool Unchanged(const std::string& text, std::optional<float> shown, float factor)
{
    return shown && text == FormatValue(*shown, factor);
}

float ReadField(TInputDialog& dialog, const TInputField& field, const std::string& text, std::optional<float> shown,
                float factor)
{
    if (Unchanged(text, shown, factor))
        return *shown;
    float value = 0;
    if (TryParseValue(text, factor, value))
        return value;
    // The field is shown before the message about it.
    dialog.FocusField(field);
    return ParseValue(text, factor, dialog.FieldCaption(field));
}

size_t ValueColumns(const TInputDialog& dialog, int grid, const std::vector<float>& factors)
{
    return std::min(factors.size(), static_cast<size_t>(std::max(0, dialog.ColCount(grid) - 1)));
}

} // namespace

float EditValue(TInputDialog& dialog, const std::string& edit, float factor, float shown)
{
    return ReadField(dialog, TInputField{edit}, dialog.Text(edit), shown, factor);
}

std::vector<float> GridRowToValues(TInputDialog& dialog, int grid, int row, const std::vector<float>& factors)
{
    std::vector<float> values(factors.size(), 0.0f);
    for (size_t i = 0; i < ValueColumns(dialog, grid, factors); i++) {
        int col = static_cast<int>(i) + 1;
        std::string text = dialog.Cell(grid, col, row);
        if (!IsBlank(text))
            values[i] = ReadField(dialog, TInputField{{}, grid, col, row}, text, dialog.CellValue(grid, col, row),
                                  factors[i]);
    }
    return values;
}

std::vector<float> GridRowPreview(const TInputDialog& dialog, int grid, int row, const std::vector<float>& factors)
{
    std::vector<float> values(factors.size(), 0.0f);
    for (size_t i = 0; i < ValueColumns(dialog, grid, factors); i++) {
        int col = static_cast<int>(i) + 1;
        std::string text = dialog.Cell(grid, col, row);
        std::optional<float> shown = dialog.CellValue(grid, col, row);
        if (Unchanged(text, shown, factors[i]))
            values[i] = *shown;
        else if (!TryParseValue(text, factors[i], values[i]))
            values[i] = 0;
    }
    return values;
}

void ValuesToGridRow(const std::vector<float>& values, TInputDialog& dialog, int grid, int row,
                     const std::vector<float>& factors)
{
    size_t count = std::min({values.size(), factors.size(), static_cast<size_t>(std::max(0, dialog.ColCount(grid) - 1))});
    for (size_t i = 0; i < count; i++) {
        dialog.SetCell(grid, static_cast<int>(i) + 1, row, FormatValue(values[i], factors[i]));
        dialog.SetCellValue(grid, static_cast<int>(i) + 1, row, values[i]);
    }
}

void ClearGridRow(TInputDialog& dialog, int grid, int row)
{
    for (int c = 1; c < dialog.ColCount(grid); c++) {
        dialog.SetCell(grid, c, row, "");
        dialog.SetCellValue(grid, c, row, std::nullopt);
    }
}

std::string SplitTabField(std::string& text)
{
    size_t tab = text.find('\t');
    std::string field = text.substr(0, tab);
    text = tab == std::string::npos ? std::string() : text.substr(tab + 1);
    return field;
}

float NextTabValue(std::string& text)
{
    std::string field = SplitTabField(text);
    float value = 0;
    if (!ParseCatalogueNumber(field, value))
        sps::Raise("'" + field + "' is not a valid floating point value");
    return value;
}

const std::vector<float>& LayerFactors()
{
    static const std::vector<float> f = {kLengthFactor, kUnitWeightFactor, kUnitWeightFactor, kNoFactor,
                                         RadianFactor,  RadianFactor,      kPressureFactor};
    return f;
}

const std::vector<float>& ForceFactors()
{
    static const std::vector<float> f = {kForceFactor, kForceFactor, kLengthFactor};
    return f;
}

const std::vector<float>& PressureFactors()
{
    static const std::vector<float> f = {kPressureFactor, kPressureFactor, kLengthFactor, kLengthFactor};
    return f;
}

const std::vector<float>& BousqFactors()
{
    static const std::vector<float> f = {kLengthFactor, kLengthFactor, kLengthFactor, kPressureFactor};
    return f;
}

} // namespace wd
