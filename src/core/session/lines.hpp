// A session as text, one line each: the recording's header, the seed, inputs, passes, clock
// readings and checks of the state hash. wreckhaul-sim reads these lines among its own test
// commands; a replay holds nothing else.
#pragma once

#include "session/input.hpp"
#include "session/session.hpp"
#include "session/words.hpp"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace wh::session {

// What a recording's first line names, and the newest version of it this build reads.
inline constexpr std::string_view kReplayFormat = "wreckhaul-replay";
inline constexpr int64_t kReplayVersion = 1;

struct HeaderLine {
    int64_t version;
};
struct SeedLine {
    uint64_t seed; // a new game from its start-up
};
struct PassLine {
    int64_t count; // whole passes: each a work, then a tick
};
struct WorkLine {};
struct TickLine {};
struct ClockLine {
    uint32_t ms; // what the tick counter reads from here on
};
// The state hash the recorded game had after `pass` works.
struct CheckLine {
    uint64_t pass;
    uint64_t hash;
};
// Key down, then key up unless the key ended the game: a script's shorthand.
struct KeyStroke {
    int16_t vk;
};

using Line = std::variant<HeaderLine, SeedLine, PassLine, WorkLine, TickLine, ClockLine, CheckLine,
                          KeyStroke, Input>;

// True for the command words read here.
bool isSessionCommand(std::string_view command);

// The line read whole; nothing for a blank line or a comment. Throws LineError for a malformed
// line, for a command word not read here, and for a header of another format or a newer version.
std::optional<Line> readLine(std::string_view text);

// The line that reads back as `line`. A text edit holding a line break cannot be written: its
// text is cut at the break.
std::string lineText(const Line& line);

// Runs a line on a session. A check that fails throws LineError with the divergence message.
void runLine(Session& s, const Line& line);

// The message for a replay that no longer reaches its recorded state.
std::string divergenceMessage(uint64_t pass);

} // namespace wh::session
