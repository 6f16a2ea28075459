// The soak's driver: the session's passes on its virtual clock, and between a pass's work and its
// tick a random handful of the window's inputs, each followed by the invariant checks. The input
// depends only on the seed, never on the game, so every build of the game sees the same events.
#include "soak.hpp"

#include "nasty.hpp"
#include "soakrng.hpp"

#include "app/numeric.hpp"
#include "app/statehash.hpp"
#include "app/view.hpp"
#include "app/window.hpp"
#include "session/session.hpp"
#include "tools/keyboard.hpp"
#include "tools/lists.hpp"
#include "tools/mouse.hpp"
#include "tools/panelfields.hpp"
#include "vehicle/keys.hpp"

#include <algorithm>
#include <cfloat>
#include <cinttypes>
#include <cmath>
#include <cstdio>
#include <memory>
#include <ostream>
#include <vector>

namespace wh::soak {

namespace {

constexpr uint32_t kNearWrapMillis = 200000; // about 12500 passes before the tick counter wraps
constexpr uint64_t kTrailStart = 0xcbf29ce484222325ULL;
constexpr uint64_t kTrailMultiplier = 0x100000001b3ULL;
constexpr size_t kRecentEvents = 12; // shown with a fault
constexpr size_t kShownTextBytes = 48;
constexpr long kViewEveryPasses = 50; // the window shows the playfield, as the front end would

constexpr uint32_t kEscapeOneIn = 2500; // events per Esc, on average
constexpr uint32_t kBurstOneIn = 10;    // a character held down for auto-repeat
constexpr int kShortBurst = 20;
constexpr uint32_t kLongBurstOneIn = 4; // of bursts: a key held for seconds
constexpr int kLongestBurst = 200;
// Now and then the add command is held down long enough to fill the table within one event step.
constexpr uint32_t kFloodOneIn = 500;
constexpr int kFloodPresses = 150; // ten rocks each
constexpr int16_t kCharAdd = '=';
constexpr int kLongestDrag = 30; // moves delivered within one event step
constexpr int kLongestStorm = 40;

// How many events one event step delivers: most steps none or one, a few a storm.
constexpr uint32_t kStepPercentNone = 55;
constexpr uint32_t kStepPercentOne = 30;
constexpr uint32_t kStepPercentFew = 12; // 2 to 4; the rest are storms
constexpr int kFewEvents = 4;

// How often each kind of event comes, in parts of the whole; Esc is drawn apart, and rarely.
struct EventWeight {
    EventKind kind;
    uint32_t weight;
};
constexpr EventWeight kEventWeights[] = {
    {EventKind::keyDown, 14},       {EventKind::keyUp, 12},       {EventKind::character, 20},
    {EventKind::playfieldClick, 8}, {EventKind::windowMouse, 22}, {EventKind::listClick, 6},
    {EventKind::panelText, 10},     {EventKind::checkBox, 4},     {EventKind::placePlayfield, 4}};

EventKind eventKind(SoakRng& rng) {
    uint32_t total = 0;
    for (const EventWeight& w : kEventWeights) {
        total += w.weight;
    }
    uint32_t roll = rng.below(total);
    for (const EventWeight& w : kEventWeights) {
        if (roll < w.weight) {
            return w.kind;
        }
        roll -= w.weight;
    }
    return EventKind::placePlayfield;
}

// The window's client area and the playfield, in twips, for choosing places.
constexpr double kViewW = kClientWidthTwips;
constexpr double kViewH = kClientHeightTwips;
constexpr double kFieldW = kPlayfieldWidthTwips;
constexpr double kFieldH = kPlayfieldHeightTwips;

// Virtual-key codes the game or the window knows, as inclusive ranges.
struct KeyRange {
    int16_t first;
    int16_t last;
};
constexpr KeyRange kKnownKeys[] = {{8, 9},   {12, 13},  {27, 27},   {32, 32},   {37, 40},  {48, 57},
                                   {65, 90}, {96, 105}, {112, 123}, {188, 188}, {190, 190}};
constexpr int16_t kDrivingKeys[] = {VirtualKey::left,    VirtualKey::right, VirtualKey::comma,
                                    VirtualKey::period,  VirtualKey::space, VirtualKey::enter,
                                    VirtualKey::numpad5, VirtualKey::clear};
constexpr char kCommandChars[] = "glsfpretmadc-=ibv,.123";

// Places that sit on an edge of a float, of the 32-bit and 16-bit fields or of the playfield:
// 2147483520 is the largest float below 2^31 (it fits an int32_t), -2147483904 the next float
// below -2^31 (it does not), 16777216 where floats stop holding every whole number.
constexpr float kEdgePlaces[] = {
    0.0f,          -0.0f,          FLT_MAX,       -FLT_MAX,       FLT_MIN,  -FLT_MIN,  FLT_TRUE_MIN,
    2147483648.0f, -2147483648.0f, 2147483520.0f, -2147483904.0f, 32767.5f, -32768.5f, 65535.0f,
    16777216.0f,   64005.0f,       64004.99f,     9015.0f,        -7.5f,    -1.0f};

std::string placeText(double v) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.9g", v);
    return buf;
}

std::string shownText(const std::string& s) {
    std::string out = "\"";
    for (size_t i = 0; i < s.size() && i < kShownTextBytes; ++i) {
        const auto c = static_cast<unsigned char>(s[i]);
        if (c >= ' ' && c < 127 && c != '"' && c != '\\') {
            out += static_cast<char>(c);
        } else {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\x%02X", c);
            out += buf;
        }
    }
    out += "\"";
    if (s.size() > kShownTextBytes) {
        out += "... (" + std::to_string(s.size()) + " bytes)";
    }
    return out;
}

// A place along one axis: mostly in or near lo .. hi, sometimes on half twips, far out or on an
// edge of the number types. Always finite, as the platform never reports anything else.
float place(SoakRng& rng, double lo, double hi) {
    constexpr double kMargin = 0.1; // of the span, on either side
    const double span = hi - lo;
    switch (rng.below(10)) { // six in ten near the range, one in ten each of the rest
    case 6:                  // whole and half twips: the ties of the rounding
        return static_cast<float>(
            lo + static_cast<double>(rng.between(0, static_cast<int64_t>(2 * span))) / 2.0);
    case 7: // far to the left or above
        return static_cast<float>(-rng.unit() * 1e6);
    case 8: { // anywhere up to the float's range, either side
        // Two draws in their own statements: the order of a call's arguments is the compiler's.
        const double mantissa = 1.0 + rng.unit();
        const auto exponent = static_cast<int>(rng.between(16, 126));
        const double far = std::ldexp(mantissa, exponent);
        return static_cast<float>(rng.oneIn(2) ? far : -far);
    }
    case 9:
        return rng.pick(kEdgePlaces);
    default:
        return static_cast<float>(lo + (rng.unit() * (1 + 2 * kMargin) - kMargin) * span);
    }
}

// Half the time a key that drives, aims, fires or triggers; most of the rest another key the
// window knows; now and then any 16-bit code at all.
int16_t keyCode(SoakRng& rng) {
    const uint32_t roll = rng.below(20);
    if (roll < 10) {
        return rng.pick(kDrivingKeys);
    }
    if (roll < 17) {
        const KeyRange& r = rng.pick(kKnownKeys);
        return static_cast<int16_t>(rng.between(r.first, r.last));
    }
    return static_cast<int16_t>(rng.between(INT16_MIN, INT16_MAX));
}

// Mostly left or right, sometimes the middle, none, or several at once.
int16_t button(SoakRng& rng) {
    constexpr int16_t kUsual[] = {kButtonLeft, kButtonLeft, kButtonRight, kButtonRight,
                                  kButtonMiddle};
    if (rng.oneIn(6)) {
        return static_cast<int16_t>(rng.between(-1, 7));
    }
    return rng.pick(kUsual);
}

// Any character but Esc, with the game's commands as likely as all the rest together.
int16_t character(SoakRng& rng) {
    if (rng.oneIn(2)) {
        return static_cast<int16_t>(kCommandChars[rng.below(sizeof kCommandChars - 1)]);
    }
    int16_t c = kCharEscape;
    while (c == kCharEscape) {
        c = static_cast<int16_t>(rng.below(256));
    }
    return c;
}

class Soak {
public:
    Soak(uint64_t seed, const SoakOptions& options) : rng_(seed), seed_(seed), options_(options) {
        result_.trail = kTrailStart;
    }

    SoakResult run(long passes) {
        // Half the seeds start the tick counter shortly before it wraps.
        clock_ = rng_.oneIn(2) ? UINT32_MAX - rng_.below(kNearWrapMillis) : rng_.next();
        startGame();
        while (result_.fault.empty() && result_.passes < passes) {
            onePass();
        }
        result_.finalHash = stateHash(*game_);
        return result_;
    }

private:
    Game& g() { return *game_; }

    void startGame() {
        const uint64_t seed = rng_.next64();
        session_.start(seed);
        session_.readClock(clock_);
        ++result_.games;
        remember("start a game, seed " + std::to_string(seed));
        check(false);
    }

    void onePass() {
        if (g().paused != kFalse) {
            ++result_.pausedPasses;
        }
        result_.rockPasses += g().rocks.rockcount;
        session_.work();
        ++result_.passes;
        remember("pass " + std::to_string(result_.passes));
        if (!check(false)) {
            return;
        }
        clock_ += session::kPassMillis;
        const uint32_t roll = rng_.below(100);
        const auto events = roll < kStepPercentNone                     ? 0
                            : roll < kStepPercentNone + kStepPercentOne ? 1
                            : roll < kStepPercentNone + kStepPercentOne + kStepPercentFew
                                ? rng_.between(2, kFewEvents)
                                : rng_.between(kFewEvents + 1, kLongestStorm);
        for (int64_t i = 0; i < events && result_.fault.empty(); ++i) {
            oneEvent();
        }
        if (!result_.fault.empty()) {
            return;
        }
        session_.tick();
        remember("event step");
        if (!check(false)) {
            return;
        }
        if (g().rocks.rockcount == kLastRockIndex) {
            ++result_.fullTablePasses;
        }
        if (result_.passes % kTrailPasses == 0) {
            fold();
        }
        if (result_.passes % kViewEveryPasses == 0) {
            composeView(g(), view_.data());
        }
        if (options_.progress != nullptr && result_.passes % kProgressPasses == 0) {
            *options_.progress << "pass " << result_.passes << ", game " << result_.games
                               << ", rockcount " << g().rocks.rockcount << std::endl;
        }
    }

    void oneEvent() {
        if (rng_.oneIn(kEscapeOneIn)) {
            session_.deliver(session::Character{kCharEscape});
            if (sent(EventKind::escape, "char 27 (Esc)", true)) {
                fold();
                startGame();
            }
            return;
        }
        if (rng_.oneIn(kFloodOneIn)) {
            press(kCharAdd, rng_.between(kFloodPresses, kLongestBurst));
            return;
        }
        switch (eventKind(rng_)) {
        case EventKind::keyDown: {
            const int16_t vk = keyCode(rng_);
            session_.deliver(session::KeyDown{vk});
            sent(EventKind::keyDown, "keydown " + std::to_string(vk));
            break;
        }
        case EventKind::keyUp: {
            const int16_t vk = keyCode(rng_);
            session_.deliver(session::KeyUp{vk});
            sent(EventKind::keyUp, "keyup " + std::to_string(vk));
            break;
        }
        case EventKind::character:
            characters();
            break;
        case EventKind::playfieldClick: {
            const int16_t b = button(rng_);
            const float x = place(rng_, 0, kFieldW);
            const float y = place(rng_, 0, kFieldH);
            session_.deliver(session::PlayfieldPress{x, y, b});
            sent(EventKind::playfieldClick, mouseText("click", b, x, y));
            break;
        }
        case EventKind::windowMouse:
            windowMouse();
            break;
        case EventKind::listClick:
            listClick();
            break;
        case EventKind::panelText: {
            const PanelTextField& box = rng_.pick(kPanelTextFields);
            std::string text = box.text == &Panel::number ? numberText(rng_) : panelText(rng_);
            const std::string what = "text " + std::string(box.name) + " " + shownText(text);
            session_.deliver(session::TextEdit{std::string(box.name), std::move(text)});
            sent(EventKind::panelText, what);
            break;
        }
        case EventKind::checkBox: {
            const PanelCheckField& box = rng_.pick(kPanelCheckFields);
            const bool ticked = !(g().panel.*box.ticked);
            session_.deliver(session::CheckBoxSet{std::string(box.name), ticked});
            sent(EventKind::checkBox, "check " + std::string(box.name) + (ticked ? " 1" : " 0"));
            break;
        }
        case EventKind::placePlayfield:
            placePicground();
            break;
        case EventKind::escape: // drawn apart, above
            break;
        }
    }

    // The camera's own positions, and far beyond them; the window then shows what is there.
    void placePicground() {
        Playfield& p = g().picground;
        if (rng_.oneIn(2)) {
            p.Left = place(rng_, -(kFieldW - kViewW), kViewW);
            composeView(g(), view_.data());
            sent(EventKind::placePlayfield, "set left " + placeText(p.Left));
        } else {
            p.Top = place(rng_, -(kFieldH - kViewH), kViewH);
            composeView(g(), view_.data());
            sent(EventKind::placePlayfield, "set top " + placeText(p.Top));
        }
    }

    // One character, or one held down long enough to repeat.
    void characters() {
        const int16_t c = character(rng_);
        int64_t repeats = 1;
        if (rng_.oneIn(kBurstOneIn)) {
            repeats = rng_.oneIn(kLongBurstOneIn) ? rng_.between(kShortBurst + 1, kLongestBurst)
                                                  : rng_.between(2, kShortBurst);
        }
        press(c, repeats);
    }

    // The character event, once per repeat of a held key.
    void press(int16_t c, int64_t repeats) {
        for (int64_t i = 0; i < repeats; ++i) {
            session_.deliver(session::Character{c});
            if (!sent(EventKind::character, "char " + std::to_string(c))) {
                return;
            }
        }
    }

    void windowMouse() {
        using session::MousePhase;
        using session::WindowMouse;
        const uint32_t roll = rng_.below(5);
        if (roll == 0) {
            const int16_t b = button(rng_);
            const float x = place(rng_, 0, kViewW);
            const float y = place(rng_, 0, kViewH);
            session_.deliver(WindowMouse{MousePhase::down, b, x, y});
            sent(EventKind::windowMouse, mouseText("mousedown", b, x, y));
        } else if (roll == 1) {
            const int16_t b = button(rng_);
            const float x = place(rng_, 0, kViewW);
            const float y = place(rng_, 0, kViewH);
            session_.deliver(WindowMouse{MousePhase::up, b, x, y});
            sent(EventKind::windowMouse, mouseText("mouseup", b, x, y));
        } else {
            const auto held = static_cast<int16_t>(rng_.below(8));
            const int64_t moves = rng_.oneIn(5) ? rng_.between(2, kLongestDrag) : 1;
            for (int64_t i = 0; i < moves; ++i) {
                const float x = place(rng_, 0, kViewW);
                const float y = place(rng_, 0, kViewH);
                session_.deliver(WindowMouse{MousePhase::move, held, x, y});
                if (!sent(EventKind::windowMouse, mouseText("mousemove", held, x, y))) {
                    return;
                }
            }
        }
    }

    // A list selects one of its entries or none; the click handler then reads it.
    void listClick() {
        const auto position = static_cast<int>(rng_.between(-1, kRockTypeCount - 1));
        const session::ListId list =
            rng_.oneIn(2) ? session::ListId::typelist : session::ListId::subtypelist;
        session_.deliver(session::ListSelect{list, position});
        sent(EventKind::listClick,
             std::string("select ") + session::listName(list) + " " + std::to_string(position));
    }

    static std::string mouseText(const char* what, int16_t b, float x, float y) {
        return std::string(what) + " button " + std::to_string(b) + " at " + placeText(x) + " " +
               placeText(y);
    }

    // Counts and records an event just handled, then checks the world; false on a fault.
    bool sent(EventKind kind, const std::string& what, bool escapeSent = false) {
        ++result_.events[static_cast<size_t>(kind)];
        remember(what);
        return check(escapeSent);
    }

    void remember(const std::string& what) {
        recent_[recentNext_ % kRecentEvents] = what;
        ++recentNext_;
        if (options_.trace != nullptr) {
            *options_.trace << what << '\n';
        }
    }

    bool check(bool escapeSent) {
        result_.peakRockcount = std::max<int>(result_.peakRockcount, g().rocks.rockcount);
        const std::string broken = checkInvariants(g(), escapeSent);
        if (broken.empty()) {
            return true;
        }
        std::string fault = "seed " + std::to_string(seed_) + ", game " +
                            std::to_string(result_.games) + ", pass " +
                            std::to_string(result_.passes) + ": " + broken + "; last events:";
        const size_t shown = std::min(recentNext_, kRecentEvents);
        for (size_t i = recentNext_ - shown; i < recentNext_; ++i) {
            fault += "\n  " + recent_[i % kRecentEvents];
        }
        result_.fault = fault;
        return false;
    }

    void fold() { result_.trail = (result_.trail ^ stateHash(g())) * kTrailMultiplier; }

    SoakRng rng_;
    uint64_t seed_;
    SoakOptions options_;
    std::unique_ptr<Game> game_ = std::make_unique<Game>();
    session::Session session_{*game_};
    uint32_t clock_ = 0;
    SoakResult result_;
    std::vector<Colour> view_ = std::vector<Colour>(size_t{kViewPixelsW} * kViewPixelsH);
    std::array<std::string, kRecentEvents> recent_;
    size_t recentNext_ = 0;
};

} // namespace

const char* eventName(EventKind kind) {
    constexpr const char* kNames[kEventKinds] = {"keydown",   "keyup",   "char", "esc",
                                                 "click",     "mouse",   "list", "panel-text",
                                                 "check-box", "left-top"};
    return kNames[static_cast<size_t>(kind)];
}

SoakResult runSoak(uint64_t seed, long passes, const SoakOptions& options) {
    Soak soak(seed, options);
    return soak.run(passes);
}

} // namespace wh::soak
