#include "simulation/text_readers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <string>

namespace ostrane {
namespace {

struct IntCase {
    const char* text;
    std::int32_t value;
};

class TextToIntTest : public testing::TestWithParam<IntCase> {};

TEST_P(TextToIntTest, ReadsLeniently) {
    EXPECT_EQ(TextToInt(GetParam().text), GetParam().value) << '"' << GetParam().text << '"';
}

INSTANTIATE_TEST_SUITE_P(
    Texts, TextToIntTest,
    testing::Values(IntCase{"", 0}, IntCase{"   ", 0}, IntCase{"120", 120}, IntCase{"007", 7},
                    IntCase{"+5", 5}, IntCase{"-90", -90}, IntCase{" 12", 12},
                    IntCase{"\t12", 0},  // only code 32 is skipped
                    IntCase{"12x", 12}, IntCase{"-12x", 12}, IntCase{"1e3", 1}, IntCase{"0x1F", 0},
                    IntCase{"$FF", 255}, IntCase{"$1F", 31}, IntCase{"$ff", 255}, IntCase{"$", 0},
                    IntCase{"$1G", 1}, IntCase{"-$5", 0}, IntCase{"$-5", 0}, IntCase{"-", 0},
                    IntCase{"+", 0}, IntCase{"--5", 0}, IntCase{"1,000", 1}, IntCase{"12 ", 12},
                    IntCase{"99999999", 99999999},
                    // Beyond 32 bits the value is held at the ends of the range.
                    IntCase{"2147483647", 2147483647}, IntCase{"-2147483648", INT32_MIN},
                    IntCase{"99999999999", INT32_MAX}, IntCase{"-99999999999", INT32_MIN},
                    IntCase{"-99999999999x", INT32_MAX}, IntCase{"$FFFFFFFFFF", INT32_MAX}));

struct RealReadCase {
    const char* text;
    long double value;
};

class TextToRealTest : public testing::TestWithParam<RealReadCase> {};

TEST_P(TextToRealTest, ReadsLeniently) {
    EXPECT_EQ(TextToReal(GetParam().text), GetParam().value) << '"' << GetParam().text << '"';
}

INSTANTIATE_TEST_SUITE_P(
    Texts, TextToRealTest,
    testing::Values(RealReadCase{"", 0}, RealReadCase{"  ", 0}, RealReadCase{"-", 0},
                    RealReadCase{"+", 0}, RealReadCase{"2.0", 2}, RealReadCase{" 2.5", 2.5L},
                    RealReadCase{"-5", -5}, RealReadCase{"+5", 5}, RealReadCase{"0.3", 3.0L / 10},
                    RealReadCase{"1e3", 1000}, RealReadCase{"1E-2", 1.0L / 100},
                    RealReadCase{"2.5e+1", 25}, RealReadCase{".5", 0.5L}, RealReadCase{"5.", 5},
                    RealReadCase{".", 0}, RealReadCase{"e5", 0},
                    // Stopping early gives the gathered digits alone: positive, unscaled.
                    RealReadCase{"12x", 12}, RealReadCase{"2.5x", 25}, RealReadCase{"2.5 ", 25},
                    RealReadCase{"1.5e", 15}, RealReadCase{"-4x", 4}, RealReadCase{"1,5", 1},
                    RealReadCase{"1e3x", 1}, RealReadCase{"1.2.3", 12}, RealReadCase{"1e-", 1},
                    RealReadCase{"$10", 0}, RealReadCase{"\t1", 0}, RealReadCase{"--1", 0},
                    RealReadCase{"1e+-3", 1}, RealReadCase{"0e99999", 0}));

TEST(TextToReal, DividesByAnExactPowerOfTen) {
    // 0.011 is 11 / 10^3 rounded once, not 11 times an inexact 10^-3.
    EXPECT_EQ(TextToReal("0.011"), 11.0L / 1000);
    EXPECT_EQ(TextToReal("0.123456789012345678"), 123456789012345678.0L / 1e18L);
}

TEST(TextToReal, ExponentsBeyondExtendedGiveInfinityOrZero) {
    EXPECT_EQ(TextToReal("1e99999"), HUGE_VALL);
    EXPECT_EQ(TextToReal("-1e99999"), -HUGE_VALL);
    EXPECT_EQ(TextToReal("1e-99999"), 0.0L);
    EXPECT_EQ(TextToReal("1e99999999999999999999999"), HUGE_VALL);
}

TEST(TextToReal, LongDigitRunsDoNotFail) {
    EXPECT_EQ(TextToReal(std::string(6000, '9')), HUGE_VALL);
    EXPECT_EQ(TextToReal("0." + std::string(6000, '0') + "1"), 0.0L);
    // Values inside extended's range come out finite, however their text is spread.
    EXPECT_NEAR(static_cast<double>(TextToReal("1" + std::string(5999, '0') + "e-5990") / 1e9L),
                1.0, 1e-12);
    EXPECT_NEAR(static_cast<double>(TextToReal("10000000000e-4940") / 1e-4930L), 1.0, 1e-12);
    EXPECT_NEAR(static_cast<double>(TextToReal("1." + std::string(6000, '0') + "e10") / 1e10L), 1.0,
                1e-12);
}

}  // namespace
}  // namespace ostrane
