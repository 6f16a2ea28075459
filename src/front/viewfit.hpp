// Where the 800 x 600 view sits in a window of any size, and which view pixel lies under a window
// pixel: whole-factor scaling, centred, with black bars around. Plain arithmetic, no SDL.
#pragma once

namespace wh::front {

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

// The view pixel under window pixel (px, py). Outside the view the coordinates go on past its
// edges (negative, or 800 and more), as a drag that leaves the view needs them.
ViewPixel viewPixelAt(const ViewRect& place, int px, int py);

// The same for a position with a fraction, as Dear ImGui tracks the pointer.
void viewPositionAt(const ViewRect& place, float px, float py, float& vx, float& vy);

// The factor the window opens at: `requested` when above 0, else the largest whole factor whose
// view takes no more than nine tenths of the usable display area each way (1 on a small display).
int openingFactor(int usableW, int usableH, int requested);

} // namespace wh::front
