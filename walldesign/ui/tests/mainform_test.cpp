// The main window's commands with injected dialogs: saving and the save
// question, opening, numbering, the enabled commands, auto-save, settings,
// the error box.
#include "walldesign/ui/tests/tavelond_fixture.h"

#include "platform/bytes.h"
#include "platform/error.h"
#include "platform/stream.h"
#include "walldesign/ui/enhgridview.h"
#include "walldesign/ui/resultforms.h"
#include "walldesign/ui/settingsform.h"

#include <QFileInfo>
#include <QLineEdit>
#include <QMdiArea>
#include <QMenuBar>
#include <QStatusBar>
#include <QTest>

#include <set>

namespace wdtest {
namespace {

using sps::TMsgResult;

std::vector<uint8_t> Bytes(const QString& path) { return sps::ReadFileBytes(path.toStdString()); }

TEST(MainForm, QuerySaveAnswersWhetherTheProjectMayBeDropped)
{
    Tavelond t;
    TMainForm& f = *t.form;
    EXPECT_TRUE(f.QuerySave());
    EXPECT_TRUE(t.fake.messages->calls.empty());

    f.NewWallItemClick(f.NewHeadwallItem);
    ASSERT_TRUE(f.Modified);
    t.fake.messages->answers = {TMsgResult::Cancel, TMsgResult::No};
    EXPECT_FALSE(f.QuerySave());
    EXPECT_TRUE(f.QuerySave());
    ASSERT_EQ(t.fake.messages->calls.size(), 2u);
    EXPECT_EQ(t.fake.messages->calls[0].caption, "Confirmation");
    EXPECT_EQ(t.fake.messages->calls[0].text, "The project has modified.\nDo you want to save it ?");
    EXPECT_EQ(t.fake.messages->calls[0].buttons, sps::TMsgButtons::YesNoCancel);

    // Yes, then the Save As dialog is cancelled: nothing is saved.
    t.fake.messages->answers = {TMsgResult::Yes};
    EXPECT_FALSE(f.QuerySave());
    EXPECT_TRUE(f.Modified);

    // Yes, and the save fails: its error is shown and the project stays.
    f.FileName = t.Path("missing/folder/p.spc").toStdString();
    t.fake.messages->answers = {TMsgResult::Yes};
    EXPECT_FALSE(f.QuerySave());
    EXPECT_EQ(t.ErrorTexts().size(), 1u);
    EXPECT_TRUE(f.Modified);

    // Closing the window asks the same; Cancel keeps it open.
    f.show();
    t.fake.messages->answers = {TMsgResult::Cancel};
    EXPECT_FALSE(f.close());
    EXPECT_TRUE(f.isVisible());

    // Yes, and the save works.
    f.FileName = t.Path("p.spc").toStdString();
    t.fake.messages->answers = {TMsgResult::Yes};
    EXPECT_TRUE(f.QuerySave());
    EXPECT_FALSE(f.Modified);
    EXPECT_TRUE(QFileInfo::exists(t.Path("p.spc")));
    EXPECT_EQ(f.StatusText(), "File saved");
}

TEST(MainForm, StartUpEndsWithoutTheCatalogueFilesAndWritesNothing)
{
    sps::FakePlatform fake;
    QTemporaryDir empty;
    QString settings = empty.filePath(QStringLiteral("Tavelond.ini"));
    std::string error;
    try {
        BuildMainWindow(TMainFormPaths{empty.path(), settings}, nullptr);
    } catch (const sps::Exception& e) {
        error = e.Message();
    }
    EXPECT_NE(error.find("sheetpiles.dat"), std::string::npos) << error;
    EXPECT_FALSE(QFileInfo::exists(settings));
}

TEST(MainForm, SectionsAreNumberedAfterTheHighestAndCancelledOnesVanish)
{
    Tavelond t;
    TMainForm& f = *t.form;
    for (int i = 0; i < 3; i++)
        f.NewWallItemClick(f.BuildButton);
    EXPECT_EQ(f.NextSectionNumber(), 4);
    t.Select({"Section 2"});
    f.RemoveSectionItemClick();
    EXPECT_EQ(f.SectionList().size(), 2u);
    EXPECT_EQ(f.NextSectionNumber(), 4); // 1 and 3 give 4
    t.Select({"Section 3", "Headwall", "Input"});
    f.RemoveSectionItemClick();
    EXPECT_EQ(f.NextSectionNumber(), 2);

    t.editor = [](TInputForm&) { return false; };
    f.NewWallItemClick(f.NewAnchorwallItem);
    EXPECT_EQ(f.SectionList().size(), 1u);
    EXPECT_EQ(f.TreeView->topLevelItemCount(), 1);
    EXPECT_EQ(t.edits, (std::vector<int>{0, 0, 0, 0}));

    // The tree of a section: wall, its groups and pages, expanded.
    QTreeWidgetItem* section = t.Node({"Section 1"});
    ASSERT_NE(section, nullptr);
    ASSERT_EQ(section->childCount(), 1);
    QTreeWidgetItem* input = t.Node({"Section 1", "Headwall", "Input"});
    ASSERT_NE(input, nullptr);
    ASSERT_EQ(input->childCount(), 6);
    EXPECT_EQ(input->child(5)->text(0), "Sheet Pile section");
    EXPECT_TRUE(input->isExpanded());
    EXPECT_EQ(t.Node({"Section 1", "Headwall", "Results"})->child(1)->text(0), "Diagram");

    // An input page opens the editor on its page; OK marks the project.
    f.Modified = false;
    t.editor = [](TInputForm&) { return true; };
    t.DoubleClick({"Section 1", "Headwall", "Input", "Boussinesq"});
    EXPECT_EQ(t.edits.back(), 4);
    EXPECT_TRUE(f.Modified);
}

TEST(MainForm, CommandsFollowTheSelection)
{
    Tavelond t;
    TMainForm& f = *t.form;
    auto state = [&f] {
        return std::vector<bool>{f.PrintItem->isEnabled(), f.PrintButton->isEnabled(), f.RemoveButton->isEnabled(),
                                 f.AddAnchorwallItem->isEnabled(), f.RemoveAnchorwallItem->isEnabled()};
    };
    EXPECT_EQ(state(), (std::vector<bool>{false, false, false, false, false}));

    f.NewWallItemClick(f.NewHeadwallItem);
    t.Select({"Section 1"});
    EXPECT_EQ(state(), (std::vector<bool>{true, true, true, true, false}));
    f.SelectedSection()->HeadWall->Support = spCantilever;
    f.UpdateActions();
    EXPECT_FALSE(f.AddAnchorwallItem->isEnabled());
    f.SelectedSection()->HeadWall->Support = spFree;

    f.AddAnchorwallItemClick();
    ASSERT_NE(f.SelectedSection()->AnchorWall, nullptr);
    t.Select({"Section 1", "Anchorwall", "Results", "Table"});
    EXPECT_EQ(f.SelectedWall(), f.SelectedSection()->AnchorWall);
    EXPECT_EQ(state(), (std::vector<bool>{true, true, true, false, true}));
    // A second anchor wall is refused.
    EXPECT_FALSE(sps::RunGuarded([&f] { f.AddAnchorwallItemClick(); }));
    EXPECT_EQ(t.ErrorTexts().back(), "Section 1 already has an anchorwall");

    // Removing the anchor wall frees it and its node.
    f.Modified = false;
    f.RemoveAnchorwallItemClick();
    EXPECT_EQ(f.SectionList()[0]->AnchorWall, nullptr);
    EXPECT_EQ(f.SectionList()[0]->ComponentCount(), 1);
    EXPECT_EQ(t.Node({"Section 1", "Anchorwall"}), nullptr);
    EXPECT_TRUE(f.Modified);
    t.Select({"Section 1"});
    EXPECT_EQ(state(), (std::vector<bool>{true, true, true, true, false}));

    // A section of an anchor wall alone: nothing to add or remove there.
    f.NewWallItemClick(f.NewAnchorwallItem);
    t.Select({"Section 2", "Anchorwall"});
    EXPECT_EQ(state(), (std::vector<bool>{true, true, true, false, false}));
    f.RemoveAnchorwallItemClick();
    EXPECT_NE(f.SectionList()[1]->AnchorWall, nullptr);
}

TEST(MainForm, OpenAndSaveThroughTheCommandsGiveTheSameBytes)
{
    Tavelond t;
    TMainForm& f = *t.form;
    f.ProjectName = "Old";
    f.Modified = true;
    t.fake.files->answers = {Tavelond::ExamplePath().toStdString()};
    t.fake.messages->answers = {TMsgResult::No};
    f.OpenItemClick();
    ASSERT_EQ(t.fake.files->calls.size(), 1u);
    EXPECT_EQ(t.fake.files->calls[0].params.title, "Open Project");
    EXPECT_EQ(t.fake.files->calls[0].params.filter, "Sheetpile Calculation|*.spc|All files|*.*");
    EXPECT_EQ(f.FileName, Tavelond::ExamplePath().toStdString());
    EXPECT_EQ(f.windowTitle(), "Tavelond - " + Tavelond::ExamplePath());
    EXPECT_FALSE(f.Modified);
    EXPECT_EQ(f.StatusText(), "File loaded");
    EXPECT_EQ(f.ProjectName, "Example Quay, Berth 2");
    ASSERT_NE(t.Node({"Section 1", "Anchorwall", "Input"}), nullptr);

    t.fake.files->answers = {t.Path("copy.spc").toStdString()};
    f.SaveAsItemClick();
    EXPECT_EQ(t.fake.files->calls[1].params.title, "Save Project");
    EXPECT_EQ(t.fake.files->calls[1].params.defaultExt, "spc");
    EXPECT_EQ(Bytes(t.Path("copy.spc")), Bytes(Tavelond::ExamplePath()));
    EXPECT_EQ(f.FileName, t.Path("copy.spc").toStdString());

    // Save keeps the previous file as ".bak".
    f.ProjectName = "Changed";
    f.SaveItemClick();
    EXPECT_EQ(Bytes(t.Path("copy.bak")), Bytes(Tavelond::ExamplePath()));
    EXPECT_NE(Bytes(t.Path("copy.spc")), Bytes(Tavelond::ExamplePath()));

    // New drops everything, the name and the mark included.
    f.Modified = true;
    t.fake.messages->answers = {TMsgResult::No};
    f.NewItemClick();
    EXPECT_TRUE(f.SectionList().empty());
    EXPECT_EQ(f.ProjectName, "");
    EXPECT_FALSE(f.Modified);
    EXPECT_EQ(f.FileName, "Noname");
}

TEST(MainForm, AFailedOpenKeepsWhatWasReadUntitledAndTheProgramGoesOn)
{
    Tavelond t;
    TMainForm& f = *t.form;
    // The example, then its section again, cut short.
    std::vector<uint8_t> bytes = Bytes(Tavelond::ExamplePath());
    size_t header = 0;
    for (int i = 0; i < 3; i++)
        header += 2 + bytes.at(header + 1);
    std::vector<uint8_t> damaged = bytes;
    damaged.insert(damaged.end(), bytes.begin() + static_cast<long>(header), bytes.end() - 40);
    WriteText(t.Path("damaged.spc"), std::string(damaged.begin(), damaged.end()));

    t.fake.files->answers = {t.Path("damaged.spc").toStdString()};
    f.OpenItem->trigger();
    ASSERT_EQ(t.ErrorTexts().size(), 1u);
    EXPECT_EQ(t.ErrorTexts()[0].rfind("Invalid project file " + t.Path("damaged.spc").toStdString(), 0), 0u)
        << t.ErrorTexts()[0];
    EXPECT_EQ(f.SectionList().size(), 1u);
    EXPECT_EQ(f.TreeView->topLevelItemCount(), 1);
    EXPECT_EQ(f.FileName, "Noname");
    EXPECT_EQ(f.windowTitle(), "Tavelond - Noname");

    // A later save asks for a name instead of overwriting the damaged file.
    f.SaveItem->trigger();
    EXPECT_TRUE(t.fake.files->calls.back().save);
    EXPECT_EQ(Bytes(t.Path("damaged.spc")), damaged);

    // The program goes on.
    f.NewItem->trigger();
    EXPECT_TRUE(f.SectionList().empty());

    // The same at start-up with the last file.
    std::string settings = "[Preferences]\nOpenLastFile=1\nLastFile=" + t.Path("damaged.spc").toStdString() + "\n";
    Tavelond again(settings.c_str());
    EXPECT_EQ(again.ErrorTexts().size(), 1u);
    EXPECT_EQ(again.form->SectionList().size(), 1u);
    EXPECT_EQ(again.form->FileName, "Noname");
}

TEST(MainForm, AutoSaveWritesACopyBesideTheProjectOrIntoTheBackupFolder)
{
    Tavelond t;
    TMainForm& f = *t.form;
    f.NewWallItemClick(f.NewHeadwallItem);
    ASSERT_TRUE(f.Modified);
    f.TimerTimer(); // untitled: nothing
    EXPECT_TRUE(QDir(t.dir.path()).entryList(QDir::Files).isEmpty());

    f.FileName = t.Path("quay.spc").toStdString();
    WriteText(t.Path("quay.spc"), "old");
    f.TimerTimer();
    EXPECT_EQ(f.AutoSaveFileName(), t.Path("quay.bak").toStdString());
    EXPECT_TRUE(QFileInfo::exists(t.Path("quay.bak")));
    EXPECT_EQ(ReadText(t.Path("quay.spc")), "old");
    EXPECT_TRUE(f.Modified);
    EXPECT_EQ(f.StatusText(), "File auto-saved");

    QDir(t.dir.path()).mkdir(QStringLiteral("backups"));
    f.BackupPath = t.Path("backups").toStdString();
    f.TimerTimer();
    EXPECT_TRUE(QFileInfo::exists(t.Path("backups/quay.bak")));

    // A project named *.bak is never overwritten by its own copy.
    f.BackupPath.clear();
    f.FileName = t.Path("odd.bak").toStdString();
    WriteText(t.Path("odd.bak"), "project");
    f.TimerTimer();
    EXPECT_EQ(ReadText(t.Path("odd.bak")), "project");
    EXPECT_TRUE(QFileInfo::exists(t.Path("odd.bak.bak")));

    // The timer runs from the settings and goes on after a failed save.
    f.AutoSave = true;
    f.BackupPath = t.Path("missing").toStdString();
    f.SettingsItemClick(); // cancelled: nothing changes
    ASSERT_EQ(t.fake.timers->timers.size(), 1u);
    sps::FakeTimer* timer = t.fake.timers->timers[0];
    t.onModal = [](QDialog&) { return int(QDialog::Accepted); };
    f.SettingsItemClick();
    EXPECT_TRUE(timer->Enabled());
    EXPECT_EQ(timer->Interval(), 10 * 60 * 1000);
    timer->Tick();
    EXPECT_EQ(t.ErrorTexts().size(), 1u);
    EXPECT_TRUE(timer->Enabled());

    // The timer rests while a save runs, the Save As dialog included.
    struct TimerWatch : sps::FakeFileDialogs {
        sps::ITimer* timer = nullptr;
        std::vector<bool> enabled;
        std::string Save(const sps::TFileDialogParams& params) override
        {
            enabled.push_back(timer->Enabled());
            return FakeFileDialogs::Save(params);
        }
    };
    auto watch = std::make_shared<TimerWatch>();
    watch->timer = timer;
    watch->answers = {t.Path("named.spc").toStdString()};
    sps::CurrentPlatform().fileDialogs = watch;
    f.SaveAsItemClick();
    EXPECT_EQ(watch->enabled, std::vector<bool>{false});
    EXPECT_TRUE(timer->Enabled());
    EXPECT_TRUE(QFileInfo::exists(t.Path("named.spc")));
}

std::vector<uint8_t> DataOf(const TWall& wall)
{
    sps::ByteWriter out;
    sps::TWriter writer(out);
    wall.WriteData(writer);
    return out.Bytes();
}

std::vector<TWall*> Walls(const TMainForm& f)
{
    std::vector<TWall*> walls;
    for (TSection* section : f.SectionList())
        for (TWall* wall : {static_cast<TWall*>(section->HeadWall), static_cast<TWall*>(section->AnchorWall)})
            if (wall)
                walls.push_back(wall);
    return walls;
}

// Every input page of the example opened and confirmed untouched, in one
// unit system: every wall's stored input stays byte for byte.
class ConfirmedPages : public ::testing::TestWithParam<uint8_t> {};

TEST_P(ConfirmedPages, KeepTheExampleByteForByte)
{
    Tavelond t;
    TMainForm& f = *t.form;
    f.OpenProject(Tavelond::ExamplePath().toStdString());
    std::vector<TWall*> walls = Walls(f);
    ASSERT_EQ(walls.size(), 2u);
    // The example has no user-defined pressure (here one with more decimals
    // than shown); a flag may be any byte but 0.
    walls[1]->Pressures = {TPressure{12.5004f, 30.1f, 1.3f, 4.71234f}};
    walls[0]->Behind.AutoCoefficients = 2;
    std::vector<std::vector<uint8_t>> before;
    for (TWall* wall : walls)
        before.push_back(DataOf(*wall));
    (GetParam() == kMetric ? f.MetricItem : f.ImperialItem)->trigger();
    const QString pages[] = {"Geodata", "Soil Layers", "Concentrated Forces", "Userdefined Pressures", "Boussinesq",
                             "Sheet Pile section"};
    for (const char* wall : {"Headwall", "Anchorwall"})
        for (const QString& page : pages)
            t.DoubleClick({"Section 1", wall, "Input", page});
    EXPECT_EQ(t.edits.size(), 12u);
    EXPECT_TRUE(t.ErrorTexts().empty());
    EXPECT_TRUE(f.Modified);
    f.MetricItem->trigger();
    for (size_t i = 0; i < walls.size(); i++)
        EXPECT_EQ(DataOf(*walls[i]), before[i]) << walls[i]->GetName();
}

INSTANTIATE_TEST_SUITE_P(UnitSystems, ConfirmedPages, ::testing::Values(kMetric, kImperial),
                         [](const ::testing::TestParamInfo<uint8_t>& info) {
                             return std::string(info.param == kMetric ? "Metric" : "Imperial");
                         });

TEST(MainForm, EnterOnATreeNodeDoesWhatADoubleClickDoes)
{
    Tavelond t;
    TMainForm& f = *t.form;
    f.OpenProject(Tavelond::ExamplePath().toStdString());
    TWall* head = f.SectionList()[0]->HeadWall;
    // The dialog opens on the page with the focus in it.
    bool focusOnPage = false;
    t.editor = [&focusOnPage](TInputForm& d) {
        QWidget* focus = d.focusWidget();
        focusOnPage = focus && d.PageControl->currentWidget()->isAncestorOf(focus);
        return true;
    };
    t.Select({"Section 1", "Anchorwall", "Input", "Soil Layers"});
    QTest::keyClick(f.TreeView, Qt::Key_Return);
    EXPECT_EQ(t.edits, std::vector<int>{1});
    EXPECT_TRUE(focusOnPage);
    EXPECT_TRUE(f.Modified);
    t.Select({"Section 1", "Headwall", "Results", "Table"});
    QTest::keyClick(f.TreeView, Qt::Key_Enter, Qt::KeypadModifier);
    ASSERT_NE(head->TablesWindow, nullptr);
    // Tab leads out of the result window back to the tree, and Shift+Tab in.
    auto* tables = dynamic_cast<TTableForm*>(head->TablesWindow);
    ASSERT_NE(tables, nullptr);
    f.show();
    for (Qt::Key key : {Qt::Key_Tab, Qt::Key_Backtab}) {
        tables->Grid->setFocus();
        for (int n = 0; n < 3 && tables->isAncestorOf(f.focusWidget()); n++)
            QTest::keyClick(f.focusWidget(), key);
        EXPECT_EQ(f.focusWidget(), f.TreeView);
        QTest::keyClick(f.TreeView, key == Qt::Key_Tab ? Qt::Key_Backtab : Qt::Key_Tab);
        EXPECT_TRUE(tables->isAncestorOf(f.focusWidget()));
    }
    // A node with children opens or closes, as on a double click.
    t.Select({"Section 1", "Headwall"});
    QTreeWidgetItem* node = f.TreeView->currentItem();
    ASSERT_TRUE(node->isExpanded());
    QTest::keyClick(f.TreeView, Qt::Key_Return);
    EXPECT_FALSE(node->isExpanded());
    QTest::keyClick(f.TreeView, Qt::Key_Return);
    EXPECT_TRUE(node->isExpanded());
    EXPECT_EQ(t.edits.size(), 1u);
    EXPECT_TRUE(t.ErrorTexts().empty());
}

TEST(MainForm, AFailedOpenLeavesNoNoticeOfTheProjectBefore)
{
    Tavelond t;
    TMainForm& f = *t.form;
    f.OpenProject(Tavelond::ExamplePath().toStdString());
    f.FileName = t.Path("quay.spc").toStdString();
    f.Modified = true;
    f.TimerTimer();
    ASSERT_EQ(f.StatusText(), "File auto-saved");
    f.Modified = false;
    WriteText(t.Path("broken.spc"), "TPF0");
    t.fake.files->answers = {t.Path("broken.spc").toStdString()};
    f.OpenItem->trigger();
    EXPECT_EQ(t.ErrorTexts().size(), 1u);
    EXPECT_EQ(f.StatusText(), "");
}

TEST(MainForm, AnUntitledProjectsDocumentIsNamedAfterTheWall)
{
    Tavelond t;
    TMainForm& f = *t.form;
    f.OpenProject(Tavelond::ExamplePath().toStdString());
    t.Select({"Section 1", "Headwall"});
    t.onModal = [](QDialog&) { return int(QDialog::Accepted); };
    std::vector<std::string> names;
    sps::TPrintDialogOverride dialog([&names](const sps::TPrintDialogParams& params) {
        names.push_back(params.documentName);
        return std::unique_ptr<sps::TPrinter>();
    });
    f.ProjectName.clear();
    f.PrintItem->trigger();
    f.ProjectName = "Quay";
    f.PrintItem->trigger();
    ASSERT_EQ(names.size(), 2u);
    EXPECT_EQ(QFileInfo(QString::fromStdString(sps::ProposedPdfFile(names[0]))).fileName(),
              "Headwall - Section 1.pdf");
    EXPECT_EQ(names[1], "Quay - Headwall - Section 1");
}

TEST(MainForm, TheItemsOfEveryMenuHaveDistinctMnemonics)
{
    Tavelond t;
    TMainForm& f = *t.form;
    f.OpenProject(Tavelond::ExamplePath().toStdString());
    t.DoubleClick({"Section 1", "Headwall", "Results", "Table"});
    t.DoubleClick({"Section 1", "Headwall", "Results", "Diagram"});
    auto mnemonic = [](const QString& text) {
        for (qsizetype i = 0; i + 1 < text.size(); i++) {
            if (text[i] == '&' && text[i + 1] == '&')
                i++;
            else if (text[i] == '&')
                return text[i + 1].toLower();
        }
        return QChar();
    };
    auto distinct = [&](const QList<QAction*>& actions, const QString& menu) {
        std::set<QChar> seen;
        for (QAction* a : actions) {
            QChar m = mnemonic(a->text());
            if (a->isSeparator() || m.isNull())
                continue;
            EXPECT_TRUE(seen.insert(m).second) << menu.toStdString() << ": " << a->text().toStdString();
        }
    };
    distinct(f.menuBar()->actions(), "menu bar");
    for (QAction* a : f.menuBar()->actions()) {
        if (!a->menu())
            continue;
        emit a->menu()->aboutToShow();
        distinct(a->menu()->actions(), a->text());
    }
}

TEST(MainForm, SettingsDialogClampsThePeriodAndSettingsAreWrittenAtClose)
{
    std::string written;
    {
        Tavelond t;
        TMainForm& f = *t.form;
        EXPECT_EQ(UnitSystem, kImperial);
        EXPECT_TRUE(f.ImperialItem->isChecked());
        std::string period;
        t.onModal = [&period](QDialog& d) {
            auto& s = dynamic_cast<TSettingsForm&>(d);
            s.Edit1->setText(QString::fromStdString(period));
            return int(QDialog::Accepted);
        };
        for (auto [text, minutes] : {std::pair{"0", 1}, {"99", 30}, {"x", 10}, {"25", 25}}) {
            period = text;
            f.SettingsItemClick();
            EXPECT_EQ(f.AutoSavePeriod, minutes) << text;
            EXPECT_EQ(t.fake.timers->timers[0]->Interval(), minutes * 60000) << text;
        }
        f.AutoSavePeriod = 10;
        f.FormDestroy();
        written = ReadText(t.SettingsPath());
    }
    EXPECT_EQ(written, "[Preferences]\r\nMakeBackup=1\r\nAutoSave=0\r\nAutoSavePeriod=10\r\nBackupPath=\r\n"
                       "Units=1\r\nCompany=\r\nAuthor=\r\nOpenLastFile=0\r\nLastFile=Noname\r\n[Colors]\r\n"
                       "Water=$00FF0000\r\nGround=$00026080\r\nSP=$000000FF\r\nText=$00000000\r\n"
                       "BG=$00FFFFFF\r\nVector=$00808080\r\nAnchor=$00808080\r\nAxis=$00808080\r\n");
}

} // namespace
} // namespace wdtest
