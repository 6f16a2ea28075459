// How fast the playfield fills a disc: the nuke's crater, 251 pixels across, against memset of
// the same number of bytes in the same run. Every explosion, crater and dot is such a fill.
#include "fillrate.hpp"

#include "app/colour.hpp"
#include "app/playfield.hpp"

#include <chrono>
#include <cstring>
#include <memory>
#include <vector>

namespace wh::bench {

namespace {

constexpr int32_t kCraterWidth = 251; // pixels across the nuke's crater
// Well inside the surface, so no row of the disc is clipped.
constexpr double kDiscX = 1000 * kTwipsPerPixel;
constexpr double kDiscY = 300 * kTwipsPerPixel;
constexpr int kMemsetByte = 0xff;
constexpr double kMicrosPerSecond = 1e6;

double since(std::chrono::steady_clock::time_point begin) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
}

} // namespace

void fillRate(benchmark::State& state) {
    auto pf = std::make_unique<Playfield>();
    pf->setDrawWidth(kCraterWidth);
    pf->PSet(kDiscX, kDiscY, kWhite);
    size_t discPixels = 0;
    for (Colour c : pf->pixels()) {
        discPixels += c == kWhite ? 1 : 0;
    }
    const size_t bytes = discPixels * sizeof(Colour);
    std::vector<unsigned char> block(bytes);

    double discSeconds = 0;
    double memsetSeconds = 0;
    for (auto _ : state) {
        const auto discBegin = std::chrono::steady_clock::now();
        pf->PSet(kDiscX, kDiscY, kWhite);
        benchmark::ClobberMemory();
        const double disc = since(discBegin);

        const auto memsetBegin = std::chrono::steady_clock::now();
        std::memset(block.data(), kMemsetByte, bytes);
        benchmark::DoNotOptimize(block.data());
        benchmark::ClobberMemory();
        const double fill = since(memsetBegin);

        state.SetIterationTime(disc);
        discSeconds += disc;
        memsetSeconds += fill;
    }
    const auto iterations = static_cast<double>(state.iterations());
    state.counters["disc_pixels"] = static_cast<double>(discPixels);
    state.counters["memset_us"] =
        iterations == 0 ? 0 : memsetSeconds / iterations * kMicrosPerSecond;
    // Bytes per second of the disc over those of memset: 1 is as fast as memset.
    state.counters["disc_vs_memset"] = discSeconds == 0 ? 0 : memsetSeconds / discSeconds;
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(bytes));
}

} // namespace wh::bench
