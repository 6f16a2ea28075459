// The overlays: the help holds every control the README lists and every panel field, the pass
// meter measures whole seconds, and an overlay asks for a redraw only when what it shows changes.
#include "front/overlays.hpp"

#include <gtest/gtest.h>

#include <fstream>
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
          "|tick boxes|", "|F1|", "|F3|", "|F10|", "|F11|", "|F12|"}) {
        EXPECT_NE(inputs.find(name), std::string::npos) << name;
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
    EXPECT_NE(t.find("rockcount  1234"), std::string::npos) << t;
    EXPECT_NE(t.find("stage      2"), std::string::npos) << t;
    f.passes = {true, 62.46, 0.8349, 3.5};
    t = statsText(f);
    EXPECT_NE(t.find("passes/s   62.5"), std::string::npos) << t;
    EXPECT_NE(t.find("0.83 ms mean, 3.50 ms worst"), std::string::npos) << t;
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
