// wreckhaul_soak: random play for as long as asked, printing the world's final hash so two
// builds can be compared. Exit status 1 when an invariant breaks, 2 for a usage error.
#include "soak.hpp"

#include <charconv>
#include <cinttypes>
#include <cstdio>
#include <iostream>
#include <string>
#include <string_view>

namespace {

constexpr int kExitFault = 1;
constexpr int kExitUsage = 2;
constexpr const char* kUsage =
    "usage: wreckhaul_soak [--seed N] [--passes N] [--trace] [--progress]\n"
    "  --seed N     the seed of the random input (default 1)\n"
    "  --passes N   passes to play (default 100000)\n"
    "  --trace      every event and pass on standard error\n"
    "  --progress   a line on standard error every 10000 passes\n";

template <typename T> bool readWhole(std::string_view text, T& value) {
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return ec == std::errc() && end == text.data() + text.size();
}

int usageError(std::string_view what) {
    std::cerr << "wreckhaul_soak: " << what << "\n" << kUsage;
    return kExitUsage;
}

} // namespace

int main(int argc, char** argv) {
    uint64_t seed = 1;
    long passes = 100000;
    wh::soak::SoakOptions options;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            std::cout << kUsage;
            return 0;
        }
        if (arg == "--trace") {
            options.trace = &std::cerr;
            continue;
        }
        if (arg == "--progress") {
            options.progress = &std::cerr;
            continue;
        }
        if (arg != "--seed" && arg != "--passes") {
            return usageError("unknown argument '" + std::string(arg) + "'");
        }
        if (i + 1 >= argc) {
            return usageError(std::string(arg) + " needs a value");
        }
        const std::string_view value = argv[++i];
        const bool ok =
            arg == "--seed" ? readWhole(value, seed) : readWhole(value, passes) && passes >= 0;
        if (!ok) {
            return usageError(std::string(arg) + " takes a whole number, got '" +
                              std::string(value) + "'");
        }
    }

    const wh::soak::SoakResult r = wh::soak::runSoak(seed, passes, options);
    if (!r.fault.empty()) {
        std::cerr << "wreckhaul_soak: " << r.fault << "\n";
        return kExitFault;
    }
    std::cout << "seed " << seed << " passes " << r.passes << " games " << r.games
              << " peak-rockcount " << r.peakRockcount << " full-table-passes " << r.fullTablePasses
              << " paused-passes " << r.pausedPasses << " mean-rockcount "
              << (r.passes > 0 ? r.rockPasses / r.passes : 0) << "\n";
    std::cout << "events";
    for (int k = 0; k < wh::soak::kEventKinds; ++k) {
        std::cout << " " << wh::soak::eventName(static_cast<wh::soak::EventKind>(k)) << " "
                  << r.events[static_cast<size_t>(k)];
    }
    std::cout << "\n";
    std::printf("trail %016" PRIx64 "\nhash %016" PRIx64 "\n", r.trail, r.finalHash);
    return 0;
}
