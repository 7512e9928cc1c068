#include "walldesign/ui/enhgridview.h"

#include "platform/gui/canvas.h"
#include "platform/gui/services.h"
#include "walldesign/ui/qtext.h"

#include <QAbstractTableModel>
#include <QApplication>
#include <QDateTime>
#include <QFocusEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QStyleOptionButton>
#include <QStyledItemDelegate>

#include <algorithm>

namespace wd {

namespace {

Qt::Alignment QtAlignment(TAlignment alignment)
{
    switch (alignment) {
    case taRightJustify:
        return Qt::AlignRight;
    case taCenter:
        return Qt::AlignHCenter;
    default:
        return Qt::AlignLeft;
    }
}

QPixmap PixmapOf(const sps::TBitmap& bitmap)
{
    if (bitmap.GetEmpty())
        return {};
    QImage image(bitmap.GetWidth(), bitmap.GetHeight(), QImage::Format_RGB32);
    const auto& pixels = bitmap.Pixels();
    for (int y = 0; y < bitmap.GetHeight(); y++)
        for (int x = 0; x < bitmap.GetWidth(); x++)
            image.setPixel(x, y, sps::ToQColor(pixels[static_cast<size_t>(y * bitmap.GetWidth() + x)]).rgb());
    return QPixmap::fromImage(image);
}

// Tiles the picture over the area, the source position following the
// destination position.
void Tile(QPainter& p, const QRect& area, const QPixmap& pixmap)
{
    if (pixmap.isNull() || area.isEmpty())
        return;
    p.drawTiledPixmap(area, pixmap, QPoint(area.x() % pixmap.width(), area.y() % pixmap.height()));
}

} // namespace

int KeyCodeOf(int qtKey)
{
    switch (qtKey) {
    case Qt::Key_Backspace: return vkBack;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return vkTab;
    case Qt::Key_Return:
    case Qt::Key_Enter: return vkReturn;
    case Qt::Key_Escape: return vkEscape;
    case Qt::Key_PageUp: return vkPrior;
    case Qt::Key_PageDown: return vkNext;
    case Qt::Key_End: return vkEnd;
    case Qt::Key_Home: return vkHome;
    case Qt::Key_Left: return vkLeft;
    case Qt::Key_Up: return vkUp;
    case Qt::Key_Right: return vkRight;
    case Qt::Key_Down: return vkDown;
    case Qt::Key_Insert: return vkInsert;
    case Qt::Key_Delete: return vkDelete;
    default: return 0;
    }
}

TShift ShiftOf(Qt::KeyboardModifiers modifiers)
{
    TShift shift = 0;
    if (modifiers & Qt::ShiftModifier)
        shift |= ssShift;
    if (modifiers & Qt::AltModifier)
        shift |= ssAlt;
    if (modifiers & Qt::ControlModifier)
        shift |= ssCtrl;
    return shift;
}

namespace {

void KeyOf(QKeyEvent* e, int& key, TShift& shift)
{
    key = KeyCodeOf(e->key());
    shift = ShiftOf(e->modifiers());
    if (e->key() == Qt::Key_Backtab)
        shift |= ssShift;
}

} // namespace

void TQtColumnMenu::Popup(int x, int y)
{
    if (Menu)
        Menu->popup(QPoint(x, y));
}

// ---------------------------------------------------------------- model, header, delegate

class TEnhGridModel : public QAbstractTableModel {
public:
    TEnhGridModel(TEnhGrid& grid, QObject* parent) : QAbstractTableModel(parent), grid_(grid) {}

    int TitleRows() const { return grid_.FixedRows() >= 1 ? 1 : 0; }

    int rowCount(const QModelIndex& parent) const override
    {
        return parent.isValid() ? 0 : std::max(0, grid_.RowCount() - TitleRows());
    }
    int columnCount(const QModelIndex& parent) const override { return parent.isValid() ? 0 : grid_.ColCount(); }

    QVariant data(const QModelIndex& index, int role) const override
    {
        if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole))
            return {};
        return QStr(grid_.GetEditText(index.column(), index.row() + TitleRows()));
    }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (orientation == Qt::Horizontal && role == Qt::DisplayRole)
            return QStr(grid_.TitleDisplay(section).Text);
        return {};
    }

    Qt::ItemFlags flags(const QModelIndex& index) const override
    {
        if (!index.isValid())
            return Qt::NoItemFlags;
        int row = index.row() + TitleRows();
        if (index.column() < grid_.FixedCols() || row < grid_.FixedRows())
            return Qt::NoItemFlags;
        Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
        if (grid_.Options() & goEditing)
            f |= Qt::ItemIsEditable;
        return f;
    }

    void BeginReset() { beginResetModel(); }
    void EndReset() { endResetModel(); }

    void Cell(int col, int row)
    {
        int titleRows = TitleRows();
        if (row < titleRows) {
            emit headerDataChanged(Qt::Horizontal, col, col);
        } else {
            QModelIndex i = index(row - titleRows, col);
            emit dataChanged(i, i);
        }
    }

private:
    TEnhGrid& grid_;
};

class TEnhGridHeader : public QHeaderView {
public:
    explicit TEnhGridHeader(TEnhGridView* view) : QHeaderView(Qt::Horizontal, view), view_(view)
    {
        setSectionsClickable(false);
        setHighlightSections(false);
        setMinimumSectionSize(1);
    }

    QSize sizeHint() const override
    {
        QSize s = QHeaderView::sizeHint();
        s.setHeight(view_->TitleHeight());
        return s;
    }

protected:
    void paintSection(QPainter* p, const QRect& rect, int col) const override
    {
        TCellDrawing d = view_->Grid().TitleDisplay(col);
        p->save();
        p->fillRect(rect, sps::ToQColor(d.Color));
        p->setPen(palette().color(QPalette::Mid));
        p->drawLine(rect.topRight(), rect.bottomRight());
        p->drawLine(rect.bottomLeft(), rect.bottomRight());
        p->setFont(view_->QtFontOf(d.Font));
        p->setPen(sps::ToQColor(d.Font.Color));
        p->drawText(rect.adjusted(2, 2, -3, -1), static_cast<int>(QtAlignment(d.Alignment) | Qt::AlignTop) |
                                                     Qt::TextWordWrap, QStr(d.Text));
        p->restore();
    }

private:
    TEnhGridView* view_;
};

class TEnhGridDelegate : public QStyledItemDelegate {
public:
    explicit TEnhGridDelegate(TEnhGridView* view) : QStyledItemDelegate(view), view_(view) {}

    void paint(QPainter* p, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        TEnhGrid& grid = view_->Grid();
        int col = index.column();
        int row = view_->GridRow(index);
        bool highlighted = (option.state & QStyle::State_Selected) != 0;
        TCellDrawing d = grid.CellDisplay(col, row, highlighted);
        highlighted = highlighted && !d.Fixed;
        const QRect r = option.rect;
        p->save();
        QPalette::ColorGroup group = (option.state & QStyle::State_Active) ? QPalette::Active : QPalette::Inactive;
        p->fillRect(r, highlighted ? option.palette.color(group, QPalette::Highlight) : sps::ToQColor(d.Color));
        if (!d.Fixed && !grid.Image().GetEmpty()) {
            QPixmap pm = PixmapOf(grid.Image());
            if (highlighted) {
                QImage inverted = pm.toImage();
                inverted.invertPixels();
                pm = QPixmap::fromImage(inverted);
            }
            Tile(*p, r, pm);
        }
        sps::TQtCanvas canvas(p);
        canvas.Font = d.Font;
        if (highlighted)
            canvas.Font.Color = sps::FromQColor(option.palette.color(group, QPalette::HighlightedText));
        canvas.Brush.Style = sps::bsClear;
        canvas.TextAlign = sps::taLeft | sps::taTop;
        int x = TEnhGrid::TextLeft(d.Alignment, r.left(), r.right() + 1, canvas.TextWidth(d.Text));
        canvas.TextRect(sps::TRect{r.left(), r.top(), r.right() + 1, r.bottom() + 1}, x, r.top() + 2, d.Text);
        p->restore();
    }

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex&) const override
    {
        auto* editor = new TEnhGridInplaceEdit(view_, parent);
        view_->EditorCreated(editor);
        return editor;
    }

    void setEditorData(QWidget* editor, const QModelIndex&) const override
    {
        // Loaded once; the cell follows the editor's text from then on.
        if (!editor->property("loaded").toBool()) {
            editor->setProperty("loaded", true);
            static_cast<TEnhGridInplaceEdit*>(editor)->UpdateContents();
        }
    }

    void setModelData(QWidget*, QAbstractItemModel*, const QModelIndex&) const override {}

    void updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option, const QModelIndex&) const override
    {
        editor->setGeometry(option.rect);
    }

protected:
    // Keys and focus changes are the editor's own.
    bool eventFilter(QObject*, QEvent*) override { return false; }

private:
    TEnhGridView* view_;
};

// ---------------------------------------------------------------- pick list

TPopupListbox::TPopupListbox(QWidget* editor) : QListWidget(editor), editor_(editor)
{
    setWindowFlags(Qt::ToolTip | Qt::FramelessWindowHint);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setUniformItemSizes(true);
    setFrameShape(QFrame::Box);
    hide();
}

void TPopupListbox::keyPressEvent(QKeyEvent* event)
{
    QString text = event->text();
    bool clears = event->key() == Qt::Key_Backspace || event->key() == Qt::Key_Escape;
    if (clears || (!text.isEmpty() && text[0].unicode() >= 32 && text[0].unicode() <= 255)) {
        std::vector<std::string> items;
        for (int i = 0; i < count(); i++)
            items.push_back(StdStr(item(i)->text()));
        char c = clears ? static_cast<char>(event->key() == Qt::Key_Backspace ? vkBack : vkEscape)
                        : static_cast<char>(text[0].toLatin1());
        int found = TypeAhead.Key(c, QDateTime::currentMSecsSinceEpoch(), items);
        if (found >= 0)
            setCurrentRow(found);
        return;
    }
    QListWidget::keyPressEvent(event);
}

void TPopupListbox::mouseReleaseEvent(QMouseEvent* event)
{
    QListWidget::mouseReleaseEvent(event);
    if (auto* editor = dynamic_cast<TEnhGridInplaceEdit*>(editor_))
        editor->CloseUp(rect().contains(event->position().toPoint()));
}

// ---------------------------------------------------------------- in-place editor

TEnhGridInplaceEdit::TEnhGridInplaceEdit(TEnhGridView* view, QWidget* parent) : QLineEdit(parent), view_(view)
{
    ButtonWidth = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    setFrame(false);
    setMouseTracking(true);
    connect(this, &QLineEdit::textEdited, this, [this](const QString& text) {
        TEnhGrid& grid = view_->Grid();
        grid.SetEditText(grid.Col(), grid.Row(), StdStr(text));
    });
}

TEnhGridInplaceEdit::~TEnhGridInplaceEdit()
{
    if (ListVisible)
        qApp->removeEventFilter(this);
}

void TEnhGridInplaceEdit::UpdateContents()
{
    TEnhGrid& grid = view_->Grid();
    TEditorContents c = grid.EditorContents(grid.Col(), grid.Row());
    SetEditStyle(c.EditStyle);
    PickItems = c.PickList;
    DropDownRows = c.DropDownRows;
    setReadOnly(c.ReadOnly);
    setInputMask(QStr(InputMaskOf(c.EditMask)));
    setMaxLength(c.MaxLength > 0 ? c.MaxLength : 32767);
    setFont(view_->QtFontOf(c.Font));
    QPalette pal = palette();
    pal.setColor(QPalette::Base, sps::ToQColor(c.Color));
    pal.setColor(QPalette::Text, sps::ToQColor(c.Font.Color));
    setPalette(pal);
    setText(QStr(c.Text));
    LoadedText = c.Text;
    setModified(false);
    setTextMargins(0, 0, EditStyle != 0 ? ButtonWidth : 0, 0);
    selectAll();
}

void TEnhGridInplaceEdit::SetEditStyle(int style)
{
    EditStyle = style;
    if (style == 2) {
        if (!PickListBox)
            PickListBox = new TPopupListbox(this);
        ActiveList = PickListBox;
    } else {
        ActiveList = nullptr;
    }
    update();
}

QRect TEnhGridInplaceEdit::ButtonRect() const
{
    return EditStyle != 0 ? QRect(width() - ButtonWidth, 0, ButtonWidth, height()) : QRect();
}

void TEnhGridInplaceEdit::DropDown()
{
    if (ListVisible || !ActiveList)
        return;
    TPopupListbox* list = ActiveList;
    list->setPalette(palette());
    list->setFont(font());
    list->clear();
    int current = 0;
    for (size_t i = 0; i < PickItems.size(); i++) {
        list->addItem(QStr(PickItems[i]));
        if (QStr(PickItems[i]) == text())
            current = static_cast<int>(i);
    }
    int itemHeight = list->count() > 0 ? list->sizeHintForRow(0) : fontMetrics().height();
    int rows = list->count() >= DropDownRows ? DropDownRows : list->count();
    int frame = 2 * list->frameWidth();
    int height = itemHeight * std::max(rows, 1) + frame;
    int width = this->width();
    for (int i = 0; i < list->count(); i++)
        width = std::max(width, list->fontMetrics().horizontalAdvance(list->item(i)->text()) + frame + 8 +
                                    (list->count() > rows ? ButtonWidth : 0));
    if (list->count() > 0)
        list->setCurrentRow(current);
    QPoint below = mapToGlobal(QPoint(0, this->height()));
    QScreen* screen = this->screen();
    if (screen && below.y() + height > screen->geometry().bottom())
        below.setY(mapToGlobal(QPoint(0, 0)).y() - height);
    list->setGeometry(below.x(), below.y(), width, height);
    list->show();
    ListVisible = true;
    qApp->installEventFilter(this);
}

void TEnhGridInplaceEdit::CloseUp(bool accept)
{
    if (!ListVisible || !ActiveList)
        return;
    TPopupListbox* list = ActiveList;
    if (QWidget::mouseGrabber() == list || QWidget::mouseGrabber() == this)
        QWidget::mouseGrabber()->releaseMouse();
    QString item;
    bool took = false;
    if (list->currentItem()) {
        item = list->currentItem()->text();
        took = true;
    }
    list->hide();
    ListVisible = false;
    qApp->removeEventFilter(this);
    Pressed = false;
    update();
    TEnhGrid& grid = view_->Grid();
    if (accept && took && !(isReadOnly() && !grid.CanEditModify())) {
        grid.SetEditText(grid.Col(), grid.Row(), StdStr(item));
        setText(item);
        setModified(true);
        selectAll();
    }
}

bool TEnhGridInplaceEdit::DoDropDownKeys(QKeyEvent* event)
{
    bool alt = (event->modifiers() & Qt::AltModifier) != 0;
    int key = event->key();
    if (alt && (key == Qt::Key_Up || key == Qt::Key_Down)) {
        if (ListVisible)
            CloseUp(true);
        else
            DropDown();
        return true;
    }
    if (!alt && ListVisible && (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape)) {
        CloseUp(key != Qt::Key_Escape);
        return true;
    }
    if (ListVisible && ActiveList) {
        QCoreApplication::sendEvent(ActiveList, event);
        return true;
    }
    return false;
}

void TEnhGridInplaceEdit::RefreshText()
{
    TEnhGrid& grid = view_->Grid();
    QString t = QStr(grid.GetEditText(grid.Col(), grid.Row()));
    if (t != text()) {
        bool modified = isModified();
        setText(t);
        setModified(modified);
    }
}

bool TEnhGridInplaceEdit::event(QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        auto* k = static_cast<QKeyEvent*>(event);
        if (k->key() == Qt::Key_Tab || k->key() == Qt::Key_Backtab) {
            keyPressEvent(k);
            return true;
        }
    }
    return QLineEdit::event(event);
}

void TEnhGridInplaceEdit::keyPressEvent(QKeyEvent* event)
{
    TEnhGrid& grid = view_->Grid();
    int key;
    TShift shift;
    KeyOf(event, key, shift);
    if (EditStyle == 2 && DoDropDownKeys(event))
        return;
    if (key == vkReturn && (shift & ssCtrl) && EditStyle == 1) {
        grid.EditButtonClick();
        return;
    }
    switch (key) {
    case vkTab:
    case vkPrior:
    case vkNext:
    case vkEnd:
    case vkHome:
    case vkLeft:
    case vkUp:
    case vkRight:
    case vkDown: {
        bool modified = isModified();
        grid.ValidateCell(LoadedText, modified);
        setModified(modified);
        break;
    }
    default:
        break;
    }
    if (key != 0 && grid.CanRowAction(key, shift)) {
        view_->EditorKey(key, shift);
        return;
    }
    bool noSelection = !hasSelectedText();
    switch (key) {
    case vkTab:
    case vkUp:
    case vkDown:
    case vkPrior:
    case vkNext:
        view_->EditorKey(key, shift);
        return;
    case vkLeft:
    case vkHome:
        if (noSelection && cursorPosition() == 0) {
            view_->EditorKey(key, shift);
            return;
        }
        break;
    case vkRight:
    case vkEnd:
        if (noSelection && cursorPosition() == text().size()) {
            view_->EditorKey(key, shift);
            return;
        }
        break;
    case vkReturn:
        if (hasSelectedText() && selectedText().size() == text().size())
            deselect();
        else
            selectAll();
        return;
    case vkEscape: {
        grid.SetEditText(grid.Col(), grid.Row(), LoadedText);
        setModified(false);
        view_->EditorKey(vkEscape, shift);
        return;
    }
    default:
        break;
    }

    QString text = event->text();
    if (!text.isEmpty() && text[0].isPrint() && !(shift & (ssCtrl | ssAlt))) {
        char c = text[0].unicode() <= 255 ? static_cast<char>(text[0].toLatin1()) : '?';
        if (grid.OnKeyPress) {
            char k = c;
            grid.OnKeyPress(k);
            if (k == 0) {
                sps::MessageBeep(sps::kBeepDefault);
                return;
            }
        }
        if (EditStyle == 2 && isReadOnly()) {
            int found = PickByFirstLetter(PickItems, c);
            if (found >= 0) {
                QString item = QStr(PickItems[static_cast<size_t>(found)]);
                setText(item);
                grid.SetEditText(grid.Col(), grid.Row(), StdStr(item));
                setModified(true);
            }
            return;
        }
    }
    QLineEdit::keyPressEvent(event);
}

bool TEnhGridInplaceEdit::ButtonPressed(const QPoint& pos)
{
    if (EditStyle == 1) {
        view_->Grid().EditButtonClick();
    } else if (EditStyle == 2) {
        if (ListVisible) {
            CloseUp(false);
        } else {
            Tracking = true;
            TrackButton(pos);
            DropDown();
        }
    }
    return EditStyle != 0;
}

void TEnhGridInplaceEdit::mousePressEvent(QMouseEvent* event)
{
    QPoint pos = event->position().toPoint();
    if (event->button() == Qt::LeftButton && EditStyle != 0 && ButtonRect().contains(pos)) {
        ButtonPressed(pos);
        return;
    }
    QLineEdit::mousePressEvent(event);
}

void TEnhGridInplaceEdit::mouseDoubleClickEvent(QMouseEvent* event)
{
    QPoint pos = event->position().toPoint();
    if (event->button() == Qt::LeftButton && EditStyle != 0) {
        if (ButtonRect().contains(pos))
            return;
        if (isReadOnly()) {
            ButtonPressed(pos);
            return;
        }
    }
    QLineEdit::mouseDoubleClickEvent(event);
}

void TEnhGridInplaceEdit::TrackButton(const QPoint& pos)
{
    bool over = ButtonRect().contains(pos);
    if (over != Pressed) {
        Pressed = over;
        update();
    }
}

void TEnhGridInplaceEdit::StopTracking()
{
    if (Tracking) {
        Tracking = false;
        Pressed = false;
        update();
    }
}

void TEnhGridInplaceEdit::mouseMoveEvent(QMouseEvent* event)
{
    QPoint pos = event->position().toPoint();
    setCursor(EditStyle != 0 && ButtonRect().contains(pos) ? Qt::ArrowCursor : Qt::IBeamCursor);
    if (Tracking) {
        TrackButton(pos);
        return;
    }
    QLineEdit::mouseMoveEvent(event);
}

void TEnhGridInplaceEdit::mouseReleaseEvent(QMouseEvent* event)
{
    if (Tracking) {
        StopTracking();
        // A press on the button dragged into the list picks the item there.
        if (ListVisible && ActiveList) {
            QPoint global = mapToGlobal(event->position().toPoint());
            if (ActiveList->geometry().contains(global)) {
                if (QListWidgetItem* item = ActiveList->itemAt(ActiveList->viewport()->mapFromGlobal(global)))
                    ActiveList->setCurrentItem(item);
                CloseUp(true);
            }
        }
        return;
    }
    QLineEdit::mouseReleaseEvent(event);
}

void TEnhGridInplaceEdit::paintEvent(QPaintEvent* event)
{
    QLineEdit::paintEvent(event);
    if (EditStyle == 0)
        return;
    QPainter p(this);
    QStyleOptionButton opt;
    opt.initFrom(this);
    opt.rect = ButtonRect();
    opt.state |= Pressed ? QStyle::State_Sunken : QStyle::State_Raised;
    if (EditStyle == 2 && !ActiveList)
        opt.state &= ~QStyle::State_Enabled;
    style()->drawPrimitive(QStyle::PE_PanelButtonCommand, &opt, &p, this);
    QRect r = opt.rect;
    if (EditStyle == 1) {
        // Three square dots.
        int dot = std::max(2, r.width() / 8);
        int y = r.center().y() - dot / 2;
        int x = r.center().x() - dot / 2;
        p.setPen(Qt::NoPen);
        p.setBrush(palette().color(QPalette::ButtonText));
        for (int i = -1; i <= 1; i++)
            p.drawRect(x + i * 2 * dot, y, dot, dot);
    } else {
        QStyleOption arrow;
        arrow.initFrom(this);
        arrow.rect = r.adjusted(3, 3, -3, -3);
        if (!ActiveList)
            arrow.state &= ~QStyle::State_Enabled;
        style()->drawPrimitive(QStyle::PE_IndicatorArrowDown, &arrow, &p, this);
    }
}

void TEnhGridInplaceEdit::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    if (event->reason() == Qt::PopupFocusReason)
        return;
    CloseUp(false);
    if (event->reason() == Qt::ActiveWindowFocusReason) {
        bool modified = isModified();
        view_->Grid().ValidateCell(LoadedText, modified);
        setModified(modified);
        return;
    }
    view_->EditorFocusLost();
}

bool TEnhGridInplaceEdit::eventFilter(QObject* watched, QEvent* event)
{
    // While the list is down, a press anywhere else closes it.
    if (ListVisible && event->type() == QEvent::MouseButtonPress) {
        auto* w = qobject_cast<QWidget*>(watched);
        if (w && w != this && w->window() != ActiveList)
            CloseUp(false);
    }
    return false;
}

// ---------------------------------------------------------------- view

TEnhGridView::TEnhGridView(QWidget* parent) : QTableView(parent), grid_(std::make_unique<TEnhGrid>())
{
    QFont f = font();
    grid_->Font.Name = StdStr(f.family());
    grid_->Font.Size = f.pointSize() > 0 ? f.pointSize() : sps::kDefaultFontSize;
    grid_->Color = sps::FromQColor(palette().color(QPalette::Base));
    grid_->FixedColor = sps::FromQColor(palette().color(QPalette::Button));
    grid_->MeasureText = [this](const std::string& s) {
        return QFontMetrics(QtFontOf(grid_->Font)).horizontalAdvance(QStr(s));
    };

    model_ = new TEnhGridModel(*grid_, this);
    header_ = new TEnhGridHeader(this);
    setHorizontalHeader(header_);
    setModel(model_);
    setItemDelegate(new TEnhGridDelegate(this));
    verticalHeader()->hide();
    verticalHeader()->setMinimumSectionSize(1);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setTabKeyNavigation(false);
    setWordWrap(false);

    connect(header_, &QHeaderView::sectionResized, this, [this](int col, int, int size) {
        if (!applying_)
            grid_->SetColWidth(col, size);
    });
    connect(header_, &QHeaderView::sectionMoved, this, [this](int, int from, int to) {
        if (applying_)
            return;
        applying_ = true;
        header_->moveSection(to, from);
        applying_ = false;
        grid_->ColumnMoved(from, to);
    });

    grid_->SetListener(this);
    StructureChanging();
    StructureChanged();
}

TEnhGridView::~TEnhGridView()
{
    grid_->SetListener(nullptr);
    setModel(nullptr);
    delete model_;
}

int TEnhGridView::GridRow(const QModelIndex& index) const
{
    return index.row() + model_->TitleRows();
}

QModelIndex TEnhGridView::IndexOf(int col, int row) const
{
    int m = row - model_->TitleRows();
    if (m < 0 || col < 0)
        return {};
    return model_->index(m, col);
}

QFont TEnhGridView::QtFontOf(const sps::TFont& font)
{
    QImage image(1, 1, QImage::Format_RGB32);
    int dpi = logicalDpiY();
    image.setDotsPerMeterX(qRound(logicalDpiX() / 0.0254));
    image.setDotsPerMeterY(qRound(dpi / 0.0254));
    QPainter painter(&image);
    sps::TQtCanvas canvas(&painter);
    canvas.Font = font;
    return canvas.QtFont();
}

int TEnhGridView::TitleHeight()
{
    if (!grid_->HasTitleRow())
        return 0;
    int height = std::max(1, grid_->DefaultRowHeight());
    for (int c = 0; c < grid_->ColCount(); c++) {
        TCellDrawing d = grid_->TitleDisplay(c);
        if (d.Text.empty())
            continue;
        QFontMetrics fm(QtFontOf(d.Font));
        QRect r = fm.boundingRect(QRect(0, 0, std::max(1, grid_->ColWidth(c) - 5), 100000), Qt::TextWordWrap,
                                  QStr(d.Text));
        height = std::max(height, r.height() + 4);
    }
    return height;
}

void TEnhGridView::ShowEditor()
{
    QModelIndex i = IndexOf(grid_->Col(), grid_->Row());
    if (i.isValid() && (model_->flags(i) & Qt::ItemIsEditable) && grid_->RowVisible(grid_->Row()))
        edit(i);
}

void TEnhGridView::FinishEdit(bool validate)
{
    TEnhGridInplaceEdit* editor = editor_;
    if (!editor || editor->Closing)
        return;
    editor->Closing = true;
    editor->CloseUp(false);
    if (validate) {
        bool modified = editor->isModified();
        grid_->ValidateCell(editor->LoadedText, modified);
        editor->setModified(modified);
    }
    editor_ = nullptr;
    closeEditor(editor, QAbstractItemDelegate::NoHint);
}

void TEnhGridView::CommitEdit()
{
    FinishEdit(true);
}

void TEnhGridView::EditorFocusLost()
{
    FinishEdit(true);
}

void TEnhGridView::HandleOutcome(TKeyOutcome outcome)
{
    if (outcome == TKeyOutcome::LeaveNext)
        focusNextPrevChild(true);
    else if (outcome == TKeyOutcome::LeavePrev)
        focusNextPrevChild(false);
}

void TEnhGridView::EditorKey(int key, TShift shift)
{
    bool hadFocus = editor_ && editor_->hasFocus();
    FinishEdit(false);
    if (hadFocus && !hasFocus())
        setFocus();
    if (key == vkEscape)
        return;
    HandleOutcome(grid_->KeyDown(key, shift));
}

bool TEnhGridView::event(QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        auto* k = static_cast<QKeyEvent*>(event);
        if ((k->key() == Qt::Key_Tab || k->key() == Qt::Key_Backtab) &&
            !(k->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
            keyPressEvent(k);
            return true;
        }
    }
    return QTableView::event(event);
}

void TEnhGridView::keyPressEvent(QKeyEvent* event)
{
    int key;
    TShift shift;
    KeyOf(event, key, shift);
    switch (key) {
    case vkTab:
    case vkUp:
    case vkDown:
    case vkLeft:
    case vkRight:
    case vkHome:
    case vkEnd:
    case vkPrior:
    case vkNext:
    case vkInsert:
    case vkDelete: {
        FinishEdit(true);
        TKeyOutcome outcome = grid_->KeyDown(key, shift);
        if (outcome == TKeyOutcome::Ignored && key == vkTab) {
            focusNextPrevChild((shift & ssShift) == 0);
            return;
        }
        if (outcome != TKeyOutcome::Ignored) {
            HandleOutcome(outcome);
            event->accept();
            return;
        }
        break;
    }
    case vkReturn:
        // Enter edits the current cell; it is not the dialog's OK.
        if (grid_->Options() & goEditing) {
            ShowEditor();
            return;
        }
        event->ignore();
        return;
    case vkEscape:
        event->ignore();
        return;
    default:
        break;
    }
    if (event->key() == Qt::Key_F2) {
        ShowEditor();
        return;
    }
    QTableView::keyPressEvent(event);
}

void TEnhGridView::currentChanged(const QModelIndex& current, const QModelIndex& previous)
{
    if (!syncing_ && current.isValid()) {
        FinishEdit(true);
        if (!grid_->SetCurrent(current.column(), GridRow(current))) {
            SyncCurrent();
            return;
        }
    }
    QTableView::currentChanged(current, previous);
}

void TEnhGridView::focusInEvent(QFocusEvent* event)
{
    QTableView::focusInEvent(event);
    if ((grid_->Options() & goEditing) && (grid_->Options() & goAlwaysShowEditor) && !editor_)
        ShowEditor();
}

void TEnhGridView::focusOutEvent(QFocusEvent* event)
{
    QTableView::focusOutEvent(event);
}

void TEnhGridView::mouseReleaseEvent(QMouseEvent* event)
{
    QTableView::mouseReleaseEvent(event);
    if (event->button() != Qt::RightButton)
        return;
    QModelIndex i = indexAt(event->position().toPoint());
    if (!i.isValid() || i.column() >= grid_->Columns().Count())
        return;
    std::shared_ptr<TColumnPopupMenu> menu = grid_->Columns()[i.column()].PopupMenu();
    if (menu && menu->AutoPopup) {
        QPoint global = event->globalPosition().toPoint();
        menu->Popup(global.x(), global.y());
        event->accept();
    }
}

void TEnhGridView::paintEvent(QPaintEvent* event)
{
    QTableView::paintEvent(event);
    if (grid_->Image().GetEmpty())
        return;
    QPixmap pm = PixmapOf(grid_->Image());
    QPainter p(viewport());
    int line = showGrid() ? 1 : 0;
    int last = grid_->ColCount() - 1;
    int right = columnViewportPosition(last) + columnWidth(last) + line;
    int bottom = 0;
    for (int m = model_->rowCount({}) - 1; m >= 0; m--)
        if (!isRowHidden(m)) {
            bottom = rowViewportPosition(m) + rowHeight(m) + line;
            break;
        }
    QRect area = viewport()->rect();
    Tile(p, QRect(QPoint(right, 0), area.bottomRight()), pm);
    Tile(p, QRect(QPoint(0, bottom), QPoint(right - 1, area.bottom())), pm);
}

void TEnhGridView::scrollContentsBy(int dx, int dy)
{
    QTableView::scrollContentsBy(dx, dy);
    if (!grid_->Image().GetEmpty())
        viewport()->update();
}

void TEnhGridView::resizeEvent(QResizeEvent* event)
{
    QTableView::resizeEvent(event);
    grid_->VisibleRows = std::max(1, viewport()->height() / std::max(1, grid_->DefaultRowHeight()));
}

// ---------------------------------------------------------------- listener

void TEnhGridView::StructureChanging()
{
    FinishEdit(false);
    model_->BeginReset();
}

void TEnhGridView::StructureChanged()
{
    model_->EndReset();
    ApplyOptions();
    ColWidthChanged(-1);
    RowHeightChanged(-1);
    UpdateTitleRow();
    SyncCurrent();
}

void TEnhGridView::ColWidthChanged(int col)
{
    applying_ = true;
    if (col < 0) {
        for (int c = 0; c < grid_->ColCount(); c++)
            header_->resizeSection(c, grid_->ColWidth(c));
    } else {
        header_->resizeSection(col, grid_->ColWidth(col));
    }
    applying_ = false;
    UpdateTitleRow();
}

void TEnhGridView::ApplyRowHeight(int row)
{
    int m = row - model_->TitleRows();
    if (m < 0)
        return;
    int h = grid_->RowHeight(row);
    if (h <= 0) {
        setRowHidden(m, true);
    } else {
        setRowHidden(m, false);
        setRowHeight(m, h);
    }
}

void TEnhGridView::RowHeightChanged(int row)
{
    if (row >= 0) {
        ApplyRowHeight(row);
    } else {
        verticalHeader()->setDefaultSectionSize(std::max(1, grid_->DefaultRowHeight()));
        for (int r = 0; r < grid_->RowCount(); r++)
            ApplyRowHeight(r);
    }
    UpdateTitleRow();
    SyncCurrent();
}

void TEnhGridView::CellChanged(int col, int row)
{
    model_->Cell(col, row);
}

void TEnhGridView::CurrentChanged()
{
    SyncCurrent();
}

void TEnhGridView::Repaint()
{
    ApplyOptions();
    UpdateTitleRow();
    viewport()->update();
}

void TEnhGridView::HeightChanged(int height)
{
    if (!parentWidget() || !parentWidget()->layout())
        resize(width(), height);
}

void TEnhGridView::EditorRefresh()
{
    if (editor_)
        editor_->RefreshText();
}

void TEnhGridView::ApplyOptions()
{
    TGridOptions o = grid_->Options();
    if (o == appliedOptions_)
        return;
    appliedOptions_ = o;
    setShowGrid((o & (goVertLine | goHorzLine)) != 0);
    setSelectionBehavior((o & goRowSelect) ? QAbstractItemView::SelectRows : QAbstractItemView::SelectItems);
    header_->setSectionResizeMode((o & goColSizing) ? QHeaderView::Interactive : QHeaderView::Fixed);
    header_->setSectionsMovable((o & goColMoving) != 0);
    setEditTriggers((o & goEditing) ? (QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                                       QAbstractItemView::AnyKeyPressed)
                                    : QAbstractItemView::NoEditTriggers);
}

void TEnhGridView::UpdateTitleRow()
{
    header_->setVisible(grid_->HasTitleRow());
    updateGeometries();
    header_->viewport()->update();
}

void TEnhGridView::SyncCurrent()
{
    syncing_ = true;
    QModelIndex i = IndexOf(grid_->Col(), grid_->Row());
    if (i.isValid() && grid_->RowVisible(grid_->Row()) && grid_->Row() >= grid_->FixedRows() &&
        grid_->Col() >= grid_->FixedCols())
        selectionModel()->setCurrentIndex(i, QItemSelectionModel::ClearAndSelect);
    else
        selectionModel()->clear();
    syncing_ = false;
}

} // namespace wd
