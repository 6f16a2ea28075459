// Body and gun vectors. Angles go to radians through the game's truncated pi without reduction
// to one turn, and each component is rounded on its own, so lengths are exact only to rounding.
#include "vehicle/geometry.hpp"

#include "app/numeric.hpp"

#include <cmath>

namespace wh {

namespace {

struct Vector {
    int16_t dx;
    int16_t dy;
};

Vector polar(const Game& g, int16_t angle, int16_t length) {
    const double rad = static_cast<double>(angle) * g.degtorad;
    return {nearest16(std::cos(rad) * length), nearest16(std::sin(rad) * length)};
}

} // namespace

void changeanglesub(Game& g) {
    Vehicle& v = g.vehicle;
    const Vector b = polar(g, v.bodyangle, v.bodylength);
    v.bodydy = b.dy;
    v.bodydx = b.dx;
    v.bodyx2 = add32(v.bodyx1, v.bodydx);
    v.bodyy2 = add16(v.bodyy1, v.bodydy);
}

void changeangleadd(Game& g) {
    Vehicle& v = g.vehicle;
    const Vector b = polar(g, v.bodyangle, v.bodylength);
    v.bodydy = b.dy;
    v.bodydx = b.dx;
    v.bodyx1 = sub32(v.bodyx2, v.bodydx);
    v.bodyy1 = sub16(v.bodyy2, v.bodydy);
}

void changeanglegun(Game& g) {
    Vehicle& v = g.vehicle;
    const Vector t = polar(g, v.gunangle, v.gunlength);
    v.gundy = t.dy;
    v.gundx = t.dx;
    v.guntipx = add32(v.gunx, v.gundx);
    v.guntipy = add16(v.guny, v.gundy);
}

} // namespace wh
