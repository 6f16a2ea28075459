// What the front end shows over the view on its own account: the help (F1), the hint that help
// exists, the stats (F3) and short notes such as where a screenshot went. None of it is part of
// the game: it is drawn over the finished frame and never into the playfield.
#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace wh::front {

struct HelpRow {
    const char* input;
    const char* meaning;
};

struct HelpSection {
    const char* title;
    std::span<const HelpRow> rows;
};

// Every key, mouse action and panel field with what it does, and the front end's own keys.
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
};

// The stats overlay's text.
std::string statsText(const OverlayFacts& facts);

class Overlays {
public:
    // Start-up time: the hint shows for a few seconds from now.
    void start(uint32_t nowMs);
    void toggleHelp();
    bool helpShown() const { return help_; }
    void toggleStats() { stats_ = !stats_; }
    bool statsShown() const { return stats_; }
    // A note shown for a few seconds from nowMs.
    void showNote(std::string text, uint32_t nowMs);

    // Brings the overlays up to nowMs; true when they now show something else than when this
    // was last called, so the frame must be drawn again.
    bool update(const OverlayFacts& facts, uint32_t nowMs);

    // Draws the overlays as the last update left them into Dear ImGui's foreground list, which
    // is drawn after everything else. Needs an ImGui frame.
    void draw() const;

private:
    struct Scene {
        bool help = false;
        bool hint = false;
        std::string stats; // empty when hidden
        std::string note;  // empty when none
        bool operator==(const Scene&) const = default;
    };

    bool help_ = false;
    bool helpSeen_ = false; // once the help has been opened the hint has done its work
    bool stats_ = false;
    uint32_t startMs_ = 0;
    std::string note_;
    uint32_t noteMs_ = 0;
    Scene shown_;
};

} // namespace wh::front
