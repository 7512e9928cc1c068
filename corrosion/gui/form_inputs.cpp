// Loads, safety window, steel grades, lengths and quantities, and the unit
// switches of the main form.
#include "calcframe/gui/events.h"
#include "calcframe/gui/frame.h"
#include "calcframe/gui/radiogroup.h"
#include "calcframe/gui/services.h"
#include "calcframe/gui/statusbar.h"
#include "calcframe/sfwindow.h"
#include "calcframe/units.h"
#include "corrosion/gui/form.h"
#include "corrosion/gui/formdata.h"
#include "corrosion/units.h"

#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTabWidget>

namespace rv {

namespace {

enum Field { kMoment, kLoad, kDeflection, kWall, kPile };

// The limits of the data file for each limited field.
cf::LimitedField LimitOf(const cr::Catalogue& cat, Field field)
{
    switch (field) {
    case kMoment:
        return {cf::kMomentFactor, static_cast<double>(cat.mmax), cat.mmaxImperial, 0, 1, " 0 < Bending moment =< ",
                " Error: Bending moment > Mmax !"};
    case kLoad:
        return {cf::kLoadFactor, static_cast<double>(cat.nmax), cat.nmaxImperial, 0, 1, " 0 < Compression load =< ",
                " Error: Compression load > Nmax !"};
    case kDeflection:
        return {cf::kDeflectionFactor, static_cast<double>(cat.fmax), cat.fmaxImperial, 0, 1, " 0 < Deflection =< ",
                " Error: Deflection > fmax !"};
    case kWall:
        return {cf::kLengthFactor, cat.maxWallLength, cat.maxWallLengthImperial, 0, 1, " 0 < wall length =< ",
                " Error: wall length > max !"};
    case kPile:
        break;
    }
    // The imperial limit keeps its two decimals: 108.26 ft shown as 108.3
    // would name a length the field refuses.
    return {cf::kLengthFactor, cat.maxPileLength, cat.maxPileLengthImperial, 1, 2, " 0 < length of ssp =< ",
            " Error: length of ssp > max. length !"};
}

// A value in imperial units with `decimals` decimals, capped at `limit`.
QString ImperialText(double metric, double factor, double limit, int decimals)
{
    const double v = metric / factor;
    return cf::Fixed(v > limit ? limit : v, decimals);
}

} // namespace

// --- loads -----------------------------------------------------------------

void TForm1::Edit_MomentEnter() { frame_->ShowRangeHint(LimitOf(data_->cat, kMoment)); }
void TForm1::Edit_LoadEnter() { frame_->ShowRangeHint(LimitOf(data_->cat, kLoad)); }
void TForm1::Edit_DeflectionEnter() { frame_->ShowRangeHint(LimitOf(data_->cat, kDeflection)); }

void TForm1::Edit_MomentChange()
{
    frame_->LimitedFieldChange(Edit_Moment, LimitOf(data_->cat, kMoment), data_->loads.m);
    RefreshResults();
    Edit_MomentEnter();
}

void TForm1::Edit_LoadChange()
{
    frame_->LimitedFieldChange(Edit_Load, LimitOf(data_->cat, kLoad), data_->loads.n);
    RefreshResults();
    Edit_LoadEnter();
}

void TForm1::Edit_DeflectionChange()
{
    frame_->LimitedFieldChange(Edit_Deflection, LimitOf(data_->cat, kDeflection), data_->loads.f);
    RefreshResults();
    Edit_DeflectionEnter();
}

// --- safety window ---------------------------------------------------------

void TForm1::ApplySfOutcome(const cf::SfFieldOutcome& out)
{
    frame_->ApplySfOutcome(out, Edit_Sfmin, Edit_SfMax, [this] { RG_SSPClick(); });
}

void TForm1::Edit_SfminChange()
{
    ApplySfOutcome(cf::SfminChanged(cf::SfFieldText(Edit_Sfmin), data_->window, cr::kSfWindowRules));
}

void TForm1::Edit_SfMaxEnter() { ApplySfOutcome(cf::SfMaxEntered(data_->window, cr::kSfWindowRules)); }

void TForm1::Edit_SfMaxChange()
{
    ApplySfOutcome(cf::SfMaxChanged(cf::SfFieldText(Edit_SfMax), data_->window, cr::kSfWindowRules));
}

void TForm1::Edit_SfMaxExit()
{
    ApplySfOutcome(cf::SfMaxLeft(cf::SfFieldText(Edit_SfMax), data_->window, cr::kSfWindowRules));
}

// --- lengths and quantities --------------------------------------------------

void TForm1::Edit_WallLengthEnter() { frame_->ShowRangeHint(LimitOf(data_->cat, kWall)); }
void TForm1::Edit_SSPLengthEnter() { frame_->ShowRangeHint(LimitOf(data_->cat, kPile)); }

void TForm1::Edit_WallLengthChange()
{
    frame_->LimitedFieldChange(Edit_WallLength, LimitOf(data_->cat, kWall), data_->wallLength);
    ComputeQuantities();
}

void TForm1::Edit_SSPLengthChange()
{
    frame_->LimitedFieldChange(Edit_SSPLength, LimitOf(data_->cat, kPile), data_->pileLength);
    ComputeQuantities();
}

void TForm1::Edit_WallLengthExit()
{
    double v = 0;
    const bool value = cf::ParseFieldValue(Edit_WallLength->text(), v) && v != 0;
    frame_->Reformat(Edit_WallLength, cf::Fixed(value ? v : 0.0, 1));
    SB1->ClearPanel(1);
}

void TForm1::Edit_SSPLengthExit()
{
    // Two decimals in both unit systems: the imperial limit (108.26 ft) has
    // two, and one decimal would round it up to a length the field refuses.
    double v = 0;
    const bool value = cf::ParseFieldValue(Edit_SSPLength->text(), v) && v != 0;
    frame_->Reformat(Edit_SSPLength, cf::Fixed(value ? v : 0.0, 2));
    SB1->ClearPanel(1);
}

void TForm1::Edit_WallLengthKeyPress(QChar& key) { frame_->FilterNumericKey(Edit_WallLength, key); }
void TForm1::Edit_SSPLengthKeyPress(QChar& key) { frame_->FilterNumericKey(Edit_SSPLength, key); }

void TForm1::ComputeQuantities()
{
    const cr::CurrentSection& s = data_->section;
    data_->quantities =
        cr::ComputeQuantities(SelectedSection() >= 0, data_->wallLength, data_->pileLength, s.b, s.mass, metric_);
    const cr::Quantities& q = data_->quantities;
    Lbl_SSP_Result->setText(cf::QStr(q.pairsText));
    Lbl_Total_Result->setText(cf::QStr(q.totalText));
    Lbl_WallLength_Result->setText(cf::QStr(q.wallText));
    Lbl_Weight_Result->setText(cf::QStr(q.weightText));
}

// --- steel grades ----------------------------------------------------------

void TForm1::FillSteelGrades()
{
    CB_SteelGrades->clear();
    for (const std::string& item : cr::SteelGradeItems(data_->cat, metric_))
        CB_SteelGrades->addItem(cf::QStr(item));
    data_->fyk = cr::GradeFyk(data_->cat, 0, metric_);
    CB_SteelGrades->setCurrentIndex(CB_SteelGrades->count() > 0 ? 0 : -1);
}

// A unit switch: the list from the new table with the same grade chosen, or
// its first grade when the new table has none of that name.
void TForm1::CarrySteelGrade()
{
    const int chosen = CB_SteelGrades->currentIndex();
    FillSteelGrades();
    const cr::Catalogue& cat = data_->cat;
    const int carried = data_->gradeCarry.Carry(chosen, cat.Grades(!metric_).names, cat.Grades(metric_).names);
    CB_SteelGrades->setCurrentIndex(carried);
    data_->fyk = cr::GradeFyk(cat, carried, metric_);
}

void TForm1::CB_SteelGradesChange()
{
    data_->gradeCarry.Forget();
    SB1->ClearPanel(0);
    ApplySplashZoneFactor();
    RefreshResults();
}

// --- units -----------------------------------------------------------------

void TForm1::ShowMetricCaptions() { ShowUnitCaptions(true); }
void TForm1::ShowImperialCaptions() { ShowUnitCaptions(false); }

void TForm1::ShowUnitCaptions(bool metric)
{
    auto pick = [metric](const char* m, const char* i) { return QString::fromUtf8(metric ? m : i); };
    Lbl_MomentUnit->setText(pick("kNm/m", "kips*ft/ft"));
    Lbl_LoadUnit->setText(pick("kN/m", "kips/ft"));
    Lbl_DeflectionUnit->setText(pick("cm", "in"));
    GB_SteelGrades->setTitle(pick(" Steel Grades      fyk (MPa) ", " Steel Grades      fyk (ksi) "));
    GB_SSP->setTitle(pick(" SSP section    Sx,ini (cm³/m) ", " SSP section    Sx,ini (in³/ft) "));
    for (QLabel* l : {Lbl_SSP_Units, Lbl_Wall_Units, Lbl_WallLength_Units})
        l->setText(pick("m", "ft"));
    Lbl_Total_Units->setText(pick("metric t", "net t"));
    Lbl_Weight_Units->setText(pick("kg/m²", "lb/ft²"));
    Lbl_Red_Ax3->setText(pick("cm²/m", "in²/ft"));
    Lbl_Red_Ix3->setText(pick("cm4/m", "in4/ft"));
    Lbl_Red_Sx3->setText(pick("cm³/m", "in³/ft"));
    Lbl_Red_tf3->setText(pick("mm", "in"));
    Lbl_Red_tw3->setText(pick("mm", "in"));
    Lbl_Summary_Front3->setText(cf::QStr(cr::LossUnitText(metric)));
    Lbl_Summary_Back3->setText(cf::QStr(cr::LossUnitText(metric)));
    RG_Project_Rates->SetItemText(0, pick(" rates (mm / year)", " rates (mils / year)"));
    RG_Project_Rates->SetItemText(1, pick(" total loss (mm)", " total loss (mils)"));
    const bool rates = RG_Project_Rates->ItemIndex() != 1;
    const QString unit = rates ? pick(" mm / year", " mils / year") : pick(" mm", " mils");
    Lbl_Front3->setText(unit);
    Lbl_Back3->setText(unit);
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

    // The fields show the values converted; the values stay metric.
    const cr::Catalogue& cat = data_->cat;
    LayoutSfGrid();
    frame_->ShowInNewUnits(Edit_SSPLength,
                         ImperialText(data_->pileLength, cf::kLengthFactor, cat.maxPileLengthImperial, 2));
    frame_->ShowInNewUnits(Edit_WallLength,
                         ImperialText(data_->wallLength, cf::kLengthFactor, cat.maxWallLengthImperial, 1));
    const cr::Loads& loads = data_->loads;
    frame_->ShowInNewUnits(Edit_Moment, ImperialText(loads.m, cf::kMomentFactor, cat.mmaxImperial, 1));
    frame_->ShowInNewUnits(Edit_Load, ImperialText(loads.n, cf::kLoadFactor, cat.nmaxImperial, 1));
    frame_->ShowInNewUnits(Edit_Deflection, ImperialText(loads.f, cf::kDeflectionFactor, cat.fmaxImperial, 1));
    CarrySteelGrade();
    SB1->Beep(cf::kBeepDefault);
    RewriteRateEdits(false);
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
    // A field not changed in imperial units gets its metric text back; the
    // values stay as they are.
    LayoutSfGrid();
    frame_->ShowInNewUnits(Edit_SSPLength, cf::Fixed(data_->pileLength, 2));
    frame_->ShowInNewUnits(Edit_WallLength, cf::Fixed(data_->wallLength, 1));
    const cr::Loads& loads = data_->loads;
    frame_->ShowInNewUnits(Edit_Moment, cf::Fixed(loads.m, 0));
    frame_->ShowInNewUnits(Edit_Load, cf::Fixed(loads.n, 0));
    frame_->ShowInNewUnits(Edit_Deflection, cf::Fixed(loads.f, 0));
    CarrySteelGrade();
    SB1->Beep(cf::kBeepDefault);
    RewriteRateEdits(true);
    FinishUnitSwitch();
}

// The project values in the new unit: imperial rates "%1.2f" and totals
// "%1.1f" (mils), metric rates "%1.3f" and totals "%1.2f" (mm). A text that
// is no number counts as 0.
void TForm1::RewriteRateEdits(bool toMetric)
{
    const bool rates = RG_Project_Rates->ItemIndex() != 1;
    const int decimals = toMetric ? (rates ? 3 : 2) : (rates ? 2 : 1);
    for (QLineEdit* e : {Edit_Front, Edit_Back}) {
        double mm = 0;
        if (!frame_->FieldValue(e, mm))
            e->setText(QStringLiteral("0"));
        frame_->ShowInNewUnits(e, cf::Fixed(toMetric ? mm : mm / cr::kMmPerMil, decimals));
    }
}

// Steps both unit switches end with: the losses in the new unit, the list
// again with the same line selected, and the notice on the steel grade.
void TForm1::FinishUnitSwitch()
{
    RecomputeLosses();
    if (!windowSearch_) {
        const int keep = LB_SSP->currentRow();
        RG_SSPClick();
        if (keep >= 0 && keep < data_->listLines) {
            SetListRow(keep);
            LB_SSPClick();
        }
    } else {
        RG_SSPClick();
    }
    const cf::GradeCarry& grade = data_->gradeCarry;
    SB1->SetPanel(1, grade.Kept() ? QStringLiteral(" Change of \"UNITS\" => steel grade kept")
                                  : QStringLiteral(" Change of \"UNITS\" => steel grade RESET"));
    if (OnPage(TabSheetRates))
        SB1->ClearPanel(0);
}

} // namespace rv
