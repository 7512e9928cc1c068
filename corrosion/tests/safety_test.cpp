#include "corrosion/safety.h"

#include "corrosion/quantities.h"
#include "helpers.h"

#include <gtest/gtest.h>

using namespace cr;

namespace {

const Loads kLoads{300, 100, 2}; // kNm/m, kN/m, cm
constexpr double kLoss = 3.59;   // front polluted soil 1.50 + back sea water 2.09

std::vector<std::string> Names(const Catalogue& cat, const SectionList& list)
{
    std::vector<std::string> names;
    for (int32_t row : list.rows)
        names.push_back(cat.sectionNames[row]);
    return names;
}

} // namespace

TEST(SafetyFactors, OneSectionByHand)
{
    const Catalogue cat = crtest::Shipped();
    CurrentSection cs;
    ComputeReducedProperties(cat, 2, kLoss, true, true, cs); // KX 18: Sx,red 1165, Ax,red 87.058
    ASSERT_EQ(cs.name, "KX 18");
    const double fyk = GradeFyk(cat, 3, true);
    ASSERT_EQ(fyk, 355);
    // stress,ini = (300 + 100 x 2 / 100) / 1799 x 1000 + 100 / 136.5 x 10
    //            = 167.871 + 7.326 = 175.197 MPa; 355 / 175.197 = 2.026 -> 2.03.
    // stress,red = 302 / 1165 x 1000 + 100 / 87.058 x 10
    //            = 259.227 + 11.487 = 270.714 MPa; 355 / 270.714 = 1.311 -> 1.31.
    const SafetyFactors sf = ComputeSafetyFactors(kLoads, fyk, cs);
    EXPECT_DOUBLE_EQ(sf.ini, 2.03);
    EXPECT_DOUBLE_EQ(sf.red, 1.31);
    EXPECT_EQ(SafetyFactorText(sf.ini), "2.03");
    EXPECT_EQ(SafetyFactorText(sf.red), "1.31");

    // Imperial grades give fyk in MPa: 50 ksi = 344.857 MPa.
    EXPECT_DOUBLE_EQ(GradeFyk(cat, 1, false), 50 * 6.89714);
    EXPECT_EQ(GradeFyk(cat, 99, true), 0);
}

TEST(SafetyFactors, NoLoadNoSectionNoArea)
{
    CurrentSection cs;
    cs.sxIni = 1000;
    cs.axIni = 100;
    cs.sxRed = 900;
    cs.axRed = 90;
    SafetyFactors sf = ComputeSafetyFactors(Loads{}, 355, cs);
    EXPECT_EQ(sf.ini, 0);
    EXPECT_EQ(sf.red, 0);
    EXPECT_EQ(SafetyFactorText(sf.ini), "N/A");

    // Only N with f = 0: the axial term alone.
    sf = ComputeSafetyFactors(Loads{0, 100, 0}, 355, cs);
    EXPECT_DOUBLE_EQ(sf.ini, 35.5);
    EXPECT_EQ(SafetyFactorText(sf.ini), ">20");

    cs.sxRed = 0; // no reduced value
    sf = ComputeSafetyFactors(kLoads, 355, cs);
    EXPECT_GT(sf.ini, 0);
    EXPECT_EQ(sf.red, 0);

    // No area: no factor rather than a division by zero (also with N = 0).
    cs.axIni = 0;
    EXPECT_EQ(ComputeSafetyFactors(kLoads, 355, cs).ini, 0);
    EXPECT_EQ(ComputeSafetyFactors(Loads{100, 0, 0}, 355, cs).ini, 0);
    cs.sxIni = 0;
    cs.axIni = 100;
    cs.sxRed = 900;
    EXPECT_EQ(ComputeSafetyFactors(kLoads, 355, cs).red, 0);
}

TEST(SafetyFactors, RoundingAndDisplay)
{
    // Sf = 355 x Sx / (100 x 1000) with M = 100 only.
    const Loads m100{100, 0, 0};
    EXPECT_DOUBLE_EQ(SafetyFactor(m100, 355, 564.51, 50), 2.00); // 2.00401
    EXPECT_DOUBLE_EQ(SafetyFactor(m100, 355, 565.08, 50), 2.01); // 2.00603
    EXPECT_EQ(SafetyFactorText(SafetyFactor(m100, 355, 5634.93, 50)), "20.00"); // 20.004
    EXPECT_EQ(SafetyFactorText(SafetyFactor(m100, 355, 5640.0, 50)), ">20");   // 20.022
    EXPECT_EQ(SafetyFactorText(100), ">20");
    EXPECT_EQ(SafetyFactorText(1.5), "1.50");
}

TEST(SafetyFactors, DecimalHalvesGoToTheEvenHundredth)
{
    // KX 13 (Sx,ini 1300 cm³/m) under M = 200 kNm/m: the stress is 153.846 MPa,
    // S 270 GP gives 270 x 1300 / 200000 = 1.755 and S 390 GP 2.535 exactly.
    const Loads m200{200, 0, 0};
    EXPECT_DOUBLE_EQ(SafetyFactor(m200, 270, 1300, 100), 1.76);
    EXPECT_DOUBLE_EQ(SafetyFactor(m200, 390, 1300, 100), 2.54);
    EXPECT_DOUBLE_EQ(SafetyFactor(m200, 430, 1300, 100), 2.80); // 2.795
    EXPECT_DOUBLE_EQ(SafetyFactor(Loads{600, 0, 0}, 345, 1000, 100), 0.58); // 0.575
    // In the window search too: 1.755 counts as 1.76, inside 1.76 .. 2.00.
    CurrentSection cs;
    cs.sxIni = cs.sxRed = 1300;
    cs.axIni = cs.axRed = 100;
    const SafetyFactors sf = ComputeSafetyFactors(m200, 270, cs);
    EXPECT_TRUE(InSearchWindow(sf.red, cf::SfWindow{1.76, 2.00}));
    EXPECT_EQ(SafetyFactorText(sf.ini), "1.76");
}

TEST(SectionList, LinesInBothUnitSystems)
{
    const Catalogue cat = crtest::Shipped();
    EXPECT_EQ(SectionListLine(cat, 2, true), " KX 18        \t1799      ");
    EXPECT_EQ(SectionListLine(cat, 2, false), " KX 18        \t33.5      "); // 1799 / 53.763147
    Catalogue c = crtest::Small();
    c.sx[0][1] = 2000;
    EXPECT_EQ(SectionListLine(c, 1, false), " BB 20        \t37.2      ");

    ListContext ctx;
    const SectionList all = FillCatalogueList(cat, 0, cat.SectionCount() - 1, ctx);
    EXPECT_EQ(all.rows.size(), static_cast<size_t>(cat.SectionCount()));
    EXPECT_EQ(all.lines[14], SectionListLine(cat, 14, true));
    const FamilyRange fy = cat.familyRanges[2];
    EXPECT_EQ(Names(cat, FillCatalogueList(cat, fy.first, fy.last, ctx)),
              (std::vector<std::string>{"FY 8", "FY 12", "FY 16", "FY 20", "FY 25"}));
    // A family whose first index is above its last lists nothing.
    const SectionList none = FillCatalogueList(cat, 5, 4, ctx);
    EXPECT_TRUE(none.Empty());
    EXPECT_EQ(none.lines, NoMatchLines());
    EXPECT_EQ(none.lines.back(), " Sfmin/Sfmax required.");
    // Indexes outside the table are clipped.
    EXPECT_EQ(FillCatalogueList(cat, -3, 400, ctx).rows.size(), static_cast<size_t>(cat.SectionCount()));
}

TEST(SectionList, SearchOnTheReducedFactor)
{
    const Catalogue cat = crtest::Shipped();
    ListContext ctx;
    ctx.mode = cf::SearchMode::WindowSearch;
    ctx.loads = kLoads;
    ctx.fyk = 355;
    ctx.totalLoss = kLoss;
    ctx.window = {1.50, 2.00};
    // Sf,red at 3.59 mm with S 355 GP (worked like the KX 18 case): KX 22
    // 1.66, FY 20 1.54 lie inside; FY 25 2.01 and KX 26 2.08 just above; FY 8
    // has no reduced value at this loss.
    SectionList list = FillCatalogueList(cat, 0, cat.SectionCount() - 1, ctx);
    EXPECT_EQ(Names(cat, list), (std::vector<std::string>{"KX 22", "FY 20"}));
    EXPECT_EQ(list.lines[0], SectionListLine(cat, 3, true));
    EXPECT_EQ(list.beeps, 1); // FY 8
    EXPECT_EQ(list.status, " No reduced properties for this loss of steel thickness. ");

    ctx.window = {1.50, 2.10};
    list = FillCatalogueList(cat, 0, cat.SectionCount() - 1, ctx);
    EXPECT_EQ(Names(cat, list), (std::vector<std::string>{"KX 22", "KX 26", "FY 20", "FY 25"}));
    // Within one family.
    const FamilyRange kx = cat.familyRanges[1];
    EXPECT_EQ(Names(cat, FillCatalogueList(cat, kx.first, kx.last, ctx)),
              (std::vector<std::string>{"KX 22", "KX 26"}));

    // A section without reduced value is never listed.
    ctx.window = {1.0, 20.0};
    list = FillCatalogueList(cat, 6, 6, ctx);
    EXPECT_TRUE(list.Empty());
    // Beyond the tables nothing is listed, and every tested section beeps.
    ctx.totalLoss = 8.5;
    list = FillCatalogueList(cat, 0, cat.SectionCount() - 1, ctx);
    EXPECT_TRUE(list.Empty());
    EXPECT_EQ(list.beeps, cat.SectionCount());
    EXPECT_EQ(list.status, " Max. total loss of steel thickness (front + back) = 8 mm");
    // An empty Sfmin field lists nothing.
    ctx.totalLoss = kLoss;
    ctx.window = cf::SfWindow{};
    EXPECT_TRUE(FillCatalogueList(cat, 0, cat.SectionCount() - 1, ctx).Empty());
}

TEST(SectionList, WindowBoundsOnTheRoundedFactor)
{
    // Sections whose unrounded Sf,red is 2.004 and 2.006 (M = 100 kNm/m,
    // fyk 355, no loss so that the reduced values are the initial ones).
    Catalogue c = crtest::Small();
    c.sx[0] = {564.51, 565.08};
    ListContext ctx;
    ctx.mode = cf::SearchMode::WindowSearch;
    ctx.loads = {100, 0, 0};
    ctx.fyk = 355;
    ctx.window = {1.50, 2.00};
    EXPECT_EQ(FillCatalogueList(c, 0, 1, ctx).rows, (std::vector<int32_t>{0}));
    ctx.window = {2.01, 2.21};
    EXPECT_EQ(FillCatalogueList(c, 0, 1, ctx).rows, (std::vector<int32_t>{1}));
    EXPECT_EQ(FillCatalogueList(c, 0, 1, ctx).beeps, 0);
}

TEST(SfWindowRules, SfMaxUpTo20ComparedAtFourDecimals)
{
    cf::SfWindow w;
    w.sfMax = 1.65;
    cf::SfFieldOutcome o = cf::SfminChanged("1.50", w, kSfWindowRules);
    EXPECT_EQ(o.font, cf::SfMaxFont::Black); // 1.1 x 1.50 = 1.65 is accepted
    EXPECT_FALSE(o.rewriteSfMax);
    w.sfMax = 2.10;
    o = cf::SfminChanged("2.00", w, kSfWindowRules);
    EXPECT_EQ(o.rewriteSfMax.value_or(""), "2.21");
    EXPECT_EQ(o.panel1.value_or(""), " SfMax out of range!! Automatically reset!");
    o = cf::SfMaxChanged("25", w, kSfWindowRules);
    EXPECT_EQ(o.rewriteSfMax.value_or(""), "20.00");
    EXPECT_EQ(o.font, cf::SfMaxFont::Red);
    EXPECT_EQ(o.panel0.value_or(""), "2.20 =< Sfmax =<  20.00");
    o = cf::SfMaxChanged("2.19", w, kSfWindowRules);
    EXPECT_EQ(o.panel1.value_or(""), " Please complete: SfMax >= 1.1*SfMin");
    o = cf::SfMaxLeft("", w, kSfWindowRules);
    EXPECT_EQ(o.rewriteSfMax.value_or(""), "20.00");
    EXPECT_EQ(o.panel1.value_or(""), " Sfmax out of range!! SfMax has been reset!");
}

TEST(SfGrid, AllSectionsAndGrades)
{
    const Catalogue cat = crtest::Shipped();
    GridContext ctx;
    ctx.loads = kLoads;
    ctx.totalLoss = kLoss;
    SfGrid g = ComputeSfGrid(cat, cat.familyRanges[0], ctx);
    ASSERT_EQ(g.sectionHeads.size(), 15u);
    ASSERT_EQ(g.gradeHeads.size(), 7u);
    ASSERT_EQ(g.cells.size(), 15u);
    EXPECT_EQ(g.sectionHeads[2], " KX 18");
    EXPECT_EQ(g.gradeHeads[3], " S 355 GP");
    // KX 18 as rolled: 240 / 175.197 = 1.37 ... 355 -> 2.03, 430 -> 2.45.
    EXPECT_EQ(g.cells[2], (std::vector<std::string>{"  1.37", "  1.54", "  1.83", "  2.03", "  2.23", "  2.45",
                                                    "  1.97"}));
    // KX 13 with S 240 GP: 240 / 240.966 = 0.996 rounds to 1.00 and is shown.
    EXPECT_EQ(g.cells[0][0], "  1.00");
    // FY 8 with S 240 GP: below 1.
    EXPECT_EQ(g.cells[6][0], "     / ");

    ctx.reduced = true;
    g = ComputeSfGrid(cat, cat.familyRanges[0], ctx);
    EXPECT_EQ(g.cells[2][3], "  1.31");
    EXPECT_EQ(g.cells[6], std::vector<std::string>(7, "     / ")); // FY 8: no reduced value

    ctx.mode = cf::SearchMode::WindowSearch;
    ctx.window = {1.50, 2.00};
    g = ComputeSfGrid(cat, cat.familyRanges[1], ctx);
    ASSERT_EQ(g.cells.size(), 6u);
    EXPECT_EQ(g.cells[3][3], "  1.66"); // KX 22
    EXPECT_EQ(g.cells[4][3], "     / "); // KX 26: 2.08

    ctx.loads = Loads{};
    g = ComputeSfGrid(cat, cat.familyRanges[3], ctx);
    EXPECT_EQ(g.cells[0], std::vector<std::string>(7, "  N/A"));
    EXPECT_TRUE(ComputeSfGrid(cat, FamilyRange{3, 2}, ctx).cells.empty());

    // Imperial grades: 5 rows, fyk in MPa from ksi.
    ctx.metric = false;
    ctx.loads = kLoads;
    ctx.mode = cf::SearchMode::ListAll;
    ctx.reduced = false;
    g = ComputeSfGrid(cat, cat.familyRanges[0], ctx);
    EXPECT_EQ(g.gradeHeads.size(), 5u);
    EXPECT_EQ(g.cells[2][1], "  1.97"); // 50 ksi = 344.857 MPa / 175.197
}

TEST(SfGrid, CellTexts)
{
    GridContext ctx;
    EXPECT_EQ(SfGridCellText(20.02, ctx), " > 20");
    EXPECT_EQ(SfGridCellText(20.0, ctx), " 20.00");
    EXPECT_EQ(SfGridCellText(1.0, ctx), "  1.00");
    EXPECT_EQ(SfGridCellText(0.99, ctx), "     / ");
    EXPECT_EQ(SfGridCellText(0, ctx), "     / ");
    ctx.mode = cf::SearchMode::WindowSearch;
    ctx.window = {1.5, 1.6};
    EXPECT_EQ(SfGridCellText(1.5, ctx), "  1.50");
    EXPECT_EQ(SfGridCellText(1.6, ctx), "  1.60");
    EXPECT_EQ(SfGridCellText(1.61, ctx), "     / ");

    EXPECT_EQ(SfSummaryCaption(cf::SearchMode::ListAll, false, "", ""), " Sf,ini >=  1.00 ");
    EXPECT_EQ(SfSummaryCaption(cf::SearchMode::ListAll, true, "", ""), " Sf,red >=  1.00 ");
    EXPECT_EQ(SfSummaryCaption(cf::SearchMode::WindowSearch, true, "1.50", "2.00"), "1.50  =< Sf,red =<  2.00");
}

TEST(SfGrid, ReducedSummaryAvailability)
{
    const Catalogue cat = crtest::Shipped();
    CurrentSection cs;
    ComputeReducedProperties(cat, 2, kLoss, true, true, cs);
    EXPECT_TRUE(ReducedSummaryAvailable(cat, cs, kLoss));
    EXPECT_FALSE(ReducedSummaryAvailable(cat, cs, 8.5));
    ComputeReducedProperties(cat, 2, 0, true, true, cs);
    EXPECT_FALSE(ReducedSummaryAvailable(cat, cs, 0));
}

TEST(SteelGrades, ItemTexts)
{
    const Catalogue cat = crtest::Shipped();
    const std::vector<std::string> metric = SteelGradeItems(cat, true);
    ASSERT_EQ(metric.size(), 7u);
    EXPECT_EQ(metric[3], " S 355 GP       355        ");
    EXPECT_EQ(metric[6], " A 690          345        ");
    const std::vector<std::string> imperial = SteelGradeItems(cat, false);
    EXPECT_EQ(imperial[1], " A 572 Gr 50    50.0       ");
}

TEST(Quantities, PairsMassAndWeight)
{
    Quantities q = ComputeQuantities(true, 100, 12, 1.2, 120, true);
    EXPECT_EQ(q.pairs, 83); // 83.33
    EXPECT_EQ(q.pairsText, "83");
    EXPECT_EQ(q.wallText, "99.6");
    EXPECT_EQ(q.totalText, "119.5"); // 83 x 120 x 12 = 119520 kg
    EXPECT_EQ(q.weightText, "100.0");
    q = ComputeQuantities(true, 100, 12, 1.2, 120, false);
    EXPECT_EQ(q.weightText, "20.48");
    EXPECT_EQ(q.totalText, "131.7"); // 119.52 x 1.102311
    EXPECT_EQ(q.wallText, "326.8");  // 99.6 / 0.304799

    // Halves go to the even number of pairs.
    EXPECT_EQ(ComputeQuantities(true, 1.25, 1, 0.5, 1, true).pairs, 2);
    EXPECT_EQ(ComputeQuantities(true, 1.75, 1, 0.5, 1, true).pairs, 4);
    // Also when the half is no exact binary number: 5.4 / 1.2 = 4.5 gives 4,
    // 24.6 / 1.2 = 20.5 gives 20 and 2.01 / 1.34 = 1.5 gives 2.
    EXPECT_EQ(ComputeQuantities(true, 5.4, 1, 1.2, 1, true).pairs, 4);
    EXPECT_EQ(ComputeQuantities(true, 24.6, 1, 1.2, 1, true).pairs, 20);
    EXPECT_EQ(ComputeQuantities(true, 2.01, 1, 1.34, 1, true).pairs, 2);
    EXPECT_EQ(ComputeQuantities(true, 5.5, 1, 1.2, 1, true).pairs, 5); // 4.58
    // 10 pairs of 130.5 kg/m, 10 m long: 13.05 t shows 13.0.
    EXPECT_EQ(ComputeQuantities(true, 13.4, 10, 1.34, 130.5, true).totalText, "13.0");
    // No wall, no pile length.
    q = ComputeQuantities(true, 0, 12, 1.2, 120, true);
    EXPECT_EQ(q.totalText, "0.0");
    EXPECT_EQ(q.wallText, "0.0");
    EXPECT_EQ(q.weightText, "100.0");
    EXPECT_EQ(ComputeQuantities(true, 100, 0, 1.2, 120, true).totalMass, 0);

    // Nothing selected, or no positive pair width: " N/A ".
    for (const Quantities& na : {ComputeQuantities(false, 100, 12, 1.2, 120, true),
                                 ComputeQuantities(true, 100, 12, 0, 120, true),
                                 ComputeQuantities(true, 100, 12, -1.2, 120, true),
                                 ComputeQuantities(true, 2000, 12, 1e-300, 120, true)}) {
        EXPECT_FALSE(na.available);
        EXPECT_EQ(na.pairs, 0);
        EXPECT_EQ(na.pairsText, " N/A ");
        EXPECT_EQ(na.weightText, " N/A ");
    }
}
