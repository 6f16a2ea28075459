// The numeric reading of a text box: the leading number, blanks skipped anywhere, &H and &O
// literals, garbage and huge inputs read safely, and the rounded, clamped store into a field.
#include "tools/textnumber.hpp"

#include "app/rng.hpp"
#include "tools/decimaldigits.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

namespace wh {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

struct ReadingCase {
    std::string text;
    double expected;
};

void expectReadings(const std::vector<ReadingCase>& cases) {
    for (const ReadingCase& c : cases) {
        EXPECT_EQ(readNumber(c.text), c.expected) << '"' << c.text << '"';
    }
}

TEST(TextNumber, DecimalNumbersWithSignPointAndExponent) {
    expectReadings({
        {"100", 100},
        {"2.5", 2.5},
        {"1e2", 100},
        {"1E2", 100},
        {"-1", -1},
        {"+7", 7},
        {".5", 0.5},
        {"5.", 5},
        {"0.1", 0.1},
        {"-0.25", -0.25},
        {"1E-2", 0.01},
        {"2.5e+1", 25},
        {"007", 7},
        {"0.000125", 0.000125},
        {"12345678901234567890", 12345678901234567890.0},
    });
}

TEST(TextNumber, BlanksTabsAndLineFeedsAreSkippedWhereverTheyStand) {
    expectReadings({
        {" 4x", 4},
        {"1 2 3", 123},
        {"\t-\n 1 . 5", -1.5},
        {"1 e 2", 100},
        {"2e - 1", 0.2},
        {"  ", 0},
        {"- 5", -5},
        {"& H F F", 255},
    });
}

TEST(TextNumber, ReadingStopsAtTheFirstByteThatCannotContinue) {
    expectReadings({
        {"", 0},
        {"abc", 0},
        {"x5", 0},
        {"e5", 0},
        {"12abc", 12},
        {"1.2.3", 1.2},
        {"1,000", 1},
        {"$5", 0},
        {".", 0},
        {"-", 0},
        {"--5", 0},
        {"+-5", 0},
        {"1e", 1},
        {"1e+", 1},
        {"1e+x3", 1},
        {"3d2", 3},   // only E or e starts an exponent
        {"\r5", 0},   // a carriage return is not skipped
        {"5\r\n", 5}, // so a pasted line ending just ends the number
        {"\xC2\xA0"
         "5",
         0}, // a no-break space is a foreign byte, not a blank
        {"5\xFF", 5},
        {"\xD9\xA3", 0}, // a digit of another script is not a digit
        {std::string("5\0"
                     "6",
                     3),
         5},
        {"-0", 0},
    });
    EXPECT_FALSE(std::signbit(readNumber("-0")));
}

TEST(TextNumber, HexAndOctalReadAsTheirPlainValues) {
    expectReadings({
        {"&HFF", 255},
        {"&hff", 255},
        {"&Hff", 255},
        {"&H7FFF", 32767},
        {"&H8000", 32768}, // never a narrow two's-complement -32768
        {"&HFFFF", 65535},
        {"&H0000FFFF", 65535},
        {"&H10000", 65536},
        {"&H7FFFFFFF", 2147483647},
        {"&H80000000", 2147483648.0},
        {"&HFFFFFFFF", 4294967295.0},
        {"&H100000000", 4294967296.0},
        {"&HFFFFFFFFFFFFFFFF", 18446744073709551615.0}, // 2^64 - 1 rounds up to 2^64
        {"&HE5", 229},                                  // E is a hex digit here, not an exponent
        {"&H1.5", 1},
        {"&HFG", 15},
        {"&H", 0},
        {"&HG", 0},
        {"&O17", 15},
        {"&o777", 511},
        {"&O177777", 65535},
        {"&O100000", 32768},
        {"&O37777777777", 4294967295.0},
        {"&O18", 1},
        {"&OA", 0},
        {"-&HFF", -255},
        {"-&HFFFF", -65535},
        {"-&H8000", -32768},
        {"&", 0},
        {"&X5", 0},
        {"&5", 0},
    });
}

// Past the 64 bits read exactly, each digit still counts: it scales the value and, when nonzero,
// tips a rounding tie up. Leading zeros of any number count for nothing.
TEST(TextNumber, LongHexAndOctalRunsAreReadCorrectlyRounded) {
    // 2^53 - 1 shifted to the top of a double: the largest double, 0x1FFFFFFFFFFFFF x 2^971,
    // written as 0xFFFFFFFFFFFFF8 followed by 242 hex zeros.
    const std::string zeros242(242, '0');
    const double largest = std::numeric_limits<double>::max();
    expectReadings({
        // 2^53 + 1 lies halfway between two doubles: the tie goes to the even 2^53 ...
        {"&H20000000000001", 9007199254740992.0},
        // ... and 2^53 + 3 to the even 2^53 + 4 ...
        {"&H20000000000003", 9007199254740996.0},
        // ... and so does it with ten zeros after it, scaled by 2^40, ...
        {"&H20000000000001" + std::string(10, '0'), std::ldexp(9007199254740992.0, 40)},
        // ... but a nonzero digit past the 64 bits read exactly tips the tie up.
        {"&H20000000000001" + std::string(10, '0') + "1", std::ldexp(9007199254740994.0, 44)},
        {"&H" + std::string(1000, '0') + "FF", 255},
        {"&O" + std::string(1000, '0') + "17", 15},
        {"&O1" + std::string(300, '0'), std::ldexp(1.0, 900)},
        {"&O1" + std::string(400, '0'), kInf},
        {"&HFFFFFFFFFFFFF8" + zeros242, largest},
        // Half an ulp above the largest double ties to the even side, which is past it.
        {"&HFFFFFFFFFFFFFC" + zeros242, kInf},
        {"&HFFFFFFFFFFFFFBFF" + std::string(240, '0'), largest},
        {"&H1" + std::string(100000, '0'), kInf},
    });
}

TEST(TextNumber, HugeInputsGiveInfinityOrZeroNeverGarbage) {
    const std::string zeros1000(1000, '0');
    expectReadings({
        {"1e400", kInf},
        {"-1e400", -kInf},
        {"1e-400", 0},
        {"1e308", 1e308},
        {"1e99999999999999999999999999999", kInf},
        {"1e-99999999999999999999999999999", 0},
        {std::string(400, '9'), kInf},
        {"1" + zeros1000, kInf},
        {"0." + zeros1000 + "1", 0},
        {"&H" + std::string(300, 'F'), kInf},
        {"-&H" + std::string(300, 'F'), -kInf},
    });
    EXPECT_GT(readNumber("&H" + std::string(20, 'F')), 1e24);
}

// The scale of a long digit run and its exponent meet before the value is formed, and digits
// far past the first hundreds still decide a rounding tie.
TEST(TextNumber, LongDigitRunsAreReadExactly) {
    const std::string zeros2000(2000, '0');
    expectReadings({
        {"1" + zeros2000 + "e-2000", 1},
        {"0." + zeros2000 + "5e2001", 5},
        {"0." + std::string(300, '0') + "1e600", 1e299},
        {std::string(5000, '0') + "42", 42},
        // 2^53 + 1 lies halfway between two doubles: the tie goes to the even 2^53 ...
        {"9007199254740993", 9007199254740992.0},
        // ... but a nonzero digit a thousand places later tips it up.
        {"9007199254740993." + std::string(1000, '0') + "1", 9007199254740994.0},
        {"9007199254740993." + std::string(1000, '0'), 9007199254740992.0},
    });
}

// The kept digits become a double one of two ways, as the library allows; both must give the
// correctly rounded double, so a reading is the same on every build of the game.
TEST(TextNumber, BothWaysOfConvertingDigitsGiveTheNearestDouble) {
    struct DigitsCase {
        std::string digits;
        int scale; // the value is 0.digits x 10^scale
        double expected;
    };
    const double largest = std::numeric_limits<double>::max();
    const double smallest = std::numeric_limits<double>::denorm_min();
    const std::vector<DigitsCase> cases = {
        {"1", 0, 0.1},
        {"125", -3, 0.000125},
        {"42", 2, 42},
        {"9007199254740993", 16, 9007199254740992.0}, // a tie goes to the even side
        {"9007199254740995", 16, 9007199254740996.0},
        {"90071992547409930000000000000000000001", 16, 9007199254740994.0},
        {"17976931348623157", 309, largest},
        {"17976931348623159", 309, kInf},
        {"22250738585072014", -307, std::numeric_limits<double>::min()},
        {"49406564584124654", -323, smallest},
        {"24703282292062328", -323, smallest}, // just above half the smallest denormal
        {"24703282292062327", -323, 0},        // just below it
        {"1", -400, 0},
        {"1", 400, kInf},
    };
    for (const DigitsCase& c : cases) {
        EXPECT_EQ(decimalDigitsValue(c.digits, c.scale), c.expected) << c.digits << " " << c.scale;
        EXPECT_EQ(decimalDigitsValueByStrtod(c.digits, c.scale), c.expected)
            << c.digits << " " << c.scale;
    }

    // Random digit runs across the whole range of doubles, denormals and both overflows.
    constexpr int kRuns = 20000;
    constexpr int kMaxDigits = 40;
    constexpr int kLowestScale = -340;
    constexpr int kScaleSpan = 660;
    Rng rng;
    rng.seed(7);
    for (int k = 0; k < kRuns; ++k) {
        const auto length = static_cast<int>(1 + rng.next32() % kMaxDigits);
        std::string digits(1, static_cast<char>('1' + rng.next32() % 9));
        while (static_cast<int>(digits.size()) < length) {
            digits.push_back(static_cast<char>('0' + rng.next32() % 10));
        }
        const int scale = kLowestScale + static_cast<int>(rng.next32() % kScaleSpan);
        ASSERT_EQ(decimalDigitsValue(digits, scale), decimalDigitsValueByStrtod(digits, scale))
            << digits << " " << scale;
    }
}

TEST(TextNumber, StoreIntoAFieldRoundsHalfToEvenAndClamps) {
    struct FieldCase {
        std::string text;
        int16_t field16;
        int32_t field32;
    };
    const std::vector<FieldCase> cases = {
        {"2.5", 2, 2},
        {"3.5", 4, 4},
        {"-2.5", -2, -2},
        {"-3.5", -4, -4},
        {"0.5", 0, 0},
        {"1.5", 2, 2},
        {"2.4999", 2, 2},
        {"40000", 32767, 40000},
        {"-40000", -32768, -40000},
        {"32767.5", 32767, 32768},
        {"-32768.5", -32768, -32768},
        {"3e9", 32767, 2147483647},
        {"-3e9", -32768, -2147483647 - 1},
        {"2147483647.5", 32767, 2147483647},
        {"1e400", 32767, 2147483647},
        {"-1e400", -32768, -2147483647 - 1},
        {"&HFFFF", 32767, 65535},
        {"&H8000", 32767, 32768},
        {"&H7FFF", 32767, 32767},
        {"-&H8000", -32768, -32768},
        {"&O177777", 32767, 65535},
        {"&H10000", 32767, 65536},
        {"&HFFFFFFFF", 32767, 2147483647},
        {"&H100000000", 32767, 2147483647},
        {"-&HFFFFFFFF", -32768, -2147483647 - 1},
        {"abc", 0, 0},
        {"", 0, 0},
    };
    for (const FieldCase& c : cases) {
        EXPECT_EQ(readField16(c.text), c.field16) << '"' << c.text << '"';
        EXPECT_EQ(readField32(c.text), c.field32) << '"' << c.text << '"';
    }
}

} // namespace
} // namespace wh
