// PCG32 as published by O'Neill: a 64-bit LCG whose output is permuted by a xorshift and rotation.
#include "app/rng.hpp"

namespace wh {

namespace {
constexpr uint64_t kMultiplier = 6364136223846793005ULL;
constexpr float kTwoToMinus24 = 1.0f / 16777216.0f;
} // namespace

void Rng::seed(uint64_t seed, uint64_t stream) {
    state = 0;
    inc = (stream << 1u) | 1u;
    next32();
    state += seed;
    next32();
}

uint32_t Rng::next32() {
    const uint64_t old = state;
    state = old * kMultiplier + inc;
    const auto xorshifted = static_cast<uint32_t>(((old >> 18u) ^ old) >> 27u);
    const auto rot = static_cast<uint32_t>(old >> 59u);
    return (xorshifted >> rot) | (xorshifted << ((32u - rot) & 31u));
}

float Rng::nextSingle() {
    return static_cast<float>(next32() >> 8) * kTwoToMinus24;
}

} // namespace wh
