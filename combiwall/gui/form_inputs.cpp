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
#include "combiwall/units.h"
#include "platform/numtext.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QGroupBox>
#include <QPalette>
#include <QTabWidget>

namespace cw {

namespace {

struct LoadLimits {
    double factor;
    double metricLimit;
    double imperialLimit;
    const char* hint;
    const char* error;
};

const LoadLimits kLimits[3] = {
    {cf::kMomentFactor, kMaxMoment, kMaxMomentImperial, " 0 < Bending moment =< ", " Error: Bending moment > Mmax !"},
    {cf::kLoadFactor, kMaxLoad, kMaxLoadImperial, " 0 < Compression load =< ", " Error: Compression load > Nmax !"},
    {cf::kDeflectionFactor, kMaxDeflection, kMaxDeflectionImperial, " 0 < Deflection =< ",
     " Error: Deflection > fmax !"},
};

const cf::SfWindowRules kSfRules{100.0, "100.00", " =< Sfmax =<  100", " Please complete: SfMax > 1.1*SfMin", false};

// Empty for an empty or unparsable text (which counts as empty).
std::string ValueText(const QLineEdit* e)
{
    return cf::FieldIsEmpty(e->text()) ? std::string() : e->text().trimmed().toStdString();
}

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

void TForm1::LoadEnter(LoadField which)
{
    const LoadLimits& l = kLimits[static_cast<int>(which)];
    QString limit = metric_ ? cf::Fixed(l.metricLimit, 0) : cf::Fixed(l.imperialLimit, 1);
    SB1->SetPanel(0, QString::fromLatin1(l.hint) + limit);
}

void TForm1::LoadChange(LoadField which)
{
    const LoadLimits& l = kLimits[static_cast<int>(which)];
    QLineEdit* edit = LoadEdit(which);
    double& value = which == LoadField::Moment ? M_ : which == LoadField::Load ? N_ : f_;
    double typed = 0;
    if (!cf::ParseFieldValue(edit->text(), typed) || typed == 0) {
        value = 0;
    } else {
        SB1->ClearPanel(1);
        value = metric_ ? typed : typed * l.factor;
        bool refused = value > l.metricLimit || (!metric_ && typed > l.imperialLimit);
        if (refused) {
            edit->setText(QString()); // runs this handler again: the value becomes 0
            SB1->SetPanel(1, QString::fromLatin1(l.error));
            cf::MessageBeep(cf::kBeepDefault);
            return;
        }
    }
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

void TForm1::SetSfMaxColor(bool red)
{
    QPalette pal = Edit_SfMax->palette();
    pal.setColor(QPalette::Text, red ? Qt::red : Qt::black);
    Edit_SfMax->setPalette(pal);
}

void TForm1::ApplySfOutcome(const cf::SfFieldOutcome& out)
{
    if (out.rewriteSfmin)
        Edit_Sfmin->setText(cf::QStr(*out.rewriteSfmin));
    if (out.rewriteSfMax)
        Edit_SfMax->setText(cf::QStr(*out.rewriteSfMax));
    if (out.beep)
        cf::MessageBeep(cf::kBeepDefault);
    if (out.font != cf::SfMaxFont::Unchanged)
        SetSfMaxColor(out.font == cf::SfMaxFont::Red);
    if (out.panel0)
        SB1->SetPanel(0, cf::QStr(*out.panel0));
    if (out.panel1)
        SB1->SetPanel(1, cf::QStr(*out.panel1));
    if (out.relist)
        RG_IntermediarySSPClick();
}

void TForm1::Edit_SfminChange()
{
    cf::SfFieldOutcome out = cf::SfminChanged(ValueText(Edit_Sfmin), data_->window, kSfRules);
    ApplySfOutcome(out);
}

void TForm1::Edit_SfMaxEnter() { ApplySfOutcome(cf::SfMaxEntered(data_->window, kSfRules)); }

void TForm1::Edit_SfMaxChange()
{
    cf::SfFieldOutcome out = cf::SfMaxChanged(ValueText(Edit_SfMax), data_->window, kSfRules);
    ApplySfOutcome(out);
}

void TForm1::Edit_SfMaxExit() { ApplySfOutcome(cf::SfMaxLeft(ValueText(Edit_SfMax), data_->window, kSfRules)); }

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
    data_->gradeLists = BuildGradeLists(data_->catalogue, metric_);
    QComboBox* boxes[3] = {CB_SteelGradesWQ, CB_SteelGradesNJVB, CB_SteelGradesKX};
    for (int m = 0; m < kMemberCount; ++m) {
        for (QComboBox* box : {boxes[m], TwinOf(boxes[m])}) {
            box->clear();
            for (const std::string& item : data_->gradeLists[m])
                box->addItem(cf::QStr(item));
        }
    }
    cw::FillSteelGrades(data_->grades, data_->gradeLists);
    ShowGradeSelection();
}

void TForm1::ApplySteelGradeSelection(QComboBox* changed)
{
    QComboBox* boxes[3] = {CB_SteelGradesWQ, CB_SteelGradesNJVB, CB_SteelGradesKX};
    for (int m = 0; m < kMemberCount; ++m) {
        if (changed == boxes[m]) {
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

    LengthState().RoundLengthsToFeet();
    LayoutMaterialList();
    LengthState().ShowLengthsInFeet(cf::OwnEnabled(TabSheetMaterialList));

    Edit_Moment->setText(cf::QStr(ImperialMomentText(M_)));
    Edit_Load->setText(cf::QStr(ImperialLoadText(N_)));
    Edit_Deflection->setText(cf::QStr(ImperialDeflectionText(f_)));

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

    LengthState().RoundLengthsToCentimetres();
    LayoutMaterialList();
    LengthState().ShowLengthsInMetres(cf::OwnEnabled(TabSheetMaterialList));

    Edit_Moment->setText(cf::QStr(MetricLoadText(M_)));
    Edit_Load->setText(cf::QStr(MetricLoadText(N_)));
    Edit_Deflection->setText(cf::QStr(MetricLoadText(f_)));

    LB_WQKX->setEnabled(true);
    FinishUnitSwitch();
}

// The end of both unit switches: grades from the new tables, the list or the
// built-up system again, the mirror fields and the notice.
void TForm1::FinishUnitSwitch()
{
    FillSteelGrades();
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
    SB1->SetPanel(1, QString::fromUtf8(" CHANGE OF \"UNITS\" => STEEL GRADES RESET"));
    cf::MessageBeep(cf::kBeepDefault);
}

void TForm1::MenuUnitsClick()
{
    // The page itself shows (it is hidden while no system is selected).
    if (windowSearch_ && PageControl1->currentWidget() == TabSheetMaterialList && !TabSheetMaterialList->isHidden() &&
        CatalogueTabEnabled())
        SB1->SetPanel(1, QStringLiteral(" Menu \"Units\" unavailable! "));
}

} // namespace cw
