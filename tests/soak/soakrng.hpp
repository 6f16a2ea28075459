// The soak's own generator of inputs: PCG32 on a stream of its own, so the input a seed makes
// never depends on the game's generator or on anything the game does with it.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace wh::soak {

class SoakRng {
public:
    explicit SoakRng(uint64_t seed) {
        next();
        state_ += seed;
        next();
    }

    uint32_t next() {
        const uint64_t old = state_;
        state_ = old * kMultiplier + kIncrement;
        const auto xorshifted = static_cast<uint32_t>(((old >> 18u) ^ old) >> 27u);
        const auto rot = static_cast<uint32_t>(old >> 59u);
        return (xorshifted >> rot) | (xorshifted << ((0u - rot) & 31u));
    }

    // The high half first, in a statement of its own: the operands of | come in either order.
    uint64_t next64() {
        const uint64_t high = next();
        return (high << 32) | next();
    }

    // Uniform in 0 .. n - 1 (n > 0), by a multiply rather than a modulo.
    uint32_t below(uint32_t n) { return static_cast<uint32_t>((uint64_t{next()} * n) >> 32); }

    // Uniform in lo .. hi, both included; the span is at most 2^32.
    int64_t between(int64_t lo, int64_t hi) {
        const uint64_t span = static_cast<uint64_t>(hi) - static_cast<uint64_t>(lo) + 1;
        return lo + static_cast<int64_t>((uint64_t{next()} * span) >> 32);
    }

    bool oneIn(uint32_t n) { return below(n) == 0; }

    // Uniform in [0, 1).
    double unit() { return next() / 4294967296.0; }

    template <typename T, size_t N> const T& pick(const T (&items)[N]) {
        return items[below(static_cast<uint32_t>(N))];
    }
    template <typename T, size_t N> const T& pick(const std::array<T, N>& items) {
        return items[below(static_cast<uint32_t>(N))];
    }

private:
    static constexpr uint64_t kMultiplier = 6364136223846793005ULL;
    static constexpr uint64_t kIncrement = 0x5eed5eed5eed5eedULL | 1u; // the soak's stream, odd
    uint64_t state_ = 0;
};

} // namespace wh::soak
