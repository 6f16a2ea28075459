// Splitting a line into its words; blanks are spaces and tabs, a carriage return before the line
// break is dropped, so files written on any system read the same.
#include "session/words.hpp"

#include "session/numbers.hpp"
#include "tools/mouse.hpp"

#include <cfloat>
#include <limits>

namespace wh::session {

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

} // namespace

std::optional<std::pair<std::string_view, std::string_view>> splitLine(std::string_view text) {
    if (!text.empty() && text.back() == '\r') {
        text.remove_suffix(1);
    }
    size_t start = 0;
    while (start < text.size() && isBlank(text[start])) {
        ++start;
    }
    if (start == text.size() || text[start] == '#') {
        return std::nullopt;
    }
    size_t stop = start;
    while (stop < text.size() && !isBlank(text[stop])) {
        ++stop;
    }
    return std::pair{text.substr(start, stop - start), text.substr(stop)};
}

std::string_view commandOf(std::string_view line) {
    const auto parts = splitLine(line);
    return parts ? parts->first : std::string_view();
}

void Words::fail(const std::string& what) const {
    throw LineError(std::string(command_) + ": " + what);
}

void Words::skipBlanks() {
    while (!rest_.empty() && isBlank(rest_.front())) {
        rest_.remove_prefix(1);
    }
}

bool Words::done() {
    skipBlanks();
    return rest_.empty();
}

std::string_view Words::word(std::string_view what) {
    if (done()) {
        fail(std::string(what) + " is missing");
    }
    size_t n = 0;
    while (n < rest_.size() && !isBlank(rest_[n])) {
        ++n;
    }
    std::string_view w = rest_.substr(0, n);
    rest_.remove_prefix(n);
    return w;
}

int64_t Words::integer(std::string_view what, int64_t lo, int64_t hi) {
    int64_t v = 0;
    if (std::string err = readInteger(what, word(what), lo, hi, v); !err.empty()) {
        fail(err);
    }
    return v;
}

float Words::real(std::string_view what) {
    double v = 0;
    if (std::string err = readReal(what, word(what), FLT_MAX, v); !err.empty()) {
        fail(err);
    }
    return static_cast<float>(v);
}

int16_t Words::button(std::string_view what) {
    const int64_t b =
        integer(what, std::numeric_limits<int16_t>::min(), std::numeric_limits<int16_t>::max());
    if (b != kButtonLeft && b != kButtonRight && b != kButtonMiddle) {
        fail(std::string(what) + " must be 1, 2 or 4, got " + std::to_string(b));
    }
    return static_cast<int16_t>(b);
}

void Words::end() {
    if (!done()) {
        fail("unexpected " + quoted(word("")));
    }
}

std::string_view Words::restAfterOneBlank() const {
    if (rest_.empty()) {
        return {};
    }
    return rest_.substr(1);
}

std::string_view Words::rest() {
    skipBlanks();
    return rest_;
}

} // namespace wh::session
