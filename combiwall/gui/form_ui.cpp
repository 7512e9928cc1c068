// The components of the main form and their places.
#include "calcframe/gui/controls.h"
#include "calcframe/gui/frame.h"
#include "calcframe/gui/radiogroup.h"
#include "calcframe/gui/statusbar.h"
#include "combiwall/gui/form.h"
#include "combiwall/safety.h"

#include <QAction>
#include <QComboBox>
#include <QFont>
#include <QFrame>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QTabWidget>
#include <QTableWidget>

namespace cw {

using cf::MakeAction;
using cf::MakeCombo;
using cf::MakeEdit;
using cf::MakeGroup;
using cf::MakeLabel;
using cf::MakeRadio;
using cf::MakeResult;

namespace {

QStringList Items(const std::array<const char*, 4>& items)
{
    QStringList l;
    for (const char* i : items)
        l << QString::fromLatin1(i);
    return l;
}

} // namespace

void TForm1::BuildMenus()
{
    QMenuBar* bar = menuBar();
    const cf::FileMenu file = cf::AddFileMenu(bar);
    MenuFile = file.menu;
    MenuPrint = file.print;
    MenuPrintToFile = file.printToFile;
    MenuClose = file.close;
    const cf::UnitsMenu units = cf::AddUnitsMenu(bar);
    MenuUnits = units.menu;
    MenuMetric = units.metric;
    MenuImperial = units.imperial;

    MenuSearchOptions = bar->addMenu(QStringLiteral("&Search Options"));
    MenuSearchOptions->setObjectName(QStringLiteral("MenuSearchOptions"));
    MenuSelectCombination = MakeAction(MenuSearchOptions, "MenuSelectCombination",
                                       QStringLiteral("&Select WQ/KX Combination"), true);
    MenuSelectSfmin = MakeAction(MenuSearchOptions, "MenuSelectSfmin", QStringLiteral("S&elect Sfmin"), true);
    cf::MakeRadioItems(MenuSelectCombination, MenuSelectSfmin);
    MenuSearchOptions->addSeparator();
    MenuSelectWallLength = MakeAction(MenuSearchOptions, "MenuSelectWallLength",
                                      QStringLiteral("Select &Wall Length"), true);
    MenuSelectNumberOfSystems = MakeAction(MenuSearchOptions, "MenuSelectNumberOfSystems",
                                           QStringLiteral("Select &Number Of Systems"), true);
    cf::MakeRadioItems(MenuSelectWallLength, MenuSelectNumberOfSystems);
    MenuSelectWallLength->setEnabled(false);
    MenuSelectNumberOfSystems->setEnabled(false);
    MenuWQCatalogue = MakeAction(MenuSearchOptions, "MenuWQCatalogue", QStringLiteral("WQ/KX From Catalogue"), true);
    MenuWQOwn = MakeAction(MenuSearchOptions, "MenuWQOwn", QStringLiteral("Build your WQ/KX"), true);
    cf::MakeRadioItems(MenuWQCatalogue, MenuWQOwn);
    MenuWQCatalogue->setVisible(false);
    MenuWQOwn->setVisible(false);

    const cf::HelpMenu help = cf::AddHelpMenu(bar);
    MenuHelp = help.menu;
    MenuAbout = help.about;
}

void TForm1::BuildCatalogueTab()
{
    QWidget* t = TabSheetKestrane;

    GB_Input = MakeGroup(t, "GB_Input", QStringLiteral("  Loads  "), 8, 6, 310, 112);
    MakeLabel(GB_Input, "Lbl_Moment", QStringLiteral("M :"), 10, 26, 30);
    MakeLabel(GB_Input, "Lbl_Load", QStringLiteral("N :"), 10, 54, 30);
    MakeLabel(GB_Input, "Lbl_Deflection", QStringLiteral("f :"), 10, 82, 30);
    Edit_Moment = MakeEdit(GB_Input, "Edit_Moment", QStringLiteral("0"), 44, 22, 110);
    Edit_Load = MakeEdit(GB_Input, "Edit_Load", QStringLiteral("0"), 44, 50, 110);
    Edit_Deflection = MakeEdit(GB_Input, "Edit_Deflection", QStringLiteral("0"), 44, 78, 110);
    Lbl_MomentUnit = MakeLabel(GB_Input, "Lbl_MomentUnit", QStringLiteral("kNm/m"), 162, 26, 90);
    Lbl_LoadUnit = MakeLabel(GB_Input, "Lbl_LoadUnit", QStringLiteral("kN/m"), 162, 54, 90);
    Lbl_DeflectionUnit = MakeLabel(GB_Input, "Lbl_DeflectionUnit", QStringLiteral("cm"), 162, 82, 90);
    Edit_Moment->setToolTip(QStringLiteral(" Bending moment M "));
    Edit_Load->setToolTip(QStringLiteral(" Compression load N "));
    Edit_Deflection->setToolTip(QStringLiteral(" Deflection f "));

    GB_SteelGrades = MakeGroup(t, "GB_SteelGrades",
                               QStringLiteral(" Steel Grades                                       fyk (MPa) "), 8,
                               124, 310, 112);
    MakeLabel(GB_SteelGrades, "Lbl_GradeWQ", QStringLiteral("WQ"), 10, 26, 60);
    MakeLabel(GB_SteelGrades, "Lbl_GradeNJVB", QStringLiteral("NJ / VB"), 10, 54, 60);
    MakeLabel(GB_SteelGrades, "Lbl_GradeKX", QStringLiteral("KX"), 10, 82, 60);
    CB_SteelGradesWQ = MakeCombo(GB_SteelGrades, "CB_SteelGradesWQ", 76, 22, 220);
    CB_SteelGradesNJVB = MakeCombo(GB_SteelGrades, "CB_SteelGradesNJVB", 76, 50, 220);
    Bevel1 = new QFrame(GB_SteelGrades);
    Bevel1->setObjectName(QStringLiteral("Bevel1"));
    Bevel1->setFrameShape(QFrame::Box);
    Bevel1->setFrameShadow(QFrame::Sunken);
    Bevel1->setGeometry(74, 76, 224, 28);
    CB_SteelGradesKX = MakeCombo(GB_SteelGrades, "CB_SteelGradesKX", 76, 78, 220);

    RG_IntermediarySSP = MakeRadio(t, "RG_IntermediarySSP", QStringLiteral(" Sheet piles  "),
                                   Items(kGroupItems),
                                   8, 242, 152, 112);
    RG_WQPiles = MakeRadio(t, "RG_WQPiles", QStringLiteral(" King piles  "),
                           Items(kKingPileItems),
                           166, 242, 152, 112);

    GB_WQKX = MakeGroup(t, "GB_WQKX", QStringLiteral("   WQ / KX Comb.            Sx (cm³/m)  "), 326, 6, 262, 348);
    LB_WQKX = new QListWidget(GB_WQKX);
    LB_WQKX->setObjectName(QStringLiteral("LB_WQKX"));
    LB_WQKX->setGeometry(8, 20, 246, 320);
    QFont mono(QStringLiteral("Courier New"));
    mono.setStyleHint(QFont::Monospace);
    mono.setPointSize(9);
    LB_WQKX->setFont(mono);
    LB_WQKX->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    LB_WQKX->setTextElideMode(Qt::ElideNone);
    LB_Empty = new QListWidget(GB_WQKX);
    LB_Empty->setObjectName(QStringLiteral("LB_Empty"));
    LB_Empty->setGeometry(LB_WQKX->geometry());
    LB_Empty->hide();

    GB_SafetyFactors = MakeGroup(t, "GB_SafetyFactors", QStringLiteral("  Safety Factors  "), 8, 360, 310, 112);
    GB_SafetyFactors->setToolTip(QString::fromLatin1(kSafetyFactorHint));
    MakeLabel(GB_SafetyFactors, "Lbl_SfWQ", QStringLiteral("Sf (WQ) :"), 10, 26, 110);
    MakeLabel(GB_SafetyFactors, "Lbl_SfNJVB", QStringLiteral("Sf (NJ/VB) :"), 10, 54, 110);
    MakeLabel(GB_SafetyFactors, "Lbl_SfKX", QStringLiteral("Sf (KX) :"), 10, 82, 110);
    Lbl_WQResult = MakeResult(GB_SafetyFactors, "Lbl_WQResult", 198, 24, 90);
    Lbl_NJVBResult = MakeResult(GB_SafetyFactors, "Lbl_NJVBResult", 198, 52, 90);
    Lbl_KXResult = MakeResult(GB_SafetyFactors, "Lbl_KXResult", 198, 80, 90);

    GB_Sfmin = MakeGroup(t, "GB_Sfmin", QStringLiteral("  Minimum Sf  "), 326, 360, 262, 50);
    Lbl_SfminResult = MakeResult(GB_Sfmin, "Lbl_SfminResult", 150, 24, 90);
    Edit_Sfmin = MakeEdit(GB_Sfmin, "Edit_Sfmin", cf::Fixed(1.5, 2), 10, 22, 70);
    Lbl_Sf_Text = MakeLabel(GB_Sfmin, "Lbl_Sf_Text", QStringLiteral("=< Sf =<"), 90, 26, 70);
    Lbl_Sf_Text->setAlignment(Qt::AlignCenter);
    Edit_SfMax = MakeEdit(GB_Sfmin, "Edit_SfMax", cf::Fixed(10, 2), 170, 22, 70);
    Edit_Sfmin->hide();
    Edit_SfMax->hide();

    // Two lines below the caption line.
    GB_Weight = MakeGroup(t, "GB_Weight", QStringLiteral(" Weight (kg/m²) "), 326, 414, 262, 58);
    Lbl_Weight_A = MakeLabel(GB_Weight, "Lbl_Weight_A", QStringLiteral("l(KX) / l(WQ) = 60% :"), 6, 21, 140);
    Lbl_Weight_60 = MakeLabel(GB_Weight, "Lbl_Weight_60", QString(), 150, 21, 90);
    Lbl_Weight_B = MakeLabel(GB_Weight, "Lbl_Weight_B", QStringLiteral("l(KX) / l(WQ) = 100% :"), 6, 37, 140);
    Lbl_Weight_100 = MakeLabel(GB_Weight, "Lbl_Weight_100", QString(), 150, 37, 90);
    Lbl_Weight_WQ = MakeLabel(GB_Weight, "Lbl_Weight_WQ", QStringLiteral("WQ C1/C23"), 6, 29, 234);
    Lbl_Weight_60->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Lbl_Weight_100->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Lbl_Weight_WQ->setAlignment(Qt::AlignCenter);
    Lbl_Weight_WQ->hide();
}

void TForm1::BuildMaterialListTab()
{
    QWidget* t = TabSheetMaterialList;
    Lbl_WQCombination = MakeLabel(t, "Lbl_WQCombination", QString(), 8, 8, 580, 20);
    QFont bold = Lbl_WQCombination->font();
    bold.setBold(true);
    bold.setPointSize(bold.pointSize() + 2);
    Lbl_WQCombination->setFont(bold);
    Lbl_WQCombination->setAlignment(Qt::AlignCenter);

    MaterialList = new QTableWidget(9, 8, t);
    MaterialList->setObjectName(QStringLiteral("MaterialList"));
    MaterialList->setGeometry(8, 34, 580, 222);
    MaterialList->horizontalHeader()->hide();
    MaterialList->verticalHeader()->hide();
    MaterialList->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    MaterialList->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    MaterialList->setFocusPolicy(Qt::NoFocus);
    MaterialList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    MaterialList->setSelectionMode(QAbstractItemView::NoSelection);
    // Small enough that the headers fit the narrow columns.
    MaterialList->setFont(QFont(QStringLiteral("Arial"), 8));

    GB_LengthWQKX = MakeGroup(t, "GB_LengthWQKX", QStringLiteral("  Length of elements  "), 8, 264, 310, 140);
    Lbl_LengthWQ = MakeLabel(GB_LengthWQKX, "Lbl_LengthWQ", QStringLiteral("WQ"), 10, 26, 80);
    Lbl_LengthNJ = MakeLabel(GB_LengthWQKX, "Lbl_LengthNJ", QStringLiteral("NJD / NJU"), 10, 54, 80);
    Lbl_LengthVB = MakeLabel(GB_LengthWQKX, "Lbl_LengthVB", QStringLiteral("VB"), 10, 82, 80);
    Lbl_LengthKX = MakeLabel(GB_LengthWQKX, "Lbl_LengthKX", QStringLiteral("KX"), 10, 110, 80);
    Edit_LengthWQ = MakeEdit(GB_LengthWQKX, "Edit_LengthWQ", QStringLiteral("0"), 96, 22, 100);
    Edit_LengthNJ = MakeEdit(GB_LengthWQKX, "Edit_LengthNJ", QStringLiteral("0"), 96, 50, 100);
    Edit_LengthVB = MakeEdit(GB_LengthWQKX, "Edit_LengthVB", QStringLiteral("0"), 96, 78, 100);
    Edit_LengthKX = MakeEdit(GB_LengthWQKX, "Edit_LengthKX", QStringLiteral("0"), 96, 106, 100);
    Lbl_LengthWQUnits = MakeLabel(GB_LengthWQKX, "Lbl_LengthWQUnits", QStringLiteral("m"), 204, 26, 40);
    Lbl_LengthNJUnits = MakeLabel(GB_LengthWQKX, "Lbl_LengthNJUnits", QStringLiteral("m"), 204, 54, 40);
    Lbl_LengthVBUnits = MakeLabel(GB_LengthWQKX, "Lbl_LengthVBUnits", QStringLiteral("m"), 204, 82, 40);
    Lbl_LengthKXUnits = MakeLabel(GB_LengthWQKX, "Lbl_LengthKXUnits", QStringLiteral("m"), 204, 110, 40);
    Edit_LengthNJ->setEnabled(false);
    Edit_LengthKX->setEnabled(false);
    for (QWidget* w : {static_cast<QWidget*>(Edit_LengthVB), static_cast<QWidget*>(Lbl_LengthVB),
                       static_cast<QWidget*>(Lbl_LengthVBUnits)})
        w->hide();

    GroupBox2 = MakeGroup(t, "GroupBox2", QStringLiteral("  Wall Length / Systems  "), 326, 264, 262, 140);
    Lbl_LengthWall = MakeLabel(GroupBox2, "Lbl_LengthWall", QStringLiteral("&Wall Length :"), 10, 26, 110);
    Lbl_LengthWall->setTextFormat(Qt::AutoText);
    Edit_LengthWall = MakeEdit(GroupBox2, "Edit_LengthWall", QStringLiteral("0"), 124, 22, 90);
    Lbl_LengthWall->setBuddy(Edit_LengthWall);
    Lbl_LengthWallUnits = MakeLabel(GroupBox2, "Lbl_LengthWallUnits", QStringLiteral("m"), 220, 26, 36);
    Lbl_NbOfSystems = MakeLabel(GroupBox2, "Lbl_NbOfSystems", QStringLiteral("&Nb Of Systems :"), 10, 54, 110);
    Lbl_NbOfSystems->setTextFormat(Qt::AutoText);
    Edit_NbOfSystems = MakeEdit(GroupBox2, "Edit_NbOfSystems", QStringLiteral("0"), 124, 50, 90);
    Lbl_NbOfSystems->setBuddy(Edit_NbOfSystems);
    Edit_NbOfSystems->setEnabled(false);
    Lbl_LengthTotalWall = MakeLabel(GroupBox2, "Lbl_LengthTotalWall", QStringLiteral("Total Wall Length :"), 10,
                                    94, 110);
    Lbl_LengthTotalWallResults = MakeLabel(GroupBox2, "Lbl_LengthTotalWallResults", QStringLiteral("0"), 124, 94, 90);
    Lbl_LengthTotalWallResults->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Lbl_LengthTotalWallUnits = MakeLabel(GroupBox2, "Lbl_LengthTotalWallUnits", QStringLiteral("m"), 220, 94, 36);
}

void TForm1::BuildBuiltUpTab()
{
    QWidget* t = TabSheetKestrane_Own;
    RG_WQ_Own = MakeRadio(t, "RG_WQ_Own", QStringLiteral(" WQ "),
                          {QStringLiteral(" 575"), QStringLiteral(" 775"), QStringLiteral(" 975")}, 8, 6, 96, 112);
    RG_WQ_Thick_Own = MakeRadio(t, "RG_WQ_Thick_Own", QStringLiteral(" Thick."),
                                {QStringLiteral(" A"), QStringLiteral(" B"), QStringLiteral(" C"), QStringLiteral(" D")},
                                110, 6, 96, 112);
    RG_WQ_Comb_Own = MakeRadio(t, "RG_WQ_Comb_Own", QStringLiteral("Solution "),
                               {QStringLiteral("12"), QStringLiteral("14"), QStringLiteral("24"), QStringLiteral("26")},
                               212, 6, 106, 112);
    RG_Intermediary_Own = MakeRadio(t, "RG_Intermediary_Own", QStringLiteral("  Intermediary Sheet Piles  "), {}, 326,
                                    6, 262, 112);

    GB_Input_Own = MakeGroup(t, "GB_Input_Own", QStringLiteral("  Loads  "), 8, 124, 310, 112);
    MakeLabel(GB_Input_Own, "Lbl_Moment_Own", QStringLiteral("M :"), 10, 26, 30);
    MakeLabel(GB_Input_Own, "Lbl_Load_Own", QStringLiteral("N :"), 10, 54, 30);
    MakeLabel(GB_Input_Own, "Lbl_Deflection_Own", QStringLiteral("f :"), 10, 82, 30);
    Edit_Moment_Own = MakeEdit(GB_Input_Own, "Edit_Moment_Own", QStringLiteral("0"), 44, 22, 110);
    Edit_Load_Own = MakeEdit(GB_Input_Own, "Edit_Load_Own", QStringLiteral("0"), 44, 50, 110);
    Edit_Deflection_Own = MakeEdit(GB_Input_Own, "Edit_Deflection_Own", QStringLiteral("0"), 44, 78, 110);
    Lbl_MomentUnit_Own = MakeLabel(GB_Input_Own, "Lbl_MomentUnit_Own", QStringLiteral("kNm/m"), 162, 26, 90);
    Lbl_LoadUnit_Own = MakeLabel(GB_Input_Own, "Lbl_LoadUnit_Own", QStringLiteral("kN/m"), 162, 54, 90);
    Lbl_DeflectionUnit_Own = MakeLabel(GB_Input_Own, "Lbl_DeflectionUnit_Own", QStringLiteral("cm"), 162, 82, 90);

    GB_SteelGrades_Own = MakeGroup(t, "GB_SteelGrades_Own",
                                   QStringLiteral(" Steel Grades                                       fyk (MPa) "), 8,
                                   242, 310, 112);
    MakeLabel(GB_SteelGrades_Own, "Lbl_GradeWQ_Own", QStringLiteral("WQ"), 10, 26, 60);
    MakeLabel(GB_SteelGrades_Own, "Lbl_GradeNJVB_Own", QStringLiteral("NJ / VB"), 10, 54, 60);
    MakeLabel(GB_SteelGrades_Own, "Lbl_GradeKX_Own", QStringLiteral("KX"), 10, 82, 60);
    CB_SteelGradesWQ_Own = MakeCombo(GB_SteelGrades_Own, "CB_SteelGradesWQ_Own", 76, 22, 220);
    CB_SteelGradesNJVB_Own = MakeCombo(GB_SteelGrades_Own, "CB_SteelGradesNJVB_Own", 76, 50, 220);
    CB_SteelGradesKX_Own = MakeCombo(GB_SteelGrades_Own, "CB_SteelGradesKX_Own", 76, 78, 220);

    GB_Properties_Own = MakeGroup(t, "GB_Properties_Own", QStringLiteral(" System properties"), 326, 124, 262, 140);
    MakeLabel(GB_Properties_Own, "Lbl_SxWQ_Own", QStringLiteral("Sx (WQ) :"), 10, 26, 90);
    MakeLabel(GB_Properties_Own, "Lbl_SxNJVB_Own", QStringLiteral("Sx (NJ/VB) :"), 10, 54, 90);
    MakeLabel(GB_Properties_Own, "Lbl_IxSystem_Own", QStringLiteral("Ix :"), 10, 82, 90);
    MakeLabel(GB_Properties_Own, "Lbl_AxSystem_Own", QStringLiteral("Ax :"), 10, 110, 90);
    Lbl_SxWQ_Res_Own = MakeResult(GB_Properties_Own, "Lbl_SxWQ_Res_Own", 104, 24, 90);
    Lbl_SxNJVB_Res_Own = MakeResult(GB_Properties_Own, "Lbl_SxNJVB_Res_Own", 104, 52, 90);
    Lbl_IxSystem_Res_Own = MakeResult(GB_Properties_Own, "Lbl_IxSystem_Res_Own", 104, 80, 90);
    Lbl_AxSystem_Res_Own = MakeResult(GB_Properties_Own, "Lbl_AxSystem_Res_Own", 104, 108, 90);
    Lbl_Sx_Units_Own = MakeLabel(GB_Properties_Own, "Lbl_Sx_Units_Own", QStringLiteral("cm³/m"), 200, 26, 56);
    Lbl_Sx_Units_b_Own = MakeLabel(GB_Properties_Own, "Lbl_Sx_Units_b_Own", QStringLiteral("cm³/m"), 200, 54, 56);
    Lbl_Ix_Units_Own = MakeLabel(GB_Properties_Own, "Lbl_Ix_Units_Own", QStringLiteral("cm4/m"), 200, 82, 56);
    Lbl_Ax_Units_Own = MakeLabel(GB_Properties_Own, "Lbl_Ax_Units_Own", QStringLiteral("cm²/m"), 200, 110, 56);

    GB_SF_Own = MakeGroup(t, "GB_SF_Own", QStringLiteral("  Safety Factors  "), 326, 270, 262, 140);
    GB_SF_Own->setToolTip(QString::fromLatin1(kSafetyFactorHint));
    MakeLabel(GB_SF_Own, "Lbl_SfWQ_Own", QStringLiteral("Sf (WQ) :"), 10, 26, 110);
    MakeLabel(GB_SF_Own, "Lbl_SfNJVB_Own", QStringLiteral("Sf (NJ/VB) :"), 10, 54, 110);
    MakeLabel(GB_SF_Own, "Lbl_SfKX_Own", QStringLiteral("Sf (KX) :"), 10, 82, 110);
    MakeLabel(GB_SF_Own, "Lbl_SfMinimum_Own", QStringLiteral("Minimum Sf :"), 10, 110, 110);
    Lbl_SfWQResult_Own = MakeResult(GB_SF_Own, "Lbl_SfWQResult_Own", 150, 24, 90);
    Lbl_SfNJVBResult_Own = MakeResult(GB_SF_Own, "Lbl_SfNJVBResult_Own", 150, 52, 90);
    Lbl_SfKXResult_Own = MakeResult(GB_SF_Own, "Lbl_SfKXResult_Own", 150, 80, 90);
    Lbl_SfMin_Own = MakeResult(GB_SF_Own, "Lbl_SfMin_Own", 150, 108, 90);

    auto* weight = MakeGroup(t, "GB_Weight_Own", QStringLiteral(" Weight "), 8, 360, 310, 60);
    MakeLabel(weight, "Lbl_Weight_A_Own", QStringLiteral("mass, KX=60% :"), 10, 21, 110);
    MakeLabel(weight, "Lbl_Weight_B_Own", QStringLiteral("mass, KX=100% :"), 10, 38, 110);
    Lbl_Weight_60_Own = MakeLabel(weight, "Lbl_Weight_60_Own", QString(), 120, 21, 70);
    Lbl_Weight_100_Own = MakeLabel(weight, "Lbl_Weight_100_Own", QString(), 120, 38, 70);
    Lbl_Weight_60_Own->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Lbl_Weight_100_Own->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Lbl_g_Units_Own = MakeLabel(weight, "Lbl_g_Units_Own", QStringLiteral("kg/m²"), 196, 21, 56);
    Lbl_g_Units_b_Own = MakeLabel(weight, "Lbl_g_Units_b_Own", QStringLiteral("kg/m²"), 196, 38, 56);
}

} // namespace cw
