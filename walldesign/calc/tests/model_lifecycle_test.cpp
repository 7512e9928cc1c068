// Life cycle of calculation modules, sections and walls: lazy recalculation,
// failures, views, ownership and notifications.
#include "platform/error.h"
#include "walldesign/calc/calcmodule.h"
#include "walldesign/calc/wall.h"
#include "walldesign/report/report.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace wd {
namespace {

class CountingModule : public TCalculationModule {
public:
    CountingModule() : TCalculationModule(nullptr) {}
    std::string ClassName() const override { return "TCountingModule"; }

    int Calculations = 0;
    int Builds = 0;
    int Closes = 0;
    bool FailCalculation = false;
    bool FailReport = false;

    void Calculate() override
    {
        ++Calculations;
        if (FailCalculation)
            sps::Raise("Calculation failed");
    }
    std::unique_ptr<TReport> BuildReport() override
    {
        ++Builds;
        if (FailReport)
            sps::Raise("Report failed");
        return std::make_unique<TReport>();
    }
    void CloseViews() override { ++Closes; }
};

TEST(CalculationModuleTest, NewModuleIsNeitherModifiedNorReported)
{
    CountingModule m;
    EXPECT_FALSE(m.Modified);
    EXPECT_EQ(m.GetReport(), nullptr);
    EXPECT_EQ(m.Calculations, 0);
    EXPECT_EQ(m.GetName(), "TCountingModule");
}

TEST(CalculationModuleTest, CalculatesOnlyWhenModified)
{
    CountingModule m;
    m.SetModified();
    EXPECT_TRUE(m.Modified);
    TReport* first = m.GetReport();
    ASSERT_NE(first, nullptr);
    EXPECT_FALSE(m.Modified);
    EXPECT_EQ(m.GetReport(), first);
    m.Update();
    EXPECT_EQ(m.Calculations, 1);
    EXPECT_EQ(m.Builds, 1);

    m.SetModified();
    EXPECT_NE(m.GetReport(), nullptr);
    EXPECT_EQ(m.Calculations, 2);
}

TEST(CalculationModuleTest, FailedCalculationLeavesNoReportAndClosesViews)
{
    CountingModule m;
    m.SetModified();
    ASSERT_NE(m.GetReport(), nullptr);

    m.FailCalculation = true;
    m.SetModified();
    EXPECT_THROW(m.GetReport(), sps::Exception);
    EXPECT_EQ(m.Report(), nullptr);
    EXPECT_EQ(m.Closes, 1);
    EXPECT_FALSE(m.Modified);

    // No new attempt until the next change.
    EXPECT_EQ(m.GetReport(), nullptr);
    EXPECT_EQ(m.Calculations, 2);
    EXPECT_EQ(m.Closes, 1);

    m.FailCalculation = false;
    m.SetModified();
    EXPECT_NE(m.GetReport(), nullptr);
    EXPECT_EQ(m.Calculations, 3);
}

TEST(CalculationModuleTest, FailedReportIsAFailedCalculation)
{
    CountingModule m;
    m.FailReport = true;
    m.SetModified();
    try {
        m.GetReport();
        FAIL() << "no error";
    } catch (const sps::Exception& e) {
        EXPECT_EQ(e.Message(), "Report failed");
    }
    EXPECT_EQ(m.Report(), nullptr);
    EXPECT_EQ(m.Closes, 1);
    EXPECT_EQ(m.GetReport(), nullptr);
}

TEST(CalculationModuleTest, RefreshViewsRebuildsAnExistingReportWithoutCalculating)
{
    CountingModule m;
    m.RefreshViews();
    EXPECT_EQ(m.Builds, 0);
    EXPECT_EQ(m.Report(), nullptr);

    m.SetModified();
    m.GetReport();
    m.RefreshViews();
    EXPECT_EQ(m.Calculations, 1);
    EXPECT_EQ(m.Builds, 2);
    EXPECT_NE(m.Report(), nullptr);
}

TEST(CalculationModuleTest, LoadedMarksModified)
{
    CountingModule m;
    m.Loaded();
    EXPECT_TRUE(m.Modified);
}

// A result window that records what the wall asks of it.
class FakeView : public TWallView {
public:
    FakeView(TWall* wall, std::string tag, std::vector<std::string>* log) : wall_(wall), tag_(std::move(tag)), log_(log)
    {
    }
    // A window that goes away tells its wall, as a closed window does.
    ~FakeView() override
    {
        if (!Closes)
            wall_->ViewClosed(this);
    }
    void Refill() override
    {
        ++Refills;
        if (log_)
            log_->push_back(tag_);
        if (AskReport)
            wall_->GetReport();
    }
    void CloseView() override
    {
        ++Closes;
        wall_->ViewClosed(this);
    }

    int Refills = 0;
    int Closes = 0;
    bool AskReport = false;

private:
    TWall* wall_;
    std::string tag_;
    std::vector<std::string>* log_;
};

// A wall with a controllable calculation and a plain report.
class TestWall : public TWall {
public:
    explicit TestWall(sps::TComponent* owner) : TWall(owner) {}
    bool Fail = false;
    int Calculations = 0;
    void Calculate() override
    {
        ++Calculations;
        if (Fail)
            sps::Raise("Calculation failed");
    }
    std::unique_ptr<TReport> BuildReport() override { return std::make_unique<TReport>(); }
};

TEST(WallTest, NamesComeFromTheClass)
{
    TSection section(nullptr);
    section.Index = 3;
    EXPECT_EQ(section.GetName(), "Section 3");
    THeadwall* head = section.CreateHeadwall();
    TAnchorwall* anchor = section.CreateAnchorwall();
    EXPECT_EQ(head->Name(), "Headwall");
    EXPECT_EQ(anchor->Name(), "Anchorwall");
    EXPECT_EQ(head->GetName(), "Headwall");
    EXPECT_EQ(anchor->GetName(), "Anchorwall");
    TWall plain(nullptr);
    EXPECT_EQ(plain.Name(), "Wall");
}

TEST(WallTest, PlainWallHasNoVerticalEquilibrium)
{
    TWall w(nullptr);
    try {
        w.CheckVerticalEquilibrium(0.0f);
        FAIL() << "no error";
    } catch (const sps::Exception& e) {
        EXPECT_EQ(e.Message(), "Abstract Error");
    }
}

TEST(SectionTest, CreatesWallsAsOwnedChildrenInOrder)
{
    TSection section(nullptr);
    TAnchorwall* anchor = section.CreateAnchorwall();
    THeadwall* head = section.CreateHeadwall();
    EXPECT_EQ(section.HeadWall, head);
    EXPECT_EQ(section.AnchorWall, anchor);
    EXPECT_EQ(head->Owner(), &section);
    EXPECT_EQ(head->Section(), &section);
    ASSERT_EQ(section.ComponentCount(), 2);

    std::vector<sps::TComponent*> children;
    section.GetChildren([&](sps::TComponent* c) { children.push_back(c); }, &section);
    EXPECT_EQ(children, (std::vector<sps::TComponent*>{anchor, head}));
    EXPECT_EQ(section.GetChildOwner(), &section);
}

TEST(SectionTest, FreeingAWallClearsOnlyItsReference)
{
    TSection section(nullptr);
    THeadwall* head = section.CreateHeadwall();
    TAnchorwall* anchor = section.CreateAnchorwall();
    delete anchor;
    EXPECT_EQ(section.AnchorWall, nullptr);
    EXPECT_EQ(section.HeadWall, head);
    EXPECT_EQ(section.ComponentCount(), 1);
    delete head;
    EXPECT_EQ(section.HeadWall, nullptr);
    EXPECT_EQ(section.ComponentCount(), 0);
}

TEST(SectionTest, FreeingASectionClosesTheViewsOfItsWalls)
{
    auto section = std::make_unique<TSection>(nullptr);
    THeadwall* head = section->CreateHeadwall();
    FakeView tables(head, "tables", nullptr);
    FakeView diagrams(head, "diagrams", nullptr);
    head->TablesWindow = &tables;
    head->DiagramsWindow = &diagrams;
    section.reset();
    EXPECT_EQ(tables.Closes, 1);
    EXPECT_EQ(diagrams.Closes, 1);
}

TEST(SectionTest, RefreshViewsRefreshesTheHeadWallBeforeTheAnchorWall)
{
    std::vector<std::string> log;
    TSection section(nullptr);
    TAnchorwall* anchor = section.CreateAnchorwall();
    THeadwall* head = section.CreateHeadwall();
    FakeView headTables(head, "head tables", &log);
    FakeView headDiagrams(head, "head diagrams", &log);
    FakeView anchorTables(anchor, "anchor tables", &log);
    head->TablesWindow = &headTables;
    head->DiagramsWindow = &headDiagrams;
    anchor->TablesWindow = &anchorTables;
    section.RefreshViews();
    EXPECT_EQ(log, (std::vector<std::string>{"head tables", "head diagrams", "anchor tables"}));

    // A section with only an anchor wall refreshes only that.
    log.clear();
    delete head;
    section.RefreshViews();
    EXPECT_EQ(log, (std::vector<std::string>{"anchor tables"}));
}

TEST(WallViewTest, SetModifiedRefillsViewsAndMarksTheSection)
{
    std::vector<std::string> log;
    TSection section(nullptr);
    THeadwall* head = section.CreateHeadwall();
    FakeView tables(head, "tables", &log);
    FakeView diagrams(head, "diagrams", &log);
    head->TablesWindow = &tables;
    head->DiagramsWindow = &diagrams;
    head->SetModified();
    EXPECT_TRUE(head->Modified);
    EXPECT_TRUE(section.Modified);
    EXPECT_EQ(log, (std::vector<std::string>{"tables", "diagrams"}));
}

TEST(WallViewTest, HeadWallChangeMarksTheAnchorWallAndRefillsItAfterwards)
{
    std::vector<std::string> log;
    TSection section(nullptr);
    THeadwall* head = section.CreateHeadwall();
    TAnchorwall* anchor = section.CreateAnchorwall();
    FakeView headTables(head, "head", &log);
    FakeView anchorTables(anchor, "anchor", &log);
    head->TablesWindow = &headTables;
    anchor->TablesWindow = &anchorTables;

    head->SetModified();
    EXPECT_TRUE(anchor->Modified);
    EXPECT_EQ(log, (std::vector<std::string>{"head", "anchor"}));

    // The other way round nothing flows back to the head wall.
    head->Modified = false;
    log.clear();
    anchor->SetModified();
    EXPECT_FALSE(head->Modified);
    EXPECT_EQ(log, (std::vector<std::string>{"anchor"}));
}

TEST(WallViewTest, CloseViewsClosesBothWindowsAndForgetsThem)
{
    TWall wall(nullptr);
    FakeView tables(&wall, "tables", nullptr);
    FakeView diagrams(&wall, "diagrams", nullptr);
    wall.TablesWindow = &tables;
    wall.DiagramsWindow = &diagrams;
    wall.CloseViews();
    EXPECT_EQ(tables.Closes, 1);
    EXPECT_EQ(diagrams.Closes, 1);
    EXPECT_EQ(wall.TablesWindow, nullptr);
    EXPECT_EQ(wall.DiagramsWindow, nullptr);
    wall.CloseViews();
    EXPECT_EQ(tables.Closes, 1);

    // A window closed by the user is forgotten; refills then skip it.
    wall.TablesWindow = &tables;
    wall.ViewClosed(&tables);
    EXPECT_EQ(wall.TablesWindow, nullptr);
    wall.RefillResultTables();
    EXPECT_EQ(tables.Refills, 0);
}

TEST(WallViewTest, FailedCalculationClosesTheViewsAndIsNotRepeated)
{
    TSection section(nullptr);
    auto* wall = new TestWall(&section);
    FakeView tables(wall, "tables", nullptr);
    FakeView diagrams(wall, "diagrams", nullptr);
    tables.AskReport = diagrams.AskReport = true;
    wall->TablesWindow = &tables;
    wall->DiagramsWindow = &diagrams;

    // A change with open windows recalculates at once through the refill.
    wall->SetModified();
    EXPECT_EQ(wall->Calculations, 1);
    EXPECT_NE(wall->Report(), nullptr);

    wall->Fail = true;
    EXPECT_THROW(wall->SetModified(), sps::Exception);
    EXPECT_EQ(wall->Calculations, 2);
    EXPECT_EQ(wall->Report(), nullptr);
    EXPECT_EQ(wall->TablesWindow, nullptr);
    EXPECT_EQ(wall->DiagramsWindow, nullptr);
    EXPECT_EQ(tables.Closes, 1);
    EXPECT_EQ(diagrams.Closes, 1);
    EXPECT_TRUE(section.Modified);

    EXPECT_EQ(wall->GetReport(), nullptr);
    EXPECT_EQ(wall->Calculations, 2);

    wall->Fail = false;
    wall->SetModified();
    EXPECT_NE(wall->GetReport(), nullptr);
    EXPECT_EQ(wall->Calculations, 3);
}

} // namespace
} // namespace wd
