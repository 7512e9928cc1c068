// Kestrane's material list tab, built-up tab and reports, driven as a person
// would: typed lengths, menu commands, tab and radio clicks, print and save.
#include "form_fixture.h"

#include "calcframe/gui/frame.h"
#include "calcframe/gui/radiogroup.h"
#include "calcframe/gui/testsupport/clipping.h"
#include "calcframe/gui/testsupport/inputchecks.h"
#include "calcframe/units.h"
#include "combiwall/builtup.h"
#include "combiwall/lengths.h"
#include "combiwall/materiallist.h"
#include "combiwall/report.h"
#include "platform/gui/testsupport/pdftools.h"
#include "platform/gui/printdialog.h"
#include "platform/gui/printer.h"
#include "platform/numtext.h"

#include <QFile>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>

#include <cstdio>
#include <cstdlib>
#include <map>

#include <sys/stat.h>
#include <unistd.h>

namespace {

using cwtest::Kestrane;

QString Q(const std::string& s) { return QString::fromStdString(s); }

void ClickRadio(cf::TRadioGroup* rg, int index)
{
    QRadioButton* b = rg->Button(index);
    QTest::mouseClick(b, Qt::LeftButton, Qt::NoModifier, QPoint(8, b->height() / 2));
}

void ClickTab(cw::TForm1& f, QWidget* page)
{
    QTabBar* bar = f.PageControl1->tabBar();
    QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier, bar->tabRect(f.PageControl1->indexOf(page)).center());
}

QString Cell(const cw::TForm1& f, int col, int row)
{
    QTableWidgetItem* item = f.MaterialList->item(row, col);
    return item ? item->text() : QString();
}

int LineOf(const Kestrane& k, const char* name)
{
    QStringList lines = k.Lines();
    for (int i = 0; i < lines.size(); ++i)
        if (lines[i].startsWith(QStringLiteral(" ") + QString::fromLatin1(name)))
            return i;
    return -1;
}

// The first combination "WQ 575 A-12 / KX 13" (b = 1.85 m) with lengths
// 20 / 18 / 12 m and a wall of 100 m.
void EnterLengths(Kestrane& k)
{
    cw::TForm1& f = *k.form;
    ClickTab(f, f.TabSheetMaterialList);
    k.TypeAndLeave(f.Edit_LengthWQ, QStringLiteral("20"));
    k.TypeAndLeave(f.Edit_LengthNJ, QStringLiteral("18"));
    k.TypeAndLeave(f.Edit_LengthKX, QStringLiteral("12"));
    k.TypeAndLeave(f.Edit_LengthWall, QStringLiteral("100"));
}

} // namespace

TEST(KestraneMaterialList, LengthsAndWallFillTheList)
{
    Kestrane k;
    cw::TForm1& f = *k.form;
    ASSERT_EQ(f.Lbl_WQCombination->text().trimmed(), QStringLiteral("WQ 575 A-12 / KX 13"));
    EXPECT_EQ(Cell(f, 0, 0), QStringLiteral("Sections"));
    EXPECT_EQ(Cell(f, 1, 1), QStringLiteral("kg/m"));
    EXPECT_FALSE(f.Edit_LengthNJ->isEnabled());
    EnterLengths(k);
    EXPECT_EQ(f.Edit_LengthWQ->text(), QStringLiteral("20.00"));
    EXPECT_TRUE(f.Edit_LengthKX->isEnabled());
    EXPECT_TRUE(f.Edit_LengthVB->isHidden()); // a "-12" system
    EXPECT_EQ(f.Edit_LengthWall->text(), QStringLiteral("100.0"));
    EXPECT_EQ(f.Edit_NbOfSystems->text(), QStringLiteral("54")); // 100 / 1.85 = 54.05
    EXPECT_EQ(f.Lbl_LengthTotalWallResults->text(), QStringLiteral("100.4")); // 54 x 1.85 + 0.5

    // The list as the grid holds it, 55 king piles of 20 m of 193.25 kg/m.
    EXPECT_EQ(Cell(f, 0, 2), QStringLiteral(" WQ 575 A"));
    EXPECT_EQ(Cell(f, 1, 2), QStringLiteral("193.25"));
    EXPECT_EQ(Cell(f, 2, 2), QStringLiteral("20.00"));
    EXPECT_EQ(Cell(f, 3, 2), QStringLiteral("3.865"));
    EXPECT_EQ(Cell(f, 5, 2), QStringLiteral("55"));
    EXPECT_EQ(Cell(f, 6, 2), QStringLiteral("212.575"));
    EXPECT_EQ(Cell(f, 0, 7), QStringLiteral(" KX 13"));
    EXPECT_EQ(Cell(f, 5, 7), QStringLiteral("54"));
    for (int r = 0; r < cw::kMaterialRows; ++r)
        for (int c = 0; c < cw::kMaterialColumns; ++c)
            EXPECT_EQ(Cell(f, c, r), Q(f.Grid().Cell(c, r))) << c << "," << r;
    // Weights per area on the catalogue tab: (193.25 + 22 + 24.3 + 158.12) / 1.85.
    EXPECT_EQ(f.Lbl_Weight_100->text(), Q(sps::FormatFixed((193.25 + 22 + 24.3 + 158.12) / 1.85, 1)));
    EXPECT_EQ(f.Lbl_Weight_60->text(), Q(sps::FormatFixed((193.25 + 22 + 24.3 + 0.6 * 158.12) / 1.85, 1)));

    // Too long a king pile: emptied, message, beep, dependants reset.
    k.ClearBeeps();
    k.Type(f.Edit_LengthWQ, QStringLiteral("33.01"));
    EXPECT_EQ(k.Panel(1), QString::fromLatin1(cw::kWQTooLong));
    EXPECT_EQ(k.Beeps(), std::vector<unsigned>{0});
    EXPECT_TRUE(f.Edit_LengthWQ->text().isEmpty());
    EXPECT_FALSE(f.Edit_LengthNJ->isEnabled());
    EXPECT_EQ(f.Edit_LengthNJ->text(), QStringLiteral("0.00"));
    EXPECT_EQ(Cell(f, 3, 2), QStringLiteral("0.000"));
    // Leaving it empty asks for a value and keeps the focus there.
    k.Leave();
    EXPECT_EQ(f.Edit_LengthWQ->text(), QStringLiteral("0.00"));
    EXPECT_EQ(k.Panel(1), QStringLiteral(" Enter a valid value for WQ first."));
    QTest::qWait(5);
    EXPECT_TRUE(f.Edit_LengthWQ->hasFocus());
    // The range hint of the connector field follows the king pile.
    k.TypeAndLeave(f.Edit_LengthWQ, QStringLiteral("15"));
    k.Enter(f.Edit_LengthNJ);
    EXPECT_EQ(k.Panel(0), QStringLiteral(" 0 < Length NJD/NJU =< Length WQ = 15.00 m"));
}

TEST(KestraneMaterialList, AFieldThatTakesTheFocusBackKeepsItsMessage)
{
    Kestrane k;
    cw::TForm1& f = *k.form;
    ClickTab(f, f.TabSheetMaterialList);
    k.Type(f.Edit_LengthWQ, QStringLiteral("33.01"));
    ASSERT_TRUE(f.Edit_LengthWQ->text().isEmpty());
    const QString wall = f.Edit_LengthWall->text();
    // Tab moves on to the wall length field; the king pile field takes the
    // focus back, and the field passed over runs neither enter nor exit.
    QTest::keyClick(f.Edit_LengthWQ, Qt::Key_Tab);
    QTest::qWait(5);
    EXPECT_TRUE(f.Edit_LengthWQ->hasFocus());
    EXPECT_EQ(f.Edit_LengthWQ->text(), QStringLiteral("0.00"));
    EXPECT_EQ(k.Panel(1), QStringLiteral(" Enter a valid value for WQ first."));
    EXPECT_EQ(k.Panel(0), QStringLiteral(" 0 < Length WQ =< 33.00 m"));
    EXPECT_EQ(f.Edit_LengthWall->text(), wall);

    // The same for the wall length left empty: the connector field before it
    // in the tab order is passed over.
    k.TypeAndLeave(f.Edit_LengthWQ, QStringLiteral("20"));
    ASSERT_TRUE(f.Edit_LengthNJ->isEnabled());
    k.Type(f.Edit_LengthWall, QString());
    QTest::keyClick(f.Edit_LengthWall, Qt::Key_Backtab);
    QTest::qWait(5);
    EXPECT_TRUE(f.Edit_LengthWall->hasFocus());
    EXPECT_EQ(f.Edit_LengthWall->text(), QStringLiteral("0.0"));
    EXPECT_EQ(k.Panel(1), QStringLiteral(" Enter a valid value for wall length."));
    EXPECT_EQ(k.Panel(0), QStringLiteral(" 0 < Length wall =< 2000.0 m"));
    // Handlers run again once the focus is back.
    k.Enter(f.Edit_LengthWQ);
    EXPECT_EQ(k.Panel(0), QStringLiteral(" 0 < Length WQ =< 33.00 m"));
}

TEST(KestraneMaterialList, NumberOfSystemsMode)
{
    Kestrane k;
    cw::TForm1& f = *k.form;
    EnterLengths(k);
    EXPECT_TRUE(f.MenuSelectWallLength->isEnabled());
    f.MenuSelectNumberOfSystems->trigger();
    EXPECT_TRUE(f.Edit_NbOfSystems->isEnabled());
    EXPECT_FALSE(f.Edit_LengthWall->isEnabled());
    EXPECT_EQ(f.Edit_NbOfSystems->text(), QStringLiteral("54"));

    k.Enter(f.Edit_NbOfSystems);
    EXPECT_EQ(k.Panel(0), QStringLiteral(" 0 < Number of sytems =< 1081")); // 2000 / 1.85
    k.ClearBeeps();
    QTest::keyClicks(f.Edit_NbOfSystems, QStringLiteral("a"));
    EXPECT_EQ(f.Edit_NbOfSystems->text(), QStringLiteral("54"));
    EXPECT_EQ(k.Panel(1), QStringLiteral(" Enter only integer values > 0. Wrong input:  a"));
    EXPECT_EQ(k.Beeps(), std::vector<unsigned>{48});

    k.Type(f.Edit_NbOfSystems, QStringLiteral("10"));
    EXPECT_EQ(f.Edit_LengthWall->text(), QStringLiteral("18.5"));
    EXPECT_EQ(f.Lbl_LengthTotalWallResults->text(), QStringLiteral("19.0"));
    EXPECT_EQ(Cell(f, 5, 2), QStringLiteral("11"));
    EXPECT_EQ(Cell(f, 5, 7), QStringLiteral("10"));

    k.Type(f.Edit_NbOfSystems, QStringLiteral("1082"));
    EXPECT_EQ(k.Panel(1), QString::fromLatin1(cw::kTooManySystems));
    EXPECT_TRUE(f.Edit_NbOfSystems->text().isEmpty());
    EXPECT_EQ(f.Edit_LengthWall->text(), QStringLiteral("0.0"));
    EXPECT_EQ(f.Lbl_LengthTotalWallResults->text(), QStringLiteral("0.0"));
    k.Type(f.Edit_NbOfSystems, QStringLiteral("99999999999999999999"));
    EXPECT_EQ(k.Panel(1), QString::fromLatin1(cw::kTooManySystems));
    EXPECT_EQ(f.Lengths().numberOfSystems, 0);
    k.Leave();
    EXPECT_EQ(f.Edit_NbOfSystems->text(), QStringLiteral("0"));
    EXPECT_EQ(k.Panel(1), QStringLiteral(" Enter a valid value for number of systems."));

    // Back to the wall length: it gives the number of systems again.
    k.Type(f.Edit_NbOfSystems, QStringLiteral("20"));
    f.MenuSelectWallLength->trigger();
    EXPECT_TRUE(f.Edit_LengthWall->isEnabled());
    EXPECT_EQ(f.Edit_LengthWall->text(), QStringLiteral("37.0"));
    EXPECT_EQ(f.Edit_NbOfSystems->text(), QStringLiteral("20"));
}

TEST(KestraneMaterialList, KingPileSystemsHideTheOtherMembers)
{
    Kestrane k;
    cw::TForm1& f = *k.form;
    int line = LineOf(k, "WQ 975 C-C23");
    ASSERT_GE(line, 0);
    k.ClickLine(line);
    EXPECT_TRUE(f.Edit_LengthNJ->isHidden());
    EXPECT_TRUE(f.Edit_LengthKX->isHidden());
    EXPECT_TRUE(f.Edit_LengthVB->isHidden());
    EXPECT_TRUE(f.CB_SteelGradesKX->isHidden());
    EXPECT_EQ(f.Bevel1->toolTip(), QStringLiteral("  No KX sections!  "));
    EXPECT_FALSE(f.Lbl_Weight_WQ->isHidden());
    EXPECT_TRUE(f.Lbl_Weight_100->isHidden());
    EXPECT_EQ(f.Lbl_Weight_WQ->text(), Q(sps::FormatFixed((2 * 343.56 + 3 * 21.2) / 1.02, 1)));
    EXPECT_EQ(Cell(f, 4, 2), QStringLiteral("2"));
    EXPECT_EQ(Cell(f, 4, 3), QStringLiteral("3"));
    // A "-26" system shows everything again.
    k.ClickLine(LineOf(k, "WQ 775 B-26 / KX 18"));
    EXPECT_FALSE(f.Edit_LengthNJ->isHidden());
    EXPECT_FALSE(f.Edit_LengthVB->isHidden());
    EXPECT_FALSE(f.CB_SteelGradesKX->isHidden());
    EXPECT_TRUE(f.Lbl_Weight_WQ->isHidden());
    EXPECT_DOUBLE_EQ(f.Lengths().extraWidth, 1.0);
}

TEST(KestraneMaterialList, UnitSwitchesKeepTheLengths)
{
    Kestrane k;
    cw::TForm1& f = *k.form;
    EnterLengths(k);
    k.TypeAndLeave(f.Edit_LengthKX, QStringLiteral("18"));
    f.MenuImperial->trigger();
    EXPECT_EQ(f.Edit_LengthWQ->text(), QStringLiteral("65.62"));
    EXPECT_EQ(f.Edit_LengthNJ->text(), QStringLiteral("59.06"));
    EXPECT_EQ(f.Edit_LengthKX->text(), QStringLiteral("59.06")); // equal lengths stay equal
    EXPECT_TRUE(f.Edit_LengthKX->isEnabled());
    EXPECT_EQ(f.Edit_LengthWall->text(), QStringLiteral("328.1"));
    EXPECT_EQ(Cell(f, 1, 1), QStringLiteral("lb/ft"));
    EXPECT_EQ(Cell(f, 2, 2), QStringLiteral("65.62"));
    EXPECT_EQ(f.Lbl_LengthWQUnits->text(), QStringLiteral("ft"));
    f.MenuMetric->trigger();
    EXPECT_EQ(f.Edit_LengthWQ->text(), QStringLiteral("20.00"));
    EXPECT_EQ(f.Edit_LengthNJ->text(), QStringLiteral("18.00"));
    EXPECT_EQ(f.Edit_LengthKX->text(), QStringLiteral("18.00"));
    EXPECT_DOUBLE_EQ(f.Lengths().lengthKX, 18);
    EXPECT_EQ(Cell(f, 1, 1), QStringLiteral("kg/m"));
}

TEST(KestraneUnits, TwoRoundTripsKeepEveryFieldAndAnEditChangesOnlyItsOwn)
{
    Kestrane k;
    cw::TForm1& f = *k.form;
    k.ClickLine(LineOf(k, "WQ 775 B-26 / KX 18")); // every member length shown
    ClickTab(f, f.TabSheetMaterialList);
    k.TypeAndLeave(f.Edit_LengthWQ, QStringLiteral("20.37"));
    k.TypeAndLeave(f.Edit_LengthNJ, QStringLiteral("18.5"));
    k.TypeAndLeave(f.Edit_LengthVB, QStringLiteral("12.34"));
    k.TypeAndLeave(f.Edit_LengthKX, QStringLiteral("17.77"));
    k.TypeAndLeave(f.Edit_LengthWall, QStringLiteral("123.4"));
    ClickTab(f, f.TabSheetKestrane);
    k.TypeAndLeave(f.Edit_Moment, QStringLiteral("11000"));
    k.TypeAndLeave(f.Edit_Load, QStringLiteral("500"));
    k.Type(f.Edit_Deflection, QStringLiteral("2.5")); // not left: kept as typed
    cf::test::ExpectUnitRoundTrips(
        f,
        {f.Edit_Moment, f.Edit_Load, f.Edit_Deflection, f.Edit_LengthWQ, f.Edit_LengthNJ, f.Edit_LengthVB,
         f.Edit_LengthKX, f.Edit_LengthWall, f.Edit_NbOfSystems, f.Edit_Sfmin, f.Edit_SfMax},
        [&] {
            const cw::LengthInputs& l = f.Lengths();
            return std::vector<double>{f.Moment(),   f.Load(),     f.Deflection(), l.lengthWQ,     l.lengthNJ,
                                       l.lengthVB,   l.lengthKX,   l.wallLength,   l.totalWallLength,
                                       static_cast<double>(l.numberOfSystems), f.RequiredSfmin(), f.SfMax()};
        },
        [&] {
            EXPECT_EQ(f.Edit_Load->text(), QStringLiteral("34.2"));
            EXPECT_EQ(f.Edit_Moment->text(), QStringLiteral("2472.0")); // shown capped
            EXPECT_EQ(f.Edit_Deflection->text(), QStringLiteral("1.0"));
        });
    // A field changed in imperial units shows its value converted and keeps
    // the value typed, also when shown in imperial units again; the others
    // keep theirs.
    f.MenuImperial->trigger();
    k.TypeAndLeave(f.Edit_Load, QStringLiteral("34.3"));
    ClickTab(f, f.TabSheetMaterialList);
    k.TypeAndLeave(f.Edit_LengthKX, QStringLiteral("50"));
    for (int trip = 0; trip < 2; ++trip) {
        f.MenuMetric->trigger();
        EXPECT_EQ(f.Edit_Load->text(), QStringLiteral("501")); // 34.3 x 14.598915 = 500.74
        EXPECT_DOUBLE_EQ(f.Load(), 34.3 * cf::kLoadFactor);
        EXPECT_EQ(f.Edit_LengthKX->text(), QStringLiteral("15.24"));
        EXPECT_DOUBLE_EQ(f.Lengths().lengthKX, 50 * cf::kLengthFactor);
        EXPECT_EQ(f.Edit_Moment->text(), QStringLiteral("11000"));
        EXPECT_EQ(f.Edit_LengthVB->text(), QStringLiteral("12.34"));
        EXPECT_DOUBLE_EQ(f.Lengths().lengthVB, 12.34);
        f.MenuImperial->trigger();
        EXPECT_EQ(f.Edit_Load->text(), QStringLiteral("34.3"));
        EXPECT_EQ(f.Edit_LengthKX->text(), QStringLiteral("50.00"));
    }
}

TEST(KestraneBuiltUp, ReproducesEveryCatalogueCombination)
{
    Kestrane k;
    cw::TForm1& f = *k.form;
    k.TypeAndLeave(f.Edit_Moment, QStringLiteral("800"));
    k.TypeAndLeave(f.Edit_Load, QStringLiteral("300"));
    k.TypeAndLeave(f.Edit_Deflection, QStringLiteral("3"));
    const cw::Catalogue& cat = f.Data().catalogue;
    // The catalogue tab's results of every combination of the three groups.
    struct Shown {
        QString sf[4];
    };
    std::map<std::string, Shown> catalogue;
    for (int line = 0; line < cat.nA + cat.nB + cat.nC; ++line) {
        k.ClickLine(line);
        catalogue[f.Lbl_WQCombination->text().trimmed().toStdString()] =
            Shown{{f.Lbl_WQResult->text(), f.Lbl_NJVBResult->text(), f.Lbl_KXResult->text(), f.Lbl_SfminResult->text()}};
    }
    ClickTab(f, f.TabSheetKestrane_Own);
    EXPECT_FALSE(f.CatalogueTabEnabled());
    EXPECT_EQ(f.Edit_Moment_Own->text(), QStringLiteral("800"));
    int compared = 0;
    for (int s = 0; s < 3; ++s) {
        ClickRadio(f.RG_WQ_Own, s);
        for (int t = 0; t < 4; ++t) {
            ClickRadio(f.RG_WQ_Thick_Own, t);
            for (int c = 0; c < 4; ++c) {
                ClickRadio(f.RG_WQ_Comb_Own, c);
                for (int p = 0; p < f.RG_Intermediary_Own->Count(); ++p) {
                    ClickRadio(f.RG_Intermediary_Own, p);
                    std::string name = f.Lbl_WQCombination->text().trimmed().toStdString();
                    ASSERT_TRUE(catalogue.count(name)) << name;
                    const Shown& shown = catalogue[name];
                    EXPECT_EQ(f.Lbl_SfWQResult_Own->text(), shown.sf[0]) << name;
                    EXPECT_EQ(f.Lbl_SfNJVBResult_Own->text(), shown.sf[1]) << name;
                    EXPECT_EQ(f.Lbl_SfKXResult_Own->text(), shown.sf[2]) << name;
                    EXPECT_EQ(f.Lbl_SfMin_Own->text(), shown.sf[3]) << name;
                    ++compared;
                }
            }
        }
    }
    EXPECT_EQ(compared, cat.nA + cat.nB + cat.nC);
}

TEST(KestraneBuiltUp, PropertiesMirrorFieldsAndSource)
{
    Kestrane k;
    cw::TForm1& f = *k.form;
    ClickTab(f, f.TabSheetKestrane_Own);
    ClickRadio(f.RG_WQ_Own, 1);
    ClickRadio(f.RG_WQ_Comb_Own, 3);
    // "WQ 775 A-26": width 1000 mm, with "KX 13" 1340 mm.
    EXPECT_EQ(f.Lbl_WQCombination->text(), QStringLiteral("WQ 775 A-26 / KX 13   "));
    EXPECT_EQ(f.GB_Properties_Own->title(), QStringLiteral(" WQ 775 A-26 / KX 13      "));
    EXPECT_EQ(k.Panel(0), QStringLiteral(" System width b = 2.34 m"));
    const double ix = (806177 + 26391) / 2.34;
    EXPECT_EQ(f.Lbl_IxSystem_Res_Own->text(), Q(sps::FormatFixed(ix, 0)));
    EXPECT_EQ(f.Lbl_SxWQ_Res_Own->text(), Q(sps::FormatFixed((806177 + 26391) / 38.75 / 2.34, 0)));
    EXPECT_EQ(f.Lbl_AxSystem_Res_Own->text(), Q(sps::FormatFixed(705.1 / 2.34, 1)));
    EXPECT_DOUBLE_EQ(f.IxPerMetre(), ix);
    EXPECT_EQ(Cell(f, 0, 7), QStringLiteral(" KX 13   ")); // from the built-up table
    EXPECT_FALSE(f.Lbl_Weight_100_Own->text().isEmpty());

    // Mirror fields: a refused moment clears both.
    k.ClearBeeps();
    k.Type(f.Edit_Moment_Own, QStringLiteral("20000"));
    EXPECT_TRUE(f.Edit_Moment_Own->text().isEmpty());
    EXPECT_TRUE(f.Edit_Moment->text().isEmpty());
    EXPECT_EQ(k.Panel(1), QStringLiteral(" Error: Bending moment > Mmax !"));
    k.TypeAndLeave(f.Edit_Moment_Own, QStringLiteral("500.4"));
    EXPECT_EQ(f.Edit_Moment->text(), QStringLiteral("500"));
    EXPECT_EQ(f.Edit_Moment_Own->text(), QStringLiteral("500"));
    EXPECT_DOUBLE_EQ(f.Moment(), 500);
    EXPECT_NE(f.Lbl_SfWQResult_Own->text(), QStringLiteral("N/A"));

    // The source is recorded in the settings: the next run starts here.
    f.close();
    EXPECT_NE(k.SettingsText().find("Enabled=0"), std::string::npos);
    k.form = std::make_unique<cw::TForm1>(cw::FormPaths{QDir::currentPath(), k.SettingsPath()});
    k.form->FormCreate();
    cw::TForm1& g = *k.form;
    EXPECT_EQ(g.PageControl1->currentWidget(), g.TabSheetKestrane_Own);
    EXPECT_TRUE(g.MenuWQOwn->isChecked());
    EXPECT_FALSE(g.CatalogueTabEnabled());
    EXPECT_EQ(g.Lbl_WQCombination->text(), QStringLiteral("WQ 575 A-12 / KX 13   "));
    EXPECT_GT(g.Data().selected.b, 0);

    // Back to the catalogue.
    g.show();
    QApplication::setActiveWindow(&g);
    EXPECT_TRUE(QTest::qWaitForWindowActive(&g));
    ClickTab(g, g.TabSheetKestrane);
    EXPECT_TRUE(g.CatalogueTabEnabled());
    EXPECT_FALSE(cf::OwnEnabled(g.TabSheetKestrane_Own));
    g.MenuWQOwnClick();
    EXPECT_FALSE(g.CatalogueTabEnabled());
    EXPECT_EQ(g.PageControl1->currentWidget(), g.TabSheetKestrane_Own);
    g.MenuWQCatalogueClick();
    EXPECT_TRUE(g.CatalogueTabEnabled());
    EXPECT_EQ(g.PageControl1->currentWidget(), g.TabSheetKestrane);
}

namespace {

// A printer of PDF files for the print dialog.
struct PdfDialog {
    explicit PdfDialog(std::string path)
        : override_([this](const sps::TPrintDialogParams& p) -> std::unique_ptr<sps::TPrinter> {
              params = p;
              ++shown;
              if (cancel)
                  return nullptr;
              return sps::TQtPrinter::ForPdfFile(file);
          }),
          file(std::move(path))
    {
    }
    sps::TPrintDialogOverride override_;
    std::string file;
    bool cancel = false;
    int shown = 0;
    sps::TPrintDialogParams params;
};

} // namespace

TEST(KestraneReport, PrintsOnePageThroughTheDialog)
{
    Kestrane k;
    cw::TForm1& f = *k.form;
    EnterLengths(k);
    const std::string pdf = k.dir.filePath(QStringLiteral("report.pdf")).toStdString();
    PdfDialog dialog(pdf);
    dialog.cancel = true;
    f.MenuPrint->trigger();
    EXPECT_EQ(dialog.shown, 1);
    EXPECT_EQ(dialog.params.copies, 1);
    EXPECT_FALSE(QFile::exists(Q(pdf)));

    dialog.cancel = false;
    f.MenuPrint->trigger();
    ASSERT_TRUE(QFile::exists(Q(pdf)));
    EXPECT_EQ(sps::test::PdfPages(pdf), 1) << sps::test::PdfInfo(pdf);
    std::string text = sps::test::PdfText(pdf);
    for (const char* part : {"WQ KX Kestrane", "WQ/KX Combination :", "WQ 575 A-12 / KX 13", "Steel grade of KX :",
                             "S 355", "MATERIAL LIST", "Grand Total", "WQ 575 A", "212.575", "Total wall length :",
                             "100.4", "Version 1.0.0", cw::kReportNotice})
        EXPECT_NE(text.find(part), std::string::npos) << part << "\n" << text;
    EXPECT_TRUE(k.platform.messages->calls.empty());

    // A job that cannot start is reported, never taken for printed.
    PdfDialog broken(k.dir.filePath(QStringLiteral("no folder/report.pdf")).toStdString());
    f.MenuPrint->trigger();
    ASSERT_EQ(k.platform.messages->calls.size(), 1u);
    EXPECT_NE(k.platform.messages->calls[0].text.find("not valid"), std::string::npos);
}

TEST(KestraneReport, TextReportIsWrittenThroughTheSaveDialog)
{
    Kestrane k;
    cw::TForm1& f = *k.form;
    EnterLengths(k);
    f.MenuPrintToFile->trigger(); // cancelled: no answer
    ASSERT_EQ(k.platform.files->calls.size(), 1u);
    const sps::TFileDialogParams& p = k.platform.files->calls[0].params;
    EXPECT_TRUE(k.platform.files->calls[0].save);
    EXPECT_EQ(p.title, "WQ KX Kestrane");
    EXPECT_EQ(p.defaultExt, "txt");
    EXPECT_EQ(p.filter, "Text files (*.txt)|*.txt");

    const QString path = k.dir.filePath(QStringLiteral("report.txt"));
    k.platform.files->answers.push_back(path.toStdString());
    f.MenuPrintToFile->trigger();
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
    const std::vector<std::string> expected = cw::TextReportLines(f.CurrentReportState());
    ASSERT_EQ(static_cast<size_t>(lines.size()), expected.size() + 1); // the last line end
    for (size_t i = 0; i < expected.size(); ++i) {
        if (i == 2) // the date line
            continue;
        EXPECT_EQ(lines[static_cast<int>(i)].toStdString(), expected[i]) << i;
    }
    EXPECT_EQ(lines[6], QStringLiteral("WQ 575 A-12 / KX 13"));
    EXPECT_EQ(lines[21], QStringLiteral("Steel Grade WQ:               S 355      "));
    EXPECT_TRUE(lines.contains(QStringLiteral("Total wall length:            100.4 m")));

    // A file that cannot be written shows a message; a FIFO is refused at once
    // (opening it would wait for a reader for ever).
    const std::string fifo = k.dir.filePath(QStringLiteral("pipe.txt")).toStdString();
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    k.platform.files->answers = {k.dir.filePath(QStringLiteral("no folder/report.txt")).toStdString(), fifo};
    ::alarm(20);
    f.MenuPrintToFile->trigger();
    f.MenuPrintToFile->trigger();
    ::alarm(0);
    ASSERT_EQ(k.platform.messages->calls.size(), 2u);
    EXPECT_NE(k.platform.messages->calls[0].text.find("Cannot create a file in folder"), std::string::npos);
    EXPECT_EQ(k.platform.messages->calls[1].text, "Cannot write file \"" + fifo + "\". It is not a regular file.");
}

TEST(KestraneLayout, NoTextIsCutOnAnyTabInEitherUnitSystem)
{
    Kestrane k;
    cw::TForm1& f = *k.form;
    auto check = [&](const char* state) {
        for (QWidget* page : {f.TabSheetKestrane, f.TabSheetMaterialList, f.TabSheetKestrane_Own}) {
            f.PageControl1->setCurrentWidget(page);
            EXPECT_EQ(cf::test::ClippedTexts(&f).join(QLatin1Char('\n')).toStdString(), "")
                << state << ", " << page->objectName().toStdString();
        }
        f.PageControl1->setCurrentWidget(f.TabSheetKestrane);
    };
    EnterLengths(k);
    k.ClickLine(LineOf(k, "WQ 775 B-26 / KX 18")); // every member row of the list
    check("metric, -26 system");
    f.MenuImperial->trigger();
    check("imperial, -26 system");
    k.ClickLine(LineOf(k, "WQ 975 C-C23")); // one weight line instead of two
    check("imperial, C23 system");
}
