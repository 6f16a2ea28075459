// The runner's one table of named game variables, shared by `set`, `text`, `check` and `dump`,
// and the table of rock fields shared by `rock` and the dump's rock entries.
#pragma once

#include "app/game.hpp"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <variant>

namespace wh::sim {

// Fields whose store does more than a plain write.
struct TimerEnabled {
    Timer* timer;
    const uint32_t* now; // the event step's tick count, when the timer starts counting
};
struct PenWidth {
    Playfield* playfield;
};
using Field = std::variant<int16_t*, int32_t*, uint32_t*, float*, double*, bool*, std::string*,
                           TimerEnabled, PenWidth>;

// Which command may write a variable; every variable is dumped.
enum class Access { set, text, check, dumpOnly };

struct Variable {
    std::string_view name;
    Field (*field)(Game&);
    Access access = Access::set;
    int64_t lo = INT64_MIN; // narrower than the field's width where the game needs it
    int64_t hi = INT64_MAX;
};

std::span<const Variable> variables();
const Variable* findVariable(std::string_view name);

// Writes a value as typed in a script; returns what is wrong, or an empty string when stored.
std::string storeValue(const Variable& v, Game& g, std::string_view value);

using RockField = std::variant<int16_t Rock::*, int32_t Rock::*>;
struct RockFieldName {
    std::string_view name;
    RockField field;
};
// In the order the dump lists them.
std::span<const RockFieldName> rockFields();

} // namespace wh::sim
