// The brush: a stroke paints a round-ended line of the brush's width right where it is asked, in
// the paint colour or (right button) open air, and nothing for any other button or paint.
#include "worlds.hpp"

#include "level/colourclass.hpp"
#include "session/session.hpp"
#include "tools/brush.hpp"
#include "tools/mouse.hpp"

#include <gtest/gtest.h>

namespace wh {
namespace {

constexpr Colour kPaintGround = RGB(100, 100, 0);

TEST(Brush, AStrokePaintsALineOfTheBrushWidthInThePaintColour) {
    struct Case {
        int16_t paintmode;
        int16_t button;
        Colour expected; // on the stroke; kGround where nothing is painted
    };
    const Case cases[] = {
        {1, kButtonLeft, kPaintGround}, {2, kButtonLeft, kPureRed}, {3, kButtonLeft, kBlack},
        {1, kButtonRight, kBlack},      {2, kButtonRight, kBlack},  {1, kButtonMiddle, kGround},
        {0, kButtonLeft, kGround},      {7, kButtonLeft, kGround},
    };
    for (const Case& c : cases) {
        auto g = bareWorld();
        paintAll(g->picground, kGround);
        g->paintmode = c.paintmode;
        g->brushwidth = 9;
        // From pixel (100, 200) to (300, 200): a horizontal band nine pixels high.
        brushStroke(*g, 100 * kTwipsPerPixel, 200 * kTwipsPerPixel, 300 * kTwipsPerPixel,
                    200 * kTwipsPerPixel, c.button);
        const std::string what =
            "paintmode " + std::to_string(c.paintmode) + ", button " + std::to_string(c.button);
        for (const int x : {100, 180, 300}) {
            EXPECT_EQ(pixelAt(*g, x, 200), c.expected) << what << " at x " << x;
            EXPECT_EQ(pixelAt(*g, x, 204), c.expected) << what << " at the band's edge";
        }
        EXPECT_EQ(pixelAt(*g, 180, 206), kGround) << what << ": the band is the brush's width";
        EXPECT_EQ(pixelAt(*g, 310, 200), kGround) << what << ": the stroke ends where it ends";
    }
}

// The brush paints at playfield coordinates whatever the view's scroll, unlike the drag tools.
TEST(Brush, PaintsWhereThePointerIsOnTheScrolledPlayfield) {
    auto g = bareWorld();
    paintAll(g->picground, kGround);
    g->picground.Left = -20000; // scrolled far to the right
    g->paintmode = 3;
    g->brushwidth = 5;
    session::Session s(*g);
    s.deliver(session::BrushStroke{30000, 4500, 30000, 4500, kButtonLeft});
    EXPECT_EQ(pixelAt(*g, 2000, 300), kBlack);
    EXPECT_EQ(pixelAt(*g, 2000 - 20000 / 15, 300), kGround);
}

} // namespace
} // namespace wh
