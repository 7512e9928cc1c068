// Kestrane's main form: the catalogue tab with loads, steel grades, the
// combination list and its safety factors; the material list tab; the
// built-up tab; the menus and the two-panel status bar.
#pragma once

#include <QChar>
#include <QMainWindow>
#include <QString>
#include <cstdint>
#include <memory>
#include <vector>

class QAction;
class QCloseEvent;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QTabWidget;
class QTableWidget;

namespace cf {
struct SfFieldOutcome;
class CalcFrame;
class PageSwitch;
class TAboutBox;
class TRadioGroup;
class TStatusBar;
} // namespace cf

namespace sps {
class TPrinter;
} // namespace sps

namespace cw {

struct KestraneData;
struct MaterialTab;
struct ReportState;
class FormLengthView;
class LengthInputs;
class MaterialGrid;

// Where the form finds its files.
struct FormPaths {
    QString dataFolder;   // first place to look for the data file (default: current folder)
    QString settingsPath; // the settings file (default: beside the program, "Kestrane.INI")
};

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
    QWidget* TabSheetKestrane;
    QWidget* TabSheetMaterialList;
    QWidget* TabSheetKestrane_Own;
    cf::TStatusBar* SB1;
    QLineEdit* Edit_VersionInfo;

    QMenu* MenuFile;
    QAction* MenuPrint;
    QAction* MenuPrintToFile;
    QAction* MenuClose;
    QMenu* MenuUnits;
    QAction* MenuMetric;
    QAction* MenuImperial;
    QMenu* MenuSearchOptions;
    QAction* MenuSelectCombination;
    QAction* MenuSelectSfmin;
    QAction* MenuSelectWallLength;
    QAction* MenuSelectNumberOfSystems;
    QAction* MenuWQCatalogue;
    QAction* MenuWQOwn;
    QMenu* MenuHelp;
    QAction* MenuAbout;

    // Catalogue tab.
    QGroupBox* GB_Input;
    QLineEdit* Edit_Moment;
    QLineEdit* Edit_Load;
    QLineEdit* Edit_Deflection;
    QLabel* Lbl_MomentUnit;
    QLabel* Lbl_LoadUnit;
    QLabel* Lbl_DeflectionUnit;
    QGroupBox* GB_SteelGrades;
    QComboBox* CB_SteelGradesWQ;
    QComboBox* CB_SteelGradesNJVB;
    QComboBox* CB_SteelGradesKX;
    QFrame* Bevel1;
    cf::TRadioGroup* RG_IntermediarySSP;
    cf::TRadioGroup* RG_WQPiles;
    QGroupBox* GB_WQKX;
    QListWidget* LB_WQKX;
    QListWidget* LB_Empty;
    QGroupBox* GB_SafetyFactors;
    QLabel* Lbl_WQResult;
    QLabel* Lbl_NJVBResult;
    QLabel* Lbl_KXResult;
    QGroupBox* GB_Sfmin;
    QLabel* Lbl_SfminResult;
    QLineEdit* Edit_Sfmin;
    QLabel* Lbl_Sf_Text;
    QLineEdit* Edit_SfMax;
    QGroupBox* GB_Weight;
    QLabel* Lbl_Weight_A;
    QLabel* Lbl_Weight_B;
    QLabel* Lbl_Weight_60;
    QLabel* Lbl_Weight_100;
    QLabel* Lbl_Weight_WQ;

    // Material list tab.
    QLabel* Lbl_WQCombination;
    QTableWidget* MaterialList;
    QGroupBox* GB_LengthWQKX;
    QLabel* Lbl_LengthWQ;
    QLabel* Lbl_LengthNJ;
    QLabel* Lbl_LengthVB;
    QLabel* Lbl_LengthKX;
    QLineEdit* Edit_LengthWQ;
    QLineEdit* Edit_LengthNJ;
    QLineEdit* Edit_LengthVB;
    QLineEdit* Edit_LengthKX;
    QLabel* Lbl_LengthWQUnits;
    QLabel* Lbl_LengthNJUnits;
    QLabel* Lbl_LengthVBUnits;
    QLabel* Lbl_LengthKXUnits;
    QGroupBox* GroupBox2;
    QLabel* Lbl_LengthWall;
    QLineEdit* Edit_LengthWall;
    QLabel* Lbl_LengthWallUnits;
    QLabel* Lbl_NbOfSystems;
    QLineEdit* Edit_NbOfSystems;
    QLabel* Lbl_LengthTotalWall;
    QLabel* Lbl_LengthTotalWallResults;
    QLabel* Lbl_LengthTotalWallUnits;

    // Built-up tab.
    cf::TRadioGroup* RG_WQ_Own;
    cf::TRadioGroup* RG_WQ_Thick_Own;
    cf::TRadioGroup* RG_WQ_Comb_Own;
    cf::TRadioGroup* RG_Intermediary_Own;
    QGroupBox* GB_Input_Own;
    QLineEdit* Edit_Moment_Own;
    QLineEdit* Edit_Load_Own;
    QLineEdit* Edit_Deflection_Own;
    QLabel* Lbl_MomentUnit_Own;
    QLabel* Lbl_LoadUnit_Own;
    QLabel* Lbl_DeflectionUnit_Own;
    QGroupBox* GB_SteelGrades_Own;
    QComboBox* CB_SteelGradesWQ_Own;
    QComboBox* CB_SteelGradesNJVB_Own;
    QComboBox* CB_SteelGradesKX_Own;
    QGroupBox* GB_Properties_Own;
    QLabel* Lbl_SxWQ_Res_Own;
    QLabel* Lbl_SxNJVB_Res_Own;
    QLabel* Lbl_IxSystem_Res_Own;
    QLabel* Lbl_AxSystem_Res_Own;
    QLabel* Lbl_Sx_Units_Own;
    QLabel* Lbl_Sx_Units_b_Own;
    QLabel* Lbl_Ix_Units_Own;
    QLabel* Lbl_Ax_Units_Own;
    QGroupBox* GB_SF_Own;
    QLabel* Lbl_SfWQResult_Own;
    QLabel* Lbl_SfNJVBResult_Own;
    QLabel* Lbl_SfKXResult_Own;
    QLabel* Lbl_SfMin_Own;
    QLabel* Lbl_Weight_60_Own;
    QLabel* Lbl_Weight_100_Own;
    QLabel* Lbl_g_Units_Own;
    QLabel* Lbl_g_Units_b_Own;

    // --- state read by tests and the other tabs ----------------------------
    bool Metric() const { return metric_; }
    double Moment() const { return M_; }
    double Load() const { return N_; }
    double Deflection() const { return f_; }
    double RequiredSfmin() const;
    double SfMax() const;
    double MinimumSf() const;
    bool WindowSearch() const { return windowSearch_; }
    // Rows of the listed combinations, one per list line.
    std::vector<int32_t> ListedRows() const
    {
        return std::vector<int32_t>(listIndexMap_.begin(), listIndexMap_.begin() + listLines_);
    }
    const KestraneData& Data() const { return *data_; }
    // The catalogue tab's (and the settings') Enabled state.
    bool CatalogueTabEnabled() const;

    // --- handlers ----------------------------------------------------------
    void LoadCatalogueFile();
    void ReadSettings();
    void WriteSettings();
    void FillSteelGrades();
    void ApplySteelGradeSelection(QComboBox* changed);
    void CB_SteelGradesWQChange();
    void CB_SteelGradesNJVBChange();
    void CB_SteelGradesKXChange();
    void CB_SteelGradesWQ_OwnChange();
    void CB_SteelGradesNJVB_OwnChange();
    void CB_SteelGradesKX_OwnChange();
    void ShowMetricCaptions();
    void ShowImperialCaptions();
    void MenuMetricClick();
    void MenuImperialClick();
    void MenuUnitsClick();
    void ComputeSafetyFactors();
    void FillCatalogueList(int first, int last);
    void RefreshResults();
    void RG_IntermediarySSPClick();
    void LB_WQKXClick();
    void MenuSelectSfminClick();
    void MenuSelectCombinationClick();
    void TabSheetKestraneShow();
    void TabSheetKestraneExit();
    void PageControl1Change();
    void MenuCloseClick();
    void FormClose(QCloseEvent* ev);
    void MenuAboutClick();
    void TabSheetMaterialListShow();
    void TabSheetMaterialListExit();

    // Material list tab: member lengths, wall length and number of systems.
    void Edit_LengthWQEnter();
    void Edit_LengthNJEnter();
    void Edit_LengthVBEnter();
    void Edit_LengthKXEnter();
    void Edit_LengthWallEnter();
    void Edit_NbOfSystemsEnter();
    void Edit_LengthWQChange();
    void Edit_LengthNJChange();
    void Edit_LengthVBChange();
    void Edit_LengthKXChange();
    void Edit_LengthWallChange();
    void Edit_NbOfSystemsChange();
    void Edit_LengthWQExit();
    void Edit_LengthNJExit();
    void Edit_LengthVBExit();
    void Edit_LengthKXExit();
    void Edit_LengthWallExit();
    void Edit_NbOfSystemsExit();
    void Edit_NbOfSystemsKeyPress(QChar& key);
    void Edit_LengthWQKeyPress(QChar& key);
    void Edit_LengthNJKeyPress(QChar& key);
    void Edit_LengthVBKeyPress(QChar& key);
    void Edit_LengthKXKeyPress(QChar& key);
    void Edit_LengthWallKeyPress(QChar& key);
    void MenuSelectWallLengthClick();
    void MenuSelectNumberOfSystemsClick();
    void LayoutMaterialList();
    void ShowSystemComposition(const QString& name);
    void ComputeMaterialList();

    // Built-up tab and the source of the selected system.
    void FillBuiltUpSheetPiles();
    void ComputeBuiltUpSystem();
    void RG_WQ_OwnClick();
    void RG_WQ_Thick_OwnClick();
    void RG_WQ_Comb_OwnClick();
    void RG_Intermediary_OwnClick();
    void TabSheetKestrane_OwnShow();
    void MenuWQOwnClick();
    void MenuWQCatalogueClick();
    void Edit_Moment_OwnChange();
    void Edit_Load_OwnChange();
    void Edit_Deflection_OwnChange();
    void Edit_Moment_OwnExit();
    void Edit_Load_OwnExit();
    void Edit_Deflection_OwnExit();
    void Edit_Moment_OwnEnter();
    void Edit_Load_OwnEnter();
    void Edit_Deflection_OwnEnter();
    void Edit_Moment_OwnKeyPress(QChar& key);
    void Edit_Load_OwnKeyPress(QChar& key);
    void Edit_Deflection_OwnKeyPress(QChar& key);

    // Report on the printer and in a text file.
    void MenuPrintClick();
    void PrintReport(sps::TPrinter& printer);
    void MenuPrintToFileClick();
    // What both reports show, read from the form.
    ReportState CurrentReportState() const;

    // State of the material list and built-up tabs (tests, report).
    const LengthInputs& Lengths() const;
    const MaterialGrid& Grid() const;
    double IxPerMetre() const;

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
    // Bound to each grade box and its built-up twin.
    void CB_SteelGradesWQEnter();
    void CB_SteelGradesNJVBEnter();
    void CB_SteelGradesKXEnter();
    // Bound to the radio groups of both tabs.
    void RG_IntermediarySSPEnter();

protected:
    void closeEvent(QCloseEvent* ev) override;

private:
    friend class FormLengthView;

    void BuildMenus();
    void BuildCatalogueTab();
    void BuildMaterialListTab();
    void BuildBuiltUpTab();
    void BindHandlers();

    enum class LoadField { Moment, Load, Deflection };
    void LoadEnter(LoadField which);
    void LoadChange(LoadField which);
    QLineEdit* LoadEdit(LoadField which) const;

    void ApplySfOutcome(const cf::SfFieldOutcome& out);
    void ShowGradeSelection();
    void FillGradeBoxes();
    QString CarrySteelGrades();
    void ShowUnitCaptions(bool metric);
    void FinishUnitSwitch();
    void ShowPage(QWidget* page);
    void SetListRow(int row);
    void SetCell(int col, int row, const QString& text);
    void LoadSelectedSystem(int row);
    void ClearSelectedSystem();
    void BindMaterialHandlers();
    void ShowMaterialGrid();
    enum class MirrorField { Moment, Load, Deflection };
    void MirrorChange(MirrorField which);
    void MirrorExit(MirrorField which);
    LengthInputs& LengthState();
    QComboBox* TwinOf(QComboBox* box) const;

    FormPaths paths_;
    std::unique_ptr<KestraneData> data_;
    std::unique_ptr<cf::CalcFrame> frame_;
    cf::TAboutBox* aboutBox_ = nullptr;
    bool settingsWritten_ = false;

    cf::PageSwitch* pages_ = nullptr;

    bool metric_ = false;      // false until the settings are read
    bool windowSearch_ = false; // SearchMode: MenuSelectSfmin checked
    double M_ = 0, N_ = 0, f_ = 0;
    std::vector<int32_t> listIndexMap_;
    int listLines_ = 0; // lines of the list that show a combination

    // Lengths, material list and built-up system.
    std::unique_ptr<MaterialTab> material_;
};

} // namespace cw
