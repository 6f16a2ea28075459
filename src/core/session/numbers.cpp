// Numbers through std::from_chars: no locale, no leading blanks or plus sign, no partial reads.
#include "session/numbers.hpp"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace wh::session {

namespace {

std::string rangeText(int64_t lo, int64_t hi) {
    return std::to_string(lo) + " to " + std::to_string(hi);
}

} // namespace

// Appended piece by piece: GCC 12 warns falsely about a chain of string additions here.
std::string quoted(std::string_view word) {
    std::string q;
    q.reserve(word.size() + 2);
    q += '\'';
    for (const char c : word) {
        const auto u = static_cast<unsigned char>(c);
        if (u < 0x20 || u == 0x7F) {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02x", static_cast<unsigned>(u));
            q += hex;
        } else {
            q += c;
        }
    }
    q += '\'';
    return q;
}

std::string readInteger(std::string_view what, std::string_view word, int64_t lo, int64_t hi,
                        int64_t& out) {
    int64_t v = 0;
    const char* end = word.data() + word.size();
    const auto [ptr, ec] = std::from_chars(word.data(), end, v);
    if (ec == std::errc::result_out_of_range ||
        (ec == std::errc() && ptr == end && (v < lo || v > hi))) {
        return std::string(what) + " must be " + rangeText(lo, hi) + ", got " + quoted(word);
    }
    if (ec != std::errc() || ptr != end || word.empty()) {
        return std::string(what) + " must be a whole number, got " + quoted(word);
    }
    out = v;
    return {};
}

std::string readReal(std::string_view what, std::string_view word, double limit, double& out) {
    double v = 0;
    const char* end = word.data() + word.size();
    const auto [ptr, ec] = std::from_chars(word.data(), end, v, std::chars_format::general);
    if (ec == std::errc::result_out_of_range ||
        (ec == std::errc() && ptr == end && std::isfinite(v) && std::fabs(v) > limit)) {
        return std::string(what) + " is out of range, got " + quoted(word);
    }
    if (ec != std::errc() || ptr != end || word.empty() || !std::isfinite(v)) {
        return std::string(what) + " must be a number, got " + quoted(word);
    }
    out = v;
    return {};
}

std::string readSeed(std::string_view word, uint64_t& out) {
    const bool negative = !word.empty() && word.front() == '-';
    const std::string_view digits = negative ? word.substr(1) : word;
    if (digits.empty() || digits.find_first_not_of("0123456789") != std::string_view::npos) {
        return "the seed must be a whole number, got " + quoted(word);
    }
    uint64_t magnitude = 0;
    const auto [ptr, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), magnitude);
    constexpr uint64_t kMostNegative = uint64_t{1} << 63;
    if (ec != std::errc() || (negative && magnitude > kMostNegative)) {
        return "the seed is out of range, got " + quoted(word);
    }
    out = negative ? uint64_t{0} - magnitude : magnitude;
    return {};
}

} // namespace wh::session
