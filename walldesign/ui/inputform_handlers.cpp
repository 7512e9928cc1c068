// The input dialog's handlers, previews, list drawing and its side of the
// walls' access (TInputDialog).
#include "platform/error.h"
#include "platform/gui/canvas.h"
#include "platform/gui/services.h"
#include "platform/numtext.h"
#include "walldesign/calc/units.h"
#include "walldesign/report/colors.h"
#include "walldesign/report/pictures.h"
#include "walldesign/ui/enhgridview.h"
#include "walldesign/ui/qtext.h"
#include "walldesign/ui/inputform.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>

namespace wd {

namespace {

int TagOf(QObject* sender)
{
    return sender ? sender->property("Tag").toInt() : 0;
}

} // namespace

// ---------------------------------------------------------------- previews

void TPaintBox::paintEvent(QPaintEvent*)
{
    if (drawing_.GetEmpty())
        return;
    QPainter painter(this);
    sps::TQtCanvas canvas(&painter);
    drawing_.Draw(canvas, sps::TRect{margin_, margin_, width() - margin_, height() - margin_});
}

float TInputForm::PreviewValue(int edit, float factor) const
{
    float value = 0;
    TryParseValue(StdStr(Edits[static_cast<size_t>(edit)]->text()), factor, value);
    return value;
}

void TInputForm::GeodataChange()
{
    bool cantilever = ComboBox1->currentIndex() == spCantilever;
    Edits[4]->setEnabled(!cantilever);
    Labels[2]->setEnabled(!cantilever);
    DrawGeodata(GeometryDrawing, headwall_, cantilever, PreviewValue(1, kLengthFactor), 0,
                PreviewValue(2, kLengthFactor), PreviewValue(3, kLengthFactor), PreviewValue(5, kLengthFactor),
                PreviewValue(6, kLengthFactor), PreviewValue(7, RadianFactor), PreviewValue(8, RadianFactor),
                PreviewValue(9, kPressureFactor), PreviewValue(10, kPressureFactor), PreviewValue(4, kLengthFactor),
                PreviewValue(11, RadianFactor));
    PaintBox1->update();
}

void TInputForm::Grid3GridChanged()
{
    TForces forces;
    for (int row = 1; row < RowCount(kForceGrid); row++) {
        std::vector<float> v = GridRowPreview(*this, kForceGrid, row, ForceFactors());
        forces.push_back(TForce{v[0], v[1], v[2]});
    }
    DrawForces(ForcesDrawing, forces, PreviewValue(1, kLengthFactor), 0, PreviewValue(2, kLengthFactor),
               PreviewValue(3, kLengthFactor), PreviewValue(7, RadianFactor), PreviewValue(8, RadianFactor));
    PaintBox2->update();
}

void TInputForm::Grid5GridChanged()
{
    TBousqs strips;
    for (int row = 1; row < RowCount(kBousqGrid); row++) {
        std::vector<float> v = GridRowPreview(*this, kBousqGrid, row, BousqFactors());
        strips.push_back(TBousq{v[0], v[1], v[2], v[3]});
    }
    DrawBoussinesq(BousqDrawing, strips, PreviewValue(1, kLengthFactor), 0, PreviewValue(2, kLengthFactor),
                   PreviewValue(3, kLengthFactor), PreviewValue(7, RadianFactor), PreviewValue(8, RadianFactor));
    PaintBox3->update();
}

void TInputForm::Redraw()
{
    GeodataChange();
    Grid3GridChanged();
    Grid5GridChanged();
}

void TInputForm::FormShow()
{
    TranslateUnitLabels();
    for (QFrame* panel : {Panel2, Panel3, Panel4}) {
        QPalette pal = panel->palette();
        pal.setColor(QPalette::Window, sps::ToQColor(DrawingColors().BG));
        panel->setPalette(pal);
    }
    Redraw();
}

void TInputForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    sps::RunGuarded([this] { FormShow(); });
}

void TInputForm::TranslateUnitLabels()
{
    for (QLabel* label : findChildren<QLabel*>())
        label->setText(QStr(wd::TranslateUnitLabels(StdStr(label->text()))));
    for (int n = 1; n <= 5; n++) {
        TEnhGrid& grid = GridView(n)->Grid();
        for (int c = 0; c < grid.Columns().Count(); c++) {
            TColumnTitle& title = grid.Columns()[c].Title();
            std::string caption = wd::TranslateUnitLabels(title.Caption());
            if (caption != title.Caption())
                title.SetCaption(caption);
        }
    }
    Headings1->Relayout();
    Headings2->Relayout();
    ListBox1->viewport()->update();
    ListBox2->viewport()->update();
}

// ---------------------------------------------------------------- grids

TEnhGridView* TInputForm::GridView(int grid) const
{
    switch (grid) {
    case 1: return Grid1;
    case 2: return Grid2;
    case 3: return Grid3;
    case 4: return Grid4;
    case 5: return Grid5;
    default: return nullptr;
    }
}

void TInputForm::Grid1GetEditText(TEnhGrid& grid, int col, int row, std::string& text)
{
    int number = 0;
    for (int n = 1; n <= 5 && number == 0; n++)
        if (GridView(n) && &GridView(n)->Grid() == &grid)
            number = n;
    if (number == 0)
        return;
    if (col < grid.FixedCols()) {
        int title = grid.RowHeight(0) < 0 ? row : row + 1;
        text = sps::Format(rowFormats_[number].c_str(), title);
    } else if (text.empty()) {
        text = sps::FormatFixed(0, 3);
    }
}

void TInputForm::AddRowButtonClick(QObject* sender)
{
    if (TEnhGridView* view = GridView(TagOf(sender))) {
        view->CommitEdit();
        view->Grid().InsertRow(view->Grid().Row());
    }
}

void TInputForm::DeleteRowButtonClick(QObject* sender)
{
    if (TEnhGridView* view = GridView(TagOf(sender))) {
        view->CommitEdit();
        view->Grid().DeleteRow(view->Grid().Row());
    }
}

void TInputForm::CopyButton2Click()
{
    Grid1->CommitEdit();
    Grid2->CommitEdit();
    TEnhGrid& from = Grid1->Grid();
    TEnhGrid& to = Grid2->Grid();
    to.SetRowCount(from.RowCount());
    for (int r = 0; r < from.RowCount(); r++)
        for (int c = 0; c < from.ColCount(); c++) {
            to.SetCell(c, r, from.Cell(c, r));
            to.SetObject(c, r, from.Object(c, r));
        }
}

bool TInputForm::TryAccept()
{
    for (int n = 1; n <= 5; n++)
        GridView(n)->CommitEdit();
    return !accept_ || sps::RunGuarded(accept_);
}

void TInputForm::accept()
{
    if (TryAccept())
        QDialog::accept();
}

void TInputForm::SelectPage(int step)
{
    int count = PageControl->count();
    if (count == 0)
        return;
    // A control of a page hands the focus to the new page; the tab bar and
    // the buttons keep it.
    QWidget* focus = focusWidget();
    bool onPage = !focus || (PageControl->isAncestorOf(focus) && focus != PageControl->tabBar());
    int index = PageControl->currentIndex();
    for (int n = 0; n < count; n++) {
        index = ((index + step) % count + count) % count;
        if (PageControl->isTabEnabled(index))
            break;
    }
    PageControl->setCurrentIndex(index);
    if (onPage)
        FocusFirstControl(PageControl->currentWidget());
}

void TInputForm::FocusFirstControl(QWidget* page)
{
    QWidget* w = page;
    for (qsizetype n = findChildren<QWidget*>().size(); n > 0; n--) {
        w = w->nextInFocusChain();
        if (w == page)
            break;
        if (page->isAncestorOf(w) && (w->focusPolicy() & Qt::TabFocus) && w->isEnabled() && w->isVisibleTo(page)) {
            w->setFocus(Qt::TabFocusReason);
            break;
        }
    }
}

bool TInputForm::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        auto* w = qobject_cast<QWidget*>(watched);
        auto* key = static_cast<QKeyEvent*>(event);
        Qt::KeyboardModifiers mods = key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::ShiftModifier);
        int step = 0;
        if (mods == Qt::ControlModifier && (key->key() == Qt::Key_PageDown || key->key() == Qt::Key_Tab))
            step = 1;
        else if (mods == Qt::ControlModifier && key->key() == Qt::Key_PageUp)
            step = -1;
        else if (mods == (Qt::ControlModifier | Qt::ShiftModifier) &&
                 (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab))
            step = -1;
        // From a control of this dialog, or from the open list of its
        // drop-down box (which closes unchanged with the page).
        QWidget* control = step != 0 ? w : nullptr;
        for (int depth = 0; control && control != this && depth < 64; depth++)
            control = control->parentWidget();
        if (control == this) {
            sps::RunGuarded([this, step] { SelectPage(step); });
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

// ---------------------------------------------------------------- catalogue lists

void TCatalogueListBox::DrawItem(QPainter& painter, int index, const QRect& rect, bool selected)
{
    painter.save();
    painter.fillRect(rect, palette().color(selected ? QPalette::Highlight : QPalette::Base));
    painter.setPen(palette().color(selected ? QPalette::HighlightedText : QPalette::Text));
    painter.setFont(font());
    QListWidgetItem* it = item(index);
    std::string text = it ? StdStr(it->text()) : std::string();
    auto draw = [&](int x, const std::string& s) {
        painter.drawText(QRect(x, rect.top(), rect.right() - x, rect.height()), Qt::AlignLeft | Qt::AlignVCenter,
                         QStr(s));
    };
    // Every field is read before anything is drawn: a row that cannot be read
    // is shown as it stands.
    std::vector<std::pair<int, std::string>> fields;
    try {
        std::string rest = text;
        int x = rect.left();
        fields.emplace_back(x + 2, SplitTabField(rest));
        for (int col = 0; !rest.empty(); col++) {
            x += ColumnStep();
            float value = NextTabValue(rest);
            TCatalogueList kind = list_ == kSheetPileList ? TCatalogueList::SheetPiles : TCatalogueList::SteelGrades;
            fields.emplace_back(x + 2, FormatValue(value, ListColumnFactor(kind, col)));
        }
    } catch (const std::exception&) {
        fields.clear();
        std::string raw = text;
        std::replace(raw.begin(), raw.end(), '\t', ' ');
        fields.emplace_back(rect.left() + 2, raw);
    }
    for (const auto& [x, s] : fields)
        draw(x, s);
    painter.restore();
}

// ---------------------------------------------------------------- TInputDialog

QLineEdit* TInputForm::Named(const std::string& edit) const
{
    if (edit.size() > 4 && edit.compare(0, 4, "Edit") == 0) {
        int64_t n = 0;
        if (sps::TryParseInt(edit.substr(4), n) && n >= 1 && n < static_cast<int64_t>(Edits.size()) &&
            Edits[static_cast<size_t>(n)])
            return Edits[static_cast<size_t>(n)];
    }
    sps::RaiseFmt("The input dialog has no edit %s", edit.c_str());
}

void TInputForm::SetCaption(const std::string& caption)
{
    setWindowTitle(QStr(caption));
}

std::string TInputForm::Text(const std::string& edit) const
{
    return StdStr(Named(edit)->text());
}

void TInputForm::SetText(const std::string& edit, const std::string& text)
{
    Named(edit)->setText(QStr(text));
}

bool TInputForm::Checked(const std::string& checkBox) const
{
    return (checkBox == "CheckBox1" ? CheckBox1 : CheckBox2)->isChecked();
}

void TInputForm::SetChecked(const std::string& checkBox, bool checked)
{
    (checkBox == "CheckBox1" ? CheckBox1 : CheckBox2)->setChecked(checked);
}

void TInputForm::SetVisible(const std::string& control, bool visible)
{
    QWidget* w = findChild<QWidget*>(QStr(control));
    if (!w)
        sps::RaiseFmt("The input dialog has no control %s", control.c_str());
    w->setHidden(!visible);
}

void TInputForm::SetSupportItems(const std::vector<std::string>& items)
{
    ComboBox1->clear();
    for (const std::string& item : items)
        ComboBox1->addItem(QStr(item));
}

int TInputForm::SupportIndex() const
{
    return ComboBox1->currentIndex();
}

void TInputForm::SetSupportIndex(int index)
{
    ComboBox1->setCurrentIndex(index >= 0 && index < ComboBox1->count() ? index : -1);
}

int TInputForm::RowCount(int grid) const
{
    return GridView(grid)->Grid().RowCount();
}

void TInputForm::SetRowCount(int grid, int count)
{
    GridView(grid)->Grid().SetRowCount(count);
}

int TInputForm::ColCount(int grid) const
{
    return GridView(grid)->Grid().ColCount();
}

std::string TInputForm::Cell(int grid, int col, int row) const
{
    return GridView(grid)->Grid().Cell(col, row);
}

void TInputForm::SetCell(int grid, int col, int row, const std::string& text)
{
    GridView(grid)->Grid().SetCell(col, row, text);
}

std::optional<float> TInputForm::CellValue(int grid, int col, int row) const
{
    const float* value = std::any_cast<float>(&GridView(grid)->Grid().Object(col, row));
    return value ? std::optional<float>(*value) : std::nullopt;
}

void TInputForm::SetCellValue(int grid, int col, int row, std::optional<float> value)
{
    GridView(grid)->Grid().SetObject(col, row, value ? std::any(*value) : std::any());
}

int TInputForm::ListCount(int list) const
{
    return (list == kSheetPileList ? ListBox1 : ListBox2)->count();
}

std::string TInputForm::ListItem(int list, int index) const
{
    QListWidgetItem* item = (list == kSheetPileList ? ListBox1 : ListBox2)->item(index);
    return item ? StdStr(item->text()) : std::string();
}

int TInputForm::ListIndex(int list) const
{
    return (list == kSheetPileList ? ListBox1 : ListBox2)->currentRow();
}

void TInputForm::SetListIndex(int list, int index)
{
    TCatalogueListBox* box = list == kSheetPileList ? ListBox1 : ListBox2;
    if (index >= 0 && index < box->count()) {
        box->setCurrentRow(index);
        box->scrollToItem(box->item(index));
    } else {
        box->setCurrentRow(-1);
        box->clearSelection();
    }
}

void TInputForm::SetCopyFromHeadwall(std::function<void()> handler)
{
    copyFromHeadwall_ = std::move(handler);
}

void TInputForm::ActivatePage(const std::string& page)
{
    if (QWidget* w = PageControl->findChild<QWidget*>(QStr(page))) {
        PageControl->setCurrentWidget(w);
        FocusFirstControl(w);
    }
}

void TInputForm::SetHeadwall(bool isHeadwall)
{
    headwall_ = isHeadwall;
}

bool TInputForm::ShowModal(const std::function<void()>& accept)
{
    accept_ = accept;
    struct TForget {
        std::function<void()>& accept;
        ~TForget() { accept = nullptr; }
    } forget{accept_};
    if (!OnShowModal)
        return exec() == QDialog::Accepted;
    FormShow();
    // A scripted user who confirms refused input again and again cancels at last.
    constexpr int kTurns = 20;
    for (int turn = 0; turn < kTurns; turn++) {
        if (!OnShowModal(*this))
            return false;
        if (TryAccept())
            return true;
    }
    return false;
}

std::string TInputForm::FieldCaption(const TInputField& field) const
{
    // A label's caption without its mnemonic and colon.
    auto plain = [](const QLabel* label) {
        QString text = label->text();
        text.replace(QStringLiteral("&&"), QStringLiteral("\x01")).remove('&').replace('\x01', '&');
        text = text.simplified();
        if (text.endsWith(':'))
            text.chop(1);
        return StdStr(text);
    };
    auto labelOf = [this](const QWidget* w) -> const QLabel* {
        for (const QLabel* label : findChildren<QLabel*>())
            if (label->buddy() == w)
                return label;
        return nullptr;
    };
    if (!field.Edit.empty()) {
        const QLabel* label = labelOf(Named(field.Edit));
        return label ? plain(label) : field.Edit;
    }
    TEnhGridView* view = GridView(field.Grid);
    if (!view)
        sps::RaiseFmt("The input dialog has no grid %d", field.Grid);
    const QLabel* label = labelOf(view);
    std::string grid = label ? plain(label) : std::string();
    for (int i = 0; i < PageControl->count() && grid.empty(); i++)
        if (PageControl->widget(i)->isAncestorOf(view))
            grid = StdStr(PageControl->tabText(i));
    const TEnhGrid& g = view->Grid();
    std::string column = field.Col < g.Columns().Count() ? g.Columns()[field.Col].Title().Caption() : std::string();
    return grid + ", " + g.GetEditText(0, field.Row) + ", " + column;
}

void TInputForm::FocusField(const TInputField& field)
{
    TEnhGridView* view = field.Edit.empty() ? GridView(field.Grid) : nullptr;
    QWidget* target = view ? static_cast<QWidget*>(view) : Named(field.Edit);
    if (!target)
        return;
    for (int i = 0; i < PageControl->count(); i++)
        if (PageControl->widget(i)->isAncestorOf(target))
            PageControl->setCurrentIndex(i);
    if (view) {
        view->CommitEdit();
        view->Grid().SetCurrent(field.Col, field.Row);
    }
    target->setFocus(Qt::OtherFocusReason);
    if (auto* edit = qobject_cast<QLineEdit*>(target))
        edit->selectAll();
}

void TInputForm::ShowError(const std::string& message)
{
    sps::RunGuarded([&message] { sps::Raise(message); });
}

} // namespace wd
