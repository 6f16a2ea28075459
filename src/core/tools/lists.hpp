// The panel's type and subtype lists: their entries, and the labels that record the choice.
#pragma once

#include "app/game.hpp"

#include <array>

namespace wh {

// Position in the list is the code; "proxbomb " really ends in a blank.
inline constexpr std::array<const char*, kRockTypeCount> kTypeListEntries = {
    "0",         "gas",    "liquid",   "solid",   "fire",       "plasma", "alive",
    "ice",       "bullet", "bomb",     "bigbomb", "bulletbomb", "missle", "explosion",
    "multibomb", "nuke",   "timebomb", "maker",   "proxbomb ",  "homer",  "enemy",
    "0",         "0",      "reactor",  "boulder", "comet"};

void liststuff(Game& g);
void typelist_Click(Game& g);
void subtypelist_Click(Game& g);

} // namespace wh
