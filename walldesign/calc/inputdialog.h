// The wall input dialog as the walls see it: the texts of its edits, its check
// boxes, the earth support list, the five grids and the two catalogue lists.
// The program registers its one dialog at start-up (SetInputDialog); the walls
// fill it, show it and read it back (TWall::Edit, WriteInput, ReadInput).
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace wd {

// Grids of the dialog: Grid1 front layers, Grid2 layers behind, Grid3 forces,
// Grid4 user-defined pressures, Grid5 Boussinesq strips. The first row of
// grids 3 to 5 is hidden and holds no data.
inline constexpr int kFrontLayerGrid = 1;
inline constexpr int kBehindLayerGrid = 2;
inline constexpr int kForceGrid = 3;
inline constexpr int kPressureGrid = 4;
inline constexpr int kBousqGrid = 5;
// Lists: ListBox1 sheet pile sections, ListBox2 steel grades.
inline constexpr int kSheetPileList = 1;
inline constexpr int kSteelGradeList = 2;

// An edit by name ("Edit1"), or a cell of a grid.
struct TInputField {
    std::string Edit;
    int Grid = 0;
    int Col = 0;
    int Row = 0;
};

class TInputDialog {
public:
    virtual ~TInputDialog() = default;

    virtual void SetCaption(const std::string& caption) = 0;
    // Edits by name, "Edit1" to "Edit14".
    virtual std::string Text(const std::string& edit) const = 0;
    virtual void SetText(const std::string& edit, const std::string& text) = 0;
    // "CheckBox1" and "CheckBox2".
    virtual bool Checked(const std::string& checkBox) const = 0;
    virtual void SetChecked(const std::string& checkBox, bool checked) = 0;
    // Shows or hides a control by name ("Label13", "Edit14", "CopyButton1").
    virtual void SetVisible(const std::string& control, bool visible) = 0;

    // ComboBox1, the earth support; index -1 when nothing is chosen.
    virtual void SetSupportItems(const std::vector<std::string>& items) = 0;
    virtual int SupportIndex() const = 0;
    virtual void SetSupportIndex(int index) = 0;

    // Grids by number; rows count from the first (hidden) row, column 0 holds
    // the row titles. A grid has at least one row.
    virtual int RowCount(int grid) const = 0;
    virtual void SetRowCount(int grid, int count) = 0;
    virtual int ColCount(int grid) const = 0;
    virtual std::string Cell(int grid, int col, int row) const = 0;
    virtual void SetCell(int grid, int col, int row, const std::string& text) = 0;
    // The value a cell's text was formatted from, kept with the cell when rows
    // are inserted, deleted or copied; none for a cell that got none.
    virtual std::optional<float> CellValue(int grid, int col, int row) const = 0;
    virtual void SetCellValue(int grid, int col, int row, std::optional<float> value) = 0;

    // Lists by number: rows of TAB-separated text; index -1 when none is chosen.
    virtual int ListCount(int list) const = 0;
    virtual std::string ListItem(int list, int index) const = 0;
    virtual int ListIndex(int list) const = 0;
    virtual void SetListIndex(int list, int index) = 0;

    // What "Copy from Headwall" (CopyButton1) does; none: nothing.
    virtual void SetCopyFromHeadwall(std::function<void()> handler) = 0;
    // Brings the page of that name to the front ("TabSheet1" to "TabSheet6").
    virtual void ActivatePage(const std::string& page) = 0;
    // Whether the wall being edited is a head wall (the previews draw its anchor).
    virtual void SetHeadwall(bool isHeadwall) = 0;
    // Shows the dialog modally. OK runs `accept`; when that raises, the error
    // is shown and the dialog stays open. True when it closed with OK.
    virtual bool ShowModal(const std::function<void()>& accept) = 0;
    // The name of a field in messages (its label, or the grid, row and column
    // titles), and bringing it to the front with the focus.
    virtual std::string FieldCaption(const TInputField& field) const = 0;
    virtual void FocusField(const TInputField& field) = 0;
    // Reports an error the caller goes on after (the error box).
    virtual void ShowError(const std::string& message) = 0;
};

// The dialog TWall::Edit shows (not owned); none until the program sets it.
void SetInputDialog(TInputDialog* dialog);
TInputDialog* InputDialog();

// Reading fields back: a field whose text is still the one shown for its
// value keeps that value bit for bit; an edited text is read by ParseValue.
// A text that is no number gets the focus and raises
// "\"<text>\" is not a valid number: <field caption>".
//
// An edit that was filled with `shown`.
float EditValue(TInputDialog& dialog, const std::string& edit, float factor, float shown);
// The value columns 1 ... column count - 1 of a grid row with their factors
// (as many values as there are factors at most); an empty cell is 0, as in a
// new row.
std::vector<float> GridRowToValues(TInputDialog& dialog, int grid, int row, const std::vector<float>& factors);
// The same for the previews: what cannot be read draws as 0, nothing raises.
std::vector<float> GridRowPreview(const TInputDialog& dialog, int grid, int row, const std::vector<float>& factors);
// The reverse: the values formatted with their factors into columns 1, 2, ...
// (each cell keeps its value too).
void ValuesToGridRow(const std::vector<float>& values, TInputDialog& dialog, int grid, int row,
                     const std::vector<float>& factors);
// Empties the value cells of a row.
void ClearGridRow(TInputDialog& dialog, int grid, int row);

// The text before the first TAB; `text` keeps what follows it (nothing when
// there is no TAB).
std::string SplitTabField(std::string& text);
// The next field as a number, read with '.' as the files write it. Raises
// "'<field>' is not a valid floating point value" when it is none.
float NextTabValue(std::string& text);

// Display factors of the layer grid columns and of the force, pressure and
// Boussinesq grid columns.
const std::vector<float>& LayerFactors();
const std::vector<float>& ForceFactors();
const std::vector<float>& PressureFactors();
const std::vector<float>& BousqFactors();

} // namespace wd
