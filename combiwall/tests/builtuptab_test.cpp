#include "shipped.h"

#include "combiwall/builtuptab.h"
#include "combiwall/safety.h"
#include "platform/numtext.h"

#include <gtest/gtest.h>

using namespace cw;
using namespace cwtest;

namespace {

Catalogue SmallCatalogue()
{
    Catalogue c;
    BuiltUpKingPileTable& kp = c.builtUpKingPiles;
    kp.names = {"WQ 575 A-12"};
    kp.dWQ = {500};
    kp.dNJ = {400};
    kp.area = {300};
    kp.ix = {1000000};
    kp.width = {1500};
    BuiltUpSheetPileTable& sp = c.builtUpSheetPiles;
    sp.names = {"KX 13   "};
    sp.height = {450};
    sp.unused = {0};
    sp.ix = {50000};
    sp.width = {1300};
    sp.unitWeight = {150};
    return c;
}

BuiltUpChoice Choice(const char* size, const char* thick, const char* solution, const std::string& sheet)
{
    return BuiltUpChoice{size, thick, solution, sheet};
}

} // namespace

TEST(BuiltUpTab, PropertiesAndTexts)
{
    const Catalogue c = SmallCatalogue();
    BuiltUpTabResult r = ComposeBuiltUpSystem(c, Choice(" 575", " A", "12", " KX 13   "), true);
    EXPECT_EQ(r.name, "WQ 575 A-12 / KX 13   ");
    EXPECT_EQ(r.caption, " WQ 575 A-12 / KX 13      ");
    ASSERT_TRUE(r.complete);
    EXPECT_EQ(r.statusText, " System width b = 2.80 m");
    EXPECT_EQ(r.ixText, "375000");
    EXPECT_EQ(r.sxWQText, "7500");
    EXPECT_EQ(r.sxNJText, "9375");
    EXPECT_EQ(r.areaText, "107.1"); // 300 / 2.8
    EXPECT_DOUBLE_EQ(r.system.system.sxKX, 1050000 / 22.5 / 2.8);

    r = ComposeBuiltUpSystem(c, Choice(" 575", " A", "12", " KX 13   "), false);
    EXPECT_EQ(r.statusText, " System width b = 9.19 ft"); // 2.8 / 0.304799
    EXPECT_EQ(r.ixText, sps::FormatFixed(375000 / 136.558158, 1));
    EXPECT_EQ(r.sxWQText, sps::FormatFixed(7500 / 53.763147, 1));
    EXPECT_EQ(r.areaText, sps::FormatFixed(300 / (2.8 * 21.16663), 2));
}

TEST(BuiltUpTab, NoMatchingRowGivesAnAllZeroSystem)
{
    const Catalogue c = SmallCatalogue();
    // No king pile row for this size, no sheet pile row for this name, and an
    // empty sheet pile list: all zero, "N/A" everywhere, safety factors "N/A".
    for (const BuiltUpChoice& choice : {Choice(" 775", " A", "12", " KX 13   "), Choice(" 575", " A", "12", " KX 99   "),
                                        Choice(" 575", " A", "12", "")}) {
        BuiltUpTabResult r = ComposeBuiltUpSystem(c, choice, true);
        EXPECT_FALSE(r.complete) << r.name;
        const SelectedSystem& s = r.system.system;
        EXPECT_EQ(s.sxWQ, 0);
        EXPECT_EQ(s.sxNJ, 0);
        EXPECT_EQ(s.sxKX, 0);
        EXPECT_EQ(s.area, 0);
        EXPECT_EQ(s.b, 0);
        EXPECT_EQ(r.system.ixPerMetre, 0);
        EXPECT_EQ(r.areaText, "N/A");
        EXPECT_EQ(r.ixText, "N/A");
        EXPECT_EQ(r.sxWQText, "N/A");
        EXPECT_EQ(r.sxNJText, "N/A");
        EXPECT_EQ(r.statusText, " System width b = 0.00 m");
        SafetyFactorTexts t =
            SafetyFactorDisplay(ComputeSafetyFactors(Loads{500, 100, 2}, YieldStrengths{355, 355, 270}, s));
        EXPECT_EQ(t.kingPile, "N/A");
        EXPECT_EQ(t.connectors, "N/A");
        EXPECT_EQ(t.sheetPile, "N/A");
        EXPECT_EQ(t.minimum, "N/A");
    }
    Catalogue empty = SmallCatalogue();
    empty.builtUpSheetPiles = BuiltUpSheetPileTable{};
    EXPECT_FALSE(ComposeBuiltUpSystem(empty, Choice(" 575", " A", "12", ""), true).complete);
}

TEST(BuiltUpTab, ReproducesTheCatalogueWithItsSafetyFactors)
{
    // Every choice of the tab gives the catalogue row of the same name, and so
    // the same safety factors, in both unit systems.
    const Catalogue& c = Shipped();
    const Loads loads{800, 300, 3};
    const YieldStrengths fyk{355, 390, 270};
    int rows = 0;
    for (const char* size : kBuiltUpSizeItems) {
        for (const char* thick : kBuiltUpThicknessItems) {
            for (const char* solution : kBuiltUpSolutionItems) {
                for (const std::string& sheet : c.builtUpSheetPiles.names) {
                    for (bool metric : {true, false}) {
                        BuiltUpTabResult r =
                            ComposeBuiltUpSystem(c, Choice(size, thick, solution, BuiltUpSheetPileItem(sheet)), metric);
                        ASSERT_TRUE(r.complete) << r.name;
                        const int row = Row(c, r.name.substr(0, kCombinationNameCapacity));
                        ASSERT_GE(row, 0) << r.name;
                        const SelectedSystem cat = CombinationSystem(c, row);
                        const SafetyFactors a = ComputeSafetyFactors(loads, fyk, r.system.system);
                        const SafetyFactors b = ComputeSafetyFactors(loads, fyk, cat);
                        EXPECT_EQ(a.kingPile, b.kingPile) << r.name;
                        EXPECT_EQ(a.connectors, b.connectors) << r.name;
                        EXPECT_EQ(a.sheetPile, b.sheetPile) << r.name;
                        EXPECT_EQ(a.minimum, b.minimum) << r.name;
                        EXPECT_EQ(r.sxWQText, metric ? sps::FormatFixed(cat.sxWQ, 0)
                                                     : sps::FormatFixed(cat.sxWQ / 53.763147, 1));
                        if (metric)
                            ++rows;
                    }
                }
            }
        }
    }
    EXPECT_EQ(rows, c.nA + c.nB + c.nC);
}
