// Reading the game's command line. Seeds are read by the same rule as wreckhaul-sim's, so a seed
// written for one program means the same game to the other.
#include "front/options.hpp"

#include "front/soundscape.hpp"
#include "session/numbers.hpp"

#include <string_view>

#ifndef WRECKHAUL_VERSION
#define WRECKHAUL_VERSION "unknown"
#endif

namespace wh::front {

namespace {

struct Reader {
    const std::vector<std::string>& args;
    size_t next = 0;
    std::string error;

    // The value of option `name` at args[next - 1], either "--name=VALUE" or the next argument.
    // A file name must not look like another option: a forgotten value is far likelier.
    bool value(std::string_view arg, std::string_view name, bool isFile, std::string& out) {
        if (arg.size() > name.size() && arg[name.size()] == '=') {
            out = arg.substr(name.size() + 1);
        } else if (next < args.size() && !(isFile && args[next].starts_with("-"))) {
            out = args[next++];
        } else {
            error = std::string(name) + " needs a value";
            return false;
        }
        if (isFile && out.empty()) {
            error = std::string(name) + " needs a file name";
            return false;
        }
        return true;
    }

    // The whole number, lo to hi, that option `name` at args[next - 1] gives `what`.
    bool integer(std::string_view arg, std::string_view name, std::string_view what, int64_t lo,
                 int64_t hi, int& out) {
        std::string text;
        if (!value(arg, name, false, text)) {
            return false;
        }
        int64_t number = 0;
        error = session::readInteger(what, text, lo, hi, number);
        if (!error.empty()) {
            return false;
        }
        out = static_cast<int>(number);
        return true;
    }
};

// "--name" or "--name=...".
bool isOption(std::string_view arg, std::string_view name) {
    return arg.starts_with(name) && (arg.size() == name.size() || arg[name.size()] == '=');
}

} // namespace

ParsedCommandLine parseCommandLine(const std::vector<std::string>& args) {
    ParsedCommandLine parsed;
    Options& o = parsed.options;
    Reader reader{args, 0, {}};
    auto fail = [&parsed](std::string what) {
        parsed.request = Request::error;
        parsed.error = std::move(what);
        return parsed;
    };
    while (reader.next < args.size()) {
        const std::string_view arg = args[reader.next++];
        std::string value;
        if (arg == "--help" || arg == "-h") {
            parsed.request = Request::help;
            return parsed;
        }
        if (arg == "--version") {
            parsed.request = Request::version;
            return parsed;
        }
        if (arg == "--fullscreen") {
            o.fullscreen = true;
        } else if (arg == "--fit") {
            o.fit = true;
        } else if (arg == "--mute") {
            o.mute = true;
        } else if (isOption(arg, "--volume")) {
            if (!reader.integer(arg, "--volume", "the volume", 0, kMaxVolume, o.volume)) {
                return fail(reader.error);
            }
        } else if (isOption(arg, "--scale")) {
            if (!reader.integer(arg, "--scale", "the scale", 1, kMaxScale, o.scale)) {
                return fail(reader.error);
            }
        } else if (isOption(arg, "--seed")) {
            uint64_t seed = 0;
            if (!reader.value(arg, "--seed", false, value)) {
                return fail(reader.error);
            }
            if (std::string err = session::readSeed(value, seed); !err.empty()) {
                return fail(err);
            }
            o.seed = seed;
        } else if (isOption(arg, "--record")) {
            if (!reader.value(arg, "--record", true, o.recordPath)) {
                return fail(reader.error);
            }
        } else if (isOption(arg, "--replay")) {
            if (!reader.value(arg, "--replay", true, o.replayPath)) {
                return fail(reader.error);
            }
        } else if (arg.starts_with("-")) {
            return fail("unknown option " + session::quoted(arg));
        } else {
            return fail("unexpected argument " + session::quoted(arg));
        }
    }
    // A replay is a recorded game played again: its script holds its own seed, and recording it
    // once more would only copy the script.
    if (!o.replayPath.empty() && !o.recordPath.empty()) {
        return fail("--record and --replay cannot be used together");
    }
    if (!o.replayPath.empty() && o.seed) {
        return fail("--seed and --replay cannot be used together: a replay starts from the seed "
                    "its script gives");
    }
    return parsed;
}

const char* usageText() {
    return R"(usage: wreckhaul [--scale N] [--fit] [--fullscreen] [--seed N]
                 [--record FILE | --replay FILE] [--volume N] [--mute]
       wreckhaul --help | --version

Plays Wreckhaul in a window. No option is needed to play.

  --scale N       draw the view N times its size (1 to 8): the window opens that large, or at
                    the largest whole factor the desktop holds, and the view never grows past N;
                    without it the window opens at the largest size that fits the desktop
                    comfortably and the view grows by whole factors with the window
  --fit           the view fills the window at any size, its shape kept (F10 switches)
  --fullscreen    start in fullscreen, the view filling the screen (F11 switches back and forth)
  --seed N        start the game from seed N (any 64-bit whole number) instead of the clock,
                    so the same play gives the same game
  --record FILE   write the game, every pass and every input, to FILE as a wreckhaul-sim
                    script
  --replay FILE   play back a script written by --record (not with --record or --seed)
  --volume N      the sounds at N percent (0 to 100; 80 unless given)
  --mute          start with the sound off (F2 switches it on and off)
  --help          show this text and end
  --version       show the version and end

In the game: F1 help, F2 sound on/off, F3 stats, F4 status line, F6 brush, F10 whole factors
or filling, F11 fullscreen, F12 screenshot, Esc ends the game.

Exit status: 0 when the game ends; 1 when the window, the recording or the replay cannot be
opened; 2 for a bad command line; 3 when the recording could not be written in full.
)";
}

const char* versionText() {
    return "wreckhaul " WRECKHAUL_VERSION "\n";
}

} // namespace wh::front
