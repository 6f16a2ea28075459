// The west of the level: the cliff over the pond, the grass hills with the forest in front,
// the brick building with its sign and door, and the explosive crate beside it.
#include "scenery.hpp"
#include "texture.hpp"

#include <algorithm>
#include <cmath>

namespace levelgen {

namespace {

// Grass line of the hills. Under the building and the crate it is dead level, so both stand on
// it without a gap; over the pond it is the water line.
const Profile kHillTop{.knots = {{0, 331},   {63, 332},  {177, 332}, {178, 309}, {183, 303},
                                 {200, 301}, {240, 298}, {300, 301}, {350, 299}, {400, 304},
                                 {430, 316}, {455, 342}, {475, 384}, {488, 420}, {496, 440},
                                 {497, 446}, {642, 446}, {643, 426}, {680, 426}, {690, 414},
                                 {700, 404}, {750, 398}, {800, 406}, {840, 417}, {870, 440},
                                 {900, 458}, {950, 471}, {980, 480}, {1000, 481}},
                       .wobble = 3,
                       .seed = 101,
                       .still = {{0, 177}, {490, 690}}};

// Where the forest in front of the hills begins; it ducks under the building's doorstep.
const Profile kForestTop{.knots = {{0, 414},
                                   {150, 411},
                                   {300, 418},
                                   {450, 414},
                                   {486, 440},
                                   {490, 452},
                                   {645, 452},
                                   {646, 436},
                                   {690, 436},
                                   {705, 418},
                                   {820, 412},
                                   {860, 424},
                                   {1000, 426}},
                         .wobble = 6,
                         .seed = 202};

constexpr int kForestEnd = 985;

// The cliff at the left edge: its top, the underside of the overhang above the pond, and the
// foot of its face where it comes back out to the pond's left end.
const Profile kCliffTop{.knots = {{0, 145},
                                  {20, 142},
                                  {50, 138},
                                  {80, 135},
                                  {100, 133},
                                  {112, 130},
                                  {122, 131},
                                  {128, 134},
                                  {131, 138}},
                        .wobble = 2,
                        .seed = 303};
const Profile kCliffUnderside{.knots = {{55, 255},
                                        {56, 230},
                                        {58, 204},
                                        {64, 184},
                                        {74, 170},
                                        {86, 161},
                                        {100, 156},
                                        {116, 151},
                                        {126, 146},
                                        {131, 139}},
                              .wobble = 2,
                              .seed = 304};
const Profile kCliffFoot{{{55, 262}, {57, 290}, {61, 312}, {64, 326}, {66, 336}}};
constexpr int kCliffBase = 336;

constexpr int kWaterLine = 332;
constexpr int kPondDeepest = 17;
constexpr int kPondLeft = 64, kPondRight = 196;

// The grass lip over the pond's right end and the hollow under it.
const Profile kLipUnderside{
    {{178, 312}, {182, 313}, {188, 315}, {193, 318}, {197, 324}, {199, 327}}};

void paintCliff(Canvas& cv) {
    for (int c = 0; c <= 131; ++c) {
        for (int y = kCliffTop(c); y <= kCliffBase; ++y) {
            const bool underOverhang = c >= 55 && y > kCliffUnderside(c);
            const bool aboveFoot = c > 66 || y < kCliffFoot(c);
            if (!(underOverhang && aboveFoot)) {
                cv.set(c, y, kRock);
            }
        }
    }
}

int pondBed(int c) {
    const double t = std::abs(c - 128.0) / 66.0;
    return kWaterLine + static_cast<int>(std::floor(kPondDeepest * (1.0 - std::pow(t, 4.0)) + 0.5));
}

void paintHills(Canvas& cv) {
    fillBetween(
        cv, 0, 1000, kHillTop, [](int) { return kHeight - 1; }, kHillGrass);
    // The hollow under the lip, then the water.
    for (int c = 178; c <= 199; ++c) {
        for (int y = kLipUnderside(c); y < kWaterLine; ++y) {
            cv.set(c, y, kAir);
        }
    }
    for (int c = kPondLeft; c <= kPondRight; ++c) {
        for (int y = kWaterLine; y < pondBed(c); ++y) {
            cv.set(c, y, kPond);
        }
    }
}

void paintPondStones(Canvas& cv) {
    struct Stone {
        double x, y, rx, ry;
    };
    constexpr Stone kStones[] = {
        {64, 331, 7, 6},      {74, 334, 5, 3.5},  {189, 331, 6, 5.5},
        {196, 327, 4.5, 4.5}, {181, 334, 4, 2.5},
    };
    for (const Stone& s : kStones) {
        fillEllipse(cv, s.x, s.y, s.rx, s.ry, kRock);
    }
}

int forestTop(int c) {
    return std::max(kForestTop(c), kHillTop(c) + 1);
}

} // namespace

void paintForest(Canvas& cv) {
    for (int c = 0; c <= kForestEnd; ++c) {
        for (int y = forestTop(c); y < kHeight; ++y) {
            cv.over(c, y, kForestFloor);
        }
    }
    // Rows of trees, the back row first; each row's trunks go behind its own crowns.
    struct Row {
        int depth;         // rows below the forest's top edge to the crown's centre, about
        int spacing;       // columns between trees, about
        double rMin, rMax; // crown radius
        uint32_t seed;
    };
    constexpr Row kRows[] = {
        {18, 24, 17, 23, 11},
        {76, 27, 19, 25, 22},
        {134, 30, 21, 27, 33},
    };
    for (const Row& row : kRows) {
        XorShift rng(row.seed);
        struct Tree {
            int x, cy, trunk;
            double r;
        };
        std::vector<Tree> trees;
        for (int x = rng.range(-8, 8); x < kForestEnd - 8; x += row.spacing + rng.range(-8, 8)) {
            const double r = row.rMin + (row.rMax - row.rMin) * rng.unit();
            const int cy = forestTop(std::clamp(x, 0, kForestEnd)) + row.depth + rng.range(-6, 6);
            trees.push_back({x, cy, rng.range(4, 7), r});
        }
        for (const Tree& t : trees) {
            drawTrunk(cv, t.x, t.trunk, t.cy, kHeight - 1, row.seed + static_cast<uint32_t>(t.x));
        }
        for (const Tree& t : trees) {
            drawCrown(cv, t.x, t.cy, t.r, row.seed * 7919u + static_cast<uint32_t>(t.x));
        }
    }
    // Undergrowth along the bottom hides the feet of the trunks.
    XorShift rng(44);
    for (int x = 0; x < kForestEnd - 4; x += rng.range(7, 14)) {
        drawCrown(cv, x, kHeight - 2 + rng.range(0, 3), 7 + rng.range(0, 6),
                  4400u + static_cast<uint32_t>(x));
    }
}

namespace {

// Blades of grass standing on the grass line, never on a surveyed column.
void growTufts(Canvas& cv, int c0, int c1) {
    for (int c = c0; c <= c1; ++c) {
        if (distanceToSurveyed(c) <= 1) {
            continue;
        }
        int y = 0;
        while (y < kHeight && !cv.solid(c, y)) {
            ++y;
        }
        if (y == kHeight || cv.get(c, y) != kHillGrass) {
            continue;
        }
        const int h = static_cast<int>(hash3(c, 0, 91) % 7);
        for (int k = 1; k <= h / 3; ++k) {
            cv.set(c, y - k, kHillGrass);
        }
    }
}

constexpr int kBuildingBase = 445;

void paintWindow(Canvas& cv, int x0, int y0, int x1, int y1) {
    fillRect(cv, x0, y0, x1, y1, kPale);
    fillRect(cv, x0 + 1, y0 + 1, x1 - 1, y1 - 1, kShadow);
    // Panes split by a cross bar, a glint in the upper left of each.
    const int mx = (x0 + x1) / 2;
    const int my = (y0 + y1) / 2;
    fillRect(cv, mx, y0 + 1, mx, y1 - 1, kStone);
    fillRect(cv, x0 + 1, my, x1 - 1, my, kStone);
    drawLine(cv, x0 + 2, y0 + 4, x0 + 4, y0 + 2, kStone);
    drawLine(cv, mx + 2, my + 4, mx + 4, my + 2, kStone);
}

void paintBuilding(Canvas& cv) {
    // The low annex on the left and the main block; the walls stand on the doorstep's level.
    fillRect(cv, 500, 379, 534, kBuildingBase, kBrick);
    fillRect(cv, 535, 312, 642, kBuildingBase, kBrick);
    fillRect(cv, 500, 379, 534, 379, kPale);
    fillRect(cv, 500, 380, 534, 380, kStone);
    fillRect(cv, 535, 312, 642, 312, kPale);
    fillRect(cv, 535, 313, 642, 313, kStone);
    fillRect(cv, 535, 314, 535, 378, kFace); // the main block's corner above the annex
    // Foundation course.
    fillRect(cv, 500, kBuildingBase - 2, 642, kBuildingBase, kStone);

    paintWindow(cv, 510, 392, 525, 410);
    paintWindow(cv, 544, 356, 558, 380);
    paintWindow(cv, 584, 356, 600, 380);
    paintWindow(cv, 614, 356, 630, 380);
    paintWindow(cv, 590, 398, 606, 416);
    paintWindow(cv, 614, 398, 630, 416);

    // The sign: light grey board with red lettering.
    fillRect(cv, 545, 334, 632, 344, kPale);
    fillRect(cv, 545, 334, 632, 334, kFace);
    fillRect(cv, 545, 344, 632, 344, kStone);
    fillRect(cv, 545, 345, 632, 345, kShadow); // its shadow on the bricks
    const std::string_view kSignText = "WRECKHAUL";
    drawText(cv, 545 + (88 - textWidth(kSignText)) / 2, 336, kSignText, kRed);

    // Door: stone frame, dark red leaf of brown planks with a small window and a brass knob.
    fillRect(cv, 562, 419, 576, 442, kPale);
    fillRect(cv, 563, 420, 575, 442, kBark);
    fillRect(cv, 563, 420, 575, 420, kDoorRed);
    fillRect(cv, 563, 421, 563, 442, kDoorRed);
    fillRect(cv, 575, 421, 575, 442, kDoorRed);
    fillRect(cv, 567, 421, 567, 442, kLitBark);
    fillRect(cv, 571, 421, 571, 442, kLitBark);
    fillRect(cv, 567, 424, 570, 429, kDoorGlass);
    cv.set(573, 432, kYellow);
    fillRect(cv, 559, 443, 579, kBuildingBase, kPale); // doorstep
    fillRect(cv, 559, kBuildingBase, 579, kBuildingBase, kFace);

    // A drainpipe up the annex's left side, bent out at its top.
    fillRect(cv, 496, 372, 496, kBuildingBase - 1, kPale);
    fillRect(cv, 497, 372, 497, kBuildingBase - 1, kFace);
    fillRect(cv, 498, 372, 498, kBuildingBase - 1, kStone);
    fillRect(cv, 492, 370, 498, 370, kPale);
    fillRect(cv, 492, 371, 498, 372, kFace);
    fillRect(cv, 492, 373, 495, 373, kStone);
    fillRect(cv, 492, 374, 494, 377, kFace);
    for (int y : {392, 418, 436}) {
        fillRect(cv, 495, y, 499, y, kShadow);
    }

    // Radio mast with cross bars, and a dish on a stub, on the roof.
    fillRect(cv, 558, 270, 558, 311, kPale);
    fillRect(cv, 559, 270, 559, 311, kStone);
    for (int y : {280, 292, 303}) {
        fillRect(cv, 554, y, 563, y, kFace);
    }
    drawLine(cv, 554, 311, 558, 303, kStone);
    drawLine(cv, 563, 311, 559, 303, kStone);
    fillRect(cv, 619, 301, 622, 311, kStone);
    fillEllipse(cv, 620.5, 294.5, 13, 8, kFace);
    fillEllipse(cv, 618.5, 290.5, 12, 6.5, kAir);
    drawLine(cv, 620, 299, 612, 288, kStone);
    cv.set(612, 287, kPale);
    fillRect(cv, 577, 305, 587, 311, kStone); // roof vent
    fillRect(cv, 577, 305, 587, 305, kFace);
}

void paintCrate(Canvas& cv) {
    fillRect(cv, 644, 399, 676, 422, kRed);
    const std::string_view kLabel = "TNT";
    drawText(cv, 644 + (33 - textWidth(kLabel)) / 2, 407, kLabel, kYellow);
    // It stands on a wooden pallet.
    fillRect(cv, 644, 423, 676, 423, kLitBark);
    fillRect(cv, 644, 424, 676, 425, kShadow);
    for (int x : {644, 659, 673}) {
        fillRect(cv, x, 424, x + 3, 425, kBark);
    }
    // Grass grows up in front of the pallet.
    for (int c = 643; c <= 677; ++c) {
        const int h = static_cast<int>(hash3(c, 1, 92) % 4);
        for (int k = 0; k < h; ++k) {
            cv.set(c, 425 - k, k + 1 == h ? kGrass : kLeaf);
        }
    }
}

} // namespace

void paintWest(Canvas& cv) {
    paintHills(cv);
    paintCliff(cv);
    paintPondStones(cv);
    growTufts(cv, 0, 999);
    paintBuilding(cv);
    paintCrate(cv);
}

void paintFinish(Canvas& cv) {
    // Flowers: the hills' only bright green, one pixel each on the grass line.
    XorShift rng(606);
    int planted = 0;
    constexpr int kFlowers = 28;
    for (int c = 205; planted < kFlowers && c < 980; c += rng.range(6, 20)) {
        if (distanceToSurveyed(c) <= 1) {
            continue;
        }
        int y = 0;
        while (y < kHeight && !cv.solid(c, y)) {
            ++y;
        }
        if (y < kHeight && cv.get(c, y) == kGrass) {
            cv.set(c, y, kBloom);
            ++planted;
        }
    }
    // Someone left something shiny in the forest.
    cv.set(822, 419, kWhite);
}

} // namespace levelgen
