// The material list tab (member lengths, wall size, material list), the
// built-up tab with the source of the selected system, and the reports.
#include "calcframe/gui/events.h"
#include "calcframe/gui/frame.h"
#include "calcframe/gui/radiogroup.h"
#include "calcframe/gui/services.h"
#include "calcframe/gui/statusbar.h"
#include "calcframe/gui/aboutbox.h"
#include "calcframe/units.h"
#include "combiwall/builtuptab.h"
#include "combiwall/gui/form.h"
#include "combiwall/gui/formdata.h"
#include "combiwall/gui/materialtab.h"
#include "combiwall/report.h"
#include "platform/gui/printer.h"
#include "platform/gui/services.h"

#include <QAction>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTabWidget>
#include <QTableWidget>

namespace cw {

namespace {

std::string S(const QString& s) { return s.toStdString(); }

} // namespace

// --- the length handlers' view ---------------------------------------------

namespace {

QLineEdit* FieldEdit(const TForm1& f, LengthField field)
{
    switch (field) {
    case LengthField::WQ:
        return f.Edit_LengthWQ;
    case LengthField::NJ:
        return f.Edit_LengthNJ;
    case LengthField::VB:
        return f.Edit_LengthVB;
    case LengthField::KX:
        return f.Edit_LengthKX;
    case LengthField::Wall:
        return f.Edit_LengthWall;
    case LengthField::Systems:
        break;
    }
    return f.Edit_NbOfSystems;
}

} // namespace

std::string FormLengthView::Text(LengthField field) const { return S(FieldEdit(form_, field)->text()); }

void FormLengthView::SetText(LengthField field, const std::string& text)
{
    FieldEdit(form_, field)->setText(cf::QStr(text)); // runs the change handler when it differs
}

bool FormLengthView::Enabled(LengthField field) const { return cf::OwnEnabled(FieldEdit(form_, field)); }

void FormLengthView::SetEnabled(LengthField field, bool enabled) { FieldEdit(form_, field)->setEnabled(enabled); }

void FormLengthView::SetTotalWallText(const std::string& text)
{
    form_.Lbl_LengthTotalWallResults->setText(cf::QStr(text));
}

void FormLengthView::SetPanel(int panel, const std::string& text) { form_.SB1->SetPanel(panel, cf::QStr(text)); }

void FormLengthView::Beep(unsigned type) { form_.SB1->Beep(static_cast<int>(type)); }

void FormLengthView::ShowInNewUnits(LengthField field, const std::string& text)
{
    form_.frame_->ShowInNewUnits(FieldEdit(form_, field), cf::QStr(text));
}

bool FormLengthView::HeldValue(LengthField field, double& metres) const
{
    return form_.frame_->HeldValue(FieldEdit(form_, field), metres);
}


void FormLengthView::FocusBack(LengthField field) { cf::GiveFocusBack(FieldEdit(form_, field)); }

bool FormLengthView::WallLengthMode() const { return form_.MenuSelectWallLength->isChecked(); }

void FormLengthView::ComputeMaterialList() { form_.ComputeMaterialList(); }

// --- binding ----------------------------------------------------------------

void TForm1::BindMaterialHandlers()
{
    auto guarded = [](auto fn) { return [fn] { cf::Guard(fn); }; };

    struct LengthBinding {
        QLineEdit* edit;
        void (TForm1::*enter)();
        void (TForm1::*change)();
        void (TForm1::*exit)();
        void (TForm1::*keyPress)(QChar&);
    };
    const LengthBinding lengths[] = {
        {Edit_LengthWQ, &TForm1::Edit_LengthWQEnter, &TForm1::Edit_LengthWQChange, &TForm1::Edit_LengthWQExit,
         &TForm1::Edit_LengthWQKeyPress},
        {Edit_LengthNJ, &TForm1::Edit_LengthNJEnter, &TForm1::Edit_LengthNJChange, &TForm1::Edit_LengthNJExit,
         &TForm1::Edit_LengthNJKeyPress},
        {Edit_LengthVB, &TForm1::Edit_LengthVBEnter, &TForm1::Edit_LengthVBChange, &TForm1::Edit_LengthVBExit,
         &TForm1::Edit_LengthVBKeyPress},
        {Edit_LengthKX, &TForm1::Edit_LengthKXEnter, &TForm1::Edit_LengthKXChange, &TForm1::Edit_LengthKXExit,
         &TForm1::Edit_LengthKXKeyPress},
        {Edit_LengthWall, &TForm1::Edit_LengthWallEnter, &TForm1::Edit_LengthWallChange,
         &TForm1::Edit_LengthWallExit, &TForm1::Edit_LengthWallKeyPress},
        {Edit_NbOfSystems, &TForm1::Edit_NbOfSystemsEnter, &TForm1::Edit_NbOfSystemsChange,
         &TForm1::Edit_NbOfSystemsExit, &TForm1::Edit_NbOfSystemsKeyPress},
    };
    for (const LengthBinding& b : lengths) {
        cf::FieldRules rules;
        if (b.edit == Edit_NbOfSystems) {
            rules.integer = true;
            rules.refusal = kIntegerKeyRefused;
        } else {
            rules.factor = cf::kLengthFactor;
        }
        frame_->BindField(b.edit, rules, [this, b] { (this->*b.change)(); });
        cf::OnEnter(b.edit, [this, b] { (this->*b.enter)(); });
        cf::OnExit(b.edit, [this, b] { (this->*b.exit)(); });
        cf::OnKeyPress(b.edit, [this, b](QChar& key) { (this->*b.keyPress)(key); });
    }
    cf::OnClick(Edit_LengthWQ, [this] { Edit_LengthWQEnter(); });
    connect(MenuSelectWallLength, &QAction::triggered, this, guarded([this] { MenuSelectWallLengthClick(); }));
    connect(MenuSelectNumberOfSystems, &QAction::triggered, this,
            guarded([this] { MenuSelectNumberOfSystemsClick(); }));

    // Built-up tab.
    RG_WQ_Own->SetOnClick([this] { RG_WQ_OwnClick(); });
    RG_WQ_Thick_Own->SetOnClick([this] { RG_WQ_Thick_OwnClick(); });
    RG_WQ_Comb_Own->SetOnClick([this] { RG_WQ_Comb_OwnClick(); });
    RG_Intermediary_Own->SetOnClick([this] { RG_Intermediary_OwnClick(); });
    connect(MenuWQOwn, &QAction::triggered, this, guarded([this] { MenuWQOwnClick(); }));
    connect(MenuWQCatalogue, &QAction::triggered, this, guarded([this] { MenuWQCatalogueClick(); }));
    frame_->BindField(Edit_Moment_Own, {}, [this] { Edit_Moment_OwnChange(); });
    frame_->BindField(Edit_Load_Own, {}, [this] { Edit_Load_OwnChange(); });
    frame_->BindField(Edit_Deflection_Own, {}, [this] { Edit_Deflection_OwnChange(); });
    cf::OnKeyPress(Edit_Moment_Own, [this](QChar& key) { Edit_Moment_OwnKeyPress(key); });
    cf::OnKeyPress(Edit_Load_Own, [this](QChar& key) { Edit_Load_OwnKeyPress(key); });
    cf::OnKeyPress(Edit_Deflection_Own, [this](QChar& key) { Edit_Deflection_OwnKeyPress(key); });
    cf::OnExit(Edit_Moment_Own, [this] { Edit_Moment_OwnExit(); });
    cf::OnExit(Edit_Load_Own, [this] { Edit_Load_OwnExit(); });
    cf::OnExit(Edit_Deflection_Own, [this] { Edit_Deflection_OwnExit(); });
    cf::OnEnter(Edit_Moment_Own, [this] { Edit_Moment_OwnEnter(); });
    cf::OnEnter(Edit_Load_Own, [this] { Edit_Load_OwnEnter(); });
    cf::OnEnter(Edit_Deflection_Own, [this] { Edit_Deflection_OwnEnter(); });
    cf::OnClick(Edit_Deflection_Own, [this] { Edit_DeflectionEnter(); });

    // Reports.
    connect(MenuPrint, &QAction::triggered, this, guarded([this] { MenuPrintClick(); }));
    connect(MenuPrintToFile, &QAction::triggered, this, guarded([this] { MenuPrintToFileClick(); }));
}

// --- lengths ----------------------------------------------------------------

LengthInputs& TForm1::LengthState()
{
    LengthInputs& l = material_->lengths;
    l.metric = metric_;
    l.b = data_->selected.b;
    return l;
}

const LengthInputs& TForm1::Lengths() const { return material_->lengths; }
const MaterialGrid& TForm1::Grid() const { return material_->grid; }
double TForm1::IxPerMetre() const { return material_->ixPerMetre; }

void TForm1::Edit_LengthWQEnter() { LengthState().Enter(LengthField::WQ); }
void TForm1::Edit_LengthNJEnter() { LengthState().Enter(LengthField::NJ); }
void TForm1::Edit_LengthVBEnter() { LengthState().Enter(LengthField::VB); }
void TForm1::Edit_LengthKXEnter() { LengthState().Enter(LengthField::KX); }
void TForm1::Edit_LengthWallEnter() { LengthState().Enter(LengthField::Wall); }
void TForm1::Edit_NbOfSystemsEnter() { LengthState().Enter(LengthField::Systems); }
void TForm1::Edit_LengthWQChange() { LengthState().Change(LengthField::WQ); }
void TForm1::Edit_LengthNJChange() { LengthState().Change(LengthField::NJ); }
void TForm1::Edit_LengthVBChange() { LengthState().Change(LengthField::VB); }
void TForm1::Edit_LengthKXChange() { LengthState().Change(LengthField::KX); }
void TForm1::Edit_LengthWallChange() { LengthState().Change(LengthField::Wall); }
void TForm1::Edit_NbOfSystemsChange() { LengthState().Change(LengthField::Systems); }
void TForm1::Edit_LengthWQExit() { LengthState().Exit(LengthField::WQ); }
void TForm1::Edit_LengthNJExit() { LengthState().Exit(LengthField::NJ); }
void TForm1::Edit_LengthVBExit() { LengthState().Exit(LengthField::VB); }
void TForm1::Edit_LengthKXExit() { LengthState().Exit(LengthField::KX); }
void TForm1::Edit_LengthWallExit() { LengthState().Exit(LengthField::Wall); }
void TForm1::Edit_NbOfSystemsExit() { LengthState().Exit(LengthField::Systems); }

void TForm1::Edit_LengthWQKeyPress(QChar& key) { frame_->FilterNumericKey(Edit_LengthWQ, key); }
void TForm1::Edit_LengthNJKeyPress(QChar& key) { frame_->FilterNumericKey(Edit_LengthNJ, key); }
void TForm1::Edit_LengthVBKeyPress(QChar& key) { frame_->FilterNumericKey(Edit_LengthVB, key); }
void TForm1::Edit_LengthKXKeyPress(QChar& key) { frame_->FilterNumericKey(Edit_LengthKX, key); }
void TForm1::Edit_LengthWallKeyPress(QChar& key) { frame_->FilterNumericKey(Edit_LengthWall, key); }

void TForm1::Edit_NbOfSystemsKeyPress(QChar& key)
{
    std::optional<std::string> refused = RefuseSystemsKey(S(QString(key)));
    if (!refused)
        return;
    SB1->SetPanel(1, cf::QStr(*refused));
    key = QChar(0);
    SB1->Beep(cf::kBeepExclamation);
}

void TForm1::MenuSelectWallLengthClick()
{
    if (cf::OwnEnabled(Edit_LengthWall)) {
        MenuSelectWallLength->setChecked(true);
        return;
    }
    const bool hadFocus = Edit_NbOfSystems->hasFocus();
    Edit_LengthWall->setEnabled(true);
    if (hadFocus)
        Edit_LengthWall->setFocus(Qt::OtherFocusReason);
    Edit_NbOfSystems->setEnabled(false);
    MenuSelectWallLength->setChecked(true);
    Edit_LengthWallChange();
}

void TForm1::MenuSelectNumberOfSystemsClick()
{
    if (cf::OwnEnabled(Edit_NbOfSystems)) {
        MenuSelectNumberOfSystems->setChecked(true);
        return;
    }
    const bool hadFocus = Edit_LengthWall->hasFocus();
    Edit_NbOfSystems->setEnabled(true);
    if (hadFocus)
        Edit_NbOfSystems->setFocus(Qt::OtherFocusReason);
    Edit_LengthWall->setEnabled(false);
    MenuSelectNumberOfSystems->setChecked(true);
    const LengthInputs& l = LengthState();
    Edit_NbOfSystems->setText(cf::QStr(SystemsTextForNumberMode(l.numberOfSystems, l.b)));
}

// --- material list ----------------------------------------------------------

void TForm1::ShowMaterialGrid()
{
    const MaterialGrid& g = material_->grid;
    for (int row = 0; row < kMaterialRows; ++row) {
        for (int col = 0; col < kMaterialColumns; ++col) {
            const QString text = cf::QStr(g.Cell(col, row));
            QTableWidgetItem* item = MaterialList->item(row, col);
            if (!item || item->text() != text)
                SetCell(col, row, text);
        }
    }
}

void TForm1::LayoutMaterialList()
{
    MaterialListLayout layout = cw::LayoutMaterialList(material_->grid, logicalDpiY(), metric_);
    // Texts wider than their cell are clipped, not shortened.
    MaterialList->setTextElideMode(Qt::ElideNone);
    MaterialList->setWordWrap(false);
    for (int col = 0; col < kMaterialColumns; ++col)
        MaterialList->setColumnWidth(col, layout.columnWidths[static_cast<size_t>(col)]);
    for (int row = 0; row < kMaterialRows; ++row)
        MaterialList->setRowHeight(row, layout.rowHeight);
    ShowMaterialGrid();
}

void TForm1::ShowSystemComposition(const QString& name)
{
    const SystemComposition c = cw::ShowSystemComposition(material_->grid, S(name), data_->catalogue,
                                                          !CatalogueTabEnabled(), metric_, data_->selected.b);
    ShowMaterialGrid();
    if (!c.kingPileFound)
        return;
    if (c.connectorFieldsVisible) {
        for (QWidget* w : {static_cast<QWidget*>(Edit_LengthNJ), static_cast<QWidget*>(Edit_LengthKX),
                           static_cast<QWidget*>(Lbl_LengthNJ), static_cast<QWidget*>(Lbl_LengthKX),
                           static_cast<QWidget*>(Lbl_LengthNJUnits), static_cast<QWidget*>(Lbl_LengthKXUnits)})
            w->setVisible(*c.connectorFieldsVisible);
    }
    for (QWidget* w : {static_cast<QWidget*>(Edit_LengthVB), static_cast<QWidget*>(Lbl_LengthVB),
                       static_cast<QWidget*>(Lbl_LengthVBUnits)})
        w->setVisible(c.vbFieldVisible);
    if (c.kingPilesOnly) {
        Bevel1->setToolTip(QStringLiteral("  No KX sections!  "));
        CB_SteelGradesKX->setEnabled(false);
        CB_SteelGradesKX->hide();
        Lbl_Weight_A->hide();
        Lbl_Weight_B->hide();
        Lbl_Weight_60->hide();
        Lbl_Weight_100->hide();
        Lbl_Weight_WQ->show();
        Lbl_Weight_WQ->setText(cf::QStr(c.weightC1C23Text));
    } else {
        Bevel1->setToolTip(QString());
        CB_SteelGradesKX->show();
        if (cf::OwnEnabled(CB_SteelGradesNJVB))
            CB_SteelGradesKX->setEnabled(true);
        Lbl_Weight_A->show();
        Lbl_Weight_B->show();
        Lbl_Weight_60->show();
        Lbl_Weight_100->show();
        Lbl_Weight_WQ->hide();
        Lbl_Weight_100->setText(cf::QStr(c.weight100Text));
        Lbl_Weight_100_Own->setText(cf::QStr(c.weight100Text));
        Lbl_Weight_60->setText(cf::QStr(c.weight60Text));
        Lbl_Weight_60_Own->setText(cf::QStr(c.weight60Text));
    }
    if (c.extraWidth)
        material_->lengths.extraWidth = *c.extraWidth;
}

void TForm1::ComputeMaterialList()
{
    MaterialListInput in;
    in.caption = S(Lbl_WQCombination->text());
    in.lengthWQ = S(Edit_LengthWQ->text());
    in.lengthNJ = S(Edit_LengthNJ->text());
    in.lengthVB = S(Edit_LengthVB->text());
    in.lengthKX = S(Edit_LengthKX->text());
    in.connectorFieldsVisible = !Edit_LengthNJ->isHidden();
    in.vbFieldVisible = !Edit_LengthVB->isHidden();
    in.numberOfSystems = material_->lengths.numberOfSystems;
    in.metric = metric_;
    cw::ComputeMaterialList(material_->grid, in);
    ShowMaterialGrid();
}

// --- built-up tab -------------------------------------------------------------

void TForm1::ComputeBuiltUpSystem()
{
    BuiltUpChoice choice{S(RG_WQ_Own->SelectedText()), S(RG_WQ_Thick_Own->SelectedText()),
                         S(RG_WQ_Comb_Own->SelectedText()), S(RG_Intermediary_Own->SelectedText())};
    const BuiltUpTabResult r = ComposeBuiltUpSystem(data_->catalogue, choice, metric_);
    data_->selected = r.system.system;
    data_->selectedName = r.name;
    material_->ixPerMetre = r.system.ixPerMetre;
    const QString name = cf::QStr(r.name);
    Lbl_WQCombination->setText(name);
    ComputeSafetyFactors();
    SB1->SetPanel(0, cf::QStr(r.statusText));
    Lbl_AxSystem_Res_Own->setText(cf::QStr(r.areaText));
    Lbl_IxSystem_Res_Own->setText(cf::QStr(r.ixText));
    Lbl_SxWQ_Res_Own->setText(cf::QStr(r.sxWQText));
    Lbl_SxNJVB_Res_Own->setText(cf::QStr(r.sxNJText));
    ShowSystemComposition(name);
    if (cf::OwnEnabled(Edit_LengthWall))
        Edit_LengthWallChange();
    else
        Edit_NbOfSystemsChange();
    GB_Properties_Own->setTitle(cf::QStr(r.caption));
}

void TForm1::RG_WQ_OwnClick() { ComputeBuiltUpSystem(); }
void TForm1::RG_WQ_Thick_OwnClick() { ComputeBuiltUpSystem(); }
void TForm1::RG_WQ_Comb_OwnClick() { ComputeBuiltUpSystem(); }

void TForm1::RG_Intermediary_OwnClick()
{
    if (cf::OwnEnabled(TabSheetKestrane_Own))
        ComputeBuiltUpSystem();
}

void TForm1::TabSheetKestrane_OwnShow()
{
    TabSheetKestrane_Own->setEnabled(true);
    TabSheetKestrane->setEnabled(false);
    Edit_Moment_Own->setText(Edit_Moment->text());
    Edit_Load_Own->setText(Edit_Load->text());
    Edit_Deflection_Own->setText(Edit_Deflection->text());
    ComputeBuiltUpSystem();
    if (!cf::OwnEnabled(TabSheetMaterialList))
        TabSheetMaterialList->setEnabled(true);
    MenuPrint->setEnabled(true);
    MenuPrintToFile->setEnabled(true);
}

void TForm1::MenuWQOwnClick()
{
    // Only while the catalogue is the source (the radio group has already
    // moved the check mark when the item itself was triggered).
    MenuWQOwn->setChecked(true);
    if (!CatalogueTabEnabled())
        return;
    MenuSelectSfmin->setEnabled(false);
    MenuSelectCombination->setEnabled(false);
    TabSheetKestrane->setEnabled(false);
    TabSheetKestrane_Own->setEnabled(true);
    ShowPage(TabSheetKestrane_Own);
    Edit_Moment_Own->setText(Edit_Moment->text());
    Edit_Load_Own->setText(Edit_Load->text());
    Edit_Deflection_Own->setText(Edit_Deflection->text());
    ComputeBuiltUpSystem();
    PageControl1->setTabVisible(PageControl1->indexOf(TabSheetMaterialList), true);
}

void TForm1::MenuWQCatalogueClick()
{
    MenuWQCatalogue->setChecked(true);
    if (CatalogueTabEnabled())
        return;
    MenuSelectSfmin->setEnabled(true);
    MenuSelectCombination->setEnabled(true);
    TabSheetKestrane->setEnabled(true);
    TabSheetKestrane_Own->setEnabled(false);
    ShowPage(TabSheetKestrane);
    RG_IntermediarySSPClick();
}

void TForm1::MirrorChange(MirrorField which)
{
    QLineEdit* own = which == MirrorField::Moment ? Edit_Moment_Own
                     : which == MirrorField::Load ? Edit_Load_Own
                                                  : Edit_Deflection_Own;
    QLineEdit* field = which == MirrorField::Moment ? Edit_Moment
                       : which == MirrorField::Load ? Edit_Load
                                                    : Edit_Deflection;
    // The catalogue tab's field validates, stores and recomputes; a refused
    // value clears both. A text is written only when it differs.
    field->setText(own->text());
    own->setText(field->text());
}

void TForm1::MirrorExit(MirrorField which)
{
    QLineEdit* own = which == MirrorField::Moment ? Edit_Moment_Own
                     : which == MirrorField::Load ? Edit_Load_Own
                                                  : Edit_Deflection_Own;
    QLineEdit* field = which == MirrorField::Moment ? Edit_Moment
                       : which == MirrorField::Load ? Edit_Load
                                                    : Edit_Deflection;
    void (TForm1::*exit)() = which == MirrorField::Moment ? &TForm1::Edit_MomentExit
                             : which == MirrorField::Load ? &TForm1::Edit_LoadExit
                                                          : &TForm1::Edit_DeflectionExit;
    (this->*exit)();
    own->setText(field->text());
}

void TForm1::Edit_Moment_OwnChange() { MirrorChange(MirrorField::Moment); }
void TForm1::Edit_Load_OwnChange() { MirrorChange(MirrorField::Load); }
void TForm1::Edit_Deflection_OwnChange() { MirrorChange(MirrorField::Deflection); }
void TForm1::Edit_Moment_OwnExit() { MirrorExit(MirrorField::Moment); }
void TForm1::Edit_Load_OwnExit() { MirrorExit(MirrorField::Load); }
void TForm1::Edit_Deflection_OwnExit() { MirrorExit(MirrorField::Deflection); }
void TForm1::Edit_Moment_OwnEnter() { Edit_MomentEnter(); }
void TForm1::Edit_Load_OwnEnter() { Edit_LoadEnter(); }
void TForm1::Edit_Deflection_OwnEnter() { Edit_DeflectionEnter(); }
void TForm1::Edit_Moment_OwnKeyPress(QChar& key) { frame_->FilterNumericKey(Edit_Moment_Own, key); }
void TForm1::Edit_Load_OwnKeyPress(QChar& key) { frame_->FilterNumericKey(Edit_Load_Own, key); }
void TForm1::Edit_Deflection_OwnKeyPress(QChar& key) { frame_->FilterNumericKey(Edit_Deflection_Own, key); }

// --- reports ------------------------------------------------------------------

ReportState TForm1::CurrentReportState() const
{
    ReportState st;
    st.systemName = S(Lbl_WQCombination->text());
    st.system = data_->selected;
    st.ixPerMetre = material_->ixPerMetre;
    st.builtUpEnabled = cf::OwnEnabled(TabSheetKestrane_Own);
    st.metric = metric_;
    st.listAllMode = MenuSelectCombination->isChecked();
    st.listEmpty = listLines_ == 0;
    st.moment = S(Edit_Moment->text());
    st.load = S(Edit_Load->text());
    st.deflection = S(Edit_Deflection->text());
    st.sfmin = S(Edit_Sfmin->text());
    st.momentUnit = S(Lbl_MomentUnit->text());
    st.loadUnit = S(Lbl_LoadUnit->text());
    st.deflectionUnit = S(Lbl_DeflectionUnit->text());
    for (int m = 0; m < kMemberCount; ++m)
        st.grades[static_cast<size_t>(m)] = ReportGradeName(data_->catalogue.Grades(static_cast<Member>(m), metric_),
                                                            data_->grades.index[static_cast<size_t>(m)]);
    st.sheetPileShown = !CB_SteelGradesKX->isHidden();
    st.sfKingPile = S(Lbl_WQResult->text());
    st.sfConnectors = S(Lbl_NJVBResult->text());
    st.sfSheetPile = S(Lbl_KXResult->text());
    st.sfMinimum = S(Lbl_SfminResult->text());
    st.grid = material_->grid;
    st.totalWallLength = S(Lbl_LengthTotalWallResults->text());
    st.totalWallUnit = S(Lbl_LengthTotalWallUnits->text());
    st.versionLine = aboutBox_ ? S(aboutBox_->Version->text()) : "Version " + std::string(kKestraneVersion);
    st.date = sps::ShortDateText();
    st.time = cf::LongTimeText();
    return st;
}

void TForm1::MenuPrintClick()
{
    cf::RunPrintDialog(this, kReportTitle, [this](sps::TPrinter& printer) { PrintReport(printer); });
}

void TForm1::PrintReport(sps::TPrinter& printer) { cw::PrintReport(printer, CurrentReportState()); }

void TForm1::MenuPrintToFileClick()
{
    const std::string path = cf::AskTextReportPath(kReportTitle);
    if (path.empty())
        return;
    WriteTextReport(path, CurrentReportState());
}

} // namespace cw
