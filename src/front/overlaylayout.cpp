// The overlays' places: the status line along the view's bottom edge, the stats in the top corner,
// the hint and the note side by side above the status line, or the help over all of it, with every
// line wrapped to the characters its box holds.
#include "front/overlaylayout.hpp"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string_view>

namespace wh::front {

namespace {

constexpr float kPixelsPerTextScale = 500; // view height that earns each step of text scale

// Measures at text scale 1, window pixels; they grow with the scale.
constexpr float kMargin = 8;      // from the view's edge, or the status line, to a box
constexpr float kPad = 6;         // inside a box
constexpr float kStatusPad = 3;   // above and below the status line's text
constexpr float kGap = 6;         // between two boxes
constexpr float kColumnGap = 14;  // between the help's columns
constexpr float kRowGap = 2;      // between the help's rows
constexpr float kSectionGap = 8;  // above each of the help's sections
constexpr int kInputColumns = 18; // the help's keys, in characters, one of them the gap after
constexpr int kMinMeaningColumns = 22;
constexpr int kMaxHelpColumns = 3;

constexpr std::string_view kStatusSeparator = " | ";
constexpr std::string_view kEllipsis = "...";
constexpr const char* kHintText = "F1: help";
constexpr const char* kHelpTitle =
    "Wreckhaul: the world waits while this help is open. F1 or a click closes it.";

TextMetrics scaled(TextMetrics unit, float scale) {
    return {unit.advance * scale, unit.lineHeight * scale};
}

int columnsIn(float width, const TextMetrics& m) {
    return std::max(1, static_cast<int>(std::floor(width / m.advance)));
}

float linesHigh(size_t lines, const TextMetrics& m) {
    return static_cast<float>(lines) * m.lineHeight;
}

float textWide(size_t characters, const TextMetrics& m) {
    return static_cast<float>(characters) * m.advance;
}

void addLines(std::vector<TextRun>& runs, float x, float y, Ink ink,
              const std::vector<std::string>& lines, const TextMetrics& m) {
    for (size_t i = 0; i < lines.size(); ++i) {
        runs.push_back({std::floor(x), std::floor(y + linesHigh(i, m)), ink, lines[i]});
    }
}

bool continuesCharacter(char byte) {
    return (static_cast<unsigned char>(byte) & 0xC0) == 0x80;
}

// The bytes of the first n characters of text.
size_t bytesOf(std::string_view text, size_t n) {
    size_t i = 0;
    for (; i < text.size() && n > 0; --n) {
        ++i;
        while (i < text.size() && continuesCharacter(text[i])) {
            ++i;
        }
    }
    return i;
}

size_t longest(const std::vector<std::string>& lines) {
    size_t n = 0;
    for (const std::string& l : lines) {
        n = std::max(n, columnsOf(l));
    }
    return n;
}

// At most maxLines lines; a cut shows as an ellipsis at the end of the last one kept.
void cutTo(std::vector<std::string>& lines, size_t maxLines, int columns) {
    if (lines.size() <= maxLines) {
        return;
    }
    lines.resize(maxLines);
    std::string& last = lines.back();
    const size_t keep =
        static_cast<size_t>(std::max(0, columns - static_cast<int>(kEllipsis.size())));
    last.resize(bytesOf(last, keep));
    last += kEllipsis.substr(0, static_cast<size_t>(columns) - columnsOf(last));
}

// Lines break at plain spaces only, so a no-break space holds a number to its name.
void wrapParagraph(std::string_view p, size_t columns, std::vector<std::string>& lines) {
    const size_t before = lines.size();
    while (columnsOf(p) > columns) {
        const size_t limit = bytesOf(p, columns);
        const size_t space = p.rfind(' ', limit);
        if (space == std::string_view::npos || space == 0) {
            lines.emplace_back(p.substr(0, limit)); // one word longer than a line
            p.remove_prefix(limit);
        } else {
            lines.emplace_back(p.substr(0, space));
            p.remove_prefix(space);
        }
        p.remove_prefix(std::min(p.find_first_not_of(' '), p.size()));
    }
    if (!p.empty() || lines.size() == before) {
        lines.emplace_back(p); // an empty paragraph is a blank line
    }
}

// The status line's items, as many to a line as fit, with the separator between them.
std::vector<std::string> joinItems(const std::vector<std::string>& items, int columns) {
    std::vector<std::string> lines;
    std::string line;
    for (const std::string& item : items) {
        for (const std::string& piece : wrapText(item, columns)) {
            if (line.empty()) {
                line = piece;
            } else if (columnsOf(line) + kStatusSeparator.size() + columnsOf(piece) <=
                       static_cast<size_t>(columns)) {
                line.append(kStatusSeparator).append(piece);
            } else {
                lines.push_back(std::move(line));
                line = piece;
            }
        }
    }
    if (!line.empty()) {
        lines.push_back(std::move(line));
    }
    return lines;
}

OverlayBox textBox(float x, float y, float w, const std::vector<std::string>& lines, float pad,
                   const TextMetrics& m, float scale) {
    OverlayBox b{{x, y, w, linesHigh(lines.size(), m) + 2 * pad}, scale, {}};
    addLines(b.runs, x + pad, y + pad, Ink::text, lines, m);
    return b;
}

// The help in `columns` columns at one scale, or nothing when it does not fit the area; with
// `cut`, as much of it as fits.
std::optional<OverlayBox> helpAt(std::span<const HelpSection> sections, const Box& area,
                                 TextMetrics unit, float scale, int columns, bool cut) {
    const TextMetrics m = scaled(unit, scale);
    const float pad = kPad * scale;
    const Box inner{area.x + pad, area.y + pad, area.w - 2 * pad, area.h - 2 * pad};
    const float columnGap = kColumnGap * scale;
    const float columnW = (inner.w - static_cast<float>(columns - 1) * columnGap) / columns;
    const int meaningColumns = columnsIn(columnW, m) - kInputColumns;
    if (inner.h <= 0 || meaningColumns < kMinMeaningColumns) {
        return std::nullopt;
    }
    OverlayBox help{area, scale, {}};
    const std::vector<std::string> title = wrapText(kHelpTitle, columnsIn(inner.w, m));
    addLines(help.runs, inner.x, inner.y, Ink::title, title, m);
    const float top = inner.y + linesHigh(title.size(), m) + kSectionGap * scale;
    int column = 0;
    float x = inner.x;
    float y = top;
    // Moves on to the next column; false when there is none.
    auto nextColumn = [&] {
        if (++column == columns) {
            return false;
        }
        x = inner.x + static_cast<float>(column) * (columnW + columnGap);
        y = top;
        return true;
    };
    const float meaningLeft = textWide(kInputColumns, m);
    auto rowHigh = [&](const HelpRow& row) {
        return linesHigh(std::max(wrapText(row.input, kInputColumns - 1).size(),
                                  wrapText(row.meaning, meaningColumns).size()),
                         m);
    };
    for (const HelpSection& s : sections) {
        const std::vector<std::string> heading = wrapText(s.title, columnsIn(columnW, m));
        const float headingH = linesHigh(heading.size(), m) + kRowGap * scale;
        // A heading starts a column rather than stand alone at the foot of one.
        const float firstRowH = s.rows.empty() ? 0 : rowHigh(s.rows.front());
        const float gap = y > top ? kSectionGap * scale : 0;
        if (y + gap + headingH + firstRowH <= inner.bottom()) {
            y += gap;
        } else if (!nextColumn() || y + headingH + firstRowH > inner.bottom()) {
            return cut ? std::optional(help) : std::nullopt;
        }
        addLines(help.runs, x, y, Ink::title, heading, m);
        y += headingH;
        for (const HelpRow& row : s.rows) {
            const float rowH = rowHigh(row);
            // A row goes on in the next column, unless there is none or it is taller than one.
            if (y + rowH > inner.bottom() && (!nextColumn() || y + rowH > inner.bottom())) {
                return cut ? std::optional(help) : std::nullopt;
            }
            addLines(help.runs, x, y, Ink::key, wrapText(row.input, kInputColumns - 1), m);
            addLines(help.runs, x + meaningLeft, y, Ink::text,
                     wrapText(row.meaning, meaningColumns), m);
            y += rowH + kRowGap * scale;
        }
    }
    return help;
}

// The largest scale up to the window's own at which the help fits, in as few columns as will do;
// in a window too small for all of it even at the smallest scale, as much as fits there.
std::optional<OverlayBox> layoutHelp(std::span<const HelpSection> sections, const Box& area,
                                     TextMetrics unit, int windowScale) {
    std::vector<float> scales;
    for (int s = windowScale; s >= 1; --s) {
        scales.push_back(static_cast<float>(s));
    }
    scales.insert(scales.end(), std::begin(kShrunkTextScales), std::end(kShrunkTextScales));
    for (const float scale : scales) {
        for (int columns = 1; columns <= kMaxHelpColumns; ++columns) {
            if (auto help = helpAt(sections, area, unit, scale, columns, false)) {
                return help;
            }
        }
    }
    for (int columns = kMaxHelpColumns; columns >= 1; --columns) {
        if (auto help = helpAt(sections, area, unit, scales.back(), columns, true)) {
            return help;
        }
    }
    return std::nullopt;
}

} // namespace

size_t columnsOf(std::string_view text) {
    return static_cast<size_t>(
        std::count_if(text.begin(), text.end(), [](char b) { return !continuesCharacter(b); }));
}

int textScale(int height) {
    return std::clamp(static_cast<int>(static_cast<float>(height) / kPixelsPerTextScale), 1,
                      kMaxTextScale);
}

std::vector<std::string> wrapText(const std::string& text, int columns) {
    const size_t width = static_cast<size_t>(std::max(columns, 1));
    std::vector<std::string> lines;
    std::string_view rest = text;
    while (true) {
        const size_t end = rest.find('\n');
        wrapParagraph(rest.substr(0, end), width, lines);
        if (end == std::string_view::npos) {
            return lines;
        }
        rest.remove_prefix(end + 1);
    }
}

OverlayLayout layoutOverlays(const OverlayScene& scene, std::span<const HelpSection> help,
                             const ViewRect& view, WindowSize window, TextMetrics unit) {
    OverlayLayout out;
    if (view.w <= 0 || view.h <= 0 || unit.advance <= 0 || unit.lineHeight <= 0) {
        return out;
    }
    if (scene.help) {
        // The help is about the whole game, not the view: it takes the whole window, bars and
        // all, and the other overlays wait behind it.
        const int scale = textScale(window.h);
        const float margin = kMargin * static_cast<float>(scale);
        const Box area{margin, margin, static_cast<float>(window.w) - 2 * margin,
                       static_cast<float>(window.h) - 2 * margin};
        if (area.w > 0 && area.h > 0) {
            out.help = layoutHelp(help, area, unit, scale);
        }
        return out;
    }
    const int scaleStep = textScale(view.h);
    const auto scale = static_cast<float>(scaleStep);
    const TextMetrics m = scaled(unit, scale);
    const float pad = kPad * scale;
    const Box whole{static_cast<float>(view.x), static_cast<float>(view.y),
                    static_cast<float>(view.w), static_cast<float>(view.h)};
    float bottom = whole.bottom(); // the other overlays keep above the status line
    if (!scene.status.empty()) {
        const float statusPad = kStatusPad * scale;
        const int columns = columnsIn(whole.w - 2 * pad, m);
        std::vector<std::string> lines = joinItems(scene.status, columns);
        // However narrow the view, the status line leaves the most of it to the game.
        const auto most = static_cast<size_t>(
            std::max(1.0f, std::floor((whole.h / 2 - 2 * statusPad) / m.lineHeight)));
        cutTo(lines, most, columns);
        const float h = linesHigh(lines.size(), m) + 2 * statusPad;
        OverlayBox status{{whole.x, whole.bottom() - h, whole.w, h}, scale, {}};
        addLines(status.runs, whole.x + pad, status.box.y + statusPad, Ink::text, lines, m);
        bottom = status.box.y;
        out.status = std::move(status);
    }
    const float margin = kMargin * scale;
    const Box area{whole.x + margin, whole.y + margin, whole.w - 2 * margin,
                   bottom - margin - (whole.y + margin)};
    if (area.w <= 0 || area.h <= 0) {
        return out;
    }

    const float gap = kGap * scale;
    float freeTop = area.y; // the note stays below the stats
    if (!scene.stats.empty()) {
        const std::vector<std::string> lines = wrapText(scene.stats, kStatsColumns);
        const float w = textWide(kStatsColumns, m) + 2 * pad;
        OverlayBox stats = textBox(area.right() - w, area.y, w, lines, pad, m, scale);
        if (area.holds(stats.box)) {
            freeTop = stats.box.bottom() + gap;
            out.stats = std::move(stats);
        }
    }
    float freeRight = area.right(); // the note stays left of the hint
    if (scene.hint) {
        const float w = textWide(std::strlen(kHintText), m) + 2 * pad;
        const float h = m.lineHeight + 2 * pad;
        OverlayBox hint =
            textBox(area.right() - w, area.bottom() - h, w, {kHintText}, pad, m, scale);
        if (area.holds(hint.box) && hint.box.y >= freeTop) {
            freeRight = hint.box.x - gap;
            out.hint = std::move(hint);
        }
    }
    if (!scene.note.empty()) {
        const int columns = columnsIn(freeRight - area.x - 2 * pad, m);
        std::vector<std::string> lines = wrapText(scene.note, columns);
        const float room = std::floor((area.bottom() - freeTop - 2 * pad) / m.lineHeight);
        if (room >= 1 && freeRight - area.x > 2 * pad + m.advance) {
            cutTo(lines, static_cast<size_t>(room), columns);
            const float w = textWide(longest(lines), m) + 2 * pad;
            const float h = linesHigh(lines.size(), m) + 2 * pad;
            out.note = textBox(area.x, area.bottom() - h, w, lines, pad, m, scale);
        }
    }
    return out;
}

} // namespace wh::front
