// Lenient readers of entered text. They never fail: a text that does not read as a number, or only
// partly, gives the value of what was read before the first character that does not fit.
#pragma once

#include <cstdint>
#include <string_view>

namespace ostrane {

// Leading blanks (code 32), then "$" and hexadecimal digits, or an optional sign and decimal
// digits. Stopping early gives the digits read so far without the sign: "-12x" is 12. Values
// beyond the 32-bit range are held at its ends.
std::int32_t TextToInt(std::string_view text);

// Leading blanks, an optional sign, digits with an optional "." (never the locale's separator),
// an optional exponent. A complete text gives M x 10^(X - F) negated after "-"; stopping early
// gives the gathered digits M alone, positive and unscaled: "2.5x" is 25.
long double TextToReal(std::string_view text);

}  // namespace ostrane
