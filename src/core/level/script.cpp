// Level script stages and the camera. Both read the window's outer size and the playfield's
// position afresh at every test, so a stage or rule sees what the one before it changed.
#include "level/script.hpp"

#include "app/numeric.hpp"
#include "app/window.hpp"

namespace wh {

namespace {

// L - W below minus a threshold: the window's right edge, measured with its outer width, lies
// beyond that playfield x.
constexpr double kStage1Reach = 30000;  // twips
constexpr double kStage23Reach = 41000; // twips

constexpr int32_t kStage1X = 30200; // the first reactor and its plasma cloud
constexpr int32_t kStage1Y = 6450;
constexpr int kStage1Plasma = 25;
constexpr double kPlasmaSpread = 250; // twips per pass, down and to the right

constexpr int32_t kBombMakerX = 41730;
constexpr int32_t kBombMakerY = 5580;
constexpr int16_t kBombMakerDis = -200; // both xdis and ydis
constexpr int16_t kBombMakerCount = 10;

constexpr int32_t kPlasmaMaker1X = 44610;
constexpr int32_t kPlasmaMaker2X = 45610;
constexpr int32_t kPlasmaMakerY = 5940;
constexpr int16_t kPlasmaMakerYdis = -200;
constexpr int16_t kPlasmaMakerCount = 1;

constexpr int32_t kLastReactorX = 44910;
constexpr int32_t kLastReactorY = 1140;
constexpr int16_t kLastReactorCount = 2;

// The camera starts following once end 1 is shown past these shares of the window.
constexpr double kFollowRightShare = 0.75;
constexpr double kFollowLeftShare = 0.25;
constexpr double kFollowDownShare = 0.75;
constexpr double kFollowUpShare = 0.5;
constexpr double kLeftSlack = -100; // twips: scrolling back stops within this of the left edge

double windowWidth() {
    return kWindowWidthTwips;
}

double windowHeight() {
    return kWindowHeightTwips;
}

bool stageDue(const Game& g, double reach, int16_t stage) {
    return static_cast<double>(g.picground.Left) - windowWidth() < -reach && g.stage < stage;
}

// The first reactor with a cloud of plasma bursting out of it. Only as many rocks as the table
// still holds are added; the stage counts as run either way.
void stage1(Game& g) {
    if (Rock* reactor = g.rocks.add()) {
        reactor->type = RockType::reactor;
        reactor->x = kStage1X;
        reactor->y = kStage1Y;
        reactor->xdis = 0;
        reactor->ydis = 0;
    }
    g.stage = 1;
    for (int j = 0; j < kStage1Plasma; ++j) {
        Rock* plasma = g.rocks.add();
        if (plasma == nullptr) {
            break;
        }
        plasma->type = RockType::plasma;
        plasma->count = 0;
        plasma->xdis = nearest16(g.rng.nextSingle() * kPlasmaSpread);
        plasma->ydis = nearest16(g.rng.nextSingle() * kPlasmaSpread);
        plasma->x = kStage1X;
        plasma->y = kStage1Y;
    }
}

void stage2(Game& g) {
    if (Rock* maker = g.rocks.add()) {
        maker->type = RockType::maker;
        maker->subtype = RockType::bomb;
        maker->x = kBombMakerX;
        maker->y = kBombMakerY;
        maker->xdis = kBombMakerDis;
        maker->ydis = kBombMakerDis;
        maker->count = kBombMakerCount;
        maker->fullcount = kBombMakerCount;
        maker->countstep = 1;
    }
    g.stage = 2;
}

void stage3(Game& g) {
    g.stage = 3;
    for (int32_t x : {kPlasmaMaker1X, kPlasmaMaker2X}) {
        Rock* maker = g.rocks.add();
        if (maker == nullptr) {
            return;
        }
        maker->type = RockType::maker;
        maker->subtype = RockType::plasma;
        maker->xdis = 0;
        maker->ydis = kPlasmaMakerYdis;
        maker->count = kPlasmaMakerCount;
        maker->fullcount = kPlasmaMakerCount;
        maker->countstep = 1;
        maker->x = x;
        maker->y = kPlasmaMakerY;
    }
    if (Rock* reactor = g.rocks.add()) {
        reactor->type = RockType::reactor;
        reactor->xdis = 0;
        reactor->ydis = 0;
        reactor->count = kLastReactorCount;
        reactor->fullcount = kLastReactorCount;
        reactor->countstep = 1;
        reactor->x = kLastReactorX;
        reactor->y = kLastReactorY;
    }
}

} // namespace

// Stages 2 and 3 share their reach, so both run in the same call, 2 first.
void scroll(Game& g) {
    if (stageDue(g, kStage1Reach, 1)) {
        stage1(g);
    }
    if (stageDue(g, kStage23Reach, 2)) {
        stage2(g);
    }
    if (stageDue(g, kStage23Reach, 3)) {
        stage3(g);
    }
}

// Only end 1 is tested. The playfield moves by exactly the vehicle's displacement, so the
// vehicle stands still on screen; nothing limits the position on the right or at the top.
void camera(Game& g) {
    const Vehicle& v = g.vehicle;
    Playfield& p = g.picground;
    const double height = Playfield::Height;
    if (v.bodyx1 > kFollowRightShare * windowWidth() - p.Left && v.xspeed > 0) {
        p.Left = static_cast<float>(p.Left - v.xspeed);
    }
    if (p.Left < kLeftSlack && v.bodyx1 < kFollowLeftShare * windowWidth() - p.Left &&
        v.xspeed < 0) {
        p.Left = static_cast<float>(p.Left - v.xspeed);
    }
    if (height + p.Top > windowHeight() && v.bodyy1 > kFollowDownShare * windowHeight() - p.Top &&
        v.yspeed > 0) {
        p.Top = static_cast<float>(p.Top - v.yspeed);
    }
    if (p.Top < 0 && v.bodyy1 < kFollowUpShare * windowHeight() - p.Top && v.yspeed < 0) {
        p.Top = static_cast<float>(p.Top - v.yspeed);
    }
}

} // namespace wh
