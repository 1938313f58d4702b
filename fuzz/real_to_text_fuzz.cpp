// RealToText on every finite extended value: the first ten bytes of the input are the value's
// 80 bits, little-endian as in memory. The text is checked against digits that glibc's printf
// rounds to 18 places, then reduced by the program's rule on the sixteenth digit, and must read
// back to that value.
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "fuzz_check.h"
#include "simulation/number_text.h"

namespace {

using ostrane::fuzz::Check;

// A finite value from raw bits. The explicit integer bit is set from the exponent, so that no
// pattern is one of the unnormals that x87 refuses as operands.
long double FiniteValue(const std::uint8_t* bytes) {
    std::uint64_t significand = 0;
    std::uint16_t signAndExponent = 0;
    std::memcpy(&significand, bytes, sizeof significand);
    std::memcpy(&signAndExponent, bytes + 8, sizeof signAndExponent);
    if ((signAndExponent & 0x7FFF) == 0x7FFF) {
        signAndExponent &= 0x8000 | 0x7FFE;  // infinity and NaN become the largest exponent
    }
    constexpr std::uint64_t kIntegerBit = std::uint64_t{1} << 63;
    significand =
        (signAndExponent & 0x7FFF) == 0 ? significand & ~kIntegerBit : significand | kIntegerBit;
    long double v = 0;
    std::memcpy(&v, &significand, sizeof significand);
    std::memcpy(reinterpret_cast<std::uint8_t*>(&v) + 8, &signAndExponent, sizeof signAndExponent);
    return v;
}

// The general form written from a digit string and its exponent, |v| = 0.D x 10^exponent.
std::string GeneralForm(bool negative, const std::string& digits, int exponent) {
    std::string text = negative ? "-" : "";
    const int count = static_cast<int>(digits.size());
    if (exponent > 15 || exponent < -3) {
        text += digits.substr(0, 1);
        if (count > 1) {
            text += "." + digits.substr(1);
        }
        return text + "E" + std::to_string(exponent - 1);
    }
    if (exponent <= 0) {
        return text + "0." + std::string(-exponent, '0') + digits;
    }
    if (count <= exponent) {
        return text + digits + std::string(exponent - count, '0');
    }
    return text + digits.substr(0, exponent) + "." + digits.substr(exponent);
}

// |v| = 0.D x 10^exponent with D of at most 15 digits, no trailing zero.
struct Rounded {
    bool negative;
    std::string digits;
    int exponent;
};

// 18 digits by printf, then rounded up on the sixteenth alone.
Rounded RoundedValue(long double v) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.17Le", std::fabs(v));  // d.ddddddddddddddddde+X
    std::string digits = std::string(1, buffer[0]) + std::string(buffer + 2, 14);
    int exponent = std::atoi(std::strchr(buffer, 'e') + 1) + 1;
    if (buffer[2 + 14] >= '5') {
        int i = 14;
        for (; i >= 0 && digits[i] == '9'; --i) {
            digits[i] = '0';
        }
        if (i < 0) {
            digits = "1";
            ++exponent;
        } else {
            ++digits[i];
        }
    }
    digits.erase(digits.find_last_not_of('0') + 1);
    return {std::signbit(v) != 0, digits, exponent};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 10) {
        return 0;
    }
    const long double v = FiniteValue(data);
    const std::string_view bits(reinterpret_cast<const char*>(data), 10);
    Check(std::isfinite(v), "the value under test is finite", bits);

    ostrane::SetDecimalSeparator('.');
    const std::string text = ostrane::RealToText(v);
    if (v == 0) {
        Check(text == "0", "zero of either sign is \"0\"", bits);
        return 0;
    }
    const Rounded rounded = RoundedValue(v);
    const std::string scientific =
        (rounded.negative ? "-0." : "0.") + rounded.digits + "e" + std::to_string(rounded.exponent);
    Check(std::strtold(text.c_str(), nullptr) == std::strtold(scientific.c_str(), nullptr),
          "the text reads back to the value rounded to 15 digits", bits);
    const std::string expected = GeneralForm(rounded.negative, rounded.digits, rounded.exponent);
    if (text != expected) {
        std::fprintf(stderr, "RealToText(%.21Lg) gave \"%s\", expected \"%s\"\n", v, text.c_str(),
                     expected.c_str());
        ostrane::fuzz::Broken("the general form of the rounded digits", bits);
    }

    ostrane::SetDecimalSeparator(',');
    std::string withComma = text;
    for (char& c : withComma) {
        c = c == '.' ? ',' : c;
    }
    Check(ostrane::RealToText(v) == withComma, "the separator is the only difference", bits);
    return 0;
}
