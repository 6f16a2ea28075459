// One 64-bit fingerprint of the whole game: every variable, every slot of the rocks table, the
// generator, the panel and every pixel. Equal games hash equal on every build.
#pragma once

#include "app/game.hpp"

#include <cstdint>

namespace wh {

uint64_t stateHash(const Game& g);

} // namespace wh
