// How a Game is driven: a new game from its seed, the pass on a clock (its work, then the event
// step with its inputs and the timer's tick) and the inputs between. The window, the runner, the
// tests, the soak and the benchmarks all drive the game through this one class; a recorder
// listens to it.
#pragma once

#include "app/game.hpp"
#include "session/input.hpp"

#include <cstdint>

namespace wh::session {

// The virtual clock moves on this much a pass where no reading says otherwise: exactly the pace
// of the game's loop.
inline constexpr uint32_t kPassMillis = 16;

// Hears everything a session does, in order, after it is done.
class Listener {
public:
    virtual ~Listener() = default;
    virtual void started(uint64_t seed) = 0;
    // The tick counter read `ms` where the virtual clock would have read something else.
    virtual void clockRead(uint32_t ms) = 0;
    virtual void worked() = 0;
    virtual void delivered(const Input& input) = 0;
    virtual void ticked() = 0;
};

class Session {
public:
    // Drives `g` as it stands; start() makes it a new game.
    explicit Session(Game& g) : g_(&g) {}

    Game& game() { return *g_; }
    const Game& game() const { return *g_; }
    // Works of passes run since the game started.
    uint64_t passes() const { return passes_; }

    // A new game from its start-up, as if the program had been started with this seed, the
    // clock reading 0 until told otherwise.
    void start(uint64_t seed);
    // The tick counter reads `ms` now: the next work begins there, and the event step that
    // follows a work reads it.
    void readClock(uint32_t ms);
    // The work of a pass: it begins where the clock stands, and the clock moves on one pass.
    void work();
    // The event step that closes a pass: the timer, after any inputs of the pass.
    void tick();
    void pass() {
        work();
        tick();
    }
    // Hands an input to the game. Once the game has ended nothing runs: no input, work or tick.
    void deliver(const Input& input);

    // At most one listener; null for none.
    void setListener(Listener* listener) { listener_ = listener; }

private:
    Game* g_;
    uint64_t passes_ = 0;
    Listener* listener_ = nullptr;
};

} // namespace wh::session
