// The result windows of a wall: the tables window (three tabs over a grid)
// and the diagrams window (nine tabs over a picture). Both are MDI children
// that the wall knows as its views; closing one frees it.
#pragma once

#include "walldesign/calc/wall.h"

#include <QMdiSubWindow>
#include <QWidget>

class QMdiArea;
class QTabBar;

namespace wd {

class TDrawing;
class TEnhGridView;

// A result window of one wall.
class TResultWindow : public QMdiSubWindow, public TWallView {
public:
    TResultWindow(TWall* wall, QWidget* parent);
    ~TResultWindow() override;

    TWall* Wall() const { return wall_; }
    QTabBar* TabControl;

    void CloseView() override;

protected:
    void closeEvent(QCloseEvent* event) override;
    // Tab past the last control, or Shift+Tab before the first, goes on to
    // the main window's controls (the project tree) instead of wrapping.
    bool focusNextPrevChild(bool next) override;
    // The wall's report, or nullptr (then the window closes).
    TReport* Report();

    TWall* wall_;
};

class TTableForm : public TResultWindow {
public:
    TTableForm(TWall* wall, QWidget* parent);
    ~TTableForm() override;

    TEnhGridView* Grid;

    // Copies the table of the current tab (report paragraphs 7 to 9).
    void Refill() override;
    int RowCount() const;
    int ColCount() const;
    QString Cell(int col, int row) const;
};

// The panel of the diagrams window: stretches the kept drawing.
class TDiagramPaintBox : public QWidget {
public:
    explicit TDiagramPaintBox(QWidget* parent);
    const TDrawing* Picture = nullptr;

protected:
    void paintEvent(QPaintEvent* event) override;
};

class TDiagramForm : public TResultWindow {
public:
    TDiagramForm(TWall* wall, QWidget* parent);

    QWidget* Panel1;
    TDiagramPaintBox* PaintBox;

    // Shows the drawing of the current tab (report paragraphs 10 to 18).
    void Refill() override;
    // Keeps the drawing (not owned) and repaints on the background colour.
    void SetPicture(const TDrawing* drawing);
    const TDrawing* Picture() const { return PaintBox->Picture; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormShow();
};

// Brings the wall's window to the front, or opens it in `area` when the
// wall has a report (calculating it when modified). An error of the
// calculation is raised and opens nothing.
void ShowResultTables(TWall* wall, QMdiArea* area);
void ShowResultDiagrams(TWall* wall, QMdiArea* area);

} // namespace wd
