// The vehicle section of a pass: erase, fall and climb against the terrain, tilt limit, drive,
// lift, move, gun pivot and aim; then firing and the camera; then the vehicle drawn again.
#include "vehicle/motion.hpp"

#include "app/colour.hpp"
#include "app/numeric.hpp"
#include "level/script.hpp"
#include "vehicle/firing.hpp"
#include "vehicle/geometry.hpp"

namespace wh {

namespace {

// Where the vehicle feels the ground: below each end, and outward and down from each end.
constexpr int32_t kFallProbeDown = 300; // twips straight below each end
constexpr int32_t kClimbProbeOut = 250; // twips outward and down from each end
constexpr int32_t kLiftProbeOut = 249;  // one twip inside the climb probe

constexpr int16_t kGravity = 10;        // twips per pass added to yspeed while falling
constexpr int16_t kLevelOutStep = 10;   // degrees the body levels out per falling pass
constexpr double kGroundBounce = -0.2;  // yspeed kept, reversed, on touching ground
constexpr int16_t kClimbStep = 20;      // degrees per climbing repetition
constexpr int16_t kFullTurn = 360;      // degrees: a climb that winds past it unwinds and stops
constexpr int16_t kTiltLimit = 75;      // degrees either way
constexpr int16_t kTiltStep = 10;       // degrees per pass back toward the limit
constexpr int16_t kFastestSpeedDiv = 5; // the divisor only falls, down to this
constexpr double kTowardEnd1 = -1;      // the left key's direction along the body
constexpr double kTowardEnd2 = 1;       // the right key's
constexpr int16_t kLift = 100;          // twips both ends rise when sunk into ground
constexpr int16_t kHalfTurn = 180;      // the angle wrap's step, half a turn only
constexpr int16_t kAimStep = 10;        // degrees per pass while comma or period is held
constexpr int16_t kAimBase = 360;       // aimangle is kept within 360 to 719

constexpr Colour kVehicleColour = kWhite;
constexpr int32_t kBodyPen = 3;     // pixels
constexpr int32_t kGunErasePen = 4; // wider than any gun line drawn
constexpr int32_t kGunPen = 1;
constexpr int32_t kGunInnerPen = 2;      // the thicker inner half of the gun
constexpr double kFiringGunShare = 0.75; // the gun drawn shortened while firing
constexpr double kInnerGunShare = 0.5;

bool isAir(const Game& g, int32_t x, int16_t y) {
    return g.picground.Point(x, y) == kBlack;
}

// Climb probes, 250 twips outward and down from each end.
bool climbAir1(const Game& g) {
    const Vehicle& v = g.vehicle;
    return isAir(g, sub32(v.bodyx1, kClimbProbeOut), add16(v.bodyy1, kClimbProbeOut));
}

bool climbAir2(const Game& g) {
    const Vehicle& v = g.vehicle;
    return isAir(g, add32(v.bodyx2, kClimbProbeOut), add16(v.bodyy2, kClimbProbeOut));
}

void turnBy(Vehicle& v, int16_t degrees) {
    v.bodyangle = add16(v.bodyangle, degrees);
}

void erase(Game& g) {
    const Vehicle& v = g.vehicle;
    g.picground.setDrawWidth(kBodyPen);
    g.picground.Line(v.bodyx1, v.bodyy1, v.bodyx2, v.bodyy2, kBlack);
    g.picground.setDrawWidth(kGunErasePen);
    g.picground.Line(v.gunx, v.guny, v.guntipx, v.guntipy, kBlack);
}

void fall(Game& g) {
    Vehicle& v = g.vehicle;
    const bool air1 = isAir(g, v.bodyx1, add16(v.bodyy1, kFallProbeDown));
    const bool air2 = isAir(g, v.bodyx2, add16(v.bodyy2, kFallProbeDown));
    if (air1 && air2) {
        v.yspeed = add16(v.yspeed, kGravity);
        v.airborne = kTrue;
        // A falling body levels out, turning about whichever end keeps it closest to level.
        if (v.bodyangle > 0) {
            turnBy(v, -kLevelOutStep);
            changeanglesub(g);
        }
        if (v.bodyangle < 0) {
            turnBy(v, kLevelOutStep);
            changeangleadd(g);
        }
    } else {
        v.yspeed = nearest16(v.yspeed * kGroundBounce);
    }
}

// Ground ahead of end 2 only: turn about end 1, raising end 2, until its probe is in air. A
// climb that has wound past a whole turn gives the turn back and gives up for this pass.
void climbWithEnd2(Game& g) {
    Vehicle& v = g.vehicle;
    if (climbAir2(g) || !climbAir1(g)) {
        return;
    }
    for (;;) {
        if (v.bodyangle < -kFullTurn) {
            turnBy(v, kFullTurn);
            return;
        }
        turnBy(v, -kClimbStep);
        changeanglesub(g);
        if (climbAir2(g)) {
            return;
        }
    }
}

// The mirror image: ground beside end 1 only, turn about end 2, raising end 1.
void climbWithEnd1(Game& g) {
    Vehicle& v = g.vehicle;
    if (!climbAir2(g) || climbAir1(g)) {
        return;
    }
    for (;;) {
        if (v.bodyangle > kFullTurn) {
            turnBy(v, -kFullTurn);
            return;
        }
        turnBy(v, kClimbStep);
        changeangleadd(g);
        if (climbAir1(g)) {
            return;
        }
    }
}

void tiltLimit(Game& g) {
    Vehicle& v = g.vehicle;
    if (v.bodyangle > kTiltLimit) {
        turnBy(v, -kTiltStep);
        changeanglesub(g);
    }
    if (v.bodyangle < -kTiltLimit) {
        turnBy(v, kTiltStep);
        changeangleadd(g);
    }
}

// One drive key: the divisor falls toward its floor, then the speed runs along the body, toward
// end 2 for a sign of 1 and toward end 1 for -1.
void driveAlong(Vehicle& v, double sign) {
    if (v.speeddiv > kFastestSpeedDiv) {
        v.speeddiv = sub16(v.speeddiv, 1);
    }
    v.xspeed = nearest16(v.bodydx / static_cast<double>(v.speeddiv) * sign);
    v.yspeed = nearest16(v.bodydy / static_cast<double>(v.speeddiv) * sign);
}

// Only on the ground. With both keys held the right key, applied second, wins, and the divisor
// falls twice.
void drive(Game& g) {
    Vehicle& v = g.vehicle;
    const KeyFlags& k = g.keys;
    if (v.airborne == kFalse) {
        if (k.leftkey == kTrue) {
            driveAlong(v, kTowardEnd1);
        }
        if (k.rightkey == kTrue) {
            driveAlong(v, kTowardEnd2);
        }
        if (k.leftkey == kFalse && k.rightkey == kFalse) {
            v.xspeed = 0;
        }
    }
    v.airborne = kFalse;
}

// Sunk into the ground at both ends: rise.
void lift(Game& g) {
    Vehicle& v = g.vehicle;
    const bool air1 = isAir(g, sub32(v.bodyx1, kLiftProbeOut), add16(v.bodyy1, kLiftProbeOut));
    const bool air2 = isAir(g, add32(v.bodyx2, kLiftProbeOut), add16(v.bodyy2, kLiftProbeOut));
    if (!air1 && !air2) {
        v.bodyy1 = sub16(v.bodyy1, kLift);
        v.bodyy2 = sub16(v.bodyy2, kLift);
    }
}

// Half a turn, not a whole one; the body vector is left as it was.
void angleWrap(Vehicle& v) {
    if (v.bodyangle > kHalfTurn) {
        turnBy(v, -kHalfTurn);
    }
    if (v.bodyangle < -kHalfTurn) {
        turnBy(v, kHalfTurn);
    }
}

void move(Vehicle& v) {
    v.bodyy1 = add16(v.bodyy1, v.yspeed);
    v.bodyy2 = add16(v.bodyy2, v.yspeed);
    v.bodyx1 = add32(v.bodyx1, v.xspeed);
    v.bodyx2 = add32(v.bodyx2, v.xspeed);
}

void gunPivot(Vehicle& v) {
    v.gunx = nearest32(v.bodydx / 2.0 + v.bodyx1);
    v.guny = nearest16(v.bodydy / 2.0 + v.bodyy1);
}

// The gun keeps its angle to the body; comma turns it anticlockwise on screen, period clockwise.
void aim(Game& g) {
    Vehicle& v = g.vehicle;
    if (g.keys.gunleftkey == kTrue) {
        g.aimangle = add16(g.aimangle, kAimStep);
    }
    if (g.keys.gunrightkey == kTrue) {
        g.aimangle = sub16(g.aimangle, kAimStep);
    }
    if (g.aimangle > kAimBase) {
        g.aimangle = sub16(g.aimangle, kAimBase);
    }
    if (g.aimangle < kAimBase) {
        g.aimangle = add16(g.aimangle, kAimBase);
    }
    v.gunangle = sub16(v.bodyangle, g.aimangle);
    changeanglegun(g);
}

void draw(Game& g) {
    const Vehicle& v = g.vehicle;
    Playfield& p = g.picground;
    p.setDrawWidth(kBodyPen);
    p.Line(v.bodyx1, v.bodyy1, v.bodyx2, v.bodyy2, kVehicleColour);
    p.setDrawWidth(kGunPen);
    if (g.keys.firekey == kFalse) {
        p.Line(v.gunx, v.guny, v.guntipx, v.guntipy, kVehicleColour);
    } else {
        p.Line(v.gunx, v.guny, v.gunx + kFiringGunShare * v.gundx,
               v.guny + kFiringGunShare * v.gundy, kVehicleColour);
    }
    p.setDrawWidth(kGunInnerPen);
    p.Line(v.gunx, v.guny, v.gunx + kInnerGunShare * v.gundx, v.guny + kInnerGunShare * v.gundy,
           kVehicleColour);
}

} // namespace

void vehiclesection(Game& g) {
    Vehicle& v = g.vehicle;
    erase(g);
    fall(g);
    climbWithEnd2(g);
    climbWithEnd1(g);
    tiltLimit(g);
    drive(g);
    lift(g);
    angleWrap(v);
    move(v);
    gunPivot(v);
    aim(g);
    firing(g);
    camera(g);
    draw(g);
}

} // namespace wh
