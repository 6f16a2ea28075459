// The scenario runner: one started game, a virtual clock of exactly 16 ms per pass, and the
// script commands, each read whole before any of it runs.
#pragma once

#include "app/game.hpp"

#include <cstdint>
#include <memory>
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

    // Runs one script line. False once the game has ended (Esc): the script stops there.
    bool runLine(std::string_view line);

    Game& game() { return *g_; }
    uint64_t passes() const { return passes_; }

private:
    class Words;

    void pass(Words& w);
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

    std::unique_ptr<Game> g_;
    std::ostream& out_;
    uint64_t passes_ = 0; // passes run so far
};

// The usage text and the list of commands, for --help.
const char* usageText();

} // namespace wh::sim
