// The pass on a clock, defined once: `now` is the game's tick counter, the work of a pass starts
// where it stands and moves it on one pass, and a reading from the platform overrides it.
#include "session/session.hpp"

#include "app/mainloop.hpp"
#include "app/numeric.hpp"

namespace wh::session {

void Session::start(uint64_t seed) {
    *g_ = Game{};
    Form_Load(*g_, seed);
    passes_ = 0;
    if (listener_ != nullptr) {
        listener_->started(seed);
    }
}

void Session::readClock(uint32_t ms) {
    if (ms == g_->now) {
        return;
    }
    g_->now = ms;
    if (listener_ != nullptr) {
        listener_->clockRead(ms);
    }
}

void Session::work() {
    Game& g = *g_;
    if (g.ended) {
        return; // the program has ended: nothing runs any more
    }
    g.passstart = wrap32(g.now);
    mainpass(g);
    ++passes_;
    g.now += kPassMillis;
    if (listener_ != nullptr) {
        listener_->worked();
    }
}

void Session::tick() {
    if (g_->ended) {
        return;
    }
    eventstep(*g_);
    if (listener_ != nullptr) {
        listener_->ticked();
    }
}

void Session::deliver(const Input& input) {
    if (g_->ended) {
        return;
    }
    // Heard first: a handler that ends the game still leaves its input written.
    if (listener_ != nullptr) {
        listener_->delivered(input);
    }
    session::deliver(*g_, input);
}

} // namespace wh::session
