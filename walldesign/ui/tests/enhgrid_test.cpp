// The grid core: row keys and bounds, row operations, columns, validation of
// edited cells, masks and the pick list search.
#include "walldesign/ui/enhgrid.h"

#include "platform/numtext.h"

#include <gtest/gtest.h>

namespace wd {
namespace {

struct Events {
    int beforeInsert = 0, afterInsert = 0, beforeDelete = 0, afterDelete = 0, changed = 0;
    void Bind(TEnhGrid& g)
    {
        g.BeforeInsert = [this] { beforeInsert++; };
        g.AfterInsert = [this] { afterInsert++; };
        g.BeforeDelete = [this] { beforeDelete++; };
        g.AfterDelete = [this] { afterDelete++; };
        g.OnGridChanged = [this] { changed++; };
    }
};

// A grid of `rows` rows (one fixed) and three columns (one fixed), with every
// row key on and the cells named after their position.
void Fill(TEnhGrid& g, int rows)
{
    g.SetColCount(3);
    g.SetRowCount(rows);
    g.EnhancedOptions = dgoAppendRow | dgoInsertRow | dgoDeleteRow;
    g.SetOptions(g.Options() | goTabs);
    for (int r = 0; r < rows; r++)
        for (int c = 0; c < 3; c++)
            g.SetCell(c, r, std::to_string(c) + ":" + std::to_string(r));
}

TEST(EnhGrid, RowKeysOnlyWhereTheyApply)
{
    TEnhGrid g;
    Fill(g, 4);
    g.SetCurrent(1, 3);
    EXPECT_FALSE(g.CanRowAction(vkTab, 0)); // not the last column
    EXPECT_TRUE(g.CanRowAction(vkDown, 0));
    g.SetCurrent(2, 3);
    EXPECT_TRUE(g.CanRowAction(vkTab, 0));
    EXPECT_FALSE(g.CanRowAction(vkTab, ssShift));
    g.SetCurrent(2, 2);
    EXPECT_FALSE(g.CanRowAction(vkTab, 0));
    EXPECT_FALSE(g.CanRowAction(vkDown, 0));
    EXPECT_FALSE(g.CanRowAction(vkInsert, 0));
    EXPECT_TRUE(g.CanRowAction(vkInsert, ssCtrl));
    EXPECT_TRUE(g.CanRowAction(vkDelete, ssCtrl));
    g.EnhancedOptions = dgoAppendRow;
    EXPECT_FALSE(g.CanRowAction(vkDelete, ssCtrl));
    g.EnhancedOptions = 0;
    g.SetCurrent(2, 3);
    EXPECT_FALSE(g.CanRowAction(vkDown, 0));
}

TEST(EnhGrid, TabAndDownAtTheEndAppendAndMove)
{
    TEnhGrid g;
    Fill(g, 3);
    g.SetCurrent(2, 2);
    EXPECT_EQ(g.KeyDown(vkTab, 0), TKeyOutcome::Handled);
    EXPECT_EQ(g.RowCount(), 4);
    EXPECT_EQ(g.Col(), 1);
    EXPECT_EQ(g.Row(), 3);
    EXPECT_EQ(g.KeyDown(vkDown, 0), TKeyOutcome::Handled);
    EXPECT_EQ(g.RowCount(), 5);
    EXPECT_EQ(g.Row(), 4);
    // Shift+Tab from the first cell leaves the grid; Down inside does not append.
    g.SetCurrent(1, 1);
    EXPECT_EQ(g.KeyDown(vkTab, ssShift), TKeyOutcome::LeavePrev);
    EXPECT_EQ(g.KeyDown(vkDown, 0), TKeyOutcome::Handled);
    EXPECT_EQ(g.RowCount(), 5);
    // Without dgoAppendRow Tab from the last cell leaves the grid.
    g.EnhancedOptions = 0;
    g.SetCurrent(2, 4);
    EXPECT_EQ(g.KeyDown(vkTab, 0), TKeyOutcome::LeaveNext);
    EXPECT_EQ(g.RowCount(), 5);
}

TEST(EnhGrid, KeysSkipHiddenRows)
{
    TEnhGrid g;
    Fill(g, 4);
    g.SetFixedRows(0);
    g.SetRowHeight(0, -1);
    g.SetRowHeight(2, -1);
    EXPECT_EQ(g.Row(), 1); // moved off the hidden row
    EXPECT_FALSE(g.SetCurrent(1, 2));
    g.KeyDown(vkDown, 0);
    EXPECT_EQ(g.Row(), 3);
    g.KeyDown(vkUp, 0);
    g.KeyDown(vkUp, 0);
    EXPECT_EQ(g.Row(), 1);
    EXPECT_EQ(g.KeyDown(vkTab, ssShift), TKeyOutcome::LeavePrev);
}

TEST(EnhGrid, MaxRowCountStopsInsertionButFiresTheEvents)
{
    TEnhGrid g;
    Events ev;
    ev.Bind(g);
    Fill(g, 6);
    g.SetMaxRowCount(6);
    g.SetCurrent(2, 5);
    g.KeyDown(vkInsert, ssCtrl);
    g.KeyDown(vkDown, 0);
    g.KeyDown(vkTab, 0);
    g.InsertRow(2);
    EXPECT_EQ(g.RowCount(), 6);
    EXPECT_EQ(ev.beforeInsert, 4);
    EXPECT_EQ(ev.afterInsert, 4);
    g.SetMaxRowCount(4);
    EXPECT_EQ(g.RowCount(), 4);
    g.SetMaxRowCount(0);
    EXPECT_EQ(g.RowCount(), 4);
    g.AppendRow();
    EXPECT_EQ(g.RowCount(), 5);
}

TEST(EnhGrid, MinRowCountAndTheLastRowOnlyEmpty)
{
    TEnhGrid g;
    Events ev;
    ev.Bind(g);
    Fill(g, 2);
    g.SetCurrent(1, 1);
    g.KeyDown(vkDelete, ssCtrl);
    EXPECT_EQ(g.RowCount(), 2);
    EXPECT_EQ(g.Cell(0, 1), "0:1"); // the fixed cell stays
    EXPECT_EQ(g.Cell(1, 1), "");
    EXPECT_EQ(g.Cell(2, 1), "");
    EXPECT_EQ(ev.beforeDelete, 1);
    EXPECT_EQ(ev.afterDelete, 1);

    g.SetMinRowCount(5);
    EXPECT_EQ(g.RowCount(), 5);
    g.SetMinRowCount(3);
    g.SetRowCount(3);
    g.SetCell(2, 2, "x");
    g.DeleteRow(2);
    EXPECT_EQ(g.RowCount(), 3);
    EXPECT_EQ(g.Cell(2, 2), "");
    g.SetMinRowCount(-4);
    EXPECT_EQ(g.MinRowCount(), 0);
}

TEST(EnhGrid, InsertAndDeleteMoveWholeRows)
{
    TEnhGrid g;
    Fill(g, 4);
    g.InsertRow(2);
    ASSERT_EQ(g.RowCount(), 5);
    EXPECT_EQ(g.Cell(0, 2), "");
    EXPECT_EQ(g.Cell(2, 2), "");
    EXPECT_EQ(g.Cell(0, 3), "0:2");
    EXPECT_EQ(g.Cell(2, 4), "2:3");
    g.DeleteRow(1);
    ASSERT_EQ(g.RowCount(), 4);
    EXPECT_EQ(g.Cell(0, 1), "");
    EXPECT_EQ(g.Cell(1, 2), "1:2");
    EXPECT_EQ(g.Cell(1, 3), "1:3");
}

TEST(EnhGrid, ColumnsFollowTheGrid)
{
    TEnhGrid g;
    EXPECT_EQ(g.Columns().Count(), g.ColCount());
    g.SetColCount(3);
    EXPECT_EQ(g.Columns().Count(), 3);
    g.Columns().Add();
    EXPECT_EQ(g.ColCount(), 4);
    g.Columns().Delete(0);
    EXPECT_EQ(g.ColCount(), 3);

    TColumn& c = g.Columns()[1];
    g.Font.Size = 12;
    EXPECT_EQ(c.Font().Size, 12);
    sps::TFont own;
    own.Size = 20;
    c.SetFont(own);
    g.Font.Size = 14;
    EXPECT_EQ(c.Font().Size, 20);
    EXPECT_EQ(g.Columns()[2].Font().Size, 14);

    c.SetFormat(cfNumber);
    c.SetDisplayMask("0.00");
    c.SetFormat(cfDate);
    EXPECT_EQ(c.DisplayMask(), "");

    EXPECT_FALSE(c.ReadOnly());
    g.SetOptions(g.Options() & ~goEditing);
    EXPECT_TRUE(c.ReadOnly());
    c.SetReadOnly(false);
    EXPECT_FALSE(c.ReadOnly());

    // Assign copies what is set; RestoreDefaults forgets it.
    c.Title().SetCaption("Tip [m]");
    g.Columns()[2].Assign(c);
    EXPECT_EQ(g.Columns()[2].Font().Size, 20);
    EXPECT_EQ(g.Columns()[2].Title().Caption(), "Tip [m]");
    c.RestoreDefaults();
    EXPECT_EQ(c.Title().Caption(), "");
    EXPECT_EQ(c.Font().Size, 14);
}

TEST(EnhGrid, ValidateCellNormalisesOrReverts)
{
    TEnhGrid g;
    Events ev;
    ev.Bind(g);
    Fill(g, 3);
    g.Columns()[1].SetFormat(cfNumber);
    g.Columns()[2].SetFormat(cfDate);
    g.SetCurrent(1, 1);

    bool modified = false;
    g.SetCell(1, 1, "1e3");
    g.ValidateCell("5", modified);
    EXPECT_EQ(g.Cell(1, 1), "1e3"); // not modified: untouched
    EXPECT_EQ(ev.changed, 0);

    modified = true;
    g.ValidateCell("5", modified);
    EXPECT_EQ(g.Cell(1, 1), "1000");
    EXPECT_EQ(ev.changed, 1);

    g.SetCell(1, 1, "abc");
    modified = true;
    g.ValidateCell("5", modified);
    EXPECT_EQ(g.Cell(1, 1), "5");
    EXPECT_FALSE(modified);
    EXPECT_EQ(ev.changed, 2);

    g.SetCurrent(2, 1);
    std::string today = FormatDateMask(Today(), ShortDateFormat());
    for (const char* text : {"n", "T", "heute", "j", "D"}) {
        g.SetCell(2, 1, text);
        modified = true;
        g.ValidateCell("01.02.2003", modified);
        EXPECT_EQ(g.Cell(2, 1), today) << text;
    }
    g.SetCell(2, 1, "x");
    modified = true;
    g.ValidateCell("01.02.2003", modified);
    EXPECT_EQ(g.Cell(2, 1), "01.02.2003");
    g.SetCell(2, 1, "3/4/05");
    modified = true;
    g.ValidateCell("", modified);
    EXPECT_EQ(g.Cell(2, 1), "03.04.2005");
    g.SetCell(2, 1, "31.2.2005");
    modified = true;
    g.ValidateCell("1.1.2001", modified);
    EXPECT_EQ(g.Cell(2, 1), "1.1.2001");
}

TEST(EnhGrid, CellDisplayUsesEditTextMasksAndTitles)
{
    TEnhGrid g;
    Fill(g, 3);
    g.OnGetEditText = [](TEnhGrid&, int col, int row, std::string& text) {
        if (col == 0 && row > 0)
            text = "Row " + std::to_string(row);
    };
    TColumn& c = g.Columns()[1];
    c.SetFormat(cfNumber);
    c.SetDisplayMask("#,##0.00");
    c.SetAlignment(taRightJustify);
    c.Title().SetCaption("Moment [kNm/m]");
    g.SetCell(1, 1, "1234.5");
    g.SetCell(1, 2, "n/a");

    TCellDrawing d = g.CellDisplay(1, 1, false);
    EXPECT_EQ(d.Text, "1,234.50");
    EXPECT_EQ(d.Alignment, taRightJustify);
    EXPECT_FALSE(d.Fixed);
    EXPECT_EQ(g.CellDisplay(1, 2, false).Text, "n/a");
    EXPECT_EQ(g.CellDisplay(0, 2, false).Text, "Row 2");
    EXPECT_TRUE(g.CellDisplay(0, 2, false).Fixed);
    TCellDrawing title = g.CellDisplay(1, 0, false);
    EXPECT_EQ(title.Text, "Moment [kNm/m]");
    EXPECT_EQ(title.Color, g.FixedColor);
    EXPECT_EQ(title.Alignment, taLeftJustify);

    EXPECT_EQ(TEnhGrid::TextLeft(taLeftJustify, 10, 110, 20), 12);
    EXPECT_EQ(TEnhGrid::TextLeft(taRightJustify, 10, 110, 20), 87);
    EXPECT_EQ(TEnhGrid::TextLeft(taCenter, 10, 111, 20), 50);
}

TEST(EnhGrid, NumberAndDateMasks)
{
    EXPECT_EQ(FormatNumberMask(1234.5, "#,##0.00"), "1,234.50");
    EXPECT_EQ(FormatNumberMask(-0.004, "0.00"), "0.00");
    EXPECT_EQ(FormatNumberMask(0.125, "0.00"), "0.12"); // halves to even
    EXPECT_EQ(FormatNumberMask(2.5, "0.##"), "2.5");
    EXPECT_EQ(FormatNumberMask(0.5, "#.##"), ".5");
    EXPECT_EQ(FormatNumberMask(7, "'Nr. '000' kN'"), "Nr. 007 kN");
    EXPECT_EQ(FormatDateMask(TDate{2005, 4, 3}, "d/m/yy"), "3/4/05");
    EXPECT_EQ(FormatDateMask(TDate{2005, 4, 3}, "yyyy-mm-dd"), "2005-04-03");

    EXPECT_EQ(InputMaskOf("!99/99/00;1;_"), "00/00/99;_");
    EXPECT_EQ(InputMaskOf(">LL<>aa\\0"), ">AA!nn\\0");
    EXPECT_EQ(InputMaskOf("D-0"), "\\D-9");
    EXPECT_EQ(InputMaskOf(""), "");

    sps::SetDecimalSeparator(',');
    EXPECT_EQ(FormatNumberMask(1234.5, "#,##0.00"), "1.234,50");
    EXPECT_EQ(PlainNumberText(0.25), "0,25");
    sps::SetDecimalSeparator('.');
    EXPECT_EQ(PlainNumberText(1e3), "1000");
}

TEST(EnhGrid, PickListSearch)
{
    std::vector<std::string> items = {"Sand", "silt", "Clay", "Gravel"};
    EXPECT_EQ(PickByFirstLetter(items, 'c'), 2);
    EXPECT_EQ(PickByFirstLetter(items, 'S'), 0);
    EXPECT_EQ(PickByFirstLetter(items, 'x'), -1);

    TTypeAhead t;
    EXPECT_EQ(t.Key('s', 1000, items), 0);
    EXPECT_EQ(t.Key('i', 1500, items), 1);
    EXPECT_EQ(t.Search(), "si");
    EXPECT_EQ(t.Key('g', 4000, items), 3); // a pause starts a new search
    EXPECT_EQ(t.Key(8, 4100, items), -1);
    EXPECT_EQ(t.Search(), "");
    for (int i = 0; i < 40; i++)
        t.Key('z', 5000 + i, items);
    EXPECT_EQ(t.Search().size(), 32u);
}

TEST(EnhGrid, TakesAReportTable)
{
    TEnhGrid g;
    TTable t;
    t.Rows = {"\"Depth [m]\",\"Moment [kNm/m]\",x", "1.000,2.000", "a,b,c,d"};
    t.FillGrid(g);
    EXPECT_EQ(g.RowCount(), 3);
    EXPECT_EQ(g.ColCount(), 4);
    EXPECT_EQ(g.Columns().Count(), 4);
    EXPECT_EQ(g.Cell(1, 0), "Moment [kNm/m]");
    EXPECT_EQ(g.Cell(2, 1), "");
    EXPECT_EQ(g.Cell(3, 2), "d");
    EXPECT_EQ(g.ColWidth(1), 7 * 14 + 10);
    EXPECT_EQ(g.Height(), 21 * 3 + 3);
}

} // namespace
} // namespace wd
