// The rules every game keeps between two handlers, as the soak checks them after each event and
// pass. Out-of-bounds writes and overflows are the sanitizers' part; these are the game's own.
#include "soak.hpp"

#include "app/numeric.hpp"
#include "tools/keyboard.hpp"

#include <string>

namespace wh::soak {

namespace {

constexpr int16_t kLastPaintMode = 3; // ground, red, air
constexpr int16_t kLastStage = 3;     // the level script has three stages

struct NamedFlag {
    const char* name;
    int16_t value;
};

} // namespace

std::string checkInvariants(const Game& g, bool escapeSent) {
    const int n = g.rocks.rockcount;
    if (n < 0 || n > kLastRockIndex) {
        return "rockcount " + std::to_string(n) + " is outside 0 to 1500";
    }
    // The width is a 16-bit value, so only its lower bound can break.
    if (g.picground.drawWidth() < 1) {
        return "pen width " + std::to_string(g.picground.drawWidth()) + " is below 1";
    }
    if (g.picground.drawMode != kDrawModeCopyPen) {
        return "pen mode " + std::to_string(g.picground.drawMode) + " left behind, not copy";
    }
    if (g.picground.pixels().size() != size_t{kPlayfieldPixelsW} * kPlayfieldPixelsH) {
        return "the playfield surface changed its size";
    }
    const NamedFlag flags[] = {{"paused", g.paused},
                               {"passthrough", g.passthrough},
                               {"dropbullets", g.dropbullets},
                               {"dropping", g.dropping},
                               {"painting", g.painting},
                               {"leftkey", g.keys.leftkey},
                               {"rightkey", g.keys.rightkey},
                               {"gunleftkey", g.keys.gunleftkey},
                               {"gunrightkey", g.keys.gunrightkey},
                               {"firekey", g.keys.firekey},
                               {"trigger", g.keys.trigger}};
    for (const NamedFlag& f : flags) {
        if (f.value != kFalse && f.value != kTrue) {
            return std::string("flag ") + f.name + " holds " + std::to_string(f.value);
        }
    }
    if (g.weapon < 0 || g.weapon > kWeaponCount) {
        return "weapon " + std::to_string(g.weapon) + " is outside 0 to 11";
    }
    if (g.paintmode < 1 || g.paintmode > kLastPaintMode) {
        return "paintmode " + std::to_string(g.paintmode) + " is outside 1 to 3";
    }
    if (g.brushwidth < 1) {
        return "brushwidth " + std::to_string(g.brushwidth) + " is no pen width";
    }
    if (g.stage < 0 || g.stage > kLastStage) {
        return "stage " + std::to_string(g.stage) + " is outside 0 to 3";
    }
    if (escapeSent && !g.ended) {
        return "Esc did not end the game";
    }
    if (!escapeSent && g.ended) {
        return "the game ended without an Esc";
    }
    return "";
}

} // namespace wh::soak
