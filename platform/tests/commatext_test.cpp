#include "platform/commatext.h"

#include <gtest/gtest.h>

#include <random>

using namespace sps;
using Fields = std::vector<std::string>;

TEST(CommaText, SplitsRowsAsTheReportWritesThem)
{
    EXPECT_EQ(SplitCommaText(",Unit,"), (Fields{"", "Unit", ""}));
    EXPECT_EQ(SplitCommaText("\"Layer 1\",\"2.50\",\"18.00\""), (Fields{"Layer 1", "2.50", "18.00"}));
    EXPECT_EQ(SplitCommaText(",\"Depth [m]\",\"z Min [m]\""), (Fields{"", "Depth [m]", "z Min [m]"}));
    EXPECT_EQ(SplitCommaText("\"Sheet Pile Length [m]\",12.40"), (Fields{"Sheet Pile Length [m]", "12.40"}));
    // A decimal comma in a bare cell splits; quoted it stays one cell.
    EXPECT_EQ(SplitCommaText("\"Length\",12,40"), (Fields{"Length", "12", "40"}));
    EXPECT_EQ(SplitCommaText("\"Length\",\"12,40\""), (Fields{"Length", "12,40"}));
}

TEST(CommaText, OddInput)
{
    EXPECT_EQ(SplitCommaText(""), Fields{});
    EXPECT_EQ(SplitCommaText("   "), Fields{});
    EXPECT_EQ(SplitCommaText("\"\""), Fields{""});
    EXPECT_EQ(SplitCommaText(","), (Fields{"", ""}));
    EXPECT_EQ(SplitCommaText("a,"), (Fields{"a", ""}));
    EXPECT_EQ(SplitCommaText("a,,b"), (Fields{"a", "", "b"}));
    EXPECT_EQ(SplitCommaText(" a b , c "), (Fields{"a b", "c"}));
    EXPECT_EQ(SplitCommaText("\"a\" , \"b\""), (Fields{"a", "b"}));
    EXPECT_EQ(SplitCommaText("\"say \"\"hi\"\"\""), Fields{"say \"hi\""});
    EXPECT_EQ(SplitCommaText("\"unterminated, still one"), Fields{"unterminated, still one"});
    EXPECT_EQ(SplitCommaText("\"ends in a doubled quote\"\""), Fields{"ends in a doubled quote\""});
    EXPECT_EQ(SplitCommaText("\"a\"b,c"), (Fields{"ab", "c"}));
    EXPECT_EQ(SplitCommaText("ab\"c,d"), (Fields{"ab\"c", "d"}));
    EXPECT_EQ(SplitCommaText("\"two\r\nlines\",x\r\n"), (Fields{"two\r\nlines", "x"}));
}

TEST(CommaText, JoinQuotesOnlyWhenNeeded)
{
    EXPECT_EQ(JoinCommaText({"", "Unit", ""}), ",Unit,");
    EXPECT_EQ(JoinCommaText({"a b", "1,5", "q\"", "plain"}), "\"a b\",\"1,5\",\"q\"\"\",plain");
    EXPECT_EQ(JoinCommaText({""}), "\"\"");
    EXPECT_EQ(JoinCommaText({}), "");
    EXPECT_EQ(QuoteCommaField("12,40"), "\"12,40\"");
    EXPECT_EQ(QuoteCommaField(""), "\"\"");
    EXPECT_EQ(JoinQuotedCommaText({"1", "x\"y"}), "\"1\",\"x\"\"y\"");
}

TEST(CommaText, RandomFieldsRoundTrip)
{
    std::mt19937 rng(7);
    const std::string alphabet = "ab ,\"\r\n\t1.";
    for (int iter = 0; iter < 5000; ++iter) {
        Fields fields(rng() % 5);
        for (auto& f : fields) {
            size_t len = rng() % 6;
            for (size_t i = 0; i < len; ++i)
                f.push_back(alphabet[rng() % alphabet.size()]);
        }
        EXPECT_EQ(SplitCommaText(JoinCommaText(fields)), fields) << JoinCommaText(fields);
        EXPECT_EQ(SplitCommaText(JoinQuotedCommaText(fields)), fields);
    }
}
