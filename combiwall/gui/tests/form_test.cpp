// Kestrane's main form driven as a person would: typed keys, focus changes,
// menu commands and clicks; checks of the status bar, labels, list and beeps.
#include "form_fixture.h"

#include "calcframe/gui/radiogroup.h"
#include "combiwall/gui/startup.h"
#include "platform/numtext.h"

#include <QGroupBox>
#include <QPalette>
#include <QRadioButton>
#include <QTabWidget>

namespace {

using cwtest::Kestrane;

const char* kValidSettings = "[Units]\r\nMetric=0\r\n[SFMinReq]\r\nSFMinRequired=2.00\r\n"
                             "[SFMaxReq]\r\nSFMaxRequired=3.00\r\n[WQ Catalogue]\r\nEnabled=1\r\n";

// Key lines of an ini text, in order.
std::vector<std::string> KeyLines(const std::string& text)
{
    std::vector<std::string> keys;
    size_t pos = 0;
    while (pos < text.size()) {
        size_t end = text.find('\n', pos);
        std::string line = text.substr(pos, end == std::string::npos ? std::string::npos : end - pos);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.find('=') != std::string::npos)
            keys.push_back(line);
        pos = end == std::string::npos ? text.size() : end + 1;
    }
    return keys;
}

// --- start-up and settings ---------------------------------------------------

// The program's decimal separator for the life of a test.
struct Separator {
    explicit Separator(char c) { sps::SetDecimalSeparator(c); }
    ~Separator() { sps::SetDecimalSeparator('.'); }
};

TEST(KestraneSettings, NumbersMeanTheSameUnderEveryLocale)
{
    std::string written;
    {
        Separator comma(',');
        Kestrane k(kValidSettings); // written with "."
        cw::TForm1& f = *k.form;
        EXPECT_FALSE(f.Metric()); // not the fallback
        EXPECT_EQ(f.Edit_Sfmin->text(), QStringLiteral("2,00"));
        EXPECT_DOUBLE_EQ(f.RequiredSfmin(), 2.0);
        f.MenuSelectSfmin->trigger();
        k.TypeAndLeave(f.Edit_SfMax, QStringLiteral("3.5"));
        EXPECT_EQ(f.Edit_SfMax->text(), QStringLiteral("3,50"));
        f.MenuClose->trigger();
        written = k.SettingsText();
    }
    EXPECT_EQ(KeyLines(written), (std::vector<std::string>{"Metric=0", "SFMinRequired=2.00", "SFMaxRequired=3.50",
                                                           "Enabled=1"}));
    // A file written with "," under another locale reads the same.
    Kestrane k("[Units]\r\nMetric=0\r\n[SFMinReq]\r\nSFMinRequired=2,00\r\n[SFMaxReq]\r\nSFMaxRequired=3,50\r\n");
    EXPECT_FALSE(k.form->Metric());
    EXPECT_EQ(k.form->Edit_Sfmin->text(), QStringLiteral("2.00"));
    EXPECT_DOUBLE_EQ(k.form->RequiredSfmin(), 2.0);
    EXPECT_DOUBLE_EQ(k.form->SfMax(), 3.5);
    EXPECT_TRUE(k.Beeps().empty());
}

TEST(KestraneSettings, NoFileStartsMetricAndWritesFourKeysAtClose)
{
    Kestrane k;
    cw::TForm1& f = *k.form;
    EXPECT_TRUE(f.Metric());
    EXPECT_TRUE(f.MenuMetric->isChecked());
    EXPECT_EQ(f.Edit_Sfmin->text(), QStringLiteral("1.50"));
    EXPECT_EQ(f.Edit_SfMax->text(), QStringLiteral("10.00"));
    EXPECT_DOUBLE_EQ(f.RequiredSfmin(), 1.5);
    EXPECT_DOUBLE_EQ(f.SfMax(), 10.0);
    EXPECT_TRUE(f.CatalogueTabEnabled());
    EXPECT_EQ(f.PageControl1->currentWidget(), f.TabSheetKestrane);
    EXPECT_EQ(f.Lbl_MomentUnit->text(), QStringLiteral("kNm/m"));
    // Every combination is listed and the first one is selected.
    EXPECT_EQ(f.LB_WQKX->count(), f.Data().catalogue.CombinationCount());
    EXPECT_EQ(f.LB_WQKX->currentRow(), 0);
    EXPECT_TRUE(k.Panel(0).startsWith(QStringLiteral(" Sx(WQ)= ")));
    EXPECT_TRUE(f.Lbl_Sf_Text->isHidden());
    EXPECT_EQ(k.SettingsText(), "<none>"); // reading does not create it

    f.MenuClose->trigger();
    EXPECT_FALSE(f.isVisible());
    EXPECT_EQ(KeyLines(k.SettingsText()),
              (std::vector<std::string>{"Metric=1", "SFMinRequired=1.50", "SFMaxRequired=10.00", "Enabled=1"}));
    EXPECT_NE(k.SettingsText().find("[Units]"), std::string::npos);
    EXPECT_NE(k.SettingsText().find("[WQ Catalogue]"), std::string::npos);
    EXPECT_TRUE(k.platform.messages->calls.empty());
}

TEST(KestraneSettings, ValidFileIsTakenAndWrittenBack)
{
    Kestrane k(kValidSettings);
    cw::TForm1& f = *k.form;
    EXPECT_FALSE(f.Metric());
    EXPECT_TRUE(f.MenuImperial->isChecked());
    EXPECT_EQ(f.Lbl_MomentUnit->text(), QStringLiteral("kips*ft/ft"));
    EXPECT_EQ(f.GB_WQKX->title(), QStringLiteral("   WQ / KX Comb.            Sx (in³/ft)  "));
    EXPECT_EQ(f.Edit_Sfmin->text(), QStringLiteral("2.00"));
    EXPECT_EQ(f.Edit_SfMax->text(), QStringLiteral("3.00"));
    f.close();
    EXPECT_EQ(KeyLines(k.SettingsText()),
              (std::vector<std::string>{"Metric=0", "SFMinRequired=2.00", "SFMaxRequired=3.00", "Enabled=1"}));
}

TEST(KestraneSettings, InconsistentOrOutOfRangeValuesFallBack)
{
    // 2.10 is not above 1.1 x 2.00: the fallback includes metric units.
    {
        Kestrane k("[Units]\nMetric=0\n[SFMinReq]\nSFMinRequired=2.00\n[SFMaxReq]\nSFMaxRequired=2.10\n");
        EXPECT_TRUE(k.form->Metric());
        EXPECT_EQ(k.form->Edit_Sfmin->text(), QStringLiteral("1.50"));
        EXPECT_EQ(k.form->Edit_SfMax->text(), QStringLiteral("10.00"));
        // Nothing is reported: no beep, no notice, SfMax black.
        EXPECT_TRUE(k.Beeps().empty());
        EXPECT_TRUE(k.Panel(1).isEmpty());
        EXPECT_EQ(k.form->Edit_SfMax->palette().color(QPalette::Text), QColor(Qt::black));
    }
    // Sfmin 7 is cleared by its change handler, so the fallback applies.
    {
        Kestrane k("[Units]\nMetric=0\n[SFMinReq]\nSFMinRequired=7.00\n[SFMaxReq]\nSFMaxRequired=9.00\n");
        EXPECT_TRUE(k.form->Metric());
        EXPECT_EQ(k.form->Edit_Sfmin->text(), QStringLiteral("1.50"));
        EXPECT_DOUBLE_EQ(k.form->RequiredSfmin(), 1.5);
        EXPECT_DOUBLE_EQ(k.form->SfMax(), 10.0);
    }
    // Values that are no numbers count as empty: fallback, nothing reported.
    {
        Kestrane k("[Units]\nMetric=zero\n[SFMinReq]\nSFMinRequired=abc\n[SFMaxReq]\nSFMaxRequired=.\n");
        EXPECT_TRUE(k.form->Metric());
        EXPECT_EQ(k.form->Edit_Sfmin->text(), QStringLiteral("1.50"));
        EXPECT_TRUE(k.platform.messages->calls.empty());
        EXPECT_TRUE(k.Beeps().empty());
    }
}

TEST(KestraneSettings, SfMaxAtTheShownBoundIsKeptAcrossARestart)
{
    // The field accepts SfMax = 1.1 x Sfmin (the hint's "1.65 =< Sfmax"); the
    // settings must keep it too instead of falling back to 10.00.
    std::string written;
    {
        Kestrane k("[Units]\nMetric=1\n[SFMinReq]\nSFMinRequired=1.50\n[SFMaxReq]\nSFMaxRequired=1.65\n");
        EXPECT_EQ(k.form->Edit_Sfmin->text(), QStringLiteral("1.50"));
        EXPECT_EQ(k.form->Edit_SfMax->text(), QStringLiteral("1.65"));
        k.form->close();
        written = k.SettingsText();
    }
    EXPECT_EQ(KeyLines(written),
              (std::vector<std::string>{"Metric=1", "SFMinRequired=1.50", "SFMaxRequired=1.65", "Enabled=1"}));
}

TEST(KestraneSettings, MissingMetricKeyStartsImperialAndSfMaxIsCappedAt100)
{
    Kestrane k("[SFMinReq]\nSFMinRequired=1.50\n[SFMaxReq]\nSFMaxRequired=150.00\n");
    EXPECT_FALSE(k.form->Metric());
    EXPECT_EQ(k.form->Edit_SfMax->text(), QStringLiteral("100.00"));
    EXPECT_DOUBLE_EQ(k.form->SfMax(), 100.0);
    // Capped while the settings are read: nothing is reported.
    EXPECT_TRUE(k.Panel(1).isEmpty());
    EXPECT_TRUE(k.Beeps().empty());
    EXPECT_EQ(k.form->Lbl_LoadUnit->text(), QStringLiteral("kips/ft"));
    EXPECT_EQ(k.form->Lbl_LengthWQUnits->text(), QStringLiteral("ft"));
}

TEST(KestraneSettings, BuiltUpSourceStartsOnTheBuiltUpTab)
{
    Kestrane k("[Units]\nMetric=1\n[SFMinReq]\nSFMinRequired=1.50\n[SFMaxReq]\nSFMaxRequired=10.00\n"
               "[WQ Catalogue]\nEnabled=0\n");
    EXPECT_FALSE(k.form->CatalogueTabEnabled());
    EXPECT_EQ(k.form->PageControl1->currentWidget(), k.form->TabSheetKestrane_Own);
    EXPECT_TRUE(k.form->MenuWQOwn->isChecked());
    EXPECT_FALSE(k.form->MenuSelectCombination->isEnabled());
    EXPECT_FALSE(k.form->MenuSelectSfmin->isEnabled());
    k.form->close();
    EXPECT_EQ(KeyLines(k.SettingsText()).back(), "Enabled=0");
}

TEST(KestraneSettings, EmptyOrUnparsableFieldsAreWrittenAsDefaults)
{
    Kestrane k;
    cw::TForm1& f = *k.form;
    f.Edit_SfMax->setText(QString());
    f.Edit_Sfmin->setText(QStringLiteral("."));
    f.close();
    EXPECT_EQ(KeyLines(k.SettingsText()),
              (std::vector<std::string>{"Metric=1", "SFMinRequired=1.50", "SFMaxRequired=10.00", "Enabled=1"}));
    EXPECT_TRUE(k.platform.messages->calls.empty());
}

TEST(KestraneSettings, AWriteFailureIsShownOnceAndTheFormClosesAnyway)
{
    Kestrane k;
    // The settings path lies in a folder that does not exist.
    k.form = nullptr;
    auto form = std::make_unique<cw::TForm1>(
        cw::FormPaths{QDir::currentPath(), k.dir.filePath(QStringLiteral("missing/Kestrane.INI"))});
    form->FormCreate();
    form->show();
    EXPECT_TRUE(form->close());
    EXPECT_FALSE(form->isVisible());
    form->close();
    ASSERT_EQ(k.platform.messages->calls.size(), 1u);
    EXPECT_EQ(k.platform.messages->calls[0].kind, sps::TMsgKind::Error);
}

TEST(KestraneDataFile, MissingFileAsksAndNoEndsTheProgram)
{
    sps::FakePlatform platform;
    QTemporaryDir empty;
    platform.messages->answers = {sps::TMsgResult::No};
    cw::TForm1 form(cw::FormPaths{empty.path(), empty.filePath(QStringLiteral("Kestrane.INI"))});
    EXPECT_THROW(form.FormCreate(), cf::ProgramEnd);
    ASSERT_EQ(platform.messages->calls.size(), 1u);
    EXPECT_EQ(platform.messages->calls[0].text,
              "Unable to find the file \"WQ KX Data.daa\" or corrupted file.\n"
              "Would you like to browse your computer for the file?\n"
              "Click \"No\" to exit application.");
    EXPECT_EQ(platform.messages->calls[0].buttons, sps::TMsgButtons::YesNo);
    EXPECT_EQ(platform.files->calls.size(), 0u);
    EXPECT_FALSE(QFile::exists(empty.filePath(QStringLiteral("Kestrane.INI"))));
}

TEST(KestraneDataFile, ACorruptedFileIsReportedAndEndsTheProgram)
{
    sps::FakePlatform platform;
    QTemporaryDir dir;
    QFile in(QStringLiteral("WQ KX Data.daa"));
    ASSERT_TRUE(in.open(QIODevice::ReadOnly));
    QFile out(dir.filePath(QStringLiteral("WQ KX Data.daa")));
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(in.readAll().left(500));
    out.close();
    cw::TForm1 form(cw::FormPaths{dir.path(), dir.filePath(QStringLiteral("Kestrane.INI"))});
    EXPECT_THROW(form.FormCreate(), cf::ProgramEnd);
    ASSERT_EQ(platform.messages->calls.size(), 1u);
    EXPECT_EQ(platform.messages->calls[0].text,
              "\"WQ KX Data.daa\" file seems to be corrupted. Reinstall original file.");
    EXPECT_EQ(platform.messages->calls[0].kind, sps::TMsgKind::Error); // the program ends
}

TEST(KestraneDataFile, BrowsingFindsTheFileInAnotherFolder)
{
    sps::FakePlatform platform;
    QTemporaryDir empty;
    platform.messages->answers = {sps::TMsgResult::Yes};
    platform.files->answers = {QDir::current().filePath(QStringLiteral("WQ KX Data.daa")).toStdString()};
    cw::TForm1 form(cw::FormPaths{empty.path(), empty.filePath(QStringLiteral("Kestrane.INI"))});
    form.FormCreate();
    EXPECT_GT(form.LB_WQKX->count(), 100);
    EXPECT_EQ(platform.files->calls.at(0).params.filter, "Data files only (*.daa)|*.daa");
}

} // namespace

namespace {

TEST(KestraneStart, ProgramStartsWithItsTitleSplashWindowAndAboutBox)
{
    sps::FakePlatform platform;
    QTemporaryDir dir;
    auto* app = static_cast<QApplication*>(QCoreApplication::instance());
    cf::StartedCalculator started = cf::StartCalculator(
        *app, cw::KestraneStartup(cw::FormPaths{QDir::currentPath(), dir.filePath(QStringLiteral("Kestrane.INI"))}));
    ASSERT_TRUE(started.mainForm);
    auto* f = static_cast<cw::TForm1*>(started.mainForm.get());
    EXPECT_EQ(QCoreApplication::applicationName(), QStringLiteral("WQ KX Kestrane"));
    auto* about =
        dynamic_cast<cw::TKestraneAboutBox*>(f->findChild<cf::TAboutBox*>(QStringLiteral("KestraneAboutBox")));
    ASSERT_NE(about, nullptr);
    f->MenuAbout->trigger();
    EXPECT_TRUE(about->isVisible());
    if (started.splash) {
        EXPECT_EQ(started.splash->objectName(), QStringLiteral("SplashScreenBox"));
    }
    about->close();
    delete started.splash.data();
    started.mainForm.reset();
}

} // namespace
