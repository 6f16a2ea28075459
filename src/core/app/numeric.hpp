// Integer helpers for the game's fixed-width fields: wrapping sums and products,
// the one rounding rule (nearest, ties to even) and clamped stores of fractions.
#pragma once

#include <cmath>
#include <cstdint>
#include <limits>

namespace wh {

// Two's-complement wrap of any integer into 16 bits.
constexpr int16_t wrap16(int64_t v) {
    return static_cast<int16_t>(static_cast<uint16_t>(static_cast<uint64_t>(v)));
}

// Two's-complement wrap of any integer into 32 bits.
constexpr int32_t wrap32(int64_t v) {
    return static_cast<int32_t>(static_cast<uint32_t>(static_cast<uint64_t>(v)));
}

constexpr int16_t add16(int32_t a, int32_t b) {
    return wrap16(int64_t{a} + b);
}
constexpr int16_t sub16(int32_t a, int32_t b) {
    return wrap16(int64_t{a} - b);
}
constexpr int16_t mul16(int32_t a, int32_t b) {
    return wrap16(int64_t{a} * b);
}
constexpr int32_t add32(int64_t a, int64_t b) {
    return wrap32(a + b);
}
constexpr int32_t sub32(int64_t a, int64_t b) {
    return wrap32(a - b);
}

// Bitwise complement of a flag: true (-1) and false (0) swap.
constexpr int16_t flip(int16_t flag) {
    return static_cast<int16_t>(~flag);
}

inline constexpr int16_t kTrue = -1;
inline constexpr int16_t kFalse = 0;

// Nearest integer, halves to the even neighbour. Not-a-number gives 0.
inline double roundHalfEven(double v) {
    if (std::isnan(v)) {
        return 0.0;
    }
    return std::nearbyint(v); // the default floating-point mode rounds ties to even
}

template <typename T> T clampedStore(double v) {
    constexpr double lo = static_cast<double>(std::numeric_limits<T>::min());
    constexpr double hi = static_cast<double>(std::numeric_limits<T>::max());
    if (std::isnan(v)) {
        return 0;
    }
    if (v <= lo) {
        return std::numeric_limits<T>::min();
    }
    if (v >= hi) {
        return std::numeric_limits<T>::max();
    }
    return static_cast<T>(v);
}

// Every store of a fraction into a 16-bit field: nearest, then clamped where it cannot fit.
inline int16_t nearest16(double v) {
    return clampedStore<int16_t>(roundHalfEven(v));
}

// Every store of a fraction into a 32-bit field.
inline int32_t nearest32(double v) {
    return clampedStore<int32_t>(roundHalfEven(v));
}

} // namespace wh
