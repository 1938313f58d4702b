// Checked steps of extended-precision arithmetic. Every value the program stores as single goes
// through StoreSingle, and every conversion to an integer through TruncToInt or RoundToInt, so a
// value that does not fit is reported instead of silently becoming infinity or garbage.
#pragma once

#include <cmath>
#include <cstdint>
#include <limits>
#include <stdexcept>

namespace ostrane {

// A floating-point failure; what() is the program's message for it.
class FloatingPointError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

inline constexpr const char* kOverflowMessage = "Floating point overflow";
inline constexpr const char* kInvalidOperationMessage = "Invalid floating point operation";
inline constexpr const char* kDivisionByZeroMessage = "Floating point division by zero";

[[noreturn]] void ThrowOverflow();
[[noreturn]] void ThrowInvalidOperation();
[[noreturn]] void ThrowDivisionByZero();

// Rounds v once to single (nearest, ties to even). Too large for single: "Floating point overflow".
// Underflow to a subnormal or zero is not a failure.
inline float StoreSingle(long double v) {
    const float f = static_cast<float>(v);
    if (!std::isfinite(f)) [[unlikely]] {
        if (std::isnan(f)) {
            ThrowInvalidOperation();
        }
        ThrowOverflow();
    }
    return f;
}

// v truncated towards zero; outside the 32-bit range: "Invalid floating point operation".
inline std::int32_t TruncToInt(long double v) {
    // The truncated value fits exactly when -2^31 - 1 < v < 2^31; NaN fails both comparisons.
    if (!(v > -2147483649.0L && v < 2147483648.0L)) [[unlikely]] {
        ThrowInvalidOperation();
    }
    return static_cast<std::int32_t>(v);
}

// The same for a double, which truncates without the x87 rounding-mode switches that a long
// double needs: for values that are exact in double, such as the product of two singles.
inline std::int32_t TruncToInt(double v) {
    if (!(v > -2147483649.0 && v < 2147483648.0)) [[unlikely]] {
        ThrowInvalidOperation();
    }
    return static_cast<std::int32_t>(v);
}

// v rounded to the nearest integer, ties to even; outside the 32-bit range:
// "Invalid floating point operation".
inline std::int32_t RoundToInt(long double v) {
    const long double r = std::nearbyint(v);  // the default rounding mode: nearest, ties to even
    if (!(r >= -2147483648.0L && r <= 2147483647.0L)) [[unlikely]] {
        ThrowInvalidOperation();
    }
    return static_cast<std::int32_t>(r);
}

// a / b in extended precision. A zero divisor is "Floating point division by zero", except 0 / 0,
// which like any NaN operand is "Invalid floating point operation"; a finite quotient too large for
// extended is "Floating point overflow".
inline long double Divide(long double a, long double b) {
    if (b == 0.0L || std::isnan(a) || std::isnan(b)) [[unlikely]] {
        if (a == 0.0L || std::isnan(a) || std::isnan(b)) {
            ThrowInvalidOperation();
        }
        ThrowDivisionByZero();
    }
    const long double q = a / b;
    if (std::isinf(q) && std::isfinite(a) && std::isfinite(b)) [[unlikely]] {
        ThrowOverflow();
    }
    return q;
}

}  // namespace ostrane
