// The texts of numbers that the program shows and writes. These are the only number-to-text
// conversions, so a number reads the same in the window and in the results file.
#pragma once

#include <cstdint>
#include <string>

namespace ostrane {

// Plain decimal, a minus sign for negatives, no separators.
std::string IntToText(std::int32_t n);

// The general form with at most 15 significant digits: the value is first rounded to 18 digits,
// then the sixteenth digit alone decides the fifteenth. Fixed form for 0.0001 <= |v| < 1E15
// (after rounding), otherwise "d.dddE-x". Uses DecimalSeparator() and never the C locale.
std::string RealToText(long double v);

// The program-wide decimal separator of RealToText; "." until set.
char DecimalSeparator();
void SetDecimalSeparator(char separator);

}  // namespace ostrane
