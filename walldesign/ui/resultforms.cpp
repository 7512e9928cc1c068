#include "walldesign/ui/resultforms.h"

#include "platform/error.h"
#include "platform/gui/canvas.h"
#include "platform/gui/services.h"
#include "walldesign/report/colors.h"
#include "walldesign/report/drawing.h"
#include "walldesign/report/report.h"

#include "walldesign/ui/enhgridview.h"

#include <QCloseEvent>
#include <QMdiArea>
#include <QPainter>
#include <QTabBar>
#include <QVBoxLayout>

#include <algorithm>

namespace wd {

namespace {

constexpr int kFirstTableParagraph = 7;
constexpr int kFirstDiagramParagraph = 10;

QString WindowCaption(const char* format, const TWall& wall)
{
    TSection* section = wall.Section();
    std::string text = sps::Format(format, wall.GetName().c_str(), section ? section->GetName().c_str() : "");
    return QString::fromStdString(text);
}

// Builds the window's content: the tab control over `body`.
QTabBar* AddTabs(QMdiSubWindow* window, QWidget* body, std::initializer_list<const char*> tabs)
{
    auto* content = new QWidget;
    auto* tabControl = new QTabBar(content);
    tabControl->setObjectName(QStringLiteral("TabControl"));
    tabControl->setExpanding(false);
    tabControl->setDrawBase(true);
    for (const char* tab : tabs)
        tabControl->addTab(QString::fromLatin1(tab));
    auto* layout = new QVBoxLayout(content);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(0);
    layout->addWidget(tabControl);
    layout->addWidget(body, 1);
    window->setWidget(content);
    return tabControl;
}

void BringToFront(QMdiSubWindow* window)
{
    if (window->isMinimized())
        window->showNormal();
    if (QMdiArea* area = window->mdiArea())
        area->setActiveSubWindow(window);
    window->raise();
}

} // namespace

// ---------------------------------------------------------------- TResultWindow

TResultWindow::TResultWindow(TWall* wall, QWidget* parent) : QMdiSubWindow(parent), wall_(wall)
{
    setAttribute(Qt::WA_DeleteOnClose);
}

TResultWindow::~TResultWindow()
{
    if (TWall* wall = wall_) {
        wall_ = nullptr;
        wall->ViewClosed(this);
    }
}

void TResultWindow::CloseView()
{
    wall_ = nullptr;
    close();
}

void TResultWindow::closeEvent(QCloseEvent* event)
{
    QMdiSubWindow::closeEvent(event);
    if (!event->isAccepted())
        return;
    if (TWall* wall = wall_) {
        wall_ = nullptr;
        wall->ViewClosed(this);
    }
}

bool TResultWindow::focusNextPrevChild(bool next)
{
    QWidget* top = window();
    QWidget* focus = top->focusWidget();
    if (top == this || !focus || !isAncestorOf(focus))
        return QMdiSubWindow::focusNextPrevChild(next);
    // The next control in the main window's chain: inside this window the
    // usual order goes on; outside it the keyboard leaves the window.
    QWidget* w = focus;
    for (qsizetype n = top->findChildren<QWidget*>().size() + 1; n > 0; n--) {
        w = next ? w->nextInFocusChain() : w->previousInFocusChain();
        if (!w || w == focus)
            break;
        if ((w->focusPolicy() & Qt::TabFocus) != Qt::TabFocus || !w->isEnabled() || !w->isVisibleTo(top) ||
            qobject_cast<QMdiSubWindow*>(w) || qobject_cast<QMdiArea*>(w))
            continue;
        if (isAncestorOf(w))
            break;
        w->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
        return true;
    }
    return QMdiSubWindow::focusNextPrevChild(next);
}

TReport* TResultWindow::Report()
{
    if (!wall_)
        return nullptr;
    TReport* report = wall_->GetReport();
    if (!report && wall_) {
        // Nothing to show: the wall forgets the window, which closes.
        wall_->ViewClosed(this);
        CloseView();
    }
    return report;
}

// ---------------------------------------------------------------- TTableForm

TTableForm::TTableForm(TWall* wall, QWidget* parent) : TResultWindow(wall, parent)
{
    setObjectName(QStringLiteral("TableForm"));
    setWindowTitle(WindowCaption("Result Tables of %s - %s", *wall));
    Grid = new TEnhGridView;
    Grid->setObjectName(QStringLiteral("Grid"));
    TEnhGrid& grid = Grid->Grid();
    // Read only; the first row of every table is its title row.
    grid.SetOptions(goFixedVertLine | goFixedHorzLine | goVertLine | goHorzLine | goColSizing);
    grid.SetDefaultRowHeight(18);
    grid.SetFixedCols(0);
    grid.SetFixedRows(1);
    TabControl = AddTabs(this, Grid, {"All Values", "Extremal Values", "Pile Check"});
    connect(TabControl, &QTabBar::currentChanged, this, [this] {
        sps::RunGuarded([this] {
            if (wall_)
                wall_->RefillResultTables();
        });
    });
    resize(720, 460);
}

TTableForm::~TTableForm() = default;

void TTableForm::Refill()
{
    TReport* report = Report();
    if (!report)
        return;
    int index = kFirstTableParagraph + TabControl->currentIndex();
    if (index >= report->Paragraphs.Count())
        return;
    TParagraph* paragraph = report->Paragraphs.Paragraph(index);
    if (paragraph->Objects.Count() == 0)
        return;
    if (auto* table = dynamic_cast<TTable*>(paragraph->Objects.ReportObject(0)))
        table->FillGrid(Grid->Grid());
}

int TTableForm::RowCount() const { return Grid->Grid().RowCount(); }

int TTableForm::ColCount() const { return Grid->Grid().ColCount(); }

QString TTableForm::Cell(int col, int row) const
{
    if (col < 0 || row < 0 || col >= ColCount() || row >= RowCount())
        return QString();
    return QString::fromStdString(Grid->Grid().Cell(col, row));
}

// ---------------------------------------------------------------- TDiagramForm

TDiagramPaintBox::TDiagramPaintBox(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("PaintBox"));
}

void TDiagramPaintBox::paintEvent(QPaintEvent*)
{
    if (!Picture)
        return;
    sps::TRect rect{60, 20, width() - 50, height() - 20};
    if (rect.Width() <= 0 || rect.Height() <= 0)
        return;
    sps::RunGuarded([&] {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        sps::TQtCanvas canvas(&painter, false);
        Picture->Draw(canvas, rect);
    });
}

TDiagramForm::TDiagramForm(TWall* wall, QWidget* parent) : TResultWindow(wall, parent)
{
    setObjectName(QStringLiteral("DiagramForm"));
    setWindowTitle(WindowCaption("Result Diagrams of %s - %s", *wall));
    Panel1 = new QWidget;
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setAutoFillBackground(true);
    PaintBox = new TDiagramPaintBox(Panel1);
    auto* layout = new QVBoxLayout(Panel1);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(PaintBox);
    TabControl = AddTabs(this, Panel1,
                         {"Earth Pressure", "Water Pressure", "Userdefined Pressure", "Boussinesq", "Total Pressure",
                          "Cross Force", "Moment", "Rotation", "Deflection"});
    connect(TabControl, &QTabBar::currentChanged, this, [this] {
        sps::RunGuarded([this] {
            if (wall_)
                wall_->RefillResultDiagrams();
        });
    });
    resize(760, 560);
}

void TDiagramForm::Refill()
{
    TReport* report = Report();
    if (!report)
        return;
    int index = kFirstDiagramParagraph + TabControl->currentIndex();
    const TDrawing* drawing = nullptr;
    if (index < report->Paragraphs.Count()) {
        TParagraph* paragraph = report->Paragraphs.Paragraph(index);
        if (paragraph->Objects.Count() > 0)
            if (auto* container = dynamic_cast<TGraphicContainer*>(paragraph->Objects.ReportObject(0)))
                drawing = dynamic_cast<const TDrawing*>(container->Graphic);
    }
    SetPicture(drawing);
}

void TDiagramForm::SetPicture(const TDrawing* drawing)
{
    PaintBox->Picture = drawing;
    FormShow();
    PaintBox->update();
}

void TDiagramForm::FormShow()
{
    QPalette p = Panel1->palette();
    p.setColor(QPalette::Window, sps::ToQColor(DrawingColors().BG));
    Panel1->setPalette(p);
}

void TDiagramForm::showEvent(QShowEvent* event)
{
    TResultWindow::showEvent(event);
    FormShow();
}

// ---------------------------------------------------------------- opening

namespace {

template <class TForm>
void ShowResultWindow(TWall* wall, QMdiArea* area, TWallView* TWall::*slot)
{
    if (!wall)
        return;
    if (auto* window = dynamic_cast<TForm*>(wall->*slot)) {
        BringToFront(window);
        return;
    }
    if (!wall->GetReport())
        return;
    auto* form = new TForm(wall, nullptr);
    wall->*slot = form;
    area->addSubWindow(form);
    // Not larger than the area it opens in.
    QSize room = area->viewport()->size();
    if (room.width() > 100 && room.height() > 100)
        form->resize(std::min(form->width(), room.width()), std::min(form->height(), room.height()));
    try {
        form->Refill();
    } catch (...) {
        wall->ViewClosed(form);
        form->CloseView();
        throw;
    }
    if (form->Wall()) {
        form->show();
        area->setActiveSubWindow(form);
    }
}

} // namespace

void ShowResultTables(TWall* wall, QMdiArea* area)
{
    ShowResultWindow<TTableForm>(wall, area, &TWall::TablesWindow);
}

void ShowResultDiagrams(TWall* wall, QMdiArea* area)
{
    ShowResultWindow<TDiagramForm>(wall, area, &TWall::DiagramsWindow);
}

} // namespace wd
