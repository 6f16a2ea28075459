// Game: the whole state of the world in one plain value. Every rule takes it by reference; the
// front end and the runner read what they show from it and write the platform's inputs into it.
#pragma once

#include "app/playfield.hpp"
#include "app/rng.hpp"
#include "app/soundevents.hpp"
#include "app/timer.hpp"
#include "tools/panel.hpp"
#include "vehicle/vehicle.hpp"
#include "world/rock.hpp"

#include <cstdint>

namespace wh {

struct Game {
    Playfield picground; // the terrain, and everything drawn into it
    RockTable rocks;
    Vehicle vehicle;
    KeyFlags keys;
    Panel panel;
    Timer timer2; // agitation timer, 100 ms, off at start
    Rng rng;

    int32_t passstart = 0; // tick count read when the current pass began
    int16_t aimangle = 0;  // degrees, gun relative to the body
    double pi = 0;         // the game's own, truncated pi
    double degtorad = 0;   // pi / 180

    int16_t paused = 0;      // flag: the world stands still, events still run
    int16_t passthrough = 0; // flag: particles ignore terrain
    int16_t weapon = 0;      // 0 to kWeaponCount, what the gun fires
    int16_t paintmode = 0;   // 1 ground, 2 red, 3 black
    int16_t brushwidth = 0;  // pixels, the painted dot's width
    int16_t dropbullets = 0; // flag: a drag drops bullets instead of ice
    int16_t dropping = 0;    // flag: the left button went down on the window surface
    int16_t painting = 0;    // flag: the right button went down on the window surface
    int16_t stage = 0;       // last level script stage run, 0 to 3

    // What the platform gives and takes.
    uint32_t now = 0;   // tick count in milliseconds at the latest event step
    uint32_t beeps = 0; // how many times Beep has sounded; the front end plays each new one
    bool ended = false; // End was called: the program stops after the current handler
    // What was heard since the front end last cleared the list; outside the world's state: no
    // rule reads it, the state hash leaves it out, and a front end that never listens changes
    // nothing.
    SoundEvents sounds;
};

} // namespace wh
