// Safety factors, the combination list with its search modes, and the tabs.
#include "calcframe/gui/events.h"
#include "calcframe/gui/frame.h"
#include "calcframe/gui/radiogroup.h"
#include "calcframe/gui/statusbar.h"
#include "calcframe/sfwindow.h"
#include "calcframe/units.h"
#include "combiwall/gui/form.h"
#include "combiwall/gui/formdata.h"
#include "combiwall/builtup.h"
#include "combiwall/safety.h"
#include "platform/numtext.h"

#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QTableWidget>

namespace cw {

// --- safety factors --------------------------------------------------------

void TForm1::ComputeSafetyFactors()
{
    Loads loads{M_, N_, f_};
    data_->results = cw::ComputeSafetyFactors(loads, data_->fyk, data_->selected);
    SafetyFactorTexts t = SafetyFactorDisplay(data_->results);
    Lbl_WQResult->setText(cf::QStr(t.kingPile));
    Lbl_NJVBResult->setText(cf::QStr(t.connectors));
    Lbl_KXResult->setText(cf::QStr(t.sheetPile));
    Lbl_SfWQResult_Own->setText(cf::QStr(t.kingPile));
    Lbl_SfNJVBResult_Own->setText(cf::QStr(t.connectors));
    Lbl_SfKXResult_Own->setText(cf::QStr(t.sheetPile));
    Lbl_SfminResult->setText(cf::QStr(t.minimum));
    Lbl_SfMin_Own->setText(cf::QStr(t.minimum));
}

double TForm1::MinimumSf() const { return data_->results.minimum; }

// --- the combination list --------------------------------------------------

void TForm1::SetListRow(int row)
{
    QSignalBlocker block(LB_WQKX);
    LB_WQKX->setCurrentRow(row);
}

void TForm1::FillCatalogueList(int first, int last)
{
    ListInput in;
    in.mode = windowSearch_ && MenuSelectSfmin->isEnabled() ? cf::SearchMode::WindowSearch : cf::SearchMode::ListAll;
    in.window = data_->window;
    in.loads = Loads{M_, N_, f_};
    in.fyk = data_->fyk;
    in.metric = metric_;
    CatalogueList list;
    cw::FillCatalogueList(data_->catalogue, RowRange{first, last}, KingPileFilter(RG_WQPiles->SelectedText().toStdString()),
                          in, list);
    listIndexMap_ = list.indexMap;
    listLines_ = static_cast<int>(list.lines.size());
    {
        QSignalBlocker block(LB_WQKX);
        LB_WQKX->clear();
        for (const std::string& line : list.lines)
            LB_WQKX->addItem(cf::QStr(line));
    }

    if (!CatalogueTabEnabled())
        return;
    if (listLines_ == 0) {
        TabSheetMaterialList->setEnabled(false);
        MenuPrint->setEnabled(false);
        MenuPrintToFile->setEnabled(false);
        LB_WQKX->setEnabled(false);
        ClearSelectedSystem();
        ComputeSafetyFactors();
        QSignalBlocker block(LB_WQKX);
        for (const char* line : kNoMatchLines)
            LB_WQKX->addItem(QString::fromLatin1(line));
        Lbl_Weight_A->hide();
        Lbl_Weight_B->hide();
        Lbl_Weight_100->hide();
        Lbl_Weight_60->hide();
        Lbl_Weight_WQ->show();
        Lbl_Weight_WQ->setText(QStringLiteral(" N/A "));
        LB_WQKX->setCurrentRow(-1);
    } else {
        TabSheetMaterialList->setEnabled(true);
        MenuPrint->setEnabled(true);
        MenuPrintToFile->setEnabled(true);
        LB_WQKX->setEnabled(true);
        SetListRow(0);
        LB_WQKXClick();
    }
}

void TForm1::RG_IntermediarySSPClick()
{
    int item = RG_IntermediarySSP->ItemIndex();
    RG_IntermediarySSP->setToolTip(cf::QStr(GroupHint(item)));
    if (item < 0)
        return;
    RowRange range = GroupRange(data_->catalogue, item);
    FillCatalogueList(range.first, range.last);
}

void TForm1::RefreshResults()
{
    if (windowSearch_) {
        SetListRow(-1);
        if (MenuSelectSfmin->isEnabled())
            RG_IntermediarySSPClick();
    }
    ComputeSafetyFactors();
}

void TForm1::LoadSelectedSystem(int row)
{
    data_->selectedName = data_->catalogue.combinations.names[row];
    data_->selected = CombinationSystem(data_->catalogue, row);
}

void TForm1::ClearSelectedSystem() { data_->selected = SelectedSystem{}; }

void TForm1::LB_WQKXClick()
{
    int line = LB_WQKX->currentRow();
    // Only a line that shows a combination selects one.
    if (line < 0 || line >= listLines_)
        return;
    int row = listIndexMap_[static_cast<size_t>(line)];
    LoadSelectedSystem(row);
    QString name = cf::QStr(data_->selectedName);
    Lbl_WQCombination->setText(name);
    ComputeSafetyFactors();
    SB1->SetPanel(0, cf::QStr(SelectionStatusText(data_->selected, metric_)));
    SB1->ClearPanel(1);
    ShowSystemComposition(name);
    ComputeMaterialList();
    if (cf::OwnEnabled(Edit_LengthWall))
        Edit_LengthWallChange();
    else
        Edit_NbOfSystemsChange();
}

// --- search modes ----------------------------------------------------------

void TForm1::MenuSelectSfminClick()
{
    if (windowSearch_) {
        MenuSelectSfmin->setChecked(true);
        return;
    }
    GB_Sfmin->setTitle(QStringLiteral("  Required Sfmin  "));
    cf::ShowSearchFields(true, {Lbl_SfminResult}, Lbl_Sf_Text, Edit_Sfmin, Edit_SfMax);
    windowSearch_ = true;
    MenuSelectSfmin->setChecked(true);
    data_->window = cf::WindowOfFields(Edit_Sfmin, Edit_SfMax);
    Edit_Sfmin->setFocus(Qt::OtherFocusReason);
    RG_IntermediarySSPClick();
}

void TForm1::MenuSelectCombinationClick()
{
    if (!windowSearch_) {
        MenuSelectCombination->setChecked(true);
        return;
    }
    GB_Sfmin->setTitle(QStringLiteral("  Minimum Sf  "));
    Edit_Moment->setFocus(Qt::OtherFocusReason);
    cf::ShowSearchFields(false, {Lbl_SfminResult}, Lbl_Sf_Text, Edit_Sfmin, Edit_SfMax);
    windowSearch_ = false;
    MenuSelectCombination->setChecked(true);
    RG_IntermediarySSPClick();
}

// --- tabs ------------------------------------------------------------------

void TForm1::TabSheetKestraneShow()
{
    MenuSelectCombination->setEnabled(true);
    MenuSelectSfmin->setEnabled(true);
    TabSheetKestrane_Own->setEnabled(false);
    TabSheetKestrane->setEnabled(true);
    int keep = LB_WQKX->currentRow();
    RefreshResults();
    // The list may have been filled while the built-up tab was the source (or
    // not at all), in another unit system and without a selected line: listed
    // again, it shows Sx in the current unit and supplies a combination.
    if (!windowSearch_)
        RG_IntermediarySSPClick();
    if (keep >= 0 && keep < listLines_) {
        SetListRow(keep);
        LB_WQKXClick();
    }
}

// Leaving the catalogue or the material list tab does nothing.
void TForm1::TabSheetKestraneExit() {}
void TForm1::TabSheetMaterialListExit() {}

void TForm1::TabSheetMaterialListShow()
{
    if (!cf::OwnEnabled(TabSheetMaterialList)) {
        SB1->SetPanel(0, QStringLiteral(" No WQ/KX system selected. Return to previous page! "));
        TabSheetMaterialList->hide();
        MenuMetric->setEnabled(false);
        MenuImperial->setEnabled(false);
        return;
    }
    if (windowSearch_ && CatalogueTabEnabled()) {
        MenuMetric->setEnabled(false);
        MenuImperial->setEnabled(false);
    }
    MenuSelectWallLength->setEnabled(true);
    MenuSelectNumberOfSystems->setEnabled(true);
    if (cf::OwnEnabled(Edit_LengthWall))
        MenuSelectWallLength->setChecked(true);
    else
        MenuSelectNumberOfSystems->setChecked(true);
    Edit_LengthWQ->setFocus(Qt::OtherFocusReason);
}

void TForm1::PageControl1Change()
{
    int page = PageControl1->currentIndex();
    if (page == 0 || page == 2) {
        MenuSelectWallLength->setEnabled(false);
        MenuSelectNumberOfSystems->setEnabled(false);
        MenuMetric->setEnabled(true);
        MenuImperial->setEnabled(true);
    }
    if (page > 0) {
        MenuSelectCombination->setEnabled(false);
        MenuSelectSfmin->setEnabled(false);
    }
}

// --- material list cells and built-up sheet piles ----------------------------

void TForm1::SetCell(int col, int row, const QString& text)
{
    QTableWidgetItem* item = MaterialList->item(row, col);
    if (!item) {
        item = new QTableWidgetItem;
        if (row < 2 || col == 0)
            item->setBackground(palette().color(QPalette::Button));
        MaterialList->setItem(row, col, item);
    }
    item->setText(text);
}

void TForm1::FillBuiltUpSheetPiles()
{
    const BuiltUpSheetPileTable& t = data_->catalogue.builtUpSheetPiles;
    RG_Intermediary_Own->SetColumns(BuiltUpSheetPileColumns(t.Size()));
    QStringList items;
    for (const std::string& name : t.names)
        items << cf::QStr(BuiltUpSheetPileItem(name));
    RG_Intermediary_Own->SetItems(items);
    RG_Intermediary_Own->SetItemIndex(0);
}

} // namespace cw
