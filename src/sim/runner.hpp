// The scenario runner: one started game, a virtual clock of exactly 16 ms per pass, and the
// script commands, each read whole before any of it runs.
#pragma once

#include "app/game.hpp"

#include <cstdint>
#include <memory>
#include <optional>
#include <ostream>
#include <stdexcept>
#include <string>
#include <string_view>

namespace wh::sim {

inline constexpr uint32_t kPassMillis = 16;

// A malformed or failing script line; nothing of the line has run.
class ScriptError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class Runner {
public:
    // Performs the game's whole start-up with the generator seeded from `seed`.
    Runner(uint64_t seed, std::ostream& out);
    // Drives a game that someone else owns and has already started (the window's replay).
    Runner(Game& game, std::ostream& out);

    // Runs one script line. False once the game has ended (Esc): the script stops there.
    bool runLine(std::string_view line);

    Game& game() { return *g_; }
    // The pass's work: it begins where the last event step left the clock, and its event step
    // comes exactly one pass later.
    void work();
    // The event step that closes a pass: the timer's tick, after any events of that pass.
    void tick();

    uint64_t passes() const { return passes_; }

    // The words of one script line, read strictly left to right.
    class Words;

private:
    void seed(Words& w);
    void pass(Words& w);
    void workCommand(Words& w);
    void tickCommand(Words& w);
    void keyEvent(Words& w);
    void charEvent(Words& w);
    void click(Words& w);
    void mouseEvent(Words& w);
    void select(Words& w);
    void text(Words& w);
    void check(Words& w);
    void set(Words& w);
    void rock(Words& w);
    void dot(Words& w);
    void line(Words& w);
    void cls(Words& w);
    void dump(Words& w);
    void point(Words& w);
    void png(Words& w);
    void hash(Words& w);
    void view(Words& w);

    std::unique_ptr<Game> own_; // the game, when the runner started it
    Game* g_;
    std::ostream& out_;
    uint64_t passes_ = 0; // passes run so far
};

// The command word of a script line as the runner reads it; empty for a blank line or a comment.
std::string_view commandOf(std::string_view line);

// When the line is a `pass` command, the number of passes it asks for (ScriptError when it is
// malformed); nothing for any other line. It lets a player run a script one pass at a time.
std::optional<int64_t> passCount(std::string_view line);

// The usage text and the list of commands, for --help.
const char* usageText();

} // namespace wh::sim
