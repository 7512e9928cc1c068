// The Qt view of the editable grid: a QTableView over a TEnhGrid with its own
// model, header and delegate, the in-place editor with its ellipsis button or
// pick list, and the row keys.
//
// Mapping: the first fixed row of the grid is the view's title row (the
// horizontal header, which stays in place when the rows scroll); a grid
// without fixed rows shows its column titles there when any column has one.
// Every other row, fixed columns included, is a row of cells; fixed cells take
// the fixed colour and never become current. A row of height 0 or less is
// hidden and skipped by the keys.
//
// Keys: Tab and Shift+Tab move from cell to cell when the grid has goTabs (at
// the last cell Tab first appends a row when dgoAppendRow is set, else the
// focus moves on); Down on the last row appends; Ctrl+Insert inserts a row at
// the current one; Ctrl+Delete deletes it; F2, Enter or typing opens the
// editor. In the editor Ctrl+Enter clicks the ellipsis button, Alt+Down and
// Alt+Up open and close the pick list, Esc puts the text back it had when the
// editor opened, and Enter selects all text or removes the selection: Enter
// never reaches the dialog's default button.
//
// A report table goes in with `table.FillGrid(view->Grid())` (TEnhGrid is a
// TReportGrid); for a read-only grid clear goEditing from Grid().Options().
// The height FillGrid asks for is taken only when no layout places the view.
#pragma once

#include "walldesign/ui/enhgrid.h"

#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPointer>
#include <QTableView>
#include <memory>


namespace wd {

class TEnhGridModel;
class TEnhGridHeader;
class TEnhGridView;

// Qt key and modifiers as the grid's key code and shift state (0: none).
int KeyCodeOf(int qtKey);
TShift ShiftOf(Qt::KeyboardModifiers modifiers);

// A QMenu as a column's pop-up menu.
class TQtColumnMenu : public TColumnPopupMenu {
public:
    explicit TQtColumnMenu(QMenu* menu) : Menu(menu) {}
    QPointer<QMenu> Menu;
    void Popup(int x, int y) override;
};

// The drop-down pick list: a top-most window that never takes the focus;
// typed characters search its items.
class TPopupListbox : public QListWidget {
public:
    explicit TPopupListbox(QWidget* editor);
    TTypeAhead TypeAhead;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QWidget* editor_;
};

class TEnhGridInplaceEdit : public QLineEdit {
public:
    TEnhGridInplaceEdit(TEnhGridView* view, QWidget* parent);
    ~TEnhGridInplaceEdit() override;

    int ButtonWidth;
    TPopupListbox* PickListBox = nullptr;
    TPopupListbox* ActiveList = nullptr;
    int EditStyle = 0;
    bool ListVisible = false;
    bool Tracking = false;
    bool Pressed = false;
    std::string LoadedText;
    std::vector<std::string> PickItems;
    int DropDownRows = 7;

    // Loads the current cell (style, colours, text).
    void UpdateContents();
    void SetEditStyle(int style);
    void DropDown();
    void CloseUp(bool accept);
    // Key handling of the pick list; true when the key was consumed.
    bool DoDropDownKeys(QKeyEvent* event);
    // Shows the cell's text again after the grid changed it.
    void RefreshText();
    QRect ButtonRect() const;
    bool Closing = false;

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void TrackButton(const QPoint& pos);
    void StopTracking();
    bool ButtonPressed(const QPoint& pos);
    TEnhGridView* view_;
};

class TEnhGridView : public QTableView, private TEnhGridListener {
public:
    explicit TEnhGridView(QWidget* parent = nullptr);
    ~TEnhGridView() override;

    TEnhGrid& Grid() { return *grid_; }
    const TEnhGrid& Grid() const { return *grid_; }

    // The open in-place editor, or nullptr.
    TEnhGridInplaceEdit* Editor() const { return editor_; }
    // Opens the editor on the current cell.
    void ShowEditor();
    // Ends an open edit: the pick list closes, the cell is validated
    // (OnGridChanged fires) and the editor closes.
    void CommitEdit();
    // The model index of a grid cell (invalid for the title row).
    QModelIndex IndexOf(int col, int row) const;
    // The grid row and column of a model index.
    int GridRow(const QModelIndex& index) const;

    // Qt font of a grid font on this widget's screen.
    QFont QtFontOf(const sps::TFont& font);
    // Height the title row needs.
    int TitleHeight();

    // Called by the editor.
    void EditorKey(int key, TShift shift);
    void EditorFocusLost();
    void EditorCreated(TEnhGridInplaceEdit* editor) { editor_ = editor; }

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // TEnhGridListener
    void StructureChanging() override;
    void StructureChanged() override;
    void ColWidthChanged(int col) override;
    void RowHeightChanged(int row) override;
    void CellChanged(int col, int row) override;
    void CurrentChanged() override;
    void Repaint() override;
    void HeightChanged(int height) override;
    void EditorRefresh() override;

    void ApplyOptions();
    void ApplyRowHeight(int row);
    void SyncCurrent();
    void FinishEdit(bool validate);
    void HandleOutcome(TKeyOutcome outcome);
    void UpdateTitleRow();

    std::unique_ptr<TEnhGrid> grid_;
    TEnhGridModel* model_;
    TEnhGridHeader* header_;
    QPointer<TEnhGridInplaceEdit> editor_;
    bool syncing_ = false;
    bool applying_ = false;
    TGridOptions appliedOptions_ = ~0u;
};

} // namespace wd
