// Loads, safety window, steel grades and the unit switch of the main form.
#include "calcframe/gui/events.h"
#include "calcframe/gui/frame.h"
#include "calcframe/gui/services.h"
#include "calcframe/gui/statusbar.h"
#include "calcframe/sfwindow.h"
#include "calcframe/units.h"
#include "combiwall/gui/form.h"
#include "combiwall/gui/formdata.h"
#include "combiwall/gui/materialtab.h"
#include "combiwall/grades.h"
#include "combiwall/safety.h"
#include "combiwall/units.h"
#include "platform/numtext.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QGroupBox>
#include <QTabWidget>

namespace cw {

namespace {

const cf::LimitedField kLimits[3] = {
    {cf::kMomentFactor, kMaxMoment, kMaxMomentImperial, 0, 1, " 0 < Bending moment =< ",
     " Error: Bending moment > Mmax !"},
    {cf::kLoadFactor, kMaxLoad, kMaxLoadImperial, 0, 1, " 0 < Compression load =< ",
     " Error: Compression load > Nmax !"},
    {cf::kDeflectionFactor, kMaxDeflection, kMaxDeflectionImperial, 0, 1, " 0 < Deflection =< ",
     " Error: Deflection > fmax !"},
};

} // namespace

// --- loads -----------------------------------------------------------------

QLineEdit* TForm1::LoadEdit(LoadField which) const
{
    switch (which) {
    case LoadField::Moment:
        return Edit_Moment;
    case LoadField::Load:
        return Edit_Load;
    case LoadField::Deflection:
        break;
    }
    return Edit_Deflection;
}

void TForm1::LoadEnter(LoadField which) { frame_->ShowRangeHint(kLimits[static_cast<int>(which)]); }

void TForm1::LoadChange(LoadField which)
{
    double& value = which == LoadField::Moment ? M_ : which == LoadField::Load ? N_ : f_;
    if (!frame_->LimitedFieldChange(LoadEdit(which), kLimits[static_cast<int>(which)], value))
        return;
    RefreshResults();
    LoadEnter(which);
}

void TForm1::Edit_MomentEnter() { LoadEnter(LoadField::Moment); }
void TForm1::Edit_LoadEnter() { LoadEnter(LoadField::Load); }
void TForm1::Edit_DeflectionEnter() { LoadEnter(LoadField::Deflection); }
void TForm1::Edit_MomentChange() { LoadChange(LoadField::Moment); }
void TForm1::Edit_LoadChange() { LoadChange(LoadField::Load); }
void TForm1::Edit_DeflectionChange() { LoadChange(LoadField::Deflection); }

// --- safety window ---------------------------------------------------------

void TForm1::ApplySfOutcome(const cf::SfFieldOutcome& out)
{
    frame_->ApplySfOutcome(out, Edit_Sfmin, Edit_SfMax, [this] { RG_IntermediarySSPClick(); });
}

void TForm1::Edit_SfminChange()
{
    cf::SfFieldOutcome out = cf::SfminChanged(cf::SfFieldText(Edit_Sfmin), data_->window, kSfWindowRules);
    ApplySfOutcome(out);
}

void TForm1::Edit_SfMaxEnter() { ApplySfOutcome(cf::SfMaxEntered(data_->window, kSfWindowRules)); }

void TForm1::Edit_SfMaxChange()
{
    cf::SfFieldOutcome out = cf::SfMaxChanged(cf::SfFieldText(Edit_SfMax), data_->window, kSfWindowRules);
    ApplySfOutcome(out);
}

void TForm1::Edit_SfMaxExit()
{
    ApplySfOutcome(cf::SfMaxLeft(cf::SfFieldText(Edit_SfMax), data_->window, kSfWindowRules));
}

double TForm1::RequiredSfmin() const { return data_->window.sfMin; }
double TForm1::SfMax() const { return data_->window.sfMax; }

// --- steel grades ----------------------------------------------------------

QComboBox* TForm1::TwinOf(QComboBox* box) const
{
    if (box == CB_SteelGradesWQ)
        return CB_SteelGradesWQ_Own;
    if (box == CB_SteelGradesNJVB)
        return CB_SteelGradesNJVB_Own;
    if (box == CB_SteelGradesKX)
        return CB_SteelGradesKX_Own;
    if (box == CB_SteelGradesWQ_Own)
        return CB_SteelGradesWQ;
    if (box == CB_SteelGradesNJVB_Own)
        return CB_SteelGradesNJVB;
    return CB_SteelGradesKX;
}

void TForm1::FillSteelGrades()
{
    FillGradeBoxes();
    cw::FillSteelGrades(data_->grades, data_->gradeLists);
    ShowGradeSelection();
}

// The grade boxes of both tabs filled from the tables of the unit system.
void TForm1::FillGradeBoxes()
{
    data_->gradeLists = BuildGradeLists(data_->catalogue, metric_);
    QComboBox* boxes[3] = {CB_SteelGradesWQ, CB_SteelGradesNJVB, CB_SteelGradesKX};
    for (int m = 0; m < kMemberCount; ++m) {
        for (QComboBox* box : {boxes[m], TwinOf(boxes[m])}) {
            box->clear();
            for (const std::string& item : data_->gradeLists[m])
                box->addItem(cf::QStr(item));
        }
    }
}

// A unit switch: the boxes from the new tables with the same grades chosen.
// Returns the notice that says which grades fell back to the first.
QString TForm1::CarrySteelGrades()
{
    FillGradeBoxes();
    const std::vector<Member> fellBack =
        cw::CarrySteelGrades(data_->grades, data_->gradeCarry, data_->gradeLists, data_->catalogue, metric_);
    ShowGradeSelection();
    return cf::QStr(UnitSwitchNotice(fellBack));
}

void TForm1::ApplySteelGradeSelection(QComboBox* changed)
{
    QComboBox* boxes[3] = {CB_SteelGradesWQ, CB_SteelGradesNJVB, CB_SteelGradesKX};
    for (int m = 0; m < kMemberCount; ++m) {
        if (changed == boxes[m]) {
            data_->gradeCarry[m].Forget();
            data_->grades.index[m] = changed->currentIndex();
            cw::ApplySteelGradeSelection(data_->grades, data_->gradeLists, static_cast<Member>(m));
        }
    }
    ShowGradeSelection();
}

// The grade selection in both tabs' boxes, the current yield strengths, and
// the results again.
void TForm1::ShowGradeSelection()
{
    const GradeSelection& sel = data_->grades;
    QComboBox* boxes[3] = {CB_SteelGradesWQ, CB_SteelGradesNJVB, CB_SteelGradesKX};
    for (int m = 0; m < kMemberCount; ++m) {
        boxes[m]->setCurrentIndex(sel.index[m]);
        TwinOf(boxes[m])->setCurrentIndex(sel.index[m]);
    }
    CB_SteelGradesNJVB->setEnabled(sel.connectorsEnabled);
    CB_SteelGradesNJVB_Own->setEnabled(sel.connectorsEnabled);
    CB_SteelGradesKX->setEnabled(sel.sheetPileEnabled);
    CB_SteelGradesKX_Own->setEnabled(sel.sheetPileEnabled);
    data_->fyk = CurrentYieldStrengths(data_->catalogue, sel, metric_);
    RefreshResults();
}

void TForm1::CB_SteelGradesWQChange() { ApplySteelGradeSelection(CB_SteelGradesWQ); }
void TForm1::CB_SteelGradesNJVBChange() { ApplySteelGradeSelection(CB_SteelGradesNJVB); }
void TForm1::CB_SteelGradesKXChange() { ApplySteelGradeSelection(CB_SteelGradesKX); }

// A built-up twin hands its choice to the catalogue tab's box.
void TForm1::CB_SteelGradesWQ_OwnChange()
{
    CB_SteelGradesWQ->setCurrentIndex(CB_SteelGradesWQ_Own->currentIndex());
    CB_SteelGradesWQChange();
}

void TForm1::CB_SteelGradesNJVB_OwnChange()
{
    CB_SteelGradesNJVB->setCurrentIndex(CB_SteelGradesNJVB_Own->currentIndex());
    CB_SteelGradesNJVBChange();
}

void TForm1::CB_SteelGradesKX_OwnChange()
{
    CB_SteelGradesKX->setCurrentIndex(CB_SteelGradesKX_Own->currentIndex());
    CB_SteelGradesKXChange();
}

// --- units -----------------------------------------------------------------

void TForm1::ShowMetricCaptions() { ShowUnitCaptions(true); }
void TForm1::ShowImperialCaptions() { ShowUnitCaptions(false); }

void TForm1::ShowUnitCaptions(bool metric)
{
    auto pick = [metric](const char* m, const char* i) { return QString::fromUtf8(metric ? m : i); };
    for (QLabel* l : {Lbl_MomentUnit, Lbl_MomentUnit_Own})
        l->setText(pick("kNm/m", "kips*ft/ft"));
    for (QLabel* l : {Lbl_LoadUnit, Lbl_LoadUnit_Own})
        l->setText(pick("kN/m", "kips/ft"));
    for (QLabel* l : {Lbl_DeflectionUnit, Lbl_DeflectionUnit_Own})
        l->setText(pick("cm", "in"));
    GB_WQKX->setTitle(pick("   WQ / KX Comb.            Sx (cm³/m)  ", "   WQ / KX Comb.            Sx (in³/ft)  "));
    for (QGroupBox* g : {GB_SteelGrades, GB_SteelGrades_Own})
        g->setTitle(pick(" Steel Grades                                       fyk (MPa) ",
                         " Steel Grades                                       fyk (ksi) "));
    GB_Weight->setTitle(pick(" Weight (kg/m²) ", " Weight (lb/ft²) "));
    for (QLabel* l : {Lbl_LengthWQUnits, Lbl_LengthNJUnits, Lbl_LengthVBUnits, Lbl_LengthKXUnits, Lbl_LengthWallUnits,
                      Lbl_LengthTotalWallUnits})
        l->setText(pick("m", "ft"));
    Lbl_Ax_Units_Own->setText(pick("cm²/m", "in²/ft"));
    for (QLabel* l : {Lbl_g_Units_Own, Lbl_g_Units_b_Own})
        l->setText(pick("kg/m²", "lb/ft²"));
    Lbl_Ix_Units_Own->setText(pick("cm4/m", "in4/ft"));
    for (QLabel* l : {Lbl_Sx_Units_Own, Lbl_Sx_Units_b_Own})
        l->setText(pick("cm³/m", "in³/ft"));
}

void TForm1::MenuImperialClick()
{
    if (!metric_) {
        MenuImperial->setChecked(true);
        return;
    }
    metric_ = false;
    MenuImperial->setChecked(true);
    ShowImperialCaptions();
    if (windowSearch_)
        LB_Empty->show();
    repaint();

    // The fields show the values converted; the values stay metric.
    LayoutMaterialList();
    LengthState().ShowLengthsInFeet(cf::OwnEnabled(TabSheetMaterialList));

    frame_->ShowInNewUnits(Edit_Moment, cf::QStr(ImperialMomentText(M_)));
    frame_->ShowInNewUnits(Edit_Load, cf::QStr(ImperialLoadText(N_)));
    frame_->ShowInNewUnits(Edit_Deflection, cf::QStr(ImperialDeflectionText(f_)));

    FinishUnitSwitch();
}

void TForm1::MenuMetricClick()
{
    if (metric_) {
        MenuMetric->setChecked(true);
        return;
    }
    metric_ = true;
    MenuMetric->setChecked(true);
    ShowMetricCaptions();
    if (windowSearch_)
        LB_Empty->show();
    repaint();

    // A field not changed in imperial units gets its metric text back; the
    // values stay as they are.
    LayoutMaterialList();
    LengthState().ShowLengthsInMetres(cf::OwnEnabled(TabSheetMaterialList));

    frame_->ShowInNewUnits(Edit_Moment, cf::QStr(MetricLoadText(M_)));
    frame_->ShowInNewUnits(Edit_Load, cf::QStr(MetricLoadText(N_)));
    frame_->ShowInNewUnits(Edit_Deflection, cf::QStr(MetricLoadText(f_)));

    LB_WQKX->setEnabled(true);
    FinishUnitSwitch();
}

// The end of both unit switches: the grades carried to the new tables (with
// the notice), the list or the built-up system again, the mirror fields.
void TForm1::FinishUnitSwitch()
{
    const QString gradeNotice = CarrySteelGrades();
    if (CatalogueTabEnabled()) {
        if (!windowSearch_) {
            int keep = LB_WQKX->currentRow();
            RG_IntermediarySSPClick();
            if (keep >= 0 && keep < listLines_) {
                SetListRow(keep);
                LB_WQKXClick();
            }
        } else {
            RG_IntermediarySSPClick();
        }
    } else {
        RG_Intermediary_OwnClick();
        if (metric_)
            Edit_NbOfSystemsChange();
    }
    if (windowSearch_)
        LB_Empty->hide();
    Edit_Moment_Own->setText(Edit_Moment->text());
    Edit_Load_Own->setText(Edit_Load->text());
    Edit_Deflection_Own->setText(Edit_Deflection->text());
    SB1->SetPanel(1, gradeNotice);
    SB1->Beep(cf::kBeepDefault);
}

void TForm1::MenuUnitsClick()
{
    // The page itself shows (it is hidden while no system is selected).
    if (windowSearch_ && PageControl1->currentWidget() == TabSheetMaterialList && !TabSheetMaterialList->isHidden() &&
        CatalogueTabEnabled())
        SB1->SetPanel(1, QStringLiteral(" Menu \"Units\" unavailable! "));
}

} // namespace cw
