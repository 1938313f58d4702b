#include "simulation/float_checks.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>

namespace ostrane {
namespace {

// Runs f, which must throw FloatingPointError with exactly this message.
template <typename F>
void ExpectFailure(F f, const char* message) {
    try {
        f();
        ADD_FAILURE() << "no failure, expected \"" << message << '"';
    } catch (const FloatingPointError& e) {
        EXPECT_STREQ(e.what(), message);
    }
}

TEST(StoreSingle, RoundsOnceToNearestEven) {
    EXPECT_EQ(StoreSingle(0.3L), 0.300000011920928955078125f);
    EXPECT_EQ(StoreSingle(0.01L), 0.00999999977648258209228515625f);
    // Halfway between 1 and the next single: ties to the even significand, 1.
    EXPECT_EQ(StoreSingle(1.0L + std::ldexp(1.0L, -24)), 1.0f);
    EXPECT_EQ(StoreSingle(1.0L + 3 * std::ldexp(1.0L, -24)), 1.0f + 2 * std::ldexp(1.0f, -23));
}

TEST(StoreSingle, UnderflowIsNotAFailure) {
    EXPECT_EQ(StoreSingle(1e-60L), 0.0f);
    EXPECT_GT(StoreSingle(1e-40L), 0.0f);
}

TEST(StoreSingle, TooLargeIsOverflow) {
    EXPECT_EQ(StoreSingle(static_cast<long double>(FLT_MAX)), FLT_MAX);
    ExpectFailure([] { StoreSingle(3.5e38L); }, "Floating point overflow");
    ExpectFailure([] { StoreSingle(-3.5e38L); }, "Floating point overflow");
    ExpectFailure([] { StoreSingle(HUGE_VALL); }, "Floating point overflow");
    ExpectFailure([] { StoreSingle(std::numeric_limits<long double>::quiet_NaN()); },
                  "Invalid floating point operation");
}

TEST(TruncToInt, TruncatesTowardsZeroWithinRange) {
    EXPECT_EQ(TruncToInt(12342.857L), 12342);
    EXPECT_EQ(TruncToInt(-2.9L), -2);
    EXPECT_EQ(TruncToInt(2147483647.99L), 2147483647);
    EXPECT_EQ(TruncToInt(-2147483648.99L), -2147483647 - 1);
    ExpectFailure([] { TruncToInt(2147483648.0L); }, "Invalid floating point operation");
    ExpectFailure([] { TruncToInt(-2147483649.0L); }, "Invalid floating point operation");
    ExpectFailure([] { TruncToInt(3e9L); }, "Invalid floating point operation");
    ExpectFailure([] { TruncToInt(std::numeric_limits<long double>::quiet_NaN()); },
                  "Invalid floating point operation");
    EXPECT_EQ(TruncToInt(-2147483648.99), -2147483647 - 1);
    ExpectFailure([] { TruncToInt(2147483648.0); }, "Invalid floating point operation");
}

TEST(RoundToInt, TiesGoToEven) {
    EXPECT_EQ(RoundToInt(12.5L), 12);
    EXPECT_EQ(RoundToInt(13.5L), 14);
    EXPECT_EQ(RoundToInt(1.5L), 2);
    EXPECT_EQ(RoundToInt(-2.5L), -2);
    EXPECT_EQ(RoundToInt(8228.57L), 8229);
    ExpectFailure([] { RoundToInt(2147483647.5L); }, "Invalid floating point operation");
}

TEST(Divide, ZeroDivisorFails) {
    EXPECT_EQ(Divide(86400, 7), 86400.0L / 7);
    ExpectFailure([] { Divide(1, 0); }, "Floating point division by zero");
    ExpectFailure([] { Divide(-1, 0); }, "Floating point division by zero");
    ExpectFailure([] { Divide(0, 0); }, "Invalid floating point operation");
    ExpectFailure([] { Divide(LDBL_MAX, 0.5L); }, "Floating point overflow");
}

}  // namespace
}  // namespace ostrane
