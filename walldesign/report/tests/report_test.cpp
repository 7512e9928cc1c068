#include "walldesign/report/report.h"

#include "platform/error.h"
#include "platform/recordingcanvas.h"
#include "walldesign/report/drawing.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace wd;
using sps::TCanvasOp;
using sps::TCanvasOpKind;

namespace {

// A page of 1160 x 600 units at 72 pixels per inch: the character height is the
// point size (8 for the default font, 12 for captions), a character half as
// wide. LineUnit 10; header 38 and footer 28 units high: 534 printable.
constexpr int kPageW = 1160;
constexpr int kPageH = 600;
constexpr int kLeft = 100;
constexpr int kTop = 38;
constexpr int kPrintable = 534;
constexpr int kColumns2 = (kPageW - 100 - 20) / 2;

struct TFixture {
    TReport report;
    sps::TRecordingPrinter printer{kPageW, kPageH};
    TFixture()
    {
        report.Printer->Device = &printer;
        report.Title = "Project - Headwall - Section 1";
        report.Footnote = "Tavelond";
    }
    void Print() { report.Print(); }
    // Operations of a page without its header and footer.
    std::vector<TCanvasOp> Body(int page) const
    {
        std::vector<TCanvasOp> ops;
        for (const TCanvasOp& op : printer.PageOps(page)) {
            int y = op.Points.empty() ? op.Rect.Top : op.Points[0].Y;
            if (op.Kind == TCanvasOpKind::FillRect || op.Kind == TCanvasOpKind::Rectangle ||
                op.Kind == TCanvasOpKind::DrawText)
                y = op.Rect.Top;
            if (y >= kTop && y < kPageH - 28)
                ops.push_back(op);
        }
        return ops;
    }
};

const TCanvasOp* FindText(const std::vector<TCanvasOp>& ops, const std::string& text)
{
    for (const TCanvasOp& op : ops)
        if (op.Text == text)
            return &op;
    return nullptr;
}

std::vector<std::string> DrawTexts(const std::vector<TCanvasOp>& ops)
{
    std::vector<std::string> texts;
    for (const TCanvasOp& op : ops)
        if (op.Kind == TCanvasOpKind::DrawText)
            texts.push_back(op.Text);
    return texts;
}

TTable* AddRows(TParagraph* p, int count, const std::string& prefix = "Row ")
{
    TTable* t = p->AddTable();
    for (int i = 0; i < count; i++)
        t->Rows.push_back("\"" + prefix + std::to_string(i) + "\",1.000");
    return t;
}

// A graphic of fixed size that draws one rectangle.
class TBox : public sps::TGraphic {
public:
    TBox(int w, int h) : w_(w), h_(h) {}
    void Draw(sps::TCanvas& canvas, const sps::TRect& r) const override { canvas.FillRect(r); }
    bool GetEmpty() const override { return false; }
    int GetWidth() const override { return w_; }
    int GetHeight() const override { return h_; }

private:
    int w_, h_;
};

} // namespace

TEST(Report, NumericTextDecidesTheAlignment)
{
    EXPECT_TRUE(IsNumericText("12.500"));
    EXPECT_TRUE(IsNumericText("-3"));
    EXPECT_TRUE(IsNumericText("Infinite"));
    EXPECT_TRUE(IsNumericText(" 1e3 "));
    EXPECT_FALSE(IsNumericText("Layer 1"));
    EXPECT_FALSE(IsNumericText(""));
    EXPECT_FALSE(IsNumericText("infinite"));
    EXPECT_FALSE(IsNumericText("nan"));
}

TEST(Report, NewParagraphDefaults)
{
    TReport report;
    TParagraph* p = report.AddParagraph();
    EXPECT_FALSE(p->NewPage);
    EXPECT_TRUE(p->Printed);
    EXPECT_EQ(p->Columns, 1);
    EXPECT_EQ(p->CaptionFont.Size, 12);
    TTable* t = p->AddTable();
    EXPECT_TRUE(t->Lines);
    EXPECT_EQ(t->HeaderRows, 0);
    EXPECT_EQ(t->HeaderCols, 0);
    TGraphicContainer* g = p->AddGraphic();
    EXPECT_EQ(g->Graphic, nullptr);
    EXPECT_TRUE(g->OwnsGraphic);
    EXPECT_EQ(g->MarginPercent, 0);
    p->AddColumnBreak();
    EXPECT_EQ(p->Objects.Count(), 3);
    EXPECT_EQ(report.Paragraphs.Count(), 1);
}

TEST(Report, HeaderAndFooterOfEveryPage)
{
    TFixture f;
    for (int i = 0; i < 3; i++) {
        TParagraph* p = f.report.AddParagraph();
        p->NewPage = true;
        p->Caption = "Chapter " + std::to_string(i + 1);
    }
    f.Print();
    EXPECT_EQ(f.printer.PageCount, 3);
    EXPECT_EQ(f.printer.EndDocCount, 1);
    EXPECT_EQ(f.printer.Title, "Project - Headwall - Section 1");
    EXPECT_EQ(f.report.Printer->LineUnit, 10);
    EXPECT_EQ(f.report.Printer->TopMargin, kTop);
    EXPECT_EQ(f.report.Printer->BottomMargin, 28);
    EXPECT_EQ(f.report.Printer->PrintableHeight(), kPrintable);

    std::vector<TCanvasOp> page3 = f.printer.PageOps(3);
    const TCanvasOp* date = FindText(page3, "Date: 01.02.2003");
    ASSERT_NE(date, nullptr);
    EXPECT_EQ(date->Points[0], (sps::TPoint{kPageW - 20, 10}));
    EXPECT_EQ(date->Flags, sps::taRight);
    const TCanvasOp* title = FindText(page3, "Project - Headwall - Section 1");
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(title->Points[0], (sps::TPoint{kLeft, 10}));
    const TCanvasOp* number = FindText(page3, "Page 3");
    ASSERT_NE(number, nullptr);
    EXPECT_EQ(number->Points[0], (sps::TPoint{kPageW - 20, kPageH - 8}));
    EXPECT_EQ(number->Flags, sps::taRight);
    const TCanvasOp* footnote = FindText(page3, "Tavelond");
    ASSERT_NE(footnote, nullptr);
    EXPECT_EQ(footnote->Points[0], (sps::TPoint{kLeft, kPageH - 8}));
    EXPECT_EQ(footnote->Flags, sps::taLeft);
    // Rules under the header and one LineUnit above the footer texts.
    std::vector<TCanvasOp> rules;
    for (const TCanvasOp& op : page3)
        if (op.Kind == TCanvasOpKind::LineTo)
            rules.push_back(op);
    ASSERT_EQ(rules.size(), 2u);
    EXPECT_EQ(rules[0].Points[0], (sps::TPoint{kLeft, 28}));
    EXPECT_EQ(rules[0].Points[1], (sps::TPoint{kPageW - 20, 28}));
    EXPECT_EQ(rules[1].Points[0], (sps::TPoint{kLeft, kPageH - 8 - 10}));
    EXPECT_EQ(rules[1].Pen.Color, sps::clBlack);
    std::vector<TCanvasOp> page1 = f.printer.PageOps(1);
    EXPECT_NE(FindText(page1, "Page 1"), nullptr);
    EXPECT_EQ(FindText(page3, "Page 1"), nullptr);

    // The caption: 2 ch reserved, written ch / 2 below the top of the space.
    const TCanvasOp* caption = FindText(page3, "Chapter 3");
    ASSERT_NE(caption, nullptr);
    EXPECT_EQ(caption->Points[0], (sps::TPoint{kLeft, kTop + 6}));
    EXPECT_EQ(caption->Font.Size, 12);
}

TEST(Report, NoBlankFirstPageAndEmptyParagraphsShareAPage)
{
    TFixture f;
    TParagraph* first = f.report.AddParagraph();
    first->NewPage = true;
    first->AddTable(); // no rows
    first->AddGraphic(); // no graphic
    TParagraph* second = f.report.AddParagraph();
    second->NewPage = true;
    second->Caption = "Second";
    AddRows(second, 2);
    f.Print();
    EXPECT_EQ(f.printer.PageCount, 1);
    std::vector<TCanvasOp> ops = f.printer.PageOps(1);
    const TCanvasOp* caption = FindText(ops, "Second");
    ASSERT_NE(caption, nullptr);
    EXPECT_EQ(caption->Points[0].Y, kTop + 6);
}

TEST(Report, UnprintedParagraphLeavesNoTrace)
{
    auto build = [](TFixture& f, bool withHidden) {
        TParagraph* a = f.report.AddParagraph();
        a->Caption = "A";
        AddRows(a, 3);
        if (withHidden) {
            TParagraph* hidden = f.report.AddParagraph();
            hidden->Caption = "Hidden";
            hidden->NewPage = true;
            hidden->Columns = 2;
            AddRows(hidden, 5);
            hidden->Printed = false;
        }
        TParagraph* c = f.report.AddParagraph();
        c->Caption = "C";
        AddRows(c, 3);
        f.Print();
    };
    TFixture with, without;
    build(with, true);
    build(without, false);
    EXPECT_EQ(with.printer.Recording().Dump(), without.printer.Recording().Dump());
    std::vector<TCanvasOp> ops = with.printer.PageOps(1);
    EXPECT_EQ(FindText(ops, "Hidden"), nullptr);
}

TEST(Report, ParagraphsFollowEachOtherWithOneLineUnitBetween)
{
    TFixture f;
    TParagraph* a = f.report.AddParagraph();
    AddRows(a, 1, "A"); // one row: rowH = 12
    TParagraph* b = f.report.AddParagraph();
    b->Caption = "B";
    f.Print();
    // Row 0 of A at kTop, 12 high; LowestY = 12 + 10; B's caption space starts there.
    std::vector<TCanvasOp> ops = f.printer.PageOps(1);
    const TCanvasOp* caption = FindText(ops, "B");
    ASSERT_NE(caption, nullptr);
    EXPECT_EQ(caption->Points[0].Y, kTop + 22 + 6);
}

TEST(Report, ColumnBreaks)
{
    TFixture f;
    TParagraph* p = f.report.AddParagraph();
    p->Columns = 2;
    AddRows(p, 3, "L");   // 36 high
    p->AddColumnBreak();
    AddRows(p, 1, "R");   // 12 high
    p->AddColumnBreak();
    AddRows(p, 1, "Next");
    f.Print();
    std::vector<TCanvasOp> ops = f.printer.PageOps(1);
    const TCanvasOp* l0 = FindText(ops, "L0");
    const TCanvasOp* r0 = FindText(ops, "R0");
    const TCanvasOp* next = FindText(ops, "Next0");
    ASSERT_TRUE(l0 && r0 && next);
    EXPECT_EQ(r0->Rect.Top, l0->Rect.Top);
    EXPECT_EQ(r0->Rect.Left - l0->Rect.Left, kColumns2);
    // The new row of columns starts below the lower (left) column plus a LineUnit.
    EXPECT_EQ(next->Rect.Left, l0->Rect.Left);
    EXPECT_EQ(next->Rect.Top - l0->Rect.Top, 36 + 10);
}

TEST(Report, TableLayoutShadingAndAlignment)
{
    TFixture f;
    TParagraph* p = f.report.AddParagraph();
    TTable* t = p->AddTable();
    t->HeaderRows = 1;
    t->HeaderCols = 1;
    t->Caption = "Layers";
    t->Rows = {",\"Tip [m]\",Kph", "\"Layer 1\",12.500,-3", "Infinite,,x"};
    f.Print();
    std::vector<TCanvasOp> ops = f.Body(1);
    const TCanvasOp* caption = FindText(ops, "Layers");
    ASSERT_NE(caption, nullptr);
    EXPECT_EQ(caption->Points[0].Y, kTop + 4);
    std::vector<const TCanvasOp*> rects;
    for (const TCanvasOp& op : ops)
        if (op.Kind == TCanvasOpKind::Rectangle)
            rects.push_back(&op);
    ASSERT_EQ(rects.size(), 9u);
    // rowH = 12, pad 4: widths = text width + 8.
    // Column 0 as wide as "Infinite" (8 characters of 4 units).
    EXPECT_EQ(rects[0]->Rect, (sps::TRect{kLeft, kTop + 16, kLeft + 8 * 4 + 8, kTop + 28}));
    EXPECT_EQ(rects[1]->Rect.Width(), 7 * 4 + 8);
    EXPECT_EQ(rects[3]->Rect.Top, kTop + 28);
    EXPECT_EQ(rects[0]->Brush.Color, 0xCCCCCCu);  // header row
    EXPECT_EQ(rects[3]->Brush.Color, 0xCCCCCCu);  // header column
    EXPECT_EQ(rects[4]->Brush.Color, sps::clWhite);
    EXPECT_EQ(rects[4]->Pen.Style, sps::psSolid);
    std::vector<const TCanvasOp*> texts;
    for (const TCanvasOp& op : ops)
        if (op.Kind == TCanvasOpKind::DrawText)
            texts.push_back(&op);
    ASSERT_EQ(texts.size(), 9u);
    EXPECT_EQ(texts[3]->Text, "Layer 1");
    EXPECT_EQ(texts[3]->Flags, sps::dtWordBreak | sps::dtLeft);
    EXPECT_EQ(texts[4]->Flags, sps::dtWordBreak | sps::dtRight);
    EXPECT_EQ(texts[5]->Flags, sps::dtWordBreak | sps::dtRight);
    EXPECT_EQ(texts[6]->Flags, sps::dtWordBreak | sps::dtRight); // Infinite
    EXPECT_EQ(texts[7]->Flags, sps::dtWordBreak | sps::dtLeft);  // empty
    // Text rectangle inset by pad and ch / 6.
    EXPECT_EQ(texts[4]->Rect, (sps::TRect{rects[4]->Rect.Left + 4, kTop + 28 + 1, rects[4]->Rect.Right - 4,
                                          kTop + 40 - 1}));

    TFixture g;
    TTable* bare = g.report.AddParagraph()->AddTable();
    bare->Lines = false;
    bare->HeaderRows = 1;
    bare->Rows = {"a,b", "c,d"};
    g.Print();
    for (const TCanvasOp& op : g.Body(1))
        if (op.Kind == TCanvasOpKind::Rectangle) {
            EXPECT_EQ(op.Pen.Style, sps::psClear);
        }
}

TEST(Report, WideTablesGetEqualColumnsAndWrappedRows)
{
    TFixture f;
    TParagraph* p = f.report.AddParagraph();
    p->Columns = 2;
    TTable* t = p->AddTable();
    std::string longText;
    for (int i = 0; i < 30; i++)
        longText += "word ";
    t->Rows = {"a,\"" + longText + "\",c", "1,2,3"};
    f.Print();
    std::vector<const TCanvasOp*> rects;
    std::vector<TCanvasOp> ops = f.Body(1);
    for (const TCanvasOp& op : ops)
        if (op.Kind == TCanvasOpKind::Rectangle)
            rects.push_back(&op);
    ASSERT_EQ(rects.size(), 6u);
    int w = kColumns2 / 3;
    for (const TCanvasOp* r : rects)
        EXPECT_EQ(r->Rect.Width(), w);
    // The long cell wraps at w - 8 = 165 units: 8 words a line, 30 words in 4 lines
    // of 8 units, plus ch / 3.
    EXPECT_EQ(rects[0]->Rect.Height(), 4 * 8 + 2);
    EXPECT_EQ(rects[3]->Rect.Height(), 12);
}

TEST(Report, HeaderRowRepeatsAfterAPageBreak)
{
    TFixture f;
    TParagraph* p = f.report.AddParagraph();
    TTable* t = p->AddTable();
    t->HeaderRows = 1;
    t->Rows.push_back("Head,Value");
    for (int i = 1; i <= 60; i++)
        t->Rows.push_back("\"Row " + std::to_string(i) + "\",1");
    f.Print();
    ASSERT_EQ(f.printer.PageCount, 2);
    // 534 / 12 = 44 rows on the first page: Head and rows 1 to 43.
    std::vector<std::string> page1 = DrawTexts(f.printer.PageOps(1));
    std::vector<std::string> page2 = DrawTexts(f.printer.PageOps(2));
    ASSERT_GE(page1.size(), 2u);
    EXPECT_EQ(page1[page1.size() - 2], "Row 43");
    ASSERT_GE(page2.size(), 4u);
    EXPECT_EQ(page2[0], "Head");
    EXPECT_EQ(page2[2], "Row 44");
    const TCanvasOp* head = nullptr;
    std::vector<TCanvasOp> page2Ops = f.printer.PageOps(2);
    for (const TCanvasOp& op : page2Ops)
        if (op.Kind == TCanvasOpKind::Rectangle) {
            head = &op;
            break;
        }
    ASSERT_NE(head, nullptr);
    EXPECT_EQ(head->Rect.Top, kTop);
    EXPECT_EQ(head->Brush.Color, 0xCCCCCCu);

    // Without header rows nothing is repeated.
    TFixture g;
    TTable* plain = AddRows(g.report.AddParagraph(), 60);
    plain->HeaderRows = 0;
    g.Print();
    EXPECT_EQ(DrawTexts(g.printer.PageOps(2))[0], "Row 44");
}

TEST(Report, HeaderRowRepeatsAfterAColumnBreak)
{
    TFixture f;
    TParagraph* p = f.report.AddParagraph();
    p->Columns = 2;
    TTable* t = p->AddTable();
    t->HeaderRows = 1;
    t->Rows.push_back("Head,Value");
    for (int i = 1; i <= 50; i++)
        t->Rows.push_back("\"Row " + std::to_string(i) + "\",1");
    f.Print();
    EXPECT_EQ(f.printer.PageCount, 1);
    std::vector<TCanvasOp> ops = f.printer.PageOps(1);
    const TCanvasOp* second = FindText(ops, "Row 44");
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second->Rect.Top, kTop + 12 + 1);
    int heads = 0;
    for (const TCanvasOp& op : ops)
        if (op.Text == "Head") {
            heads++;
            if (heads == 2) {
                EXPECT_EQ(op.Rect.Left, kLeft + kColumns2 + 4);
            }
        }
    EXPECT_EQ(heads, 2);
}

TEST(Report, LongTablesAndWideTablesAreNotCut)
{
    // More than 1000 rows and more than 100 columns.
    TFixture f;
    TParagraph* p = f.report.AddParagraph();
    TTable* t = p->AddTable();
    t->HeaderRows = 1;
    std::string wide;
    for (int c = 0; c < 120; c++)
        wide += (c ? "," : "") + std::to_string(c);
    t->Rows.push_back(wide);
    for (int i = 1; i <= 1500; i++)
        t->Rows.push_back("\"Row " + std::to_string(i) + "\",1");
    f.Print();
    std::vector<std::string> texts = f.printer.Recording().Texts();
    EXPECT_NE(std::find(texts.begin(), texts.end(), "Row 1500"), texts.end());
    EXPECT_NE(std::find(texts.begin(), texts.end(), "119"), texts.end());
}

TEST(Report, Graphics)
{
    TFixture f;
    TParagraph* p = f.report.AddParagraph();
    TGraphicContainer* g = p->AddGraphic();
    g->SetOwnedGraphic(std::make_unique<TBox>(1000, 200));
    g->MarginPercent = 10;
    // Taller than the printable height: scaled down to it, proportions kept,
    // centred in the column, on the next page.
    TGraphicContainer* tall = p->AddGraphic();
    tall->SetOwnedGraphic(std::make_unique<TBox>(20, 1068));
    TParagraph* q = f.report.AddParagraph();
    q->Columns = 2;
    TGraphicContainer* borrowed = q->AddGraphic();
    TBox box(0, 5);
    borrowed->Graphic = &box;
    borrowed->OwnsGraphic = false;
    f.Print();
    std::vector<TCanvasOp> fills;
    for (const TCanvasOp& op : f.printer.Recording().Ops)
        if (op.Kind == TCanvasOpKind::FillRect)
            fills.push_back(op);
    ASSERT_EQ(fills.size(), 3u);
    // Column 1040: margin 104, width 832, height 166 + 208, drawn inset by the margin.
    EXPECT_EQ(fills[0].Rect, (sps::TRect{kLeft + 104, kTop + 104, kLeft + 104 + 832, kTop + 104 + 166}));
    // 20 x 1068 at 534 high: 10 wide, (1040 - 10) / 2 from the column's edges.
    EXPECT_EQ(fills[1].Page, 2);
    EXPECT_EQ(fills[1].Rect, (sps::TRect{kLeft + 515, kTop, kLeft + 525, kTop + kPrintable}));
    // Width 0: a square of the column width (520); fits neither the second column
    // nor the rest of the page, so it starts the next page.
    EXPECT_EQ(f.printer.PageCount, 3);
    EXPECT_EQ(fills[2].Page, 3);
    EXPECT_EQ(fills[2].Rect, (sps::TRect{kLeft, kTop, kLeft + kColumns2, kTop + kColumns2}));
}

TEST(Report, CaptionGoesWithTheFirstObject)
{
    // A page of rows leaves 14 units, room for the caption (24) of B but not
    // for its first row: both start the next page.
    TFixture f;
    AddRows(f.report.AddParagraph(), 43, "A"); // 43 x 12 = 516, then LowestY 526
    TParagraph* b = f.report.AddParagraph();
    b->Caption = "B";
    AddRows(b, 2, "B");
    // C's graphic, taller than a page, is scaled to the room below its caption.
    TParagraph* c = f.report.AddParagraph();
    c->NewPage = true;
    c->Caption = "C";
    c->AddGraphic()->SetOwnedGraphic(std::make_unique<TBox>(100, 10000));
    // D: an empty graphic and a table; the gap after the empty object stays
    // between caption and table.
    TParagraph* d = f.report.AddParagraph();
    d->NewPage = true;
    d->Caption = "D";
    d->AddGraphic();
    AddRows(d, 1, "D");
    // E starts with a column break: its caption stays in the first column.
    TParagraph* e = f.report.AddParagraph();
    e->Columns = 2;
    e->Caption = "E";
    e->AddColumnBreak();
    AddRows(e, 1, "E");
    f.Print();
    ASSERT_EQ(f.printer.PageCount, 4);
    EXPECT_EQ(FindText(f.printer.PageOps(1), "B"), nullptr);
    std::vector<TCanvasOp> page2 = f.printer.PageOps(2);
    const TCanvasOp* caption = FindText(page2, "B");
    const TCanvasOp* row = FindText(page2, "B0");
    ASSERT_TRUE(caption && row);
    EXPECT_EQ(caption->Points[0].Y, kTop + 6);
    EXPECT_EQ(row->Rect.Top, kTop + 24 + 1); // text ch / 6 below the row's top

    std::vector<TCanvasOp> page3 = f.printer.PageOps(3);
    ASSERT_NE(FindText(page3, "C"), nullptr);
    const TCanvasOp* fill = nullptr;
    for (const TCanvasOp& op : page3)
        if (op.Kind == TCanvasOpKind::FillRect)
            fill = &op;
    ASSERT_NE(fill, nullptr);
    EXPECT_EQ(fill->Rect.Top, kTop + 24);
    EXPECT_EQ(fill->Rect.Bottom, kTop + kPrintable);
    EXPECT_EQ(fill->Rect.Width(), 5); // 100 x 510 / 10000, rounded down

    std::vector<TCanvasOp> page4 = f.printer.PageOps(4);
    const TCanvasOp* d0 = FindText(page4, "D0");
    ASSERT_NE(d0, nullptr);
    EXPECT_EQ(d0->Rect.Top, kTop + 24 + 10 + 1);
    const TCanvasOp* captionE = FindText(page4, "E");
    const TCanvasOp* e0 = FindText(page4, "E0");
    ASSERT_TRUE(captionE && e0);
    EXPECT_EQ(captionE->Points[0].X, kLeft);
    EXPECT_EQ(e0->Rect.Top, captionE->Points[0].Y - 6 + 1); // the second column starts at the caption's top
    EXPECT_GT(e0->Rect.Left, kLeft + kColumns2);
}

TEST(Report, FailingPrintEndsTheDocument)
{
    class TFailing : public sps::TGraphic {
    public:
        void Draw(sps::TCanvas&, const sps::TRect&) const override { sps::Raise("broken"); }
        bool GetEmpty() const override { return false; }
        int GetWidth() const override { return 100; }
        int GetHeight() const override { return 10; }
    };
    TFixture f;
    f.report.AddParagraph()->AddGraphic()->SetOwnedGraphic(std::make_unique<TFailing>());
    EXPECT_THROW(f.Print(), sps::Exception);
    EXPECT_FALSE(f.printer.Printing());
    EXPECT_EQ(f.printer.EndDocCount, 1);
    // The canvas no longer reports to the report.
    EXPECT_FALSE(static_cast<bool>(f.printer.Canvas().OnChange));

    TReport noDevice;
    EXPECT_THROW(noDevice.Print(), sps::Exception);
}

namespace {

class TFakeGrid : public TReportGrid {
public:
    int defaultWidth = 64;
    int rowCount = 0;
    std::vector<int> widths = std::vector<int>(5, 64);
    std::vector<std::vector<std::string>> cells;
    int height = 0;

    void SetDefaultColWidth(int width) override
    {
        defaultWidth = width;
        std::fill(widths.begin(), widths.end(), width);
    }
    void SetRowCount(int count) override
    {
        rowCount = count;
        cells.resize(static_cast<size_t>(count));
    }
    int ColCount() const override { return static_cast<int>(widths.size()); }
    void SetColCount(int count) override { widths.resize(static_cast<size_t>(count), defaultWidth); }
    int ColWidth(int col) const override { return widths.at(static_cast<size_t>(col)); }
    void SetColWidth(int col, int width) override { widths.at(static_cast<size_t>(col)) = width; }
    int TextWidth(const std::string& text) override { return 6 * static_cast<int>(text.size()); }
    void SetRow(int row, const std::vector<std::string>& c) override { cells.at(static_cast<size_t>(row)) = c; }
    int DefaultRowHeight() const override { return 18; }
    void SetHeight(int h) override { height = h; }
};

} // namespace

TEST(Report, FillGrid)
{
    TTable t;
    t.Rows = {"\"Depth [m]\",\"Moment [kNm/m]\",x", "\"1,500\",2.000", "a,b,c,d"};
    TFakeGrid grid;
    t.FillGrid(grid);
    EXPECT_EQ(grid.rowCount, 3);
    ASSERT_EQ(grid.ColCount(), 4);
    EXPECT_EQ(grid.ColWidth(0), 6 * 9 + 10);
    EXPECT_EQ(grid.ColWidth(1), 6 * 14 + 10);
    EXPECT_EQ(grid.ColWidth(2), 6 + 10);
    EXPECT_EQ(grid.ColWidth(3), 6 + 10);
    EXPECT_EQ(grid.cells[1], (std::vector<std::string>{"1,500", "2.000"}));
    EXPECT_EQ(grid.height, 19 * 3 + 3);

    TTable empty;
    TFakeGrid small;
    empty.FillGrid(small);
    EXPECT_EQ(small.ColCount(), 2);
    EXPECT_EQ(small.ColWidth(1), 10);
    EXPECT_EQ(small.height, 3);
}
