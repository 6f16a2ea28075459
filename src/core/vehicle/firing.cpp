// Firing from the gun tip, one rock per pass while the fire key is held: the weapon table with
// the weapons' names, where the shot starts and the speed it leaves the gun with.
#include "vehicle/firing.hpp"

#include "app/numeric.hpp"
#include "vehicle/vehicle.hpp"
#include "world/sense.hpp"

#include <iterator>

namespace wh {

namespace {

// What each weapon number loads into the new rock, and what the player calls it. Weapons without
// a count leave the slot's.
struct Load {
    const char* name = "none";
    int16_t type = RockType::none;
    bool setsCount = false;
    int16_t count = 0;
};

constexpr int16_t kWeaponBullet = 1;
constexpr int16_t kWeaponBomb = 4;

constexpr int16_t kFiredLiquidCount = 65; // passes a fired liquid lives
constexpr int16_t kFiredFireCount = 55;   // passes a fired fire burns

// Indexed by weapon, 0 to kWeaponCount; 0 and anything past the end write no type at all.
constexpr Load kWeapons[] = {
    {},                                                    // 0: nothing selected yet
    {"bullet", RockType::bullet},                          // 1
    {"liquid", RockType::liquid, true, kFiredLiquidCount}, // 2
    {"fire", RockType::fire, true, kFiredFireCount},       // 3
    {"bomb", RockType::bomb},                              // 4: see the bomb rule below
    {"bullet bomb", RockType::bulletbomb},                 // 5
    {"big bomb", RockType::bigbomb},                       // 6
    {"missile", RockType::missle},                         // 7
    {"multi-bomb", RockType::multibomb},                   // 8
    {"time bomb", RockType::timebomb},                     // 9: see the timebomb counters below
    {"nuke", RockType::nuke},                              // 10
    {"proximity bomb", RockType::proxbomb},                // 11
};
static_assert(std::size(kWeapons) == kWeaponCount + 1, "an entry for every weapon and for none");

// Every shot but the bullet starts somewhere in a square this wide centred on the gun tip.
constexpr double kMuzzleSquare = 200; // twips
constexpr double kLaunchScale = 1.5;  // the gun vector times this is the launch speed

// A fired timebomb counts 15 passes, then 14, 13, ... down to its burst.
constexpr int16_t kTimebombCycles = 15;
constexpr int16_t kTimebombStep = 1;

} // namespace

const char* weaponName(int16_t weapon) {
    return weapon >= 1 && weapon <= kWeaponCount ? kWeapons[weapon].name : kWeapons[0].name;
}

void firing(Game& g) {
    if (g.keys.firekey != kTrue) {
        return;
    }
    RockTable& t = g.rocks;
    // The bomb rule looks at the last rock before this shot: a bomb there holds the next one
    // back until it has burst or something else has been added after it.
    const int16_t lastType = t.rockcount >= 0 && t.rockcount <= kLastRockIndex
                                 ? t[t.rockcount].type
                                 : static_cast<int16_t>(RockType::none);
    // With all 1500 slots taken the shot is refused: nothing is written, no random number drawn.
    Rock* shot = t.add();
    if (shot == nullptr) {
        return;
    }

    const Vehicle& v = g.vehicle;
    const int16_t w = g.weapon;
    const bool loaded =
        w >= 1 && w <= kWeaponCount && !(w == kWeaponBomb && lastType == RockType::bomb);
    if (loaded) {
        shot->type = kWeapons[w].type;
        if (kWeapons[w].setsCount) {
            shot->count = kWeapons[w].count;
        }
    }
    // Otherwise the shot keeps the type its slot last held, none in a slot never used.

    if (w == kWeaponBullet) {
        shot->x = v.guntipx;
        shot->y = v.guntipy;
    } else {
        shot->x = nearest32(rnd(g) * kMuzzleSquare + v.guntipx - kMuzzleSquare / 2);
        shot->y = nearest32(rnd(g) * kMuzzleSquare + v.guntipy - kMuzzleSquare / 2);
    }

    // The type the slot now holds decides, whichever way it got there.
    if (shot->type == RockType::timebomb) {
        shot->fullcount = kTimebombCycles;
        shot->count = kTimebombCycles;
        shot->countstep = kTimebombStep;
    }

    shot->xdis = nearest16((static_cast<double>(v.guntipx) - v.gunx) * kLaunchScale);
    shot->ydis = nearest16((static_cast<double>(v.guntipy) - v.guny) * kLaunchScale);
    // A shot held back by the bomb rule, or with no weapon chosen, leaves the gun unheard.
    if (loaded) {
        g.sounds.add(SoundKind::shot, w, shot->x, shot->y);
    }
}

} // namespace wh
