// The window's comforts in the real front end under SDL's dummy video driver: clicks in a scaled
// window land on the view pixel under them, the bars hold nothing, the function keys work the
// overlays and never reach the game, F12 writes exactly the view the game composes, --scale is
// held to the desktop, fullscreen and --fit fill it, and the help holds the world.
#include "app/statehash.hpp"
#include "app/view.hpp"
#include "front/shell.hpp"
#include "front_events.hpp"

#include "png/png.hpp"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <unistd.h>

namespace wh::front {
namespace {

namespace fs = std::filesystem;

using namespace testing;

// Paused, so only the clicks change the rocks.
void pause(Shell& shell) {
    pushText("p");
    ASSERT_TRUE(shell.runPass());
    ASSERT_TRUE(shell.game().paused);
}

void expectPlace(const Shell& shell, const ViewRect& want) {
    const ViewRect& got = shell.viewPlace();
    EXPECT_EQ(got.x, want.x);
    EXPECT_EQ(got.y, want.y);
    EXPECT_EQ(got.w, want.w);
    EXPECT_EQ(got.h, want.h);
}

// A window resized as a player would, and the frame that follows it.
void resize(Shell& shell, int w, int h) {
    SDL_SetWindowSize(shell.window(), w, h);
    ASSERT_TRUE(shell.runPass());
    ASSERT_TRUE(shell.runPass());
}

TEST(Window, AClickInAScaledWindowLandsOnTheViewPixelUnderIt) {
    ASSERT_TRUE(kDummyVideo);
    Shell shell;
    ASSERT_TRUE(shell.open());
    shell.startUp(1);
    pause(shell);
    EXPECT_EQ(shell.viewPlace().w, 800);
    resize(shell, 1700, 1300); // factor 2, bars of 50 pixels all round
    ASSERT_EQ(shell.viewPlace().x, 50);
    ASSERT_EQ(shell.viewPlace().y, 50);
    ASSERT_EQ(shell.viewPlace().w, 1600);
    Game& g = shell.game();
    const int16_t before = g.rocks.rockcount;
    pushClick(50 + 2 * 500 + 1, 50 + 2 * 300 + 1, SDL_BUTTON_LEFT);
    ASSERT_TRUE(shell.runPass());
    ASSERT_EQ(g.rocks.rockcount, before + 1);
    const Rock& r = g.rocks[g.rocks.rockcount];
    EXPECT_EQ(r.x, 500 * 15); // view pixels, whatever the window's size
    EXPECT_EQ(r.y, 300 * 15);
}

TEST(Window, PressesInTheBarsDoNothing) {
    Shell shell;
    ASSERT_TRUE(shell.open());
    shell.startUp(1);
    pause(shell);
    resize(shell, 1000, 800); // factor 1, bars of 100 pixels
    ASSERT_EQ(shell.viewPlace().x, 100);
    Game& g = shell.game();
    const int16_t before = g.rocks.rockcount;
    for (const auto& [x, y] : {std::pair{50, 400}, {950, 400}, {500, 50}, {500, 750}}) {
        pushClick(x, y, SDL_BUTTON_LEFT);
        pushClick(x, y, SDL_BUTTON_RIGHT);
    }
    ASSERT_TRUE(shell.runPass());
    EXPECT_EQ(g.rocks.rockcount, before);
    EXPECT_EQ(g.dropping, 0);
    EXPECT_EQ(g.painting, 0);
    pushClick(100, 100, SDL_BUTTON_LEFT); // the view's top-left pixel
    ASSERT_TRUE(shell.runPass());
    ASSERT_EQ(g.rocks.rockcount, before + 1);
    EXPECT_EQ(g.rocks[g.rocks.rockcount].x, 0);
    EXPECT_EQ(g.rocks[g.rocks.rockcount].y, 0);
}

TEST(Window, FunctionKeysWorkTheOverlaysAndNeverReachTheGame) {
    Shell shell;
    ASSERT_TRUE(shell.open());
    shell.startUp(1);
    pause(shell);
    Game& g = shell.game();
    pushPress(SDLK_F1);
    ASSERT_TRUE(shell.runPass());
    EXPECT_TRUE(shell.overlays().helpShown());
    pushPress(SDLK_F3);
    ASSERT_TRUE(shell.runPass());
    EXPECT_TRUE(shell.overlays().statsShown());
    // A held F1 repeats its key-down: it still switches once.
    SDL_Event repeat{};
    repeat.type = SDL_KEYDOWN;
    repeat.key.keysym.sym = SDLK_F1;
    repeat.key.repeat = 1;
    SDL_PushEvent(&repeat);
    ASSERT_TRUE(shell.runPass());
    EXPECT_TRUE(shell.overlays().helpShown());

    // While the help shows, a press closes it and spawns nothing.
    const int16_t before = g.rocks.rockcount;
    pushClick(500, 300, SDL_BUTTON_LEFT);
    ASSERT_TRUE(shell.runPass());
    EXPECT_FALSE(shell.overlays().helpShown());
    EXPECT_EQ(g.rocks.rockcount, before);
    pushClick(500, 300, SDL_BUTTON_LEFT);
    ASSERT_TRUE(shell.runPass());
    EXPECT_EQ(g.rocks.rockcount, before + 1);

    // The game's own keys still reach it past the overlays.
    pushKey(SDLK_SPACE, SDL_KEYDOWN);
    ASSERT_TRUE(shell.runPass());
    EXPECT_EQ(g.keys.firekey, -1);
}

TEST(Window, F12WritesTheViewAsTheGameComposesIt) {
    // A folder of this process's own: other checkouts' tests may run beside these.
    const fs::path dir =
        fs::temp_directory_path() / ("wreckhaul-window-test-shots-" + std::to_string(getpid()));
    fs::remove_all(dir);
    ASSERT_EQ(setenv("XDG_PICTURES_DIR", dir.c_str(), 1), 0);
    Shell shell;
    ASSERT_TRUE(shell.open());
    shell.startUp(1);
    pushPress(SDLK_F3); // overlays showing: they stay out of the picture
    ASSERT_TRUE(shell.runPass());
    pushPress(SDLK_F12);
    ASSERT_TRUE(shell.runPass()); // the key is heard
    ASSERT_TRUE(shell.runPass()); // the next frame is the shot
    unsetenv("XDG_PICTURES_DIR");

    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(dir)) {
        files.push_back(entry.path());
    }
    ASSERT_EQ(files.size(), 1u);
    EXPECT_EQ(files[0].extension(), ".png");
    std::ifstream in(files[0], std::ios::binary);
    const std::vector<uint8_t> bytes(std::istreambuf_iterator<char>(in), {});
    const png::Decoded shot = png::decode(bytes);
    ASSERT_EQ(shot.error, "");
    ASSERT_EQ(shot.picture.width, 800);
    ASSERT_EQ(shot.picture.height, 600);
    std::vector<Colour> view(static_cast<size_t>(800) * 600);
    composeView(shell.game(), view.data());
    int differing = 0;
    for (size_t i = 0; i < view.size(); ++i) {
        differing += shot.picture.pixels[i] != view[i];
    }
    EXPECT_EQ(differing, 0);
    fs::remove_all(dir);
}

// The dummy driver's desktop is 1024 x 768: --scale 1 fits it, --scale 2 does not and says so.
TEST(Window, ScaleIsHeldToTheDesktop) {
    struct Case {
        int scale;
        int w, h;
        const char* said;
    };
    const Case cases[] = {
        {1, 800, 600, ""},
        {2, 800, 600, "wreckhaul: --scale 2 does not fit the 1024 x 768 desktop; opening at 1x\n"},
        {8, 800, 600, "wreckhaul: --scale 8 does not fit the 1024 x 768 desktop; opening at 1x\n"},
    };
    for (const Case& c : cases) {
        Options o;
        o.scale = c.scale;
        Shell shell(o);
        ::testing::internal::CaptureStderr();
        ASSERT_TRUE(shell.open());
        EXPECT_EQ(::testing::internal::GetCapturedStderr(), c.said);
        int w = 0;
        int h = 0;
        SDL_GetWindowSize(shell.window(), &w, &h);
        EXPECT_EQ(w, c.w) << c.scale;
        EXPECT_EQ(h, c.h) << c.scale;
        shell.startUp(1);
        ASSERT_TRUE(shell.runPass());
        EXPECT_EQ(shell.viewPlace().w, c.w) << c.scale;
    }
}

// Fullscreen fills the screen at the view's shape; F10 switches to whole factors and back, each
// way of showing the view kept apart for the window and for fullscreen.
TEST(Window, FullscreenFillsTheScreenAndF10SwitchesToWholeFactors) {
    Shell shell;
    ASSERT_TRUE(shell.open());
    shell.startUp(1);
    ASSERT_TRUE(shell.runPass());
    EXPECT_EQ(shell.scaling(), Scaling::whole);
    resize(shell, 1000, 700);
    expectPlace(shell, {100, 50, 800, 600});
    pushPress(SDLK_F10);
    ASSERT_TRUE(shell.runPass());
    EXPECT_EQ(shell.scaling(), Scaling::fit);
    expectPlace(shell, {33, 0, 933, 700});

    pushPress(SDLK_F11);
    ASSERT_TRUE(shell.runPass());
    ASSERT_TRUE(shell.runPass());
    ASSERT_NE(SDL_GetWindowFlags(shell.window()) & SDL_WINDOW_FULLSCREEN, 0u);
    EXPECT_EQ(shell.scaling(), Scaling::fit);
    expectPlace(shell, {0, 0, 1024, 768}); // the dummy screen, all of it
    pushPress(SDLK_F10);
    ASSERT_TRUE(shell.runPass());
    EXPECT_EQ(shell.scaling(), Scaling::whole);
    expectPlace(shell, {112, 84, 800, 600});

    pushPress(SDLK_F11); // back in the window, as it was left there
    ASSERT_TRUE(shell.runPass());
    ASSERT_TRUE(shell.runPass());
    EXPECT_EQ(shell.scaling(), Scaling::fit);
    pushPress(SDLK_F11); // and fullscreen as it was left there
    ASSERT_TRUE(shell.runPass());
    ASSERT_TRUE(shell.runPass());
    EXPECT_EQ(shell.scaling(), Scaling::whole);
}

TEST(Window, FitOptionFillsTheWindowAtAnySize) {
    Options o;
    o.fit = true;
    Shell shell(o);
    ASSERT_TRUE(shell.open());
    shell.startUp(1);
    ASSERT_TRUE(shell.runPass());
    EXPECT_EQ(shell.scaling(), Scaling::fit);
    resize(shell, 1000, 1000);
    expectPlace(shell, {0, 125, 1000, 750});
    // A click lands on the view pixel under it at the fitted size too: 1000 / 800 a pixel.
    pause(shell);
    Game& g = shell.game();
    const int16_t before = g.rocks.rockcount;
    pushClick(500, 125 + 375, SDL_BUTTON_LEFT);
    ASSERT_TRUE(shell.runPass());
    ASSERT_EQ(g.rocks.rockcount, before + 1);
    EXPECT_EQ(g.rocks[g.rocks.rockcount].x, 400 * 15);
    EXPECT_EQ(g.rocks[g.rocks.rockcount].y, 300 * 15);
}

// While the help is open no pass runs: the world, its clock and its counters stand still though
// the vehicle's key is held; closing the help lets it go on.
TEST(Window, TheHelpHoldsTheWorld) {
    Shell shell;
    ASSERT_TRUE(shell.open());
    shell.startUp(1);
    pushKey(SDLK_RIGHT, SDL_KEYDOWN);
    ASSERT_TRUE(shell.runPass());
    pushPress(SDLK_F1);
    ASSERT_TRUE(shell.runPass()); // the pass that heard F1 was already under way
    ASSERT_TRUE(shell.overlays().helpShown());
    const uint64_t passes = shell.passes();
    const uint64_t hash = stateHash(shell.game());
    for (int i = 0; i < 20; ++i) {
        ASSERT_TRUE(shell.runPass());
    }
    EXPECT_EQ(shell.passes(), passes);
    EXPECT_EQ(stateHash(shell.game()), hash);
    pushPress(SDLK_F1);
    ASSERT_TRUE(shell.runPass()); // heard after this pass's work was held back
    ASSERT_FALSE(shell.overlays().helpShown());
    EXPECT_EQ(shell.passes(), passes);
    for (int i = 0; i < 5; ++i) {
        ASSERT_TRUE(shell.runPass());
    }
    EXPECT_EQ(shell.passes(), passes + 5);
    EXPECT_NE(stateHash(shell.game()), hash);
}

// F4 hides and shows the status line, which follows the game's own fields.
TEST(Window, F4SwitchesTheStatusLine) {
    Shell shell;
    ASSERT_TRUE(shell.open());
    shell.startUp(1);
    pushText("2");
    pushText("2");
    ASSERT_TRUE(shell.runPass());
    ASSERT_TRUE(shell.runPass()); // drawn after the keys
    const std::vector<std::string>& status = shell.overlays().scene().status;
    ASSERT_FALSE(status.empty());
    EXPECT_EQ(status[0], "weapon 2 liquid");
    EXPECT_EQ(status[1], "paint red, brush 60");
    pushPress(SDLK_F4);
    ASSERT_TRUE(shell.runPass());
    ASSERT_TRUE(shell.runPass());
    EXPECT_FALSE(shell.overlays().statusShown());
    EXPECT_TRUE(shell.overlays().scene().status.empty());
    EXPECT_EQ(shell.game().weapon, 2) << "F4 is the window's, not the game's";
    pushPress(SDLK_F4);
    ASSERT_TRUE(shell.runPass());
    ASSERT_TRUE(shell.runPass());
    EXPECT_FALSE(shell.overlays().scene().status.empty());
}

} // namespace
} // namespace wh::front
