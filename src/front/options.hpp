// The game program's command line: what the player asked for, read without touching anything, so
// main decides what to print and how to start.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace wh::front {

inline constexpr int kMaxScale = 8;
inline constexpr int kDefaultVolume = 80; // percent of full

struct Options {
    int scale = 0;                // whole factor of the view, 1 to kMaxScale; 0: fit the display
    bool fullscreen = false;      // start in desktop fullscreen
    bool fit = false;             // the view fills the window rather than growing by whole factors
    std::optional<uint64_t> seed; // the start-up's seed; none: the clock
    std::string recordPath;       // write the game as a wreckhaul-sim script; empty: do not
    std::string replayPath;       // play a recorded script instead of live input; empty: live
    int volume = kDefaultVolume;  // of the sounds, 0 to 100 percent
    bool mute = false;            // start with the sound off
    // Not on the command line: where the player's settings are kept (main finds it in the
    // desktop's configuration folder); empty: none are read or written.
    std::string settingsPath;
};

enum class Request { run, help, version, error };

struct ParsedCommandLine {
    Request request = Request::run;
    Options options;
    std::string error; // what is wrong, when request is error
};

// args: the arguments after the program's name. --help and --version end the reading where they
// stand; a repeated option takes its last value.
ParsedCommandLine parseCommandLine(const std::vector<std::string>& args);

const char* usageText();
const char* versionText();

} // namespace wh::front
