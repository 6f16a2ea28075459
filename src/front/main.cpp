// Wreckhaul: read the command line, open the window, set up the world from the clock (or the
// seed asked for), and play until Esc or close.
#include "front/desktopdirs.hpp"
#include "front/options.hpp"
#include "front/settings.hpp"
#include "front/shell.hpp"

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

namespace {

constexpr int kExitOk = 0;
constexpr int kExitNoWindow = 1;
constexpr int kExitUsage = 2;
constexpr int kExitRecordingLost = 3;

} // namespace

int main(int argc, char** argv) {
    using namespace wh::front;
    const ParsedCommandLine command =
        parseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
    switch (command.request) {
    case Request::help:
        std::fputs(usageText(), stdout);
        return kExitOk;
    case Request::version:
        std::fputs(versionText(), stdout);
        return kExitOk;
    case Request::error:
        std::fprintf(stderr, "wreckhaul: %s\n%s", command.error.c_str(), usageText());
        return kExitUsage;
    case Request::run:
        break;
    }
    Options options = command.options;
    if (const std::optional<std::string> config = configFolder(processEnvironment())) {
        options.settingsPath = settingsPath(*config);
    }
    Shell shell(options);
    if (!shell.open()) {
        return kExitNoWindow;
    }
    const auto clockSeed =
        static_cast<uint64_t>(std::chrono::system_clock::now().time_since_epoch().count());
    shell.startUp(command.options.seed.value_or(clockSeed));
    shell.run();
    return shell.finishRecording() ? kExitOk : kExitRecordingLost;
}
