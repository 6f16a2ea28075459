// Screenshots: the folder they go to (the desktop's pictures folder), their dated names, and the
// writing of the PNG file without ever replacing one that is there.
#pragma once

#include <cstdint>
#include <ctime>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace wh::front {

// What the folder's rules read from the outside world, passed in so the rules can be tried with
// any environment.
struct Environment {
    // An environment variable; none when unset.
    std::function<std::optional<std::string>(std::string_view name)> variable;
    // A whole file's text; none when it cannot be read.
    std::function<std::optional<std::string>(const std::string& path)> fileText;
};

// The environment of this process and its files.
Environment processEnvironment();

// The pictures folder by the XDG user-dirs rules: XDG_PICTURES_DIR from the environment; else
// its line in user-dirs.dirs under XDG_CONFIG_HOME (or ~/.config); else ~/Pictures. None when
// there is no home to start from. Only absolute paths count; "$HOME" in the file is the home.
std::optional<std::string> picturesFolder(const Environment& env);

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
