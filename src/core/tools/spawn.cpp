// Spawning by a press on the playfield: a batch of rocks at the pointer, each built from the
// "Rocks" panel's settings and drawn at once, so it shows even while the world is paused.
#include "app/numeric.hpp"
#include "render/rockdraw.hpp"
#include "tools/mouse.hpp"
#include "tools/textnumber.hpp"
#include "world/sense.hpp"

#include <string>

namespace wh {

namespace {

// A text box's reading, or r times it when its random box is ticked. The text is read before r
// is drawn, and r is drawn only for a ticked box.
double panelValue(Game& g, const std::string& text, bool random) {
    const double reading = readNumber(text);
    if (!random) {
        return reading;
    }
    return rnd(g) * reading;
}

} // namespace

// Every button spawns alike, and the pointer is in the playfield's own twips, so neither the
// buttons, the shift keys nor the scroll position play a part.
void picground_MouseDown(Game& g, int16_t /*button*/, int16_t /*shift*/, float x, float y) {
    const Panel& panel = g.panel;

    // The last index of the batch is a 16-bit number, read once. A sum that does not fit is
    // clamped rather than wrapped: a huge count means "as many as fit", never a wrapped negative
    // end that spawns nothing or a loop of billions; a huge negative count spawns nothing.
    const int32_t last =
        nearest16(static_cast<double>(g.rocks.rockcount) + readNumber(panel.number));

    for (int32_t i = int32_t{g.rocks.rockcount} + 1; i <= last; ++i) {
        // The table ends at index 1500: the batch stops there, with rockcount at 1500, and the
        // refused rock draws no random numbers.
        Rock* rock = g.rocks.add();
        if (rock == nullptr) {
            break;
        }
        // Every field is written, so nothing of a rock that sat in this slot before survives.
        // The controls are read afresh for each rock; the random draws go xdis, ydis, count,
        // fullcount.
        rock->type = readField16(panel.typelbl);
        rock->subtype = readField16(panel.subtypelbl);
        rock->x = nearest32(x);
        rock->y = nearest32(y);
        rock->xdis = nearest16(panelValue(g, panel.xdis, panel.rndxdis));
        rock->ydis = nearest16(panelValue(g, panel.ydis, panel.rndydis));
        rock->xt = readField32(panel.xt);
        rock->yt = readField16(panel.yt);
        rock->count = nearest16(panelValue(g, panel.counttext, panel.rndcount));
        rock->fullcount = nearest16(panelValue(g, panel.fullcount, panel.rndfullcount));
        rock->countstep = readField16(panel.countstep);
        if (rock->type == RockType::explosion) {
            g.sounds.add(SoundKind::explosion, rock->fullcount, rock->x, rock->y);
        }
        drawrocks(g, g.rocks.rockcount);
    }
}

} // namespace wh
