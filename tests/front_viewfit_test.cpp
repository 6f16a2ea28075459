// The view's place in windows of many sizes, and the way back from a window pixel to the view
// pixel the game must see.
#include "front/viewfit.hpp"

#include <gtest/gtest.h>

#include <cmath>

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
        {1920, 1080, 3, 3}, // asked for: given even past the desktop
        {0, 0, 0, 1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(openingFactor(c.usableW, c.usableH, c.requested), c.factor)
            << c.usableW << "x" << c.usableH << " asked " << c.requested;
    }
}

} // namespace
} // namespace wh::front
