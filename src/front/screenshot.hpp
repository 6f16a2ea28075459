// Screenshots: the folder they go to (the desktop's pictures folder), their dated names, and the
// writing of the PNG file without ever replacing one that is there.
#pragma once

#include "front/desktopdirs.hpp"

#include <cstdint>
#include <ctime>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace wh::front {

// The file name of a screenshot taken at local time `when`; attempts after the first (1) add a
// number, for shots taken within the same second.
std::string screenshotName(const std::tm& when, int attempt);

struct SavedShot {
    bool ok = false;
    std::string path;    // the file written, when ok
    std::string problem; // why nothing was written, when not ok
};

// Writes rgb (width x height pixels, 3 bytes each, row by row) as a PNG into `folder`, creating
// the folder when it is missing, under the first free name for `when`.
SavedShot saveScreenshot(const std::string& folder, const std::tm& when, const uint8_t* rgb,
                         int width, int height);

} // namespace wh::front
