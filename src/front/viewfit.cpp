// Placement of the view by whole factors or filling the window, and the way back from window
// pixels to view pixels. Integer arithmetic with floor division, so the pixels left and above the
// view map below zero.
#include "front/viewfit.hpp"

#include "app/window.hpp"

#include <algorithm>
#include <cstdint>

namespace wh::front {

namespace {

// The share of the usable display area the opening window may take, as a fraction, so the
// window's frame and a little of the desktop still show around it.
constexpr int kComfortNumerator = 9;
constexpr int kComfortDenominator = 10;

int64_t floorDiv(int64_t a, int64_t b) {
    const int64_t q = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

} // namespace

int wholeFactorFitting(int areaW, int areaH) {
    if (areaW <= 0 || areaH <= 0) {
        return 0;
    }
    return std::min(areaW / kViewPixelsW, areaH / kViewPixelsH);
}

ViewRect fitView(int windowW, int windowH) {
    if (windowW <= 0 || windowH <= 0) {
        return {};
    }
    ViewRect r;
    if (static_cast<int64_t>(windowW) * kViewPixelsH <=
        static_cast<int64_t>(windowH) * kViewPixelsW) {
        // Narrower than the view's shape: the width decides.
        r.w = windowW;
        r.h = std::max(
            1, static_cast<int>(static_cast<int64_t>(windowW) * kViewPixelsH / kViewPixelsW));
    } else {
        r.h = windowH;
        r.w = std::max(
            1, static_cast<int>(static_cast<int64_t>(windowH) * kViewPixelsW / kViewPixelsH));
    }
    r.x = (windowW - r.w) / 2;
    r.y = (windowH - r.h) / 2;
    return r;
}

ViewRect placeView(int windowW, int windowH, int maxFactor) {
    int factor = wholeFactorFitting(windowW, windowH);
    if (factor < 1) {
        return fitView(windowW, windowH);
    }
    if (maxFactor > 0) {
        factor = std::min(factor, maxFactor);
    }
    ViewRect r;
    r.w = kViewPixelsW * factor;
    r.h = kViewPixelsH * factor;
    r.x = (windowW - r.w) / 2;
    r.y = (windowH - r.h) / 2;
    return r;
}

ViewRect placeView(int windowW, int windowH, Scaling scaling, int maxFactor) {
    return scaling == Scaling::fit ? fitView(windowW, windowH)
                                   : placeView(windowW, windowH, maxFactor);
}

bool isWholeFactor(const ViewRect& place) {
    const int factor = place.w / kViewPixelsW;
    return factor >= 1 && place.w == kViewPixelsW * factor && place.h == kViewPixelsH * factor;
}

int sharpFactor(const ViewRect& place, int maxTextureW, int maxTextureH) {
    int factor = std::max({1, (place.w + kViewPixelsW - 1) / kViewPixelsW,
                           (place.h + kViewPixelsH - 1) / kViewPixelsH});
    factor = std::min(factor, kMaxSharpFactor);
    while (factor > 1 && ((maxTextureW > 0 && kViewPixelsW * factor > maxTextureW) ||
                          (maxTextureH > 0 && kViewPixelsH * factor > maxTextureH))) {
        --factor;
    }
    return factor;
}

ViewPixel viewPixelAt(const ViewRect& place, int px, int py) {
    if (place.w <= 0 || place.h <= 0) {
        return {};
    }
    ViewPixel v;
    v.x = static_cast<int>(floorDiv(static_cast<int64_t>(px - place.x) * kViewPixelsW, place.w));
    v.y = static_cast<int>(floorDiv(static_cast<int64_t>(py - place.y) * kViewPixelsH, place.h));
    v.inside = v.x >= 0 && v.y >= 0 && v.x < kViewPixelsW && v.y < kViewPixelsH;
    return v;
}

void viewPositionAt(const ViewRect& place, float px, float py, float& vx, float& vy) {
    if (place.w <= 0 || place.h <= 0) {
        vx = -1;
        vy = -1;
        return;
    }
    vx = (px - static_cast<float>(place.x)) * static_cast<float>(kViewPixelsW) /
         static_cast<float>(place.w);
    vy = (py - static_cast<float>(place.y)) * static_cast<float>(kViewPixelsH) /
         static_cast<float>(place.h);
}

int openingFactor(int usableW, int usableH, int requested) {
    if (requested > 0) {
        return std::min(requested, std::max(1, wholeFactorFitting(usableW, usableH)));
    }
    const int64_t roomW =
        static_cast<int64_t>(std::max(usableW, 0)) * kComfortNumerator / kComfortDenominator;
    const int64_t roomH =
        static_cast<int64_t>(std::max(usableH, 0)) * kComfortNumerator / kComfortDenominator;
    return std::max(1, wholeFactorFitting(static_cast<int>(roomW), static_cast<int>(roomH)));
}

WindowSize openingSize(int usableW, int usableH, int requested) {
    if (usableW > 0 && usableH > 0 && wholeFactorFitting(usableW, usableH) == 0) {
        const ViewRect fitted = fitView(usableW, usableH);
        return {fitted.w, fitted.h};
    }
    const int factor = openingFactor(usableW, usableH, requested);
    return {kViewPixelsW * factor, kViewPixelsH * factor};
}

std::string scaleRefusal(int requested, int usableW, int usableH) {
    const WindowSize size = openingSize(usableW, usableH, requested);
    if (requested <= 0 || size.w == kViewPixelsW * requested) {
        return {};
    }
    std::string opening = size.w % kViewPixelsW == 0
                              ? std::to_string(size.w / kViewPixelsW) + "x"
                              : std::to_string(size.w) + " x " + std::to_string(size.h);
    return "--scale " + std::to_string(requested) + " does not fit the " + std::to_string(usableW) +
           " x " + std::to_string(usableH) + " desktop; opening at " + opening;
}

} // namespace wh::front
