// The timing loop shared by every pass scenario. Each pass is timed on its own with the steady
// clock; putting the world back (a 10 MB copy) happens with the benchmark's timers paused.
#include "passtiming.hpp"

#include "scenes.hpp"

#include <algorithm>
#include <chrono>

namespace wh::bench {

namespace {

constexpr double kMicrosPerSecond = 1e6;

} // namespace

void timeEpisodes(benchmark::State& state, const Episode& episode) {
    if (!episode.error.empty() || !episode.start) {
        state.SkipWithError(episode.error.empty() ? "the scene could not be built"
                                                  : episode.error.c_str());
        return;
    }
    const int passes = std::max(episode.passes, 1);
    auto g = std::make_unique<Game>(*episode.start);
    std::vector<double> seconds(static_cast<size_t>(passes), 0.0);
    std::vector<int64_t> timed(static_cast<size_t>(passes), 0);

    int place = 0;
    for (auto _ : state) {
        if (place == passes) {
            state.PauseTiming();
            *g = *episode.start;
            state.ResumeTiming();
            place = 0;
        }
        const auto at = static_cast<size_t>(place);
        const int16_t key = at < episode.keys.size() ? episode.keys[at] : int16_t{0};
        const auto begin = std::chrono::steady_clock::now();
        runPass(*g, key);
        const auto end = std::chrono::steady_clock::now();
        const double s = std::chrono::duration<double>(end - begin).count();
        state.SetIterationTime(s);
        seconds[at] += s;
        ++timed[at];
        ++place;
    }

    auto meanMicros = [&](size_t at) {
        return timed[at] == 0 ? 0.0
                              : seconds[at] / static_cast<double>(timed[at]) * kMicrosPerSecond;
    };
    for (const auto& [at, name] : episode.namedPasses) {
        if (at >= 0 && at < passes) {
            state.counters[name + "_us"] = meanMicros(static_cast<size_t>(at));
        }
    }
    if (passes > 1) {
        double peak = 0;
        for (size_t at = 0; at < seconds.size(); ++at) {
            peak = std::max(peak, meanMicros(at));
        }
        state.counters["peak_us"] = peak;
    }
    for (const auto& [name, value] : episode.facts) {
        state.counters[name] = value;
    }
}

} // namespace wh::bench
