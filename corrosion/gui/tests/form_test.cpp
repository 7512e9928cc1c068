// Rovandel's main form: start-up, settings, data file, menus by tab and the
// layout that depends on the screen resolution.
#include "form_fixture.h"

#include "calcframe/gui/startup.h"
#include "calcframe/gui/testsupport/clipping.h"
#include "calcframe/gui/aboutbox.h"
#include "corrosion/catalogue.h"
#include "corrosion/gui/startup.h"

#include <QPalette>
#include <functional>

namespace {

using rvtest::Rovandel;

// Key lines of an ini text, in order.
std::vector<std::string> KeyLines(const std::string& text)
{
    std::vector<std::string> keys;
    std::string line;
    for (char c : text + "\n") {
        if (c == '\n') {
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            if (line.find('=') != std::string::npos)
                keys.push_back(line);
            line.clear();
        } else {
            line += c;
        }
    }
    return keys;
}

TEST(RovandelStart, WithoutSettingsImperialWithEmptyWindowAndFirstSectionSelected)
{
    Rovandel r(nullptr);
    rv::TForm1& f = *r.form;
    EXPECT_EQ(f.windowTitle(), QStringLiteral(" Rovandel "));
    EXPECT_FALSE(f.Metric());
    EXPECT_TRUE(f.MenuImperial->isChecked());
    EXPECT_EQ(f.Lbl_MomentUnit->text(), QStringLiteral("kips*ft/ft"));
    EXPECT_EQ(f.GB_SSP->title(), QString::fromUtf8(" SSP section    Sx,ini (in³/ft) "));
    EXPECT_EQ(f.Lbl_Summary_Front3->text(), QStringLiteral(" mils"));
    EXPECT_TRUE(f.Edit_Sfmin->text().isEmpty());
    EXPECT_TRUE(f.Edit_SfMax->text().isEmpty());
    EXPECT_DOUBLE_EQ(f.SfMin(), 1000000.0);
    EXPECT_DOUBLE_EQ(f.SfMax(), 0.0);

    // Every section listed, the first one selected and current.
    const cr::Catalogue& cat = f.Catalogue();
    ASSERT_EQ(f.LB_SSP->count(), cat.SectionCount());
    EXPECT_EQ(f.LB_SSP->currentRow(), 0);
    EXPECT_EQ(f.Section().name, cat.sectionNames[0]);
    EXPECT_EQ(r.Lines()[0], cf::QStr(cr::SectionListLine(cat, 0, false)));
    EXPECT_EQ(f.CB_SteelGrades->count(), static_cast<int>(cat.imperialGrades.names.size()));

    // Code tables, atmospheric environments, service life " 0" first.
    EXPECT_TRUE(f.MenuEC3Rates->isChecked());
    EXPECT_FALSE(f.MenuEC3Rates->isEnabled());
    EXPECT_EQ(f.CB_ServiceLife->currentText(), QStringLiteral(" 0"));
    EXPECT_EQ(f.CB_ServiceLife->count(), 1 + static_cast<int>(cat.serviceLifeChoices.size()));
    EXPECT_EQ(f.RG_Front_Detail->Count(), static_cast<int>(cat.environments[cr::kAtmospheric].descriptions.size()));
    EXPECT_EQ(f.RG_Front_Detail->title(), QStringLiteral(" Chapter 4 "));
    EXPECT_EQ(f.Lbl_Summary_Front4->text(), cf::QStr(cat.environments[cr::kAtmospheric].descriptions[0]));
    EXPECT_FALSE(f.RG_A690->isEnabled());
    EXPECT_EQ(f.Lbl_Red_Sx2->text(), QStringLiteral(" Sx,ini "));
    EXPECT_EQ(f.Lbl_Sf_Result->text(), QStringLiteral("N/A"));
    EXPECT_FALSE(f.Lbl_SFRed->isEnabled()); // no loss in the list-all mode
    EXPECT_EQ(f.PageControl1->currentWidget(), f.TabSheetInput);
    EXPECT_TRUE(r.platform.messages->calls.empty());
    EXPECT_EQ(r.SettingsText(), "<none>");

    f.MenuClose->trigger();
    EXPECT_FALSE(f.isVisible());
    EXPECT_EQ(KeyLines(r.SettingsText()),
              (std::vector<std::string>{"Metric=0", "SFMinRequired=1.50", "SFMaxRequired=10.00"}));
}

TEST(RovandelStart, SettingsAreReadAndWrittenBack)
{
    // Read, kept and written back.
    {
        Rovandel r("[Units]\nMetric=1\n[SFMinReq]\nSFMinRequired=2.00\n[SFMaxReq]\nSFMaxRequired=2.30\n");
        EXPECT_TRUE(r.form->Metric());
        EXPECT_EQ(r.form->Edit_SfMax->text(), QStringLiteral("2.30"));
        r.form->close();
        EXPECT_EQ(KeyLines(r.SettingsText()),
                  (std::vector<std::string>{"Metric=1", "SFMinRequired=2.00", "SFMaxRequired=2.30"}));
    }
    // SfMax 2.10 is below 1.1 x 2.00: kept in its field, written as 10.00.
    {
        Rovandel r("[Units]\nMetric=1\n[SFMinReq]\nSFMinRequired=2.00\n[SFMaxReq]\nSFMaxRequired=2.10\n");
        EXPECT_EQ(r.form->Edit_SfMax->text(), QStringLiteral("2.10"));
        r.form->close();
        EXPECT_EQ(KeyLines(r.SettingsText())[2], "SFMaxRequired=10.00");
    }
    // The accepted bound itself (1.1 x 1.50 = 1.65) survives a restart.
    {
        Rovandel r("[Units]\nMetric=1\n[SFMinReq]\nSFMinRequired=1.50\n[SFMaxReq]\nSFMaxRequired=1.65\n");
        r.form->close();
        EXPECT_EQ(KeyLines(r.SettingsText())[2], "SFMaxRequired=1.65");
    }
    // A value that is no number: metric units, 1.50 and 10.00, nothing reported.
    {
        Rovandel r("[Units]\nMetric=0\n[SFMinReq]\nSFMinRequired=abc\n[SFMaxReq]\nSFMaxRequired=3\n");
        EXPECT_TRUE(r.form->Metric());
        EXPECT_EQ(r.form->Edit_Sfmin->text(), QStringLiteral("1.50"));
        EXPECT_EQ(r.form->Edit_SfMax->text(), QStringLiteral("10.00"));
        EXPECT_DOUBLE_EQ(r.form->SfMax(), 10.0);
        EXPECT_TRUE(r.platform.messages->calls.empty());
        EXPECT_TRUE(r.Beeps().empty());
        EXPECT_TRUE(r.Panel(1).isEmpty());
    }
}

TEST(RovandelStart, StartsSilentlyAndConsistentWithTheSettingsItWrote)
{
    // The first run writes Sfmin 1.50 over a field that shows 1.50 at the
    // next start: its change handler still runs, so SfMax 10.00 is accepted.
    std::string own;
    {
        Rovandel first(nullptr);
        first.form->close();
        own = first.SettingsText();
    }
    for (int run = 0; run < 2; ++run) {
        Rovandel r(own.c_str());
        rv::TForm1& f = *r.form;
        EXPECT_TRUE(r.Beeps().empty()) << run;
        EXPECT_TRUE(r.Panel(1).isEmpty()) << run;
        EXPECT_EQ(f.Edit_Sfmin->text(), QStringLiteral("1.50"));
        EXPECT_EQ(f.Edit_SfMax->text(), QStringLiteral("10.00"));
        EXPECT_DOUBLE_EQ(f.SfMin(), 1.5) << run;
        EXPECT_DOUBLE_EQ(f.SfMax(), 10.0) << run;
        EXPECT_EQ(f.Edit_SfMax->palette().color(QPalette::Text), QColor(Qt::black)) << run;
        f.close();
        EXPECT_EQ(r.SettingsText(), own) << run;
    }
}

TEST(RovandelStart, AWriteFailureIsShownOnceAndTheFormClosesAnyway)
{
    Rovandel r;
    r.form = std::make_unique<rv::TForm1>(
        rv::FormPaths{QDir::currentPath(), r.dir.filePath(QStringLiteral("missing/Rovandel.INI"))});
    r.form->FormCreate();
    r.form->show();
    EXPECT_TRUE(r.form->close());
    EXPECT_FALSE(r.form->isVisible());
    r.form->close();
    ASSERT_EQ(r.platform.messages->calls.size(), 1u);
    EXPECT_EQ(r.platform.messages->calls[0].kind, sps::TMsgKind::Error);
}

TEST(RovandelStart, DataFileMissingOrCorrupted)
{
    sps::FakePlatform platform;
    QTemporaryDir dir;
    platform.messages->answers = {sps::TMsgResult::No};
    {
        rv::TForm1 form(rv::FormPaths{dir.path(), dir.filePath(QStringLiteral("Rovandel.INI"))});
        EXPECT_THROW(form.FormCreate(), cf::ProgramEnd);
    }
    ASSERT_EQ(platform.messages->calls.size(), 1u);
    EXPECT_EQ(platform.messages->calls[0].text,
              "Unable to find the file \"SSP Rovandel.daa\" or corrupted file.\n"
              "Would you like to browse your computer for the file?\n"
              "Click \"No\" to exit application.");

    QFile in(QString::fromLatin1(cr::kCatalogueFileName));
    ASSERT_TRUE(in.open(QIODevice::ReadOnly));
    QFile out(dir.filePath(QString::fromLatin1(cr::kCatalogueFileName)));
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(in.readAll().left(700));
    out.close();
    rv::TForm1 form(rv::FormPaths{dir.path(), dir.filePath(QStringLiteral("Rovandel.INI"))});
    EXPECT_THROW(form.FormCreate(), cf::ProgramEnd);
    ASSERT_EQ(platform.messages->calls.size(), 2u);
    EXPECT_EQ(platform.messages->calls[1].text, cr::kCatalogueCorrupted);
    EXPECT_EQ(platform.messages->calls[1].kind, sps::TMsgKind::Error); // the program ends
}

TEST(RovandelStart, MenusFollowTheTab)
{
    Rovandel r;
    rv::TForm1& f = *r.form;
    auto state = [&f] {
        return std::vector<bool>{f.MenuPrint->isEnabled(),     f.MenuPrintToFile->isEnabled(),
                                 f.MenuSelectSection->isEnabled(), f.MenuSelectSfmin->isEnabled(),
                                 f.MenuEC3Rates->isEnabled(),   f.MenuProjectRates->isEnabled(),
                                 f.MenuMetric->isEnabled(),     f.MenuImperial->isEnabled()};
    };
    r.ClickTab(f.TabSheetSFTable);
    EXPECT_EQ(state(), (std::vector<bool>{false, false, false, false, false, false, false, false}));
    r.ClickTab(f.TabSheetRates);
    EXPECT_EQ(state(), (std::vector<bool>{false, false, false, false, true, true, true, true}));
    r.ClickTab(f.TabSheetInput);
    EXPECT_EQ(state(), (std::vector<bool>{true, true, true, true, false, false, true, true}));
}

TEST(RovandelLayout, DescriptionLabelsScaleWithTheResolution)
{
    const rv::LabelConstraints at96 = rv::ScaledDescriptionConstraints(96);
    EXPECT_EQ(at96.maxHeight, 95);
    EXPECT_EQ(at96.maxWidth, 150);
    EXPECT_EQ(at96.minWidth, 145);
    const rv::LabelConstraints at120 = rv::ScaledDescriptionConstraints(120);
    EXPECT_EQ(at120.maxHeight, 117); // 112.5 rounds to 112
    EXPECT_EQ(at120.maxWidth, 188);  // 187.5 rounds to 188
    EXPECT_EQ(at120.minWidth, 181);

    // On the form: the scaled constraints, each label centred below its caption.
    Rovandel r;
    rv::TForm1& f = *r.form;
    EXPECT_EQ(f.Lbl_Summary_Front4->maximumHeight(), 95);
    EXPECT_EQ(f.Lbl_Summary_Back4->minimumWidth(), 145);
    const int below = f.Lbl_Summary_Front1->geometry().bottom() + 1;
    const int room = f.GB_Loss_Summary->height() - 13;
    EXPECT_NEAR(f.Lbl_Summary_Front4->y() + f.Lbl_Summary_Front4->height() / 2.0, (below + room) / 2.0, 1.0);
}

TEST(RovandelLayout, SummaryGridSizes)
{
    auto width = [](const std::string& s) { return static_cast<int>(6 * s.size()); };
    const std::vector<std::string> sections{"KX 13", "KX 16 long name"};
    const std::vector<std::string> grades{"S 355 GP", "A 690"};
    rv::SfGridLayout g = rv::LayoutSfGridFor(sections, grades, 96, 13, 1000, width);
    EXPECT_EQ(g.rowHeight, 19);
    EXPECT_EQ(g.columnWidths, (std::vector<int>{40, 100})); // 30 + 10 is below 40
    EXPECT_EQ(g.column0Width, 62);                          // 1.3 x 48 = 62.4
    EXPECT_EQ(g.row0Height, 29);
    EXPECT_FALSE(g.scrollBar);
    EXPECT_EQ(g.height, 2 * 19 + 29 + 14);

    // 144 pixels per inch: k = 2 (1.5 rounds to 2); too narrow: a scroll bar.
    g = rv::LayoutSfGridFor(sections, grades, 144, 13, 150, width);
    EXPECT_EQ(g.rowHeight, 36);
    EXPECT_EQ(g.columnWidths, (std::vector<int>{80, 110}));
    EXPECT_TRUE(g.scrollBar);
    EXPECT_EQ(g.height, 2 * 36 + (20 + 36) + 68);
    // 120 pixels per inch: k = 1.
    EXPECT_EQ(rv::LayoutSfGridFor(sections, grades, 120, 13, 1000, width).rowHeight, 19);
}

} // namespace

namespace {

TEST(RovandelLayout, NoTextIsCutOnAnyTabInEitherUnitSystem)
{
    Rovandel r;
    rv::TForm1& f = *r.form;
    auto check = [&](const char* state) {
        for (QWidget* page : {f.TabSheetInput, f.TabSheetSFTable, f.TabSheetRates}) {
            r.ClickTab(page);
            EXPECT_EQ(cf::test::ClippedTexts(&f).join(QLatin1Char('\n')).toStdString(), "")
                << state << ", " << page->objectName().toStdString();
        }
        r.ClickTab(f.TabSheetInput);
    };
    // The most detail items (soil) on both faces.
    r.CodeLosses(100, 30, cr::kSoil, 1, cr::kSoil, 4);
    r.ClickTab(f.TabSheetRates);
    EXPECT_EQ(cf::test::ClippedTexts(&f).join(QLatin1Char('\n')).toStdString(), "") << "soil details";
    // The longest texts: sea water details, loads, a wall, the largest section.
    r.CodeLosses(100, 30, cr::kWater, 1, cr::kWater, 3);
    r.Type(f.Edit_Moment, QStringLiteral("11000"));
    r.Type(f.Edit_Load, QStringLiteral("35000"));
    r.Type(f.Edit_Deflection, QStringLiteral("50"));
    r.TypeAndLeave(f.Edit_WallLength, QStringLiteral("2000"));
    r.TypeAndLeave(f.Edit_SSPLength, QStringLiteral("33"));
    r.SelectSection(QStringLiteral("GV 50"));
    check("metric");
    f.MenuImperial->trigger();
    check("imperial");
    f.MenuSelectSfmin->trigger();
    check("imperial, search");
    r.ClickTab(f.TabSheetRates);
    f.MenuProjectRates->trigger();
    r.Click(f.RG_Project_Rates, 1);
    r.TypeAndLeave(f.Edit_Front_Descr, QStringLiteral("Harbour basin, north quay, splash zone below the deck"));
    check("imperial, project totals");
}

} // namespace

namespace {

TEST(RovandelStart, ProgramStartsWithItsTitleAboutBoxAndTheMomentFieldFocused)
{
    sps::FakePlatform platform;
    QTemporaryDir dir;
    auto* app = static_cast<QApplication*>(QCoreApplication::instance());
    cf::StartedCalculator started = cf::StartCalculator(
        *app, rv::RovandelStartup(rv::FormPaths{QDir::currentPath(), dir.filePath(QStringLiteral("Rovandel.INI"))}));
    ASSERT_TRUE(started.mainForm);
    auto* f = static_cast<rv::TForm1*>(started.mainForm.get());
    EXPECT_EQ(QCoreApplication::applicationName(), QStringLiteral(" Rovandel 1.0.2"));
    EXPECT_EQ(f->windowTitle(), QStringLiteral(" Rovandel "));
    EXPECT_EQ(f->focusWidget(), f->Edit_Moment);
    auto* about = dynamic_cast<rv::TRovandelAboutBox*>(f->findChild<cf::TAboutBox*>(QStringLiteral("RovandelAboutBox")));
    ASSERT_NE(about, nullptr);
    EXPECT_EQ(about->windowTitle(), QStringLiteral(" Rovandel About"));
    EXPECT_EQ(about->Version->text(), QStringLiteral("Beta Version 1.0.3,  October 2004"));
    f->MenuAbout->trigger();
    EXPECT_TRUE(about->Notice->text().startsWith(QStringLiteral("Rovandel")));
    if (started.splash) {
        EXPECT_EQ(started.splash->objectName(), QStringLiteral("RovandelSplashScreenBox"));
        EXPECT_NE(dynamic_cast<rv::TRovandelSplashScreenBox*>(started.splash.data()), nullptr);
    }
    about->close();
    delete started.splash.data();
    started.mainForm.reset();
}

} // namespace
