// Strict reading of the numbers a line of a script or a recording types: the whole word must be
// the number, and a value outside the range the receiving field or handler can take is refused,
// never wrapped.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace wh::session {

// A word of the script in single quotes for a message; bytes that do not print show as \xHH.
std::string quoted(std::string_view word);

// A decimal integer, minus sign allowed, in [lo, hi]. Returns what is wrong, empty when read.
std::string readInteger(std::string_view what, std::string_view word, int64_t lo, int64_t hi,
                        int64_t& out);

// A finite decimal number (a fraction or exponent allowed) no larger in size than `limit`.
std::string readReal(std::string_view what, std::string_view word, double limit, double& out);

// A seed: any 64-bit value, written signed (two's complement) or unsigned.
std::string readSeed(std::string_view word, uint64_t& out);

} // namespace wh::session
