// Recording and playing back: a session driven through its inputs and written by the recorder
// runs again, headless or a pass at a time, to the very same state; the recording's clock
// readings and checks make it exact and say where a replay drifts; a replay may only play.
#include "runner.hpp"

#include "app/statehash.hpp"
#include "session/lines.hpp"
#include "session/player.hpp"
#include "session/recorder.hpp"
#include "tools/mouse.hpp"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

namespace wh::sim {
namespace {

using session::Player;

constexpr uint64_t kSeed = 424242;

std::string dumpOf(Game& g) {
    std::ostringstream out;
    Runner(g, out).runLine("dump");
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

// A live game as the window plays it: the clock read before each work and at each event step,
// the inputs of a pass after its work, every one heard by the recorder.
class Live {
public:
    explicit Live(std::ostream& script, uint32_t jitter = 0)
        : session_(game_), recorder_(session_, script), jitter_(jitter) {
        session_.start(kSeed);
        session_.readClock(clock_);
    }

    Game& g() { return game_; }
    session::Session& session() { return session_; }
    session::Recorder& rec() { return recorder_; }

    void quietPasses(int n) {
        for (int i = 0; i < n; ++i) {
            passWith([] {});
        }
    }
    // With a jitter the clock wanders as a real one does: readings that are not 16 ms apart.
    template <typename Events> void passWith(Events events) {
        session_.readClock(clock_);
        session_.work();
        session_.readClock(clock_ + (jitter_ != 0 ? passes_ % 3 : session::kPassMillis));
        events();
        session_.tick();
        clock_ += session::kPassMillis + (jitter_ != 0 ? (passes_ * 7) % jitter_ : 0);
        ++passes_;
    }
    void in(const session::Input& input) { session_.deliver(input); }

private:
    Game game_;
    session::Session session_;
    session::Recorder recorder_;
    uint32_t jitter_;
    uint32_t clock_ = 5000;
    uint32_t passes_ = 0;
};

constexpr int16_t kVkRight = 39;
constexpr int16_t kVkSpace = 32;

// Drives, fires, pauses, fills in the panel, spawns, paints and drops: every kind of input.
void playSession(Live& s) {
    using namespace session;
    s.quietPasses(5);
    s.passWith([&] { s.in(KeyDown{kVkRight}); });
    s.quietPasses(40);
    s.passWith([&] {
        s.in(KeyUp{kVkRight});
        s.in(KeyDown{kVkSpace});
    });
    s.quietPasses(12);
    s.passWith([&] { s.in(KeyUp{kVkSpace}); });
    s.passWith([&] {
        s.in(Character{'p'});
        s.in(ListSelect{ListId::typelist, 3});
        s.in(TextEdit{"number", "25"});
        s.in(TextEdit{"xdis", " -3 "});
        s.in(CheckBoxSet{"rndydis", true});
        // A click at a fractional place: the playfield scrolls by fractions of a twip.
        s.in(PlayfieldPress{12345.625f - s.g().picground.Left, 3000.5f, kButtonLeft});
    });
    s.passWith([&] { s.in(Character{'p'}); });
    s.passWith([&] { s.in(Character{'a'}); }); // alive rocks: the agitation timer reads the clock
    s.passWith([&] {
        s.in(BrushStroke{20000.5f, 3000, 20000.5f, 3000, kButtonLeft});
        s.in(BrushStroke{20000.5f, 3000, 23000.25f, 3600, kButtonRight});
    });
    s.quietPasses(30);
    s.passWith([&] {
        for (const auto& [b, x, y] :
             {std::tuple{kButtonRight, 300.f, 600.f}, std::tuple{kButtonRight, 2400.f, 900.f}}) {
            s.in(WindowMouse{MousePhase::down, b, x, y});
            s.in(WindowMouse{MousePhase::move, b, x + 1500, y + 45});
            s.in(WindowMouse{MousePhase::up, b, x + 1500, y + 45});
        }
    });
    s.quietPasses(25);
}

TEST(Recording, ASessionPlaysAgainHeadlessToTheSameState) {
    for (const uint32_t jitter : {0u, 5u}) {
        std::ostringstream script;
        Live s(script, jitter);
        playSession(s);
        s.rec().finish();
        ASSERT_GT(s.g().rocks.rockcount, 0) << "the session should have spawned rocks";
        // The start's reading always; with a wandering clock every reading it did not foresee.
        size_t readings = 0;
        for (size_t at = 0; (at = script.str().find("\nclock ", at)) != std::string::npos; ++at) {
            ++readings;
        }
        EXPECT_EQ(readings > 1, jitter != 0) << script.str();

        std::ostringstream sink;
        Runner headless(1, sink); // the script's own seed line must start the game it recorded
        runScript(headless, script.str());
        EXPECT_EQ(stateHash(headless.game()), stateHash(s.g())) << script.str();
        EXPECT_EQ(dumpOf(headless.game()), dumpOf(s.g()));
        EXPECT_EQ(headless.passes(), s.session().passes());
    }
}

std::optional<Player> readPlayer(const std::string& text, const std::string& name = "session") {
    std::istringstream in(text);
    std::string error;
    std::optional<Player> p = Player::read(in, name, error);
    EXPECT_TRUE(p.has_value()) << error;
    return p;
}

// Plays a whole recording a pass at a time, as the window does; returns the step that ended it.
Player::Step playAll(Player& player, session::Session& s, uint64_t& steps) {
    Player::Step step = player.begin(s);
    while (step == Player::Step::pass) {
        if ((step = player.work(s)) != Player::Step::pass) {
            break;
        }
        if ((step = player.tick(s)) == Player::Step::pass) {
            ++steps;
        }
    }
    return step;
}

TEST(Recording, APlayerReachesTheSameStateOnePassAtATime) {
    std::ostringstream script;
    Live s(script, 5);
    playSession(s);
    s.rec().finish();

    std::optional<Player> player = readPlayer(script.str());
    ASSERT_TRUE(player);
    Game g;
    session::Session replay(g);
    uint64_t steps = 0;
    EXPECT_EQ(playAll(*player, replay, steps), Player::Step::finished) << player->error();
    EXPECT_EQ(steps, s.session().passes()) << "each step is exactly one pass";
    EXPECT_EQ(stateHash(g), stateHash(s.g()));
}

TEST(Recording, QuietPassesAreGatheredAndAPassWithInputsIsWorkInputsTick) {
    std::ostringstream script;
    Live s(script);
    s.quietPasses(3);
    s.passWith([&] {
        s.in(session::KeyDown{kVkRight});
        s.in(session::Character{'e'});
    });
    s.quietPasses(2);
    s.passWith([] {});
    s.session().work(); // the window closed after this pass's work, before its tick
    s.rec().finish();
    const std::string text = script.str();
    ASSERT_EQ(text.rfind("wreckhaul-replay 1\n", 0), 0u) << "the header comes first:\n" << text;
    const std::string body = text.substr(text.find("seed"));
    const std::string check = "checkpoint 8 " + [&] {
        char hex[20];
        std::snprintf(hex, sizeof hex, "%016llx",
                      static_cast<unsigned long long>(stateHash(s.g())));
        return std::string(hex);
    }();
    EXPECT_EQ(body, "seed 424242\nclock 5000\npass 3\nwork\nkeydown 39\nchar 101\ntick\npass 3\n"
                    "work\n" +
                        check + "\n");
}

TEST(Recording, ChecksTheStateEveryTenSecondsOfPasses) {
    std::ostringstream script;
    Live s(script);
    s.quietPasses(1300);
    s.rec().finish();
    const std::string text = script.str();
    for (const char* pass : {"checkpoint 625 ", "checkpoint 1250 ", "checkpoint 1300 "}) {
        EXPECT_NE(text.find(pass), std::string::npos) << pass << "in\n" << text;
    }
}

TEST(Recording, EndingWithEscStopsThePlaybackAndItsLastCheckStillCounts) {
    std::ostringstream script;
    Live s(script);
    s.quietPasses(2);
    s.passWith([&] { s.in(session::Character{27}); });
    ASSERT_TRUE(s.g().ended);
    s.rec().finish();

    std::optional<Player> player = readPlayer(script.str() + "pass 100\n");
    ASSERT_TRUE(player);
    Game g;
    session::Session replay(g);
    uint64_t steps = 0;
    EXPECT_EQ(playAll(*player, replay, steps), Player::Step::ended) << player->error();
    EXPECT_EQ(replay.passes(), 3u);

    // The same recording with its last check made wrong: the end no longer matches.
    std::string wrong = script.str();
    const size_t last = wrong.rfind("checkpoint 3 ");
    ASSERT_NE(last, std::string::npos) << wrong;
    wrong[last + 13] = wrong[last + 13] == '0' ? '1' : '0';
    std::optional<Player> drifted = readPlayer(wrong, "esc.sim");
    ASSERT_TRUE(drifted);
    Game g2;
    session::Session replay2(g2);
    steps = 0;
    EXPECT_EQ(playAll(*drifted, replay2, steps), Player::Step::diverged);
    EXPECT_NE(drifted->error().find("the replay left the recorded game at pass 3"),
              std::string::npos)
        << drifted->error();
}

// The same recording with one key code changed: the replay stops at the first check after it,
// in the player and in the runner, with the line of that check.
TEST(Recording, AReplayThatDriftsStopsAtTheNextCheck) {
    std::ostringstream script;
    Live s(script);
    s.quietPasses(10);
    s.passWith([&] { s.in(session::KeyDown{kVkRight}); });
    s.quietPasses(700);
    s.rec().finish();
    std::string text = script.str();
    const size_t key = text.find("keydown 39");
    ASSERT_NE(key, std::string::npos);
    text.replace(key, 10, "keydown 37"); // left instead of right
    size_t checkLine = 1;
    for (size_t i = 0; i < text.find("checkpoint 625 "); ++i) {
        checkLine += text[i] == '\n' ? 1 : 0;
    }
    const std::string expected = "drift.sim:" + std::to_string(checkLine) +
                                 ": the replay left the recorded game at pass 625";

    std::optional<Player> player = readPlayer(text, "drift.sim");
    ASSERT_TRUE(player);
    Game g;
    session::Session replay(g);
    uint64_t steps = 0;
    EXPECT_EQ(playAll(*player, replay, steps), Player::Step::diverged);
    EXPECT_EQ(player->error(), expected);
    EXPECT_EQ(steps, 624u) << "the pass that reached the check is not counted as played";

    std::ostringstream sink;
    Runner headless(1, sink);
    std::istringstream in(text);
    std::string line;
    size_t number = 0;
    std::string error;
    try {
        while (std::getline(in, line)) {
            ++number;
            headless.runLine(line);
        }
    } catch (const ScriptError& e) {
        error = "drift.sim:" + std::to_string(number) + ": " + e.what();
    }
    EXPECT_EQ(error, expected);
}

// Everything but play is refused whole before a replay starts, with the line that holds it.
TEST(Recording, AReplayHoldsOnlyPlay) {
    struct Case {
        const char* text;
        const char* error;
    };
    const Case cases[] = {
        {"seed 1\npass 2\npng /tmp/x.png\n", "r.sim:3: 'png' cannot be in a replay"},
        {"seed 1\nview x.png\n", "r.sim:2: 'view' cannot be in a replay"},
        {"seed 1\nset rockcount 1500\n", "r.sim:2: 'set' cannot be in a replay"},
        {"seed 1\nrock 1 type=15\n", "r.sim:2: 'rock' cannot be in a replay"},
        {"seed 1\ndump\n", "r.sim:2: 'dump' cannot be in a replay"},
        {"seed 1\ndot 0 0 1 1 1 1\nline 0 0 1 1 1 1 1 1\n", "r.sim:2: 'dot' cannot be"},
        {"seed 1\ncls\n", "r.sim:2: 'cls' cannot be in a replay"},
        {"seed 1\npoint 1 1\n", "r.sim:2: 'point' cannot be in a replay"},
        {"seed 1\nhash\n", "r.sim:2: 'hash' cannot be in a replay"},
        {"seed 1\nfrobnicate\n", "r.sim:2: 'frobnicate' cannot be in a replay"},
        {"seed 1\n\n# fine\nkeydown 99999\n", "r.sim:4: keydown: VK must be -32768 to 32767"},
        {"seed 1\ncheckpoint 1 xyz\n", "r.sim:2: checkpoint: HASH must be 16 hexadecimal"},
        {"wreckhaul-replay 2\nseed 1\n", "r.sim:1: made by a newer Wreckhaul: replay format "
                                         "version 2, this one reads up to version 1"},
        {"seed 1\nwreckhaul-replay 1\n", "r.sim:2: the replay's header must be its first line"},
        {"pass 3\nseed 1\n", "r.sim:1: a replay starts from its seed"},
        {"# nothing\n", "r.sim: holds no seed line"},
    };
    for (const Case& c : cases) {
        std::istringstream in(c.text);
        std::string error;
        EXPECT_FALSE(Player::read(in, "r.sim", error).has_value()) << c.text;
        EXPECT_EQ(error.rfind(c.error, 0), 0u) << c.text << " gave: " << error;
    }
}

TEST(Recording, EveryLineReadsBackAsItWasWritten) {
    const char* lines[] = {
        "wreckhaul-replay 1",
        "seed 18446744073709551615",
        "pass 12",
        "work",
        "tick",
        "clock 4294967295",
        "checkpoint 625 00ff00ff00ff00ff",
        "keydown -5",
        "keyup 32767",
        "key 13",
        "char 27",
        "click 0.100000001 -3 4",
        "mousedown 2 1.5 2.25",
        "mousemove 7 -1 1048576",
        "mouseup 1 0 0",
        "brush 1.5 -2 30000.25 9000 2",
        "select subtypelist -1",
        "text number  spaced out ",
        "check rndcount 1",
    };
    for (const char* line : lines) {
        const std::optional<session::Line> read = session::readLine(line);
        ASSERT_TRUE(read.has_value()) << line;
        EXPECT_EQ(session::lineText(*read), line);
    }
    EXPECT_FALSE(session::readLine("   # a comment").has_value());
    EXPECT_EQ(session::lineText(session::TextEdit{"xt", "12\nset rockcount 1500"}), "text xt 12")
        << "a line break cannot smuggle a second line into a recording";
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
