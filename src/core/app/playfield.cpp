// Rasterisation of dots and lines on the playfield. Shapes are computed in half-pixel units:
// a pixel's centre sits at an odd coordinate, and a dot of odd width is centred on its pixel's
// centre, one of even width on that pixel's top-left corner, so every width is exactly as many
// pixels across as it says. Drawing the same call in black covers the same pixels.
#include "app/playfield.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

namespace wh {

namespace {

constexpr int64_t kFarAway = int64_t{1} << 40; // beyond any surface, still exact in a double

// Row fills work in blocks of this many pixels, 64 bytes; spans shorter than a block (a rock's
// dot) are filled pixel by pixel where they are.
constexpr int64_t kBlock = 16;

// Dots spanning fewer rows than this are filled row by row as each row's width is found.
constexpr int64_t kFewRows = 16;

// Row fills built for the widest vector stores the processor has, chosen once when the program
// starts. Only whole colour values are stored, so every build paints the same pixels.
#if defined(__x86_64__) && defined(__has_attribute)
#if __has_attribute(target_clones)
#define WH_ROW_FILL __attribute__((target_clones("avx512f", "avx2", "default")))
#endif
#endif
#ifndef WH_ROW_FILL
#define WH_ROW_FILL
#endif

// Both take at least one block. The last block is laid flush with the span's end, over pixels
// the loop may already have done: filling twice, or masking twice, leaves the same colour.
WH_ROW_FILL void fillRow(Colour* p, Colour* end, Colour colour) {
    for (; end - p >= kBlock; p += kBlock) {
        for (int64_t i = 0; i < kBlock; ++i) {
            p[i] = colour;
        }
    }
    if (p != end) {
        for (int64_t i = -kBlock; i < 0; ++i) {
            end[i] = colour;
        }
    }
}

WH_ROW_FILL void maskRow(Colour* p, Colour* end, Colour mask) {
    for (; end - p >= kBlock; p += kBlock) {
        for (int64_t i = 0; i < kBlock; ++i) {
            p[i] &= mask;
        }
    }
    if (p != end) {
        for (int64_t i = -kBlock; i < 0; ++i) {
            end[i] &= mask;
        }
    }
}

int64_t isqrt(int64_t v) {
    if (v <= 0) {
        return 0;
    }
    auto r = static_cast<int64_t>(std::sqrt(static_cast<double>(v)));
    while (r * r > v) {
        --r;
    }
    while ((r + 1) * (r + 1) <= v) {
        ++r;
    }
    return r;
}

// Centre of a dot of width w in half-pixel units along one axis.
int64_t dotCentre2(double twips, int w) {
    return 2 * twipsToPixel(twips) + (w % 2);
}

} // namespace

int64_t twipsToPixel(double twips) {
    if (std::isnan(twips)) {
        return kFarAway;
    }
    double p = std::floor(twips / kTwipsPerPixel);
    return static_cast<int64_t>(
        std::clamp(p, -static_cast<double>(kFarAway), static_cast<double>(kFarAway)));
}

Playfield::Playfield()
    : pixels_(static_cast<size_t>(kPlayfieldPixelsW) * kPlayfieldPixelsH, kBlack) {}

Colour Playfield::Point(double x, double y) const {
    int64_t px = twipsToPixel(x);
    int64_t py = twipsToPixel(y);
    if (px < 0 || py < 0 || px >= kPlayfieldPixelsW || py >= kPlayfieldPixelsH) {
        return kOffSurface;
    }
    return row(static_cast<int>(py))[px];
}

void Playfield::setDrawWidth(int32_t width) {
    drawWidth_ = static_cast<int16_t>(std::clamp<int32_t>(width, 1, kMaxPenWidth));
}

void Playfield::fillSpan(int y, int64_t x0, int64_t x1, Colour colour) {
    x0 = std::max<int64_t>(x0, 0);
    x1 = std::min<int64_t>(x1, kPlayfieldPixelsW - 1);
    if (x0 > x1) {
        return;
    }
    Colour* p = pixels_.data() + static_cast<size_t>(y) * kPlayfieldPixelsW + x0;
    const int64_t n = x1 - x0 + 1;
    Colour* end = p + n;
    if (drawMode == kDrawModeMaskNotPen) {
        const Colour mask = ~colour;
        if (n >= kBlock) {
            maskRow(p, end, mask);
            return;
        }
        for (; p != end; ++p) {
            *p &= mask;
        }
    } else {
        if (n >= kBlock) {
            fillRow(p, end, colour);
            return;
        }
        for (; p != end; ++p) {
            *p = colour;
        }
    }
}

void Playfield::PSet(double x, double y, Colour colour) {
    ++revision_;
    const int w = drawWidth_;
    if (w == 1) {
        // The disc of width 1 is the one pixel under the point: the commonest dot of all.
        const int64_t px = twipsToPixel(x);
        const int64_t py = twipsToPixel(y);
        if (py >= 0 && py < kPlayfieldPixelsH) {
            fillSpan(static_cast<int>(py), px, px, colour);
        }
        return;
    }
    const int64_t cx = dotCentre2(x, w);
    const int64_t cy = dotCentre2(y, w);
    const int64_t w2 = int64_t{w} * w;
    // Rows whose centre (2j + 1) lies within w of cy: cy - w <= 2j + 1 <= cy + w. The shifts
    // divide by two rounding down, negative values included.
    const int64_t jlo = std::max<int64_t>((cy - w) >> 1, 0);
    const int64_t jhi = std::min<int64_t>((cy + w - 1) >> 1, kPlayfieldPixelsH - 1);
    const int parity = (w % 2 == 1) ? 0 : 1; // parity of a pixel's offset from the centre
    // Half-width of row j in half-pixel units: the widest offset of the right parity whose pixel
    // centre lies within the disc, or -1 for a row the disc misses.
    auto halfWidth = [&](int64_t j) {
        const int64_t dy = 2 * j + 1 - cy;
        const int64_t m = w2 - dy * dy;
        int64_t k = m < 0 ? -1 : isqrt(m);
        if (k >= 0 && (k & 1) != parity) {
            --k;
        }
        return k;
    };
    auto fillRowOf = [&](int64_t j, int64_t k) {
        if (k >= 0) {
            fillSpan(static_cast<int>(j), (cx - k - 1) / 2, (cx + k - 1) / 2, colour);
        }
    };
    if (jhi - jlo < kFewRows) {
        for (int64_t j = jlo; j <= jhi; ++j) {
            fillRowOf(j, halfWidth(j));
        }
        return;
    }
    // A big disc: every row's half-width first, then the fills, so the square roots overlap one
    // another instead of each waiting behind the fill of the row before it; the lower half of
    // the disc mirrors the upper.
    std::array<int64_t, kPlayfieldPixelsH> half;
    for (int64_t j = jlo; j <= jhi; ++j) {
        const int64_t mirror = cy - 1 - j; // the row as far above the centre as j is below it
        half[static_cast<size_t>(j)] =
            (mirror < j && mirror >= jlo) ? half[static_cast<size_t>(mirror)] : halfWidth(j);
    }
    for (int64_t j = jlo; j <= jhi; ++j) {
        fillRowOf(j, half[static_cast<size_t>(j)]);
    }
}

namespace {

struct Interval {
    double lo = std::numeric_limits<double>::infinity();
    double hi = -std::numeric_limits<double>::infinity();
    bool empty() const { return lo > hi; }
    void unite(Interval o) {
        if (!o.empty()) {
            lo = std::min(lo, o.lo);
            hi = std::max(hi, o.hi);
        }
    }
    void intersect(double a, double b) {
        lo = std::max(lo, std::min(a, b));
        hi = std::min(hi, std::max(a, b));
    }
};

Interval discSlice(double cx, double cy, double r, double y) {
    const double dy = y - cy;
    const double m = r * r - dy * dy;
    if (m < 0) {
        return {};
    }
    const double h = std::sqrt(m);
    return {cx - h, cx + h};
}

// Slice at height y of the band swept by a disc of radius r moving from a to b.
Interval bandSlice(double ax, double ay, double bx, double by, double r, double y) {
    const double dx = bx - ax;
    const double dy = by - ay;
    const double len2 = dx * dx + dy * dy;
    const double len = std::sqrt(len2);
    const double ry = y - ay;
    Interval s{-std::numeric_limits<double>::infinity(), std::numeric_limits<double>::infinity()};
    // Along the segment: 0 <= (X - ax) dx + ry dy <= len2.
    if (dx != 0) {
        s.intersect(ax + (0 - ry * dy) / dx, ax + (len2 - ry * dy) / dx);
    } else if (ry * dy < 0 || ry * dy > len2) {
        return {};
    }
    // Across it: |(X - ax) dy - ry dx| <= r len.
    if (dy != 0) {
        s.intersect(ax + (ry * dx - r * len) / dy, ax + (ry * dx + r * len) / dy);
    } else if (std::abs(ry * dx) > r * len) {
        return {};
    }
    return s;
}

} // namespace

void Playfield::Line(double x1, double y1, double x2, double y2, Colour colour) {
    if (std::isnan(x1) || std::isnan(y1) || std::isnan(x2) || std::isnan(y2)) {
        return; // an end with no place would sweep a band across the whole surface
    }
    ++revision_;
    const int w = drawWidth_;
    const double ax = static_cast<double>(dotCentre2(x1, w));
    const double ay = static_cast<double>(dotCentre2(y1, w));
    const double bx = static_cast<double>(dotCentre2(x2, w));
    const double by = static_cast<double>(dotCentre2(y2, w));
    const double r = w;
    const bool hasBand = (ax != bx) || (ay != by);
    const double top = std::min(ay, by) - r;
    const double bottom = std::max(ay, by) + r;
    const int64_t jlo = std::max<int64_t>(static_cast<int64_t>(std::floor((top - 1) / 2)), 0);
    const int64_t jhi =
        std::min<int64_t>(static_cast<int64_t>(std::ceil((bottom - 1) / 2)), kPlayfieldPixelsH - 1);
    for (int64_t j = jlo; j <= jhi; ++j) {
        const double y = static_cast<double>(2 * j + 1);
        Interval s = discSlice(ax, ay, r, y);
        s.unite(discSlice(bx, by, r, y));
        if (hasBand) {
            s.unite(bandSlice(ax, ay, bx, by, r, y));
        }
        if (s.empty()) {
            continue;
        }
        const double lo = std::max(std::ceil((s.lo - 1) / 2), -1.0);
        const double hi =
            std::min(std::floor((s.hi - 1) / 2), static_cast<double>(kPlayfieldPixelsW));
        if (lo > hi) {
            continue;
        }
        fillSpan(static_cast<int>(j), static_cast<int64_t>(lo), static_cast<int64_t>(hi), colour);
    }
}

void Playfield::Cls() {
    ++revision_;
    std::fill(pixels_.begin(), pixels_.end(), kBlack);
    if (backdrop_.pixels == nullptr) {
        return;
    }
    const int w = std::min(backdrop_.width, kPlayfieldPixelsW);
    const int h = std::min(backdrop_.height, kPlayfieldPixelsH);
    for (int y = 0; y < h; ++y) {
        const Colour* src = backdrop_.pixels + static_cast<size_t>(y) * backdrop_.width;
        std::copy(src, src + w, pixels_.data() + static_cast<size_t>(y) * kPlayfieldPixelsW);
    }
}

} // namespace wh
