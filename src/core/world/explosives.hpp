// The weapons that wait for contact: the explosion itself, and every explosive that becomes one
// where it hits or bursts into rocks of another explosive type.
#pragma once

#include "app/game.hpp"

#include <cstdint>

namespace wh {

// An explosion's life as (count, fullcount, countstep): the orange disc grows by countstep
// pixels a pass to half of fullcount, then the black disc eats it and the scenery under it.
struct ExplosionSize {
    int16_t count = 0;
    int16_t fullcount = 0;
    int16_t countstep = 0;
};

inline constexpr ExplosionSize kBigbombBlast{100, 100, 10};
inline constexpr ExplosionSize kMissleBlast{200, 200, 20};
inline constexpr ExplosionSize kNukeBlast{500, 500, 50};
inline constexpr ExplosionSize kProxbombBlast{120, 120, 10};
inline constexpr ExplosionSize kHomerBlast{50, 50, 5};

inline constexpr int16_t kBombFireCount = 35; // life of each fire a bomb bursts into

// Each is one step of rock i (1 <= i <= rockcount), run after the common motion and cull.
void explosion(Game& g, int i);
void bullet(Game& g, int i);
// The bursting types: on contact each becomes five rocks of the next type down.
void bomb(Game& g, int i);
void bulletbomb(Game& g, int i);
void multibomb(Game& g, int i);
// The in-place explosives: on contact each turns into an explosion where it is.
void bigbomb(Game& g, int i);
void nuke(Game& g, int i);
void homer(Game& g, int i);
void missle(Game& g, int i);
// Settles on the ground and counts down in cycles, then bursts into ten multibombs.
void timebomb(Game& g, int i);
// Settles on the ground until the trigger is held, then explodes wherever it is.
void proxbomb(Game& g, int i);

} // namespace wh
