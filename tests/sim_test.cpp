// The state hash: equal games hash equal, and changing any one pixel, rock field, variable or
// the generator changes it. Each struct's probe list must name as many fields as the struct has,
// so a field added to the game without being hashed fails here.
#include "app/game.hpp"
#include "app/mainloop.hpp"
#include "app/statehash.hpp"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <new>
#include <string>
#include <type_traits>
#include <vector>

namespace wh {
namespace {

// Counts an aggregate's direct fields: the most initializers its braces take.
struct AnyField {
    template <typename T> operator T() const; // only ever named in unevaluated code
};

template <typename T, typename... A> constexpr size_t fieldCount() {
    if constexpr (requires { T{A{}..., AnyField{}}; }) {
        return fieldCount<T, A..., AnyField>();
    } else {
        return sizeof...(A);
    }
}

// Nudging a vector of texts: one entry longer.
void nudge(std::vector<std::string>& v) {
    v.emplace_back("x");
}

template <typename T> void nudge(T& v) {
    if constexpr (std::is_same_v<T, bool>) {
        v = !v;
    } else if constexpr (std::is_floating_point_v<T>) {
        v = v + 1;
    } else if constexpr (std::is_integral_v<T>) {
        v = static_cast<T>(static_cast<std::make_unsigned_t<T>>(v) ^ 1u);
    } else {
        v += "x";
    }
}

// Changes one field, expects a new hash, puts it back and expects the old one again.
class Probe {
public:
    Probe(Game& g) : g_(g), base_(stateHash(g)) {}

    template <typename T> void operator()(T& field, const std::string& name) {
        ++count_;
        const T old = field;
        nudge(field);
        EXPECT_NE(stateHash(g_), base_) << name << " is not hashed";
        field = old;
        EXPECT_EQ(stateHash(g_), base_) << name << " restored";
    }
    size_t count() const { return count_; }
    void reset() { count_ = 0; }

private:
    Game& g_;
    uint64_t base_;
    size_t count_ = 0;
};

void probeRock(Probe& p, Rock& r, const std::string& at) {
    p(r.xt, at + ".xt");
    p(r.yt, at + ".yt");
    p(r.x, at + ".x");
    p(r.y, at + ".y");
    p(r.xdis, at + ".xdis");
    p(r.ydis, at + ".ydis");
    p(r.type, at + ".type");
    p(r.subtype, at + ".subtype");
    p(r.count, at + ".count");
    p(r.fullcount, at + ".fullcount");
    p(r.countstep, at + ".countstep");
}

void probeVehicle(Probe& p, Vehicle& v) {
    p(v.bodyx1, "bodyx1");
    p(v.bodyy1, "bodyy1");
    p(v.bodyx2, "bodyx2");
    p(v.bodyy2, "bodyy2");
    p(v.xspeed, "xspeed");
    p(v.yspeed, "yspeed");
    p(v.bodylength, "bodylength");
    p(v.bodyangle, "bodyangle");
    p(v.bodydy, "bodydy");
    p(v.bodydx, "bodydx");
    p(v.speeddiv, "speeddiv");
    p(v.airborne, "airborne");
    p(v.gunx, "gunx");
    p(v.guny, "guny");
    p(v.guntipx, "guntipx");
    p(v.guntipy, "guntipy");
    p(v.gunlength, "gunlength");
    p(v.gunangle, "gunangle");
    p(v.gundy, "gundy");
    p(v.gundx, "gundx");
}

void probeKeys(Probe& p, KeyFlags& k) {
    p(k.leftkey, "leftkey");
    p(k.rightkey, "rightkey");
    p(k.gunleftkey, "gunleftkey");
    p(k.gunrightkey, "gunrightkey");
    p(k.firekey, "firekey");
    p(k.trigger, "trigger");
}

void probeList(Probe& p, ListBox& l, const std::string& name) {
    p(l.entries, name + ".entries"); // a vector: probed below entry by entry
    p(l.selected, name + ".selected");
}

void probePanel(Probe& p, Panel& panel) {
    p(panel.visible, "frame1");
    probeList(p, panel.typelist, "typelist");
    probeList(p, panel.subtypelist, "subtypelist");
    p(panel.typelbl, "typelbl");
    p(panel.subtypelbl, "subtypelbl");
    p(panel.xdis, "xdis");
    p(panel.ydis, "ydis");
    p(panel.xt, "xt");
    p(panel.yt, "yt");
    p(panel.counttext, "counttext");
    p(panel.fullcount, "fullcount");
    p(panel.countstep, "countstep");
    p(panel.number, "number");
    p(panel.rndxdis, "rndxdis");
    p(panel.rndydis, "rndydis");
    p(panel.rndcount, "rndcount");
    p(panel.rndfullcount, "rndfullcount");
}

void probeGameScalars(Probe& p, Game& g) {
    p(g.passstart, "passstart");
    p(g.aimangle, "aimangle");
    p(g.pi, "pi");
    p(g.degtorad, "degtorad");
    p(g.paused, "paused");
    p(g.passthrough, "passthrough");
    p(g.weapon, "weapon");
    p(g.paintmode, "paintmode");
    p(g.brushwidth, "brushwidth");
    p(g.dropbullets, "dropbullets");
    p(g.dropping, "dropping");
    p(g.painting, "painting");
    p(g.stage, "stage");
    p(g.now, "now");
    p(g.beeps, "beeps");
    p(g.ended, "ended");
}

std::unique_ptr<Game> startedGame(uint64_t seed) {
    auto g = std::make_unique<Game>();
    Form_Load(*g, seed);
    return g;
}

TEST(StateHash, SameSeedSameHashOtherSeedOtherHash) {
    auto a = startedGame(7);
    auto b = startedGame(7);
    auto c = startedGame(8);
    EXPECT_EQ(stateHash(*a), stateHash(*b));
    EXPECT_NE(stateHash(*a), stateHash(*c));
    auto copy = std::make_unique<Game>(*a);
    EXPECT_EQ(stateHash(*copy), stateHash(*a));
}

TEST(StateHash, PaddingBytesDoNotCount) {
    // The same game built in memory full of other bytes hashes the same.
    alignas(Game) static unsigned char dirty[sizeof(Game)];
    std::memset(dirty, 0xAB, sizeof dirty);
    Game* scribbled = new (dirty) Game;
    auto clean = std::make_unique<Game>();
    EXPECT_EQ(stateHash(*scribbled), stateHash(*clean));
    scribbled->~Game();
}

TEST(StateHash, SeesEveryFieldOfEveryPart) {
    auto g = startedGame(3);
    Probe p(*g);

    probeVehicle(p, g->vehicle);
    EXPECT_EQ(p.count(), fieldCount<Vehicle>()) << "hash and probe every Vehicle field";
    p.reset();
    probeKeys(p, g->keys);
    EXPECT_EQ(p.count(), fieldCount<KeyFlags>()) << "hash and probe every KeyFlags field";
    p.reset();
    probeRock(p, g->rocks[1], "rock 1");
    EXPECT_EQ(p.count(), fieldCount<Rock>()) << "hash and probe every Rock field";
    probeRock(p, g->rocks[0], "rock 0");
    probeRock(p, g->rocks[kLastRockIndex], "rock 1500"); // far above rockcount
    p(g->rocks.rockcount, "rockcount");
    p(g->rocks.crowdClean, "crowdClean");
    EXPECT_EQ(fieldCount<RockTable>(), 3u) << "hash and probe every RockTable field";
    p.reset();
    probePanel(p, g->panel);
    EXPECT_EQ(p.count(), fieldCount<Panel>() + 2 * (fieldCount<ListBox>() - 1))
        << "hash and probe every Panel and ListBox field";
    p(g->panel.typelist.entries[18], "typelist entry 18");
    p(g->panel.subtypelist.entries[0], "subtypelist entry 0");
    p.reset();
    p(g->timer2.interval, "timer2.interval");
    p(g->timer2.enabled, "timer2.enabled");
    p(g->timer2.since, "timer2.since");
    EXPECT_EQ(p.count(), fieldCount<Timer>()) << "hash and probe every Timer field";
    p.reset();
    p(g->rng.state, "rng.state");
    p(g->rng.inc, "rng.inc");
    EXPECT_EQ(p.count(), fieldCount<Rng>()) << "hash and probe every Rng field";
    p.reset();
    probeGameScalars(p, *g);
    constexpr size_t kNestedParts = 7; // picground rocks vehicle keys panel timer2 rng
    constexpr size_t kLeftOut = 1;     // sounds: the front end's news of the world
    EXPECT_EQ(p.count() + kNestedParts + kLeftOut, fieldCount<Game>())
        << "hash and probe every Game field";
}

// The sounds heard are no part of the world: filling or emptying the list leaves the hash.
TEST(StateHash, LeavesTheSoundsOut) {
    auto g = startedGame(3);
    const uint64_t base = stateHash(*g);
    for (int k = 0; k <= SoundEvents::kCapacity; ++k) {
        g->sounds.add(SoundKind::explosion, 500, k, -k);
    }
    ASSERT_EQ(g->sounds.missed(), 1u);
    EXPECT_EQ(stateHash(*g), base);
    g->sounds.clear();
    EXPECT_EQ(stateHash(*g), base);
}

TEST(StateHash, SeesTheSurfaceAndItsPen) {
    auto g = startedGame(3);
    const uint64_t base = stateHash(*g);
    Playfield& pf = g->picground;
    // Corners, the middle and the last pixel of the last row, each in copy mode at width 1.
    const struct {
        int px, py;
    } pixels[] = {{0, 0},
                  {kPlayfieldPixelsW - 1, 0},
                  {2133, 300},
                  {0, kPlayfieldPixelsH - 1},
                  {kPlayfieldPixelsW - 1, kPlayfieldPixelsH - 1}};
    for (const auto& at : pixels) {
        SCOPED_TRACE(testing::Message() << at.px << "," << at.py);
        const double x = at.px * kTwipsPerPixel;
        const double y = at.py * kTwipsPerPixel;
        const Colour old = pf.Point(x, y);
        pf.PSet(x, y, old ^ 1);
        EXPECT_NE(stateHash(*g), base);
        pf.PSet(x, y, old);
        EXPECT_EQ(stateHash(*g), base);
    }
    const int16_t width = pf.drawWidth();
    pf.setDrawWidth(width + 1);
    EXPECT_NE(stateHash(*g), base);
    pf.setDrawWidth(width);
    EXPECT_EQ(stateHash(*g), base);
    Probe p(*g);
    p(pf.drawMode, "drawmode");
    p(pf.Left, "left");
    p(pf.Top, "top");
}

TEST(StateHash, TwoPixelsTradingColoursChangeIt) {
    // A sum or xor of the pixels would miss this.
    auto g = std::make_unique<Game>();
    g->picground.PSet(0, 0, RGB(255, 0, 0));
    g->picground.PSet(15, 0, RGB(0, 0, 255));
    const uint64_t before = stateHash(*g);
    g->picground.PSet(0, 0, RGB(0, 0, 255));
    g->picground.PSet(15, 0, RGB(255, 0, 0));
    EXPECT_NE(stateHash(*g), before);
}

} // namespace
} // namespace wh
