// TEnhGrid: the editable string grid of Tavelond without widgets. It holds the
// cells, fixed rows and columns, typed columns with titles (TEnhGridColumns),
// the row keys that append, insert and delete rows, the row count bounds, the
// cell drawing decisions and the in-place editor's rules (loading, validation,
// pick lists). The Qt view (enhgridview.h) shows it and feeds it keys.
#pragma once

#include "platform/canvas.h"
#include "walldesign/report/report.h"

#include <any>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace wd {

class TEnhGrid;
class TEnhGridColumns;
class TColumn;

enum TAlignment : uint8_t { taLeftJustify = 0, taRightJustify = 1, taCenter = 2 };
enum TColumnButtonStyle : uint8_t { cbsAuto = 0, cbsEllipsis = 1, cbsNone = 2 };
enum TColumnFormat : uint8_t { cfString = 0, cfNumber = 1, cfDate = 2 };

// Row keys (EnhancedOptions).
enum TEnhGridOption : uint8_t { dgoAppendRow = 1, dgoInsertRow = 2, dgoDeleteRow = 4 };
using TEnhGridOptions = uint8_t;

// Options of the string grid.
enum TGridOption : uint32_t {
    goFixedVertLine = 1u << 0,
    goFixedHorzLine = 1u << 1,
    goVertLine = 1u << 2,
    goHorzLine = 1u << 3,
    goColSizing = 1u << 4,
    goColMoving = 1u << 5,
    goEditing = 1u << 6,
    goTabs = 1u << 7,
    goRowSelect = 1u << 8,
    goAlwaysShowEditor = 1u << 9,
};
using TGridOptions = uint32_t;

// Key codes and shift state of the key handlers.
enum TKeyCode : int {
    vkBack = 8,
    vkTab = 9,
    vkReturn = 13,
    vkEscape = 27,
    vkPrior = 33,
    vkNext = 34,
    vkEnd = 35,
    vkHome = 36,
    vkLeft = 37,
    vkUp = 38,
    vkRight = 39,
    vkDown = 40,
    vkInsert = 45,
    vkDelete = 46,
};
enum TShiftState : uint8_t { ssShift = 1, ssAlt = 2, ssCtrl = 4 };
using TShift = uint8_t;

// The platform's window colour and face colour of buttons and fixed cells.
inline constexpr sps::TColor clWindow = 0x00FFFFFF;
inline constexpr sps::TColor clBtnFace = 0x00F0F0F0;

// A pop-up menu a column shows on a right click over its cells. The grid holds
// it weakly, so a freed menu is simply no longer shown.
class TColumnPopupMenu {
public:
    virtual ~TColumnPopupMenu() = default;
    bool AutoPopup = true;
    // Shows the menu at a screen position.
    virtual void Popup(int x, int y) = 0;
};

class TColumnTitle {
public:
    explicit TColumnTitle(TColumn* column) : column_(column) {}

    TAlignment Alignment() const;
    void SetAlignment(TAlignment value);
    const std::string& Caption() const { return caption_; }
    virtual void SetCaption(const std::string& value);
    sps::TFont Font() const;
    void SetFont(const sps::TFont& value);

    virtual void RestoreDefaults();
    // Copies alignment, caption and font where they are set in the source.
    void Assign(const TColumnTitle& source);

private:
    TColumn* column_;
    TAlignment alignment_ = taLeftJustify;
    std::string caption_;
    sps::TFont font_;
};

class TColumn {
public:
    // Assigned-value flags.
    enum TAssigned : uint8_t {
        cvColor = 1,
        cvFont = 2,
        cvAlignment = 4,
        cvReadOnly = 8,
        cvTitleCaption = 16,
        cvTitleAlignment = 32,
        cvTitleFont = 64,
    };

    explicit TColumn(TEnhGridColumns* collection);
    virtual ~TColumn();
    TColumn(const TColumn&) = delete;
    TColumn& operator=(const TColumn&) = delete;

    std::string EditMask;
    int MaxLength = 0;
    bool LimitToList = false;
    int DropDownRows = 7;

    TAlignment Alignment() const;
    virtual void SetAlignment(TAlignment value);
    TColumnButtonStyle ButtonStyle() const { return buttonStyle_; }
    void SetButtonStyle(TColumnButtonStyle value);
    TColumnFormat Format() const { return format_; }
    // Changing the format empties DisplayMask.
    void SetFormat(TColumnFormat value);
    sps::TColor Color() const;
    void SetColor(sps::TColor value);
    sps::TFont Font() const;
    void SetFont(const sps::TFont& value);
    std::vector<std::string>& PickList() { return pickList_; }
    const std::vector<std::string>& PickList() const { return pickList_; }
    void SetPickList(const std::vector<std::string>& items);
    std::shared_ptr<TColumnPopupMenu> PopupMenu() const { return popupMenu_.lock(); }
    void SetPopupMenu(const std::shared_ptr<TColumnPopupMenu>& menu) { popupMenu_ = menu; }
    bool ReadOnly() const;
    virtual void SetReadOnly(bool value);
    TColumnTitle& Title() { return *title_; }
    const TColumnTitle& Title() const { return *title_; }
    const std::string& DisplayMask() const { return displayMask_; }
    virtual void SetDisplayMask(const std::string& value);
    int InternalCol() const { return internalCol_; }

    uint8_t AssignedValues() const { return assigned_; }
    bool IsAssigned(TAssigned flag) const { return (assigned_ & flag) != 0; }
    TEnhGrid* Grid() const;
    int Index() const;

    virtual void RestoreDefaults();
    // Copies colour, font, alignment and read-only where set in the source, the
    // title, DropDownRows, ButtonStyle, PickList and PopupMenu.
    void Assign(const TColumn& source);

protected:
    virtual std::unique_ptr<TColumnTitle> CreateTitle();

private:
    friend class TColumnTitle;
    friend class TEnhGridColumns;
    void Changed();

    TEnhGridColumns* collection_;
    uint8_t assigned_ = 0;
    TAlignment alignment_ = taLeftJustify;
    TColumnButtonStyle buttonStyle_ = cbsAuto;
    TColumnFormat format_ = cfString;
    sps::TColor color_ = clWindow;
    sps::TFont font_;
    bool readOnly_ = false;
    std::vector<std::string> pickList_;
    std::weak_ptr<TColumnPopupMenu> popupMenu_;
    std::unique_ptr<TColumnTitle> title_;
    std::string displayMask_;
    int internalCol_ = -1;
};

class TEnhGridColumns {
public:
    explicit TEnhGridColumns(TEnhGrid* grid) : grid_(grid) {}
    ~TEnhGridColumns();
    TEnhGridColumns(const TEnhGridColumns&) = delete;
    TEnhGridColumns& operator=(const TEnhGridColumns&) = delete;

    int Count() const { return static_cast<int>(items_.size()); }
    TColumn& operator[](int index) const { return *items_.at(static_cast<size_t>(index)); }
    TColumn& Items(int index) const { return (*this)[index]; }
    // Adds a column; the grid gets one more column.
    TColumn& Add();
    // Frees a column; the grid loses a column.
    void Delete(int index);
    // Moves a column object (the cells are not touched).
    void Move(int from, int to);
    // As many columns as the source, each assigned from it.
    void Assign(const TEnhGridColumns& source);
    TEnhGrid* Grid() const { return grid_; }
    // Any column changed: the grid repaints.
    void Update();

private:
    friend class TColumn;
    friend class TEnhGrid;
    TEnhGrid* grid_;
    std::vector<std::unique_ptr<TColumn>> items_;
};

// What the view draws in a cell.
struct TCellDrawing {
    std::string Text;
    TAlignment Alignment = taLeftJustify;
    sps::TFont Font;
    sps::TColor Color = clWindow;
    bool Fixed = false;
};

// What the in-place editor loads for a cell.
struct TEditorContents {
    int EditStyle = 0; // 0 plain, 1 ellipsis button, 2 pick list
    bool ReadOnly = false;
    int MaxLength = 0;
    std::string Text;
    std::string EditMask;
    sps::TColor Color = clWindow;
    sps::TFont Font;
    std::vector<std::string> PickList;
    int DropDownRows = 7;
};

// Outcome of a key the grid handled.
enum class TKeyOutcome {
    Ignored,   // not a key of the grid
    Handled,   // row operation and/or cell move done
    LeaveNext, // Tab from the last cell: focus to the next control
    LeavePrev, // Shift+Tab from the first cell: focus to the previous control
};

// The view's side of the grid: told about every change.
class TEnhGridListener {
public:
    virtual ~TEnhGridListener() = default;
    // Row or column count or fixed counts are about to change / have changed
    // (calls come in pairs; nothing else is reported in between).
    virtual void StructureChanging() = 0;
    virtual void StructureChanged() = 0;
    // A column width or row height changed; -1: all of them.
    virtual void ColWidthChanged(int col) = 0;
    virtual void RowHeightChanged(int row) = 0;
    virtual void CellChanged(int col, int row) = 0;
    virtual void CurrentChanged() = 0;
    virtual void Repaint() = 0;
    virtual void HeightChanged(int height) = 0;
    // The current cell's text changed under an open editor.
    virtual void EditorRefresh() = 0;
};

class TEnhGrid : public TReportGrid {
public:
    TEnhGrid();
    ~TEnhGrid() override;
    TEnhGrid(const TEnhGrid&) = delete;
    TEnhGrid& operator=(const TEnhGrid&) = delete;

    // ---- string grid
    int RowCount() const { return static_cast<int>(cells_.size()); }
    // At least one row.
    void SetRowCount(int count) override;
    int ColCount() const override { return colCount_; }
    // At least one column; Columns follows.
    void SetColCount(int count) override;
    int FixedRows() const { return fixedRows_; }
    void SetFixedRows(int count);
    int FixedCols() const { return fixedCols_; }
    void SetFixedCols(int count);
    const std::string& Cell(int col, int row) const;
    void SetCell(int col, int row, const std::string& text);
    // A value kept with a cell beside its text: it moves with the cell when
    // rows are inserted or deleted and columns moved, and goes when the cell
    // is emptied by them; setting the text leaves it.
    const std::any& Object(int col, int row) const;
    void SetObject(int col, int row, std::any object);
    int DefaultRowHeight() const override { return defaultRowHeight_; }
    void SetDefaultRowHeight(int height);
    int RowHeight(int row) const;
    // A height below 0 hides the row.
    void SetRowHeight(int row, int height);
    bool RowVisible(int row) const { return RowHeight(row) > 0; }
    int DefaultColWidth() const { return defaultColWidth_; }
    void SetDefaultColWidth(int width) override;
    int ColWidth(int col) const override;
    void SetColWidth(int col, int width) override;
    TGridOptions Options() const { return options_; }
    void SetOptions(TGridOptions options);
    int Col() const { return col_; }
    int Row() const { return row_; }
    // Moves the current cell; fixed cells and hidden rows are refused.
    bool SetCurrent(int col, int row);
    // The first visible non-fixed row, or -1.
    int FirstDataRow() const;
    int LastDataRow() const;
    // Rows per page for Page Up and Page Down (set by the view).
    int VisibleRows = 10;

    sps::TFont Font;
    void SetFont(const sps::TFont& font);
    sps::TColor Color = clWindow;
    sps::TColor FixedColor = clBtnFace;

    // ---- enhanced grid
    const sps::TBitmap& Image() const { return image_; }
    void SetImage(const sps::TBitmap& image);
    TEnhGridColumns& Columns() { return *columns_; }
    const TEnhGridColumns& Columns() const { return *columns_; }
    void SetColumns(const TEnhGridColumns& columns) { columns_->Assign(columns); }
    TEnhGridOptions EnhancedOptions = 0;
    int MaxRowCount() const { return maxRowCount_; }
    void SetMaxRowCount(int value);
    int MinRowCount() const { return minRowCount_; }
    void SetMinRowCount(int value);
    int SelectedIndex() const { return col_; }
    void SetSelectedIndex(int col) { SetCurrent(col, row_); }

    std::function<void()> OnEditButtonClick;
    std::function<void(TEnhGrid& grid, int col, int row, std::string& mask)> OnGetEditMask;
    std::function<void()> OnGridChanged;
    std::function<void()> BeforeInsert;
    std::function<void()> AfterInsert;
    std::function<void()> BeforeDelete;
    std::function<void()> AfterDelete;
    // Supplies the edit text of a cell (it starts as the cell's text).
    std::function<void(TEnhGrid& grid, int col, int row, std::string& text)> OnGetEditText;
    // A character typed into the editor; set it to 0 to refuse it.
    std::function<void(char& key)> OnKeyPress;

    std::string GetEditText(int col, int row) const;
    void SetEditText(int col, int row, const std::string& text);
    std::string GetEditMask(int col, int row);
    bool CanEditModify() const;
    void EditButtonClick();

    void AppendRow();
    void InsertRow(int row);
    void DeleteRow(int row);
    bool CanRowAction(int key, TShift shift) const;
    // The row operation of the key, then the grid's own key handling (moving
    // the current cell).
    TKeyOutcome KeyDown(int key, TShift shift);
    void ColumnMoved(int from, int to);

    // Cell drawing decisions; `highlighted` when the cell is focused or selected.
    TCellDrawing CellDisplay(int col, int row, bool highlighted) const;
    // The title row: the first fixed row, or the columns' titles when the grid
    // has no fixed row and a column has a title.
    bool HasTitleRow() const;
    TCellDrawing TitleDisplay(int col) const;
    // Left edge of a text in a cell by alignment.
    static int TextLeft(TAlignment alignment, int left, int right, int textWidth);

    // In-place editor: what it loads for the cell, and the check when an edit
    // ends. `modified` is the editor's flag; it is cleared.
    TEditorContents EditorContents(int col, int row);
    void ValidateCell(const std::string& loadedText, bool& modified);

    // ---- TReportGrid (the result tables)
    int TextWidth(const std::string& text) override;
    void SetRow(int row, const std::vector<std::string>& cells) override;
    void SetHeight(int height) override;
    int Height() const { return height_; }
    // Measures text for TextWidth (set by the view; 7 pixels a character without).
    std::function<int(const std::string&)> MeasureText;

    void SetListener(TEnhGridListener* listener) { listener_ = listener; }

private:
    friend class TColumn;
    friend class TEnhGridColumns;
    class TStructure;
    void SizeChanged();
    void SetColCountLocked(int count);
    void ClearRow(int row, bool fixedToo);
    void Notify(void (TEnhGridListener::*fn)());
    void NotifyCell(int col, int row);
    bool IsDataCell(int col, int row) const;
    void ClampCurrent();
    // Moves by Tab; false when it passes the first or last cell.
    bool TabMove(bool back);

    struct TGridCell {
        std::string Text;
        std::any Object;
    };
    std::vector<std::vector<TGridCell>> cells_;
    int colCount_ = 5;
    int fixedRows_ = 1;
    int fixedCols_ = 1;
    int defaultRowHeight_ = 20;
    int defaultColWidth_ = 64;
    std::vector<int> rowHeights_;
    std::vector<int> colWidths_;
    TGridOptions options_ = 0;
    int col_ = 1;
    int row_ = 1;
    sps::TBitmap image_;
    std::unique_ptr<TEnhGridColumns> columns_;
    int maxRowCount_ = 0;
    int minRowCount_ = 0;
    int updateLock_ = 0;
    int structureDepth_ = 0;
    int height_ = 0;
    TEnhGridListener* listener_ = nullptr;
};

// The line edit input mask for an edit mask: '0' required digit, '9' optional
// digit, '#' digit or sign, 'L'/'l' letter, 'A'/'a' letter or digit, 'C'/'c'
// any character, '>' '<' '<>' case, '\' literal, '/' and ':' separators;
// '!' is dropped; of the ";"-separated fields the blank character is kept.
std::string InputMaskOf(const std::string& editMask);

// Display masks (a subset of the number and date patterns): numbers take '0'
// and '#' digits, one '.', ',' for thousands, and literal text before and after
// (quoted or plain); dates take d, dd, m, mm, yy, yyyy and literals.
std::string FormatNumberMask(double value, const std::string& mask);
struct TDate {
    int Year = 0;
    int Month = 0;
    int Day = 0;
    bool operator==(const TDate&) const = default;
};
std::string FormatDateMask(const TDate& date, const std::string& mask);
// The platform's short date format as such a pattern ("dd.mm.yyyy" until set).
std::string& ShortDateFormat();
TDate Today();
// A date in the order of the short date format; any non-digits separate.
bool TryParseDate(const std::string& text, TDate& date);
// The plain decimal text of a number (up to 15 significant digits).
std::string PlainNumberText(double value);

// The first item whose first letter equals `c`, ignoring case; -1 when none.
int PickByFirstLetter(const std::vector<std::string>& items, char c);

// Type-ahead search of the pick list: characters typed within 2000 ms of each
// other build a search text of up to 32 characters.
class TTypeAhead {
public:
    // The first item that begins with the search text, or -1.
    int Key(char c, int64_t timeMs, const std::vector<std::string>& items);
    void Clear() { search_.clear(); }
    const std::string& Search() const { return search_; }

private:
    std::string search_;
    int64_t last_ = 0;
};

} // namespace wd
