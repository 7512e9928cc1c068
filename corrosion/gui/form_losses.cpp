// Losses of thickness (code tables or project values), the splash-zone
// reduction, the reduced properties and the loss summary.
#include "calcframe/gui/frame.h"
#include "calcframe/gui/radiogroup.h"
#include "calcframe/gui/services.h"
#include "calcframe/gui/statusbar.h"
#include "corrosion/gui/form.h"
#include "corrosion/gui/formdata.h"

#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QTabWidget>

namespace rv {

namespace {

const QColor kBlack(0, 0, 0);
const QColor kMaroon(128, 0, 0);
const QColor kBlue(0, 0, 255);

QColor EnvironmentColor(int environment)
{
    switch (environment) {
    case cr::kSoil:
        return kMaroon;
    case cr::kWater:
        return kBlue;
    default:
        return kBlack;
    }
}

void SetTextColor(QWidget* w, const QColor& color)
{
    QPalette pal = w->palette();
    pal.setColor(QPalette::WindowText, color);
    pal.setColor(QPalette::ButtonText, color);
    w->setPalette(pal);
}

// The years a box shows (" 25"); 0 when it shows none.
int16_t YearsOf(const QString& text)
{
    bool ok = false;
    const int v = text.trimmed().toInt(&ok);
    return ok && v >= INT16_MIN && v <= INT16_MAX ? static_cast<int16_t>(v) : 0;
}

const char* const kA690GradeHint =
    " Below reduction factor can be applied to the splash zone of the front face in seawater, EC3 ";
const char* const kA690FactorHint = " Reduction factor for the corrosion rates, applied only to the front face in seawater ";

} // namespace

int TForm1::FrontEnvironment() const { return RG_Front->ItemIndex(); }
int TForm1::BackEnvironment() const { return RG_Back->ItemIndex(); }

cr::LossInput TForm1::CurrentLossInput() const
{
    const RovandelData& d = *data_;
    cr::LossInput in;
    in.source = source_ == Source::Project ? cr::LossSource::Project : cr::LossSource::CodeTables;
    in.projectMode = RG_Project_Rates->ItemIndex() == 1 ? cr::ProjectMode::Totals : cr::ProjectMode::Rates;
    in.metric = metric_;
    in.serviceLife = d.serviceLife;
    in.front = cr::FaceInput{FrontEnvironment(), RG_Front_Detail->ItemIndex(), d.protectionFront, 0};
    in.back = cr::FaceInput{BackEnvironment(), RG_Back_Detail->ItemIndex(), d.protectionBack, 0};
    in.gradeIsA690 = cr::IsA690Item(CB_SteelGrades->currentText().toStdString());
    in.splashItem = std::max(RG_A690->ItemIndex(), 0);
    return in;
}

QString TForm1::LossStatus() const
{
    return QStringLiteral(" Loss: front = ") + Lbl_Summary_Front2->text() + QStringLiteral(" ") +
           Lbl_Summary_Front3->text() + QStringLiteral(", back = ") + Lbl_Summary_Back2->text() +
           QStringLiteral(" ") + Lbl_Summary_Back3->text();
}

void TForm1::SetDescription(QLabel* label, const QString& text)
{
    label->setText(text);
    CentreDescriptionLabels();
}

// --- the two computations ----------------------------------------------------

void TForm1::ComputeCodeLosses()
{
    RovandelData& d = *data_;
    const cr::LossInput in = CurrentLossInput();
    // A face without a chosen environment and detail keeps its loss.
    auto face = [&d](const cr::FaceInput& f, int years, double& loss) {
        if (f.environment < 0 || f.environment >= cr::kEnvironmentCount || f.detail < 0 ||
            f.detail >= static_cast<int>(d.cat.environments[f.environment].descriptions.size()))
            return;
        loss = cr::CodeLoss(d.cat, f.environment, f.detail, years);
    };
    face(in.front, d.serviceLife - d.protectionFront, d.raw.front);
    face(in.back, d.serviceLife - d.protectionBack, d.raw.back);
    ApplySplashZoneFactor();
    if (OnPage(TabSheetRates))
        SB1->ShowStatus(LossStatus());
}

void TForm1::ComputeProjectLosses()
{
    RovandelData& d = *data_;
    cr::LossInput in = CurrentLossInput();
    // The values as the fields hold them, in mm (a field shown in mils keeps
    // its value in mm); one that holds no number keeps its face's loss.
    in.metric = true;
    const bool front = frame_->FieldValue(Edit_Front, in.front.projectValue);
    const bool back = frame_->FieldValue(Edit_Back, in.back.projectValue);
    const cr::RawLosses raw = cr::ComputeProjectLosses(in);
    if (front)
        d.raw.front = raw.front;
    if (back)
        d.raw.back = raw.back;
    ApplySplashZoneFactor();
    RefreshResults();
    if (OnPage(TabSheetRates))
        SB1->ShowStatus(LossStatus());
}

void TForm1::RecomputeLosses()
{
    if (source_ == Source::Project)
        ComputeProjectLosses();
    else
        ComputeCodeLosses();
}

void TForm1::ApplySplashZoneFactor()
{
    RovandelData& d = *data_;
    const cr::LossInput in = CurrentLossInput();
    const QString gradeHint = in.gradeIsA690 ? QString::fromLatin1(kA690GradeHint) : QString();
    CB_SteelGrades->setToolTip(gradeHint);
    GB_SteelGrades->setToolTip(gradeHint);
    const bool applies = cr::SplashFactorApplies(in);
    RG_A690->setEnabled(applies);
    if (applies)
        RG_A690->setToolTip(QString::fromLatin1(kA690FactorHint));
    d.losses = cr::ApplySplashZoneFactor(d.raw, in);
    // The grade's yield strength before the reduced properties recompute the
    // safety factors.
    d.fyk = CB_SteelGrades->count() == 0 ? 0.0 : cr::GradeFyk(d.cat, CB_SteelGrades->currentIndex(), metric_);
    ComputeReducedProperties(SelectedSection());
}

// --- reduced properties and the loss summary ------------------------------------

void TForm1::ComputeReducedProperties(int section)
{
    RovandelData& d = *data_;
    const cr::ReducedDisplay r =
        cr::ComputeReducedProperties(d.cat, section, d.losses.total, !windowSearch_, metric_, d.section);
    Lbl_Red_Sx2->setText(cf::QStr(r.sx));
    Lbl_Red_Ax2->setText(cf::QStr(r.ax));
    Lbl_Red_Ix2->setText(cf::QStr(r.ix));
    Lbl_Red_tw2->setText(cf::QStr(r.tw));
    Lbl_Red_tf2->setText(cf::QStr(r.tf));
    Lbl_SFRed->setEnabled(r.sfRedEnabled);
    Lbl_SFRedResult->setEnabled(r.sfRedEnabled);
    if (!r.status.empty())
        SB1->SetPanel(0, cf::QStr(r.status));
    if (r.beep)
        SB1->Beep(cf::kBeepDefault);
    ShowLossSummary();
    if (!OnPage(TabSheetSFTable))
        ComputeSafetyFactors();
}

void TForm1::ShowLossSummary()
{
    const cr::LossSummary s = cr::MakeLossSummary(data_->losses, metric_);
    Lbl_Summary_Back2->setText(cf::QStr(s.back));
    Lbl_Summary_Front2->setText(cf::QStr(s.front));
    GB_Loss_Summary->setTitle(cf::QStr(s.caption));
    data_->totalLossMils = s.totalLossMils;
}

// --- environments and details --------------------------------------------------

void TForm1::StyleButtons(cf::TRadioGroup* group, int environment)
{
    const int selected = group->ItemIndex();
    for (int i = 0; i < group->Count(); ++i) {
        QRadioButton* b = group->Button(i);
        QFont f = b->font();
        f.setBold(i == selected);
        b->setFont(f);
        SetTextColor(b, i == selected ? EnvironmentColor(environment) : kBlack);
    }
}

void TForm1::FillEnvironmentDetails(cf::TRadioGroup* face)
{
    const bool front = face == RG_Front;
    cf::TRadioGroup* detail = front ? RG_Front_Detail : RG_Back_Detail;
    const int env = face->ItemIndex();
    QStringList items;
    if (env >= 0 && env < cr::kEnvironmentCount) {
        for (const std::string& text : data_->cat.environments[env].descriptions)
            items << cf::QStr(text);
    }
    detail->SetItems(items);
    detail->SetItemIndex(0);
    DetailClick(front); // a selection made here counts as a click
    detail->setToolTip(detail->SelectedText());
    detail->setTitle(cf::QStr(cr::DetailGroupCaption(env)));
    ComputeCodeLosses();
}

void TForm1::FaceClick(bool front)
{
    cf::TRadioGroup* face = front ? RG_Front : RG_Back;
    cf::TRadioGroup* detail = front ? RG_Front_Detail : RG_Back_Detail;
    QLabel* description = front ? Lbl_Summary_Front4 : Lbl_Summary_Back4;
    int16_t& previous = front ? data_->previousEnvironmentFront : data_->previousEnvironmentBack;
    const int env = face->ItemIndex();
    SetTextColor(description, EnvironmentColor(env));
    StyleButtons(face, env);
    if (env == previous) {
        SetDescription(description, detail->SelectedText());
    } else {
        FillEnvironmentDetails(face);
        previous = static_cast<int16_t>(env);
    }
}

void TForm1::DetailClick(bool front)
{
    cf::TRadioGroup* detail = front ? RG_Front_Detail : RG_Back_Detail;
    StyleButtons(detail, front ? FrontEnvironment() : BackEnvironment());
    SB1->ClearPanel(0);
    detail->setToolTip(detail->SelectedText());
    SetDescription(front ? Lbl_Summary_Front4 : Lbl_Summary_Back4, detail->SelectedText());
    ComputeCodeLosses();
    ApplySplashZoneFactor();
    RefreshResults();
}

void TForm1::RG_FrontClick() { FaceClick(true); }
void TForm1::RG_BackClick() { FaceClick(false); }
void TForm1::RG_Front_DetailClick() { DetailClick(true); }
void TForm1::RG_Back_DetailClick() { DetailClick(false); }

void TForm1::RG_A690Click()
{
    ApplySplashZoneFactor();
    RefreshResults();
}

// --- service life and protection ---------------------------------------------------

void TForm1::CB_ServiceLifeChange()
{
    RovandelData& d = *data_;
    SB1->SetPanel(0, QStringLiteral(" "));
    d.serviceLife = YearsOf(CB_ServiceLife->currentText());
    const std::vector<std::string> items = cr::ProtectionItems(d.cat, d.serviceLife);
    for (QComboBox* box : {CB_Protection_Front, CB_Protection_Back}) {
        const int keep = box->currentIndex();
        box->clear();
        for (const std::string& item : items)
            box->addItem(cf::QStr(item));
        box->setCurrentIndex(cr::KeepItemIndex(keep, box->count()));
    }
    d.protectionFront = YearsOf(CB_Protection_Front->currentText());
    d.protectionBack = YearsOf(CB_Protection_Back->currentText());
    RecomputeLosses();
    RefreshResults();
}

void TForm1::ProtectionChange(bool front)
{
    SB1->SetPanel(0, QStringLiteral(" "));
    if (front)
        data_->protectionFront = YearsOf(CB_Protection_Front->currentText());
    else
        data_->protectionBack = YearsOf(CB_Protection_Back->currentText());
    RecomputeLosses();
    RefreshResults();
}

void TForm1::CB_Protection_FrontChange() { ProtectionChange(true); }
void TForm1::CB_Protection_BackChange() { ProtectionChange(false); }

// --- loss source ----------------------------------------------------------------

void TForm1::MenuEC3RatesClick()
{
    if (source_ == Source::Code) {
        MenuEC3Rates->setChecked(true);
        return;
    }
    source_ = Source::Code;
    MenuEC3Rates->setChecked(true);
    MenuProjectRates->setChecked(false);
    for (QWidget* w : {RG_Back, RG_Back_Detail, RG_Front, RG_Front_Detail})
        w->setEnabled(true);
    if (TabSheetRates->hasFocus())
        RG_Front_Detail->setFocus(Qt::OtherFocusReason);
    for (QWidget* w : std::initializer_list<QWidget*>{RG_Project_Rates, Edit_Front, Edit_Front_Descr, Edit_Back,
                                                      Edit_Back_Descr, Lbl_Front1, Lbl_Front3, Lbl_Back1, Lbl_Back3})
        w->setEnabled(false);
    RG_FrontClick();
    RG_BackClick();
    if (!cf::OwnEnabled(CB_Protection_Front)) {
        CB_Protection_Front->setEnabled(true);
        CB_Protection_Back->setEnabled(true);
        CB_ServiceLife->setEnabled(true);
    }
    ComputeCodeLosses();
    ApplySplashZoneFactor();
}

void TForm1::MenuProjectRatesClick()
{
    if (source_ == Source::Project) {
        MenuProjectRates->setChecked(true);
        return;
    }
    source_ = Source::Project;
    MenuEC3Rates->setChecked(false);
    MenuProjectRates->setChecked(true);
    for (QWidget* w : std::initializer_list<QWidget*>{RG_Project_Rates, Edit_Front, Edit_Front_Descr, Edit_Back,
                                                      Edit_Back_Descr, Lbl_Front1, Lbl_Front3, Lbl_Back1, Lbl_Back3})
        w->setEnabled(true);
    Edit_Front->setFocus(Qt::OtherFocusReason);
    for (QWidget* w : {RG_Back, RG_Back_Detail, RG_Front, RG_Front_Detail})
        w->setEnabled(false);
    SetTextColor(Lbl_Summary_Front4, kBlack);
    SetTextColor(Lbl_Summary_Back4, kBlack);
    SetDescription(Lbl_Summary_Front4, Edit_Front_Descr->text());
    SetDescription(Lbl_Summary_Back4, Edit_Back_Descr->text());
    Lbl_Summary_Front2->setText(Edit_Front->text());
    Lbl_Summary_Back2->setText(Edit_Back->text());
    if (RG_Project_Rates->ItemIndex() == 1) {
        CB_Protection_Front->setEnabled(false);
        CB_Protection_Back->setEnabled(false);
        CB_ServiceLife->setEnabled(false);
    }
    ComputeProjectLosses();
    ApplySplashZoneFactor();
}

void TForm1::RG_Project_RatesClick()
{
    const bool totals = RG_Project_Rates->ItemIndex() == 1;
    for (QComboBox* box : {CB_Protection_Front, CB_Protection_Back, CB_ServiceLife})
        box->setEnabled(!totals);
    QString value;
    QString unit;
    if (totals) {
        value = metric_ ? cf::Fixed(0, 2) : QStringLiteral("0");
        unit = metric_ ? QStringLiteral(" mm") : QStringLiteral(" mils");
    } else {
        value = metric_ ? cf::Fixed(0, 3) : QStringLiteral("0");
        unit = metric_ ? QStringLiteral(" mm / year") : QStringLiteral(" mils / year");
    }
    Edit_Front->setText(value);
    Edit_Back->setText(value);
    Lbl_Front3->setText(unit);
    Lbl_Back3->setText(unit);
}

// --- value and description edits -------------------------------------------------

void TForm1::CheckRateInput(QLineEdit* edit)
{
    const RovandelData& d = *data_;
    SB1->ClearPanel(0);
    double v = 0;
    if (!cf::ParseFieldValue(edit->text(), v)) {
        (edit == Edit_Front ? Lbl_Summary_Front2 : Lbl_Summary_Back2)->setText(QStringLiteral(" N/A "));
        SB1->ShowStatus(LossStatus());
        return;
    }
    const cr::RateCheckResult r =
        cr::CheckRateInput(d.cat, edit->text().trimmed().toStdString(), CurrentLossInput().projectMode, metric_);
    if (r.kind == cr::RateCheck::TooLarge) {
        edit->setText(QStringLiteral(" ")); // runs this handler again: the face shows " N/A "
        SB1->SetPanel(0, cf::QStr(r.message));
        SB1->Beep(cf::kBeepDefault);
        return;
    }
    ComputeProjectLosses();
}

void TForm1::FormatRateInput(QLineEdit* edit)
{
    double v = 0;
    const std::string text = cf::ParseFieldValue(edit->text(), v) ? edit->text().trimmed().toStdString() : "";
    bool refused = false;
    frame_->Reformat(edit, cf::QStr(cr::FormatRateInput(text, CurrentLossInput().projectMode, metric_, refused)));
    if (refused)
        SB1->Beep(cf::kBeepDefault);
    ComputeProjectLosses();
}

void TForm1::Edit_FrontEnter()
{
    SB1->SetPanel(0, cf::QStr(cr::RateLimitHint(data_->cat, CurrentLossInput().projectMode, metric_)));
}

void TForm1::Edit_BackEnter() { Edit_FrontEnter(); }
void TForm1::Edit_FrontChange() { CheckRateInput(Edit_Front); }
void TForm1::Edit_BackChange() { CheckRateInput(Edit_Back); }
void TForm1::Edit_FrontExit() { FormatRateInput(Edit_Front); }
void TForm1::Edit_BackExit() { FormatRateInput(Edit_Back); }
void TForm1::Edit_FrontKeyPress(QChar& key) { frame_->FilterNumericKey(Edit_Front, key); }
void TForm1::Edit_BackKeyPress(QChar& key) { frame_->FilterNumericKey(Edit_Back, key); }

void TForm1::Edit_Front_DescrChange() { SetDescription(Lbl_Summary_Front4, Edit_Front_Descr->text()); }
void TForm1::Edit_Back_DescrChange() { SetDescription(Lbl_Summary_Back4, Edit_Back_Descr->text()); }

} // namespace rv
