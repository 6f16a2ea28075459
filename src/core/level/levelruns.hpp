// The level picture as the build packs it from assets/level.png: its colours, and its pixels row
// by row from the top-left as runs of one colour. tools/levelpack writes the source defining them.
#pragma once

#include "app/colour.hpp"

#include <cstddef>

namespace wh::embedded {

// A run is two bytes: its entry in kLevelPalette, then its length in pixels less one (1 to 256).
inline constexpr std::size_t kLevelRunBytes = 2;

extern const Colour kLevelPalette[];
extern const std::size_t kLevelPaletteSize; // 1 to 256 entries
extern const unsigned char kLevelRuns[];
extern const std::size_t kLevelRunsSize; // in bytes, a whole number of runs

} // namespace wh::embedded
