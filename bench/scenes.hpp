// The worlds the benchmarks time, each built the way a player would build it: the load handler,
// clicks on the playfield with the panel set, typed commands and passes of the loop.
#pragma once

#include "app/game.hpp"

#include <cstdint>
#include <memory>
#include <string>

namespace wh::bench {

inline constexpr uint64_t kSeed = 20240611;     // every scene starts from the same world
inline constexpr int kExplosionsPerCrater = 10; // a fire's crater holds ten missile blasts

// What the panel says when the playfield is clicked: one rock of this kind per click.
struct Spawn {
    int16_t type = RockType::none;
    int16_t subtype = 0;
    int16_t xdis = 0;
    int16_t ydis = 0;
    int16_t count = 0;
    int16_t fullcount = 0;
    int16_t countstep = 0;
};

// One pass of the loop as the shell runs it, without the wait: the work, then the event step
// with `key` typed into it (0: nothing typed).
void runPass(Game& g, int16_t key = 0);
void runPasses(Game& g, int passes);

// The world right after the load handler.
std::unique_ptr<Game> startUpWorld();

// The start-up world left running until the maker's stream and the enemies have settled.
std::unique_ptr<Game> idleWorld();

// A click on the playfield at (x, y) twips with the panel set to `spawn` and the batch at 1.
void click(Game& g, const Spawn& spawn, int32_t x, int32_t y);

// Rocks of the materials the player commands with keys: gas, liquid, solid, alive and ice in
// turn, clicked in at random places over the level with random displacements, until the table
// holds `rockcount` rocks (the start-up world's nine included) or is full.
std::unique_ptr<Game> materialsWorld(int rockcount);

// The same with every kind of rock the level knows mixed in: materials, fire, bombs, missiles,
// comets, boulders, skeets and planes.
std::unique_ptr<Game> mixedWorld(int rockcount);

// `count` standard explosions (the missile's) at random places over the level, not yet stepped.
std::unique_ptr<Game> explosionStorm(int count);

// `count` nukes that each touch ground at their first step, spread along the level; returned
// after that step, with all of them turned into explosions.
std::unique_ptr<Game> nukeVolley(int count);

// A fire let fall onto the middle of a pure red block, or thrown into its left side, and the
// world returned at the start of the pass in which it burns. Empty when it never burns.
enum class FireApproach { dropped, thrown };
std::unique_ptr<Game> fireOverRed(FireApproach approach);

// Live rocks of a type, and explosions of a given size, for the scenes' own checks.
int countRocks(const Game& g, int16_t type);
int countExplosions(const Game& g, int16_t fullcount);

} // namespace wh::bench
