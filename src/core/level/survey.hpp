// The level's surveyed heights: the solid runs of every 100th column, top to bottom, that the
// painted picture must keep, and the one way of reading such runs off a column.
#pragma once

#include <string>
#include <vector>

namespace wh {

struct SolidRun {
    int from, to; // rows, both included
    bool operator==(const SolidRun&) const = default;
};

struct SurveyedColumn {
    int col;
    std::vector<SolidRun> runs;
};

inline const std::vector<SurveyedColumn> kLevelSurvey = {
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

// The solid runs of a column `height` rows tall; isSolid(row) says whether a row is solid.
template <typename IsSolid> std::vector<SolidRun> solidRuns(int height, IsSolid isSolid) {
    std::vector<SolidRun> runs;
    for (int row = 0; row < height; ++row) {
        if (!isSolid(row)) {
            continue;
        }
        if (!runs.empty() && runs.back().to == row - 1) {
            runs.back().to = row;
        } else {
            runs.push_back({row, row});
        }
    }
    return runs;
}

inline std::string describe(const std::vector<SolidRun>& runs) {
    std::string s;
    for (const SolidRun& r : runs) {
        s += (s.empty() ? "" : ", ") + std::to_string(r.from) + "-" + std::to_string(r.to);
    }
    return s;
}

} // namespace wh
