// The combination list of Kestrane's catalogue tab: groups, king pile filter,
// the window search, list clicks and the tabs.
#include "form_fixture.h"

#include "calcframe/gui/radiogroup.h"
#include "calcframe/units.h"
#include "combiwall/gui/startup.h"
#include "platform/numtext.h"

#include <QMenu>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>

namespace {

using cwtest::Kestrane;

QString Fixed(double v, int d) { return QString::fromStdString(sps::FormatFixed(v, d)); }

// Clicks a radio button on its indicator (a click beside its text misses it).
void ClickRadio(cf::TRadioGroup* rg, int index)
{
    QRadioButton* b = rg->Button(index);
    QTest::mouseClick(b, Qt::LeftButton, Qt::NoModifier, QPoint(8, b->height() / 2));
}

void ClickTab(cw::TForm1& f, int index)
{
    QTabBar* bar = f.PageControl1->tabBar();
    QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier, bar->tabRect(index).center());
}

TEST(KestraneList, GroupsAndKingPileFilterChooseTheRows)
{
    Kestrane k;
    cw::TForm1& f = *k.form;
    const cw::Catalogue& cat = f.Data().catalogue;
    EXPECT_EQ(f.RG_IntermediarySSP->toolTip(), QStringLiteral(" ALL = Combinations C1 & C23 included "));
    QStringList all = k.Lines();
    ASSERT_EQ(all.size(), cat.CombinationCount());
    EXPECT_TRUE(all.join(QString()).contains(QStringLiteral("C23"))); // rows after the three groups

    ClickRadio(f.RG_IntermediarySSP, 2);
    QStringList kx18 = k.Lines();
    ASSERT_EQ(kx18.size(), cat.nB);
    for (int i = 0; i < kx18.size(); ++i) {
        EXPECT_TRUE(kx18[i].contains(QStringLiteral("KX 18"))) << kx18[i].toStdString();
        EXPECT_EQ(f.ListedRows()[static_cast<size_t>(i)], cat.nA + i);
    }
    EXPECT_TRUE(f.RG_IntermediarySSP->toolTip().isEmpty());
    EXPECT_EQ(f.LB_WQKX->currentRow(), 0);
    EXPECT_EQ(f.Lbl_WQCombination->text(), QString::fromStdString(cat.combinations.names[cat.nA]));

    ClickRadio(f.RG_WQPiles, 1); // "WQ 575"
    QStringList wq575 = k.Lines();
    EXPECT_GT(wq575.size(), 0);
    EXPECT_LT(wq575.size(), kx18.size());
    for (const QString& line : wq575)
        EXPECT_TRUE(line.contains(QStringLiteral("WQ 575")) && line.contains(QStringLiteral("KX 18")));

    // A metric line: a blank, the name padded to 18, a tab, Sx padded to 10.
    int row = f.ListedRows()[0];
    QString expected = QStringLiteral(" %1\t%2")
                           .arg(QString::fromStdString(cat.combinations.names[row]), -18)
                           .arg(Fixed(cat.combinations.sxWQ[row], 0), -10);
    EXPECT_EQ(wq575[0], expected);
}

TEST(KestraneList, AClickSelectsTheCombinationAndShowsItsValues)
{
    Kestrane k;
    cw::TForm1& f = *k.form;
    const cw::CombinationTable& c = f.Data().catalogue.combinations;
    k.Type(f.Edit_Moment, QStringLiteral("500"));
    k.ClickLine(10);
    EXPECT_EQ(f.Lbl_WQCombination->text(), QString::fromStdString(c.names[10]));
    EXPECT_EQ(k.Panel(0), QStringLiteral(" Sx(WQ)= %1 ; Sx(NJ/VB)= %2 ; Area= %3 cm²/m")
                              .arg(Fixed(c.sxWQ[10], 0), Fixed(c.sxNJ[10], 0), Fixed(c.area[10] / c.b[10], 1)));
    EXPECT_TRUE(k.Panel(1).isEmpty());
    QString sf10 = f.Lbl_SfminResult->text();

    // The keyboard changes the selection as a click does.
    f.LB_WQKX->setFocus();
    QTest::keyClick(f.LB_WQKX, Qt::Key_Down);
    EXPECT_EQ(f.Lbl_WQCombination->text(), QString::fromStdString(c.names[11]));
    EXPECT_NE(f.Lbl_SfminResult->text(), sf10);
    // Clicking the selected line again keeps it.
    k.ClickLine(11);
    EXPECT_EQ(f.Lbl_WQCombination->text(), QString::fromStdString(c.names[11]));
}

TEST(KestraneSearch, TheWindowListsTheCombinationsInsideIt)
{
    Kestrane k;
    cw::TForm1& f = *k.form;
    int total = f.Data().catalogue.CombinationCount();
    k.TypeAndLeave(f.Edit_Moment, QStringLiteral("500"));
    f.MenuSelectSfmin->trigger();
    EXPECT_TRUE(f.MenuSelectSfmin->isChecked());
    EXPECT_EQ(f.GB_Sfmin->title(), QStringLiteral("  Required Sfmin  "));
    EXPECT_TRUE(f.Lbl_SfminResult->isHidden());
    EXPECT_FALSE(f.Lbl_Sf_Text->isHidden());
    k.TypeAndLeave(f.Edit_Sfmin, QStringLiteral("3"));
    k.TypeAndLeave(f.Edit_SfMax, QStringLiteral("4"));
    ASSERT_DOUBLE_EQ(f.RequiredSfmin(), 3.0);
    ASSERT_DOUBLE_EQ(f.SfMax(), 4.0);

    int listed = f.LB_WQKX->count();
    EXPECT_GT(listed, 5);
    EXPECT_LT(listed, total / 2);
    for (int line = 0; line < listed; ++line) {
        k.ClickLine(line);
        double sf = f.Lbl_SfminResult->text().toDouble();
        EXPECT_GE(sf, 3.0) << line;
        EXPECT_LE(sf, 4.0) << line;
    }
    // A larger moment lowers every safety factor: the list follows at once.
    k.TypeAndLeave(f.Edit_Moment, QStringLiteral("700"));
    EXPECT_NE(f.LB_WQKX->count(), listed);
    EXPECT_EQ(f.LB_WQKX->currentRow(), 0);

    // Back to the list of all combinations.
    f.MenuSelectCombination->trigger();
    EXPECT_EQ(f.LB_WQKX->count(), total);
    EXPECT_TRUE(f.Edit_Moment->hasFocus());
    EXPECT_TRUE(f.Edit_Sfmin->isHidden());
    EXPECT_FALSE(f.Lbl_SfminResult->isHidden());
    EXPECT_EQ(f.GB_Sfmin->title(), QStringLiteral("  Minimum Sf  "));
}

TEST(KestraneSearch, AnEmptyWindowShowsAdviceAndIgnoresClicks)
{
    Kestrane k;
    cw::TForm1& f = *k.form;
    k.TypeAndLeave(f.Edit_Moment, QStringLiteral("500"));
    f.MenuSelectSfmin->trigger();
    k.TypeAndLeave(f.Edit_Sfmin, QStringLiteral("3"));
    k.TypeAndLeave(f.Edit_SfMax, QStringLiteral("4"));
    ASSERT_GT(f.LB_WQKX->count(), 0);
    QString chosen = f.Lbl_WQCombination->text();
    // Ten times the moment: no safety factor reaches 3.
    k.TypeAndLeave(f.Edit_Moment, QStringLiteral("5000"));
    QStringList advice{QStringLiteral(" No match found."), QStringLiteral(" Check bending moment,"),
                       QStringLiteral(" compression load,"), QStringLiteral(" deflection,"),
                       QStringLiteral(" steel grades,"), QStringLiteral(" Sfmin required.")};
    EXPECT_EQ(k.Lines(), advice);
    EXPECT_FALSE(f.LB_WQKX->isEnabled());
    EXPECT_FALSE(f.TabSheetMaterialList->isEnabled());
    EXPECT_FALSE(f.MenuPrint->isEnabled());
    EXPECT_FALSE(f.MenuPrintToFile->isEnabled());
    EXPECT_EQ(f.LB_WQKX->currentRow(), -1);
    EXPECT_EQ(f.Lbl_WQResult->text(), QStringLiteral("N/A"));
    EXPECT_EQ(f.Lbl_Weight_WQ->text(), QStringLiteral(" N/A "));
    EXPECT_TRUE(f.Lbl_Weight_60->isHidden());

    // A click that finds no combination does nothing.
    f.LB_WQKX->setEnabled(true);
    k.ClickLine(0);
    f.LB_WQKXClick();
    EXPECT_EQ(f.Lbl_WQCombination->text(), chosen);
    EXPECT_TRUE(k.platform.messages->calls.empty());

    // The material list tab cannot be shown without a system.
    ClickTab(f, 1);
    EXPECT_EQ(k.Panel(0), QStringLiteral(" No WQ/KX system selected. Return to previous page! "));
    EXPECT_FALSE(f.MenuMetric->isEnabled());
    ClickTab(f, 0);
    EXPECT_TRUE(f.MenuMetric->isEnabled());
    EXPECT_TRUE(f.MenuSelectSfmin->isEnabled());
}

TEST(KestraneTabs, UnitMenuIsBlockedOnTheMaterialListInTheWindowSearch)
{
    Kestrane k;
    cw::TForm1& f = *k.form;
    k.TypeAndLeave(f.Edit_Moment, QStringLiteral("500"));
    f.MenuSelectSfmin->trigger();
    k.TypeAndLeave(f.Edit_Sfmin, QStringLiteral("3"));
    k.TypeAndLeave(f.Edit_SfMax, QStringLiteral("4"));
    ASSERT_GT(f.LB_WQKX->count(), 0);
    ClickTab(f, 1);
    EXPECT_EQ(f.PageControl1->currentWidget(), f.TabSheetMaterialList);
    EXPECT_FALSE(f.MenuMetric->isEnabled());
    EXPECT_FALSE(f.MenuImperial->isEnabled());
    EXPECT_FALSE(f.MenuSelectSfmin->isEnabled());
    EXPECT_TRUE(f.MenuSelectWallLength->isEnabled());
    EXPECT_TRUE(f.MenuSelectWallLength->isChecked());
    emit f.MenuUnits->aboutToShow();
    EXPECT_EQ(k.Panel(1), QStringLiteral(" Menu \"Units\" unavailable! "));

    ClickTab(f, 0);
    EXPECT_TRUE(f.MenuImperial->isEnabled());
    EXPECT_FALSE(f.MenuSelectWallLength->isEnabled());
    EXPECT_TRUE(f.MenuSelectSfmin->isChecked());
}

TEST(KestraneTabs, UnitMenuNoticeOnlyWhileTheMaterialListPageShows)
{
    Kestrane k;
    cw::TForm1& f = *k.form;
    k.TypeAndLeave(f.Edit_Moment, QStringLiteral("5000"));
    f.MenuSelectSfmin->trigger();
    k.TypeAndLeave(f.Edit_Sfmin, QStringLiteral("3"));
    ASSERT_FALSE(f.TabSheetMaterialList->isEnabled()); // no match: the tab's page stays hidden
    ClickTab(f, 1);
    ASSERT_TRUE(f.TabSheetMaterialList->isHidden());
    f.SB1->ClearPanel(1);
    emit f.MenuUnits->aboutToShow();
    EXPECT_TRUE(k.Panel(1).isEmpty());
}

TEST(KestraneTabs, TheCatalogueTabAlwaysSuppliesAListedCombination)
{
    // A run that starts on the built-up tab: the catalogue tab, once shown,
    // lists the combinations and selects the first.
    Kestrane k("[Units]\nMetric=1\n[SFMinReq]\nSFMinRequired=1.50\n[SFMaxReq]\nSFMaxRequired=10.00\n"
               "[WQ Catalogue]\nEnabled=0\n");
    cw::TForm1& f = *k.form;
    const cw::Catalogue& cat = f.Data().catalogue;
    ASSERT_FALSE(f.CatalogueTabEnabled());
    ClickTab(f, 0);
    EXPECT_TRUE(f.CatalogueTabEnabled());
    ASSERT_EQ(f.LB_WQKX->count(), cat.CombinationCount());
    EXPECT_EQ(f.LB_WQKX->currentRow(), 0);
    EXPECT_EQ(f.Lbl_WQCombination->text(), QString::fromStdString(cat.combinations.names[0]));
    EXPECT_DOUBLE_EQ(f.Data().selected.sxWQ, cat.combinations.sxWQ[0]);

    // A unit switch while the built-up tab is the source: back on the
    // catalogue tab the lines show Sx in the new unit, the chosen line kept.
    k.ClickLine(3);
    ClickTab(f, 2);
    f.MenuImperial->trigger();
    ClickTab(f, 0);
    EXPECT_EQ(f.LB_WQKX->currentRow(), 3);
    EXPECT_EQ(f.Lbl_WQCombination->text(), QString::fromStdString(cat.combinations.names[3]));
    EXPECT_EQ(k.Lines()[3],
              QString::fromStdString(cw::ListLine(cat.combinations.names[3], cat.combinations.sxWQ[3], false)));
}

TEST(KestraneMenus, AboutBoxAndClose)
{
    Kestrane k;
    cw::TForm1& f = *k.form;
    cw::TKestraneAboutBox box(&f);
    f.SetAboutBox(&box);
    EXPECT_EQ(box.windowTitle(), QStringLiteral("WQ KX Kestrane About"));
    EXPECT_EQ(box.Version->text(), QStringLiteral("Version ") + QString::fromLatin1(cw::kKestraneVersion));
    f.MenuAbout->trigger();
    EXPECT_TRUE(box.isVisible());
    EXPECT_TRUE(box.Notice->text().contains(QStringLiteral("No liability")));
    f.MenuClose->trigger();
    EXPECT_FALSE(f.isVisible());
    EXPECT_NE(k.SettingsText(), "<none>");
}

} // namespace
