// The view's place in windows of many sizes, whole factors or filling the window; the sharp step's
// factor; the window's size when it opens; and the way back from a window pixel to the view pixel
// the game must see.
#include "front/viewfit.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <utility>

namespace wh::front {
namespace {

void expectRect(const ViewRect& got, const ViewRect& want, const char* what) {
    EXPECT_EQ(got.x, want.x) << what;
    EXPECT_EQ(got.y, want.y) << what;
    EXPECT_EQ(got.w, want.w) << what;
    EXPECT_EQ(got.h, want.h) << what;
}

TEST(ViewFit, PlacesTheViewAtTheLargestWholeFactorCentred) {
    struct Case {
        const char* what;
        int windowW, windowH, maxFactor;
        ViewRect place;
    };
    const Case cases[] = {
        {"exact fit", 800, 600, 0, {0, 0, 800, 600}},
        {"twice", 1600, 1200, 0, {0, 0, 1600, 1200}},
        {"full HD: too low for 2", 1920, 1080, 0, {560, 240, 800, 600}},
        {"1920 x 1200", 1920, 1200, 0, {160, 0, 1600, 1200}},
        {"1440p", 2560, 1440, 0, {480, 120, 1600, 1200}},
        {"4K", 3840, 2160, 0, {720, 180, 2400, 1800}},
        {"odd spare pixel", 1601, 1201, 0, {0, 0, 1600, 1200}},
        {"wider than tall", 1000, 900, 0, {100, 150, 800, 600}},
        {"capped by --scale", 3840, 2160, 2, {1120, 480, 1600, 1200}},
        {"cap above the fit", 800, 600, 3, {0, 0, 800, 600}},
        {"small, same shape", 600, 450, 0, {0, 0, 600, 450}},
        {"small, too low", 700, 400, 0, {83, 0, 533, 400}},
        {"small, too narrow", 400, 600, 0, {0, 150, 400, 300}},
        {"small even when capped", 400, 300, 2, {0, 0, 400, 300}},
        {"minimised", 0, 0, 0, {0, 0, 0, 0}},
    };
    for (const Case& c : cases) {
        expectRect(placeView(c.windowW, c.windowH, c.maxFactor), c.place, c.what);
    }
}

// Filling the window keeps the view's 4:3 shape and touches two opposite sides of the window.
TEST(ViewFit, FitFillsTheWindowAtTheViewsShape) {
    struct Case {
        const char* what;
        int windowW, windowH;
        ViewRect place;
    };
    const Case cases[] = {
        {"full HD fullscreen: the screen's whole height", 1920, 1080, {240, 0, 1440, 1080}},
        {"1024 x 768: the whole screen", 1024, 768, {0, 0, 1024, 768}},
        {"1366 x 768 laptop", 1366, 768, {171, 0, 1024, 768}},
        {"5:4, bars above and below", 1280, 1024, {0, 32, 1280, 960}},
        {"4K", 3840, 2160, {480, 0, 2880, 2160}},
        {"the view's own size", 800, 600, {0, 0, 800, 600}},
        {"smaller than the view", 700, 400, {83, 0, 533, 400}},
        {"smaller and narrow", 400, 600, {0, 150, 400, 300}},
        {"minimised", 0, 0, {0, 0, 0, 0}},
    };
    for (const Case& c : cases) {
        expectRect(fitView(c.windowW, c.windowH), c.place, c.what);
        expectRect(placeView(c.windowW, c.windowH, Scaling::fit, 2), c.place, c.what);
        const ViewRect& p = c.place;
        if (p.w > 0) {
            EXPECT_TRUE((p.x == 0 && p.w == c.windowW) || (p.y == 0 && p.h == c.windowH)) << c.what;
            EXPECT_LE(std::abs(p.w * 3 - p.h * 4), 4) << c.what; // 4:3 to the pixel
        }
    }
    // The whole-factor mode keeps its bars and its cap.
    expectRect(placeView(1920, 1080, Scaling::whole, 0), {560, 240, 800, 600}, "whole");
    expectRect(placeView(3840, 2160, Scaling::whole, 2), {1120, 480, 1600, 1200}, "capped");
}

// The sharp step enlarges by the smallest whole factor that covers the place, so the smooth step
// after it only shrinks; big screens and small renderers bound it.
TEST(ViewFit, SharpFactorCoversThePlaceWithinLimits) {
    struct Case {
        ViewRect place;
        int maxTextureW, maxTextureH;
        int factor;
    };
    const Case cases[] = {
        {{240, 0, 1440, 1080}, 0, 0, 2},       // full HD: 1600 x 1200 shrunk to 1440 x 1080
        {{0, 0, 1024, 768}, 0, 0, 2},          //
        {{0, 0, 800, 600}, 0, 0, 1},           // the view itself
        {{83, 0, 533, 400}, 0, 0, 1},          // smaller than the view: one smooth step down
        {{0, 0, 1601, 1201}, 0, 0, 3},         // a pixel past factor 2
        {{480, 0, 2880, 2160}, 0, 0, 4},       // 4K
        {{0, 0, 5760, 4320}, 0, 0, 4},         // 8K: no larger than kMaxSharpFactor
        {{480, 0, 2880, 2160}, 2048, 2048, 2}, // a renderer whose textures stop at 2048
        {{480, 0, 2880, 2160}, 8192, 1000, 1}, // not even 2 fits: the frame itself
    };
    for (const Case& c : cases) {
        EXPECT_EQ(sharpFactor(c.place, c.maxTextureW, c.maxTextureH), c.factor)
            << c.place.w << "x" << c.place.h << " max " << c.maxTextureW;
    }
    // Every fitted place of these windows is covered by its factor, and the factor below would not.
    for (const auto& [w, h] : {std::pair{1920, 1080},
                               {1366, 768},
                               {1280, 1024},
                               {2560, 1440},
                               {1000, 700},
                               {3000, 2000}}) {
        const ViewRect p = fitView(w, h);
        const int k = sharpFactor(p, 0, 0);
        EXPECT_GE(800 * k, p.w) << w << "x" << h;
        EXPECT_GE(600 * k, p.h) << w << "x" << h;
        EXPECT_TRUE(800 * (k - 1) < p.w || 600 * (k - 1) < p.h) << w << "x" << h;
    }
}

TEST(ViewFit, WholeFactorsAreTold) {
    EXPECT_TRUE(isWholeFactor({0, 0, 800, 600}));
    EXPECT_TRUE(isWholeFactor({160, 0, 1600, 1200}));
    EXPECT_FALSE(isWholeFactor({240, 0, 1440, 1080}));
    EXPECT_FALSE(isWholeFactor({0, 0, 1600, 1199}));
    EXPECT_FALSE(isWholeFactor({83, 0, 533, 400}));
    EXPECT_FALSE(isWholeFactor({}));
}

TEST(ViewFit, MapsWindowPixelsToViewPixels) {
    struct Case {
        ViewRect place;
        int px, py;
        ViewPixel view;
    };
    const ViewRect twice{160, 0, 1600, 1200};
    const ViewRect barred{560, 240, 800, 600};
    const ViewRect shrunk{83, 0, 533, 400};
    const Case cases[] = {
        {twice, 160, 0, {0, 0, true}},
        {twice, 161, 1, {0, 0, true}},
        {twice, 162, 3, {1, 1, true}},
        {twice, 1159, 601, {499, 300, true}},
        {twice, 1759, 1199, {799, 599, true}},
        {twice, 1760, 600, {800, 300, false}}, // the right bar
        {twice, 159, 10, {-1, 5, false}},      // the left bar, just outside
        {twice, 0, 0, {-80, 0, false}},
        {barred, 560, 240, {0, 0, true}},
        {barred, 559, 240, {-1, 0, false}},
        {barred, 960, 839, {400, 599, true}},
        {barred, 960, 840, {400, 600, false}}, // the bottom bar
        {shrunk, 83, 0, {0, 0, true}},
        {shrunk, 615, 399, {798, 598, true}},
        {shrunk, 82, 100, {-2, 150, false}},
        {{}, 10, 10, {0, 0, false}}, // no view at all
    };
    for (const Case& c : cases) {
        const ViewPixel v = viewPixelAt(c.place, c.px, c.py);
        EXPECT_EQ(v.x, c.view.x) << c.px << "," << c.py;
        EXPECT_EQ(v.y, c.view.y) << c.px << "," << c.py;
        EXPECT_EQ(v.inside, c.view.inside) << c.px << "," << c.py;
    }
}

// Every window pixel of a scaled view pixel's block maps back to that view pixel, at every
// factor and in windows with bars, so a click anywhere on a big pixel lands on it.
TEST(ViewFit, EveryPixelOfAScaledBlockMapsBackToItsViewPixel) {
    const int windows[][2] = {{800, 600}, {1920, 1080}, {2560, 1440}, {3840, 2160}, {3201, 2407}};
    for (const auto& win : windows) {
        const ViewRect place = placeView(win[0], win[1], 0);
        const int factor = place.w / 800;
        ASSERT_GE(factor, 1);
        for (int vx = 0; vx < 800; vx += 7) {
            for (int vy = 0; vy < 600; vy += 13) {
                for (int d = 0; d < factor; ++d) {
                    const ViewPixel v =
                        viewPixelAt(place, place.x + vx * factor + d, place.y + vy * factor + d);
                    ASSERT_TRUE(v.inside);
                    ASSERT_EQ(v.x, vx) << win[0] << "x" << win[1];
                    ASSERT_EQ(v.y, vy) << win[0] << "x" << win[1];
                }
            }
        }
    }
}

TEST(ViewFit, PositionsWithFractionsAgreeWithWholePixels) {
    const ViewRect places[] = {{160, 0, 1600, 1200}, {720, 180, 2400, 1800}, {83, 0, 533, 400}};
    for (const ViewRect& place : places) {
        for (int px = place.x - 5; px < place.x + place.w + 5; px += 11) {
            const int py = place.y + place.h / 3;
            float vx = 0;
            float vy = 0;
            viewPositionAt(place, static_cast<float>(px), static_cast<float>(py), vx, vy);
            const ViewPixel v = viewPixelAt(place, px, py);
            EXPECT_EQ(static_cast<int>(std::floor(vx)), v.x) << px;
            EXPECT_EQ(static_cast<int>(std::floor(vy)), v.y) << px;
        }
    }
}

TEST(ViewFit, OpeningFactorFitsTheDesktopComfortably) {
    struct Case {
        int usableW, usableH, requested, factor;
    };
    const Case cases[] = {
        {1920, 1080, 0, 1}, {2560, 1440, 0, 2}, {2560, 1400, 0, 2}, {3840, 2160, 0, 3},
        {5120, 2880, 0, 4}, {1024, 768, 0, 1},  {640, 480, 0, 1},   {1778, 1334, 0, 2},
        {1777, 1334, 0, 1}, // nine tenths of 1777 is under 1600
        {2560, 1440, 2, 2}, // asked for and held
        {1920, 1080, 3, 1}, // asked for past the desktop: the largest that fits
        {3840, 2160, 8, 3}, //
        {1600, 1200, 2, 2}, // the whole desktop may be taken when asked for
        {640, 480, 2, 1},   // nothing fits: the smallest
        {0, 0, 0, 1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(openingFactor(c.usableW, c.usableH, c.requested), c.factor)
            << c.usableW << "x" << c.usableH << " asked " << c.requested;
    }
}

// --scale never opens a window larger than the usable desktop, and says so in one line.
TEST(ViewFit, ScaleTooLargeForTheDesktopOpensWhatFitsAndSaysSo) {
    struct Case {
        int usableW, usableH, requested;
        WindowSize size;
        const char* said;
    };
    const Case cases[] = {
        {1024, 768, 2, {800, 600}, "--scale 2 does not fit the 1024 x 768 desktop; opening at 1x"},
        {1920,
         1080,
         2,
         {800, 600},
         "--scale 2 does not fit the 1920 x 1080 desktop; opening at 1x"},
        {3840,
         2160,
         8,
         {2400, 1800},
         "--scale 8 does not fit the 3840 x 2160 desktop; opening at 3x"},
        {640,
         480,
         1,
         {640, 480},
         "--scale 1 does not fit the 640 x 480 desktop; opening at 640 x 480"},
        {1024,
         540,
         1,
         {720, 540},
         "--scale 1 does not fit the 1024 x 540 desktop; opening at 720 x 540"},
        {2560, 1440, 2, {1600, 1200}, ""},
        {1024, 768, 1, {800, 600}, ""},
        {1920, 1080, 0, {800, 600}, ""},   // no request: the comfortable size
        {1024, 540, 0, {720, 540}, ""},    // no request on a small desktop: the size it holds
        {3840, 2160, 0, {2400, 1800}, ""}, //
    };
    for (const Case& c : cases) {
        const WindowSize size = openingSize(c.usableW, c.usableH, c.requested);
        EXPECT_EQ(size.w, c.size.w) << c.said;
        EXPECT_EQ(size.h, c.size.h) << c.said;
        EXPECT_LE(size.w, c.usableW) << c.said;
        EXPECT_LE(size.h, c.usableH) << c.said;
        EXPECT_EQ(scaleRefusal(c.requested, c.usableW, c.usableH), c.said);
    }
}

} // namespace
} // namespace wh::front
