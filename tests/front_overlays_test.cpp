// The overlays: the help holds every control the README lists, every weapon and panel field, the
// pass meter measures whole seconds, the stats keep their width, no overlay covers another at any
// window size, and an overlay asks for a redraw only when what it shows changes.
#include "front/overlays.hpp"
#include "vehicle/firing.hpp"
#include "vehicle/vehicle.hpp"

#include <gtest/gtest.h>

#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace wh::front {
namespace {

std::string trim(std::string s) {
    const size_t a = s.find_first_not_of(' ');
    const size_t b = s.find_last_not_of(' ');
    return a == std::string::npos ? "" : s.substr(a, b - a + 1);
}

// The rows of the README's Controls table: input, what it does.
std::vector<std::pair<std::string, std::string>> readmeControls() {
    std::ifstream in(std::string(WRECKHAUL_SOURCE_DIR) + "/README.md");
    std::vector<std::pair<std::string, std::string>> rows;
    std::string line;
    bool inControls = false;
    while (std::getline(in, line)) {
        if (line.starts_with("## ")) {
            inControls = line == "## Controls";
            continue;
        }
        if (!inControls || !line.starts_with("| ") || line.starts_with("| Input") ||
            line.starts_with("|---")) {
            continue;
        }
        const size_t mid = line.find(" | ");
        rows.emplace_back(trim(line.substr(2, mid - 2)),
                          trim(line.substr(mid + 3, line.size() - mid - 3 - 2)));
    }
    return rows;
}

bool helpHas(const std::string& input, const std::string& meaning) {
    for (const HelpSection& s : helpSections()) {
        for (const HelpRow& r : s.rows) {
            if (input == r.input && meaning == r.meaning) {
                return true;
            }
        }
    }
    return false;
}

TEST(Help, ListsEveryControlOfTheReadme) {
    const auto rows = readmeControls();
    ASSERT_FALSE(rows.empty());
    // The help's first two sections are the table, row for row, and nothing more.
    EXPECT_EQ(helpSections()[0].rows.size() + helpSections()[1].rows.size(), rows.size());
    for (const auto& [input, meaning] : rows) {
        EXPECT_TRUE(helpHas(input, meaning)) << input << " | " << meaning;
    }
}

TEST(Help, ExplainsEveryPanelFieldAndTheWindowKeys) {
    std::string inputs;
    for (const HelpSection& s : helpSections()) {
        for (const HelpRow& r : s.rows) {
            inputs += std::string("|") + r.input;
            EXPECT_GT(std::string(r.meaning).size(), 3u) << r.input;
        }
    }
    inputs += "|";
    for (const char* name :
         {"|Type|", "|Subtype|", "|xdis, ydis|", "|xt, yt|", "|count|", "|full|", "|step|", "|#|",
          "|tick boxes|", "|F1|", "|F2|", "|F3|", "|F4|", "|F6|", "|F10|", "|F11|", "|F12|"}) {
        EXPECT_NE(inputs.find(name), std::string::npos) << name;
    }
}

// Each weapon by its number and the core's own name for it, number and name never parted.
TEST(Help, ListsTheWeaponsByNumber) {
    std::string weapons;
    for (const HelpSection& s : helpSections()) {
        if (std::string(s.title).starts_with("Weapons")) {
            for (const HelpRow& r : s.rows) {
                weapons += r.meaning;
            }
        }
    }
    const std::string noBreak = "\u00A0";
    for (int16_t w = 1; w <= kWeaponCount; ++w) {
        std::string name = weaponName(w);
        ASSERT_NE(name, "none") << w;
        for (size_t at = name.find(' '); at != std::string::npos; at = name.find(' ', at)) {
            name.replace(at, 1, noBreak);
        }
        const std::string entry = std::to_string(w) + noBreak + name;
        const size_t at = weapons.find(entry);
        ASSERT_NE(at, std::string::npos) << entry;
        EXPECT_TRUE(at == 0 || weapons.compare(at - 2, 2, ", ") == 0) << entry;
    }
}

TEST(PassMeter, MeasuresWholeSeconds) {
    PassMeter m;
    uint32_t t = 4'294'000'000u; // the steady clock wraps during the second
    m.add(t, 900);               // opens the window; its work is not counted
    for (int i = 1; i <= 62; ++i) {
        t += 16000;
        m.add(t, i == 30 ? 4000 : 1000);
        ASSERT_FALSE(m.last().measured) << i;
    }
    t += 16000; // 63 passes, 1.008 s
    m.add(t, 1000);
    ASSERT_TRUE(m.last().measured);
    EXPECT_DOUBLE_EQ(m.last().passesPerSecond, 62.5);
    EXPECT_DOUBLE_EQ(m.last().meanMs, (62 * 1000.0 + 4000.0) / 63 / 1000);
    EXPECT_DOUBLE_EQ(m.last().worstMs, 4.0);

    // The next second starts afresh: the slow pass belongs to the last one only. Half as many
    // passes, a window dragged about, say.
    for (int i = 1; i <= 32; ++i) {
        t += 32000;
        m.add(t, 2000);
    }
    EXPECT_DOUBLE_EQ(m.last().passesPerSecond, 31.25);
    EXPECT_DOUBLE_EQ(m.last().meanMs, 2.0);
    EXPECT_DOUBLE_EQ(m.last().worstMs, 2.0);
}

TEST(Stats, TextShowsEveryFigure) {
    OverlayFacts f;
    f.rockcount = 1234;
    f.stage = 2;
    std::string t = statsText(f);
    EXPECT_NE(t.find("rockcount         1234"), std::string::npos) << t;
    EXPECT_NE(t.find("stage                2"), std::string::npos) << t;
    EXPECT_NE(t.find("pass, mean         ..."), std::string::npos) << t;
    f.passes = {true, 62.46, 0.8349, 3.5};
    t = statsText(f);
    EXPECT_NE(t.find("passes/s          62.5"), std::string::npos) << t;
    EXPECT_NE(t.find("pass, mean     0.83 ms"), std::string::npos) << t;
    EXPECT_NE(t.find("pass, worst    3.50 ms"), std::string::npos) << t;
}

// Every line of the stats is as wide as every other whatever the figures, and so is the box.
TEST(Stats, KeepTheirWidthAsTheFiguresChange) {
    const OverlayFacts cases[] = {
        {},
        {{true, 62.5, 0.5, 1.25}, 7, 0, {}},
        {{true, 9.9, 15.75, 999.99}, 1500, 3, {}},
        {{true, 144.0, 1234.5, 9999.99}, 1500, 3, {}},
        {{true, 0.4, 0.01, 0.02}, 0, 1, {}},
    };
    const TextMetrics unit{7, 13};
    const ViewRect view{0, 0, 800, 600};
    std::optional<float> width;
    for (const OverlayFacts& f : cases) {
        const std::string t = statsText(f);
        std::istringstream lines(t);
        std::string line;
        int count = 0;
        while (std::getline(lines, line)) {
            EXPECT_EQ(line.size(), static_cast<size_t>(kStatsColumns)) << "'" << line << "'";
            ++count;
        }
        EXPECT_EQ(count, 5) << t;
        OverlayScene scene;
        scene.stats = t;
        const OverlayLayout l = layoutOverlays(scene, helpSections(), view, {800, 600}, unit);
        ASSERT_TRUE(l.stats) << t;
        width = width.value_or(l.stats->box.w);
        EXPECT_EQ(l.stats->box.w, *width) << t;
    }
}

TEST(OverlayLayout, WrapsAtSpacesAndNeverPastTheColumns) {
    struct Case {
        std::string text;
        int columns;
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        {"short", 10, {"short"}},
        {"two words", 5, {"two", "words"}},
        {"break at the last space that fits", 12, {"break at the", "last space", "that fits"}},
        {"/a/very/long/path/without/spaces", 10, {"/a/very/lo", "ng/path/wi", "thout/spac", "es"}},
        {"lines\nkept", 20, {"lines", "kept"}},
        {"a\n\nb", 20, {"a", "", "b"}},
        {"", 5, {""}},
        {"5\u00A0bullet\u00A0bomb, 6\u00A0big\u00A0bomb",
         16,
         {"5\u00A0bullet\u00A0bomb,", "6\u00A0big\u00A0bomb"}}, // no-break spaces hold
        {"\u00E9t\u00E9 d\u00E9j\u00E0",
         4,
         {"\u00E9t\u00E9", "d\u00E9j\u00E0"}}, // characters, not bytes
        {"x", 0, {"x"}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(wrapText(c.text, c.columns), c.lines) << c.text << " in " << c.columns;
    }
    EXPECT_EQ(columnsOf("d\u00E9j\u00E0 vu"), 7u);
    EXPECT_EQ(columnsOf("5\u00A0nuke"), 6u);
    EXPECT_EQ(columnsOf(""), 0u);
}

TEST(OverlayLayout, TextScaleGrowsWithTheView) {
    const std::pair<int, int> cases[] = {{300, 1},  {600, 1},  {768, 1},  {1000, 2}, {1080, 2},
                                         {1200, 2}, {1800, 3}, {2160, 4}, {4320, 4}};
    for (const auto& [height, scale] : cases) {
        EXPECT_EQ(textScale(height), scale) << height;
    }
}

// At every size of view and window, with everything showing at once: each overlay inside the view
// (the help inside the window), none touching another, and every line of text inside its box.
TEST(OverlayLayout, NoOverlayCoversAnother) {
    struct Window {
        const char* what;
        ViewRect view;
        WindowSize window;
    };
    const Window windows[] = {
        {"1x", {0, 0, 800, 600}, {800, 600}},
        {"2x", {0, 0, 1600, 1200}, {1600, 1200}},
        {"full HD filled", {240, 0, 1440, 1080}, {1920, 1080}},
        {"full HD, whole factor", {560, 240, 800, 600}, {1920, 1080}},
        {"1024 x 768", {0, 0, 1024, 768}, {1024, 768}},
        {"4K filled", {480, 0, 2880, 2160}, {3840, 2160}},
        {"smaller than the view", {83, 0, 533, 400}, {700, 400}},
        {"the smallest window", {0, 0, 400, 300}, {400, 300}},
    };
    const std::string longNote =
        "Replay stopped: /home/someone/games/recordings/a-very-long-name-for-a-replay.sim:1234: "
        "the replay left the recorded game at pass 98765";
    const std::vector<std::string> everyItem = {"weapon 11 proximity bomb",
                                                "paint ground, brush 500",
                                                "drag drops bullets",
                                                "pass-through",
                                                "shaking",
                                                "paused",
                                                "replay: pass 123456",
                                                "off the level"};
    OverlayFacts facts;
    facts.passes = {true, 62.5, 12.25, 15.5};
    facts.rockcount = 1500;
    std::vector<OverlayScene> scenes(4);
    scenes[0] = {false, true, statsText(facts), longNote, everyItem};
    scenes[1] = {false, true, statsText(facts), "Screenshot saved: /tmp/x.png", {"weapon none"}};
    scenes[2] = {false, false, "", longNote + " " + longNote + " " + longNote, everyItem};
    scenes[3] = {true, true, statsText(facts), longNote, everyItem};
    const TextMetrics unit{7, 13};
    for (const Window& w : windows) {
        for (size_t i = 0; i < scenes.size(); ++i) {
            SCOPED_TRACE(std::string(w.what) + ", scene " + std::to_string(i));
            const OverlayScene& scene = scenes[i];
            const OverlayLayout l = layoutOverlays(scene, helpSections(), w.view, w.window, unit);
            const Box view{static_cast<float>(w.view.x), static_cast<float>(w.view.y),
                           static_cast<float>(w.view.w), static_cast<float>(w.view.h)};
            const Box window{0, 0, static_cast<float>(w.window.w), static_cast<float>(w.window.h)};
            EXPECT_EQ(l.help.has_value(), scene.help);
            if (scene.help) {
                // The help has the window to itself.
                EXPECT_FALSE(l.status || l.stats || l.hint || l.note);
                EXPECT_TRUE(window.holds(l.help->box));
                EXPECT_GT(l.help->runs.size(), 20u);
            } else {
                EXPECT_TRUE(l.status.has_value());
                EXPECT_EQ(l.stats.has_value(), !scene.stats.empty());
                EXPECT_TRUE(l.note.has_value());
            }
            const auto all = l.all();
            for (size_t a = 0; a < all.size(); ++a) {
                if (!all[a]->has_value()) {
                    continue;
                }
                const OverlayBox& o = **all[a];
                EXPECT_TRUE((all[a] == &l.help ? window : view).holds(o.box)) << "overlay " << a;
                for (size_t b = a + 1; b < all.size(); ++b) {
                    if (all[b]->has_value()) {
                        EXPECT_FALSE(o.box.overlaps((*all[b])->box)) << a << " and " << b;
                    }
                }
                const TextMetrics m{unit.advance * o.scale, unit.lineHeight * o.scale};
                for (const TextRun& run : o.runs) {
                    const Box text{run.x, run.y, columnsOf(run.text) * m.advance, m.lineHeight};
                    EXPECT_TRUE(o.box.holds(text)) << "overlay " << a << ": " << run.text;
                }
            }
        }
    }
}

// The status line lies along the view's bottom edge, clear of the panel at the top left, and grows
// with the view's text scale.
TEST(OverlayLayout, StatusLineRunsAlongTheBottomOfTheView) {
    const TextMetrics unit{7, 13};
    OverlayScene scene;
    scene.status = {"weapon 4 bomb", "paint red, brush 60", "drag drops ice"};
    const OverlayLayout small =
        layoutOverlays(scene, helpSections(), {0, 0, 800, 600}, {800, 600}, unit);
    const OverlayLayout large =
        layoutOverlays(scene, helpSections(), {240, 0, 1440, 1080}, {1920, 1080}, unit);
    ASSERT_TRUE(small.status && large.status);
    EXPECT_EQ(small.status->box.x, 0);
    EXPECT_EQ(small.status->box.bottom(), 600);
    EXPECT_EQ(small.status->box.w, 800);
    ASSERT_EQ(small.status->runs.size(), 1u);
    EXPECT_EQ(small.status->runs[0].text, "weapon 4 bomb | paint red, brush 60 | drag drops ice");
    EXPECT_EQ(large.status->box.x, 240);
    EXPECT_EQ(large.status->box.bottom(), 1080);
    EXPECT_EQ(large.status->box.w, 1440);
    EXPECT_EQ(large.status->box.h, 2 * small.status->box.h);
    EXPECT_EQ(large.status->scale, 2);
    // Hidden, it takes no room.
    scene.status.clear();
    EXPECT_FALSE(layoutOverlays(scene, helpSections(), {0, 0, 800, 600}, {800, 600}, unit).status);
}

// What forces a redraw: each change of what shows, once, and nothing while it stays the same.
TEST(Overlays, AskForARedrawOnlyWhenWhatTheyShowChanges) {
    Overlays o;
    OverlayFacts f;
    o.start(1000);
    EXPECT_TRUE(o.update(f, 1000)); // the hint appears
    EXPECT_FALSE(o.update(f, 1016));
    EXPECT_FALSE(o.update(f, 6999));
    EXPECT_TRUE(o.update(f, 7000)); // and goes after six seconds
    EXPECT_FALSE(o.update(f, 7016));

    o.toggleStats();
    EXPECT_TRUE(o.update(f, 8000));
    EXPECT_FALSE(o.update(f, 8016)); // the same figures: nothing to draw
    f.rockcount = 10;
    EXPECT_TRUE(o.update(f, 8032));
    f.passes = {true, 62.5, 1.0, 2.0};
    EXPECT_TRUE(o.update(f, 8048));
    EXPECT_FALSE(o.update(f, 8064));
    o.toggleStats();
    EXPECT_TRUE(o.update(f, 8080));
    f.rockcount = 11; // hidden stats do not care
    EXPECT_FALSE(o.update(f, 8096));

    o.showNote("Screenshot saved: /tmp/x.png", 9000);
    EXPECT_TRUE(o.update(f, 9000));
    EXPECT_FALSE(o.update(f, 13999));
    EXPECT_TRUE(o.update(f, 14000)); // the note is gone after five seconds
    EXPECT_FALSE(o.update(f, 14016));

    // The status line shows from the start, and changes with what it says.
    ASSERT_TRUE(o.statusShown());
    f.status = {"weapon none"};
    EXPECT_TRUE(o.update(f, 15000));
    EXPECT_EQ(o.scene().status, f.status);
    EXPECT_FALSE(o.update(f, 15016));
    f.status = {"weapon 1 bullet"};
    EXPECT_TRUE(o.update(f, 15032));
    o.toggleStatus();
    EXPECT_TRUE(o.update(f, 15048));
    EXPECT_TRUE(o.scene().status.empty());
    f.status = {"weapon 2 liquid"}; // a hidden status line does not care
    EXPECT_FALSE(o.update(f, 15064));
}

TEST(Overlays, OpeningTheHelpEndsTheHint) {
    Overlays o;
    OverlayFacts f;
    o.start(0);
    EXPECT_TRUE(o.update(f, 10));
    o.toggleHelp();
    EXPECT_TRUE(o.helpShown());
    EXPECT_TRUE(o.update(f, 20));
    o.toggleHelp();
    EXPECT_FALSE(o.helpShown());
    EXPECT_TRUE(o.update(f, 30));
    EXPECT_FALSE(o.update(f, 40)); // the hint stays away though its seconds are not up
}

} // namespace
} // namespace wh::front
