#include "corrosion/losses.h"

#include "corrosion/safety.h"
#include "helpers.h"
#include "platform/error.h"

#include <gtest/gtest.h>

using namespace cr;

namespace {

// Detail indexes of the shipped tables.
constexpr int kPollutedSoil = 1;
constexpr int kSeaSplash = 2;
constexpr int kSeaImmersion = 3;

LossInput CodeInput(int16_t life, int frontEnv, int frontDetail, int16_t frontProtection, int backEnv, int backDetail,
                    int16_t backProtection = 0)
{
    LossInput in;
    in.serviceLife = life;
    in.front = {frontEnv, frontDetail, frontProtection, 0};
    in.back = {backEnv, backDetail, backProtection, 0};
    return in;
}

} // namespace

TEST(Losses, CodeTablesByHand)
{
    const Catalogue cat = crtest::Shipped();
    // Service life 60: front polluted soil with 10 years of protection is
    // exposed 50 years, the table value 1.50 mm. Back sea water in permanent
    // immersion, 60 years: 1.75 + (60 - 50) / 25 x (2.60 - 1.75) = 2.09 mm.
    const Losses l = ComputeLosses(cat, CodeInput(60, kSoil, kPollutedSoil, 10, kWater, kSeaImmersion));
    EXPECT_DOUBLE_EQ(l.front, 1.50);
    EXPECT_DOUBLE_EQ(l.back, 2.09);
    EXPECT_DOUBLE_EQ(l.total, 3.59);
    EXPECT_FALSE(l.splashFactorApplies);
    EXPECT_DOUBLE_EQ(l.ShownFront(), 1.50);
}

TEST(Losses, InterpolationAtPointsAndEnds)
{
    const Catalogue cat = crtest::Shipped();
    // At a service-life point the loss is the table row.
    EXPECT_DOUBLE_EQ(CodeLoss(cat, kWater, kSeaSplash, 75), 5.60);
    EXPECT_DOUBLE_EQ(CodeLoss(cat, kSoil, 0, 100), 1.20);
    // Below the first interval's end: first interval (from the 0-year row).
    EXPECT_DOUBLE_EQ(CodeLoss(cat, kWater, kSeaSplash, 2), 0.55 * 2 / 5);
    // No exposure: no loss; each face searches on its own.
    const Losses l = ComputeLosses(cat, CodeInput(40, kWater, kSeaSplash, 0, kWater, kSeaSplash, 40));
    EXPECT_DOUBLE_EQ(l.back, 0);
    EXPECT_DOUBLE_EQ(l.front, 3.01); // 1.90 + 15 / 25 x 1.85 = 3.01
    // Past the last point the last interval goes on: 7.50 + 20 / 25 x 1.90.
    EXPECT_DOUBLE_EQ(CodeLoss(cat, kWater, kSeaSplash, 120), 7.50 + 0.8 * 1.90);
    // Protection above the service life: never a negative loss.
    EXPECT_EQ(CodeLoss(cat, kWater, kSeaSplash, -20), 0);
    Catalogue c = crtest::Small();
    c.serviceLifePoints = {5, 10};
    EXPECT_EQ(CodeLoss(c, kWater, 2, 0), 0); // would extrapolate to -2.5
    EXPECT_THROW(CodeLoss(cat, kWater, 4, 10), sps::Exception);
    EXPECT_THROW(CodeLoss(cat, 3, 0, 10), sps::Exception);
}

TEST(Losses, DecimalHalvesGoToTheEvenHundredth)
{
    // 15 years in sea water: 0.55 + 10 / 20 x 1.35 = 1.225 mm (splash zone)
    // and 0.25 + 10 / 20 x 0.65 = 0.575 mm (immersion). Held as doubles these
    // lie a hair above and below the half; they still go to the even digit.
    const Catalogue cat = crtest::Shipped();
    const Losses l = ComputeLosses(cat, CodeInput(15, kWater, kSeaSplash, 0, kWater, kSeaImmersion));
    EXPECT_DOUBLE_EQ(l.front, 1.22);
    EXPECT_DOUBLE_EQ(l.back, 0.58);
    EXPECT_DOUBLE_EQ(l.total, 1.80);
    // The same with 5 years of protection in a 20-year service life.
    EXPECT_DOUBLE_EQ(ComputeLosses(cat, CodeInput(20, kWater, kSeaSplash, 5, kSoil, 0)).front, 1.22);
    // Project rates: 0.035 mm/year x 15 years = 0.525 mm gives 0.52.
    LossInput in;
    in.source = LossSource::Project;
    in.serviceLife = 15;
    in.front.projectValue = 0.035;
    EXPECT_DOUBLE_EQ(ComputeLosses(cat, in).front, 0.52);
}

TEST(Losses, SplashZoneFactorOfA690)
{
    const Catalogue cat = crtest::Shipped();
    LossInput in = CodeInput(25, kWater, kSeaSplash, 0, kSoil, kPollutedSoil);
    in.gradeIsA690 = IsA690Item(SteelGradeItems(cat, true).back());
    ASSERT_TRUE(in.gradeIsA690);

    Losses l = ComputeLosses(cat, in); // item " 0": no reduction
    EXPECT_TRUE(l.splashFactorApplies);
    EXPECT_DOUBLE_EQ(l.front, 1.90);
    EXPECT_DOUBLE_EQ(l.frontA690, 1.90);
    EXPECT_DOUBLE_EQ(l.back, 0.75);
    EXPECT_DOUBLE_EQ(l.total, 2.65);

    in.splashItem = 2; // " 3": 1.90 / 3 = 0.6333 gives 0.63
    l = ComputeLosses(cat, in);
    EXPECT_DOUBLE_EQ(l.frontA690, 0.63);
    EXPECT_DOUBLE_EQ(l.front, 1.90);
    EXPECT_DOUBLE_EQ(l.total, 0.75 + 0.63);
    EXPECT_DOUBLE_EQ(l.ShownFront(), 0.63);
    EXPECT_DOUBLE_EQ(l.TotalWithoutSplashFactor(), 2.65);

    in.splashItem = 1; // " 2": 0.95
    EXPECT_DOUBLE_EQ(ComputeLosses(cat, in).frontA690, 0.95);

    // Any other front environment, detail, grade or the project source: off.
    auto expectOff = [&](LossInput other) {
        const Losses o = ComputeLosses(cat, other);
        EXPECT_FALSE(o.splashFactorApplies);
        EXPECT_DOUBLE_EQ(o.total, o.front + o.back);
    };
    LossInput other = in;
    other.front.environment = kSoil;
    expectOff(other);
    other = in;
    other.front.detail = kSeaImmersion;
    expectOff(other);
    other = in;
    other.gradeIsA690 = false;
    expectOff(other);
    other = in;
    other.source = LossSource::Project;
    expectOff(other);
}

TEST(Losses, SplashZoneRoundingOrder)
{
    // A front loss of 1.25 mm halved is the tie 0.625, which goes to 0.62.
    Catalogue c = crtest::Small();
    LossInput in = CodeInput(5, kWater, 2, 0, kSoil, 0);
    in.gradeIsA690 = true;
    in.splashItem = 1;
    Losses l = ComputeLosses(c, in);
    EXPECT_DOUBLE_EQ(l.front, 1.25);
    EXPECT_DOUBLE_EQ(l.frontA690, 0.62);
    // The divided loss comes from the unrounded front loss: 1.2549 / 2 =
    // 0.62745 gives 0.63, while the rounded 1.25 / 2 would give 0.62.
    c.environments[kWater].loss[1][2] = 2.5098;
    l = ComputeLosses(c, in);
    EXPECT_DOUBLE_EQ(l.front, 1.25);
    EXPECT_DOUBLE_EQ(l.frontA690, 0.63);
    // Applying the factor again from the same raw losses gives the same.
    const RawLosses raw = ComputeCodeLosses(c, in);
    EXPECT_DOUBLE_EQ(ApplySplashZoneFactor(raw, in).frontA690, 0.63);
    EXPECT_DOUBLE_EQ(ApplySplashZoneFactor(raw, in).total, l.total);
}

TEST(Losses, A690GradeItems)
{
    EXPECT_TRUE(IsA690Item(" A 690         345        "));
    EXPECT_TRUE(IsA690Item(" A690 anything"));
    EXPECT_TRUE(IsA690Item(" A 6901"));
    EXPECT_FALSE(IsA690Item("A 690"));
    EXPECT_FALSE(IsA690Item(" A690"));
    EXPECT_FALSE(IsA690Item(" a 690"));
    EXPECT_FALSE(IsA690Item(""));
    EXPECT_EQ(SplashFactor(0), 1);
    EXPECT_EQ(SplashFactor(1), 2);
    EXPECT_EQ(SplashFactor(2), 3);
}

TEST(Losses, ProjectRatesAndTotals)
{
    const Catalogue cat = crtest::Shipped();
    LossInput in;
    in.source = LossSource::Project;
    in.serviceLife = 50;
    in.front.projectValue = 0.05;
    in.back.projectValue = 0.02;
    in.back.protectionYears = 20;
    Losses l = ComputeLosses(cat, in);
    EXPECT_DOUBLE_EQ(l.front, 2.50);
    EXPECT_DOUBLE_EQ(l.back, 0.60);
    EXPECT_DOUBLE_EQ(l.total, 3.10);

    in.back.protectionYears = 60; // protection beyond the service life
    EXPECT_EQ(ComputeLosses(cat, in).back, 0);

    in.projectMode = ProjectMode::Totals;
    in.metric = false;
    in.front.projectValue = 40; // mils: 1.01599824 mm
    in.back.projectValue = 0;
    l = ComputeLosses(cat, in);
    EXPECT_DOUBLE_EQ(l.front, 1.02);
    EXPECT_DOUBLE_EQ(l.total, 1.02);
}

TEST(Losses, ServiceLifeAndProtectionItems)
{
    const Catalogue cat = crtest::Shipped();
    const std::vector<std::string> life = ServiceLifeItems(cat);
    EXPECT_EQ(life.front(), " 5");
    EXPECT_EQ(life.back(), " 100");
    EXPECT_EQ(ProtectionItems(cat, 100),
              (std::vector<std::string>{" 0", " 5", " 10", " 15", " 20", " 25", " 30"}));
    const std::vector<std::string> short10 = ProtectionItems(cat, 10);
    EXPECT_EQ(short10, (std::vector<std::string>{" 0", " 5", " 10"}));
    // Service life lowered below the chosen protection: the last item.
    EXPECT_EQ(KeepItemIndex(6, static_cast<int>(short10.size())), 2);
    EXPECT_EQ(KeepItemIndex(1, static_cast<int>(short10.size())), 1);
    // Every service-life choice lies within the corrosion tables.
    for (int16_t years : cat.serviceLifeChoices)
        EXPECT_LE(years, cat.serviceLifePoints.back());
}

TEST(Losses, ProjectValueEdits)
{
    const Catalogue cat = crtest::Shipped();
    EXPECT_EQ(RateLimitHint(cat, ProjectMode::Rates, true), " Max. corrosion rate of steel = 0.20 mm / year");
    EXPECT_EQ(RateLimitHint(cat, ProjectMode::Rates, false), " Max. corrosion rate of steel = 7.87 mils / year");
    EXPECT_EQ(RateLimitHint(cat, ProjectMode::Totals, true), " Max. total loss of steel = 8.00 mm");
    EXPECT_EQ(RateLimitHint(cat, ProjectMode::Totals, false), " Max. total loss of steel = 314.96 mils");

    RateCheckResult r = CheckRateInput(cat, "0.20", ProjectMode::Rates, true);
    EXPECT_EQ(r.kind, RateCheck::Accepted);
    EXPECT_DOUBLE_EQ(r.value, 0.20);
    r = CheckRateInput(cat, "0.201", ProjectMode::Rates, true);
    EXPECT_EQ(r.kind, RateCheck::TooLarge);
    EXPECT_EQ(r.message, " Max. corrosion rate of steel = 0.20 mm / year");
    r = CheckRateInput(cat, "8.5", ProjectMode::Totals, true);
    EXPECT_EQ(r.kind, RateCheck::TooLarge);
    EXPECT_EQ(r.message, " Max. total loss of steel (front + back) = 8.00 mm");
    r = CheckRateInput(cat, "315", ProjectMode::Totals, false);
    EXPECT_EQ(r.kind, RateCheck::TooLarge);
    EXPECT_EQ(r.message, " Max. total loss of steel (front + back) = 314.96 mils");
    r = CheckRateInput(cat, "40", ProjectMode::Totals, false);
    EXPECT_EQ(r.kind, RateCheck::Accepted);
    EXPECT_DOUBLE_EQ(r.value, 40 * 0.025399956);
    EXPECT_EQ(CheckRateInput(cat, " ", ProjectMode::Rates, true).kind, RateCheck::NotANumber);
    EXPECT_EQ(CheckRateInput(cat, ".", ProjectMode::Rates, true).kind, RateCheck::NotANumber);

    bool refused = false;
    EXPECT_EQ(FormatRateInput("0.05", ProjectMode::Rates, true, refused), "0.050");
    EXPECT_FALSE(refused);
    EXPECT_EQ(FormatRateInput("2", ProjectMode::Rates, false, refused), "2.0");
    EXPECT_EQ(FormatRateInput("1.005", ProjectMode::Totals, true, refused), "1.00");
    EXPECT_EQ(FormatRateInput("40.5", ProjectMode::Totals, false, refused), "40");
    EXPECT_EQ(FormatRateInput("x", ProjectMode::Totals, true, refused), "0.00");
    EXPECT_TRUE(refused);

    EXPECT_EQ(DetailGroupCaption(kAtmospheric), " Chapter 4 ");
    EXPECT_EQ(DetailGroupCaption(kSoil), " Table 4.1 ");
    EXPECT_EQ(DetailGroupCaption(kWater), " Table 4.2 ");
}
