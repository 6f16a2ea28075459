// Reading the leading number of a text: decimal with a point and an exponent, or &H and &O
// literals, blanks skipped anywhere. Pure and safe on any bytes.
#include "tools/textnumber.hpp"

#include "app/numeric.hpp"
#include "tools/decimaldigits.hpp"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <string>

namespace wh {

namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();

// A double is decided by its first 768 significant decimal digits and by whether any nonzero
// digit follows them, so longer runs keep this many and a single sticky 1 for the rest.
constexpr size_t kMaxSignificantDigits = 800;
// A written exponent beyond this already decides the value for any text that fits in memory;
// capping it keeps the scale sums far from overflowing.
constexpr int64_t kExponentCap = int64_t{1} << 50;
// With the value written as 0.ddd x 10^scale, a larger scale is beyond the largest double
// (about 1.8 x 10^308) and a smaller one below half the smallest denormal (about 4.9 x 10^-324).
constexpr int64_t kOverflowScale = 310;
constexpr int64_t kUnderflowScale = -330;

constexpr int kHexRadix = 16;
constexpr int kOctalRadix = 8;
constexpr int kHexDigitBits = 4;
constexpr int kOctalDigitBits = 3;
constexpr int kKeptBits = 64;
// Any nonzero kept bits shifted this far are past the largest double (below 2^1024); the cap
// keeps a shift from an endless run of digits within an int.
constexpr int64_t kRadixShiftCap = 2048;
constexpr int kDecimalRadix = 10;

// Walks the text, stepping over blanks, tabs and line feeds wherever they stand.
class Cursor {
public:
    explicit Cursor(std::string_view text) : text_(text) {}

    // The next byte that is not skipped, or '\0' at the end (which continues nothing).
    char peek() {
        while (pos_ < text_.size() && isSkipped(text_[pos_])) {
            ++pos_;
        }
        return pos_ < text_.size() ? text_[pos_] : '\0';
    }
    void advance() { ++pos_; }

private:
    static bool isSkipped(char c) { return c == ' ' || c == '\t' || c == '\n'; }

    std::string_view text_;
    size_t pos_ = 0;
};

// The value of one digit in the radix, or -1 when the byte is not such a digit.
int digitValue(char c, int radix) {
    int v = -1;
    if (c >= '0' && c <= '9') {
        v = c - '0';
    } else if (c >= 'A' && c <= 'F') {
        v = c - 'A' + 10;
    } else if (c >= 'a' && c <= 'f') {
        v = c - 'a' + 10;
    }
    return v < radix ? v : -1;
}

// The digits after &H or &O, as their plain value correctly rounded to a double. The leading
// bits are kept exactly while they fit 64 bits; each later digit only shifts the value left and
// leaves a sticky bit when nonzero, which is all the rounding needs, since the kept bits already
// reach far below a double's 53.
double readRadix(Cursor& c, int radix) {
    const int digitBits = radix == kHexRadix ? kHexDigitBits : kOctalDigitBits;
    const uint64_t roomLimit = uint64_t{1} << (kKeptBits - digitBits);
    uint64_t kept = 0;
    int64_t shift = 0; // bits of the digits past the kept ones
    bool sticky = false;
    for (int d = digitValue(c.peek(), radix); d >= 0; d = digitValue(c.peek(), radix)) {
        c.advance();
        if (kept < roomLimit) {
            kept = (kept << digitBits) | static_cast<uint64_t>(d);
        } else {
            shift = std::min<int64_t>(shift + digitBits, kRadixShiftCap);
            sticky = sticky || d != 0;
        }
    }
    const double top = static_cast<double>(kept | (sticky ? 1 : 0)); // rounds once, to even
    return std::ldexp(top, static_cast<int>(shift)); // exact, or infinity past the largest double
}

// Digits with at most one point, then an optional exponent; converted correctly rounded.
double readDecimal(Cursor& c) {
    std::string digits;   // significant digits, the first one nonzero
    bool dropped = false; // a nonzero digit past the kept ones
    int64_t scale = 0;    // the value is 0.digits x 10^scale
    bool seenPoint = false;
    bool seenDigit = false;
    for (char ch = c.peek();; ch = c.peek()) {
        if (ch == '.' && !seenPoint) {
            seenPoint = true;
            c.advance();
            continue;
        }
        if (digitValue(ch, kDecimalRadix) < 0) {
            break;
        }
        c.advance();
        seenDigit = true;
        if (digits.empty() && ch == '0') {
            if (seenPoint) {
                --scale; // a zero between the point and the first significant digit
            }
            continue;
        }
        if (!seenPoint) {
            ++scale;
        }
        if (digits.size() < kMaxSignificantDigits) {
            digits.push_back(ch);
        } else if (ch != '0') {
            dropped = true;
        }
    }
    if (!seenDigit) {
        return 0.0;
    }

    const char e = c.peek();
    if (e == 'E' || e == 'e') {
        c.advance();
        bool negative = false;
        const char sign = c.peek();
        if (sign == '+' || sign == '-') {
            negative = sign == '-';
            c.advance();
        }
        int64_t exponent = 0;
        for (int d = digitValue(c.peek(), kDecimalRadix); d >= 0;
             d = digitValue(c.peek(), kDecimalRadix)) {
            c.advance();
            exponent = std::min(exponent * kDecimalRadix + d, kExponentCap);
        }
        scale += negative ? -exponent : exponent;
    }

    if (digits.empty()) {
        return 0.0; // only zeros
    }
    if (scale > kOverflowScale) {
        return kInfinity;
    }
    if (scale < kUnderflowScale) {
        return 0.0;
    }
    if (dropped) {
        digits.push_back('1');
    }
    return decimalDigitsValue(digits, static_cast<int>(scale));
}

} // namespace

double readNumber(std::string_view text) {
    Cursor c(text);
    bool negative = false;
    char ch = c.peek();
    if (ch == '+' || ch == '-') {
        negative = ch == '-';
        c.advance();
        ch = c.peek();
    }

    double value = 0.0;
    if (ch == '&') {
        c.advance();
        const char kind = c.peek();
        if (kind == 'H' || kind == 'h') {
            c.advance();
            value = readRadix(c, kHexRadix);
        } else if (kind == 'O' || kind == 'o') {
            c.advance();
            value = readRadix(c, kOctalRadix);
        }
    } else {
        value = readDecimal(c);
    }
    // No negative zero: "-0" reads as plain 0.
    return negative && value != 0.0 ? -value : value;
}

int16_t readField16(std::string_view text) {
    return nearest16(readNumber(text));
}

int32_t readField32(std::string_view text) {
    return nearest32(readNumber(text));
}

} // namespace wh
