// The words of one line of a script or a recording, read strictly left to right: a command word,
// then its arguments, each checked against the range of what it reaches.
#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>

namespace wh::session {

// A malformed or refused line; nothing of the line has run.
class LineError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A line's command word and the rest after it; nothing for a blank line or a comment.
std::optional<std::pair<std::string_view, std::string_view>> splitLine(std::string_view text);

// The command word of a line; empty for a blank line or a comment.
std::string_view commandOf(std::string_view line);

class Words {
public:
    Words(std::string_view command, std::string_view rest) : command_(command), rest_(rest) {}

    std::string_view command() const { return command_; }

    // Throws a LineError naming the command.
    [[noreturn]] void fail(const std::string& what) const;

    bool done();
    std::string_view word(std::string_view what);
    int64_t integer(std::string_view what, int64_t lo, int64_t hi);
    // A number the handlers take as a float: a fraction or exponent allowed.
    float real(std::string_view what);
    // A mouse button: 1, 2 or 4.
    int16_t button(std::string_view what);
    // The end of the line: nothing but blanks may follow.
    void end();
    // Everything after the next single blank, exactly as typed.
    std::string_view restAfterOneBlank() const;
    // The unread rest with leading blanks skipped.
    std::string_view rest();
    void consume(size_t n) { rest_.remove_prefix(n); }

private:
    void skipBlanks();

    std::string_view command_;
    std::string_view rest_;
};

} // namespace wh::session
