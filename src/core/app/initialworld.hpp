// The world as play begins: the level, the paint tool, the angle constants, the vehicle, the
// playfield's position and the nine first rocks.
#pragma once

#include "app/game.hpp"

#include <cstdint>

namespace wh {

inline constexpr uint32_t kTimer2Interval = 100; // milliseconds

void loadLevel(Game& g);
void setPaintTool(Game& g);
void setAngleConstants(Game& g);
void setUpVehicle(Game& g);
void placePlayfield(Game& g);
void createInitialRocks(Game& g);

} // namespace wh
