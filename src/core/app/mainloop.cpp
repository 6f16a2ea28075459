// The load handler's set-up, in its order, and one pass of the loop. The pass limit of the rock
// pass is taken after the vehicle section, so rocks the level script or the gun add this pass
// are stepped this pass.
#include "app/mainloop.hpp"

#include "app/initialworld.hpp"
#include "level/script.hpp"
#include "tools/lists.hpp"
#include "vehicle/motion.hpp"
#include "world/agitation.hpp"
#include "world/rockpass.hpp"

namespace wh {

void Form_Load(Game& g, uint64_t seed) {
    g.rng.seed(seed);
    loadLevel(g);
    g.timer2.interval = kTimer2Interval;
    setPaintTool(g);
    liststuff(g);
    setAngleConstants(g);
    setUpVehicle(g);
    placePlayfield(g);
    createInitialRocks(g);
}

void mainpass(Game& g) {
    if (g.paused != 0) {
        return;
    }
    scroll(g);
    vehiclesection(g);
    rockpass(g);
}

void eventstep(Game& g) {
    if (g.timer2.due(g.now)) {
        Timer2_Timer(g);
    }
}

} // namespace wh
