// The level picture: the whole terrain at the start of play, built into the program from
// assets/level.png and expanded once into colour values.
#pragma once

#include "app/colour.hpp"
#include "app/playfield.hpp"

#include <vector>

namespace wh {

inline constexpr int kLevelPixelsW = 3200;
inline constexpr int kLevelPixelsH = 600;

// Row by row from the top-left pixel, kLevelPixelsW x kLevelPixelsH colour values. Expanded on
// first use; the same vector for the rest of the run.
const std::vector<Colour>& levelPicture();

// The picture as the playfield's backdrop: setBackdrop, then Cls, puts it at the top-left corner.
Backdrop levelBackdrop();

} // namespace wh
