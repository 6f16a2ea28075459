// Firing: while the fire key is held the gun launches the selected weapon from its tip.
#pragma once

#include "app/game.hpp"

#include <cstdint>

namespace wh {

// What the player calls weapon 1 to kWeaponCount ("bullet", "nuke", ...); "none" for 0 and any
// number past the table.
const char* weaponName(int16_t weapon);

void firing(Game& g);

} // namespace wh
