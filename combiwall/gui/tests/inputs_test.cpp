// Loads, safety window, grades and the unit switch of Kestrane's main form.
#include "form_fixture.h"

#include "calcframe/gui/frame.h"
#include "calcframe/gui/testsupport/inputchecks.h"
#include "calcframe/units.h"
#include "combiwall/lengths.h"
#include "platform/numtext.h"

#include <QMenu>
#include <QPalette>
#include <QTabBar>
#include <QTabWidget>
#include <cmath>
#include <functional>

#include <array>
#include <utility>
#include <vector>

namespace {

using cwtest::Kestrane;

const char* kImperialSettings = "[Units]\nMetric=0\n[SFMinReq]\nSFMinRequired=1.50\n[SFMaxReq]\nSFMaxRequired=10.00\n";

// A control's own Enabled state (the built-up tab itself is disabled while
// the catalogue is the source).
bool OwnEnabled(const QWidget* w) { return !w->testAttribute(Qt::WA_ForceDisabled); }

bool Red(const QLineEdit* e) { return e->palette().color(QPalette::Text) == QColor(Qt::red); }

TEST(KestraneLoads, KeyFilterRefusesALetterWithPanelTextAndExclamationBeep)
{
    Kestrane k;
    k.Type(k.form->Edit_Moment, QStringLiteral("12x"));
    EXPECT_EQ(k.form->Edit_Moment->text(), QStringLiteral("12"));
    EXPECT_EQ(k.Panel(1), QStringLiteral(" Enter only values > 0. Wrong input:  x"));
    EXPECT_EQ(k.Beeps(), std::vector<unsigned>{48});
    EXPECT_DOUBLE_EQ(k.form->Moment(), 12.0);
}

TEST(KestraneLoads, LeavingTheMomentFieldRoundsByUnitSystem)
{
    {
        Kestrane k;
        k.TypeAndLeave(k.form->Edit_Moment, QStringLiteral("12.6"));
        EXPECT_EQ(k.form->Edit_Moment->text(), QStringLiteral("13"));
        EXPECT_DOUBLE_EQ(k.form->Moment(), 13.0);
    }
    {
        Kestrane k(kImperialSettings);
        k.TypeAndLeave(k.form->Edit_Moment, QStringLiteral("12.6"));
        EXPECT_EQ(k.form->Edit_Moment->text(), QStringLiteral("12.6"));
        EXPECT_DOUBLE_EQ(k.form->Moment(), 12.6 * cf::kMomentFactor);
        k.Type(k.form->Edit_Deflection, QString());
        k.Leave();
        EXPECT_EQ(k.form->Edit_Deflection->text(), QStringLiteral("0.0"));
    }
}

TEST(KestraneLoads, RangeHintsAndLimitsInBothUnitSystems)
{
    Kestrane k;
    cw::TForm1& f = *k.form;
    k.Enter(f.Edit_Moment);
    EXPECT_EQ(k.Panel(0), QStringLiteral(" 0 < Bending moment =< 11000"));
    k.Type(f.Edit_Moment, QStringLiteral("11000"));
    EXPECT_DOUBLE_EQ(f.Moment(), 11000.0);
    EXPECT_TRUE(k.Beeps().empty());
    k.Type(f.Edit_Moment, QStringLiteral("11000.5"));
    EXPECT_EQ(f.Edit_Moment->text(), QString());
    EXPECT_EQ(f.Moment(), 0.0);
    EXPECT_EQ(k.Panel(1), QStringLiteral(" Error: Bending moment > Mmax !"));
    EXPECT_EQ(k.Beeps(), std::vector<unsigned>{0});

    k.Type(f.Edit_Load, QStringLiteral("35001"));
    EXPECT_EQ(k.Panel(1), QStringLiteral(" Error: Compression load > Nmax !"));
    EXPECT_EQ(k.Panel(0), QStringLiteral(" 0 < Compression load =< 35000"));
    k.Type(f.Edit_Deflection, QStringLiteral("50.1"));
    EXPECT_EQ(k.Panel(1), QStringLiteral(" Error: Deflection > fmax !"));
    EXPECT_EQ(k.Panel(0), QStringLiteral(" 0 < Deflection =< 50"));
    EXPECT_EQ(f.Deflection(), 0.0);
    k.Leave(); // the error stays until the field is left

    // A zero or an empty field sets the load to 0 without a message.
    k.Type(f.Edit_Deflection, QStringLiteral("20"));
    ASSERT_DOUBLE_EQ(f.Deflection(), 20.0);
    k.ClearBeeps();
    k.Type(f.Edit_Deflection, QStringLiteral("0"));
    EXPECT_EQ(f.Deflection(), 0.0);
    EXPECT_TRUE(k.Panel(1).isEmpty());
    EXPECT_TRUE(k.Beeps().empty());

    f.MenuImperial->trigger();
    k.ClearBeeps();
    k.Enter(f.Edit_Moment);
    EXPECT_EQ(k.Panel(0), QStringLiteral(" 0 < Bending moment =< 2472.0"));
    k.Type(f.Edit_Moment, QStringLiteral("2472"));
    EXPECT_DOUBLE_EQ(f.Moment(), 2472 * cf::kMomentFactor);
    k.Type(f.Edit_Moment, QStringLiteral("2472.1"));
    EXPECT_EQ(f.Edit_Moment->text(), QString());
    EXPECT_EQ(k.Beeps(), std::vector<unsigned>{0});
    k.Enter(f.Edit_Load);
    EXPECT_EQ(k.Panel(0), QStringLiteral(" 0 < Compression load =< 2397.4"));
    k.Enter(f.Edit_Deflection);
    EXPECT_EQ(k.Panel(0), QStringLiteral(" 0 < Deflection =< 19.6"));
    // Above the imperial limit though within the metric one (49.91 cm).
    k.Type(f.Edit_Deflection, QStringLiteral("19.65"));
    EXPECT_EQ(f.Edit_Deflection->text(), QString());
    EXPECT_EQ(f.Deflection(), 0.0);
}

TEST(KestraneLoads, TextThatIsNoNumberCountsAsEmpty)
{
    Kestrane k;
    cw::TForm1& f = *k.form;
    k.Type(f.Edit_Moment, QStringLiteral("250"));
    ASSERT_DOUBLE_EQ(f.Moment(), 250.0);
    k.Type(f.Edit_Moment, QStringLiteral("."));
    EXPECT_EQ(f.Moment(), 0.0);
    f.Edit_Load->setText(QStringLiteral("12 kN")); // pasted
    EXPECT_EQ(f.Load(), 0.0);
    f.Edit_Load->setText(QStringLiteral("-300"));
    EXPECT_EQ(f.Load(), 0.0);
    k.Leave();
    EXPECT_EQ(f.Lbl_WQResult->text(), QStringLiteral("N/A"));
    EXPECT_TRUE(k.platform.messages->calls.empty());
}

TEST(KestraneLoads, EveryAcceptedChangeRecomputesAtOnce)
{
    Kestrane k;
    cw::TForm1& f = *k.form;
    EXPECT_EQ(f.Lbl_WQResult->text(), QStringLiteral("N/A"));
    k.Type(f.Edit_Moment, QStringLiteral("500"));
    EXPECT_NE(f.Lbl_WQResult->text(), QStringLiteral("N/A"));
    QString sf500 = f.Lbl_SfminResult->text();
    k.Type(f.Edit_Moment, QStringLiteral("1000"));
    EXPECT_LT(f.Lbl_SfminResult->text().toDouble(), sf500.toDouble());
    EXPECT_EQ(f.Lbl_SfWQResult_Own->text(), f.Lbl_WQResult->text());
}

// --- safety window -------------------------------------------------------------

TEST(KestraneSfWindow, SfminOutsideOneToFiveIsCleared)
{
    Kestrane k;
    cw::TForm1& f = *k.form;
    f.MenuSelectSfmin->trigger();
    ASSERT_TRUE(f.Edit_Sfmin->isVisible());
    EXPECT_TRUE(f.Edit_Sfmin->hasFocus());
    EXPECT_EQ(k.Panel(0), QStringLiteral(" 1 =< Sfmin =< 5"));
    k.Type(f.Edit_Sfmin, QStringLiteral("0.5"));
    EXPECT_EQ(f.Edit_Sfmin->text(), QString());
    EXPECT_EQ(k.Panel(1), QStringLiteral(" Sfmin out of range!! Retry"));
    EXPECT_EQ(f.RequiredSfmin(), 1000000.0);
    EXPECT_FALSE(k.Beeps().empty());
    EXPECT_EQ(k.Beeps().back(), 0u);

    k.Type(f.Edit_Sfmin, QStringLiteral("5"));
    EXPECT_DOUBLE_EQ(f.RequiredSfmin(), 5.0);
    k.Type(f.Edit_Sfmin, QStringLiteral("5.01"));
    EXPECT_EQ(f.Edit_Sfmin->text(), QString());
    // Leaving the emptied field writes the default.
    k.Leave();
    EXPECT_EQ(f.Edit_Sfmin->text(), QStringLiteral("1.50"));
    EXPECT_DOUBLE_EQ(f.RequiredSfmin(), 1.5);
}

TEST(KestraneSfWindow, SfMaxIsRaisedCappedAndReset)
{
    Kestrane k;
    cw::TForm1& f = *k.form;
    f.MenuSelectSfmin->trigger();
    k.Type(f.Edit_SfMax, QStringLiteral("2"));
    k.Leave();
    EXPECT_EQ(f.Edit_SfMax->text(), QStringLiteral("2.00"));
    EXPECT_FALSE(Red(f.Edit_SfMax));

    // Sfmin raised above SfMax / 1.1 pushes SfMax up.
    k.Type(f.Edit_Sfmin, QStringLiteral("2"));
    EXPECT_EQ(f.Edit_SfMax->text(), QStringLiteral("2.21"));
    EXPECT_TRUE(Red(f.Edit_SfMax));
    EXPECT_EQ(k.Panel(1), QStringLiteral(" SfMax out of range!! Automatically reset!"));

    k.Enter(f.Edit_SfMax);
    EXPECT_FALSE(Red(f.Edit_SfMax));
    EXPECT_EQ(k.Panel(0), QStringLiteral("2.20 =< Sfmax =<  100"));
    k.ClearBeeps();
    cf::test::Paste(f.Edit_SfMax, QStringLiteral("150"));
    EXPECT_EQ(f.Edit_SfMax->text(), QStringLiteral("100.00"));
    EXPECT_DOUBLE_EQ(f.SfMax(), 100.0);
    EXPECT_TRUE(Red(f.Edit_SfMax));
    EXPECT_EQ(k.Panel(1), QStringLiteral(" SfMax out of range!! Automatically reset!"));

    // Too small while typing: kept, red, asked to complete.
    k.Type(f.Edit_SfMax, QStringLiteral("2"));
    EXPECT_EQ(f.Edit_SfMax->text(), QStringLiteral("2"));
    EXPECT_TRUE(Red(f.Edit_SfMax));
    EXPECT_EQ(k.Panel(1), QStringLiteral(" Please complete: SfMax > 1.1*SfMin"));

    // Left empty: reset to 100.00.
    k.ClearBeeps();
    k.Type(f.Edit_SfMax, QString());
    k.Leave();
    EXPECT_EQ(f.Edit_SfMax->text(), QStringLiteral("100.00"));
    EXPECT_EQ(k.Panel(1), QStringLiteral(" Sfmax out of range!! SfMax has been reset!"));
    EXPECT_TRUE(Red(f.Edit_SfMax));
    EXPECT_EQ(k.Beeps(), std::vector<unsigned>{0});
}

// --- steel grades ------------------------------------------------------------

TEST(KestraneGrades, A690CouplesTheThreeMembers)
{
    Kestrane k;
    cw::TForm1& f = *k.form;
    int nj = Kestrane::FindItem(f.CB_SteelGradesNJVB, "S 420");
    int kx = Kestrane::FindItem(f.CB_SteelGradesKX, "S 320");
    Kestrane::Choose(f.CB_SteelGradesNJVB, nj);
    Kestrane::Choose(f.CB_SteelGradesKX, kx);
    EXPECT_DOUBLE_EQ(f.Data().fyk.connectors, 420.0);

    Kestrane::Choose(f.CB_SteelGradesWQ, Kestrane::FindItem(f.CB_SteelGradesWQ, "A 690"));
    EXPECT_TRUE(f.CB_SteelGradesNJVB->currentText().startsWith(QStringLiteral("A 690")));
    EXPECT_TRUE(f.CB_SteelGradesKX->currentText().startsWith(QStringLiteral("A 690")));
    EXPECT_FALSE(f.CB_SteelGradesNJVB->isEnabled());
    EXPECT_FALSE(OwnEnabled(f.CB_SteelGradesKX_Own));
    EXPECT_EQ(f.CB_SteelGradesNJVB_Own->currentIndex(), f.CB_SteelGradesNJVB->currentIndex());

    Kestrane::Choose(f.CB_SteelGradesWQ, 0);
    EXPECT_TRUE(f.CB_SteelGradesNJVB->isEnabled());
    EXPECT_TRUE(OwnEnabled(f.CB_SteelGradesKX_Own));
    EXPECT_EQ(f.CB_SteelGradesNJVB->currentIndex(), nj);
    EXPECT_EQ(f.CB_SteelGradesKX->currentIndex(), kx);

    // "A 690" for the connectors brings the king pile and the sheet pile along.
    Kestrane::Choose(f.CB_SteelGradesNJVB, Kestrane::FindItem(f.CB_SteelGradesNJVB, "A 690"));
    EXPECT_TRUE(f.CB_SteelGradesWQ->currentText().startsWith(QStringLiteral("A 690")));
    EXPECT_TRUE(f.CB_SteelGradesKX->currentText().startsWith(QStringLiteral("A 690")));

    // The built-up tab's boxes steer the same selection.
    Kestrane::Choose(f.CB_SteelGradesWQ_Own, 1);
    EXPECT_EQ(f.CB_SteelGradesWQ->currentIndex(), 1);
    EXPECT_TRUE(f.CB_SteelGradesKX->isEnabled());
}

TEST(KestraneGrades, ImperialFykIsConvertedToMPa)
{
    Kestrane k(kImperialSettings);
    cw::TForm1& f = *k.form;
    EXPECT_EQ(f.GB_SteelGrades->title(), QStringLiteral(" Steel Grades                                       fyk (ksi) "));
    int gr50 = Kestrane::FindItem(f.CB_SteelGradesWQ, "A 572 Gr 50");
    ASSERT_GE(gr50, 0);
    Kestrane::Choose(f.CB_SteelGradesWQ, gr50);
    EXPECT_NEAR(f.Data().fyk.kingPile, 344.857, 0.0005);
}

// --- units -------------------------------------------------------------------

TEST(KestraneUnits, RoundTripConvertsFieldsCaptionsAndResetsGrades)
{
    Kestrane k;
    cw::TForm1& f = *k.form;
    k.TypeAndLeave(f.Edit_Moment, QStringLiteral("100"));
    k.TypeAndLeave(f.Edit_Load, QStringLiteral("50"));
    k.TypeAndLeave(f.Edit_Deflection, QStringLiteral("3"));
    Kestrane::Choose(f.CB_SteelGradesWQ, 2);
    k.ClickLine(5);
    QString name = f.Lbl_WQCombination->text();
    k.ClearBeeps();

    f.MenuImperial->trigger();
    EXPECT_FALSE(f.Metric());
    EXPECT_EQ(f.Edit_Moment->text(), QStringLiteral("22.5"));
    EXPECT_EQ(f.Edit_Load->text(), QStringLiteral("3.4"));
    EXPECT_EQ(f.Edit_Deflection->text(), QStringLiteral("1.2"));
    EXPECT_EQ(f.Edit_Moment_Own->text(), QStringLiteral("22.5"));
    EXPECT_DOUBLE_EQ(f.Moment(), 100.0); // shown converted, held in metric units
    EXPECT_EQ(f.Lbl_MomentUnit->text(), QStringLiteral("kips*ft/ft"));
    EXPECT_EQ(f.Lbl_DeflectionUnit_Own->text(), QStringLiteral("in"));
    EXPECT_EQ(f.GB_Weight->title(), QStringLiteral(" Weight (lb/ft²) "));
    EXPECT_EQ(f.Lbl_Ix_Units_Own->text(), QStringLiteral("in4/ft"));
    EXPECT_EQ(f.CB_SteelGradesWQ->currentIndex(), 0);
    EXPECT_TRUE(f.CB_SteelGradesWQ->currentText().startsWith(QStringLiteral("A 572")));
    EXPECT_EQ(f.LB_WQKX->currentRow(), 5); // the list keeps its line
    EXPECT_EQ(f.Lbl_WQCombination->text(), name);
    EXPECT_EQ(f.LB_WQKX->item(5)->text().section(QLatin1Char('\t'), 1).trimmed(),
              QString::fromStdString(sps::FormatFixed(f.Data().catalogue.combinations.sxWQ[5] / cf::kSxFactor, 1)));
    EXPECT_TRUE(k.Panel(0).endsWith(QStringLiteral(" in²/ft")));
    EXPECT_EQ(k.Panel(1), QStringLiteral(" CHANGE OF \"UNITS\" => STEEL GRADES RESET"));
    EXPECT_EQ(k.Beeps(), std::vector<unsigned>{0});

    f.MenuImperial->trigger(); // already imperial: nothing happens
    EXPECT_EQ(k.Beeps().size(), 1u);

    f.MenuMetric->trigger();
    EXPECT_TRUE(f.Metric());
    EXPECT_EQ(f.Edit_Moment->text(), QStringLiteral("100"));
    EXPECT_EQ(f.Edit_Load->text(), QStringLiteral("50"));
    EXPECT_EQ(f.Edit_Deflection->text(), QStringLiteral("3"));
    EXPECT_EQ(f.Lbl_MomentUnit->text(), QStringLiteral("kNm/m"));
    EXPECT_EQ(f.GB_WQKX->title(), QStringLiteral("   WQ / KX Comb.            Sx (cm³/m)  "));
    EXPECT_TRUE(f.CB_SteelGradesWQ->currentText().startsWith(QStringLiteral("S 420"))); // the grade chosen
    EXPECT_TRUE(k.Panel(0).endsWith(QStringLiteral(" cm²/m")));
    EXPECT_EQ(k.Beeps().size(), 2u);
}

TEST(KestraneUnits, EveryGradeListKeepsItsGradeOverARoundTrip)
{
    // The grades chosen in turn (box, grade), on the catalogue or the built-up
    // tab; the grades and the notice in imperial units; and after the switch
    // back, the same grades and safety factors as before.
    using Choice = std::pair<QComboBox* cw::TForm1::*, const char*>;
    const struct {
        const char* what;
        bool builtUp;
        std::vector<Choice> choices;
        std::array<const char*, 3> imperial; // king pile, connectors, sheet pile
        const char* notice;
    } cases[] = {
        {"A 690 for the king pile forces the others",
         false,
         {{&cw::TForm1::CB_SteelGradesWQ, "A 690"}},
         {"A 690", "A 690", "A 690"},
         " CHANGE OF \"UNITS\" => STEEL GRADES KEPT"},
        {"grades without an imperial counterpart",
         false,
         {{&cw::TForm1::CB_SteelGradesWQ, "S 420"},
          {&cw::TForm1::CB_SteelGradesNJVB, "S 390"},
          {&cw::TForm1::CB_SteelGradesKX, "S 320 GP"}},
         {"A 572 Gr 50", "A 572 Gr 50", "A 328"},
         " CHANGE OF \"UNITS\" => STEEL GRADES RESET"},
        {"the built-up tab's boxes",
         true,
         {{&cw::TForm1::CB_SteelGradesNJVB_Own, "S 460"}, {&cw::TForm1::CB_SteelGradesKX_Own, "A 690"}},
         {"A 690", "A 690", "A 690"},
         " CHANGE OF \"UNITS\" => STEEL GRADES KEPT"},
    };
    for (const auto& c : cases) {
        Kestrane k;
        cw::TForm1& f = *k.form;
        // Loads whose imperial texts convert back to the same metric texts.
        k.TypeAndLeave(f.Edit_Moment, QStringLiteral("445"));
        k.TypeAndLeave(f.Edit_Load, QStringLiteral("146"));
        k.TypeAndLeave(f.Edit_Deflection, QStringLiteral("3"));
        if (c.builtUp)
            f.MenuWQOwn->trigger();
        else
            k.ClickLine(5);
        for (const Choice& choice : c.choices) {
            QComboBox* box = f.*choice.first;
            Kestrane::Choose(box, Kestrane::FindItem(box, choice.second));
        }
        QComboBox* const boxes[] = {f.CB_SteelGradesWQ,     f.CB_SteelGradesNJVB,     f.CB_SteelGradesKX,
                                    f.CB_SteelGradesWQ_Own, f.CB_SteelGradesNJVB_Own, f.CB_SteelGradesKX_Own};
        auto state = [&] {
            QStringList s;
            for (QComboBox* box : boxes)
                s << box->currentText() << QString::number(OwnEnabled(box));
            for (QLabel* l : {f.Lbl_WQResult, f.Lbl_NJVBResult, f.Lbl_KXResult, f.Lbl_SfminResult,
                              f.Lbl_SfWQResult_Own, f.Lbl_SfNJVBResult_Own, f.Lbl_SfKXResult_Own, f.Lbl_SfMin_Own})
                s << l->text();
            return s;
        };
        const QStringList before = state();
        const double connectorsFyk = f.Data().fyk.connectors;

        f.MenuImperial->trigger();
        for (int m = 0; m < 3; ++m) {
            EXPECT_TRUE(boxes[m]->currentText().startsWith(QString::fromLatin1(c.imperial[m]))) << c.what << m;
            EXPECT_EQ(boxes[m + 3]->currentIndex(), boxes[m]->currentIndex()) << c.what << m;
        }
        EXPECT_EQ(k.Panel(1), QString::fromLatin1(c.notice)) << c.what;
        if (c.imperial[1] == std::string("A 690")) { // 50 ksi
            EXPECT_NEAR(f.Data().fyk.connectors, 344.857, 0.0005) << c.what;
            EXPECT_FALSE(OwnEnabled(f.CB_SteelGradesNJVB)) << c.what;
        }

        f.MenuMetric->trigger();
        EXPECT_EQ(state(), before) << c.what;
        EXPECT_EQ(f.Data().fyk.connectors, connectorsFyk) << c.what;
        EXPECT_EQ(k.Panel(1), QStringLiteral(" CHANGE OF \"UNITS\" => STEEL GRADES KEPT")) << c.what;
    }

    // A grade chosen in imperial units is the one that goes back, even the
    // first grade that stood in for the metric one.
    {
        Kestrane k;
        cw::TForm1& f = *k.form;
        Kestrane::Choose(f.CB_SteelGradesKX, Kestrane::FindItem(f.CB_SteelGradesKX, "S 320"));
        f.MenuImperial->trigger();
        Kestrane::Choose(f.CB_SteelGradesKX_Own, 0);
        f.MenuMetric->trigger();
        EXPECT_EQ(f.CB_SteelGradesKX->currentIndex(), 0);
    }

    // The grades "A 690" forced aside come back after the round trip.
    Kestrane k;
    cw::TForm1& f = *k.form;
    Kestrane::Choose(f.CB_SteelGradesNJVB, Kestrane::FindItem(f.CB_SteelGradesNJVB, "S 420"));
    Kestrane::Choose(f.CB_SteelGradesKX, Kestrane::FindItem(f.CB_SteelGradesKX, "S 320"));
    Kestrane::Choose(f.CB_SteelGradesWQ, Kestrane::FindItem(f.CB_SteelGradesWQ, "A 690"));
    f.MenuImperial->trigger();
    f.MenuMetric->trigger();
    Kestrane::Choose(f.CB_SteelGradesWQ, 0);
    EXPECT_TRUE(f.CB_SteelGradesNJVB->currentText().startsWith(QStringLiteral("S 420")));
    EXPECT_TRUE(f.CB_SteelGradesKX_Own->currentText().startsWith(QStringLiteral("S 320")));
}

TEST(KestraneUnits, LargeLoadsAreShownCappedAtTheImperialLimits)
{
    Kestrane k;
    cw::TForm1& f = *k.form;
    k.TypeAndLeave(f.Edit_Moment, QStringLiteral("11000"));
    k.TypeAndLeave(f.Edit_Load, QStringLiteral("35000"));
    k.TypeAndLeave(f.Edit_Deflection, QStringLiteral("50"));
    f.MenuImperial->trigger();
    EXPECT_EQ(f.Edit_Moment->text(), QStringLiteral("2472.0"));
    EXPECT_EQ(f.Edit_Load->text(), QStringLiteral("2397.4"));
    EXPECT_EQ(f.Edit_Deflection->text(), QStringLiteral("19.6"));
    // Only the texts are capped: the loads keep their metric values.
    EXPECT_DOUBLE_EQ(f.Moment(), 11000.0);
    EXPECT_DOUBLE_EQ(f.Load(), 35000.0);
    f.MenuMetric->trigger();
    EXPECT_EQ(f.Edit_Moment->text(), QStringLiteral("11000"));
}

} // namespace

// --- the input path of every field -------------------------------------------

namespace {

void ClickTab(cw::TForm1& f, QWidget* page)
{
    QTabBar* bar = f.PageControl1->tabBar();
    QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier, bar->tabRect(f.PageControl1->indexOf(page)).center());
}

} // namespace

TEST(KestraneInputs, PastedTextIsAnInputErrorInEveryKindOfField)
{
    Kestrane k;
    cw::TForm1& f = *k.form;
    cf::test::ExpectPastesRefused(
        k, {
               {"load", [] {}, f.Edit_Moment, "250", "", [&] { return f.Moment(); }, 0},
               {"Sfmin", [&] { f.MenuSelectSfmin->trigger(); }, f.Edit_Sfmin, "2", "",
                [&] { return f.RequiredSfmin(); }, 1000000},
               {"SfMax", [] {}, f.Edit_SfMax, "3", "3", [&] { return f.SfMax(); }, 3},
               {"member length",
                [&] {
                    f.MenuSelectCombination->trigger();
                    ClickTab(f, f.TabSheetMaterialList);
                },
                f.Edit_LengthWQ, "20", "", [&] { return f.Lengths().lengthWQ; }, 0},
               {"wall length", [] {}, f.Edit_LengthWall, "100", "", [&] { return f.Lengths().wallLength; }, 0},
               {"number of systems", [&] { f.MenuSelectNumberOfSystems->trigger(); }, f.Edit_NbOfSystems, "12", "",
                [&] { return static_cast<double>(f.Lengths().numberOfSystems); }, 0, cw::kIntegerKeyRefused},
               {"built-up load", [&] { f.MenuWQOwn->trigger(); }, f.Edit_Load_Own, "300", "",
                [&] { return f.Load(); }, 0},
           });
    // Nothing was computed from the loads' pasted texts.
    EXPECT_EQ(f.Lbl_SfWQResult_Own->text(), QStringLiteral("N/A"));
    EXPECT_TRUE(k.platform.messages->calls.empty());
}

TEST(KestraneInputs, EveryDecimalFieldFiltersItsOwnKeys)
{
    Kestrane k;
    cw::TForm1& f = *k.form;
    auto materialTab = [&] {
        f.MenuSelectCombination->trigger();
        // A "-26" system shows every member length field.
        const QStringList lines = k.Lines();
        for (int i = 0; i < lines.size(); ++i)
            if (lines[i].contains(QStringLiteral("-26"))) {
                k.ClickLine(i);
                break;
            }
        ClickTab(f, f.TabSheetMaterialList);
    };
    auto none = [] {};
    cf::test::ExpectKeyFiltersOfTheirOwnFields(
        k, {
               {none, f.Edit_Moment, "1.5"},
               {none, f.Edit_Load, "1.5"},
               {none, f.Edit_Deflection, "1.5"},
               {[&] { f.MenuSelectSfmin->trigger(); }, f.Edit_Sfmin, "1.5"},
               {none, f.Edit_SfMax, "2.5"},
               {materialTab, f.Edit_LengthWQ, "20.5"},
               {none, f.Edit_LengthNJ, "10.5"},
               {none, f.Edit_LengthKX, "5.5"},
               {none, f.Edit_LengthVB, "5.5"},
               {none, f.Edit_LengthWall, "100.5"},
               {[&] { f.MenuWQOwn->trigger(); }, f.Edit_Moment_Own, "1.5"},
               {none, f.Edit_Load_Own, "1.5"},
               {none, f.Edit_Deflection_Own, "1.5"},
           });
}

TEST(KestraneInputs, EnterIsNoInput)
{
    Kestrane k;
    cw::TForm1& f = *k.form;
    // The decimal key filter, and the integer one of the number of systems.
    for (QLineEdit* e : {f.Edit_Moment, f.Edit_LengthWQ, f.Edit_NbOfSystems, f.Edit_Sfmin}) {
        if (e == f.Edit_LengthWQ)
            ClickTab(f, f.TabSheetMaterialList);
        if (e == f.Edit_NbOfSystems)
            f.MenuSelectNumberOfSystems->trigger();
        if (e == f.Edit_Sfmin) {
            ClickTab(f, f.TabSheetKestrane);
            f.MenuSelectSfmin->trigger();
        }
        k.Type(e, QStringLiteral("1.2").left(e == f.Edit_NbOfSystems ? 1 : 3));
        k.ClearBeeps();
        const QString panel1 = k.Panel(1);
        QTest::keyClick(e, Qt::Key_Return);
        QTest::keyClick(e, Qt::Key_Enter);
        EXPECT_EQ(e->text(), QStringLiteral("1.2").left(e == f.Edit_NbOfSystems ? 1 : 3))
            << e->objectName().toStdString();
        EXPECT_EQ(k.Panel(1), panel1) << e->objectName().toStdString();
        EXPECT_TRUE(k.Beeps().empty()) << e->objectName().toStdString();
    }
    EXPECT_DOUBLE_EQ(f.RequiredSfmin(), 1.2);
}

TEST(KestraneInputs, NoticesOfTheSearchModeStayReadable)
{
    Kestrane k;
    cw::TForm1& f = *k.form;
    k.TypeAndLeave(f.Edit_Moment, QStringLiteral("500"));
    k.TypeAndLeave(f.Edit_Load, QStringLiteral("200"));
    k.ClickLine(0);
    const double sf = f.MinimumSf();
    ASSERT_GT(sf, 1.9);
    ASSERT_LT(sf, 5.0);
    f.MenuSelectSfmin->trigger();
    k.TypeAndLeave(f.Edit_SfMax, QStringLiteral("1.7"));

    // Sfmin raised: SfMax is pushed up to 1.1 x Sfmin + 0.01, and the re-list
    // (which selects a combination again) keeps the notice.
    cf::test::Paste(f.Edit_Sfmin, cf::QStr(sps::FormatFixed(std::floor((sf - 0.05) * 100) / 100, 2)));
    ASSERT_FALSE(f.ListedRows().empty());
    EXPECT_EQ(k.Panel(1), QString::fromLatin1(cf::kSfMaxAutoReset));
    EXPECT_TRUE(Red(f.Edit_SfMax));
    // SfMax above 100 is reset, with its notice.
    k.ClearBeeps();
    cf::test::Paste(f.Edit_SfMax, QStringLiteral("150"));
    ASSERT_FALSE(f.ListedRows().empty());
    EXPECT_EQ(f.Edit_SfMax->text(), QStringLiteral("100.00"));
    EXPECT_EQ(k.Panel(1), QString::fromLatin1(cf::kSfMaxAutoReset));
    EXPECT_EQ(k.Beeps(), std::vector<unsigned>{0});
    // Too small while typing.
    k.Type(f.Edit_SfMax, QStringLiteral("1"));
    EXPECT_EQ(k.Panel(1), QStringLiteral(" Please complete: SfMax > 1.1*SfMin"));
    k.TypeAndLeave(f.Edit_SfMax, QStringLiteral("100"));

    // The units menu opened from the keyboard on the material list tab.
    ClickTab(f, f.TabSheetMaterialList);
    ASSERT_EQ(f.PageControl1->currentWidget(), f.TabSheetMaterialList);
    QTest::keyClick(&f, Qt::Key_U, Qt::AltModifier);
    EXPECT_EQ(k.Panel(1), QStringLiteral(" Menu \"Units\" unavailable! "));
    ASSERT_TRUE(QApplication::activePopupWidget());
    QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Escape);
    QTest::keyClick(&f, Qt::Key_Escape);
    EXPECT_EQ(k.Panel(1), QStringLiteral(" Menu \"Units\" unavailable! "));
    EXPECT_FALSE(f.MenuImperial->isEnabled());
}
