// Character commands, compared with the typed code one after another; none changes the code,
// so at most one runs. Upper-case letters and unlisted characters do nothing.
#include "tools/keyboard.hpp"

#include "app/numeric.hpp"
#include "render/rockdraw.hpp"
#include "vehicle/vehicle.hpp"
#include "world/agitation.hpp"
#include "world/sense.hpp"

namespace wh {

namespace {

constexpr int kRandomTypes = 5;             // gas, liquid, solid, fire, plasma
constexpr double kDisplacementSpread = 200; // twips per pass, -100 to 100
constexpr int kBatch = 10;                  // rocks removed or added per key
constexpr int32_t kDropTopMargin = 1200;    // twips kept clear below the added rocks
constexpr int32_t kDropTop = 600;           // twips, highest start of an added rock
constexpr int32_t kDarkenWidth = 5000;      // pixels: the disc reaches the level's middle
constexpr Colour kDarkenAlive = RGB(200, 200, 200);
constexpr Colour kDarkenOther = RGB(150, 150, 150);

void eraseAndRetype(Game& g, int16_t type) {
    const int n = g.rocks.rockcount;
    for (int i = 1; i <= n; ++i) {
        eraserocks(g, i);
        g.rocks[i].type = type;
    }
}

void retype(Game& g, int16_t type) {
    const int n = g.rocks.rockcount;
    for (int i = 1; i <= n; ++i) {
        g.rocks[i].type = type;
    }
}

void randomTypes(Game& g) {
    const int n = g.rocks.rockcount;
    for (int i = 1; i <= n; ++i) {
        g.rocks[i].type = static_cast<int16_t>(static_cast<int>(rnd(g) * kRandomTypes) + 1);
    }
}

void randomDisplacements(Game& g) {
    const int n = g.rocks.rockcount;
    for (int i = 1; i <= n; ++i) {
        g.rocks[i].xdis = spreadDis(g, kDisplacementSpread);
        g.rocks[i].ydis = spreadDis(g, kDisplacementSpread);
    }
}

// Each covered pixel keeps only the bits the pen lacks, so the level's left half grows dark;
// with rock 1 alive the pen is lighter and the terrain darker still, yet not black.
void darken(Game& g) {
    Playfield& p = g.picground;
    p.drawMode = kDrawModeMaskNotPen;
    p.setDrawWidth(kDarkenWidth);
    p.PSet(0, 0, g.rocks[1].type == RockType::alive ? kDarkenAlive : kDarkenOther);
    p.drawMode = kDrawModeCopyPen;
}

void removeLastRocks(Game& g) {
    const int n = g.rocks.rockcount;
    int first = 0;
    if (n - kBatch > 0) {
        first = n - kBatch;
    } else if (n > 1) {
        first = n - 1;
    } else {
        return;
    }
    for (int i = first; i <= n; ++i) {
        eraserocks(g, i);
    }
    g.rocks.rockcount = static_cast<int16_t>(first);
}

void placeAtRandom(Game& g, int i) {
    Rock& rock = g.rocks[i];
    const double width = Playfield::Width;
    rock.x = nearest32(rnd(g) * width);
    const double height = Playfield::Height;
    rock.y = nearest32(rnd(g) * (height - kDropTopMargin) + kDropTop);
    rock.xdis = spreadDis(g, kDisplacementSpread);
    rock.ydis = spreadDis(g, kDisplacementSpread);
    rock.type = g.rocks[1].type;
}

// The last rock is placed anew along with ten new ones. Only as many as fit below the table's
// end are added; with an empty table the unused slot 0 is written first, as it always was.
void addRocks(Game& g) {
    const int n = g.rocks.rockcount;
    eraserocks(g, n);
    placeAtRandom(g, n);
    drawrocks(g, n);
    for (int k = 1; k <= kBatch; ++k) {
        if (g.rocks.add() == nullptr) {
            break;
        }
        const int i = g.rocks.rockcount;
        eraserocks(g, i);
        placeAtRandom(g, i);
        drawrocks(g, i);
    }
}

} // namespace

void Form_KeyPress(Game& g, int16_t keyascii) {
    switch (keyascii) {
    case kCharEscape:
        g.ended = true;
        break;
    case 'g':
        eraseAndRetype(g, RockType::gas);
        break;
    case 'l':
        eraseAndRetype(g, RockType::liquid);
        break;
    case 's':
        eraseAndRetype(g, RockType::solid);
        break;
    case 'f':
        eraseAndRetype(g, RockType::fire);
        break;
    case 'p':
        g.paused = flip(g.paused);
        g.panel.visible = !g.panel.visible;
        break;
    case 'r':
        randomTypes(g);
        break;
    case 'e':
        explode(g);
        break;
    case 't':
        g.passthrough = flip(g.passthrough);
        break;
    case 'm':
        randomDisplacements(g);
        break;
    case 'a':
        g.timer2.setEnabled(true, g.now);
        retype(g, RockType::alive);
        break;
    case 'd':
        darken(g);
        break;
    case 'c':
        g.picground.Cls();
        break;
    case '-':
        removeLastRocks(g);
        break;
    case '=':
        addRocks(g);
        break;
    case 'i':
        retype(g, RockType::ice);
        break;
    case 'b':
        g.dropbullets = kTrue;
        break;
    case 'v':
        g.dropbullets = kFalse;
        break;
    case ',':
        if (g.brushwidth > kBrushStep) {
            g.brushwidth = static_cast<int16_t>(g.brushwidth - kBrushStep);
        }
        break;
    case '.':
        if (g.brushwidth <= kBrushMax - kBrushStep) {
            g.brushwidth = static_cast<int16_t>(g.brushwidth + kBrushStep);
        }
        break;
    case '1':
        if (g.weapon > 1) {
            g.weapon = static_cast<int16_t>(g.weapon - 1);
        }
        g.paintmode = 1;
        break;
    case '2':
        if (g.weapon < kWeaponCount) {
            g.weapon = static_cast<int16_t>(g.weapon + 1);
        }
        g.paintmode = 2;
        break;
    case '3':
        g.paintmode = 3;
        break;
    default:
        break;
    }
}

} // namespace wh
