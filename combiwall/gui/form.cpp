#include "combiwall/gui/form.h"

#include "calcframe/gui/aboutbox.h"
#include "calcframe/gui/events.h"
#include "calcframe/gui/frame.h"
#include "calcframe/gui/hints.h"
#include "calcframe/gui/radiogroup.h"
#include "calcframe/gui/services.h"
#include "calcframe/gui/startup.h"
#include "calcframe/gui/statusbar.h"
#include "calcframe/gui/window.h"
#include "calcframe/sfwindow.h"
#include "calcframe/units.h"
#include "combiwall/catalogue.h"
#include "combiwall/gui/formdata.h"
#include "combiwall/gui/materialtab.h"
#include "platform/error.h"
#include "platform/inifile.h"
#include "platform/numtext.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

namespace cw {

namespace {

std::string S(const QString& s) { return s.toStdString(); }

const char* kQuestion = "Unable to find the file \"WQ KX Data.daa\" or corrupted file.\n"
                        "Would you like to browse your computer for the file?\n"
                        "Click \"No\" to exit application.";

} // namespace

TForm1::TForm1(const FormPaths& paths, QWidget* parent)
    : QMainWindow(parent, cf::MainFormFlags()),
      paths_(paths), data_(std::make_unique<KestraneData>())
{
    if (paths_.dataFolder.isEmpty())
        paths_.dataFolder = QDir::currentPath();
    if (paths_.settingsPath.isEmpty())
        paths_.settingsPath = cf::DefaultSettingsPath();

    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("WQ KX Kestrane"));
    cf::SetShowHint(this, true);

    BuildMenus();

    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(4, 4, 4, 0);
    layout->setSpacing(2);
    Edit_VersionInfo = new QLineEdit(QStringLiteral(" Version ") + QString::fromLatin1(kKestraneVersion), central);
    Edit_VersionInfo->setObjectName(QStringLiteral("Edit_VersionInfo"));
    Edit_VersionInfo->setReadOnly(true);
    Edit_VersionInfo->setFrame(false);
    Edit_VersionInfo->setFocusPolicy(Qt::NoFocus);
    Edit_VersionInfo->setAlignment(Qt::AlignRight);
    layout->addWidget(Edit_VersionInfo);

    PageControl1 = new QTabWidget(central);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    TabSheetKestrane = new QWidget;
    TabSheetKestrane->setObjectName(QStringLiteral("TabSheetKestrane"));
    TabSheetMaterialList = new QWidget;
    TabSheetMaterialList->setObjectName(QStringLiteral("TabSheetMaterialList"));
    TabSheetKestrane_Own = new QWidget;
    TabSheetKestrane_Own->setObjectName(QStringLiteral("TabSheetKestrane_Own"));
    PageControl1->addTab(TabSheetKestrane, QStringLiteral("WQ/KX F&rom Catalogue"));
    PageControl1->addTab(TabSheetMaterialList, QStringLiteral("&Material List"));
    PageControl1->addTab(TabSheetKestrane_Own, QStringLiteral("WQ/KX Bui&lt Up"));
    layout->addWidget(PageControl1);
    setCentralWidget(central);

    SB1 = new cf::TStatusBar(this);
    SB1->setObjectName(QStringLiteral("SB1"));
    setStatusBar(SB1);

    BuildCatalogueTab();
    BuildMaterialListTab();
    BuildBuiltUpTab();
    PageControl1->setFixedSize(604, 506);

    frame_ = std::make_unique<cf::CalcFrame>(SB1, [this] { return metric_; });
    material_ = std::make_unique<MaterialTab>(*this);
    BindHandlers();
    setFixedSize(sizeHint());
    cf::CentreOnScreen(this);
}

TForm1::~TForm1() = default;

// --- binding ---------------------------------------------------------------

void TForm1::BindHandlers()
{
    auto guarded = [](auto fn) { return [fn] { cf::Guard(fn); }; };

    // Menus.
    connect(MenuClose, &QAction::triggered, this, guarded([this] { MenuCloseClick(); }));
    connect(MenuMetric, &QAction::triggered, this, guarded([this] { MenuMetricClick(); }));
    connect(MenuImperial, &QAction::triggered, this, guarded([this] { MenuImperialClick(); }));
    connect(MenuUnits, &QMenu::aboutToShow, this, guarded([this] { MenuUnitsClick(); }));
    connect(MenuSelectSfmin, &QAction::triggered, this, guarded([this] { MenuSelectSfminClick(); }));
    connect(MenuSelectCombination, &QAction::triggered, this, guarded([this] { MenuSelectCombinationClick(); }));
    connect(MenuAbout, &QAction::triggered, this, guarded([this] { MenuAboutClick(); }));

    // Frame handlers: key filter, rule A and B on leaving, Sfmin enter, the
    // grade boxes and radio groups clearing both panels when entered.
    struct KeyBinding {
        QLineEdit* edit;
        void (TForm1::*keyPress)(QChar&);
    };
    const KeyBinding keys[] = {
        {Edit_Moment, &TForm1::Edit_MomentKeyPress},
        {Edit_Load, &TForm1::Edit_LoadKeyPress},
        {Edit_Deflection, &TForm1::Edit_DeflectionKeyPress},
        {Edit_Sfmin, &TForm1::Edit_SfminKeyPress},
        {Edit_SfMax, &TForm1::Edit_SfMaxKeyPress},
    };
    for (const KeyBinding& b : keys)
        cf::OnKeyPress(b.edit, [this, b](QChar& key) { (this->*b.keyPress)(key); });
    cf::OnExit(Edit_Moment, [this] { Edit_MomentExit(); });
    cf::OnExit(Edit_Load, [this] { Edit_LoadExit(); });
    cf::OnExit(Edit_Deflection, [this] { Edit_DeflectionExit(); });
    cf::OnEnter(Edit_Sfmin, [this] { Edit_SfminEnter(); });
    cf::OnExit(Edit_Sfmin, [this] { Edit_SfminExit(); });
    const std::pair<QComboBox*, void (TForm1::*)()> gradeEnters[] = {
        {CB_SteelGradesWQ, &TForm1::CB_SteelGradesWQEnter},
        {CB_SteelGradesWQ_Own, &TForm1::CB_SteelGradesWQEnter},
        {CB_SteelGradesNJVB, &TForm1::CB_SteelGradesNJVBEnter},
        {CB_SteelGradesNJVB_Own, &TForm1::CB_SteelGradesNJVBEnter},
        {CB_SteelGradesKX, &TForm1::CB_SteelGradesKXEnter},
        {CB_SteelGradesKX_Own, &TForm1::CB_SteelGradesKXEnter},
    };
    for (const auto& [box, enter] : gradeEnters)
        cf::OnEnter(box, [this, enter = enter] { (this->*enter)(); });
    for (cf::TRadioGroup* rg : {RG_IntermediarySSP, RG_WQPiles, RG_Intermediary_Own, RG_WQ_Own, RG_WQ_Thick_Own,
                                RG_WQ_Comb_Own})
        rg->AddOnEnter([this] { RG_IntermediarySSPEnter(); });

    // Load and safety-window fields: writing a text from code runs the change
    // handler, as typing does.
    auto field = [](double factor, cf::FieldReset reset = cf::FieldReset::Clear) {
        cf::FieldRules r;
        r.factor = factor;
        r.reset = reset;
        return r;
    };
    frame_->BindField(Edit_Moment, field(cf::kMomentFactor), [this] { Edit_MomentChange(); });
    frame_->BindField(Edit_Load, field(cf::kLoadFactor), [this] { Edit_LoadChange(); });
    frame_->BindField(Edit_Deflection, field(cf::kDeflectionFactor), [this] { Edit_DeflectionChange(); });
    frame_->BindField(Edit_Sfmin, field(0), [this] { Edit_SfminChange(); });
    frame_->BindField(Edit_SfMax, field(0, cf::FieldReset::Previous), [this] { Edit_SfMaxChange(); });
    cf::OnEnter(Edit_Moment, [this] { Edit_MomentEnter(); });
    cf::OnEnter(Edit_Load, [this] { Edit_LoadEnter(); });
    cf::OnEnter(Edit_Deflection, [this] { Edit_DeflectionEnter(); });
    cf::OnEnter(Edit_SfMax, [this] { Edit_SfMaxEnter(); });
    cf::OnExit(Edit_SfMax, [this] { Edit_SfMaxExit(); });

    // Grade boxes: only a choice of the user runs the change handlers.
    connect(CB_SteelGradesWQ, &QComboBox::activated, this, guarded([this] { CB_SteelGradesWQChange(); }));
    connect(CB_SteelGradesNJVB, &QComboBox::activated, this, guarded([this] { CB_SteelGradesNJVBChange(); }));
    connect(CB_SteelGradesKX, &QComboBox::activated, this, guarded([this] { CB_SteelGradesKXChange(); }));
    connect(CB_SteelGradesWQ_Own, &QComboBox::activated, this, guarded([this] { CB_SteelGradesWQ_OwnChange(); }));
    connect(CB_SteelGradesNJVB_Own, &QComboBox::activated, this,
            guarded([this] { CB_SteelGradesNJVB_OwnChange(); }));
    connect(CB_SteelGradesKX_Own, &QComboBox::activated, this, guarded([this] { CB_SteelGradesKX_OwnChange(); }));

    // Combination list and its filters.
    RG_IntermediarySSP->SetOnClick([this] { RG_IntermediarySSPClick(); });
    RG_WQPiles->SetOnClick([this] { RG_IntermediarySSPClick(); });
    // A user's change of the selected line (mouse or keyboard) runs the click
    // handler, and so does a click on the selected line; lines selected from
    // code do not (the list's signals are blocked then).
    cf::BindListClick(LB_WQKX, [this] { LB_WQKXClick(); });
    cf::OnClick(LB_Empty->viewport(), [this] { LB_WQKXClick(); });

    // Tabs: showing a page runs its show handler; a change by the user then
    // runs PageControl1Change.
    pages_ = new cf::PageSwitch(
        PageControl1,
        [this](QWidget* page) {
            if (page == TabSheetKestrane)
                TabSheetKestraneExit();
            else if (page == TabSheetMaterialList)
                TabSheetMaterialListExit();
        },
        [this](QWidget* page) {
            if (page == TabSheetKestrane)
                TabSheetKestraneShow();
            else if (page == TabSheetMaterialList)
                TabSheetMaterialListShow();
            else if (page == TabSheetKestrane_Own)
                TabSheetKestrane_OwnShow();
        },
        [this] { PageControl1Change(); });

    BindMaterialHandlers();
}

void TForm1::ShowPage(QWidget* page) { pages_->Show(page); }

bool TForm1::CatalogueTabEnabled() const { return cf::OwnEnabled(TabSheetKestrane); }

// --- start-up --------------------------------------------------------------

void TForm1::FormCreate()
{
    LoadCatalogueFile();
    ReadSettings();
    FillSteelGrades();
    if (CatalogueTabEnabled()) {
        FillCatalogueList(0, data_->catalogue.CombinationCount() - 1);
        ShowPage(TabSheetKestrane);
        TabSheetKestrane_Own->setEnabled(false);
    } else {
        MenuWQOwn->setChecked(true);
        MenuSelectCombination->setEnabled(false);
        MenuSelectSfmin->setEnabled(false);
        ShowPage(TabSheetKestrane_Own);
    }
    LayoutMaterialList();
    cf::SetupStatusBar(SB1);
    FillBuiltUpSheetPiles();
    if (cf::OwnEnabled(TabSheetKestrane_Own))
        ComputeBuiltUpSystem();
    Lbl_Sf_Text->hide();
}

void TForm1::LoadCatalogueFile()
{
    cf::LoadDataFile(paths_.dataFolder, kCatalogueFileName, kQuestion,
                     [this](const std::string& path) { data_->catalogue = cw::LoadCatalogueFile(path); });
}

// --- settings --------------------------------------------------------------

void TForm1::ReadSettings()
{
    sps::TIniFile ini(S(paths_.settingsPath));
    // Nothing of the reading is reported; the texts run their change handlers
    // even where they equal the design texts.
    cf::TStatusBar::Quiet quiet(SB1);
    bool accepted = false;
    try {
        metric_ = ini.ReadBool("Units", "Metric", metric_);
        frame_->LoadField(Edit_Sfmin, cf::SettingsNumberText(ini.ReadString("SFMinReq", "SFMinRequired", "")));
        frame_->LoadField(Edit_SfMax, cf::SettingsNumberText(ini.ReadString("SFMaxReq", "SFMaxRequired", "")));
        TabSheetKestrane->setEnabled(ini.ReadBool("WQ Catalogue", "Enabled", CatalogueTabEnabled()));
        accepted = !cf::FieldIsEmpty(Edit_Sfmin->text()) && !cf::FieldIsEmpty(Edit_SfMax->text()) &&
                   cf::SfMaxReachesBound(data_->window.sfMax, data_->window.sfMin);
    } catch (const std::exception&) {
        accepted = false;
    }
    if (!accepted) {
        metric_ = true;
        frame_->LoadField(Edit_Sfmin, cf::Fixed(1.5, 2));
        data_->window.sfMin = 1.5;
        frame_->LoadField(Edit_SfMax, cf::Fixed(10.0, 2));
        data_->window.sfMax = 10.0;
        TabSheetKestrane->setEnabled(true);
    }
    if (!metric_) {
        ShowImperialCaptions();
        MenuImperial->setChecked(true);
    }
}

void TForm1::WriteSettings()
{
    sps::TIniFile ini(S(paths_.settingsPath));
    cf::WriteCommonSettings(ini, metric_, Edit_Sfmin->text(), Edit_SfMax->text());
    ini.WriteBool("WQ Catalogue", "Enabled", CatalogueTabEnabled());
    ini.UpdateFile();
}

void TForm1::MenuCloseClick() { close(); }

void TForm1::FormClose(QCloseEvent* ev)
{
    cf::FormCloseWritingSettings(ev, settingsWritten_, [this] { WriteSettings(); });
}

void TForm1::closeEvent(QCloseEvent* ev) { FormClose(ev); }

// --- the calculator frame's field handlers -----------------------------------

void TForm1::Edit_MomentKeyPress(QChar& key) { frame_->FilterNumericKey(Edit_Moment, key); }
void TForm1::Edit_LoadKeyPress(QChar& key) { frame_->FilterNumericKey(Edit_Load, key); }
void TForm1::Edit_DeflectionKeyPress(QChar& key) { frame_->FilterNumericKey(Edit_Deflection, key); }
void TForm1::Edit_SfminKeyPress(QChar& key) { frame_->FilterNumericKey(Edit_Sfmin, key); }
void TForm1::Edit_SfMaxKeyPress(QChar& key) { frame_->FilterNumericKey(Edit_SfMax, key); }
void TForm1::Edit_MomentExit() { frame_->LoadFieldExit(Edit_Moment); }
void TForm1::Edit_LoadExit() { frame_->LoadFieldExit(Edit_Load); }
void TForm1::Edit_DeflectionExit() { frame_->LoadFieldExit(Edit_Deflection); }
void TForm1::Edit_SfminEnter() { frame_->SfminEnter(); }
void TForm1::Edit_SfminExit() { frame_->SfminExit(Edit_Sfmin); }
void TForm1::CB_SteelGradesWQEnter() { frame_->ClearPanelsEnter(); }
void TForm1::CB_SteelGradesNJVBEnter() { frame_->ClearPanelsEnter(); }
void TForm1::CB_SteelGradesKXEnter() { frame_->ClearPanelsEnter(); }
void TForm1::RG_IntermediarySSPEnter() { frame_->ClearPanelsEnter(); }

void TForm1::MenuAboutClick()
{
    if (aboutBox_)
        aboutBox_->ShowAbout(QString::fromUtf8(kKestraneNotice));
}

} // namespace cw
