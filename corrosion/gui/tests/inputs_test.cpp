// Rovandel's inputs driven as a person would: losses from the code tables and
// from project values, the splash-zone factor, loads, the search window, the
// summary grid, quantities and the unit switches.
#include "form_fixture.h"

#include "calcframe/gui/testsupport/inputchecks.h"
#include "calcframe/units.h"
#include "corrosion/catalogue.h"
#include "corrosion/reduced.h"
#include "corrosion/safety.h"
#include "corrosion/units.h"
#include "platform/numtext.h"

#include <QTableWidget>
#include <functional>

namespace {

using rvtest::Rovandel;

// Front: polluted soil for 60 - 10 years; back: sea water, permanent
// immersion, for 60 years.
void Losses359(Rovandel& r) { r.CodeLosses(60, 10, cr::kSoil, 1, cr::kWater, 3); }

int MetricGrade(const rv::TForm1& f, const char* name)
{
    return Rovandel::FindItem(f.CB_SteelGrades, QStringLiteral(" ") + QString::fromLatin1(name));
}

TEST(RovandelLosses, CodeTablesInBothUnitSystems)
{
    Rovandel r;
    rv::TForm1& f = *r.form;
    r.ClickTab(f.TabSheetRates);
    Losses359(r);
    EXPECT_EQ(f.Lbl_Summary_Front2->text(), QStringLiteral("1.50"));
    EXPECT_EQ(f.Lbl_Summary_Back2->text(), QStringLiteral("2.09"));
    EXPECT_EQ(f.GB_Loss_Summary->title(), QStringLiteral(" Loss of steel thickness:    3.59 mm "));
    EXPECT_DOUBLE_EQ(f.Losses().total, 3.59);
    EXPECT_EQ(f.RG_Back_Detail->title(), QStringLiteral(" Table 4.2 "));
    EXPECT_EQ(f.Lbl_Summary_Back4->text(), cf::QStr(f.Catalogue().environments[cr::kWater].descriptions[3]));
    EXPECT_EQ(r.Panel(1), QStringLiteral(" Loss: front = 1.50 mm, back = 2.09 mm"));
    r.ClickTab(f.TabSheetInput);
    EXPECT_TRUE(f.Lbl_SFRed->isEnabled());
    EXPECT_NE(f.Lbl_Red_Sx2->text().trimmed(), QStringLiteral("Sx,ini"));

    f.MenuImperial->trigger();
    EXPECT_EQ(f.Lbl_Summary_Front2->text(), QStringLiteral("59"));
    EXPECT_EQ(f.Lbl_Summary_Back2->text(), QStringLiteral("82"));
    EXPECT_EQ(f.GB_Loss_Summary->title(), QStringLiteral(" Loss of steel thickness:     141 mils "));
    EXPECT_DOUBLE_EQ(f.Losses().total, 3.59); // the losses stay metric

    // Protection as long as the service life: no loss on that face; a shorter
    // service life drops the protection to the last year still offered.
    r.Choose(f.CB_Protection_Back, r.FindItem(f.CB_Protection_Back, QStringLiteral(" 30")));
    r.Choose(f.CB_ServiceLife, r.FindItem(f.CB_ServiceLife, QStringLiteral(" 20")));
    EXPECT_EQ(f.CB_Protection_Back->currentText(), QStringLiteral(" 20"));
    EXPECT_EQ(f.CB_Protection_Front->currentText(), QStringLiteral(" 10"));
    EXPECT_EQ(f.Lbl_Summary_Back2->text(), QStringLiteral("0"));
}

TEST(RovandelLosses, SplashZoneFactorDividesTheFrontLoss)
{
    Rovandel r;
    rv::TForm1& f = *r.form;
    r.Choose(f.CB_SteelGrades, MetricGrade(f, "A 690"));
    EXPECT_FALSE(f.CB_SteelGrades->toolTip().isEmpty());
    r.CodeLosses(25, 0, cr::kWater, 2, cr::kAtmospheric, 0);
    EXPECT_TRUE(f.RG_A690->isEnabled());
    EXPECT_EQ(f.Lbl_Summary_Front2->text(), QStringLiteral("1.90"));
    r.Click(f.RG_A690, 2); // " 3"
    EXPECT_EQ(f.Lbl_Summary_Front2->text(), QStringLiteral("0.63"));
    EXPECT_DOUBLE_EQ(f.Losses().total, 0.63 + 0.25);

    // Another front environment: no factor, the undivided loss.
    r.Click(f.RG_Front, cr::kSoil);
    EXPECT_FALSE(f.RG_A690->isEnabled());
    EXPECT_EQ(f.Lbl_Summary_Front2->text(), QStringLiteral("0.30"));
    // Another grade: no hint.
    r.Click(f.RG_Front, cr::kWater);
    r.Click(f.RG_Front_Detail, 2);
    r.Choose(f.CB_SteelGrades, 0);
    EXPECT_TRUE(f.CB_SteelGrades->toolTip().isEmpty());
    EXPECT_FALSE(f.RG_A690->isEnabled());
}

TEST(RovandelLosses, ProjectRatesAndTotals)
{
    Rovandel r;
    rv::TForm1& f = *r.form;
    r.ClickTab(f.TabSheetRates);
    f.MenuProjectRates->trigger();
    EXPECT_FALSE(f.RG_Front->isEnabled());
    EXPECT_TRUE(f.Edit_Front->isEnabled());
    r.Choose(f.CB_ServiceLife, r.FindItem(f.CB_ServiceLife, QStringLiteral(" 50")));
    r.TypeAndLeave(f.Edit_Front, QStringLiteral("0.05"));
    EXPECT_EQ(f.Edit_Front->text(), QStringLiteral("0.050"));
    EXPECT_EQ(f.Lbl_Summary_Front2->text(), QStringLiteral("2.50"));

    // A rate above the limit is refused; the face shows " N/A " and keeps its loss.
    r.ClearBeeps();
    f.Edit_Front->setText(QStringLiteral("0.3"));
    EXPECT_EQ(f.Edit_Front->text(), QStringLiteral(" "));
    EXPECT_EQ(f.Lbl_Summary_Front2->text(), QStringLiteral(" N/A "));
    EXPECT_EQ(r.Panel(0), QStringLiteral(" Max. corrosion rate of steel = 0.20 mm / year"));
    EXPECT_DOUBLE_EQ(f.Losses().front, 2.5);
    EXPECT_EQ(r.Beeps(), std::vector<unsigned>{0});
    r.Enter(f.Edit_Front);
    r.Leave(); // the field is rewritten as 0
    EXPECT_EQ(f.Edit_Front->text(), QStringLiteral("0.000"));
    EXPECT_EQ(f.Lbl_Summary_Front2->text(), QStringLiteral("0.00"));

    // Totals: the service life no longer counts; imperial totals are mils.
    r.Click(f.RG_Project_Rates, 1);
    EXPECT_FALSE(f.CB_ServiceLife->isEnabled());
    EXPECT_EQ(f.Lbl_Front3->text(), QStringLiteral(" mm"));
    f.MenuImperial->trigger();
    r.TypeAndLeave(f.Edit_Front, QStringLiteral("40"));
    EXPECT_EQ(f.Edit_Front->text(), QStringLiteral("40"));
    EXPECT_DOUBLE_EQ(f.Losses().front, 1.02); // 40 x 0.025399956 = 1.016
    EXPECT_EQ(f.Lbl_Front3->text(), QStringLiteral(" mils"));

    // Back to the code tables.
    f.MenuEC3Rates->trigger();
    EXPECT_TRUE(f.RG_Front->isEnabled());
    EXPECT_FALSE(f.Edit_Front->isEnabled());
    EXPECT_TRUE(f.CB_ServiceLife->isEnabled());
}

TEST(RovandelLosses, UnitSwitchRewritesProjectValuesInItsOwnFormats)
{
    // The switch writes imperial rates with 2 decimals and totals with 1,
    // while leaving the field writes them with 1 and 0 decimals. Either only
    // shows the value, which stays in mm.
    Rovandel r;
    rv::TForm1& f = *r.form;
    r.ClickTab(f.TabSheetRates);
    f.MenuProjectRates->trigger();
    r.TypeAndLeave(f.Edit_Front, QStringLiteral("0.1"));
    f.MenuImperial->trigger();
    EXPECT_EQ(f.Edit_Front->text(), QStringLiteral("3.94")); // 0.1 / 0.025399956 mils per year
    r.Enter(f.Edit_Front);
    r.Leave();
    EXPECT_EQ(f.Edit_Front->text(), QStringLiteral("3.9"));
    f.MenuMetricClick();
    EXPECT_EQ(f.Edit_Front->text(), QStringLiteral("0.100"));

    r.Click(f.RG_Project_Rates, 1);
    r.TypeAndLeave(f.Edit_Back, QStringLiteral("1.5"));
    f.MenuImperial->trigger();
    EXPECT_EQ(f.Edit_Back->text(), QStringLiteral("59.1"));
    r.Enter(f.Edit_Back);
    r.Leave();
    EXPECT_EQ(f.Edit_Back->text(), QStringLiteral("59"));
}

TEST(RovandelLoads, LimitsOfTheDataFileAndTextsThatAreNoNumbers)
{
    Rovandel r;
    rv::TForm1& f = *r.form;
    r.Enter(f.Edit_Load);
    EXPECT_EQ(r.Panel(0), QStringLiteral(" 0 < Compression load =< 35000")); // unsigned 16-bit limit
    r.Type(f.Edit_Load, QStringLiteral("35000"));
    EXPECT_DOUBLE_EQ(f.Load(), 35000.0);
    r.ClearBeeps();
    r.Type(f.Edit_Moment, QStringLiteral("11000.5"));
    EXPECT_TRUE(f.Edit_Moment->text().isEmpty());
    EXPECT_EQ(r.Panel(1), QStringLiteral(" Error: Bending moment > Mmax !"));
    EXPECT_EQ(r.Panel(0), QStringLiteral(" 0 < Bending moment =< 11000"));
    EXPECT_EQ(r.Beeps(), std::vector<unsigned>{0});

    // A lone separator counts as an empty field, in every handler.
    r.Type(f.Edit_Moment, QStringLiteral("."));
    EXPECT_DOUBLE_EQ(f.Moment(), 0.0);
    r.Leave();
    EXPECT_EQ(f.Edit_Moment->text(), QStringLiteral("0"));
    f.MenuSelectSfmin->trigger();
    r.Type(f.Edit_Sfmin, QStringLiteral("."));
    EXPECT_DOUBLE_EQ(f.SfMin(), 1000000.0);
    EXPECT_TRUE(r.platform.messages->calls.empty());

    f.MenuImperial->trigger();
    r.Enter(f.Edit_Moment);
    EXPECT_EQ(r.Panel(0), QStringLiteral(" 0 < Bending moment =< 2472.0"));
    r.Type(f.Edit_Moment, QStringLiteral("2472"));
    EXPECT_NEAR(f.Moment(), 10999.76, 0.01);
    r.Type(f.Edit_Moment, QStringLiteral("2472.1"));
    EXPECT_DOUBLE_EQ(f.Moment(), 0.0);
}

TEST(RovandelSafety, SearchWindowListsTheSectionsInsideIt)
{
    Rovandel r;
    rv::TForm1& f = *r.form;
    Losses359(r);
    r.Type(f.Edit_Moment, QStringLiteral("250"));
    r.Type(f.Edit_Load, QStringLiteral("200"));
    r.Type(f.Edit_Deflection, QStringLiteral("3"));
    f.MenuSelectSfmin->trigger();
    EXPECT_EQ(f.GB_Sfmin->title(), QStringLiteral("  Required Sf,red  "));
    EXPECT_TRUE(f.Lbl_SfIni->isHidden());
    EXPECT_FALSE(f.Edit_SfMax->isHidden());
    EXPECT_EQ(f.Edit_Sfmin->text(), QStringLiteral("1.50"));
    EXPECT_EQ(f.Edit_SfMax->text(), QStringLiteral("2.00"));

    // The sections whose Sf,red at 3.59 mm lies in 1.50 .. 2.00, by hand.
    const cr::Catalogue& cat = f.Catalogue();
    std::vector<int32_t> expected;
    for (int i = 0; i < cat.SectionCount(); ++i) {
        const cr::ReducedValues v = cr::ReducedFor(cat, i, 3.59);
        if (v.kind != cr::ReducedCase::Interpolated)
            continue;
        const double stress = (250 + 200 * 3 / 100.0) / v.sxRed * 1000 + 200 / v.axRed * 10;
        const double sf = sps::RoundHalfEvenTo(cat.metricGrades.fyk[0] / stress, 2);
        if (sf >= 1.5 && sf <= 2.0)
            expected.push_back(i);
    }
    ASSERT_GT(expected.size(), 0u);
    ASSERT_LT(static_cast<int>(expected.size()), cat.SectionCount());
    EXPECT_EQ(f.ListedSections(), expected);
    // Line 0 is selected and current.
    EXPECT_EQ(f.Section().name, cat.sectionNames[static_cast<size_t>(expected[0])]);
    EXPECT_EQ(f.LB_SSP->currentRow(), 0);

    // Nothing in the window: the advice lines, no printing; a unit switch
    // keeps them and selects nothing.
    r.TypeAndLeave(f.Edit_Sfmin, QStringLiteral("5"));
    r.TypeAndLeave(f.Edit_SfMax, QStringLiteral("5.5"));
    EXPECT_TRUE(f.ListedSections().empty());
    QStringList advice;
    for (const std::string& line : cr::NoMatchLines())
        advice << cf::QStr(line);
    EXPECT_EQ(r.Lines(), advice);
    EXPECT_EQ(advice.last(), QStringLiteral(" Sfmin/Sfmax required."));
    EXPECT_FALSE(f.LB_SSP->isEnabled());
    EXPECT_FALSE(f.MenuPrint->isEnabled());
    EXPECT_EQ(f.Lbl_Red_Sx2->text(), QStringLiteral(" N/A "));
    EXPECT_EQ(f.Lbl_SFRedResult->text(), QStringLiteral("N/A"));
    f.MenuImperial->trigger();
    EXPECT_EQ(f.LB_SSP->currentRow(), -1);
    f.LB_SSPClick(); // no line: nothing happens
    EXPECT_EQ(f.Lbl_Weight_Result->text(), QStringLiteral(" N/A "));

    // Back to listing every section.
    f.MenuSelectSectionClick();
    EXPECT_EQ(f.LB_SSP->count(), cat.SectionCount());
    EXPECT_TRUE(f.MenuPrint->isEnabled());
}

TEST(RovandelSafety, SummaryGridLeavesTheSelectedSectionCurrent)
{
    Rovandel r;
    rv::TForm1& f = *r.form;
    r.Choose(f.CB_SteelGrades, MetricGrade(f, "A 690"));
    r.CodeLosses(25, 0, cr::kWater, 2, cr::kAtmospheric, 0);
    r.Click(f.RG_A690, 1); // " 2": front 0.95 mm
    r.Type(f.Edit_Moment, QStringLiteral("300"));
    r.Type(f.Edit_Load, QStringLiteral("100"));
    r.Type(f.Edit_Deflection, QStringLiteral("2"));
    r.SelectSection(QStringLiteral("KX 18"));
    const QString sfRed = f.Lbl_SFRedResult->text();
    const QString sxRed = f.Lbl_Red_Sx2->text();

    r.ClickTab(f.TabSheetSFTable);
    EXPECT_TRUE(f.RB_SummarySfRed->isEnabled());
    EXPECT_EQ(f.Lbl_SfSummary->text(), QStringLiteral(" Sf,ini >=  1.00 "));
    EXPECT_EQ(r.Panel(0), QStringLiteral(" Loss: front = 0.95 mm, back = 0.25 mm"));
    const cr::Catalogue& cat = f.Catalogue();
    ASSERT_EQ(f.SFList->columnCount(), cat.SectionCount());
    EXPECT_EQ(f.SfGridCell(1, 0), QStringLiteral(" ") + cf::QStr(cat.sectionNames[0]));
    EXPECT_EQ(f.SfGridCell(0, 1), QStringLiteral(" ") + cf::QStr(cat.metricGrades.names[0]));
    // Sf,ini of the first section and grade, by hand.
    const double stress = (300 + 100 * 2 / 100.0) / cat.sx[0][0] * 1000 + 100 / cat.ax[0][0] * 10;
    const double sf = sps::RoundHalfEvenTo(cat.metricGrades.fyk[0] / stress, 2);
    EXPECT_EQ(f.SfGridCell(1, 1), sf > 20 ? QStringLiteral(" > 20")
                                          : sf >= 1 ? cf::QStr(cr::Fixed(sf, 2, 6)) : QStringLiteral("     / "));

    // Sf,red without the splash-zone factor: total 1.90 + 0.25 mm.
    f.RB_SummarySfRed->click();
    EXPECT_EQ(f.Lbl_SfSummary->text(), QStringLiteral(" Sf,red >=  1.00 "));
    cr::GridContext ctx;
    ctx.reduced = true;
    ctx.loads = {300, 100, 2};
    ctx.totalLoss = 2.15;
    const cr::SfGrid grid = cr::ComputeSfGrid(cat, cat.familyRanges[0], ctx);
    for (int c = 0; c < cat.SectionCount(); ++c)
        EXPECT_EQ(f.SfGridCell(c + 1, 2), cf::QStr(grid.cells[static_cast<size_t>(c)][1])) << c;

    // Back on the input tab: the selected section with the factor again.
    r.ClickTab(f.TabSheetInput);
    EXPECT_EQ(f.Section().name, "KX 18");
    EXPECT_EQ(f.Lbl_Summary_Front2->text(), QStringLiteral("0.95"));
    EXPECT_EQ(f.Lbl_Red_Sx2->text(), sxRed);
    EXPECT_EQ(f.Lbl_SFRedResult->text(), sfRed);
    EXPECT_DOUBLE_EQ(f.Losses().total, 1.2);
}

TEST(RovandelQuantities, PairsMassAndWallLength)
{
    Rovandel r;
    rv::TForm1& f = *r.form;
    r.SelectSection(QStringLiteral("FY 12"));
    const cr::Catalogue& cat = f.Catalogue();
    const size_t i = 7; // FY 12
    ASSERT_EQ(cat.sectionNames[i], "FY 12");
    EXPECT_EQ(f.Lbl_SSP_Result->text(), QStringLiteral("0"));
    EXPECT_EQ(f.Lbl_Weight_Result->text(), cf::QStr(cr::Fixed(cat.mass[i] / cat.pairWidth[i], 1)));
    r.TypeAndLeave(f.Edit_WallLength, QStringLiteral("100"));
    r.TypeAndLeave(f.Edit_SSPLength, QStringLiteral("12"));
    EXPECT_EQ(f.Edit_WallLength->text(), QStringLiteral("100.0"));
    EXPECT_EQ(f.Edit_SSPLength->text(), QStringLiteral("12.00"));
    // b = 1.20 m: 100 / 1.2 = 83.3 gives 83 pairs and a wall of 99.6 m.
    EXPECT_EQ(f.Lbl_SSP_Result->text(), QStringLiteral("83"));
    EXPECT_EQ(f.Lbl_WallLength_Result->text(), QStringLiteral("99.6"));
    EXPECT_EQ(f.Lbl_Total_Result->text(), cf::QStr(cr::Fixed(83 * cat.mass[i] * 12 / 1000.0, 1)));

    // Above the limit: emptied, with the error and a beep.
    r.Type(f.Edit_SSPLength, QStringLiteral("34"));
    EXPECT_TRUE(f.Edit_SSPLength->text().isEmpty());
    EXPECT_EQ(r.Panel(1), QStringLiteral(" Error: length of ssp > max. length !"));
    EXPECT_EQ(f.Lbl_Total_Result->text(), QStringLiteral("0.0"));
}

TEST(RovandelUnits, SwitchesKeepTheValuesAndTheImperialPileLimit)
{
    Rovandel r;
    rv::TForm1& f = *r.form;
    r.TypeAndLeave(f.Edit_SSPLength, QStringLiteral("12"));
    r.TypeAndLeave(f.Edit_Moment, QStringLiteral("1000"));
    r.SelectSection(QStringLiteral("KX 22"));
    f.MenuImperial->trigger();
    EXPECT_EQ(f.Edit_SSPLength->text(), QStringLiteral("39.37"));
    EXPECT_DOUBLE_EQ(f.PileLength(), 12.0); // shown in feet, held in metres
    EXPECT_EQ(f.Edit_Moment->text(), QStringLiteral("224.7"));
    EXPECT_EQ(f.Section().name, "KX 22"); // the same line again
    EXPECT_EQ(r.Panel(1), QStringLiteral(" Change of \"UNITS\" => steel grade RESET"));
    EXPECT_EQ(f.CB_SteelGrades->currentIndex(), 0);
    EXPECT_EQ(f.CB_SteelGrades->currentText(),
              cf::QStr(cr::SteelGradeItems(f.Catalogue(), false)[0]));
    f.MenuMetric->trigger();
    EXPECT_EQ(f.Edit_SSPLength->text(), QStringLiteral("12.00"));

    // The imperial limit of the pile length keeps its two decimals on leaving.
    f.MenuImperial->trigger();
    r.TypeAndLeave(f.Edit_SSPLength, QStringLiteral("108.26"));
    EXPECT_EQ(f.Edit_SSPLength->text(), QStringLiteral("108.26"));
    EXPECT_NEAR(f.PileLength(), 108.26 * 0.304799, 1e-9);
    r.Enter(f.Edit_SSPLength);
    EXPECT_EQ(r.Panel(0), QStringLiteral(" 0 < length of ssp =< 108.26"));
}

TEST(RovandelUnits, TheGradeIsKeptOverARoundTrip)
{
    // The grade chosen, what imperial units show, and the notice.
    const struct {
        const char* grade;
        const char* imperial;
        const char* notice;
    } cases[] = {
        {"A 690", " A 690", " Change of \"UNITS\" => steel grade kept"},
        {"S 355 GP", " A 328", " Change of \"UNITS\" => steel grade RESET"},
    };
    for (const auto& c : cases) {
        Rovandel r;
        rv::TForm1& f = *r.form;
        r.CodeLosses(25, 0, cr::kWater, 2, cr::kAtmospheric, 0); // sea water splash zone in front
        r.Choose(f.CB_SteelGrades, MetricGrade(f, c.grade));
        if (f.RG_A690->isEnabled())
            r.Click(f.RG_A690, 1);
        // Loads whose imperial texts convert back to the same metric texts.
        r.TypeAndLeave(f.Edit_Moment, QStringLiteral("445"));
        r.TypeAndLeave(f.Edit_Load, QStringLiteral("146"));
        r.TypeAndLeave(f.Edit_Deflection, QStringLiteral("3"));
        r.SelectSection(QStringLiteral("KX 22"));
        auto state = [&] {
            return QStringList{f.CB_SteelGrades->currentText(), f.Lbl_Sf_Result->text(), f.Lbl_SFRedResult->text(),
                               QString::number(f.RG_A690->isEnabled()), QString::number(f.RG_A690->ItemIndex())};
        };
        const QStringList before = state();
        const double fyk = f.Fyk();
        const double sfIni = f.SafetyFactors().ini;
        ASSERT_GT(sfIni, 1.0) << c.grade;

        f.MenuImperial->trigger();
        EXPECT_TRUE(f.CB_SteelGrades->currentText().startsWith(QString::fromLatin1(c.imperial))) << c.grade;
        EXPECT_EQ(r.Panel(1), QString::fromLatin1(c.notice)) << c.grade;
        // Sf,ini follows the imperial grade's strength (50 ksi for A 690).
        EXPECT_NEAR(f.SafetyFactors().ini, sfIni * f.Fyk() / fyk, 0.01) << c.grade;
        if (c.grade == std::string("A 690")) {
            EXPECT_NEAR(f.Fyk(), 50 * 6.89714, 1e-9);
            EXPECT_EQ(state().mid(3), before.mid(3)); // the splash-zone factor stays
        }

        f.MenuMetric->trigger();
        EXPECT_EQ(state(), before) << c.grade;
        EXPECT_EQ(f.Fyk(), fyk) << c.grade;
        EXPECT_EQ(r.Panel(1), QStringLiteral(" Change of \"UNITS\" => steel grade kept")) << c.grade;
    }

    // A grade chosen in imperial units is the one that goes back, even the
    // first grade that stood in for the metric one.
    Rovandel r;
    rv::TForm1& f = *r.form;
    for (const char* imperial : {" A 690", " A 328"}) {
        r.Choose(f.CB_SteelGrades, MetricGrade(f, "S 355 GP"));
        f.MenuImperial->trigger();
        r.Choose(f.CB_SteelGrades, Rovandel::FindItem(f.CB_SteelGrades, QString::fromLatin1(imperial)));
        f.MenuMetric->trigger();
        EXPECT_EQ(f.CB_SteelGrades->currentIndex(), imperial == std::string(" A 690") ? MetricGrade(f, "A 690") : 0);
    }
}

} // namespace

// --- the input path of every field -------------------------------------------

namespace {

void ProjectRates(Rovandel& r, const QString& front, const QString& back)
{
    rv::TForm1& f = *r.form;
    r.ClickTab(f.TabSheetRates);
    f.MenuProjectRates->trigger();
    r.TypeAndLeave(f.Edit_Front, front);
    r.TypeAndLeave(f.Edit_Back, back);
    r.ClickTab(f.TabSheetInput);
}

} // namespace

TEST(RovandelInputs, PastedTextIsAnInputErrorInEveryKindOfField)
{
    Rovandel r;
    rv::TForm1& f = *r.form;
    cf::test::ExpectPastesRefused(
        r, {
               {"load", [] {}, f.Edit_Moment, "250", "", [&] { return f.Moment(); }, 0},
               {"pile length", [] {}, f.Edit_SSPLength, "12", "", [&] { return f.PileLength(); }, 0},
               {"wall length", [] {}, f.Edit_WallLength, "100", "", [&] { return f.WallLength(); }, 0},
               {"Sfmin", [&] { f.MenuSelectSfmin->trigger(); }, f.Edit_Sfmin, "2", "", [&] { return f.SfMin(); },
                1000000},
               {"SfMax", [] {}, f.Edit_SfMax, "3", "3", [&] { return f.SfMax(); }, 3},
               {"project rate",
                [&] {
                    f.MenuSelectSectionClick();
                    r.ClickTab(f.TabSheetRates);
                    f.MenuProjectRates->trigger();
                    r.Choose(f.CB_ServiceLife, r.FindItem(f.CB_ServiceLife, QStringLiteral(" 50")));
                },
                // A face without a value keeps its loss: 0.02 mm a year for 50 years.
                f.Edit_Front, "0.02", "", [&] { return f.Losses().front; }, 1.0},
           });
    EXPECT_EQ(f.Lbl_Summary_Front2->text(), QStringLiteral(" N/A "));
    EXPECT_EQ(f.Lbl_Sf_Result->text(), QStringLiteral("N/A")); // no load
    EXPECT_TRUE(r.platform.messages->calls.empty());
}

TEST(RovandelInputs, EveryDecimalFieldFiltersItsOwnKeys)
{
    Rovandel r;
    rv::TForm1& f = *r.form;
    auto none = [] {};
    cf::test::ExpectKeyFiltersOfTheirOwnFields(
        r, {
               {none, f.Edit_Moment, "1.5"},
               {none, f.Edit_Load, "1.5"},
               {none, f.Edit_Deflection, "1.5"},
               {none, f.Edit_SSPLength, "12.5"},
               {none, f.Edit_WallLength, "100.5"},
               {[&] { f.MenuSelectSfmin->trigger(); }, f.Edit_Sfmin, "1.5"},
               {none, f.Edit_SfMax, "2.5"},
               {[&] {
                    r.ClickTab(f.TabSheetRates);
                    f.MenuProjectRates->trigger();
                },
                f.Edit_Front, "0.02"},
               {none, f.Edit_Back, "0.02"},
           });
}

TEST(RovandelUnits, TwoRoundTripsKeepEveryFieldAndAnEditChangesOnlyItsOwn)
{
    Rovandel r;
    rv::TForm1& f = *r.form;
    // 0.040 mm a year for 50 years: 2.00 mm; the 1.57 mils a year shown
    // would give 1.99 mm.
    ProjectRates(r, QStringLiteral("0.04"), QStringLiteral("0.011"));
    r.Choose(f.CB_ServiceLife, r.FindItem(f.CB_ServiceLife, QStringLiteral(" 50")));
    ASSERT_DOUBLE_EQ(f.Losses().front, 2.0);
    r.TypeAndLeave(f.Edit_Moment, QStringLiteral("1000"));
    r.TypeAndLeave(f.Edit_Load, QStringLiteral("500"));
    r.TypeAndLeave(f.Edit_SSPLength, QStringLiteral("12.34"));
    r.TypeAndLeave(f.Edit_WallLength, QStringLiteral("123.4"));
    f.MenuSelectSfmin->trigger();
    r.TypeAndLeave(f.Edit_SfMax, QStringLiteral("3"));
    r.Type(f.Edit_Deflection, QStringLiteral("2.5")); // not left: kept as typed
    cf::test::ExpectUnitRoundTrips(
        f,
        {f.Edit_Moment, f.Edit_Load, f.Edit_Deflection, f.Edit_SSPLength, f.Edit_WallLength, f.Edit_Front,
         f.Edit_Back, f.Edit_Sfmin, f.Edit_SfMax},
        [&] {
            return std::vector<double>{f.Moment(),     f.Load(),         f.Deflection(),  f.PileLength(),
                                       f.WallLength(), f.Losses().front, f.Losses().back, f.SfMin(),
                                       f.SfMax(),      f.SafetyFactors().red};
        },
        [&] { EXPECT_EQ(f.Edit_Load->text(), QStringLiteral("34.2")); });
    // A field changed in imperial units shows its value converted and keeps
    // the value typed; the others keep theirs.
    f.MenuImperial->trigger();
    r.TypeAndLeave(f.Edit_Load, QStringLiteral("34.3"));
    r.ClickTab(f.TabSheetRates);
    r.TypeAndLeave(f.Edit_Back, QStringLiteral("0.5"));
    const double back = f.Losses().back;
    f.MenuMetric->trigger();
    EXPECT_EQ(f.Edit_Load->text(), QStringLiteral("501")); // 34.3 x 14.598915 = 500.74
    EXPECT_DOUBLE_EQ(f.Load(), 34.3 * cf::kLoadFactor);
    EXPECT_EQ(f.Edit_Back->text(), QStringLiteral("0.013")); // 0.5 mils
    EXPECT_DOUBLE_EQ(f.Losses().back, back);
    EXPECT_EQ(f.Edit_Front->text(), QStringLiteral("0.040"));
    EXPECT_DOUBLE_EQ(f.Losses().front, 2.0);
    EXPECT_EQ(f.Edit_Moment->text(), QStringLiteral("1000"));
    EXPECT_DOUBLE_EQ(f.Moment(), 1000.0);
    f.MenuImperial->trigger();
    EXPECT_EQ(f.Edit_Load->text(), QStringLiteral("34.3"));
    EXPECT_EQ(f.Edit_Back->text(), QStringLiteral("0.5"));
}

TEST(RovandelInputs, EitherSeparatorKeyAndRefusedInputsKeepTheirMessage)
{
    Rovandel r;
    rv::TForm1& f = *r.form;
    r.Type(f.Edit_Moment, QStringLiteral("12,5"));
    EXPECT_EQ(f.Edit_Moment->text(), QStringLiteral("12.5"));
    EXPECT_DOUBLE_EQ(f.Moment(), 12.5);
    EXPECT_TRUE(r.Beeps().empty());

    // A refused key: its message outlasts the keys typed after it.
    r.Type(f.Edit_Moment, QStringLiteral("1.2.5"));
    EXPECT_EQ(f.Edit_Moment->text(), QStringLiteral("1.25"));
    EXPECT_EQ(r.Panel(1), QStringLiteral(" Enter only values > 0. Wrong input:  ."));
    EXPECT_EQ(r.Beeps(), std::vector<unsigned>{48});
    // A refused value: the field is emptied, and the message stays while the
    // user types again.
    r.ClearBeeps();
    r.Type(f.Edit_Moment, QStringLiteral("999999"));
    EXPECT_EQ(f.Edit_Moment->text(), QStringLiteral("9"));
    EXPECT_DOUBLE_EQ(f.Moment(), 9.0);
    EXPECT_EQ(r.Panel(1), QStringLiteral(" Error: Bending moment > Mmax !"));
    EXPECT_EQ(r.Beeps(), std::vector<unsigned>{0});
    // It goes with the next field.
    r.Enter(f.Edit_Load);
    EXPECT_TRUE(r.Panel(1).isEmpty());

    // Under a locale with ",", "." is typed for it.
    sps::SetDecimalSeparator(',');
    r.Type(f.Edit_Load, QStringLiteral("12.5"));
    const QString shown = f.Edit_Load->text();
    const double load = f.Load();
    sps::SetDecimalSeparator('.');
    EXPECT_EQ(shown, QStringLiteral("12,5"));
    EXPECT_DOUBLE_EQ(load, 12.5);

    // The texts the program writes carry "," too, and the fields take them:
    // SfMax capped and reset, Sfmin left empty.
    sps::SetDecimalSeparator(',');
    Rovandel g;
    g.form->MenuSelectSfmin->trigger();
    g.Type(g.form->Edit_SfMax, QStringLiteral("25"));
    const QString capped = g.form->Edit_SfMax->text();
    const double sfMax = g.form->SfMax();
    g.Type(g.form->Edit_SfMax, QString());
    g.Type(g.form->Edit_Sfmin, QString());
    g.Leave();
    const QStringList left{g.form->Edit_Sfmin->text(), g.form->Edit_SfMax->text()};
    const double sfMin = g.form->SfMin();
    sps::SetDecimalSeparator('.');
    EXPECT_EQ(capped, QStringLiteral("20,00"));
    EXPECT_DOUBLE_EQ(sfMax, 20.0);
    EXPECT_EQ(left, (QStringList{QStringLiteral("1,50"), QStringLiteral("20,00")}));
    EXPECT_DOUBLE_EQ(sfMin, 1.5);
}

TEST(RovandelInputs, OneInputGivesOneBeepAtMost)
{
    Rovandel r;
    rv::TForm1& f = *r.form;
    r.TypeAndLeave(f.Edit_Moment, QStringLiteral("250"));
    f.MenuSelectSfmin->trigger();
    // SfMax typed below 1.1 x Sfmin: one beep when it falls short, the
    // message at every key, and gone once the value is complete.
    r.Enter(f.Edit_SfMax);
    f.Edit_SfMax->selectAll();
    r.ClearBeeps();
    for (const char* key : {"1", ".", "6"}) {
        QTest::keyClicks(f.Edit_SfMax, QString::fromLatin1(key));
        EXPECT_EQ(r.Panel(1), QStringLiteral(" Please complete: SfMax >= 1.1*SfMin")) << key;
    }
    EXPECT_EQ(f.Edit_SfMax->text(), QStringLiteral("1.6"));
    EXPECT_EQ(r.Beeps(), std::vector<unsigned>{0});
    QTest::keyClicks(f.Edit_SfMax, QStringLiteral("6")); // 1.66 reaches 1.1 x 1.50
    EXPECT_TRUE(r.Panel(1).isEmpty());
    EXPECT_EQ(r.Beeps().size(), 1u);
    // Completed at the key after the one that beeped.
    f.Edit_SfMax->selectAll();
    QTest::keyClicks(f.Edit_SfMax, QStringLiteral("1"));
    EXPECT_EQ(r.Beeps().size(), 2u);
    QTest::keyClicks(f.Edit_SfMax, QStringLiteral("7"));
    EXPECT_TRUE(r.Panel(1).isEmpty());
    r.Leave();

    // A loss beyond the steps of several sections: one beep for one key.
    r.ClickTab(f.TabSheetRates);
    f.MenuProjectRates->trigger();
    r.Click(f.RG_Project_Rates, 1); // totals, mm
    r.TypeAndLeave(f.Edit_Front, QStringLiteral("4"));
    r.TypeAndLeave(f.Edit_Back, QStringLiteral("3"));
    r.ClickTab(f.TabSheetInput);
    ASSERT_DOUBLE_EQ(f.Losses().total, 7.0);
    f.MenuSelectSfmin->trigger();
    r.Enter(f.Edit_Sfmin);
    f.Edit_Sfmin->selectAll();
    r.ClearBeeps();
    QTest::keyClicks(f.Edit_Sfmin, QStringLiteral("1"));
    EXPECT_EQ(r.Beeps(), std::vector<unsigned>{0});
    QTest::keyClicks(f.Edit_Sfmin, QStringLiteral("."));
    EXPECT_EQ(r.Beeps().size(), 2u);
    // A load refused while the list is filled again: one beep too.
    r.Enter(f.Edit_Moment); // leaving Sfmin fills the list again, with its beep
    r.ClearBeeps();
    cf::test::Paste(f.Edit_Moment, QStringLiteral("99999"));
    EXPECT_EQ(r.Panel(1), QStringLiteral(" Error: Bending moment > Mmax !"));
    EXPECT_EQ(r.Beeps(), std::vector<unsigned>{0});
}
