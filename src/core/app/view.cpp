// Copies the visible rows of the playfield into the view, one span per row.
#include "app/view.hpp"

#include "app/window.hpp"

#include <algorithm>

namespace wh {

void composeView(const Game& g, Colour* out) {
    // Window pixel (wx, wy) shows playfield pixel (wx + ox, wy + oy).
    const int64_t ox = twipsToPixel(-static_cast<double>(g.picground.Left));
    const int64_t oy = twipsToPixel(-static_cast<double>(g.picground.Top));
    for (int wy = 0; wy < kViewPixelsH; ++wy) {
        Colour* dst = out + static_cast<size_t>(wy) * kViewPixelsW;
        std::fill(dst, dst + kViewPixelsW, kWindowBackground);
        const int64_t py = wy + oy;
        if (py < 0 || py >= kPlayfieldPixelsH) {
            continue;
        }
        const int64_t lo = std::max<int64_t>(0, -ox);
        const int64_t hi = std::min<int64_t>(kViewPixelsW, kPlayfieldPixelsW - ox);
        if (lo >= hi) {
            continue;
        }
        const Colour* src = g.picground.row(static_cast<int>(py));
        std::copy(src + lo + ox, src + hi + ox, dst + lo);
    }
}

} // namespace wh
