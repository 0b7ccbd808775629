// The radio decoders on words, and the digit rewriting of the ADF's band
// selector.
#include <gtest/gtest.h>

#include "module/gauges/radio/radio.h"

namespace {

TEST(RadioDecoders, ReadTheSimulatorsBcdWords) {
    EXPECT_EQ(com_whole_of(0x2345), 123.0);
    EXPECT_EQ(fraction_of(0x2345), 45.0);
    EXPECT_EQ(com_whole_of(0x1800), 118.0);
    EXPECT_EQ(com_whole_of(0x3697), 136.0);
    EXPECT_EQ(fraction_of(0x3697), 97.0);
    EXPECT_EQ(fraction_of(0x2305), 5.0);
    EXPECT_EQ(nav_whole_of(0x0850), 108.0);
    EXPECT_EQ(nav_whole_of(0x1095), 110.0);
    EXPECT_EQ(fraction_of(0x1095), 95.0);
    EXPECT_EQ(squawk_of(0x7700), 7700.0);
    EXPECT_EQ(squawk_of(0x0012), 12.0);
    EXPECT_EQ(adf_khz_of(0x0345, 0x0105) + adf_tenths_of(0x0105) / 10.0, 1345.5);
    EXPECT_EQ(adf_khz_of(0x0345, 0x0000) + adf_tenths_of(0x0000) / 10.0, 345.0);
}

TEST(RadioDecoders, WordsOutsideTheBandsGiveWhatTheRulesCompute) {
    EXPECT_EQ(com_whole_of(0x0000), 110.0 + 16777200.0) << "unsigned arithmetic, no undefined behaviour";
    EXPECT_EQ(nav_whole_of(0xFFFFFFFF), 110.0 + double((0xFFFFFFFFu - 0x1000u) >> 8));
    EXPECT_EQ(squawk_of(0xFFFFFFFF), 1000.0 * 0xFFFFF + 100.0 * 15 + 10.0 * 15 + 15);
}

TEST(DigitsToBase, WritesDecimalDigitsAsHexadecimalOnes) {
    EXPECT_EQ(digits_to_base(4100, 10, 16), 0x4100u);
    EXPECT_EQ(digits_to_base(8500, 10, 16), 0x8500u);
    EXPECT_EQ(digits_to_base(0, 10, 16), 0u);
    EXPECT_EQ(digits_to_base(7, 10, 16), 7u);
    EXPECT_EQ(digits_to_base(0x4100, 16, 10), 4100u);
    EXPECT_EQ(digits_to_base(12345, 0, 16), 12345u) << "a base without digits leaves the number";
    EXPECT_EQ(digits_to_base(12345, 1, 16), 12345u);
    EXPECT_EQ(digits_to_base(4294967295u, 10, 16), 0x94967295u) << "the top digit runs off the word";
}

}  // namespace
