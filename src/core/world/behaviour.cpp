// One case per type code, each calling its type's own step. Codes with no behaviour (21, 22,
// the reactor and anything outside 0 to 25) only move and obey the common rules of the pass.
#include "world/behaviour.hpp"

#include "world/materials.hpp"

namespace wh {

void rockBehaviour(Game& g, int i) {
    switch (g.rocks[i].type) {
    case RockType::gas:
        gas(g, i);
        break;
    case RockType::liquid:
        liquid(g, i);
        break;
    case RockType::solid:
        solid(g, i);
        break;
    case RockType::alive:
        alive(g, i);
        break;
    case RockType::ice:
        ice(g, i);
        break;

    // Behaviours still to come: each gets its own case and function, as the materials above.
    case RockType::fire:
    case RockType::plasma:
    case RockType::bullet:
    case RockType::bomb:
    case RockType::bigbomb:
    case RockType::bulletbomb:
    case RockType::missle:
    case RockType::explosion:
    case RockType::multibomb:
    case RockType::nuke:
    case RockType::timebomb:
    case RockType::maker:
    case RockType::proxbomb:
    case RockType::homer:
    case RockType::enemy:
    case RockType::boulder:
    case RockType::comet:
        break;

    default: // 21, 22, reactor, unknown codes: no behaviour of their own
        break;
    }
}

} // namespace wh
