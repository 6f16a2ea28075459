// The playfield surface: dots and lines cover exactly the pixels they should, drawing again in
// black leaves nothing behind, everything clips at the edges and reads off the surface are -1.
#include "app/playfield.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

namespace wh {
namespace {

constexpr Colour kRed = RGB(255, 0, 0);
constexpr double kPx = kTwipsPerPixel;

long countColour(const Playfield& p, Colour c) {
    long n = 0;
    for (Colour v : p.pixels()) {
        n += (v == c) ? 1 : 0;
    }
    return n;
}

struct Fixture : ::testing::Test {
    std::unique_ptr<Playfield> p = std::make_unique<Playfield>();
    // Centre of pixel (col, row) in twips.
    static double at(int pixel) { return pixel * kPx + 7; }
};

using PlayfieldTest = Fixture;

TEST_F(PlayfieldTest, MapsTwipsToPixelsByFloorIncludingNegatives) {
    EXPECT_EQ(twipsToPixel(0), 0);
    EXPECT_EQ(twipsToPixel(14.9), 0);
    EXPECT_EQ(twipsToPixel(15), 1);
    EXPECT_EQ(twipsToPixel(-0.5), -1);
    EXPECT_EQ(twipsToPixel(-15), -1);
    EXPECT_EQ(twipsToPixel(-15.5), -2);
}

TEST_F(PlayfieldTest, ReadsOffTheSurfaceAsMinusOne) {
    EXPECT_EQ(p->Point(-1, 100), kOffSurface);
    EXPECT_EQ(p->Point(100, -1), kOffSurface);
    EXPECT_EQ(p->Point(Playfield::Width, 100), kOffSurface);
    EXPECT_EQ(p->Point(100, Playfield::Height), kOffSurface);
    EXPECT_EQ(p->Point(Playfield::Width - 1, Playfield::Height - 1), kBlack);
    EXPECT_EQ(p->Point(0, 0), kBlack);
}

TEST_F(PlayfieldTest, DotOfWidthOneIsOnePixel) {
    p->setDrawWidth(1);
    p->PSet(at(10), at(20), kRed);
    EXPECT_EQ(countColour(*p, kRed), 1);
    EXPECT_EQ(p->Point(at(10), at(20)), kRed);
}

// A disc w pixels across: its bounding box is exactly w by w and it is symmetric.
TEST_F(PlayfieldTest, DotsAreDiscsAsWideAsThePen) {
    for (int w : {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 40}) {
        SCOPED_TRACE(w);
        Playfield& f = *p;
        f.Cls();
        f.setDrawWidth(w);
        f.PSet(at(100), at(100), kRed);
        int minX = 1 << 30, maxX = -1, minY = 1 << 30, maxY = -1;
        long n = 0;
        for (int y = 0; y < 300; ++y) {
            for (int x = 0; x < 300; ++x) {
                if (f.row(y)[x] == kRed) {
                    ++n;
                    minX = std::min(minX, x);
                    maxX = std::max(maxX, x);
                    minY = std::min(minY, y);
                    maxY = std::max(maxY, y);
                }
            }
        }
        EXPECT_EQ(maxX - minX + 1, w);
        EXPECT_EQ(maxY - minY + 1, w);
        EXPECT_EQ(n, countColour(f, kRed)); // nothing strayed elsewhere
        // Area close to a circle's, within the staircase of its rim.
        const double area = 3.14159265 * w * w / 4;
        EXPECT_LE(n, static_cast<long>(area + 2 * w + 1));
        EXPECT_GE(n, static_cast<long>(area - 2 * w - 1));
        for (int y = minY; y <= maxY; ++y) {
            for (int x = minX; x <= maxX; ++x) {
                EXPECT_EQ(f.row(y)[x], f.row(maxY - (y - minY))[maxX - (x - minX)]);
                EXPECT_EQ(f.row(y)[x], f.row(minY + (x - minX))[minX + (y - minY)]);
            }
        }
    }
}

TEST_F(PlayfieldTest, SmallDiscPixelCounts) {
    const long expected[] = {1, 4, 9, 12, 21}; // widths 1 to 5
    for (int w = 1; w <= 5; ++w) {
        SCOPED_TRACE(w);
        p->Cls();
        p->setDrawWidth(w);
        p->PSet(at(50), at(50), kRed);
        EXPECT_EQ(countColour(*p, kRed), expected[w - 1]);
    }
}

TEST_F(PlayfieldTest, RedrawingInBlackErasesEveryPixel) {
    struct Call {
        int w;
        double x1, y1, x2, y2;
    };
    const Call calls[] = {
        {1, 100, 100, 100, 100},        {2, 100, 100, 900, 450},
        {3, 1000, 2000, 3000, 1000},    {7, 4000.5, 300, 4000.5, 2000},
        {10, 50, 50, 51, 5000},         {32, 6000, 4000, 6015, 4000},
        {5, -300, -300, 400, 400},      {60, 63900, 8900, 64400, 9500},
        {20, 30000, 4500, 30000, 4500},
    };
    for (const Call& c : calls) {
        SCOPED_TRACE(c.w);
        p->setDrawWidth(c.w);
        p->Line(c.x1, c.y1, c.x2, c.y2, kRed);
        p->PSet(c.x2, c.y2, kRed);
        EXPECT_GT(countColour(*p, kRed), 0);
        p->Line(c.x1, c.y1, c.x2, c.y2, kBlack);
        p->PSet(c.x2, c.y2, kBlack);
        EXPECT_EQ(countColour(*p, kRed), 0);
    }
}

TEST_F(PlayfieldTest, LinePaintsBothEndsAndIsAsThickAsThePen) {
    p->setDrawWidth(1);
    p->Line(at(10), at(10), at(20), at(10), kRed);
    EXPECT_EQ(countColour(*p, kRed), 11);
    p->Cls();
    p->setDrawWidth(5);
    p->Line(at(100), at(100), at(200), at(100), kRed);
    for (int x = 100; x <= 200; ++x) {
        int column = 0;
        for (int y = 90; y < 110; ++y) {
            column += p->row(y)[x] == kRed ? 1 : 0;
        }
        EXPECT_EQ(column, 5) << x;
    }
    // Round ends reach w/2 beyond the end points and no further.
    EXPECT_EQ(p->row(100)[98], kRed);
    EXPECT_EQ(p->row(100)[97], kBlack);
    EXPECT_EQ(p->row(100)[202], kRed);
    EXPECT_EQ(p->row(100)[203], kBlack);
}

TEST_F(PlayfieldTest, ClipsAtEveryEdgeAndAtNegativeCoordinates) {
    p->setDrawWidth(21);
    p->PSet(0, 0, kRed);                                        // top-left
    p->PSet(Playfield::Width - 1, 0, kRed);                     // top-right
    p->PSet(0, Playfield::Height - 1, kRed);                    // bottom-left
    p->PSet(Playfield::Width - 1, Playfield::Height - 1, kRed); // bottom-right
    const long corners = countColour(*p, kRed);
    EXPECT_GT(corners, 4 * 80);
    EXPECT_LT(corners, 4 * 120);
    p->Cls();
    p->PSet(-5000, -5000, kRed); // wholly off the surface
    p->PSet(1e9, 1e9, kRed);
    p->Line(-9000, 500, -200, 500, kRed); // its round end reaches 10 pixels, not to column 0
    EXPECT_EQ(countColour(*p, kRed), 0);
    p->setDrawWidth(1);
    p->Line(-3000, 100, 3000, 100, kRed); // crosses the left edge: only the visible part
    EXPECT_EQ(countColour(*p, kRed), 201);
}

TEST_F(PlayfieldTest, PenWidthIsClampedToItsRange) {
    p->setDrawWidth(0);
    EXPECT_EQ(p->drawWidth(), 1);
    p->setDrawWidth(-40);
    EXPECT_EQ(p->drawWidth(), 1);
    p->setDrawWidth(100000);
    EXPECT_EQ(p->drawWidth(), kMaxPenWidth);
}

TEST_F(PlayfieldTest, HugePenStaysOnTheSurface) {
    p->setDrawWidth(kMaxPenWidth);
    p->PSet(30000, 4500, kRed);
    EXPECT_EQ(countColour(*p, kRed), static_cast<long>(p->pixels().size()));
}

TEST_F(PlayfieldTest, MaskNotPenClearsThePenBits) {
    p->setDrawWidth(1);
    p->PSet(at(5), at(5), RGB(200, 100, 50));
    p->drawMode = kDrawModeMaskNotPen;
    p->PSet(at(5), at(5), RGB(8, 4, 2));
    EXPECT_EQ(p->Point(at(5), at(5)), RGB(200, 100, 50) & ~RGB(8, 4, 2));
    p->PSet(at(6), at(6), kWhite); // on black, AND NOT leaves black
    EXPECT_EQ(p->Point(at(6), at(6)), kBlack);
}

TEST_F(PlayfieldTest, ClsBringsBackTheBackdropAndBlackBeyondIt) {
    const Colour picture[] = {RGB(1, 2, 3), RGB(4, 5, 6), RGB(7, 8, 9), RGB(10, 11, 12)};
    p->setBackdrop({picture, 2, 2});
    p->setDrawWidth(50);
    p->PSet(100, 100, kRed);
    p->PSet(2000, 2000, kRed);
    p->Cls();
    EXPECT_EQ(p->Point(0, 0), picture[0]);
    EXPECT_EQ(p->Point(15, 0), picture[1]);
    EXPECT_EQ(p->Point(0, 15), picture[2]);
    EXPECT_EQ(p->Point(15, 15), picture[3]);
    EXPECT_EQ(p->Point(30, 0), kBlack);
    EXPECT_EQ(countColour(*p, kRed), 0);
}

TEST_F(PlayfieldTest, NotANumberDrawsNothingAndReadsOffTheSurface) {
    const double nan = std::nan("");
    p->setDrawWidth(3);
    p->PSet(nan, 100, kRed);
    p->Line(nan, nan, 100, 100, kRed);
    EXPECT_EQ(countColour(*p, kRed), 0); // a line with no place to start draws nothing
    EXPECT_EQ(p->Point(nan, 0), kOffSurface);
}

} // namespace
} // namespace wh
