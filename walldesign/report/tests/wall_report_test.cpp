#include "walldesign/calc/units.h"
#include "walldesign/calc/wall.h"
#include "walldesign/report/drawing.h"
#include "walldesign/report/report.h"
#include "walldesign/report/tests/walls.h"

#include "platform/commatext.h"
#include "platform/numtext.h"
#include "platform/recordingcanvas.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace wd;
using namespace wd::test;

namespace {

struct TUnitGuard {
    uint8_t unit = UnitSystem;
    char separator = sps::DecimalSeparator();
    ~TUnitGuard()
    {
        UnitSystem = unit;
        sps::SetDecimalSeparator(separator);
    }
};

TTable* Table(TReport& r, int paragraph, int object = 0)
{
    return dynamic_cast<TTable*>(r.Paragraphs.Paragraph(paragraph)->Objects.ReportObject(object));
}

TDrawing* Drawing(TReport& r, int paragraph, int object = 0)
{
    auto* g = dynamic_cast<TGraphicContainer*>(r.Paragraphs.Paragraph(paragraph)->Objects.ReportObject(object));
    return g != nullptr ? dynamic_cast<TDrawing*>(g->Graphic) : nullptr;
}

std::vector<std::string> Cells(const TTable* t, size_t row) { return sps::SplitCommaText(t->Rows.at(row)); }

// The row whose first cell is `label`.
std::vector<std::string> RowOf(const TTable* t, const std::string& label)
{
    for (const std::string& row : t->Rows) {
        std::vector<std::string> cells = sps::SplitCommaText(row);
        if (!cells.empty() && cells[0] == label)
            return cells;
    }
    return {};
}

// A head wall with hand-filled results (no calculation).
std::unique_ptr<TReport> HandReport(TSection& section, int rows, int strips)
{
    THeadwall* w = section.CreateHeadwall();
    TypicalInput(*w);
    HandResults(*w, rows, strips);
    return w->BuildReport();
}

} // namespace

TEST(WallReport, NineteenParagraphsInOrder)
{
    TSection section(nullptr);
    std::unique_ptr<TReport> r = HandReport(section, 12, 1);
    ASSERT_EQ(r->Paragraphs.Count(), 19);
    for (int i = 0; i < 19; i++) {
        TParagraph* p = r->Paragraphs.Paragraph(i);
        EXPECT_EQ(p->Caption, kCaptions[i]);
        EXPECT_TRUE(p->NewPage);
        EXPECT_TRUE(p->Printed);
        EXPECT_EQ(p->Columns, (i == 1 || i == 3 || i == 5) ? 2 : 1) << i;
    }
    // Cover: an empty container and an empty unshaded table.
    auto* cover = dynamic_cast<TGraphicContainer*>(r->Paragraphs.Paragraph(0)->Objects.ReportObject(0));
    ASSERT_NE(cover, nullptr);
    EXPECT_EQ(cover->Graphic, nullptr);
    EXPECT_EQ(cover->MarginPercent, 0);
    TTable* coverTable = Table(*r, 0, 1);
    ASSERT_NE(coverTable, nullptr);
    EXPECT_TRUE(coverTable->Rows.empty());
    EXPECT_EQ(coverTable->HeaderRows, 0);
    EXPECT_EQ(coverTable->HeaderCols, 0);
    // Table, column break, picture in the two-column chapters.
    for (int i : {1, 3, 5}) {
        TParagraph* p = r->Paragraphs.Paragraph(i);
        ASSERT_EQ(p->Objects.Count(), 3);
        EXPECT_NE(dynamic_cast<TColumnBreak*>(p->Objects.ReportObject(1)), nullptr);
        auto* g = dynamic_cast<TGraphicContainer*>(p->Objects.ReportObject(2));
        ASSERT_NE(g, nullptr);
        EXPECT_EQ(g->MarginPercent, 10);
        EXPECT_TRUE(g->OwnsGraphic);
        ASSERT_NE(Drawing(*r, i, 2), nullptr);
        EXPECT_FALSE(Drawing(*r, i, 2)->GetEmpty());
        EXPECT_EQ(Table(*r, i)->HeaderRows, 1);
        EXPECT_EQ(Table(*r, i)->HeaderCols, 1);
    }
    EXPECT_EQ(r->Paragraphs.Paragraph(2)->Objects.Count(), 2);
    EXPECT_EQ(Table(*r, 2, 0)->Caption, "Layers in Front");
    EXPECT_EQ(Table(*r, 2, 1)->Caption, "Layers behind");
    for (int i = 10; i < 19; i++) {
        ASSERT_EQ(r->Paragraphs.Paragraph(i)->Objects.Count(), 1);
        ASSERT_NE(Drawing(*r, i), nullptr) << i;
        EXPECT_FALSE(Drawing(*r, i)->GetEmpty()) << i;
    }
    TTable* all = Table(*r, 7);
    EXPECT_EQ(all->Font.Size, 7);
    EXPECT_EQ(all->HeaderRows, 1);
    EXPECT_EQ(all->HeaderCols, 0);
}

TEST(WallReport, AllValuesRowsAndColumns)
{
    for (int strips : {0, 2, 5}) {
        TSection section(nullptr);
        std::unique_ptr<TReport> r = HandReport(section, 9, strips);
        TTable* all = Table(*r, 7);
        ASSERT_EQ(all->Rows.size(), 2u * 9 + 1);
        std::vector<std::string> header = Cells(all, 0);
        ASSERT_EQ(header.size(), 10u + static_cast<size_t>(strips));
        EXPECT_EQ(header[0], "Depth [m]");
        EXPECT_EQ(header[2], "Rotation [Rad]");
        EXPECT_EQ(header[7], "behind [kN/m2]");
        if (strips > 0) {
            EXPECT_EQ(header.back(), "Bousq. " + std::to_string(strips) + " [kN/m2]");
        }
        for (size_t i = 1; i < all->Rows.size(); i++)
            EXPECT_EQ(Cells(all, i).size(), header.size());
        // Row 3 of the table: the top of result row 1 (depth 0.5), then its bottom.
        std::vector<std::string> top = Cells(all, 3);
        std::vector<std::string> bottom = Cells(all, 4);
        EXPECT_EQ(top[0], "0.500");
        EXPECT_EQ(bottom[0], "1.000");
        EXPECT_EQ(top[1], "29.500");    // deflection top: column 29 + depth
        EXPECT_EQ(bottom[1], "30.000"); // column 30: 29 + the bottom depth
        EXPECT_EQ(top[2], "27.500");    // rotation
        EXPECT_EQ(top[3], "23.500");    // cross force
        EXPECT_EQ(top[4], "25.500");    // moment
        EXPECT_EQ(top[5], "21.500");    // total
        EXPECT_EQ(top[6], "3.500");     // front earth
        EXPECT_EQ(top[9], "9.500");     // user-defined
        if (strips == 2) {
            EXPECT_EQ(bottom[11], "14.000"); // strip 2, bottom
        }
    }
    // The Boussinesq chapter without strips: only the header row, an empty diagram.
    TSection section(nullptr);
    std::unique_ptr<TReport> r = HandReport(section, 4, 0);
    EXPECT_EQ(Table(*r, 3)->Rows.size(), 1u);
    EXPECT_TRUE(Drawing(*r, 13)->GetEmpty());
}

TEST(WallReport, DeepWallsHaveMoreThanAThousandRows)
{
    TSection section(nullptr);
    std::unique_ptr<TReport> r = HandReport(section, 700, 1);
    TTable* all = Table(*r, 7);
    EXPECT_EQ(all->Rows.size(), 1401u);
    sps::TRecordingPrinter printer(1160, 1600);
    r->Printer->Device = &printer;
    r->Print();
    std::vector<std::string> texts = printer.Recording().Texts();
    EXPECT_NE(std::find(texts.begin(), texts.end(), "350.000"), texts.end());
}

TEST(WallReport, SafetyRowAndPileCheck)
{
    TSection section(nullptr);
    THeadwall* w = section.CreateHeadwall();
    TypicalInput(*w);
    HandResults(*w, 4, 0);
    w->PileSafety = 1.5f;
    w->RequiredSafety = 1.5f;
    w->MinValues.Moment = -120.5f;
    w->MinValues.MomentDepth = 5.25f;
    w->MaxValues.StressAtMaxMoment = 80;
    w->MaxValues.MomentDepth = 1.5f;
    std::unique_ptr<TReport> r = w->BuildReport();
    TTable* check = Table(*r, 9);
    EXPECT_EQ(Cells(check, 0), (std::vector<std::string>{"", "", "Depth [m]"}));
    EXPECT_EQ(RowOf(check, "Safety < Req. Safety = 1.500"), (std::vector<std::string>{"Safety < Req. Safety = 1.500", "1.500"}));
    EXPECT_EQ(RowOf(check, "Minimal Moment [kNm/m]"),
              (std::vector<std::string>{"Minimal Moment [kNm/m]", "-120.500", "5.250"}));
    EXPECT_EQ(RowOf(check, "Max. Stress at Max. Moment [N/mm2]"),
              (std::vector<std::string>{"Max. Stress at Max. Moment [N/mm2]", "80.000", "1.500"}));
    EXPECT_EQ(RowOf(check, "Name"), (std::vector<std::string>{"Name", "AZ 18"}));
    EXPECT_EQ(RowOf(check, "Sheet Pile Length [m]"), (std::vector<std::string>{"Sheet Pile Length [m]", "2.000"}));
    EXPECT_TRUE(RowOf(check, "Requested Safety").empty());
    EXPECT_EQ(RowOf(Table(*r, 6), "Requested Safety"), (std::vector<std::string>{"Requested Safety", "1.500"}));
    EXPECT_EQ(RowOf(Table(*r, 6), "Inertia [cm4/m]")[1], "34000.000");

    w->PileSafety = 1.5001f;
    r = w->BuildReport();
    EXPECT_FALSE(RowOf(Table(*r, 9), "Safety > Req. Safety = 1.500").empty());
}

TEST(WallReport, GeodataRowsAndAnchorForce)
{
    TSection headSection(nullptr);
    THeadwall* head = headSection.CreateHeadwall();
    TypicalInput(*head);
    head->Front.Inclination = 10 * kDeg;
    std::unique_ptr<TReport> r = head->BuildReport();
    TTable* geo = Table(*r, 1);
    EXPECT_EQ(Cells(geo, 0), (std::vector<std::string>{"", "Unit", ""}));
    EXPECT_EQ(RowOf(geo, "Soil Level in Front [m]")[1], "6.000");
    EXPECT_EQ(RowOf(geo, "Soil Surface Inclination in Front [Deg]")[1], "10.000");
    EXPECT_EQ(RowOf(geo, "Caquot Surcharge behind [kN/m2]")[1], "10.000");
    EXPECT_EQ(RowOf(geo, "Earth Support")[1], "Free");
    EXPECT_TRUE(RowOf(geo, "Anchor Force*Safty Factor [kN/m]").empty());
    EXPECT_EQ(geo->Rows.size(), 14u);

    TSection alone(nullptr);
    TAnchorwall* anchor = alone.CreateAnchorwall();
    TypicalInput(*anchor, spFixed);
    anchor->AnchorForce = 123.25f;
    r = anchor->BuildReport();
    EXPECT_EQ(RowOf(Table(*r, 1), "Anchor Force*Safty Factor [kN/m]")[1], "123.250");
    EXPECT_EQ(RowOf(Table(*r, 1), "Earth Support")[1], "Fixed");

    TSection both(nullptr);
    both.CreateHeadwall();
    TAnchorwall* second = both.CreateAnchorwall();
    TypicalInput(*second);
    r = second->BuildReport();
    EXPECT_TRUE(RowOf(Table(*r, 1), "Anchor Force*Safty Factor [kN/m]").empty());
}

TEST(WallReport, InputTables)
{
    TSection section(nullptr);
    THeadwall* w = section.CreateHeadwall();
    TypicalInput(*w);
    w->FrontLayers[0].K = 4.25f;
    std::unique_ptr<TReport> r = w->BuildReport();
    TTable* front = Table(*r, 2, 0);
    EXPECT_EQ(Cells(front, 0),
              (std::vector<std::string>{"", "Layer Tip [m]", "Density Moist [kN/m3]", "Density Submerged [kN/m3]", "Kph",
                                        "Phi [Deg]", "Delta [Deg]", "Cohesion [kN/m2]"}));
    EXPECT_EQ(Cells(front, 1), (std::vector<std::string>{"Layer 1", "10.000", "18.000", "10.000", "4.250", "32.500",
                                                         "-15.000", "0.000"}));
    EXPECT_EQ(Cells(Table(*r, 2, 1), 0)[4], "Kph");
    EXPECT_EQ(Cells(Table(*r, 2, 1), 2)[7], "5.000");
    EXPECT_EQ(Cells(Table(*r, 3), 1), (std::vector<std::string>{"Bousq. 1", "2.000", "3.000", "0.000", "20.000"}));
    EXPECT_EQ(Cells(Table(*r, 4), 1), (std::vector<std::string>{"Strip 1", "5.000", "5.000", "0.000", "2.000"}));
    EXPECT_EQ(Cells(Table(*r, 5), 0)[3], "Depth Horiz. Comp. [m]");
    EXPECT_EQ(Cells(Table(*r, 5), 1), (std::vector<std::string>{"Force 1", "10.000", "2.000", "3.000"}));
    TTable* ext = Table(*r, 8);
    EXPECT_EQ(Cells(ext, 0), (std::vector<std::string>{"", "z Min [m]", "Min", "z Max [m]", "Max"}));
    EXPECT_EQ(Cells(ext, 1)[0], "Deflection [m]");
    EXPECT_EQ(Cells(ext, 3)[0], "Moment [kNm/m]");
}

TEST(WallReport, ImperialUnits)
{
    TUnitGuard guard;
    UnitSystem = kImperial;
    TSection section(nullptr);
    THeadwall* w = section.CreateHeadwall();
    TypicalInput(*w);
    HandResults(*w, 4, 0);
    w->Front.Inclination = 10 * kDeg;
    std::unique_ptr<TReport> r = w->BuildReport();
    TTable* geo = Table(*r, 1);
    EXPECT_EQ(RowOf(geo, "Soil Level in Front [ft]")[1], "19.685");
    EXPECT_EQ(RowOf(geo, "Soil Surface Inclination in Front [Deg]")[1], "10.000");
    EXPECT_EQ(RowOf(geo, "Caquot Surcharge behind [kip/ft2]")[1], "0.209");
    std::vector<std::string> header = Cells(Table(*r, 7), 0);
    EXPECT_EQ(header[0], "Depth [ft]");
    EXPECT_EQ(header[2], "Rotation [Rad]");
    EXPECT_EQ(header[4], "Moment [kipft/ft]");
    EXPECT_EQ(Cells(Table(*r, 2, 0), 0)[1], "Layer Tip [ft]");
    EXPECT_EQ(Cells(Table(*r, 2, 0), 0)[5], "Phi [Deg]");
    EXPECT_FALSE(RowOf(Table(*r, 9), "Sheet Pile Top Level [ft]").empty());
    EXPECT_FALSE(RowOf(Table(*r, 6), "Inertia [in4/ft]").empty());
    EXPECT_EQ(Cells(Table(*r, 8), 0)[1], "z Min [ft]");
}

TEST(WallReport, DecimalCommaKeepsNumbersWhole)
{
    TUnitGuard guard;
    sps::SetDecimalSeparator(',');
    TSection section(nullptr);
    std::unique_ptr<TReport> r = HandReport(section, 3, 1);
    TTable* all = Table(*r, 7);
    for (size_t i = 0; i < all->Rows.size(); i++)
        EXPECT_EQ(Cells(all, i).size(), 11u) << all->Rows[i];
    EXPECT_EQ(Cells(all, 1)[0], "0,000");
    TTable* check = Table(*r, 9);
    for (size_t i = 1; i < check->Rows.size(); i++)
        EXPECT_LE(Cells(check, i).size(), 3u) << check->Rows[i];
    EXPECT_EQ(RowOf(check, "Minimal Moment [kNm/m]").size(), 3u);
    EXPECT_FALSE(RowOf(check, "Safety < Req. Safety = 1,500").empty());
}

TEST(WallReport, CalculatedWallsThroughTheModule)
{
    TSection section(nullptr);
    THeadwall* head = section.CreateHeadwall();
    TypicalInput(*head);
    TAnchorwall* anchor = section.CreateAnchorwall();
    TypicalInput(*anchor, spFixed);
    anchor->AnchorSafety = 1.5f;
    anchor->Forces.clear();
    anchor->Pressures.clear();
    anchor->Bousqs.clear();
    anchor->FrontLayers = {SoilLayer(20, 32.5f, -15)};
    anchor->BehindLayers = {SoilLayer(20, 30, 20)};
    anchor->Front.SoilLevel = 1;
    anchor->Front.WaterLevel = 20;
    anchor->Behind.WaterLevel = 20;
    anchor->Behind.CaquotLoad = 0;
    anchor->AnchorLevel = 0.5f;
    head->SetModified();
    anchor->SetModified();
    for (TWall* w : std::initializer_list<TWall*>{head, anchor}) {
        TReport* r = w->GetReport();
        ASSERT_NE(r, nullptr);
        ASSERT_EQ(r->Paragraphs.Count(), 19);
        TTable* all = Table(*r, 7);
        EXPECT_EQ(all->Rows.size(), 2 * w->Results.size() + 1);
        EXPECT_GT(w->Results.size(), 10u);
        EXPECT_EQ(Cells(all, 0).size(), 10u + w->Bousqs.size());
        std::string sign = w->PileSafety > w->RequiredSafety ? ">" : "<";
        EXPECT_FALSE(RowOf(Table(*r, 9), "Safety " + sign + " Req. Safety = 1.500").empty());
        EXPECT_EQ(RowOf(Table(*r, 9), "Sheet Pile Tip Level [m]")[1], wd::FormatValue(w->PileTip, kLengthFactor));
        // Every diagram has something to show but the Boussinesq one of the anchor wall.
        for (int i = 10; i < 19; i++)
            EXPECT_EQ(Drawing(*r, i)->GetEmpty(), i == 13 && w == anchor) << i;
    }
}
