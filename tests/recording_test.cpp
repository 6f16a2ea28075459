// Recording and playing back: a session driven through the handlers and written by the recorder
// runs again, headless or a pass at a time, to the very same state; the script's seed, work and
// tick commands keep a pass's events in the order the window delivers them.
#include "player.hpp"
#include "recorder.hpp"
#include "runner.hpp"

#include "app/mainloop.hpp"
#include "app/statehash.hpp"
#include "tools/keyboard.hpp"
#include "tools/lists.hpp"
#include "tools/mouse.hpp"
#include "vehicle/keys.hpp"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

namespace wh::sim {
namespace {

constexpr uint64_t kSeed = 424242;

std::string dumpOf(Runner& r) {
    std::ostringstream out;
    Runner(r.game(), out).runLine("dump");
    return out.str();
}

// Runs a whole script through a fresh runner, as wreckhaul-sim does.
Runner& runScript(Runner& r, const std::string& script) {
    std::istringstream in(script);
    std::string line;
    while (std::getline(in, line) && r.runLine(line)) {
    }
    return r;
}

// A live session: the window's order (the work, then the events of the pass, then the tick),
// every event delivered to the handlers and told to the recorder.
class Session {
public:
    explicit Session(std::ostream& script) : recorder_(script, kSeed), runner_(kSeed, sink_) {}

    Game& g() { return runner_.game(); }
    Recorder& rec() { return recorder_; }
    Runner& runner() { return runner_; }

    void quietPasses(int n) {
        for (int i = 0; i < n; ++i) {
            passWith([] {});
        }
    }
    template <typename Events> void passWith(Events events) {
        runner_.work();
        recorder_.passWorked();
        events();
        runner_.tick();
        recorder_.passTicked();
    }

    void keyDown(int16_t vk) {
        recorder_.keyDown(vk);
        Form_KeyDown(g(), vk, 0);
    }
    void keyUp(int16_t vk) {
        recorder_.keyUp(vk);
        Form_KeyUp(g(), vk, 0);
    }
    void character(int16_t c) {
        recorder_.character(c);
        Form_KeyPress(g(), c);
    }

private:
    std::ostringstream sink_;
    Recorder recorder_;
    Runner runner_;
};

constexpr int16_t kVkRight = 39;
constexpr int16_t kVkSpace = 32;

// Drives, fires, pauses, fills in the panel, spawns, paints and drops: most kinds of event.
void playSession(Session& s) {
    s.quietPasses(5);
    s.passWith([&] { s.keyDown(kVkRight); });
    s.quietPasses(40);
    s.passWith([&] {
        s.keyUp(kVkRight);
        s.keyDown(kVkSpace);
    });
    s.quietPasses(12);
    s.passWith([&] { s.keyUp(kVkSpace); });
    s.passWith([&] {
        s.character('p');
        Game& g = s.g();
        g.panel.typelist.selected = 3;
        s.rec().select("typelist", 3);
        typelist_Click(g);
        g.panel.number = "25";
        s.rec().text("number", "25");
        g.panel.xdis = " -3 ";
        s.rec().text("xdis", " -3 ");
        g.panel.rndydis = true;
        s.rec().check("rndydis", true);
        // A click at a fractional place: the playfield scrolls by fractions of a twip.
        const float x = 12345.625f - g.picground.Left;
        s.rec().click(x, 3000.5f, kButtonLeft);
        picground_MouseDown(g, kButtonLeft, 0, x, 3000.5f);
    });
    s.passWith([&] { s.character('p'); });
    s.quietPasses(30);
    s.passWith([&] {
        Game& g = s.g();
        for (const auto& [b, x, y] :
             {std::tuple{kButtonRight, 300.f, 600.f}, std::tuple{kButtonRight, 2400.f, 900.f}}) {
            s.rec().mouseDown(b, x, y);
            Form_MouseDown(g, b, 0, x, y);
            s.rec().mouseMove(b, x + 1500, y + 45);
            Form_MouseMove(g, b, 0, x + 1500, y + 45);
            s.rec().mouseUp(b, x + 1500, y + 45);
            Form_MouseUp(g, b, 0, x + 1500, y + 45);
        }
    });
    s.quietPasses(25);
}

TEST(Recording, ASessionPlaysAgainHeadlessToTheSameState) {
    std::ostringstream script;
    Session s(script);
    playSession(s);
    s.rec().finish();
    ASSERT_GT(s.g().rocks.rockcount, 0) << "the session should have spawned rocks";

    std::ostringstream sink;
    Runner headless(1, sink); // the script's own seed line must start the game it recorded
    runScript(headless, script.str());
    EXPECT_EQ(stateHash(headless.game()), stateHash(s.g())) << script.str();
    EXPECT_EQ(dumpOf(headless), dumpOf(s.runner()));
    EXPECT_EQ(headless.passes(), s.runner().passes());
}

TEST(Recording, APlayerReachesTheSameStateOnePassAtATime) {
    std::ostringstream script;
    Session s(script);
    playSession(s);
    s.rec().finish();

    std::istringstream in(script.str());
    Player player(in, "session");
    std::ostringstream sink;
    Runner replay(1, sink);
    uint64_t steps = 0;
    Player::Step step;
    while ((step = player.next(replay)) == Player::Step::pass) {
        ++steps;
        ASSERT_EQ(replay.passes(), steps) << "each step is exactly one pass";
    }
    EXPECT_EQ(step, Player::Step::finished) << player.error();
    EXPECT_EQ(steps, s.runner().passes());
    EXPECT_EQ(stateHash(replay.game()), stateHash(s.g()));
}

TEST(Recording, QuietPassesAreGatheredAndAPassWithEventsIsWorkEventsTick) {
    std::ostringstream script;
    {
        Session s(script);
        s.quietPasses(3);
        s.passWith([&] {
            s.keyDown(kVkRight);
            s.character('e');
        });
        s.quietPasses(2);
        s.passWith([] {}); // the window closed after this pass's work, before its tick
        s.rec().passWorked();
        s.rec().finish();
    }
    const std::string text = script.str();
    const std::string body = text.substr(text.find("seed"));
    EXPECT_EQ(body, "seed 424242\npass 3\nwork\nkeydown 39\nchar 101\ntick\npass 3\nwork\n");
}

TEST(Recording, EndingWithEscStopsThePlayback) {
    std::ostringstream script;
    Session s(script);
    s.quietPasses(2);
    s.passWith([&] { s.character(27); });
    ASSERT_TRUE(s.g().ended);

    std::istringstream in(script.str() + "pass 100\n");
    Player player(in, "esc");
    std::ostringstream sink;
    Runner replay(1, sink);
    EXPECT_EQ(player.next(replay), Player::Step::pass);
    EXPECT_EQ(player.next(replay), Player::Step::pass);
    EXPECT_EQ(player.next(replay), Player::Step::ended);
    EXPECT_EQ(replay.passes(), 3u);
}

TEST(Recording, APlayerNamesTheLineItRefused) {
    std::istringstream in("seed 3\npass 2\n\nkeydown 99999\npass 5\n");
    Player player(in, "bad.sim");
    std::ostringstream sink;
    Runner replay(1, sink);
    EXPECT_EQ(player.next(replay), Player::Step::pass);
    EXPECT_EQ(player.next(replay), Player::Step::pass);
    EXPECT_EQ(player.next(replay), Player::Step::failed);
    EXPECT_NE(player.error().find("bad.sim:4: keydown"), std::string::npos) << player.error();
    EXPECT_EQ(player.next(replay), Player::Step::finished) << "nothing runs after a refused line";
    EXPECT_EQ(replay.passes(), 2u);
}

TEST(Script, SeedStartsTheGameThatSeedStarts) {
    std::ostringstream sink;
    Runner fromStart(77, sink);
    runScript(fromStart, "pass 20\nchar 61\npass 10\n");

    Runner reseeded(5, sink);
    runScript(reseeded, "pass 7\nchar 61\nseed 77\npass 20\nchar 61\npass 10\n");
    EXPECT_EQ(stateHash(reseeded.game()), stateHash(fromStart.game()));
    EXPECT_EQ(reseeded.passes(), 30u) << "the pass count starts again with the game";

    Runner negative(5, sink);
    runScript(negative, "seed -1\n");
    Runner unsignedMax(18446744073709551615ull, sink);
    EXPECT_EQ(stateHash(negative.game()), stateHash(unsignedMax.game()));
}

TEST(Script, APassIsItsWorkThenItsTick) {
    std::ostringstream sink;
    Runner passes(9, sink);
    runScript(passes, "char 97\npass 40\n"); // alive rocks run the agitation timer
    Runner split(9, sink);
    std::string script = "char 97\n";
    for (int i = 0; i < 40; ++i) {
        script += "work\ntick\n";
    }
    runScript(split, script);
    EXPECT_EQ(stateHash(split.game()), stateHash(passes.game()));
    EXPECT_EQ(split.passes(), 40u);
}

TEST(Script, MalformedNewCommandsAreRefusedWhole) {
    const char* lines[] = {
        "seed",
        "seed x",
        "seed 18446744073709551616",
        "seed 1 2",
        "work 1",
        "tick now",
        "click 1.5",
        "click 1e39 0",
        "click nan 0",
        "mousemove 0 1.5",
    };
    for (const char* line : lines) {
        std::ostringstream sink;
        Runner r(3, sink);
        const uint64_t before = stateHash(r.game());
        EXPECT_THROW(r.runLine(line), ScriptError) << line;
        EXPECT_EQ(stateHash(r.game()), before) << line << " changed the game";
    }
}

} // namespace
} // namespace wh::sim
