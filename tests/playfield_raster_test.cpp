// The playfield's fast dot and line fills against straightforward ones that paint pixel by
// pixel: every width, place, clipping and pen mode gives the very same pixels.
#include "app/playfield.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <memory>
#include <string>
#include <vector>

namespace wh {
namespace {

constexpr int kW = kPlayfieldPixelsW;
constexpr int kH = kPlayfieldPixelsH;
constexpr double kPx = kTwipsPerPixel;

using Surface = std::vector<Colour>;

// A background where neighbouring pixels differ in every channel, so a fill or a mask that misses
// a pixel, or strays onto one it should leave, shows.
Surface patterned() {
    Surface s(static_cast<size_t>(kW) * kH);
    uint32_t v = 12345;
    for (Colour& c : s) {
        v = v * 1664525u + 1013904223u;
        c = static_cast<Colour>(v >> 8); // 24 bits: r, g and b
    }
    return s;
}

void paint(Surface& s, int64_t i, int64_t j, Colour c, int16_t mode) {
    Colour& p = s[static_cast<size_t>(j) * kW + static_cast<size_t>(i)];
    p = mode == kDrawModeMaskNotPen ? (p & ~c) : c;
}

int64_t floorDiv2(int64_t v) {
    return v >= 0 ? v / 2 : -((1 - v) / 2);
}

// A dot by its definition: in half-pixel units pixel centres sit at odd coordinates, the dot's
// centre at twice its pixel plus the width's parity, and a pixel is painted when its centre lies
// within the width (the diameter in pixels is the radius in half pixels).
void referenceDot(Surface& s, double x, double y, int w, Colour c, int16_t mode) {
    const int64_t cx = 2 * twipsToPixel(x) + w % 2;
    const int64_t cy = 2 * twipsToPixel(y) + w % 2;
    const int64_t r2 = int64_t{w} * w;
    const int64_t ilo = std::max<int64_t>(floorDiv2(cx - w - 1), 0);
    const int64_t ihi = std::min<int64_t>(floorDiv2(cx + w - 1), kW - 1);
    const int64_t jlo = std::max<int64_t>(floorDiv2(cy - w - 1), 0);
    const int64_t jhi = std::min<int64_t>(floorDiv2(cy + w - 1), kH - 1);
    for (int64_t j = jlo; j <= jhi; ++j) {
        for (int64_t i = ilo; i <= ihi; ++i) {
            const int64_t dx = 2 * i + 1 - cx;
            const int64_t dy = 2 * j + 1 - cy;
            if (dx * dx + dy * dy <= r2) {
                paint(s, i, j, c, mode);
            }
        }
    }
}

// A line the plain way: each row's slice of the two end discs and of the band between them,
// worked out exactly as the playfield works it out, then painted one pixel at a time.
struct Slice {
    double lo = std::numeric_limits<double>::infinity();
    double hi = -std::numeric_limits<double>::infinity();
    bool empty() const { return lo > hi; }
};

Slice discSlice(double cx, double cy, double r, double y) {
    const double dy = y - cy;
    const double m = r * r - dy * dy;
    if (m < 0) {
        return {};
    }
    const double h = std::sqrt(m);
    return {cx - h, cx + h};
}

Slice bandSlice(double ax, double ay, double bx, double by, double r, double y) {
    const double dx = bx - ax;
    const double dy = by - ay;
    const double len2 = dx * dx + dy * dy;
    const double len = std::sqrt(len2);
    const double ry = y - ay;
    Slice s{-std::numeric_limits<double>::infinity(), std::numeric_limits<double>::infinity()};
    auto within = [&s](double a, double b) {
        s.lo = std::max(s.lo, std::min(a, b));
        s.hi = std::min(s.hi, std::max(a, b));
    };
    if (dx != 0) {
        within(ax + (0 - ry * dy) / dx, ax + (len2 - ry * dy) / dx);
    } else if (ry * dy < 0 || ry * dy > len2) {
        return {};
    }
    if (dy != 0) {
        within(ax + (ry * dx - r * len) / dy, ax + (ry * dx + r * len) / dy);
    } else if (std::abs(ry * dx) > r * len) {
        return {};
    }
    return s;
}

void referenceLine(Surface& s, double x1, double y1, double x2, double y2, int w, Colour c,
                   int16_t mode) {
    const auto centre = [w](double t) { return static_cast<double>(2 * twipsToPixel(t) + w % 2); };
    const double ax = centre(x1);
    const double ay = centre(y1);
    const double bx = centre(x2);
    const double by = centre(y2);
    const double r = w;
    const double top = std::max(std::floor((std::min(ay, by) - r - 1) / 2) - 1, 0.0);
    const double bottom = std::min(std::ceil((std::max(ay, by) + r - 1) / 2) + 1, kH - 1.0);
    for (int j = static_cast<int>(top); j <= static_cast<int>(bottom); ++j) {
        const double y = 2.0 * j + 1;
        Slice all;
        for (Slice part : {discSlice(ax, ay, r, y), discSlice(bx, by, r, y),
                           (ax != bx || ay != by) ? bandSlice(ax, ay, bx, by, r, y) : Slice{}}) {
            if (!part.empty()) {
                all.lo = std::min(all.lo, part.lo);
                all.hi = std::max(all.hi, part.hi);
            }
        }
        if (all.empty()) {
            continue;
        }
        // Only the columns near the slice are asked, each on its own.
        const double left = std::max(std::floor((all.lo - 1) / 2) - 1, 0.0);
        const double right = std::min(std::ceil((all.hi - 1) / 2) + 1, kW - 1.0);
        for (int i = static_cast<int>(left); i <= static_cast<int>(right); ++i) {
            const double px = 2.0 * i + 1;
            if (px >= all.lo && px <= all.hi) {
                paint(s, i, j, c, mode);
            }
        }
    }
}

// The first pixel where two surfaces differ, as "column, row", or "" when they are the same.
std::string firstDifference(const Playfield& p, const Surface& ref) {
    const auto [a, b] = std::mismatch(p.pixels().begin(), p.pixels().end(), ref.begin());
    if (a == p.pixels().end()) {
        return "";
    }
    const auto at = a - p.pixels().begin();
    return std::to_string(at % kW) + ", " + std::to_string(at / kW);
}

struct RasterTest : ::testing::Test {
    Surface background = patterned();
    std::unique_ptr<Playfield> p = std::make_unique<Playfield>();
    Surface ref;

    void SetUp() override {
        p->setBackdrop({background.data(), kW, kH});
        reset();
    }
    void reset() {
        p->Cls();
        ref = background;
    }
};

// Colours that set and clear different bits, so copying and masking both leave marks.
constexpr Colour kPens[] = {RGB(255, 0, 0), RGB(0, 255, 255), RGB(170, 85, 15), kWhite,
                            RGB(1, 128, 254)};

// Places in twips: inside, on and across every edge, off the surface, between pixels.
struct Place {
    double x;
    double y;
};
constexpr Place kPlaces[] = {
    {12345.6, 4321.9}, {7, 7},           {0, 4500},          {-100, 4500},
    {64004, 4500},     {64050, 4500},    {30000, 0},         {30000, -40},
    {30000, 9014},     {30000, 9100},    {64004.9, 9014.9},  {-3000, -3000},
    {1e9, 4500},       {-29.99, 600.01}, {45014.5, 8222.25}, {99.5, 15.0},
};

TEST_F(RasterTest, DotsMatchTheirDefinitionAtEveryWidthPlaceAndMode) {
    std::vector<int> widths;
    for (int w = 1; w <= 70; ++w) {
        widths.push_back(w);
    }
    for (int w : {75, 99, 100, 101, 250, 251, 252, 500, 2500, 5000, int{kMaxPenWidth}}) {
        widths.push_back(w);
    }
    for (int w : widths) {
        SCOPED_TRACE(w);
        reset();
        p->setDrawWidth(w);
        int n = 0;
        for (const Place& at : kPlaces) {
            const Colour c = kPens[n % std::size(kPens)];
            const int16_t mode = (n % 3 == 2) ? kDrawModeMaskNotPen : kDrawModeCopyPen;
            ++n;
            p->drawMode = mode;
            p->PSet(at.x, at.y, c);
            referenceDot(ref, at.x, at.y, w, c, mode);
        }
        p->drawMode = kDrawModeCopyPen;
        EXPECT_EQ(firstDifference(*p, ref), "");
    }
}

// Ends spread over the surface and beyond it, from a fixed generator, plus the shapes with
// their own arithmetic: a point, level and upright lines, and slopes of 3 to 4.
TEST_F(RasterTest, LinesMatchThePlainRasterAtEveryWidthAndMode) {
    struct Segment {
        double x1, y1, x2, y2;
    };
    std::vector<Segment> segments = {
        {30000, 4500, 30000, 4500},
        {1000, 300, 5000, 300},
        {2000.5, 100, 2000.5, 8000},
        {15000, 1500, 15000 + 3 * 900, 1500 + 4 * 900},
        {-2000, -500, 66000, 9600},
        {63000, 8800, 64500, 9300},
        {10, 10, 10, 10},
        {600, 7000, 300, 7450},
    };
    uint32_t v = 2024;
    auto next = [&v](double lo, double hi) {
        v = v * 1664525u + 1013904223u;
        return lo + (hi - lo) * static_cast<double>(v >> 8) / static_cast<double>(1u << 24);
    };
    for (int k = 0; k < 12; ++k) {
        const double x = next(-2000, 66000);
        const double y = next(-1000, 10000);
        segments.push_back({x, y, x + next(-3000, 3000), y + next(-1500, 1500)});
    }
    for (int w : {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 15, 16, 17, 31, 32, 33, 75}) {
        SCOPED_TRACE(w);
        reset();
        p->setDrawWidth(w);
        int n = 0;
        for (const Segment& s : segments) {
            const Colour c = kPens[n % std::size(kPens)];
            const int16_t mode = (n % 3 == 1) ? kDrawModeMaskNotPen : kDrawModeCopyPen;
            ++n;
            p->drawMode = mode;
            p->Line(s.x1, s.y1, s.x2, s.y2, c);
            referenceLine(ref, s.x1, s.y1, s.x2, s.y2, w, c, mode);
        }
        p->drawMode = kDrawModeCopyPen;
        EXPECT_EQ(firstDifference(*p, ref), "");
    }
}

// A thin level line from pixel a to pixel b paints a to b in its row and nothing else, whatever
// its length and wherever it starts: spans around the fill's block size and at both row ends.
TEST_F(RasterTest, LevelSpansOfEveryLengthPaintExactlyTheirPixels) {
    constexpr Colour kPen = RGB(90, 200, 30);
    constexpr int kFirstRow = 100; // one row for each length
    p->setDrawWidth(1);
    for (int16_t mode : {kDrawModeCopyPen, kDrawModeMaskNotPen}) {
        for (int start : {0, 1, 7, 15, 16, 17, 1000, kW - 80}) {
            SCOPED_TRACE(::testing::Message() << "mode " << mode << ", from column " << start);
            reset();
            p->drawMode = mode;
            for (int length = 1; length <= 80; ++length) {
                const int row = kFirstRow + length;
                const int end = start + length - 1;
                p->Line(start * kPx + 7, row * kPx + 7, end * kPx + 7, row * kPx + 7, kPen);
                for (int i = start; i <= end; ++i) {
                    paint(ref, i, row, kPen, mode);
                }
            }
            p->drawMode = kDrawModeCopyPen;
            EXPECT_EQ(firstDifference(*p, ref), "");
        }
    }
}

} // namespace
} // namespace wh
