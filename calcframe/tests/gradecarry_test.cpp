#include "calcframe/gradecarry.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Names = std::vector<std::string>;

const Names kMetric{"S 240 GP", "S 355 GP", "A 690"};
const Names kImperial{"A 328", "A 572 Gr 50", " A 690 "};

TEST(GradeCarry, AChoiceGoesToTheGradeOfTheSameNameOrWaitsOnTheFirst)
{
    struct Step {
        int index;          // chosen before the switch
        bool toImperial;
        int carried;
        bool kept;
    };
    const struct {
        const char* what;
        std::vector<Step> steps;
    } cases[] = {
        {"a common grade, blanks around its name not counting", {{2, true, 2, true}, {2, false, 2, true}}},
        {"no counterpart: the first grade, and the grade again on the way back",
         {{1, true, 0, false}, {0, false, 1, true}}},
        {"another grade chosen after the fallback is what goes back", {{1, true, 0, false}, {1, false, 0, false}}},
        {"nothing chosen, then the first grade", {{-1, true, 0, true}, {0, false, 0, false}}},
        {"an index outside the list", {{7, true, 0, true}}},
    };
    for (const auto& c : cases) {
        cf::GradeCarry carry;
        for (const Step& s : c.steps) {
            const Names& from = s.toImperial ? kMetric : kImperial;
            const int got = carry.Carry(s.index, from, s.toImperial ? kImperial : kMetric);
            EXPECT_EQ(got, s.carried) << c.what;
            EXPECT_EQ(carry.Kept(), s.kept) << c.what;
        }
    }

    // The user's own choice of the fallback is what the next switch carries.
    cf::GradeCarry carry;
    EXPECT_EQ(carry.Carry(1, kMetric, kImperial), 0);
    carry.Forget();
    EXPECT_EQ(carry.Carry(0, kImperial, kMetric), 0); // "A 328" has no counterpart
    EXPECT_FALSE(carry.Kept());
    // Equal names keep their places; an empty list has nothing to choose.
    EXPECT_EQ(cf::GradeCarry().Carry(1, {"A", "A"}, {"A", "A"}), 1);
    EXPECT_EQ(cf::GradeCarry().Carry(1, kMetric, {}), -1);
}

} // namespace
