// Building the benchmarks' worlds through the game's own handlers. Random places and speeds come
// from a generator of the bench's own, so the game's generator runs exactly as in play.
#include "scenes.hpp"

#include "app/playfield.hpp"
#include "level/colourclass.hpp"
#include "level/levelpicture.hpp"
#include "session/session.hpp"
#include "tools/keyboard.hpp"
#include "tools/mouse.hpp"
#include "world/explosives.hpp"

#include <array>
#include <span>

namespace wh::bench {

namespace {

constexpr uint64_t kLayoutSeed = 7; // the bench's own generator: where rocks go, how they fly

// Long enough for the maker's liquid to reach its steady stream and the first enemy drops.
constexpr int kIdleSettlePasses = 200;

// The panel's own start values for the counters.
constexpr int16_t kPanelCount = 100;
constexpr int16_t kPanelFullcount = 10;
constexpr int16_t kPanelCountstep = 1;

constexpr int16_t kDriftSpan = 200;  // twips per pass: displacements from -100 to 100
constexpr int16_t kBoulderSize = 20; // pixels across
constexpr int32_t kLevelWidth = kLevelPixelsW * kTwipsPerPixel;
constexpr int32_t kLevelHeight = kLevelPixelsH * kTwipsPerPixel;
constexpr int32_t kDropMargin = 600; // twips kept clear of the level's top and bottom edges

// The fire scene: a block of pure red in a cleared patch of sky.
constexpr int kRedLeft = 300; // pixels
constexpr int kRedTop = 150;
constexpr int kRedWidth = 600;
constexpr int kRedHeight = 100;
constexpr int kClearing = 120;       // pixels of open air around the block, sky above it
constexpr int kDropHeight = 40;      // pixels above the block the dropped fire starts
constexpr int16_t kThrowSpeed = 100; // twips per pass, the thrown fire's
constexpr int kThrowDistance = 30;   // pixels left of the block the thrown fire starts
constexpr int kMaxFallPasses = 120;  // the fire has burnt by then or never will
constexpr int16_t kFireLife = 100;   // passes

Colour pointAt(const Game& g, int px, int py) {
    return g.picground.Point(static_cast<double>(px) * kTwipsPerPixel,
                             static_cast<double>(py) * kTwipsPerPixel);
}

// A uniform whole number in [lo, hi).
int32_t uniform(Rng& rng, int32_t lo, int32_t hi) {
    return lo + static_cast<int32_t>(rng.next32() % static_cast<uint32_t>(hi - lo));
}

int16_t drift(Rng& rng) {
    return static_cast<int16_t>(uniform(rng, -kDriftSpan / 2, kDriftSpan / 2 + 1));
}

// A rock of `type` with the panel's own counters and no speed of its own.
constexpr Spawn panelDefaults(int16_t type) {
    return {type, 0, 0, 0, kPanelCount, kPanelFullcount, kPanelCountstep};
}

constexpr Spawn enemy(int16_t subtype) {
    Spawn s = panelDefaults(RockType::enemy);
    s.subtype = subtype;
    return s;
}

constexpr std::array<Spawn, 5> kMaterials = {
    panelDefaults(RockType::gas), panelDefaults(RockType::liquid), panelDefaults(RockType::solid),
    panelDefaults(RockType::alive), panelDefaults(RockType::ice)};

constexpr std::array<Spawn, 12> kMixed = {
    panelDefaults(RockType::gas),   panelDefaults(RockType::liquid),
    panelDefaults(RockType::solid), panelDefaults(RockType::alive),
    panelDefaults(RockType::ice),   panelDefaults(RockType::fire),
    panelDefaults(RockType::bomb),  panelDefaults(RockType::missle),
    panelDefaults(RockType::comet), Spawn{RockType::boulder, 0, 0, 0, kBoulderSize, 0, 0},
    enemy(RockType::skeet),         enemy(RockType::plane)};

// Clicks kinds in turn, each at a random place over the level with a random displacement.
std::unique_ptr<Game> scatter(std::span<const Spawn> kinds, int rockcount) {
    auto g = startUpWorld();
    Rng rng;
    rng.seed(kLayoutSeed);
    for (size_t k = 0; g->rocks.rockcount < rockcount && g->rocks.rockcount < kLastRockIndex; ++k) {
        Spawn s = kinds[k % kinds.size()];
        s.xdis = drift(rng);
        s.ydis = drift(rng);
        const int32_t x = uniform(rng, 0, kLevelWidth);
        const int32_t y = uniform(rng, kDropMargin, kLevelHeight - kDropMargin);
        click(*g, s, x, y);
    }
    return g;
}

// A filled rectangle in pixels, drawn row by row.
void paintBlock(Game& g, int left, int top, int width, int height, Colour c) {
    Playfield& pf = g.picground;
    pf.setDrawWidth(1);
    for (int y = top; y < top + height; ++y) {
        pf.Line(static_cast<double>(left) * kTwipsPerPixel, static_cast<double>(y) * kTwipsPerPixel,
                static_cast<double>(left + width - 1) * kTwipsPerPixel,
                static_cast<double>(y) * kTwipsPerPixel, c);
    }
}

// The first row of ground under open air in a pixel column, or -1 when there is none.
int groundUnder(const Game& g, int px) {
    for (int py = 1; py < kLevelPixelsH; ++py) {
        if (isOpenAir(pointAt(g, px, py - 1)) && isSolid(pointAt(g, px, py))) {
            return py;
        }
    }
    return -1;
}

} // namespace

void runPass(Game& g, int16_t key) {
    session::Session s(g);
    s.work();
    if (key != 0) {
        s.deliver(session::Character{key});
    }
    s.tick();
}

void runPasses(Game& g, int passes) {
    for (int p = 0; p < passes; ++p) {
        runPass(g);
    }
}

std::unique_ptr<Game> startUpWorld() {
    auto g = std::make_unique<Game>();
    session::Session(*g).start(kSeed);
    return g;
}

std::unique_ptr<Game> idleWorld() {
    auto g = startUpWorld();
    runPasses(*g, kIdleSettlePasses);
    return g;
}

void click(Game& g, const Spawn& spawn, int32_t x, int32_t y) {
    session::Session s(g);
    s.deliver(session::ListSelect{session::ListId::typelist, spawn.type});
    s.deliver(session::ListSelect{session::ListId::subtypelist, spawn.subtype});
    for (const auto& [field, value] :
         {std::pair{"xdis", spawn.xdis}, std::pair{"ydis", spawn.ydis},
          std::pair{"counttext", spawn.count}, std::pair{"fullcount", spawn.fullcount},
          std::pair{"countstep", spawn.countstep}}) {
        s.deliver(session::TextEdit{field, std::to_string(value)});
    }
    s.deliver(session::TextEdit{"number", "1"});
    s.deliver(session::PlayfieldPress{static_cast<float>(x), static_cast<float>(y), kButtonLeft});
}

std::unique_ptr<Game> materialsWorld(int rockcount) {
    return scatter(kMaterials, rockcount);
}

std::unique_ptr<Game> mixedWorld(int rockcount) {
    return scatter(kMixed, rockcount);
}

std::unique_ptr<Game> explosionStorm(int count) {
    auto g = startUpWorld();
    Rng rng;
    rng.seed(kLayoutSeed);
    const Spawn blast{RockType::explosion,   0, 0, 0, kMissleBlast.count, kMissleBlast.fullcount,
                      kMissleBlast.countstep};
    for (int k = 0; k < count; ++k) {
        click(*g, blast, uniform(rng, 0, kLevelWidth), uniform(rng, 0, kLevelHeight));
    }
    return g;
}

std::unique_ptr<Game> nukeVolley(int count) {
    auto g = startUpWorld();
    const Spawn nuke = panelDefaults(RockType::nuke);
    const int spacing = kLevelPixelsW / count;
    for (int k = 0; k < count; ++k) {
        // The middle of each stretch of the level, or the next column that has ground.
        for (int px = spacing * k + spacing / 2; px < spacing * (k + 1); ++px) {
            const int ground = groundUnder(*g, px);
            if (ground > 0) {
                // The last twip above the ground: the first fall of 10 twips touches it.
                click(*g, nuke, px * kTwipsPerPixel, ground * kTwipsPerPixel - 1);
                break;
            }
        }
    }
    runPass(*g);
    return g;
}

std::unique_ptr<Game> fireOverRed(FireApproach approach) {
    auto g = startUpWorld();
    paintBlock(*g, kRedLeft - kClearing, 0, kRedWidth + 2 * kClearing,
               kRedTop + kRedHeight + kClearing, kBlack);
    paintBlock(*g, kRedLeft, kRedTop, kRedWidth, kRedHeight, kPureRed);

    Spawn fire = panelDefaults(RockType::fire);
    fire.count = kFireLife;
    if (approach == FireApproach::dropped) {
        click(*g, fire, (kRedLeft + kRedWidth / 2) * kTwipsPerPixel,
              (kRedTop - kDropHeight) * kTwipsPerPixel);
    } else {
        fire.xdis = kThrowSpeed;
        click(*g, fire, (kRedLeft - kThrowDistance) * kTwipsPerPixel,
              (kRedTop + kRedHeight / 2) * kTwipsPerPixel);
    }

    // Each pass is tried on a copy first, so the world comes back just before the burning one.
    for (int p = 0; p < kMaxFallPasses; ++p) {
        auto trial = std::make_unique<Game>(*g);
        runPass(*trial);
        const int craters = (countExplosions(*trial, kMissleBlast.fullcount) -
                             countExplosions(*g, kMissleBlast.fullcount)) /
                            kExplosionsPerCrater;
        if (craters > 0) {
            return g;
        }
        g = std::move(trial);
    }
    return nullptr;
}

int countRocks(const Game& g, int16_t type) {
    int n = 0;
    for (int i = 1; i <= g.rocks.rockcount && i <= kLastRockIndex; ++i) {
        n += g.rocks[i].type == type ? 1 : 0;
    }
    return n;
}

int countExplosions(const Game& g, int16_t fullcount) {
    int n = 0;
    for (int i = 1; i <= g.rocks.rockcount && i <= kLastRockIndex; ++i) {
        const Rock& r = g.rocks[i];
        n += (r.type == RockType::explosion && r.fullcount == fullcount) ? 1 : 0;
    }
    return n;
}

} // namespace wh::bench
