// wreckhaul_bench: the scenarios, each a world built through the game's handlers and timed pass
// by pass. Times are wall-clock microseconds per pass of the loop (the work and the event step).
#include "fillrate.hpp"
#include "passtiming.hpp"
#include "scenes.hpp"

#include "world/explosives.hpp"
#include "world/rockpass.hpp"

#include <benchmark/benchmark.h>

#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>

namespace wh::bench {

namespace {

constexpr int kIdlePasses = 64;    // a second of play from the settled start-up world
constexpr int kTablePasses = 8;    // the table as the clicks left it, and a few passes on
constexpr int kExplosionLife = 10; // passes from a standard or nuke explosion to its end
constexpr int kStormExplosions = 300;
constexpr int kNukes = 10;
constexpr int kLiveTable = kCrowdLimit; // the most rocks that outlive the crowd limit
constexpr int kGrowth[] = {100, 500, kLastRockIndex};

std::shared_ptr<const Game> shared(std::unique_ptr<Game> g) {
    return std::shared_ptr<const Game>(std::move(g));
}

Episode episode(std::unique_ptr<Game> g, int passes) {
    Episode e;
    e.facts["rocks"] = g->rocks.rockcount;
    e.start = shared(std::move(g));
    e.passes = passes;
    return e;
}

// A table of rocks clicked in: "first_us" is the pass over the table exactly as built (at 1500
// rocks the only pass before the crowd limit thins it out).
Episode tableEpisode(std::unique_ptr<Game> g) {
    Episode e = episode(std::move(g), kTablePasses);
    e.namedPasses = {{0, "first"}};
    return e;
}

Episode idle() {
    return episode(idleWorld(), kIdlePasses);
}

Episode explosionStormEpisode() {
    Episode e = episode(explosionStorm(kStormExplosions), kExplosionLife);
    e.facts["explosions"] = countExplosions(*e.start, kMissleBlast.fullcount);
    return e;
}

Episode nukesEpisode() {
    Episode e = episode(nukeVolley(kNukes), kExplosionLife);
    const int blasts = countExplosions(*e.start, kNukeBlast.fullcount);
    e.facts["explosions"] = blasts;
    if (blasts != kNukes) {
        e.error = "not every nuke touched ground at its first step";
    }
    return e;
}

Episode fireEpisode(FireApproach approach) {
    std::unique_ptr<Game> g = fireOverRed(approach);
    if (!g) {
        Episode e;
        e.error = "the fire never reached the red block";
        return e;
    }
    Game trial = *g;
    runPass(trial);
    // The burning pass, then the craters' explosions to their end: "burn_us" is the first.
    Episode e = episode(std::move(g), 1 + kExplosionLife);
    e.namedPasses = {{0, "burn"}};
    e.facts["craters"] = (countExplosions(trial, kMissleBlast.fullcount) -
                          countExplosions(*e.start, kMissleBlast.fullcount)) /
                         kExplosionsPerCrater;
    return e;
}

Episode darkenAndClear() {
    Episode e = episode(idleWorld(), 2);
    e.keys = {'d', 'c'};
    e.namedPasses = {{0, "darken"}, {1, "clear"}};
    return e;
}

// Scenes are built once per run, on first use, and shared by the repetitions.
const Episode& cached(const std::string& name, const std::function<Episode()>& build) {
    static std::map<std::string, Episode> scenes;
    static std::mutex guard;
    std::lock_guard lock(guard);
    auto it = scenes.find(name);
    if (it == scenes.end()) {
        it = scenes.emplace(name, build()).first;
    }
    return it->second;
}

void registerPasses(const std::string& name, std::function<Episode()> build) {
    benchmark::RegisterBenchmark(
        name.c_str(),
        [name, build](benchmark::State& state) { timeEpisodes(state, cached(name, build)); })
        ->UseManualTime()
        ->Unit(benchmark::kMicrosecond);
}

void registerScenarios() {
    registerPasses("idle", idle);
    registerPasses("materials_1000", [] { return tableEpisode(materialsWorld(kLiveTable)); });
    registerPasses("explosion_storm", explosionStormEpisode);
    registerPasses("nukes", nukesEpisode);
    registerPasses("fire_chain", [] { return fireEpisode(FireApproach::dropped); });
    registerPasses("fire_chain_thrown", [] { return fireEpisode(FireApproach::thrown); });
    registerPasses("darken_and_clear", darkenAndClear);
    // How a pass grows with the table, of the materials alone and of every kind mixed, timed
    // like the tables above; full_table/1500 is the full table.
    for (int n : kGrowth) {
        registerPasses("materials/" + std::to_string(n),
                       [n] { return tableEpisode(materialsWorld(n)); });
    }
    for (int n : kGrowth) {
        registerPasses("full_table/" + std::to_string(n),
                       [n] { return tableEpisode(mixedWorld(n)); });
    }
    benchmark::RegisterBenchmark("fill_rate", fillRate)
        ->UseManualTime()
        ->Unit(benchmark::kMicrosecond);
}

} // namespace

} // namespace wh::bench

int main(int argc, char** argv) {
    wh::bench::registerScenarios();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
