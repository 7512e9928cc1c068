#include "corrosion/gui/form.h"

#include "calcframe/gui/aboutbox.h"
#include "calcframe/gui/events.h"
#include "calcframe/gui/frame.h"
#include "calcframe/gui/hints.h"
#include "calcframe/gui/radiogroup.h"
#include "calcframe/gui/services.h"
#include "calcframe/gui/startup.h"
#include "calcframe/gui/statusbar.h"
#include "calcframe/gui/window.h"
#include "calcframe/units.h"
#include "corrosion/gui/formdata.h"
#include "corrosion/units.h"
#include "platform/inifile.h"
#include "platform/numtext.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QRadioButton>
#include <QScreen>
#include <QTabWidget>
#include <QTableWidget>

namespace rv {

namespace {

std::string S(const QString& s) { return s.toStdString(); }

const char* kQuestion = "Unable to find the file \"SSP Rovandel.daa\" or corrupted file.\n"
                        "Would you like to browse your computer for the file?\n"
                        "Click \"No\" to exit application.";

int Round(double v) { return static_cast<int>(sps::RoundHalfEven(v)); }

// The screen's pixels per inch (96 when there is no screen).
int ScreenPixelsPerInch(const QWidget* w)
{
    QScreen* screen = w->screen() ? w->screen() : QGuiApplication::primaryScreen();
    return screen ? Round(screen->logicalDotsPerInchY()) : 96;
}

} // namespace

LabelConstraints ScaledDescriptionConstraints(int pixelsPerInch)
{
    const double s = pixelsPerInch / 96.0;
    const LabelConstraints design;
    LabelConstraints c;
    c.maxHeight = Round(design.maxHeight * s) + 5;
    c.maxWidth = Round(design.maxWidth * s);
    c.minWidth = Round(design.minWidth * s);
    return c;
}

TForm1::TForm1(const FormPaths& paths, QWidget* parent)
    : QMainWindow(parent, cf::MainFormFlags()),
      paths_(paths), data_(std::make_unique<RovandelData>())
{
    if (paths_.dataFolder.isEmpty())
        paths_.dataFolder = QDir::currentPath();
    if (paths_.settingsPath.isEmpty())
        paths_.settingsPath = cf::DefaultSettingsPath();

    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QString::fromLatin1(kFormCaption));
    QFont font(QStringLiteral("Arial"));
    font.setPointSize(8);
    setFont(font);
    cf::SetShowHint(this, true);

    BuildMenus();

    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("ClientArea"));
    PageControl1 = new QTabWidget(central);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    PageControl1->setGeometry(2, 2, 567, 475);
    TabSheetInput = new QWidget;
    TabSheetInput->setObjectName(QStringLiteral("TabSheetInput"));
    TabSheetSFTable = new QWidget;
    TabSheetSFTable->setObjectName(QStringLiteral("TabSheetSFTable"));
    TabSheetRates = new QWidget;
    TabSheetRates->setObjectName(QStringLiteral("TabSheetRates"));
    PageControl1->addTab(TabSheetInput, QStringLiteral("Input &data"));
    PageControl1->addTab(TabSheetSFTable, QStringLiteral("Sf &summary"));
    PageControl1->addTab(TabSheetRates, QStringLiteral("&Corrosion rates"));

    // The version line lies on the tab row, right of the tabs.
    Edit1 = new QLineEdit(QString::fromLatin1(kBetaNotice), central);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setReadOnly(true);
    Edit1->setFrame(false);
    Edit1->setFocusPolicy(Qt::NoFocus);
    Edit1->setAlignment(Qt::AlignRight);
    Edit1->setGeometry(300, 3, 267, 18);
    QPalette pal = Edit1->palette();
    pal.setColor(QPalette::Text, QColor(128, 0, 0)); // clMaroon
    pal.setColor(QPalette::Base, pal.color(QPalette::Window));
    Edit1->setPalette(pal);
    Edit1->raise();
    setCentralWidget(central);

    SB1 = new cf::TStatusBar(this);
    SB1->setObjectName(QStringLiteral("SB1"));
    setStatusBar(SB1);

    BuildInputTab();
    BuildSummaryTab();
    BuildRatesTab();

    frame_ = std::make_unique<cf::CalcFrame>(SB1, [this] { return metric_; });
    BindHandlers();

    // Client area 571 x 499 below the menu bar.
    central->setFixedSize(571, 499 - SB1->sizeHint().height());
    setFixedSize(sizeHint());
    cf::CentreOnScreen(this);
}

TForm1::~TForm1() = default;

// --- binding ---------------------------------------------------------------

void TForm1::BindHandlers()
{
    auto guarded = [](auto fn) { return [fn] { cf::Guard(fn); }; };
    auto onTrigger = [this, guarded](QAction* a, void (TForm1::*handler)()) {
        connect(a, &QAction::triggered, this, guarded([this, handler] { (this->*handler)(); }));
    };

    // Menus.
    onTrigger(MenuPrint, &TForm1::MenuPrintClick);
    onTrigger(MenuPrintToFile, &TForm1::MenuPrintToFileClick);
    onTrigger(MenuClose, &TForm1::MenuCloseClick);
    onTrigger(MenuMetric, &TForm1::MenuMetricClick);
    onTrigger(MenuImperial, &TForm1::MenuImperialClick);
    connect(MenuUnits, &QMenu::aboutToShow, this, guarded([this] { MenuUnitsClick(); }));
    onTrigger(MenuSelectSection, &TForm1::MenuSelectSectionClick);
    onTrigger(MenuSelectSfmin, &TForm1::MenuSelectSfminClick);
    onTrigger(MenuEC3Rates, &TForm1::MenuEC3RatesClick);
    onTrigger(MenuProjectRates, &TForm1::MenuProjectRatesClick);
    onTrigger(MenuAbout, &TForm1::MenuAboutClick);

    // The grade box and the family group clear both panels when entered.
    cf::OnEnter(CB_SteelGrades, [this] { CB_SteelGradesEnter(); });
    RG_SSP->AddOnEnter([this] { RG_SSPEnter(); });

    // Writing a field's text from code runs its change handler, as typing does.
    // The numeric fields take their texts through the frame's input path.
    struct FieldBinding {
        QLineEdit* edit;
        void (TForm1::*change)();
        void (TForm1::*enter)();
        void (TForm1::*exit)();
        void (TForm1::*keyPress)(QChar&);
        double factor;        // metric units per imperial unit; 0 without units
        cf::FieldReset reset; // of a text the key filter would not have let through
    };
    constexpr cf::FieldReset kClear = cf::FieldReset::Clear;
    const FieldBinding fields[] = {
        {Edit_Moment, &TForm1::Edit_MomentChange, &TForm1::Edit_MomentEnter, &TForm1::Edit_MomentExit,
         &TForm1::Edit_MomentKeyPress, cf::kMomentFactor, kClear},
        {Edit_Load, &TForm1::Edit_LoadChange, &TForm1::Edit_LoadEnter, &TForm1::Edit_LoadExit,
         &TForm1::Edit_LoadKeyPress, cf::kLoadFactor, kClear},
        {Edit_Deflection, &TForm1::Edit_DeflectionChange, &TForm1::Edit_DeflectionEnter, &TForm1::Edit_DeflectionExit,
         &TForm1::Edit_DeflectionKeyPress, cf::kDeflectionFactor, kClear},
        {Edit_Sfmin, &TForm1::Edit_SfminChange, &TForm1::Edit_SfminEnter, &TForm1::Edit_SfminExit,
         &TForm1::Edit_SfminKeyPress, 0, kClear},
        {Edit_SfMax, &TForm1::Edit_SfMaxChange, &TForm1::Edit_SfMaxEnter, &TForm1::Edit_SfMaxExit,
         &TForm1::Edit_SfMaxKeyPress, 0, cf::FieldReset::Previous},
        {Edit_WallLength, &TForm1::Edit_WallLengthChange, &TForm1::Edit_WallLengthEnter, &TForm1::Edit_WallLengthExit,
         &TForm1::Edit_WallLengthKeyPress, cf::kLengthFactor, kClear},
        {Edit_SSPLength, &TForm1::Edit_SSPLengthChange, &TForm1::Edit_SSPLengthEnter, &TForm1::Edit_SSPLengthExit,
         &TForm1::Edit_SSPLengthKeyPress, cf::kLengthFactor, kClear},
        {Edit_Front, &TForm1::Edit_FrontChange, &TForm1::Edit_FrontEnter, &TForm1::Edit_FrontExit,
         &TForm1::Edit_FrontKeyPress, cr::kMmPerMil, kClear},
        {Edit_Back, &TForm1::Edit_BackChange, &TForm1::Edit_BackEnter, &TForm1::Edit_BackExit,
         &TForm1::Edit_BackKeyPress, cr::kMmPerMil, kClear},
    };
    for (const FieldBinding& b : fields) {
        cf::FieldRules rules;
        rules.factor = b.factor;
        rules.reset = b.reset;
        frame_->BindField(b.edit, rules, [this, b] { (this->*b.change)(); });
        cf::OnEnter(b.edit, [this, b] { (this->*b.enter)(); });
        cf::OnExit(b.edit, [this, b] { (this->*b.exit)(); });
        cf::OnKeyPress(b.edit, [this, b](QChar& key) { (this->*b.keyPress)(key); });
    }
    cf::OnChange(Edit_Front_Descr, [this] { Edit_Front_DescrChange(); });
    cf::OnChange(Edit_Back_Descr, [this] { Edit_Back_DescrChange(); });

    // Combo boxes: only a choice of the user runs the change handlers.
    connect(CB_SteelGrades, &QComboBox::activated, this, guarded([this] { CB_SteelGradesChange(); }));
    connect(CB_ServiceLife, &QComboBox::activated, this, guarded([this] { CB_ServiceLifeChange(); }));
    connect(CB_Protection_Front, &QComboBox::activated, this, guarded([this] { CB_Protection_FrontChange(); }));
    connect(CB_Protection_Back, &QComboBox::activated, this, guarded([this] { CB_Protection_BackChange(); }));

    // Radio groups.
    RG_SSP->SetOnClick([this] { RG_SSPClick(); });
    RG_A690->SetOnClick([this] { RG_A690Click(); });
    RG_Front->SetOnClick([this] { RG_FrontClick(); });
    RG_Back->SetOnClick([this] { RG_BackClick(); });
    RG_Front_Detail->SetOnClick([this] { RG_Front_DetailClick(); });
    RG_Back_Detail->SetOnClick([this] { RG_Back_DetailClick(); });
    RG_Project_Rates->SetOnClick([this] { RG_Project_RatesClick(); });
    connect(RB_SummarySfIni, &QRadioButton::clicked, this, guarded([this] { RB_SummarySfIniClick(); }));
    connect(RB_SummarySfRed, &QRadioButton::clicked, this, guarded([this] { RB_SummarySfRedClick(); }));

    // Section list: a user's change of the selected line (mouse or keyboard)
    // runs the click handler, and so does a click on the selected line; lines
    // selected from code do not.
    cf::BindListClick(LB_SSP, [this] { LB_SSPClick(); });

    // Tabs: showing a page runs its show handler; a change by the user then
    // runs PageControl1Change.
    pages_ = new cf::PageSwitch(
        PageControl1,
        [this](QWidget* page) {
            if (page == TabSheetInput)
                TabSheetInputExit();
            else if (page == TabSheetSFTable)
                TabSheetSFTableExit();
            else if (page == TabSheetRates)
                TabSheetRatesExit();
        },
        [this](QWidget* page) {
            if (page == TabSheetInput)
                TabSheetInputShow();
            else if (page == TabSheetSFTable)
                TabSheetSFTableShow();
            else if (page == TabSheetRates)
                TabSheetRatesShow();
        },
        [this] { PageControl1Change(); });
}

void TForm1::ShowPage(QWidget* page) { pages_->Show(page); }

bool TForm1::OnPage(const QWidget* page) const { return PageControl1->currentWidget() == page; }

// --- start-up --------------------------------------------------------------

void TForm1::FormCreate()
{
    LoadCatalogueFile();
    ReadSettings();
    FillSteelGrades();
    FillCatalogueList(0, data_->cat.SectionCount() - 1);
    for (const std::string& item : cr::ServiceLifeItems(data_->cat))
        CB_ServiceLife->addItem(cf::QStr(item));
    CB_ServiceLife->setCurrentIndex(0);
    FillEnvironmentDetails(RG_Front);
    FillEnvironmentDetails(RG_Back);
    MenuEC3RatesClick();
    LayoutSfGrid();
    cf::SetupStatusBar(SB1);
    data_->previousEnvironmentFront = 0;
    data_->previousEnvironmentBack = 0;
    ScaleDescriptionLabels();
    ShowPage(TabSheetInput);
    TabSheetInputShow();
    CentreDescriptionLabels();
}

void TForm1::LoadCatalogueFile()
{
    cf::LoadDataFile(paths_.dataFolder, cr::kCatalogueFileName, kQuestion,
                     [this](const std::string& path) { data_->cat = cr::LoadCatalogueFile(path); });
}

void TForm1::ScaleDescriptionLabels()
{
    const LabelConstraints c = ScaledDescriptionConstraints(ScreenPixelsPerInch(this));
    for (QLabel* l : {Lbl_Summary_Front4, Lbl_Summary_Back4}) {
        l->setMaximumSize(c.maxWidth, c.maxHeight);
        l->setMinimumWidth(c.minWidth);
    }
}

// Each description label in the middle of the room below its caption row.
void TForm1::CentreDescriptionLabels()
{
    const double t = 13.0 * ScreenPixelsPerInch(this) / 96.0;
    const std::pair<QLabel*, QLabel*> pairs[] = {{Lbl_Summary_Front1, Lbl_Summary_Front4},
                                                 {Lbl_Summary_Back1, Lbl_Summary_Back4}};
    for (const auto& [caption, label] : pairs) {
        // Word-wrapped text takes the height it needs within the constraints.
        const int w = label->maximumWidth();
        const int h = std::min(label->heightForWidth(w), label->maximumHeight());
        label->resize(w, std::max(h, 0));
        const double top =
            ((caption->y() + caption->height()) + GB_Loss_Summary->height() - t) / 2.0 - label->height() / 2.0;
        label->move(label->x(), Round(top));
    }
}

// --- settings --------------------------------------------------------------

void TForm1::ReadSettings()
{
    sps::TIniFile ini(S(paths_.settingsPath));
    // Nothing of the reading is reported; the texts run their change handlers
    // even where they equal the design texts.
    cf::TStatusBar::Quiet quiet(SB1);
    bool failed = false;
    try {
        metric_ = ini.ReadBool("Units", "Metric", metric_);
        const QString sfmin = cf::SettingsNumberText(ini.ReadString("SFMinReq", "SFMinRequired", ""));
        const QString sfmax = cf::SettingsNumberText(ini.ReadString("SFMaxReq", "SFMaxRequired", ""));
        frame_->LoadField(Edit_Sfmin, sfmin);
        frame_->LoadField(Edit_SfMax, sfmax);
        // A value that is no number counts as a failure to read the settings.
        failed = (!sfmin.isEmpty() && cf::FieldIsEmpty(sfmin)) || (!sfmax.isEmpty() && cf::FieldIsEmpty(sfmax));
    } catch (const std::exception&) {
        failed = true;
    }
    if (failed) {
        metric_ = true;
        frame_->LoadField(Edit_Sfmin, cf::Fixed(1.5, 2));
        data_->window.sfMin = 1.5;
        frame_->LoadField(Edit_SfMax, cf::Fixed(10.0, 2));
        data_->window.sfMax = 10.0;
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
void TForm1::CB_SteelGradesEnter() { frame_->ClearPanelsEnter(); }
void TForm1::RG_SSPEnter() { frame_->ClearPanelsEnter(); }

void TForm1::MenuAboutClick()
{
    if (aboutBox_)
        aboutBox_->ShowAbout(QString::fromUtf8(kRovandelNotice));
}

// --- tabs ------------------------------------------------------------------

void TForm1::TabSheetInputShow()
{
    MenuSelectSection->setEnabled(true);
    MenuSelectSfmin->setEnabled(true);
    SB1->ClearPanel(1);
}

void TForm1::TabSheetRatesShow()
{
    SB1->ClearPanel(0);
    SB1->ShowStatus(LossStatus());
}

// Leaving a tab, and opening the "&Units" menu, do nothing.
void TForm1::TabSheetInputExit() {}
void TForm1::TabSheetSFTableExit() {}
void TForm1::TabSheetRatesExit() {}
void TForm1::MenuUnitsClick() {}

void TForm1::PageControl1Change()
{
    const bool input = OnPage(TabSheetInput);
    if (input) {
        // Printing needs a listed section.
        const bool sections = data_->listLines > 0;
        MenuPrint->setEnabled(sections);
        MenuPrintToFile->setEnabled(sections);
        CentreDescriptionLabels();
    } else {
        MenuPrint->setEnabled(false);
        MenuPrintToFile->setEnabled(false);
    }
    MenuSelectSection->setEnabled(input);
    MenuSelectSfmin->setEnabled(input);
    const bool rates = OnPage(TabSheetRates);
    MenuEC3Rates->setEnabled(rates);
    MenuProjectRates->setEnabled(rates);
    const bool units = !OnPage(TabSheetSFTable);
    MenuMetric->setEnabled(units);
    MenuImperial->setEnabled(units);
}

// --- state -----------------------------------------------------------------

double TForm1::Moment() const { return data_->loads.m; }
double TForm1::Load() const { return data_->loads.n; }
double TForm1::Deflection() const { return data_->loads.f; }
double TForm1::SfMin() const { return data_->window.sfMin; }
double TForm1::SfMax() const { return data_->window.sfMax; }
double TForm1::Fyk() const { return data_->fyk; }
double TForm1::WallLength() const { return data_->wallLength; }
double TForm1::PileLength() const { return data_->pileLength; }
const cr::Catalogue& TForm1::Catalogue() const { return data_->cat; }
const cr::CurrentSection& TForm1::Section() const { return data_->section; }
const cr::SafetyFactors& TForm1::SafetyFactors() const { return data_->sf; }
const cr::Losses& TForm1::Losses() const { return data_->losses; }
int16_t TForm1::ServiceLife() const { return data_->serviceLife; }

std::vector<int32_t> TForm1::ListedSections() const
{
    return std::vector<int32_t>(data_->listIndexMap.begin(), data_->listIndexMap.begin() + data_->listLines);
}

int TForm1::SelectedSection() const
{
    const int line = LB_SSP->currentRow();
    if (line < 0 || line >= data_->listLines)
        return -1;
    return data_->listIndexMap[static_cast<size_t>(line)];
}

} // namespace rv
