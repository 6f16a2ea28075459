// The status line's items from the game's own fields, named as the help and the README name them.
#include "front/status.hpp"

#include "app/playfield.hpp"
#include "app/window.hpp"
#include "level/levelpicture.hpp"
#include "tools/mouse.hpp"
#include "vehicle/firing.hpp"

namespace wh::front {

bool viewOffLevel(const Game& g) {
    // The view's top-left corner on the playfield, in pixels, as the view is composed.
    const int64_t left = twipsToPixel(-static_cast<double>(g.picground.Left));
    const int64_t top = twipsToPixel(-static_cast<double>(g.picground.Top));
    return left < 0 || top < 0 || left + kViewPixelsW > kLevelPixelsW ||
           top + kViewPixelsH > kLevelPixelsH;
}

std::vector<std::string> statusItems(const Game& g, std::optional<uint64_t> replayPass) {
    std::vector<std::string> items;
    const bool armed = g.weapon >= 1 && g.weapon <= kWeaponCount;
    items.push_back(armed ? "weapon " + std::to_string(g.weapon) + " " + weaponName(g.weapon)
                          : std::string("weapon ") + weaponName(g.weapon));
    items.push_back(std::string("paint ") + paintName(g.paintmode) + ", brush " +
                    std::to_string(g.brushwidth));
    items.emplace_back(g.dropbullets != 0 ? "drag drops bullets" : "drag drops ice");
    if (g.passthrough != 0) {
        items.emplace_back("pass-through");
    }
    if (g.timer2.enabled) {
        items.emplace_back("shaking");
    }
    if (g.paused != 0) {
        items.emplace_back("paused");
    }
    if (replayPass) {
        items.push_back("replay: pass " + std::to_string(*replayPass));
    }
    if (viewOffLevel(g)) {
        items.emplace_back("off the level");
    }
    return items;
}

} // namespace wh::front
