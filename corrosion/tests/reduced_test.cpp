#include "corrosion/reduced.h"

#include "helpers.h"

#include <gtest/gtest.h>

using namespace cr;

namespace {

int SectionIndex(const Catalogue& cat, const std::string& name)
{
    for (int a = 0; a < cat.SectionCount(); ++a) {
        if (cat.sectionNames[a] == name)
            return a;
    }
    ADD_FAILURE() << name << " not in the catalogue";
    return -1;
}

} // namespace

TEST(ReducedProperties, OneSectionByHand)
{
    const Catalogue cat = crtest::Shipped();
    const int a = SectionIndex(cat, "KX 18");
    // KX 18: h 447 mm, tf 10.5, tw 9.5; Sx 1268 / 1091 and Ax 95.2 / 81.4 at
    // the loss steps 3 and 4 mm.
    ASSERT_EQ(cat.sx[3][a], 1268);
    ASSERT_EQ(cat.sx[4][a], 1091);
    ASSERT_DOUBLE_EQ(cat.ax[3][a], 95.2);
    ASSERT_DOUBLE_EQ(cat.ax[4][a], 81.4);
    // Total loss 3.59 mm: w = 0.59; Sx = 1268 - 0.59 x 177 = 1163.57 -> 1164;
    // Sx,red = RoundTo10(2328) / 2 = 1165; Ax,red = 95.2 - 0.59 x 13.8 = 87.058;
    // Ix,red = RoundTo10((447 - 3.59) x 1165 / 20 = 25828.63) = 25830.
    CurrentSection cs;
    ReducedDisplay d = ComputeReducedProperties(cat, a, 3.59, true, true, cs);
    EXPECT_EQ(d.kind, ReducedCase::Interpolated);
    EXPECT_EQ(cs.name, "KX 18");
    EXPECT_EQ(cs.sxIni, 1799);
    EXPECT_DOUBLE_EQ(cs.axIni, 136.5);
    EXPECT_EQ(cs.sxRed, 1165);
    EXPECT_NEAR(cs.axRed, 87.058, 1e-9);
    EXPECT_EQ(cs.ixRed, 25830);
    EXPECT_DOUBLE_EQ(cs.twRed, 5.91);
    EXPECT_DOUBLE_EQ(cs.tfRed, 6.91);
    EXPECT_DOUBLE_EQ(cs.b, 1.26);
    EXPECT_TRUE(d.sfRedEnabled);
    EXPECT_FALSE(d.beep);
    EXPECT_EQ(d.status, "");
    EXPECT_EQ(d.sx, "  1165");
    EXPECT_EQ(d.ax, "  87.1");
    EXPECT_EQ(d.ix, " 25830");
    EXPECT_EQ(d.tw, "  5.91");
    EXPECT_EQ(d.tf, "  6.91");

    d = ComputeReducedProperties(cat, a, 3.59, true, false, cs);
    EXPECT_EQ(d.sx, " 21.67"); // 1165 / 53.763147
    EXPECT_EQ(d.ax, "  4.11"); // 87.058 / 21.16663
    EXPECT_EQ(d.ix, " 189.2"); // 25830 / 136.558158
    EXPECT_EQ(d.tw, " 0.233"); // 5.91 / 25.399956
    EXPECT_EQ(d.tf, " 0.272");
}

TEST(ReducedProperties, LossStepsAndTableEnds)
{
    const Catalogue cat = crtest::Shipped();
    const int a = SectionIndex(cat, "GV 50");
    CurrentSection cs;
    // At a loss step the result is that row (then made a multiple of 5).
    ComputeReducedProperties(cat, a, 2, false, true, cs);
    EXPECT_EQ(cs.sxRed, 4455); // 4456: remainder 1 goes down
    EXPECT_DOUBLE_EQ(cs.axRed, cat.ax[2][a]);
    // The last step is the largest covered loss.
    ComputeReducedProperties(cat, a, 8, false, true, cs);
    EXPECT_EQ(cs.sxRed, 2825); // 2823: remainder 3 goes up
    // Just above it: beyond the tables.
    ReducedDisplay d = ComputeReducedProperties(cat, a, 8.01, false, true, cs);
    EXPECT_EQ(d.kind, ReducedCase::BeyondTables);
    EXPECT_EQ(cs.sxRed, 0);
    EXPECT_EQ(cs.sxIni, 5001);
    EXPECT_EQ(d.sx, " N/A ");
    EXPECT_EQ(d.tf, " N/A ");
    EXPECT_EQ(d.status, " Max. total loss of steel thickness (front + back) = 8 mm");
    EXPECT_TRUE(d.beep);
    d = ComputeReducedProperties(cat, a, 8.01, false, false, cs);
    EXPECT_EQ(d.status, " Max. total loss of steel thickness (front + back) = 315 mils");
    // Between 0 and the first step: rows 0 and 1.
    ComputeReducedProperties(cat, a, 0.5, false, true, cs);
    EXPECT_EQ(cs.sxRed, 4865); // 5001 - 0.5 x 273 = 4864.5 -> 4864 -> 4865
}

TEST(ReducedProperties, NoLossGivesTheInitialValues)
{
    const Catalogue cat = crtest::Shipped();
    CurrentSection cs;
    cs.ixRed = 777; // kept from before
    ReducedDisplay d = ComputeReducedProperties(cat, 0, 0, true, true, cs);
    EXPECT_EQ(d.kind, ReducedCase::Initial);
    EXPECT_EQ(cs.sxRed, cs.sxIni);
    EXPECT_EQ(cs.axRed, cs.axIni);
    EXPECT_EQ(cs.ixRed, 777);
    EXPECT_EQ(cs.twRed, cat.tw[0]);
    EXPECT_EQ(d.sx, " Sx,ini ");
    EXPECT_EQ(d.ax, " Ax,ini ");
    EXPECT_EQ(d.ix, " Ix,ini ");
    EXPECT_EQ(d.tw, " tw,ini ");
    EXPECT_EQ(d.tf, " tf,ini ");
    EXPECT_FALSE(d.sfRedEnabled); // greyed in the list-all mode
    EXPECT_FALSE(d.beep);
    EXPECT_TRUE(ComputeReducedProperties(cat, 0, 0, false, true, cs).sfRedEnabled);
}

TEST(ReducedProperties, SectionsWithoutReducedValues)
{
    const Catalogue cat = crtest::Shipped();
    const int a = SectionIndex(cat, "FY 8"); // values up to 3 mm
    CurrentSection cs;
    ReducedDisplay d = ComputeReducedProperties(cat, a, 3.2, true, true, cs);
    EXPECT_EQ(d.kind, ReducedCase::NoData);
    EXPECT_EQ(cs.sxRed, 0);
    EXPECT_EQ(cs.axRed, 0);
    EXPECT_EQ(cs.ixRed, 0);
    EXPECT_EQ(d.sx, " N/A ");
    EXPECT_EQ(d.status, " No reduced properties for this loss of steel thickness. ");
    EXPECT_TRUE(d.beep);
    EXPECT_TRUE(d.sfRedEnabled);

    // No section: N/A and a beep without a status text; the previous section
    // stays current.
    d = ComputeReducedProperties(cat, -1, 1.0, true, true, cs);
    EXPECT_EQ(d.kind, ReducedCase::NoSection);
    EXPECT_EQ(cs.name, "FY 8");
    EXPECT_EQ(cs.sxRed, 0);
    EXPECT_EQ(d.ix, " N/A ");
    EXPECT_EQ(d.status, "");
    EXPECT_TRUE(d.beep);
    EXPECT_EQ(ComputeReducedProperties(cat, 9999, 1.0, true, true, cs).kind, ReducedCase::NoSection);
}

TEST(ReducedProperties, RoundingOfSxAndIx)
{
    Catalogue c = crtest::Small();
    CurrentSection cs;
    const double cases[][2] = {{1232.6, 1235}, {1232.4, 1230}, {1232.5, 1230}, {1233.5, 1235}, {1237.4, 1235}};
    for (const auto& [sx, expected] : cases) {
        c.sx[0][0] = 1300;
        c.sx[1][0] = sx;
        ComputeReducedProperties(c, 0, 2, false, true, cs); // w = 1
        EXPECT_EQ(cs.sxRed, expected) << sx;
    }
    // (h - L) x Sx,red / 20 = 12345 gives 12340 and 12355 gives 12360.
    c.sx = {{600, 200}, {600, 200}, {600, 200}};
    c.height = {412, 1236};
    ComputeReducedProperties(c, 0, 0.5, false, true, cs);
    EXPECT_EQ(cs.sxRed, 600);
    EXPECT_EQ(cs.ixRed, 12340);
    ComputeReducedProperties(c, 1, 0.5, false, true, cs);
    EXPECT_EQ(cs.ixRed, 12360);
}

TEST(ReducedProperties, DecimalHalvesGoToTheEvenTen)
{
    // KX 30 at 4.45 mm: Sx 1998 gives Sx,red 2000, and (525 - 4.45) x 2000 /
    // 20 = 52055 is a half of ten, which goes to 52060 although the double
    // product lies just below it.
    const Catalogue cat = crtest::Shipped();
    const int a = SectionIndex(cat, "KX 30");
    CurrentSection cs;
    ComputeReducedProperties(cat, a, 4.45, true, true, cs);
    EXPECT_EQ(cs.sxRed, 2000);
    EXPECT_EQ(cs.ixRed, 52060);

    // Ax,red is shown with one decimal, halves to even: KX 13 at 0.25 mm is
    // 115.5 - 0.25 x 12.6 = 112.35 and at 1.50 mm 102.9 - 0.5 x 12.5 = 96.65.
    const int kx13 = SectionIndex(cat, "KX 13");
    ReducedDisplay d = ComputeReducedProperties(cat, kx13, 0.25, true, true, cs);
    EXPECT_NEAR(cs.axRed, 112.35, 1e-9);
    EXPECT_EQ(d.ax, " 112.4");
    d = ComputeReducedProperties(cat, kx13, 1.50, true, true, cs);
    EXPECT_EQ(d.ax, "  96.6");
}

TEST(ReducedProperties, NoAreaOrNoPlateLeftHasNoReducedValue)
{
    Catalogue c = crtest::Small();
    CurrentSection cs;
    // Area 0 at the upper row with Sx still given.
    c.ax[1][0] = 0;
    c.ax[0][0] = 0;
    ReducedDisplay d = ComputeReducedProperties(c, 0, 1, false, true, cs);
    EXPECT_EQ(d.kind, ReducedCase::NoData);
    EXPECT_EQ(cs.sxRed, 0);
    EXPECT_EQ(d.sx, " N/A ");

    // A web of 1 mm eaten by a loss of 1.5 mm.
    c = crtest::Small();
    c.tw[0] = 1;
    d = ComputeReducedProperties(c, 0, 1.5, false, true, cs);
    EXPECT_EQ(d.kind, ReducedCase::NoData);
    EXPECT_EQ(cs.sxRed, 0);
    EXPECT_TRUE(d.beep);
    // Exactly to 0 as well.
    d = ComputeReducedProperties(c, 0, 1.0, false, true, cs);
    EXPECT_EQ(d.kind, ReducedCase::NoData);
}

TEST(ReducedProperties, LossSummary)
{
    Losses l;
    l.front = 1.50;
    l.back = 2.09;
    l.frontA690 = 0.50;
    l.total = 3.59;
    LossSummary s = MakeLossSummary(l, true);
    EXPECT_EQ(s.front, "1.50");
    EXPECT_EQ(s.back, "2.09");
    EXPECT_EQ(s.caption, " Loss of steel thickness:    3.59 mm ");
    EXPECT_EQ(LossStatusText(s, true), " Loss: front = 1.50 mm, back = 2.09 mm");
    s = MakeLossSummary(l, false);
    EXPECT_EQ(s.front, "59");
    EXPECT_EQ(s.back, "82");
    EXPECT_EQ(s.totalLossMils, 141);
    EXPECT_EQ(s.caption, " Loss of steel thickness:     141 mils ");
    EXPECT_EQ(LossStatusText(s, false), " Loss: front = 59  mils, back = 82  mils");

    // The splash-zone factor shows the divided front loss.
    l.splashFactorApplies = true;
    l.total = 2.59;
    EXPECT_EQ(MakeLossSummary(l, true).front, "0.50");

    // The imperial total adds the rounded faces: 2 + 2 mils, not 3.
    Losses small;
    small.front = small.back = 0.04;
    small.total = 0.08;
    s = MakeLossSummary(small, false);
    EXPECT_EQ(s.front, "2");
    EXPECT_EQ(s.totalLossMils, 4);
}
