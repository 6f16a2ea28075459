// levelgen: paints the level from its scenery description, checks the surveyed heights and
// writes assets/level.png. Usage: levelgen OUTPUT.png
#include "canvas.hpp"
#include "pngwrite.hpp"
#include "scenery.hpp"
#include "texture.hpp"

#include <cstdio>
#include <string>
#include <utility>
#include <vector>

namespace levelgen {

namespace {

struct Run {
    int from, to;
};

struct Survey {
    int col;
    std::vector<Run> runs;
};

// Every 100th column's solid runs, top to bottom: the terrain the game is tuned to.
const std::vector<Survey> kSurvey = {
    {0, {{145, 599}}},
    {100, {{133, 156}, {332, 599}}},
    {200, {{301, 599}}},
    {300, {{301, 599}}},
    {400, {{304, 599}}},
    {500, {{379, 599}}},
    {600, {{312, 599}}},
    {700, {{404, 599}}},
    {800, {{406, 599}}},
    {900, {{458, 599}}},
    {1000, {{481, 599}}},
    {1100, {{483, 599}}},
    {1200, {{482, 599}}},
    {1300, {{265, 351}, {465, 599}}},
    {1400, {{194, 320}, {444, 599}}},
    {1500, {{159, 320}, {418, 599}}},
    {1600, {{40, 258}, {394, 599}}},
    {1700, {{0, 198}, {406, 599}}},
    {1800, {{0, 160}, {449, 599}}},
    {1900, {{401, 448}, {450, 455}, {458, 599}}},
    {2000, {{404, 413}, {449, 599}}},
    {2100, {{137, 137}, {449, 450}, {458, 522}, {583, 599}}},
    {2200, {{435, 521}, {583, 599}}},
    {2300, {{325, 519}, {561, 562}, {583, 599}}},
    {2400, {{450, 532}, {561, 562}, {583, 599}}},
    {2500, {{413, 528}, {561, 562}, {583, 599}}},
    {2600, {{376, 527}, {561, 562}, {583, 599}}},
    {2700, {{397, 599}}},
    {2800, {{385, 388}, {399, 405}, {421, 599}}},
    {2900, {{0, 54}, {430, 599}}},
    {3000, {{0, 71}, {404, 599}}},
    {3100, {{0, 9}, {427, 599}}},
    {3199, {{441, 599}}},
};

std::vector<Run> solidRuns(const Canvas& cv, int col) {
    std::vector<Run> runs;
    for (int y = 0; y < kHeight; ++y) {
        if (!cv.solid(col, y)) {
            continue;
        }
        if (!runs.empty() && runs.back().to == y - 1) {
            runs.back().to = y;
        } else {
            runs.push_back({y, y});
        }
    }
    return runs;
}

std::string describe(const std::vector<Run>& runs) {
    std::string s;
    for (const Run& r : runs) {
        s += (s.empty() ? "" : ", ") + std::to_string(r.from) + "-" + std::to_string(r.to);
    }
    return s;
}

bool surveyHolds(const Canvas& cv) {
    bool ok = true;
    for (const Survey& s : kSurvey) {
        const std::vector<Run> got = solidRuns(cv, s.col);
        const bool same = got.size() == s.runs.size() &&
                          std::equal(got.begin(), got.end(), s.runs.begin(),
                                     [](Run a, Run b) { return a.from == b.from && a.to == b.to; });
        if (!same) {
            std::fprintf(stderr, "column %d: painted %s, surveyed %s\n", s.col,
                         describe(got).c_str(), describe(s.runs).c_str());
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
    const std::vector<unsigned char> png = encodeIndexedPng(cv.px, kWidth, kHeight, palette());
    if (png.empty() || !writeFile(argv[1], png)) {
        std::fprintf(stderr, "levelgen: cannot write %s\n", argv[1]);
        return 1;
    }
    std::printf("wrote %s, %zu bytes\n", argv[1], png.size());
    return 0;
}
