// levelgen: paints the level from its scenery description, checks the surveyed heights and
// writes assets/level.png. Usage: levelgen OUTPUT.png
#include "canvas.hpp"
#include "scenery.hpp"
#include "texture.hpp"

#include "app/colour.hpp"
#include "level/survey.hpp"
#include "png/png.hpp"

#include <cstdio>
#include <string>
#include <utility>
#include <vector>

namespace levelgen {

namespace {

bool surveyHolds(const Canvas& cv) {
    bool ok = true;
    for (const wh::SurveyedColumn& s : wh::kLevelSurvey) {
        const std::vector<wh::SolidRun> got =
            wh::solidRuns(kHeight, [&](int y) { return cv.solid(s.col, y); });
        if (got != s.runs) {
            std::fprintf(stderr, "column %d: painted %s, surveyed %s\n", s.col,
                         wh::describe(got).c_str(), wh::describe(s.runs).c_str());
            ok = false;
        }
    }
    return ok;
}

bool bottomBandSolid(const Canvas& cv) {
    for (int x = 0; x < kWidth; ++x) {
        for (int y = 583; y < kHeight; ++y) {
            if (!cv.solid(x, y)) {
                std::fprintf(stderr, "open air in the bottom band at column %d, row %d\n", x, y);
                return false;
            }
        }
    }
    return true;
}

// How many pixels each ink covers, against the proportions the level was balanced with.
void reportInks(const Canvas& cv) {
    constexpr std::pair<int, long> kBalance[] = {
        {0, 1200415}, {1, 1753},   {2, 18188}, {3, 104994}, {4, 185038}, {5, 60},      {6, 28},
        {7, 35},      {8, 1407},   {9, 23158}, {10, 56},    {11, 22971}, {12, 280207}, {13, 6909},
        {14, 49158},  {15, 24782}, {16, 795},  {17, 45},    {255, 1},
    };
    std::vector<long> count(256, 0);
    for (uint8_t v : cv.px) {
        ++count[v];
    }
    for (auto [ink, want] : kBalance) {
        std::printf("ink %3d: %8ld pixels (balance %8ld, %+5.1f%%)\n", ink, count[ink], want,
                    100.0 * (count[ink] - want) / want);
    }
    for (int i = 0; i < 256; ++i) {
        if (count[i] != 0 && isMaterial(static_cast<uint8_t>(i))) {
            std::printf("unshaded material %d: %ld pixels\n", i, count[i]);
        }
    }
}

} // namespace

} // namespace levelgen

int main(int argc, char** argv) {
    using namespace levelgen;
    if (argc != 2) {
        std::fprintf(stderr, "usage: levelgen OUTPUT.png\n");
        return 2;
    }
    Canvas cv;
    paintWest(cv);
    paintEast(cv);
    paintForest(cv);
    shadeMaterials(cv);
    paintFinish(cv);

    reportInks(cv);
    const bool surveyed = surveyHolds(cv);
    const bool band = bottomBandSolid(cv);
    if (!surveyed || !band) {
        return 1;
    }
    // An indexed picture, so any paint program opens it with its palette.
    std::vector<wh::Colour> inks;
    for (const Rgb& c : palette()) {
        inks.push_back(wh::RGB(c.r, c.g, c.b));
    }
    const wh::png::Encoded png = wh::png::encodeIndexed(cv.px, kWidth, kHeight, inks);
    if (!png.error.empty()) {
        std::fprintf(stderr, "levelgen: %s\n", png.error.c_str());
        return 1;
    }
    if (!wh::png::writeFile(argv[1], png.bytes)) {
        std::fprintf(stderr, "levelgen: cannot write %s\n", argv[1]);
        return 1;
    }
    std::printf("wrote %s, %zu bytes\n", argv[1], png.bytes.size());
    return 0;
}
