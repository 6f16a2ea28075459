// The status line's words: what the player has chosen (weapon, paint and brush, what a drag
// drops) and what the world is doing (pass-through, shaking, paused, a replay, the view off the
// level), read from the game and never written to it.
#pragma once

#include "app/game.hpp"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace wh::front {

// True when any of the view shows something other than the level picture: the window's own
// background or the playfield past the picture's edge.
bool viewOffLevel(const Game& g);

// The status line's items in order. `replayPass` is the pass a replay has reached, none when the
// player is playing.
std::vector<std::string> statusItems(const Game& g, std::optional<uint64_t> replayPass);

} // namespace wh::front
