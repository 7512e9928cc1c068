// Safety factors, the section list with its search modes, and the Sf summary
// grid.
#include "calcframe/gui/frame.h"
#include "calcframe/gui/radiogroup.h"
#include "calcframe/gui/services.h"
#include "calcframe/gui/statusbar.h"
#include "calcframe/units.h"
#include "corrosion/gui/form.h"
#include "corrosion/gui/formdata.h"
#include "platform/numtext.h"

#include <QAction>
#include <QFontMetrics>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QTableWidget>

#include <algorithm>

namespace rv {

namespace {

int Round(double v) { return static_cast<int>(sps::RoundHalfEven(v)); }

const char* const kNoValue = " N/A ";

} // namespace

SfGridLayout LayoutSfGridFor(const std::vector<std::string>& sectionHeads, const std::vector<std::string>& gradeHeads,
                             int pixelsPerInch, int textHeightMg, int clientWidth,
                             const std::function<int(const std::string&)>& width)
{
    SfGridLayout g;
    const int k = Round(pixelsPerInch / 96.0);
    g.rowHeight = std::max(textHeightMg + 6 * k, 18 * k);
    for (const std::string& name : sectionHeads)
        g.columnWidths.push_back(std::max(width(name) + 10 * k, 40 * k));
    int height = 0;
    for (const std::string& name : gradeHeads) {
        height += g.rowHeight;
        g.column0Width = std::max(g.column0Width, Round(1.3 * width(name)));
    }
    g.row0Height = 10 * k + g.rowHeight;
    int total = g.column0Width;
    for (int w : g.columnWidths)
        total += w;
    g.scrollBar = total > clientWidth;
    g.height = height + g.row0Height + (g.scrollBar ? 34 * k : 14 * k);
    return g;
}

// --- safety factors --------------------------------------------------------

void TForm1::ComputeSafetyFactors()
{
    data_->sf = cr::ComputeSafetyFactors(data_->loads, data_->fyk, data_->section);
    Lbl_Sf_Result->setText(cf::QStr(cr::SafetyFactorText(data_->sf.ini)));
    Lbl_SFRedResult->setText(cf::QStr(cr::SafetyFactorText(data_->sf.red)));
}

void TForm1::RefreshResults()
{
    if (windowSearch_)
        RG_SSPClick();
    ComputeSafetyFactors();
}

// --- the section list --------------------------------------------------------

void TForm1::SetListRow(int row)
{
    QSignalBlocker block(LB_SSP);
    LB_SSP->setCurrentRow(row);
}

void TForm1::FillCatalogueList(int first, int last)
{
    RovandelData& d = *data_;
    cr::ListContext ctx;
    ctx.mode = windowSearch_ ? cf::SearchMode::WindowSearch : cf::SearchMode::ListAll;
    ctx.metric = metric_;
    ctx.loads = d.loads;
    ctx.fyk = d.fyk;
    ctx.totalLoss = d.losses.total;
    ctx.window = d.window;
    const cr::SectionList list = cr::FillCatalogueList(d.cat, first, last, ctx);
    // A section tested beyond the tables beeps, as its reduced properties do;
    // the list beeps once however many there are.
    if (list.beeps > 0)
        SB1->Beep(cf::kBeepDefault);
    if (!list.status.empty())
        SB1->SetPanel(0, cf::QStr(list.status));

    d.listIndexMap = list.rows;
    d.listLines = static_cast<int>(list.rows.size());
    {
        QSignalBlocker block(LB_SSP);
        LB_SSP->clear();
        for (const std::string& line : list.lines)
            LB_SSP->addItem(cf::QStr(line));
    }

    const bool input = OnPage(TabSheetInput);
    if (list.Empty()) {
        if (input) {
            MenuPrint->setEnabled(false);
            MenuPrintToFile->setEnabled(false);
        }
        LB_SSP->setEnabled(false);
        d.section.sxIni = 0;
        d.section.axIni = 0;
        d.section.b = 0;
        ComputeSafetyFactors();
        SB1->ClearPanel(0);
        SetListRow(-1);
        for (QLabel* l : {Lbl_Red_Sx2, Lbl_Red_Ax2, Lbl_Red_Ix2, Lbl_Red_tw2, Lbl_Red_tf2})
            l->setText(QString::fromLatin1(kNoValue));
    } else {
        if (input) {
            MenuPrint->setEnabled(true);
            MenuPrintToFile->setEnabled(true);
        }
        LB_SSP->setEnabled(true);
        SetListRow(0);
        ComputeReducedProperties(list.rows[0]);
        ComputeSafetyFactors();
    }
    ComputeQuantities();
}

void TForm1::RG_SSPClick()
{
    const int item = RG_SSP->ItemIndex();
    RG_SSP->setToolTip(item == 0 ? QStringLiteral(" ALL = all types of sections ") : QString());
    // An item without a family range in the data file lists nothing.
    cr::FamilyRange range;
    if (item >= 0 && item < static_cast<int>(data_->cat.familyRanges.size()))
        range = data_->cat.familyRanges[static_cast<size_t>(item)];
    FillCatalogueList(range.first, range.last);
}

void TForm1::ShowSelectionStatus(int section)
{
    const double sx = data_->cat.sx[0][static_cast<size_t>(section)];
    const double ax = data_->cat.ax[0][static_cast<size_t>(section)];
    QString text;
    if (metric_)
        text = QStringLiteral(" Sx = ") + cf::Fixed(sx, 0) + QString::fromUtf8(" cm³/m") +
               QStringLiteral(" ; Area Ax = ") + cf::Fixed(ax, 1) + QString::fromUtf8(" cm²/m");
    else
        text = QStringLiteral(" Sx = ") + cf::Fixed(sx / cf::kSxFactor, 1) + QString::fromUtf8(" in³/ft") +
               QStringLiteral(" ; Area Ax = ") + cf::Fixed(ax / cf::kAreaFactor, 2) + QString::fromUtf8(" in²/ft");
    SB1->SetPanel(0, text);
}

void TForm1::LB_SSPClick()
{
    // Only a line that shows a section selects one (no line while the
    // advice lines show).
    const int section = SelectedSection();
    if (section < 0)
        return;
    ShowSelectionStatus(section);
    SB1->ClearPanel(1);
    ApplySplashZoneFactor();
    ComputeSafetyFactors();
    ComputeQuantities();
}

// --- search modes ----------------------------------------------------------

void TForm1::MenuSelectSfminClick()
{
    if (windowSearch_) {
        MenuSelectSfmin->setChecked(true);
        return;
    }
    GB_Sfmin->setTitle(QStringLiteral("  Required Sf,red  "));
    cf::ShowSearchFields(true, {Lbl_Sf_Result, Lbl_SfIni}, Lbl_Sf_Text, Edit_Sfmin, Edit_SfMax);
    windowSearch_ = true;
    MenuSelectSfmin->setChecked(true);
    // An empty field, or one that is no value, counts as empty: nothing can
    // be listed until it holds a value.
    data_->window = cf::WindowOfFields(Edit_Sfmin, Edit_SfMax);
    Edit_Sfmin->setFocus(Qt::OtherFocusReason);
    RG_SSPClick();
}

void TForm1::MenuSelectSectionClick()
{
    if (!windowSearch_) {
        MenuSelectSection->setChecked(true);
        return;
    }
    GB_Sfmin->setTitle(QStringLiteral("  Safety factors Sf  "));
    Edit_Moment->setFocus(Qt::OtherFocusReason);
    cf::ShowSearchFields(false, {Lbl_Sf_Result, Lbl_SfIni}, Lbl_Sf_Text, Edit_Sfmin, Edit_SfMax);
    windowSearch_ = false;
    MenuSelectSection->setChecked(true);
    RG_SSPClick();
}

// --- the summary grid --------------------------------------------------------

void TForm1::LayoutSfGrid()
{
    const cr::Catalogue& cat = data_->cat;
    const int item = RG_SSP->ItemIndex();
    cr::FamilyRange family;
    if (item >= 0 && item < static_cast<int>(cat.familyRanges.size()))
        family = cat.familyRanges[static_cast<size_t>(item)];
    std::vector<std::string> sections;
    for (int i = std::max<int>(family.first, 0); i <= std::min<int>(family.last, cat.SectionCount() - 1); ++i)
        sections.push_back(cat.sectionNames[static_cast<size_t>(i)]);
    const cr::GradeTable& grades = cat.Grades(metric_);

    const QFontMetrics fm(SFList->font());
    QScreen* screen = SFList->screen();
    const int ppi = screen ? Round(screen->logicalDotsPerInchY()) : 96;
    const int clientWidth = SFList->width() - 2 * SFList->frameWidth();
    const SfGridLayout g = LayoutSfGridFor(sections, grades.names, ppi, fm.height(), clientWidth,
                                           [&fm](const std::string& s) { return fm.horizontalAdvance(cf::QStr(s)); });

    SFList->clear();
    SFList->setColumnCount(static_cast<int>(sections.size()));
    SFList->setRowCount(static_cast<int>(grades.names.size()));
    QStringList heads;
    for (const std::string& s : sections)
        heads << QStringLiteral(" ") + cf::QStr(s);
    SFList->setHorizontalHeaderLabels(heads);
    heads.clear();
    for (const std::string& s : grades.names)
        heads << QStringLiteral(" ") + cf::QStr(s);
    SFList->setVerticalHeaderLabels(heads);
    for (size_t c = 0; c < g.columnWidths.size(); ++c)
        SFList->setColumnWidth(static_cast<int>(c), g.columnWidths[c]);
    SFList->verticalHeader()->setDefaultSectionSize(g.rowHeight);
    SFList->verticalHeader()->setMinimumSectionSize(1);
    SFList->horizontalHeader()->setMinimumSectionSize(1);
    SFList->verticalHeader()->setFixedWidth(g.column0Width);
    SFList->horizontalHeader()->setFixedHeight(g.row0Height);
    SFList->setHorizontalScrollBarPolicy(g.scrollBar ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    SFList->setFixedHeight(std::min(g.height, 369));
}

void TForm1::FillSfGridColumn(int column, const std::vector<std::string>& cells)
{
    for (size_t r = 0; r < cells.size() && static_cast<int>(r) < SFList->rowCount(); ++r) {
        auto* item = new QTableWidgetItem(cf::QStr(cells[r]));
        item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        SFList->setItem(static_cast<int>(r), column - 1, item);
    }
}

QString TForm1::SfGridCell(int column, int row) const
{
    if (row == 0 && column == 0)
        return QString();
    if (row == 0) {
        QTableWidgetItem* h = SFList->horizontalHeaderItem(column - 1);
        return h ? h->text() : QString();
    }
    if (column == 0) {
        QTableWidgetItem* h = SFList->verticalHeaderItem(row - 1);
        return h ? h->text() : QString();
    }
    QTableWidgetItem* item = SFList->item(row - 1, column - 1);
    return item ? item->text() : QString();
}

void TForm1::RecomputeSfGrid()
{
    RovandelData& d = *data_;
    // The grid never includes the splash-zone reduction.
    const bool splash = cf::OwnEnabled(RG_A690);
    const int splashItem = RG_A690->ItemIndex();
    if (splash)
        RG_A690->SetItemIndex(0);
    ApplySplashZoneFactor();

    const int item = RG_SSP->ItemIndex();
    cr::FamilyRange family;
    if (item >= 0 && item < static_cast<int>(d.cat.familyRanges.size()))
        family = d.cat.familyRanges[static_cast<size_t>(item)];
    cr::GridContext ctx;
    ctx.mode = windowSearch_ ? cf::SearchMode::WindowSearch : cf::SearchMode::ListAll;
    ctx.metric = metric_;
    ctx.reduced = RB_SummarySfRed->isChecked();
    ctx.loads = d.loads;
    ctx.totalLoss = d.losses.total;
    ctx.window = d.window;
    const cr::SfGrid grid = cr::ComputeSfGrid(d.cat, family, ctx);
    if (grid.beeps > 0)
        SB1->Beep(cf::kBeepDefault);
    if (!grid.status.empty())
        SB1->SetPanel(0, cf::QStr(grid.status));
    for (size_t c = 0; c < grid.cells.size(); ++c)
        FillSfGridColumn(static_cast<int>(c) + 1, grid.cells[c]);

    // The selected section with its losses is current again, with the
    // reduction when one applies.
    if (splash)
        RG_A690->SetItemIndex(splashItem);
    ApplySplashZoneFactor();
}

void TForm1::ShowSfSummaryCaption()
{
    const cf::SearchMode mode = windowSearch_ ? cf::SearchMode::WindowSearch : cf::SearchMode::ListAll;
    Lbl_SfSummary->setText(cf::QStr(cr::SfSummaryCaption(mode, RB_SummarySfRed->isChecked(),
                                                         Edit_Sfmin->text().toStdString(),
                                                         Edit_SfMax->text().toStdString())));
}

void TForm1::TabSheetSFTableShow()
{
    if (!cr::ReducedSummaryAvailable(data_->cat, data_->section, data_->losses.total)) {
        RB_SummarySfRed->setEnabled(false);
        RB_SummarySfRed->setChecked(false);
        RB_SummarySfIni->setChecked(true);
    } else {
        RB_SummarySfRed->setEnabled(true);
    }
    LayoutSfGrid();
    RecomputeSfGrid();
    SFList->setFocus(Qt::OtherFocusReason);
    SB1->ClearPanel(1);
    SB1->SetPanel(0, LossStatus());
    ShowSfSummaryCaption();
}

void TForm1::RB_SummarySfIniClick()
{
    RB_SummarySfRed->setChecked(false);
    RB_SummarySfIni->setChecked(true);
    RecomputeSfGrid();
    ShowSfSummaryCaption();
}

void TForm1::RB_SummarySfRedClick()
{
    RB_SummarySfIni->setChecked(false);
    RB_SummarySfRed->setChecked(true);
    RecomputeSfGrid();
    ShowSfSummaryCaption();
}

} // namespace rv
