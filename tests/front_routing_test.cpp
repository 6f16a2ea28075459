// Mouse presses go to the panel while it covers the point, to the playfield's spawner over the
// playfield, and to the window's drag tools where the camera has uncovered the window.
#include "front/panelview.hpp"
#include "front/routing.hpp"

#include <gtest/gtest.h>

#include <memory>

namespace wh::front {
namespace {

TEST(Routing, PanelSitsAtItsDesignedPlaceAndScrollsWithThePlayfield) {
    auto g = std::make_unique<Game>();
    PanelRect r = panelRect(*g);
    EXPECT_FLOAT_EQ(r.x, 0);
    EXPECT_FLOAT_EQ(r.y, 44);
    EXPECT_FLOAT_EQ(r.w, 211);
    EXPECT_FLOAT_EQ(r.h, 189);
    g->picground.Left = -1500;
    g->picground.Top = -150;
    r = panelRect(*g);
    EXPECT_FLOAT_EQ(r.x, -100);
    EXPECT_FLOAT_EQ(r.y, 34);
}

// Every caption keeps clear of the control to its right and stays within two pixels of where the
// designed layout puts it, whatever code the type and subtype labels show.
TEST(Routing, PanelCaptionsNeverRunIntoTheirNeighbours) {
    struct Case {
        const char* label;
        const char* text;
    };
    const Case cases[] = {
        {"Label1", "Type"},  {"Label2", "Subtype"}, {"Label5", "xdis"},  {"Label6", "ydis"},
        {"Label7", "xt"},    {"Label8", "yt"},      {"Label9", "count"}, {"Label10", "full"},
        {"Label11", "step"}, {"Label3", "#"},       {"typelbl", "25"},   {"subtypelbl", "25"},
    };
    for (const Case& c : cases) {
        const PanelCaption p = panelCaption(c.label, c.text);
        EXPECT_GT(p.right, p.left) << c.label;
        EXPECT_LE(p.right + 2, p.nextControl) << c.label << " runs into the control beside it";
        EXPECT_LE(p.designed - p.left, 2) << c.label << " moved too far from its place";
        EXPECT_LE(p.left, p.designed) << c.label;
    }
}

TEST(Routing, PressTargets) {
    auto g = std::make_unique<Game>();
    struct Case {
        bool panelShown;
        float left, top;
        int px, py;
        bool panelHasMouse;
        PressTarget target;
    };
    const Case cases[] = {
        {false, 0, 0, 50, 100, false, PressTarget::playfield}, // hidden panel: the playfield
        {true, 0, 0, 50, 100, false, PressTarget::panel},
        {true, 0, 0, 210, 232, false, PressTarget::panel},     // its last pixel
        {true, 0, 0, 211, 100, false, PressTarget::playfield}, // just right of it
        {true, 0, 0, 50, 43, false, PressTarget::playfield},   // just above it
        {true, 0, 0, 500, 500, true, PressTarget::panel},      // an open list holds the mouse
        {true, -6000, 0, 50, 100, false,
         PressTarget::playfield},                               // scrolled away with the playfield
        {false, 0, 3000, 400, 100, false, PressTarget::window}, // playfield moved down: uncovered
        {false, 0, 3000, 400, 200, false, PressTarget::playfield},
        {false, -62000, 0, 799, 300, false, PressTarget::window}, // past the playfield's right edge
    };
    for (const Case& c : cases) {
        g->panel.visible = c.panelShown;
        g->picground.Left = c.left;
        g->picground.Top = c.top;
        EXPECT_EQ(pressTarget(*g, c.px, c.py, c.panelHasMouse), c.target)
            << c.px << "," << c.py << " left " << c.left << " top " << c.top;
    }
}

TEST(Routing, AWindowlessVideoDriverIsRefusedUnlessAskedFor) {
    EXPECT_TRUE(fellBackToNoDisplay("offscreen", nullptr));
    EXPECT_TRUE(fellBackToNoDisplay("dummy", ""));
    EXPECT_TRUE(fellBackToNoDisplay(nullptr, nullptr));
    EXPECT_FALSE(fellBackToNoDisplay("dummy", "dummy")); // the tests ask for it by name
    EXPECT_FALSE(fellBackToNoDisplay("x11", nullptr));
    EXPECT_FALSE(fellBackToNoDisplay("wayland", nullptr));
}

} // namespace
} // namespace wh::front
