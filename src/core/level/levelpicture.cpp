// Expanding the built-in level picture. Its colours and runs come from a source generated at
// build time from assets/level.png, so nothing is decoded or read from disk while the game runs.
#include "level/levelpicture.hpp"

#include "level/levelruns.hpp"

#include <algorithm>

namespace wh {

namespace {

// The runs fill the picture exactly (levelpack checks it, the level's tests compare every pixel
// with the PNG); the bounds are still kept here, so a bad pack could never write past the end.
std::vector<Colour> expand() {
    std::vector<Colour> pixels(static_cast<size_t>(kLevelPixelsW) * kLevelPixelsH, kBlack);
    size_t at = 0;
    for (size_t r = 0; r + 1 < embedded::kLevelRunsSize; r += embedded::kLevelRunBytes) {
        const size_t entry = embedded::kLevelRuns[r];
        const size_t length =
            std::min<size_t>(size_t{embedded::kLevelRuns[r + 1]} + 1, pixels.size() - at);
        if (entry < embedded::kLevelPaletteSize) {
            std::fill_n(pixels.begin() + static_cast<std::ptrdiff_t>(at), length,
                        embedded::kLevelPalette[entry]);
        }
        at += length;
    }
    return pixels;
}

} // namespace

const std::vector<Colour>& levelPicture() {
    static const std::vector<Colour> picture = expand();
    return picture;
}

Backdrop levelBackdrop() {
    return {levelPicture().data(), kLevelPixelsW, kLevelPixelsH};
}

} // namespace wh
