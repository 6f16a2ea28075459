// wreckhaul-sim: the game without a window, driven by a script of inputs from a file or stdin.
#include "runner.hpp"

#include "session/numbers.hpp"

#include <fstream>
#include <iostream>
#include <string>
#include <string_view>

namespace {

constexpr int kExitOk = 0;
constexpr int kExitError = 2;
constexpr uint64_t kDefaultSeed = 1;

int usageError(const std::string& what) {
    std::cerr << "wreckhaul-sim: " << what << "\n" << wh::sim::usageText();
    return kExitError;
}

int runScript(std::istream& in, const std::string& name, uint64_t seed) {
    wh::sim::Runner runner(seed, std::cout);
    std::string text;
    long lineNumber = 0;
    bool ended = false;
    while (std::getline(in, text)) {
        ++lineNumber;
        // A recording's checks of the state after the game ended are still compared.
        if (ended && wh::session::commandOf(text) != "checkpoint") {
            continue;
        }
        try {
            ended = !runner.runLine(text);
        } catch (const wh::sim::ScriptError& e) {
            std::cout.flush();
            std::cerr << name << ":" << lineNumber << ": " << e.what() << "\n";
            return kExitError;
        }
    }
    std::cout.flush();
    if (in.bad()) {
        std::cerr << name << ": cannot be read\n";
        return kExitError;
    }
    return kExitOk;
}

} // namespace

int main(int argc, char** argv) {
    uint64_t seed = kDefaultSeed;
    std::string script;
    bool haveScript = false;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            std::cout << wh::sim::usageText();
            return kExitOk;
        }
        if (arg == "--seed" || arg.starts_with("--seed=")) {
            std::string_view value;
            if (arg == "--seed") {
                if (i + 1 >= argc) {
                    return usageError("--seed needs a value");
                }
                value = argv[++i];
            } else {
                value = arg.substr(std::string_view("--seed=").size());
            }
            if (std::string err = wh::session::readSeed(value, seed); !err.empty()) {
                return usageError(err);
            }
            continue;
        }
        if (arg.size() > 1 && arg.front() == '-') {
            return usageError("unknown option " + wh::session::quoted(arg));
        }
        if (haveScript) {
            return usageError("only one SCRIPT may be given");
        }
        script = arg;
        haveScript = true;
    }
    if (!haveScript) {
        return usageError("SCRIPT is missing");
    }
    if (script == "-") {
        return runScript(std::cin, "<stdin>", seed);
    }
    std::ifstream file(script, std::ios::binary);
    if (!file) {
        std::cerr << "wreckhaul-sim: cannot open " << wh::session::quoted(script) << "\n";
        return kExitError;
    }
    return runScript(file, script, seed);
}
