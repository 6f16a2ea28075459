// The hostile texts are built from a few families: edge values of the fields and of a double,
// long digit runs, &H and &O literals of any length, exponents, blanks and raw bytes, and
// concatenations of those, so a reader meets each trap alone and in company.
#include "nasty.hpp"

#include <string_view>

namespace wh::soak {

namespace {

using namespace std::string_view_literals;

// Texts that sit on an edge of the 16-bit or 32-bit fields, of a double, or of the grammar.
constexpr std::string_view kEdges[] = {
    ""sv,
    " "sv,
    "\t"sv,
    "\n"sv,
    "\r"sv,
    "\r\n"sv,
    "   \t  "sv,
    "+"sv,
    "-"sv,
    "."sv,
    "-."sv,
    "e"sv,
    "E5"sv,
    "&"sv,
    "&H"sv,
    "&h"sv,
    "&O"sv,
    "&o"sv,
    "&HFFFF"sv,
    "&H8000"sv,
    "&H7FFF"sv,
    "&hffffffff"sv,
    "&H80000000"sv,
    "&H100000000"sv,
    "&HFFFFFFFFFFFFFFFF"sv,
    "&O177777"sv,
    "&o37777777777"sv,
    "-&HFFFF"sv,
    "+&H1"sv,
    "&H-1"sv,
    "&HG"sv,
    "&O8"sv,
    "1e400"sv,
    "-1e400"sv,
    "1e-400"sv,
    "-1e-400"sv,
    "1E308"sv,
    "1.7976931348623157e308"sv,
    "1.7976931348623159e308"sv,
    "4.9e-324"sv,
    "2.4703282292062327e-324"sv,
    "32767"sv,
    "32768"sv,
    "-32768"sv,
    "-32769"sv,
    "65535"sv,
    "65536"sv,
    "2147483647"sv,
    "2147483648"sv,
    "-2147483648"sv,
    "-2147483649"sv,
    "4294967296"sv,
    "9223372036854775807"sv,
    "9223372036854775808"sv,
    "18446744073709551616"sv,
    "0.5"sv,
    "1.5"sv,
    "2.5"sv,
    "-0.5"sv,
    "-2.5"sv,
    "-0"sv,
    "32767.5"sv,
    "-32768.5"sv,
    "32766.5"sv,
    "2147483647.5"sv,
    "-2147483648.5"sv,
    "1e"sv,
    "1e+"sv,
    "1e-"sv,
    "1.2.3"sv,
    "--1"sv,
    "+-1"sv,
    "-+1"sv,
    "1 2"sv,
    " 1 5 0 0 "sv,
    "\t-\t3"sv,
    "1\r2"sv,
    "0x1F"sv,
    "nan"sv,
    "NaN"sv,
    "inf"sv,
    "-Infinity"sv,
    "1d3"sv,
    "1,5"sv,
    "12abc"sv,
    "\xC3\xA9"sv,
    "\xFF\xFE"sv,
    "\x80"sv,
    "1\0002"sv,
    "\0"sv,
    "&H\xFF"sv,
    "\xD9\xA1\xD9\xA2"sv, // Arabic-Indic digits one and two
    "\xEF\xBC\x95"sv,     // a full-width five
};

constexpr std::string_view kDecimalDigits = "0123456789";
constexpr std::string_view kHexDigits = "0123456789abcdefABCDEF";
constexpr std::string_view kOctalDigits = "01234567";
constexpr std::string_view kSigns[] = {""sv, ""sv, "-"sv, "+"sv, " - "sv};

constexpr int kLongRun = 1200; // digits: past every double, not so long the soak crawls
constexpr int kShortRun = 40;  // digits in an ordinary overflowing number
constexpr int kWideExponent = 99999;
constexpr int kMaxRawBytes = 40;
constexpr int kMaxPieces = 4;
constexpr int kPlainSpan = 300;             // a plain number lies in -300 .. 300
constexpr int kPlainBatch = 12;             // rocks in an ordinary batch
constexpr uint32_t kHostileBatchOneIn = 20; // a table full of heavy rocks is slow to draw

std::string digits(SoakRng& rng, std::string_view from, int count) {
    std::string s;
    s.reserve(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
        s += from[rng.below(static_cast<uint32_t>(from.size()))];
    }
    return s;
}

int runLength(SoakRng& rng) {
    return rng.oneIn(8) ? static_cast<int>(rng.between(1, kLongRun))
                        : static_cast<int>(rng.between(1, kShortRun));
}

std::string longNumber(SoakRng& rng) {
    std::string s(rng.pick(kSigns));
    if (rng.oneIn(3)) {
        s += std::string(static_cast<size_t>(rng.between(1, kShortRun)), '0'); // leading zeros
    }
    s += digits(rng, kDecimalDigits, runLength(rng));
    if (rng.oneIn(2)) {
        s += '.';
        s += digits(rng, kDecimalDigits, runLength(rng));
    }
    return s;
}

std::string radixLiteral(SoakRng& rng) {
    std::string s(rng.pick(kSigns));
    const bool hex = rng.oneIn(2);
    s += '&';
    s += hex ? (rng.oneIn(2) ? 'H' : 'h') : (rng.oneIn(2) ? 'O' : 'o');
    s += digits(rng, hex ? kHexDigits : kOctalDigits, runLength(rng));
    return s;
}

std::string withExponent(SoakRng& rng) {
    std::string s(rng.pick(kSigns));
    s += std::to_string(rng.between(0, 999));
    if (rng.oneIn(2)) {
        s += "." + std::to_string(rng.between(0, 99999));
    }
    s += rng.oneIn(2) ? 'e' : 'E';
    constexpr std::string_view kExponentSigns[] = {""sv, "+"sv, "-"sv, " "sv};
    s += rng.pick(kExponentSigns);
    s += std::to_string(rng.oneIn(4) ? rng.between(0, kWideExponent) : rng.between(0, 400));
    return s;
}

std::string rawBytes(SoakRng& rng) {
    std::string s;
    const auto n = rng.between(0, kMaxRawBytes);
    for (int64_t i = 0; i < n; ++i) {
        s += static_cast<char>(rng.below(256));
    }
    return s;
}

std::string onePiece(SoakRng& rng) {
    switch (rng.below(6)) {
    case 0:
        return std::string(rng.pick(kEdges));
    case 1:
        return longNumber(rng);
    case 2:
        return radixLiteral(rng);
    case 3:
        return withExponent(rng);
    case 4:
        return rawBytes(rng);
    default: {
        // Drawn one after the other: the operands of + may be evaluated in either order.
        std::string first(rng.pick(kEdges));
        return first + std::string(rng.pick(kEdges));
    }
    }
}

} // namespace

std::string nastyText(SoakRng& rng) {
    std::string s = onePiece(rng);
    if (rng.oneIn(4)) {
        const auto more = rng.between(1, kMaxPieces - 1);
        for (int64_t i = 0; i < more; ++i) {
            s += onePiece(rng);
        }
    }
    return s;
}

std::string panelText(SoakRng& rng) {
    if (rng.oneIn(2)) {
        return std::to_string(rng.between(-kPlainSpan, kPlainSpan));
    }
    return nastyText(rng);
}

std::string numberText(SoakRng& rng) {
    if (!rng.oneIn(kHostileBatchOneIn)) {
        return std::to_string(rng.between(0, kPlainBatch));
    }
    return nastyText(rng);
}

} // namespace wh::soak
