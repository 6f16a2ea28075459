// The east of the level: the road under the rock arch and its trunk, the grey ground with the
// truck and the framed box, the slab, the cooling tower over the tunnel, and the rocky plain
// under the ceiling with its two beams.
#include "scenery.hpp"
#include "texture.hpp"

#include <algorithm>
#include <cmath>

namespace levelgen {

namespace {

constexpr int kBottom = kHeight - 1;

int toBottom(int) {
    return kBottom;
}

// A limb or pipe from (ax, ay) to (bx, by), tapering from half-width wa to wb, with round ends;
// the side facing the light is lit.
void drawLimb(Canvas& cv, double ax, double ay, double bx, double by, double wa, double wb,
              uint8_t body, uint8_t lit, uint8_t dark) {
    const double w = std::max(wa, wb);
    const int x0 = static_cast<int>(std::floor(std::min(ax, bx) - w));
    const int x1 = static_cast<int>(std::ceil(std::max(ax, bx) + w));
    const int y0 = static_cast<int>(std::floor(std::min(ay, by) - w));
    const int y1 = static_cast<int>(std::ceil(std::max(ay, by) + w));
    const double dx = bx - ax;
    const double dy = by - ay;
    const double len2 = dx * dx + dy * dy;
    for (int y = y0; y <= y1; ++y) {
        for (int x = x0; x <= x1; ++x) {
            const double px = x + 0.5 - ax;
            const double py = y + 0.5 - ay;
            const double t = std::clamp((px * dx + py * dy) / len2, 0.0, 1.0);
            const double ox = px - t * dx;
            const double oy = py - t * dy;
            const double half = wa + (wb - wa) * t;
            const double d = std::hypot(ox, oy);
            if (d > half) {
                continue;
            }
            // Which side of the axis: negative towards the upper left.
            const double side = (ox * 0.8 + oy * 0.6) / half;
            uint8_t ink = body;
            if (side < -0.35) {
                ink = lit;
            } else if (side > 0.75) {
                ink = dark;
            } else if (unit3(x, y / 3, 71) < 0.1) {
                ink = lit;
            }
            cv.set(x, y, ink);
        }
    }
}

// The road climbs from the foot of the hills to the grey ground, light grey over green earth.
const Profile kRoadTop{.knots = {{980, 480},
                                 {1000, 481},
                                 {1050, 484},
                                 {1100, 483},
                                 {1150, 484},
                                 {1200, 482},
                                 {1250, 476},
                                 {1300, 465},
                                 {1350, 455},
                                 {1400, 444},
                                 {1450, 432},
                                 {1500, 418},
                                 {1550, 406},
                                 {1600, 394}},
                       .wobble = 1,
                       .seed = 401};

void paintRoad(Canvas& cv) {
    for (int c = 980; c <= 1600; ++c) {
        const int top = kRoadTop(c);
        const int thickness =
            34 - (c - 980) * 14 / 620 + static_cast<int>(hash3(c / 3, 0, 402) % 4);
        for (int y = top; y <= kBottom; ++y) {
            cv.set(c, y, y < top + thickness ? kGravel : kGreenEarth);
        }
    }
    // A boulder that rolled down onto the road, lumpy rather than round.
    fillEllipse(cv, 1155.5, 477.5, 20.5, 11.5, kRock);
    fillEllipse(cv, 1162.5, 472.5, 16, 10.5, kRock);
    fillEllipse(cv, 1145.5, 480.5, 10, 8, kRock);
    fillEllipse(cv, 1170.5, 481.5, 10, 7, kRock);
}

const Profile kArchTop{.knots = {{1210, 331},
                                 {1220, 306},
                                 {1250, 283},
                                 {1300, 265},
                                 {1350, 228},
                                 {1400, 194},
                                 {1450, 172},
                                 {1500, 159},
                                 {1550, 110},
                                 {1600, 40},
                                 {1650, 12},
                                 {1690, 0},
                                 {1875, 0}},
                       .wobble = 3,
                       .seed = 501,
                       .still = {{1690, 1875}}};
const Profile kArchUnderside{.knots = {{1210, 331}, {1214, 338}, {1225, 343}, {1260, 350},
                                       {1300, 351}, {1340, 340}, {1400, 320}, {1450, 314},
                                       {1500, 320}, {1550, 295}, {1600, 258}, {1650, 225},
                                       {1700, 198}, {1750, 182}, {1800, 160}, {1830, 137},
                                       {1850, 105}, {1865, 60},  {1872, 25},  {1875, 0}},
                             .wobble = 4,
                             .seed = 502};

void paintArch(Canvas& cv) {
    fillBetween(cv, 1210, 1875, kArchTop, kArchUnderside, kRock);
    // The forked trunk that holds up the arch's low end, rooted in the road.
    drawLimb(cv, 1240, 487, 1256, 470, 2.0, 3.5, kBark, kLitBark, kDeepLeaf);
    drawLimb(cv, 1273, 488, 1258, 470, 2.0, 3.5, kBark, kLitBark, kDeepLeaf);
    drawLimb(cv, 1256, 486, 1256, 428, 7.0, 6.0, kBark, kLitBark, kDeepLeaf);
    drawLimb(cv, 1253, 432, 1222, 342, 5.5, 4.0, kBark, kLitBark, kDeepLeaf);
    drawLimb(cv, 1259, 434, 1289, 349, 5.0, 3.5, kBark, kLitBark, kDeepLeaf);
    drawLimb(cv, 1238, 389, 1228, 378, 2.0, 1.0, kBark, kLitBark, kDeepLeaf); // a broken twig
}

// Grey ground from the road's top end to the tunnel's far end; level where the truck, the
// framed box and the pipe stand.
const Profile kGroundTop{.knots = {{1600, 394},
                                   {1620, 388},
                                   {1640, 386},
                                   {1670, 395},
                                   {1700, 406},
                                   {1750, 426},
                                   {1800, 449},
                                   {1830, 458},
                                   {2105, 458},
                                   {2110, 470},
                                   {2250, 472},
                                   {2300, 470},
                                   {2386, 464},
                                   {2400, 450},
                                   {2450, 432},
                                   {2500, 413},
                                   {2550, 392},
                                   {2600, 376},
                                   {2653, 376}},
                         .wobble = 2,
                         .seed = 601,
                         .still = {{1825, 2110}}};
// The green bank shows under the grey ground as far as its slanting right end.
const Profile kBankTop{
    .knots = {{1600, 452}, {1700, 450}, {1800, 456}, {1930, 466}}, .wobble = 3, .seed = 602};

void paintGround(Canvas& cv) {
    fillBetween(cv, 1601, 2653, kGroundTop, toBottom, kRock);
    for (int c = 1601; c <= 1930; ++c) {
        // Next to the road the bank comes up under the rock as the road's green earth does.
        const int nearRoad = kGroundTop(c) + 20 + (c - 1600) * 3 / 2;
        const int top = std::min(std::max(kBankTop(c), kGroundTop(c) + 6), nearRoad);
        for (int y = top; y <= kBottom; ++y) {
            if (c <= 1930 - (y - 450) / 5) {
                cv.set(c, y, kGreenEarth);
            }
        }
    }
}

void paintWheel(Canvas& cv, double cx) {
    constexpr double kAxle = 451.5; // the tyre's lowest row is 457, on the ground at 458
    fillEllipse(cv, cx, kAxle, 6, 6, kShadow);
    fillEllipse(cv, cx, kAxle, 3.5, 3.5, kFace);
    fillEllipse(cv, cx - 0.5, kAxle - 0.5, 1.5, 1.5, kStone);
}

void paintTruck(Canvas& cv) {
    // Chassis, with a gap of one row under the trailer and two above the ground.
    fillRect(cv, 1840, 450, 1975, 455, kShadow);
    fillRect(cv, 1840, 450, 1975, 450, kStone);
    // Box trailer: light grey panels, ribbed, with the haulier's emblem.
    fillRect(cv, 1889, 401, 1975, 448, kPale);
    for (int x = 1893; x < 1975; x += 8) {
        fillRect(cv, x, 403, x, 446, kFace);
    }
    fillRect(cv, 1889, 401, 1889, 448, kFace);
    fillRect(cv, 1975, 401, 1975, 448, kStone);
    fillRect(cv, 1889, 448, 1975, 448, kStone);
    fillRect(cv, 1893, 449, 1895, 449, kShadow);
    fillRect(cv, 1966, 449, 1968, 449, kShadow);
    constexpr double kEx = 1932.5, kEy = 424.5;
    fillEllipse(cv, kEx, kEy, 11, 11, kStone);
    fillEllipse(cv, kEx, kEy, 9, 9, kPale);
    fillPolygon(cv, {{1925, 418}, {1932, 431}, {1940, 418}, {1936, 418}, {1932, 425}, {1929, 418}},
                kShadow);
    // Cab, nose to the left.
    fillPolygon(
        cv,
        {{1835, 431}, {1851, 428}, {1854, 413}, {1859, 410}, {1887, 410}, {1887, 450}, {1835, 450}},
        kFace);
    fillRect(cv, 1836, 431, 1850, 431, kPale); // the bonnet catches the light
    fillRect(cv, 1858, 410, 1887, 410, kPale);
    fillRect(cv, 1835, 434, 1836, 443, kStone); // grille
    for (int y = 435; y <= 442; y += 2) {
        cv.set(1835, y, kShadow);
    }
    fillRect(cv, 1834, 444, 1842, 447, kPale); // bumper
    for (int y = 414; y <= 427; ++y) {         // the windscreen leans back with the cab's front
        const int x0 = 1857 - (y - 414) / 4;
        fillRect(cv, x0, y, x0 + 1 + y % 2, y, kWindscreen);
    }
    fillRect(cv, 1862, 415, 1870, 419, kCyan);
    fillRect(cv, 1862, 420, 1870, 423, kDoorGlass);
    fillRect(cv, 1874, 417, 1882, 418, kRed);   // a red marker stripe behind the window
    drawLine(cv, 1860, 413, 1860, 446, kStone); // door seam
    drawLine(cv, 1872, 425, 1872, 446, kStone);
    fillRect(cv, 1866, 431, 1869, 431, kShadow); // handle
    fillRect(cv, 1884, 402, 1885, 409, kStone);  // exhaust stack
    cv.set(1884, 401, kShadow);
    paintWheel(cv, 1856);
    paintWheel(cv, 1916);
    paintWheel(cv, 1930);
    paintWheel(cv, 1958);
}

void paintFramedBox(Canvas& cv) {
    // The frame: two posts, a deep top beam and a base, open between.
    for (int x0 : {1990, 2030}) {
        fillRect(cv, x0, 404, x0 + 3, 457, kFace);
        fillRect(cv, x0, 404, x0, 457, kPale);
        fillRect(cv, x0 + 3, 404, x0 + 3, 457, kStone);
        fillRect(cv, x0, 403, x0 + 1, 403, kPale);
    }
    fillRect(cv, 1990, 404, 2033, 413, kFace);
    fillRect(cv, 1990, 404, 2033, 404, kPale);
    fillRect(cv, 1990, 413, 2033, 413, kShadow);
    for (int x = 1995; x < 2030; x += 6) {
        cv.set(x, 408, kStone); // rivets
    }
    fillRect(cv, 1990, 451, 2033, 457, kStone);
    fillRect(cv, 1990, 451, 2033, 451, kFace);
    // The box inside, resting on the pipe that leaves it to the right for the slab.
    fillRect(cv, 2006, 425, 2026, 448, kStone);
    fillRect(cv, 2006, 425, 2026, 425, kFace);
    fillRect(cv, 2006, 425, 2006, 448, kFace);
    fillRect(cv, 2010, 430, 2022, 440, kShadow);
    fillRect(cv, 2011, 431, 2021, 431, kFace);
    fillRect(cv, 1994, 449, 2104, 449, kPale);
    fillRect(cv, 1994, 450, 2104, 450, kStone);
}

// Tunnel under the ground: the last solid row of the ground above it, column by column; its
// ends come down round to the floor.
const Profile kTunnelRoof{.knots = {{2005, 570},
                                    {2008, 540},
                                    {2015, 527},
                                    {2030, 522},
                                    {2100, 522},
                                    {2200, 521},
                                    {2300, 519},
                                    {2400, 532},
                                    {2500, 528},
                                    {2600, 527},
                                    {2630, 527},
                                    {2643, 535},
                                    {2650, 550},
                                    {2653, 570}},
                          .wobble = 2,
                          .seed = 701};
constexpr int kTunnelFloor = 583;
constexpr int kRailTop = 561;

void paintSlabAndTunnel(Canvas& cv) {
    fillRect(cv, 2105, 435, 2245, 490, kConcrete);
    for (int c = 2005; c <= 2653; ++c) {
        for (int y = kTunnelRoof(c) + 1; y < kTunnelFloor; ++y) {
            cv.set(c, y, kAir);
        }
    }
    fillRect(cv, 2005, kTunnelFloor, 2653, kBottom, kDirt);
    // Rail from under the slab's pipe to the tunnel's far wall, on trestles.
    int railEnd = 2211;
    while (kTunnelRoof(railEnd + 1) < kRailTop) {
        ++railEnd;
    }
    fillRect(cv, 2211, kRailTop, railEnd, kRailTop, kPale);
    fillRect(cv, 2211, kRailTop + 1, railEnd, kRailTop + 1, kFace);
    for (int x : {2258, 2356, 2454, 2552}) {
        fillRect(cv, x, kRailTop + 2, x + 1, kTunnelFloor - 1, kStone);
        fillRect(cv, x - 2, kTunnelFloor - 2, x + 3, kTunnelFloor - 1, kStone);
    }
    fillRect(cv, 2211, 491, 2211, kRailTop - 1, kPale);
    fillRect(cv, 2212, 491, 2212, kRailTop - 1, kFace);
}

void paintLedge(Canvas& cv) {
    fillRect(cv, 2082, 137, 2109, 137, kPale);
}

void paintCoolingTower(Canvas& cv) {
    constexpr double kCx = 2325.0;
    constexpr double kWaist = 33.0;
    constexpr int kWaistRow = 405;
    constexpr int kTop = 325;
    constexpr int kBase = 475;
    for (int y = kTop; y <= kBase; ++y) {
        // A hyperboloid: narrow waist, flaring more steeply towards the foot.
        const double b = y < kWaistRow ? 116.8 : 46.0;
        const double t = (y - kWaistRow) / b;
        const double w = kWaist * std::sqrt(1.0 + t * t);
        const int x0 = static_cast<int>(std::floor(kCx - w + 0.5));
        const int x1 = static_cast<int>(std::floor(kCx + w - 0.5));
        for (int x = x0; x <= x1; ++x) {
            const double u = (x + 0.5 - kCx) / w;
            int shade = 2; // 0 shadow, 1 stone, 2 face, 3 pale
            if (u < -0.8) {
                shade = 2;
            } else if (u < -0.25) {
                shade = 3;
            } else if (u < 0.4) {
                shade = 2;
            } else if (u < 0.8) {
                shade = 1;
            } else {
                shade = 0;
            }
            if ((y - kTop) % 15 == 14 && shade > 0) {
                --shade; // the shuttering rings
            }
            if (y <= kTop + 1) {
                shade = 3;
            } else if (y == kTop + 2) {
                shade = 1;
            }
            constexpr uint8_t kShades[] = {kShadow, kStone, kFace, kPale};
            cv.set(x, y, kShades[shade]);
        }
    }
    // A radiation trefoil on its face.
    constexpr double kEy = 412.0;
    for (int y = 398; y <= 426; ++y) {
        for (int x = 2310; x <= 2340; ++x) {
            const double dx = x + 0.5 - kCx;
            const double dy = y + 0.5 - kEy;
            const double r = std::hypot(dx, dy);
            const double a = std::atan2(dy, dx) * 180.0 / 3.14159265358979;
            const double sector =
                std::fmod(a + 360.0 + 90.0, 120.0); // blades up-left, up-right, down
            const bool blade = r >= 4.0 && r <= 11.5 && (sector < 30.0 || sector > 90.0);
            if (r < 2.6 || blade) {
                cv.set(x, y, kShadow);
            } else if (r <= 13.0 && r > 11.5) {
                cv.set(x, y, kStone);
            }
        }
    }
}

const Profile kPlainTop{.knots = {{2650, 376}, {2660, 380}, {2680, 388}, {2700, 397}, {2740, 408},
                                  {2770, 417}, {2800, 421}, {2824, 426}, {2847, 426}, {2870, 428},
                                  {2900, 430}, {2925, 414}, {2949, 399}, {2950, 399}, {2975, 398},
                                  {3000, 404}, {3020, 401}, {3046, 399}, {3047, 399}, {3070, 413},
                                  {3100, 427}, {3150, 437}, {3199, 441}},
                        .wobble = 3,
                        .seed = 801,
                        .pins = {2949, 2950, 3046, 3047},
                        .still = {{2822, 2849}}};

const Profile kCeilingBottom{.knots = {{2830, 0},
                                       {2845, 18},
                                       {2870, 38},
                                       {2900, 54},
                                       {2925, 61},
                                       {2949, 57},
                                       {2950, 57},
                                       {2975, 75},
                                       {3000, 71},
                                       {3020, 66},
                                       {3046, 57},
                                       {3047, 57},
                                       {3070, 33},
                                       {3100, 9},
                                       {3125, 4},
                                       {3150, 0}},
                             .wobble = 3,
                             .seed = 802,
                             .pins = {2949, 2950, 3046, 3047}};

void paintPlain(Canvas& cv) {
    fillBetween(cv, 2654, kWidth - 1, kPlainTop, toBottom, kRock);
    // Loose rocks lying about, well away from the surveyed columns and the beams' feet.
    struct Lump {
        double x, rx, ry;
    };
    constexpr Lump kLumps[] = {{2722, 7, 5}, {2738, 4, 3}, {2872, 9, 6},
                               {2982, 5, 4}, {3128, 8, 5}, {3171, 5, 4}};
    for (const Lump& l : kLumps) {
        const int c = static_cast<int>(l.x);
        fillEllipse(cv, l.x + 0.5, kPlainTop(c) + 1.0 - l.ry * 0.4, l.rx, l.ry, kRock);
    }
    fillBetween(
        cv, 2830, 3150, [](int) { return 0; }, kCeilingBottom, kRock);
    // The beams, from the ceiling's underside to the ground.
    fillRect(cv, 2949, 58, 2950, 398, kCyan);
    fillRect(cv, 3046, 58, 3047, 398, kCyan);

    // The green frame: posts with finials, a top bar and a panel, wired to the brown box.
    for (int x : {2774, 2808}) {
        fillRect(cv, x, 372, x + 1, 422, kDeepLeaf);
        cv.set(x, 372, kLeaf);
    }
    fillRect(cv, 2774, 385, 2809, 388, kDeepLeaf);
    fillRect(cv, 2774, 385, 2809, 385, kLeaf);
    fillRect(cv, 2776, 399, 2807, 405, kDeepLeaf);
    fillRect(cv, 2778, 401, 2805, 403, kLeaf);
    for (int x = 2780; x < 2805; x += 4) {
        cv.set(x, 402, kDeepLeaf);
    }
    fillRect(cv, 2826, 410, 2845, 425, kBark);
    fillRect(cv, 2826, 410, 2845, 410, kLitBark);
    fillRect(cv, 2826, 411, 2826, 425, kLitBark);
    fillRect(cv, 2827, 414, 2845, 414, kLitBark);
    // Dotted wire, sagging between the frame and the box.
    for (int x = 2811; x <= 2824; x += 3) {
        const double t = (x - 2810) / 16.0;
        cv.set(x, static_cast<int>(std::floor(402 + 10 * t + 6 * t * (1 - t) + 0.5)), kYellow);
    }
}

} // namespace

void paintEast(Canvas& cv) {
    paintRoad(cv);
    paintGround(cv);
    paintArch(cv);
    paintTruck(cv);
    paintFramedBox(cv);
    paintLedge(cv);
    paintSlabAndTunnel(cv);
    paintCoolingTower(cv);
    paintPlain(cv);
}

} // namespace levelgen
