// What the front end shows over the view on its own account: the help (F1), the hint that help
// exists, the stats (F3), the status line (F4) and short notes such as where a screenshot went.
// None of it is part of the game: it is drawn over the finished frame and never into the
// playfield.
#pragma once

#include "front/overlaylayout.hpp"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace wh::front {

// Every key, mouse action, weapon and panel field with what it does, and the front end's own
// keys.
std::span<const HelpSection> helpSections();

// The passes of the last whole second: how many, and what their work cost.
struct PassSecond {
    bool measured = false; // false until a whole second has passed
    double passesPerSecond = 0;
    double meanMs = 0; // the work of a pass, its wait left out
    double worstMs = 0;
};

// Counts passes and their work over windows of about one second of the steady clock.
class PassMeter {
public:
    // A pass ended at endMicros (a steady clock that may wrap) after workMicros of work.
    void add(uint32_t endMicros, uint32_t workMicros);
    const PassSecond& last() const { return last_; }

private:
    bool started_ = false;
    uint32_t windowStart_ = 0; // microseconds
    int passes_ = 0;
    uint64_t workSum_ = 0; // microseconds
    uint32_t worst_ = 0;   // microseconds
    PassSecond last_;
};

struct OverlayFacts {
    PassSecond passes;
    int rockcount = 0;
    int stage = 0;
    std::vector<std::string> status; // the status line's items
};

// The stats overlay's text: lines of exactly kStatsColumns characters, numbers right-aligned.
std::string statsText(const OverlayFacts& facts);

class Overlays {
public:
    // Start-up time: the hint shows for a few seconds from now.
    void start(uint32_t nowMs);
    void toggleHelp();
    bool helpShown() const { return help_; }
    void toggleStats() { stats_ = !stats_; }
    bool statsShown() const { return stats_; }
    void toggleStatus() { status_ = !status_; }
    bool statusShown() const { return status_; }
    // A note shown for a few seconds from nowMs.
    void showNote(std::string text, uint32_t nowMs);

    // Brings the overlays up to nowMs; true when they now show something else than when this
    // was last called, so the frame must be drawn again.
    bool update(const OverlayFacts& facts, uint32_t nowMs);
    // What the last update left showing.
    const OverlayScene& scene() const { return shown_; }

private:
    bool help_ = false;
    bool helpSeen_ = false; // once the help has been opened the hint has done its work
    bool stats_ = false;
    bool status_ = true;
    uint32_t startMs_ = 0;
    std::string note_;
    uint32_t noteMs_ = 0;
    OverlayScene shown_;
};

} // namespace wh::front
