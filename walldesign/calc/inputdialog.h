// The wall input dialog as the walls see it: the texts of its edits, its check
// boxes, the earth support list, the five grids and the two catalogue lists.
// The program registers its one dialog at start-up (SetInputDialog); the walls
// fill it, show it and read it back (TWall::Edit, WriteInput, ReadInput).
#pragma once

#include <functional>
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
    // Shows the dialog modally; true when it was closed with OK.
    virtual bool ShowModal() = 0;
    // Reports an error the caller goes on after (the error box).
    virtual void ShowError(const std::string& message) = 0;
};

// The dialog TWall::Edit shows (not owned); none until the program sets it.
void SetInputDialog(TInputDialog* dialog);
TInputDialog* InputDialog();

// The value columns 1 ... column count - 1 of a grid row parsed with their
// factors (as many values as there are factors at most).
std::vector<float> GridRowToValues(const TInputDialog& dialog, int grid, int row, const std::vector<float>& factors);
// The reverse: the values formatted with their factors into columns 1, 2, ...
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
