#include "text_readers.h"

#include <algorithm>
#include <cmath>

namespace ostrane {

namespace {

constexpr std::int64_t kIntCeiling = 2147483648;  // |INT32_MIN|: enough to hold either end
// Exponents past this give zero or infinity in extended anyway; holding them keeps the counts
// from overflowing on absurdly long texts.
constexpr std::int64_t kExponentCeiling = 100000;
// Beyond this M leaves extended's range within a few digits; later digits only scale it.
constexpr long double kMantissaCeiling = 1e4900L;

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

int HexDigit(char c) {
    if (IsDigit(c)) {
        return c - '0';
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    return -1;
}

std::size_t SkipBlanks(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ') {
        ++i;
    }
    return i;
}

std::int32_t HeldToRange(std::int64_t value) {
    return static_cast<std::int32_t>(std::min<std::int64_t>(value, INT32_MAX));
}

// 10^n for n >= 0 by squaring; exact up to 10^27, whose odd part 5^27 still fits 64 bits.
long double PowerOfTen(std::int64_t n) {
    long double result = 1.0L;
    long double base = 10.0L;
    while (n > 0) {
        if (n & 1) {
            result *= base;
        }
        base *= base;
        n >>= 1;
    }
    return result;
}

// m x 10^scale. One rounding while the power of ten is exact: divide rather than multiply by
// 10^-n. Larger scales go in steps that keep each power within extended's range, so that only a
// result beyond that range becomes infinity or zero.
long double Scaled(long double m, std::int64_t scale) {
    constexpr std::int64_t kStep = 4000;
    for (; scale > 0; scale -= std::min(scale, kStep)) {
        m *= PowerOfTen(std::min(scale, kStep));
    }
    for (; scale < 0; scale += std::min(-scale, kStep)) {
        m /= PowerOfTen(std::min(-scale, kStep));
    }
    return m;
}

}  // namespace

std::int32_t TextToInt(std::string_view text) {
    std::size_t i = SkipBlanks(text);
    std::int64_t value = 0;
    if (i < text.size() && text[i] == '$') {
        for (++i; i < text.size(); ++i) {
            const int digit = HexDigit(text[i]);
            if (digit < 0) {
                return HeldToRange(value);
            }
            value = std::min(value * 16 + digit, kIntCeiling);
        }
        return HeldToRange(value);
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
        negative = text[i] == '-';
        ++i;
    }
    for (; i < text.size(); ++i) {
        if (!IsDigit(text[i])) {
            return HeldToRange(value);
        }
        value = std::min(value * 10 + (text[i] - '0'), kIntCeiling);
    }
    return negative ? static_cast<std::int32_t>(-value) : HeldToRange(value);
}

long double TextToReal(std::string_view text) {
    std::size_t i = SkipBlanks(text);
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
        negative = text[i] == '-';
        ++i;
    }
    if (i == text.size()) {
        return 0.0L;  // empty, blanks only, or a sign alone
    }
    long double mantissa = 0.0L;
    std::int64_t fractionDigits = 0;
    // Whole digits past the ceiling of M, each a factor of ten left to the scaling.
    std::int64_t droppedDigits = 0;
    for (; i < text.size() && IsDigit(text[i]); ++i) {
        if (mantissa < kMantissaCeiling) {
            mantissa = mantissa * 10 + (text[i] - '0');
        } else {
            droppedDigits = std::min(droppedDigits + 1, kExponentCeiling);
        }
    }
    if (i < text.size() && text[i] == '.') {
        for (++i; i < text.size() && IsDigit(text[i]); ++i) {
            if (mantissa < kMantissaCeiling) {
                mantissa = mantissa * 10 + (text[i] - '0');
                fractionDigits = std::min(fractionDigits + 1, kExponentCeiling);
            }
        }
    }
    std::int64_t exponent = 0;
    if (i < text.size() && (text[i] == 'E' || text[i] == 'e')) {
        std::size_t j = i + 1;
        bool negativeExponent = false;
        if (j < text.size() && (text[j] == '-' || text[j] == '+')) {
            negativeExponent = text[j] == '-';
            ++j;
        }
        if (j == text.size() || !IsDigit(text[j])) {
            return mantissa;  // an exponent mark without digits
        }
        for (; j < text.size() && IsDigit(text[j]); ++j) {
            exponent = std::min(exponent * 10 + (text[j] - '0'), kExponentCeiling);
        }
        if (negativeExponent) {
            exponent = -exponent;
        }
        i = j;
    }
    if (i < text.size()) {
        return mantissa;
    }
    long double value = mantissa;
    if (mantissa != 0.0L) {
        value = Scaled(mantissa, exponent - fractionDigits + droppedDigits);
    }
    return negative ? -value : value;
}

}  // namespace ostrane
