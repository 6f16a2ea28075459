// Finding the pictures folder as desktop file managers do, and writing a shot there. The file is
// created exclusively, so two shots in one second, or two games at once, never replace a file.
#include "front/screenshot.hpp"

#include "png/png.hpp"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <system_error>
#include <vector>

namespace wh::front {

namespace {

constexpr std::string_view kPicturesKey = "XDG_PICTURES_DIR=";
constexpr std::string_view kHomeWord = "$HOME";
constexpr size_t kChannels = 3;
constexpr int kMaxAttempts = 100; // shots in one second before giving up

bool absolute(std::string_view path) {
    return !path.empty() && path.front() == '/';
}

std::optional<std::string> absoluteVariable(const Environment& env, std::string_view name) {
    std::optional<std::string> v = env.variable(name);
    if (v && absolute(*v)) {
        return v;
    }
    return std::nullopt; // unset, empty and relative values are ignored alike
}

// The value of one assignment as the shell would read it: in double quotes with backslash
// escapes, or bare up to the end of the line.
std::string unquote(std::string_view v) {
    if (v.empty() || v.front() != '"') {
        const size_t end = v.find_last_not_of(" \t\r");
        return std::string(end == std::string_view::npos ? std::string_view{}
                                                         : v.substr(0, end + 1));
    }
    std::string out;
    for (size_t i = 1; i < v.size() && v[i] != '"'; ++i) {
        if (v[i] == '\\' && i + 1 < v.size()) {
            ++i;
        }
        out += v[i];
    }
    return out;
}

// The pictures line of user-dirs.dirs, the last one when there are several, as the shell that
// sources the file would leave it.
std::optional<std::string> picturesFromUserDirs(const std::string& text,
                                                const std::optional<std::string>& home) {
    std::optional<std::string> found;
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        std::string_view l = line;
        const size_t start = l.find_first_not_of(" \t");
        if (start == std::string_view::npos) {
            continue;
        }
        l.remove_prefix(start);
        if (!l.starts_with(kPicturesKey)) {
            continue;
        }
        const std::string value = unquote(l.substr(kPicturesKey.size()));
        const std::string_view v = value;
        if (v.starts_with(kHomeWord) &&
            (v.size() == kHomeWord.size() || v[kHomeWord.size()] == '/')) {
            if (home) {
                found = *home + std::string(v.substr(kHomeWord.size()));
            }
        } else if (absolute(v)) {
            found = value;
        }
    }
    return found;
}

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

Environment processEnvironment() {
    Environment env;
    env.variable = [](std::string_view name) -> std::optional<std::string> {
        const char* v = std::getenv(std::string(name).c_str());
        if (v == nullptr) {
            return std::nullopt;
        }
        return std::string(v);
    };
    env.fileText = [](const std::string& path) -> std::optional<std::string> {
        std::ifstream in(path, std::ios::binary);
        if (!in) {
            return std::nullopt;
        }
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    };
    return env;
}

std::optional<std::string> picturesFolder(const Environment& env) {
    if (std::optional<std::string> v = absoluteVariable(env, "XDG_PICTURES_DIR")) {
        return v;
    }
    const std::optional<std::string> home = absoluteVariable(env, "HOME");
    std::optional<std::string> config = absoluteVariable(env, "XDG_CONFIG_HOME");
    if (!config && home) {
        config = *home + "/.config";
    }
    if (config) {
        if (const std::optional<std::string> text = env.fileText(*config + "/user-dirs.dirs")) {
            if (std::optional<std::string> v = picturesFromUserDirs(*text, home)) {
                return v;
            }
        }
    }
    if (home) {
        return *home + "/Pictures";
    }
    return std::nullopt;
}

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
