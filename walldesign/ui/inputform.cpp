// The input dialog's pages and controls.
#include "walldesign/ui/inputform.h"

#include "platform/error.h"
#include "platform/gui/services.h"
#include "walldesign/calc/units.h"
#include "walldesign/calc/wall.h"
#include "walldesign/files/catalogue.h"
#include "walldesign/ui/enhgridview.h"
#include "walldesign/ui/qtext.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTabWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace wd {

namespace {

// Both unit systems' versions of a caption, for sizing.
std::vector<std::string> BothSystems(const std::string& text)
{
    std::string imperial = text;
    for (const TUnitLabel& label : UnitLabels)
        ReplaceAll(imperial, label.Metric, label.Imperial);
    return {text, imperial};
}

// Column headings over a catalogue list, placed where the list draws its
// columns and wrapped into their width.
QLabel* MakeLabel(QWidget* parent, int number, const char* caption)
{
    auto* label = new QLabel(caption, parent);
    label->setObjectName(QString("Label%1").arg(number));
    return label;
}

QPushButton* MakeButton(QWidget* parent, const char* name, const char* caption)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

// The screen's pixels per design pixel.
double Scale(const QWidget* w)
{
    return std::max(1.0, w->logicalDpiY() / 96.0);
}

} // namespace

// ---------------------------------------------------------------- construction

TInputForm::TInputForm(QWidget* parent, const std::string& folder) : QDialog(parent)
{
    QDir dir(folder.empty() ? QCoreApplication::applicationDirPath() : QStr(folder));
    std::string sheetPiles = ReadCatalogueText(StdStr(dir.filePath(kSheetPileFile)));
    std::string steelGrades = ReadCatalogueText(StdStr(dir.filePath(kSteelGradeFile)));

    setObjectName("InputForm");
    setWindowTitle("Input");
    setModal(true);

    PageControl = new QTabWidget(this);
    PageControl->setObjectName("PageControl");
    auto addPage = [this](const char* name, const char* caption) {
        auto* page = new QWidget(PageControl);
        page->setObjectName(name);
        PageControl->addTab(page, caption);
        return page;
    };
    TabSheet1 = addPage("TabSheet1", "Geo Data");
    TabSheet2 = addPage("TabSheet2", "Soil Layers");
    TabSheet3 = addPage("TabSheet3", "Concentrated Forces");
    TabSheet4 = addPage("TabSheet4", "Userdefined Pressures");
    TabSheet5 = addPage("TabSheet5", "Boussinesq");
    TabSheet6 = addPage("TabSheet6", "Sheet Pile Section");

    BuildGeoPage();
    BuildLayerPage();
    Grid3 = MakeGrid(3, {"Horiz. Component [kN/m]", "Vert. Component [kN/m]", "Depth Horiz. Comp. [m]"}, "Force %d",
                     true);
    BuildGridPage(TabSheet3, Grid3, 3, &Panel3, &PaintBox2, &ForcesDrawing);
    Grid4 = MakeGrid(4, {"Pressure Top [kN/m2]", "Pressure Tip [kN/m2]", "Depth Top [m]", "Depth Tip [m]"},
                     "Strip %d", true);
    BuildGridPage(TabSheet4, Grid4, 4, nullptr, nullptr, nullptr);
    Grid5 = MakeGrid(5, {"Distance Wall [m]", "Width Surcharge [m]", "Depth Surcharge [m]", "Surcharge [kN/m2]"},
                     "Bousq. %d", true);
    Grid5->Grid().SetMaxRowCount(kMaxBousqs + 1);
    BuildGridPage(TabSheet5, Grid5, 5, &Panel4, &PaintBox3, &BousqDrawing);

    // Sheet Pile Section page.
    ListBox1 = new TCatalogueListBox(kSheetPileList, TabSheet6);
    ListBox1->setObjectName("ListBox1");
    ListBox2 = new TCatalogueListBox(kSteelGradeList, TabSheet6);
    ListBox2->setObjectName("ListBox2");
    Headings1 = new TListHeadings(
        ListBox1,
        {MakeLabel(TabSheet6, 18, "Name"), MakeLabel(TabSheet6, 19, "Sectional area [cm2/m]"),
         MakeLabel(TabSheet6, 20, "Mass [kg/m2]"), MakeLabel(TabSheet6, 21, "Inertia [cm4/m]"),
         MakeLabel(TabSheet6, 22, "Section modulus [cm3/m]")},
        TabSheet6);
    Headings2 = new TListHeadings(
        ListBox2, {MakeLabel(TabSheet6, 23, "Name"), MakeLabel(TabSheet6, 24, "Yieldpoint [N/mm2]")}, TabSheet6);
    QLabel* safetyLabel = MakeLabel(TabSheet6, 15, "&Requested Safety:");
    Edit12 = new QLineEdit("1.5", TabSheet6);
    Edit12->setObjectName("Edit12");
    Edits[12] = Edit12;
    safetyLabel->setBuddy(Edit12);
    {
        int listWidth = ListBox1->frameWidth() * 2 + 5 * ListBox1->ColumnStep() +
                        ListBox1->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
        ListBox1->setMinimumWidth(listWidth);
        ListBox2->setMinimumWidth(listWidth);
        ListBox2->setFixedHeight(ListBox2->frameWidth() * 2 + 7 * ListBox2->RowHeight());
        auto* v = new QVBoxLayout(TabSheet6);
        auto* lists = new QGridLayout;
        lists->addWidget(Headings1, 0, 0);
        lists->addWidget(ListBox1, 1, 0);
        lists->addWidget(Headings2, 2, 0);
        lists->addWidget(ListBox2, 3, 0);
        lists->setRowStretch(1, 1);
        auto* h = new QHBoxLayout;
        h->addLayout(lists);
        h->addStretch(1);
        v->addLayout(h, 1);
        auto* safety = new QHBoxLayout;
        safety->addWidget(safetyLabel);
        safety->addWidget(Edit12);
        safety->addStretch(1);
        v->addLayout(safety);
        Edit12->setFixedWidth(Edits[1]->width());
    }

    Button1 = new QPushButton("OK", this);
    Button1->setObjectName("Button1");
    Button1->setDefault(true);
    Button2 = new QPushButton("Cancel", this);
    Button2->setObjectName("Button2");
    Button2->setAutoDefault(false);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(Button1);
    buttons->addWidget(Button2);
    auto* main = new QVBoxLayout(this);
    main->addWidget(PageControl, 1);
    main->addLayout(buttons);

    for (const std::string& line : CatalogueLines(sheetPiles))
        ListBox1->addItem(QStr(line));
    for (const std::string& line : CatalogueLines(steelGrades))
        ListBox2->addItem(QStr(line));

    for (size_t n = 1; n < Labels.size(); n++)
        Labels[n] = findChild<QLabel*>(QString("Label%1").arg(n));

    // Handlers.
    for (int n : {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 13, 14})
        connect(Edits[n], &QLineEdit::textChanged, this, [this] { sps::RunGuarded([this] { GeodataChange(); }); });
    connect(ComboBox1, &QComboBox::currentIndexChanged, this,
            [this] { sps::RunGuarded([this] { GeodataChange(); }); });
    for (TEnhGridView* view : {Grid3, Grid5}) {
        auto handler = [this, view] {
            sps::RunGuarded([this, view] { view == Grid3 ? Grid3GridChanged() : Grid5GridChanged(); });
        };
        view->Grid().OnGridChanged = handler;
        view->Grid().AfterInsert = handler;
        view->Grid().AfterDelete = handler;
    }
    for (int tag = 1; tag <= 5; tag++) {
        auto* add = findChild<QPushButton*>(QString("AddRowButton%1").arg(tag));
        auto* del = findChild<QPushButton*>(QString("DeleteRowButton%1").arg(tag));
        connect(add, &QPushButton::clicked, this, [this, add] { sps::RunGuarded([&] { AddRowButtonClick(add); }); });
        connect(del, &QPushButton::clicked, this,
                [this, del] { sps::RunGuarded([&] { DeleteRowButtonClick(del); }); });
    }
    connect(CopyButton1, &QPushButton::clicked, this, [this] {
        sps::RunGuarded([this] {
            if (copyFromHeadwall_)
                copyFromHeadwall_();
        });
    });
    connect(CopyButton2, &QPushButton::clicked, this, [this] { sps::RunGuarded([this] { CopyButton2Click(); }); });
    connect(PageControl, &QTabWidget::currentChanged, this, [this] { sps::RunGuarded([this] { Redraw(); }); });
    connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
    connect(Button2, &QPushButton::clicked, this, &QDialog::reject);

    // Page keys reach the dialog before the control with the focus.
    qApp->installEventFilter(this);

    double scale = Scale(this);
    resize(static_cast<int>(std::lround(860 * scale)), static_cast<int>(std::lround(560 * scale)));
    GeodataChange();
}

TInputForm::~TInputForm()
{
    if (InputDialog() == this)
        SetInputDialog(nullptr);
}

void TInputForm::BuildGeoPage()
{
    struct TRow {
        int Edit;
        int Label;
        const char* Caption;
    };
    static const TRow rows[] = {
        {1, 1, "Sheet Pile &Top Level [m]"},
        {4, 2, "&Anchorlevel [m]"},
        {2, 3, "&Soil Level in Front [m]"},
        {3, 4, "S&oil Level behind [m]"},
        {5, 5, "&Water Level in Front [m]"},
        {6, 6, "Wa&ter Level behind [m]"},
        {7, 7, "Soil Surface &Inclination in Front  [Deg]"},
        {8, 8, "Soil Surface I&nclination behind [Deg]"},
        {9, 9, "Ca&quot Surcharge in Front [kN/m2]"},
        {10, 10, "Caq&uot Surcharge behind [kN/m2]"},
        {11, 11, "Anchor Inclination [Deg]"},
        {0, 12, "&Earth Support"},
        {13, 13, "Anchor Force * Safety Factor [kN/m]"},
        {14, 14, "Safety-Factor on Anchor Force"},
    };
    int editWidth = fontMetrics().horizontalAdvance("-000000.000") + 16;
    auto* grid = new QGridLayout;
    int line = 0;
    for (const TRow& row : rows) {
        QLabel* label = MakeLabel(TabSheet1, row.Label, row.Caption);
        QWidget* field;
        if (row.Edit == 0) {
            ComboBox1 = new QComboBox(TabSheet1);
            ComboBox1->setObjectName("ComboBox1");
            field = ComboBox1;
        } else {
            auto* edit = new QLineEdit("0.00", TabSheet1);
            edit->setObjectName(QString("Edit%1").arg(row.Edit));
            Edits[static_cast<size_t>(row.Edit)] = edit;
            field = edit;
        }
        field->setFixedWidth(editWidth);
        label->setBuddy(field);
        grid->addWidget(label, line, 0);
        grid->addWidget(field, line, 1);
        line++;
    }
    grid->setRowStretch(line, 1);

    Panel2 = new QFrame(TabSheet1);
    Panel2->setObjectName("Panel2");
    Panel2->setFrameShape(QFrame::StyledPanel);
    Panel2->setFrameShadow(QFrame::Sunken);
    Panel2->setAutoFillBackground(true);
    PaintBox1 = new TPaintBox(GeometryDrawing, 15, Panel2);
    PaintBox1->setObjectName("PaintBox1");
    auto* p = new QVBoxLayout(Panel2);
    p->setContentsMargins(1, 1, 1, 1);
    p->addWidget(PaintBox1);

    auto* h = new QHBoxLayout(TabSheet1);
    h->addLayout(grid);
    h->addWidget(Panel2, 1);
}

TEnhGridView* TInputForm::MakeGrid(int tag, const std::vector<const char*>& titles, const char* rowFormat,
                                   bool hiddenFirstRow)
{
    auto* view = new TEnhGridView(this);
    view->setObjectName(QString("Grid%1").arg(tag));
    TEnhGrid& g = view->Grid();
    g.SetColCount(static_cast<int>(titles.size()) + 1);
    g.SetFixedRows(0);
    g.SetFixedCols(1);
    g.SetRowCount(1);
    g.SetOptions(g.Options() | goTabs);
    g.EnhancedOptions = dgoAppendRow | dgoInsertRow | dgoDeleteRow;
    QFontMetrics fm(view->font());
    g.SetDefaultRowHeight(std::max(20, fm.height() + 6));
    g.SetColWidth(0, fm.horizontalAdvance(QStr(sps::Format(rowFormat, 88))) + 12);
    int valueWidth = fm.horizontalAdvance("-00000.000") + 12;
    for (size_t i = 0; i < titles.size(); i++) {
        int col = static_cast<int>(i) + 1;
        g.Columns()[col].Title().SetCaption(titles[i]);
        // Wide enough for the title on two lines, broken between words.
        int width = valueWidth;
        for (const std::string& text : BothSystems(titles[i])) {
            QStringList words = QStr(text).split(' ');
            int best = fm.horizontalAdvance(QStr(text));
            for (qsizetype k = 1; k < words.size(); k++)
                best = std::min(best, std::max(fm.horizontalAdvance(words.mid(0, k).join(' ')),
                                               fm.horizontalAdvance(words.mid(k).join(' '))));
            width = std::max(width, best + 12);
        }
        g.SetColWidth(col, width);
    }
    if (hiddenFirstRow)
        g.SetRowHeight(0, -1);
    rowFormats_[tag] = rowFormat;
    g.OnGetEditText = [this](TEnhGrid& grid, int col, int row, std::string& text) {
        Grid1GetEditText(grid, col, row, text);
    };
    int width = 2 * view->frameWidth() + view->style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 2;
    for (int c = 0; c < g.ColCount(); c++)
        width += g.ColWidth(c);
    view->setMinimumWidth(width);
    return view;
}

QWidget* TInputForm::RowButtons(int tag, QWidget* extra)
{
    auto* box = new QWidget(this);
    auto* h = new QHBoxLayout(box);
    h->setContentsMargins(0, 0, 0, 0);
    if (extra)
        h->addWidget(extra);
    h->addStretch(1);
    QPushButton* add = MakeButton(box, QString("AddRowButton%1").arg(tag).toUtf8().constData(), "Add Row");
    QPushButton* del = MakeButton(box, QString("DeleteRowButton%1").arg(tag).toUtf8().constData(), "Delete Row");
    add->setProperty("Tag", tag);
    del->setProperty("Tag", tag);
    h->addWidget(add);
    h->addWidget(del);
    return box;
}

void TInputForm::BuildLayerPage()
{
    Grid1 = MakeGrid(1,
                     {"Layer Tip [m]", "Density Moist [kN/m3]", "Density Submerged [kN/m3]", "Kph", "Phi [Deg]",
                      "Delta [Deg]", "Cohesion [kN/m2]"},
                     "Layer %d", false);
    Grid2 = MakeGrid(2,
                     {"Layer Tip [m]", "Density Moist [kN/m3]", "Density Submerged [kN/m3]", "Kah", "Phi [Deg]",
                      "Delta [Deg]", "Cohesion [kN/m2]"},
                     "Layer %d", false);
    CheckBox1 = new QCheckBox("Automatic Kph Values", TabSheet2);
    CheckBox1->setObjectName("CheckBox1");
    CheckBox2 = new QCheckBox("Automatic Kah Values", TabSheet2);
    CheckBox2->setObjectName("CheckBox2");
    CopyButton1 = MakeButton(TabSheet2, "CopyButton1", "Copy from Headwall");
    CopyButton2 = MakeButton(TabSheet2, "CopyButton2", "Copy from Above");
    QLabel* front = MakeLabel(TabSheet2, 16, "Layers in &Front");
    QLabel* behind = MakeLabel(TabSheet2, 17, "Layers &behind");
    front->setBuddy(Grid1);
    behind->setBuddy(Grid2);

    QWidget* row1 = RowButtons(1, CheckBox1);
    row1->layout()->addWidget(CopyButton1);
    QWidget* row2 = RowButtons(2, CheckBox2);
    row2->layout()->addWidget(CopyButton2);
    auto* v = new QVBoxLayout(TabSheet2);
    v->addWidget(front);
    v->addWidget(Grid1, 1);
    v->addWidget(row1);
    v->addSpacing(fontMetrics().height() / 2);
    v->addWidget(behind);
    v->addWidget(Grid2, 1);
    v->addWidget(row2);
}

void TInputForm::BuildGridPage(QWidget* page, TEnhGridView*& grid, int tag, QFrame** panel, TPaintBox** box,
                               const TDrawing* drawing)
{
    grid->setParent(page);
    auto* left = new QVBoxLayout;
    left->addWidget(grid, 1);
    QWidget* buttons = RowButtons(tag);
    buttons->setParent(page);
    left->addWidget(buttons);
    auto* h = new QHBoxLayout(page);
    h->addLayout(left, drawing ? 0 : 1);
    if (drawing) {
        *panel = new QFrame(page);
        (*panel)->setObjectName(QString("Panel%1").arg(tag == 3 ? 3 : 4));
        (*panel)->setFrameShape(QFrame::StyledPanel);
        (*panel)->setFrameShadow(QFrame::Sunken);
        (*panel)->setAutoFillBackground(true);
        *box = new TPaintBox(*drawing, 15, *panel);
        (*box)->setObjectName(tag == 3 ? "PaintBox2" : "PaintBox3");
        auto* p = new QVBoxLayout(*panel);
        p->setContentsMargins(1, 1, 1, 1);
        p->addWidget(*box);
        h->addWidget(*panel, 1);
    }
}

// ---------------------------------------------------------------- list headings

TListHeadings::TListHeadings(TCatalogueListBox* list, const std::vector<QLabel*>& labels, QWidget* parent)
    : QWidget(parent), list_(list), labels_(labels)
{
    for (QLabel* l : labels_) {
        l->setParent(this);
        l->setAlignment(Qt::AlignLeft | Qt::AlignBottom);
    }
}

QSize TListHeadings::sizeHint() const
{
    return QSize(Left(static_cast<int>(labels_.size())), Height());
}

void TListHeadings::Relayout()
{
    for (QLabel* l : labels_)
        l->setText(Wrap(l, l->text()));
    int h = Height();
    for (size_t i = 0; i < labels_.size(); i++)
        labels_[i]->setGeometry(Left(static_cast<int>(i)), 0, list_->ColumnStep() - 4, h);
    updateGeometry();
}

int TListHeadings::Left(int column) const
{
    return list_->frameWidth() + column * list_->ColumnStep() + 2;
}

QString TListHeadings::Wrap(const QLabel* l, const QString& text) const
{
    QStringList lines;
    for (const QString& word : QString(text).replace('\n', ' ').split(' ', Qt::SkipEmptyParts)) {
        if (!lines.isEmpty() &&
            l->fontMetrics().horizontalAdvance(lines.back() + ' ' + word) <= list_->ColumnStep() - 4)
            lines.back() += ' ' + word;
        else
            lines.append(word);
    }
    return lines.join('\n');
}

int TListHeadings::Height() const
{
    int lines = 1;
    for (QLabel* l : labels_)
        for (const std::string& text : BothSystems(StdStr(l->text())))
            lines = std::max(lines, static_cast<int>(Wrap(l, QStr(text)).count('\n')) + 1);
    return lines * fontMetrics().lineSpacing() + 2;
}

// ---------------------------------------------------------------- paint box and lists

TPaintBox::TPaintBox(const TDrawing& drawing, int margin, QWidget* parent)
    : QWidget(parent), drawing_(drawing), margin_(margin)
{
    double scale = Scale(this);
    setMinimumSize(static_cast<int>(260 * scale), static_cast<int>(260 * scale));
}

TCatalogueListBox::TCatalogueListBox(int list, QWidget* parent) : QListWidget(parent), list_(list)
{
    class TDelegate : public QStyledItemDelegate {
    public:
        explicit TDelegate(TCatalogueListBox* owner) : QStyledItemDelegate(owner), owner_(owner) {}
        void paint(QPainter* p, const QStyleOptionViewItem& option, const QModelIndex& index) const override
        {
            owner_->DrawItem(*p, index.row(), option.rect, (option.state & QStyle::State_Selected) != 0);
        }
        QSize sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const override
        {
            return QSize(owner_->ColumnStep(), owner_->RowHeight());
        }

    private:
        TCatalogueListBox* owner_;
    };
    setItemDelegate(new TDelegate(this));
    setUniformItemSizes(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

int TCatalogueListBox::ColumnStep() const
{
    // 70 pixels, or more where the font needs it for the widest value.
    return std::max(static_cast<int>(std::lround(70 * Scale(this))),
                    fontMetrics().horizontalAdvance("000000.000") + 8);
}

int TCatalogueListBox::RowHeight() const
{
    return std::max(static_cast<int>(std::lround(15 * Scale(this))), fontMetrics().height() + 1);
}

} // namespace wd
