// Plays a script through a runner one pass at a time, so the window can show every pass of a
// recorded session as it comes and keep its own pace.
#pragma once

#include "runner.hpp"

#include <istream>
#include <string>
#include <vector>

namespace wh::sim {

class Player {
public:
    // Reads the whole script; `name` is what error messages call it.
    Player(std::istream& in, std::string name);

    enum class Step {
        pass,     // one pass ran (with its events)
        finished, // the script has no more lines; nothing ran
        ended,    // the game ended (Esc) on a line of the script
        failed,   // a line was refused: see error()
    };

    // Runs lines up to and including the end of the next pass; lines before it (the seed, events
    // between passes) run first.
    Step next(Runner& runner);

    // NAME:LINE: message, for the last failed step.
    const std::string& error() const { return error_; }

private:
    Step runUntilTick(Runner& runner);

    std::vector<std::string> lines_;
    std::string name_;
    size_t at_ = 0;             // the next line to run
    int64_t pendingPasses_ = 0; // left of the current `pass N`
    std::string error_;
};

} // namespace wh::sim
