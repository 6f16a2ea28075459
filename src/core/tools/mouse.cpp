// The drag tools on the window's own surface: the left button drops ice or bullets, the right
// button paints ground, red or air, each paint with its name.
#include "tools/mouse.hpp"

#include "app/numeric.hpp"
#include "level/colourclass.hpp"

#include <iterator>

namespace wh {

namespace {

constexpr Colour kPaintGround = RGB(100, 100, 0);
constexpr int16_t kDroppedBulletSpeed = 250; // twips per pass, to the right

// The window's coordinates are used as they come, as playfield coordinates: once the camera
// has scrolled, a drop lands at the same place measured from the playfield's own corner.
void dropRock(Game& g, float x, float y) {
    Rock* r = g.rocks.add(); // a full table ignores the drop
    if (r == nullptr) {
        return;
    }
    r->x = nearest32(x);
    r->y = nearest32(y);
    if (g.dropbullets == kFalse) {
        r->type = RockType::ice;
        r->xdis = 0;
    } else {
        r->type = RockType::bullet;
        r->xdis = kDroppedBulletSpeed;
    }
    r->ydis = 0;
    g.sounds.add(SoundKind::drop, r->type, r->x, r->y);
}

struct Paint {
    const char* name;
    Colour colour;
};

// Indexed by paint mode: 1 to 3 paint, 0 stands for any other.
constexpr Paint kPaints[] = {
    {"none", kBlack}, // 0: no such paint
    {"ground", kPaintGround},
    {"red", kPureRed}, // the very red that fire burns into craters
    {"air", kBlack},   // open air, which rocks and the vehicle pass through
};

bool isPaint(int16_t paintmode) {
    return paintmode >= 1 && paintmode < static_cast<int16_t>(std::size(kPaints));
}

void paintDot(Game& g, float x, float y) {
    const std::optional<Colour> colour = paintColour(g.paintmode);
    if (!colour) {
        return; // no such paint: nothing, and the pen keeps its width
    }
    g.picground.setDrawWidth(g.brushwidth);
    g.picground.PSet(x, y, *colour);
    g.sounds.add(SoundKind::paint, g.paintmode, nearest32(x), nearest32(y));
}

} // namespace

std::optional<Colour> paintColour(int16_t paintmode) {
    if (!isPaint(paintmode)) {
        return std::nullopt;
    }
    return kPaints[paintmode].colour;
}

const char* paintName(int16_t paintmode) {
    return kPaints[isPaint(paintmode) ? paintmode : 0].name;
}

void Form_MouseDown(Game& g, int16_t button, int16_t /*shift*/, float x, float y) {
    if (button == kButtonLeft) {
        g.dropping = kTrue;
        dropRock(g, x, y);
    } else if (button == kButtonRight) {
        g.painting = kTrue;
        paintDot(g, x, y);
    }
}

// Whatever the buttons say: one rock and one dot at most per move, nothing in between.
void Form_MouseMove(Game& g, int16_t /*button*/, int16_t /*shift*/, float x, float y) {
    if (g.dropping != kFalse) {
        dropRock(g, x, y);
    }
    if (g.painting != kFalse) {
        paintDot(g, x, y);
    }
}

void Form_MouseUp(Game& g, int16_t /*button*/, int16_t /*shift*/, float /*x*/, float /*y*/) {
    g.dropping = kFalse;
    g.painting = kFalse;
}

} // namespace wh
