// The script commands. Each reads its whole line first (numbers within the range of the field
// or handler argument they reach, no word left over), and only then calls the game's handlers.
#include "runner.hpp"

#include "json.hpp"
#include "numbers.hpp"
#include "png.hpp"
#include "variables.hpp"

#include "app/mainloop.hpp"
#include "app/numeric.hpp"
#include "app/statehash.hpp"
#include "app/view.hpp"
#include "app/window.hpp"
#include "tools/keyboard.hpp"
#include "tools/lists.hpp"
#include "tools/mouse.hpp"
#include "vehicle/keys.hpp"

#include <algorithm>
#include <array>
#include <cfloat>
#include <cinttypes>
#include <cstdio>
#include <limits>
#include <vector>

namespace wh::sim {

namespace {

constexpr int64_t kMaxPassesPerCommand = 1000000000;
constexpr int64_t kMin16 = std::numeric_limits<int16_t>::min();
constexpr int64_t kMax16 = std::numeric_limits<int16_t>::max();
constexpr int64_t kMin32 = std::numeric_limits<int32_t>::min();
constexpr int64_t kMax32 = std::numeric_limits<int32_t>::max();
constexpr int64_t kMaxChannel = 255;
constexpr int64_t kHeldButtonsMask = kButtonLeft | kButtonRight | kButtonMiddle;
constexpr int16_t kNoModifiers = 0;

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string namesWithAccess(Access access) {
    std::string names;
    for (const Variable& v : variables()) {
        if (v.access == access) {
            names += names.empty() ? "" : ", ";
            names += v.name;
        }
    }
    return names;
}

void writeField(JsonWriter& w, const Field& f) {
    struct Write {
        JsonWriter& w;
        void operator()(const int16_t* v) const { w.integer(*v); }
        void operator()(const int32_t* v) const { w.integer(*v); }
        void operator()(const uint32_t* v) const { w.integer(*v); }
        void operator()(const float* v) const { w.real(*v, 9); }
        void operator()(const double* v) const { w.real(*v, 17); }
        void operator()(const bool* v) const { w.boolean(*v); }
        void operator()(const std::string* v) const { w.string(*v); }
        void operator()(TimerEnabled t) const { w.boolean(t.timer->enabled); }
        void operator()(PenWidth p) const { w.integer(p.playfield->drawWidth()); }
    };
    std::visit(Write{w}, f);
}

} // namespace

// The words of one line after its command, read left to right.
class Runner::Words {
public:
    Words(std::string_view command, std::string_view rest) : command_(command), rest_(rest) {}

    std::string_view command() const { return command_; }

    [[noreturn]] void fail(const std::string& what) const {
        throw ScriptError(std::string(command_) + ": " + what);
    }

    bool done() {
        skipBlanks();
        return rest_.empty();
    }

    std::string_view word(std::string_view what) {
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

    int64_t integer(std::string_view what, int64_t lo, int64_t hi) {
        int64_t v = 0;
        if (std::string err = readInteger(what, word(what), lo, hi, v); !err.empty()) {
            fail(err);
        }
        return v;
    }

    // A number the handlers take as a float: a fraction or exponent allowed.
    float real(std::string_view what) {
        double v = 0;
        if (std::string err = readReal(what, word(what), FLT_MAX, v); !err.empty()) {
            fail(err);
        }
        return static_cast<float>(v);
    }

    int16_t button(std::string_view what) {
        const int64_t b = integer(what, kMin16, kMax16);
        if (b != kButtonLeft && b != kButtonRight && b != kButtonMiddle) {
            fail(std::string(what) + " must be 1, 2 or 4, got " + std::to_string(b));
        }
        return static_cast<int16_t>(b);
    }

    // The end of the line: nothing but blanks may follow.
    void end() {
        if (!done()) {
            fail("unexpected " + quoted(word("")));
        }
    }

    // Everything after the next single blank, exactly as typed.
    std::string_view restAfterOneBlank() {
        if (rest_.empty()) {
            return {};
        }
        return rest_.substr(1);
    }

    // The unread rest with leading blanks skipped.
    std::string_view rest() {
        skipBlanks();
        return rest_;
    }
    void consume(size_t n) { rest_.remove_prefix(n); }

private:
    void skipBlanks() {
        while (!rest_.empty() && isBlank(rest_.front())) {
            rest_.remove_prefix(1);
        }
    }

    std::string_view command_;
    std::string_view rest_;
};

Runner::Runner(uint64_t seed, std::ostream& out)
    : own_(std::make_unique<Game>()), g_(own_.get()), out_(out) {
    Form_Load(*g_, seed);
}

Runner::Runner(Game& game, std::ostream& out) : g_(&game), out_(out) {}

namespace {

// A line's command word and the rest after it; nothing for a blank line or a comment.
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

int64_t readPassCount(Runner::Words& w) {
    int64_t n = 1;
    if (!w.done()) {
        n = w.integer("N", 0, kMaxPassesPerCommand);
    }
    w.end();
    return n;
}

} // namespace

std::string_view commandOf(std::string_view line) {
    const auto parts = splitLine(line);
    return parts ? parts->first : std::string_view();
}

std::optional<int64_t> passCount(std::string_view line) {
    const auto parts = splitLine(line);
    if (!parts || parts->first != "pass") {
        return std::nullopt;
    }
    Runner::Words w(parts->first, parts->second);
    return readPassCount(w);
}

bool Runner::runLine(std::string_view text) {
    const auto parts = splitLine(text);
    if (!parts) {
        return true;
    }
    const std::string_view command = parts->first;
    Words w(command, parts->second);

    using Command = void (Runner::*)(Words&);
    struct Entry {
        std::string_view name;
        Command run;
    };
    static constexpr std::array kCommands = {
        Entry{"seed", &Runner::seed},
        Entry{"pass", &Runner::pass},
        Entry{"work", &Runner::workCommand},
        Entry{"tick", &Runner::tickCommand},
        Entry{"keydown", &Runner::keyEvent},
        Entry{"keyup", &Runner::keyEvent},
        Entry{"key", &Runner::keyEvent},
        Entry{"char", &Runner::charEvent},
        Entry{"click", &Runner::click},
        Entry{"mousedown", &Runner::mouseEvent},
        Entry{"mousemove", &Runner::mouseEvent},
        Entry{"mouseup", &Runner::mouseEvent},
        Entry{"select", &Runner::select},
        Entry{"text", &Runner::text},
        Entry{"check", &Runner::check},
        Entry{"set", &Runner::set},
        Entry{"rock", &Runner::rock},
        Entry{"dot", &Runner::dot},
        Entry{"line", &Runner::line},
        Entry{"cls", &Runner::cls},
        Entry{"dump", &Runner::dump},
        Entry{"point", &Runner::point},
        Entry{"png", &Runner::png},
        Entry{"hash", &Runner::hash},
        Entry{"view", &Runner::view},
    };
    for (const Entry& e : kCommands) {
        if (e.name == command) {
            (this->*e.run)(w);
            return !g_->ended;
        }
    }
    throw ScriptError("unknown command " + quoted(command));
}

void Runner::pass(Words& w) {
    const int64_t n = readPassCount(w);
    for (int64_t i = 0; i < n && !g_->ended; ++i) {
        work();
        tick();
    }
}

void Runner::work() {
    Game& g = *g_;
    g.passstart = wrap32(g.now);
    mainpass(g);
    ++passes_;
    g.now += kPassMillis;
}

void Runner::tick() {
    eventstep(*g_);
}

void Runner::workCommand(Words& w) {
    w.end();
    work();
}

void Runner::tickCommand(Words& w) {
    w.end();
    tick();
}

// A new game from its start-up, as if the program had been started with this seed.
void Runner::seed(Words& w) {
    const std::string_view word = w.word("N");
    uint64_t value = 0;
    if (std::string err = readSeed(word, value); !err.empty()) {
        w.fail(err);
    }
    w.end();
    *g_ = Game{};
    Form_Load(*g_, value);
    passes_ = 0;
}

void Runner::keyEvent(Words& w) {
    const auto vk = static_cast<int16_t>(w.integer("VK", kMin16, kMax16));
    w.end();
    if (w.command() != "keyup") {
        Form_KeyDown(*g_, vk, kNoModifiers);
    }
    if (w.command() != "keydown" && !g_->ended) {
        Form_KeyUp(*g_, vk, kNoModifiers);
    }
}

void Runner::charEvent(Words& w) {
    int16_t code = 0;
    const std::string_view rest = w.rest();
    if (!rest.empty() && rest.front() == '\'') {
        if (rest.size() < 3 || rest[2] != '\'' || (rest.size() > 3 && !isBlank(rest[3]))) {
            w.fail("C must be one character in single quotes, got " + quoted(rest));
        }
        code = static_cast<unsigned char>(rest[1]);
        w.consume(3);
    } else {
        code = static_cast<int16_t>(w.integer("C", kMin16, kMax16));
    }
    w.end();
    Form_KeyPress(*g_, code);
}

void Runner::click(Words& w) {
    const float x = w.real("X");
    const float y = w.real("Y");
    int16_t button = kButtonLeft;
    if (!w.done()) {
        button = w.button("BUTTON");
    }
    w.end();
    picground_MouseDown(*g_, button, kNoModifiers, x, y);
}

void Runner::mouseEvent(Words& w) {
    const bool move = w.command() == "mousemove";
    // A move reports every button held; a press or release one button.
    const auto b = move ? static_cast<int16_t>(w.integer("B", 0, kHeldButtonsMask)) : w.button("B");
    const float x = w.real("X");
    const float y = w.real("Y");
    w.end();
    if (move) {
        Form_MouseMove(*g_, b, kNoModifiers, x, y);
    } else if (w.command() == "mousedown") {
        Form_MouseDown(*g_, b, kNoModifiers, x, y);
    } else {
        Form_MouseUp(*g_, b, kNoModifiers, x, y);
    }
}

void Runner::select(Words& w) {
    const std::string_view list = w.word("LIST");
    const bool types = list == "typelist";
    if (!types && list != "subtypelist") {
        w.fail("LIST must be typelist or subtypelist, got " + quoted(list));
    }
    ListBox& box = types ? g_->panel.typelist : g_->panel.subtypelist;
    const int64_t last = static_cast<int64_t>(box.entries.size()) - 1;
    const auto n = static_cast<int>(w.integer("N", -1, last));
    w.end();
    box.selected = n;
    if (types) {
        typelist_Click(*g_);
    } else {
        subtypelist_Click(*g_);
    }
}

void Runner::text(Words& w) {
    const std::string_view name = w.word("FIELD");
    const Variable* v = findVariable(name);
    if (v == nullptr || v->access != Access::text) {
        w.fail("FIELD must be one of " + namesWithAccess(Access::text) + ", got " + quoted(name));
    }
    const std::string_view typed = w.restAfterOneBlank();
    storeValue(*v, *g_, typed);
}

void Runner::check(Words& w) {
    const std::string_view name = w.word("FIELD");
    const Variable* v = findVariable(name);
    if (v == nullptr || v->access != Access::check) {
        w.fail("FIELD must be one of " + namesWithAccess(Access::check) + ", got " + quoted(name));
    }
    const std::string_view value = w.word("VALUE");
    if (value != "0" && value != "1") {
        w.fail("VALUE must be 0 or 1, got " + quoted(value));
    }
    w.end();
    storeValue(*v, *g_, value);
}

void Runner::set(Words& w) {
    const std::string_view name = w.word("NAME");
    const Variable* v = findVariable(name);
    if (v == nullptr) {
        w.fail("unknown variable " + quoted(name));
    }
    if (v->access != Access::set) {
        w.fail(std::string(name) + " cannot be set");
    }
    const std::string_view value = w.word("VALUE");
    w.end();
    // The value is read in full before anything is stored, so a refused one changes nothing.
    if (std::string err = storeValue(*v, *g_, value); !err.empty()) {
        w.fail(err);
    }
}

void Runner::rock(Words& w) {
    const auto index = static_cast<int>(w.integer("I", 0, kLastRockIndex));
    Rock r = g_->rocks[index];
    if (w.done()) {
        w.fail("FIELD=VALUE is missing");
    }
    while (!w.done()) {
        const std::string_view assignment = w.word("FIELD=VALUE");
        const size_t eq = assignment.find('=');
        if (eq == std::string_view::npos) {
            w.fail("expected FIELD=VALUE, got " + quoted(assignment));
        }
        const std::string_view name = assignment.substr(0, eq);
        const std::string_view value = assignment.substr(eq + 1);
        const RockFieldName* field = nullptr;
        for (const RockFieldName& f : rockFields()) {
            if (f.name == name) {
                field = &f;
            }
        }
        if (field == nullptr) {
            w.fail("unknown rock field " + quoted(name));
        }
        const auto* m16 = std::get_if<int16_t Rock::*>(&field->field);
        int64_t n = 0;
        if (std::string err = m16 != nullptr ? readInteger(name, value, kMin16, kMax16, n)
                                             : readInteger(name, value, kMin32, kMax32, n);
            !err.empty()) {
            w.fail(err);
        }
        if (m16 != nullptr) {
            r.*(*m16) = static_cast<int16_t>(n);
        } else {
            r.*std::get<int32_t Rock::*>(field->field) = static_cast<int32_t>(n);
        }
    }
    g_->rocks[index] = r;
}

void Runner::dot(Words& w) {
    const int64_t x = w.integer("X", kMin32, kMax32);
    const int64_t y = w.integer("Y", kMin32, kMax32);
    const int64_t width = w.integer("W", 1, kMaxPenWidth);
    const int64_t r = w.integer("R", 0, kMaxChannel);
    const int64_t gr = w.integer("G", 0, kMaxChannel);
    const int64_t b = w.integer("B", 0, kMaxChannel);
    w.end();
    Playfield& p = g_->picground;
    p.drawMode = kDrawModeCopyPen;
    p.setDrawWidth(static_cast<int32_t>(width));
    p.PSet(static_cast<double>(x), static_cast<double>(y),
           RGB(static_cast<int32_t>(r), static_cast<int32_t>(gr), static_cast<int32_t>(b)));
}

void Runner::line(Words& w) {
    const int64_t x1 = w.integer("X1", kMin32, kMax32);
    const int64_t y1 = w.integer("Y1", kMin32, kMax32);
    const int64_t x2 = w.integer("X2", kMin32, kMax32);
    const int64_t y2 = w.integer("Y2", kMin32, kMax32);
    const int64_t width = w.integer("W", 1, kMaxPenWidth);
    const int64_t r = w.integer("R", 0, kMaxChannel);
    const int64_t gr = w.integer("G", 0, kMaxChannel);
    const int64_t b = w.integer("B", 0, kMaxChannel);
    w.end();
    Playfield& p = g_->picground;
    p.drawMode = kDrawModeCopyPen;
    p.setDrawWidth(static_cast<int32_t>(width));
    p.Line(static_cast<double>(x1), static_cast<double>(y1), static_cast<double>(x2),
           static_cast<double>(y2),
           RGB(static_cast<int32_t>(r), static_cast<int32_t>(gr), static_cast<int32_t>(b)));
}

void Runner::cls(Words& w) {
    w.end();
    g_->picground.Cls();
}

void Runner::dump(Words& w) {
    w.end();
    Game& g = *g_;
    JsonWriter j;
    j.beginObject();
    j.key("pass");
    j.integer(static_cast<int64_t>(passes_));
    j.key("rockcount");
    j.integer(g.rocks.rockcount);
    j.key("rocks");
    j.beginArray();
    const int last = std::clamp<int>(g.rocks.rockcount, 0, kLastRockIndex);
    for (int i = 1; i <= last; ++i) {
        const Rock& r = g.rocks[i];
        j.beginObject();
        j.key("i");
        j.integer(i);
        for (const RockFieldName& f : rockFields()) {
            j.key(f.name);
            std::visit([&](auto member) { j.integer(r.*member); }, f.field);
        }
        j.endObject();
    }
    j.endArray();
    for (const Variable& v : variables()) {
        if (v.name != "rockcount") {
            j.key(v.name);
            writeField(j, v.field(g));
        }
    }
    j.endObject();
    out_ << j.str() << '\n';
}

void Runner::point(Words& w) {
    const int64_t x = w.integer("X", kMin32, kMax32);
    const int64_t y = w.integer("Y", kMin32, kMax32);
    w.end();
    out_ << g_->picground.Point(static_cast<double>(x), static_cast<double>(y)) << '\n';
}

void Runner::png(Words& w) {
    const std::string file(w.word("FILE"));
    w.end();
    if (!writePng(file, g_->picground.pixels().data(), kPlayfieldPixelsW, kPlayfieldPixelsH)) {
        w.fail("cannot write " + quoted(file));
    }
}

void Runner::hash(Words& w) {
    w.end();
    char buf[20];
    std::snprintf(buf, sizeof buf, "%016" PRIx64, stateHash(*g_));
    out_ << buf << '\n';
}

void Runner::view(Words& w) {
    const std::string file(w.word("FILE"));
    w.end();
    std::vector<Colour> pixels(static_cast<size_t>(kViewPixelsW) * kViewPixelsH);
    composeView(*g_, pixels.data());
    if (!writePng(file, pixels.data(), kViewPixelsW, kViewPixelsH)) {
        w.fail("cannot write " + quoted(file));
    }
}

const char* usageText() {
    return R"(usage: wreckhaul-sim [--seed N] SCRIPT
       wreckhaul-sim --help

Runs the game without a window: start-up with the generator seeded from N (default 1), then
SCRIPT (a file, or - for standard input) line by line. Every pass takes exactly 16 ms of a
virtual clock. Exit status 0 when the script ends or Esc ends the game; 2 for a usage error or
a script error (SCRIPT:LINE: message on standard error; nothing of that line or later runs).

One command per line; blank lines and lines starting with # are ignored. Numbers are decimal
integers (negative allowed) unless said otherwise.

  seed N                    start a new game, its generator seeded from N (any 64-bit value)
  pass [N]                  run N passes (default 1), each a work then a tick
  work                      the work of one pass; the clock moves on 16 ms
  tick                      the event step that closes a pass (the timer); events between a
                              work and its tick arrive in that pass before the timer
  keydown VK | keyup VK     the window's key-down / key-up event, virtual-key code VK
  key VK                    key-down then key-up
  char C                    the character event: a code, or one character in quotes ('e')
  click X Y [BUTTON]        press on the playfield at playfield twips (button 1, 2 or 4);
                              X and Y take fractions
  mousedown B X Y           the window's own mouse events at window twips (fractions taken);
  mousemove B X Y             B is one button for a press or release, the buttons held (0 to
                              7) for a move
  mouseup B X Y
  select typelist N         select position N of a list (-1 for none), raising its click
  select subtypelist N
  text FIELD TEXT           set a panel text box to the rest of the line after one blank:
                              xdis ydis xt yt counttext fullcount countstep number
  check FIELD 0|1           untick or tick rndxdis rndydis rndcount rndfullcount
  set NAME VALUE            set a named variable (any name the dump shows, except passstart,
                              now, beeps, the lists, labels, text and check boxes); left, top,
                              pi and degtorad take fractions; timer2 and frame1 take 0 or 1
  rock I FIELD=VALUE ...    write fields of rock I (0 to 1500): type subtype x y xdis ydis
                              count fullcount countstep xt yt; rockcount is not changed
  dot X Y W R G B           PSet at twips (X, Y), pen width W, colour (R, G, B), copy mode
  line X1 Y1 X2 Y2 W R G B  Line likewise
  cls                       the playfield's Cls
  dump                      one line of JSON: pass, rockcount, rocks 1 to rockcount, and
                              every named variable
  point X Y                 the colour value Point reads at twips (X, Y)
  png FILE                  write the whole playfield surface (4267 x 601) as a PNG
  view FILE                 write the 800 x 600 window view as a PNG
  hash                      a 64-bit hash of the whole state, 16 hex digits
)";
}

} // namespace wh::sim
