#include "number_text.h"

#include <array>
#include <charconv>
#include <cmath>
#include <string_view>

namespace ostrane {

namespace {

char gDecimalSeparator = '.';

constexpr int kRoundedDigits = 18;
constexpr int kShownDigits = 15;

// |v| rounded to 18 significant digits as digits[0..17] with |v| ~ 0.d1...d18 x 10^exponent.
struct EighteenDigits {
    std::array<char, kRoundedDigits> digits;
    int exponent;
};

EighteenDigits RoundTo18Digits(long double magnitude) {
    // "d.ddddddddddddddddde-XXXX": std::to_chars rounds the exact binary value correctly and writes
    // no locale-dependent character.
    std::array<char, 48> buffer;
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), magnitude,
                                      std::chars_format::scientific, kRoundedDigits - 1);
    const std::string_view text(buffer.data(), result.ptr - buffer.data());
    EighteenDigits out{};
    out.digits[0] = text[0];
    for (int i = 1; i < kRoundedDigits; ++i) {
        out.digits[i] = text[i + 1];  // past the point
    }
    const std::size_t mark = text.find('e');
    int scientific = 0;
    const char* first = text.data() + mark + 1;
    if (*first == '+') {
        ++first;
    }
    std::from_chars(first, text.data() + text.size(), scientific);
    out.exponent = scientific + 1;
    return out;
}

}  // namespace

char DecimalSeparator() {
    return gDecimalSeparator;
}

void SetDecimalSeparator(char separator) {
    gDecimalSeparator = separator;
}

std::string IntToText(std::int32_t n) {
    std::array<char, 12> buffer;
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), n);
    return std::string(buffer.data(), result.ptr);
}

std::string RealToText(long double v) {
    if (v == 0.0L) {
        return "0";
    }
    if (std::isnan(v)) {
        return "NAN";
    }
    if (std::isinf(v)) {
        return v < 0 ? "-INF" : "INF";
    }
    EighteenDigits rounded = RoundTo18Digits(std::fabs(v));

    // Only the sixteenth digit decides; digits 17 and 18 are ignored.
    std::string digits(rounded.digits.data(), kShownDigits);
    int exponent = rounded.exponent;
    if (rounded.digits[kShownDigits] >= '5') {
        int i = kShownDigits - 1;
        while (i >= 0 && digits[i] == '9') {
            digits[i] = '0';
            --i;
        }
        if (i >= 0) {
            ++digits[i];
        } else {
            digits.insert(digits.begin(), '1');
            digits.pop_back();
            ++exponent;
        }
    }
    digits.erase(digits.find_last_not_of('0') + 1);

    std::string text;
    if (v < 0) {
        text += '-';
    }
    const int count = static_cast<int>(digits.size());
    if (exponent >= -3 && exponent <= 15) {
        if (exponent >= 1) {
            if (count <= exponent) {
                text += digits;
                text.append(exponent - count, '0');
            } else {
                text.append(digits, 0, exponent);
                text += gDecimalSeparator;
                text.append(digits, exponent);
            }
        } else {
            text += '0';
            text += gDecimalSeparator;
            text.append(-exponent, '0');
            text += digits;
        }
    } else {
        text += digits[0];
        if (count > 1) {
            text += gDecimalSeparator;
            text.append(digits, 1);
        }
        text += 'E';
        text += IntToText(exponent - 1);
    }
    return text;
}

}  // namespace ostrane
