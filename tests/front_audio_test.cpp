// The sound in the game program, under SDL's dummy drivers: a scene's events heard from where they
// happen, the device's short buffer, the window draining the world's sounds every pass, F2 and
// the command line's mute and volume.
#include "front/audio.hpp"
#include "front/shell.hpp"
#include "front/soundscape.hpp"
#include "front_events.hpp"
#include "worlds.hpp"

#include "session/session.hpp"
#include "tools/mouse.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

namespace wh::front {
namespace {

using namespace testing;

constexpr int kRate = 48000;

// The first explosion heard when a rock of `type` is clicked at x (playfield twips) on a game
// from seed 1 and left to fall.
SoundEvent firstBlast(int16_t type, int32_t x) {
    auto s = startedScene(1);
    s->session.deliver(session::ListSelect{session::ListId::typelist, type});
    s->session.deliver(session::TextEdit{"xdis", "0"});
    s->session.deliver(session::TextEdit{"ydis", "0"});
    s->session.deliver(session::PlayfieldPress{static_cast<float>(x), 600, kButtonLeft});
    for (int p = 0; p < 400; ++p) {
        s->session.pass();
        for (const SoundEvent& e : s->game.sounds.events()) {
            if (e.kind == SoundKind::explosion && e.x == x) {
                return e;
            }
        }
        s->game.sounds.clear();
    }
    ADD_FAILURE() << "no blast heard";
    return {};
}

struct Heard {
    double left = 0; // root mean square, full scale 1, over the first second
    double right = 0;
    double seconds = 0; // until the last sound
};

Heard listen(const SoundEvent& e, float viewLeft) {
    Soundscape s(kRate);
    const SoundEvent one[] = {e};
    s.hear(one, viewLeft, 0);
    std::vector<int16_t> out(2 * 4 * kRate);
    s.render(out);
    Heard h;
    size_t last = 0;
    for (size_t i = 0; i < out.size(); ++i) {
        const double v = out[i] / 32767.0;
        if (i < 2 * kRate) {
            (i % 2 == 0 ? h.left : h.right) += v * v;
        }
        last = out[i] != 0 ? i : last;
    }
    h.left = std::sqrt(h.left / kRate);
    h.right = std::sqrt(h.right / kRate);
    h.seconds = static_cast<double>(last / 2) / kRate;
    return h;
}

// The nuke and the bigbomb fall on the level a little left of the view's middle: the nuke's blast
// is the heavier, far longer and louder, and both are heard more from the left.
TEST(Sound, ABlastIsHeardAtItsWeightFromWhereItWent) {
    auto probe = startedScene(1);
    const float viewLeft = probe->game.picground.Left;
    const auto x = static_cast<int32_t>(-viewLeft + 3000); // a quarter across the view
    const Heard nuke = listen(firstBlast(RockType::nuke, x), viewLeft);
    const Heard bigbomb = listen(firstBlast(RockType::bigbomb, x), viewLeft);
    for (const Heard& h : {nuke, bigbomb}) {
        EXPECT_GT(h.left, 1.5 * h.right);
    }
    EXPECT_GT(nuke.left, 1.2 * bigbomb.left);
    EXPECT_GT(nuke.seconds, 2.5);
    EXPECT_LT(bigbomb.seconds, 1);
}

// The device is asked for short buffers: a pass's sounds start within a couple of them.
TEST(Sound, TheDeviceBufferIsShort) {
    ASSERT_TRUE(kDummyVideo);
    Audio audio(80, false);
    ASSERT_TRUE(audio.hasDevice());
    ASSERT_GT(audio.sampleRate(), 0);
    EXPECT_LE(2.0 * audio.bufferFrames() / audio.sampleRate(), 0.05);
    EXPECT_EQ(audio.volume(), 80);
    audio.setVolume(130);
    EXPECT_EQ(audio.volume(), kMaxVolume);
}

TEST(Sound, TheWindowHearsEveryPassAndF2Mutes) {
    Shell shell;
    ASSERT_TRUE(shell.open());
    shell.startUp(1);
    ASSERT_TRUE(shell.audio().hasDevice());
    EXPECT_EQ(shell.audio().volume(), 80);
    EXPECT_FALSE(shell.audio().muted());
    pushText("2"); // the bullet
    pushKey(SDLK_SPACE);
    ASSERT_TRUE(shell.runPass());
    ASSERT_TRUE(shell.runPass()); // the pass fires: the key went down in the last one's events
    EXPECT_TRUE(shell.game().sounds.events().empty()); // heard, and cleared for the next pass
    EXPECT_GT(shell.audio().soundsStarted(), 0u);

    pushPress(SDLK_F2);
    ASSERT_TRUE(shell.runPass());
    EXPECT_TRUE(shell.audio().muted());
    pushPress(SDLK_F2);
    ASSERT_TRUE(shell.runPass());
    EXPECT_FALSE(shell.audio().muted());
}

TEST(Sound, TheCommandLineSetsTheVolumeAndTheMute) {
    Options options;
    options.mute = true;
    options.volume = 35;
    Shell shell(options);
    ASSERT_TRUE(shell.open());
    EXPECT_TRUE(shell.audio().muted());
    EXPECT_EQ(shell.audio().volume(), 35);
}

} // namespace
} // namespace wh::front
