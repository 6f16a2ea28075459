// Material shading, foliage, trunks and lettering for the level painter.
#include "texture.hpp"

#include <algorithm>
#include <cmath>

namespace levelgen {

namespace {

constexpr int kFar = 31; // distances to open air are counted up to here

// How far each pixel is from open air in the four directions; the picture's own edges count as
// more terrain, since the cliff, the ceiling and the ground run on past them.
struct AirDistances {
    std::vector<uint8_t> up, down, left, right;

    explicit AirDistances(const Canvas& cv) {
        const size_t n = static_cast<size_t>(kWidth) * kHeight;
        up.assign(n, kFar);
        down.assign(n, kFar);
        left.assign(n, kFar);
        right.assign(n, kFar);
        auto at = [](int x, int y) { return static_cast<size_t>(y) * kWidth + x; };
        for (int x = 0; x < kWidth; ++x) {
            for (int y = 1; y < kHeight; ++y) {
                up[at(x, y)] = !cv.solid(x, y - 1) ? 0 : std::min(kFar, up[at(x, y - 1)] + 1);
            }
            for (int y = kHeight - 2; y >= 0; --y) {
                down[at(x, y)] = !cv.solid(x, y + 1) ? 0 : std::min(kFar, down[at(x, y + 1)] + 1);
            }
        }
        for (int y = 0; y < kHeight; ++y) {
            for (int x = 1; x < kWidth; ++x) {
                left[at(x, y)] = !cv.solid(x - 1, y) ? 0 : std::min(kFar, left[at(x - 1, y)] + 1);
            }
            for (int x = kWidth - 2; x >= 0; --x) {
                right[at(x, y)] = !cv.solid(x + 1, y) ? 0 : std::min(kFar, right[at(x + 1, y)] + 1);
            }
        }
    }
};

struct Near {
    int up, down, left, right;
};

double fadeWithin(int d, double span) {
    return std::max(0.0, 1.0 - d / span);
}

// Cellular pattern: the nearest and second-nearest of one jittered point per cell.
struct Cell {
    double d1 = 1e9, d2 = 1e9;
    double fx = 0, fy = 0;
    uint32_t id = 0, id2 = 0;
};

Cell nearestCell(int x, int y, int size, uint32_t seed) {
    Cell c;
    const int ci = x / size;
    const int cj = y / size;
    for (int j = cj - 1; j <= cj + 1; ++j) {
        for (int i = ci - 1; i <= ci + 1; ++i) {
            const uint32_t h = hash3(i, j, seed);
            const double px = i * size + (h % 1000) / 1000.0 * size;
            const double py = j * size + ((h >> 10) % 1000) / 1000.0 * size;
            const double d = std::hypot(x + 0.5 - px, y + 0.5 - py);
            if (d < c.d1) {
                c.d2 = c.d1;
                c.id2 = c.id;
                c.d1 = d;
                c.fx = px;
                c.fy = py;
                c.id = h;
            } else if (d < c.d2) {
                c.d2 = d;
                c.id2 = h;
            }
        }
    }
    return c;
}

// Grey rock in broken faces: each face leans its own way, its upper-left half catches the light,
// the cracks between faces are dark.
uint8_t rockInk(int x, int y, Near n) {
    constexpr int kFaceSize = 19;
    const Cell c = nearestCell(x, y, kFaceSize, 0x51ed27u);
    // Only some neighbouring faces are split by a crack; the others meet in a fold.
    if (c.d2 - c.d1 < 0.9 && n.up > 1 && ((c.id ^ c.id2) >> 7) % 3 == 0) {
        return kShadow;
    }
    const double tone = (c.id >> 20) / 4096.0;
    const double slope = ((x + 0.5 - c.fx) * -0.6 + (y + 0.5 - c.fy) * -0.8) / kFaceSize;
    double v = 0.45 * tone + 0.7 * slope;
    v += 0.9 * fadeWithin(n.up, 4.0) + 0.35 * fadeWithin(n.left, 3.0);
    v -= 0.9 * fadeWithin(n.down, 4.0) + 0.35 * fadeWithin(n.right, 3.0);
    v += (unit3(x, y, 7) - 0.5) * 0.12;
    // Grit: a fleck of light or dark here and there inside the faces.
    const double grit = unit3(x, y, 8);
    if (n.up > 2 && grit < 0.02) {
        return kFace;
    }
    if (n.up > 2 && grit > 0.99) {
        return kShadow;
    }
    if (v > 0.78) {
        return kPale;
    }
    if (v > 0.57) {
        return kFace;
    }
    if (v < -0.5) {
        return kShadow;
    }
    return kStone;
}

// Blades: short vertical dashes of darker green, thicker the deeper into the turf.
uint8_t grassInk(int x, int y, Near n, double darkBase) {
    if (n.up == 0) {
        return unit3(x, y, 11) < 0.15 ? kLeaf : kGrass;
    }
    const int offset = static_cast<int>(hash3(x, 0, 12) % 5);
    const int dash = (y + offset) / 4;
    const double dark = std::min(0.55, darkBase + n.up * 0.006);
    const double clump = unit3(x / 9, (y + offset) / 7, 13);
    if (unit3(x, dash, 14) < dark + (clump - 0.5) * 0.25) {
        return unit3(x, y, 15) < 0.04 ? kDeepLeaf : kLeaf;
    }
    return kGrass;
}

// Green earth with pebbles here and there, each lit on its upper left.
uint8_t earthInk(int x, int y, Near n) {
    if (n.up > 3) {
        const Cell c = nearestCell(x, y, 17, 0x9ebb1eu);
        const double radius = 1.2 + ((c.id >> 4) % 100) / 40.0;
        if ((c.id >> 12) % 5 == 0 && c.d1 <= radius) {
            const double lean = ((x + 0.5 - c.fx) + (y + 0.5 - c.fy)) / radius;
            return lean < -0.6 ? kFace : (lean > 0.9 ? kShadow : kStone);
        }
    }
    return grassInk(x, y, n, 0.2);
}

uint8_t gravelInk(int x, int y, Near n) {
    if (n.up <= 1) {
        return kPale;
    }
    const Cell c = nearestCell(x, y, 5, 0x7a11u);
    if (c.d2 - c.d1 < 0.7) {
        return unit3(x, y, 21) < 0.5 ? kStone : kFace;
    }
    const double t = (c.id >> 20) / 4096.0;
    if (n.down < 2) {
        return t < 0.5 ? kStone : kFace;
    }
    if (t < 0.08) {
        return kStone;
    }
    if (t < 0.3) {
        return kFace;
    }
    return kPale;
}

uint8_t brickInk(int x, int y, Near n) {
    constexpr int kCourse = 4; // three rows of brick, one of mortar
    constexpr int kBrick = 9;  // eight columns of brick, one of mortar
    const int course = y / kCourse;
    if (y % kCourse == kCourse - 1) {
        return kShadow;
    }
    const int shifted = x + (course % 2) * (kBrick / 2);
    if (shifted % kBrick == kBrick - 1) {
        return kShadow;
    }
    if (n.up == 0) {
        return kFace;
    }
    const double t = unit3(shifted / kBrick, course, 31);
    return t < 0.14 ? kFace : kStone;
}

uint8_t concreteInk(int x, int y, Near n) {
    if (n.up <= 1) {
        return kPale;
    }
    if (n.down <= 1 || n.right == 0) {
        return kShadow;
    }
    if (x % 36 == 0) {
        return kStone;
    }
    return unit3(x, y, 41) < 0.16 ? kStone : kFace;
}

uint8_t dirtInk(int x, int y, Near n) {
    if (n.up == 0) {
        return kLitBark;
    }
    const double t = unit3(x / 2, y, 51);
    return t < 0.12 ? kLitBark : kBark;
}

uint8_t forestFloorInk(int x, int y) {
    const double t = unit3(x / 2, y / 3, 61);
    return t < 0.2 ? kDeepLeaf : kLeaf;
}

} // namespace

void shadeMaterials(Canvas& cv) {
    const AirDistances d(cv);
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            const uint8_t code = cv.get(x, y);
            if (!isMaterial(code)) {
                continue;
            }
            const size_t i = static_cast<size_t>(y) * kWidth + x;
            const Near n{d.up[i], d.down[i], d.left[i], d.right[i]};
            uint8_t ink = kStone;
            switch (code) {
            case kRock:
                ink = rockInk(x, y, n);
                break;
            case kHillGrass:
                ink = grassInk(x, y, n, 0.08);
                break;
            case kGreenEarth:
                ink = earthInk(x, y, n);
                break;
            case kGravel:
                ink = gravelInk(x, y, n);
                break;
            case kBrick:
                ink = brickInk(x, y, n);
                break;
            case kConcrete:
                ink = concreteInk(x, y, n);
                break;
            case kDirt:
                ink = dirtInk(x, y, n);
                break;
            case kForestFloor:
                ink = forestFloorInk(x, y);
                break;
            default:
                break;
            }
            cv.set(x, y, ink);
        }
    }
}

void drawCrown(Canvas& cv, double cx, double cy, double r, uint32_t seed) {
    struct Lobe {
        double x, y, r;
    };
    std::vector<Lobe> lobes;
    XorShift rng(seed);
    const int count = 5 + rng.range(0, 3);
    for (int k = 0; k < count; ++k) {
        const double a =
            3.14159265358979 * (0.9 + 1.2 * k / (count - 1)) + (rng.unit() - 0.5) * 0.4;
        lobes.push_back({cx + std::cos(a) * r * 0.55, cy + std::sin(a) * r * 0.45,
                         r * (0.45 + 0.15 * rng.unit())});
    }
    lobes.push_back({cx, cy, r * 0.8});
    for (const Lobe& l : lobes) {
        const int x0 = static_cast<int>(std::floor(l.x - l.r));
        const int x1 = static_cast<int>(std::ceil(l.x + l.r));
        const int y0 = static_cast<int>(std::floor(l.y - l.r));
        const int y1 = static_cast<int>(std::ceil(l.y + l.r));
        for (int y = y0; y <= y1; ++y) {
            for (int x = x0; x <= x1; ++x) {
                const double nx = (x + 0.5 - l.x) / l.r;
                const double ny = (y + 0.5 - l.y) / l.r;
                // A ragged rim: leaves stick out or leave gaps along the edge.
                const double rim = 1.0 + (unit3(x, y, seed) - 0.5) * 0.22;
                if (nx * nx + ny * ny > rim * rim) {
                    continue;
                }
                double light = -0.55 * nx - 0.83 * ny;
                light += (unit3(x / 2, y / 2, seed + 1) - 0.5) * 0.7;
                uint8_t ink = kLeaf;
                if (light > 0.1) {
                    ink = kGrass;
                } else if (light < -0.7) {
                    ink = kDeepLeaf;
                }
                cv.over(x, y, ink);
            }
        }
    }
}

void drawTrunk(Canvas& cv, int cx, int width, int top, int bottom, uint32_t seed, bool onlyOver) {
    for (int y = top; y <= bottom; ++y) {
        // Flares over the last rows into roots.
        const int flare = std::max(0, 4 - (bottom - y) / 2);
        const int x0 = cx - width / 2 - flare;
        const int x1 = cx + (width - 1) / 2 + flare;
        for (int x = x0; x <= x1; ++x) {
            uint8_t ink = kBark;
            if (x == x0 + 1) {
                ink = kLitBark;
            } else if (x == x1 && width > 3) {
                ink = kDeepLeaf;
            } else if (unit3(x, y / 3, seed) < 0.05) {
                ink = kLitBark; // bark ridges catching the light
            }
            if (onlyOver) {
                cv.over(x, y, ink);
            } else {
                cv.set(x, y, ink);
            }
        }
    }
}

namespace {

struct Glyph {
    char c;
    const char* rows[7];
};

constexpr Glyph kFont[] = {
    {'A', {".###.", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"}},
    {'C', {".###.", "#...#", "#....", "#....", "#....", "#...#", ".###."}},
    {'D', {"####.", "#...#", "#...#", "#...#", "#...#", "#...#", "####."}},
    {'E', {"#####", "#....", "#....", "####.", "#....", "#....", "#####"}},
    {'H', {"#...#", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"}},
    {'K', {"#...#", "#..#.", "#.#..", "##...", "#.#..", "#..#.", "#...#"}},
    {'L', {"#....", "#....", "#....", "#....", "#....", "#....", "#####"}},
    {'N', {"#...#", "##..#", "#.#.#", "#..##", "#...#", "#...#", "#...#"}},
    {'O', {".###.", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."}},
    {'P', {"####.", "#...#", "#...#", "####.", "#....", "#....", "#...."}},
    {'R', {"####.", "#...#", "#...#", "####.", "#.#..", "#..#.", "#...#"}},
    {'S', {".####", "#....", "#....", ".###.", "....#", "....#", "####."}},
    {'T', {"#####", "..#..", "..#..", "..#..", "..#..", "..#..", "..#.."}},
    {'U', {"#...#", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."}},
    {'W', {"#...#", "#...#", "#...#", "#.#.#", "#.#.#", "##.##", "#...#"}},
};

const Glyph* glyphFor(char c) {
    for (const Glyph& g : kFont) {
        if (g.c == c) {
            return &g;
        }
    }
    return nullptr;
}

constexpr int kGlyphW = 5;
constexpr int kAdvance = kGlyphW + 1;

} // namespace

int textWidth(std::string_view text) {
    return text.empty() ? 0 : static_cast<int>(text.size()) * kAdvance - 1;
}

void drawText(Canvas& cv, int x, int y, std::string_view text, uint8_t ink) {
    for (char c : text) {
        if (const Glyph* g = glyphFor(c)) {
            for (int row = 0; row < 7; ++row) {
                for (int col = 0; col < kGlyphW; ++col) {
                    if (g->rows[row][col] == '#') {
                        cv.set(x + col, y + row, ink);
                    }
                }
            }
        }
        x += kAdvance;
    }
}

} // namespace levelgen
