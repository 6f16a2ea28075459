// The scenario runner: one started game driven through the session on its virtual clock of
// exactly 16 ms a pass, the session's lines and the runner's own test commands, each line read
// whole before any of it runs.
#pragma once

#include "app/game.hpp"
#include "session/session.hpp"
#include "session/words.hpp"

#include <cstdint>
#include <memory>
#include <ostream>
#include <string_view>

namespace wh::sim {

// A malformed or failing script line; nothing of the line has run.
using ScriptError = session::LineError;

class Runner {
public:
    // Performs the game's whole start-up with the generator seeded from `seed`.
    Runner(uint64_t seed, std::ostream& out);
    // Drives a game that someone else owns and has already started.
    Runner(Game& game, std::ostream& out);

    // Runs one script line. False once the game has ended (Esc): the script stops there.
    bool runLine(std::string_view line);

    Game& game() { return session_.game(); }
    session::Session& session() { return session_; }
    uint64_t passes() const { return session_.passes(); }

private:
    using Words = session::Words;
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
    session::Session session_;
    std::ostream& out_;
};

// The usage text and the list of commands, for --help.
const char* usageText();

} // namespace wh::sim
