// The nearest double to a run of decimal digits at a power of ten: through std::from_chars where
// the standard library has its double overload, through strtod where it has not (the browser's).
#pragma once

#include <string_view>

namespace wh {

// The nearest double to 0.digits x 10^scale, ties to even; infinity above the largest double and
// 0 below half the smallest denormal. The digits are '0' to '9' only, at most a few thousand.
double decimalDigitsValue(std::string_view digits, int scale);

// The same through strtod alone. Both ways round correctly, so they agree to the bit; the tests
// hold them to one another wherever the library has both.
double decimalDigitsValueByStrtod(std::string_view digits, int scale);

} // namespace wh
