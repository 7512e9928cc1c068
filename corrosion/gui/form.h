// Rovandel's main form: the input tab with loads, grade, section list, service
// life, losses, reduced properties, safety factors and steel quantities; the
// Sf summary tab with its grid; the corrosion rates tab; the menus and the
// two-panel status bar.
#pragma once

#include <QChar>
#include <QMainWindow>
#include <QString>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class QAction;
class QCloseEvent;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QMenuBar;
class QRadioButton;
class QTabWidget;
class QTableWidget;

namespace cf {
struct LimitedField;
struct SfFieldOutcome;
class CalcFrame;
class PageSwitch;
class TAboutBox;
class TRadioGroup;
class TStatusBar;
} // namespace cf

namespace cr {
struct Catalogue;
struct CurrentSection;
struct LossInput;
struct Losses;
struct ReportState;
struct SafetyFactors;
} // namespace cr

namespace sps {
class TPrinter;
} // namespace sps

namespace rv {

struct RovandelData;

// Where the form finds its files.
struct FormPaths {
    QString dataFolder;   // first place to look for the data file (default: current folder)
    QString settingsPath; // the settings file (default: beside the program, "Rovandel.INI")
};

// Size constraints of a description label of the loss summary.
struct LabelConstraints {
    int maxHeight = 90;
    int maxWidth = 150;
    int minWidth = 145;
};
// The design constraints scaled to a screen resolution (pixels per inch).
LabelConstraints ScaledDescriptionConstraints(int pixelsPerInch);

// Sizes of the Sf summary grid for its texts, measured by `width` and with the
// text height of "Mg".
struct SfGridLayout {
    int rowHeight = 0;  // rows 1 and more
    int row0Height = 0;
    int column0Width = 0;
    std::vector<int> columnWidths; // columns 1 and more
    int height = 0;     // of the grid, before its design maximum
    bool scrollBar = false;
};
SfGridLayout LayoutSfGridFor(const std::vector<std::string>& sectionHeads, const std::vector<std::string>& gradeHeads,
                             int pixelsPerInch, int textHeightMg, int clientWidth,
                             const std::function<int(const std::string&)>& width);

class TForm1 : public QMainWindow {
public:
    explicit TForm1(const FormPaths& paths, QWidget* parent = nullptr);
    ~TForm1() override;

    // Reads the data file and the settings and fills the form; raises
    // cf::ProgramEnd when the data file cannot be found or read.
    void FormCreate();
    void SetAboutBox(cf::TAboutBox* box) { aboutBox_ = box; }

    // --- components -------------------------------------------------------
    QTabWidget* PageControl1;
    QWidget* TabSheetInput;
    QWidget* TabSheetSFTable;
    QWidget* TabSheetRates;
    cf::TStatusBar* SB1;
    QLineEdit* Edit1;

    QMenuBar* MainMenu;
    QMenu* MenuFile;
    QAction* MenuPrint;
    QAction* MenuPrintToFile;
    QAction* MenuClose;
    QMenu* MenuUnits;
    QAction* MenuMetric;
    QAction* MenuImperial;
    QMenu* MenuSearchOption;
    QAction* MenuSelectSection;
    QAction* MenuSelectSfmin;
    QAction* MenuEC3Rates;
    QAction* MenuProjectRates;
    QMenu* MenuHelp;
    QAction* MenuAbout;

    // Input tab.
    QGroupBox* GB_Input;
    QLineEdit* Edit_Moment;
    QLineEdit* Edit_Load;
    QLineEdit* Edit_Deflection;
    QLabel* Lbl_MomentUnit;
    QLabel* Lbl_LoadUnit;
    QLabel* Lbl_DeflectionUnit;
    QGroupBox* GB_SteelGrades;
    QComboBox* CB_SteelGrades;
    cf::TRadioGroup* RG_SSP;
    QGroupBox* GB_SSP;
    QListWidget* LB_SSP;
    QGroupBox* GB_ServiceLife;
    QComboBox* CB_ServiceLife;
    QGroupBox* GB_Protection;
    QComboBox* CB_Protection_Front;
    QComboBox* CB_Protection_Back;
    cf::TRadioGroup* RG_A690;
    QGroupBox* GB_Red_Properties;
    QLabel* Lbl_Red_Sx2;
    QLabel* Lbl_Red_Ax2;
    QLabel* Lbl_Red_Ix2;
    QLabel* Lbl_Red_tw2;
    QLabel* Lbl_Red_tf2;
    QLabel* Lbl_Red_Sx3;
    QLabel* Lbl_Red_Ax3;
    QLabel* Lbl_Red_Ix3;
    QLabel* Lbl_Red_tw3;
    QLabel* Lbl_Red_tf3;
    QGroupBox* GB_Loss_Summary;
    QLabel* Lbl_Summary_Front1;
    QLabel* Lbl_Summary_Front2;
    QLabel* Lbl_Summary_Front3;
    QLabel* Lbl_Summary_Front4;
    QLabel* Lbl_Summary_Back1;
    QLabel* Lbl_Summary_Back2;
    QLabel* Lbl_Summary_Back3;
    QLabel* Lbl_Summary_Back4;
    QGroupBox* GB_Sfmin;
    QLabel* Lbl_SfIni;
    QLabel* Lbl_Sf_Result;
    QLabel* Lbl_SFRed;
    QLabel* Lbl_SFRedResult;
    QLabel* Lbl_Sf_Text;
    QLineEdit* Edit_Sfmin;
    QLineEdit* Edit_SfMax;
    QGroupBox* GB_SteelQuantity;
    QLineEdit* Edit_WallLength;
    QLineEdit* Edit_SSPLength;
    QLabel* Lbl_Wall_Units;
    QLabel* Lbl_SSP_Units;
    QLabel* Lbl_SSP_Result;
    QLabel* Lbl_WallLength_Result;
    QLabel* Lbl_WallLength_Units;
    QLabel* Lbl_Total_Result;
    QLabel* Lbl_Total_Units;
    QLabel* Lbl_Weight_Result;
    QLabel* Lbl_Weight_Units;

    // Sf summary tab.
    QLabel* Lbl_SfSummary;
    QTableWidget* SFList;
    QGroupBox* GB_Summary_Sf;
    QRadioButton* RB_SummarySfIni;
    QRadioButton* RB_SummarySfRed;

    // Corrosion rates tab.
    QGroupBox* GB_EC3;
    cf::TRadioGroup* RG_Front;
    cf::TRadioGroup* RG_Front_Detail;
    cf::TRadioGroup* RG_Back;
    cf::TRadioGroup* RG_Back_Detail;
    QGroupBox* GB_Project_Rates;
    cf::TRadioGroup* RG_Project_Rates;
    QLabel* Lbl_Front1;
    QLabel* Lbl_Back1;
    QLineEdit* Edit_Front;
    QLineEdit* Edit_Back;
    QLabel* Lbl_Front3;
    QLabel* Lbl_Back3;
    QLineEdit* Edit_Front_Descr;
    QLineEdit* Edit_Back_Descr;

    // --- state read by tests and the report ---------------------------------
    bool Metric() const { return metric_; }
    bool WindowSearch() const { return windowSearch_; }
    bool ProjectSource() const { return source_ == Source::Project; }
    double Moment() const;
    double Load() const;
    double Deflection() const;
    double SfMin() const;
    double SfMax() const;
    double Fyk() const;
    double WallLength() const;
    double PileLength() const;
    const cr::Catalogue& Catalogue() const;
    const cr::CurrentSection& Section() const;
    const cr::SafetyFactors& SafetyFactors() const;
    const cr::Losses& Losses() const;
    // Sections of the listed lines, one per line.
    std::vector<int32_t> ListedSections() const;
    // The section of the selected line, or -1.
    int SelectedSection() const;
    int16_t ServiceLife() const;

    // --- handlers ----------------------------------------------------------
    void LoadCatalogueFile();
    void ReadSettings();
    void WriteSettings();
    void FillSteelGrades();
    void CarrySteelGrade();
    void CB_SteelGradesChange();
    void CB_SteelGradesEnter();
    void ShowMetricCaptions();
    void ShowImperialCaptions();
    void MenuMetricClick();
    void MenuImperialClick();
    void MenuUnitsClick();

    void ComputeSafetyFactors();
    void RefreshResults();
    void FillCatalogueList(int first, int last);
    void RG_SSPClick();
    void RG_SSPEnter();
    void LB_SSPClick();
    void MenuSelectSfminClick();
    void MenuSelectSectionClick();
    void LayoutSfGrid();
    void FillSfGridColumn(int column, const std::vector<std::string>& cells);
    // Text of a grid cell: row 0 holds the section names, column 0 the grades.
    QString SfGridCell(int column, int row) const;
    void RecomputeSfGrid();
    void ShowSfSummaryCaption();
    void TabSheetSFTableShow();
    void TabSheetSFTableExit();
    void RB_SummarySfIniClick();
    void RB_SummarySfRedClick();

    void TabSheetInputShow();
    void TabSheetInputExit();
    void TabSheetRatesShow();
    void TabSheetRatesExit();
    void PageControl1Change();
    void MenuCloseClick();
    void FormClose(QCloseEvent* ev);
    void MenuAboutClick();

    void Edit_MomentEnter();
    void Edit_LoadEnter();
    void Edit_DeflectionEnter();
    void Edit_MomentChange();
    void Edit_LoadChange();
    void Edit_DeflectionChange();
    void Edit_SfminChange();
    void Edit_SfMaxEnter();
    void Edit_SfMaxChange();
    void Edit_SfMaxExit();

    // The calculator frame's field handlers (key filter, rule A and B on
    // leaving, the enter handlers that set or clear the panels).
    void Edit_MomentKeyPress(QChar& key);
    void Edit_LoadKeyPress(QChar& key);
    void Edit_DeflectionKeyPress(QChar& key);
    void Edit_SfminKeyPress(QChar& key);
    void Edit_SfMaxKeyPress(QChar& key);
    void Edit_MomentExit();
    void Edit_LoadExit();
    void Edit_DeflectionExit();
    void Edit_SfminEnter();
    void Edit_SfminExit();

    void ComputeQuantities();
    void Edit_WallLengthEnter();
    void Edit_WallLengthChange();
    void Edit_WallLengthExit();
    void Edit_WallLengthKeyPress(QChar& key);
    void Edit_SSPLengthEnter();
    void Edit_SSPLengthChange();
    void Edit_SSPLengthExit();
    void Edit_SSPLengthKeyPress(QChar& key);

    // Losses of thickness and reduced properties.
    void FillEnvironmentDetails(cf::TRadioGroup* face);
    void ComputeCodeLosses();
    void ComputeProjectLosses();
    void ApplySplashZoneFactor();
    void ComputeReducedProperties(int section);
    void RG_FrontClick();
    void RG_BackClick();
    void RG_Front_DetailClick();
    void RG_Back_DetailClick();
    void RG_A690Click();
    void RG_Project_RatesClick();
    void CB_ServiceLifeChange();
    void CB_Protection_FrontChange();
    void CB_Protection_BackChange();
    void MenuEC3RatesClick();
    void MenuProjectRatesClick();
    void CheckRateInput(QLineEdit* edit);
    void FormatRateInput(QLineEdit* edit);
    void Edit_FrontEnter();
    void Edit_BackEnter();
    void Edit_FrontChange();
    void Edit_BackChange();
    void Edit_FrontExit();
    void Edit_BackExit();
    void Edit_FrontKeyPress(QChar& key);
    void Edit_BackKeyPress(QChar& key);
    void Edit_Front_DescrChange();
    void Edit_Back_DescrChange();

    // Report on the printer and in a text file.
    void MenuPrintClick();
    void MenuPrintToFileClick();
    // "Printer" prints on `printer`; any other target writes the text file.
    void PrintReport(const std::string& target, sps::TPrinter* printer = nullptr);
    cr::ReportState CurrentReportState() const;

protected:
    void closeEvent(QCloseEvent* ev) override;

private:
    void BuildMenus();
    void BuildInputTab();
    void BuildSummaryTab();
    void BuildRatesTab();
    void BindHandlers();
    void ShowPage(QWidget* page);
    void SetListRow(int row);
    void ShowUnitCaptions(bool metric);
    void FinishUnitSwitch();
    void ApplySfOutcome(const cf::SfFieldOutcome& out);
    void ShowLossSummary();
    // " Loss: front = ... , back = ..." from the summary labels.
    QString LossStatus() const;
    void SetDescription(QLabel* label, const QString& text);
    cr::LossInput CurrentLossInput() const;
    void ScaleDescriptionLabels();
    void CentreDescriptionLabels();
    void ShowSelectionStatus(int section);
    void RewriteRateEdits(bool toMetric);
    void RecomputeLosses();
    void FaceClick(bool front);
    void DetailClick(bool front);
    void ProtectionChange(bool front);
    void StyleButtons(cf::TRadioGroup* group, int environment);
    int FrontEnvironment() const;
    int BackEnvironment() const;
    bool OnPage(const QWidget* page) const;

    enum class Source { None, Code, Project };

    FormPaths paths_;
    std::unique_ptr<RovandelData> data_;
    std::unique_ptr<cf::CalcFrame> frame_;
    cf::TAboutBox* aboutBox_ = nullptr;
    bool settingsWritten_ = false;
    cf::PageSwitch* pages_ = nullptr;

    bool metric_ = false;       // false until the settings are read
    bool windowSearch_ = false; // SearchMode: MenuSelectSfmin checked
    Source source_ = Source::None;
};

} // namespace rv
