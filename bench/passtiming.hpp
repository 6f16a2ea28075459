// Timing whole passes of the loop over a scene's life: the world is put back to its start, out
// of the timing, whenever the scene has run its course.
#pragma once

#include "app/game.hpp"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace wh::bench {

struct Episode {
    std::shared_ptr<const Game> start; // the world at the beginning of each run through
    int passes = 1;                    // passes timed from it before it is put back
    // A character typed into the event step of the pass at the same place in the episode; a
    // shorter list (or none) types nothing in the later passes.
    std::vector<int16_t> keys;
    // Passes worth a counter of their own, by their place in the episode (e.g. "darken").
    std::map<int, std::string> namedPasses;
    // Facts about the scene shown beside its times (rocks in the table, craters burnt, ...).
    std::map<std::string, double> facts;
    std::string error; // why the scene is not what it should be; the benchmark reports it
};

// One benchmark iteration is one pass (mainpass and the event step), timed on the wall clock.
// Counters: the mean time of each named pass, and with more than one pass per episode
// "peak_us", the mean time of the slowest place in the episode.
void timeEpisodes(benchmark::State& state, const Episode& episode);

} // namespace wh::bench
