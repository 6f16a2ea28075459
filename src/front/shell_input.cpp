// The window's events on their way into the game: the function keys stay with the front end,
// the mouse is mapped from the scaled window back onto the 800 x 600 view, and every key, press and
// move reaches the game through the session, in the order it came.
#include "front/shell.hpp"

#include "app/numeric.hpp"
#include "app/view.hpp"
#include "app/window.hpp"
#include "front/keymap.hpp"
#include "front/panelview.hpp"
#include "front/routing.hpp"
#include "tools/mouse.hpp"

#include <imgui.h>
#include <imgui_impl_sdl.h>

namespace wh::front {

namespace {

constexpr float kTwips = kTwipsPerPixel;

int16_t buttonCode(uint8_t sdlButton) {
    switch (sdlButton) {
    case SDL_BUTTON_LEFT:
        return kButtonLeft;
    case SDL_BUTTON_RIGHT:
        return kButtonRight;
    case SDL_BUTTON_MIDDLE:
        return kButtonMiddle;
    default:
        return 0;
    }
}

int16_t buttonsHeld(uint32_t state) {
    int16_t b = 0;
    if ((state & SDL_BUTTON_LMASK) != 0) {
        b |= kButtonLeft;
    }
    if ((state & SDL_BUTTON_RMASK) != 0) {
        b |= kButtonRight;
    }
    if ((state & SDL_BUTTON_MMASK) != 0) {
        b |= kButtonMiddle;
    }
    return b;
}

} // namespace

// Keys reach the window's handlers first, whatever has the focus, and then go on to the focused
// panel control: a digit typed into a text box edits it and runs the digit's command.
void Shell::handle(const SDL_Event& event) {
    Game& g = *game_;
    if (handleWindowKey(event)) {
        return;
    }
    // The panel is redrawn for a few frames after any input, long enough for the panel to
    // show what the input did, and then left alone while nothing happens.
    panelFrames_ = kPanelSettleFrames;
    SDL_Event e = event;
    if (isMouseEvent(e)) {
        // From here on the mouse is where it is on the 800 x 600 view.
        int& x = e.type == SDL_MOUSEMOTION ? e.motion.x : e.button.x;
        int& y = e.type == SDL_MOUSEMOTION ? e.motion.y : e.button.y;
        const ViewPixel v = viewPixelOf(x, y);
        x = v.x;
        y = v.y;
        // The bars around the view hold nothing: the mouse there is as good as off the window,
        // unless a drag that began on the window is still going on.
        if (!v.inside && !formCapture_) {
            return;
        }
        // The help covers the view: a press only closes it.
        if (e.type == SDL_MOUSEBUTTONDOWN && overlays_.helpShown() && !formCapture_) {
            overlays_.toggleHelp();
            return;
        }
    } else if (e.type == SDL_WINDOWEVENT && e.window.event == SDL_WINDOWEVENT_SIZE_CHANGED) {
        refreshPlacement();
        forcePresent_ = true;
    } else if (e.type == SDL_RENDER_TARGETS_RESET) {
        forcePresent_ = true; // the frame texture lost its picture; it is drawn whole again
    }
    handleGame(e);
    if (!g.ended && !quit_ && imgui_ && e.type != SDL_MOUSEBUTTONDOWN) {
        ImGui_ImplSDL2_ProcessEvent(&e);
    }
}

void Shell::handleGame(const SDL_Event& e) {
    switch (e.type) {
    case SDL_QUIT:
        quit_ = true;
        break;
    case SDL_WINDOWEVENT:
        if (e.window.event == SDL_WINDOWEVENT_CLOSE) {
            quit_ = true;
        } else if (e.window.event == SDL_WINDOWEVENT_EXPOSED) {
            forcePresent_ = true;
        }
        break;
    case SDL_KEYDOWN: {
        if (const int16_t vk = virtualKey(e.key.keysym.sym, e.key.keysym.mod); vk != 0) {
            session_.deliver(session::KeyDown{vk});
        }
        if (const int16_t ch = controlCharacter(e.key.keysym.sym); ch >= 0) {
            session_.deliver(session::Character{ch});
        }
        break;
    }
    case SDL_KEYUP:
        if (const int16_t vk = virtualKey(e.key.keysym.sym, e.key.keysym.mod); vk != 0) {
            session_.deliver(session::KeyUp{vk});
        }
        break;
    case SDL_TEXTINPUT:
        for (const int16_t ch : textCharacters(e.text.text)) {
            session_.deliver(session::Character{ch});
        }
        break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
    case SDL_MOUSEMOTION:
        handleMouse(e);
        break;
    case SDL_CONTROLLERDEVICEADDED:
    case SDL_CONTROLLERDEVICEREMOVED:
    case SDL_CONTROLLERBUTTONDOWN:
    case SDL_CONTROLLERBUTTONUP:
    case SDL_CONTROLLERAXISMOTION:
        handleController(e);
        break;
    default:
        break;
    }
}

// Controllers come and go at any time; when the last one goes, whatever it held is let go, so
// the vehicle does not drive on by itself.
void Shell::handleController(const SDL_Event& e) {
    switch (e.type) {
    case SDL_CONTROLLERDEVICEADDED:
        if (SDL_GameController* c = SDL_GameControllerOpen(e.cdevice.which)) {
            controllers_.push_back(c);
        }
        break;
    case SDL_CONTROLLERDEVICEREMOVED:
        for (auto it = controllers_.begin(); it != controllers_.end(); ++it) {
            if (SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(*it)) == e.cdevice.which) {
                SDL_GameControllerClose(*it);
                controllers_.erase(it);
                break;
            }
        }
        if (controllers_.empty()) {
            act(pad_.releaseAll());
        }
        break;
    case SDL_CONTROLLERBUTTONDOWN:
    case SDL_CONTROLLERBUTTONUP:
        act(pad_.button(static_cast<SDL_GameControllerButton>(e.cbutton.button),
                        e.type == SDL_CONTROLLERBUTTONDOWN));
        break;
    default:
        act(pad_.axis(static_cast<SDL_GameControllerAxis>(e.caxis.axis), e.caxis.value));
        break;
    }
}

void Shell::act(const PadActions& actions) {
    for (const session::Input& input : actions.inputs) {
        session_.deliver(input);
    }
    if (actions.toggleHelp) {
        overlays_.toggleHelp();
    }
}

void Shell::handleMouse(const SDL_Event& e) {
    Game& g = *game_;
    if (e.type == SDL_MOUSEMOTION) {
        const float wx = static_cast<float>(e.motion.x) * kTwips;
        const float wy = static_cast<float>(e.motion.y) * kTwips;
        if (brushButton_ != 0) {
            brushTo(wx - g.picground.Left, wy - g.picground.Top);
        } else if (formCapture_ || !overPlayfield(g, e.motion.x, e.motion.y)) {
            session_.deliver(session::WindowMouse{session::MousePhase::move,
                                                  buttonsHeld(e.motion.state), wx, wy});
        }
        return;
    }
    const int16_t button = buttonCode(e.button.button);
    if (button == 0) {
        return; // the side buttons mean nothing to the game
    }
    const float wx = static_cast<float>(e.button.x) * kTwips;
    const float wy = static_cast<float>(e.button.y) * kTwips;
    if (e.type == SDL_MOUSEBUTTONDOWN) {
        // While the window holds the mouse every press is its own; otherwise the panel (or a
        // list it has opened) comes first, then the playfield.
        const PressTarget target =
            formCapture_
                ? PressTarget::window
                : pressTarget(g, e.button.x, e.button.y, panelHoldsMouse(e.button.x, e.button.y));
        if (!formCapture_ && imgui_) {
            ImGui_ImplSDL2_ProcessEvent(&e); // a press elsewhere takes the focus off the panel
        }
        if (target == PressTarget::panel) {
            return;
        }
        if (target == PressTarget::playfield && brushMode_ &&
            (button == kButtonLeft || button == kButtonRight)) {
            // The brush holds the mouse until its button comes up, wherever the pointer goes.
            brushButton_ = button;
            brushX_ = wx - g.picground.Left;
            brushY_ = wy - g.picground.Top;
            SDL_CaptureMouse(SDL_TRUE);
            brushTo(brushX_, brushY_);
            return;
        }
        if (target == PressTarget::playfield) {
            session_.deliver(
                session::PlayfieldPress{wx - g.picground.Left, wy - g.picground.Top, button});
            return;
        }
        formCapture_ = true;
        SDL_CaptureMouse(SDL_TRUE);
        session_.deliver(session::WindowMouse{session::MousePhase::down, button, wx, wy});
        return;
    }
    if (brushButton_ != 0) {
        if (button == brushButton_) {
            brushButton_ = 0;
            SDL_CaptureMouse(SDL_FALSE);
        }
        return;
    }
    if (formCapture_) {
        formCapture_ = false;
        SDL_CaptureMouse(SDL_FALSE);
        session_.deliver(session::WindowMouse{session::MousePhase::up, button, wx, wy});
    }
}

void Shell::brushTo(float x, float y) {
    session_.deliver(session::BrushStroke{brushX_, brushY_, x, y, brushButton_});
    brushX_ = x;
    brushY_ = y;
}

bool Shell::isWindowKey(SDL_Keycode key) {
    switch (key) {
    case SDLK_F1:
    case SDLK_F2:
    case SDLK_F3:
    case SDLK_F4:
    case SDLK_F6:
    case SDLK_F10:
    case SDLK_F11:
    case SDLK_F12:
        return true;
    default:
        return false;
    }
}

bool Shell::handleWindowKey(const SDL_Event& e) {
    if (e.type != SDL_KEYDOWN && e.type != SDL_KEYUP) {
        return false;
    }
    const SDL_Keycode key = e.key.keysym.sym;
    if (!isWindowKey(key)) {
        return false;
    }
    if (e.type == SDL_KEYUP || e.key.repeat != 0) {
        return true; // a held key switches once
    }
    switch (key) {
    case SDLK_F1:
        overlays_.toggleHelp();
        break;
    case SDLK_F2:
        audio_->setMuted(!audio_->muted());
        settings_.muted = audio_->muted();
        keepSettings();
        overlays_.showNote(audio_->muted() ? "Sound off (F2 turns it on)" : "Sound on",
                           SDL_GetTicks());
        break;
    case SDLK_F3:
        overlays_.toggleStats();
        break;
    case SDLK_F6:
        brushMode_ = !brushMode_;
        overlays_.showNote(brushMode_
                               ? "Brush on: drag on the playfield to paint, right button digs"
                               : "Brush off: a click spawns the panel's rocks",
                           SDL_GetTicks());
        break;
    case SDLK_F4:
        overlays_.toggleStatus();
        settings_.statusLine = overlays_.statusShown();
        keepSettings();
        break;
    case SDLK_F10:
        toggleScaling();
        break;
    case SDLK_F11:
        toggleFullscreen();
        break;
    default:
        screenshotDue_ = true; // taken from the next frame drawn
        break;
    }
    return true;
}

// An open list takes every press. Otherwise ImGui's word from the last frame counts only if the
// pointer is still where that frame saw it: a pointer that jumps and presses in one go (a tablet,
// a touch screen, a slow frame) would else be judged by where it was before.
bool Shell::panelHoldsMouse(int viewX, int viewY) const {
    if (!imgui_) {
        return false;
    }
    if (ImGui::IsPopupOpen("", ImGuiPopupFlags_AnyPopupId | ImGuiPopupFlags_AnyPopupLevel)) {
        return true;
    }
    const ImGuiIO& io = ImGui::GetIO();
    return io.WantCaptureMouse && ImGui::IsMousePosValid(&io.MousePos) &&
           static_cast<int>(std::floor(io.MousePos.x)) == viewX &&
           static_cast<int>(std::floor(io.MousePos.y)) == viewY;
}

ViewPixel Shell::viewPixelOf(int windowX, int windowY) const {
    return viewPixelAt(
        place_, static_cast<int>(std::floor(static_cast<float>(windowX) * outputPerWindowX_)),
        static_cast<int>(std::floor(static_cast<float>(windowY) * outputPerWindowY_)));
}

} // namespace wh::front
