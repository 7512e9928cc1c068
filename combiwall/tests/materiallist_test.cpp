#include "shipped.h"

#include "combiwall/materiallist.h"
#include "platform/numtext.h"

#include <gtest/gtest.h>

using namespace cw;
using namespace cwtest;

namespace {

// King pile 250 kg/m with two connectors of 10 kg/m and a VB of 5 kg/m, a
// sheet pile of 130 kg/m.
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
    c.builtUpSheetPiles.names = {"KX 13   "};
    c.builtUpSheetPiles.height = {300};
    c.builtUpSheetPiles.unused = {0};
    c.builtUpSheetPiles.ix = {1};
    c.builtUpSheetPiles.width = {1};
    c.builtUpSheetPiles.unitWeight = {140};
    return c;
}

MaterialListInput Input(const std::string& caption, int64_t systems, bool metric = true)
{
    MaterialListInput in;
    in.caption = caption;
    in.lengthWQ = "20.00";
    in.lengthNJ = "18.00";
    in.lengthVB = "16.00";
    in.lengthKX = "12.00";
    in.numberOfSystems = systems;
    in.metric = metric;
    return in;
}

// Row r as " | "-joined cells, for readable comparisons.
std::string Row(const MaterialGrid& g, int r)
{
    std::string s;
    for (int c = 0; c < kMaterialColumns; ++c)
        s += (c ? "|" : "") + g.Cell(c, r);
    return s;
}

} // namespace

TEST(MaterialList, ByHand)
{
    const Catalogue c = HandCatalogue();
    MaterialGrid g;
    const std::string name = "WQ 575 A-12 / KX 13";
    SystemComposition comp = ShowSystemComposition(g, name, c, false, true, 1.8);
    ASSERT_TRUE(comp.kingPileFound);
    EXPECT_FALSE(comp.kingPilesOnly);
    EXPECT_EQ(comp.connectorFieldsVisible, true);
    EXPECT_FALSE(comp.vbFieldVisible);
    EXPECT_EQ(comp.extraWidth, 0.5);
    // (250 + 10 + 10 + 130) / 1.8 and (270 + 0.6 x 130) / 1.8.
    EXPECT_EQ(comp.weight100Text, "222.2");
    EXPECT_EQ(comp.weight60Text, "193.3");
    EXPECT_NEAR(comp.wallWeight100, 400 / 1.8, 1e-9);

    MaterialListInput in = Input(name, 10);
    in.connectorFieldsVisible = true;
    ComputeMaterialList(g, in);
    EXPECT_EQ(Row(g, 2), " WQ 575 A|250.00|20.00|5.000|1|11|55.000|58.960");
    EXPECT_EQ(Row(g, 3), " NJ 40 F|10.00|18.00|0.180|1|11|1.980|");
    EXPECT_EQ(Row(g, 4), " NJ 40 W|10.00|18.00|0.180|1|11|1.980|");
    EXPECT_EQ(Row(g, 5), "|||||||");
    EXPECT_EQ(Row(g, 6), "|||||||");
    EXPECT_EQ(Row(g, 7), " KX 13|130.00|12.00|1.560|1|10|15.600|15.600");
    EXPECT_EQ(Row(g, 8), "|||||||74.560");
}

TEST(MaterialList, LayoutScalesWithPixelsPerInch)
{
    MaterialGrid g;
    MaterialListLayout l = LayoutMaterialList(g, 96, true);
    EXPECT_EQ(l.columnWidths, (std::array<int, 8>{71, 61, 61, 61, 45, 45, 72, 72}));
    EXPECT_EQ(l.rowHeight, 24);
    EXPECT_EQ(Row(g, 0), "Sections|Weight|Length|Weight|Pieces/|Pieces/|Total|Grand Total");
    EXPECT_EQ(Row(g, 1), "|kg/m|  m|metric t|system|wall|metric t|metric t");
    l = LayoutMaterialList(g, 120, false);
    EXPECT_EQ(l.columnWidths, (std::array<int, 8>{89, 76, 76, 76, 56, 56, 90, 90}));
    EXPECT_EQ(l.rowHeight, 30);
    EXPECT_EQ(Row(g, 1), "|lb/ft|  ft|net t|system|wall|net t|net t");
    // 35.5, 30.5 and 22.5 go to the even neighbour.
    l = LayoutMaterialList(g, 48, true);
    EXPECT_EQ(l.columnWidths, (std::array<int, 8>{36, 30, 30, 30, 22, 22, 36, 36}));
    EXPECT_EQ(l.rowHeight, 12);
}

TEST(MaterialList, SystemsOfTheShippedCatalogue)
{
    const Catalogue& c = Shipped();
    MaterialGrid g;
    // "-26": two king piles, VB and further connectors, 1.0 m extra width.
    SystemComposition s = ShowSystemComposition(g, "WQ 775 B-26 / KX 18", c, false, true, 2.34);
    EXPECT_EQ(s.extraWidth, 1.0);
    EXPECT_TRUE(s.vbFieldVisible);
    EXPECT_EQ(s.connectorFieldsVisible, true);
    for (int r = 2; r <= 7; ++r)
        EXPECT_FALSE(g.Empty(kColName, r)) << r;
    EXPECT_EQ(g.Cell(kColPiecesPerSystem, 2), "2");
    EXPECT_EQ(g.Cell(kColPiecesPerSystem, 5), "2");
    EXPECT_EQ(g.Cell(kColPiecesPerSystem, 6), "2");
    EXPECT_EQ(g.Cell(kColName, 5), " VB 36");
    EXPECT_EQ(g.Cell(kColName, 7), " KX 18");
    MaterialListInput in = Input("WQ 775 B-26 / KX 18", 10);
    in.vbFieldVisible = true;
    ComputeMaterialList(g, in);
    EXPECT_EQ(g.Cell(kColLength, 5), "16.00");
    EXPECT_EQ(g.Cell(kColLength, 6), "20.00");
    EXPECT_EQ(g.Cell(kColPiecesPerWall, 2), "22");
    EXPECT_EQ(g.Cell(kColPiecesPerWall, 5), "22");
    EXPECT_EQ(g.Cell(kColPiecesPerWall, 7), "10");

    // "-14": no row 6, VB shown, 0.5 m.
    s = ShowSystemComposition(g, "WQ 575 A-14 / KX 13", c, false, true, 1.85);
    EXPECT_EQ(s.extraWidth, 0.5);
    EXPECT_TRUE(s.vbFieldVisible);
    EXPECT_TRUE(g.Empty(kColName, 6));
    EXPECT_FALSE(g.Empty(kColName, 5));

    // C23: rows 2 and 3 only, 2 king piles and 3 connectors, both as long as
    // the king pile; the grand total repeats the king pile system's.
    s = ShowSystemComposition(g, "WQ 975 C-C23        ", c, false, true, 1.02);
    EXPECT_TRUE(s.kingPilesOnly);
    EXPECT_EQ(s.connectorFieldsVisible, false);
    EXPECT_FALSE(s.vbFieldVisible);
    EXPECT_EQ(s.extraWidth, 0.0);
    EXPECT_EQ(g.Cell(kColName, 3), " VB 42");
    EXPECT_EQ(s.weightC1C23Text, sps::FormatFixed((2 * 343.56 + 3 * 21.2) / 1.02, 1));
    in = Input("WQ 975 C-C23        ", 10);
    in.connectorFieldsVisible = false;
    ComputeMaterialList(g, in);
    EXPECT_EQ(g.Cell(kColLength, 3), "20.00");
    EXPECT_EQ(g.Cell(kColPiecesPerWall, 2), "20"); // "-C23": no extra king pile
    EXPECT_EQ(g.Cell(kColPiecesPerWall, 3), "30");
    for (int r = 4; r <= 7; ++r)
        EXPECT_TRUE(g.Empty(kColName, r)) << r;
    EXPECT_EQ(g.Cell(kColGrandTotal, 8), g.Cell(kColGrandTotal, 2));

    // C1: one king pile and one connector per system.
    s = ShowSystemComposition(g, "WQ 575 A-C1         ", c, false, true, 0.51);
    EXPECT_TRUE(s.kingPilesOnly);
    EXPECT_EQ(g.Cell(kColPiecesPerSystem, 2), "1");
    EXPECT_EQ(g.Cell(kColPiecesPerSystem, 3), "1");
    in = Input("WQ 575 A-C1         ", 10);
    in.connectorFieldsVisible = false;
    ComputeMaterialList(g, in);
    EXPECT_EQ(g.Cell(kColPiecesPerWall, 2), "10");
    EXPECT_EQ(g.Cell(kColPiecesPerWall, 3), "10");
}

TEST(MaterialList, SheetPileFromTheSourceTab)
{
    const Catalogue c = HandCatalogue();
    MaterialGrid g;
    ShowSystemComposition(g, "WQ 575 A-12 / KX 13   ", c, true, true, 1.8);
    EXPECT_EQ(g.Cell(kColName, 7), " KX 13   ");
    EXPECT_EQ(g.Cell(kColUnitWeight, 7), "140.00");
    ShowSystemComposition(g, "WQ 575 A-12 / KX 13   ", c, false, true, 1.8);
    EXPECT_EQ(g.Cell(kColName, 7), " KX 13");
    EXPECT_EQ(g.Cell(kColUnitWeight, 7), "130.00");
}

TEST(MaterialList, NoSystemsAndEmptyLengths)
{
    const Catalogue c = HandCatalogue();
    MaterialGrid g;
    ShowSystemComposition(g, "WQ 575 A-12 / KX 13", c, false, true, 1.8);
    MaterialListInput in = Input("WQ 575 A-12 / KX 13", 0);
    in.lengthNJ = "";
    ComputeMaterialList(g, in);
    for (int r = 2; r <= 7; ++r) {
        if (g.Empty(kColName, r))
            continue;
        EXPECT_EQ(g.Cell(kColPiecesPerWall, r), "0") << r;
        EXPECT_EQ(g.Cell(kColTotal, r), "0.000") << r;
    }
    EXPECT_EQ(g.Cell(kColLength, 3), "0.00");
    EXPECT_EQ(g.Cell(kColPieceWeight, 3), "0.000");
    EXPECT_EQ(g.Cell(kColGrandTotal, 8), "0.000");
    // No caption: nothing is computed.
    MaterialGrid empty;
    ComputeMaterialList(empty, MaterialListInput{});
    EXPECT_TRUE(empty.Empty(kColGrandTotal, 8));
}

TEST(MaterialList, Imperial)
{
    Catalogue c = HandCatalogue();
    c.kingPiles.unitWeight = {148.8167};
    MaterialGrid g;
    SystemComposition s = ShowSystemComposition(g, "WQ 575 A-12 / KX 13", c, false, false, 1.8);
    EXPECT_EQ(g.Cell(kColUnitWeight, 2), "100.00");
    // lb/ft per m of width, times m per ft: lb/ft².
    const double w100 = (100.00 + 6.72 + 6.72 + 87.36) / 1.8 * 0.304799;
    EXPECT_NEAR(s.wallWeight100, w100, 1e-9);
    EXPECT_EQ(s.weight100Text, sps::FormatFixed(w100, 2));
    MaterialListInput in = Input("WQ 575 A-12 / KX 13", 1, false);
    in.lengthWQ = "100.00";
    ComputeMaterialList(g, in);
    EXPECT_EQ(g.Cell(kColPieceWeight, 2), "5.000"); // net tons of 2000 lb
    EXPECT_EQ(g.Cell(kColTotal, 2), "10.000");
}

TEST(MaterialList, OddNamesAndWidthsNeverDivideByZero)
{
    const Catalogue c = HandCatalogue();
    MaterialGrid g;
    // No system width: weights per area " N/A ".
    SystemComposition s = ShowSystemComposition(g, "WQ 575 A-12 / KX 13", c, false, true, 0);
    EXPECT_EQ(s.weight100Text, kNoWeight);
    EXPECT_EQ(s.weight60Text, kNoWeight);
    EXPECT_EQ(s.wallWeight100, 0);
    s = ShowSystemComposition(g, "WQ 575 A-C1         ", c, false, true, -1);
    EXPECT_EQ(s.weightC1C23Text, kNoWeight);

    // No known king pile: the grid stays empty, nothing else is decided.
    s = ShowSystemComposition(g, "XX 1-12 / KX 13", c, false, true, 1.8);
    EXPECT_FALSE(s.kingPileFound);
    EXPECT_FALSE(s.extraWidth.has_value());
    EXPECT_FALSE(s.connectorFieldsVisible.has_value());
    for (int r = 2; r <= 8; ++r)
        EXPECT_EQ(Row(g, r), "|||||||");
    s = ShowSystemComposition(g, "", c, false, true, 1.8);
    EXPECT_FALSE(s.kingPileFound);

    // A name without markers or sheet pile: absent rows add nothing, and
    // their cells are never read as numbers.
    s = ShowSystemComposition(g, "WQ 575 A", c, false, true, 2.0);
    EXPECT_TRUE(s.kingPileFound);
    EXPECT_FALSE(s.extraWidth.has_value());
    EXPECT_EQ(s.weight100Text, "0.0"); // no pieces per system known
    MaterialListInput in = Input("WQ 575 A", 5);
    ComputeMaterialList(g, in);
    EXPECT_EQ(g.Cell(kColPieceWeight, 2), "5.000");
    EXPECT_EQ(g.Cell(kColPiecesPerWall, 2), ""); // pieces per system unknown
    EXPECT_EQ(g.Cell(kColTotal, 2), "");
    EXPECT_EQ(g.Cell(kColPieceWeight, 7), ""); // length but no section
    EXPECT_EQ(g.Cell(kColGrandTotal, 8), "0.000");

    // A connector index outside the table leaves its row absent.
    Catalogue bad = HandCatalogue();
    bad.kingPiles.connectors[1][0] = 9;
    ShowSystemComposition(g, "WQ 575 A-12 / KX 13", bad, false, true, 1.8);
    EXPECT_TRUE(g.Empty(kColName, 4));
    EXPECT_TRUE(g.Empty(kColUnitWeight, 4));
}
