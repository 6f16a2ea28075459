// The level picture as built in: the same pixels as assets/level.png, the surveyed heights, where
// the few exact colours may appear, the palette and its proportions, the colour classes, and the
// picture on the playfield.
#include "app/playfield.hpp"
#include "level/colourclass.hpp"
#include "level/levelpicture.hpp"
#include "level/survey.hpp"
#include "png/png.hpp"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <set>
#include <span>
#include <string>
#include <utility>
#include <vector>

namespace wh {
namespace {

Colour pixel(int col, int row) {
    return levelPicture()[static_cast<size_t>(row) * kLevelPixelsW + col];
}

std::vector<SolidRun> solidRuns(int col) {
    return wh::solidRuns(kLevelPixelsH, [col](int row) { return isSolid(pixel(col, row)); });
}

struct Box {
    int c0, r0, c1, r1; // inclusive
    bool holds(int c, int r) const { return c >= c0 && c <= c1 && r >= r0 && r <= r1; }
};

// Pixels of one colour value in the whole picture, and how many fall outside the boxes.
struct Census {
    long total = 0;
    long outside = 0;
};

Census census(Colour value, const std::vector<Box>& boxes) {
    Census c;
    for (int row = 0; row < kLevelPixelsH; ++row) {
        for (int col = 0; col < kLevelPixelsW; ++col) {
            if (pixel(col, row) != value) {
                continue;
            }
            ++c.total;
            bool inBox = false;
            for (const Box& b : boxes) {
                inBox = inBox || b.holds(col, row);
            }
            c.outside += inBox ? 0 : 1;
        }
    }
    return c;
}

struct PaletteEntry {
    int index;
    int r, g, b;
    long pixels; // the level's balance of this colour
};

const std::vector<PaletteEntry> kPalette = {
    {0, 0, 0, 0, 1200415},       {1, 0, 0, 255, 1753},   {2, 0, 41, 0, 18188},
    {3, 0, 82, 0, 104994},       {4, 0, 132, 0, 185038}, {5, 0, 132, 255, 60},
    {6, 0, 173, 0, 28},          {7, 0, 173, 255, 35},   {8, 0, 214, 255, 1407},
    {9, 57, 57, 57, 23158},      {10, 82, 0, 0, 56},     {11, 82, 41, 0, 22971},
    {12, 107, 107, 107, 280207}, {13, 132, 41, 0, 6909}, {14, 148, 148, 148, 49158},
    {15, 198, 198, 198, 24782},  {16, 255, 0, 0, 795},   {17, 255, 255, 0, 45},
    {255, 255, 255, 255, 1},
};

TEST(LevelPicture, IsDecodedOnceAtItsFullSize) {
    EXPECT_EQ(levelPicture().size(), static_cast<size_t>(kLevelPixelsW) * kLevelPixelsH);
    EXPECT_EQ(&levelPicture(), &levelPicture());
    const Backdrop b = levelBackdrop();
    EXPECT_EQ(b.pixels, levelPicture().data());
    EXPECT_EQ(b.width, 3200);
    EXPECT_EQ(b.height, 600);
}

TEST(LevelPicture, SurveyedColumnsHaveExactlyTheirSolidRuns) {
    for (const SurveyedColumn& s : kLevelSurvey) {
        SCOPED_TRACE("column " + std::to_string(s.col));
        const std::vector<SolidRun> got = solidRuns(s.col);
        EXPECT_EQ(got, s.runs) << "painted " << describe(got) << ", surveyed " << describe(s.runs);
    }
}

TEST(LevelPicture, BottomBandIsSolidAtEveryColumn) {
    long open = 0;
    for (int row = 583; row < kLevelPixelsH; ++row) {
        for (int col = 0; col < kLevelPixelsW; ++col) {
            open += isOpenAir(pixel(col, row)) ? 1 : 0;
        }
    }
    EXPECT_EQ(open, 0);
}

TEST(LevelPicture, PureBlueIsThePondAndNothingElse) {
    const Census blue = census(kPureBlue, {{65, 325, 199, 348}});
    EXPECT_GT(blue.total, 0);
    EXPECT_EQ(blue.outside, 0);
    EXPECT_TRUE(isPureBlue(pixel(130, 340)));
}

TEST(LevelPicture, PureRedIsOnlyTheCrateTheSignLetteringAndTheTruckDetail) {
    const Box crate{644, 399, 676, 425};
    const Box sign{497, 334, 642, 344};
    const Box truckDetail{1874, 417, 1882, 418};
    EXPECT_EQ(census(kPureRed, {crate, sign, truckDetail}).outside, 0);
    EXPECT_GT(census(kPureRed, {crate}).total - census(kPureRed, {crate}).outside, 0);
    EXPECT_GT(census(kPureRed, {sign}).total - census(kPureRed, {sign}).outside, 0);
    for (int col = truckDetail.c0; col <= truckDetail.c1; ++col) {
        for (int row = truckDetail.r0; row <= truckDetail.r1; ++row) {
            EXPECT_TRUE(isPureRed(pixel(col, row))) << col << "," << row;
        }
    }
}

TEST(LevelPicture, UsesThePaletteColoursAndNoOthers) {
    std::set<Colour> expected;
    for (const PaletteEntry& e : kPalette) {
        expected.insert(RGB(e.r, e.g, e.b));
    }
    const std::set<Colour> used(levelPicture().begin(), levelPicture().end());
    EXPECT_EQ(used, expected);
}

// assets/level.png as it stands in the source tree; empty when it cannot be read.
const std::vector<unsigned char>& levelPngFile() {
    static const std::vector<unsigned char> bytes = [] {
        const char* root = std::getenv("WRECKHAUL_SOURCE_DIR");
        std::ifstream in(std::string(root == nullptr ? "." : root) + "/assets/level.png",
                         std::ios::binary);
        return std::vector<unsigned char>(std::istreambuf_iterator<char>(in),
                                          std::istreambuf_iterator<char>());
    }();
    return bytes;
}

// What the build packed into the core is the picture a paint program shows, pixel for pixel.
TEST(LevelPicture, IsThePictureInAssetsPixelForPixel) {
    ASSERT_FALSE(levelPngFile().empty()) << "assets/level.png cannot be read; is "
                                            "WRECKHAUL_SOURCE_DIR set?";
    const png::Decoded d = png::decode(levelPngFile());
    ASSERT_EQ(d.error, "");
    ASSERT_EQ(d.picture.width, kLevelPixelsW);
    ASSERT_EQ(d.picture.height, kLevelPixelsH);
    ASSERT_EQ(d.picture.pixels.size(), levelPicture().size());
    long differ = 0;
    size_t first = 0;
    for (size_t i = levelPicture().size(); i-- > 0;) {
        if (d.picture.pixels[i] != levelPicture()[i]) {
            ++differ;
            first = i;
        }
    }
    EXPECT_EQ(differ, 0) << "the first at column " << first % kLevelPixelsW << ", row "
                         << first / kLevelPixelsW;
}

uint32_t bigEndian(std::span<const unsigned char> b, size_t at) {
    return (uint32_t{b[at]} << 24) | (uint32_t{b[at + 1]} << 16) | (uint32_t{b[at + 2]} << 8) |
           b[at + 3];
}

// The file a paint program sees: 8-bit indices into a 256-entry palette with the listed entries.
TEST(LevelPicture, FileIsIndexedWithThePaletteAtItsEntryNumbers) {
    const std::span<const unsigned char> png = levelPngFile();
    ASSERT_GT(png.size(), 8u + 25u + 12u + 768u);
    const size_t ihdr = 8;
    ASSERT_EQ(std::string(png.begin() + ihdr + 4, png.begin() + ihdr + 8), "IHDR");
    EXPECT_EQ(bigEndian(png, ihdr + 8), 3200u);
    EXPECT_EQ(bigEndian(png, ihdr + 12), 600u);
    EXPECT_EQ(png[ihdr + 16], 8); // bits per index
    EXPECT_EQ(png[ihdr + 17], 3); // palette colour type
    const size_t plte = ihdr + 12 + bigEndian(png, ihdr);
    ASSERT_EQ(std::string(png.begin() + plte + 4, png.begin() + plte + 8), "PLTE");
    ASSERT_EQ(bigEndian(png, plte), 768u);
    for (const PaletteEntry& e : kPalette) {
        SCOPED_TRACE("entry " + std::to_string(e.index));
        const size_t at = plte + 8 + 3 * static_cast<size_t>(e.index);
        EXPECT_EQ(png[at], e.r);
        EXPECT_EQ(png[at + 1], e.g);
        EXPECT_EQ(png[at + 2], e.b);
    }
}

TEST(LevelPicture, EachColourCoversAboutItsShareOfThePicture) {
    std::map<Colour, long> counts;
    for (Colour v : levelPicture()) {
        ++counts[v];
    }
    for (const PaletteEntry& e : kPalette) {
        SCOPED_TRACE("entry " + std::to_string(e.index));
        const long got = counts[RGB(e.r, e.g, e.b)];
        EXPECT_GE(got * 4, e.pixels * 3);
        EXPECT_LE(got * 4, e.pixels * 5);
    }
    EXPECT_EQ(counts[kWhite], 1);
    EXPECT_EQ(pixel(822, 419), kWhite);
}

// A few points of each piece of scenery, by class.
TEST(LevelPicture, SceneryHasItsClassesWhereTheMapSaysSo) {
    enum class Kind { OpenAir, Earthtone, SolidOnly, PureBlue, PureRed, Cyan, LightGrey };
    const struct {
        const char* what;
        int col, row;
        Kind kind;
    } kProbes[] = {
        {"sky over the hills", 300, 100, Kind::OpenAir},
        {"pond", 130, 340, Kind::PureBlue},
        {"under the cliff's overhang", 100, 250, Kind::OpenAir},
        {"cliff", 20, 250, Kind::SolidOnly},
        {"grass of the hills", 300, 330, Kind::Earthtone},
        {"forest", 300, 520, Kind::Earthtone},
        {"building", 600, 430, Kind::SolidOnly},
        {"door", 569, 436, Kind::Earthtone},
        {"crate", 648, 402, Kind::PureRed},
        {"road", 1300, 467, Kind::SolidOnly},
        {"green ground under the road", 1300, 560, Kind::Earthtone},
        {"arch", 1600, 150, Kind::SolidOnly},
        {"arch's trunk", 1256, 450, Kind::Earthtone},
        {"under the arch", 1400, 380, Kind::OpenAir},
        {"green bank", 1700, 540, Kind::Earthtone},
        {"truck detail", 1878, 417, Kind::PureRed},
        {"inside the framed box", 2000, 430, Kind::OpenAir},
        {"sky ledge", 2095, 137, Kind::LightGrey},
        {"over the sky ledge", 2095, 136, Kind::OpenAir},
        {"under the sky ledge", 2095, 138, Kind::OpenAir},
        {"tunnel", 2300, 540, Kind::OpenAir},
        {"rail", 2400, 561, Kind::LightGrey},
        {"tunnel floor", 2300, 590, Kind::Earthtone},
        {"green frame", 2800, 386, Kind::Earthtone},
        {"brown box", 2835, 418, Kind::Earthtone},
        {"ceiling", 3000, 30, Kind::SolidOnly},
        {"first beam", 2949, 200, Kind::Cyan},
        {"second beam", 3047, 300, Kind::Cyan},
        {"between the beams", 3000, 200, Kind::OpenAir},
    };
    for (const auto& p : kProbes) {
        SCOPED_TRACE(p.what);
        const Colour v = pixel(p.col, p.row);
        switch (p.kind) {
        case Kind::OpenAir:
            EXPECT_TRUE(isOpenAir(v));
            break;
        case Kind::Earthtone:
            EXPECT_TRUE(isEarthtone(v)) << v;
            break;
        case Kind::SolidOnly:
            EXPECT_TRUE(isSolid(v));
            EXPECT_FALSE(isEarthtone(v)) << v;
            EXPECT_FALSE(isPureBlue(v));
            break;
        case Kind::PureBlue:
            EXPECT_TRUE(isPureBlue(v)) << v;
            break;
        case Kind::PureRed:
            EXPECT_TRUE(isPureRed(v)) << v;
            break;
        case Kind::Cyan:
            EXPECT_EQ(v, RGB(0, 214, 255));
            break;
        case Kind::LightGrey:
            EXPECT_EQ(v, RGB(198, 198, 198));
            break;
        }
    }
}

TEST(ColourClass, SortsValuesIntoClasses) {
    const struct {
        Colour v;
        bool openAir, solid, earthtone, belowPlasma, blue, red, purple;
    } kCases[] = {
        {0, true, false, false, false, false, false, false},
        {-1, false, true, false, false, false, false, false},
        {RGB(255, 0, 0), false, true, true, true, false, true, false},
        {RGB(0, 132, 0), false, true, true, true, false, false, false},
        {RGB(82, 0, 0), false, true, true, true, false, false, false},
        {1, false, true, true, true, false, false, false},
        {RGB(255, 254, 0) - 1, false, true, true, true, false, false, false},
        {RGB(255, 254, 0), false, true, true, false, false, false, false},
        {RGB(127, 255, 0), false, true, true, false, false, false, false},
        {RGB(255, 255, 0) - 1, false, true, true, false, false, false, false},
        {RGB(255, 255, 0), false, true, false, false, false, false, false},
        {RGB(0, 0, 255), false, true, false, false, true, false, false},
        {RGB(0, 0, 254), false, true, false, false, false, false, false},
        {RGB(127, 0, 127), false, true, false, false, false, false, true},
        {RGB(255, 255, 255), false, true, false, false, false, false, false},
        {RGB(107, 107, 107), false, true, false, false, false, false, false},
        {INT32_MIN, false, true, false, false, false, false, false},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.v);
        EXPECT_EQ(isOpenAir(c.v), c.openAir);
        EXPECT_EQ(isSolid(c.v), c.solid);
        EXPECT_EQ(isEarthtone(c.v), c.earthtone);
        EXPECT_EQ(isBelowPlasmaLimit(c.v), c.belowPlasma);
        EXPECT_EQ(isPureBlue(c.v), c.blue);
        EXPECT_EQ(isPureRed(c.v), c.red);
        EXPECT_EQ(isBulletPurple(c.v), c.purple);
    }
    EXPECT_EQ(kEarthtoneLimit, 65535);
    EXPECT_EQ(kPlasmaProbeLimit, 65279);
}

// Both earthtone limits pick out the same entries of the level's palette.
TEST(ColourClass, BothEarthtoneLimitsAgreeOnThePalette) {
    for (const PaletteEntry& e : kPalette) {
        SCOPED_TRACE("entry " + std::to_string(e.index));
        const Colour v = RGB(e.r, e.g, e.b);
        EXPECT_EQ(isEarthtone(v), isBelowPlasmaLimit(v));
        EXPECT_EQ(isEarthtone(v), v != 0 && e.b == 0 && v != RGB(255, 255, 0));
    }
}

struct LevelOnPlayfield : ::testing::Test {
    std::unique_ptr<Playfield> p = std::make_unique<Playfield>();
    void SetUp() override {
        p->setBackdrop(levelBackdrop());
        p->Cls();
    }
    static double at(int pixel) { return pixel * kTwipsPerPixel + 7; }
    bool holdsThePicture() const {
        for (int row = 0; row < kPlayfieldPixelsH; ++row) {
            for (int col = 0; col < kPlayfieldPixelsW; ++col) {
                const bool inPicture = col < kLevelPixelsW && row < kLevelPixelsH;
                if (p->row(row)[col] != (inPicture ? pixel(col, row) : kBlack)) {
                    return false;
                }
            }
        }
        return true;
    }
};

TEST_F(LevelOnPlayfield, HoldsThePictureAtItsTopLeftAndBlackBeyond) {
    EXPECT_TRUE(holdsThePicture());
    EXPECT_EQ(p->Point(at(100), at(140)), pixel(100, 140));
    EXPECT_EQ(p->Point(at(3199), at(599)), pixel(3199, 599));
}

TEST_F(LevelOnPlayfield, ReadsBlackRightOfThePictureDownToTheBottom) {
    for (double x : {48000.0, 48007.0, 55000.0, 64004.0}) {
        for (double y : {0.0, 2000.0, 8999.0, 9000.0, 9014.0}) {
            EXPECT_TRUE(isOpenAir(p->Point(x, y))) << x << "," << y;
        }
    }
    EXPECT_TRUE(isSolid(p->Point(47999, 8999)));
}

TEST_F(LevelOnPlayfield, ReadsMinusOneOffTheSurface) {
    const std::pair<double, double> kOff[] = {
        {-1.0, 5000.0}, {1000.0, -1.0}, {64005.0, 100.0}, {20000.0, 9015.0}};
    for (auto [x, y] : kOff) {
        const Colour v = p->Point(x, y);
        EXPECT_EQ(v, kOffSurface);
        EXPECT_TRUE(isSolid(v));
        EXPECT_FALSE(isOpenAir(v));
        EXPECT_FALSE(isEarthtone(v));
    }
}

TEST_F(LevelOnPlayfield, ClsFillsADugCraterAgain) {
    const double x = at(300);
    const double y = at(450);
    ASSERT_TRUE(isEarthtone(p->Point(x, y)));
    p->setDrawWidth(30);
    p->PSet(x, y, kBlack);
    EXPECT_TRUE(isOpenAir(p->Point(x, y)));
    EXPECT_FALSE(holdsThePicture());
    p->Cls();
    EXPECT_TRUE(holdsThePicture());
}

} // namespace
} // namespace wh
