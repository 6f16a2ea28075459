// One case per type code, each calling its type's own step. Codes with no behaviour (21, 22,
// the reactor and anything outside 0 to 25) only move and obey the common rules of the pass.
#include "world/behaviour.hpp"

#include "world/actors.hpp"
#include "world/explosives.hpp"
#include "world/fireplasma.hpp"
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
    case RockType::fire:
        fire(g, i);
        break;
    case RockType::plasma:
        plasma(g, i);
        break;
    case RockType::maker:
        maker(g, i);
        break;
    case RockType::enemy:
        enemy(g, i);
        break;
    case RockType::boulder:
        boulder(g, i);
        break;
    case RockType::comet:
        comet(g, i);
        break;

    case RockType::bullet:
        bullet(g, i);
        break;
    case RockType::bomb:
        bomb(g, i);
        break;
    case RockType::bigbomb:
        bigbomb(g, i);
        break;
    case RockType::bulletbomb:
        bulletbomb(g, i);
        break;
    case RockType::missle:
        missle(g, i);
        break;
    case RockType::explosion:
        explosion(g, i);
        break;
    case RockType::multibomb:
        multibomb(g, i);
        break;
    case RockType::nuke:
        nuke(g, i);
        break;
    case RockType::timebomb:
        timebomb(g, i);
        break;
    case RockType::proxbomb:
        proxbomb(g, i);
        break;
    case RockType::homer:
        homer(g, i);
        break;

    default: // 21, 22, reactor, unknown codes: no behaviour of their own
        break;
    }
}

} // namespace wh
