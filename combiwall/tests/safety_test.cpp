#include "shipped.h"

#include "combiwall/builtup.h"
#include "combiwall/safety.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

using namespace cw;
using namespace cwtest;

namespace {

SafetyFactors Compute(double m, double n, double f, SelectedSystem sys, YieldStrengths fyk)
{
    return ComputeSafetyFactors(Loads{m, n, f}, fyk, sys);
}

const SelectedSystem kSystem{5000, 6000, 12000, 400, 2}; // SxWQ, SxNJ, SxKX, A, b
const YieldStrengths kFyk{355, 355, 270};

} // namespace

TEST(SafetyFactors, HandCheckedValues)
{
    // Bending only: 355 / (500 / 5000 x 1000) = 3.55; 355 / 83.33 = 4.26; 270 / 41.67 = 6.48.
    SafetyFactors sf = Compute(500, 0, 0, kSystem, kFyk);
    EXPECT_NEAR(sf.kingPile, 3.55, 1e-12);
    EXPECT_NEAR(sf.connectors, 4.26, 1e-12);
    EXPECT_NEAR(sf.sheetPile, 6.48, 1e-12);
    EXPECT_EQ(sf.minimum, sf.kingPile);
    SafetyFactorTexts t = SafetyFactorDisplay(sf);
    EXPECT_EQ(t.kingPile, "3.55");
    EXPECT_EQ(t.connectors, "4.26");
    EXPECT_EQ(t.sheetPile, "6.48");
    EXPECT_EQ(t.minimum, "3.55");

    // With compression and deflection: M + N f / 100 = 520 kNm/m, axial N b / A x 10 = 10 MPa.
    // SfWQ = 355 / (104 + 10) = 3.114; SfNJ = 355 / (86.67 + 10) = 3.672; SfKX = 270 / 43.33 = 6.231.
    sf = Compute(500, 200, 10, kSystem, kFyk);
    EXPECT_NEAR(sf.kingPile, 355.0 / 114.0, 1e-12);
    EXPECT_NEAR(sf.connectors, 355.0 / (520.0 / 6.0 + 10.0), 1e-12);
    EXPECT_NEAR(sf.sheetPile, 270.0 / (520.0 / 12.0), 1e-12);
    t = SafetyFactorDisplay(sf);
    EXPECT_EQ(t.kingPile, "3.11");
    EXPECT_EQ(t.connectors, "3.67");
    EXPECT_EQ(t.sheetPile, "6.23");
    EXPECT_EQ(t.minimum, "3.11");

    // 390 / (1200 / 5000 x 1000) = 1.625 exactly: halves to even shows 1.62.
    sf = Compute(1200, 0, 0, kSystem, YieldStrengths{390, 390, 390});
    EXPECT_EQ(sf.kingPile, 1.625);
    EXPECT_EQ(SafetyFactorDisplay(sf).kingPile, "1.62");
    EXPECT_EQ(SafetyFactorDisplay(sf).minimum, "1.62");

    // 320 / (32 / 10000 x 1000) = 100 exactly shows 100.00; M 31 gives 103.2, above 100.
    SelectedSystem sx10000{10000, 10000, 10000, 400, 2};
    YieldStrengths f320{320, 320, 320};
    sf = Compute(32, 0, 0, sx10000, f320);
    EXPECT_EQ(sf.kingPile, 100);
    EXPECT_EQ(SafetyFactorDisplay(sf).kingPile, "100.00");
    EXPECT_EQ(SafetyFactorDisplay(sf).minimum, "100.00");
    sf = Compute(31, 0, 0, sx10000, f320);
    t = SafetyFactorDisplay(sf);
    EXPECT_EQ(t.kingPile, ">100");
    EXPECT_EQ(t.connectors, ">100");
    EXPECT_EQ(t.sheetPile, ">100");
    EXPECT_EQ(t.minimum, ">100");
    EXPECT_EQ(SafetyFactorText(150), ">100");
    EXPECT_EQ(SafetyFactorText(1.5), "1.50");
    EXPECT_EQ(SafetyFactorText(0), "N/A");
}

TEST(SafetyFactors, LoadCases)
{
    // No load: everything "N/A", whatever the system.
    SafetyFactors sf = Compute(0, 0, 7, kSystem, kFyk);
    SafetyFactorTexts t = SafetyFactorDisplay(sf);
    EXPECT_EQ(t.kingPile, "N/A");
    EXPECT_EQ(t.connectors, "N/A");
    EXPECT_EQ(t.sheetPile, "N/A");
    EXPECT_EQ(t.minimum, "N/A");

    // Compression alone: king pile and connectors from the axial term, no sheet pile factor.
    sf = Compute(0, 400, 0, kSystem, kFyk); // axial 400 x 2 / 400 x 10 = 20 MPa
    EXPECT_DOUBLE_EQ(sf.kingPile, 355.0 / 20);
    EXPECT_DOUBLE_EQ(sf.connectors, 355.0 / 20);
    EXPECT_EQ(sf.sheetPile, 0);
    EXPECT_EQ(sf.minimum, sf.kingPile);
    EXPECT_EQ(SafetyFactorDisplay(sf).sheetPile, "N/A");

    // Compression with deflection bends the sheet pile too.
    sf = Compute(0, 400, 5, kSystem, kFyk); // 20 kNm/m
    EXPECT_DOUBLE_EQ(sf.sheetPile, 270.0 / (20.0 / 12000 * 1000));

    // The minimum takes the connectors when smaller, the sheet pile only when positive.
    sf = Compute(500, 0, 0, kSystem, YieldStrengths{355, 200, 270});
    EXPECT_EQ(sf.minimum, sf.connectors);
    sf = Compute(500, 0, 0, kSystem, YieldStrengths{355, 355, 100});
    EXPECT_EQ(sf.minimum, sf.sheetPile);
    SelectedSystem noSheet = kSystem;
    noSheet.sxKX = 0; // a system without sheet piles
    sf = Compute(500, 0, 0, noSheet, kFyk);
    EXPECT_EQ(sf.sheetPile, 0);
    EXPECT_EQ(sf.minimum, sf.kingPile);
}

TEST(SafetyFactors, ZeroSectionValuesGiveNotAvailable)
{
    auto texts = [](SelectedSystem s, double n) { return SafetyFactorDisplay(Compute(500, n, 2, s, kFyk)); };
    SelectedSystem s = kSystem;
    s.sxNJ = 0;
    SafetyFactorTexts t = texts(s, 100);
    EXPECT_NE(t.kingPile, "N/A");
    EXPECT_EQ(t.connectors, "N/A");
    EXPECT_EQ(t.minimum, "N/A"); // a member that cannot be checked leaves no minimum

    for (double n : {0.0, 100.0}) {
        s = kSystem;
        s.area = 0;
        t = texts(s, n);
        EXPECT_EQ(t.kingPile, "N/A") << n;
        EXPECT_EQ(t.connectors, "N/A") << n;
        EXPECT_EQ(t.minimum, "N/A") << n;
        EXPECT_NE(t.sheetPile, "N/A") << n; // its formula needs neither A nor b
        s = kSystem;
        s.b = 0;
        t = texts(s, n);
        EXPECT_EQ(t.kingPile, "N/A") << n;
        EXPECT_EQ(t.minimum, "N/A") << n;
    }
    s = kSystem;
    s.sxWQ = 0;
    t = texts(s, 100);
    EXPECT_EQ(t.kingPile, "N/A");
    EXPECT_EQ(t.connectors, "N/A");
    EXPECT_EQ(t.sheetPile, "N/A");
    EXPECT_EQ(t.minimum, "N/A");
    // The all-zero system of an empty list.
    SafetyFactors sf = Compute(500, 100, 2, SelectedSystem{}, kFyk);
    EXPECT_EQ(sf.kingPile, 0);
    EXPECT_EQ(sf.minimum, 0);
    // A strength of 0 (no grade) gives no factor either.
    EXPECT_EQ(Compute(500, 0, 0, kSystem, YieldStrengths{}).minimum, 0);
}

TEST(CombinationList, GroupRangesAndFilter)
{
    const Catalogue& c = Shipped();
    RowRange all = GroupRange(c, 0);
    EXPECT_EQ(all.first, 0);
    EXPECT_EQ(all.last, c.CombinationCount() - 1);
    RowRange kx18 = GroupRange(c, 2);
    EXPECT_EQ(kx18.first, c.nA);
    EXPECT_EQ(kx18.last, c.nA + c.nB - 1);
    EXPECT_EQ(GroupRange(c, 3).last, c.nA + c.nB + c.nC - 1);
    EXPECT_EQ(GroupRange(c, 4).Count(), 0);
    EXPECT_EQ(GroupHint(0), " ALL = Combinations C1 & C23 included ");
    EXPECT_EQ(GroupHint(2), "");

    EXPECT_EQ(KingPileFilter("ALL"), "");
    EXPECT_EQ(KingPileFilter(" all "), "");
    EXPECT_EQ(KingPileFilter(" WQ 575 "), "WQ 575");

    ListInput in;
    CatalogueList list;
    FillCatalogueList(c, kx18, "", in, list);
    ASSERT_EQ(list.lines.size(), static_cast<size_t>(c.nB));
    for (size_t i = 0; i < list.lines.size(); ++i) {
        EXPECT_EQ(list.indexMap[i], c.nA + static_cast<int>(i));
        EXPECT_NE(list.lines[i].find("/ KX 18"), std::string::npos);
    }
    FillCatalogueList(c, all, "WQ 575", in, list);
    EXPECT_EQ(list.lines.size(), 3u * 4 * 4 + 4 * 2); // three groups of 16 plus the C1 and C23 rows
    for (int row : list.indexMap)
        EXPECT_NE(c.combinations.names[static_cast<size_t>(row)].find("WQ 575"), std::string::npos);
    // " ALL" lists the rows after the three groups too.
    FillCatalogueList(c, all, "", in, list);
    EXPECT_EQ(list.lines.size(), c.combinations.Size());
    EXPECT_EQ(list.indexMap.back(), c.CombinationCount() - 1);
}

TEST(CombinationList, LineFormat)
{
    EXPECT_EQ(ListLine("WQ 575 A-12 / KX 13", 4178.556991774383, true), " WQ 575 A-12 / KX 13\t4179      ");
    EXPECT_EQ(ListLine("WQ 575 A-C1        ", 13357.6, true), " WQ 575 A-C1        \t13358     ");
    EXPECT_EQ(ListLine("KX 1", 5376.3147, false), " KX 1              \t100.0     ");
    EXPECT_EQ(ListLine("A", 2.5, true), " A                 \t2         "); // halves to even
    const Catalogue& c = Shipped();
    CatalogueList list;
    ListInput in;
    in.metric = false;
    FillCatalogueList(c, RowRange{0, 0}, "", in, list);
    ASSERT_EQ(list.lines.size(), 1u);
    EXPECT_EQ(list.lines[0], " WQ 575 A-12 / KX 13\t77.7      ");

    EXPECT_EQ(SelectionStatusText(kSystem, true), " Sx(WQ)= 5000 ; Sx(NJ/VB)= 6000 ; Area= 200.0 cm²/m");
    EXPECT_EQ(SelectionStatusText(kSystem, false), " Sx(WQ)= 93.0 ; Sx(NJ/VB)= 111.6 ; Area= 9.45 in²/ft");
    EXPECT_EQ(SelectionStatusText(SelectedSystem{}, true), " Sx(WQ)= 0 ; Sx(NJ/VB)= 0 ; Area= 0.0 cm²/m");
}

TEST(CombinationList, WindowSearchOnTheShippedCatalogue)
{
    const Catalogue& c = Shipped();
    ListInput in;
    in.mode = cf::SearchMode::WindowSearch;
    in.loads = Loads{1000, 200, 5};
    in.fyk = YieldStrengths{355, 355, 270};
    RowRange all = GroupRange(c, 0);

    std::vector<std::pair<double, int>> minima;
    for (int row = all.first; row <= all.last; ++row)
        minima.emplace_back(ComputeSafetyFactors(in.loads, in.fyk, CombinationSystem(c, row)).minimum, row);
    std::sort(minima.begin(), minima.end());
    // A window whose bounds are two rows' own minima: both rows are inside.
    const size_t lo = minima.size() / 4, hi = minima.size() / 2;
    ASSERT_LT(minima[lo - 1].first, minima[lo].first);
    ASSERT_LT(minima[hi].first, minima[hi + 1].first);
    in.window = cf::SfWindow{minima[lo].first, minima[hi].first};
    CatalogueList list;
    FillCatalogueList(c, all, "", in, list);
    ASSERT_EQ(list.indexMap.size(), hi - lo + 1);
    auto listed = [&](int row) {
        return std::find(list.indexMap.begin(), list.indexMap.end(), row) != list.indexMap.end();
    };
    EXPECT_TRUE(listed(minima[lo].second));
    EXPECT_TRUE(listed(minima[hi].second));
    EXPECT_FALSE(listed(minima[lo - 1].second));
    EXPECT_FALSE(listed(minima[hi + 1].second));
    // The list keeps catalogue order.
    EXPECT_TRUE(std::is_sorted(list.indexMap.begin(), list.indexMap.end()));

    // Bounds a hair inside exclude the two boundary rows.
    in.window = cf::SfWindow{std::nextafter(minima[lo].first, 10.0), std::nextafter(minima[hi].first, 0.0)};
    FillCatalogueList(c, all, "", in, list);
    EXPECT_EQ(list.indexMap.size(), hi - lo - 1);

    // A typed window lists some rows and not others.
    in.window = cf::SfWindow{1.50, 2.00};
    FillCatalogueList(c, all, "", in, list);
    EXPECT_GT(list.lines.size(), 5u);
    EXPECT_LT(list.lines.size(), c.combinations.Size() / 2);
    for (int row : list.indexMap) {
        double m = ComputeSafetyFactors(in.loads, in.fyk, CombinationSystem(c, row)).minimum;
        EXPECT_GE(m, 1.5);
        EXPECT_LE(m, 2.0);
    }
    // With a king pile filter and a group.
    FillCatalogueList(c, GroupRange(c, 3), "WQ 975", in, list);
    for (int row : list.indexMap) {
        EXPECT_GE(row, c.nA + c.nB);
        EXPECT_NE(c.combinations.names[static_cast<size_t>(row)].find("WQ 975 "), std::string::npos);
    }
    // An empty or refused Sfmin lists nothing.
    in.window = cf::SfWindow{cf::kNoRequiredSfmin, 100};
    FillCatalogueList(c, all, "", in, list);
    EXPECT_TRUE(list.lines.empty());
}

TEST(CombinationList, WindowBoundsEqualToTheMinimumAreListed)
{
    Catalogue c;
    auto add = [&](const std::string& name, double sx, double area) {
        c.combinations.names.push_back(name);
        c.combinations.sxWQ.push_back(sx);
        c.combinations.sxNJ.push_back(sx);
        c.combinations.sxKX.push_back(4 * sx);
        c.combinations.area.push_back(area);
        c.combinations.b.push_back(2.5);
    };
    // M 240, N 25: bending 240 / 1024 x 1000 = 234.375 MPa, axial 25 x 2.5 / A x 10 (15.625 MPa for A 40),
    // all exact in binary: 375 / 250 = 1.5 and 375 / 234.375 = 1.6.
    const double huge = std::ldexp(1.0, 60); // axial term below the last bit
    add("ONE", 1024, 40);     // 1.5
    add("TWO", 1024, huge);   // 1.6
    add("THREE", 1024, 39);   // 1.4976
    add("FOUR", 1100, huge);  // 1.7188
    ListInput in;
    in.mode = cf::SearchMode::WindowSearch;
    in.loads = Loads{240, 25, 0};
    in.fyk = YieldStrengths{375, 375, 375};
    in.window = cf::SfWindow{1.50, 1.60};
    EXPECT_EQ(ComputeSafetyFactors(in.loads, in.fyk, CombinationSystem(c, 0)).minimum, 1.5);
    EXPECT_EQ(ComputeSafetyFactors(in.loads, in.fyk, CombinationSystem(c, 1)).minimum, 1.6);
    CatalogueList list;
    FillCatalogueList(c, RowRange{0, 3}, "", in, list);
    EXPECT_EQ(list.indexMap, (ListIndexMap{0, 1}));
}

TEST(BuiltUpSystem, ReproducesEveryCatalogueRow)
{
    const Catalogue& c = Shipped();
    int reproduced = 0;
    for (const char* size : kBuiltUpSizeItems) {
        for (const char* thick : kBuiltUpThicknessItems) {
            for (const char* solution : kBuiltUpSolutionItems) {
                for (const std::string& sheet : c.builtUpSheetPiles.names) {
                    std::string name = BuiltUpSystemName(size, thick, solution, BuiltUpSheetPileItem(sheet));
                    int kp = FindBuiltUpRow(c.builtUpKingPiles.names, name);
                    int sp = FindBuiltUpRow(c.builtUpSheetPiles.names, name);
                    ASSERT_GE(kp, 0) << name;
                    ASSERT_GE(sp, 0) << name;
                    BuiltUpSystem sys = ComputeBuiltUpSystem(c, kp, sp);
                    int row = Row(c, name.substr(0, kCombinationNameCapacity));
                    ASSERT_GE(row, 0) << name;
                    SelectedSystem cat = CombinationSystem(c, row);
                    EXPECT_EQ(sys.system.sxWQ, cat.sxWQ) << name;
                    EXPECT_EQ(sys.system.sxNJ, cat.sxNJ) << name;
                    EXPECT_EQ(sys.system.sxKX, cat.sxKX) << name;
                    EXPECT_EQ(sys.system.area, cat.area) << name;
                    EXPECT_EQ(sys.system.b, cat.b) << name;
                    ++reproduced;
                }
            }
        }
    }
    EXPECT_EQ(reproduced, c.nA + c.nB + c.nC);
    EXPECT_EQ(BuiltUpSystemName(" 575", " A", "12", BuiltUpSheetPileItem("KX 13   ")), "WQ 575 A-12 / KX 13   ");
    EXPECT_EQ(BuiltUpSheetPileColumns(3), 1);
    EXPECT_EQ(BuiltUpSheetPileColumns(4), 2);
    EXPECT_EQ(BuiltUpSheetPileColumns(0), 0);
}

TEST(BuiltUpSystem, Formulas)
{
    Catalogue c;
    BuiltUpKingPileTable& kp = c.builtUpKingPiles;
    kp.names = {"WQ 575 A-12", "WQ 575 A-1"};
    kp.dWQ = {500, 1};
    kp.dNJ = {400, 1};
    kp.area = {300, 1};
    kp.ix = {1000000, 1};
    kp.width = {1500, 1};
    BuiltUpSheetPileTable& sp = c.builtUpSheetPiles;
    sp.names = {"KX 13   "};
    sp.height = {450};
    sp.unused = {0};
    sp.ix = {50000};
    sp.width = {1300};
    sp.unitWeight = {150};
    // The last row whose name occurs in the system name wins.
    EXPECT_EQ(FindBuiltUpRow(kp.names, "WQ 575 A-12 / KX 13   "), 1);
    EXPECT_EQ(FindBuiltUpRow(kp.names, "WQ 775 A-12 / KX 13   "), -1);
    BuiltUpSystem s = ComputeBuiltUpSystem(c, 0, 0);
    EXPECT_EQ(s.system.b, 2.8);
    EXPECT_DOUBLE_EQ(s.ixPerMetre, 375000);
    EXPECT_DOUBLE_EQ(s.system.sxWQ, 7500);          // 1050000 / 50 / 2.8
    EXPECT_DOUBLE_EQ(s.system.sxNJ, 1050000 / 40.0 / 2.8);
    EXPECT_DOUBLE_EQ(s.system.sxKX, 1050000 / 22.5 / 2.8); // h / 20 = 22.5 cm
    EXPECT_EQ(s.system.area, 300);
    // Without sheet pile.
    s = ComputeBuiltUpSystem(c, 0, -1);
    EXPECT_EQ(s.system.b, 1.5);
    EXPECT_EQ(s.system.sxKX, 0);
    // No king pile row: all zero; a zero width divides nothing.
    EXPECT_EQ(ComputeBuiltUpSystem(c, 5, 0).system.sxWQ, 0);
    kp.width[0] = 0;
    sp.width[0] = 0;
    s = ComputeBuiltUpSystem(c, 0, 0);
    EXPECT_EQ(s.system.sxWQ, 0);
    EXPECT_EQ(s.ixPerMetre, 0);
}

TEST(CombinationList, KestraneSfWindowRules)
{
    cf::SfWindow w;
    cf::SfminChanged("1.50", w, kSfWindowRules);
    cf::SfFieldOutcome o = cf::SfMaxChanged("1.65", w, kSfWindowRules); // the hint's own lower bound
    EXPECT_EQ(o.font, cf::SfMaxFont::Black);
    EXPECT_EQ(o.panel1, "");
    EXPECT_EQ(cf::SfMaxEntered(w, kSfWindowRules).panel0, "1.65 =< Sfmax =<  100");
    o = cf::SfMaxChanged("150", w, kSfWindowRules);
    EXPECT_EQ(o.rewriteSfMax, "100.00");
    w.sfMax = 2.0;
    o = cf::SfminChanged("2.00", w, kSfWindowRules);
    EXPECT_EQ(o.rewriteSfMax, "2.21");
    EXPECT_EQ(o.panel1, " SfMax out of range!! Automatically reset!");
    o = cf::SfMaxLeft("", w, kSfWindowRules);
    EXPECT_EQ(o.rewriteSfMax, "100.00");
    EXPECT_EQ(o.panel1, " Sfmax out of range!! SfMax has been reset!");
}
