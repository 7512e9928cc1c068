#include "walldesign/ui/enhgrid.h"

#include "platform/numtext.h"

#include <algorithm>
#include <charconv>
#include <cctype>
#include <cmath>
#include <ctime>

namespace wd {

// ---------------------------------------------------------------- structure changes

// Brackets a change of the grid's shape: the listener hears of the outermost one.
class TEnhGrid::TStructure {
public:
    explicit TStructure(TEnhGrid& grid) : grid_(grid)
    {
        if (grid_.structureDepth_++ == 0 && grid_.listener_)
            grid_.listener_->StructureChanging();
    }
    ~TStructure()
    {
        if (--grid_.structureDepth_ == 0 && grid_.listener_)
            grid_.listener_->StructureChanged();
    }
    TStructure(const TStructure&) = delete;
    TStructure& operator=(const TStructure&) = delete;

private:
    TEnhGrid& grid_;
};

// ---------------------------------------------------------------- TColumnTitle

TAlignment TColumnTitle::Alignment() const
{
    return column_->IsAssigned(TColumn::cvTitleAlignment) ? alignment_ : taLeftJustify;
}

void TColumnTitle::SetAlignment(TAlignment value)
{
    alignment_ = value;
    column_->assigned_ |= TColumn::cvTitleAlignment;
    column_->Changed();
}

void TColumnTitle::SetCaption(const std::string& value)
{
    caption_ = value;
    column_->assigned_ |= TColumn::cvTitleCaption;
    column_->Changed();
}

sps::TFont TColumnTitle::Font() const
{
    if (column_->IsAssigned(TColumn::cvTitleFont))
        return font_;
    if (TEnhGrid* grid = column_->Grid())
        return grid->Font;
    return column_->Font();
}

void TColumnTitle::SetFont(const sps::TFont& value)
{
    font_ = value;
    column_->assigned_ |= TColumn::cvTitleFont;
    column_->Changed();
}

void TColumnTitle::RestoreDefaults()
{
    column_->assigned_ &= static_cast<uint8_t>(~(TColumn::cvTitleCaption | TColumn::cvTitleAlignment |
                                                  TColumn::cvTitleFont));
    caption_.clear();
    alignment_ = taLeftJustify;
    font_ = sps::TFont{};
    column_->Changed();
}

void TColumnTitle::Assign(const TColumnTitle& source)
{
    const TColumn& from = *source.column_;
    if (from.IsAssigned(TColumn::cvTitleAlignment))
        SetAlignment(source.alignment_);
    if (from.IsAssigned(TColumn::cvTitleCaption))
        SetCaption(source.caption_);
    if (from.IsAssigned(TColumn::cvTitleFont))
        SetFont(source.font_);
}

// ---------------------------------------------------------------- TColumn

TColumn::TColumn(TEnhGridColumns* collection) : collection_(collection)
{
    if (TEnhGrid* grid = Grid())
        font_ = grid->Font;
    title_ = CreateTitle();
}

TColumn::~TColumn() = default;

std::unique_ptr<TColumnTitle> TColumn::CreateTitle()
{
    return std::make_unique<TColumnTitle>(this);
}

TEnhGrid* TColumn::Grid() const
{
    return collection_ ? collection_->Grid() : nullptr;
}

int TColumn::Index() const
{
    if (!collection_)
        return -1;
    for (int i = 0; i < collection_->Count(); i++)
        if (&(*collection_)[i] == this)
            return i;
    return -1;
}

void TColumn::Changed()
{
    if (collection_)
        collection_->Update();
}

TAlignment TColumn::Alignment() const
{
    return IsAssigned(cvAlignment) ? alignment_ : taLeftJustify;
}

void TColumn::SetAlignment(TAlignment value)
{
    if (IsAssigned(cvAlignment) && alignment_ == value)
        return;
    alignment_ = value;
    assigned_ |= cvAlignment;
    Changed();
}

void TColumn::SetButtonStyle(TColumnButtonStyle value)
{
    if (buttonStyle_ == value)
        return;
    buttonStyle_ = value;
    Changed();
}

void TColumn::SetFormat(TColumnFormat value)
{
    format_ = value;
    displayMask_.clear();
    Changed();
}

sps::TColor TColumn::Color() const
{
    if (IsAssigned(cvColor))
        return color_;
    TEnhGrid* grid = Grid();
    return grid ? grid->Color : clWindow;
}

void TColumn::SetColor(sps::TColor value)
{
    if (IsAssigned(cvColor) && color_ == value)
        return;
    color_ = value;
    assigned_ |= cvColor;
    Changed();
}

sps::TFont TColumn::Font() const
{
    if (IsAssigned(cvFont))
        return font_;
    TEnhGrid* grid = Grid();
    return grid ? grid->Font : font_;
}

void TColumn::SetFont(const sps::TFont& value)
{
    font_ = value;
    assigned_ |= cvFont;
    Changed();
}

void TColumn::SetPickList(const std::vector<std::string>& items)
{
    pickList_ = items;
}

bool TColumn::ReadOnly() const
{
    if (IsAssigned(cvReadOnly))
        return readOnly_;
    TEnhGrid* grid = Grid();
    return grid ? (grid->Options() & goEditing) == 0 : true;
}

void TColumn::SetReadOnly(bool value)
{
    if (IsAssigned(cvReadOnly) && readOnly_ == value)
        return;
    readOnly_ = value;
    assigned_ |= cvReadOnly;
    Changed();
}

void TColumn::SetDisplayMask(const std::string& value)
{
    displayMask_ = value;
    Changed();
}

void TColumn::RestoreDefaults()
{
    title_->RestoreDefaults();
    assigned_ = 0;
    TEnhGrid* grid = Grid();
    font_ = grid ? grid->Font : sps::TFont{};
    pickList_.clear();
    buttonStyle_ = cbsAuto;
    Changed();
}

void TColumn::Assign(const TColumn& source)
{
    RestoreDefaults();
    if (source.IsAssigned(cvColor))
        SetColor(source.color_);
    if (source.IsAssigned(cvFont))
        SetFont(source.font_);
    if (source.IsAssigned(cvAlignment))
        SetAlignment(source.alignment_);
    if (source.IsAssigned(cvReadOnly))
        SetReadOnly(source.readOnly_);
    title_->Assign(*source.title_);
    DropDownRows = source.DropDownRows;
    SetButtonStyle(source.buttonStyle_);
    pickList_ = source.pickList_;
    popupMenu_ = source.popupMenu_;
}

// ---------------------------------------------------------------- TEnhGridColumns

TEnhGridColumns::~TEnhGridColumns() = default;

TColumn& TEnhGridColumns::Add()
{
    items_.push_back(std::make_unique<TColumn>(this));
    TColumn& column = *items_.back();
    column.internalCol_ = Count() - 1;
    if (grid_)
        grid_->SetColCountLocked(Count());
    return column;
}

void TEnhGridColumns::Delete(int index)
{
    if (index < 0 || index >= Count())
        return;
    items_.erase(items_.begin() + index);
    if (grid_)
        grid_->SetColCountLocked(Count());
}

void TEnhGridColumns::Move(int from, int to)
{
    if (from < 0 || from >= Count() || to < 0 || to >= Count() || from == to)
        return;
    std::unique_ptr<TColumn> moved = std::move(items_[static_cast<size_t>(from)]);
    items_.erase(items_.begin() + from);
    items_.insert(items_.begin() + to, std::move(moved));
    Update();
}

void TEnhGridColumns::Assign(const TEnhGridColumns& source)
{
    if (&source == this)
        return;
    while (Count() > source.Count())
        Delete(Count() - 1);
    while (Count() < source.Count())
        Add();
    for (int i = 0; i < Count(); i++)
        (*this)[i].Assign(source[i]);
}

void TEnhGridColumns::Update()
{
    if (grid_ && grid_->listener_)
        grid_->listener_->Repaint();
}

// ---------------------------------------------------------------- TEnhGrid

TEnhGrid::TEnhGrid()
{
    cells_.assign(5, std::vector<TGridCell>(static_cast<size_t>(colCount_)));
    rowHeights_.assign(5, defaultRowHeight_);
    colWidths_.assign(static_cast<size_t>(colCount_), defaultColWidth_);
    options_ = goFixedVertLine | goFixedHorzLine | goVertLine | goHorzLine | goColSizing | goEditing;
    columns_ = std::make_unique<TEnhGridColumns>(this);
    SizeChanged();
}

TEnhGrid::~TEnhGrid()
{
    listener_ = nullptr;
    updateLock_ = 2;
    columns_.reset();
}

void TEnhGrid::Notify(void (TEnhGridListener::*fn)())
{
    if (listener_ && structureDepth_ == 0)
        (listener_->*fn)();
}

void TEnhGrid::NotifyCell(int col, int row)
{
    if (listener_ && structureDepth_ == 0)
        listener_->CellChanged(col, row);
}

void TEnhGrid::SetRowCount(int count)
{
    count = std::max(1, count);
    if (count == RowCount())
        return;
    TStructure change(*this);
    cells_.resize(static_cast<size_t>(count), std::vector<TGridCell>(static_cast<size_t>(colCount_)));
    rowHeights_.resize(static_cast<size_t>(count), defaultRowHeight_);
    ClampCurrent();
}

void TEnhGrid::SetColCount(int count)
{
    count = std::max(1, count);
    if (count == colCount_)
        return;
    TStructure change(*this);
    colCount_ = count;
    for (auto& row : cells_)
        row.resize(static_cast<size_t>(count));
    colWidths_.resize(static_cast<size_t>(count), defaultColWidth_);
    SizeChanged();
    ClampCurrent();
}

void TEnhGrid::SetColCountLocked(int count)
{
    if (updateLock_ != 0)
        return;
    ++updateLock_;
    SetColCount(count);
    --updateLock_;
}

void TEnhGrid::SizeChanged()
{
    if (updateLock_ != 0 || !columns_)
        return;
    ++updateLock_;
    while (columns_->Count() > colCount_)
        columns_->Delete(columns_->Count() - 1);
    while (columns_->Count() < colCount_)
        columns_->Add();
    --updateLock_;
}

void TEnhGrid::SetFixedRows(int count)
{
    count = std::clamp(count, 0, RowCount());
    if (count == fixedRows_)
        return;
    TStructure change(*this);
    fixedRows_ = count;
    ClampCurrent();
}

void TEnhGrid::SetFixedCols(int count)
{
    count = std::clamp(count, 0, colCount_);
    if (count == fixedCols_)
        return;
    TStructure change(*this);
    fixedCols_ = count;
    ClampCurrent();
}

const std::string& TEnhGrid::Cell(int col, int row) const
{
    static const std::string empty;
    if (row < 0 || row >= RowCount() || col < 0 || col >= colCount_)
        return empty;
    return cells_[static_cast<size_t>(row)][static_cast<size_t>(col)].Text;
}

void TEnhGrid::SetCell(int col, int row, const std::string& text)
{
    if (row < 0 || row >= RowCount() || col < 0 || col >= colCount_)
        return;
    std::string& cell = cells_[static_cast<size_t>(row)][static_cast<size_t>(col)].Text;
    if (cell == text)
        return;
    cell = text;
    NotifyCell(col, row);
}

const std::any& TEnhGrid::Object(int col, int row) const
{
    static const std::any none;
    if (row < 0 || row >= RowCount() || col < 0 || col >= colCount_)
        return none;
    return cells_[static_cast<size_t>(row)][static_cast<size_t>(col)].Object;
}

void TEnhGrid::SetObject(int col, int row, std::any object)
{
    if (row >= 0 && row < RowCount() && col >= 0 && col < colCount_)
        cells_[static_cast<size_t>(row)][static_cast<size_t>(col)].Object = std::move(object);
}

void TEnhGrid::SetDefaultRowHeight(int height)
{
    defaultRowHeight_ = height;
    std::fill(rowHeights_.begin(), rowHeights_.end(), height);
    if (listener_ && structureDepth_ == 0)
        listener_->RowHeightChanged(-1);
    ClampCurrent();
}

int TEnhGrid::RowHeight(int row) const
{
    if (row < 0 || row >= RowCount())
        return defaultRowHeight_;
    return rowHeights_[static_cast<size_t>(row)];
}

void TEnhGrid::SetRowHeight(int row, int height)
{
    if (row < 0 || row >= RowCount() || rowHeights_[static_cast<size_t>(row)] == height)
        return;
    rowHeights_[static_cast<size_t>(row)] = height;
    if (listener_ && structureDepth_ == 0)
        listener_->RowHeightChanged(row);
    ClampCurrent();
}

void TEnhGrid::SetDefaultColWidth(int width)
{
    defaultColWidth_ = width;
    std::fill(colWidths_.begin(), colWidths_.end(), width);
    if (listener_ && structureDepth_ == 0)
        listener_->ColWidthChanged(-1);
}

int TEnhGrid::ColWidth(int col) const
{
    if (col < 0 || col >= colCount_)
        return defaultColWidth_;
    return colWidths_[static_cast<size_t>(col)];
}

void TEnhGrid::SetColWidth(int col, int width)
{
    if (col < 0 || col >= colCount_ || colWidths_[static_cast<size_t>(col)] == width)
        return;
    colWidths_[static_cast<size_t>(col)] = width;
    if (listener_ && structureDepth_ == 0)
        listener_->ColWidthChanged(col);
}

void TEnhGrid::SetOptions(TGridOptions options)
{
    options_ = options;
    Notify(&TEnhGridListener::Repaint);
}

void TEnhGrid::SetFont(const sps::TFont& font)
{
    Font = font;
    Notify(&TEnhGridListener::Repaint);
}

bool TEnhGrid::IsDataCell(int col, int row) const
{
    return col >= fixedCols_ && col < colCount_ && row >= fixedRows_ && row < RowCount() && RowVisible(row);
}

int TEnhGrid::FirstDataRow() const
{
    for (int r = fixedRows_; r < RowCount(); r++)
        if (RowVisible(r))
            return r;
    return -1;
}

int TEnhGrid::LastDataRow() const
{
    for (int r = RowCount() - 1; r >= fixedRows_; r--)
        if (RowVisible(r))
            return r;
    return -1;
}

bool TEnhGrid::SetCurrent(int col, int row)
{
    if (!IsDataCell(col, row))
        return false;
    if (col != col_ || row != row_) {
        col_ = col;
        row_ = row;
        Notify(&TEnhGridListener::CurrentChanged);
    }
    return true;
}

void TEnhGrid::ClampCurrent()
{
    int col = std::clamp(col_, std::min(fixedCols_, colCount_ - 1), colCount_ - 1);
    int row = std::clamp(row_, std::min(fixedRows_, RowCount() - 1), RowCount() - 1);
    if (!RowVisible(row) || row < fixedRows_) {
        int below = -1;
        for (int r = std::max(row, fixedRows_); r < RowCount() && below < 0; r++)
            if (RowVisible(r))
                below = r;
        int above = -1;
        for (int r = row; r >= fixedRows_ && above < 0; r--)
            if (RowVisible(r))
                above = r;
        if (below >= 0)
            row = below;
        else if (above >= 0)
            row = above;
    }
    if (col != col_ || row != row_) {
        col_ = col;
        row_ = row;
        Notify(&TEnhGridListener::CurrentChanged);
    }
}

void TEnhGrid::SetImage(const sps::TBitmap& image)
{
    image_ = image;
    Notify(&TEnhGridListener::Repaint);
}

void TEnhGrid::SetMaxRowCount(int value)
{
    maxRowCount_ = std::max(0, value);
    if (maxRowCount_ >= 1 && RowCount() > maxRowCount_)
        SetRowCount(maxRowCount_);
}

void TEnhGrid::SetMinRowCount(int value)
{
    minRowCount_ = std::max(0, value);
    if (minRowCount_ >= 1 && RowCount() < minRowCount_)
        SetRowCount(minRowCount_);
}

std::string TEnhGrid::GetEditText(int col, int row) const
{
    std::string text = Cell(col, row);
    if (OnGetEditText)
        OnGetEditText(const_cast<TEnhGrid&>(*this), col, row, text);
    return text;
}

void TEnhGrid::SetEditText(int col, int row, const std::string& text)
{
    SetCell(col, row, text);
}

std::string TEnhGrid::GetEditMask(int col, int row)
{
    std::string mask = col >= 0 && col < columns_->Count() ? (*columns_)[col].EditMask : std::string();
    if (OnGetEditMask)
        OnGetEditMask(*this, col, row, mask);
    return mask;
}

bool TEnhGrid::CanEditModify() const
{
    if ((options_ & goEditing) == 0)
        return false;
    return col_ >= columns_->Count() || !(*columns_)[col_].ReadOnly();
}

void TEnhGrid::EditButtonClick()
{
    if (OnEditButtonClick)
        OnEditButtonClick();
}

void TEnhGrid::ClearRow(int row, bool fixedToo)
{
    auto& cells = cells_[static_cast<size_t>(row)];
    for (int c = fixedToo ? 0 : fixedCols_; c < colCount_; c++) {
        TGridCell& cell = cells[static_cast<size_t>(c)];
        cell.Object.reset();
        if (!cell.Text.empty()) {
            cell.Text.clear();
            NotifyCell(c, row);
        }
    }
}

void TEnhGrid::AppendRow()
{
    if (BeforeInsert)
        BeforeInsert();
    if (maxRowCount_ == 0 || RowCount() < maxRowCount_)
        SetRowCount(RowCount() + 1);
    if (AfterInsert)
        AfterInsert();
}

void TEnhGrid::InsertRow(int row)
{
    if (BeforeInsert)
        BeforeInsert();
    if (maxRowCount_ == 0 || RowCount() < maxRowCount_) {
        TStructure change(*this);
        row = std::clamp(row, 0, RowCount());
        SetRowCount(RowCount() + 1);
        for (int r = RowCount() - 1; r > row; r--)
            cells_[static_cast<size_t>(r)] = cells_[static_cast<size_t>(r - 1)];
        ClearRow(row, true);
        ClampCurrent();
    }
    if (AfterInsert)
        AfterInsert();
}

void TEnhGrid::DeleteRow(int row)
{
    if (BeforeDelete)
        BeforeDelete();
    if (row >= 0 && row < RowCount()) {
        if (fixedRows_ + 1 < RowCount() && (minRowCount_ == 0 || minRowCount_ < RowCount())) {
            TStructure change(*this);
            for (int r = row; r < RowCount() - 1; r++)
                cells_[static_cast<size_t>(r)] = cells_[static_cast<size_t>(r + 1)];
            ClearRow(RowCount() - 1, true);
            SetRowCount(RowCount() - 1);
            ClampCurrent();
        } else {
            ClearRow(row, false);
        }
    }
    Notify(&TEnhGridListener::EditorRefresh);
    if (AfterDelete)
        AfterDelete();
}

bool TEnhGrid::CanRowAction(int key, TShift shift) const
{
    switch (key) {
    case vkTab:
        return (shift & ssShift) == 0 && row_ == RowCount() - 1 && col_ == colCount_ - 1 &&
               (EnhancedOptions & dgoAppendRow) != 0;
    case vkDown:
        return row_ == RowCount() - 1 && (EnhancedOptions & dgoAppendRow) != 0;
    case vkInsert:
        return (shift & ssCtrl) != 0 && (EnhancedOptions & dgoInsertRow) != 0;
    case vkDelete:
        return (shift & ssCtrl) != 0 && (EnhancedOptions & dgoDeleteRow) != 0;
    default:
        return false;
    }
}

bool TEnhGrid::TabMove(bool back)
{
    int col = col_;
    int row = row_;
    // At most one pass over every cell.
    for (int64_t steps = static_cast<int64_t>(RowCount()) * colCount_; steps > 0; steps--) {
        if (back) {
            if (--col < fixedCols_) {
                col = colCount_ - 1;
                if (--row < fixedRows_)
                    return false;
            }
        } else {
            if (++col >= colCount_) {
                col = fixedCols_;
                if (++row >= RowCount())
                    return false;
            }
        }
        if (IsDataCell(col, row))
            return SetCurrent(col, row);
    }
    return false;
}

TKeyOutcome TEnhGrid::KeyDown(int key, TShift shift)
{
    if (key == vkTab && ((options_ & goTabs) == 0 || (shift & (ssAlt | ssCtrl)) != 0))
        return TKeyOutcome::Ignored;
    bool acted = false;
    if (CanRowAction(key, shift)) {
        acted = true;
        switch (key) {
        case vkTab:
        case vkDown:
            AppendRow();
            break;
        case vkInsert:
            InsertRow(row_);
            break;
        case vkDelete:
            DeleteRow(row_);
            break;
        }
    }

    auto stepRow = [this](int from, int delta) {
        // The visible data row `delta` rows away, or the last one on the way.
        int row = from;
        int dir = delta < 0 ? -1 : 1;
        for (int n = std::abs(delta), r = from + dir; n > 0 && r >= fixedRows_ && r < RowCount(); r += dir)
            if (RowVisible(r)) {
                row = r;
                n--;
            }
        return row;
    };
    int first = FirstDataRow();
    int last = LastDataRow();
    switch (key) {
    case vkTab:
        if (!TabMove((shift & ssShift) != 0))
            return (shift & ssShift) != 0 ? TKeyOutcome::LeavePrev : TKeyOutcome::LeaveNext;
        return TKeyOutcome::Handled;
    case vkUp:
        SetCurrent(col_, stepRow(row_, -1));
        return TKeyOutcome::Handled;
    case vkDown:
        SetCurrent(col_, stepRow(row_, 1));
        return TKeyOutcome::Handled;
    case vkPrior:
        SetCurrent(col_, stepRow(row_, -std::max(1, VisibleRows)));
        return TKeyOutcome::Handled;
    case vkNext:
        SetCurrent(col_, stepRow(row_, std::max(1, VisibleRows)));
        return TKeyOutcome::Handled;
    case vkLeft:
        SetCurrent(std::max(fixedCols_, col_ - 1), row_);
        return TKeyOutcome::Handled;
    case vkRight:
        SetCurrent(std::min(colCount_ - 1, col_ + 1), row_);
        return TKeyOutcome::Handled;
    case vkHome:
        SetCurrent(fixedCols_, (shift & ssCtrl) && first >= 0 ? first : row_);
        return TKeyOutcome::Handled;
    case vkEnd:
        SetCurrent(colCount_ - 1, (shift & ssCtrl) && last >= 0 ? last : row_);
        return TKeyOutcome::Handled;
    default:
        return acted ? TKeyOutcome::Handled : TKeyOutcome::Ignored;
    }
}

void TEnhGrid::ColumnMoved(int from, int to)
{
    if (from < 0 || from >= colCount_ || to < 0 || to >= colCount_ || from == to)
        return;
    TStructure change(*this);
    columns_->Move(from, to);
    auto move = [from, to](auto& items) {
        auto moved = std::move(items[static_cast<size_t>(from)]);
        items.erase(items.begin() + from);
        items.insert(items.begin() + to, std::move(moved));
    };
    for (auto& row : cells_)
        move(row);
    move(colWidths_);
}

int TEnhGrid::TextLeft(TAlignment alignment, int left, int right, int textWidth)
{
    switch (alignment) {
    case taRightJustify:
        return right - textWidth - 3;
    case taCenter:
        return (left + right - textWidth) / 2;
    default:
        return left + 2;
    }
}

TCellDrawing TEnhGrid::CellDisplay(int col, int row, bool highlighted) const
{
    TCellDrawing d;
    d.Text = GetEditText(col, row);
    d.Font = Font;
    d.Color = Color;
    if (col >= 0 && col < columns_->Count()) {
        const TColumn& column = (*columns_)[col];
        d.Alignment = column.Alignment();
        d.Font = column.Font();
        if (!highlighted)
            d.Color = column.Color();
        if (!column.DisplayMask().empty()) {
            if (column.Format() == cfNumber) {
                double v = 0;
                if (sps::TryParseFloat(d.Text, v))
                    d.Text = FormatNumberMask(v, column.DisplayMask());
            } else if (column.Format() == cfDate) {
                TDate date;
                if (TryParseDate(d.Text, date))
                    d.Text = FormatDateMask(date, column.DisplayMask());
            }
        }
        if (row < fixedRows_) {
            if (!column.Title().Caption().empty())
                d.Text = column.Title().Caption();
            d.Alignment = column.Title().Alignment();
            d.Font = column.Title().Font();
        }
    }
    if (row < fixedRows_ || col < fixedCols_) {
        d.Color = FixedColor;
        d.Fixed = true;
    }
    return d;
}

bool TEnhGrid::HasTitleRow() const
{
    if (fixedRows_ >= 1)
        return true;
    for (int c = 0; c < columns_->Count(); c++)
        if (!(*columns_)[c].Title().Caption().empty())
            return true;
    return false;
}

TCellDrawing TEnhGrid::TitleDisplay(int col) const
{
    if (fixedRows_ >= 1)
        return CellDisplay(col, 0, false);
    TCellDrawing d;
    d.Font = Font;
    d.Color = FixedColor;
    d.Fixed = true;
    if (col >= 0 && col < columns_->Count()) {
        const TColumnTitle& title = (*columns_)[col].Title();
        d.Text = title.Caption();
        d.Alignment = title.Alignment();
        d.Font = title.Font();
    }
    return d;
}

TEditorContents TEnhGrid::EditorContents(int col, int row)
{
    TEditorContents e;
    e.Color = Color;
    e.Font = Font;
    e.ReadOnly = (options_ & goEditing) == 0;
    if (col >= 0 && col < columns_->Count()) {
        const TColumn& column = (*columns_)[col];
        if (column.ButtonStyle() == cbsEllipsis)
            e.EditStyle = 1;
        else if (column.ButtonStyle() == cbsAuto && !column.PickList().empty() && !column.ReadOnly())
            e.EditStyle = 2;
        e.Color = column.Color();
        e.Font = column.Font();
        e.ReadOnly = column.ReadOnly() || (e.EditStyle == 2 && column.LimitToList);
        e.MaxLength = column.MaxLength;
        e.DropDownRows = column.DropDownRows;
        if (e.EditStyle == 2)
            e.PickList = column.PickList();
    }
    e.Text = GetEditText(col, row);
    e.EditMask = GetEditMask(col, row);
    return e;
}

void TEnhGrid::ValidateCell(const std::string& loadedText, bool& modified)
{
    if (!modified)
        return;
    modified = false;
    const std::string text = Cell(col_, row_);
    if (col_ < columns_->Count() && !text.empty()) {
        bool ok = true;
        std::string result = text;
        switch ((*columns_)[col_].Format()) {
        case cfString:
            break;
        case cfNumber: {
            double v = 0;
            ok = sps::TryParseFloat(text, v);
            if (ok)
                result = PlainNumberText(v);
            break;
        }
        case cfDate: {
            char first = static_cast<char>(std::toupper(static_cast<unsigned char>(text[0])));
            TDate date;
            if (std::string_view("NTHJD").find(first) != std::string_view::npos)
                result = FormatDateMask(Today(), ShortDateFormat());
            else if ((ok = TryParseDate(text, date)))
                result = FormatDateMask(date, ShortDateFormat());
            break;
        }
        }
        SetEditText(col_, row_, ok ? result : loadedText);
        if (!ok || result != text)
            Notify(&TEnhGridListener::EditorRefresh);
    }
    if (OnGridChanged)
        OnGridChanged();
}

int TEnhGrid::TextWidth(const std::string& text)
{
    return MeasureText ? MeasureText(text) : 7 * static_cast<int>(text.size());
}

void TEnhGrid::SetRow(int row, const std::vector<std::string>& cells)
{
    if (row < 0 || row >= RowCount())
        return;
    for (int c = 0; c < colCount_; c++)
        SetCell(c, row, static_cast<size_t>(c) < cells.size() ? cells[static_cast<size_t>(c)] : std::string());
}

void TEnhGrid::SetHeight(int height)
{
    height_ = height;
    if (listener_)
        listener_->HeightChanged(height);
}

// ---------------------------------------------------------------- masks and dates

std::string InputMaskOf(const std::string& editMask)
{
    if (editMask.empty())
        return {};
    std::string mask = editMask.substr(0, editMask.find(';'));
    std::string blank;
    size_t first = editMask.find(';');
    if (first != std::string::npos) {
        size_t second = editMask.find(';', first + 1);
        if (second != std::string::npos && second + 1 < editMask.size())
            blank = editMask.substr(second + 1, 1);
    }
    static const std::string special = "AaNnXx90Dd#HhBb><!\\";
    std::string out;
    for (size_t i = 0; i < mask.size(); i++) {
        char c = mask[i];
        switch (c) {
        case '\\':
            if (i + 1 < mask.size()) {
                out += '\\';
                out += mask[++i];
            }
            break;
        case '0': out += '9'; break;
        case '9': out += '0'; break;
        case '#': out += '#'; break;
        case 'L': out += 'A'; break;
        case 'l': out += 'a'; break;
        case 'A': out += 'N'; break;
        case 'a': out += 'n'; break;
        case 'C': out += 'X'; break;
        case 'c': out += 'x'; break;
        case '>': out += '>'; break;
        case '<':
            if (i + 1 < mask.size() && mask[i + 1] == '>') {
                out += '!';
                i++;
            } else {
                out += '<';
            }
            break;
        case '!': break;
        default:
            if (special.find(c) != std::string::npos)
                out += '\\';
            out += c;
        }
    }
    if (!blank.empty())
        out += ";" + blank;
    return out;
}

namespace {

// Splits a mask into literal text before and after its pattern part.
struct TMaskParts {
    std::string Prefix;
    std::string Pattern;
    std::string Suffix;
};

TMaskParts SplitMask(const std::string& mask, const std::string& patternChars)
{
    TMaskParts parts;
    bool inPattern = false;
    bool afterPattern = false;
    for (size_t i = 0; i < mask.size(); i++) {
        char c = mask[i];
        std::string& literal = afterPattern || inPattern ? parts.Suffix : parts.Prefix;
        if (c == '\'' || c == '"') {
            size_t end = mask.find(c, i + 1);
            literal += mask.substr(i + 1, (end == std::string::npos ? mask.size() : end) - i - 1);
            if (inPattern) {
                inPattern = false;
                afterPattern = true;
            }
            i = end == std::string::npos ? mask.size() : end;
        } else if (!afterPattern && patternChars.find(c) != std::string::npos) {
            inPattern = true;
            parts.Pattern += c;
        } else {
            if (inPattern) {
                inPattern = false;
                afterPattern = true;
            }
            (afterPattern ? parts.Suffix : parts.Prefix) += c;
        }
    }
    return parts;
}

char ThousandSeparator()
{
    return sps::DecimalSeparator() == '.' ? ',' : '.';
}

bool IsLeap(int y)
{
    return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}

int DaysIn(int y, int m)
{
    static const int days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m == 2 && IsLeap(y) ? 29 : days[m - 1];
}

std::string Pad(int value, int width)
{
    std::string s = std::to_string(value);
    while (static_cast<int>(s.size()) < width)
        s.insert(s.begin(), '0');
    return s;
}

} // namespace

std::string FormatNumberMask(double value, const std::string& mask)
{
    TMaskParts parts = SplitMask(mask, "0#.,");
    const std::string& p = parts.Pattern;
    size_t dot = p.find('.');
    std::string intPat = p.substr(0, dot);
    std::string fracPat = dot == std::string::npos ? std::string() : p.substr(dot + 1);
    bool grouping = intPat.find(',') != std::string::npos;
    int minInt = static_cast<int>(std::count(intPat.begin(), intPat.end(), '0'));
    int minFrac = static_cast<int>(std::count(fracPat.begin(), fracPat.end(), '0'));
    int maxFrac = minFrac + static_cast<int>(std::count(fracPat.begin(), fracPat.end(), '#'));
    if (!std::isfinite(value))
        return sps::FormatFixed(value, 0);

    std::string s = sps::FormatFixed(std::fabs(value), maxFrac);
    size_t sep = s.find(sps::DecimalSeparator());
    std::string intDigits = s.substr(0, sep);
    std::string frac = sep == std::string::npos ? std::string() : s.substr(sep + 1);
    while (static_cast<int>(frac.size()) > minFrac && !frac.empty() && frac.back() == '0')
        frac.pop_back();
    if (intDigits == "0" && minInt == 0)
        intDigits.clear();
    while (static_cast<int>(intDigits.size()) < minInt)
        intDigits.insert(intDigits.begin(), '0');
    if (grouping)
        for (int i = static_cast<int>(intDigits.size()) - 3; i > 0; i -= 3)
            intDigits.insert(intDigits.begin() + i, ThousandSeparator());
    bool nonZero = (intDigits + frac).find_first_of("123456789") != std::string::npos;
    std::string out = parts.Prefix;
    if (value < 0 && nonZero)
        out += '-';
    out += intDigits;
    if (!frac.empty())
        out += sps::DecimalSeparator() + frac;
    return out + parts.Suffix;
}

std::string FormatDateMask(const TDate& date, const std::string& mask)
{
    std::string out;
    for (size_t i = 0; i < mask.size();) {
        char c = static_cast<char>(std::tolower(static_cast<unsigned char>(mask[i])));
        size_t run = 1;
        while (i + run < mask.size() && std::tolower(static_cast<unsigned char>(mask[i + run])) == c)
            run++;
        if (c == '\'' || c == '"') {
            size_t end = mask.find(mask[i], i + 1);
            out += mask.substr(i + 1, (end == std::string::npos ? mask.size() : end) - i - 1);
            i = end == std::string::npos ? mask.size() : end + 1;
            continue;
        }
        if (c == 'y')
            out += run >= 3 ? Pad(date.Year, 4) : Pad(date.Year % 100, 2);
        else if (c == 'm')
            out += run >= 2 ? Pad(date.Month, 2) : std::to_string(date.Month);
        else if (c == 'd')
            out += run >= 2 ? Pad(date.Day, 2) : std::to_string(date.Day);
        else
            out += mask.substr(i, run);
        i += run;
    }
    return out;
}

std::string& ShortDateFormat()
{
    static std::string format = "dd.mm.yyyy";
    return format;
}

TDate Today()
{
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return TDate{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
}

bool TryParseDate(const std::string& text, TDate& date)
{
    std::vector<int> numbers;
    std::vector<int> digits;
    for (size_t i = 0; i < text.size();) {
        unsigned char c = static_cast<unsigned char>(text[i]);
        if (std::isdigit(c)) {
            size_t j = i;
            while (j < text.size() && std::isdigit(static_cast<unsigned char>(text[j])))
                j++;
            if (j - i > 4 || numbers.size() == 3)
                return false;
            numbers.push_back(std::stoi(text.substr(i, j - i)));
            digits.push_back(static_cast<int>(j - i));
            i = j;
        } else if (std::isalpha(c)) {
            return false;
        } else {
            i++;
        }
    }
    if (numbers.size() < 2)
        return false;
    // Order of day, month and year in the short date format.
    std::string order;
    for (char ch : ShortDateFormat()) {
        char c = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
        if ((c == 'd' || c == 'm' || c == 'y') && order.find(c) == std::string::npos)
            order += c;
    }
    if (order.size() != 3)
        order = "dmy";
    if (numbers.size() == 2)
        order.erase(order.find('y'), 1);
    TDate d{Today().Year, 0, 0};
    for (size_t i = 0; i < numbers.size(); i++) {
        if (order[i] == 'd')
            d.Day = numbers[i];
        else if (order[i] == 'm')
            d.Month = numbers[i];
        else
            d.Year = digits[i] <= 2 ? numbers[i] + (numbers[i] < 50 ? 2000 : 1900) : numbers[i];
    }
    if (d.Year < 1 || d.Month < 1 || d.Month > 12 || d.Day < 1 || d.Day > DaysIn(d.Year, d.Month))
        return false;
    date = d;
    return true;
}

std::string PlainNumberText(double value)
{
    char buf[64];
    auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::general, 15);
    std::string s(buf, res.ptr);
    size_t dot = s.find('.');
    if (dot != std::string::npos)
        s[dot] = sps::DecimalSeparator();
    return s;
}

int PickByFirstLetter(const std::vector<std::string>& items, char c)
{
    int lower = std::tolower(static_cast<unsigned char>(c));
    for (size_t i = 0; i < items.size(); i++)
        if (!items[i].empty() && std::tolower(static_cast<unsigned char>(items[i][0])) == lower)
            return static_cast<int>(i);
    return -1;
}

int TTypeAhead::Key(char c, int64_t timeMs, const std::vector<std::string>& items)
{
    unsigned char u = static_cast<unsigned char>(c);
    if (u == vkBack || u == vkEscape) {
        search_.clear();
        return -1;
    }
    if (u < 32)
        return -1;
    if (timeMs - last_ > 2000)
        search_.clear();
    last_ = timeMs;
    if (search_.size() < 32)
        search_ += c;
    for (size_t i = 0; i < items.size(); i++) {
        const std::string& item = items[i];
        if (item.size() < search_.size())
            continue;
        bool match = true;
        for (size_t k = 0; k < search_.size() && match; k++)
            match = std::tolower(static_cast<unsigned char>(item[k])) ==
                    std::tolower(static_cast<unsigned char>(search_[k]));
        if (match)
            return static_cast<int>(i);
    }
    return -1;
}

} // namespace wd
