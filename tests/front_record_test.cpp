// Recording and replay through the real front end under SDL's dummy video driver: a session
// played with SDL events is written as a script that wreckhaul-sim's runner plays to the very
// same dump, and the window's own replay of it reaches the same state.
#include "front/shell.hpp"
#include "front_events.hpp"
#include "runner.hpp"

#include "app/statehash.hpp"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include <unistd.h>

namespace wh::front {
namespace {

namespace fs = std::filesystem;

using namespace testing;

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
struct Scratch {
    fs::path dir = fs::temp_directory_path() / ("wreckhaul-record-" + std::to_string(getpid()));
    Scratch() { fs::create_directories(dir); }
    ~Scratch() {
        std::error_code ignored;
        fs::remove_all(dir, ignored);
    }
};

fs::path scratch(const char* name) {
    static const Scratch s;
    return s.dir / name;
}

// Drives right, fires, pauses, spawns a batch with a click, paints with the brush, and drives on.
void playSession(Shell& shell) {
    passes(shell, 3);
    pushKey(SDLK_RIGHT, SDL_KEYDOWN);
    passes(shell, 25);
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
    EXPECT_NE(script.find("seed 4242\n"), std::string::npos) << script;
    EXPECT_NE(script.find("click "), std::string::npos) << script;
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
    int guard = 0;
    while (shell.replaying() && guard++ < 1000) {
        ASSERT_TRUE(shell.runPass());
    }
    EXPECT_FALSE(shell.replaying());
    // The pass that found the script's end was already played live, with no input.
    std::ostringstream sink;
    std::ifstream in(r.file);
    sim::Runner headless(1, sink);
    std::string line;
    while (std::getline(in, line)) {
        headless.runLine(line);
    }
    headless.runLine("pass");
    EXPECT_EQ(stateHash(shell.game()), stateHash(headless.game()));
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

TEST(Record, AnEndedReplayStillNamesTheLineItRefused) {
    ASSERT_TRUE(kDummyVideo);
    const fs::path file = scratch("bad.sim");
    std::ofstream(file) << "seed 5\npass 2\nkeydown 70000\npass 50\n";
    Options options;
    options.replayPath = file.string();
    Shell shell(options);
    ASSERT_TRUE(shell.open());
    shell.startUp(1);
    ::testing::internal::CaptureStderr();
    for (int i = 0; i < 4; ++i) {
        ASSERT_TRUE(shell.runPass());
    }
    const std::string err = ::testing::internal::GetCapturedStderr();
    EXPECT_FALSE(shell.replaying());
    EXPECT_NE(err.find("bad.sim:3: keydown"), std::string::npos) << err;
}

} // namespace
} // namespace wh::front
