// TextToInt and TextToReal on arbitrary text, against a reading of the rules of its own: the text
// is cut into its pieces here, and the values come from std::from_chars and strtold rather than
// from digit-by-digit arithmetic.
#include <algorithm>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "fuzz_check.h"
#include "simulation/text_readers.h"

namespace {

using ostrane::fuzz::Check;

constexpr long double kUnit = 0x1p-64L;  // half an ulp of extended, relative
constexpr std::int64_t kMaxTen = 4932;   // the largest power of ten that extended holds

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

bool IsHexDigit(char c) {
    return IsDigit(c) || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

std::size_t BlanksEnd(std::string_view text) {
    const std::size_t first = text.find_first_not_of(' ');
    return first == std::string_view::npos ? text.size() : first;
}

// The longest run of characters from `start` that satisfy `fits`.
template <typename Fits>
std::string_view Run(std::string_view text, std::size_t start, Fits fits) {
    std::size_t end = start;
    while (end < text.size() && fits(text[end])) {
        ++end;
    }
    return text.substr(start, end - start);
}

std::string_view WithoutLeadingZeros(std::string_view digits) {
    const std::size_t first = digits.find_first_not_of('0');
    return first == std::string_view::npos ? std::string_view() : digits.substr(first);
}

// The digits' value, held at 2^31: the rules leave larger values to the reader, which holds
// them at the ends of the 32-bit range.
std::int64_t HeldValue(std::string_view digits, int base) {
    constexpr std::int64_t kCeiling = 2147483648;
    digits = WithoutLeadingZeros(digits);
    std::uint64_t value = 0;
    const auto result = std::from_chars(digits.data(), digits.data() + digits.size(), value, base);
    if (result.ec == std::errc::result_out_of_range || value > kCeiling) {
        return kCeiling;
    }
    return static_cast<std::int64_t>(value);
}

std::int32_t ExpectedInt(std::string_view text) {
    std::size_t i = BlanksEnd(text);
    bool complete = false;
    bool negative = false;
    std::int64_t value = 0;
    if (i < text.size() && text[i] == '$') {
        const std::string_view digits = Run(text, i + 1, IsHexDigit);
        complete = i + 1 + digits.size() == text.size();
        value = HeldValue(digits, 16);
    } else {
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
            negative = text[i] == '-';
            ++i;
        }
        const std::string_view digits = Run(text, i, IsDigit);
        complete = i + digits.size() == text.size();
        value = HeldValue(digits, 10);
    }
    if (complete && negative) {
        return static_cast<std::int32_t>(-value);
    }
    return static_cast<std::int32_t>(std::min<std::int64_t>(value, INT32_MAX));
}

// A real text cut into the pieces that the rules name.
struct RealPieces {
    bool negative = false;
    std::string mantissa;       // every mantissa digit, before and after the point: M
    std::int64_t fraction = 0;  // digits after the point: F
    std::int64_t exponent = 0;  // X, held at +-10^9 (far past any power of ten extended holds)
    bool complete = false;      // the whole text fits the form
    bool empty = false;         // nothing after blanks and sign
};

RealPieces CutReal(std::string_view text) {
    RealPieces pieces;
    std::size_t i = BlanksEnd(text);
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        pieces.negative = text[i] == '-';
        ++i;
    }
    if (i == text.size()) {
        pieces.empty = true;
        return pieces;
    }
    const std::string_view whole = Run(text, i, IsDigit);
    pieces.mantissa = whole;
    i += whole.size();
    if (i < text.size() && text[i] == '.') {
        const std::string_view fraction = Run(text, i + 1, IsDigit);
        pieces.mantissa += fraction;
        pieces.fraction = static_cast<std::int64_t>(fraction.size());
        i += 1 + fraction.size();
    }
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t j = i + 1;
        bool negativeExponent = false;
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) {
            negativeExponent = text[j] == '-';
            ++j;
        }
        const std::string_view digits = WithoutLeadingZeros(Run(text, j, IsDigit));
        const std::size_t runEnd = j + Run(text, j, IsDigit).size();
        if (runEnd == j) {
            return pieces;  // a mark without digits: stops at the mark
        }
        std::int64_t x = 0;
        if (digits.size() > 9) {
            x = 1000000000;
        } else {
            std::from_chars(digits.data(), digits.data() + digits.size(), x);
        }
        pieces.exponent = negativeExponent ? -x : x;
        i = runEnd;
    }
    pieces.complete = i == text.size();
    return pieces;
}

// strtold of an ASCII number: correctly rounded, and the program never leaves the "C" locale.
long double Decimal(const std::string& text) {
    return std::strtold(text.c_str(), nullptr);
}

// Whether `actual` is `expected` within `tolerance` relative; infinities must match exactly.
bool Near(long double actual, long double expected, long double tolerance) {
    if (std::isinf(expected) || std::isinf(actual)) {
        return actual == expected;
    }
    return std::fabs(actual - expected) <= tolerance * std::fabs(expected);
}

void CheckReal(std::string_view text) {
    long double actual = 0;
    try {
        actual = ostrane::TextToReal(text);
    } catch (...) {
        ostrane::fuzz::Broken("TextToReal threw", text);
    }
    Check(!std::isnan(actual), "TextToReal gave NaN", text);
    const RealPieces pieces = CutReal(text);
    if (pieces.empty) {
        Check(actual == 0, "nothing to read reads as 0", text);
        return;
    }
    const std::string digits(WithoutLeadingZeros(pieces.mantissa));
    // M gathered digit by digit in extended is exact up to 19 digits; beyond, each digit may add
    // a rounding of half an ulp, and strtold's own rounding one more.
    const long double gatheringError =
        digits.size() <= 19 ? 0 : (static_cast<long double>(digits.size()) + 2) * kUnit;
    const long double m = digits.empty() ? 0 : Decimal(digits);
    if (!pieces.complete) {
        Check(Near(actual, m, gatheringError), "a partial read gives M alone", text);
        return;
    }
    const std::int64_t scale = pieces.exponent - pieces.fraction;
    if (digits.empty()) {
        Check(actual == 0, "a mantissa of zeros reads as 0", text);
        return;
    }
    Check(std::signbit(actual) == pieces.negative, "the sign of a complete read", text);
    if (static_cast<std::int64_t>(digits.size()) > kMaxTen ||
        (scale < 0 ? -scale : scale) > kMaxTen) {
        return;  // M or the power of ten is beyond extended: the rules say nothing more
    }
    long double expected = Decimal(digits + "e" + std::to_string(scale));
    if (pieces.negative) {
        expected = -expected;
    }
    if (std::fabs(expected) < LDBL_MIN) {
        // Below the normal range precision thins out; the reader only has to stay down there.
        Check(std::fabs(actual) < LDBL_MIN, "a value below the normal range", text);
        return;
    }
    // Up to 10^4932 the power of ten takes 12 squarings, each doubling the error before it, and
    // 13 products: about 520 half-ulps at worst, still far below one wrong digit.
    const long double powerError = 1024 * kUnit;
    if (std::isinf(expected) || std::fabs(expected) > LDBL_MAX / 2) {
        Check(std::isinf(actual) || std::fabs(actual) > LDBL_MAX / 4,
              "a value beyond extended overflows", text);
        return;
    }
    Check(Near(actual, expected, gatheringError + powerError + kUnit),
          "a complete read gives M x 10^(X - F)", text);
}

void CheckInt(std::string_view text) {
    std::int32_t actual = 0;
    try {
        actual = ostrane::TextToInt(text);
    } catch (...) {
        ostrane::fuzz::Broken("TextToInt threw", text);
    }
    Check(actual == ExpectedInt(text), "TextToInt reads the rules' value", text);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    CheckInt(text);
    CheckReal(text);
    return 0;
}
