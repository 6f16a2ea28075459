// Where the front end's overlays lie over the view and the lines each one shows, in window
// pixels, for a monospaced font of any size: plain arithmetic, so that no two of them ever cover
// each other can be tested without a window.
#pragma once

#include "front/viewfit.hpp"

#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace wh::front {

struct HelpRow {
    const char* input;
    const char* meaning;
};

struct HelpSection {
    const char* title;
    std::span<const HelpRow> rows;
};

// What the overlays show now; the frame is drawn again only when this changes.
struct OverlayScene {
    bool help = false;
    bool hint = false;
    std::string stats;               // lines of exactly kStatsColumns characters; empty when hidden
    std::string note;                // empty when none
    std::vector<std::string> status; // the status line's items; none when it is hidden
    bool operator==(const OverlayScene&) const = default;
};

// The stats box is this many characters wide whatever its figures, so it never twitches.
inline constexpr int kStatsColumns = 22;

// The largest text scale: the built-in 13-pixel font is drawn at 1 to 4 times its size.
inline constexpr int kMaxTextScale = 4;
// The scales below 1 the help tries when even 1 does not fit: a small window's last resort.
inline constexpr float kShrunkTextScales[] = {0.85f, 0.7f, 0.6f, 0.5f};

// A monospaced font's measures, window pixels.
struct TextMetrics {
    float advance = 0;    // per character
    float lineHeight = 0; // per line
};

struct Box {
    float x = 0;
    float y = 0;
    float w = 0;
    float h = 0;
    float right() const { return x + w; }
    float bottom() const { return y + h; }
    bool overlaps(const Box& o) const {
        return x < o.right() && o.x < right() && y < o.bottom() && o.y < bottom();
    }
    bool holds(const Box& o) const {
        return o.x >= x && o.y >= y && o.right() <= right() && o.bottom() <= bottom();
    }
};

enum class Ink { text, key, title };

// One line of text and where its top-left corner lies.
struct TextRun {
    float x = 0;
    float y = 0;
    Ink ink = Ink::text;
    std::string text;
};

// An overlay: its box, drawn first, and its lines over it at one text scale.
struct OverlayBox {
    Box box;
    float scale = 1; // times the font's own size
    std::vector<TextRun> runs;
};

struct OverlayLayout {
    std::optional<OverlayBox> status; // along the view's bottom edge
    std::optional<OverlayBox> stats;  // top right
    std::optional<OverlayBox> hint;   // bottom right, above the status line
    std::optional<OverlayBox> note;   // bottom left, beside the hint and below the stats
    std::optional<OverlayBox> help;   // the whole window; the others wait behind it

    // Every overlay, shown or not, in the order they are drawn.
    std::array<const std::optional<OverlayBox>*, 5> all() const {
        return {&status, &stats, &hint, &note, &help};
    }
};

// The text scale over an area this many pixels high: one more for every 500 of them, 1 to
// kMaxTextScale, so the overlays keep their size against the game's pixels.
int textScale(int height);

// The columns a line of UTF-8 text takes: one per character, whatever its bytes.
size_t columnsOf(std::string_view text);

// Breaks `text` into lines of at most `columns` characters, at spaces where it can and inside a
// word only when the word alone is longer; a newline always breaks.
std::vector<std::string> wrapText(const std::string& text, int columns);

// Lays out every overlay the scene shows over `view` in a window of `window` pixels, `unit` being
// the font at scale 1: the help inside the window, the others inside the view, none over another,
// each line inside its box.
OverlayLayout layoutOverlays(const OverlayScene& scene, std::span<const HelpSection> help,
                             const ViewRect& view, WindowSize window, TextMetrics unit);

} // namespace wh::front
