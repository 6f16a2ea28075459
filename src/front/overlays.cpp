// The overlays' words, their timing and their drawing: boxes of text in Dear ImGui's foreground
// list over the 800 x 600 frame. The help's key and mouse rows are the README's Controls table.
#include "front/overlays.hpp"

#include "app/window.hpp"

#include <imgui.h>

#include <algorithm>
#include <cfloat>
#include <cstdio>
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
    {"F1", "this help; F1 again or a click closes it"},
    {"F3", "stats: passes per second, pass time, rockcount, stage"},
    {"F10", "the view in whole factors (sharpest) or filling the window"},
    {"F11", "fullscreen on / off; fullscreen fills the screen"},
    {"F12", "screenshot (PNG) into your pictures folder"},
};

constexpr HelpSection kSections[] = {
    {"Keys", kKeys},
    {"Mouse", kMouse},
    {"\"Rocks\" panel (p shows it)", kPanel},
    {"Window", kFrontKeys},
};

constexpr uint32_t kMicrosPerSecond = 1000000;
constexpr double kMicrosPerMs = 1000.0;
constexpr uint32_t kHintMs = 6000;
constexpr uint32_t kNoteMs = 5000;

constexpr const char* kHintText = "F1: help";
constexpr const char* kHelpTitle = "Wreckhaul: F1 or a click closes this help";

// Looks: light text on a dark, slightly see-through box, so the game still shows beneath.
constexpr ImU32 kBoxColour = IM_COL32(12, 14, 24, 228);
constexpr ImU32 kEdgeColour = IM_COL32(150, 150, 170, 255);
constexpr ImU32 kTextColour = IM_COL32(235, 235, 235, 255);
constexpr ImU32 kKeyColour = IM_COL32(255, 214, 110, 255);
constexpr ImU32 kTitleColour = IM_COL32(140, 200, 255, 255);
constexpr float kMargin = 8; // view pixels from the view's edge to a box
constexpr float kPad = 6;    // inside a box
constexpr float kHelpMargin = 14;
constexpr float kInputWidth = 118; // the help's column of keys
constexpr float kColumnGap = 14;
constexpr float kRowGap = 2;
constexpr float kSectionGap = 8;

void box(ImDrawList* d, ImVec2 min, ImVec2 max) {
    d->AddRectFilled(min, max, kBoxColour);
    d->AddRect(min, max, kEdgeColour);
}

ImVec2 textSize(const char* text, float wrap = 0) {
    const ImFont* f = ImGui::GetFont();
    return f->CalcTextSizeA(ImGui::GetFontSize(), FLT_MAX, wrap, text);
}

void text(ImDrawList* d, ImVec2 at, ImU32 colour, const char* t, float wrap = 0) {
    d->AddText(ImGui::GetFont(), ImGui::GetFontSize(), at, colour, t, nullptr, wrap);
}

// A box of lines at a corner: right-aligned when `right`, bottom-aligned when `bottom`.
void cornerBox(ImDrawList* d, const std::string& t, bool right, bool bottom) {
    const float wrap = kViewPixelsW - 2 * kMargin - 2 * kPad;
    const ImVec2 size = textSize(t.c_str(), wrap);
    const float w = size.x + 2 * kPad;
    const float h = size.y + 2 * kPad;
    const float x = right ? kViewPixelsW - kMargin - w : kMargin;
    const float y = bottom ? kViewPixelsH - kMargin - h : kMargin;
    box(d, ImVec2(x, y), ImVec2(x + w, y + h));
    text(d, ImVec2(x + kPad, y + kPad), kTextColour, t.c_str(), wrap);
}

// One section of the help from `top` down in a column `width` wide; returns the next free y.
float drawSection(ImDrawList* d, const HelpSection& s, float left, float top, float width) {
    text(d, ImVec2(left, top), kTitleColour, s.title);
    float y = top + ImGui::GetFontSize() + kRowGap + 2;
    const float meaningLeft = left + kInputWidth;
    const float meaningWrap = width - kInputWidth;
    for (const HelpRow& row : s.rows) {
        const float inputH = textSize(row.input, kInputWidth - 6).y;
        const float meaningH = textSize(row.meaning, meaningWrap).y;
        text(d, ImVec2(left, y), kKeyColour, row.input, kInputWidth - 6);
        text(d, ImVec2(meaningLeft, y), kTextColour, row.meaning, meaningWrap);
        y += std::max(inputH, meaningH) + kRowGap;
    }
    return y + kSectionGap;
}

void drawHelp(ImDrawList* d) {
    const ImVec2 min(kHelpMargin, kHelpMargin);
    const ImVec2 max(kViewPixelsW - kHelpMargin, kViewPixelsH - kHelpMargin);
    box(d, min, max);
    const float inner = max.x - min.x - 2 * kPad;
    const float column = (inner - kColumnGap) / 2;
    text(d, ImVec2(min.x + kPad, min.y + kPad), kTitleColour, kHelpTitle);
    const float top = min.y + kPad + ImGui::GetFontSize() + kSectionGap;
    // The keys fill the left column; the mouse, the panel and the window's keys the right.
    drawSection(d, kSections[0], min.x + kPad, top, column);
    float y = top;
    for (size_t i = 1; i < std::size(kSections); ++i) {
        y = drawSection(d, kSections[i], min.x + kPad + column + kColumnGap, y, column);
    }
}

} // namespace

std::span<const HelpSection> helpSections() {
    return kSections;
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
    char buf[200];
    if (facts.passes.measured) {
        std::snprintf(buf, sizeof buf,
                      "passes/s   %.1f\npass       %.2f ms mean, %.2f ms worst\n"
                      "rockcount  %d\nstage      %d",
                      facts.passes.passesPerSecond, facts.passes.meanMs, facts.passes.worstMs,
                      facts.rockcount, facts.stage);
    } else {
        std::snprintf(buf, sizeof buf,
                      "passes/s   ...\npass       ...\nrockcount  %d\nstage      %d",
                      facts.rockcount, facts.stage);
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
    Scene now;
    now.help = help_;
    now.hint = !helpSeen_ && nowMs - startMs_ < kHintMs;
    if (stats_) {
        now.stats = statsText(facts);
    }
    now.note = note_;
    if (now == shown_) {
        return false;
    }
    shown_ = std::move(now);
    return true;
}

void Overlays::draw() const {
    ImDrawList* d = ImGui::GetForegroundDrawList();
    if (!shown_.stats.empty()) {
        cornerBox(d, shown_.stats, true, false);
    }
    if (shown_.hint) {
        cornerBox(d, kHintText, true, true);
    }
    if (!shown_.note.empty()) {
        cornerBox(d, shown_.note, false, true);
    }
    if (shown_.help) {
        drawHelp(d);
    }
}

} // namespace wh::front
