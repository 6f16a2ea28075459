// The player's vehicle: a rigid body line between two ends with a gun at its midpoint, and the
// held-key flags that drive it. Coordinates are playfield twips; angles whole degrees.
#pragma once

#include <cstdint>

namespace wh {

// The gun's weapons are numbered 1 to this; 0 stands for none chosen yet. What each one loads is
// the weapon table of firing.
inline constexpr int16_t kWeaponCount = 11;

struct Vehicle {
    int32_t bodyx1 = 0;     // twips, x of body end 1
    int16_t bodyy1 = 0;     // twips, y of body end 1
    int32_t bodyx2 = 0;     // twips, x of body end 2
    int16_t bodyy2 = 0;     // twips, y of body end 2
    int16_t xspeed = 0;     // twips per pass, whole vehicle
    int16_t yspeed = 0;     // twips per pass, downward
    int16_t bodylength = 0; // twips between the ends, 500
    int16_t bodyangle = 0;  // degrees, clockwise on screen, multiple of 10
    int16_t bodydy = 0;     // twips, body vector from end 1 to end 2
    int16_t bodydx = 0;     // twips
    int16_t speeddiv = 0;   // driving speed divisor
    int16_t airborne = 0;   // flag: falling this pass
    int32_t gunx = 0;       // twips, gun pivot
    int16_t guny = 0;       // twips
    int32_t guntipx = 0;    // twips, gun tip
    int16_t guntipy = 0;    // twips
    int16_t gunlength = 0;  // twips, 250
    int16_t gunangle = 0;   // degrees, absolute, not reduced to one turn
    int16_t gundy = 0;      // twips, gun vector
    int16_t gundx = 0;      // twips
};

// Held keys: -1 from a key's down event to its up event, else 0.
struct KeyFlags {
    int16_t leftkey = 0;
    int16_t rightkey = 0;
    int16_t gunleftkey = 0;
    int16_t gunrightkey = 0;
    int16_t firekey = 0;
    int16_t trigger = 0; // detonates every proxbomb while held
};

} // namespace wh
