// A `pass N` line becomes N steps; a `work` line and the events after it run up to its `tick`
// as one step. Everything else runs as soon as it is reached.
#include "player.hpp"

namespace wh::sim {

Player::Player(std::istream& in, std::string name) : name_(std::move(name)) {
    std::string line;
    while (std::getline(in, line)) {
        lines_.push_back(std::move(line));
    }
}

Player::Step Player::next(Runner& runner) {
    try {
        if (pendingPasses_ > 0) {
            --pendingPasses_;
            runner.work();
            runner.tick();
            return runner.game().ended ? Step::ended : Step::pass;
        }
        while (at_ < lines_.size()) {
            const std::string& line = lines_[at_++];
            if (const auto n = passCount(line)) {
                if (*n == 0) {
                    continue;
                }
                pendingPasses_ = *n;
                return next(runner);
            }
            const bool work = commandOf(line) == "work";
            if (!runner.runLine(line)) {
                return Step::ended;
            }
            if (work) {
                return runUntilTick(runner);
            }
        }
        return Step::finished;
    } catch (const ScriptError& e) {
        error_ = name_ + ":" + std::to_string(at_) + ": " + e.what();
        pendingPasses_ = 0;
        at_ = lines_.size();
        return Step::failed;
    }
}

// The events of a pass arrive after its work and before its tick, as the window delivers them.
Player::Step Player::runUntilTick(Runner& runner) {
    while (at_ < lines_.size()) {
        const std::string& line = lines_[at_++];
        const bool tick = commandOf(line) == "tick";
        if (!runner.runLine(line)) {
            return Step::ended;
        }
        if (tick) {
            return Step::pass;
        }
    }
    return Step::pass; // the session ended inside this pass
}

} // namespace wh::sim
