// The sounds scenes make, heard with no audio device at all: every weapon's shot, the explosives
// going off at their sizes or bursting, a fire burning into red, drops, dabs and beeps; and that
// listening to them, or never listening, leaves the world exactly as it is.
#include "app/statehash.hpp"
#include "session/session.hpp"
#include "tools/mouse.hpp"
#include "vehicle/vehicle.hpp"
#include "world/explosives.hpp"
#include "world/rockpass.hpp"
#include "worlds.hpp"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <vector>

namespace wh {
namespace {

constexpr uint64_t kSeed = 11;
constexpr int16_t kVkSpace = 32;
constexpr int kMostPasses = 400;

std::vector<SoundEvent> heard(const Game& g, SoundKind kind) {
    std::vector<SoundEvent> out;
    for (const SoundEvent& e : g.sounds.events()) {
        if (e.kind == kind) {
            out.push_back(e);
        }
    }
    return out;
}

// What has been heard since the last listen, then passes, each heard and cleared as the window
// does, until a sound of `kind` is heard at column x (any column when x is negative): those
// sounds, or none if they never come.
std::vector<SoundEvent> passUntilHeard(Scene& s, SoundKind kind, int32_t x = -1) {
    for (int p = 0; p < kMostPasses; ++p) {
        std::vector<SoundEvent> found;
        for (const SoundEvent& e : heard(s.game, kind)) {
            if (x < 0 || e.x == x) {
                found.push_back(e);
            }
        }
        if (!found.empty()) {
            return found;
        }
        s.game.sounds.clear();
        s.session.pass();
    }
    return {};
}

// The panel set for one rock of `type` falling at `ydis`, clicked at (x, y).
void spawn(Scene& s, int16_t type, const char* ydis, int32_t x, int32_t y) {
    s.session.deliver(session::ListSelect{session::ListId::typelist, type});
    for (const auto& [field, text] :
         {std::pair{"xdis", "0"}, std::pair{"ydis", ydis}, std::pair{"counttext", "30"},
          std::pair{"fullcount", "10"}, std::pair{"countstep", "1"}, std::pair{"number", "1"}}) {
        s.session.deliver(session::TextEdit{field, text});
    }
    s.session.deliver(
        session::PlayfieldPress{static_cast<float>(x), static_cast<float>(y), kButtonLeft});
}

// A column of open sky ahead of the vehicle, over the level's ground.
int32_t skyColumn(const Game& g) {
    return g.vehicle.bodyx2 + 3000;
}

TEST(SoundEvents, EveryWeaponIsHeardAsItsOwnShotFromTheGunTip) {
    constexpr int32_t kMuzzleReach = 100; // twips: half the square a shot starts in
    for (int16_t w = 1; w <= kWeaponCount; ++w) {
        SCOPED_TRACE(testing::Message() << "weapon " << w);
        auto s = startedScene(kSeed);
        for (int k = 0; k < w; ++k) {
            s->session.deliver(session::Character{'2'});
        }
        ASSERT_EQ(s->game.weapon, w);
        s->session.deliver(session::KeyDown{kVkSpace});
        s->session.pass();
        s->session.deliver(session::KeyUp{kVkSpace});
        const std::vector<SoundEvent> shots = heard(s->game, SoundKind::shot);
        ASSERT_EQ(shots.size(), 1u);
        EXPECT_EQ(shots[0].detail, w);
        const Vehicle& v = s->game.vehicle;
        EXPECT_LE(std::abs(shots[0].x - v.guntipx), kMuzzleReach);
        EXPECT_LE(std::abs(shots[0].y - v.guntipy), kMuzzleReach);
    }
}

TEST(SoundEvents, NoWeaponChosenFiresUnheard) {
    auto s = startedScene(kSeed);
    s->session.deliver(session::KeyDown{kVkSpace});
    for (int p = 0; p < 5; ++p) {
        s->session.pass();
    }
    EXPECT_TRUE(heard(s->game, SoundKind::shot).empty());
}

TEST(SoundEvents, ExplosivesAreHeardWhereTheyGoOffAtTheirSize) {
    struct Case {
        int16_t type;
        const char* ydis; // twips per pass: the ones without gravity are thrown down
        SoundKind kind;
        int16_t detail; // an explosion's size, or the type a burst throws out
    };
    const Case cases[] = {
        {RockType::bigbomb, "0", SoundKind::explosion, kBigbombBlast.fullcount},
        {RockType::nuke, "0", SoundKind::explosion, kNukeBlast.fullcount},
        {RockType::homer, "300", SoundKind::explosion, kHomerBlast.fullcount},
        {RockType::missle, "300", SoundKind::explosion, kMissleBlast.fullcount},
        {RockType::bomb, "0", SoundKind::burst, RockType::fire},
        {RockType::bulletbomb, "0", SoundKind::burst, RockType::bullet},
        {RockType::multibomb, "0", SoundKind::burst, RockType::bigbomb},
        {RockType::explosion, "0", SoundKind::explosion, 10}, // clicked in: the panel's full
    };
    constexpr int32_t kClickY = 600; // twips: the top of the level
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "type " << c.type);
        auto s = startedScene(kSeed);
        const int32_t x = skyColumn(s->game);
        spawn(*s, c.type, c.ydis, x, kClickY);
        const std::vector<SoundEvent> found = passUntilHeard(*s, c.kind, x);
        ASSERT_EQ(found.size(), 1u);
        EXPECT_EQ(found[0].detail, c.detail);
        EXPECT_GE(found[0].y, kClickY);
    }
}

// A bullet that hits the ground pops; the bigbombs a multibomb throws out go off in turn.
TEST(SoundEvents, BulletsPopAndAMultibombsBigbombsGoOff) {
    auto s = startedScene(kSeed);
    spawn(*s, RockType::bulletbomb, "0", skyColumn(s->game), 600);
    EXPECT_FALSE(passUntilHeard(*s, SoundKind::hit).empty());

    auto m = startedScene(kSeed);
    const int32_t x = skyColumn(m->game);
    spawn(*m, RockType::multibomb, "0", x, 600);
    ASSERT_EQ(passUntilHeard(*m, SoundKind::burst, x).size(), 1u);
    const std::vector<SoundEvent> blasts = passUntilHeard(*m, SoundKind::explosion);
    ASSERT_FALSE(blasts.empty());
    EXPECT_EQ(blasts[0].detail, kBigbombBlast.fullcount);
}

TEST(SoundEvents, DropsDabsAndAFireBurningIntoRed) {
    auto s = startedScene(kSeed);
    Game& g = s->game;
    constexpr float kWx = 4500;
    constexpr float kWy = 1500;
    using session::MousePhase;
    using session::WindowMouse;
    s->session.deliver(session::Character{'2'}); // red paint
    s->session.deliver(WindowMouse{MousePhase::down, kButtonRight, kWx, kWy});
    s->session.deliver(WindowMouse{MousePhase::up, kButtonRight, kWx, kWy});
    std::vector<SoundEvent> dabs = heard(g, SoundKind::paint);
    ASSERT_EQ(dabs.size(), 1u);
    EXPECT_EQ(dabs[0].detail, 2);
    EXPECT_EQ(dabs[0].x, kWx);
    EXPECT_EQ(dabs[0].y, kWy);

    // An ice, then a bullet after b: each drop says what it dropped, where it dropped it.
    s->session.deliver(WindowMouse{MousePhase::down, kButtonLeft, kWx + 3000, kWy});
    s->session.deliver(WindowMouse{MousePhase::up, kButtonLeft, kWx + 3000, kWy});
    s->session.deliver(session::Character{'b'});
    s->session.deliver(WindowMouse{MousePhase::down, kButtonLeft, kWx + 4500, kWy});
    s->session.deliver(WindowMouse{MousePhase::up, kButtonLeft, kWx + 4500, kWy});
    const std::vector<SoundEvent> drops = heard(g, SoundKind::drop);
    ASSERT_EQ(drops.size(), 2u);
    EXPECT_EQ(drops[0].detail, RockType::ice);
    EXPECT_EQ(drops[0].x, kWx + 3000);
    EXPECT_EQ(drops[1].detail, RockType::bullet);

    // A fire dropped onto the red dab burns a crater into it, heard with its blast.
    const auto x = static_cast<int32_t>(kWx);
    spawn(*s, RockType::fire, "100", x, static_cast<int32_t>(kWy) - 600);
    const std::vector<SoundEvent> craters = passUntilHeard(*s, SoundKind::crater, x);
    ASSERT_EQ(craters.size(), 1u);
    const std::vector<SoundEvent> blasts = heard(g, SoundKind::explosion);
    ASSERT_EQ(blasts.size(), 1u); // its ten explosions are heard as one
    EXPECT_EQ(blasts[0].x, craters[0].x);
}

// A plasma with no reactor to aim at beeps every step: the count and the sounds agree.
TEST(SoundEvents, EveryBeepCountedIsHeard) {
    for (const int plasmas : {1, 3}) {
        BareWorld w;
        for (int k = 0; k < plasmas; ++k) {
            w.put(RockType::plasma, 3000 + 1000 * k, 3000);
        }
        rockpass(*w.g);
        const std::vector<SoundEvent> beeps = heard(*w.g, SoundKind::beep);
        EXPECT_EQ(beeps.size(), static_cast<size_t>(plasmas));
        EXPECT_EQ(w.g->beeps, static_cast<uint32_t>(plasmas));
        EXPECT_EQ(beeps.back().x, w.rock(plasmas).x);
    }
}

// Two games from one seed, given the same inputs: one listened to after every pass, the other
// never (its list full after a while, with more missed), have the same world at every pass.
TEST(SoundEvents, ListeningNeverChangesTheWorld) {
    auto heardScene = startedScene(kSeed);
    auto deafScene = startedScene(kSeed);
    uint64_t heardCount = 0;
    constexpr int kPasses = 300;
    for (int p = 0; p < kPasses; ++p) {
        for (Scene* s : {heardScene.get(), deafScene.get()}) {
            if (p % 40 == 0) {
                s->session.deliver(session::Character{'2'}); // the next weapon, up to the nuke
                s->session.deliver(session::KeyDown{kVkSpace});
                spawn(*s, RockType::nuke, "0", skyColumn(s->game) + 100 * p, 600);
            }
            if (p % 40 == 20) {
                s->session.deliver(session::KeyUp{kVkSpace});
            }
            s->session.pass();
        }
        heardCount += heardScene->game.sounds.events().size();
        heardScene->game.sounds.clear();
        ASSERT_EQ(stateHash(heardScene->game), stateHash(deafScene->game)) << "pass " << p;
    }
    EXPECT_GT(heardCount, static_cast<uint64_t>(SoundEvents::kCapacity));
    EXPECT_EQ(deafScene->game.sounds.events().size(), static_cast<size_t>(SoundEvents::kCapacity));
    EXPECT_GT(deafScene->game.sounds.missed(), 0u);
}

} // namespace
} // namespace wh
