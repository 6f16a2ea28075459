// Plays a recording back one pass at a time, so a front end can show every pass as it comes and
// keep its own pace. The whole recording is read and checked before anything of it plays: a
// replay holds only the header, the seed, inputs, passes, clock readings and checks.
#pragma once

#include "session/lines.hpp"
#include "session/session.hpp"

#include <cstddef>
#include <istream>
#include <optional>
#include <string>
#include <vector>

namespace wh::session {

// A larger recording is refused rather than read into memory: days of play fit well inside it.
inline constexpr size_t kMaxReplayBytes = size_t{256} << 20;

class Player {
public:
    // Reads `in` whole; `name` is what messages call it (NAME:LINE: message). Nothing when it is
    // not a replay, with the reason in `error`.
    static std::optional<Player> read(std::istream& in, const std::string& name,
                                      std::string& error);

    enum class Step {
        pass,     // the step ran (the work of a pass, or its events and tick)
        finished, // the recording has no more passes; nothing ran
        ended,    // the game ended (Esc) on a line of the recording
        diverged, // a check found the game elsewhere than recorded: see error()
    };

    // Runs the lines before the first pass: the seed starts the game.
    Step begin(Session& s);
    // Runs lines up to and including the work of the next pass.
    Step work(Session& s);
    // Runs the rest of that pass: its inputs and clock readings, then its tick.
    Step tick(Session& s);

    // NAME:LINE: message, for the step that diverged.
    const std::string& error() const { return error_; }

private:
    struct Numbered {
        size_t number; // 1-based line number in the file
        Line line;
    };

    Player(std::string name, std::vector<Numbered> lines)
        : name_(std::move(name)), lines_(std::move(lines)) {}
    // Runs one line; false once the game has ended or a check failed.
    bool run(Session& s, const Numbered& n);
    Step stopped(Session& s);

    std::string name_;
    std::vector<Numbered> lines_;
    size_t at_ = 0;             // the next line to run
    int64_t pendingPasses_ = 0; // left of the current `pass N`
    bool pendingTick_ = false;  // a `pass N` pass has worked and waits for its tick
    bool diverged_ = false;
    std::string error_;
};

} // namespace wh::session
