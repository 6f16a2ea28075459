// The disc fill against memset: one disc per iteration, reported as a ratio of their speeds.
#pragma once

#include <benchmark/benchmark.h>

namespace wh::bench {

void fillRate(benchmark::State& state);

} // namespace wh::bench
