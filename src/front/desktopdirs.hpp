// The desktop's folders by the XDG rules: where pictures go and where settings are kept, read
// from an environment passed in, so the rules can be tried with any.
#pragma once

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

// The folder for this user's settings: XDG_CONFIG_HOME, else ~/.config. None without a home.
std::optional<std::string> configFolder(const Environment& env);

} // namespace wh::front
