// The looks of the rocks: the pen widths and colours drawrocks paints each type with, and the
// colours eraserocks paints over them with.
#pragma once

#include "app/colour.hpp"

#include <cstdint>

namespace wh::look {

// Pen widths, pixels.
inline constexpr int16_t kDotPen = 2;    // the common dot and streak
inline constexpr int16_t kBigDotPen = 3; // bigbomb, the timebomb's body, the missle's flame
inline constexpr int16_t kFinePen = 1;   // bullet trace, enemy wings and fin, timebomb centre
inline constexpr int16_t kThinnestBoulderPen = 1; // a boulder counted below 1 is one pixel wide

// Reach of the skeet's wings and the plane's fin, up and to the side, twips.
inline constexpr int32_t kWingReach = 50;

// The comet's trail: dot i (from kCometDots, the farthest, down to 1) is kCometDots + 1 - i
// pixels wide and sits i displacements back from the comet.
inline constexpr int16_t kCometDots = 10;

// Fixed colours.
inline constexpr Colour kGas = RGB(255, 255, 255);
inline constexpr Colour kSolid = RGB(127, 127, 127);
inline constexpr Colour kAlive = RGB(0, 127, 0);
inline constexpr Colour kIce = RGB(0, 127, 127);    // also what an ice rock leaves behind
inline constexpr Colour kBullet = RGB(127, 0, 127); // the terrain knows it as bullet purple
inline constexpr Colour kBomb = RGB(127, 255, 0);   // bomb and bigbomb
inline constexpr Colour kBulletbomb = RGB(127, 255, 255);
inline constexpr Colour kMissleTrail = RGB(0, 127, 127);
inline constexpr Colour kMissleFlame = RGB(255, 255, 0);
inline constexpr Colour kTimebombCentre = RGB(255, 0, 0);
inline constexpr Colour kProxbomb = RGB(0, 127, 255);
inline constexpr Colour kHomer = RGB(127, 90, 0);
inline constexpr Colour kEnemy = RGB(255, 255, 255); // skeet and plane alike
inline constexpr Colour kType22Streak = RGB(255, 255, 255);
inline constexpr Colour kBoulder = RGB(127, 127, 127);
inline constexpr Colour kOpenAir = RGB(0, 0, 0); // what erasing paints

// Random colours: a component is nearest(scale x r + base) for a fresh r in [0, 1).
inline constexpr double kLiquidBlueScale = 127; // blue 127 to 254, never pure blue
inline constexpr double kLiquidBlueBase = 127;
inline constexpr int32_t kPlasmaGreen = 255;
inline constexpr double kPlasmaBlueScale = 255; // blue 10 to 255
inline constexpr double kPlasmaBlueBase = 10;
inline constexpr double kFlameScale = 255; // fire, multibomb, nuke and the comet's red

// Timebomb countdown colour with f = fullcount: red = 255 / ((f + 1) / 4),
// green = 255 / ((f + 1) / 2); the bomb brightens as its rounds run out.
inline constexpr double kCountdownBright = 255;
inline constexpr double kCountdownRedRounds = 4;
inline constexpr double kCountdownGreenRounds = 2;
inline constexpr int32_t kCountdownBlue = 0;

} // namespace wh::look
