#include "calcframe/scrambled.h"

#include "platform/error.h"

#include <gtest/gtest.h>

using namespace cf;

TEST(ScrambledName, CounterStepsInsideTheRangeAndWrapsOutside)
{
    EXPECT_EQ(NextScrambleCounter(scramble::kRangeLow), scramble::kRangeLow + scramble::kStep);
    EXPECT_EQ(NextScrambleCounter(scramble::kRangeHigh), scramble::kRangeHigh + scramble::kStep);
    EXPECT_EQ(NextScrambleCounter(scramble::kRangeHigh + 1), scramble::kWrap);
    EXPECT_EQ(NextScrambleCounter(scramble::kRangeLow - 1), scramble::kWrap);
    EXPECT_EQ(NextScrambleCounter(INT16_MIN), scramble::kWrap);
    EXPECT_EQ(NextScrambleCounter(INT16_MAX), scramble::kWrap);
    // A long table walks the range many times and never leaves int16.
    int16_t c = scramble::kCombinationNames;
    for (int i = 0; i < 100000; ++i) {
        c = NextScrambleCounter(c);
        ASSERT_GE(c, scramble::kRangeLow);
        ASSERT_LE(c, scramble::kRangeHigh + scramble::kStep);
    }
}

TEST(ScrambledName, StoredBytesFollowTheScheme)
{
    std::vector<uint8_t> b = EncodeScrambledNames({"AB", "C"}, 3, 100);
    ASSERT_EQ(b.size(), 8u);
    int16_t c1 = NextScrambleCounter(100);
    int16_t c2 = NextScrambleCounter(c1);
    EXPECT_EQ(b[0], 2); // length byte is plain
    EXPECT_EQ(b[1], static_cast<uint8_t>('A' + 0 + c1));
    EXPECT_EQ(b[2], static_cast<uint8_t>('B' + 1 + c1));
    EXPECT_EQ(b[3], static_cast<uint8_t>(' ' + 2 + c1)); // filler past the length
    EXPECT_EQ(b[4], 1);
    EXPECT_EQ(b[5], static_cast<uint8_t>('C' + 0 + c2));
}

TEST(ScrambledName, RoundTripsEveryByteAndStartValue)
{
    std::vector<std::string> names;
    for (int len = 0; len <= 19; ++len) {
        std::string s;
        for (int j = 0; j < len; ++j)
            s.push_back(static_cast<char>((len * 37 + j * 101) & 0xFF));
        names.push_back(s);
    }
    for (int16_t start : {int16_t(-32768), int16_t(0), scramble::kGradeNames, scramble::kRangeHigh, int16_t(32767)}) {
        std::vector<uint8_t> b = EncodeScrambledNames(names, 19, start);
        std::vector<std::string> back;
        ASSERT_TRUE(DecodeScrambledNames(b.data(), names.size(), 19, start, back));
        EXPECT_EQ(back, names);
        // A start value one record ahead gives other text.
        ASSERT_TRUE(DecodeScrambledNames(b.data(), names.size(), 19, NextScrambleCounter(start), back));
        EXPECT_NE(back, names);
    }
}

TEST(ScrambledName, RefusesLengthsBeyondTheCapacity)
{
    std::vector<uint8_t> b = EncodeScrambledNames({"KX 13", "KX 18"}, 5, 7);
    b[6] = 6; // second record claims six characters of five
    std::vector<std::string> names;
    EXPECT_FALSE(DecodeScrambledNames(b.data(), 2, 5, 7, names));
    b[6] = 5;
    EXPECT_TRUE(DecodeScrambledNames(b.data(), 2, 5, 7, names));
    EXPECT_THROW(EncodeScrambledNames({"TOO LONG"}, 5, 7), sps::Exception);
    EXPECT_THROW(EncodeScrambledNames({"A"}, 256, 7), sps::Exception);
}
