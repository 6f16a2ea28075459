// Drawing shapes, hashing and wobbly profiles for the level painter.
#include "canvas.hpp"

#include <algorithm>
#include <cmath>

namespace levelgen {

std::array<Rgb, 256> palette() {
    std::array<Rgb, 256> p{};
    p[kAir] = {0, 0, 0};
    p[kPond] = {0, 0, 255};
    p[kDeepLeaf] = {0, 41, 0};
    p[kLeaf] = {0, 82, 0};
    p[kGrass] = {0, 132, 0};
    p[kDoorGlass] = {0, 132, 255};
    p[kBloom] = {0, 173, 0};
    p[kWindscreen] = {0, 173, 255};
    p[kCyan] = {0, 214, 255};
    p[kShadow] = {57, 57, 57};
    p[kDoorRed] = {82, 0, 0};
    p[kBark] = {82, 41, 0};
    p[kStone] = {107, 107, 107};
    p[kLitBark] = {132, 41, 0};
    p[kFace] = {148, 148, 148};
    p[kPale] = {198, 198, 198};
    p[kRed] = {255, 0, 0};
    p[kYellow] = {255, 255, 0};
    p[kWhite] = {255, 255, 255};
    return p;
}

uint32_t hash3(int32_t x, int32_t y, uint32_t seed) {
    uint32_t h = seed * 0x9e3779b9u;
    h ^= static_cast<uint32_t>(x) * 0x85ebca6bu;
    h = (h << 13) | (h >> 19);
    h ^= static_cast<uint32_t>(y) * 0xc2b2ae35u;
    h ^= h >> 16;
    h *= 0x7feb352du;
    h ^= h >> 15;
    h *= 0x846ca68bu;
    h ^= h >> 16;
    return h;
}

double unit3(int32_t x, int32_t y, uint32_t seed) {
    return (hash3(x, y, seed) >> 8) * (1.0 / 16777216.0);
}

int distanceToSurveyed(int col) {
    int d = std::abs(col - 100 * ((col + 50) / 100));
    return std::min(d, std::abs(col - (kWidth - 1)));
}

namespace {

// Smooth noise in [-1, 1] along the columns, lattice every `period` columns.
double valueNoise(int col, int period, uint32_t seed) {
    const int cell = col >= 0 ? col / period : (col - period + 1) / period;
    const double t = static_cast<double>(col - cell * period) / period;
    const double a = unit3(cell, 0, seed) * 2.0 - 1.0;
    const double b = unit3(cell + 1, 0, seed) * 2.0 - 1.0;
    const double s = t * t * (3.0 - 2.0 * t);
    return a + (b - a) * s;
}

constexpr int kPinCalm = 6; // columns over which the wobble fades in next to a pin

} // namespace

int Profile::operator()(int col) const {
    double base = knots.front().row;
    if (col >= knots.back().col) {
        base = knots.back().row;
    } else if (col > knots.front().col) {
        for (size_t i = 1; i < knots.size(); ++i) {
            if (col <= knots[i].col) {
                const Knot a = knots[i - 1];
                const Knot b = knots[i];
                base = a.row + static_cast<double>(b.row - a.row) * (col - a.col) / (b.col - a.col);
                break;
            }
        }
    }
    if (wobble == 0) {
        return static_cast<int>(std::floor(base + 0.5));
    }
    int calm = distanceToSurveyed(col);
    for (int p : pins) {
        calm = std::min(calm, std::abs(col - p));
    }
    for (const ColumnRange& r : still) {
        calm = std::min(calm, std::max({0, r.from - col, col - r.to}));
    }
    const double fade = std::min(calm, kPinCalm) / static_cast<double>(kPinCalm);
    const double n = 0.65 * valueNoise(col, 23, seed) + 0.35 * valueNoise(col, 7, seed + 101);
    return static_cast<int>(std::floor(base + 0.5) + std::floor(n * wobble * fade + 0.5));
}

void fillBetween(Canvas& cv, int c0, int c1, const std::function<int(int)>& top,
                 const std::function<int(int)>& bottom, uint8_t code) {
    for (int x = c0; x <= c1; ++x) {
        const int y0 = std::max(top(x), 0);
        const int y1 = std::min(bottom(x), kHeight - 1);
        for (int y = y0; y <= y1; ++y) {
            cv.set(x, y, code);
        }
    }
}

void fillRect(Canvas& cv, int x0, int y0, int x1, int y1, uint8_t code) {
    for (int y = y0; y <= y1; ++y) {
        for (int x = x0; x <= x1; ++x) {
            cv.set(x, y, code);
        }
    }
}

void fillPolygon(Canvas& cv, const std::vector<Knot>& pts, uint8_t code) {
    int ylo = kHeight;
    int yhi = -1;
    for (const Knot& k : pts) {
        ylo = std::min(ylo, k.row);
        yhi = std::max(yhi, k.row);
    }
    std::vector<double> xs;
    for (int y = std::max(ylo, 0); y <= std::min(yhi, kHeight - 1); ++y) {
        const double sy = y + 0.5;
        xs.clear();
        for (size_t i = 0; i < pts.size(); ++i) {
            const Knot a = pts[i];
            const Knot b = pts[(i + 1) % pts.size()];
            if ((a.row <= sy) != (b.row <= sy)) {
                xs.push_back(a.col + (sy - a.row) * (b.col - a.col) / (b.row - a.row));
            }
        }
        std::sort(xs.begin(), xs.end());
        for (size_t i = 0; i + 1 < xs.size(); i += 2) {
            const int x0 = static_cast<int>(std::ceil(xs[i] - 0.5));
            const int x1 = static_cast<int>(std::floor(xs[i + 1] - 0.5));
            for (int x = x0; x <= x1; ++x) {
                cv.set(x, y, code);
            }
        }
    }
}

void fillEllipse(Canvas& cv, double cx, double cy, double rx, double ry, uint8_t code,
                 bool onlyOver) {
    const int y0 = static_cast<int>(std::floor(cy - ry));
    const int y1 = static_cast<int>(std::ceil(cy + ry));
    const int x0 = static_cast<int>(std::floor(cx - rx));
    const int x1 = static_cast<int>(std::ceil(cx + rx));
    for (int y = y0; y <= y1; ++y) {
        for (int x = x0; x <= x1; ++x) {
            const double dx = (x + 0.5 - cx) / rx;
            const double dy = (y + 0.5 - cy) / ry;
            if (dx * dx + dy * dy <= 1.0) {
                if (onlyOver) {
                    cv.over(x, y, code);
                } else {
                    cv.set(x, y, code);
                }
            }
        }
    }
}

void drawLine(Canvas& cv, int x0, int y0, int x1, int y1, uint8_t code) {
    const int dx = std::abs(x1 - x0);
    const int dy = -std::abs(y1 - y0);
    const int sx = x0 < x1 ? 1 : -1;
    const int sy = y0 < y1 ? 1 : -1;
    int err = dx + dy;
    for (;;) {
        cv.set(x0, y0, code);
        if (x0 == x1 && y0 == y1) {
            return;
        }
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x0 += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y0 += sy;
        }
    }
}

} // namespace levelgen
