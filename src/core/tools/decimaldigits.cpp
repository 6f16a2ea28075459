// Decimal digits to the nearest double, with one way through std::from_chars and one through
// strtod for the libraries that lack from_chars for double.
#include "tools/decimaldigits.hpp"

#include <charconv>
#include <cstdlib>
#include <limits>
#include <string>
#include <system_error>

namespace wh {

namespace {

// The digits as an integer literal with an exponent: "123e-5" for 0.123 x 10^-2. With no decimal
// point in it, strtod reads it alike under every locale.
std::string integerLiteral(std::string_view digits, int scale) {
    const int exponent = scale - static_cast<int>(digits.size());
    std::string literal(digits);
    literal += 'e';
    literal += std::to_string(exponent);
    return literal;
}

} // namespace

double decimalDigitsValueByStrtod(std::string_view digits, int scale) {
    const std::string literal = integerLiteral(digits, scale);
    // Out of range, strtod gives infinity or 0 (or the nearest denormal), which is the value.
    return std::strtod(literal.c_str(), nullptr);
}

double decimalDigitsValue(std::string_view digits, int scale) {
#if defined(__cpp_lib_to_chars)
    const std::string literal = integerLiteral(digits, scale);
    double value = 0.0;
    const auto result = std::from_chars(literal.data(), literal.data() + literal.size(), value);
    if (result.ec == std::errc::result_out_of_range) {
        // A denormal is in range; out of range is past the largest double or below half the
        // smallest denormal, and only a value at least 1 can be the former.
        return scale > 0 ? std::numeric_limits<double>::infinity() : 0.0;
    }
    return result.ec == std::errc{} ? value : 0.0;
#else
    return decimalDigitsValueByStrtod(digits, scale);
#endif
}

} // namespace wh
