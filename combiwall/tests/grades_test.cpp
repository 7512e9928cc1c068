#include "shipped.h"

#include "combiwall/grades.h"
#include "platform/numtext.h"

#include <gtest/gtest.h>

using namespace cw;
using namespace cwtest;

namespace {

constexpr size_t K = 0, C = 1, S = 2;

struct SeparatorGuard {
    char saved = sps::DecimalSeparator();
    ~SeparatorGuard() { sps::SetDecimalSeparator(saved); }
};

int IndexOf(const std::vector<std::string>& items, const std::string& prefix)
{
    for (size_t i = 0; i < items.size(); ++i) {
        if (items[i].rfind(prefix, 0) == 0)
            return static_cast<int>(i);
    }
    return -1;
}

} // namespace

TEST(SteelGrades, ItemTexts)
{
    EXPECT_EQ(GradeItemText("S 355", 355), "S 355    355");
    EXPECT_EQ(GradeItemText("S 355      ", 355), "S 355          355");
    EXPECT_EQ(GradeItemText("A 572 Gr 50", 50), "A 572 Gr 50    50");
    EXPECT_EQ(ShortestNumberText(344.857), "344.857");
    EXPECT_EQ(ShortestNumberText(0.1 + 0.2), "0.3");
    SeparatorGuard guard;
    sps::SetDecimalSeparator(',');
    EXPECT_EQ(GradeItemText("A 328", 39.5), "A 328    39,5");

    GradeLists lists = BuildGradeLists(Shipped(), true);
    EXPECT_EQ(lists[S][0], "S 240 GP       240");
    EXPECT_EQ(lists[S].back(), "A 690          345");
    EXPECT_TRUE(IsA690(lists[K].back()));
    EXPECT_FALSE(IsA690(lists[K][0]));
    EXPECT_FALSE(IsA690("A 69"));
    EXPECT_EQ(BuildGradeLists(Shipped(), false)[S][0], "A 328          39");
}

TEST(SteelGrades, A690CouplesTheThreeMembers)
{
    GradeLists lists = BuildGradeLists(Shipped(), true);
    GradeSelection sel;
    FillSteelGrades(sel, lists);
    EXPECT_EQ(sel.index, (std::array<int, 3>{0, 0, 0}));
    EXPECT_TRUE(sel.connectorsEnabled && sel.sheetPileEnabled);

    // The user picks other connector and sheet pile grades, then "A 690" for the king pile.
    sel.index[C] = 2;
    ApplySteelGradeSelection(sel, lists, Member::Connectors);
    sel.index[S] = 3;
    ApplySteelGradeSelection(sel, lists, Member::SheetPile);
    sel.index[K] = IndexOf(lists[K], "A 690");
    ApplySteelGradeSelection(sel, lists, Member::KingPile);
    EXPECT_EQ(sel.index[C], IndexOf(lists[C], "A 690"));
    EXPECT_EQ(sel.index[S], IndexOf(lists[S], "A 690"));
    EXPECT_FALSE(sel.connectorsEnabled);
    EXPECT_FALSE(sel.sheetPileEnabled);
    YieldStrengths f = CurrentYieldStrengths(Shipped(), sel, true);
    EXPECT_EQ(f.kingPile, 345);
    EXPECT_EQ(f.connectors, 345);
    EXPECT_EQ(f.sheetPile, 345);

    // Another king pile grade brings back the grades chosen before.
    sel.index[K] = 1;
    ApplySteelGradeSelection(sel, lists, Member::KingPile);
    EXPECT_EQ(sel.index, (std::array<int, 3>{1, 2, 3}));
    EXPECT_TRUE(sel.connectorsEnabled && sel.sheetPileEnabled);
    f = CurrentYieldStrengths(Shipped(), sel, true);
    EXPECT_EQ(f.kingPile, 390);
    EXPECT_EQ(f.connectors, 420);
    EXPECT_EQ(f.sheetPile, 355);

    // "A 690" for the connectors pulls the king pile, and through it the sheet pile.
    sel.index[C] = IndexOf(lists[C], "A 690");
    ApplySteelGradeSelection(sel, lists, Member::Connectors);
    EXPECT_EQ(sel.index[K], IndexOf(lists[K], "A 690"));
    EXPECT_EQ(sel.index[S], IndexOf(lists[S], "A 690"));
    EXPECT_FALSE(sel.connectorsEnabled);
    EXPECT_FALSE(sel.sheetPileEnabled);
    sel.index[K] = 0;
    ApplySteelGradeSelection(sel, lists, Member::KingPile);
    // The connector grade that was selected when "A 690" came in was itself
    // "A 690"; the one remembered is the one chosen before, 2.
    EXPECT_EQ(sel.index, (std::array<int, 3>{0, 2, 3}));

    // A refill (unit switch) starts again from the first grades, enabled.
    sel.index[K] = IndexOf(lists[K], "A 690");
    ApplySteelGradeSelection(sel, lists, Member::KingPile);
    FillSteelGrades(sel, BuildGradeLists(Shipped(), false));
    EXPECT_EQ(sel.index, (std::array<int, 3>{0, 0, 0}));
    EXPECT_TRUE(sel.connectorsEnabled && sel.sheetPileEnabled);
    EXPECT_EQ(sel.rememberedConnector, 0);
}

TEST(SteelGrades, ListsWithoutA690StayAsTheyAre)
{
    GradeLists lists = {std::vector<std::string>{"S 355    355", "A 690    345"},
                        std::vector<std::string>{"S 355    355", "S 390    390"},
                        std::vector<std::string>{"S 270 GP    270", "A 690    345"}};
    GradeSelection sel;
    FillSteelGrades(sel, lists);
    sel.index[C] = 1;
    ApplySteelGradeSelection(sel, lists, Member::Connectors);
    sel.index[K] = 1;
    ApplySteelGradeSelection(sel, lists, Member::KingPile);
    EXPECT_EQ(sel.index, (std::array<int, 3>{1, 1, 1}));
    EXPECT_TRUE(sel.connectorsEnabled);
    EXPECT_FALSE(sel.sheetPileEnabled);
    // The connector box stays free; changing it keeps the forced sheet pile's earlier grade.
    sel.index[C] = 0;
    ApplySteelGradeSelection(sel, lists, Member::Connectors);
    // Leaving "A 690" frees the sheet pile box again, with its earlier grade.
    sel.index[K] = 0;
    ApplySteelGradeSelection(sel, lists, Member::KingPile);
    EXPECT_EQ(sel.index, (std::array<int, 3>{0, 0, 0}));
    EXPECT_TRUE(sel.sheetPileEnabled);
}

TEST(SteelGrades, YieldStrengthsInBothUnitSystems)
{
    GradeSelection sel;
    FillSteelGrades(sel, BuildGradeLists(Shipped(), false));
    sel.index[S] = 1; // A 572 Gr 50: 50 ksi
    YieldStrengths f = CurrentYieldStrengths(Shipped(), sel, false);
    EXPECT_DOUBLE_EQ(f.sheetPile, 344.857);
    EXPECT_EQ(sps::FormatFixed(f.sheetPile, 3), "344.857");
    EXPECT_DOUBLE_EQ(f.kingPile, 50 * 6.89714);

    // A grade table of no rows selects nothing and gives no strength.
    Catalogue c = Shipped();
    c.Grades(Member::Connectors, true) = SteelGradeTable{};
    GradeLists lists = BuildGradeLists(c, true);
    FillSteelGrades(sel, lists);
    EXPECT_EQ(sel.index[C], -1);
    EXPECT_EQ(CurrentYieldStrengths(c, sel, true).connectors, 0);
    sel.index[K] = IndexOf(lists[K], "A 690");
    ApplySteelGradeSelection(sel, lists, Member::KingPile);
    EXPECT_EQ(sel.index[C], -1);
    EXPECT_TRUE(sel.connectorsEnabled);
}

TEST(SteelGrades, AUnitSwitchCarriesTheGradesAndTheCoupling)
{
    // Imperial connectors without "A 690": the king pile's "A 690" cannot
    // force them there, and they come back forced after the switch back.
    Catalogue c = Shipped();
    SteelGradeTable& imperialConnectors = c.Grades(Member::Connectors, false);
    imperialConnectors.names.pop_back();
    imperialConnectors.fyk.pop_back();
    GradeLists metric = BuildGradeLists(c, true);
    const GradeLists imperial = BuildGradeLists(c, false);
    GradeSelection sel;
    GradeCarries carry;
    FillSteelGrades(sel, metric);
    sel.index[C] = IndexOf(metric[C], "S 420");
    sel.index[S] = IndexOf(metric[S], "S 390 GP");
    ApplySteelGradeSelection(sel, metric, Member::Connectors);
    sel.index[K] = IndexOf(metric[K], "A 690");
    ApplySteelGradeSelection(sel, metric, Member::KingPile);

    std::vector<Member> fellBack = CarrySteelGrades(sel, carry, imperial, c, false);
    EXPECT_EQ(fellBack, std::vector<Member>{Member::Connectors});
    EXPECT_EQ(UnitSwitchNotice(fellBack), " CHANGE OF \"UNITS\" => GRADE RESET: NJ/VB");
    EXPECT_EQ(sel.index, (std::array<int, 3>{IndexOf(imperial[K], "A 690"), 0, IndexOf(imperial[S], "A 690")}));
    EXPECT_TRUE(sel.connectorsEnabled);
    EXPECT_FALSE(sel.sheetPileEnabled);
    // The sheet pile grade forced aside has no imperial counterpart: freed
    // there, the box shows the first grade, not the metric row's index.
    GradeSelection freed = sel;
    freed.index[K] = 0;
    ApplySteelGradeSelection(freed, imperial, Member::KingPile);
    EXPECT_EQ(freed.index[S], 0);

    fellBack = CarrySteelGrades(sel, carry, metric, c, true);
    EXPECT_EQ(UnitSwitchNotice(fellBack), " CHANGE OF \"UNITS\" => STEEL GRADES KEPT");
    EXPECT_EQ(sel.index[C], IndexOf(metric[C], "A 690"));
    EXPECT_FALSE(sel.connectorsEnabled);
    // The grades "A 690" forced aside are still remembered.
    sel.index[K] = 0;
    ApplySteelGradeSelection(sel, metric, Member::KingPile);
    EXPECT_EQ(sel.index[C], IndexOf(metric[C], "S 420"));
    EXPECT_EQ(sel.index[S], IndexOf(metric[S], "S 390 GP"));

    EXPECT_EQ(UnitSwitchNotice({Member::KingPile, Member::SheetPile}), " CHANGE OF \"UNITS\" => GRADES RESET: WQ, KX");
    EXPECT_EQ(UnitSwitchNotice({Member::KingPile, Member::Connectors, Member::SheetPile}),
              " CHANGE OF \"UNITS\" => STEEL GRADES RESET");
}
