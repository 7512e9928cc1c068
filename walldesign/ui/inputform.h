// TInputForm: the modal dialog "Input" in which the input of any wall is
// edited, on six pages, with previews of the geometry, the concentrated forces
// and the Boussinesq strips, and the catalogue lists of sheet pile sections
// and steel grades.
//
// The program creates exactly one at start-up, after the QApplication:
//
//     auto* inputForm = new wd::TInputForm(mainWindow); // reads the catalogues
//     wd::SetInputDialog(inputForm);                    // TWall::Edit shows it
//
// The constructor reads "sheetpiles.dat" and "steelgrades.dat" from the
// program's folder (or from `folder` when given) and raises sps::Exception
// with the file's message when one cannot be read. After every change of the
// unit system call TranslateUnitLabels(). Everything else goes through
// TWall::Edit(page).
#pragma once

#include "walldesign/calc/inputdialog.h"
#include "walldesign/report/drawing.h"

#include <QDialog>
#include <QListWidget>
#include <QWidget>
#include <array>
#include <functional>
#include <map>
#include <string>

class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;

namespace wd {

class TEnhGrid;
class TEnhGridView;

// A paint box that shows a drawing stretched into its area less a margin.
class TPaintBox : public QWidget {
public:
    TPaintBox(const TDrawing& drawing, int margin, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const TDrawing& drawing_;
    int margin_;
};

// A catalogue list: rows of TAB-separated fields, the numbers shown in the
// current unit system in columns of equal width.
class TCatalogueListBox : public QListWidget {
public:
    TCatalogueListBox(int list, QWidget* parent);
    // Distance of the columns and height of the rows in pixels.
    int ColumnStep() const;
    int RowHeight() const;
    // Draws one row (the owner drawing of both lists).
    void DrawItem(QPainter& painter, int index, const QRect& rect, bool selected);

private:
    int list_;
};

// Column headings over a catalogue list, placed where the list draws its
// columns and broken between words to fit them.
class TListHeadings : public QWidget {
public:
    TListHeadings(TCatalogueListBox* list, const std::vector<QLabel*>& labels, QWidget* parent);
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }
    void Relayout();

protected:
    void resizeEvent(QResizeEvent*) override { Relayout(); }

private:
    int Left(int column) const;
    QString Wrap(const QLabel* label, const QString& text) const;
    int Height() const;

    TCatalogueListBox* list_;
    std::vector<QLabel*> labels_;
};

class TInputForm : public QDialog, public TInputDialog {
public:
    explicit TInputForm(QWidget* parent = nullptr, const std::string& folder = {});
    ~TInputForm() override;

    // Labels and grid titles in the current unit system.
    void TranslateUnitLabels();

    // --- components
    QTabWidget* PageControl;
    QWidget* TabSheet1;
    QWidget* TabSheet2;
    QWidget* TabSheet3;
    QWidget* TabSheet4;
    QWidget* TabSheet5;
    QWidget* TabSheet6;
    QPushButton* Button1;
    QPushButton* Button2;

    // Geo Data: Edit1 ... Edit14 (no Edit12 here: it sits on the last page).
    std::array<QLineEdit*, 15> Edits{}; // Edits[n] is EditN
    std::array<QLabel*, 25> Labels{};   // Labels[n] is LabelN
    QComboBox* ComboBox1;
    QFrame* Panel2;
    TPaintBox* PaintBox1;

    // Soil Layers.
    TEnhGridView* Grid1;
    TEnhGridView* Grid2;
    QCheckBox* CheckBox1;
    QCheckBox* CheckBox2;
    QPushButton* CopyButton1;
    QPushButton* CopyButton2;

    // Concentrated Forces, Userdefined Pressures, Boussinesq.
    TEnhGridView* Grid3;
    TEnhGridView* Grid4;
    TEnhGridView* Grid5;
    QFrame* Panel3;
    TPaintBox* PaintBox2;
    QFrame* Panel4;
    TPaintBox* PaintBox3;

    // Sheet Pile Section.
    TCatalogueListBox* ListBox1;
    TCatalogueListBox* ListBox2;
    TListHeadings* Headings1;
    TListHeadings* Headings2;
    QLineEdit* Edit12;

    // The previews' drawings.
    TDrawing GeometryDrawing;
    TDrawing ForcesDrawing;
    TDrawing BousqDrawing;

    // Tests: the user's turns instead of the modal loop, each returning
    // whether OK was chosen; after OK with input that is refused (the error
    // is shown) the user has the next turn.
    std::function<bool(TInputForm&)> OnShowModal;

    // --- handlers
    void GeodataChange();
    void Grid3GridChanged();
    void Grid5GridChanged();
    void Grid1GetEditText(TEnhGrid& grid, int col, int row, std::string& text);
    void AddRowButtonClick(QObject* sender);
    void DeleteRowButtonClick(QObject* sender);
    void CopyButton2Click();
    void FormShow();
    bool IsHeadwall() const { return headwall_; }
    TEnhGridView* GridView(int grid) const;

    // --- TInputDialog
    void SetCaption(const std::string& caption) override;
    std::string Text(const std::string& edit) const override;
    void SetText(const std::string& edit, const std::string& text) override;
    bool Checked(const std::string& checkBox) const override;
    void SetChecked(const std::string& checkBox, bool checked) override;
    void SetVisible(const std::string& control, bool visible) override;
    void SetSupportItems(const std::vector<std::string>& items) override;
    int SupportIndex() const override;
    void SetSupportIndex(int index) override;
    int RowCount(int grid) const override;
    void SetRowCount(int grid, int count) override;
    int ColCount(int grid) const override;
    std::string Cell(int grid, int col, int row) const override;
    void SetCell(int grid, int col, int row, const std::string& text) override;
    std::optional<float> CellValue(int grid, int col, int row) const override;
    void SetCellValue(int grid, int col, int row, std::optional<float> value) override;
    int ListCount(int list) const override;
    std::string ListItem(int list, int index) const override;
    int ListIndex(int list) const override;
    void SetListIndex(int list, int index) override;
    void SetCopyFromHeadwall(std::function<void()> handler) override;
    void ActivatePage(const std::string& page) override;
    void SetHeadwall(bool isHeadwall) override;
    bool ShowModal(const std::function<void()>& accept) override;
    std::string FieldCaption(const TInputField& field) const override;
    void FocusField(const TInputField& field) override;
    void ShowError(const std::string& message) override;

    // OK: the open cell edits end and the wall reads the input; the dialog
    // closes only when it could.
    void accept() override;
    // Ctrl+PgDn, Ctrl+Tab and Ctrl+PgUp, Ctrl+Shift+Tab: the next or the
    // previous page, whichever control has the focus.
    void SelectPage(int step);

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildGeoPage();
    void BuildLayerPage();
    void BuildGridPage(QWidget* page, TEnhGridView*& grid, int tag, QFrame** panel, TPaintBox** box,
                       const TDrawing* drawing);
    TEnhGridView* MakeGrid(int tag, const std::vector<const char*>& titles, const char* rowFormat,
                           bool hiddenFirstRow);
    QWidget* RowButtons(int tag, QWidget* extra = nullptr);
    QLineEdit* Named(const std::string& edit) const;
    // The number in EditN with its factor, 0 when it is none (previews).
    float PreviewValue(int edit, float factor) const;
    void Redraw();
    bool TryAccept();
    // The focus to the first control of a page that takes it.
    void FocusFirstControl(QWidget* page);

    std::map<int, std::string> rowFormats_; // by grid number
    std::function<void()> copyFromHeadwall_;
    std::function<void()> accept_;
    bool headwall_ = true;
};

} // namespace wd
