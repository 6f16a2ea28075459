// A `pass N` line becomes N passes; a `work` line and the lines after it run up to its `tick` as
// one pass. The checks that follow a pass run with it, and a game ended by a line still has the
// checks after that line compared.
#include "session/player.hpp"

#include "session/numbers.hpp"

namespace wh::session {

namespace {

constexpr const char* kReplayHolds =
    "a replay holds only its header, the seed, inputs, passes, clock readings and checkpoints";

bool isPassStart(const Line& l) {
    return std::holds_alternative<PassLine>(l) || std::holds_alternative<WorkLine>(l);
}

} // namespace

std::optional<Player> Player::read(std::istream& in, const std::string& name, std::string& error) {
    std::string text;
    constexpr size_t kChunk = size_t{1} << 16;
    while (in && text.size() <= kMaxReplayBytes) {
        const size_t had = text.size();
        text.resize(had + kChunk);
        in.read(text.data() + had, static_cast<std::streamsize>(kChunk));
        text.resize(had + static_cast<size_t>(in.gcount()));
    }
    if (in.bad()) {
        error = name + ": cannot be read";
        return std::nullopt;
    }
    if (text.size() > kMaxReplayBytes) {
        error = name + ": too large for a replay (more than " +
                std::to_string(kMaxReplayBytes >> 20) + " MiB)";
        return std::nullopt;
    }
    std::vector<Numbered> lines;
    bool seeded = false;
    size_t number = 0;
    size_t from = 0;
    while (from < text.size()) {
        size_t to = text.find('\n', from);
        if (to == std::string::npos) {
            to = text.size();
        }
        const std::string_view raw(text.data() + from, to - from);
        from = to + 1;
        ++number;
        const std::string_view command = commandOf(raw);
        const auto at = [&](const std::string& what) {
            return name + ":" + std::to_string(number) + ": " + what;
        };
        if (command.empty()) {
            continue;
        }
        if (!isSessionCommand(command)) {
            error = at(quoted(command) + " cannot be in a replay: " + kReplayHolds);
            return std::nullopt;
        }
        try {
            std::optional<Line> line = readLine(raw);
            if (std::holds_alternative<HeaderLine>(*line) && !lines.empty()) {
                error = at("the replay's header must be its first line");
                return std::nullopt;
            }
            if (std::holds_alternative<SeedLine>(*line)) {
                seeded = true;
            } else if (!seeded && !std::holds_alternative<HeaderLine>(*line)) {
                error = at("a replay starts from its seed: a seed line comes first");
                return std::nullopt;
            }
            lines.push_back({number, std::move(*line)});
        } catch (const LineError& e) {
            error = at(e.what());
            return std::nullopt;
        }
    }
    if (!seeded) {
        error = name + ": holds no seed line, so it is not a recording";
        return std::nullopt;
    }
    return Player(name, std::move(lines));
}

bool Player::run(Session& s, const Numbered& n) {
    try {
        runLine(s, n.line);
    } catch (const LineError& e) {
        error_ = name_ + ":" + std::to_string(n.number) + ": " + e.what();
        diverged_ = true;
        return false;
    }
    if (!s.game().ended) {
        return true;
    }
    // The end of the game is recorded with the checks that follow it.
    while (at_ < lines_.size() && std::holds_alternative<CheckLine>(lines_[at_].line)) {
        if (!run(s, lines_[at_++])) {
            return false;
        }
    }
    return false;
}

Player::Step Player::stopped(Session& s) {
    at_ = lines_.size();
    pendingPasses_ = 0;
    pendingTick_ = false;
    return diverged_ ? Step::diverged : s.game().ended ? Step::ended : Step::finished;
}

Player::Step Player::begin(Session& s) {
    while (at_ < lines_.size() && !isPassStart(lines_[at_].line)) {
        if (!run(s, lines_[at_++])) {
            return stopped(s);
        }
    }
    return Step::pass;
}

Player::Step Player::work(Session& s) {
    if (diverged_ || s.game().ended) {
        return stopped(s);
    }
    if (pendingPasses_ > 0) {
        --pendingPasses_;
        s.work();
        pendingTick_ = true;
        return Step::pass;
    }
    while (at_ < lines_.size()) {
        const Numbered& n = lines_[at_++];
        if (const auto* p = std::get_if<PassLine>(&n.line)) {
            if (p->count == 0) {
                continue;
            }
            pendingPasses_ = p->count - 1;
            s.work();
            pendingTick_ = true;
            return Step::pass;
        }
        if (!run(s, n)) {
            return stopped(s);
        }
        if (std::holds_alternative<WorkLine>(n.line)) {
            return Step::pass;
        }
    }
    return Step::finished;
}

Player::Step Player::tick(Session& s) {
    if (diverged_ || s.game().ended) {
        return stopped(s);
    }
    if (pendingTick_) {
        pendingTick_ = false;
        s.tick();
    } else {
        // The lines of a pass that was written out: up to and including its tick. A recording
        // that ends inside a pass ends with the work alone.
        while (at_ < lines_.size() && !isPassStart(lines_[at_].line)) {
            const Numbered& n = lines_[at_++];
            if (!run(s, n)) {
                return stopped(s);
            }
            if (std::holds_alternative<TickLine>(n.line)) {
                break;
            }
        }
    }
    if (pendingPasses_ == 0) {
        while (at_ < lines_.size() && std::holds_alternative<CheckLine>(lines_[at_].line)) {
            if (!run(s, lines_[at_++])) {
                return stopped(s);
            }
        }
    }
    return Step::pass;
}

} // namespace wh::session
