#include "simulation/number_text.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

namespace ostrane {
namespace {

TEST(IntToText, PlainDecimal) {
    EXPECT_EQ(IntToText(0), "0");
    EXPECT_EQ(IntToText(-1), "-1");
    EXPECT_EQ(IntToText(720), "720");
    EXPECT_EQ(IntToText(std::numeric_limits<std::int32_t>::max()), "2147483647");
    EXPECT_EQ(IntToText(std::numeric_limits<std::int32_t>::min()), "-2147483648");
}

struct RealCase {
    long double value;
    const char* text;
};

class RealToTextTest : public testing::TestWithParam<RealCase> {};

TEST_P(RealToTextTest, WritesTheGeneralForm) {
    EXPECT_EQ(RealToText(GetParam().value), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Values, RealToTextTest,
    testing::Values(
        RealCase{12, "12"}, RealCase{1200, "1200"}, RealCase{0.5L, "0.5"}, RealCase{1, "1"},
        RealCase{-0.25L, "-0.25"}, RealCase{2.0L / 3, "0.666666666666667"},
        RealCase{1.0L / 3, "0.333333333333333"}, RealCase{0.1f, "0.100000001490116"},
        RealCase{0.0001L, "0.0001"}, RealCase{0.00001L, "1E-5"},
        RealCase{0.000012345L, "1.2345E-5"}, RealCase{999999999999999.0L, "999999999999999"},
        RealCase{1e15L, "1E15"}, RealCase{9999999999999999.0L, "1E16"},
        RealCase{1234567890123456789.0L, "1.23456789012346E18"}, RealCase{0.0L, "0"},
        RealCase{-0.0L, "0"},
        // Rounded to 18 digits first, this is ...345500 and the sixteenth digit rounds
        // up, although rounding straight to 15 digits would not.
        RealCase{0.1234567890123454999L, "0.123456789012346"}, RealCase{0.9999999999999999L, "1"},
        RealCase{-999.99999999999999L, "-1000"}, RealCase{172800 * 0.001L, "172.8"},
        RealCase{25920.001953125f * 0.001L, "25.920001953125"},
        RealCase{79.19999694824219f * 0.001L, "0.0791999969482422"}, RealCase{1e-4000L, "1E-4000"},
        RealCase{-1.5e300L, "-1.5E300"}));

class DecimalSeparatorTest : public testing::Test {
protected:
    void TearDown() override { SetDecimalSeparator('.'); }
};

TEST_F(DecimalSeparatorTest, CommaReplacesThePointOnly) {
    SetDecimalSeparator(',');
    EXPECT_EQ(RealToText(0.5L), "0,5");
    EXPECT_EQ(RealToText(0.000012345L), "1,2345E-5");
    EXPECT_EQ(RealToText(1e15L), "1E15");
    EXPECT_EQ(RealToText(1200), "1200");
    EXPECT_EQ(IntToText(-1200), "-1200");
}

}  // namespace
}  // namespace ostrane
