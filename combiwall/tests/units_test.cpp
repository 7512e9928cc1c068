#include "combiwall/units.h"

#include "platform/numtext.h"

#include <gtest/gtest.h>

using namespace cw;

TEST(Units, LimitsAndSwitchTexts)
{
    EXPECT_EQ(ImperialMomentText(11000), "2472.0"); // 2472.0033 is above the limit
    EXPECT_EQ(ImperialMomentText(100), "22.5");
    EXPECT_EQ(ImperialLoadText(35000.0), "2397.4");
    EXPECT_EQ(ImperialLoadText(1000.0), "68.5");
    EXPECT_EQ(ImperialDeflectionText(50), "19.6");
    EXPECT_EQ(ImperialDeflectionText(0), "0.0");
    EXPECT_EQ(MetricLoadText(2472 * cf::kMomentFactor), "11000");
    EXPECT_EQ(MetricLoadText(12.5), "12");
    // 2472 kips*ft/ft typed is 10999.76 kNm/m, inside the metric limit.
    EXPECT_LE(kMaxMomentImperial * cf::kMomentFactor, kMaxMoment);
    EXPECT_LE(kMaxLoadImperial * cf::kLoadFactor, kMaxLoad);
    EXPECT_LE(kMaxDeflectionImperial * cf::kDeflectionFactor, kMaxDeflection);

    EXPECT_EQ(FeetText(33, kMaxMemberLengthFeet, 2), "108.26");
    EXPECT_EQ(FeetText(10, kMaxMemberLengthFeet, 2), "32.81");
    EXPECT_EQ(FeetText(2001, kMaxWallLengthFeet, 1), "6561.7");
    EXPECT_DOUBLE_EQ(cf::kFykFactor * 50, 344.857);
}
