// Result windows and the print road of the main window, on the example
// project.
#include "walldesign/ui/tests/tavelond_fixture.h"

#include "walldesign/report/report.h"
#include "walldesign/ui/printform.h"
#include "walldesign/ui/resultforms.h"

#include "walldesign/report/drawing.h"
#include "walldesign/ui/aboutform.h"

#include <QCoreApplication>
#include <QEvent>
#include <QLabel>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTabBar>

#include <algorithm>

namespace wdtest {
namespace {

int Count(const std::vector<std::string>& texts, const std::string& text)
{
    return static_cast<int>(std::count(texts.begin(), texts.end(), text));
}

std::vector<std::string> AllTexts(const PrintLog& log)
{
    std::vector<std::string> all;
    for (const auto& page : log.pages)
        all.insert(all.end(), page.begin(), page.end());
    return all;
}

class ExampleProject : public ::testing::Test {
protected:
    void SetUp() override
    {
        t.form->OpenProject(Tavelond::ExamplePath().toStdString());
        ASSERT_EQ(t.form->SectionList().size(), 1u);
        head = t.form->SectionList()[0]->HeadWall;
        anchor = t.form->SectionList()[0]->AnchorWall;
        ASSERT_TRUE(head && anchor);
    }
    Tavelond t;
    TWall* head = nullptr;
    TWall* anchor = nullptr;
};

TEST_F(ExampleProject, ResultWindowsFollowTheWallAndTheUnits)
{
    TMainForm& f = *t.form;
    UnitSystem = kMetric;
    f.ApplyUnitSystem();
    t.DoubleClick({"Section 1", "Headwall", "Results", "Table"});
    t.DoubleClick({"Section 1", "Headwall", "Results", "Diagram"});
    auto* tables = dynamic_cast<TTableForm*>(head->TablesWindow);
    auto* diagrams = dynamic_cast<TDiagramForm*>(head->DiagramsWindow);
    ASSERT_TRUE(tables && diagrams);
    EXPECT_EQ(f.ClientArea->subWindowList().size(), 2);
    EXPECT_EQ(tables->windowTitle(), "Result Tables of Headwall - Section 1");
    EXPECT_EQ(diagrams->windowTitle(), "Result Diagrams of Headwall - Section 1");
    EXPECT_EQ(tables->Cell(0, 0), "Depth [m]");
    EXPECT_GT(tables->RowCount(), 20);
    auto drawing = [this](int paragraph) {
        auto* c = dynamic_cast<TGraphicContainer*>(head->Report()->Paragraphs.Paragraph(paragraph)->Objects.ReportObject(0));
        return c ? dynamic_cast<const TDrawing*>(c->Graphic) : nullptr;
    };
    ASSERT_NE(diagrams->Picture(), nullptr);
    EXPECT_EQ(diagrams->Picture(), drawing(10));

    // A unit switch refreshes both windows and the input dialog's labels.
    auto labels = [&f](const char* unit) {
        int n = 0;
        for (QLabel* label : f.InputForm->findChildren<QLabel*>())
            n += label->text().contains(QString::fromLatin1(unit));
        return n;
    };
    EXPECT_GT(labels("[m]"), 5);
    f.UnitItemClick(f.ImperialItem);
    EXPECT_TRUE(f.ImperialItem->isChecked());
    EXPECT_EQ(labels("[m]"), 0);
    EXPECT_GT(labels("[ft]"), 5);
    EXPECT_EQ(tables->Cell(0, 0), "Depth [ft]");
    EXPECT_EQ(diagrams->Picture(), drawing(10));

    // The tabs choose the table and the drawing.
    tables->TabControl->setCurrentIndex(2);
    EXPECT_EQ(tables->Cell(2, 0), "Depth [ft]");
    tables->TabControl->setCurrentIndex(1);
    EXPECT_EQ(tables->Cell(1, 0), "z Min [ft]");
    diagrams->TabControl->setCurrentIndex(6);
    EXPECT_EQ(diagrams->Picture(), drawing(16));

    // A second double-click brings the window back; closed, it opens anew on its first tab.
    t.DoubleClick({"Section 1", "Headwall", "Results", "Table"});
    EXPECT_EQ(head->TablesWindow, tables);
    tables->close();
    EXPECT_EQ(head->TablesWindow, nullptr);
    t.DoubleClick({"Section 1", "Headwall", "Results", "Table"});
    ASSERT_NE(head->TablesWindow, nullptr);
    EXPECT_EQ(dynamic_cast<TTableForm*>(head->TablesWindow)->TabControl->currentIndex(), 0);

    // A failing calculation closes the windows, the anchor wall's as well,
    // and opens none.
    t.DoubleClick({"Section 1", "Anchorwall", "Results", "Diagram"});
    ASSERT_NE(anchor->DiagramsWindow, nullptr);
    TLayers layers = head->FrontLayers;
    head->FrontLayers.clear();
    EXPECT_FALSE(sps::RunGuarded([this] { head->SetModified(); }));
    EXPECT_EQ(head->TablesWindow, nullptr);
    EXPECT_EQ(anchor->DiagramsWindow, nullptr);
    t.DoubleClick({"Section 1", "Headwall", "Results", "Diagram"});
    EXPECT_EQ(head->DiagramsWindow, nullptr);
    EXPECT_FALSE(t.ErrorTexts().empty());

    // Removing the section closes the windows of its walls.
    head->FrontLayers = layers;
    head->SetModified();
    t.DoubleClick({"Section 1", "Anchorwall", "Results", "Table"});
    ASSERT_NE(anchor->TablesWindow, nullptr);
    t.Select({"Section 1"});
    f.RemoveSectionItemClick();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(f.ClientArea->subWindowList().isEmpty());
}

TEST_F(ExampleProject, PrintRoadFillsTheCoverOnceAndLeavesOutUntickedChapters)
{
    TMainForm& f = *t.form;
    f.Company = "Quay Works";
    t.Select({"Section 1", "Headwall"});
    std::vector<std::string> lines;
    t.onModal = [&lines](QDialog& d) {
        auto& p = dynamic_cast<TPrintForm&>(d);
        EXPECT_EQ(p.windowTitle(), "Print of Headwall - Section 1");
        lines.clear();
        for (int i = 0; i < p.LineCount(); i++)
            lines.push_back(p.CheckListBox->item(i)->text().toStdString());
        p.SelectAllItemClick();
        p.SetChecked(1, false); // Geodata
        return int(QDialog::Accepted);
    };
    f.PrintItem->trigger();
    f.PrintButton->trigger();
    ASSERT_EQ(lines.size(), 19u);
    EXPECT_EQ(lines[1], "Geodata");
    ASSERT_EQ(t.printed->documents, 2);

    size_t half = t.printed->pages.size() / 2;
    PrintLog second;
    second.pages.assign(t.printed->pages.begin() + static_cast<long>(half), t.printed->pages.end());
    std::vector<std::string> texts = AllTexts(second);
    EXPECT_EQ(Count(texts, "Project Name:"), 1);
    EXPECT_EQ(Count(texts, "Example Quay, Berth 2"), 1);
    EXPECT_EQ(Count(texts, "Company:"), 1);
    EXPECT_EQ(Count(texts, "Quay Works"), 1);
    EXPECT_EQ(Count(texts, "01.02.2003"), 1);
    EXPECT_EQ(Count(texts, "Geodata"), 0);
    EXPECT_EQ(Count(texts, "Moment Diagram"), 1);
    for (const auto& page : second.pages) {
        EXPECT_GE(Count(page, "Tavelond"), 1);
        EXPECT_GE(Count(page, "Example Quay, Berth 2 - Headwall - Section 1"), 1);
    }
    EXPECT_FALSE(head->Report()->Paragraphs.Paragraph(1)->Printed);

    // The printer set-up dialog.
    int setups = 0;
    sps::TPrinterSetupOverride setup([&setups] { setups++; });
    f.PrintSetupItem->trigger();
    EXPECT_EQ(setups, 1);

    // Cancelled in the chapter dialog: nothing printed.
    t.onModal = [](QDialog&) { return int(QDialog::Rejected); };
    f.PrintItemClick();
    EXPECT_EQ(t.printed->documents, 2);

    // A wall whose calculation failed has nothing to print.
    head->FrontLayers.clear();
    head->SetModified();
    EXPECT_FALSE(sps::RunGuarded([&f] { f.PrintItemClick(); }));
    EXPECT_FALSE(sps::RunGuarded([&f] { f.PrintItemClick(); }));
    EXPECT_EQ(t.ErrorTexts().back(), "Headwall - Section 1 has no results to print: its last calculation failed");
    EXPECT_EQ(t.printed->documents, 2);
}

TEST_F(ExampleProject, CoverPictureWhenTheSettingsAskForIt)
{
    TMainForm& f = *t.form;
    f.CoverImage = true;
    t.Select({"Section 1", "Anchorwall"});
    t.onModal = [](QDialog&) { return int(QDialog::Accepted); };
    f.PrintItemClick();
    auto* cover = dynamic_cast<TGraphicContainer*>(anchor->Report()->Paragraphs.Paragraph(0)->Objects.ReportObject(0));
    ASSERT_NE(cover, nullptr);
    EXPECT_EQ(cover->Graphic, &f.AboutForm->Picture());
    EXPECT_FALSE(cover->OwnsGraphic);
    EXPECT_EQ(cover->MarginPercent, 10);
    EXPECT_GT(f.AboutForm->Picture().GetWidth(), 100);
}

} // namespace
} // namespace wdtest
