// One round-ended line of the brush's width per stroke, so a fast drag leaves no gaps between
// the places the pointer was seen.
#include "tools/brush.hpp"

#include "app/numeric.hpp"
#include "level/colourclass.hpp"
#include "tools/mouse.hpp"

#include <optional>

namespace wh {

void brushStroke(Game& g, float x1, float y1, float x2, float y2, int16_t button) {
    std::optional<Colour> colour;
    if (button == kButtonLeft) {
        colour = paintColour(g.paintmode);
    } else if (button == kButtonRight) {
        colour = kBlack;
    }
    if (!colour) {
        return;
    }
    Playfield& p = g.picground;
    p.drawMode = kDrawModeCopyPen;
    p.setDrawWidth(g.brushwidth);
    p.Line(x1, y1, x2, y2, *colour);
}

} // namespace wh
