// The game's one random generator: PCG32 (XSH RR), the same sequence on every compiler and
// library, handing out the single-precision numbers in [0, 1) that every rule draws.
#pragma once

#include <cstdint>

namespace wh {

struct Rng {
    uint64_t state = 0x853c49e6748fea9bULL;
    uint64_t inc = 0xda3e39cb94b95bdbULL; // always odd

    void seed(uint64_t seed, uint64_t stream = 54u);
    uint32_t next32();
    // Uniform in [0, 1): the top 24 bits, so every value is exact in a float.
    float nextSingle();
};

} // namespace wh
