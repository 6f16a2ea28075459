// Finding the pictures folder as desktop file managers do, and writing a shot there. The file is
// created exclusively, so two shots in one second, or two games at once, never replace a file.
#include "front/screenshot.hpp"

#include "png/png.hpp"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <system_error>
#include <vector>

namespace wh::front {

namespace {

constexpr size_t kChannels = 3;
constexpr int kMaxAttempts = 100; // shots in one second before giving up

// The shot as a whole PNG file; the rows come as 3 bytes a pixel, the encoder takes colour values.
png::Encoded encodeShot(const uint8_t* rgb, int width, int height) {
    std::vector<png::Colour> pixels;
    if (width > 0 && height > 0) {
        pixels.resize(static_cast<size_t>(width) * static_cast<size_t>(height));
    }
    for (size_t i = 0; i < pixels.size(); ++i) {
        pixels[i] =
            rgb[i * kChannels] + 256 * rgb[i * kChannels + 1] + 65536 * rgb[i * kChannels + 2];
    }
    return png::encodeRgb(pixels, width, height);
}

} // namespace

std::string screenshotName(const std::tm& when, int attempt) {
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y-%m-%d-%H%M%S", &when);
    std::string name = std::string("wreckhaul-") + stamp;
    if (attempt > 1) {
        name += "-" + std::to_string(attempt);
    }
    return name + ".png";
}

SavedShot saveScreenshot(const std::string& folder, const std::tm& when, const uint8_t* rgb,
                         int width, int height) {
    namespace fs = std::filesystem;
    SavedShot shot;
    std::error_code ec;
    fs::create_directories(folder, ec);
    if (!fs::is_directory(folder)) {
        shot.problem = "cannot make the folder " + folder +
                       (ec ? ": " + ec.message() : std::string(": a file is in the way"));
        return shot;
    }
    const png::Encoded file = encodeShot(rgb, width, height);
    if (!file.error.empty()) {
        shot.problem = "cannot make the picture: " + file.error;
        return shot;
    }
    for (int attempt = 1; attempt <= kMaxAttempts; ++attempt) {
        const std::string path = (fs::path(folder) / screenshotName(when, attempt)).string();
        FILE* f = std::fopen(path.c_str(), "wbx"); // x: fails if the file exists
        if (f == nullptr) {
            if (errno == EEXIST) {
                continue;
            }
            shot.problem = "cannot write " + path + ": " + std::strerror(errno);
            return shot;
        }
        const bool written =
            std::fwrite(file.bytes.data(), 1, file.bytes.size(), f) == file.bytes.size();
        if (std::fclose(f) != 0 || !written) {
            std::remove(path.c_str());
            shot.problem = "cannot write " + path;
            return shot;
        }
        shot.ok = true;
        shot.path = path;
        return shot;
    }
    shot.problem = "too many screenshots in one second";
    return shot;
}

} // namespace wh::front
