// Rock looks: every type's shapes, pen widths and colours, the random numbers each look takes,
// and erasing that covers exactly what drawing painted.
#include "render/rockdraw.hpp"
#include "worlds.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <memory>
#include <vector>

namespace wh {
namespace {

// The looks' colours, as the table of looks gives them.
constexpr Colour kWhiteLook = RGB(255, 255, 255);
constexpr Colour kGrey = RGB(127, 127, 127);
constexpr Colour kAliveGreen = RGB(0, 127, 0);
constexpr Colour kTeal = RGB(0, 127, 127);
constexpr Colour kPurple = RGB(127, 0, 127);
constexpr Colour kBombGreen = RGB(127, 255, 0);
constexpr Colour kBulletbombCyan = RGB(127, 255, 255);
constexpr Colour kYellow = RGB(255, 255, 0);
constexpr Colour kRed = RGB(255, 0, 0);
constexpr Colour kProxBlue = RGB(0, 127, 255);
constexpr Colour kHomerBrown = RGB(127, 90, 0);
// A backdrop no look paints with, so every pixel a look covers shows against it.
constexpr Colour kBackdrop = RGB(1, 2, 3);

constexpr double kPx = kTwipsPerPixel;
// Centre of pixel column or row p, twips.
constexpr double at(int p) {
    return p * kPx + 7;
}

Rock withSubtype(Rock r, int16_t subtype) {
    r.subtype = subtype;
    return r;
}
Rock withCount(Rock r, int16_t count) {
    r.count = count;
    return r;
}
Rock withFullcount(Rock r, int16_t fullcount) {
    r.fullcount = fullcount;
    return r;
}

bool sameGenerator(const Rng& a, const Rng& b) {
    return a.state == b.state && a.inc == b.inc;
}

long countDifferent(const std::vector<Colour>& a, const std::vector<Colour>& b) {
    long n = 0;
    for (size_t k = 0; k < a.size(); ++k) {
        n += (a[k] != b[k]) ? 1 : 0;
    }
    return n;
}

long countNot(const Playfield& p, Colour c) {
    return static_cast<long>(
        std::count_if(p.pixels().begin(), p.pixels().end(), [c](Colour v) { return v != c; }));
}

// nearest(v), halves to the even neighbour, worked out here apart from the game's helpers.
int32_t nearest(double v) {
    return static_cast<int32_t>(std::nearbyint(v));
}

// Every type code with a look or without one, a few codes outside 0 to 25, and the enemy with
// its two looked subtypes and a few that have none.
struct Kind {
    int16_t type;
    int16_t subtype;
};

std::vector<Kind> everyKind() {
    std::vector<Kind> kinds;
    for (int t = -1; t <= 26; ++t) {
        if (t != RockType::enemy) {
            kinds.push_back({static_cast<int16_t>(t), 0});
        }
    }
    for (int16_t t : {int16_t{-32768}, int16_t{1000}, int16_t{32767}}) {
        kinds.push_back({t, 0});
    }
    for (int16_t s :
         {int16_t{21}, int16_t{22}, int16_t{0}, int16_t{20}, int16_t{23}, int16_t{-1}}) {
        kinds.push_back({RockType::enemy, s});
    }
    return kinds;
}

bool hasLook(Kind k) {
    if (k.type == RockType::enemy) {
        return k.subtype == RockType::skeet || k.subtype == RockType::plane;
    }
    return k.type >= 1 && k.type <= 25 && k.type != RockType::explosion &&
           k.type != RockType::maker && k.type != 21 && k.type != RockType::reactor;
}

// How many random numbers each look takes: liquid and plasma one, fire, multibomb and nuke
// two, the comet one per dot.
int drawsTaken(Kind k) {
    switch (k.type) {
    case RockType::liquid:
    case RockType::plasma:
        return 1;
    case RockType::fire:
    case RockType::multibomb:
    case RockType::nuke:
        return 2;
    case RockType::comet:
        return 10;
    default:
        return 0;
    }
}

struct RenderTest : ::testing::Test {
    std::unique_ptr<Game> g = bareWorld();
    Playfield& pf = g->picground;

    void SetUp() override { g->rng.seed(20240611); }
    Rock& place(const Rock& r) {
        g->rocks[1] = r;
        g->rocks.rockcount = 1;
        return g->rocks[1];
    }
};

// Positions and fields that exercise every shape: moving, at rest, clipped by the edges, fast
// enough to wrap the comet's products, and a far end that wraps round the 32-bit position.
// Near the edges and far off, some looks lie wholly off the surface and paint nothing.
struct Placement {
    const char* what;
    int32_t x, y;
    int16_t xdis, ydis, count, fullcount;
    bool everyLookShows;
};

const Placement kPlacements[] = {
    {"moving", 30000, 4000, 250, -180, 7, 5, true},
    {"at rest", 12007, 3007, 0, 0, 1, 1, true},
    {"steep, timebomb dividing by zero", 20011, 5003, -37, 733, 12, -1, true},
    {"across the top-left corner", 5, 8, 400, 400, 0, 29, false},
    {"across the bottom-right corner", 64000, 9010, -100, -30, -5, -2, false},
    {"fast enough to wrap the comet", 30000, 4500, 5000, -4000, 30, 32767, true},
    {"far end wrapped round", std::numeric_limits<int32_t>::max(), 4000, -32768, 0, 3, 0, false},
};

// Drawn on black or on a backdrop no look uses, then erased with the fields unchanged: every
// pixel the look painted is open air again (ice: ice colour), and no other pixel changed.
TEST_F(RenderTest, ErasingCoversExactlyThePixelsDrawingPainted) {
    for (Kind k : everyKind()) {
        for (const Placement& p : kPlacements) {
            for (Colour ground : {kBlack, kBackdrop}) {
                SCOPED_TRACE(testing::Message() << "type " << k.type << " subtype " << k.subtype
                                                << ", " << p.what << ", ground " << ground);
                pf.Cls();
                paintAll(pf, ground);
                Rock r = rockOf(k.type, p.x, p.y, p.xdis, p.ydis);
                r.subtype = k.subtype;
                r.count = p.count;
                r.fullcount = p.fullcount;
                place(r);
                drawrocks(*g, 1);
                const std::vector<Colour> drawn = pf.pixels();
                eraserocks(*g, 1);
                const Colour erased = (k.type == RockType::ice) ? kTeal : kBlack;
                const std::vector<Colour>& now = pf.pixels();
                long wrong = 0;
                long painted = 0;
                for (size_t n = 0; n < drawn.size(); ++n) {
                    const bool wasPainted = drawn[n] != ground;
                    painted += wasPainted ? 1 : 0;
                    wrong += (now[n] != (wasPainted ? erased : ground)) ? 1 : 0;
                }
                EXPECT_EQ(wrong, 0);
                if (ground == kBlack && k.type != RockType::ice) {
                    EXPECT_EQ(countNot(pf, kBlack), 0);
                }
                if (ground == kBackdrop && p.everyLookShows) {
                    EXPECT_EQ(painted > 0,
                              hasLook(k)); // an erase that covers nothing proves nothing
                }
            }
        }
    }
}

TEST_F(RenderTest, ErasedIceLeavesItsColourBehindAsTerrain) {
    place(rockOf(RockType::ice, at(500), at(300)));
    drawrocks(*g, 1);
    const std::vector<Colour> drawn = pf.pixels();
    eraserocks(*g, 1);
    EXPECT_EQ(pf.pixels(), drawn);
    EXPECT_EQ(pf.Point(at(500), at(300)), kTeal);
    // Moved off, it is erased at its new spot; the old dot stays.
    g->rocks[1].x = at(520);
    drawrocks(*g, 1);
    eraserocks(*g, 1);
    EXPECT_EQ(pf.Point(at(500), at(300)), kTeal);
    EXPECT_EQ(pf.Point(at(520), at(300)), kTeal);
}

TEST_F(RenderTest, TypesWithoutALookTouchNothing) {
    for (Kind k : everyKind()) {
        if (hasLook(k)) {
            continue;
        }
        SCOPED_TRACE(testing::Message() << "type " << k.type << " subtype " << k.subtype);
        place(withSubtype(rockOf(k.type, 30000, 4000, 150, 90), k.subtype));
        for (auto* call : {&drawrocks, &eraserocks}) {
            pf.setDrawWidth(17);
            const uint64_t revision = pf.revision();
            const Rng before = g->rng;
            call(*g, 1);
            EXPECT_EQ(pf.revision(), revision);
            EXPECT_EQ(pf.drawWidth(), 17);
            EXPECT_TRUE(sameGenerator(g->rng, before));
        }
    }
    EXPECT_EQ(countNot(pf, kBlack), 0);
}

TEST_F(RenderTest, IndexOutsideTheTableDrawsNothing) {
    for (int i = 0; i <= kLastRockIndex; i += 100) {
        g->rocks[i] = rockOf(RockType::gas, 3000, 3000);
    }
    const uint64_t revision = pf.revision();
    for (int i : {-1, kLastRockIndex + 1, 40000}) {
        drawrocks(*g, i);
        eraserocks(*g, i);
    }
    EXPECT_EQ(pf.revision(), revision);
}

// One dot or line as the table of looks lists it.
struct Stroke {
    bool isLine;
    int16_t pen;
    double x1, y1, x2, y2;
    Colour colour;
};
Stroke dotAt(int16_t pen, double x, double y, Colour c) {
    return {false, pen, x, y, x, y, c};
}
Stroke lineOf(int16_t pen, double x1, double y1, double x2, double y2, Colour c) {
    return {true, pen, x1, y1, x2, y2, c};
}

void paint(Playfield& p, const std::vector<Stroke>& strokes) {
    for (const Stroke& s : strokes) {
        p.setDrawWidth(s.pen);
        if (s.isLine) {
            p.Line(s.x1, s.y1, s.x2, s.y2, s.colour);
        } else {
            p.PSet(s.x1, s.y1, s.colour);
        }
    }
}

struct LookCase {
    const char* what;
    Rock rock;
    std::vector<Stroke> strokes; // in the order the look draws them
};

// The far ends below are worked out by hand: T = (x - xdis, y - ydis).
std::vector<LookCase> fixedLooks() {
    using RT = RockType;
    return {
        {"gas", rockOf(RT::gas, 3000, 1500), {dotAt(2, 3000, 1500, kWhiteLook)}},
        {"solid", rockOf(RT::solid, 3007, 1522), {dotAt(2, 3007, 1522, kGrey)}},
        {"alive",
         rockOf(RT::alive, 6000, 2000, 90, -45),
         {lineOf(2, 6000, 2000, 5910, 2045, kAliveGreen)}},
        {"alive at rest is a dot",
         rockOf(RT::alive, 6000, 2000),
         {dotAt(2, 6000, 2000, kAliveGreen)}},
        {"ice", rockOf(RT::ice, 4500, 700, 30, 30), {dotAt(2, 4500, 700, kTeal)}},
        {"bullet",
         rockOf(RT::bullet, 9000, 3000, 300, 15),
         {lineOf(1, 9000, 3000, 8700, 2985, kPurple)}},
        {"bomb", rockOf(RT::bomb, 9500, 3100, 0, 200), {dotAt(2, 9500, 3100, kBombGreen)}},
        {"bigbomb", rockOf(RT::bigbomb, 9500, 3100, 0, 200), {dotAt(3, 9500, 3100, kBombGreen)}},
        {"bulletbomb",
         rockOf(RT::bulletbomb, 9500, 3100, 0, 200),
         {dotAt(2, 9500, 3100, kBulletbombCyan)}},
        {"missle flying right",
         rockOf(RT::missle, 12000, 4000, 250, 0),
         {lineOf(2, 12000, 4000, 11750, 4000, kTeal), dotAt(3, 11750, 4000, kYellow)}},
        {"missle climbing left",
         rockOf(RT::missle, 13000, 4000, -90, 120),
         {lineOf(2, 13000, 4000, 13090, 3880, kTeal), dotAt(3, 13090, 3880, kYellow)}},
        {"timebomb on its last round, at its far end",
         withFullcount(rockOf(RT::timebomb, 15000, 5000, 30, 60), 1),
         {dotAt(3, 14970, 4940, RGB(255, 255, 0)), dotAt(1, 14970, 4940, kRed)}},
        {"timebomb with ten rounds left",
         withFullcount(rockOf(RT::timebomb, 15000, 5000), 9),
         {dotAt(3, 15000, 5000, RGB(102, 51, 0)), dotAt(1, 15000, 5000, kRed)}},
        {"proxbomb", rockOf(RT::proxbomb, 16000, 2000, 5, 5), {dotAt(2, 16000, 2000, kProxBlue)}},
        {"homer",
         rockOf(RT::homer, 17000, 2500, -120, 75),
         {lineOf(2, 17000, 2500, 17120, 2425, kHomerBrown)}},
        {"skeet",
         withSubtype(rockOf(RT::enemy, 20000, 3000, 99, -40), RT::skeet),
         {dotAt(2, 20000, 3000, kWhiteLook), lineOf(1, 20000, 3000, 19950, 2950, kWhiteLook),
          lineOf(1, 20000, 3000, 20050, 2950, kWhiteLook)}},
        {"plane",
         withSubtype(rockOf(RT::enemy, 25000, 2000, 200, 30), RT::plane),
         {lineOf(2, 25000, 2000, 24800, 1970, kWhiteLook),
          lineOf(1, 24750, 1920, 24800, 1970, kWhiteLook)}},
        {"type 22",
         rockOf(22, 27000, 3000, -150, 30),
         {lineOf(2, 27000, 3000, 27150, 2970, kWhiteLook)}},
        {"boulder 7 across",
         withCount(rockOf(RT::boulder, 30000, 6000, 40, 40), 7),
         {dotAt(7, 30000, 6000, kGrey)}},
        {"boulder 40 across",
         withCount(rockOf(RT::boulder, 30000, 6000), 40),
         {dotAt(40, 30000, 6000, kGrey)}},
        {"boulder 1 across",
         withCount(rockOf(RT::boulder, 30000, 6000), 1),
         {dotAt(1, 30000, 6000, kGrey)}},
        {"boulder counted 0 is one pixel",
         withCount(rockOf(RT::boulder, 30000, 6000), 0),
         {dotAt(1, 30000, 6000, kGrey)}},
        {"boulder counted -300 is one pixel",
         withCount(rockOf(RT::boulder, 30000, 6000), -300),
         {dotAt(1, 30000, 6000, kGrey)}},
        {"boulder as wide as a pen can be",
         withCount(rockOf(RT::boulder, 30000, 6000), 32767),
         {dotAt(32767, 30000, 6000, kGrey)}},
    };
}

TEST_F(RenderTest, FixedLooksPaintTheirShapesWithTheirPensAndColours) {
    auto expected = std::make_unique<Playfield>();
    for (const LookCase& c : fixedLooks()) {
        SCOPED_TRACE(c.what);
        pf.Cls();
        pf.setDrawWidth(17);
        place(c.rock);
        const Rng before = g->rng;
        drawrocks(*g, 1);
        expected->Cls();
        paint(*expected, c.strokes);
        EXPECT_GT(countNot(*expected, kBlack), 0);
        EXPECT_EQ(countDifferent(pf.pixels(), expected->pixels()), 0);
        EXPECT_EQ(pf.drawWidth(), c.strokes.back().pen); // left at the last width set
        EXPECT_TRUE(sameGenerator(g->rng, before));
    }
}

// Direct pixel checks that do not lean on painting the same strokes again.
TEST_F(RenderTest, BulletIsAOnePixelTraceAsLongAsItsStep) {
    place(rockOf(RockType::bullet, at(110), at(50), 150, 0)); // 10 pixels per pass
    drawrocks(*g, 1);
    EXPECT_EQ(countNot(pf, kBlack), 11);
    for (int x = 100; x <= 110; ++x) {
        EXPECT_EQ(pf.row(50)[x], kPurple) << x;
    }
}

TEST_F(RenderTest, TimebombIsAThreePixelDiscWithARedCentreAtItsFarEnd) {
    // At (200, 100), last moved 3 pixels left and 2 down: drawn at (203, 98).
    place(withFullcount(rockOf(RockType::timebomb, at(200), at(100), -45, 30), 1));
    drawrocks(*g, 1);
    EXPECT_EQ(pf.row(98)[203], kRed);
    int minX = 1 << 30, maxX = -1, minY = 1 << 30, maxY = -1;
    long reds = 0;
    for (int y = 80; y < 120; ++y) {
        for (int x = 180; x < 220; ++x) {
            const Colour c = pf.row(y)[x];
            if (c == kBlack) {
                continue;
            }
            minX = std::min(minX, x);
            maxX = std::max(maxX, x);
            minY = std::min(minY, y);
            maxY = std::max(maxY, y);
            reds += (c == kRed) ? 1 : 0;
            EXPECT_TRUE(c == kRed || c == kYellow) << x << "," << y;
        }
    }
    EXPECT_EQ(reds, 1);
    EXPECT_EQ(maxX - minX + 1, 3);
    EXPECT_EQ(maxY - minY + 1, 3);
    EXPECT_EQ(minX, 202);
    EXPECT_EQ(minY, 97);
    EXPECT_EQ(pf.row(100)[200], kBlack); // nothing at the rock itself
}

TEST_F(RenderTest, TimebombBrightensAsItsRoundsRunOut) {
    struct Case {
        int16_t fullcount;
        Colour colour;
    };
    // red = nearest(255 / ((f + 1) / 4)), green = nearest(255 / ((f + 1) / 2)), capped 0..255.
    const Case cases[] = {
        {29, RGB(34, 17, 0)},   {9, RGB(102, 51, 0)},
        {4, RGB(204, 102, 0)},  {3, RGB(255, 128, 0)}, // green 127.5 goes to the even 128
        {2, RGB(255, 170, 0)},  {1, RGB(255, 255, 0)},
        {0, RGB(255, 255, 0)},  {7, RGB(128, 64, 0)}, // red 127.5 to 128, green 63.75 to 64
        {23, RGB(42, 21, 0)},                         // red 42.5 to the even 42, green 21.25 to 21
        {100, RGB(10, 5, 0)},                         // 10.099 and 5.0495
        {-1, RGB(255, 255, 0)},                       // f + 1 = 0: a division by zero counts as 255
        {-2, RGB(0, 0, 0)},                           // negative quotients are capped at 0
        {-32768, RGB(0, 0, 0)}, {32767, RGB(0, 0, 0)}, // f + 1 wraps to -32768
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fullcount);
        pf.Cls();
        place(withFullcount(rockOf(RockType::timebomb, at(300), at(200)), c.fullcount));
        drawrocks(*g, 1);
        EXPECT_EQ(pf.row(200)[301], c.colour);
        EXPECT_EQ(pf.row(199)[300], c.colour);
        EXPECT_EQ(pf.row(200)[300], kRed);
    }
}

// The comet's dots: for i = 10 down to 1, pen 11 - i at (x - xdis i, y - ydis i), each in red
// of a fresh random brightness.
std::vector<Stroke> cometStrokes(Rng rng, const double dotX[10], double y) {
    std::vector<Stroke> strokes;
    for (int i = 10; i >= 1; --i) {
        const double r = rng.nextSingle();
        strokes.push_back(
            dotAt(static_cast<int16_t>(11 - i), dotX[i - 1], y, RGB(nearest(255 * r), 0, 0)));
    }
    return strokes;
}

TEST_F(RenderTest, CometIsATrailOfTenRedDotsGrowingTowardIt) {
    struct Case {
        const char* what;
        int32_t x;
        int16_t xdis;
        double dotX[10]; // dot i at dotX[i - 1]
    };
    const Case cases[] = {
        {"xdis 100", 10000, 100, {9900, 9800, 9700, 9600, 9500, 9400, 9300, 9200, 9100, 9000}},
        // 5000 i wraps in 16 bits from i = 7: 35000 is -30536, so dot 7 lies ahead at 50536.
        {"xdis 5000 wraps",
         20000,
         5000,
         {15000, 10000, 5000, 0, -5000, -10000, 50536, 45536, 40536, 35536}},
    };
    auto expected = std::make_unique<Playfield>();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        pf.Cls();
        place(rockOf(RockType::comet, c.x, 3000, c.xdis, 0));
        const Rng before = g->rng;
        drawrocks(*g, 1);
        expected->Cls();
        paint(*expected, cometStrokes(before, c.dotX, 3000));
        EXPECT_EQ(countDifferent(pf.pixels(), expected->pixels()), 0);
        EXPECT_EQ(pf.drawWidth(), 10);
        for (Colour v : pf.pixels()) {
            ASSERT_EQ(v & RGB(0, 255, 255), 0); // red only
        }
    }
    EXPECT_EQ(pf.Point(20000, 3000), kBlack); // nothing at the comet itself
}

// Each random look against its rule, over many draws: the colour the rule gives for the next
// random numbers, within its range, and the generator moved on by exactly that many.
TEST_F(RenderTest, RandomColoursFollowTheirRules) {
    struct Case {
        int16_t type;
        int draws;
        Colour (*rule)(double r1, double r2);
    };
    const Case cases[] = {
        {RockType::liquid, 1, [](double r1, double) { return RGB(0, 0, nearest(127 * r1 + 127)); }},
        {RockType::fire, 2,
         [](double r1, double r2) { return RGB(nearest(255 * r1), nearest(255 * r2), 0); }},
        {RockType::plasma, 1,
         [](double r1, double) { return RGB(0, 255, std::min(nearest(255 * r1 + 10), 255)); }},
        {RockType::multibomb, 2,
         [](double r1, double r2) { return RGB(nearest(255 * r1), nearest(255 * r2), 0); }},
        {RockType::nuke, 2,
         [](double r1, double r2) { return RGB(nearest(255 * r1), 0, nearest(255 * r2)); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.type);
        int lowest = 256;
        int highest = -1;
        for (uint64_t seed = 1; seed <= 400; ++seed) {
            g->rng.seed(seed);
            Rng copy = g->rng;
            const double r1 = copy.nextSingle();
            const double r2 = (c.draws == 2) ? copy.nextSingle() : 0.0;
            place(rockOf(c.type, at(400), at(300), 30, -15));
            drawrocks(*g, 1);
            const Colour colour = pf.Point(at(400), at(300));
            ASSERT_EQ(colour, c.rule(r1, r2)) << "seed " << seed;
            ASSERT_TRUE(sameGenerator(g->rng, copy)) << "seed " << seed;
            const int blue = (colour >> 16) & 255;
            const int red = colour & 255;
            const int watched = (c.type == RockType::fire || c.type == RockType::multibomb ||
                                 c.type == RockType::nuke)
                                    ? red
                                    : blue;
            lowest = std::min(lowest, watched);
            highest = std::max(highest, watched);
        }
        // Ranges: liquid blue 127 to 254 (never pure blue), plasma blue 10 to 255, flames 0 to 255.
        if (c.type == RockType::liquid) {
            EXPECT_GE(lowest, 127);
            EXPECT_LE(highest, 254);
        } else if (c.type == RockType::plasma) {
            EXPECT_GE(lowest, 10);
        }
        EXPECT_GT(highest - lowest, 100); // the random number really reaches the colour
    }
}

TEST_F(RenderTest, EachLookTakesExactlyItsRandomNumbersAndErasingTakesNone) {
    for (Kind k : everyKind()) {
        SCOPED_TRACE(testing::Message() << "type " << k.type << " subtype " << k.subtype);
        place(withSubtype(rockOf(k.type, 30000, 4000, 150, 90), k.subtype));
        Rng advanced = g->rng;
        for (int n = 0; n < drawsTaken(k); ++n) {
            advanced.nextSingle();
        }
        drawrocks(*g, 1);
        EXPECT_TRUE(sameGenerator(g->rng, advanced));
        eraserocks(*g, 1);
        EXPECT_TRUE(sameGenerator(g->rng, advanced));
    }
}

TEST_F(RenderTest, ErasingBlackensWhateverTheLookCoversTerrainIncluded) {
    // A solid resting on grass: the grass under its dot becomes open air, the rest stays.
    const Colour grass = RGB(0, 160, 0);
    paintAll(pf, grass);
    place(rockOf(RockType::solid, at(600), at(400)));
    eraserocks(*g, 1);
    auto expected = std::make_unique<Playfield>();
    paintAll(*expected, grass);
    paint(*expected, {dotAt(2, at(600), at(400), kBlack)});
    EXPECT_EQ(countDifferent(pf.pixels(), expected->pixels()), 0);
    EXPECT_EQ(pf.Point(at(600), at(400)), kBlack);
}

} // namespace
} // namespace wh
