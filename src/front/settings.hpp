// What the player changes in the window and finds again at the next start: volume and mute, the
// scale mode, fullscreen, the status line. Kept as a small text file in the user's configuration
// folder; a damaged or unreadable file is ignored with one line and never stops the game.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace wh::front {

struct Settings {
    int volume = 80;         // percent, 0 to 100
    bool muted = false;      // F2
    bool fit = false;        // the view fills the window keeping its shape; else whole factors
    bool fullscreen = false; // F11
    bool statusLine = true;  // F4

    bool operator==(const Settings&) const = default;
};

// The file's text: one `name = value` line each, with a comment heading it.
std::string settingsText(const Settings& s);

// Reads the file's text. Blank lines and `#` comments are skipped and names this version does
// not know are left alone (a later version's file still reads); a malformed line or a value out
// of range refuses the whole file, with `error` saying where.
std::optional<Settings> readSettings(std::string_view text, std::string& error);

// The settings file in a configuration folder.
std::string settingsPath(const std::string& configFolder);

// The settings kept at `path`; the defaults when there is no file yet. A file that cannot be read
// or is damaged gives the defaults and one line in `warning`.
Settings loadSettings(const std::string& path, std::string& warning);

// Writes a new file beside the old one and renames it over, so a failed write never leaves half
// a file. False, with the reason, when it could not.
bool saveSettings(const std::string& path, const Settings& s, std::string& error);

} // namespace wh::front
