// The script commands: the session's lines (seed, passes, clock readings, inputs, checks) and
// the runner's own test commands. Each reads its whole line first (numbers within the range of
// the field they reach, no word left over), and only then changes the game.
#include "runner.hpp"

#include "json.hpp"
#include "png.hpp"
#include "variables.hpp"

#include "app/statehash.hpp"
#include "app/view.hpp"
#include "app/window.hpp"
#include "session/lines.hpp"
#include "session/numbers.hpp"

#include <algorithm>
#include <array>
#include <cfloat>
#include <cinttypes>
#include <cstdio>
#include <limits>
#include <vector>

namespace wh::sim {

using session::quoted;
using session::readInteger;
using session::Words;

namespace {

constexpr int64_t kMin16 = std::numeric_limits<int16_t>::min();
constexpr int64_t kMax16 = std::numeric_limits<int16_t>::max();
constexpr int64_t kMin32 = std::numeric_limits<int32_t>::min();
constexpr int64_t kMax32 = std::numeric_limits<int32_t>::max();
constexpr int64_t kMaxChannel = 255;

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

Runner::Runner(uint64_t seed, std::ostream& out)
    : own_(std::make_unique<Game>()), session_(*own_), out_(out) {
    session_.start(seed);
}

Runner::Runner(Game& game, std::ostream& out) : session_(game), out_(out) {}

bool Runner::runLine(std::string_view text) {
    const auto parts = session::splitLine(text);
    if (!parts) {
        return true;
    }
    const std::string_view command = parts->first;
    if (session::isSessionCommand(command)) {
        session::runLine(session_, *session::readLine(text));
        return !game().ended;
    }
    Words w(command, parts->second);

    using Command = void (Runner::*)(Words&);
    struct Entry {
        std::string_view name;
        Command run;
    };
    static constexpr std::array kCommands = {
        Entry{"set", &Runner::set},     Entry{"rock", &Runner::rock}, Entry{"dot", &Runner::dot},
        Entry{"line", &Runner::line},   Entry{"cls", &Runner::cls},   Entry{"dump", &Runner::dump},
        Entry{"point", &Runner::point}, Entry{"png", &Runner::png},   Entry{"hash", &Runner::hash},
        Entry{"view", &Runner::view},
    };
    for (const Entry& e : kCommands) {
        if (e.name == command) {
            (this->*e.run)(w);
            return !game().ended;
        }
    }
    throw ScriptError("unknown command " + quoted(command));
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
    if (std::string err = storeValue(*v, game(), value); !err.empty()) {
        w.fail(err);
    }
}

void Runner::rock(Words& w) {
    const auto index = static_cast<int>(w.integer("I", 0, kLastRockIndex));
    Rock r = game().rocks[index];
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
    game().rocks[index] = r;
}

void Runner::dot(Words& w) {
    const int64_t x = w.integer("X", kMin32, kMax32);
    const int64_t y = w.integer("Y", kMin32, kMax32);
    const int64_t width = w.integer("W", 1, kMaxPenWidth);
    const int64_t r = w.integer("R", 0, kMaxChannel);
    const int64_t gr = w.integer("G", 0, kMaxChannel);
    const int64_t b = w.integer("B", 0, kMaxChannel);
    w.end();
    Playfield& p = game().picground;
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
    Playfield& p = game().picground;
    p.drawMode = kDrawModeCopyPen;
    p.setDrawWidth(static_cast<int32_t>(width));
    p.Line(static_cast<double>(x1), static_cast<double>(y1), static_cast<double>(x2),
           static_cast<double>(y2),
           RGB(static_cast<int32_t>(r), static_cast<int32_t>(gr), static_cast<int32_t>(b)));
}

void Runner::cls(Words& w) {
    w.end();
    game().picground.Cls();
}

void Runner::dump(Words& w) {
    w.end();
    Game& g = game();
    JsonWriter j;
    j.beginObject();
    j.key("pass");
    j.integer(static_cast<int64_t>(session_.passes()));
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
    out_ << game().picground.Point(static_cast<double>(x), static_cast<double>(y)) << '\n';
}

void Runner::png(Words& w) {
    const std::string file(w.word("FILE"));
    w.end();
    if (!writePng(file, game().picground.pixels().data(), kPlayfieldPixelsW, kPlayfieldPixelsH)) {
        w.fail("cannot write " + quoted(file));
    }
}

void Runner::hash(Words& w) {
    w.end();
    char buf[20];
    std::snprintf(buf, sizeof buf, "%016" PRIx64, stateHash(game()));
    out_ << buf << '\n';
}

void Runner::view(Words& w) {
    const std::string file(w.word("FILE"));
    w.end();
    std::vector<Colour> pixels(static_cast<size_t>(kViewPixelsW) * kViewPixelsH);
    composeView(game(), pixels.data());
    if (!writePng(file, pixels.data(), kViewPixelsW, kViewPixelsH)) {
        w.fail("cannot write " + quoted(file));
    }
}

const char* usageText() {
    return R"(usage: wreckhaul-sim [--seed N] SCRIPT
       wreckhaul-sim --help

Runs the game without a window: start-up with the generator seeded from N (default 1), then
SCRIPT (a file, or - for standard input) line by line. Every pass takes exactly 16 ms of a
virtual clock unless a clock line says otherwise. A recording made by wreckhaul --record is such
a script. Exit status 0 when the script ends or Esc ends the game (only checkpoint lines run
after that); 2 for a usage error, a script error or a checkpoint the game does not reach
(SCRIPT:LINE: message on standard error; nothing of that line or later runs).

One command per line; blank lines and lines starting with # are ignored. Numbers are decimal
integers (negative allowed) unless said otherwise.

  seed N                    start a new game, its generator seeded from N (any 64-bit value)
  pass [N]                  run N passes (default 1), each a work then a tick
  work                      the work of one pass; the clock moves on 16 ms
  tick                      the event step that closes a pass (the timer); events between a
                              work and its tick arrive in that pass before the timer
  clock MS                  the tick counter reads MS (0 to 4294967295) from here on: the next
                              work begins there, the next tick reads it
  checkpoint PASS HASH      stop with an error unless PASS works have run since the seed and
                              the state hash is HASH (16 hex digits): a recording's check
  wreckhaul-replay V        a recording's header: refused when V is newer than this build reads
  keydown VK | keyup VK     the window's key-down / key-up event, virtual-key code VK
  key VK                    key-down then key-up
  char C                    the character event: a code, or one character in quotes ('e')
  click X Y [BUTTON]        press on the playfield at playfield twips (button 1, 2 or 4);
                              X and Y take fractions
  mousedown B X Y           the window's own mouse events at window twips (fractions taken);
  mousemove B X Y             B is one button for a press or release, the buttons held (0 to
                              7) for a move
  mouseup B X Y
  brush X1 Y1 X2 Y2 B       brush mode's stroke from (X1, Y1) to (X2, Y2), playfield twips:
                              B 1 paints in the paint colour, 2 digs; the brush's width
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
