// The components of the main form and their places.
#include "calcframe/gui/controls.h"
#include "calcframe/gui/frame.h"
#include "calcframe/gui/radiogroup.h"
#include "corrosion/gui/form.h"

#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableWidget>

namespace rv {

using cf::MakeAction;
using cf::MakeCombo;
using cf::MakeEdit;
using cf::MakeGroup;
using cf::MakeLabel;
using cf::MakeRadio;
using cf::MakeResult;

namespace {

QLabel* MakeValue(QWidget* parent, const char* name, int x, int y, int w)
{
    QLabel* l = MakeLabel(parent, name, QString(), x, y, w);
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return l;
}

} // namespace

void TForm1::BuildMenus()
{
    MainMenu = menuBar();
    MainMenu->setObjectName(QStringLiteral("MainMenu"));
    QMenuBar* bar = MainMenu;
    const cf::FileMenu file = cf::AddFileMenu(bar);
    MenuFile = file.menu;
    MenuPrint = file.print;
    MenuPrintToFile = file.printToFile;
    MenuClose = file.close;
    const cf::UnitsMenu units = cf::AddUnitsMenu(bar);
    MenuUnits = units.menu;
    MenuMetric = units.metric;
    MenuImperial = units.imperial;

    MenuSearchOption = bar->addMenu(QStringLiteral("&Options"));
    MenuSearchOption->setObjectName(QStringLiteral("MenuSearchOption"));
    MenuSelectSection = MakeAction(MenuSearchOption, "MenuSelectSection", QStringLiteral("&Select section "), true);
    MenuSelectSfmin = MakeAction(MenuSearchOption, "MenuSelectSfmin", QStringLiteral("S&elect Sfmin"), true);
    cf::MakeRadioItems(MenuSelectSection, MenuSelectSfmin);
    MenuSearchOption->addSeparator()->setObjectName(QStringLiteral("Separator1"));
    MenuEC3Rates = MakeAction(MenuSearchOption, "MenuEC3Rates", QStringLiteral("&EuroCode 3 rates"), true);
    MenuProjectRates = MakeAction(MenuSearchOption, "MenuProjectRates", QStringLiteral("&Project specific rates"), true);
    cf::MakeRadioItems(MenuEC3Rates, MenuProjectRates, false);
    MenuEC3Rates->setEnabled(false);
    MenuProjectRates->setEnabled(false);

    const cf::HelpMenu help = cf::AddHelpMenu(bar);
    MenuHelp = help.menu;
    MenuAbout = help.about;
}

void TForm1::BuildInputTab()
{
    QWidget* t = TabSheetInput;

    // Left column: loads, grade, family, safety factors, quantities.
    GB_Input = MakeGroup(t, "GB_Input", QStringLiteral(" Loads "), 4, 2, 176, 92);
    MakeLabel(GB_Input, "Lbl_Moment", QStringLiteral("M :"), 8, 20, 22);
    MakeLabel(GB_Input, "Lbl_Load", QStringLiteral("N :"), 8, 44, 22);
    MakeLabel(GB_Input, "Lbl_Deflection", QStringLiteral("f :"), 8, 68, 22);
    Edit_Moment = MakeEdit(GB_Input, "Edit_Moment", QStringLiteral("0"), 30, 18, 72, 21);
    Edit_Load = MakeEdit(GB_Input, "Edit_Load", QStringLiteral("0"), 30, 42, 72, 21);
    Edit_Deflection = MakeEdit(GB_Input, "Edit_Deflection", QStringLiteral("0"), 30, 66, 72, 21);
    Lbl_MomentUnit = MakeLabel(GB_Input, "Lbl_MomentUnit", QStringLiteral("kNm/m"), 106, 20, 66);
    Lbl_LoadUnit = MakeLabel(GB_Input, "Lbl_LoadUnit", QStringLiteral("kN/m"), 106, 44, 66);
    Lbl_DeflectionUnit = MakeLabel(GB_Input, "Lbl_DeflectionUnit", QStringLiteral("cm"), 106, 68, 66);
    Edit_Moment->setToolTip(QStringLiteral(" Bending moment M "));
    Edit_Load->setToolTip(QStringLiteral(" Compression load N "));
    Edit_Deflection->setToolTip(QStringLiteral(" Deflection f "));

    GB_SteelGrades = MakeGroup(t, "GB_SteelGrades", QStringLiteral(" Steel Grades      fyk (MPa) "), 4, 97, 176, 48);
    CB_SteelGrades = MakeCombo(GB_SteelGrades, "CB_SteelGrades", 8, 18, 160, 22);

    RG_SSP = MakeRadio(t, "RG_SSP", QStringLiteral(" Sheet piles  "),
                       {QStringLiteral(" ALL"), QStringLiteral(" KX"), QStringLiteral(" FY"), QStringLiteral(" GV")}, 4,
                       148, 176, 62);
    RG_SSP->SetColumns(2);

    GB_Sfmin = MakeGroup(t, "GB_Sfmin", QStringLiteral("  Safety factors Sf  "), 4, 213, 176, 72);
    GB_Sfmin->setToolTip(QStringLiteral("Sf = fyk / ((M + N * f) / Sx + N / Ax)"));
    Lbl_SfIni = MakeLabel(GB_Sfmin, "Lbl_SfIni", QStringLiteral("Sf,ini = "), 8, 21, 70);
    Lbl_Sf_Result = MakeResult(GB_Sfmin, "Lbl_Sf_Result", 90, 20, 76);
    Edit_Sfmin = MakeEdit(GB_Sfmin, "Edit_Sfmin", cf::Fixed(1.5, 2), 8, 18, 44, 21);
    Lbl_Sf_Text = MakeLabel(GB_Sfmin, "Lbl_Sf_Text", QStringLiteral("=< Sf,red =<"), 54, 20, 68);
    Lbl_Sf_Text->setAlignment(Qt::AlignCenter);
    Edit_SfMax = MakeEdit(GB_Sfmin, "Edit_SfMax", cf::Fixed(20, 2), 124, 18, 44, 21);
    Lbl_SFRed = MakeLabel(GB_Sfmin, "Lbl_SFRed", QStringLiteral(" Sf,red = "), 8, 47, 70);
    Lbl_SFRedResult = MakeResult(GB_Sfmin, "Lbl_SFRedResult", 90, 46, 76);
    QFont bold = Lbl_SFRedResult->font();
    bold.setBold(true);
    Lbl_SFRedResult->setFont(bold);
    Lbl_Sf_Text->hide();
    Edit_Sfmin->hide();
    Edit_SfMax->hide();

    GB_SteelQuantity = MakeGroup(t, "GB_SteelQuantity", QStringLiteral(" Steel quantities "), 4, 288, 176, 157);
    MakeLabel(GB_SteelQuantity, "Lbl_WallLength", QStringLiteral("Wall length"), 8, 20, 62);
    Edit_WallLength = MakeEdit(GB_SteelQuantity, "Edit_WallLength", cf::Fixed(0, 1), 70, 18, 60, 21);
    Lbl_Wall_Units = MakeLabel(GB_SteelQuantity, "Lbl_Wall_Units", QStringLiteral("m"), 131, 20, 42);
    MakeLabel(GB_SteelQuantity, "Lbl_SSPLength", QStringLiteral("SSP length"), 8, 44, 62);
    Edit_SSPLength = MakeEdit(GB_SteelQuantity, "Edit_SSPLength", cf::Fixed(0, 2), 70, 42, 60, 21);
    Lbl_SSP_Units = MakeLabel(GB_SteelQuantity, "Lbl_SSP_Units", QStringLiteral("m"), 131, 44, 42);
    MakeLabel(GB_SteelQuantity, "Lbl_SSP", QStringLiteral("SSP pairs :"), 8, 74, 62);
    Lbl_SSP_Result = MakeValue(GB_SteelQuantity, "Lbl_SSP_Result", 62, 74, 60);
    MakeLabel(GB_SteelQuantity, "Lbl_WallLength2", QStringLiteral("Wall length :"), 8, 96, 62);
    Lbl_WallLength_Result = MakeValue(GB_SteelQuantity, "Lbl_WallLength_Result", 62, 96, 60);
    Lbl_WallLength_Units = MakeLabel(GB_SteelQuantity, "Lbl_WallLength_Units", QStringLiteral("m"), 131, 96, 42);
    MakeLabel(GB_SteelQuantity, "Lbl_Total", QStringLiteral("Total :"), 8, 116, 62);
    Lbl_Total_Result = MakeValue(GB_SteelQuantity, "Lbl_Total_Result", 62, 116, 60);
    Lbl_Total_Units = MakeLabel(GB_SteelQuantity, "Lbl_Total_Units", QStringLiteral("metric t"), 131, 116, 42);
    MakeLabel(GB_SteelQuantity, "Lbl_Weight", QStringLiteral("Weight :"), 8, 136, 62);
    Lbl_Weight_Result = MakeValue(GB_SteelQuantity, "Lbl_Weight_Result", 62, 136, 60);
    Lbl_Weight_Units = MakeLabel(GB_SteelQuantity, "Lbl_Weight_Units", QStringLiteral("kg/m²"), 131, 136, 42);

    // Middle column: the section list.
    GB_SSP = MakeGroup(t, "GB_SSP", QStringLiteral(" SSP section    Sx,ini (cm³/m) "), 184, 2, 184, 295);
    LB_SSP = new QListWidget(GB_SSP);
    LB_SSP->setObjectName(QStringLiteral("LB_SSP"));
    LB_SSP->setGeometry(6, 18, 172, 270);
    LB_SSP->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    LB_SSP->setTextElideMode(Qt::ElideNone);

    // Right column: service life, protection, splash zone, reduced properties.
    GB_ServiceLife = MakeGroup(t, "GB_ServiceLife", QStringLiteral(" Service Life (years) "), 372, 2, 187, 46);
    CB_ServiceLife = MakeCombo(GB_ServiceLife, "CB_ServiceLife", 8, 18, 80, 22);
    CB_ServiceLife->addItem(QStringLiteral(" 0"));

    GB_Protection = MakeGroup(t, "GB_Protection", QStringLiteral(" Protection (years) "), 372, 51, 187, 68);
    GB_Protection->setToolTip(QStringLiteral(" Coating / cathodic protection "));
    MakeLabel(GB_Protection, "Lbl_Protection_Front", QStringLiteral("Front :"), 8, 20, 48);
    MakeLabel(GB_Protection, "Lbl_Protection_Back", QStringLiteral("Back :"), 8, 44, 48);
    CB_Protection_Front = MakeCombo(GB_Protection, "CB_Protection_Front", 60, 18, 80, 22);
    CB_Protection_Back = MakeCombo(GB_Protection, "CB_Protection_Back", 60, 41, 80, 22);
    for (QComboBox* c : {CB_Protection_Front, CB_Protection_Back}) {
        c->addItem(QStringLiteral(" 0"));
        c->setToolTip(QStringLiteral(" Coating / cathodic protection "));
    }

    RG_A690 = MakeRadio(t, "RG_A690", QStringLiteral(" A 690, splash zone red. factor "),
                        {QStringLiteral(" 0"), QStringLiteral(" 2"), QStringLiteral(" 3")}, 372, 122, 187, 42);
    RG_A690->SetColumns(3);
    RG_A690->setEnabled(false);

    GB_Red_Properties = MakeGroup(t, "GB_Red_Properties", QStringLiteral(" Reduced properties "), 372, 167, 187, 130);
    struct RedRow {
        const char* caption;
        const char* name1;
        const char* name2;
        const char* name3;
        QLabel** value;
        QLabel** unit;
        const char* unitText;
    };
    const RedRow rows[] = {
        {"Sx,red :", "Lbl_Red_Sx1", "Lbl_Red_Sx2", "Lbl_Red_Sx3", &Lbl_Red_Sx2, &Lbl_Red_Sx3, "cm³/m"},
        {"Ax,red :", "Lbl_Red_Ax1", "Lbl_Red_Ax2", "Lbl_Red_Ax3", &Lbl_Red_Ax2, &Lbl_Red_Ax3, "cm²/m"},
        {"Ix,red :", "Lbl_Red_Ix1", "Lbl_Red_Ix2", "Lbl_Red_Ix3", &Lbl_Red_Ix2, &Lbl_Red_Ix3, "cm4/m"},
        {"tw,red :", "Lbl_Red_tw1", "Lbl_Red_tw2", "Lbl_Red_tw3", &Lbl_Red_tw2, &Lbl_Red_tw3, "mm"},
        {"tf,red :", "Lbl_Red_tf1", "Lbl_Red_tf2", "Lbl_Red_tf3", &Lbl_Red_tf2, &Lbl_Red_tf3, "mm"},
    };
    int y = 20;
    for (const RedRow& r : rows) {
        MakeLabel(GB_Red_Properties, r.name1, QString::fromLatin1(r.caption), 8, y, 50);
        *r.value = MakeResult(GB_Red_Properties, r.name2, 60, y - 1, 70);
        *r.unit = MakeLabel(GB_Red_Properties, r.name3, QString::fromUtf8(r.unitText), 136, y, 46);
        y += 21;
    }

    // Bottom: the loss summary, front and back side by side.
    GB_Loss_Summary = MakeGroup(t, "GB_Loss_Summary", QStringLiteral(" Loss of steel thickness:    0.00 mm "), 184, 300,
                                375, 145);
    Lbl_Summary_Front1 = MakeLabel(GB_Loss_Summary, "Lbl_Summary_Front1", QStringLiteral(" Front :"), 8, 20, 44);
    Lbl_Summary_Front2 = MakeValue(GB_Loss_Summary, "Lbl_Summary_Front2", 54, 20, 50);
    Lbl_Summary_Front3 = MakeLabel(GB_Loss_Summary, "Lbl_Summary_Front3", QStringLiteral("mm"), 108, 20, 40);
    Lbl_Summary_Front4 = MakeLabel(GB_Loss_Summary, "Lbl_Summary_Front4", QString(), 12, 40, 150, 90);
    Lbl_Summary_Back1 = MakeLabel(GB_Loss_Summary, "Lbl_Summary_Back1", QStringLiteral(" Back :"), 196, 20, 44);
    Lbl_Summary_Back2 = MakeValue(GB_Loss_Summary, "Lbl_Summary_Back2", 242, 20, 50);
    Lbl_Summary_Back3 = MakeLabel(GB_Loss_Summary, "Lbl_Summary_Back3", QStringLiteral("mm"), 296, 20, 40);
    Lbl_Summary_Back4 = MakeLabel(GB_Loss_Summary, "Lbl_Summary_Back4", QString(), 200, 40, 150, 90);
    for (QLabel* l : {Lbl_Summary_Front4, Lbl_Summary_Back4}) {
        l->setWordWrap(true);
        l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        l->setMaximumSize(150, 90);
        l->setMinimumWidth(145);
    }
}

void TForm1::BuildSummaryTab()
{
    QWidget* t = TabSheetSFTable;
    Lbl_SfSummary = MakeLabel(t, "Lbl_SfSummary", QStringLiteral(" Sf,ini >=  1.00 "), 8, 14, 340, 18);
    QFont bold = Lbl_SfSummary->font();
    bold.setBold(true);
    Lbl_SfSummary->setFont(bold);

    GB_Summary_Sf = MakeGroup(t, "GB_Summary_Sf", QString(), 372, 2, 187, 40);
    RB_SummarySfIni = new QRadioButton(QStringLiteral("Sf, in&i"), GB_Summary_Sf);
    RB_SummarySfIni->setObjectName(QStringLiteral("RB_SummarySfIni"));
    RB_SummarySfIni->setGeometry(12, 12, 80, 20);
    RB_SummarySfIni->setChecked(true);
    RB_SummarySfRed = new QRadioButton(QStringLiteral("Sf, &red"), GB_Summary_Sf);
    RB_SummarySfRed->setObjectName(QStringLiteral("RB_SummarySfRed"));
    RB_SummarySfRed->setGeometry(100, 12, 80, 20);
    // The two buttons are checked and unchecked by their handlers.
    RB_SummarySfIni->setAutoExclusive(false);
    RB_SummarySfRed->setAutoExclusive(false);

    SFList = new QTableWidget(t);
    SFList->setObjectName(QStringLiteral("SFList"));
    SFList->setGeometry(4, 48, 555, 369);
    SFList->setMaximumHeight(369);
    SFList->setFocusPolicy(Qt::ClickFocus);
    SFList->setFrameShape(QFrame::Box);
    SFList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    SFList->setSelectionMode(QAbstractItemView::NoSelection);
    SFList->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    SFList->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    SFList->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    SFList->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    SFList->verticalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    SFList->setWordWrap(false);
    SFList->setTextElideMode(Qt::ElideNone);
}

void TForm1::BuildRatesTab()
{
    QWidget* t = TabSheetRates;
    const QStringList environments{QStringLiteral(" atmospheric"), QStringLiteral(" soil"), QStringLiteral(" water")};

    GB_EC3 = MakeGroup(t, "GB_EC3", QStringLiteral(" EuroCode 3, Part 5  (prEN 1993-5, 2003) "), 4, 2, 555, 318);
    // The environment rows high enough for their radio marks; the detail
    // groups below them hold up to five items.
    RG_Front = MakeRadio(GB_EC3, "RG_Front", QStringLiteral(" Front "), environments, 8, 18, 539, 42);
    RG_Front->SetColumns(3);
    RG_Front_Detail = MakeRadio(GB_EC3, "RG_Front_Detail", QStringLiteral(" Chapter 4 "), {}, 8, 60, 539, 101);
    RG_Back = MakeRadio(GB_EC3, "RG_Back", QStringLiteral(" Back "), environments, 8, 163, 539, 42);
    RG_Back->SetColumns(3);
    RG_Back_Detail = MakeRadio(GB_EC3, "RG_Back_Detail", QStringLiteral(" Chapter 4 "), {}, 8, 205, 539, 107);

    // Each value with its unit, and below it the description of the face.
    GB_Project_Rates = MakeGroup(t, "GB_Project_Rates", QStringLiteral(" Project specific "), 4, 324, 555, 118);
    RG_Project_Rates = MakeRadio(GB_Project_Rates, "RG_Project_Rates", QString(),
                                 {QStringLiteral(" rates (mm / year)"), QStringLiteral(" total loss (mm)")}, 8, 18,
                                 150, 60);
    Lbl_Front1 = MakeLabel(GB_Project_Rates, "Lbl_Front1", QStringLiteral(" Front :"), 166, 22, 44);
    Edit_Front = MakeEdit(GB_Project_Rates, "Edit_Front", QStringLiteral("0"), 212, 18, 70, 21);
    Lbl_Front3 = MakeLabel(GB_Project_Rates, "Lbl_Front3", QStringLiteral(" mm / year"), 286, 22, 80);
    Edit_Front_Descr = MakeEdit(GB_Project_Rates, "Edit_Front_Descr", QStringLiteral("describe_environment_front "),
                                212, 42, 335, 21);
    Lbl_Back1 = MakeLabel(GB_Project_Rates, "Lbl_Back1", QStringLiteral(" Back :"), 166, 70, 44);
    Edit_Back = MakeEdit(GB_Project_Rates, "Edit_Back", QStringLiteral("0"), 212, 66, 70, 21);
    Lbl_Back3 = MakeLabel(GB_Project_Rates, "Lbl_Back3", QStringLiteral(" mm / year"), 286, 70, 80);
    Edit_Back_Descr = MakeEdit(GB_Project_Rates, "Edit_Back_Descr", QStringLiteral("describe_environment_back"), 212,
                               90, 335, 21);
    for (QLineEdit* e : {Edit_Front, Edit_Back})
        e->setMaxLength(15);
    for (QLineEdit* e : {Edit_Front_Descr, Edit_Back_Descr}) {
        e->setMaxLength(70);
        e->setAlignment(Qt::AlignLeft);
    }
}

} // namespace rv
