// The status line's words for a table of game states: the weapon by number and name, the paint
// and brush, what a drag drops, and each of the world's conditions only while it holds.
#include "front/status.hpp"
#include "worlds.hpp"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace wh::front {
namespace {

std::string joined(const std::vector<std::string>& items) {
    std::string s;
    for (const std::string& item : items) {
        s += (s.empty() ? "" : " | ") + item;
    }
    return s;
}

TEST(Status, SaysWhatThePlayerChoseAndWhatTheWorldIsDoing) {
    struct Case {
        const char* what;
        std::function<void(Game&)> set;
        std::optional<uint64_t> replayPass;
        std::string line;
    };
    const Case cases[] = {
        {"a new game", [](Game&) {}, std::nullopt,
         "weapon none | paint ground, brush 60 | drag drops ice"},
        {"the first weapon, red paint", [](Game& g) { g.weapon = 1, g.paintmode = 2; },
         std::nullopt, "weapon 1 bullet | paint red, brush 60 | drag drops ice"},
        {"the last weapon, air, a wide brush, bullets",
         [](Game& g) { g.weapon = 11, g.paintmode = 3, g.brushwidth = 500, g.dropbullets = -1; },
         std::nullopt, "weapon 11 proximity bomb | paint air, brush 500 | drag drops bullets"},
        {"pass-through and paused",
         [](Game& g) { g.weapon = 7, g.passthrough = -1, g.paused = -1; }, std::nullopt,
         "weapon 7 missile | paint ground, brush 60 | drag drops ice | pass-through | paused"},
        {"the agitation timer", [](Game& g) { g.timer2.enabled = true; }, std::nullopt,
         "weapon none | paint ground, brush 60 | drag drops ice | shaking"},
        {"a replay", [](Game& g) { g.weapon = 10; }, 1234,
         "weapon 10 nuke | paint ground, brush 60 | drag drops ice | replay: pass 1234"},
        {"a weapon number past the table", [](Game& g) { g.weapon = 12, g.paintmode = 0; },
         std::nullopt, "weapon none | paint none, brush 60 | drag drops ice"},
        {"the view past the level's right edge",
         [](Game& g) { g.picground.Left = -(3200 - 800 + 1) * 15; }, std::nullopt,
         "weapon none | paint ground, brush 60 | drag drops ice | off the level"},
        {"everything at once",
         [](Game& g) {
             g.weapon = 9, g.passthrough = -1, g.timer2.enabled = true, g.paused = -1;
             g.picground.Left = 20; // the window's background shows at the left
         },
         0,
         "weapon 9 time bomb | paint ground, brush 60 | drag drops ice | pass-through | shaking "
         "| paused | replay: pass 0 | off the level"},
    };
    for (const Case& c : cases) {
        auto g = startedGame(7);
        c.set(*g);
        EXPECT_EQ(joined(statusItems(*g, c.replayPass)), c.line) << c.what;
    }
}

// The level picture is 3200 x 600 pixels from the playfield's corner; the view is off it as soon
// as one of its pixels shows anything else.
TEST(Status, TheViewIsOffTheLevelOnceAnyOfItLiesOutsideThePicture) {
    struct Case {
        float left, top; // twips
        bool off;
    };
    const Case cases[] = {
        {0, 0, false},
        {-14, 0, false},                // still the first column
        {-(3200 - 800) * 15, 0, false}, // the last 800 columns exactly
        {-(3200 - 800) * 15 - 15, 0, true},
        {-40000, 0, true},
        {1, 0, true},   // the window's background in the first column
        {0, -15, true}, // the playfield's 601st row is not the picture's
        {0, 15, true},
    };
    auto g = startedGame(7);
    for (const Case& c : cases) {
        g->picground.Left = c.left;
        g->picground.Top = c.top;
        EXPECT_EQ(viewOffLevel(*g), c.off) << c.left << ", " << c.top;
    }
}

} // namespace
} // namespace wh::front
