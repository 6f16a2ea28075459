// Wreckhaul: open the window, set up the world from a clock seed, and play until Esc or close.
#include "front/shell.hpp"

#include <chrono>
#include <cstdint>

int main(int /*argc*/, char** /*argv*/) {
    wh::front::Shell shell;
    if (!shell.open()) {
        return 1;
    }
    const auto seed =
        static_cast<uint64_t>(std::chrono::system_clock::now().time_since_epoch().count());
    shell.startUp(seed);
    shell.run();
    return 0;
}
