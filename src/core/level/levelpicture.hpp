// The level picture: the whole terrain at the start of play, built into the program as a PNG
// and decoded once into colour values.
#pragma once

#include "app/colour.hpp"
#include "app/playfield.hpp"

#include <cstddef>
#include <span>
#include <vector>

namespace wh {

inline constexpr int kLevelPixelsW = 3200;
inline constexpr int kLevelPixelsH = 600;

// Row by row from the top-left pixel, kLevelPixelsW x kLevelPixelsH colour values. Decoded on
// first use; the same vector for the rest of the run.
const std::vector<Colour>& levelPicture();

// The picture as the playfield's backdrop: setBackdrop, then Cls, puts it at the top-left corner.
Backdrop levelBackdrop();

// The embedded PNG file as it was built in.
std::span<const unsigned char> levelPngBytes();

} // namespace wh
