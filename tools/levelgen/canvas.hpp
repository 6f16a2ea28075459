// The level painter's canvas: palette inks, the materials that are shaded at the end, and the
// few drawing shapes (column spans, polygons, discs, rectangles) the scenery is described with.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <vector>

namespace levelgen {

inline constexpr int kWidth = 3200;
inline constexpr int kHeight = 600;

// Palette entries. Their numbers and colours are fixed: the game tells terrain by exact colour.
enum Ink : uint8_t {
    kAir = 0,        // black: open air
    kPond = 1,       // the pond is the only pure blue in the level
    kDeepLeaf = 2,   // darkest leaves, the frame on the plain
    kLeaf = 3,       // leaves of the forest
    kGrass = 4,      // grass, lit leaves, green ground
    kDoorGlass = 5,  // the door's window, truck windows
    kBloom = 6,      // a few highlights on the hills
    kWindscreen = 7, // the truck's windscreen
    kCyan = 8,       // truck windows, the two beams
    kShadow = 9,     // mortar, shadows of rock and ceiling
    kDoorRed = 10,   // the building's door
    kBark = 11,      // trunks, dirt floor, the brown box
    kStone = 12,     // rock, bricks, grey ground
    kLitBark = 13,   // lit side of trunks
    kFace = 14,      // rock faces, the cooling tower
    kPale = 15,      // light rock faces, road, trailer, ledge
    kRed = 16,       // explosive red: crate, sign lettering, the truck's detail only
    kYellow = 17,    // crate lettering, door knob, the dotted wire
    kWhite = 255,    // one stray pixel in the forest
};

struct Rgb {
    uint8_t r, g, b;
};

// The full 256-entry palette; entries not listed above are black and never used.
std::array<Rgb, 256> palette();

// Materials are painted first and shaded into inks at the end, when the whole picture is known
// and each pixel can see how far it is from open air.
enum Material : uint8_t {
    kRock = 200,  // grey rock with faceted faces
    kHillGrass,   // grass of the hills
    kGreenEarth,  // green ground under the road and in the bank
    kGravel,      // the light grey road
    kBrick,       // the building's walls
    kConcrete,    // the slab
    kDirt,        // the tunnel's floor
    kForestFloor, // the ground between tree trunks
};

inline constexpr bool isMaterial(uint8_t code) {
    return code >= kRock && code <= kForestFloor;
}

struct Canvas {
    std::vector<uint8_t> px = std::vector<uint8_t>(static_cast<size_t>(kWidth) * kHeight, kAir);

    static bool inside(int x, int y) { return x >= 0 && y >= 0 && x < kWidth && y < kHeight; }
    uint8_t get(int x, int y) const { return inside(x, y) ? px[idx(x, y)] : uint8_t{kAir}; }
    void set(int x, int y, uint8_t code) {
        if (inside(x, y)) {
            px[idx(x, y)] = code;
        }
    }
    // Paints only where something solid is already: foliage and texture never grow the terrain.
    void over(int x, int y, uint8_t code) {
        if (inside(x, y) && px[idx(x, y)] != kAir) {
            px[idx(x, y)] = code;
        }
    }
    bool solid(int x, int y) const { return get(x, y) != kAir; }

private:
    static size_t idx(int x, int y) { return static_cast<size_t>(y) * kWidth + x; }
};

// Deterministic hashing of a position, the only source of texture noise.
uint32_t hash3(int32_t x, int32_t y, uint32_t seed);
// The hash as a number in [0, 1).
double unit3(int32_t x, int32_t y, uint32_t seed);

// A small fixed-seed generator (xorshift32) for placing trees and stones.
struct XorShift {
    uint32_t s;
    explicit XorShift(uint32_t seed) : s(seed ? seed : 0x9e3779b9u) {}
    uint32_t next() {
        s ^= s << 13;
        s ^= s >> 17;
        s ^= s << 5;
        return s;
    }
    int range(int lo, int hi) {
        return lo + static_cast<int>(next() % static_cast<uint32_t>(hi - lo + 1));
    }
    double unit() { return (next() >> 8) * (1.0 / 16777216.0); }
};

struct Knot {
    int col;
    int row;
};

struct ColumnRange {
    int from, to; // inclusive
};

// A row per column: straight lines between knots plus a rough wobble that dies out near the
// surveyed columns (every 100th, the last one, and any extra pins) so the heights there stay
// exactly where the map says.
struct Profile {
    std::vector<Knot> knots;
    int wobble = 0; // rows of roughness either way
    uint32_t seed = 1;
    std::vector<int> pins = {};          // further columns that must keep their knot height
    std::vector<ColumnRange> still = {}; // columns that stay exactly on the knot line
    int operator()(int col) const;
};

// Distance from a column to the nearest surveyed column (multiples of 100 and 3199).
int distanceToSurveyed(int col);

// Fills, for every column from c0 to c1, the rows from top(col) to bottom(col) inclusive.
void fillBetween(Canvas& cv, int c0, int c1, const std::function<int(int)>& top,
                 const std::function<int(int)>& bottom, uint8_t code);
void fillRect(Canvas& cv, int x0, int y0, int x1, int y1, uint8_t code); // inclusive corners
// Pixels whose centre lies inside the polygon (even-odd rule).
void fillPolygon(Canvas& cv, const std::vector<Knot>& pts, uint8_t code);
// Pixels whose centre lies within the ellipse; with onlyOver, only already solid pixels.
void fillEllipse(Canvas& cv, double cx, double cy, double rx, double ry, uint8_t code,
                 bool onlyOver = false);
// A one-pixel line, both ends included.
void drawLine(Canvas& cv, int x0, int y0, int x1, int y1, uint8_t code);

} // namespace levelgen
