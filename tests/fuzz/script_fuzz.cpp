// Fuzz target for wreckhaul-sim's script language: any bytes, split into lines as the runner
// reads a script, each line run through Runner::runLine on a freshly started game. A refused
// line is a fine outcome, but it must leave the game exactly as it found it; a crash, a
// sanitizer's report, an escaped exception or a table out of its bounds is a fault.
#include "runner.hpp"

#include "app/mainloop.hpp"
#include "session/lines.hpp"
#include "session/numbers.hpp"
#include "session/player.hpp"
#include "tools/textnumber.hpp"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr uint64_t kStartSeed = 1;
constexpr int kMaxLines = 256;

// What one input may cost. The runner takes a billion passes at a word, and a single pass over a
// full table of explosions each as wide as the surface paints billions of pixels (seconds even
// without the sanitizers), so every line is weighed before it runs, by the pixels it may paint
// at most, and left out once the input's share is spent. A `pass N` runs one pass at a time.
constexpr int kPassBudget = 16;
constexpr double kSurface = double{wh::kPlayfieldPixelsW} * wh::kPlayfieldPixelsH;
constexpr double kPixelBudget = 40 * kSurface;
constexpr double kSmallLook = 400;   // pixels: the widest fixed look, a comet's ten dots
constexpr double kStreakPen = 2;     // pixels across a streak
constexpr int kMostAddedByAKey = 22; // `=` erases and draws its eleven slots; scatter its groups

double size(int v) {
    return std::abs(static_cast<double>(v));
}

double dotArea(double width) {
    const double w = std::clamp(width, 1.0, double{wh::kMaxPenWidth});
    return std::min(w, double{wh::kPlayfieldPixelsW}) * std::min(w, double{wh::kPlayfieldPixelsH});
}

// A rock paints a streak as long as its step and small dots, except the two whose pen is a
// counter: a boulder's width is its count, an explosion's comes from count and fullcount.
double rockArea(const wh::Rock& r) {
    const double step = size(r.xdis) + size(r.ydis);
    const double look = kStreakPen * step / wh::kTwipsPerPixel + kSmallLook;
    if (r.type != wh::RockType::explosion && r.type != wh::RockType::boulder) {
        return look;
    }
    return look + dotArea(size(r.count) + size(r.fullcount) + 1);
}

double tableArea(const wh::Game& g) {
    double a = 0;
    for (int i = 1; i <= std::min<int>(g.rocks.rockcount, wh::kLastRockIndex); ++i) {
        a += rockArea(g.rocks[i]);
    }
    return a;
}

// Adders keep the counters a slot held, so any slot may come back as the widest rock.
double widestSlot(const wh::Game& g) {
    double a = 0;
    for (const wh::Rock& r : g.rocks.rocks) {
        a = std::max(a, rockArea(r));
    }
    return a;
}

// A pass erases and draws every rock, the timer's tick again, and a few rocks come to life.
double passCost(const wh::Game& g) {
    return 4 * tableArea(g) + 4 * widestSlot(g) + kSurface;
}

// A click spawns the panel's batch, each rock drawn as it comes.
double clickCost(const wh::Game& g) {
    const double room = wh::kLastRockIndex - std::max<int>(g.rocks.rockcount, 0);
    const double wanted = wh::readNumber(g.panel.number);
    const double n = std::isnan(wanted) ? 0 : std::clamp(wanted, 0.0, room);
    wh::Rock r;
    r.type = wh::RockType::boulder;
    r.xdis = wh::readField16(g.panel.xdis);
    r.ydis = wh::readField16(g.panel.ydis);
    r.count = wh::readField16(g.panel.counttext);
    r.fullcount = wh::readField16(g.panel.fullcount);
    return n * rockArea(r);
}

// The character commands that paint: retyping erases every rock, adding and removing erase and
// draw a few slots, scatter all of them, darken and clear cover the surface. A code the harness
// cannot tell is weighed as the heaviest of them.
double charCost(const std::vector<std::string_view>& w, const wh::Game& g) {
    int64_t code = -1;
    if (w.size() == 2 && w[1].size() == 3 && w[1][0] == '\'' && w[1][2] == '\'') {
        code = static_cast<unsigned char>(w[1][1]);
    } else if (w.size() != 2 || !wh::session::readInteger("C", w[1], 0, 255, code).empty()) {
        code = -1;
    }
    switch (code) {
    case 'g':
    case 'l':
    case 's':
    case 'f':
        return tableArea(g);
    case '=':
    case '-':
        return kMostAddedByAKey * widestSlot(g);
    case 'd':
    case 'c':
        return kSurface;
    case -1:
    case 'e':
        return 2 * tableArea(g) + kMostAddedByAKey * widestSlot(g) + kSurface;
    default:
        return 0;
    }
}

double lineCost(const std::vector<std::string_view>& w, const wh::Game& g) {
    const std::string_view command = w[0];
    if (command == "click") {
        return clickCost(g);
    }
    if (command == "char") {
        return charCost(w, g);
    }
    if (command == "tick") {
        return 2 * tableArea(g);
    }
    if (command == "mousedown" || command == "mousemove") {
        return dotArea(size(g.brushwidth));
    }
    if (command == "seed") {
        return 2 * kSurface;
    }
    if (command == "dot" || command == "line" || command == "cls" || command == "hash") {
        return kSurface;
    }
    return 0;
}

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

// The line's words as the runner splits them.
std::vector<std::string_view> words(std::string_view line) {
    if (!line.empty() && line.back() == '\r') {
        line.remove_suffix(1);
    }
    std::vector<std::string_view> out;
    size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && isBlank(line[i])) {
            ++i;
        }
        const size_t start = i;
        while (i < line.size() && !isBlank(line[i])) {
            ++i;
        }
        if (i > start) {
            out.push_back(line.substr(start, i - start));
        }
    }
    return out;
}

// What a refused line must not have touched: the table, the drawing, the clock, the end.
struct Snapshot {
    wh::RockTable rocks;
    uint64_t revision = 0;
    uint64_t passes = 0;
    uint32_t now = 0;
    bool ended = false;

    Snapshot(const wh::Game& g, uint64_t runnerPasses)
        : rocks(g.rocks), revision(g.picground.revision()), passes(runnerPasses), now(g.now),
          ended(g.ended) {}

    bool operator==(const Snapshot& o) const {
        return rocks.rockcount == o.rocks.rockcount && rocks.rocks == o.rocks.rocks &&
               revision == o.revision && passes == o.passes && now == o.now && ended == o.ended;
    }
};

// Started once; every input begins from a copy, so a crash replays from its input alone.
class Harness {
public:
    Harness() : started_(std::make_unique<wh::Game>()), game_(std::make_unique<wh::Game>()) {
        wh::Form_Load(*started_, kStartSeed);
    }

    void run(std::string_view script) {
        // The same bytes loaded as a replay: read whole, accepted or refused, never a crash.
        std::istringstream replay{std::string(script)};
        std::string refused;
        (void)wh::session::Player::read(replay, "fuzz", refused);
        *game_ = *started_;
        out_.str({});
        runner_ = std::make_unique<wh::sim::Runner>(*game_, out_);
        spent_ = 0;
        passes_ = 0;
        int lines = 0;
        size_t at = 0;
        while (at <= script.size() && lines < kMaxLines) {
            size_t eol = script.find('\n', at);
            if (eol == std::string_view::npos) {
                eol = script.size();
            }
            const std::string line(script.substr(at, eol - at));
            at = eol + 1;
            ++lines;
            if (!runBounded(line)) {
                return; // Esc: the runner's script ends here
            }
        }
    }

private:
    // False once the game has ended.
    bool runBounded(const std::string& line) {
        const std::vector<std::string_view> w = words(line);
        const std::string_view command = wh::session::commandOf(line);
        if (command == "png" || command == "view") {
            return true; // no files
        }
        int64_t n = command == "work" ? 1 : 0;
        if (command == "pass") {
            try {
                const std::optional<wh::session::Line> read = wh::session::readLine(line);
                const auto* pass = read ? std::get_if<wh::session::PassLine>(&*read) : nullptr;
                n = pass != nullptr ? pass->count : 0;
            } catch (const wh::session::LineError&) {
                n = 0; // malformed: the runner refuses it below, and nothing runs
            }
        }
        if (n > 1) {
            for (int64_t i = 0; i < n; ++i) {
                if (!afford(passCost(*game_), 1)) {
                    return true;
                }
                if (!runChecked("pass")) {
                    return false;
                }
            }
            return true;
        }
        const double cost = n > 0 ? passCost(*game_) : w.empty() ? 0 : lineCost(w, *game_);
        if (!afford(cost, n)) {
            return true;
        }
        return runChecked(line);
    }

    bool afford(double pixels, int64_t passes) {
        if (spent_ + pixels > kPixelBudget || passes_ + passes > kPassBudget) {
            return false;
        }
        spent_ += pixels;
        passes_ += passes;
        return true;
    }

    bool runChecked(const std::string& line) {
        const Snapshot before(*game_, runner_->passes());
        bool goesOn = true;
        try {
            goesOn = runner_->runLine(line);
        } catch (const wh::sim::ScriptError&) {
            if (!(Snapshot(*game_, runner_->passes()) == before)) {
                std::abort(); // a refused line changed the game
            }
            return true;
        }
        const wh::Game& g = *game_;
        if (g.rocks.rockcount < 0 || g.rocks.rockcount > wh::kLastRockIndex ||
            g.picground.drawWidth() < 1) {
            std::abort();
        }
        return goesOn;
    }

    std::unique_ptr<wh::Game> started_;
    std::unique_ptr<wh::Game> game_;
    std::ostringstream out_; // dumps, points and hashes: written, then thrown away
    std::unique_ptr<wh::sim::Runner> runner_;
    double spent_ = 0; // pixels the input's lines may have painted so far
    int64_t passes_ = 0;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static Harness harness;
    harness.run(std::string_view(reinterpret_cast<const char*>(data), size));
    return 0;
}
