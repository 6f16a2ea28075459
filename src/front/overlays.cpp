// The overlays' words and their timing: the help's rows (its key and mouse rows are the README's
// Controls table, its weapons the core's own names), the stats' figures and what shows when.
#include "front/overlays.hpp"

#include "vehicle/firing.hpp"
#include "vehicle/vehicle.hpp"

#include <algorithm>
#include <cstdio>
#include <string_view>
#include <utility>

namespace wh::front {

namespace {

constexpr HelpRow kKeys[] = {
    {"Left / Right arrows", "drive (both held: right)"},
    {", and . (held)", "turn the gun up / down; typed, they also narrow / widen the paint brush"},
    {"Space (held)", "fire the selected weapon"},
    {"Enter or keypad 5 (Num Lock on), held", "trigger: sets off every proximity bomb"},
    {"1 / 2", "previous / next weapon; paint colour ground / red"},
    {"3", "paint colour black (digs)"},
    {"p", "pause and show the \"Rocks\" panel; again to hide it and resume"},
    {"g, l, s, f", "turn every rock into gas, liquid, solid, fire"},
    {"r, m", "random types, random speeds for every rock"},
    {"i, a", "freeze every rock to ice; make every rock alive (and shake them)"},
    {"e", "scatter all rocks"},
    {"t", "rocks pass through terrain (toggle)"},
    {"= / -", "add ten rocks at random places / remove the last ten"},
    {"b / v", "the left-drag drops bullets / ice"},
    {"d / c", "darken the left of the level / restore the level picture"},
    {"Esc, or closing the window", "end the game"},
};

constexpr HelpRow kMouse[] = {
    {"click on the playfield",
     "spawn the panel's batch of rocks (type, subtype, speeds, counters, #)"},
    {"left drag on uncovered window", "drop rocks"},
    {"right drag on uncovered window", "paint terrain"},
};

constexpr HelpRow kPanel[] = {
    {"Type", "what a click spawns; its code shows beside the list"},
    {"Subtype", "what a maker emits; skeet or plane for an enemy"},
    {"xdis, ydis", "speed in twips per pass (15 to a pixel), right and down"},
    {"xt, yt", "target point in twips; plasma steers to it"},
    {"count", "the type's counter: life, countdown, phase or size"},
    {"full", "what count is reloaded with; an explosion's full size"},
    {"step", "taken off count every pass"},
    {"#", "how many rocks one click spawns"},
    {"tick boxes", "beside xdis, ydis, count, full: a random value between 0 and the typed one"},
};

constexpr HelpRow kFrontKeys[] = {
    {"F1", "this help, the world waiting while it is open; F1 again or a click closes it"},
    {"F2", "sound off / on"},
    {"F3", "stats: passes per second, pass time, rockcount, stage"},
    {"F4", "the status line on / off: weapon, paint, drag, what the world is doing"},
    {"F6", "brush on / off: drag on the playfield to paint, right button digs"},
    {"F10", "the view in whole factors (sharpest) or filling the window"},
    {"F11", "fullscreen on / off; fullscreen fills the screen"},
    {"F12", "screenshot (PNG) into your pictures folder"},
};

constexpr HelpRow kGamepad[] = {
    {"stick or pad, shoulders", "drive (as the arrows), aim (as , and .)"},
    {"A, B", "fire (as Space), trigger (as Enter)"},
    {"X, Y, Start, Back", "previous / next weapon (1 / 2), p, this help"},
};

// The weapons by number, named as the core names them, each number held to its name by no-break
// spaces so that a line never parts them.
std::span<const HelpRow> weaponRows() {
    static const std::string list = [] {
        constexpr std::string_view kNoBreakSpace = "\u00A0";
        std::string text;
        for (int16_t w = 1; w <= kWeaponCount; ++w) {
            std::string name = weaponName(w);
            for (size_t at = name.find(' '); at != std::string::npos; at = name.find(' ', at)) {
                name.replace(at, 1, kNoBreakSpace);
            }
            text += (w > 1 ? ", " : "") + std::to_string(w) + std::string(kNoBreakSpace) + name;
        }
        return text;
    }();
    static const std::string numbers = "1 to " + std::to_string(kWeaponCount);
    static const HelpRow rows[] = {{numbers.c_str(), list.c_str()}};
    return rows;
}

constexpr uint32_t kMicrosPerSecond = 1000000;
constexpr double kMicrosPerMs = 1000.0;
constexpr uint32_t kHintMs = 6000;
constexpr uint32_t kNoteMs = 5000;

} // namespace

std::span<const HelpSection> helpSections() {
    static const HelpSection sections[] = {
        {"Keys", kKeys},
        {"Mouse", kMouse},
        {"Gamepad", kGamepad},
        {"Weapons (1 / 2 step through them)", weaponRows()},
        {"\"Rocks\" panel (p shows it)", kPanel},
        {"Window", kFrontKeys},
    };
    return sections;
}

void PassMeter::add(uint32_t endMicros, uint32_t workMicros) {
    if (!started_) {
        started_ = true; // the first pass only opens the first window
        windowStart_ = endMicros;
        return;
    }
    ++passes_;
    workSum_ += workMicros;
    worst_ = std::max(worst_, workMicros);
    const uint32_t elapsed = endMicros - windowStart_;
    if (elapsed < kMicrosPerSecond) {
        return;
    }
    last_.measured = true;
    last_.passesPerSecond = passes_ * static_cast<double>(kMicrosPerSecond) / elapsed;
    last_.meanMs = static_cast<double>(workSum_) / passes_ / kMicrosPerMs;
    last_.worstMs = worst_ / kMicrosPerMs;
    windowStart_ = endMicros;
    passes_ = 0;
    workSum_ = 0;
    worst_ = 0;
}

std::string statsText(const OverlayFacts& facts) {
    // A label of 12 characters and a value of 10, right-aligned: kStatsColumns in all.
    char buf[200];
    if (facts.passes.measured) {
        std::snprintf(buf, sizeof buf,
                      "%-12s%10.1f\n%-12s%7.2f ms\n%-12s%7.2f ms\n%-12s%10d\n%-12s%10d", "passes/s",
                      facts.passes.passesPerSecond, "pass, mean", facts.passes.meanMs,
                      "pass, worst", facts.passes.worstMs, "rockcount", facts.rockcount, "stage",
                      facts.stage);
    } else {
        std::snprintf(buf, sizeof buf, "%-12s%10s\n%-12s%10s\n%-12s%10s\n%-12s%10d\n%-12s%10d",
                      "passes/s", "...", "pass, mean", "...", "pass, worst", "...", "rockcount",
                      facts.rockcount, "stage", facts.stage);
    }
    return buf;
}

void Overlays::start(uint32_t nowMs) {
    startMs_ = nowMs;
}

void Overlays::toggleHelp() {
    help_ = !help_;
    helpSeen_ = true;
}

void Overlays::showNote(std::string text, uint32_t nowMs) {
    note_ = std::move(text);
    noteMs_ = nowMs;
}

bool Overlays::update(const OverlayFacts& facts, uint32_t nowMs) {
    if (!note_.empty() && nowMs - noteMs_ >= kNoteMs) {
        note_.clear();
    }
    OverlayScene now;
    now.help = help_;
    now.hint = !helpSeen_ && nowMs - startMs_ < kHintMs;
    if (stats_) {
        now.stats = statsText(facts);
    }
    now.note = note_;
    if (status_) {
        now.status = facts.status;
    }
    if (now == shown_) {
        return false;
    }
    shown_ = std::move(now);
    return true;
}

} // namespace wh::front
