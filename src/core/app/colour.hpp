// Colour values as the terrain sees them: r + 256 g + 65536 b in a signed 32-bit integer.
#pragma once

#include <algorithm>
#include <cstdint>

namespace wh {

using Colour = int32_t;

// A component above 255 counts as 255; below 0 as 0.
constexpr Colour RGB(int32_t r, int32_t g, int32_t b) {
    auto c = [](int32_t v) { return std::clamp(v, 0, 255); };
    return c(r) + 256 * c(g) + 65536 * c(b);
}

inline constexpr Colour kBlack = RGB(0, 0, 0);
inline constexpr Colour kWhite = RGB(255, 255, 255);
inline constexpr Colour kOffSurface = -1; // what a read off the playfield returns

} // namespace wh
