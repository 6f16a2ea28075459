// The real front end under SDL's dummy video driver: the window opens, Esc and a window close
// both end the loop; and the translation of SDL keys into the window's key codes.
#include "front/keymap.hpp"
#include "front/shell.hpp"
#include "front_events.hpp"

#include <gtest/gtest.h>

#include <cstdlib>

namespace wh::front {
namespace {

using namespace testing;

TEST(KeyMap, VirtualKeyCodes) {
    struct Case {
        SDL_Keycode sym;
        uint16_t mod;
        int16_t vk;
    };
    const Case cases[] = {
        {SDLK_LEFT, 0, 37},
        {SDLK_RIGHT, 0, 39},
        {SDLK_COMMA, 0, 188},
        {SDLK_PERIOD, 0, 190},
        {SDLK_SPACE, 0, 32},
        {SDLK_RETURN, 0, 13},
        {SDLK_KP_5, KMOD_NUM, 101},
        {SDLK_KP_5, 0, 12},
        {SDLK_KP_0, KMOD_NUM, 96},
        {SDLK_a, 0, 65},
        {SDLK_z, KMOD_SHIFT, 90},
        {SDLK_0, 0, 48},
        {SDLK_9, 0, 57},
        {SDLK_ESCAPE, 0, 27},
        {SDLK_F1, 0, 112},
        {SDLK_F12, 0, 123},
        {SDLK_UP, 0, 38},
        {SDLK_KP_4, 0, 37},
        {SDLK_APPLICATION, 0, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(virtualKey(c.sym, c.mod), c.vk) << SDL_GetKeyName(c.sym) << " mod " << c.mod;
    }
}

TEST(KeyMap, CharactersOfKeysAndText) {
    EXPECT_EQ(controlCharacter(SDLK_ESCAPE), 27);
    EXPECT_EQ(controlCharacter(SDLK_RETURN), 13);
    EXPECT_EQ(controlCharacter(SDLK_BACKSPACE), 8);
    EXPECT_EQ(controlCharacter(SDLK_a), -1);
    EXPECT_EQ(textCharacters("e"), std::vector<int16_t>{'e'});
    EXPECT_EQ(textCharacters("p,."), (std::vector<int16_t>{'p', ',', '.'}));
    EXPECT_EQ(textCharacters("\xC3\xA9"), std::vector<int16_t>{0xE9}); // é is one byte-sized code
    EXPECT_TRUE(textCharacters("\xE2\x82\xAC").empty());               // € has none
    EXPECT_TRUE(textCharacters("\xC3").empty());                       // a cut sequence
    EXPECT_TRUE(textCharacters("\x80").empty());
}

TEST(Shell, OpensTheWindowAndEndsOnEsc) {
    ASSERT_TRUE(kDummyVideo);
    Shell shell;
    ASSERT_TRUE(shell.open());
    EXPECT_STREQ(SDL_GetWindowTitle(shell.window()), "Wreckhaul");
    int w = 0;
    int h = 0;
    SDL_GetWindowSize(shell.window(), &w, &h);
    EXPECT_EQ(w, 800);
    EXPECT_EQ(h, 600);
    shell.startUp(1);
    EXPECT_TRUE(shell.runPass());
    EXPECT_TRUE(shell.runPass());
    pushKey(SDLK_ESCAPE);
    EXPECT_FALSE(shell.runPass());
    EXPECT_TRUE(shell.game().ended);
}

TEST(Shell, EndsWhenTheWindowIsClosed) {
    Shell shell;
    ASSERT_TRUE(shell.open());
    shell.startUp(1);
    EXPECT_TRUE(shell.runPass());
    SDL_Event e{};
    e.type = SDL_WINDOWEVENT;
    e.window.event = SDL_WINDOWEVENT_CLOSE;
    e.window.windowID = SDL_GetWindowID(shell.window());
    SDL_PushEvent(&e);
    EXPECT_FALSE(shell.runPass());
    EXPECT_FALSE(shell.game().ended); // closed, not Esc
}

TEST(Shell, ClickOnThePanelSpawnsNothingAndOnThePlayfieldOneRock) {
    Shell shell;
    ASSERT_TRUE(shell.open());
    shell.startUp(1);
    Game& g = shell.game();
    pushText("p"); // pause and show the panel
    ASSERT_TRUE(shell.runPass());
    ASSERT_TRUE(g.panel.visible);
    const int16_t before = g.rocks.rockcount;
    pushClick(100, 150, SDL_BUTTON_LEFT); // inside the panel, off its controls
    ASSERT_TRUE(shell.runPass());
    EXPECT_EQ(g.rocks.rockcount, before);
    pushClick(500, 300, SDL_BUTTON_RIGHT); // the playfield: any button spawns
    ASSERT_TRUE(shell.runPass());
    ASSERT_EQ(g.rocks.rockcount, before + 1);
    const Rock& r = g.rocks[g.rocks.rockcount];
    EXPECT_EQ(r.x, 500 * 15);
    EXPECT_EQ(r.y, 300 * 15);
    EXPECT_EQ(r.xdis, 100); // the panel's defaults
    EXPECT_EQ(r.count, 100);
}

TEST(Shell, HeldKeysReachTheGame) {
    Shell shell;
    ASSERT_TRUE(shell.open());
    shell.startUp(1);
    pushKey(SDLK_SPACE);
    EXPECT_TRUE(shell.runPass());
    EXPECT_EQ(shell.game().keys.firekey, -1);
}

} // namespace
} // namespace wh::front
