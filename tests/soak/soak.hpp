// The soak: a long game of random input through the core's own handlers, the world's
// invariants checked after every event and every pass. Shared by the tests and wreckhaul_soak.
#pragma once

#include "app/game.hpp"

#include <array>
#include <cstdint>
#include <iosfwd>
#include <string>

namespace wh::soak {

// What the soak sends, one count each in SoakResult::events.
enum class EventKind {
    keyDown,        // Form_KeyDown, a code the game knows or any 16-bit one
    keyUp,          // Form_KeyUp
    character,      // Form_KeyPress of 0 to 255 but Esc
    escape,         // Form_KeyPress of Esc: the game must end, and a fresh one starts
    playfieldClick, // picground_MouseDown
    windowMouse,    // Form_MouseDown, Form_MouseMove or Form_MouseUp
    listClick,      // typelist_Click or subtypelist_Click after a selection
    panelText,      // one of the panel's text boxes set
    checkBox,       // one of the panel's check boxes flipped
    placePlayfield, // the playfield's Left or Top set
};
inline constexpr int kEventKinds = 10;
const char* eventName(EventKind kind);

struct SoakResult {
    long passes = 0;                        // passes run, over every game
    std::array<long, kEventKinds> events{}; // handler calls, by EventKind
    long games = 0;                         // games started: the first and one after each Esc
    int peakRockcount = 0;                  // highest rockcount seen after any event or pass
    long fullTablePasses = 0;               // passes that ended with rockcount at 1500
    long pausedPasses = 0;                  // passes that found the world paused
    long rockPasses = 0;                    // rocks stepped or standing, summed over passes
    uint64_t finalHash = 0;                 // stateHash of the game running at the end
    uint64_t trail = 0; // the state hash every kTrailPasses passes and at each Esc, folded
    std::string fault;  // the first broken invariant, with the pass and the last events; empty
                        // when every check held (the run stops at a fault)
};

inline constexpr long kTrailPasses = 1000;

// The rules every game must keep between handlers: the table's bounds, a pen the playfield
// accepts in copy mode, flags that are 0 or -1, the documented ranges of the tool settings, and
// an end only by Esc. Empty when they hold, else what is wrong.
std::string checkInvariants(const Game& g, bool escapeSent);

struct SoakOptions {
    std::ostream* trace = nullptr;    // every event and pass as it happens, to see what led up
                                      // to a sanitizer's report
    std::ostream* progress = nullptr; // one line every kProgressPasses passes, for long runs
};
inline constexpr long kProgressPasses = 10000;

// Plays `passes` passes of random input made from `seed`.
SoakResult runSoak(uint64_t seed, long passes, const SoakOptions& options = {});

} // namespace wh::soak
