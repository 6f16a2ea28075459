// The XDG base and user folders as desktop file managers read them: only absolute paths count,
// and user-dirs.dirs is read as the shell that sources it would.
#include "front/desktopdirs.hpp"

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace wh::front {

namespace {

constexpr std::string_view kPicturesKey = "XDG_PICTURES_DIR=";
constexpr std::string_view kHomeWord = "$HOME";

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
    if (const std::optional<std::string> config = configFolder(env)) {
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

std::optional<std::string> configFolder(const Environment& env) {
    if (std::optional<std::string> v = absoluteVariable(env, "XDG_CONFIG_HOME")) {
        return v;
    }
    if (const std::optional<std::string> home = absoluteVariable(env, "HOME")) {
        return *home + "/.config";
    }
    return std::nullopt;
}

} // namespace wh::front
