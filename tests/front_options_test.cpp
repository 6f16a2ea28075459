// The game program's command line, case by case: what each option sets, what it refuses, and
// which options exclude each other.
#include "front/options.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace wh::front {
namespace {

TEST(CommandLine, NoOptionsPlaysWithTheDefaults) {
    const ParsedCommandLine p = parseCommandLine({});
    EXPECT_EQ(p.request, Request::run);
    EXPECT_EQ(p.options.scale, 0);
    EXPECT_FALSE(p.options.fullscreen);
    EXPECT_FALSE(p.options.fit);
    EXPECT_FALSE(p.options.seed.has_value());
    EXPECT_TRUE(p.options.recordPath.empty());
    EXPECT_TRUE(p.options.replayPath.empty());
    EXPECT_EQ(p.options.volume, 80);
    EXPECT_FALSE(p.options.mute);
}

TEST(CommandLine, SoundCases) {
    struct Case {
        std::vector<std::string> args;
        std::string error; // a part of the message; empty: read as below
        int volume = 80;
        bool mute = false;
    };
    const Case cases[] = {
        {{"--mute"}, "", 80, true},
        {{"--volume", "0"}, "", 0},
        {{"--volume=100"}, "", 100},
        {{"--volume", "35", "--mute"}, "", 35, true},
        {{"--volume", "10", "--volume", "20"}, "", 20},
        {{"--volume", "101"}, "the volume must be 0 to 100, got '101'"},
        {{"--volume", "-1"}, "the volume must be 0 to 100, got '-1'"},
        {{"--volume", "loud"}, "the volume must be a whole number, got 'loud'"},
        {{"--volume"}, "--volume needs a value"},
        {{"--mute=yes"}, "unknown option '--mute=yes'"},
    };
    for (const Case& c : cases) {
        const ParsedCommandLine p = parseCommandLine(c.args);
        const std::string shown = c.args[0];
        if (!c.error.empty()) {
            EXPECT_EQ(p.request, Request::error) << shown;
            EXPECT_NE(p.error.find(c.error), std::string::npos) << shown << " gave: " << p.error;
            continue;
        }
        EXPECT_EQ(p.request, Request::run) << shown << p.error;
        EXPECT_EQ(p.options.volume, c.volume) << shown;
        EXPECT_EQ(p.options.mute, c.mute) << shown;
    }
}

TEST(CommandLine, Cases) {
    struct Case {
        std::vector<std::string> args;
        Request request;
        std::string error; // a part of the message, when the request is error
        int scale = 0;
        bool fullscreen = false;
        std::optional<uint64_t> seed = std::nullopt;
        std::string record = "";
        std::string replay = "";
        bool fit = false;
    };
    const Case cases[] = {
        {{"--help"}, Request::help, ""},
        {{"-h"}, Request::help, ""},
        {{"--version"}, Request::version, ""},
        {{"--help", "--bogus"}, Request::help, ""}, // read no further
        {{"--bogus", "--help"}, Request::error, "unknown option '--bogus'"},
        {{"--scale", "3"}, Request::run, "", 3},
        {{"--scale=2"}, Request::run, "", 2},
        {{"--scale", "8"}, Request::run, "", 8},
        {{"--scale", "2", "--scale", "4"}, Request::run, "", 4},
        {{"--scale", "0"}, Request::error, "the scale must be 1 to 8, got '0'"},
        {{"--scale", "9"}, Request::error, "the scale must be 1 to 8, got '9'"},
        {{"--scale", "two"}, Request::error, "the scale must be a whole number, got 'two'"},
        {{"--scale", "1.5"}, Request::error, "whole number"},
        {{"--scale="}, Request::error, "whole number"},
        {{"--scale"}, Request::error, "--scale needs a value"},
        {{"--fullscreen"}, Request::run, "", 0, true},
        {{"--fullscreen", "--scale", "2"}, Request::run, "", 2, true},
        {{"--seed", "42"}, Request::run, "", 0, false, 42},
        {{"--seed=0"}, Request::run, "", 0, false, 0},
        {{"--seed", "-1"}, Request::run, "", 0, false, UINT64_MAX},
        {{"--seed", "18446744073709551615"}, Request::run, "", 0, false, UINT64_MAX},
        {{"--seed", "18446744073709551616"}, Request::error, "the seed is out of range"},
        {{"--seed", "1x"}, Request::error, "the seed must be a whole number, got '1x'"},
        {{"--seed"}, Request::error, "--seed needs a value"},
        {{"--record", "game.sim"}, Request::run, "", 0, false, std::nullopt, "game.sim"},
        {{"--record=a b.sim"}, Request::run, "", 0, false, std::nullopt, "a b.sim"},
        {{"--record", "game.sim", "--seed", "7"}, Request::run, "", 0, false, 7, "game.sim"},
        {{"--record"}, Request::error, "--record needs a value"},
        {{"--record", "--fullscreen"}, Request::error, "--record needs a value"},
        {{"--record="}, Request::error, "--record needs a file name"},
        {{"--replay", "game.sim", "--scale", "2"},
         Request::run,
         "",
         2,
         false,
         std::nullopt,
         "",
         "game.sim"},
        {{"--replay"}, Request::error, "--replay needs a value"},
        {{"--record", "a.sim", "--replay", "b.sim"},
         Request::error,
         "--record and --replay cannot be used together"},
        {{"--replay", "b.sim", "--seed", "3"},
         Request::error,
         "--seed and --replay cannot be used together"},
        {{"--fit"}, Request::run, "", 0, false, std::nullopt, "", "", true},
        {{"--fit", "--scale", "3", "--fullscreen"},
         Request::run,
         "",
         3,
         true,
         std::nullopt,
         "",
         "",
         true},
        {{"--fit=yes"}, Request::error, "unknown option '--fit=yes'"},
        {{"--fullscreen=yes"}, Request::error, "unknown option '--fullscreen=yes'"},
        {{"--scaled", "2"}, Request::error, "unknown option '--scaled'"},
        {{"-"}, Request::error, "unknown option '-'"},
        {{"level.png"}, Request::error, "unexpected argument 'level.png'"},
    };
    for (const Case& c : cases) {
        std::string shown;
        for (const std::string& a : c.args) {
            shown += a + " ";
        }
        const ParsedCommandLine p = parseCommandLine(c.args);
        EXPECT_EQ(p.request, c.request) << shown << p.error;
        if (c.request == Request::error) {
            EXPECT_NE(p.error.find(c.error), std::string::npos) << shown << "gave: " << p.error;
            continue;
        }
        EXPECT_TRUE(p.error.empty()) << shown;
        if (c.request != Request::run) {
            continue;
        }
        EXPECT_EQ(p.options.scale, c.scale) << shown;
        EXPECT_EQ(p.options.fullscreen, c.fullscreen) << shown;
        EXPECT_EQ(p.options.seed, c.seed) << shown;
        EXPECT_EQ(p.options.recordPath, c.record) << shown;
        EXPECT_EQ(p.options.replayPath, c.replay) << shown;
        EXPECT_EQ(p.options.fit, c.fit) << shown;
    }
}

TEST(CommandLine, UsageNamesEveryOption) {
    const std::string usage = usageText();
    for (const char* option :
         {"--help", "--version", "--scale N", "--fit", "--fullscreen", "--seed N", "--record FILE",
          "--replay FILE", "--volume N", "--mute"}) {
        EXPECT_NE(usage.find(option), std::string::npos) << option;
    }
    EXPECT_EQ(std::string(versionText()).rfind("wreckhaul ", 0), 0u);
}

} // namespace
} // namespace wh::front
