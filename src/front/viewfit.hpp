// Where the 800 x 600 view sits in a window of any size, and which view pixel lies under a window
// pixel: whole factors or the largest fit, centred, with bars around; the sizes the frame passes
// through on its way there and the window's size when it opens. Plain arithmetic, no SDL.
#pragma once

#include <string>

namespace wh::front {

// How the view grows with the window.
enum class Scaling {
    whole, // whole factors only, every view pixel a square block; bars make up the rest
    fit,   // as large as the window allows with the view's 4:3 shape kept
};

// The largest whole factor the frame is first enlarged by, nearest pixel, on its way to a place
// that is not a whole factor.
inline constexpr int kMaxSharpFactor = 4;

// The smallest window the player can size down to: half the view each way.
inline constexpr int kMinWindowW = 400;
inline constexpr int kMinWindowH = 300;

// A rectangle in window (or renderer output) pixels.
struct ViewRect {
    int x = 0;
    int y = 0;
    int w = 0;
    int h = 0;
};

struct ViewPixel {
    int x = 0;           // view pixels, 0 to 799 inside the view
    int y = 0;           // 0 to 599 inside the view
    bool inside = false; // false in the bars around the view (and with no view at all)
};

// The largest whole factor at which the view fits into areaW x areaH; 0 when it does not fit at
// factor 1.
int wholeFactorFitting(int areaW, int areaH);

// The view's place in a window of windowW x windowH: the largest whole factor that fits, no more
// than maxFactor when that is above 0, centred. A window too small for the view at factor 1 shows
// all of it shrunk to fit with its shape kept, so every part stays in sight and clickable.
ViewRect placeView(int windowW, int windowH, int maxFactor);

// The view's place when it fills the window: the largest rectangle of its shape that fits,
// centred, with bars on two sides at most.
ViewRect fitView(int windowW, int windowH);

// Either placement: maxFactor bounds the whole factors only.
ViewRect placeView(int windowW, int windowH, Scaling scaling, int maxFactor);

// True when `place` is the view at a whole factor, so the frame goes there in one sharp step.
bool isWholeFactor(const ViewRect& place);

// The whole factor the frame is enlarged by, nearest pixel, before one smooth step takes it to
// `place`: the smallest one at least as large as the place, so that step only ever shrinks and
// each view pixel keeps a sharp edge; no more than kMaxSharpFactor nor than the renderer's largest
// texture allows (maxTextureW, maxTextureH; 0 for no limit), and 1 at the least.
int sharpFactor(const ViewRect& place, int maxTextureW, int maxTextureH);

// The view pixel under window pixel (px, py). Outside the view the coordinates go on past its
// edges (negative, or 800 and more), as a drag that leaves the view needs them.
ViewPixel viewPixelAt(const ViewRect& place, int px, int py);

// The same for a position with a fraction, as Dear ImGui tracks the pointer.
void viewPositionAt(const ViewRect& place, float px, float py, float& vx, float& vy);

// The factor the window opens at: `requested` when above 0 and the usable display area holds it,
// else the largest whole factor that it holds (1 on a display smaller than the view); without a
// request the largest whole factor whose view takes no more than nine tenths of the usable area
// each way.
int openingFactor(int usableW, int usableH, int requested);

struct WindowSize {
    int w = 0;
    int h = 0;
};

// The window's size when it opens: the view at the opening factor, or on a usable area smaller
// than the view the largest size of its shape that the area holds.
WindowSize openingSize(int usableW, int usableH, int requested);

// The one line the game says when --scale `requested` is more than the usable area holds, with
// the size it opens at instead; empty when the request fits or there is none.
std::string scaleRefusal(int requested, int usableW, int usableH);

} // namespace wh::front
