// The rock pass and the step every type shares. A rock knows the world only through the pixels
// its behaviour reads; here it moves, is dropped when it falls behind the view or leaves the
// playfield, and none entries are taken out with the table closing up behind them.
#include "world/rockpass.hpp"

#include "app/numeric.hpp"
#include "render/rockdraw.hpp"
#include "world/behaviour.hpp"

#include <algorithm>

namespace wh {

void rockpass(Game& g) {
    rockpass(g, stepRock);
}

void rockpass(Game& g, RockStep step) {
    const int16_t limit = g.rocks.rockcount;
    g.rocks.crowdClean = 0; // nothing known yet
    // Both ends are tested before every step: removals lower rockcount under the limit.
    for (int i = 1; i <= limit && i <= g.rocks.rockcount && i <= kLastRockIndex; ++i) {
        eraserocks(g, i);
        step(g, i);
        drawrocks(g, i);
    }
    g.rocks.crowdClean = -1;
}

void stepRock(Game& g, int i) {
    Rock& rock = g.rocks[i];
    rock.x = add32(rock.x, rock.xdis);
    rock.y = add32(rock.y, rock.ydis);

    // Only the left side culls: rocks ahead of the view to the right live on.
    if (static_cast<double>(rock.x) + static_cast<double>(g.picground.Left) < -kOffViewMargin) {
        rock.type = RockType::none;
    }

    if (rock.type == RockType::none) {
        removeRock(g, i);
    } else {
        rockBehaviour(g, i);
    }

    crowdLimit(g);

    // After a removal this is the rock that moved down into i, unstepped: it is still bounded.
    Rock& now = g.rocks[i];
    if (now.y < 0 || now.x < 0 || now.x > g.picground.Width || now.y > g.picground.Height) {
        now.type = RockType::none;
    }
}

void removeRock(Game& g, int i) {
    RockTable& t = g.rocks;
    const int last = t.rockcount;
    if (i < 1 || i > last || last > kLastRockIndex) {
        return;
    }
    // Every record above i moves down one place, in index order; the top slot keeps its old
    // contents, a copy of the rock now one below it.
    auto base = t.rocks.begin();
    std::copy(base + i + 1, base + last + 1, base + i);
    // The vacated slot is erased with what it holds: the last rock's picture goes until the pass
    // reaches that rock and draws it again.
    eraserocks(g, last);
    t.rockcount = sub16(last, 1);
    // The known stretch closed up with the rest: its top entry now holds what lay above it.
    if (t.crowdClean >= i) {
        --t.crowdClean;
    }
}

void crowdLimit(Game& g) {
    RockTable& t = g.rocks;
    if (t.rockcount <= kCrowdLimit) {
        return;
    }
    const int top = std::min<int>(t.rockcount, kLastRockIndex);
    // Within a pass, a step changes only its own rock (an explosion, if it lies in the known
    // stretch, which stays one or ends as none), adds above rockcount and closes up the table, so
    // the stretch checked after the last step needs no second look.
    const int from = std::max<int>(kCrowdLimit, t.crowdClean + 1);
    for (int j = from; j <= top; ++j) {
        const int16_t type = t[j].type;
        // Explosions are spared. An entry that is already none has no picture to erase and
        // nothing to change, so after the first step over the limit the scan only reads.
        if (type != RockType::explosion && type != RockType::none) {
            eraserocks(g, j);
            t[j].type = RockType::none;
        }
    }
    if (t.crowdClean >= 0) {
        t.crowdClean = static_cast<int16_t>(top);
    }
}

} // namespace wh
