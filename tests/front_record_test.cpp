// Recording and replay through the real front end under SDL's dummy video driver: a session
// played with SDL events on the real clock is written as a script that wreckhaul-sim's runner
// plays to the very same dump, the window's own replay of it reaches the same state, and a
// replay that holds anything but play never starts.
#include "front/shell.hpp"
#include "front_events.hpp"
#include "runner.hpp"
#include "scratch.hpp"

#include "app/statehash.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace wh::front {
namespace {

namespace fs = std::filesystem;

using namespace testing;
using wh::testing::fileText;

constexpr uint64_t kSeed = 4242;

void passes(Shell& shell, int n) {
    for (int i = 0; i < n; ++i) {
        ASSERT_TRUE(shell.runPass());
    }
}

std::string dumpOf(Game& g) {
    std::ostringstream out;
    sim::Runner(g, out).runLine("dump");
    return out.str();
}

// A folder of this process's own, gone when the tests end.
fs::path scratch(const char* name) {
    static const wh::testing::ScratchFolder s("wreckhaul-record");
    return s.dir / name;
}

// Drives right, reads the help a while, fires, pauses, spawns a batch with a click, paints with
// the brush, and drives on.
void playSession(Shell& shell) {
    passes(shell, 3);
    pushKey(SDLK_RIGHT, SDL_KEYDOWN);
    passes(shell, 12);
    pushPress(SDLK_F1); // the world waits while the help is open: no passes to record
    passes(shell, 8);
    pushPress(SDLK_F1);
    passes(shell, 13);
    pushKey(SDLK_SPACE, SDL_KEYDOWN);
    passes(shell, 6);
    pushKey(SDLK_SPACE, SDL_KEYUP);
    pushKey(SDLK_RIGHT, SDL_KEYUP);
    pushText("p");
    passes(shell, 1);
    pushMove(500, 320);
    pushButton(SDL_MOUSEBUTTONDOWN, 500, 320, SDL_BUTTON_LEFT);
    pushButton(SDL_MOUSEBUTTONUP, 500, 320, SDL_BUTTON_LEFT);
    passes(shell, 2);
    pushText("p");
    pushKey(SDLK_LEFT, SDL_KEYDOWN);
    passes(shell, 15);
    pushKey(SDLK_LEFT, SDL_KEYUP);
    pushButton(SDL_MOUSEBUTTONDOWN, 300, 300, SDL_BUTTON_X1); // means nothing to the game
    passes(shell, 10);
    // The brush: on, a stroke dug with the right button across the sky and the hill, off again.
    pushPress(SDLK_F6);
    pushMove(200, 150);
    pushButton(SDL_MOUSEBUTTONDOWN, 200, 150, SDL_BUTTON_RIGHT);
    pushMove(260, 400);
    pushMove(330, 450);
    pushButton(SDL_MOUSEBUTTONUP, 330, 450, SDL_BUTTON_RIGHT);
    passes(shell, 2);
    pushPress(SDLK_F6);
    passes(shell, 5);
}

// One recorded session shared by the tests below; each makes its own copy of what it needs.
struct Recorded {
    fs::path file;
    std::string dump;
    uint64_t hash = 0;
};

const Recorded& recorded() {
    static const Recorded r = [] {
        Recorded out;
        out.file = scratch("session.sim");
        Options options;
        options.recordPath = out.file.string();
        Shell shell(options);
        EXPECT_TRUE(shell.open());
        shell.startUp(kSeed);
        playSession(shell);
        shell.finishRecording();
        out.dump = dumpOf(shell.game());
        out.hash = stateHash(shell.game());
        return out;
    }();
    return r;
}

TEST(Record, ASessionPlayedInTheWindowRunsHeadlessToTheSameDump) {
    ASSERT_TRUE(kDummyVideo);
    const Recorded& r = recorded();
    std::ifstream in(r.file);
    ASSERT_TRUE(in) << r.file;
    std::ostringstream sink;
    sim::Runner headless(1, sink); // the recording's seed line starts the recorded game
    std::string line;
    std::string script;
    while (std::getline(in, line)) {
        script += line + "\n";
        ASSERT_NO_THROW(headless.runLine(line)) << line;
    }
    EXPECT_EQ(script.rfind("wreckhaul-replay 1\n", 0), 0u) << script;
    EXPECT_NE(script.find("seed 4242\n"), std::string::npos) << script;
    EXPECT_NE(script.find("click "), std::string::npos) << script;
    EXPECT_NE(script.find("\nbrush "), std::string::npos) << "the brush's strokes" << script;
    EXPECT_NE(script.find("\nclock "), std::string::npos) << "the real clock's readings" << script;
    EXPECT_NE(script.find("\ncheckpoint "), std::string::npos) << "the end's check" << script;
    EXPECT_EQ(dumpOf(headless.game()), r.dump) << script;
    EXPECT_GT(headless.game().rocks.rockcount, 0);
}

TEST(Record, TheWindowsReplayReachesTheSameState) {
    ASSERT_TRUE(kDummyVideo);
    const Recorded& r = recorded();
    Options options;
    options.replayPath = r.file.string();
    Shell shell(options);
    ASSERT_TRUE(shell.open());
    shell.startUp(99); // the recording's own seed wins
    ::testing::internal::CaptureStderr();
    // The pass that finds the script's end is already played live, on the real clock.
    uint64_t lastReplayed = stateHash(shell.game());
    int guard = 0;
    while (guard++ < 1000) {
        if (guard == 10 || guard == 20) {
            pushPress(SDLK_F1); // the help holds the replay too, for passes 11 to 20
        }
        const uint64_t before = shell.passes();
        ASSERT_TRUE(shell.runPass());
        if (!shell.replaying()) {
            break;
        }
        EXPECT_EQ(shell.passes() == before, guard > 10 && guard <= 20) << guard;
        lastReplayed = stateHash(shell.game());
    }
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "") << "no check found the game elsewhere";
    EXPECT_FALSE(shell.replaying());
    EXPECT_EQ(lastReplayed, r.hash);
}

TEST(Record, FilesThatCannotBeHadStopTheProgramBeforeTheWindow) {
    ASSERT_TRUE(kDummyVideo);
    {
        Options options;
        options.recordPath = (scratch("x") / "no-such-folder" / "out.sim").string();
        Shell shell(options);
        EXPECT_FALSE(shell.open());
        EXPECT_EQ(shell.window(), nullptr);
    }
    {
        Options options;
        options.replayPath = scratch("missing.sim").string();
        Shell shell(options);
        EXPECT_FALSE(shell.open());
        EXPECT_EQ(shell.window(), nullptr);
    }
}

TEST(Record, ARecordingThatCannotBeWrittenIsNotReportedAsKept) {
    ASSERT_TRUE(kDummyVideo);
    if (!fs::exists("/dev/full")) {
        GTEST_SKIP() << "no /dev/full here";
    }
    Options options;
    options.recordPath = "/dev/full"; // opens, then every write fails
    Shell shell(options);
    ASSERT_TRUE(shell.open());
    shell.startUp(kSeed);
    pushKey(SDLK_RIGHT, SDL_KEYDOWN);
    passes(shell, 3);
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(shell.finishRecording());
    const std::string err = ::testing::internal::GetCapturedStderr();
    EXPECT_NE(err.find("could not be written in full"), std::string::npos) << err;
    EXPECT_FALSE(shell.finishRecording()) << "asking again does not make it kept";
}

// With the brush on, a drag on the playfield paints right under the pointer, whatever the
// view's scroll, and spawns nothing; off again, a click spawns as ever.
TEST(Record, TheBrushPaintsWhereThePointerIs) {
    ASSERT_TRUE(kDummyVideo);
    Shell shell;
    ASSERT_TRUE(shell.open());
    shell.startUp(kSeed);
    Game& g = shell.game();
    pushKey(SDLK_RIGHT, SDL_KEYDOWN); // drive until the view has scrolled
    passes(shell, 120);
    pushKey(SDLK_RIGHT, SDL_KEYUP);
    pushText("1"); // paint colour: ground
    passes(shell, 1);
    ASSERT_LT(g.picground.Left, -kTwipsPerPixel * 10) << "the view should have scrolled";
    pushPress(SDLK_F6);
    passes(shell, 1);
    ASSERT_TRUE(shell.brushMode());
    pushMove(100, 60);
    pushButton(SDL_MOUSEBUTTONDOWN, 100, 60, SDL_BUTTON_LEFT);
    pushMove(300, 60);
    pushButton(SDL_MOUSEBUTTONUP, 300, 60, SDL_BUTTON_LEFT);
    passes(shell, 1);
    const auto pointAtView = [&](int vx, int vy) {
        return g.picground.Point(vx * kTwipsPerPixel - g.picground.Left,
                                 vy * kTwipsPerPixel - g.picground.Top);
    };
    for (const int vx : {100, 200, 300}) {
        EXPECT_EQ(pointAtView(vx, 60), RGB(100, 100, 0)) << "at view x " << vx;
    }
    // A click's batch would stand at the pressed point until the next pass's rock pass.
    const float pressX = 100 * kTwipsPerPixel - g.picground.Left;
    for (int i = 1; i <= g.rocks.rockcount; ++i) {
        EXPECT_FALSE(g.rocks[i].x == std::lround(pressX) && g.rocks[i].y == 60 * kTwipsPerPixel)
            << "the brush spawns nothing: rock " << i;
    }
    pushPress(SDLK_F6);
    passes(shell, 1);
    EXPECT_FALSE(shell.brushMode());
}

// A shared replay may only play: a line that would write a file, rewrite the world or print is
// refused, with its line, before the window opens; nothing is written.
TEST(Record, AReplayThatHoldsMoreThanPlayNeverStarts) {
    ASSERT_TRUE(kDummyVideo);
    const fs::path victim = scratch("victim.png");
    struct Case {
        std::string text;
        std::string error;
    };
    const Case cases[] = {
        {"seed 5\npass 2\npng " + victim.string() + "\n", "bad.sim:3: 'png' cannot be"},
        {"seed 5\nview " + victim.string() + "\n", "bad.sim:2: 'view' cannot be"},
        {"seed 5\nset rockcount 1500\n", "bad.sim:2: 'set' cannot be"},
        {"seed 5\nrock 1 type=15\n", "bad.sim:2: 'rock' cannot be"},
        {"seed 5\npass 1\ndump\n", "bad.sim:3: 'dump' cannot be"},
        {"seed 5\npass 2\nkeydown 70000\npass 50\n", "bad.sim:3: keydown: VK must be"},
    };
    for (const Case& c : cases) {
        const fs::path file = scratch("bad.sim");
        std::ofstream(file) << c.text;
        Options options;
        options.replayPath = file.string();
        Shell shell(options);
        ::testing::internal::CaptureStderr();
        EXPECT_FALSE(shell.open()) << c.text;
        const std::string err = ::testing::internal::GetCapturedStderr();
        EXPECT_EQ(shell.window(), nullptr);
        EXPECT_NE(err.find(c.error), std::string::npos) << err;
        EXPECT_FALSE(fs::exists(victim)) << c.text;
    }
}

// A recording is written as the game goes, so a game that dies keeps all but its last second.
TEST(Record, TheRecordingIsOnDiskWhileTheGameRuns) {
    ASSERT_TRUE(kDummyVideo);
    const fs::path file = scratch("running.sim");
    Options options;
    options.recordPath = file.string();
    Shell shell(options);
    ASSERT_TRUE(shell.open());
    shell.startUp(kSeed);
    pushKey(SDLK_RIGHT, SDL_KEYDOWN);
    passes(shell, 70);
    const std::string text = fileText(file);
    EXPECT_EQ(text.rfind("wreckhaul-replay 1\n", 0), 0u) << text;
    EXPECT_NE(text.find("keydown 39\n"), std::string::npos) << text;
    EXPECT_TRUE(shell.finishRecording());
}

// The window's replay stops where its check finds another game, and says so.
TEST(Record, AReplayThatDriftsStopsWithTheLineOfItsCheck) {
    ASSERT_TRUE(kDummyVideo);
    const fs::path file = scratch("drift.sim");
    std::ofstream(file) << "wreckhaul-replay 1\nseed 5\npass 3\ncheckpoint 3 0123456789abcdef\n"
                           "pass 50\n";
    Options options;
    options.replayPath = file.string();
    Shell shell(options);
    ASSERT_TRUE(shell.open());
    shell.startUp(1);
    ::testing::internal::CaptureStderr();
    for (int i = 0; i < 5; ++i) {
        ASSERT_TRUE(shell.runPass());
    }
    const std::string err = ::testing::internal::GetCapturedStderr();
    EXPECT_FALSE(shell.replaying());
    EXPECT_NE(err.find("drift.sim:4: the replay left the recorded game at pass 3"),
              std::string::npos)
        << err;
}

} // namespace
} // namespace wh::front
