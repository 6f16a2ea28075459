// The settings file: a handful of lines, read strictly (each value checked, the file no larger
// than a settings file can be) and written atomically.
#include "front/settings.hpp"

#include "session/numbers.hpp"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

namespace wh::front {

namespace {

constexpr size_t kMaxFileBytes = 64 * 1024;
constexpr int64_t kMaxVolume = 100;

std::string_view trimmed(std::string_view s) {
    const size_t start = s.find_first_not_of(" \t\r");
    if (start == std::string_view::npos) {
        return {};
    }
    const size_t end = s.find_last_not_of(" \t\r");
    return s.substr(start, end - start + 1);
}

bool readFlag(std::string_view value, bool& out) {
    if (value == "on") {
        out = true;
    } else if (value == "off") {
        out = false;
    } else {
        return false;
    }
    return true;
}

const char* flag(bool on) {
    return on ? "on" : "off";
}

} // namespace

std::string settingsText(const Settings& s) {
    std::string t = "# Wreckhaul's settings, written by the game when you change them.\n";
    t += "volume = " + std::to_string(s.volume) + "\n";
    t += std::string("muted = ") + flag(s.muted) + "\n";
    t += std::string("scale = ") + (s.fit ? "fit" : "whole") + "\n";
    t += std::string("fullscreen = ") + flag(s.fullscreen) + "\n";
    t += std::string("status-line = ") + flag(s.statusLine) + "\n";
    return t;
}

std::optional<Settings> readSettings(std::string_view text, std::string& error) {
    Settings s;
    size_t number = 0;
    while (!text.empty()) {
        const size_t eol = text.find('\n');
        const std::string_view line = trimmed(text.substr(0, eol));
        text.remove_prefix(eol == std::string_view::npos ? text.size() : eol + 1);
        ++number;
        if (line.empty() || line.front() == '#') {
            continue;
        }
        const auto fail = [&](const std::string& what) {
            error = "line " + std::to_string(number) + ": " + what;
            return std::nullopt;
        };
        const size_t eq = line.find('=');
        if (eq == std::string_view::npos) {
            return fail("expected NAME = VALUE, got " + session::quoted(line));
        }
        const std::string_view name = trimmed(line.substr(0, eq));
        const std::string_view value = trimmed(line.substr(eq + 1));
        bool ok = true;
        if (name == "volume") {
            int64_t v = 0;
            if (std::string err = session::readInteger("volume", value, 0, kMaxVolume, v);
                !err.empty()) {
                return fail(err);
            }
            s.volume = static_cast<int>(v);
        } else if (name == "muted") {
            ok = readFlag(value, s.muted);
        } else if (name == "scale") {
            ok = value == "fit" || value == "whole";
            s.fit = value == "fit";
        } else if (name == "fullscreen") {
            ok = readFlag(value, s.fullscreen);
        } else if (name == "status-line") {
            ok = readFlag(value, s.statusLine);
        }
        if (!ok) {
            return fail(std::string(name) + " cannot be " + session::quoted(value));
        }
    }
    return s;
}

std::string settingsPath(const std::string& configFolder) {
    return (std::filesystem::path(configFolder) / "wreckhaul" / "settings.ini").string();
}

Settings loadSettings(const std::string& path, std::string& warning) {
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) {
        return {};
    }
    std::ifstream in(path, std::ios::binary);
    std::string text;
    if (in) {
        text.resize(kMaxFileBytes + 1);
        in.read(text.data(), static_cast<std::streamsize>(text.size()));
        text.resize(static_cast<size_t>(in.gcount()));
    }
    std::string error;
    if (!in && !in.eof()) {
        error = "it cannot be read";
    } else if (text.size() > kMaxFileBytes) {
        error = "it is too large to be a settings file";
    } else if (std::optional<Settings> s = readSettings(text, error)) {
        return *s;
    }
    warning = "ignoring the settings in " + path + " (" + error + "); the defaults apply";
    return {};
}

bool saveSettings(const std::string& path, const Settings& s, std::string& error) {
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::create_directories(fs::path(path).parent_path(), ec);
    const std::string part = path + ".part";
    const std::string text = settingsText(s);
    FILE* f = std::fopen(part.c_str(), "wb");
    if (f == nullptr) {
        error = "cannot write " + part + ": " + std::strerror(errno);
        return false;
    }
    const bool written = std::fwrite(text.data(), 1, text.size(), f) == text.size();
    if (std::fclose(f) != 0 || !written) {
        error = "cannot write " + part + ": the disk did not take it";
        std::remove(part.c_str());
        return false;
    }
    fs::rename(part, path, ec);
    if (ec) {
        error = "cannot replace " + path + ": " + ec.message();
        std::remove(part.c_str());
        return false;
    }
    return true;
}

} // namespace wh::front
