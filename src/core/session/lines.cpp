// Each line is read whole, every number against the range of the handler or field it reaches,
// before anything of it runs; lineText writes what readLine reads back to the same value.
#include "session/lines.hpp"

#include "app/statehash.hpp"
#include "session/numbers.hpp"
#include "tools/lists.hpp"
#include "tools/mouse.hpp"
#include "tools/panelfields.hpp"

#include <array>
#include <cinttypes>
#include <cstdio>
#include <limits>

namespace wh::session {

namespace {

constexpr int64_t kMaxPassesPerLine = 1000000000;
constexpr int64_t kMin16 = std::numeric_limits<int16_t>::min();
constexpr int64_t kMax16 = std::numeric_limits<int16_t>::max();
constexpr int64_t kMaxClock = std::numeric_limits<uint32_t>::max();
constexpr int64_t kHeldButtonsMask = kButtonLeft | kButtonRight | kButtonMiddle;
constexpr int kLastListPosition = kRockTypeCount - 1;
constexpr size_t kHashDigits = 16;

template <typename Table> std::string namesOf(const Table& table) {
    std::string names;
    for (const auto& f : table) {
        names += names.empty() ? "" : ", ";
        names += f.name;
    }
    return names;
}

int16_t vkOf(Words& w) {
    const auto vk = static_cast<int16_t>(w.integer("VK", kMin16, kMax16));
    w.end();
    return vk;
}

Line header(Words& w) {
    const int64_t version = w.integer("VERSION", 1, std::numeric_limits<int64_t>::max());
    w.end();
    if (version > kReplayVersion) {
        throw LineError("made by a newer Wreckhaul: replay format version " +
                        std::to_string(version) + ", this one reads up to version " +
                        std::to_string(kReplayVersion));
    }
    return HeaderLine{version};
}

Line seed(Words& w) {
    const std::string_view word = w.word("N");
    uint64_t value = 0;
    if (std::string err = readSeed(word, value); !err.empty()) {
        w.fail(err);
    }
    w.end();
    return SeedLine{value};
}

Line pass(Words& w) {
    int64_t n = 1;
    if (!w.done()) {
        n = w.integer("N", 0, kMaxPassesPerLine);
    }
    w.end();
    return PassLine{n};
}

Line work(Words& w) {
    w.end();
    return WorkLine{};
}

Line tick(Words& w) {
    w.end();
    return TickLine{};
}

Line clock(Words& w) {
    const auto ms = static_cast<uint32_t>(w.integer("MS", 0, kMaxClock));
    w.end();
    return ClockLine{ms};
}

Line checkpoint(Words& w) {
    const auto pass =
        static_cast<uint64_t>(w.integer("PASS", 0, std::numeric_limits<int64_t>::max()));
    const std::string_view digits = w.word("HASH");
    if (digits.size() != kHashDigits ||
        digits.find_first_not_of("0123456789abcdef") != std::string_view::npos) {
        w.fail("HASH must be 16 hexadecimal digits, got " + quoted(digits));
    }
    w.end();
    uint64_t hash = 0;
    for (const char c : digits) {
        hash = hash * 16 + static_cast<uint64_t>(c <= '9' ? c - '0' : c - 'a' + 10);
    }
    return CheckLine{pass, hash};
}

Line keyDown(Words& w) {
    return Line{std::in_place_type<Input>, KeyDown{vkOf(w)}};
}

Line keyUp(Words& w) {
    return Line{std::in_place_type<Input>, KeyUp{vkOf(w)}};
}

Line keyStroke(Words& w) {
    return KeyStroke{vkOf(w)};
}

Line character(Words& w) {
    int16_t code = 0;
    const std::string_view rest = w.rest();
    if (!rest.empty() && rest.front() == '\'') {
        if (rest.size() < 3 || rest[2] != '\'' ||
            (rest.size() > 3 && rest[3] != ' ' && rest[3] != '\t')) {
            w.fail("C must be one character in single quotes, got " + quoted(rest));
        }
        code = static_cast<unsigned char>(rest[1]);
        w.consume(3);
    } else {
        code = static_cast<int16_t>(w.integer("C", kMin16, kMax16));
    }
    w.end();
    return Line{std::in_place_type<Input>, Character{code}};
}

Line click(Words& w) {
    const float x = w.real("X");
    const float y = w.real("Y");
    int16_t button = kButtonLeft;
    if (!w.done()) {
        button = w.button("BUTTON");
    }
    w.end();
    return Line{std::in_place_type<Input>, PlayfieldPress{x, y, button}};
}

Line mouse(Words& w, MousePhase phase) {
    // A move reports every button held; a press or release one button.
    const auto b = phase == MousePhase::move
                       ? static_cast<int16_t>(w.integer("B", 0, kHeldButtonsMask))
                       : w.button("B");
    const float x = w.real("X");
    const float y = w.real("Y");
    w.end();
    return Line{std::in_place_type<Input>, WindowMouse{phase, b, x, y}};
}

Line mouseDown(Words& w) {
    return mouse(w, MousePhase::down);
}

Line mouseMove(Words& w) {
    return mouse(w, MousePhase::move);
}

Line mouseUp(Words& w) {
    return mouse(w, MousePhase::up);
}

Line brush(Words& w) {
    const float x1 = w.real("X1");
    const float y1 = w.real("Y1");
    const float x2 = w.real("X2");
    const float y2 = w.real("Y2");
    const int16_t button = w.button("B");
    w.end();
    return Line{std::in_place_type<Input>, BrushStroke{x1, y1, x2, y2, button}};
}

Line select(Words& w) {
    const std::string_view list = w.word("LIST");
    const bool types = list == listName(ListId::typelist);
    if (!types && list != listName(ListId::subtypelist)) {
        w.fail("LIST must be typelist or subtypelist, got " + quoted(list));
    }
    const auto n = static_cast<int>(w.integer("N", -1, kLastListPosition));
    w.end();
    return Line{std::in_place_type<Input>,
                ListSelect{types ? ListId::typelist : ListId::subtypelist, n}};
}

Line text(Words& w) {
    const std::string_view name = w.word("FIELD");
    if (findPanelTextField(name) == nullptr) {
        w.fail("FIELD must be one of " + namesOf(kPanelTextFields) + ", got " + quoted(name));
    }
    return Line{std::in_place_type<Input>,
                TextEdit{std::string(name), std::string(w.restAfterOneBlank())}};
}

Line check(Words& w) {
    const std::string_view name = w.word("FIELD");
    if (findPanelCheckField(name) == nullptr) {
        w.fail("FIELD must be one of " + namesOf(kPanelCheckFields) + ", got " + quoted(name));
    }
    const std::string_view value = w.word("VALUE");
    if (value != "0" && value != "1") {
        w.fail("VALUE must be 0 or 1, got " + quoted(value));
    }
    w.end();
    return Line{std::in_place_type<Input>, CheckBoxSet{std::string(name), value == "1"}};
}

struct Reader {
    std::string_view name;
    Line (*read)(Words&);
};

constexpr std::array kReaders = {
    Reader{kReplayFormat, header},
    Reader{"seed", seed},
    Reader{"pass", pass},
    Reader{"work", work},
    Reader{"tick", tick},
    Reader{"clock", clock},
    Reader{"checkpoint", checkpoint},
    Reader{"keydown", keyDown},
    Reader{"keyup", keyUp},
    Reader{"key", keyStroke},
    Reader{"char", character},
    Reader{"click", click},
    Reader{"mousedown", mouseDown},
    Reader{"mousemove", mouseMove},
    Reader{"mouseup", mouseUp},
    Reader{"brush", brush},
    Reader{"select", select},
    Reader{"text", text},
    Reader{"check", check},
};

// Nine significant digits carry every float exactly through the reading above.
std::string number(float v) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.9g", static_cast<double>(v));
    return buf;
}

struct Write {
    std::string operator()(const HeaderLine& h) const {
        return std::string(kReplayFormat) + " " + std::to_string(h.version);
    }
    std::string operator()(const SeedLine& s) const { return "seed " + std::to_string(s.seed); }
    std::string operator()(const PassLine& p) const { return "pass " + std::to_string(p.count); }
    std::string operator()(const WorkLine&) const { return "work"; }
    std::string operator()(const TickLine&) const { return "tick"; }
    std::string operator()(const ClockLine& c) const { return "clock " + std::to_string(c.ms); }
    std::string operator()(const CheckLine& c) const {
        char hash[24];
        std::snprintf(hash, sizeof hash, "%016" PRIx64, c.hash);
        return "checkpoint " + std::to_string(c.pass) + " " + hash;
    }
    std::string operator()(const KeyStroke& k) const { return "key " + std::to_string(k.vk); }
    std::string operator()(const Input& i) const { return std::visit(*this, i); }
    std::string operator()(const KeyDown& k) const { return "keydown " + std::to_string(k.vk); }
    std::string operator()(const KeyUp& k) const { return "keyup " + std::to_string(k.vk); }
    std::string operator()(const Character& c) const { return "char " + std::to_string(c.code); }
    std::string operator()(const PlayfieldPress& p) const {
        return "click " + number(p.x) + " " + number(p.y) + " " + std::to_string(p.button);
    }
    std::string operator()(const WindowMouse& m) const {
        const char* word = m.phase == MousePhase::down   ? "mousedown"
                           : m.phase == MousePhase::move ? "mousemove"
                                                         : "mouseup";
        return std::string(word) + " " + std::to_string(m.buttons) + " " + number(m.x) + " " +
               number(m.y);
    }
    std::string operator()(const BrushStroke& b) const {
        return "brush " + number(b.x1) + " " + number(b.y1) + " " + number(b.x2) + " " +
               number(b.y2) + " " + std::to_string(b.button);
    }
    std::string operator()(const ListSelect& s) const {
        return std::string("select ") + listName(s.list) + " " + std::to_string(s.position);
    }
    // The reader takes everything after one blank as the text, so any text but a line break
    // survives; the panel's boxes hold a single line.
    std::string operator()(const TextEdit& t) const {
        return "text " + t.field + " " + t.text.substr(0, t.text.find_first_of("\r\n"));
    }
    std::string operator()(const CheckBoxSet& c) const {
        return "check " + c.field + (c.ticked ? " 1" : " 0");
    }
};

struct Run {
    Session& s;

    void operator()(const HeaderLine&) const {}
    void operator()(const SeedLine& l) const { s.start(l.seed); }
    void operator()(const PassLine& l) const {
        for (int64_t i = 0; i < l.count && !s.game().ended; ++i) {
            s.pass();
        }
    }
    void operator()(const WorkLine&) const { s.work(); }
    void operator()(const TickLine&) const { s.tick(); }
    void operator()(const ClockLine& l) const { s.readClock(l.ms); }
    void operator()(const CheckLine& l) const {
        if (s.passes() != l.pass || stateHash(s.game()) != l.hash) {
            throw LineError(divergenceMessage(l.pass));
        }
    }
    void operator()(const KeyStroke& k) const {
        s.deliver(KeyDown{k.vk});
        s.deliver(KeyUp{k.vk});
    }
    void operator()(const Input& i) const { s.deliver(i); }
};

} // namespace

bool isSessionCommand(std::string_view command) {
    for (const Reader& r : kReaders) {
        if (r.name == command) {
            return true;
        }
    }
    return false;
}

std::optional<Line> readLine(std::string_view text) {
    const auto parts = splitLine(text);
    if (!parts) {
        return std::nullopt;
    }
    for (const Reader& r : kReaders) {
        if (r.name == parts->first) {
            Words w(parts->first, parts->second);
            return r.read(w);
        }
    }
    throw LineError("unknown command " + quoted(parts->first));
}

std::string lineText(const Line& line) {
    return std::visit(Write{}, line);
}

void runLine(Session& s, const Line& line) {
    std::visit(Run{s}, line);
}

std::string divergenceMessage(uint64_t pass) {
    return "the replay left the recorded game at pass " + std::to_string(pass);
}

} // namespace wh::session
