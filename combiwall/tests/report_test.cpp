#include "combiwall/report.h"

#include "platform/error.h"
#include "platform/recordingcanvas.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <sstream>

using namespace cw;

namespace {

Catalogue HandCatalogue()
{
    Catalogue c;
    c.kingPiles.names = {"WQ 575 A"};
    c.kingPiles.unitWeight = {250};
    c.kingPiles.connectors = {std::vector<int8_t>{0}, std::vector<int8_t>{1}, std::vector<int8_t>{2}};
    c.connectors.names = {"NJ 40 F ", "NJ 40 W ", "VB 30   "};
    c.connectors.unitWeight = {10, 10, 5};
    c.sheetPiles.names = {"KX 13"};
    c.sheetPiles.unitWeight = {130};
    return c;
}

// A "-12" system of 10 systems, metric, list-all mode.
ReportState KnownState()
{
    ReportState st;
    st.systemName = "WQ 575 A-12 / KX 13";
    st.system = SelectedSystem{3456.7, 2890.2, 1900, 305.2, 1.85};
    st.moment = "500";
    st.load = "100";
    st.deflection = "2";
    st.sfmin = "1.50";
    st.momentUnit = "kNm/m";
    st.loadUnit = "kN/m";
    st.deflectionUnit = "cm";
    st.grades = {"S 355      ", "S 390      ", "S 270 GP   "};
    st.sfKingPile = "2.34";
    st.sfConnectors = "2.80";
    st.sfSheetPile = "3.10";
    st.sfMinimum = "2.34";
    LayoutMaterialList(st.grid, 96, true);
    ShowSystemComposition(st.grid, st.systemName, HandCatalogue(), false, true, 1.8);
    MaterialListInput in;
    in.caption = st.systemName;
    in.lengthWQ = "20";
    in.lengthNJ = "18";
    in.lengthKX = "12";
    in.numberOfSystems = 10;
    ComputeMaterialList(st.grid, in);
    st.totalWallLength = "18.5";
    st.totalWallUnit = "m";
    st.versionLine = "Version 1.0.0";
    st.date = "01.02.2003";
    st.time = "10:11:12";
    return st;
}

} // namespace

const std::vector<std::string> kKnownReport = {
    " WQ KX Kestrane.   Version 1.0.0                  ",
    "",
    "Combined wall calculation: safety factors and material list           01.02.2003",
    "_________________________________________________________________________",
    "",
    "",
    "WQ 575 A-12 / KX 13",
    "",
    "",
    "Section modulus Sx of WQ :        3457 cm³/m",
    "",
    "Sx of connectors NJ/VB :          2890 cm³/m",
    "",
    "Steel area Ax of WQ :            165.0 cm²/m",
    "",
    "Bending moment :                   500 kNm/m",
    "",
    "Compression load :                 100 kN/m",
    "",
    "Deflection:                          2 cm",
    "",
    "Steel Grade WQ:               S 355      ",
    "",
    "Steel Grade NJ/VB:            S 390      ",
    "",
    "Steel Grade KX:               S 270 GP   ",
    "",
    "Safety factor of WQ :             2.34",
    "",
    "Safety factor of NJ/VB :          2.80",
    "",
    "Safety factor of KX :             3.10",
    "",
    "Minimum safety factor :           2.34",
    "",
    "",
    "MATERIAL LIST",
    "",
    "",
    "   Sections     Weight     Length     Weight    Pieces/    Pieces/      Total  Grand Tot",
    "                  kg/m          m   metric t     system       wall   metric t   metric t",
    "",
    "   WQ 575 A     250.00      20.00      5.000          1         11     55.000     58.960",
    "",
    "    NJ 40 F      10.00      18.00      0.180          1         11      1.980           ",
    "",
    "    NJ 40 W      10.00      18.00      0.180          1         11      1.980           ",
    "",
    "      KX 13     130.00      12.00      1.560          1         10     15.600     15.600",
    "",
    "                                                                                  74.560",
    "",
    "",
    "",
    "Total wall length:            18.5 m",
};

TEST(TextReport, KnownStateLineByLine)
{
    const std::vector<std::string> lines = TextReportLines(KnownState());
    ASSERT_EQ(lines.size(), kKnownReport.size());
    for (size_t i = 0; i < lines.size(); ++i)
        EXPECT_EQ(lines[i], kKnownReport[i]) << "line " << i + 1;
}

TEST(TextReport, VariantsOfTheState)
{
    // Built-up source: the moment of inertia follows the steel area.
    ReportState st = KnownState();
    st.builtUpEnabled = true;
    st.ixPerMetre = 375000;
    std::vector<std::string> lines = TextReportLines(st);
    EXPECT_EQ(lines[15], "Moment of inertia of system :   375000 cm4/m");
    EXPECT_EQ(lines[17], "Bending moment :                   500 kNm/m");

    // Imperial units.
    st.metric = false;
    lines = TextReportLines(st);
    EXPECT_EQ(lines[9], "Section modulus Sx of WQ :        64.3 in³/ft"); // 3456.7 / 53.763147
    EXPECT_EQ(lines[13], "Steel area Ax of WQ :             7.79 in²/ft"); // 305.2 / (21.16663 x 1.85)
    EXPECT_EQ(lines[15], "Moment of inertia of system :   2746.1 in4/ft");

    // Search mode: the required safety factor closes the items.
    st = KnownState();
    st.listAllMode = false;
    lines = TextReportLines(st);
    EXPECT_EQ(lines[33], "Required safety factor :          1.50");

    // A C1/C23 system: no sheet pile grade or safety factor.
    st = KnownState();
    st.sheetPileShown = false;
    lines = TextReportLines(st);
    for (const std::string& l : lines) {
        EXPECT_EQ(l.find("Steel Grade KX"), std::string::npos);
        EXPECT_EQ(l.find("Safety factor of KX"), std::string::npos);
    }
    EXPECT_EQ(lines.size(), kKnownReport.size() - 4);

    // No lengths: grand total 0.000, no material list and no wall length.
    st = KnownState();
    MaterialListInput in;
    in.caption = st.systemName;
    in.numberOfSystems = 10;
    ComputeMaterialList(st.grid, in);
    EXPECT_EQ(st.grid.Cell(kColGrandTotal, kRowGrandTotal), "0.000");
    lines = TextReportLines(st);
    EXPECT_EQ(lines.size(), 34u);
    EXPECT_EQ(lines.back(), "Minimum safety factor :           2.34");
    // An empty grand total cell is no material list either.
    st.grid.SetCell(kColGrandTotal, kRowGrandTotal, "");
    EXPECT_FALSE(HasMaterialList(st.grid));

    // No width: the area is not available rather than a division by zero.
    st = KnownState();
    st.system = SelectedSystem{};
    lines = TextReportLines(st);
    EXPECT_EQ(lines[13], "Steel area Ax of WQ :              N/A cm²/m");
}

TEST(TextReport, GradeNamesComeFromTheTable)
{
    SteelGradeTable t;
    t.names = {"S 355", "A 572 Gr 50", "A 572 Grade 50 long"};
    t.fyk = {355, 50, 50};
    // The combo item "S 355    355" would give "S 355    35".
    EXPECT_EQ(ReportGradeName(t, 0), "S 355      ");
    EXPECT_EQ(ReportGradeName(t, 1), "A 572 Gr 50");
    EXPECT_EQ(ReportGradeName(t, 2), "A 572 Grade");
    EXPECT_EQ(ReportGradeName(t, -1), "           ");
    EXPECT_EQ(ReportGradeName(t, 3), "           ");
}

TEST(TextReport, WrittenToAFile)
{
    const std::string path = "kestrane_report_test.txt";
    std::remove(path.c_str());
    WriteTextReport(path, KnownState());
    std::ifstream f(path, std::ios::binary);
    std::stringstream got;
    got << f.rdbuf();
    std::string expected;
    for (const std::string& l : kKnownReport)
        expected += l + "\n";
    EXPECT_EQ(got.str(), expected);
    std::remove(path.c_str());

    // A file that cannot be created is an error, never a success.
    try {
        WriteTextReport("no such folder/report.txt", KnownState());
        FAIL() << "no error";
    } catch (const sps::Exception& e) {
        EXPECT_EQ(e.Message(), "Cannot create a file in folder no such folder: No such file or directory");
    }
    // A full device: the write fails when the data is flushed.
    if (std::FILE* full = std::fopen("/dev/full", "wb")) {
        std::fclose(full);
        EXPECT_THROW(WriteTextReport("/dev/full", KnownState()), sps::Exception);
    }
}

namespace {

// An A4 page at 300 pixels per inch.
constexpr int kPageWidth = 2480;
constexpr int kPageHeight = 3508;

std::vector<sps::TCanvasOp> OpsOf(const sps::TRecordingPrinter& p, sps::TCanvasOpKind kind)
{
    std::vector<sps::TCanvasOp> ops;
    for (const sps::TCanvasOp& op : p.PageOps(1)) {
        if (op.Kind == kind)
            ops.push_back(op);
    }
    return ops;
}

const sps::TCanvasOp* FindText(const sps::TRecordingPrinter& p, const std::string& text)
{
    static sps::TCanvasOp found;
    for (const sps::TCanvasOp& op : p.PageOps(1)) {
        if ((op.Kind == sps::TCanvasOpKind::TextOut || op.Kind == sps::TCanvasOpKind::TextRect) && op.Text == text) {
            found = op;
            return &found;
        }
    }
    return nullptr;
}

} // namespace

TEST(PrintedReport, PageLayout)
{
    sps::TRecordingPrinter printer(kPageWidth, kPageHeight, 300);
    PrintReport(printer, KnownState());
    EXPECT_EQ(printer.PageCount, 1);
    EXPECT_EQ(printer.EndDocCount, 1);
    EXPECT_FALSE(printer.Printing());
    EXPECT_EQ(printer.Title, "WQ KX Kestrane");

    // L = 207, R = 2273, B = 3301, C = 225, H = 41; pen 5 px at 300 dpi.
    std::vector<sps::TCanvasOp> lines = OpsOf(printer, sps::TCanvasOpKind::LineTo);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].Points, (std::vector<sps::TPoint>{{207, 207}, {2273, 207}}));
    EXPECT_EQ(lines[1].Points, (std::vector<sps::TPoint>{{207, 3342}, {2273, 3342}}));
    EXPECT_EQ(lines[0].Pen.Width, 5);

    const std::vector<std::string> texts = printer.PageTexts(1);
    const std::vector<std::string> head(texts.begin(), texts.begin() + 4);
    EXPECT_EQ(head, (std::vector<std::string>{kReportNotice, "Version 1.0.0", "01.02.2003 , 10:11:12",
                                              "WQ KX Kestrane "}));
    const sps::TCanvasOp* t = FindText(printer, kReportNotice);
    EXPECT_EQ(t->Points[0], (sps::TPoint{227, 125}));
    t = FindText(printer, "Version 1.0.0");
    EXPECT_EQ(t->Points[0], (sps::TPoint{1598, 3383}));
    // Title: 12 points bold, H = 75, centred by the width of "WQ KX Kestrane".
    t = FindText(printer, "WQ KX Kestrane ");
    EXPECT_EQ(t->Points[0], (sps::TPoint{1065, 357}));
    EXPECT_EQ(t->Font.Size, 12);
    EXPECT_EQ(t->Font.Style, sps::fsBold);

    // Body: H = 71 from y = 499; labels at L, values at L + 4C.
    const std::vector<std::pair<std::string, std::string>> expected = {
        {" WQ/KX Combination : ", "WQ 575 A-12 / KX 13   "},
        {" Section modulus Sx of WQ : ", "3457    cm³/m"},
        {" Sx of connectors NJ/VB : ", "2890    cm³/m"},
        {" Steel area Ax of king pile WQ : ", "165.0    cm²/m"},
        {" Steel grade of WQ : ", "S 355         "},
        {" Steel grade of connectors NJ/VB : ", "S 390         "},
        {" Steel grade of KX : ", "S 270 GP      "},
        {" Bending moment : ", "500    kNm/m"},
        {" Compression load : ", "100    kN/m"},
        {" Deflection : ", "2    cm"},
        {" Safety factor WQ: ", "2.34   "},
        {" Safety factor connectors NJ/VB: ", "2.80   "},
        {" Safety factor KX: ", "3.10   "},
        {" Minimum safety factor : ", "2.34   "},
    };
    for (size_t i = 0; i < expected.size(); ++i) {
        const int y = 499 + static_cast<int>(i) * 71;
        EXPECT_EQ(texts[4 + 2 * i], expected[i].first);
        EXPECT_EQ(texts[5 + 2 * i], expected[i].second);
        t = FindText(printer, expected[i].first);
        ASSERT_NE(t, nullptr);
        EXPECT_EQ(t->Points[0], (sps::TPoint{207, y})) << i;
        EXPECT_EQ(t->Font.Size, 10);
        EXPECT_EQ(t->Font.Style, 0);
    }
    t = FindText(printer, "3457    cm³/m");
    EXPECT_EQ(t->Points[0], (sps::TPoint{1107, 570}));

    // Material list: title centred (896.5 rounds to 896), then rows 0, 1, 2,
    // 3, 4, 7 and 8, eight boxes each, grey in the header rows and column 0.
    t = FindText(printer, " MATERIAL LIST");
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->Points[0], (sps::TPoint{1103, 1564}));
    std::vector<sps::TCanvasOp> boxes = OpsOf(printer, sps::TCanvasOpKind::Rectangle);
    ASSERT_EQ(boxes.size(), 56u);
    const int rowTops[] = {1706, 1777, 1848, 1919, 1990, 2061, 2132};
    int grey = 0;
    for (size_t i = 0; i < boxes.size(); ++i) {
        const int row = static_cast<int>(i / 8);
        const int col = static_cast<int>(i % 8);
        const int left = col == 0 ? 207 : 207 + 450 + (col - 1) * 225;
        EXPECT_EQ(boxes[i].Points[0], (sps::TPoint{left, rowTops[row]})) << i;
        EXPECT_EQ(boxes[i].Points[1], (sps::TPoint{left + (col == 0 ? 450 : 225), rowTops[row] + 71})) << i;
        const bool filled = boxes[i].Brush.Style == sps::bsSolid;
        EXPECT_EQ(filled, row < 2 || col == 0) << i;
        if (filled) {
            EXPECT_EQ(boxes[i].Brush.Color, sps::clSilver);
            ++grey;
        }
        EXPECT_EQ(boxes[i].Pen.Color, sps::clBlack);
    }
    EXPECT_EQ(grey, 16 + 5);
    // The table in 9 points, where "Grand Total" (11 x 19 px) clears the
    // 5 px lines of its 225 px box by a pen width; texts centred (v = 16.5
    // rounds to 16).
    t = FindText(printer, "Sections");
    EXPECT_EQ(t->Points[0], (sps::TPoint{356, 1722}));
    EXPECT_EQ(t->Rect, (sps::TRect{207, 1706, 657, 1777}));
    EXPECT_EQ(t->Brush.Style, sps::bsClear);
    EXPECT_EQ(t->Font.Size, 9);
    t = FindText(printer, "Grand Total");
    EXPECT_EQ(t->Points[0], (sps::TPoint{2015, 1722}));
    EXPECT_GE(t->Points[0].X, t->Rect.Left + 7);
    EXPECT_LE(t->Points[0].X + 11 * 19, t->Rect.Right - 7);
    t = FindText(printer, "74.560");
    EXPECT_EQ(t->Points[0], (sps::TPoint{2063, 2148}));
    EXPECT_EQ(texts.back(), " Total wall length :   18.5  m");
    t = FindText(printer, texts.back());
    EXPECT_EQ(t->Points[0], (sps::TPoint{207, 2274}));
    EXPECT_EQ(t->Font.Size, 10);
}

TEST(PrintedReport, MaterialListFontLeavesAPenWidthToTheBoxLines)
{
    // Recorded text is 21 px a character in 10 points and 19 in 9 at 300 dpi;
    // "Grand Total" needs 11 characters and three pen widths of 5 px.
    auto grandTotal = [](int pageWidth) {
        sps::TRecordingPrinter printer(pageWidth, kPageHeight, 300);
        PrintReport(printer, KnownState());
        const sps::TCanvasOp* t = FindText(printer, "Grand Total");
        EXPECT_NE(t, nullptr);
        return t ? *t : sps::TCanvasOp{};
    };
    sps::TCanvasOp t = grandTotal(2650); // C = 240: 231 + 15 px do not fit
    EXPECT_EQ(t.Font.Size, 9);
    EXPECT_GE(t.Points[0].X - t.Rect.Left, 7);
    EXPECT_GE(t.Rect.Right - (t.Points[0].X + 11 * 19), 7);
    EXPECT_EQ(grandTotal(3000).Font.Size, 10); // C = 272
}

TEST(PrintedReport, Variants)
{
    // A C1/C23 system has 12 lines; the built-up source one more, its value
    // in the column of the others (L + 4C).
    ReportState st = KnownState();
    st.sheetPileShown = false;
    st.builtUpEnabled = true;
    st.ixPerMetre = 375000.4;
    sps::TRecordingPrinter printer(kPageWidth, kPageHeight, 300);
    PrintReport(printer, st);
    std::vector<std::string> texts = printer.PageTexts(1);
    EXPECT_EQ(std::count(texts.begin(), texts.end(), " Steel grade of KX : "), 0);
    EXPECT_EQ(std::count(texts.begin(), texts.end(), " Safety factor KX: "), 0);
    const sps::TCanvasOp* t = FindText(printer, " Moment of inertia of system: ");
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->Points[0], (sps::TPoint{207, 499 + 4 * 71}));
    t = FindText(printer, "375000   cm4/m");
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->Points[0], (sps::TPoint{207 + 4 * 225, 499 + 4 * 71}));
    t = FindText(printer, " Minimum safety factor : ");
    EXPECT_EQ(t->Points[0].Y, 499 + 12 * 71); // 12 lines and the moment of inertia

    // Imperial units.
    st.metric = false;
    sps::TRecordingPrinter imperial(kPageWidth, kPageHeight, 300);
    PrintReport(imperial, st);
    EXPECT_NE(FindText(imperial, "64.3    in³/ft"), nullptr);
    EXPECT_NE(FindText(imperial, "7.79    in²/ft"), nullptr);
    EXPECT_NE(FindText(imperial, "2746.1   in4/ft"), nullptr);
    EXPECT_NE(FindText(imperial, "500    kips*ft/ft"), nullptr);

    // Scaled to the printer: 600 dpi doubles the pen.
    sps::TRecordingPrinter fine(kPageWidth * 2, kPageHeight * 2, 600);
    PrintReport(fine, KnownState());
    EXPECT_EQ(OpsOf(fine, sps::TCanvasOpKind::LineTo)[0].Pen.Width, 10);

    // No lengths: no material list.
    st = KnownState();
    st.grid.SetCell(kColGrandTotal, kRowGrandTotal, "0.000");
    sps::TRecordingPrinter noList(kPageWidth, kPageHeight, 300);
    PrintReport(noList, st);
    EXPECT_EQ(FindText(noList, " MATERIAL LIST"), nullptr);
    EXPECT_TRUE(OpsOf(noList, sps::TCanvasOpKind::Rectangle).empty());

    // An empty combination list with the catalogue as source: an empty job.
    st.listEmpty = true;
    sps::TRecordingPrinter empty(kPageWidth, kPageHeight, 300);
    PrintReport(empty, st);
    EXPECT_TRUE(empty.PageOps(1).empty());
    EXPECT_EQ(empty.EndDocCount, 1);
}

namespace {

// A printer whose canvas fails while drawing.
class FailingPrinter : public sps::TRecordingPrinter {
public:
    FailingPrinter() : TRecordingPrinter(kPageWidth, kPageHeight, 300)
    {
        Recording().OnChange = [this] {
            if (++drawn == 5)
                sps::Raise("Printer out of paper");
        };
    }
    int drawn = 0;
};

} // namespace

TEST(PrintedReport, AFailureEndsTheJobAndIsReported)
{
    FailingPrinter printer;
    EXPECT_THROW(PrintReport(printer, KnownState()), sps::Exception);
    EXPECT_FALSE(printer.Printing());
    EXPECT_EQ(printer.EndDocCount, 1);
}
