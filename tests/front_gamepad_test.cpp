// A game controller drives the game as the keys and characters it stands for: the mapping on its
// own, and a virtual controller plugged into the real window, pressed, and pulled out again.
#include "front/gamepad.hpp"
#include "front/shell.hpp"
#include "front_events.hpp"

#include "session/lines.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace wh::front {
namespace {

using namespace testing;

struct PadEvent {
    enum { button, axis, unplug } kind;
    int which; // the button or axis
    int value; // 1/0 for a button, the position for an axis
};

// The lines of what the events send, as a recording would hold them; "help" for the help.
std::vector<std::string> play(const std::vector<PadEvent>& events) {
    GamepadMap map;
    std::vector<std::string> out;
    for (const PadEvent& e : events) {
        const PadActions a =
            e.kind == PadEvent::button
                ? map.button(static_cast<SDL_GameControllerButton>(e.which), e.value != 0)
            : e.kind == PadEvent::axis ? map.axis(static_cast<SDL_GameControllerAxis>(e.which),
                                                  static_cast<int16_t>(e.value))
                                       : map.releaseAll();
        for (const session::Input& i : a.inputs) {
            out.push_back(session::lineText(i));
        }
        if (a.toggleHelp) {
            out.push_back("help");
        }
    }
    return out;
}

TEST(Gamepad, EachControlStandsForItsKeyOrCharacter) {
    struct Case {
        const char* what;
        std::vector<PadEvent> events;
        std::vector<std::string> lines;
    };
    const auto press = [](int b) {
        return std::vector<PadEvent>{{PadEvent::button, b, 1}, {PadEvent::button, b, 0}};
    };
    const Case cases[] = {
        {"pad left", press(SDL_CONTROLLER_BUTTON_DPAD_LEFT), {"keydown 37", "keyup 37"}},
        {"pad right", press(SDL_CONTROLLER_BUTTON_DPAD_RIGHT), {"keydown 39", "keyup 39"}},
        {"left shoulder aims",
         press(SDL_CONTROLLER_BUTTON_LEFTSHOULDER),
         {"keydown 188", "keyup 188"}},
        {"right shoulder aims",
         press(SDL_CONTROLLER_BUTTON_RIGHTSHOULDER),
         {"keydown 190", "keyup 190"}},
        {"A fires", press(SDL_CONTROLLER_BUTTON_A), {"keydown 32", "keyup 32"}},
        {"B triggers", press(SDL_CONTROLLER_BUTTON_B), {"keydown 13", "keyup 13"}},
        {"X: previous weapon", press(SDL_CONTROLLER_BUTTON_X), {"char 49"}},
        {"Y: next weapon", press(SDL_CONTROLLER_BUTTON_Y), {"char 50"}},
        {"Start pauses", press(SDL_CONTROLLER_BUTTON_START), {"char 112"}},
        {"Back: help", press(SDL_CONTROLLER_BUTTON_BACK), {"help"}},
        {"the right stick means nothing",
         {{PadEvent::axis, SDL_CONTROLLER_AXIS_RIGHTX, -32768}},
         {}},
        {"the stick drives past its threshold",
         {{PadEvent::axis, SDL_CONTROLLER_AXIS_LEFTX, 15000},
          {PadEvent::axis, SDL_CONTROLLER_AXIS_LEFTX, 20000},
          {PadEvent::axis, SDL_CONTROLLER_AXIS_LEFTX, 12000}, // still held: no chatter
          {PadEvent::axis, SDL_CONTROLLER_AXIS_LEFTX, 5000},
          {PadEvent::axis, SDL_CONTROLLER_AXIS_LEFTX, -32768}},
         {"keydown 39", "keyup 39", "keydown 37"}},
        {"pad and stick together: up only when both let go",
         {{PadEvent::button, SDL_CONTROLLER_BUTTON_DPAD_RIGHT, 1},
          {PadEvent::axis, SDL_CONTROLLER_AXIS_LEFTX, 30000},
          {PadEvent::button, SDL_CONTROLLER_BUTTON_DPAD_RIGHT, 0},
          {PadEvent::axis, SDL_CONTROLLER_AXIS_LEFTX, 0}},
         {"keydown 39", "keyup 39"}},
        {"pulled out while held: every key let go",
         {{PadEvent::button, SDL_CONTROLLER_BUTTON_A, 1},
          {PadEvent::axis, SDL_CONTROLLER_AXIS_LEFTX, -30000},
          {PadEvent::unplug, 0, 0}},
         {"keydown 32", "keydown 37", "keyup 37", "keyup 32"}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(play(c.events), c.lines) << c.what;
    }
}

// SDL's virtual joystick stands in for a real controller, plugged in after the window opened.
TEST(Gamepad, AVirtualControllerDrivesTheRealWindow) {
    ASSERT_TRUE(kDummyVideo);
    // The dummy driver's window never has the focus, and SDL keeps a controller's presses from
    // a window without it.
    SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
    Shell shell;
    ASSERT_TRUE(shell.open());
    shell.startUp(7);
    const int device = SDL_JoystickAttachVirtual(
        SDL_JOYSTICK_TYPE_GAMECONTROLLER, SDL_CONTROLLER_AXIS_MAX, SDL_CONTROLLER_BUTTON_MAX, 0);
    ASSERT_GE(device, 0) << SDL_GetError();
    ASSERT_TRUE(SDL_IsGameController(device)) << "SDL maps a virtual controller itself";
    SDL_Joystick* stick = SDL_JoystickOpen(device);
    ASSERT_NE(stick, nullptr);
    ASSERT_TRUE(shell.runPass()); // the window hears it plugged in

    const Game& g = shell.game();
    const int16_t weapon = g.weapon;
    SDL_JoystickSetVirtualButton(stick, SDL_CONTROLLER_BUTTON_A, SDL_PRESSED);
    SDL_JoystickSetVirtualButton(stick, SDL_CONTROLLER_BUTTON_Y, SDL_PRESSED);
    SDL_JoystickSetVirtualAxis(stick, SDL_CONTROLLER_AXIS_LEFTX, 32767);
    ASSERT_TRUE(shell.runPass());
    EXPECT_NE(g.keys.firekey, 0);
    EXPECT_NE(g.keys.rightkey, 0);
    EXPECT_EQ(g.weapon, weapon + 1);

    SDL_JoystickSetVirtualButton(stick, SDL_CONTROLLER_BUTTON_BACK, SDL_PRESSED);
    ASSERT_TRUE(shell.runPass());
    EXPECT_TRUE(shell.overlays().helpShown());

    SDL_JoystickClose(stick);
    SDL_JoystickDetachVirtual(device);
    ASSERT_TRUE(shell.runPass());
    EXPECT_EQ(g.keys.firekey, 0) << "pulled out: nothing stays held";
    EXPECT_EQ(g.keys.rightkey, 0);
}

} // namespace
} // namespace wh::front
