// Colour classes: how every contact test sorts a colour value read from the playfield. Rules
// ask these questions instead of comparing literal colours.
#pragma once

#include "app/colour.hpp"

namespace wh {

// (255, 255, 0): earthtones lie strictly between black and this yellow.
inline constexpr Colour kEarthtoneLimit = RGB(255, 255, 0); // 65535
// (255, 254, 0): the smaller limit of the plasma's probe; it admits the same palette entries.
inline constexpr Colour kPlasmaProbeLimit = RGB(255, 254, 0); // 65279
inline constexpr Colour kPureBlue = RGB(0, 0, 255);           // 16711680, the pond
inline constexpr Colour kPureRed = RGB(255, 0, 0);            // 255, explosive scenery
inline constexpr Colour kBulletPurple = RGB(127, 0, 127);     // 8323199, bullets

// Empty space: rocks and the vehicle move through it.
constexpr bool isOpenAir(Colour v) {
    return v == kBlack;
}
// Anything else, including the -1 read off the surface.
constexpr bool isSolid(Colour v) {
    return v != kBlack;
}
// Colours without blue other than black and yellow: the greens, browns and red.
constexpr bool isEarthtone(Colour v) {
    return v > kBlack && v < kEarthtoneLimit;
}
// The same question with the plasma probe's limit.
constexpr bool isBelowPlasmaLimit(Colour v) {
    return v > kBlack && v < kPlasmaProbeLimit;
}
// Water that swallows liquid.
constexpr bool isPureBlue(Colour v) {
    return v == kPureBlue;
}
// Scenery that fire burns into craters.
constexpr bool isPureRed(Colour v) {
    return v == kPureRed;
}
constexpr bool isBulletPurple(Colour v) {
    return v == kBulletPurple;
}

} // namespace wh
