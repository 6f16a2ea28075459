// The scatter (key e), which throws every rock in groups to random places, and the agitation
// timer's tick, which turns every alive rock in place. Both draw at once, so they show even
// while the world is paused.
#include "world/agitation.hpp"

#include "app/numeric.hpp"
#include "render/rockdraw.hpp"
#include "world/sense.hpp"

#include <algorithm>

namespace wh {

namespace {

// A group is this many steps of the index apart and one longer: g to g + 20, so the last rock of
// one group is the first of the next and ends up at the second centre.
constexpr int kScatterGroupStep = 20;
// Group centres keep this far from the left and right edges and from the bottom, twips; none
// from the top.
constexpr double kScatterSideMargin = 300;
constexpr double kScatterBottomMargin = 600;
// Scattered and agitated rocks get displacements from -100 to 100 twips per pass.
constexpr double kKickSpread = 200;

} // namespace

void explode(Game& g) {
    RockTable& t = g.rocks;
    // Groups start below rockcount and, being multiples of 20 below 1500, end at 1500 at most;
    // a rockcount above the table's end (which no adder produces) scatters no group past it.
    const int groupsBelow = std::min<int>(t.rockcount, kLastRockIndex);
    for (int first = 0; first < groupsBelow; first += kScatterGroupStep) {
        const double w = Playfield::Width;
        const int32_t cx = nearest32(rnd(g) * (w - 2 * kScatterSideMargin) + kScatterSideMargin);
        const double h = Playfield::Height;
        const int16_t cy = nearest16(rnd(g) * (h - kScatterBottomMargin));
        // The group runs past rockcount to its full 21 slots, index 0 included in the first:
        // those slots are placed and drawn as well, though the pass never steps them.
        const int last = std::min(first + kScatterGroupStep, kLastRockIndex);
        for (int i = first; i <= last; ++i) {
            eraserocks(g, i);
            Rock& r = t[i];
            r.x = cx;
            r.y = cy;
            r.ydis = spreadDis(g, kKickSpread);
            r.xdis = spreadDis(g, kKickSpread);
            drawrocks(g, i);
        }
    }
}

void Timer2_Timer(Game& g) {
    RockTable& t = g.rocks;
    // Once rock 1 is no longer alive the timer stops, though this tick still runs to its end.
    if (t[1].type != RockType::alive) {
        g.timer2.setEnabled(false, g.now);
    }
    const int n = std::min<int>(t.rockcount, kLastRockIndex);
    for (int i = 1; i <= n; ++i) {
        if (t[i].type != RockType::alive) {
            continue;
        }
        // Passing through, the old stroke stays: every tick adds a ray to a star-shaped trail.
        if (g.passthrough == kFalse) {
            eraserocks(g, i);
        }
        t[i].xdis = spreadDis(g, kKickSpread);
        t[i].ydis = spreadDis(g, kKickSpread);
        drawrocks(g, i);
    }
}

} // namespace wh
